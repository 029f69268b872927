#pragma once

#include <QList>
#include <QString>

#include <utility>

namespace varn::store {
struct FrozenRequirements;
struct MasterReqRow;
} // namespace varn::store

namespace varn::change {

// One requirement of a set as it stood. A requirement keeps its identity
// (the number of its first version) across its versions, so an edit is a
// change of the same requirement and a re-use a new one.
struct SnapshotRequirement
{
    int identity = 0;
    int number = 0;
    int version = 0;
    QString type;
    QString category;
    int priority = 0;
    int release = 0;
    QString paragraph;
    QString comments;
    QString sentence;

    static SnapshotRequirement of(const store::MasterReqRow &row);
};

// A set of requirements and their dependent links (parent, dependent) as it
// stood at one time: a baseline, or the live requirements. The comparison
// takes two of them and needs no database.
struct Snapshot
{
    QString name; // the baseline's name; empty for the live requirements
    QList<SnapshotRequirement> requirements;
    QList<std::pair<int, int>> links;

    static Snapshot from(QString name, const store::FrozenRequirements &frozen);
};

} // namespace varn::change
