#pragma once

#include "store/recordset.h"

namespace varn::store {

// One OM_METHOD row: a method of an entity.
struct OmMethodRow
{
    qint32 Method_ID = 0;
    QString Method;
    qint32 FK_EntityID = 0;
};

inline constexpr RecordColumn<OmMethodRow> kOmMethodColumns[] = {
    {"Method_ID", ColumnType::Long, &OmMethodRow::Method_ID},
    {"Method", ColumnType::Text, &OmMethodRow::Method},
    {"FK_EntityID", ColumnType::Reference, &OmMethodRow::FK_EntityID},
};
static_assert(columnsMatchMembers<OmMethodRow>(kOmMethodColumns));

// OM_METHOD of the requirements database.
class CReqMeSet : public RecordSet<OmMethodRow>
{
public:
    explicit CReqMeSet(const QString &connectionName)
        : RecordSet("ReqMeSet", "OM_METHOD", kOmMethodColumns, Access::Updatable, connectionName)
    {}
};

} // namespace varn::store
