#pragma once

#include "store/recordset.h"

namespace varn::store {

// One OM_AGG row: AggEntity is a part of the entity FK_EntityID.
struct OmAggRow
{
    qint32 Agg_ID = 0;
    QString AggEntity;
    qint32 FK_EntityID = 0;
};

inline constexpr RecordColumn<OmAggRow> kOmAggColumns[] = {
    {"Agg_ID", ColumnType::Long, &OmAggRow::Agg_ID},
    {"AggEntity", ColumnType::Text, &OmAggRow::AggEntity},
    {"FK_EntityID", ColumnType::Reference, &OmAggRow::FK_EntityID},
};
static_assert(columnsMatchMembers<OmAggRow>(kOmAggColumns));

// OM_AGG of the requirements database.
class CReqAgSet : public RecordSet<OmAggRow>
{
public:
    explicit CReqAgSet(const QString &connectionName)
        : RecordSet("ReqAgSet", "OM_AGG", kOmAggColumns, Access::Updatable, connectionName)
    {}
};

} // namespace varn::store
