#include "store/masterrowedit.h"
#include "store/storetr.h"

#include "store/creqmsset.h"
#include "store/savetransaction.h"
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
    steps.change(master.row());
    if (Outcome updated = master.update(); !updated)
        return steps.writeFailed;
    master.close();
    return transaction.commit();
}

} // namespace varn::store
