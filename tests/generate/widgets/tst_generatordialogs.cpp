// The regeneration dialog and the two generator dialogs, driven as a user
// drives them on a workspace holding the worked examples.

#include "app/cvarnapp.h"
#include "app/widgets/featureregistry.h"
#include "app/widgets/labelledcontrols.h"
#include "app/widgets/mainactions.h"
#include "app/widgets/mainwindow.h"
#include "app/widgets/progresspanel.h"
#include "app/widgets/screenshot.h"
#include "app/widgets/testpresenter.h"
#include "app/widgets/workbench.h"
#include "app/widgets/workspacesuite.h"
#include "generate/widgets/generatordialog.h"
#include "main/landedfeatures.h"
#include "objmodel/widgets/regenerationdialog.h"
#include "support/appconnections.h"
#include "support/storetestsupport.h"
#include "support/workedexamples.h"
#include "support/workspaceenvironment.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QtTest>

#include <memory>
#include <optional>

using namespace varn;
using namespace varn::app;
using generate::GeneratorDialog;
using objmodel::RegenerationDialog;

namespace {

const QString kSystem = QStringLiteral("ESD");
const QString kReady = QStringLiteral("\n    Ready.");
const QString kSuccess = QStringLiteral("\nSuccess. Your object model database has been rebuilt.");
const QString kRebuildFailed = QStringLiteral(
    "The object model database could not be rebuilt. At least one Functional or Structural "
    "requirement\nmust be saved before regenerating the object model database.");
const QString kNoEntities = QStringLiteral(
    "There are no records in the OM_Entity table. No Requirements have been created for the "
    "current system.\nUse the Templates or Builder to create requirements before attempting to "
    "Generate.");

} // namespace

Q_DECLARE_METATYPE(RegenerationDialog::Opening)
Q_DECLARE_METATYPE(GeneratorDialog::Output)

// Stands in for the desktop's file manager.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened.append(url); }
};

class GeneratorDialogsTest : public WorkspaceSuite
{
    Q_OBJECT

public:
    GeneratorDialogsTest() : WorkspaceSuite(kSystem) {}

    void saveExamples()
    {
        QVERIFY(WorkedExamples::saveAll(m_open->app.applicationConnectionName(),
                                        *m_open->app.records(), kSystem) > 50);
    }

    int scalar(const QString &sql) const
    {
        QSqlQuery query(requirementsDatabaseOf(m_open->app));
        return query.exec(sql) && query.next() ? query.value(0).toInt() : -1;
    }

    QStringList filesIn(const QString &folder, const QString &pattern) const
    {
        return QDir(m_open->app.installPath() + kSystem + folder).entryList({pattern}, QDir::Files);
    }

private slots:
    void regenerationRebuildsAndClearsTheFlag_data()
    {
        QTest::addColumn<RegenerationDialog::Opening>("opening");
        QTest::addColumn<QString>("firstStatus");
        QTest::newRow("from the menu") << RegenerationDialog::Opening::FromMenu << kReady;
        QTest::newRow("stale") << RegenerationDialog::Opening::Stale
                               << RegenerationDialog::staleText();
    }

    void regenerationRebuildsAndClearsTheFlag()
    {
        QFETCH(RegenerationDialog::Opening, opening);
        QFETCH(QString, firstStatus);
        saveExamples();
        // A deleted version and a technical requirement after them: walked
        // past, nothing to rebuild.
        for (const char *kind : {"Deleted", "Technical"})
            QVERIFY(QSqlQuery(requirementsDatabaseOf(m_open->app))
                        .exec(QStringLiteral("INSERT INTO MASTER_REQ (Req_Num, FSTType, ReqText) "
                                             "SELECT MAX(Req_Num) + 1, '%1', 'respond' FROM "
                                             "MASTER_REQ")
                                  .arg(QLatin1String(kind))));
        const int entities = scalar(QStringLiteral("SELECT COUNT(*) FROM OM_ENTITY"));
        m_open->app.setRequirementsChanged(true);

        RegenerationDialog dialog(m_open->workbench, opening);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Regenerate Object Model Database"));
        QCOMPARE(dialog.palette().color(QPalette::Window), QColor(253, 233, 161));
        QCOMPARE(dialog.panel()->status(), firstStatus);
        QCOMPARE(dialog.panel()->percentText(), QStringLiteral("0"));

        dialog.generateButton()->click();
        QCOMPARE(m_presenter.texts(), QStringList());
        QCOMPARE(dialog.panel()->status(), kSuccess);
        QCOMPARE(dialog.panel()->percentText(), QStringLiteral("100"));
        QCOMPARE(dialog.panel()->barValue(), 100);
        QCOMPARE(dialog.panel()->processedText(),
                 QString::number(scalar(QStringLiteral(
                     "SELECT COUNT(*) FROM MASTER_REQ WHERE FSTType IN ('Functional', "
                     "'Structural')"))));
        QVERIFY(!m_open->app.requirementsChanged());
        QVERIFY(dialog.isEnabled());
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM OM_ENTITY")), entities);
        QCOMPARE(scalar(QStringLiteral("SELECT MIN(Entity_ID) FROM OM_ENTITY")), 1);
        saveScreenshot(dialog, QStringLiteral("regeneration.png"), QColor(253, 233, 161));
    }

    // One requirement that cannot be rebuilt: the rest is, and the final
    // message gives the count.
    void regenerationCountsWhatItCouldNotRebuild()
    {
        saveExamples();
        QSqlQuery trigger(requirementsDatabaseOf(m_open->app));
        QVERIFY(trigger.exec(QStringLiteral(
            "CREATE TRIGGER refuse BEFORE INSERT ON REQ_ENTITY WHEN NEW.FK_FReqNum = (SELECT "
            "MIN(F_ReqNum) FROM FUNC_REQ) BEGIN SELECT RAISE(ABORT, 'refused'); END")));
        RegenerationDialog dialog(m_open->workbench, RegenerationDialog::Opening::FromMenu);
        dialog.generateButton()->click();
        const QString summary = QStringLiteral(
            "Your object model database has been rebuilt, but 1 requirement could not be rebuilt.");
        QVERIFY(!m_presenter.texts().isEmpty());
        QCOMPARE(m_presenter.texts().last(), summary);
        QCOMPARE(dialog.panel()->status(), QLatin1Char('\n') + summary);
        QVERIFY(scalar(QStringLiteral("SELECT COUNT(*) FROM OM_ENTITY")) > 0);
    }

    // Nothing saved: the rebuild fails, the message is shown and the flag stays.
    void regenerationFailureIsShown()
    {
        m_open->app.setRequirementsChanged(true);
        RegenerationDialog dialog(m_open->workbench, RegenerationDialog::Opening::FromMenu);
        dialog.generateButton()->click();
        QCOMPARE(m_presenter.texts(), QStringList{kRebuildFailed});
        QVERIFY(dialog.panel()->status() != kSuccess);
        QVERIFY(m_open->app.requirementsChanged());
        QVERIFY(dialog.isEnabled());
    }

    void generatorWritesTheChosenOutput_data()
    {
        QTest::addColumn<GeneratorDialog::Output>("output");
        QTest::addColumn<QString>("language"); // "java", "cpp", "cpp verbose" or ""
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("marker"); // a text only this output holds
        QTest::newRow("SQL module")
            << GeneratorDialog::Output::DataModelSql << QString() << QStringLiteral(" SQL")
            << QStringLiteral("*.sql") << QStringLiteral("CREATE TABLE");
        QTest::newRow("Java classes") << GeneratorDialog::Output::ObjectModel
                                      << QStringLiteral("java") << QStringLiteral(" Java Files")
                                      << QStringLiteral("*.java") << QStringLiteral("public class");
        QTest::newRow("C++ headers")
            << GeneratorDialog::Output::ObjectModel << QStringLiteral("cpp")
            << QStringLiteral(" C++ Files") << QStringLiteral("*.h") << QStringLiteral("  public:");
        QTest::newRow("verbose C++ headers")
            << GeneratorDialog::Output::ObjectModel << QStringLiteral("cpp verbose")
            << QStringLiteral(" C++ Files") << QStringLiteral("*.h")
            << QStringLiteral("//Constructors");
    }

    void generatorWritesTheChosenOutput()
    {
        QFETCH(GeneratorDialog::Output, output);
        QFETCH(QString, language);
        QFETCH(QString, folder);
        QFETCH(QString, pattern);
        QFETCH(QString, marker);
        saveExamples();
        GeneratorDialog dialog(m_open->workbench, output);
        QCOMPARE(dialog.windowTitle(), GeneratorDialog::title(output));
        QCOMPARE(dialog.panel()->status(), QStringLiteral("Ready."));
        if (language.startsWith(QLatin1String("cpp")))
            dialog.cppChoice()->click();
        if (language.endsWith(QLatin1String("verbose")))
            dialog.verboseBox()->click();

        QVERIFY(!dialog.openFolderButton()->isEnabled());
        dialog.generateButton()->click();
        QCOMPARE(m_presenter.texts(), QStringList());
        QCOMPARE(dialog.panel()->percentText(), QStringLiteral("100"));
        const QStringList files = filesIn(folder, pattern);
        QCOMPARE(files.size(), output == GeneratorDialog::Output::DataModelSql
                                   ? 2 // the module and the schema
                                   : scalar(QStringLiteral("SELECT COUNT(*) FROM OM_ENTITY")));
        // The dialog ends naming the folder and the count, and opens the folder.
        const QString written = m_open->app.installPath() + kSystem + folder;
        QCOMPARE(dialog.panel()->status(),
                 QStringLiteral("Finished generating.\n%1 file(s) written to %2")
                     .arg(files.size())
                     .arg(written));
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
        dialog.openFolderButton()->click();
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(catcher.opened, QList<QUrl>{QUrl::fromLocalFile(written)});
        QFile first(m_open->app.installPath() + kSystem + folder + QLatin1Char('/') +
                    files.first());
        QVERIFY(first.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(first.readAll());
        QVERIFY2(text.contains(marker), qPrintable(text.left(400)));
        QCOMPARE(text.contains(QLatin1String("//Constructors")),
                 language == QLatin1String("cpp verbose"));
        if (language == QLatin1String("cpp verbose") ||
            output == GeneratorDialog::Output::DataModelSql)
            saveScreenshot(dialog,
                           QStringLiteral("generate-%1.png")
                               .arg(output == GeneratorDialog::Output::DataModelSql
                                        ? QStringLiteral("sql")
                                        : QStringLiteral("object-model")),
                           QColor(184, 228, 250));
    }

    // The result names a long folder: it wraps inside the dialog, every word
    // of it shown, also in a system with a longer name.
    void resultIsShownWhole_data()
    {
        QTest::addColumn<GeneratorDialog::Output>("output");
        QTest::newRow("Java classes") << GeneratorDialog::Output::ObjectModel;
        QTest::newRow("SQL module") << GeneratorDialog::Output::DataModelSql;
    }

    void resultIsShownWhole()
    {
        QFETCH(GeneratorDialog::Output, output);
        saveExamples();
        GeneratorDialog dialog(m_open->workbench, output);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.generateButton()->click();
        QCOMPARE(m_presenter.texts(), QStringList());
        QVERIFY(dialog.panel()->status().contains(QStringLiteral(" file(s) written to ")));
        QCoreApplication::processEvents();
        const auto *status = dialog.panel()->findChild<QLabel *>(QStringLiteral("status"));
        QVERIFY(status);
        const QRect room = status->contentsRect();
        const QRect needed = status->fontMetrics().boundingRect(QRect(0, 0, room.width(), 10000),
                                                                Qt::TextWordWrap, status->text());
        QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(),
                 qPrintable(QStringLiteral("%1x%2 in %3x%4")
                                .arg(needed.width())
                                .arg(needed.height())
                                .arg(room.width())
                                .arg(room.height())));
        const QRect inDialog(status->mapTo(&dialog, QPoint(0, 0)), status->size());
        QVERIFY(dialog.rect().contains(inDialog));
        QCOMPARE(unnamedControls(dialog).join(", "), QString());
        if (output == GeneratorDialog::Output::ObjectModel)
            checkScreenshot(dialog, QStringLiteral("generate-result.png"), QColor(184, 228, 250));
    }

    void verboseAppliesOnlyToCpp()
    {
        GeneratorDialog objectModel(m_open->workbench, GeneratorDialog::Output::ObjectModel);
        QVERIFY(objectModel.javaChoice()->isChecked());
        QCOMPARE(objectModel.javaChoice()->text(), QStringLiteral("Java file output (.java)"));
        QCOMPARE(objectModel.cppChoice()->text(), QStringLiteral("C++ header file output (.h)"));
        QCOMPARE(objectModel.verboseBox()->toolTip(),
                 QStringLiteral("Check for enums, get/set methods, constructors/destructors"));
        QVERIFY(!objectModel.verboseBox()->isEnabled());
        objectModel.cppChoice()->click();
        QVERIFY(objectModel.verboseBox()->isEnabled());
        QCOMPARE(objectModel.chosenKind(), generate::GeneratorKind::Cpp);
        objectModel.javaChoice()->click();
        QVERIFY(!objectModel.verboseBox()->isEnabled());
        QCOMPARE(objectModel.chosenKind(), generate::GeneratorKind::Java);

        GeneratorDialog sql(m_open->workbench, GeneratorDialog::Output::DataModelSql);
        QVERIFY(!sql.javaChoice() && !sql.cppChoice() && !sql.verboseBox());
        QCOMPARE(sql.chosenKind(), generate::GeneratorKind::Sql);
    }

    // Before generating, the dialog says what changed since the chosen
    // output was last generated: never generated, nothing, or how many and
    // the first few of them.
    void saysWhatChangedSinceTheLastGeneration()
    {
        saveExamples();
        const auto shown = [](const GeneratorDialog &dialog) {
            static const QRegularExpression when(QStringLiteral(" \\(\\S+ by [^)]*\\)"));
            return dialog.stalenessLine()->text().replace(when, QString());
        };
        const QString never =
            QStringLiteral("No generation of this output is recorded for the workspace yet.");
        const QString nothing = QStringLiteral("No requirement changed since the last generation.");
        {
            GeneratorDialog dialog(m_open->workbench, GeneratorDialog::Output::ObjectModel);
            QCOMPARE(shown(dialog), never);
            dialog.generateButton()->click();
            QCOMPARE(m_presenter.texts(), QStringList());
            QCOMPARE(shown(dialog), nothing);
            dialog.cppChoice()->click(); // another output, not generated yet
            QCOMPARE(shown(dialog), never);
            dialog.javaChoice()->click();
            QCOMPARE(shown(dialog), nothing);
        }
        const int last = scalar(QStringLiteral("SELECT MAX(Req_Num) FROM MASTER_REQ"));
        const QStringList live = StoreTestSupport::column(
            requirementsDatabaseOf(m_open->app).connectionName(),
            QStringLiteral("SELECT Req_Num FROM MASTER_REQ WHERE FSTType <> 'Deleted' ORDER BY "
                           "Req_Num LIMIT 6"));
        QSqlQuery change(requirementsDatabaseOf(m_open->app));
        QVERIFY(change.exec(QStringLiteral("UPDATE MASTER_REQ SET FSTType = 'Deleted' WHERE "
                                           "Req_Num IN (%1)")
                                .arg(live.join(u','))));
        QVERIFY(change.exec(QStringLiteral("INSERT INTO MASTER_REQ (Req_Num, FSTType, ReqText) "
                                           "VALUES (%1, 'Technical', 'respond')")
                                .arg(last + 1)));
        GeneratorDialog dialog(m_open->workbench, GeneratorDialog::Output::ObjectModel);
        QStringList items;
        for (int i = 0; i < 5; ++i)
            items.append(live.at(i) + QStringLiteral(" deleted"));
        QCOMPARE(shown(dialog),
                 QStringLiteral("7 requirement(s) changed since the last generation: %1 and 2 "
                                "more.")
                     .arg(items.join(QStringLiteral(", "))));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        saveScreenshot(dialog, QStringLiteral("generate-stale.png"), QColor(184, 228, 250));
        const QRect line(dialog.stalenessLine()->mapTo(&dialog, QPoint(0, 0)),
                         dialog.stalenessLine()->size());
        QVERIFY(dialog.rect().contains(line));
    }

    void emptyModelIsReported()
    {
        GeneratorDialog dialog(m_open->workbench, GeneratorDialog::Output::DataModelSql);
        dialog.generateButton()->click();
        QCOMPARE(m_presenter.texts(), QStringList{kNoEntities});
        QVERIFY(dialog.isEnabled());
        QVERIFY(!QDir(m_open->app.installPath() + kSystem + QStringLiteral(" SQL")).exists());
    }

    void backgroundFollowsTheColourScheme_data()
    {
        QTest::addColumn<int>("scheme");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("sky blue") << 0 << QColor(184, 228, 250);
        QTest::newRow("bisque") << 1 << QColor(250, 224, 202);
        QTest::newRow("lavender blush") << 2 << QColor(250, 221, 255);
    }

    void backgroundFollowsTheColourScheme()
    {
        QFETCH(int, scheme);
        QFETCH(QColor, colour);
        m_open->workbench.setBackgroundColour(scheme);
        GeneratorDialog dialog(m_open->workbench, GeneratorDialog::Output::ObjectModel);
        QCOMPARE(dialog.palette().color(QPalette::Window), colour);
        QVERIFY(m_presenter.texts().isEmpty());
        QVERIFY(!GeneratorDialog::background(3).isValid());
    }

    // The menu commands: a generator offers the regeneration first when
    // requirements were edited or deleted since the last one.
    void staleRequirementsAreRegeneratedFirst_data()
    {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QStringList>("dialogs");
        const QString generator = QStringLiteral("Generate Object Model");
        QTest::newRow("requirements changed")
            << true << QStringList{RegenerationDialog::title(), generator};
        QTest::newRow("nothing changed") << false << QStringList{generator};
    }

    void staleRequirementsAreRegeneratedFirst()
    {
        QFETCH(bool, changed);
        QFETCH(QStringList, dialogs);
        saveExamples();
        m_open->app.setRequirementsChanged(changed);
        QStringList openingStatus;
        m_presenter.dialogHandler = [&openingStatus](QDialog &dialog) {
            if (auto *regeneration = qobject_cast<RegenerationDialog *>(&dialog)) {
                openingStatus.append(regeneration->panel()->status());
                regeneration->generateButton()->click();
            }
            return int(QDialog::Rejected);
        };
        FeatureRegistry registry;
        registerLandedFeatures(registry);
        QVERIFY(registry.hasCommand(objmodel::kRegenerateObjectModel));
        QVERIFY(registry.hasCommand(generate::kRegenerateFirst));
        QVERIFY(registry.hasCommand(generate::kGenerateDataModelSql));
        QVERIFY(registry.run(generate::kGenerateObjectModel, m_open->workbench));
        QCOMPARE(m_presenter.dialogTitles, dialogs);
        QCOMPARE(openingStatus,
                 changed ? QStringList{RegenerationDialog::staleText()} : QStringList());
        QVERIFY(!m_open->app.requirementsChanged());
    }

    // The menu items of the program's own features are enabled with a
    // workspace open and open their dialogs.
    void menuItemsOpenTheDialogs()
    {
        FeatureRegistry registry;
        registerLandedFeatures(registry);
        MainWindow window(m_open->app, m_presenter, registry);
        const MainActions &actions = window.actions();
        const QList<QPair<QAction *, QString>> items = {
            {actions.item(objmodel::kRegenerateObjectModel), RegenerationDialog::title()},
            {actions.item(generate::kGenerateObjectModel), QStringLiteral("Generate Object Model")},
            {actions.item(generate::kGenerateDataModelSql),
             QStringLiteral("Generate Data Model SQL")}};
        for (const auto &[action, title] : items) {
            QVERIFY2(action->isEnabled(), qPrintable(action->text()));
            m_presenter.dialogTitles.clear();
            action->trigger();
            QCOMPARE(m_presenter.dialogTitles, QStringList{title});
        }
    }
};

QTEST_MAIN(GeneratorDialogsTest)
#include "tst_generatordialogs.moc"
