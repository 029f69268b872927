#include "templates/technicaldraft.h"

#include "store/creqmsset.h"

namespace varn::templates {

Result<TechnicalDraft> TechnicalDraft::stored(const QString &connectionName, int number, bool edit)
{
    store::CReqMsSet master(connectionName);
    master.setFilter(QStringLiteral("Req_Num = ?"), {number});
    if (Outcome opened = master.open(store::CReqMsSet::OpenType::Snapshot);
        !opened || master.isEOF())
        return Outcome::warning(QStringLiteral("Error querying the Requirements database."));
    TechnicalDraft draft;
    draft.takeStored(master.row());
    draft.text = master.row().ReqText;
    draft.loadedNumber = number;
    draft.edit = edit;
    return draft;
}

void TechnicalDraft::clear()
{
    text.clear();
    forgetLoaded();
}

} // namespace varn::templates
