#include "objmodel/regenerationsummary.h"

namespace varn::objmodel {

QString RegenerationSummary::success()
{
    return QStringLiteral("Success. Your object model database has been rebuilt.");
}

QString RegenerationSummary::notRebuilt(int count)
{
    if (count <= 0)
        return {};
    const QString requirements =
        count == 1 ? QStringLiteral("1 requirement") : QStringLiteral("%1 requirements").arg(count);
    return QStringLiteral("Your object model database has been rebuilt, but %1 could not be "
                          "rebuilt.")
        .arg(requirements);
}

} // namespace varn::objmodel
