#include "templates/widgets/templatemenu.h"

#include "app/widgets/featureregistry.h"
#include "templates/templatecatalogue.h"
#include "templates/templatemanual.h"
#include "templates/templatestr.h"
#include "templates/widgets/requirementcomposers.h"

namespace varn::templates {

namespace {

void registerTemplateItem(app::FeatureRegistry &registry, int number)
{
    app::ActionSpec item;
    item.id = templateItem(number);
    item.text = Tr::tr(TemplateCatalogue::navigatorItem(number)) + QStringLiteral("...");
    // The functional templates, then the structural ones after a separator.
    item.places = {{number <= TemplateCatalogue::kFunctionalCount
                        ? app::MenuGroup::TemplatesFunctional
                        : app::MenuGroup::TemplatesStructural,
                    number}};
    if (TemplateCatalogue::functional(number))
        item.run = [number](app::Workbench &workbench) {
            openFunctionalTemplate(workbench, number);
        };
    else
        item.run = [number](app::Workbench &workbench) {
            openStructuralTemplate(workbench, number);
        };
    registry.addAction(item);
}

} // namespace

void registerTemplateMenu(app::FeatureRegistry &registry)
{
    app::ActionSpec builder;
    builder.id = kRequirementBuilder;
    builder.text = Tr::tr("Requirement &Builder...");
    builder.places = {{app::MenuGroup::TemplatesBuilder, 0}};
    builder.run = &openRequirementBuilder;
    registry.addAction(builder);
    for (int number = 1; number <= TemplateCatalogue::kLastStructural; ++number)
        registerTemplateItem(registry, number);
    registry.provideHelpPage(QStringLiteral("templates.html"), &TemplateManual::html);
}

} // namespace varn::templates
