#include "store/supersededversion.h"

#include "store/creqmsset.h"
#include "store/datesaved.h"
#include "store/savetransaction.h"
#include "store/storemessages.h"

namespace varn::store {

Outcome SupersededVersion::markDeleted(const QString &connectionName, qint32 reqNum,
                                       const QDate &today)
{
    SaveTransaction transaction(connectionName);
    if (Outcome begun = transaction.begin(); !begun)
        return begun;
    if (Outcome marked = markDeletedInSave(connectionName, reqNum, today); !marked)
        return marked;
    return transaction.commit();
}

Outcome SupersededVersion::markDeletedInSave(const QString &connectionName, qint32 reqNum,
                                             const QDate &today)
{
    // The row's read is closed before the caller commits: a read still
    // pending at the commit keeps the write-ahead log from being checkpointed.
    CReqMsSet master(connectionName);
    master.setFilter(QStringLiteral("Req_Num = ?"), {reqNum});
    if (Outcome opened = master.open(); !opened)
        return master.errorOutcome(QString::fromLatin1(messages::kEditOpenFailed));
    if (master.isEOF())
        return Outcome::stop(QString::fromLatin1(messages::kEditNotFound));
    if (master.row().FSTType == QLatin1String(messages::kDeletedKind))
        return Outcome::warning(QString::fromLatin1(messages::kEditAlreadyDeleted));
    if (!master.edit())
        return Outcome::stop(QString::fromLatin1(messages::kEditWriteFailed));
    master.row().FSTType = QString::fromLatin1(messages::kDeletedKind);
    master.row().DateSaved = DateSaved::text(today);
    if (!master.update())
        return Outcome::stop(QString::fromLatin1(messages::kEditWriteFailed));
    master.close();
    return Outcome::ok();
}

} // namespace varn::store
