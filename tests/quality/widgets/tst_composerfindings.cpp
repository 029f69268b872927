// The quality checks' findings under each composer's Preview, as a user
// meets them while typing: the words underlined with the message as their
// tooltip, the list below, a suggestion applied by a click, accepted
// findings and the workspace's rule settings.

#include "app/widgets/screenshot.h"
#include "app/widgets/workspacesuite.h"
#include "quality/rulebook.h"
#include "quality/widgets/acceptfindingdialog.h"
#include "quality/widgets/findingspanel.h"
#include "quality/workspacequality.h"
#include "store/qualitytables.h"
#include "templates/templateform.h"
#include "templates/widgets/functionaltemplatedialog.h"
#include "templates/widgets/requirementbuilderdialog.h"
#include "templates/widgets/structuraltemplatedialog.h"
#include "templates/widgets/technicalcomposerdialog.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

using namespace varn;
using varn::quality::FindingsPanel;
using varn::templates::FunctionalTemplateDialog;
using varn::templates::RequirementBuilderDialog;
using varn::templates::StructuralTemplateDialog;
using varn::templates::TechnicalComposerDialog;

namespace {

constexpr int kBuilder = 0;

// The rule and words of each listed finding, "rule:words".
QStringList listed(const FindingsPanel &panel)
{
    QStringList rows;
    for (const quality::Finding &finding : panel.findings())
        rows.append(finding.rule + QLatin1Char(':') + finding.words);
    return rows;
}

int rowOf(const FindingsPanel &panel, const QString &rule)
{
    for (int row = 0; row < panel.findings().size(); ++row) {
        if (panel.findings()[row].rule == rule)
            return row;
    }
    return -1;
}

// The format of the checked sentence's character at the position.
QTextCharFormat formatAt(const FindingsPanel &panel, int position)
{
    QTextCursor cursor(panel.sentenceView()->document());
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

// Waits, as the user does, for the pause after typing to end.
bool settled(FindingsPanel &panel)
{
    QSignalSpy refreshed(&panel, &FindingsPanel::refreshed);
    if (!panel.refreshPending())
        return true;
    return refreshed.wait(2000);
}

void clickSuggestion(FindingsPanel &panel, int row)
{
    QTreeWidget *list = panel.findingList();
    QTreeWidgetItem *item = list->topLevelItem(row);
    list->scrollToItem(item);
    const QRect cell = list->visualItemRect(item);
    const int x = list->header()->sectionViewportPosition(FindingsPanel::SuggestionColumn) + 5;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(x, cell.center().y()));
}

} // namespace

class ComposerFindingsTest : public WorkspaceSuite
{
    Q_OBJECT

    QString connection() const { return m_open->app.requirementsConnectionName(); }

    // A technical requirement stored through its composer.
    int storeTechnical(const QString &text)
    {
        TechnicalComposerDialog dialog(m_open->workbench);
        dialog.textBox()->setPlainText(text);
        dialog.save();
        return dialog.numberBox()->text().toInt();
    }

private slots:
    // Typing a vague sentence lists its findings and underlines their words
    // with the message as the tooltip.
    void typedSentenceShowsFindings()
    {
        TechnicalComposerDialog dialog(m_open->workbench);
        dialog.resize(760, 640);
        dialog.show();
        FindingsPanel &panel = *dialog.findingsPanel();
        QTest::keyClicks(dialog.textBox(),
                         QStringLiteral("answer user queries quickly if possible"));
        QVERIFY(settled(panel));
        QCOMPARE(listed(panel), (QStringList{"vague-term:quickly", "escape-clause:if possible"}));
        QCOMPARE(panel.findingList()->topLevelItemCount(), 2);
        QCOMPARE(panel.findingList()->topLevelItem(0)->text(FindingsPanel::WordsColumn),
                 QStringLiteral("quickly"));
        QCOMPARE(panel.findingList()->topLevelItem(1)->text(FindingsPanel::SuggestionColumn),
                 QStringLiteral("Remove \"if possible\""));
        QCOMPARE(panel.sentenceView()->toPlainText(),
                 QStringLiteral("The ESD system shall answer user queries quickly if possible."));
        const quality::Finding vague = panel.findings().first();
        const QTextCharFormat underlined = formatAt(panel, vague.start);
        QCOMPARE(underlined.underlineStyle(), QTextCharFormat::WaveUnderline);
        QCOMPARE(underlined.toolTip(), vague.message);
        QCOMPARE(panel.findingList()->topLevelItem(0)->toolTip(FindingsPanel::MessageColumn),
                 vague.message);
        const QTextCharFormat plain =
            formatAt(panel, int(panel.sentenceView()->toPlainText().indexOf("user")));
        QCOMPARE(plain.underlineStyle(), QTextCharFormat::NoUnderline);
        QVERIFY(plain.toolTip().isEmpty());
        QCOMPARE(panel.statusLine()->text(), QStringLiteral("2 finding(s)."));
        checkScreenshot(dialog, QStringLiteral("composer-findings.png"), programBackground());

        // A sound sentence clears them.
        dialog.textBox()->setPlainText(QStringLiteral("answer every query within 2 seconds"));
        QVERIFY(settled(panel));
        QCOMPARE(listed(panel), QStringList());
        QCOMPARE(panel.statusLine()->text(), QStringLiteral("No findings."));
    }

    // A click on a suggestion puts it into the field the words came from,
    // in every kind of composer.
    void clickedSuggestionIsApplied_data()
    {
        QTest::addColumn<int>("composer");
        QTest::newRow("technical") << 23;
        QTest::newRow("template 9") << 9;
        QTest::newRow("builder") << kBuilder;
    }
    void clickedSuggestionIsApplied()
    {
        QFETCH(int, composer);
        std::unique_ptr<QDialog> dialog;
        FindingsPanel *panel = nullptr;
        QWidget *field = nullptr;
        QString before;
        if (composer == 23) {
            auto *technical = new TechnicalComposerDialog(m_open->workbench);
            dialog.reset(technical);
            panel = technical->findingsPanel();
            field = technical->textBox();
            technical->textBox()->setPlainText(QStringLiteral("answer user queries"));
            before = QStringLiteral("answer user queries");
        } else if (composer == kBuilder) {
            auto *builder = new RequirementBuilderDialog(m_open->workbench);
            dialog.reset(builder);
            panel = builder->findingsPanel();
            builder->seeExample();
            field = builder->cell(1);
            before = builder->cell(1)->text();
        } else {
            auto *functional = new FunctionalTemplateDialog(m_open->workbench, composer);
            dialog.reset(functional);
            panel = functional->findingsPanel();
            functional->seeExample();
            field = functional->fieldControl(1);
            before = functional->fieldText(1);
        }
        dialog->resize(900, 760);
        dialog->show();
        QVERIFY(!before.isEmpty());
        QVERIFY(settled(*panel));
        QCOMPARE(listed(*panel), QStringList());

        QLineEdit *line = qobject_cast<QLineEdit *>(field);
        if (auto *list = qobject_cast<QComboBox *>(field))
            line = list->lineEdit();
        if (line) {
            line->setFocus();
            line->end(false);
            QTest::keyClicks(line, QStringLiteral(" if possible"));
        } else {
            auto *text = qobject_cast<QPlainTextEdit *>(field);
            text->moveCursor(QTextCursor::End);
            QTest::keyClicks(text, QStringLiteral(" if possible"));
        }
        QVERIFY(settled(*panel));
        const int row = rowOf(*panel, QStringLiteral("escape-clause"));
        QVERIFY2(row >= 0, qPrintable(listed(*panel).join(", ")));
        clickSuggestion(*panel, row);
        const QString after =
            line ? line->text() : qobject_cast<QPlainTextEdit *>(field)->toPlainText();
        QCOMPARE(after, before);
        QCOMPARE(rowOf(*panel, QStringLiteral("escape-clause")), -1);
    }

    // A suggestion goes only where the user types: a finding without one
    // leaves the text alone and says why.
    void findingWithoutSuggestionChangesNothing()
    {
        TechnicalComposerDialog dialog(m_open->workbench);
        FindingsPanel &panel = *dialog.findingsPanel();
        dialog.textBox()->setPlainText(QStringLiteral("answer user queries quickly"));
        panel.refreshNow();
        QCOMPARE(listed(panel), QStringList{"vague-term:quickly"});
        QVERIFY(!panel.applyButton()->isEnabled());
        QVERIFY(!panel.applySuggestion(0));
        QCOMPARE(dialog.textBox()->toPlainText(), QStringLiteral("answer user queries quickly"));
        QVERIFY(!panel.statusLine()->text().isEmpty());
    }

    // Accepting a finding with a reason hides it on that requirement while
    // its sentence stays as stored; a changed sentence shows it again.
    void acceptedFindingIsHidden()
    {
        const int number = storeTechnical(QStringLiteral("answer user queries quickly"));
        QCOMPARE(number, 1);
        {
            TechnicalComposerDialog dialog(m_open->workbench, number, true);
            FindingsPanel &panel = *dialog.findingsPanel();
            panel.refreshNow();
            QCOMPARE(listed(panel), QStringList{"vague-term:quickly"});
            panel.findingList()->setCurrentItem(panel.findingList()->topLevelItem(0));
            QVERIFY(panel.acceptButton()->isEnabled());
            m_presenter.dialogHandler = [](QDialog &shown) {
                auto &accept = dynamic_cast<quality::AcceptFindingDialog &>(shown);
                if (accept.acceptButton()->isEnabled())
                    return int(QDialog::Rejected); // a reason is asked for first
                QTest::keyClicks(accept.reasonBox(), QStringLiteral("Agreed with the customer"));
                return accept.acceptButton()->isEnabled() ? int(QDialog::Accepted)
                                                          : int(QDialog::Rejected);
            };
            panel.acceptButton()->click();
            QCOMPARE(m_presenter.dialogTitles, QStringList{"Accept Finding"});
            QCOMPARE(m_presenter.texts(), QStringList());
            QCOMPARE(listed(panel), QStringList());
        }
        Result<QList<store::QualityAcceptanceRow>> rows =
            store::QualityTables(connection()).acceptances();
        QVERIFY(rows);
        QCOMPARE(rows->size(), 1);
        QCOMPARE(rows->first().reason, QStringLiteral("Agreed with the customer"));
        QCOMPARE(rows->first().words, QStringLiteral("quickly"));

        // Opened again on the requirement: still hidden, until the words change.
        TechnicalComposerDialog again(m_open->workbench, number, true);
        FindingsPanel &panel = *again.findingsPanel();
        panel.refreshNow();
        QCOMPARE(listed(panel), QStringList());
        again.textBox()->setPlainText(QStringLiteral("answer all user queries quickly"));
        panel.refreshNow();
        QCOMPARE(listed(panel), QStringList{"vague-term:quickly"});
        QVERIFY(!panel.acceptButton()->isEnabled());
        // Re-used as a new requirement, the finding is that one's own.
        TechnicalComposerDialog reuse(m_open->workbench, number, false);
        reuse.findingsPanel()->refreshNow();
        QCOMPARE(listed(*reuse.findingsPanel()), QStringList{"vague-term:quickly"});
    }

    // The workspace's rule settings apply: a rule switched off finds
    // nothing, a word added to a rule is found.
    void workspaceRuleSettingsApply()
    {
        const store::QualityTables tables(connection());
        QVERIFY(tables.setSwitchedOff(QStringLiteral("vague-term"), true));
        QVERIFY(tables.addWord(QStringLiteral("escape-clause"), QStringLiteral("come what may")));
        TechnicalComposerDialog dialog(m_open->workbench);
        FindingsPanel &panel = *dialog.findingsPanel();
        dialog.textBox()->setPlainText(QStringLiteral("answer user queries quickly come what may"));
        panel.refreshNow();
        QCOMPARE(listed(panel), QStringList{"escape-clause:come what may"});
    }

    // The worked examples are sound sentences: no composer finds fault in
    // its own example.
    void workedExamplesHaveNoFindings_data()
    {
        QTest::addColumn<int>("composer");
        QTest::newRow("builder") << kBuilder;
        for (int number = 1; number <= 22; ++number)
            QTest::addRow("template %d", number) << number;
    }
    void workedExamplesHaveNoFindings()
    {
        QFETCH(int, composer);
        std::unique_ptr<QDialog> dialog;
        FindingsPanel *panel = nullptr;
        if (composer == kBuilder) {
            auto *builder = new RequirementBuilderDialog(m_open->workbench);
            builder->seeExample();
            panel = builder->findingsPanel();
            dialog.reset(builder);
        } else if (composer <= 18) {
            auto *functional = new FunctionalTemplateDialog(m_open->workbench, composer);
            functional->seeExample();
            panel = functional->findingsPanel();
            dialog.reset(functional);
        } else {
            auto *structural = new StructuralTemplateDialog(m_open->workbench, composer);
            structural->seeExample();
            panel = structural->findingsPanel();
            dialog.reset(structural);
        }
        panel->refreshNow();
        QVERIFY2(!panel->checked().sentence.isEmpty(), "the example is checked");
        QVERIFY2(!panel->checked().spans.isEmpty(), qPrintable(panel->checked().sentence));
        QVERIFY2(panel->findings().isEmpty(),
                 qPrintable(panel->checked().sentence + QStringLiteral(" -> ") +
                            listed(*panel).join(QStringLiteral(", "))));
    }
};

QTEST_MAIN(ComposerFindingsTest)
#include "tst_composerfindings.moc"
