#pragma once

#include "common/outcome.h"

#include <QList>
#include <QString>

#include <utility>

namespace varn::central {

// One stored row: its table and its non-empty columns, "name, value", in
// the table's column order.
struct DumpedRow
{
    QString table;
    QList<std::pair<QString, QString>> fields;
};

// Every stored row of one requirement: its MASTER_REQ row, its functional or
// structural row, its possible values and its dependents.
class RequirementDump
{
public:
    // Refused (warning) when no requirement has that number.
    static Result<QList<DumpedRow>> read(const QString &connectionName, qint32 number);
};

} // namespace varn::central
