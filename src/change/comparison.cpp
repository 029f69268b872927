#include "change/comparison.h"
#include "change/changetr.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace varn::change {

namespace {

struct Attribute
{
    const char *key;
    const char *label;
    QString (*value)(const SnapshotRequirement &);
};

const Attribute kAttributes[] = {
    {"number", QT_TRANSLATE_NOOP("varn::change", "Req No."),
     [](const SnapshotRequirement &r) { return QString::number(r.number); }},
    {"version", QT_TRANSLATE_NOOP("varn::change", "Version"),
     [](const SnapshotRequirement &r) { return QString::number(r.version); }},
    {"type", QT_TRANSLATE_NOOP("varn::change", "Type"),
     [](const SnapshotRequirement &r) { return r.type; }},
    {"category", QT_TRANSLATE_NOOP("varn::change", "Category"),
     [](const SnapshotRequirement &r) { return r.category; }},
    {"priority", QT_TRANSLATE_NOOP("varn::change", "Priority"),
     [](const SnapshotRequirement &r) { return QString::number(r.priority); }},
    {"release", QT_TRANSLATE_NOOP("varn::change", "Release"),
     [](const SnapshotRequirement &r) { return QString::number(r.release); }},
    {"paragraph", QT_TRANSLATE_NOOP("varn::change", "Paragraph"),
     [](const SnapshotRequirement &r) { return r.paragraph; }},
    {"comments", QT_TRANSLATE_NOOP("varn::change", "Comments"),
     [](const SnapshotRequirement &r) { return r.comments; }},
};

QHash<int, const SnapshotRequirement *> byIdentity(const Snapshot &snapshot)
{
    QHash<int, const SnapshotRequirement *> index;
    index.reserve(snapshot.requirements.size());
    for (const SnapshotRequirement &requirement : snapshot.requirements)
        index.insert(requirement.identity, &requirement);
    return index;
}

quint64 linkKey(const std::pair<int, int> &link)
{
    return (quint64(quint32(link.first)) << 32) | quint32(link.second);
}

// The links of one set that the other lacks (each once), sorted.
QList<std::pair<int, int>> linksMissingFrom(const Snapshot &from, const QSet<quint64> &other)
{
    QSet<quint64> seen;
    QList<std::pair<int, int>> missing;
    for (const auto &link : from.links) {
        const quint64 key = linkKey(link);
        if (!other.contains(key) && !seen.contains(key)) {
            seen.insert(key);
            missing.append(link);
        }
    }
    std::sort(missing.begin(), missing.end());
    return missing;
}

QSet<quint64> linkSet(const Snapshot &snapshot)
{
    QSet<quint64> keys;
    keys.reserve(snapshot.links.size());
    for (const auto &link : snapshot.links)
        keys.insert(linkKey(link));
    return keys;
}

RequirementChange changeOf(const SnapshotRequirement &before, const SnapshotRequirement &after)
{
    RequirementChange change;
    change.kind = RequirementChange::Kind::Changed;
    change.identity = after.identity;
    change.numberBefore = before.number;
    change.numberAfter = after.number;
    change.sentenceBefore = before.sentence;
    change.sentenceAfter = after.sentence;
    if (before.sentence != after.sentence)
        change.words = WordDifference::between(before.sentence, after.sentence);
    for (const Attribute &attribute : kAttributes) {
        const QString old = attribute.value(before);
        const QString now = attribute.value(after);
        if (old != now)
            change.attributes.append({QString::fromLatin1(attribute.key), old, now});
    }
    return change;
}

} // namespace

ChangeReportBuilder::ChangeReportBuilder(QString from, QString to)
{
    m_report.from = std::move(from);
    m_report.to = std::move(to);
}

Outcome ChangeReportBuilder::requirement(const RequirementChange &change)
{
    m_report.count(change.kind);
    m_report.requirements.append(change);
    return Outcome::ok();
}

Outcome ChangeReportBuilder::link(const LinkChange &link)
{
    ++(link.added ? m_report.linksAdded : m_report.linksRemoved);
    m_report.links.append(link);
    return Outcome::ok();
}

std::optional<RequirementChange> Comparison::between(const SnapshotRequirement *before,
                                                     const SnapshotRequirement *after)
{
    if (!before && !after)
        return std::nullopt;
    if (!before)
        return RequirementChange{RequirementChange::Kind::Added,
                                 after->identity,
                                 0,
                                 after->number,
                                 {},
                                 after->sentence,
                                 {},
                                 {}};
    if (!after)
        return RequirementChange{RequirementChange::Kind::Deleted,
                                 before->identity,
                                 before->number,
                                 0,
                                 before->sentence,
                                 {},
                                 {},
                                 {}};
    // Rows never change but in their attributes: an unchanged number with
    // equal attributes is the same requirement.
    RequirementChange change = changeOf(*before, *after);
    if (change.words.isEmpty() && change.attributes.isEmpty())
        return std::nullopt;
    return change;
}

ChangeReport Comparison::compare(const Snapshot &before, const Snapshot &after)
{
    ChangeReportBuilder builder(before.name, after.name);
    const QHash<int, const SnapshotRequirement *> old = byIdentity(before);
    const QHash<int, const SnapshotRequirement *> now = byIdentity(after);
    QList<RequirementChange> changes;
    for (const SnapshotRequirement &requirement : after.requirements) {
        if (std::optional<RequirementChange> change =
                between(old.value(requirement.identity), &requirement))
            changes.append(std::move(*change));
    }
    for (const SnapshotRequirement &requirement : before.requirements) {
        if (!now.contains(requirement.identity))
            changes.append(*between(&requirement, nullptr));
    }
    std::stable_sort(changes.begin(), changes.end(),
                     [](const RequirementChange &a, const RequirementChange &b) {
                         return a.identity < b.identity;
                     });
    for (const RequirementChange &change : changes)
        (void)builder.requirement(change);
    for (const auto &[parent, dependent] : linksMissingFrom(before, linkSet(after)))
        (void)builder.link({false, parent, dependent});
    for (const auto &[parent, dependent] : linksMissingFrom(after, linkSet(before)))
        (void)builder.link({true, parent, dependent});
    return std::move(builder.report());
}

const QStringList &Comparison::attributeKeys()
{
    static const QStringList keys = [] {
        QStringList all;
        for (const Attribute &attribute : kAttributes)
            all.append(QString::fromLatin1(attribute.key));
        return all;
    }();
    return keys;
}

QString Comparison::attributeLabel(const QString &key)
{
    for (const Attribute &attribute : kAttributes)
        if (key == QLatin1String(attribute.key))
            return Tr::tr(attribute.label);
    return key;
}

} // namespace varn::change
