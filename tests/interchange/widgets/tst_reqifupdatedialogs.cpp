// Another tool's file imported through File > Import..., then a newer file
// of it: the dialog shows what changes and asks before writing, and asks
// again before deleting what the file no longer holds. The Requirement
// Attributes dialog shows the other tool's attributes.
#include "app/cvarnapp.h"
#include "app/widgets/labelledcontrols.h"
#include "app/widgets/progresspanel.h"
#include "app/widgets/screenshot.h"
#include "app/widgets/testpresenter.h"
#include "app/widgets/workspacesuite.h"
#include "central/widgets/requirementattributesdialog.h"
#include "central/widgets/requirementpicktable.h"
#include "interchange/widgets/exchangedialog.h"
#include "support/appconnections.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTableWidget>
#include <QtTest>

using namespace varn;
using namespace varn::app;
using interchange::ExchangeDialog;

namespace {

const QString kOriginal = QStringLiteral(VARN_TEST_DATA_DIR "/interchange/conveyor-1.reqif");

} // namespace

class ReqIfUpdateDialogsTest : public WorkspaceSuite
{
    Q_OBJECT

public:
    ReqIfUpdateDialogsTest() : WorkspaceSuite(QStringLiteral("Conveyor")) {}

private:
    int count(const QString &sql) const
    {
        QSqlQuery query(requirementsDatabaseOf(m_open->app));
        return query.exec(sql) && query.next() ? query.value(0).toInt() : -1;
    }
    int live() const
    {
        return count(QStringLiteral("SELECT COUNT(*) FROM MASTER_REQ WHERE FSTType <> 'Deleted'"));
    }

    void importThrough(ExchangeDialog &dialog, const QString &path)
    {
        dialog.fileEdit()->setText(path);
        dialog.generateButton()->click();
    }

    // The first file, then a newer one with the stop requirement's text
    // changed and the log requirement gone.
    QString newerFile()
    {
        QFile file(kOriginal);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QString text = QString::fromUtf8(file.readAll());
        text.replace(QStringLiteral("within <xhtml:b>2</xhtml:b> seconds"),
                     QStringLiteral("within <xhtml:b>3</xhtml:b> seconds"));
        text.remove(QRegularExpression(
            QStringLiteral("<SPEC-OBJECT IDENTIFIER=\"cv-r-log\".*?</SPEC-OBJECT>|<SPEC-RELATION "
                           "IDENTIFIER=\"cv-rel-2\".*?</SPEC-RELATION>|<SPEC-HIERARCHY "
                           "IDENTIFIER=\"cv-n-log\".*?</SPEC-HIERARCHY>"),
            QRegularExpression::DotMatchesEverythingOption));
        const QString path = m_environment->root() + QStringLiteral("/conveyor-2.reqif");
        QFile newer(path);
        if (!newer.open(QIODevice::WriteOnly))
            return {};
        newer.write(text.toUtf8());
        return path;
    }

private slots:
    // Answers: go on with the update?, delete what is gone?
    void updateAsksFirst_data()
    {
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("liveAfter");
        QTest::addColumn<int>("rowsAdded");
        QTest::newRow("stopped") << QList<bool>{false} << 1 << 5 << 0;
        QTest::newRow("updated, missing kept") << QList<bool>{true, false} << 2 << 5 << 1;
        QTest::newRow("updated, missing deleted") << QList<bool>{true, true} << 2 << 4 << 1;
    }
    void updateAsksFirst()
    {
        QFETCH(QList<bool>, answers);
        QFETCH(int, questions);
        QFETCH(int, liveAfter);
        QFETCH(int, rowsAdded);
        {
            ExchangeDialog first(m_open->workbench, ExchangeDialog::Direction::Import);
            importThrough(first, kOriginal);
            QCOMPARE(m_presenter.questions, QStringList());
            QCOMPARE(m_presenter.texts(), QStringList());
        }
        QCOMPARE(live(), 5);
        const int rows = count(QStringLiteral("SELECT COUNT(*) FROM MASTER_REQ"));

        ExchangeDialog dialog(m_open->workbench, ExchangeDialog::Direction::Import);
        m_presenter.yesNoAnswers = answers;
        importThrough(dialog, newerFile());
        QCOMPARE(m_presenter.questions.size(), questions);
        QCOMPARE(m_presenter.questions.first(),
                 QStringLiteral("Import Requirements|This file updates requirements imported "
                                "from it before: 1 changed, 0 new, 3 unchanged, 1 no longer in "
                                "the file.\nImport the changes?"));
        if (questions > 1)
            QCOMPARE(m_presenter.questions[1],
                     QStringLiteral("Import Requirements|1 requirement(s) imported before are no "
                                    "longer in the file.\nMark them deleted?"));
        const QString report = dialog.reportText();
        QVERIFY2(report.contains(QStringLiteral("(changed: next version of 1)")),
                 qPrintable(report));
        QVERIFY2(
            report.contains(QStringLiteral("log each routing decision  (no longer in the file)")),
            qPrintable(report));
        QCOMPARE(live(), liveAfter);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM MASTER_REQ")), rows + rowsAdded);
        if (rowsAdded == 0)
            QCOMPARE(dialog.panel()->status(), QStringLiteral("Nothing was imported."));
        else
            QVERIFY2(dialog.panel()->status().contains(
                         QStringLiteral("Updated 1 requirement(s); 3 unchanged; 1 no longer in")),
                     qPrintable(dialog.panel()->status()));
        saveScreenshot(dialog, QStringLiteral("import-update.png"), programBackground());
    }

    // The imported requirement's attributes as the other tool wrote them.
    void attributesDialogShowsForeignAttributes()
    {
        ExchangeDialog importer(m_open->workbench, ExchangeDialog::Direction::Import);
        importThrough(importer, kOriginal);
        central::RequirementAttributesDialog dialog(m_open->workbench, 1);
        QVERIFY(!dialog.foreignGroup()->isVisibleTo(&dialog));
        dialog.seeRequirement();
        QVERIFY(dialog.foreignGroup()->isVisibleTo(&dialog));
        QCOMPARE(misnamedControls(dialog), QStringList());
        QStringList rows;
        const QTableWidget *table = dialog.foreignAttributes();
        for (int row = 0; row < table->rowCount(); ++row)
            rows.append(table->item(row, 0)->text() + QStringLiteral(": ") +
                        table->item(row, 1)->text());
        QVERIFY2(rows.contains(QStringLiteral("Sites: North hall Yard")) ||
                     rows.contains(QStringLiteral("Sites: North hall, Yard")),
                 qPrintable(rows.join(QLatin1Char('\n'))));
        QVERIFY(rows.contains(QStringLiteral("Effort: 13")));
        QVERIFY(dialog.foreignGroup()->title().contains(QStringLiteral("cv-r-stop")));
        saveScreenshot(dialog, QStringLiteral("requirement-attributes-foreign.png"),
                       programBackground());
    }
};

QTEST_MAIN(ReqIfUpdateDialogsTest)
#include "tst_reqifupdatedialogs.moc"
