#pragma once

namespace varn::app {
class FeatureRegistry;
} // namespace varn::app

namespace varn::templates {

// Names the items of the Templates menu, one per template.
void registerTemplateMenu(app::FeatureRegistry &registry);

} // namespace varn::templates
