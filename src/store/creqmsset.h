#pragma once

#include "store/recordset.h"

namespace varn::store {

// One MASTER_REQ row: every stored requirement, whatever its kind.
struct MasterReqRow
{
    qint32 Req_Num = 0;
    QString FSTType;
    qint32 Source = 0;
    QString Category;
    qint32 Priority = 0;
    qint32 Release = 0;
    qint32 Version = 0;
    QString ParaNum;
    QString Preamble;
    QString ReqText;
    qint32 OrigReqNum = 0;
    QString DateSaved;
    QString Comments;
};

inline constexpr RecordColumn<MasterReqRow> kMasterReqColumns[] = {
    {"Req_Num", ColumnType::Long, &MasterReqRow::Req_Num},
    {"FSTType", ColumnType::Text, &MasterReqRow::FSTType},
    {"Source", ColumnType::Long, &MasterReqRow::Source},
    {"Category", ColumnType::Text, &MasterReqRow::Category},
    {"Priority", ColumnType::Long, &MasterReqRow::Priority},
    {"Release", ColumnType::Long, &MasterReqRow::Release},
    {"Version", ColumnType::Long, &MasterReqRow::Version},
    {"ParaNum", ColumnType::Text, &MasterReqRow::ParaNum},
    {"Preamble", ColumnType::Text, &MasterReqRow::Preamble},
    {"ReqText", ColumnType::Text, &MasterReqRow::ReqText},
    {"OrigReqNum", ColumnType::Long, &MasterReqRow::OrigReqNum},
    {"DateSaved", ColumnType::Text, &MasterReqRow::DateSaved},
    {"Comments", ColumnType::Text, &MasterReqRow::Comments},
};
static_assert(columnsMatchMembers<MasterReqRow>(kMasterReqColumns));

// MASTER_REQ of the requirements database. Rows are never deleted (the set
// refuses to): a deleted or superseded requirement gets the kind "Deleted".
class CReqMsSet : public RecordSet<MasterReqRow>
{
public:
    explicit CReqMsSet(const QString &connectionName)
        : RecordSet("ReqMsSet", "MASTER_REQ", kMasterReqColumns, Access::Appendable, connectionName)
    {}
};

} // namespace varn::store
