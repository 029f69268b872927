#include "objmodel/regenerationsummary.h"
#include "objmodel/objmodeltr.h"

namespace varn::objmodel {

QString RegenerationSummary::success()
{
    return Tr::tr("Success. Your object model database has been rebuilt.");
}

QString RegenerationSummary::notRebuilt(int count)
{
    if (count <= 0)
        return {};
    return count == 1 ? Tr::tr("Your object model database has been rebuilt, but 1 requirement "
                               "could not be rebuilt.")
                      : Tr::tr("Your object model database has been rebuilt, but %1 requirements "
                               "could not be rebuilt.")
                            .arg(count);
}

} // namespace varn::objmodel
