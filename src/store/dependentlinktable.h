#pragma once

#include "common/outcome.h"

#include <QList>
#include <QString>

namespace varn::store {

// One row of DEPENDENT_REQ: requirement `dependent` depends on `parent`.
struct DependentLink
{
    qint32 key = 0;       // Dep_Num
    qint32 parent = 0;    // FK_ReqNum
    qint32 dependent = 0; // Dep_ReqNum

    friend bool operator==(const DependentLink &, const DependentLink &) = default;
};

// DEPENDENT_REQ, which requirements depend on which: the one route to the
// table. It reads one parent's links or every link, and replaces a parent's
// links in one save transaction with keys from PK_DEP_REQ. A failure is a
// stop whose first line names the DependSet recordset, followed by the
// database's text; lastErrorText() keeps that text for a caller that words
// its own first line.
class DependentLinkTable
{
public:
    explicit DependentLinkTable(QString connectionName) : m_connection(std::move(connectionName)) {}

    // The parent's links, ascending by dependent number.
    Result<QList<DependentLink>> linksOf(qint32 parent) const;
    Result<QList<qint32>> dependentsOf(qint32 parent) const;
    // Every link: by parent, and each parent's in the order they were saved.
    Result<QList<DependentLink>> allLinks() const;
    // Every link's two ends (its key left 0), in no order: one pass over the
    // table for the walks that follow links through a whole workspace.
    Result<QList<DependentLink>> linkEnds() const;

    // Replaces the parent's links with the dependents, in their order, each
    // with a fresh key. All or nothing: a failure part-way leaves the old
    // links and the counter as they were. Inside a batch it is one savepoint.
    Outcome replaceDependents(qint32 parent, const QList<qint32> &dependents) const;

    const QString &lastErrorText() const { return m_lastError; }

private:
    Result<QList<DependentLink>> read(const QString &filter, const QVariantList &values,
                                      const QString &sort) const;

    QString m_connection;
    mutable QString m_lastError;
};

} // namespace varn::store
