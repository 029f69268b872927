#pragma once

#include <QDate>
#include <QString>

namespace varn::store {

// The text of MASTER_REQ.DateSaved: month, day and four-digit year without
// leading zeros ("3-7-2009").
class DateSaved
{
public:
    static QString text(const QDate &date);
    static QString today() { return text(QDate::currentDate()); }
};

} // namespace varn::store
