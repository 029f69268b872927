#pragma once

#include "app/widgets/commandid.h"

namespace varn::app {
class FeatureRegistry;
class Workbench;
} // namespace varn::app

namespace varn::change {

// Edit > Baselines..., Edit > Compare... and Edit > Impact... (of the
// requirement selected in Requirements Central), beside Requirements
// Central's own items.
inline constexpr app::CommandId kBaselines{"Change.Baselines"};
inline constexpr app::CommandId kCompare{"Change.Compare"};
inline constexpr app::CommandId kImpact{"Change.Impact"};

// The window of the impact of a change to requirement number; a message
// when none is selected (0) or it does not exist.
void showImpact(app::Workbench &workbench, int number);

void registerChangeFeatures(app::FeatureRegistry &registry);

} // namespace varn::change
