#include "central/dependentlinks.h"

#include "central/centraltr.h"

#include "store/dependentlinktable.h"

#include <QSet>

namespace varn::central {

Result<DependentGraph> DependentGraph::read(const QString &connectionName)
{
    const Result<QList<store::DependentLink>> links =
        store::DependentLinkTable(connectionName).allLinks();
    if (!links)
        return links.outcome();
    DependentGraph graph;
    for (const store::DependentLink &link : links.value())
        graph.m_dependents[link.parent].append(link.dependent);
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
    return store::DependentLinkTable(m_connection).dependentsOf(parent);
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
    if (Outcome saved =
            store::DependentLinkTable(m_connection).replaceDependents(parent, dependents);
        !saved)
        return saved;
    graph.replace(parent, dependents);
    return graph.cyclesThrough(parent);
}

Outcome DependentLinks::checkAddition(int parent, const QList<int> &dependents, int candidate)
{
    if (candidate == parent)
        return Outcome::warning(ownDependent(parent));
    if (dependents.contains(candidate))
        return Outcome::warning(Tr::tr("The selected requirement is already a dependent."));
    return Outcome::ok();
}

QString DependentLinks::savedStatus(int parent)
{
    return Tr::tr("Requirement %1 successfully updated.").arg(parent);
}

QString DependentLinks::noDependentsStatus(int parent)
{
    return Tr::tr("Requirement %1 does not have any dependent requirements.").arg(parent);
}

QString DependentLinks::ownDependent(int parent)
{
    return Tr::tr("Requirement %1 cannot be its own dependent.").arg(parent);
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
    return Tr::tr("The links are saved, but they close a cycle of dependents "
                  "(each requirement a dependent of the one before it):\n%1")
        .arg(chains.join(QLatin1Char('\n')));
}

} // namespace varn::central
