#pragma once

#include "common/outcome.h"
#include "store/baselinetables.h"

#include <QList>
#include <QString>

#include <optional>
#include <utility>

namespace varn::store {

// The live requirement versions at one moment, as runs of consecutive
// MASTER_REQ numbers (first, last), ascending and apart.
struct LiveVersions
{
    QList<std::pair<qint32, qint32>> runs;
    qint32 requirements = 0;

    friend bool operator==(const LiveVersions &, const LiveVersions &) = default;
};

// One recorded generation: which output, where it was written, by whom and
// when, and from how many requirements.
struct GenerationRow
{
    qint32 id = 0;
    QString kind;
    QString folder;
    QString generatedBy;
    QString generatedAt;
    qint32 requirements = 0;
};

// GENERATION and GENERATION_RUN: the one route to the record of what each
// output was last generated from. A generation of an output replaces the one
// recorded before for it.
class GenerationTable
{
public:
    explicit GenerationTable(QString connectionName) : m_connection(std::move(connectionName)) {}

    // The live versions now: one statement, whatever their number.
    Result<LiveVersions> liveVersions() const;
    // Records a finished generation of the output from the versions read
    // before it began, in one transaction.
    Result<GenerationRow> record(const QString &kind, const QString &folder,
                                 const QString &generatedBy, const QString &generatedAt,
                                 const LiveVersions &from) const;
    // The output's last generation; nullopt when none is recorded (also in
    // a read-only database made before generations were recorded).
    Result<std::optional<GenerationRow>> latest(const QString &kind) const;
    // What changed since that generation: the rows it was generated from
    // that are no longer live (edited or deleted since), and the live rows
    // it was not generated from (new versions and new requirements), each
    // ascending by number. What stayed is never read.
    Result<std::pair<FrozenRequirements, FrozenRequirements>>
    changedSince(qint32 generationId) const;

private:
    QString m_connection;
};

} // namespace varn::store
