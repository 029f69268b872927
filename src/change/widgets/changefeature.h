#pragma once

#include "app/widgets/commandid.h"

namespace varn::app {
class FeatureRegistry;
} // namespace varn::app

namespace varn::change {

// Edit > Baselines... and Edit > Compare..., beside Requirements Central's
// own items.
inline constexpr app::CommandId kBaselines{"Change.Baselines"};
inline constexpr app::CommandId kCompare{"Change.Compare"};

void registerChangeFeatures(app::FeatureRegistry &registry);

} // namespace varn::change
