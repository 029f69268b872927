#include "templates/composerdispatch.h"

#include "templates/templatecatalogue.h"

namespace varn::templates {

ComposerKind ComposerDispatch::composerOf(int source)
{
    if (source == 0)
        return ComposerKind::Builder;
    if (TemplateCatalogue::functional(source))
        return ComposerKind::FunctionalTemplate;
    if (TemplateCatalogue::structural(source))
        return ComposerKind::StructuralTemplate;
    if (source == TemplateCatalogue::kTechnicalSource)
        return ComposerKind::Technical;
    return ComposerKind::None;
}

} // namespace varn::templates
