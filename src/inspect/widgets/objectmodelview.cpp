#include "inspect/widgets/objectmodelview.h"

#include "app/cvarnapp.h"
#include "app/widgets/featureregistry.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/workbench.h"
#include "generate/modelgenerator.h"
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
    m_tree =
        new CObjTreeView(QSqlDatabase::database(application.requirementsConnectionName(), false),
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

void registerInspectionFeatures(app::FeatureRegistry &registry)
{
    for (const auto &[command, kind] :
         {std::pair{app::Command::ObjectModelEntities, BrowserKind::Entities},
          std::pair{app::Command::ObjectModelAttributes, BrowserKind::Attributes},
          std::pair{app::Command::ObjectModelMethods, BrowserKind::Methods}}) {
        registry.provideCommand(command, [kind](app::Workbench &workbench, int) {
            if (!workbench.app().isWorkspaceOpen())
                return;
            ModelBrowserDialog dialog(workbench, kind, workbench.dialogParent());
            workbench.presenter().runDialog(dialog);
        });
    }
    // A class's requirements, when a feature lists them.
    auto offerRequirements = [&registry](LazyTree *tree, app::Workbench &workbench) {
        if (!registry.hasNamedCommand(app::Command::EntityRequirements))
            return;
        tree->offerRequirements();
        QObject::connect(tree, &LazyTree::requirementsRequested, tree,
                         [&registry, &workbench](const QString &name) {
                             registry.runNamed(app::Command::EntityRequirements, workbench, name);
                         });
    };
    registry.provideView(app::WindowKind::ObjectModel,
                         [offerRequirements](app::Workbench &workbench) {
                             auto *view = new ObjectModelView(workbench);
                             offerRequirements(view->tree(), workbench);
                             return view;
                         });
    registry.provideView(app::WindowKind::DataModel, [offerRequirements](
                                                         app::Workbench &workbench) {
        auto *tree = new CDataTreeView(
            QSqlDatabase::database(workbench.app().requirementsConnectionName(), false));
        offerRequirements(tree, workbench);
        followModelChanges(tree, workbench);
        QObject::connect(tree, &CDataTreeView::message, tree,
                         [&workbench](const Outcome &outcome) { workbench.showMessage(outcome); });
        return tree;
    });
}

} // namespace varn::inspect
