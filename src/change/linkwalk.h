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

// A requirement a walk reached: its newest version's number, and the
// shortest chain of links from the start to it (the start first and this
// one last, each by its newest number).
struct ReachedRequirement
{
    int number = 0;
    ImpactDirection direction = ImpactDirection::Dependents;
    QList<int> path;

    int distance() const { return int(path.size()) - 1; }
    friend bool operator==(const ReachedRequirement &, const ReachedRequirement &) = default;
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
    // one through lower numbers), nearest first, then by number. The start is
    // never among them, even when a cycle leads back to it.
    QList<ReachedRequirement> reach(int number, ImpactDirection direction) const;

private:
    // The position of a requirement's identity in the arrays below; -1 when
    // no link touches it.
    int indexOf(int identity) const;
    int identityAt(int index) const { return m_dense ? index : m_identities[size_t(index)]; }

    QHash<int, int> m_firstVersion;         // a later version -> its first version
    QHash<int, QList<int>> m_laterVersions; // a first version -> its later ones, oldest first
    bool m_dense = true;                    // identities index the arrays themselves
    std::vector<int> m_identities;          // sorted, when not dense
    int m_size = 0;
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
