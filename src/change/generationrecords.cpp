#include "change/generationrecords.h"
#include "change/changetr.h"

#include "change/reviewer.h"
#include "change/snapshot.h"

#include <algorithm>

namespace varn::change {

namespace {

QString itemOf(const RequirementChange &change)
{
    switch (change.kind) {
    case RequirementChange::Kind::Added:
        return Tr::tr("%1 added").arg(change.numberAfter);
    case RequirementChange::Kind::Deleted:
        return Tr::tr("%1 deleted").arg(change.numberBefore);
    case RequirementChange::Kind::Changed:
        break;
    }
    return Tr::tr("%1 edited (now %2)").arg(change.numberBefore).arg(change.numberAfter);
}

} // namespace

Result<store::LiveVersions> GenerationRecords::liveVersions() const
{
    return store::GenerationTable(m_connection).liveVersions();
}

Result<store::GenerationRow> GenerationRecords::record(const QString &kind, const QString &folder,
                                                       const store::LiveVersions &from) const
{
    return store::GenerationTable(m_connection)
        .record(kind, folder, Reviewer::currentUser(), Reviewer::now(), from);
}

Result<std::optional<StaleCode>> GenerationRecords::check(const QString &kind) const
{
    const store::GenerationTable table(m_connection);
    const Result<std::optional<store::GenerationRow>> latest = table.latest(kind);
    if (!latest)
        return latest.outcome();
    if (!latest.value())
        return std::optional<StaleCode>();
    const auto changed = table.changedSince(latest.value()->id);
    if (!changed)
        return changed.outcome();
    // The versions generated from that are no longer live against the live
    // ones that were not generated from: an identity on both sides was
    // edited, on one side only added or deleted.
    ChangeReport report = Comparison::compare(Snapshot::from({}, changed->first),
                                              Snapshot::from({}, changed->second));
    return std::optional<StaleCode>(StaleCode{*latest.value(), std::move(report)});
}

QString GenerationRecords::summary(const StaleCode &stale)
{
    const store::GenerationRow &generation = stale.generation;
    if (!stale.isStale())
        return Tr::tr("No requirement changed since the last generation (%1 by %2).")
            .arg(generation.generatedAt, generation.generatedBy);
    return Tr::tr("%1 requirement(s) changed since the last generation (%2 by %3)")
        .arg(stale.changes.requirements.size())
        .arg(generation.generatedAt, generation.generatedBy);
}

QString GenerationRecords::line(const StaleCode &stale, int shown)
{
    if (!stale.isStale())
        return summary(stale);
    QStringList items;
    const QList<RequirementChange> &changes = stale.changes.requirements;
    for (qsizetype i = 0; i < std::min<qsizetype>(shown, changes.size()); ++i)
        items.append(itemOf(changes.at(i)));
    QString text = summary(stale) + QStringLiteral(": ") + items.join(QStringLiteral(", "));
    if (changes.size() > shown)
        text += Tr::tr(" and %1 more").arg(changes.size() - shown);
    return text + QLatin1Char('.');
}

QString GenerationRecords::neverGenerated()
{
    return Tr::tr("No generation of this output is recorded for the workspace yet.");
}

QString GenerationRecords::notRecorded(const QString &why)
{
    return Tr::tr("The files were written, but the requirements they were generated from could "
                  "not be recorded.\n%1")
        .arg(why);
}

} // namespace varn::change
