#pragma once

namespace varn::app {
class FeatureRegistry;
} // namespace varn::app

namespace varn {

// Registers every feature of the program, and links them: called once by
// the program before its main window is made. The composition root is the
// one place that knows every feature.
void registerLandedFeatures(app::FeatureRegistry &registry);

// Provides what one feature runs and another does: Requirements Central's
// Edit, Re-use and Trace, the Inspect trees' list of a class's
// requirements, and the regeneration reminder of the generators and of a
// closing workspace.
void linkLandedFeatures(app::FeatureRegistry &registry);

} // namespace varn
