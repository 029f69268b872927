// The Inspect Object Model window (the tree of classes in C++ and Java, read
// lazily, and the generated file of the selected class beside it) and the
// Inspect Data Model window.

#include "app/cvarnapp.h"
#include "app/widgets/cchildframe.h"
#include "app/widgets/featureregistry.h"
#include "app/widgets/mainactions.h"
#include "app/widgets/mainwindow.h"
#include "app/widgets/screenshot.h"
#include "app/widgets/testpresenter.h"
#include "app/widgets/windownavigator.h"
#include "app/widgets/workbench.h"
#include "app/widgets/workspacesuite.h"
#include "generate/modelgenerator.h"
#include "inspect/widgets/cdatatreeview.h"
#include "inspect/widgets/chdrfileview.h"
#include "inspect/widgets/cobjtreeview.h"
#include "inspect/widgets/modelbrowserdialog.h"
#include "inspect/widgets/objectmodelview.h"
#include "support/workspaceenvironment.h"

#include <QDir>
#include <QListWidget>
#include <QPushButton>
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

Q_DECLARE_METATYPE(Workbench::Language)
Q_DECLARE_METATYPE(inspect::BrowserKind)

namespace {

QStringList listTexts(const QListWidget &list)
{
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts.append(list.item(i)->text());
    return texts;
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
        QSqlQuery query(m_open->app.requirementsDatabase());
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
            saveScreenshot(view, QStringLiteral("object-model.png"));

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
                    generate::GeneratorKind::Cpp, m_open->app.requirementsDatabase(),
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
        QVERIFY(window.actions().javaObjectModel->isEnabled());
        window.actions().javaObjectModel->trigger();
        CChildFrame *frame = window.navigator().frame(WindowKind::ObjectModel);
        QVERIFY(frame);
        auto *view = qobject_cast<ObjectModelView *>(frame->widget());
        QVERIFY(view);
        QTreeWidgetItem *truck = topLevel(*view->tree(), QStringLiteral("Truck"));
        QVERIFY(truck);
        truck->setExpanded(true);
        QVERIFY(childTexts(truck).contains(QStringLiteral("Driver driver;")));
        QVERIFY(!window.actions().cppObjectModel->isEnabled());
        window.navigator().closeAll();
    }

    void dataModelWindowShowsTheTablesColumns()
    {
        storeModel();
        FeatureRegistry registry;
        registerLandedFeatures(registry);
        MainWindow window(m_open->app, m_presenter, registry);
        window.show();
        QVERIFY(window.actions().dataModel->isEnabled());
        window.actions().dataModel->trigger();
        CChildFrame *frame = window.navigator().frame(WindowKind::DataModel);
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
            saveScreenshot(dialog, QStringLiteral("object-model-attributes.png"));

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
        for (QAction *action : {actions.objectModelEntities, actions.objectModelAttributes,
                                actions.objectModelMethods})
            QVERIFY2(action->isEnabled(), qPrintable(action->text()));
        actions.objectModelAttributes->trigger();
        QCOMPARE(m_presenter.dialogTitles, QStringList{"Object Model Attributes"});
    }
};

QTEST_MAIN(InspectionViewsTest)
#include "tst_inspectionviews.moc"
