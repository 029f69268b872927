#include "change/suspectlinks.h"
#include "change/changetr.h"

#include "change/reviewer.h"
#include "store/requirementreader.h"

#include <QHash>

namespace varn::change {

namespace {

bool endIs(int end, const store::SuspectLink &link, int number)
{
    return end == number || (link.changed == end && link.replacement == number);
}

} // namespace

Result<QList<SuspectEntry>> SuspectLinks::open() const
{
    return withCauses(store::SuspectLinkTable(m_connection).open());
}

Result<QList<SuspectEntry>> SuspectLinks::reviewed() const
{
    return withCauses(store::SuspectLinkTable(m_connection).reviewed());
}

Result<QList<SuspectEntry>>
SuspectLinks::withCauses(const Result<QList<store::SuspectLink>> &links) const
{
    if (!links)
        return links.outcome();
    store::RequirementReader reader(m_connection);
    QHash<int, QString> sentences;
    const auto sentence = [&](int number) {
        if (number == 0)
            return QString();
        auto found = sentences.constFind(number);
        if (found == sentences.constEnd())
            found = sentences.insert(number, reader.sentenceOf(number) + QLatin1Char('.'));
        return *found;
    };
    QList<SuspectEntry> entries;
    entries.reserve(links->size());
    for (const store::SuspectLink &link : links.value()) {
        SuspectEntry entry{link, sentence(link.changed), sentence(link.replacement), {}};
        if (!entry.deleted())
            entry.words = WordDifference::between(entry.before, entry.after);
        entries.append(entry);
    }
    return entries;
}

Result<QList<SuspectEntry>> SuspectLinks::touching(int number) const
{
    Result<QList<SuspectEntry>> all = open();
    if (!all)
        return all;
    QList<SuspectEntry> entries;
    for (const SuspectEntry &entry : all.value())
        if (endIs(entry.link.parent, entry.link, number) ||
            endIs(entry.link.dependent, entry.link, number))
            entries.append(entry);
    return entries;
}

QString SuspectLinks::describe(const SuspectEntry &entry)
{
    return Tr::tr("%1 depends on %2: %3")
        .arg(entry.link.dependent)
        .arg(entry.link.parent)
        .arg(causeText(entry));
}

Result<int> SuspectLinks::clear(int number, std::optional<int> dependent) const
{
    const Result<int> cleared =
        store::SuspectLinkTable(m_connection)
            .clear(number, dependent, Reviewer::currentUser(), Reviewer::now());
    if (!cleared)
        return cleared;
    if (cleared.value() == 0)
        return Outcome::warning(
            dependent ? Tr::tr("The link from requirement %1 to requirement %2 is not suspect.")
                            .arg(number)
                            .arg(*dependent)
                      : Tr::tr("Requirement %1 has no suspect links.").arg(number));
    return cleared;
}

QString SuspectLinks::causeText(const SuspectEntry &entry)
{
    if (entry.deleted())
        return Tr::tr("Requirement %1 was deleted").arg(entry.link.changed);
    return Tr::tr("Requirement %1 was replaced by %2")
        .arg(entry.link.changed)
        .arg(entry.link.replacement);
}

QString SuspectLinks::clearedStatus(int count)
{
    return Tr::tr("%n suspect link(s) cleared.", nullptr, count);
}

} // namespace varn::change
