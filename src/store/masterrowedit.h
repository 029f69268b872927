#pragma once

#include "common/outcome.h"
#include "store/requirementrows.h"

#include <QString>

#include <functional>

namespace varn::store {

// An in-place edit of one MASTER_REQ row (no new version), in a transaction
// of its own that commits once the row's read is closed: a read still
// pending at the commit keeps the write-ahead log from being checkpointed.
class MasterRowEdit
{
public:
    // Refused (warning, missing) when the row does not exist; writeFailed
    // when it cannot be written; check runs once the row is found and its
    // refusal leaves the row as it was; change sets the new values.
    struct Steps
    {
        QString missing;
        Outcome writeFailed = Outcome::ok();
        std::function<Outcome(const MasterReqRow &row)> check;
        std::function<void(MasterReqRow &row)> change;
    };

    // A conflict with another writer that the server resolved by aborting
    // the transaction runs the edit again.
    static Outcome apply(const QString &connectionName, int number, const Steps &steps);

private:
    static Outcome applyOnce(const QString &connectionName, int number, const Steps &steps);
};

} // namespace varn::store
