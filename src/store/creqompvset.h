#pragma once

#include "store/recordset.h"

namespace varn::store {

// One OM_PV row: a possible value of an attribute.
struct OmPvRow
{
    qint32 PVOM_ID = 0;
    qint32 FK_AttrID = 0;
    QString Value;
};

inline constexpr RecordColumn<OmPvRow> kOmPvColumns[] = {
    {"PVOM_ID", ColumnType::Long, &OmPvRow::PVOM_ID},
    {"FK_AttrID", ColumnType::Reference, &OmPvRow::FK_AttrID},
    {"Value", ColumnType::Text, &OmPvRow::Value},
};
static_assert(columnsMatchMembers<OmPvRow>(kOmPvColumns));

// OM_PV of the requirements database.
class CReqOmPvSet : public RecordSet<OmPvRow>
{
public:
    explicit CReqOmPvSet(const QString &connectionName)
        : RecordSet("ReqOmPvSet", "OM_PV", kOmPvColumns, Access::Updatable, connectionName)
    {}
};

} // namespace varn::store
