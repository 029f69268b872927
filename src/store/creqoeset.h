#pragma once

#include "store/recordset.h"

namespace varn::store {

// One OM_ENTITY row: an entity (class) of the object model.
struct OmEntityRow
{
    qint32 Entity_ID = 0;
    QString Entity;
};

inline constexpr RecordColumn<OmEntityRow> kOmEntityColumns[] = {
    {"Entity_ID", ColumnType::Long, &OmEntityRow::Entity_ID},
    {"Entity", ColumnType::Text, &OmEntityRow::Entity},
};
static_assert(columnsMatchMembers<OmEntityRow>(kOmEntityColumns));

// OM_ENTITY of the requirements database.
class CReqOeSet : public RecordSet<OmEntityRow>
{
public:
    explicit CReqOeSet(const QString &connectionName)
        : RecordSet("ReqOeSet", "OM_ENTITY", kOmEntityColumns, Access::Updatable, connectionName)
    {}
};

} // namespace varn::store
