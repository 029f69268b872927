#pragma once

#include "store/recordset.h"

namespace varn::store {

// One DEPENDENT_REQ row: requirement Dep_ReqNum depends on FK_ReqNum.
struct DependRow
{
    qint32 Dep_Num = 0;
    qint32 FK_ReqNum = 0;
    qint32 Dep_ReqNum = 0;
};

inline constexpr RecordColumn<DependRow> kDependColumns[] = {
    {"Dep_Num", ColumnType::Long, &DependRow::Dep_Num},
    {"FK_ReqNum", ColumnType::Reference, &DependRow::FK_ReqNum},
    {"Dep_ReqNum", ColumnType::Long, &DependRow::Dep_ReqNum},
};
static_assert(columnsMatchMembers<DependRow>(kDependColumns));

// DEPENDENT_REQ of the requirements database.
class CDependSet : public RecordSet<DependRow>
{
public:
    explicit CDependSet(const QString &connectionName)
        : RecordSet("DependSet", "DEPENDENT_REQ", kDependColumns, Access::Updatable, connectionName)
    {}
};

} // namespace varn::store
