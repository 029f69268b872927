#pragma once

#include "store/recordset.h"

namespace varn::store {

// The MASTER_REQ columns read from the application database.
struct VarnMasterRow
{
    qint32 Req_Num = 0;
    QString FSTType;
    qint32 Source = 0;
    QString ParaNum;
    QString Preamble;
    QString ReqText;
};

inline constexpr RecordColumn<VarnMasterRow> kVarnMasterColumns[] = {
    {"Req_Num", ColumnType::Long, &VarnMasterRow::Req_Num},
    {"FSTType", ColumnType::Text, &VarnMasterRow::FSTType},
    {"Source", ColumnType::Long, &VarnMasterRow::Source},
    {"ParaNum", ColumnType::Text, &VarnMasterRow::ParaNum},
    {"Preamble", ColumnType::Text, &VarnMasterRow::Preamble},
    {"ReqText", ColumnType::Text, &VarnMasterRow::ReqText},
};
static_assert(columnsMatchMembers<VarnMasterRow>(kVarnMasterColumns));

// MASTER_REQ of the application database, read only.
class CVarnMsSet : public RecordSet<VarnMasterRow>
{
public:
    explicit CVarnMsSet(const QString &connectionName)
        : RecordSet("VarnMsSet", "MASTER_REQ", kVarnMasterColumns, Access::ReadOnly, connectionName)
    {}
};

} // namespace varn::store
