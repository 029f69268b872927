#include "app/widgets/featureregistry.h"

#include <QtGlobal>

namespace varn::app {

// Each subsystem's widgets add their views and commands here as they land;
// Requirements Central is provided by the main window itself.
void registerLandedFeatures(FeatureRegistry &registry)
{
    Q_UNUSED(registry);
}

} // namespace varn::app
