#pragma once

#include "common/outcome.h"

#include <QString>

namespace varn::store {

// Tells the other users of a team database that a requirement is open in a
// composer here, so that none of them deletes it meanwhile. The claim is the
// connection's own (a session lock on the server), shared with other
// editors, released by release(), the destructor, or the server when the
// connection ends. A workspace file has one user: nothing is claimed there.
class EditClaim
{
public:
    EditClaim() = default;
    ~EditClaim();
    EditClaim(const EditClaim &) = delete;
    EditClaim &operator=(const EditClaim &) = delete;

    // Claims the requirement of a stored version: all its versions, which
    // share the first version's number (OrigReqNum). Releases any earlier claim.
    [[nodiscard]] Outcome claim(const QString &connectionName, qint32 number);
    void release();
    bool isHeld() const { return m_held; }

    // Inside the transaction of a deletion: refuses, naming the requirement,
    // while another connection holds a claim on it; the requirement then
    // stays claimed by this transaction until it ends.
    [[nodiscard]] static Outcome refuseIfClaimedElsewhere(const QString &connectionName,
                                                          qint32 number, qint32 firstVersion);

private:
    QString m_connection;
    qint32 m_firstVersion = 0;
    bool m_held = false;
};

} // namespace varn::store
