#pragma once

#include "app/widgets/commandid.h"

namespace varn::app {
class FeatureRegistry;
} // namespace varn::app

namespace varn::templates {

// The Templates menu's items: the Requirement Builder and one per template.
inline constexpr app::CommandId kRequirementBuilder{"Templates.RequirementBuilder"};
constexpr app::CommandId templateItem(int number)
{
    return app::CommandId{"Templates.Template", number};
}

// Registers the Templates menu, each item opening its composer empty, and
// the manual's page of the templates.
void registerTemplateMenu(app::FeatureRegistry &registry);

} // namespace varn::templates
