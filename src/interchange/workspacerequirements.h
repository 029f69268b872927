#pragma once

#include "common/outcome.h"
#include "interchange/exchangedrequirement.h"

#include <QString>

#include <functional>

namespace varn::interchange {

// Reads the requirements of a workspace for an export: every live
// requirement (with `everyVersion` also the deleted and superseded rows), the
// composer rows of each, and the dependent links between those read; with
// them the whole texts of shortened sentences and what is kept of the other
// tools' documents they came from. The requirements themselves are read
// when the set hands them over, as the export writes them.
class WorkspaceRequirements
{
public:
    static Result<ExchangeSet> read(const QString &connectionName, const QString &systemName,
                                    bool everyVersion);

private:
    // Whether the export holds a requirement of that number.
    using Holds = std::function<bool(qint32 number)>;
    static Outcome readForeign(const QString &connectionName, const Holds &exported,
                               const Holds &live, ExchangeSet &set);
};

} // namespace varn::interchange
