#pragma once

#include "store/dependentlinktable.h"
#include "store/requirementreader.h"

#include <QHash>
#include <QList>

#include <vector>

namespace varn::change {

// Which way a walk follows the dependent links: to the requirements that
// depend on the start (a change there may make them wrong), or to those the
// start depends on (a change there reaches it).
enum class ImpactDirection { Dependents, Parents };

// A requirement a walk reached: its newest version's number and its
// shortest chain of links from the start, kept as the one before it on the
// chain (a walk over a large workspace reaches thousands).
struct ReachedRequirement
{
    int number = 0;
    int distance = 0; // the links of its chain
    int via = -1;     // the position in its walk of the one before it; -1: the start
};

// The requirements a walk reached in one direction, nearest first.
struct Reach
{
    ImpactDirection direction = ImpactDirection::Dependents;
    int start = 0; // the start's newest version
    QList<ReachedRequirement> requirements;

    qsizetype size() const { return requirements.size(); }
    bool isEmpty() const { return requirements.isEmpty(); }
    // The chain from the start to the requirement at a position, both ends
    // included, each by its newest number.
    QList<int> path(qsizetype position) const;
};

// The dependent links of a workspace as a graph of requirements. A link is
// stored between the numbers of the versions it was made on, and a
// requirement keeps its identity (its first version's number) across its
// versions, so each requirement is one node whatever version a link names,
// and is shown by its newest version. Built once from every link; each walk
// is then breadth first over the graph in memory.
class LinkWalk
{
public:
    LinkWalk(const QList<store::DependentLink> &links, const QList<store::LaterVersion> &versions);

    // The first version's number of the requirement that number is a version of.
    int identityOf(int number) const { return m_firstVersion.value(number, number); }
    // The newest version's number of the requirement that number is a version of.
    int newestOf(int number) const;
    // Its versions' numbers, oldest first (the number alone when it has one).
    QList<int> versionsOf(int number) const;

    // The requirements reached from the one numbered through the links in one
    // direction, each once and by its shortest chain (of chains as short, the
    // one through lower numbers), nearest first, then by the number of their
    // first versions. The start is never among them, even when a cycle leads
    // back to it.
    Reach reach(int number, ImpactDirection direction) const;

private:
    // The position of a requirement's identity in the arrays below; -1 when
    // no link touches it.
    int indexOf(int identity) const;
    int identityAt(int index) const { return m_dense ? index : m_identities[size_t(index)]; }
    int newestAt(int index) const
    {
        return m_newest.empty() ? identityAt(index) : m_newest[size_t(index)];
    }

    QHash<int, int> m_firstVersion;         // a later version -> its first version
    QHash<int, QList<int>> m_laterVersions; // a first version -> its later ones, oldest first
    bool m_dense = true;                    // identities index the arrays themselves
    std::vector<int> m_identities;          // sorted, when not dense
    int m_size = 0;
    // The newest version of each requirement by position; empty when no
    // requirement in the arrays has more than one version.
    std::vector<int> m_newest;
    // Each requirement's neighbours in a direction, ascending by identity:
    // those of index i are m_targets[m_offsets[i]] up to m_targets[m_offsets[i + 1]].
    struct Adjacency
    {
        std::vector<int> offsets;
        std::vector<int> targets;
    };
    Adjacency m_dependents;
    Adjacency m_parents;
};

} // namespace varn::change
