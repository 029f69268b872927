#include "templates/widgets/templatemenu.h"

#include "app/widgets/featureregistry.h"
#include "templates/templatecatalogue.h"
#include "templates/templatemanual.h"

namespace varn::templates {

void registerTemplateMenu(app::FeatureRegistry &registry)
{
    QStringList names;
    for (int number = 1; number <= TemplateCatalogue::kLastStructural; ++number)
        names.append(QString::fromLatin1(TemplateCatalogue::navigatorItem(number)));
    registry.provideMenuTexts(app::MenuList::Templates, names);
    registry.provideHelpPage(QStringLiteral("templates.html"), &TemplateManual::html);
}

} // namespace varn::templates
