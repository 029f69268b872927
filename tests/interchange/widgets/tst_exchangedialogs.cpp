// File > Export... and Import..., and the trace windows, driven as a user
// drives them on a workspace holding the worked examples.
#include "app/cvarnapp.h"
#include "app/widgets/featureregistry.h"
#include "app/widgets/labelledcontrols.h"
#include "app/widgets/progresspanel.h"
#include "app/widgets/screenshot.h"
#include "app/widgets/testpresenter.h"
#include "app/widgets/workspacesuite.h"
#include "central/widgets/centralviewfeature.h"
#include "inspect/widgets/objectmodelview.h"
#include "interchange/csvexchange.h"
#include "interchange/csvtable.h"
#include "interchange/widgets/exchangedialog.h"
#include "interchange/widgets/interchangefeature.h"
#include "interchange/widgets/tracedialog.h"
#include "main/landedfeatures.h"
#include "support/appconnections.h"
#include "support/workedexamples.h"
#include "support/workspaceenvironment.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTreeWidget>
#include <QtTest>

#include <memory>
#include <optional>

using namespace varn;
using namespace varn::app;
using interchange::ExchangeDialog;
using interchange::TraceDialog;

class ExchangeDialogsTest : public WorkspaceSuite
{
    Q_OBJECT

protected:
    void fillWorkspace() override
    {
        QVERIFY(WorkedExamples::saveAll(m_open->app.applicationConnectionName(),
                                        *m_open->app.records(), QStringLiteral("ESD")) > 50);
    }

    int requirementCount() const
    {
        QSqlQuery query(requirementsDatabaseOf(m_open->app));
        return query.exec(QStringLiteral("SELECT COUNT(*) FROM MASTER_REQ")) && query.next()
                   ? query.value(0).toInt()
                   : -1;
    }

private slots:
    // Export in each format through Browse..., then a dry run of the import
    // of the ReqIF file: every requirement is already there, the report
    // says so, and nothing is written.
    // An import that leaves out thousands of records (more than the report
    // keeps in memory) shows every line in the report's list, the last one
    // included, and "Save Report..." writes them all to the file named.
    void reportOfManyLines()
    {
        constexpr int kRecords = 6000;
        const QString path = m_environment->root() + QStringLiteral("/long.csv");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(interchange::CsvTable::record(interchange::CsvExchange::header()).toUtf8());
        const QString tooLong = QStringLiteral("The ESD system shall ") + QString(300, u'w');
        for (int record = 1; record <= kRecords; ++record)
            file.write(interchange::CsvTable::record({QString::number(record),
                                                      "Technical",
                                                      "23",
                                                      "Software",
                                                      "1",
                                                      "1",
                                                      "1",
                                                      "None",
                                                      tooLong,
                                                      "1",
                                                      "1-1-2020",
                                                      {}})
                           .toUtf8());
        file.close();

        ExchangeDialog importer(m_open->workbench, ExchangeDialog::Direction::Import);
        QVERIFY(!importer.saveReportButton()->isEnabled());
        importer.formatBox()->setCurrentIndex(
            importer.formatBox()->findData(int(interchange::ExchangeFormat::Csv)));
        importer.fileEdit()->setText(path);
        importer.optionBox()->setChecked(true);
        importer.generateButton()->click();
        QCOMPARE(m_presenter.texts(), QStringList());
        QCOMPARE(importer.panel()->status(),
                 QStringLiteral("Would import 0 requirement(s) and 0 dependent link(s); %1 left "
                                "out.")
                     .arg(kRecords));
        const QAbstractItemModel *lines = importer.reportView()->model();
        QCOMPARE(lines->rowCount(), kRecords);
        for (const int row : {0, 4095, 4096, kRecords - 1})
            QVERIFY2(lines->index(row, 0).data().toString().startsWith(
                         QStringLiteral("Record %1 is not imported: ").arg(row + 1)),
                     qPrintable(lines->index(row, 0).data().toString()));
        importer.reportView()->scrollToBottom();
        QCOMPARE(misnamedControls(importer), QStringList());
        saveScreenshot(importer, QStringLiteral("import-report.png"), programBackground());

        const QString saved = m_environment->root() + QStringLiteral("/long-report.txt");
        m_presenter.saveAnswers = {saved};
        QVERIFY(importer.saveReportButton()->isEnabled());
        importer.saveReportButton()->click();
        QCOMPARE(m_presenter.saveProposals.last(),
                 m_environment->root() + QStringLiteral("/long-report.txt"));
        QFile report(saved);
        QVERIFY(report.open(QIODevice::ReadOnly));
        const QString written = QString::fromUtf8(report.readAll());
        QCOMPARE(written, importer.reportText());
        QCOMPARE(written.count(QStringLiteral(" is not imported: ")), kRecords);
        QCOMPARE(m_presenter.texts(), QStringList());
    }

    void exportThenDryRunImport()
    {
        const int stored = requirementCount();
        const QString reqif = m_environment->root() + QStringLiteral("/esd.reqif");
        ExchangeDialog exporter(m_open->workbench, ExchangeDialog::Direction::Export);
        QCOMPARE(exporter.windowTitle(), QStringLiteral("Export Requirements"));
        QCOMPARE(misnamedControls(exporter), QStringList());
        QCOMPARE(exporter.formatBox()->count(), 5);
        for (int format = 4; format >= 0; --format) {
            exporter.formatBox()->setCurrentIndex(format);
            const QString path = m_environment->root() + QStringLiteral("/esd.%1").arg(format);
            m_presenter.saveAnswers = {format == 0 ? reqif : path};
            for (QPushButton *button : exporter.findChildren<QPushButton *>()) {
                if (button->text() == QStringLiteral("&Browse..."))
                    button->click();
            }
            exporter.generateButton()->click();
            QCOMPARE(m_presenter.texts(), QStringList());
            QCOMPARE(exporter.panel()->status(), QStringLiteral("%1 requirement(s) written to %2.")
                                                     .arg(stored)
                                                     .arg(exporter.fileEdit()->text()));
            if (format == 4)
                saveScreenshot(exporter, QStringLiteral("export-spreadsheet.png"),
                               programBackground());
        }
        saveScreenshot(exporter, QStringLiteral("export-requirements.png"), programBackground());

        ExchangeDialog importer(m_open->workbench, ExchangeDialog::Direction::Import);
        QCOMPARE(misnamedControls(importer), QStringList());
        QCOMPARE(importer.formatBox()->count(), 3);
        QCOMPARE(importer.formatBox()->itemText(2),
                 QStringLiteral("Office Open XML spreadsheet (.xlsx)"));
        importer.fileEdit()->setText(reqif);
        importer.optionBox()->setChecked(true);
        importer.generateButton()->click();
        QCOMPARE(
            importer.panel()->status(),
            QStringLiteral("Would import 0 requirement(s) and 0 dependent link(s); %1 left out.")
                .arg(stored));
        QVERIFY(importer.reportText().contains(
            QStringLiteral("is not imported: it duplicates requirement 1 of the workspace.")));
        QCOMPARE(requirementCount(), stored);
        saveScreenshot(importer, QStringLiteral("import-requirements.png"), programBackground());
    }

    // A ReqIF file of several specifications: the Import dialog offers
    // them once the file is chosen, and takes the one picked.
    void importOfferSpecifications()
    {
        auto specification = [](const char *name, const char *text) {
            return QByteArray("<SPECIFICATION IDENTIFIER=\"s-") + name + "\" LONG-NAME=\"" + name +
                   "\"><CHILDREN><SPEC-HIERARCHY IDENTIFIER=\"h-" + name +
                   "\"><OBJECT><SPEC-OBJECT-REF>o-" + name +
                   "</SPEC-OBJECT-REF></OBJECT></SPEC-HIERARCHY></CHILDREN></SPECIFICATION>";
        };
        auto object = [](const char *name, const char *text) {
            return QByteArray("<SPEC-OBJECT IDENTIFIER=\"o-") + name +
                   "\"><VALUES><ATTRIBUTE-VALUE-STRING THE-VALUE=\"" + text +
                   "\"><DEFINITION><ATTRIBUTE-DEFINITION-STRING-REF>d</ATTRIBUTE-DEFINITION-STRING-"
                   "REF></DEFINITION></ATTRIBUTE-VALUE-STRING></VALUES></SPEC-OBJECT>";
        };
        const QString path = m_environment->root() + QStringLiteral("/two.reqif");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<REQ-IF xmlns=\"http://www.omg.org/spec/ReqIF/20110401/reqif.xsd\">"
                   "<CORE-CONTENT><REQ-IF-CONTENT><SPEC-OBJECTS>" +
                   object("System", "brake on an alarm") + object("Software", "close the valve") +
                   "</SPEC-OBJECTS><SPECIFICATIONS>" + specification("System", "") +
                   specification("Software", "") +
                   "</SPECIFICATIONS></REQ-IF-CONTENT></CORE-CONTENT></REQ-IF>");
        file.close();

        ExchangeDialog importer(m_open->workbench, ExchangeDialog::Direction::Import);
        QVERIFY(importer.specificationBox()->isHidden());
        m_presenter.openAnswers = {path};
        for (QPushButton *button : importer.findChildren<QPushButton *>()) {
            if (button->text() == QStringLiteral("&Browse..."))
                button->click();
        }
        QVERIFY(!importer.specificationBox()->isHidden());
        QCOMPARE(misnamedControls(importer), QStringList());
        QStringList offered;
        for (int i = 0; i < importer.specificationBox()->count(); ++i)
            offered.append(importer.specificationBox()->itemText(i));
        QCOMPARE(offered, (QStringList{"All 2 specifications", "System", "Software"}));
        importer.specificationBox()->setCurrentIndex(2);
        importer.optionBox()->setChecked(true);
        saveScreenshot(importer, QStringLiteral("import-specification.png"), programBackground());
        importer.generateButton()->click();
        QCOMPARE(importer.panel()->status(),
                 QStringLiteral("Would import 1 requirement(s) and 0 dependent link(s); 2 left "
                                "out."));
        QVERIFY(importer.reportText().contains(QStringLiteral("close the valve")));

        // Another file of one specification hides the choice again.
        importer.fileEdit()->setText(m_environment->root() + QStringLiteral("/none.reqif"));
        importer.readSpecifications();
        QVERIFY(importer.specificationBox()->isHidden());
    }

    // A comment stored with a control character: the export is written,
    // and its status line says what was written in its place.
    void exportNamesReplacedCharacters()
    {
        QSqlQuery damage(requirementsDatabaseOf(m_open->app));
        QVERIFY(damage.exec(QStringLiteral(
            "UPDATE MASTER_REQ SET Comments = 'bell' || char(7) WHERE Req_Num IN (2, 5)")));
        ExchangeDialog exporter(m_open->workbench, ExchangeDialog::Direction::Export);
        exporter.fileEdit()->setText(m_environment->root() + QStringLiteral("/bell.reqif"));
        exporter.generateButton()->click();
        QCOMPARE(m_presenter.texts(), QStringList());
        QCOMPARE(exporter.panel()->status(),
                 QStringLiteral("%1 requirement(s) written to %2;\n2 control character(s) of "
                                "requirement(s) 2, 5 written as visible characters.")
                     .arg(requirementCount())
                     .arg(exporter.fileEdit()->text()));
        QVERIFY(QFileInfo(exporter.fileEdit()->text()).size() > 0);
        saveScreenshot(exporter, QStringLiteral("export-replaced-characters.png"),
                       programBackground());
    }

    void badChoicesAreRefused_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("no file") << 0 << QString() << "Choose the file first.";
        QTest::newRow("missing file") << 1 << "/nonexistent/x.reqif"
                                      << "Cannot open /nonexistent/x.reqif:";
        QTest::newRow("unwritable") << 0 << "/nonexistent/x.reqif"
                                    << "Cannot write /nonexistent/x";
        QTest::newRow("folder") << 1 << "/"
                                << "/ is a folder, not a regular file.";
        QTest::newRow("the workspace file") << 0 << "<workspace>"
                                            << "<workspace> is the open workspace's own file";
        QTest::newRow("the database") << 0 << "<database>"
                                      << "<database> is the open workspace's own file";
    }

    void badChoicesAreRefused()
    {
        QFETCH(int, direction);
        QFETCH(QString, file);
        QFETCH(QString, message);
        const QString database = m_open->app.requirementsSource().databasePath();
        if (file == QLatin1String("<workspace>"))
            QVERIFY(m_open->app.saveWorkspace(m_environment->root() + QStringLiteral("/esd.vnp")));
        for (QString *text : {&file, &message}) {
            text->replace(QStringLiteral("<workspace>"), m_open->app.workspaceFilePath());
            text->replace(QStringLiteral("<database>"), database);
        }
        QFile own(database);
        QVERIFY(own.open(QIODevice::ReadOnly));
        const QByteArray before = own.readAll();
        own.close();
        ExchangeDialog dialog(m_open->workbench, ExchangeDialog::Direction(direction));
        dialog.fileEdit()->setText(file);
        dialog.generateButton()->click();
        QCOMPARE(m_presenter.messages.size(), 1);
        QVERIFY2(m_presenter.messages.first().text.startsWith(message),
                 qPrintable(m_presenter.messages.first().text));
        QVERIFY(own.open(QIODevice::ReadOnly));
        QCOMPARE(own.readAll(), before);
    }

    // Trace... of a requirement, Requirements of a class, and from the
    // class's list back to a requirement's trace; the commands come from the
    // registry as the menus and the Inspect trees run them.
    void traceWindows()
    {
        FeatureRegistry registry;
        registerLandedFeatures(registry);
        QVERIFY(registry.hasCommand(interchange::kExportRequirements));
        QVERIFY(registry.hasCommand(interchange::kImportRequirements));
        QVERIFY(registry.run(central::kTraceRequirement, m_open->workbench, 0));
        QCOMPARE(m_presenter.texts(), QStringList{"Select a requirement to trace."});

        QSqlQuery entity(requirementsDatabaseOf(m_open->app));
        QVERIFY(entity.exec(QStringLiteral(
            "SELECT e.Entity, MIN(r.FK_FReqNum) FROM OM_ENTITY e JOIN REQ_ENTITY r ON "
            "r.FK_OMEntity = e.Entity_ID GROUP BY e.Entity ORDER BY e.Entity LIMIT 1")));
        QVERIFY(entity.next());
        const QString name = entity.value(0).toString();
        const int first = entity.value(1).toInt();
        QStringList seen;
        int traced = 0;
        m_presenter.dialogHandler = [&seen, &traced](QDialog &dialog) {
            auto *trace = qobject_cast<TraceDialog *>(&dialog);
            if (!trace)
                return int(QDialog::Rejected);
            seen.append(trace->tree()->topLevelItem(0)->text(0).section(QLatin1Char(' '), 0, 0));
            dialog.show();
            [&] {
                checkScreenshot(dialog, QStringLiteral("requirements-of-class.png"), programBase());
            }();
            emit trace->tree()->itemActivated(trace->tree()->topLevelItem(0), 0);
            seen.append(dialog.windowTitle());
            traced = trace->tree()->topLevelItem(0)->childCount();
            [&] {
                checkScreenshot(dialog, QStringLiteral("trace-requirement.png"), programBase());
            }();
            return int(QDialog::Accepted);
        };
        QVERIFY(registry.runNamed(inspect::kClassRequirements, m_open->workbench, name));
        QCOMPARE(m_presenter.dialogTitles, QStringList{"Requirements of " + name});
        QCOMPARE(seen, (QStringList{QString::number(first),
                                    QStringLiteral("Trace of Requirement %1").arg(first)}));
        QVERIFY(traced > 0);

        TraceDialog unknown(m_open->workbench);
        QVERIFY(!unknown.showRequirement(99999));
        QVERIFY(!unknown.showEntity(QStringLiteral("NoSuchClass")));
        QCOMPARE(m_presenter.texts().mid(1),
                 (QStringList{"Requirement 99999 does not exist.",
                              "No entity of the object model is named \"NoSuchClass\"."}));
    }
};

QTEST_MAIN(ExchangeDialogsTest)
#include "tst_exchangedialogs.moc"
