#pragma once

#include "common/outcome.h"

#include <QHash>
#include <QList>
#include <QString>

namespace varn::central {

// Every parent-dependent link of a workspace, held in memory to follow
// chains of dependents: a link closes a cycle when the parent can be reached
// again from its dependent.
class DependentGraph
{
public:
    static Result<DependentGraph> read(const QString &connectionName);

    void replace(int parent, const QList<int> &dependents);
    QList<int> dependentsOf(int parent) const { return m_dependents.value(parent); }

    // For each dependent of the parent (in its order) from which the parent
    // is reached again, the shortest such chain: the parent, that dependent,
    // the dependents on the way and the parent again (1, 2, 3, 1: 2 depends
    // on 1, 3 on 2 and 1 on 3).
    QList<QList<int>> cyclesThrough(int parent) const;

private:
    QList<int> chainBack(int from, int parent) const;

    QHash<int, QList<int>> m_dependents;
};

// Which requirements depend on which, with the rules of the Parent-Dependent
// dialog: read a parent's dependents, and replace them with an edited list
// that names no requirement as its own dependent and says which cycles it
// closes. The links are stored by store::DependentLinkTable.
class DependentLinks
{
public:
    explicit DependentLinks(QString connectionName) : m_connection(std::move(connectionName)) {}

    // Ascending by dependent number.
    Result<QList<int>> dependentsOf(int parent) const;

    // Replaces the parent's links with the list, in its order, each with a
    // fresh key from PK_DEP_REQ. All or nothing: a failure part-way leaves
    // the old links as they were. A requirement is refused as its own
    // dependent. A cycle of dependents may be intended and is saved: the
    // result holds the cycles the new links close (DependentGraph), for the
    // caller to show with cycleNotice().
    Result<QList<QList<int>>> saveDependents(int parent, const QList<int> &dependents) const;
    // The same for a caller that saves the links of many parents and keeps
    // the graph of all links between the saves.
    Result<QList<QList<int>>> saveDependents(int parent, const QList<int> &dependents,
                                             DependentGraph &graph) const;

    // The check of ">": the parent itself, and a number already in the list,
    // are refused.
    static Outcome checkAddition(int parent, const QList<int> &dependents, int candidate);

    static QString savedStatus(int parent);
    static QString noDependentsStatus(int parent);
    static QString ownDependent(int parent);
    // Says which cycles the saved links close; empty when they close none.
    static QString cycleNotice(const QList<QList<int>> &cycles);

private:
    QString m_connection;
};

} // namespace varn::central
