// The composition root: every feature's widgets register their windows and
// commands into the shell here.
#include "app/widgets/featureregistry.h"
#include "central/widgets/centralviewfeature.h"
#include "central/widgets/requirementdeletion.h"
#include "generate/widgets/generatordialog.h"
#include "inspect/widgets/objectmodelview.h"
#include "interchange/widgets/interchangefeature.h"
#include "objmodel/widgets/regenerationdialog.h"
#include "templates/widgets/technicalcomposerdialog.h"
#include "templates/widgets/templatemenu.h"

namespace varn::app {

void registerLandedFeatures(FeatureRegistry &registry)
{
    central::registerCentralView(registry);
    central::registerDeletion(registry);
    templates::registerTemplateMenu(registry);
    templates::registerComposerFeatures(registry);
    objmodel::registerRegenerationFeatures(registry);
    generate::registerGeneratorFeatures(registry);
    inspect::registerInspectionFeatures(registry);
    interchange::registerInterchangeFeatures(registry);
}

} // namespace varn::app
