#include "generate/includeplan.h"

#include <QHash>
#include <QSet>

namespace varn::generate {

namespace {

struct Edge
{
    qsizetype to;
    bool base;
};

// The strongly connected components of the include graph (Tarjan's
// algorithm, without recursion): the component number of every header.
QList<int> components(const QList<QList<Edge>> &edges)
{
    const qsizetype count = edges.size();
    QList<int> component(count, -1);
    QList<int> order(count, -1);
    QList<int> low(count, 0);
    QList<bool> onStack(count, false);
    QList<qsizetype> stack;
    int counter = 0;
    int found = 0;
    struct Frame
    {
        qsizetype node;
        qsizetype next;
    };
    for (qsizetype start = 0; start < count; ++start) {
        if (order.at(start) >= 0)
            continue;
        QList<Frame> frames{{start, 0}};
        order[start] = low[start] = counter++;
        stack.append(start);
        onStack[start] = true;
        while (!frames.isEmpty()) {
            Frame &frame = frames.last();
            const qsizetype node = frame.node;
            if (frame.next < edges.at(node).size()) {
                const qsizetype to = edges.at(node).at(frame.next++).to;
                if (order.at(to) < 0) {
                    order[to] = low[to] = counter++;
                    stack.append(to);
                    onStack[to] = true;
                    frames.append({to, 0});
                } else if (onStack.at(to)) {
                    low[node] = qMin(low.at(node), order.at(to));
                }
                continue;
            }
            if (low.at(node) == order.at(node)) {
                qsizetype member;
                do {
                    member = stack.takeLast();
                    onStack[member] = false;
                    component[member] = found;
                } while (member != node);
                ++found;
            }
            frames.removeLast();
            if (!frames.isEmpty())
                low[frames.last().node] = qMin(low.at(frames.last().node), low.at(node));
        }
    }
    return component;
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

    // A path from the target back to the including header lies within their
    // component; one through a base exists exactly when the component holds
    // a base include, since every header of it reaches every other.
    const QList<int> component = components(edges);
    QSet<int> withBase;
    for (qsizetype i = 0; i < shapes.size(); ++i) {
        for (const Edge &edge : std::as_const(edges.at(i))) {
            if (edge.base && component.at(edge.to) == component.at(i))
                withBase.insert(component.at(i));
        }
    }
    for (qsizetype i = 0; i < shapes.size(); ++i) {
        for (const Edge &edge : std::as_const(edges.at(i))) {
            if (!edge.base && component.at(edge.to) == component.at(i) &&
                withBase.contains(component.at(i)))
                shapes[i].targetsNotIncluded.insert(shapes.at(edge.to).name);
        }
    }
}

} // namespace varn::generate
