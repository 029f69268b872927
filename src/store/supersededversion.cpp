#include "store/supersededversion.h"

#include "store/creqmsset.h"
#include "store/datesaved.h"
#include "store/storemessages.h"

namespace varn::store {

Outcome SupersededVersion::markDeleted(const QString &connectionName, qint32 reqNum,
                                       const QDate &today)
{
    CReqMsSet master(connectionName);
    master.setFilter(QStringLiteral("Req_Num = ?"), {reqNum});
    if (Outcome opened = master.open(); !opened)
        return master.errorOutcome(QString::fromLatin1(messages::kEditOpenFailed));
    if (master.isEOF())
        return Outcome::stop(QString::fromLatin1(messages::kEditNotFound));
    if (!master.edit())
        return Outcome::stop(QString::fromLatin1(messages::kEditWriteFailed));
    master.row().FSTType = QString::fromLatin1(messages::kDeletedKind);
    master.row().DateSaved = DateSaved::text(today);
    if (!master.update())
        return Outcome::stop(QString::fromLatin1(messages::kEditWriteFailed));
    return Outcome::ok();
}

} // namespace varn::store
