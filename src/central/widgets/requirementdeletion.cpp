#include "central/widgets/requirementdeletion.h"

#include "app/cvarnapp.h"
#include "app/widgets/featureregistry.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/workbench.h"
#include "central/requirementlifecycle.h"
#include "central/requirementscentral.h"

namespace varn::central {

void deleteRequirement(app::Workbench &workbench, int number)
{
    app::CVarnApp &application = workbench.app();
    if (!application.isWorkspaceOpen())
        return;
    if (number <= 0) {
        workbench.showMessage(Outcome::warning(RequirementsCentral::noSelectionMessage()));
        return;
    }
    const RequirementLifecycle lifecycle(application.requirementsConnectionName());
    const Result<QList<int>> dependents = lifecycle.dependentsBeforeDeletion(number);
    if (!dependents) {
        workbench.showMessage(dependents.outcome());
        return;
    }
    if (!workbench.presenter().askYesNo(
            workbench.dialogParent(), QStringLiteral("Delete Confirmation"),
            RequirementLifecycle::deletionQuestion(number, dependents.value())))
        return;
    if (Outcome marked = lifecycle.markDeleted(number); !marked) {
        workbench.showMessage(marked);
        return;
    }
    application.setRequirementsChanged(true);
    workbench.announceRequirementsStored();
}

void registerDeletion(app::FeatureRegistry &registry)
{
    registry.provideCommand(app::Command::DeleteRequirement, deleteRequirement);
}

} // namespace varn::central
