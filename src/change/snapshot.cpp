#include "change/snapshot.h"

#include "store/baselinetables.h"

namespace varn::change {

Snapshot Snapshot::from(QString name, const store::FrozenRequirements &frozen)
{
    Snapshot snapshot;
    snapshot.name = std::move(name);
    snapshot.requirements.reserve(frozen.requirements.size());
    for (const store::MasterReqRow &row : frozen.requirements) {
        snapshot.requirements.append(
            {row.OrigReqNum > 0 ? row.OrigReqNum : row.Req_Num, row.Req_Num, row.Version,
             row.FSTType, row.Category, row.Priority, row.Release, row.ParaNum, row.Comments,
             row.Preamble + QLatin1Char(' ') + row.ReqText + QLatin1Char('.')});
    }
    snapshot.links = frozen.links;
    return snapshot;
}

} // namespace varn::change
