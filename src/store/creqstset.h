#pragma once

#include "store/recordset.h"

namespace varn::store {

// One STRUC_REQ row: the fields of a structural requirement, keyed by its
// MASTER_REQ number.
struct StrucReqRow
{
    qint32 S_ReqNum = 0;
    qint32 Source = 0;
    // The article position, as decimal text.
    QString Preamble;
    QString TypeBasic;
    QString EntityBasic;
    QString TypeAttr;
    QString EntityAttr;
    QString StateVal;
    QString AttrName;
    QString PossVal;
    QString DataType;
    QString Default;
    QString TypeWithList;
    QString EntityWithList;
    QString HowMany;
    QString Cardinality;
    QString TypeInList;
    QString EntityInList;
    qint32 Position = 0;
    QString From;
    QString To;
    QString TCodeStrS;
};

inline constexpr RecordColumn<StrucReqRow> kStrucReqColumns[] = {
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
    {"Position", ColumnType::Long, &StrucReqRow::Position},
    {"From", ColumnType::Text, &StrucReqRow::From},
    {"To", ColumnType::Text, &StrucReqRow::To},
    {"TCodeStrS", ColumnType::Text, &StrucReqRow::TCodeStrS},
};
static_assert(columnsMatchMembers<StrucReqRow>(kStrucReqColumns));

// STRUC_REQ of the requirements database.
class CReqStSet : public RecordSet<StrucReqRow>
{
public:
    explicit CReqStSet(const QString &connectionName)
        : RecordSet("ReqStSet", "STRUC_REQ", kStrucReqColumns, Access::Updatable, connectionName)
    {}
};

} // namespace varn::store
