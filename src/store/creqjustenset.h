#pragma once

#include "store/recordset.h"

namespace varn::store {

// The distinct entity names of REQ_ENTITY.
struct JustEntityRow
{
    QString ReqEntity;
};

inline constexpr RecordColumn<JustEntityRow> kJustEntityColumns[] = {
    {"ReqEntity", ColumnType::Text, &JustEntityRow::ReqEntity},
};
static_assert(columnsMatchMembers<JustEntityRow>(kJustEntityColumns));

// Every distinct entity name the requirements mention; read only.
class CReqJustEnSet : public RecordSet<JustEntityRow>
{
public:
    static constexpr char kStatement[] = "Select DISTINCT ReqEntity from REQ_ENTITY";

    explicit CReqJustEnSet(const QString &connectionName)
        : RecordSet("ReqJustEnSet", "REQ_ENTITY", kJustEntityColumns, Access::ReadOnly,
                    connectionName)
    {
        setDefaultStatement(QString::fromLatin1(kStatement));
    }
};

} // namespace varn::store
