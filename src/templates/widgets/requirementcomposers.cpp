#include "templates/widgets/requirementcomposers.h"

#include "app/cvarnapp.h"
#include "app/widgets/featureregistry.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/workbench.h"
#include "central/requirementlifecycle.h"
#include "central/requirementscentral.h"
#include "store/editclaim.h"
#include "templates/composerdispatch.h"
#include "templates/templatestr.h"
#include "templates/widgets/functionaltemplatedialog.h"
#include "templates/widgets/requirementbuilderdialog.h"
#include "templates/widgets/structuraltemplatedialog.h"
#include "templates/widgets/technicalcomposerdialog.h"
#include "templates/widgets/templatenavigatorview.h"

namespace varn::templates {

void openFunctionalTemplate(app::Workbench &workbench, int templateNumber, const QString &workText)
{
    if (!workbench.app().isWorkspaceOpen())
        return;
    FunctionalTemplateDialog dialog(workbench, templateNumber, -1, false, workText,
                                    workbench.dialogParent());
    workbench.presenter().runDialog(dialog);
}

void openStructuralTemplate(app::Workbench &workbench, int templateNumber, const QString &workText)
{
    if (!workbench.app().isWorkspaceOpen())
        return;
    StructuralTemplateDialog dialog(workbench, templateNumber, -1, false, workText,
                                    workbench.dialogParent());
    workbench.presenter().runDialog(dialog);
}

void openRequirementBuilder(app::Workbench &workbench)
{
    if (!workbench.app().isWorkspaceOpen())
        return;
    RequirementBuilderDialog dialog(workbench, -1, false, workbench.dialogParent());
    workbench.presenter().runDialog(dialog);
}

void openStoredRequirement(app::Workbench &workbench, int number, bool edit)
{
    app::CVarnApp &application = workbench.app();
    if (!application.isWorkspaceOpen())
        return;
    if (number <= 0) {
        workbench.showMessage(Outcome::warning(central::RequirementsCentral::noSelectionMessage()));
        return;
    }
    const Result<int> source =
        central::RequirementLifecycle(application.requirementsConnectionName())
            .composerFor(number, edit);
    if (!source) {
        workbench.showMessage(source.outcome());
        return;
    }
    // While the composer edits it, other users of a team database cannot
    // delete the requirement.
    store::EditClaim claim;
    if (edit) {
        if (Outcome claimed = claim.claim(application.requirementsConnectionName(), number);
            !claimed) {
            workbench.showMessage(claimed);
            return;
        }
    }
    QWidget *parent = workbench.dialogParent();
    switch (ComposerDispatch::composerOf(source.value())) {
    case ComposerKind::FunctionalTemplate: {
        FunctionalTemplateDialog dialog(workbench, source.value(), number, edit, {}, parent);
        workbench.presenter().runDialog(dialog);
        return;
    }
    case ComposerKind::Technical: {
        TechnicalComposerDialog dialog(workbench, number, edit, parent);
        workbench.presenter().runDialog(dialog);
        return;
    }
    case ComposerKind::StructuralTemplate: {
        StructuralTemplateDialog dialog(workbench, source.value(), number, edit, {}, parent);
        workbench.presenter().runDialog(dialog);
        return;
    }
    case ComposerKind::Builder: {
        RequirementBuilderDialog dialog(workbench, number, edit, parent);
        workbench.presenter().runDialog(dialog);
        return;
    }
    case ComposerKind::None:
        workbench.showMessage(
            Outcome::warning(Tr::tr("There is no template for the selected requirement.")));
        return;
    }
}

void registerComposerFeatures(app::FeatureRegistry &registry)
{
    app::ActionSpec technical;
    technical.id = kComposeTechnical;
    technical.text = Tr::tr("&Technical Requirement...");
    technical.places = {{app::MenuGroup::Compose, 30}};
    technical.run = [](app::Workbench &workbench) {
        if (!workbench.app().isWorkspaceOpen())
            return;
        TechnicalComposerDialog dialog(workbench, -1, false, workbench.dialogParent());
        workbench.presenter().runDialog(dialog);
    };
    registry.addAction(technical);
    registerNavigators(registry);
}

} // namespace varn::templates
