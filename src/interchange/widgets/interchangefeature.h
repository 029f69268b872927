#pragma once

namespace varn::app {
class FeatureRegistry;
}

namespace varn::interchange {

// File > Export... and File > Import..., Trace... in Requirements Central and
// Requirements on the classes of the Inspect trees.
void registerInterchangeFeatures(app::FeatureRegistry &registry);

} // namespace varn::interchange
