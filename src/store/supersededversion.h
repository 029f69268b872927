#pragma once

#include "common/outcome.h"

#include <QDate>
#include <QString>

namespace varn::store {

// The version an edit replaces is marked "Deleted" with the day of the edit,
// in a MASTER_REQ set of its own.
class SupersededVersion
{
public:
    // In a transaction of its own.
    static Outcome markDeleted(const QString &connectionName, qint32 reqNum,
                               const QDate &today = QDate::currentDate());
    // Inside the save's own transaction, which the caller commits: the new
    // version and the retired one go or stay together.
    // savingNumber is the new version this save writes, never taken for
    // another user's newer version.
    static Outcome markDeletedInSave(const QString &connectionName, qint32 reqNum,
                                     const QDate &today, qint32 savingNumber = 0);
};

} // namespace varn::store
