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
    void exportThenDryRunImport()
    {
        const int stored = requirementCount();
        const QString reqif = m_environment->root() + QStringLiteral("/esd.reqif");
        ExchangeDialog exporter(m_open->workbench, ExchangeDialog::Direction::Export);
        QCOMPARE(exporter.windowTitle(), QStringLiteral("Export Requirements"));
        QCOMPARE(misnamedControls(exporter), QStringList());
        QCOMPARE(exporter.formatBox()->count(), 3);
        for (int format = 2; format >= 0; --format) {
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
        }
        saveScreenshot(exporter, QStringLiteral("export-requirements.png"), programBackground());

        ExchangeDialog importer(m_open->workbench, ExchangeDialog::Direction::Import);
        QCOMPARE(misnamedControls(importer), QStringList());
        QCOMPARE(importer.formatBox()->count(), 2);
        importer.fileEdit()->setText(reqif);
        importer.optionBox()->setChecked(true);
        importer.generateButton()->click();
        QCOMPARE(
            importer.panel()->status(),
            QStringLiteral("Would import 0 requirement(s) and 0 dependent link(s); %1 left out.")
                .arg(stored));
        QVERIFY(importer.reportView()->toPlainText().contains(
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
        QVERIFY(importer.reportView()->toPlainText().contains(QStringLiteral("close the valve")));

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
    }

    void badChoicesAreRefused()
    {
        QFETCH(int, direction);
        QFETCH(QString, file);
        QFETCH(QString, message);
        ExchangeDialog dialog(m_open->workbench, ExchangeDialog::Direction(direction));
        dialog.fileEdit()->setText(file);
        dialog.generateButton()->click();
        QCOMPARE(m_presenter.messages.size(), 1);
        QVERIFY2(m_presenter.messages.first().text.startsWith(message),
                 qPrintable(m_presenter.messages.first().text));
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
