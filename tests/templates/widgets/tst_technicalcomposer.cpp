// The Compose Technical Requirement dialog, driven as a user drives it.

#include "app/widgets/featureregistry.h"
#include "app/widgets/mainactions.h"
#include "app/widgets/mainwindow.h"
#include "app/widgets/screenshot.h"
#include "app/widgets/workspacesuite.h"
#include "main/landedfeatures.h"
#include "support/appconnections.h"
#include "templates/widgets/draftattributecontrols.h"
#include "templates/widgets/technicalcomposerdialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QtTest>

#include <optional>

using namespace varn;
using namespace varn::app;
using varn::templates::TechnicalComposerDialog;

class TechnicalComposerTest : public WorkspaceSuite
{
    Q_OBJECT

    // The stored row's kind, text, version, first version and paragraph.
    QStringList stored(int number) const
    {
        QSqlQuery query(requirementsDatabaseOf(m_open->app));
        query.prepare(
            QStringLiteral("SELECT FSTType, Source, Preamble, ReqText, Version, "
                           "OrigReqNum, ParaNum, Category FROM MASTER_REQ WHERE Req_Num = ?"));
        query.addBindValue(number);
        QStringList columns;
        if (query.exec() && query.next())
            for (int c = 0; c < 8; ++c)
                columns.append(query.value(c).toString());
        return columns;
    }

    void fill(TechnicalComposerDialog &dialog, const QString &text)
    {
        dialog.textBox()->setPlainText(text);
        dialog.attributes()->paragraph()->setText(QStringLiteral("4.1"));
        dialog.attributes()->category()->setCurrentText(QStringLiteral("Performance"));
    }

private slots:
    void newRequirementIsSaved()
    {
        TechnicalComposerDialog dialog(m_open->workbench);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Compose Technical Requirement"));
        QCOMPARE(dialog.sentenceHead()->text(), QStringLiteral("The ESD system shall"));
        QCOMPARE(dialog.attributes()->category()->currentText(), QStringLiteral("Software"));
        QVERIFY(dialog.editModeBox()->text().isEmpty());
        fill(dialog, QStringLiteral("answer  every query within 2 seconds. "));
        QSignalSpy stored(&m_open->workbench, &Workbench::requirementsStored);

        dialog.saveButton()->click();
        QCOMPARE(m_presenter.texts(), QStringList());
        QCOMPARE(dialog.numberBox()->text(), QStringLiteral("1"));
        QCOMPARE(stored.count(), 1);
        QCOMPARE(this->stored(1), (QStringList{"Technical", "23", "The ESD system shall",
                                               "answer every query within 2 seconds", "1", "1",
                                               "4.1", "Performance"}));
        QVERIFY(!m_open->app.requirementsChanged());
        saveScreenshot(dialog, QStringLiteral("technical-composer.png"), programBackground());
    }

    void emptyTextIsRefused()
    {
        TechnicalComposerDialog dialog(m_open->workbench);
        dialog.textBox()->setPlainText(QStringLiteral("   "));
        dialog.saveButton()->click();
        QCOMPARE(m_presenter.texts(),
                 QStringList{"Validation error. The requirement text must be defined."});
        QVERIFY(dialog.numberBox()->text().isEmpty());
        QVERIFY(stored(1).isEmpty());
    }

    void textIsKeptTo254Characters()
    {
        TechnicalComposerDialog dialog(m_open->workbench);
        dialog.textBox()->setPlainText(QString(300, QLatin1Char('a')));
        QCOMPARE(dialog.textBox()->toPlainText().size(), 254);
        dialog.attributes()->comments()->setPlainText(QString(300, QLatin1Char('c')));
        QCOMPARE(dialog.attributes()->comments()->toPlainText().size(), 254);
    }

    void clearKeepsTheAttributes()
    {
        TechnicalComposerDialog dialog(m_open->workbench);
        fill(dialog, QStringLiteral("log every login"));
        dialog.attributes()->comments()->setPlainText(QStringLiteral("ask security"));
        dialog.clearButton()->click();
        QVERIFY(dialog.textBox()->toPlainText().isEmpty());
        QCOMPARE(dialog.attributes()->paragraph()->text(), QStringLiteral("4.1"));
        QCOMPARE(dialog.attributes()->category()->currentText(), QStringLiteral("Performance"));
        QCOMPARE(dialog.attributes()->comments()->toPlainText(), QStringLiteral("ask security"));
    }

    // Editing saves version 2, retires version 1 and marks the requirements
    // changed; a second save versions again.
    void editingSavesANewVersion()
    {
        {
            TechnicalComposerDialog first(m_open->workbench);
            fill(first, QStringLiteral("log every login"));
            first.saveButton()->click();
        }
        TechnicalComposerDialog dialog(m_open->workbench, 1, true);
        QCOMPARE(dialog.editModeBox()->text(), QStringLiteral("EDIT MODE"));
        QCOMPARE(dialog.textBox()->toPlainText(), QStringLiteral("log every login"));
        QCOMPARE(dialog.attributes()->paragraph()->text(), QStringLiteral("4.1"));
        dialog.textBox()->setPlainText(QStringLiteral("log every login and logout"));
        dialog.saveButton()->click();
        QCOMPARE(m_presenter.texts(), QStringList());
        QCOMPARE(dialog.numberBox()->text(), QStringLiteral("2"));
        QCOMPARE(stored(1).first(), QStringLiteral("Deleted"));
        QCOMPARE(stored(2).mid(3, 3), (QStringList{"log every login and logout", "2", "1"}));
        QVERIFY(m_open->app.requirementsChanged());
        dialog.attributes()->paragraph()->setText(QStringLiteral("4.2"));
        dialog.saveButton()->click();
        QCOMPARE(stored(3).mid(4, 2), (QStringList{"3", "1"}));
        QCOMPARE(stored(2).first(), QStringLiteral("Deleted"));
    }

    // Enter in a one-line field neither clears nor saves; Ctrl+S saves; a
    // second Save of the same words says the number instead of storing them
    // again, and a change saves anew.
    void keyboardAndSecondSave()
    {
        TechnicalComposerDialog dialog(m_open->workbench);
        fill(dialog, QStringLiteral("log every login"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTest::keyClick(dialog.attributes()->paragraph(), Qt::Key_Return);
        QCOMPARE(dialog.textBox()->toPlainText(), QStringLiteral("log every login"));
        QVERIFY(stored(1).isEmpty());
        QTest::keySequence(dialog.attributes()->paragraph(), QKeySequence::Save);
        QCOMPARE(dialog.numberBox()->text(), QStringLiteral("1"));
        dialog.saveButton()->click();
        QCOMPARE(m_presenter.texts(), QStringList{"This requirement has already been saved as "
                                                  "#1.\nChange it before saving it again."});
        QVERIFY(stored(2).isEmpty());
        dialog.attributes()->comments()->setPlainText(QStringLiteral("ask security"));
        dialog.saveButton()->click();
        QCOMPARE(dialog.numberBox()->text(), QStringLiteral("2"));
    }

    void escapeAsksBeforeTypedTextIsLost_data()
    {
        QTest::addColumn<bool>("typed");
        QTest::addColumn<bool>("answer");
        QTest::newRow("typed, stay") << true << false;
        QTest::newRow("typed, close") << true << true;
        QTest::newRow("nothing typed") << false << false;
    }

    void escapeAsksBeforeTypedTextIsLost()
    {
        QFETCH(bool, typed);
        QFETCH(bool, answer);
        TechnicalComposerDialog dialog(m_open->workbench);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        if (typed)
            QTest::keyClicks(dialog.textBox(), QStringLiteral("log every login"));
        m_presenter.yesNoAnswers = {answer};
        QTest::keyClick(dialog.attributes()->paragraph(), Qt::Key_Escape);
        QCOMPARE(m_presenter.questions.size(), typed ? 1 : 0);
        QCOMPARE(dialog.isVisible(), typed && !answer);
    }

    void commandOpensTheComposer()
    {
        FeatureRegistry registry;
        registerLandedFeatures(registry);
        MainWindow window(m_open->app, m_presenter, registry);
        QVERIFY(window.actions().item(templates::kComposeTechnical)->isEnabled());
        window.actions().item(templates::kComposeTechnical)->trigger();
        QCOMPARE(m_presenter.dialogTitles, QStringList{"Compose Technical Requirement"});
    }
};

QTEST_MAIN(TechnicalComposerTest)
#include "tst_technicalcomposer.moc"
