#include "inspect/widgets/objectmodelview.h"

#include "app/cvarnapp.h"
#include "app/widgets/featureregistry.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/workbench.h"
#include "generate/modelgenerator.h"
#include "inspect/inspecttr.h"
#include "inspect/widgets/cdatatreeview.h"
#include "inspect/widgets/chdrfileview.h"
#include "inspect/widgets/cobjtreeview.h"
#include "inspect/widgets/modelbrowserdialog.h"

namespace varn::inspect {

namespace {

// A tree of the model reads it again whenever a save or a regeneration
// changed it.
void followModelChanges(LazyTree *tree, app::Workbench &workbench)
{
    QObject::connect(&workbench, &app::Workbench::requirementsStored, tree, &LazyTree::refresh);
    QObject::connect(&workbench, &app::Workbench::objectModelRebuilt, tree, &LazyTree::refresh);
}

} // namespace

ObjectModelView::ObjectModelView(app::Workbench &workbench, QWidget *parent)
    : QSplitter(Qt::Horizontal, parent)
{
    const bool java = workbench.objectModelLanguage() == app::Workbench::Language::Java;
    const generate::GeneratorKind kind =
        java ? generate::GeneratorKind::Java : generate::GeneratorKind::Cpp;
    const app::CVarnApp &application = workbench.app();
    m_tree = new CObjTreeView(application.requirementsConnectionName(),
                              java ? OutlineLanguage::Java : OutlineLanguage::Cpp, this);
    m_fileView = new CHdrFileView(generate::ModelGenerator::outputFolder(
                                      kind, application.installPath(), application.systemName()),
                                  kind, this);
    addWidget(m_tree);
    addWidget(m_fileView);
    setStretchFactor(0, 2);
    setStretchFactor(1, 3);
    connect(m_tree, &CObjTreeView::classSelected, m_fileView, &CHdrFileView::showClass);
    followModelChanges(m_tree, workbench);
    connect(&workbench, &app::Workbench::filesGenerated, m_fileView, &CHdrFileView::refresh);
    connect(m_tree, &CObjTreeView::message, this,
            [&workbench](const Outcome &outcome) { workbench.showMessage(outcome); });
}

namespace {

using app::Workbench;

bool showsJava(const Workbench &workbench)
{
    return workbench.objectModelLanguage() == Workbench::Language::Java;
}

QString languageName(bool java)
{
    return java ? QStringLiteral("Java") : QStringLiteral("C++");
}

// A class's requirements, when a feature lists them.
void offerRequirements(const app::FeatureRegistry &registry, LazyTree *tree, Workbench &workbench)
{
    if (!registry.hasNamedCommand(kClassRequirements))
        return;
    tree->addRequirementsAction();
    QObject::connect(tree, &LazyTree::requirementsRequested, tree,
                     [&registry, &workbench](const QString &name) {
                         registry.runNamed(kClassRequirements, workbench, name);
                     });
}

void registerWindows(app::FeatureRegistry &registry)
{
    app::WindowSpec objectModel;
    objectModel.kind = kObjectModelWindow;
    objectModel.name = Tr::tr("Inspect Object Model");
    objectModel.title = Tr::tr("Inspect Object Model - System Name: %1");
    // An open window shows the language it was opened in.
    objectModel.titleSuffix = [](const Workbench &workbench) {
        return QStringLiteral(" (%1)").arg(languageName(showsJava(workbench)));
    };
    objectModel.firstPosition = {56, 60};
    objectModel.firstClientSize = {644, 400};
    objectModel.smallestClientSize = {120, 60};
    objectModel.goToItem = Tr::tr("&Object Model...");
    objectModel.goToOrder = 40;
    objectModel.create = [&registry](Workbench &workbench) {
        auto *view = new ObjectModelView(workbench);
        offerRequirements(registry, view->tree(), workbench);
        return view;
    };
    // A newly opened Object Model window shows C++.
    objectModel.closed = [](Workbench &workbench) {
        workbench.setObjectModelLanguage(Workbench::Language::Cpp);
    };
    registry.addWindow(objectModel);

    app::WindowSpec dataModel;
    dataModel.kind = kDataModelWindow;
    dataModel.name = Tr::tr("Inspect Data Model");
    dataModel.title = Tr::tr("Inspect Data Model - System Name: %1");
    dataModel.firstPosition = {56, 60};
    dataModel.firstClientSize = {644, 400};
    dataModel.smallestClientSize = {120, 60};
    dataModel.goToItem = Tr::tr("&Data Model...");
    dataModel.goToOrder = 50;
    dataModel.create = [&registry](Workbench &workbench) {
        auto *tree = new CDataTreeView(workbench.app().requirementsConnectionName());
        offerRequirements(registry, tree, workbench);
        followModelChanges(tree, workbench);
        QObject::connect(tree, &CDataTreeView::message, tree,
                         [&workbench](const Outcome &outcome) { workbench.showMessage(outcome); });
        return tree;
    };
    registry.addWindow(dataModel);
}

// The Object Model item of a language. With the window open, the item of
// the language it shows is the one enabled; the other says why not.
app::ActionSpec objectModelItem(bool java)
{
    app::ActionSpec item;
    item.id = java ? kJavaObjectModel : kCppObjectModel;
    item.text = java ? varn::inspect::Tr::tr("&Java Object Model...")
                     : varn::inspect::Tr::tr("&C++ Object Model...");
    item.statusTip = varn::inspect::Tr::tr("Inspect %1 Object Model").arg(languageName(java));
    item.toolTip = item.statusTip;
    item.places = {{app::MenuGroup::InspectWindows, java ? 10 : 20}};
    item.availability = [java](const Workbench &workbench) {
        if (!workbench.app().isWorkspaceOpen())
            return app::Availability{false, {}};
        if (workbench.view(kObjectModelWindow) && showsJava(workbench) != java)
            return app::Availability{
                false,
                varn::inspect::Tr::tr("The Object Model window shows %1: close it (Window menu) "
                                      "to inspect %2")
                    .arg(languageName(!java), languageName(java))};
        return app::Availability{};
    };
    item.run = [java](Workbench &workbench) {
        // An open window keeps the language it shows; the choice is that of
        // the next window opened, and stays C++ when none opened.
        if (workbench.view(kObjectModelWindow) || !java) {
            workbench.goTo(kObjectModelWindow);
            return;
        }
        workbench.setObjectModelLanguage(Workbench::Language::Java);
        workbench.goTo(kObjectModelWindow);
        if (!workbench.view(kObjectModelWindow))
            workbench.setObjectModelLanguage(Workbench::Language::Cpp);
    };
    return item;
}

struct BrowserItem
{
    app::CommandId id;
    BrowserKind kind;
    const char *text;
};

constexpr BrowserItem kBrowserItems[] = {
    {kObjectModelEntities, BrowserKind::Entities,
     QT_TRANSLATE_NOOP("varn::inspect", "Object Model &Entities...")},
    {kObjectModelAttributes, BrowserKind::Attributes,
     QT_TRANSLATE_NOOP("varn::inspect", "Object Model &Attributes...")},
    {kObjectModelMethods, BrowserKind::Methods,
     QT_TRANSLATE_NOOP("varn::inspect", "Object Model &Methods...")},
};

} // namespace

void registerInspectionFeatures(app::FeatureRegistry &registry)
{
    registerWindows(registry);
    registry.addAction(objectModelItem(true));
    registry.addAction(objectModelItem(false));

    app::ActionSpec dataModel;
    dataModel.id = kDataModel;
    dataModel.text = Tr::tr("&Data Model...");
    dataModel.places = {{app::MenuGroup::InspectWindows, 30}};
    dataModel.run = [](Workbench &workbench) { workbench.goTo(kDataModelWindow); };
    registry.addAction(dataModel);

    int order = 10;
    for (const BrowserItem &browser : kBrowserItems) {
        app::ActionSpec item;
        item.id = browser.id;
        item.text = Tr::tr(browser.text);
        item.places = {{app::MenuGroup::InspectBrowsers, order}};
        item.run = [kind = browser.kind](Workbench &workbench) {
            if (!workbench.app().isWorkspaceOpen())
                return;
            ModelBrowserDialog dialog(workbench, kind, workbench.dialogParent());
            workbench.presenter().runDialog(dialog);
        };
        registry.addAction(item);
        order += 10;
    }
}

} // namespace varn::inspect
