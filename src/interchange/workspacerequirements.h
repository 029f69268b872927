#pragma once

#include "common/outcome.h"
#include "interchange/exchangedrequirement.h"

#include <QString>

namespace varn::interchange {

// Reads the requirements of a workspace for an export: every live
// requirement (with `everyVersion` also the deleted and superseded rows), the
// composer rows of each, and the dependent links between those read, in a
// few passes over the tables; with them the whole texts of shortened
// sentences and what is kept of the other tools' documents they came from.
class WorkspaceRequirements
{
public:
    static Result<ExchangeSet> read(const QString &connectionName, const QString &systemName,
                                    bool everyVersion);

private:
    static Outcome readForeign(const QString &connectionName, ExchangeSet &set);
};

} // namespace varn::interchange
