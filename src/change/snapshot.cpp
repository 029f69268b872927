#include "change/snapshot.h"

#include "store/baselinetables.h"

namespace varn::change {

SnapshotRequirement SnapshotRequirement::of(const store::MasterReqRow &row)
{
    return {row.OrigReqNum > 0 ? row.OrigReqNum : row.Req_Num,
            row.Req_Num,
            row.Version,
            row.FSTType,
            row.Category,
            row.Priority,
            row.Release,
            row.ParaNum,
            row.Comments,
            row.Preamble + QLatin1Char(' ') + row.ReqText + QLatin1Char('.')};
}

Snapshot Snapshot::from(QString name, const store::FrozenRequirements &frozen)
{
    Snapshot snapshot;
    snapshot.name = std::move(name);
    snapshot.requirements.reserve(frozen.requirements.size());
    for (const store::MasterReqRow &row : frozen.requirements)
        snapshot.requirements.append(SnapshotRequirement::of(row));
    snapshot.links = frozen.links;
    return snapshot;
}

} // namespace varn::change
