#include "change/widgets/changefeature.h"

#include "app/cvarnapp.h"
#include "app/widgets/featureregistry.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/workbench.h"
#include "change/changetr.h"
#include "change/widgets/baselinesdialog.h"
#include "change/widgets/comparedialog.h"
#include "change/widgets/impactdialog.h"

namespace varn::change {

void showImpact(app::Workbench &workbench, int number)
{
    if (!workbench.app().isWorkspaceOpen())
        return;
    if (number <= 0) {
        workbench.showMessage(Outcome::warning(
            Tr::tr("Select a requirement in Requirements Central to see the impact of a change "
                   "to it.")));
        return;
    }
    ImpactDialog dialog(workbench, workbench.dialogParent());
    if (dialog.showRequirement(number))
        workbench.presenter().runDialog(dialog);
}

void registerChangeFeatures(app::FeatureRegistry &registry)
{
    app::ActionSpec baselines;
    baselines.id = kBaselines;
    baselines.text = Tr::tr("&Baselines...");
    baselines.statusTip = Tr::tr("Freeze the requirements under a name, list and delete baselines");
    baselines.places = {{app::MenuGroup::Edit, 30}};
    baselines.run = [](app::Workbench &workbench) {
        if (!workbench.app().isWorkspaceOpen())
            return;
        BaselinesDialog dialog(workbench, workbench.dialogParent());
        workbench.presenter().runDialog(dialog);
    };
    registry.addAction(baselines);

    app::ActionSpec compare;
    compare.id = kCompare;
    compare.text = Tr::tr("C&ompare...");
    compare.statusTip = Tr::tr("Show what changed since a baseline");
    compare.places = {{app::MenuGroup::Edit, 40}};
    compare.run = [](app::Workbench &workbench) {
        if (!workbench.app().isWorkspaceOpen())
            return;
        CompareDialog dialog(workbench, {}, workbench.dialogParent());
        workbench.presenter().runDialog(dialog);
    };
    registry.addAction(compare);

    app::ActionSpec impact;
    impact.id = kImpact;
    impact.text = Tr::tr("&Impact...");
    impact.statusTip = Tr::tr("Show what a change to the selected requirement reaches: the "
                              "requirements linked to it, the object model and the generated code");
    impact.places = {{app::MenuGroup::Edit, 50}};
    impact.run = [](app::Workbench &workbench) {
        showImpact(workbench, workbench.selectedRequirement());
    };
    registry.addAction(impact);
}

} // namespace varn::change
