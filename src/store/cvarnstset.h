#pragma once

#include "store/creqstset.h"

namespace varn::store {

inline constexpr RecordColumn<StrucReqRow> kVarnStrucReqColumns[] = {
    {"S_ReqNum", ColumnType::Long, &StrucReqRow::S_ReqNum},
    {"Source", ColumnType::Long, &StrucReqRow::Source},
    {"Preamble", ColumnType::DecimalText, &StrucReqRow::Preamble},
    {"TypeBasic", ColumnType::Text, &StrucReqRow::TypeBasic},
    {"EntityBasic", ColumnType::Text, &StrucReqRow::EntityBasic},
    {"TypeAttr", ColumnType::Text, &StrucReqRow::TypeAttr},
    {"EntityAttr", ColumnType::Text, &StrucReqRow::EntityAttr},
    {"StateVal", ColumnType::Text, &StrucReqRow::StateVal},
    {"AttrName", ColumnType::Text, &StrucReqRow::AttrName},
    {"PossVal", ColumnType::Text, &StrucReqRow::PossVal},
    {"DataType", ColumnType::Text, &StrucReqRow::DataType},
    {"Default", ColumnType::Text, &StrucReqRow::Default},
    {"TypeWithList", ColumnType::Text, &StrucReqRow::TypeWithList},
    {"EntityWithList", ColumnType::Text, &StrucReqRow::EntityWithList},
    {"HowMany", ColumnType::Text, &StrucReqRow::HowMany},
    {"Cardinality", ColumnType::Text, &StrucReqRow::Cardinality},
    {"TypeInList", ColumnType::Text, &StrucReqRow::TypeInList},
    {"EntityInList", ColumnType::Text, &StrucReqRow::EntityInList},
    {"TCodeStrS", ColumnType::Text, &StrucReqRow::TCodeStrS},
    {"Position", ColumnType::Long, &StrucReqRow::Position},
    {"To", ColumnType::Text, &StrucReqRow::To},
    {"From", ColumnType::Text, &StrucReqRow::From},
};
static_assert(columnsMatchMembers<StrucReqRow>(kVarnStrucReqColumns));

// STRUC_REQ of the application database (worked examples), read only.
class CVarnStSet : public RecordSet<StrucReqRow>
{
public:
    explicit CVarnStSet(const QString &connectionName)
        : RecordSet("VarnStSet", "STRUC_REQ", kVarnStrucReqColumns, Access::ReadOnly,
                    connectionName)
    {}
};

} // namespace varn::store
