#pragma once

#include "store/recordset.h"

namespace varn::store {

// One POSS_VALS row: a possible value listed by a structural requirement.
struct PossValRow
{
    qint32 PV_ID = 0;
    qint32 FK_SReqNum = 0;
    QString Value;
};

inline constexpr RecordColumn<PossValRow> kPossValColumns[] = {
    {"PV_ID", ColumnType::Long, &PossValRow::PV_ID},
    {"FK_SReqNum", ColumnType::Reference, &PossValRow::FK_SReqNum},
    {"Value", ColumnType::Text, &PossValRow::Value},
};
static_assert(columnsMatchMembers<PossValRow>(kPossValColumns));

// POSS_VALS of the requirements database.
class CReqPvSet : public RecordSet<PossValRow>
{
public:
    explicit CReqPvSet(const QString &connectionName)
        : RecordSet("ReqPvSet", "POSS_VALS", kPossValColumns, Access::Updatable, connectionName)
    {}
};

} // namespace varn::store
