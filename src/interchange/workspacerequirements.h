#pragma once

#include "common/outcome.h"
#include "interchange/exchangedrequirement.h"

#include <QString>

namespace varn::interchange {

// Reads the requirements of a workspace for an export: every live
// requirement (with `everyVersion` also the deleted and superseded rows), the
// composer rows of each, and the dependent links between those read, in a
// few passes over the tables.
class WorkspaceRequirements
{
public:
    static Result<ExchangeSet> read(const QString &connectionName, const QString &systemName,
                                    bool everyVersion);
};

} // namespace varn::interchange
