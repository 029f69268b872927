#include "store/datesaved.h"

namespace varn::store {

QString DateSaved::text(const QDate &date)
{
    return QStringLiteral("%1-%2-%3").arg(date.month()).arg(date.day()).arg(date.year());
}

} // namespace varn::store
