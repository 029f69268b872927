#include "store/masterrowedit.h"
#include "store/storetr.h"

#include "common/storedwords.h"
#include "store/creqmsset.h"
#include "store/savetransaction.h"
#include "store/suspectlinktable.h"
#include "store/transientretry.h"

namespace varn::store {

Outcome MasterRowEdit::apply(const QString &connectionName, int number, const Steps &steps)
{
    return TransientRetry::run([&] { return applyOnce(connectionName, number, steps); });
}

Outcome MasterRowEdit::applyOnce(const QString &connectionName, int number, const Steps &steps)
{
    SaveTransaction transaction(connectionName);
    if (Outcome begun = transaction.begin(); !begun)
        return begun;
    CReqMsSet master(connectionName);
    master.setFilter(QStringLiteral("Req_Num = ?"), {number});
    if (Outcome opened = master.open(); !opened)
        return master.errorOutcome(Tr::tr("Cannot open ReqMsSet recordset.\n"));
    if (master.isEOF())
        return Outcome::warning(steps.missing);
    if (steps.check) {
        if (Outcome checked = steps.check(master.row()); !checked)
            return checked;
    }
    if (Outcome editing = master.edit(); !editing)
        return steps.writeFailed;
    const auto isDeleted = [](const MasterReqRow &row) {
        return row.FSTType == QLatin1String(StoredWords::kDeleted);
    };
    const bool wasDeleted = isDeleted(master.row());
    steps.change(master.row());
    const bool deleting = !wasDeleted && isDeleted(master.row());
    const QString dateSaved = master.row().DateSaved;
    if (Outcome updated = master.update(); !updated)
        return steps.writeFailed;
    master.close();
    // A deleted requirement's links are to be reviewed.
    if (deleting) {
        if (Outcome marked = SuspectLinkTable::markTouching(connectionName, number, 0, dateSaved);
            !marked)
            return marked;
    }
    return transaction.commit();
}

} // namespace varn::store
