#pragma once

#include "store/recordset.h"

namespace varn::store {

// The one SYSTEM_NAME row: the workspace's system name and display settings.
struct SystemNameRow
{
    QString SystemName;
    int TypeSet = 0;
    int SourceSet = 0;
    int CategorySet = 0;
    int PrioritySet = 0;
    int ReleaseSet = 0;
    int VersionSet = 0;
    int ParagraphSet = 0;
    int RequirementSet = 0;
    int OrigNumSet = 0;
    int DateSavedSet = 0;
    int CommentsSet = 0;
    int BackgroundColor = 0;
};

inline constexpr RecordColumn<SystemNameRow> kSystemNameColumns[] = {
    {"SystemName", ColumnType::Text, &SystemNameRow::SystemName},
    {"TypeSet", ColumnType::Integer, &SystemNameRow::TypeSet},
    {"SourceSet", ColumnType::Integer, &SystemNameRow::SourceSet},
    {"CategorySet", ColumnType::Integer, &SystemNameRow::CategorySet},
    {"PrioritySet", ColumnType::Integer, &SystemNameRow::PrioritySet},
    {"ReleaseSet", ColumnType::Integer, &SystemNameRow::ReleaseSet},
    {"VersionSet", ColumnType::Integer, &SystemNameRow::VersionSet},
    {"ParagraphSet", ColumnType::Integer, &SystemNameRow::ParagraphSet},
    {"RequirementSet", ColumnType::Integer, &SystemNameRow::RequirementSet},
    {"OrigNumSet", ColumnType::Integer, &SystemNameRow::OrigNumSet},
    {"DateSavedSet", ColumnType::Integer, &SystemNameRow::DateSavedSet},
    {"CommentsSet", ColumnType::Integer, &SystemNameRow::CommentsSet},
    {"BackgroundColor", ColumnType::Integer, &SystemNameRow::BackgroundColor},
};
static_assert(columnsMatchMembers<SystemNameRow>(kSystemNameColumns));

// SYSTEM_NAME of the requirements database; its key is SystemName.
class CReqSysNameSet : public RecordSet<SystemNameRow>
{
public:
    explicit CReqSysNameSet(const QString &connectionName)
        : RecordSet("ReqSysNameSet", "SYSTEM_NAME", kSystemNameColumns, Access::Updatable,
                    connectionName)
    {}
};

} // namespace varn::store
