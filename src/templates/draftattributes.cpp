#include "templates/draftattributes.h"

#include "store/requirementrows.h"
#include "templates/templatecatalogue.h"

namespace varn::templates {

void DraftAttributes::takeStored(const store::MasterReqRow &master)
{
    paragraph = master.ParaNum;
    comments = master.Comments;
    category = TemplateCatalogue::categories().contains(master.Category)
                   ? master.Category
                   : TemplateCatalogue::categories().first();
    const QStringList positions = TemplateCatalogue::priorities();
    priority = positions.value(master.Priority - 1, positions.first());
    release = positions.value(master.Release - 1, positions.first());
    loadedNumber = master.Req_Num;
    // Out-of-range numbers from a damaged row are not carried into the next version.
    loadedVersion = master.Version >= 1000 ? 1 : master.Version;
    loadedFirstVersion = master.OrigReqNum >= 1000000 ? 0 : master.OrigReqNum;
}

void DraftAttributes::forgetLoaded()
{
    loadedNumber = -1;
    edit = false;
}

} // namespace varn::templates
