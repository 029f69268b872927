#include "change/baselines.h"
#include "change/changetr.h"

#include "change/reviewer.h"
#include "common/requirementlimits.h"

namespace varn::change {

namespace {

bool holdsControlCharacters(const QString &text)
{
    for (const QChar c : text)
        if (c.category() == QChar::Other_Control)
            return true;
    return false;
}

// A side of a comparison by the baseline's name; the live requirements when
// the name is empty.
Result<store::BaselineTables::Side> sideNamed(const store::BaselineTables &tables,
                                              const QString &name)
{
    if (name.isEmpty())
        return store::BaselineTables::Side();
    const Result<std::optional<store::BaselineRow>> found = tables.find(name);
    if (!found)
        return found.outcome();
    if (!found.value())
        return Outcome::warning(Baselines::unknown(name));
    return store::BaselineTables::Side(found.value()->id);
}

} // namespace

Result<store::BaselineRow> Baselines::create(const QString &name, const QString &comment) const
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return Outcome::warning(Tr::tr("Please enter a name for the baseline."));
    if (trimmed.size() > kLongestField)
        return Outcome::warning(
            Tr::tr("The baseline's name is longer than %1 characters.").arg(kLongestField));
    if (holdsControlCharacters(trimmed) || holdsControlCharacters(comment))
        return Outcome::warning(
            Tr::tr("The baseline's name and comment cannot hold control characters."));
    if (comment.size() > kLongestText)
        return Outcome::warning(
            Tr::tr("The baseline's comment is longer than %1 characters.").arg(kLongestText));
    return store::BaselineTables(m_connection)
        .create(trimmed, comment, Reviewer::currentUser(), Reviewer::now());
}

Result<QList<store::BaselineRow>> Baselines::list() const
{
    return store::BaselineTables(m_connection).list();
}

Outcome Baselines::remove(const QString &name) const
{
    const Result<bool> removed = store::BaselineTables(m_connection).remove(name);
    if (!removed)
        return removed.outcome();
    if (!removed.value())
        return Outcome::warning(unknown(name));
    return Outcome::ok();
}

Result<Snapshot> Baselines::snapshot(const QString &name) const
{
    const store::BaselineTables tables(m_connection);
    const Result<std::optional<store::BaselineRow>> found = tables.find(name);
    if (!found)
        return found.outcome();
    if (!found.value())
        return Outcome::warning(unknown(name));
    const Result<store::FrozenRequirements> frozen = tables.frozen(found.value()->id);
    if (!frozen)
        return frozen.outcome();
    return Snapshot::from(name, frozen.value());
}

Result<Snapshot> Baselines::live() const
{
    const Result<store::FrozenRequirements> frozen = store::BaselineTables(m_connection).live();
    if (!frozen)
        return frozen.outcome();
    return Snapshot::from({}, frozen.value());
}

Outcome Baselines::compare(const QString &from, const QString &to, ChangeSink &sink) const
{
    const store::BaselineTables tables(m_connection);
    const Result<store::BaselineTables::Side> before = sideNamed(tables, from);
    if (!before)
        return before.outcome();
    const Result<store::BaselineTables::Side> after = sideNamed(tables, to);
    if (!after)
        return after.outcome();
    return tables.forEachDifference(
        before.value(), after.value(),
        [&sink](const store::MasterReqRow *earlier, const store::MasterReqRow *later) {
            std::optional<SnapshotRequirement> old, now;
            if (earlier)
                old = SnapshotRequirement::of(*earlier);
            if (later)
                now = SnapshotRequirement::of(*later);
            const std::optional<RequirementChange> change =
                Comparison::between(old ? &*old : nullptr, now ? &*now : nullptr);
            return change ? sink.requirement(*change) : Outcome::ok();
        },
        [&sink](bool onlyAfter, qint32 parent, qint32 dependent) {
            return sink.link({onlyAfter, parent, dependent});
        });
}

Result<ChangeReport> Baselines::compare(const QString &from, const QString &to) const
{
    ChangeReportBuilder builder(from, to);
    if (Outcome compared = compare(from, to, builder); !compared)
        return compared;
    return std::move(builder.report());
}

QString Baselines::createdStatus(const store::BaselineRow &row)
{
    return Tr::tr("Baseline \"%1\" holds %2 requirement(s) and %3 link(s).")
        .arg(row.name)
        .arg(row.requirements)
        .arg(row.links);
}

QString Baselines::deletedStatus(const QString &name)
{
    return Tr::tr("Baseline \"%1\" deleted.").arg(name);
}

QString Baselines::deletionQuestion(const QString &name)
{
    return Tr::tr("Are you sure you want to delete the baseline \"%1\"?").arg(name);
}

QString Baselines::unknown(const QString &name)
{
    return Tr::tr("There is no baseline named \"%1\".").arg(name);
}

} // namespace varn::change
