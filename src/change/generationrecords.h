#pragma once

#include "change/comparison.h"
#include "common/outcome.h"
#include "store/generationtable.h"

#include <QString>

#include <optional>

namespace varn::change {

// What changed since an output was last generated: that generation, and the
// requirements added, deleted and edited (a new version) since.
struct StaleCode
{
    store::GenerationRow generation;
    ChangeReport changes;

    bool isStale() const { return !changes.requirements.isEmpty(); }
};

// Which requirement versions each output (named as varn-cli names it: "sql",
// "cpp", "java") was last generated from, so that generated code kept apart
// (in a repository, say) can be checked against the requirements. The
// versions are read before a generation begins and recorded once it has
// written its files: a requirement saved meanwhile counts as changed.
class GenerationRecords
{
public:
    explicit GenerationRecords(QString connectionName) : m_connection(std::move(connectionName)) {}

    Result<store::LiveVersions> liveVersions() const;
    Result<store::GenerationRow> record(const QString &kind, const QString &folder,
                                        const store::LiveVersions &from) const;
    // nullopt when the output was never generated (or not since generations
    // are recorded).
    Result<std::optional<StaleCode>> check(const QString &kind) const;

    // "3 requirement(s) changed since the last generation (<when> by <who>)"
    static QString summary(const StaleCode &stale);
    // The summary and the first few requirements, on one line, for a dialog.
    static QString line(const StaleCode &stale, int shown = 5);
    static QString neverGenerated();
    // Said when a generation succeeded but could not be recorded.
    static QString notRecorded(const QString &why);

private:
    QString m_connection;
};

} // namespace varn::change
