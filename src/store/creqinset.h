#pragma once

#include "store/recordset.h"

namespace varn::store {

// One OM_INH row: InH_Entity is a kind of the entity FK_EntityID.
struct OmInhRow
{
    qint32 InH_ID = 0;
    QString InH_Entity;
    qint32 FK_EntityID = 0;
};

inline constexpr RecordColumn<OmInhRow> kOmInhColumns[] = {
    {"InH_ID", ColumnType::Long, &OmInhRow::InH_ID},
    {"InH_Entity", ColumnType::Text, &OmInhRow::InH_Entity},
    {"FK_EntityID", ColumnType::Reference, &OmInhRow::FK_EntityID},
};
static_assert(columnsMatchMembers<OmInhRow>(kOmInhColumns));

// OM_INH of the requirements database.
class CReqInSet : public RecordSet<OmInhRow>
{
public:
    explicit CReqInSet(const QString &connectionName)
        : RecordSet("ReqInSet", "OM_INH", kOmInhColumns, Access::Updatable, connectionName)
    {}
};

} // namespace varn::store
