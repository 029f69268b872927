#pragma once

#include "common/outcome.h"
#include "store/requirementreader.h"

#include <QList>
#include <QString>

namespace varn::central {

using DumpedRow = store::DumpedRow;

// Every stored row of one requirement: its MASTER_REQ row, its functional or
// structural row, its possible values and its dependents.
class RequirementDump
{
public:
    // Refused (warning) when no requirement has that number.
    static Result<QList<DumpedRow>> read(const QString &connectionName, qint32 number);
};

} // namespace varn::central
