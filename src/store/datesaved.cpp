#include "store/datesaved.h"

namespace varn::store {

QString DateSaved::text(const QDate &date)
{
    // A batch of saves asks for the same day many times over.
    thread_local QDate lastDate;
    thread_local QString lastText;
    if (date != lastDate || lastText.isEmpty()) {
        lastText = QStringLiteral("%1-%2-%3").arg(date.month()).arg(date.day()).arg(date.year());
        lastDate = date;
    }
    return lastText;
}

} // namespace varn::store
