#pragma once

namespace varn::app {
class FeatureRegistry;
class Workbench;
} // namespace varn::app

namespace varn::central {

// The Delete button of Requirements Central: after the requirement's
// dependents are shown and the user confirms, the requirement is marked
// deleted, the lists query again and the requirements count as changed.
void deleteRequirement(app::Workbench &workbench, int number);

// Provides the Delete command.
void registerDeletion(app::FeatureRegistry &registry);

} // namespace varn::central
