#pragma once

#include "store/recordset.h"

namespace varn::store {

// One OM_ATTR row: an attribute of an entity.
struct OmAttrRow
{
    qint32 Attr_ID = 0;
    QString Attribute;
    QString DataTypeDef;
    qint32 FK_EntityID = 0;
};

inline constexpr RecordColumn<OmAttrRow> kOmAttrColumns[] = {
    {"Attr_ID", ColumnType::Long, &OmAttrRow::Attr_ID},
    {"Attribute", ColumnType::Text, &OmAttrRow::Attribute},
    {"DataTypeDef", ColumnType::Text, &OmAttrRow::DataTypeDef},
    {"FK_EntityID", ColumnType::Reference, &OmAttrRow::FK_EntityID},
};
static_assert(columnsMatchMembers<OmAttrRow>(kOmAttrColumns));

// OM_ATTR of the requirements database.
class CReqAtSet : public RecordSet<OmAttrRow>
{
public:
    explicit CReqAtSet(const QString &connectionName)
        : RecordSet("ReqAtSet", "OM_ATTR", kOmAttrColumns, Access::Updatable, connectionName)
    {}
};

} // namespace varn::store
