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

QList<ReachedRequirement> LinkWalk::reach(int number, ImpactDirection direction) const
{
    const int start = indexOf(identityOf(number));
    if (start < 0)
        return {};
    const Adjacency &adjacency =
        direction == ImpactDirection::Dependents ? m_dependents : m_parents;

    // Level by level, each level in ascending order, so that a requirement
    // is reached first from the lowest-numbered requirement of the level
    // before it, whatever order the links were stored in.
    constexpr int kUnreached = -1;
    std::vector<int> reachedAs(size_t(m_size), kUnreached); // position in `found`
    QList<ReachedRequirement> found;
    reachedAs[size_t(start)] = 0;
    std::vector<int> level{start};
    std::vector<int> nextLevel;
    const QList<int> startPath{newestOf(identityAt(start))};
    while (!level.empty()) {
        nextLevel.clear();
        for (const int at : level) {
            for (int k = adjacency.offsets[size_t(at)]; k < adjacency.offsets[size_t(at) + 1];
                 ++k) {
                const int to = adjacency.targets[size_t(k)];
                if (reachedAs[size_t(to)] != kUnreached)
                    continue;
                const QList<int> &before =
                    at == start ? startPath : found.at(reachedAs[size_t(at)] - 1).path;
                ReachedRequirement reached{newestOf(identityAt(to)), direction, before};
                reached.path.append(reached.number);
                found.append(std::move(reached));
                reachedAs[size_t(to)] = int(found.size());
                nextLevel.push_back(to);
            }
        }
        std::sort(nextLevel.begin(), nextLevel.end());
        level.swap(nextLevel);
    }
    // Found level by level, each in the order of the level before; listed
    // nearest first, then by number.
    std::stable_sort(found.begin(), found.end(), [](const auto &left, const auto &right) {
        if (left.distance() != right.distance())
            return left.distance() < right.distance();
        return left.number < right.number;
    });
    return found;
}

} // namespace varn::change
