#pragma once

#include "common/outcome.h"

#include <QList>
#include <QString>

#include <optional>

namespace varn::store {

// One row of SUSPECT_LINK: the link parent -> dependent became suspect when
// the requirement `changed` (one of its two ends) was replaced by
// `replacement` (0: deleted).
struct SuspectLink
{
    qint32 parent = 0;
    qint32 dependent = 0;
    qint32 changed = 0;
    qint32 replacement = 0;
    QString markedOn;
    QString clearedBy;
    QString clearedAt;

    friend bool operator==(const SuspectLink &, const SuspectLink &) = default;
};

// SUSPECT_LINK, the links to review after a change: the one route to the
// table. Marking runs inside the transaction of the save or deletion that
// made the change, so a link is marked exactly when the change is kept.
class SuspectLinkTable
{
public:
    explicit SuspectLinkTable(QString connectionName) : m_connection(std::move(connectionName)) {}

    // Every link that touches the changed row becomes suspect, inside the
    // caller's transaction.
    static Outcome markTouching(const QString &connectionName, qint32 changed, qint32 replacement,
                                const QString &markedOn);

    // The links not yet reviewed, by parent and dependent.
    Result<QList<SuspectLink>> open() const;
    // The links reviewed so far, with who cleared each and when, in the
    // order they were cleared.
    Result<QList<SuspectLink>> reviewed() const;
    // Reviews the open links of the requirement (parent or dependent, or
    // the row that replaced one of them), only those to the dependent when
    // one is given; the number of links cleared. Nothing is deleted: who
    // reviewed and when is kept.
    Result<int> clear(qint32 number, std::optional<qint32> dependent, const QString &clearedBy,
                      const QString &clearedAt) const;

private:
    QString m_connection;
};

} // namespace varn::store
