#pragma once

#include "common/outcome.h"

#include <QDate>
#include <QString>

namespace varn::store {

// After the commit of an edit, the version that the new row replaces is marked
// "Deleted" with the day of the edit. It runs outside the save's transaction,
// in a MASTER_REQ set of its own; a failure leaves the new version saved.
class SupersededVersion
{
public:
    static Outcome markDeleted(const QString &connectionName, qint32 reqNum,
                               const QDate &today = QDate::currentDate());
};

} // namespace varn::store
