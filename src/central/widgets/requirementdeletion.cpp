#include "central/widgets/requirementdeletion.h"

#include "app/cvarnapp.h"
#include "app/widgets/featureregistry.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/workbench.h"
#include "central/centraltr.h"
#include "central/requirementlifecycle.h"
#include "central/requirementscentral.h"
#include "central/widgets/centralviewfeature.h"
#include "central/widgets/deleteconfirmationdialog.h"

namespace varn::central {

namespace {

// Without dependents a plain question; with them a dialog that lists them.
bool confirmDeletion(app::Workbench &workbench, int number, const QList<int> &dependents)
{
    if (dependents.isEmpty())
        return workbench.presenter().askYesNo(
            workbench.dialogParent(), Tr::tr("Delete Confirmation"),
            RequirementLifecycle::deletionQuestion(number, dependents));
    DeleteConfirmationDialog dialog(number, dependents, workbench.dialogParent());
    return workbench.presenter().runDialog(dialog) == QDialog::Accepted;
}

} // namespace

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
    if (!confirmDeletion(workbench, number, dependents.value()))
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
    registry.provideCommand(kDeleteRequirement, deleteRequirement);
}

} // namespace varn::central
