// The composition root: every feature's widgets register their windows and
// items into the shell here, and the commands one feature offers another
// are linked.
#include "main/landedfeatures.h"

#include "app/widgets/featureregistry.h"
#include "app/widgets/workspacecontroller.h"
#include "central/widgets/centralviewfeature.h"
#include "central/widgets/requirementdeletion.h"
#include "change/widgets/changefeature.h"
#include "generate/widgets/generatordialog.h"
#include "inspect/widgets/objectmodelview.h"
#include "interchange/widgets/interchangefeature.h"
#include "objmodel/widgets/regenerationdialog.h"
#include "quality/widgets/qualityfeature.h"
#include "templates/widgets/requirementcomposers.h"
#include "templates/widgets/technicalcomposerdialog.h"
#include "templates/widgets/templatemenu.h"

namespace varn {

void registerLandedFeatures(app::FeatureRegistry &registry)
{
    central::registerCentralView(registry);
    central::registerDeletion(registry);
    templates::registerTemplateMenu(registry);
    templates::registerComposerFeatures(registry);
    objmodel::registerRegenerationFeatures(registry);
    generate::registerGeneratorFeatures(registry);
    inspect::registerInspectionFeatures(registry);
    interchange::registerInterchangeFeatures(registry);
    change::registerChangeFeatures(registry);
    quality::registerQualityFeatures(registry);
    linkLandedFeatures(registry);
}

void linkLandedFeatures(app::FeatureRegistry &registry)
{
    registry.provideCommand(central::kEditRequirement, [](app::Workbench &workbench, int number) {
        templates::openStoredRequirement(workbench, number, true);
    });
    registry.provideCommand(central::kReuseRequirement, [](app::Workbench &workbench, int number) {
        templates::openStoredRequirement(workbench, number, false);
    });
    registry.provideCommand(central::kTraceRequirement, &interchange::traceRequirement);
    registry.provideNamedCommand(inspect::kClassRequirements, &interchange::showClassRequirements);
    const auto remind = [](app::Workbench &workbench, int) {
        objmodel::remindToRegenerate(workbench);
    };
    registry.provideCommand(generate::kRegenerateFirst, remind);
    registry.provideCommand(app::WorkspaceController::kChangedRequirementsClosing, remind);
}

} // namespace varn
