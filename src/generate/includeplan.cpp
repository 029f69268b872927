#include "generate/includeplan.h"

#include <QHash>
#include <QSet>

#include <deque>

namespace varn::generate {

namespace {

struct Edge
{
    qsizetype to;
    bool base;
};

// The headers reached from one start through at least one base include.
QSet<qsizetype> reachedThroughBase(const QList<QList<Edge>> &edges, qsizetype start)
{
    // States: (header, whether a base include was passed on the way).
    QSet<qsizetype> seen[2];
    std::deque<std::pair<qsizetype, bool>> queue{{start, false}};
    seen[0].insert(start);
    while (!queue.empty()) {
        const auto [from, passedBase] = queue.front();
        queue.pop_front();
        for (const Edge &edge : edges.at(from)) {
            const bool passed = passedBase || edge.base;
            if (!seen[passed].contains(edge.to)) {
                seen[passed].insert(edge.to);
                queue.push_back({edge.to, passed});
            }
        }
    }
    return seen[1];
}

} // namespace

void IncludePlan::apply(QList<ClassShape> &shapes)
{
    QHash<QString, qsizetype> index;
    for (qsizetype i = 0; i < shapes.size(); ++i)
        index.insert(shapes.at(i).name, i);

    QList<QList<Edge>> edges(shapes.size());
    for (qsizetype i = 0; i < shapes.size(); ++i) {
        ClassShape &shape = shapes[i];
        shape.targetsNotIncluded = shape.missingTargets;
        if (!shape.base.isEmpty() && index.contains(shape.base))
            edges[i].append({index.value(shape.base), true});
        for (const ClassShape::Member &link : std::as_const(shape.linksByName)) {
            if (index.contains(link.target))
                edges[i].append({index.value(link.target), false});
        }
    }

    QHash<qsizetype, QSet<qsizetype>> reached;
    for (qsizetype i = 0; i < shapes.size(); ++i) {
        for (const Edge &edge : std::as_const(edges.at(i))) {
            if (edge.base)
                continue;
            auto found = reached.find(edge.to);
            if (found == reached.end())
                found = reached.insert(edge.to, reachedThroughBase(edges, edge.to));
            if (found->contains(i))
                shapes[i].targetsNotIncluded.insert(shapes.at(edge.to).name);
        }
    }
}

} // namespace varn::generate
