#include "change/linkwalk.h"

#include <algorithm>

namespace varn::change {

namespace {

using Edge = std::pair<int, int>; // from, to: positions in the walk's arrays

// Identities up to this many per link (and a margin) index the arrays
// directly; sparser ones are looked up in a sorted list.
constexpr size_t kDenseSpread = 4;
constexpr size_t kDenseMargin = 65536;

} // namespace

LinkWalk::LinkWalk(const QList<store::DependentLink> &links,
                   const QList<store::LaterVersion> &versions)
{
    QList<store::LaterVersion> byNumber = versions;
    std::sort(byNumber.begin(), byNumber.end(),
              [](const auto &left, const auto &right) { return left.number < right.number; });
    for (const store::LaterVersion &version : std::as_const(byNumber)) {
        if (version.firstVersion <= 0 || version.firstVersion == version.number)
            continue;
        m_firstVersion.insert(version.number, version.firstVersion);
        m_laterVersions[version.firstVersion].append(version.number);
    }

    std::vector<Edge> edges;
    edges.reserve(size_t(links.size()));
    int largest = 0;
    for (const store::DependentLink &link : links) {
        const int parent = identityOf(link.parent);
        const int dependent = identityOf(link.dependent);
        if (parent <= 0 || dependent <= 0 || parent == dependent)
            continue;
        edges.emplace_back(parent, dependent);
        largest = std::max({largest, parent, dependent});
    }
    m_dense = size_t(largest) <= kDenseSpread * edges.size() + kDenseMargin;
    if (m_dense) {
        m_size = largest + 1;
    } else {
        m_identities.reserve(2 * edges.size());
        for (const Edge &edge : edges) {
            m_identities.push_back(edge.first);
            m_identities.push_back(edge.second);
        }
        std::sort(m_identities.begin(), m_identities.end());
        m_identities.erase(std::unique(m_identities.begin(), m_identities.end()),
                           m_identities.end());
        m_size = int(m_identities.size());
        for (Edge &edge : edges)
            edge = {indexOf(edge.first), indexOf(edge.second)};
    }

    // Both directions as compressed rows: count, place, then each
    // requirement's neighbours in ascending order.
    const auto build = [this, &edges](Adjacency &adjacency, bool forward) {
        adjacency.offsets.assign(size_t(m_size) + 1, 0);
        for (const Edge &edge : edges)
            ++adjacency.offsets[size_t(forward ? edge.first : edge.second) + 1];
        for (size_t i = 1; i < adjacency.offsets.size(); ++i)
            adjacency.offsets[i] += adjacency.offsets[i - 1];
        adjacency.targets.resize(edges.size());
        std::vector<int> next(adjacency.offsets.begin(), adjacency.offsets.end() - 1);
        for (const Edge &edge : edges) {
            const int from = forward ? edge.first : edge.second;
            adjacency.targets[size_t(next[size_t(from)]++)] = forward ? edge.second : edge.first;
        }
        for (int i = 0; i < m_size; ++i)
            std::sort(adjacency.targets.begin() + adjacency.offsets[size_t(i)],
                      adjacency.targets.begin() + adjacency.offsets[size_t(i) + 1]);
    };
    build(m_dependents, true);
    build(m_parents, false);

    for (auto later = m_laterVersions.cbegin(); later != m_laterVersions.cend(); ++later) {
        const int index = indexOf(later.key());
        if (index < 0)
            continue;
        if (m_newest.empty()) {
            m_newest.resize(size_t(m_size));
            for (int i = 0; i < m_size; ++i)
                m_newest[size_t(i)] = identityAt(i);
        }
        m_newest[size_t(index)] = later->last();
    }
}

int LinkWalk::newestOf(int number) const
{
    const int identity = identityOf(number);
    const auto later = m_laterVersions.constFind(identity);
    return later == m_laterVersions.cend() ? identity : later->last();
}

QList<int> LinkWalk::versionsOf(int number) const
{
    const int identity = identityOf(number);
    return QList<int>{identity} + m_laterVersions.value(identity);
}

int LinkWalk::indexOf(int identity) const
{
    if (m_dense)
        return identity > 0 && identity < m_size ? identity : -1;
    const auto found = std::lower_bound(m_identities.begin(), m_identities.end(), identity);
    return found != m_identities.end() && *found == identity ? int(found - m_identities.begin())
                                                             : -1;
}

QList<int> Reach::path(qsizetype position) const
{
    QList<int> numbers;
    for (qsizetype at = position; at >= 0; at = requirements.at(at).via)
        numbers.prepend(requirements.at(at).number);
    numbers.prepend(start);
    return numbers;
}

Reach LinkWalk::reach(int number, ImpactDirection direction) const
{
    Reach found{direction, newestOf(number), {}};
    const int start = indexOf(identityOf(number));
    if (start < 0)
        return found;
    const Adjacency &adjacency =
        direction == ImpactDirection::Dependents ? m_dependents : m_parents;

    // Level by level, each level in ascending order, so that a requirement
    // is reached first from the lowest-numbered requirement of the level
    // before it, whatever order the links were stored in. A requirement's
    // position in the walk is known once its level is sorted.
    constexpr int kUnreached = -2;
    constexpr int kStart = -1;
    std::vector<int> from(size_t(m_size), kUnreached); // the index it was reached from
    std::vector<int> position(size_t(m_size), -1);     // its place in the walk
    from[size_t(start)] = kStart;
    found.requirements.reserve(std::min(m_size, int(adjacency.targets.size())));
    std::vector<int> level{start};
    std::vector<int> nextLevel;
    for (int distance = 1; !level.empty(); ++distance) {
        nextLevel.clear();
        for (const int at : level) {
            const int end = adjacency.offsets[size_t(at) + 1];
            for (int k = adjacency.offsets[size_t(at)]; k < end; ++k) {
                const int to = adjacency.targets[size_t(k)];
                if (from[size_t(to)] != kUnreached)
                    continue;
                from[size_t(to)] = at;
                nextLevel.push_back(to);
            }
        }
        std::sort(nextLevel.begin(), nextLevel.end());
        for (const int reached : nextLevel) {
            position[size_t(reached)] = int(found.requirements.size());
            const int before = from[size_t(reached)];
            found.requirements.append(
                {newestAt(reached), distance, before == start ? -1 : position[size_t(before)]});
        }
        level.swap(nextLevel);
    }
    return found;
}

} // namespace varn::change
