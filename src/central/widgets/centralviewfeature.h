#pragma once

namespace varn::app {
class FeatureRegistry;
} // namespace varn::app

namespace varn::central {

// Provides the Requirements Central window and the commands of its menus:
// File > Print, the Record moves, the Display columns and the background
// colours, with the names and checked states of those items. The view's
// Edit, Delete and Re-use buttons run the registry's commands.
void registerCentralView(app::FeatureRegistry &registry);

} // namespace varn::central
