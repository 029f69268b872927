#include "app/widgets/featureregistry.h"
#include "central/widgets/requirementdeletion.h"
#include "generate/widgets/generatordialog.h"
#include "inspect/widgets/objectmodelview.h"
#include "objmodel/widgets/regenerationdialog.h"
#include "templates/widgets/technicalcomposerdialog.h"

namespace varn::app {

// Each subsystem's widgets add their views and commands here as they land;
// Requirements Central is provided by the main window itself.
void registerLandedFeatures(FeatureRegistry &registry)
{
    objmodel::registerRegenerationFeatures(registry);
    generate::registerGeneratorFeatures(registry);
    inspect::registerInspectionFeatures(registry);
    templates::registerComposerFeatures(registry);
    central::registerDeletion(registry);
}

} // namespace varn::app
