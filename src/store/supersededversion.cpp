#include "store/supersededversion.h"
#include "store/storetr.h"

#include "store/creqmsset.h"
#include "store/datesaved.h"
#include "store/foreignobjects.h"
#include "store/savetransaction.h"
#include "store/sqldialect.h"
#include "store/storemessages.h"
#include "store/suspectlinktable.h"
#include "store/transientretry.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

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

namespace {

// Waits for any other save that retires the same version, so that of two
// edits of one version the second sees the first one's result.
Outcome lockVersion(const QString &connectionName, qint32 reqNum)
{
    const QSqlDatabase database = QSqlDatabase::database(connectionName, false);
    const QString lock =
        SqlDialect::lockKeyedRow(database, QStringLiteral("MASTER_REQ"), QStringLiteral("Req_Num"));
    if (lock.isEmpty())
        return Outcome::ok();
    QSqlQuery query(database);
    if (!query.prepare(lock))
        return Outcome::stop(Tr::tr(messages::kEditOpenFailed) + query.lastError().text());
    query.addBindValue(reqNum);
    if (!query.exec()) {
        TransientRetry::noteError(query.lastError());
        return Outcome::stop(Tr::tr(messages::kEditOpenFailed) + query.lastError().text());
    }
    return Outcome::ok();
}

// The live version that replaced the retired one, if another save made one.
Outcome supersededRefusal(const QString &connectionName, const MasterReqRow &retired,
                          qint32 savingNumber)
{
    CReqMsSet newer(connectionName);
    newer.setFilter(
        QStringLiteral("OrigReqNum = ? AND Req_Num <> ? AND Req_Num <> ? AND FSTType <> ?"),
        {retired.OrigReqNum, retired.Req_Num, savingNumber,
         QString::fromLatin1(messages::kDeletedKind)});
    newer.setSort(QStringLiteral("Version DESC"));
    if (newer.open() && !newer.isEOF() && newer.row().Version > retired.Version)
        return Outcome::warning(Tr::tr(messages::kEditSuperseded)
                                    .arg(retired.Req_Num)
                                    .arg(newer.row().Version)
                                    .arg(newer.row().Req_Num));
    return Outcome::warning(Tr::tr(messages::kEditAlreadyDeleted));
}

// The new version of a requirement another tool's file brought takes its
// object along, with the edited text.
Outcome carryForeignObject(const QString &connectionName, qint32 retired, qint32 saving,
                           const QString &previousText)
{
    // Its statements end with this function, inside the save's transaction.
    ForeignObjects foreign(connectionName, ForeignObjects::Route::Direct);
    const Result<bool> carried = foreign.keepsAnythingOf(retired);
    if (!carried)
        return carried.outcome();
    if (!carried.value())
        return Outcome::ok();
    CReqMsSet edited(connectionName);
    edited.setFilter(QStringLiteral("Req_Num = ?"), {saving});
    if (Outcome opened = edited.open(); !opened)
        return edited.errorOutcome(Tr::tr(messages::kEditOpenFailed));
    if (edited.isEOF())
        return Outcome::stop(Tr::tr(messages::kEditNotFound));
    const QString editedText = edited.row().ReqText;
    edited.close();
    return foreign.carryForward(retired, saving, previousText, editedText);
}

} // namespace

Outcome SupersededVersion::markDeletedInSave(const QString &connectionName, qint32 reqNum,
                                             const QDate &today, qint32 savingNumber)
{
    if (Outcome locked = lockVersion(connectionName, reqNum); !locked)
        return locked;
    // The row's read is closed before the caller commits: a read still
    // pending at the commit keeps the write-ahead log from being checkpointed.
    CReqMsSet master(connectionName);
    master.setFilter(QStringLiteral("Req_Num = ?"), {reqNum});
    if (Outcome opened = master.open(); !opened)
        return master.errorOutcome(Tr::tr(messages::kEditOpenFailed));
    if (master.isEOF())
        return Outcome::stop(Tr::tr(messages::kEditNotFound));
    if (master.row().FSTType == QLatin1String(messages::kDeletedKind)) {
        const MasterReqRow retired = master.row();
        master.close();
        return supersededRefusal(connectionName, retired, savingNumber);
    }
    const QString previousText = master.row().ReqText;
    if (!master.edit())
        return Outcome::stop(Tr::tr(messages::kEditWriteFailed));
    master.row().FSTType = QString::fromLatin1(messages::kDeletedKind);
    master.row().DateSaved = DateSaved::text(today);
    if (!master.update())
        return Outcome::stop(Tr::tr(messages::kEditWriteFailed));
    master.close();
    if (savingNumber > 0) {
        if (Outcome carried =
                carryForeignObject(connectionName, reqNum, savingNumber, previousText);
            !carried)
            return carried;
    }
    // The links to the retired version are to be reviewed against the new one.
    return SuspectLinkTable::markTouching(connectionName, reqNum, savingNumber,
                                          DateSaved::text(today));
}

} // namespace varn::store
