// The quality checks in Requirements Central (the Quality column and the
// With findings query), Quality Report... and Quality Options..., driven as
// a user drives them.

#include "app/cvarnapp.h"
#include "app/widgets/featureregistry.h"
#include "app/widgets/labelledcontrols.h"
#include "app/widgets/progresspanel.h"
#include "app/widgets/screenshot.h"
#include "app/widgets/workspacesuite.h"
#include "central/widgets/centralviewfeature.h"
#include "central/widgets/cvarnview.h"
#include "main/landedfeatures.h"
#include "quality/widgets/qualityfeature.h"
#include "quality/widgets/qualityoptionsdialog.h"
#include "quality/widgets/qualityreportdialog.h"
#include "store/qualitytables.h"
#include "templates/technicalcommit.h"
#include "templates/technicaldraft.h"

#include <QAbstractItemModel>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>

#include <memory>

using namespace varn;
using varn::quality::QualityOptionsDialog;
using varn::quality::QualityReportDialog;

namespace {

// The sentences stored before each test: the second and fourth have
// findings.
const QStringList kTexts = {
    QStringLiteral("answer every query within 2 seconds"),
    QStringLiteral("answer user queries quickly if possible"),
    QStringLiteral("log each failed login with its time"),
    QStringLiteral("send the report TBD as soon as possible"),
};

} // namespace

class QualityWindowsTest : public WorkspaceSuite
{
    Q_OBJECT

    app::FeatureRegistry m_registry;

protected:
    void fillWorkspace() override
    {
        for (const QString &text : kTexts) {
            templates::TechnicalDraft draft;
            draft.text = text;
            const templates::CommitResult saved =
                templates::TechnicalCommit(*m_open->app.records(), m_open->app.systemName())
                    .save(draft);
            QVERIFY2(saved.outcome, qPrintable(saved.outcome.message()));
        }
    }

    std::unique_ptr<central::CVarnView> openCentral()
    {
        QWidget *view = m_registry.createView(central::kCentralWindow, m_open->workbench);
        return std::unique_ptr<central::CVarnView>(qobject_cast<central::CVarnView *>(view));
    }

    static int columnNamed(const QAbstractItemModel &model, const QString &header)
    {
        for (int column = 0; column < model.columnCount(); ++column) {
            if (model.headerData(column, Qt::Horizontal).toString() == header)
                return column;
        }
        return -1;
    }

    // Each listed requirement's number and its Quality cell.
    static QStringList listedWithCounts(const central::CVarnView &view)
    {
        const QAbstractItemModel &model = *view.list()->model();
        const int quality = columnNamed(model, QStringLiteral("Quality"));
        QStringList rows;
        for (int row = 0; row < view.central().model().requirementCount(); ++row)
            rows.append(model.index(row, 0).data().toString() + QLatin1Char(':') +
                        model.index(row, quality).data().toString());
        return rows;
    }

public:
    QualityWindowsTest() { registerLandedFeatures(m_registry); }

private slots:
    // The Quality column counts each listed requirement's findings, with
    // them as its tooltip; "With findings" lists those that have any, and
    // an accepted finding leaves the count.
    void centralShowsCountsAndQuery()
    {
        std::unique_ptr<central::CVarnView> view = openCentral();
        QVERIFY(view);
        view->resize(900, 500);
        const QAbstractItemModel &model = *view->list()->model();
        const int quality = columnNamed(model, QStringLiteral("Quality"));
        QVERIFY(quality > 0);
        QCOMPARE(listedWithCounts(*view), (QStringList{"1:", "2:2", "3:", "4:2"}));
        QVERIFY(model.index(1, quality)
                    .data(Qt::ToolTipRole)
                    .toString()
                    .contains(QStringLiteral("\"quickly\"")));
        // Its header does not reorder the list.
        emit view->list()->horizontalHeader()->sectionClicked(quality);
        QCOMPARE(listedWithCounts(*view), (QStringList{"1:", "2:2", "3:", "4:2"}));

        QRadioButton *withFindings =
            view->findChild<QRadioButton *>(QStringLiteral("With findings"));
        QVERIFY(withFindings);
        QCOMPARE(withFindings->accessibleName(), withFindings->text());
        withFindings->click();
        QCOMPARE(m_presenter.texts(), QStringList());
        QVERIFY(withFindings->isChecked());
        QCOMPARE(listedWithCounts(*view), (QStringList{"2:2", "4:2"}));
        checkScreenshot(*view, QStringLiteral("central-quality.png"), programBase());

        // A finding accepted elsewhere: the list follows once requirements
        // are stored again (the program tells the list).
        QVERIFY(store::QualityTables(m_open->app.requirementsConnectionName())
                    .accept({2, 2, 1, QStringLiteral("vague-term"), QStringLiteral("quickly"),
                             QStringLiteral("agreed"), QStringLiteral("me"),
                             QStringLiteral("2026-01-01T00:00:00Z")}));
        QVERIFY(store::QualityTables(m_open->app.requirementsConnectionName())
                    .accept({2, 2, 1, QStringLiteral("escape-clause"),
                             QStringLiteral("if possible"), QStringLiteral("agreed"),
                             QStringLiteral("me"), QStringLiteral("2026-01-01T00:00:00Z")}));
        m_open->workbench.announceRequirementsStored();
        QCOMPARE(listedWithCounts(*view), QStringList{"4:2"});
        // Another kind of query unchecks it.
        view->findChild<QRadioButton *>(QStringLiteral("All"))->click();
        QVERIFY(!withFindings->isChecked());
        QCOMPARE(listedWithCounts(*view), (QStringList{"1:", "2:", "3:", "4:2"}));
    }

    // The report groups the findings by rule, marks the words in each
    // sentence and is written whole.
    void reportIsWritten()
    {
        QualityReportDialog dialog(m_open->workbench);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Quality Report"));
        QCOMPARE(misnamedControls(dialog), QStringList());
        const QString path = m_environment->root() + QStringLiteral("/quality.html");
        m_presenter.saveAnswers = {path};
        dialog.browseButton()->click();
        QCOMPARE(dialog.fileEdit()->text(), path);
        dialog.generateButton()->click();
        QCOMPARE(m_presenter.texts(), QStringList());
        QCOMPARE(dialog.panel()->barValue(), 100);
        QCOMPARE(dialog.panel()->status(),
                 QStringLiteral("4 finding(s) of 2 requirement(s) in 4 checked written to %1.")
                     .arg(path));
        checkScreenshot(dialog, QStringLiteral("quality-report.png"), programBackground());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        QVERIFY(html.startsWith(QStringLiteral("<!DOCTYPE html>")));
        QVERIFY(!html.contains(QStringLiteral("<link")));
        QVERIFY(html.contains(QStringLiteral(
            "The ESD system shall answer user queries <mark>quickly</mark> if possible.")));
        QVERIFY(html.contains(QStringLiteral(
            "The ESD system shall send the report <mark>TBD</mark> as soon as possible.")));
        // Grouped by rule, in the rules' order.
        const qsizetype vague = html.indexOf(QStringLiteral("<h2 id=\"vague-term\">"));
        const qsizetype escape = html.indexOf(QStringLiteral("<h2 id=\"escape-clause\">"));
        const qsizetype placeholder = html.indexOf(QStringLiteral("<h2 id=\"placeholder\">"));
        QVERIFY(vague > 0 && escape > vague && placeholder > escape);
        QVERIFY(!html.contains(QStringLiteral("<h2 id=\"pronoun\">")));

        // The workspace's own file is never written over.
        dialog.fileEdit()->setText(m_open->app.ownFiles().first());
        const QByteArray own = [&] {
            QFile workspace(m_open->app.ownFiles().first());
            return workspace.open(QIODevice::ReadOnly) ? workspace.readAll() : QByteArray();
        }();
        dialog.generateButton()->click();
        QCOMPARE(m_presenter.texts().size(), 1);
        QVERIFY(m_presenter.texts().first().contains(QStringLiteral("never overwrites")));
        QFile workspace(m_open->app.ownFiles().first());
        QVERIFY(workspace.open(QIODevice::ReadOnly));
        QCOMPARE(workspace.readAll(), own);
        QCOMPARE(dialog.panel()->status(), QStringLiteral("No report was written."));
    }

    // A rule switched off and a word added in Options apply to the checks.
    void optionsAreStored()
    {
        QualityOptionsDialog dialog(m_open->workbench);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Quality Options"));
        QCOMPARE(misnamedControls(dialog), QStringList());
        QCOMPARE(dialog.ruleList()->count(), 17);
        dialog.selectRule(QStringLiteral("placeholder"));
        QListWidgetItem *placeholder = dialog.ruleList()->currentItem();
        QCOMPARE(placeholder->checkState(), Qt::Checked);
        placeholder->setCheckState(Qt::Unchecked);
        dialog.selectRule(QStringLiteral("escape-clause"));
        QVERIFY(!dialog.addButton()->isEnabled());
        QTest::keyClicks(dialog.wordEdit(), QStringLiteral("  within   reason "));
        QVERIFY(dialog.addButton()->isEnabled());
        dialog.addButton()->click();
        QCOMPARE(dialog.wordList()->count(), 1);
        QCOMPARE(dialog.wordList()->item(0)->text(), QStringLiteral("within reason"));
        QTest::keyClicks(dialog.wordEdit(), QStringLiteral("come what may"));
        QTest::keyClick(dialog.wordEdit(), Qt::Key_Return);
        QCOMPARE(dialog.wordList()->count(), 2);
        dialog.resize(640, 440);
        checkScreenshot(dialog, QStringLiteral("quality-options.png"), programBackground());
        dialog.wordList()->setCurrentRow(0);
        const QString removed = dialog.wordList()->item(0)->text();
        dialog.removeButton()->click();
        QCOMPARE(dialog.wordList()->count(), 1);
        QVERIFY(dialog.changed());
        // A rule that takes no words offers none.
        dialog.selectRule(QStringLiteral("duplicate"));
        QVERIFY(!dialog.wordEdit()->isEnabled());

        const store::QualityTables tables(m_open->app.requirementsConnectionName());
        QCOMPARE(tables.switchedOffRules().value(), QStringList{"placeholder"});
        const QList<store::QualityWordRow> words = tables.addedWords().value();
        QCOMPARE(words.size(), 1);
        QCOMPARE(words.first().rule, QStringLiteral("escape-clause"));
        QVERIFY(words.first().word != removed);

        // Opened again, the dialog shows what was stored.
        QualityOptionsDialog again(m_open->workbench);
        again.selectRule(QStringLiteral("placeholder"));
        QCOMPARE(again.ruleList()->currentItem()->checkState(), Qt::Unchecked);
        again.selectRule(QStringLiteral("escape-clause"));
        QCOMPARE(again.wordList()->count(), 1);
    }
};

QTEST_MAIN(QualityWindowsTest)
#include "tst_qualitywindows.moc"
