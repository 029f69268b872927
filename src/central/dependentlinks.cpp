#include "central/dependentlinks.h"

#include "store/cdependset.h"
#include "store/counterset.h"
#include "store/savetransaction.h"

#include <QSet>

namespace varn::central {

Result<DependentGraph> DependentGraph::read(const QString &connectionName)
{
    store::CDependSet links(connectionName);
    if (Outcome opened = links.open(store::CDependSet::OpenType::Snapshot); !opened)
        return links.errorOutcome(QStringLiteral("Cannot open DependSet recordset.\n"));
    DependentGraph graph;
    if (!links.forEachRow([&graph](const store::DependRow &row) {
            graph.m_dependents[row.FK_ReqNum].append(row.Dep_ReqNum);
        }))
        return links.errorOutcome(QStringLiteral("Cannot open DependSet recordset.\n"));
    return graph;
}

void DependentGraph::replace(int parent, const QList<int> &dependents)
{
    if (dependents.isEmpty())
        m_dependents.remove(parent);
    else
        m_dependents.insert(parent, dependents);
}

QList<QList<int>> DependentGraph::cyclesThrough(int parent) const
{
    QList<QList<int>> cycles;
    for (const int dependent : m_dependents.value(parent)) {
        if (QList<int> chain = chainBack(dependent, parent); !chain.isEmpty())
            cycles.append(QList<int>{parent} + chain);
    }
    return cycles;
}

// The shortest chain of dependents from `from` to the parent, both included;
// empty when the parent is not reached. Breadth first, each number once.
QList<int> DependentGraph::chainBack(int from, int parent) const
{
    QHash<int, int> cameFrom{{from, from}};
    QList<int> frontier{from};
    for (qsizetype next = 0; next < frontier.size(); ++next) {
        const int at = frontier[next];
        if (at == parent) {
            QList<int> chain{at};
            for (int step = at; step != from; step = cameFrom.value(step))
                chain.prepend(cameFrom.value(step));
            return chain;
        }
        for (const int dependent : m_dependents.value(at)) {
            if (!cameFrom.contains(dependent)) {
                cameFrom.insert(dependent, at);
                frontier.append(dependent);
            }
        }
    }
    return {};
}

Result<QList<int>> DependentLinks::dependentsOf(int parent) const
{
    store::CDependSet links(m_connection);
    links.setFilter(QStringLiteral("FK_ReqNum = ?"), {parent});
    links.setSort(QStringLiteral("Dep_ReqNum"));
    if (Outcome opened = links.open(store::CDependSet::OpenType::Snapshot); !opened)
        return links.errorOutcome(QStringLiteral("Cannot open DependSet recordset.\n"));
    QList<int> dependents;
    if (!links.forEachRow([&](const auto &row) { dependents.append(row.Dep_ReqNum); }))
        return links.errorOutcome(QStringLiteral("Cannot open DependSet recordset.\n"));
    return dependents;
}

Result<QList<QList<int>>> DependentLinks::saveDependents(int parent,
                                                         const QList<int> &dependents) const
{
    if (dependents.contains(parent))
        return Outcome::warning(ownDependent(parent));
    // Read with the links as they are now; the save replaces the parent's.
    Result<DependentGraph> graph = DependentGraph::read(m_connection);
    if (!graph)
        return graph.outcome();
    return saveDependents(parent, dependents, graph.value());
}

Result<QList<QList<int>>> DependentLinks::saveDependents(int parent, const QList<int> &dependents,
                                                         DependentGraph &graph) const
{
    if (dependents.contains(parent))
        return Outcome::warning(ownDependent(parent));
    store::SaveTransaction transaction(m_connection);
    if (Outcome begun = transaction.begin(); !begun)
        return begun;
    store::CPkDepReq counter(m_connection);
    if (Outcome opened = counter.open(); !opened)
        return counter.errorOutcome(QStringLiteral("Cannot open PkDepReq recordset.\n"));
    store::CDependSet links(m_connection);
    links.setFilter(QStringLiteral("FK_ReqNum = ?"), {parent});
    if (Outcome opened = links.open(); !opened)
        return links.errorOutcome(QStringLiteral("Cannot open DependSet recordset.\n"));
    if (Result<int> removed = links.deleteMatching(); !removed)
        return links.errorOutcome(QStringLiteral("Error deleting records from DEPENDENT_REQ.\n"));

    const QString writeFailure =
        QStringLiteral("Error writing to the DependSet-PkDepReq recordsets.\n");
    for (const int dependent : dependents) {
        if (Result<qint32> key = counter.allocateKeyAndAdd(links); !key)
            return Outcome::stop(writeFailure + key.outcome().message());
        links.row().FK_ReqNum = parent;
        links.row().Dep_ReqNum = dependent;
        if (Outcome updated = links.update(); !updated)
            return links.errorOutcome(writeFailure);
    }
    if (Outcome committed = transaction.commit(); !committed)
        return committed;
    graph.replace(parent, dependents);
    return graph.cyclesThrough(parent);
}

Outcome DependentLinks::checkAddition(int parent, const QList<int> &dependents, int candidate)
{
    if (candidate == parent)
        return Outcome::warning(ownDependent(parent));
    if (dependents.contains(candidate))
        return Outcome::warning(QStringLiteral("The selected requirement is already a dependent."));
    return Outcome::ok();
}

QString DependentLinks::savedStatus(int parent)
{
    return QStringLiteral("Requirement %1 successfully updated.").arg(parent);
}

QString DependentLinks::noDependentsStatus(int parent)
{
    return QStringLiteral("Requirement %1 does not have any dependent requirements.").arg(parent);
}

QString DependentLinks::ownDependent(int parent)
{
    return QStringLiteral("Requirement %1 cannot be its own dependent.").arg(parent);
}

QString DependentLinks::cycleNotice(const QList<QList<int>> &cycles)
{
    if (cycles.isEmpty())
        return {};
    QStringList chains;
    for (const QList<int> &cycle : cycles) {
        QStringList numbers;
        for (const int number : cycle)
            numbers.append(QString::number(number));
        chains.append(numbers.join(QStringLiteral(" -> ")));
    }
    return QStringLiteral("The links are saved, but they close a cycle of dependents "
                          "(each requirement a dependent of the one before it):\n%1")
        .arg(chains.join(QLatin1Char('\n')));
}

} // namespace varn::central
