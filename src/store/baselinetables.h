#pragma once

#include "common/outcome.h"
#include "store/requirementrows.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>
#include <utility>

namespace varn::store {

// One baseline as BASELINE lists it, with the number of requirements and
// links it froze.
struct BaselineRow
{
    qint32 id = 0;
    QString name;
    QString comments;
    QString createdBy;
    QString createdAt;
    qint32 requirements = 0;
    qint32 links = 0;
};

// A set of requirements as it stood: every live MASTER_REQ row (with the
// attributes it had then) and every dependent link (parent, dependent).
struct FrozenRequirements
{
    QList<MasterReqRow> requirements;
    QList<std::pair<qint32, qint32>> links;
};

// BASELINE, BASELINE_REQ and BASELINE_LINK: the one route to the baselines.
// A baseline refers to the MASTER_REQ rows it froze, whose sentence, version
// and fields never change, and copies only what changes in place (the
// attributes, and the type and date a deletion overwrites) and the links.
class BaselineTables
{
public:
    explicit BaselineTables(QString connectionName) : m_connection(std::move(connectionName)) {}

    // Freezes the live requirements and every link under the name, in one
    // transaction. Refused (warning) when the name is taken.
    Result<BaselineRow> create(const QString &name, const QString &comments,
                               const QString &createdBy, const QString &createdAt) const;
    // Oldest first.
    Result<QList<BaselineRow>> list() const;
    Result<std::optional<BaselineRow>> find(const QString &name) const;
    // Removes the baseline and what it froze; false when there was none.
    Result<bool> remove(const QString &name) const;

    // What the baseline froze, ascending by number.
    Result<FrozenRequirements> frozen(qint32 baselineId) const;
    // The live requirements and links as they stand now, read in one snapshot.
    Result<FrozenRequirements> live() const;

    // One side of a comparison: a baseline by its key, or the live
    // requirements (nullopt).
    using Side = std::optional<qint32>;
    // What each side holds that the other does not hold alike, handed over
    // as it is read, never held: for each requirement (by its identity, the number of its first
    // version) that one side lacks or holds otherwise, its row on each side (nullptr where the side
    // has none), in ascending identity; then the links one side lacks, each pair once: first those
    // only `before` holds, then those only `after` holds, each by parent and dependent. The reads
    // run forward (on a server through cursors), so two sets of any size take the same memory. The
    // first refusal a visit returns stops the reads and is returned as it is.
    using RowsVisit = std::function<Outcome(const MasterReqRow *before, const MasterReqRow *after)>;
    using LinkVisit = std::function<Outcome(bool onlyAfter, qint32 parent, qint32 dependent)>;
    Outcome forEachDifference(Side before, Side after, const RowsVisit &requirement,
                              const LinkVisit &link) const;

private:
    QString m_connection;
};

} // namespace varn::store
