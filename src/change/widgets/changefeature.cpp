#include "change/widgets/changefeature.h"

#include "app/cvarnapp.h"
#include "app/widgets/featureregistry.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/workbench.h"
#include "change/changetr.h"
#include "change/widgets/baselinesdialog.h"
#include "change/widgets/comparedialog.h"

namespace varn::change {

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
}

} // namespace varn::change
