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

ChangeReport Comparison::compare(const Snapshot &before, const Snapshot &after)
{
    ChangeReport report;
    report.from = before.name;
    report.to = after.name;
    const QHash<int, const SnapshotRequirement *> old = byIdentity(before);
    const QHash<int, const SnapshotRequirement *> now = byIdentity(after);
    for (const SnapshotRequirement &requirement : after.requirements) {
        const SnapshotRequirement *earlier = old.value(requirement.identity);
        if (!earlier) {
            report.requirements.append({RequirementChange::Kind::Added,
                                        requirement.identity,
                                        0,
                                        requirement.number,
                                        {},
                                        requirement.sentence,
                                        {},
                                        {}});
            ++report.added;
            continue;
        }
        // Rows never change but in their attributes: an unchanged number
        // with equal attributes is the same requirement.
        RequirementChange change = changeOf(*earlier, requirement);
        if (change.words.isEmpty() && change.attributes.isEmpty())
            continue;
        report.requirements.append(std::move(change));
        ++report.changed;
    }
    for (const SnapshotRequirement &requirement : before.requirements) {
        if (now.contains(requirement.identity))
            continue;
        report.requirements.append({RequirementChange::Kind::Deleted,
                                    requirement.identity,
                                    requirement.number,
                                    0,
                                    requirement.sentence,
                                    {},
                                    {},
                                    {}});
        ++report.deleted;
    }
    std::stable_sort(report.requirements.begin(), report.requirements.end(),
                     [](const RequirementChange &a, const RequirementChange &b) {
                         return a.identity < b.identity;
                     });
    for (const auto &[parent, dependent] : linksMissingFrom(before, linkSet(after)))
        report.links.append({false, parent, dependent});
    report.linksRemoved = int(report.links.size());
    for (const auto &[parent, dependent] : linksMissingFrom(after, linkSet(before)))
        report.links.append({true, parent, dependent});
    report.linksAdded = int(report.links.size()) - report.linksRemoved;
    return report;
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
