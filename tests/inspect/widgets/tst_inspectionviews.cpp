// The Inspect Object Model window (the tree of classes in C++ and Java, read
// lazily, and the generated file of the selected class beside it) and the
// Inspect Data Model window.

#include "app/cvarnapp.h"
#include "app/widgets/cchildframe.h"
#include "app/widgets/featureregistry.h"
#include "app/widgets/labelledcontrols.h"
#include "app/widgets/mainactions.h"
#include "app/widgets/mainwindow.h"
#include "app/widgets/screenshot.h"
#include "app/widgets/testpresenter.h"
#include "app/widgets/windownavigator.h"
#include "app/widgets/workbench.h"
#include "app/widgets/workspacesuite.h"
#include "generate/modelgenerator.h"
#include "generate/widgets/generatordialog.h"
#include "inspect/widgets/cdatatreeview.h"
#include "inspect/widgets/chdrfileview.h"
#include "inspect/widgets/cobjtreeview.h"
#include "inspect/widgets/modelbrowserdialog.h"
#include "inspect/widgets/objectmodelview.h"
#include "main/landedfeatures.h"
#include "objmodel/widgets/regenerationdialog.h"
#include "support/appconnections.h"
#include "support/exampledrafts.h"
#include "support/workspaceenvironment.h"
#include "templates/functionalcommit.h"
#include "templates/widgets/functionaltemplatedialog.h"

#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

#include <memory>
#include <optional>

using namespace varn;
using namespace varn::app;
using inspect::CObjTreeView;
using inspect::ObjectModelView;

namespace {

QStringList childTexts(const QTreeWidgetItem *item)
{
    QStringList texts;
    for (int i = 0; i < item->childCount(); ++i)
        texts.append(item->child(i)->text(0));
    return texts;
}

QStringList topLevelTexts(const QTreeWidget &tree)
{
    QStringList texts;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        texts.append(tree.topLevelItem(i)->text(0));
    return texts;
}

QTreeWidgetItem *topLevel(const QTreeWidget &tree, const QString &text)
{
    const QList<QTreeWidgetItem *> found = tree.findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

} // namespace

// What changes the model or the files under open Inspect windows.
enum class ModelChange { TemplateSave, Regeneration, Generation };

Q_DECLARE_METATYPE(Workbench::Language)
Q_DECLARE_METATYPE(inspect::BrowserKind)
Q_DECLARE_METATYPE(ModelChange)

namespace {

QStringList listTexts(const QListWidget &list)
{
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts.append(list.item(i)->text());
    return texts;
}

// Every node of a tree, depth first.
QList<QTreeWidgetItem *> allNodes(const QTreeWidget &tree)
{
    QList<QTreeWidgetItem *> nodes;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget *>(&tree)); *it; ++it)
        nodes.append(*it);
    return nodes;
}

void select(QListWidget &list, const QString &text)
{
    const QList<QListWidgetItem *> found = list.findItems(text, Qt::MatchExactly);
    QVERIFY(!found.isEmpty());
    list.setCurrentItem(found.first());
}

} // namespace

class InspectionViewsTest : public WorkspaceSuite
{
    Q_OBJECT

    void exec(const QString &sql)
    {
        QSqlQuery query(requirementsDatabaseOf(m_open->app));
        QVERIFY2(query.exec(sql), qPrintable(sql + QLatin1Char('\n') + query.lastError().text()));
    }

    // Truck with an enumerated colour, a speed and a pointer to its driver.
    void storeModel()
    {
        exec(QStringLiteral("INSERT INTO OM_ENTITY VALUES (1, 'Truck'), (2, 'Driver'), "
                            "(3, 'Engine')"));
        exec(QStringLiteral("INSERT INTO OM_ATTR VALUES (1, 'colour', 'int', 1), (2, 'speed', "
                            "'long', 1), (3, '*pDriver', 'pointer', 1)"));
        exec(QStringLiteral("INSERT INTO OM_PV VALUES (1, 1, 'red'), (2, 1, 'green')"));
        exec(QStringLiteral("INSERT INTO OM_METHOD VALUES (1, 'displaySpeed', 1)"));
    }

    // Template 9's worked example, notifying another entity each time.
    void saveNotification(const QString &notified)
    {
        templates::FunctionalDraft draft = windSensorNotification(notified);
        const templates::CommitResult saved =
            templates::FunctionalCommit(*m_open->app.records(), m_open->app.systemName())
                .save(draft);
        QVERIFY2(saved.outcome, qPrintable(saved.outcome.message()));
    }

    void generateCpp()
    {
        QVERIFY(generate::ModelGenerator::generate(
                    generate::GeneratorKind::Cpp, m_open->app.requirementsConnectionName(),
                    {m_open->app.installPath(), m_open->app.systemName(), false})
                    .isOk());
    }

    // Changes the model or the generated files as the user does, through the
    // dialogs.
    void change(ModelChange what)
    {
        switch (what) {
        case ModelChange::TemplateSave: {
            templates::FunctionalTemplateDialog dialog(m_open->workbench, 9);
            const templates::FunctionalDraft example =
                windSensorNotification(QStringLiteral("baggage tram"));
            dialog.preambleList()->setCurrentIndex(1);
            for (int k = 0; k < example.fields.size(); ++k)
                dialog.setFieldText(k, example.fields[k].text);
            dialog.save();
            break;
        }
        case ModelChange::Regeneration: {
            exec(QStringLiteral("UPDATE MASTER_REQ SET FSTType = 'Deleted' WHERE Req_Num = 2"));
            objmodel::RegenerationDialog dialog(m_open->workbench,
                                                objmodel::RegenerationDialog::Opening::FromMenu);
            dialog.generateButton()->click();
            break;
        }
        case ModelChange::Generation: {
            generate::GeneratorDialog dialog(m_open->workbench,
                                             generate::GeneratorDialog::Output::ObjectModel);
            dialog.cppChoice()->click();
            dialog.generateButton()->click();
            break;
        }
        }
    }

private slots:
    void classOutlineInTheWindowsLanguage_data()
    {
        QTest::addColumn<Workbench::Language>("language");
        QTest::addColumn<QStringList>("members");
        QTest::newRow("C++")
            << Workbench::Language::Cpp
            << QStringList{"enum Colour",      "Colour getColour();",  "void setColour(Colour);",
                           "long getSpeed();", "void setSpeed(long);", "int displaySpeed();",
                           "Truck();",         "Truck(Colour, long);", "~Truck();",
                           "Colour _Colour;",  "long speed;",          "Driver *pDriver;"};
        QTest::newRow("Java") << Workbench::Language::Java
                              << QStringList{"enum Colour",
                                             "Colour getColour()",
                                             "void setColour(Colour inColour)",
                                             "long getSpeed()",
                                             "void setSpeed(long inSpeed)",
                                             "int displaySpeed()",
                                             "Colour colour;",
                                             "long speed;",
                                             "Driver driver;"};
    }

    void classOutlineInTheWindowsLanguage()
    {
        QFETCH(Workbench::Language, language);
        QFETCH(QStringList, members);
        storeModel();
        m_open->workbench.setObjectModelLanguage(language);
        ObjectModelView view(m_open->workbench);
        view.resize(700, 400);
        view.show();
        CObjTreeView &tree = *view.tree();
        QCOMPARE(topLevelTexts(tree), (QStringList{"Driver", "Engine", "Truck"}));
        QTreeWidgetItem *truck = topLevel(tree, QStringLiteral("Truck"));
        QCOMPARE(childTexts(truck), QStringList{QString()}); // the placeholder

        truck->setExpanded(true);
        QCOMPARE(childTexts(truck), members);
        QTreeWidgetItem *colours = truck->child(0);
        colours->setExpanded(true);
        QCOMPARE(childTexts(colours), (QStringList{"green", "red"}));
        if (language == Workbench::Language::Cpp)
            saveScreenshot(view, QStringLiteral("object-model.png"), programBase());

        truck->setExpanded(false);
        QCOMPARE(childTexts(truck), QStringList{QString()});
        QVERIFY(m_presenter.texts().isEmpty());
    }

    // Members are read on every expansion, so what was derived meanwhile shows.
    void expandingAgainReadsTheModelAgain()
    {
        storeModel();
        ObjectModelView view(m_open->workbench);
        view.show();
        QTreeWidgetItem *driver = topLevel(*view.tree(), QStringLiteral("Driver"));
        driver->setExpanded(true);
        QCOMPARE(childTexts(driver), QStringList{"Driver();"});
        driver->setExpanded(false);
        exec(QStringLiteral("INSERT INTO OM_ATTR VALUES (4, 'licence', 'int', 2)"));
        driver->setExpanded(true);
        QCOMPARE(childTexts(driver), (QStringList{"int getLicence();", "void setLicence(int);",
                                                  "Driver();", "Driver(int);", "int licence;"}));
    }

    void selectedClassShowsItsGeneratedFile()
    {
        storeModel();
        ObjectModelView view(m_open->workbench);
        view.show();
        CObjTreeView &tree = *view.tree();
        QTreeWidgetItem *truck = topLevel(tree, QStringLiteral("Truck"));
        tree.setCurrentItem(truck);
        QVERIFY(view.fileView()->shownText().startsWith(
            QStringLiteral("\n\nYour directory of C++ files does not exist.")));

        QVERIFY(generate::ModelGenerator::generate(
                    generate::GeneratorKind::Cpp, m_open->app.requirementsConnectionName(),
                    {m_open->app.installPath(), m_open->app.systemName(), false})
                    .isOk());
        tree.setCurrentItem(topLevel(tree, QStringLiteral("Driver")));
        truck->setExpanded(true);
        tree.setCurrentItem(truck->child(3)); // a member of Truck shows Truck's file
        const QString shown = view.fileView()->shownText();
        QVERIFY2(shown.contains(QStringLiteral("//FILENAME: Truck.h\n")), qPrintable(shown));
        QVERIFY(shown.contains(QStringLiteral("class Truck\n")));
        QVERIFY(!shown.contains(QLatin1Char('\r')));
    }

    // Open Inspect windows follow a save, a regeneration and a generation:
    // the classes are listed again, the class expanded and selected stays
    // so where it still exists, and the file pane shows what is on disk.
    void openWindowsFollowTheModel_data()
    {
        QTest::addColumn<ModelChange>("what");
        QTest::addColumn<bool>("generated"); // C++ files written before
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QStringList>("classes");
        QTest::addColumn<QString>("selectedAfter");
        QTest::addColumn<QString>("file"); // a text of the file pane
        const QStringList three{"GateController", "OperationalSubsystem", "RunwayWeatherStation"};
        const QStringList two{"OperationalSubsystem", "RunwayWeatherStation"};
        QTest::newRow("a template's save")
            << ModelChange::TemplateSave << true << "RunwayWeatherStation"
            << QStringList{"BaggageTram", "GateController", "OperationalSubsystem",
                           "RunwayWeatherStation"}
            << "RunwayWeatherStation"
            << "class RunwayWeatherStation";
        QTest::newRow("regeneration keeps the selected class")
            << ModelChange::Regeneration << true << "RunwayWeatherStation" << two
            << "RunwayWeatherStation"
            << "class RunwayWeatherStation";
        QTest::newRow("regeneration drops the selected class")
            << ModelChange::Regeneration << true << "GateController" << two << QString()
            << QString();
        QTest::newRow("generation")
            << ModelChange::Generation << false << "GateController" << three << "GateController"
            << "class GateController";
    }

    void openWindowsFollowTheModel()
    {
        QFETCH(ModelChange, what);
        QFETCH(bool, generated);
        QFETCH(QString, selected);
        QFETCH(QStringList, classes);
        QFETCH(QString, selectedAfter);
        QFETCH(QString, file);
        saveNotification(QStringLiteral("operational subsystem"));
        saveNotification(QStringLiteral("gate controller"));
        if (generated)
            generateCpp();
        FeatureRegistry registry;
        registerLandedFeatures(registry);
        std::unique_ptr<QWidget> objectWindow(
            registry.createView(inspect::kObjectModelWindow, m_open->workbench));
        auto *view = qobject_cast<ObjectModelView *>(objectWindow.get());
        std::unique_ptr<QWidget> dataWindow(
            registry.createView(inspect::kDataModelWindow, m_open->workbench));
        auto *tables = qobject_cast<inspect::CDataTreeView *>(dataWindow.get());
        QVERIFY(view && tables);
        view->show();
        tables->show();
        CObjTreeView &tree = *view->tree();
        QTreeWidgetItem *chosen = topLevel(tree, selected);
        QVERIFY(chosen);
        chosen->setExpanded(true);
        tree.setCurrentItem(chosen);
        topLevel(*tables, selected)->setExpanded(true);

        change(what);
        QCOMPARE(m_presenter.texts(), QStringList());
        QCOMPARE(topLevelTexts(tree), classes);
        QCOMPARE(topLevelTexts(*tables), classes);
        const QTreeWidgetItem *current = tree.currentItem();
        QCOMPARE(current ? current->text(0) : QString(), selectedAfter);
        if (current) {
            QVERIFY(current->isExpanded());
            QVERIFY(current->childCount() > 1); // read again, not the placeholder
            QVERIFY(topLevel(*tables, selectedAfter)->isExpanded());
        }
        const QString shown = view->fileView()->shownText();
        if (file.isEmpty())
            QCOMPARE(shown, QString());
        else
            QVERIFY2(shown.contains(file), qPrintable(shown.left(300)));
    }

    // A member longer than the pane is wide is shown whole (the pane
    // scrolls), and every node tells its text as its tooltip.
    void membersAreShownWhole_data()
    {
        QTest::addColumn<Workbench::Language>("language");
        QTest::newRow("C++") << Workbench::Language::Cpp;
        QTest::newRow("Java") << Workbench::Language::Java;
    }

    void membersAreShownWhole()
    {
        QFETCH(Workbench::Language, language);
        storeModel();
        exec(QStringLiteral("INSERT INTO OM_ATTR VALUES (4, 'sustainedCrosswindComponent', "
                            "'double', 1)"));
        m_open->workbench.setObjectModelLanguage(language);
        ObjectModelView view(m_open->workbench);
        view.resize(420, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        CObjTreeView &tree = *view.tree();
        QTreeWidgetItem *truck = topLevel(tree, QStringLiteral("Truck"));
        truck->setExpanded(true);
        truck->child(0)->setExpanded(true);
        QCoreApplication::processEvents();
        QVERIFY(tree.horizontalScrollBar()->maximum() > 0);
        for (const QTreeWidgetItem *node : allNodes(tree)) {
            if (node->text(0).isEmpty())
                continue;
            QCOMPARE(node->toolTip(0), node->text(0));
            const int needed =
                tree.iconSize().width() + tree.fontMetrics().horizontalAdvance(node->text(0)) + 8;
            QVERIFY2(tree.visualItemRect(node).width() >= needed, qPrintable(node->text(0)));
        }
        QCOMPARE(unnamedControls(view).join(", "), QString());
        if (language == Workbench::Language::Java)
            checkScreenshot(view, QStringLiteral("object-model-java.png"), programBase());
    }

    void emptyModelIsReported()
    {
        ObjectModelView view(m_open->workbench);
        view.show();
        QCOMPARE(view.tree()->topLevelItemCount(), 0);
        QCOMPARE(m_presenter.texts(),
                 QStringList{"There are no requirements for the current system. To view your "
                             "object model,\ncreate at least one functional or structural "
                             "requirement."});
    }

    void javaCommandOpensTheWindowInJava()
    {
        storeModel();
        FeatureRegistry registry;
        registerLandedFeatures(registry);
        MainWindow window(m_open->app, m_presenter, registry);
        window.show();
        QVERIFY(window.actions().item(inspect::kJavaObjectModel)->isEnabled());
        window.actions().item(inspect::kJavaObjectModel)->trigger();
        CChildFrame *frame = window.navigator().frame(inspect::kObjectModelWindow);
        QVERIFY(frame);
        auto *view = qobject_cast<ObjectModelView *>(frame->widget());
        QVERIFY(view);
        QTreeWidgetItem *truck = topLevel(*view->tree(), QStringLiteral("Truck"));
        QVERIFY(truck);
        truck->setExpanded(true);
        QVERIFY(childTexts(truck).contains(QStringLiteral("Driver driver;")));
        QVERIFY(!window.actions().item(inspect::kCppObjectModel)->isEnabled());
        window.navigator().closeAll();
    }

    void dataModelWindowShowsTheTablesColumns()
    {
        storeModel();
        FeatureRegistry registry;
        registerLandedFeatures(registry);
        MainWindow window(m_open->app, m_presenter, registry);
        window.show();
        QVERIFY(window.actions().item(inspect::kDataModel)->isEnabled());
        window.actions().item(inspect::kDataModel)->trigger();
        CChildFrame *frame = window.navigator().frame(inspect::kDataModelWindow);
        QVERIFY(frame);
        auto *tree = qobject_cast<inspect::CDataTreeView *>(frame->widget());
        QVERIFY(tree);
        QCOMPARE(topLevelTexts(*tree), (QStringList{"Driver", "Engine", "Truck"}));
        QTreeWidgetItem *truck = topLevel(*tree, QStringLiteral("Truck"));
        truck->setExpanded(true);
        QCOMPARE(childTexts(truck),
                 (QStringList{"PKID_Entity1 : long", "colour : short", "speed : long"}));
        QTreeWidgetItem *driver = topLevel(*tree, QStringLiteral("Driver"));
        driver->setExpanded(true);
        QCOMPARE(childTexts(driver), (QStringList{"PKID_Entity2 : long", "FKp_Truck : long"}));
        QCOMPARE(unnamedControls(*frame).join(", "), QString());
        truck->setExpanded(false);
        QCOMPARE(childTexts(truck), QStringList{QString()});
        QVERIFY(m_presenter.texts().isEmpty());
        window.navigator().closeAll();
    }

    void browsingDialogs_data()
    {
        QTest::addColumn<inspect::BrowserKind>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("noSelection");
        QTest::addColumn<QList<QStringList>>("truck");
        QTest::addColumn<bool>("selectionEmpties");
        QTest::newRow("entities") << inspect::BrowserKind::Entities
                                  << QStringLiteral("Object Model Entities")
                                  << QStringLiteral("An entity must be selected to see its "
                                                    "definition.")
                                  << QList<QStringList>{{"None."}} << false;
        QTest::newRow("attributes")
            << inspect::BrowserKind::Attributes << QStringLiteral("Object Model Attributes")
            << QStringLiteral("Select an entity to see attributes.")
            << QList<QStringList>{{"int colour", "long speed"}, {"Driver driver;"}, {"None."}}
            << true;
        QTest::newRow("methods") << inspect::BrowserKind::Methods
                                 << QStringLiteral("Object Model Methods")
                                 << QStringLiteral("Select an entity to see methods.")
                                 << QList<QStringList>{{"int displaySpeed();"}} << true;
    }

    void browsingDialogs()
    {
        QFETCH(inspect::BrowserKind, kind);
        QFETCH(QString, title);
        QFETCH(QString, noSelection);
        QFETCH(QList<QStringList>, truck);
        QFETCH(bool, selectionEmpties);
        storeModel();
        inspect::ModelBrowserDialog dialog(m_open->workbench, kind);
        QCOMPARE(dialog.windowTitle(), title);
        QCOMPARE(dialog.palette().color(QPalette::Window), QColor(173, 227, 194));
        QCOMPARE(listTexts(*dialog.entityList()), (QStringList{"Driver", "Engine", "Truck"}));

        dialog.seeButton()->click();
        QCOMPARE(m_presenter.texts(), QStringList{noSelection});
        for (const QListWidget *results : dialog.resultLists())
            QCOMPARE(results->count(), 0);

        select(*dialog.entityList(), QStringLiteral("Truck"));
        dialog.seeButton()->click();
        QList<QStringList> shown;
        for (const QListWidget *results : dialog.resultLists())
            shown.append(listTexts(*results));
        QCOMPARE(shown, truck);
        if (kind == inspect::BrowserKind::Attributes)
            saveScreenshot(dialog, QStringLiteral("object-model-attributes.png"),
                           QColor(173, 227, 194));

        select(*dialog.entityList(), QStringLiteral("Driver"));
        QCOMPARE(dialog.resultLists().first()->count() == 0, selectionEmpties);
        emit dialog.entityList()->itemDoubleClicked(dialog.entityList()->currentItem());
        QCOMPARE(listTexts(*dialog.resultLists().first()), QStringList{"None."});
        QCOMPARE(m_presenter.texts().size(), 1);
    }

    void browsingCommandsOpenTheirDialogs()
    {
        FeatureRegistry registry;
        registerLandedFeatures(registry);
        MainWindow window(m_open->app, m_presenter, registry);
        const MainActions &actions = window.actions();
        for (QAction *action : {actions.item(inspect::kObjectModelEntities),
                                actions.item(inspect::kObjectModelAttributes),
                                actions.item(inspect::kObjectModelMethods)})
            QVERIFY2(action->isEnabled(), qPrintable(action->text()));
        actions.item(inspect::kObjectModelAttributes)->trigger();
        QCOMPARE(m_presenter.dialogTitles, QStringList{"Object Model Attributes"});
    }
};

QTEST_MAIN(InspectionViewsTest)
#include "tst_inspectionviews.moc"
