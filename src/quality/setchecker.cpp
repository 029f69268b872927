#include "quality/setchecker.h"
#include "quality/qualitytr.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

namespace varn::quality {

namespace {

QString lower(const QString &text)
{
    return text.simplified().toLower();
}

// The stretch from the user's first word to the last: what a set rule's
// finding points at.
Finding regionFinding(const QString &rule, const CheckedSentence &sentence, QString message)
{
    int start = 0;
    int end = int(sentence.sentence.size());
    if (!sentence.spans.isEmpty()) {
        start = sentence.spans.front().start;
        end = sentence.spans.back().end();
    } else if (sentence.sentence.endsWith(QLatin1Char('.'))) {
        --end;
    }
    return {rule,
            sentence.sentence.mid(start, end - start),
            start,
            end - start,
            std::move(message),
            std::nullopt};
}

// Where the words stand in the user's words (ignoring case); the region
// when they do not.
Finding wordsFinding(const QString &rule, const CheckedSentence &sentence, const QString &words,
                     QString message)
{
    for (const UserSpan &span : sentence.spans) {
        const int at = int(QStringView(sentence.sentence)
                               .mid(span.start, span.length)
                               .indexOf(words, 0, Qt::CaseInsensitive));
        if (at >= 0 && !words.isEmpty())
            return {rule,
                    sentence.sentence.mid(span.start + at, words.size()),
                    span.start + at,
                    int(words.size()),
                    std::move(message),
                    std::nullopt};
    }
    return regionFinding(rule, sentence, std::move(message));
}

QString numbers(const QList<qint32> &list)
{
    QStringList texts;
    for (qint32 number : list)
        texts.append(QString::number(number));
    return texts.join(QStringLiteral(", "));
}

// The words a near-duplicate compares, lower case: the sentence without
// "The <system> system", which every requirement but a structural one
// opens with.
QStringList comparedWords(const CheckedSentence &sentence)
{
    QString text = sentence.sentence.toLower();
    const int head = int(text.indexOf(QLatin1String(" system shall")));
    if (text.startsWith(QLatin1String("the ")) && head >= 0)
        text = text.mid(head + 8);
    QStringList words;
    QString current;
    for (const QChar c : text) {
        if (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('/') ||
            c == QLatin1Char('\'') || c == QLatin1Char('_')) {
            current += c;
        } else if (!current.isEmpty()) {
            words.append(current);
            current.clear();
        }
    }
    if (!current.isEmpty())
        words.append(current);
    return words;
}

// Word-level edit distance, or limit + 1 when it is more than limit.
int wordDistance(const QList<int> &a, const QList<int> &b, int limit)
{
    const int n = int(a.size());
    const int m = int(b.size());
    if (std::abs(n - m) > limit)
        return limit + 1;
    QList<int> previous(m + 1);
    QList<int> current(m + 1);
    for (int j = 0; j <= m; ++j)
        previous[j] = j;
    for (int i = 1; i <= n; ++i) {
        current[0] = i;
        int best = current[0];
        for (int j = 1; j <= m; ++j) {
            const int substitute = previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
            current[j] = std::min({substitute, previous[j] + 1, current[j - 1] + 1});
            best = std::min(best, current[j]);
        }
        if (best > limit)
            return limit + 1;
        std::swap(previous, current);
    }
    return previous[m];
}

// The strongly connected parts of a graph of numbered nodes that hold a
// cycle (two nodes or more, or one with a loop), each in the order of the
// cycle found through it.
QList<QList<qint32>> cyclesOf(const QHash<qint32, QList<qint32>> &edges)
{
    QList<QList<qint32>> cycles;
    QHash<qint32, int> index;
    QHash<qint32, int> low;
    QSet<qint32> onStack;
    QList<qint32> stack;
    int counter = 0;
    QList<qint32> nodes = edges.keys();
    std::sort(nodes.begin(), nodes.end());
    std::function<void(qint32)> visit = [&](qint32 node) {
        index[node] = low[node] = counter++;
        stack.append(node);
        onStack.insert(node);
        for (qint32 next : edges.value(node)) {
            if (!index.contains(next)) {
                visit(next);
                low[node] = std::min(low[node], low[next]);
            } else if (onStack.contains(next)) {
                low[node] = std::min(low[node], index[next]);
            }
        }
        if (low[node] != index[node])
            return;
        QList<qint32> part;
        qint32 taken = 0;
        do {
            taken = stack.takeLast();
            onStack.remove(taken);
            part.append(taken);
        } while (taken != node);
        const bool loop = part.size() == 1 && edges.value(node).contains(node);
        if (part.size() > 1 || loop) {
            std::sort(part.begin(), part.end());
            cycles.append(part);
        }
    };
    for (qint32 node : nodes) {
        if (!index.contains(node))
            visit(node);
    }
    return cycles;
}

// A path around the cycle from its first node, for the message.
QList<qint32> pathAround(const QList<qint32> &cycle, const QHash<qint32, QList<qint32>> &edges)
{
    const QSet<qint32> members(cycle.begin(), cycle.end());
    QList<qint32> path{cycle.front()};
    QSet<qint32> seen{cycle.front()};
    qint32 at = cycle.front();
    while (true) {
        qint32 next = -1;
        for (qint32 candidate : edges.value(at)) {
            if (members.contains(candidate) &&
                (candidate == cycle.front() || !seen.contains(candidate))) {
                next = candidate;
                if (candidate != cycle.front())
                    break;
            }
        }
        if (next < 0)
            break;
        path.append(next);
        if (next == cycle.front())
            break;
        seen.insert(next);
        at = next;
    }
    return path;
}

class SetRun
{
public:
    SetRun(const WorkspaceFacts &facts, const RuleSettings &settings)
        : m_facts(facts), m_settings(settings)
    {
        for (int i = 0; i < facts.requirements.size(); ++i)
            m_byNumber.insert(facts.requirements[i].number, i);
    }

    QList<RequirementFindings> run()
    {
        if (on("duplicate") || on("near-duplicate"))
            duplicates();
        if (on("value-conflict"))
            valueConflicts();
        if (on("definition-conflict")) {
            definitionConflicts();
            compositionCycles();
            kindCycles();
        }
        if (on("dependency-cycle"))
            dependencyCycles();
        QList<RequirementFindings> result;
        for (const RequirementFacts &requirement : m_facts.requirements) {
            const auto found = m_found.constFind(requirement.number);
            if (found != m_found.cend())
                result.append({requirement.number, found.value()});
        }
        return result;
    }

private:
    bool on(const char *rule) const { return m_settings.isOn(QLatin1String(rule)); }
    const CheckedSentence *sentenceOf(qint32 number) const
    {
        const auto at = m_byNumber.constFind(number);
        return at == m_byNumber.cend() ? nullptr : &m_facts.requirements[at.value()].sentence;
    }
    void add(qint32 number, Finding finding)
    {
        QList<Finding> &list = m_found[number];
        for (const Finding &found : list) {
            if (found.rule == finding.rule && found.words == finding.words &&
                found.message == finding.message)
                return;
        }
        list.append(std::move(finding));
    }

    void duplicates()
    {
        // Exact duplicates: the same sentence ignoring case and blanks.
        QHash<QString, QList<qint32>> same;
        for (const RequirementFacts &requirement : m_facts.requirements) {
            QString key = lower(requirement.sentence.sentence);
            while (key.endsWith(QLatin1Char('.')))
                key.chop(1);
            same[key].append(requirement.number);
        }
        QSet<qint32> duplicated;
        if (on("duplicate")) {
            for (const QList<qint32> &group : same) {
                if (group.size() < 2)
                    continue;
                for (qint32 number : group) {
                    QList<qint32> others = group;
                    others.removeAll(number);
                    add(number, regionFinding(QStringLiteral("duplicate"), *sentenceOf(number),
                                              RuleBook::message(QStringLiteral("duplicate"),
                                                                numbers(others))));
                }
            }
        }
        if (on("near-duplicate"))
            nearDuplicates(same);
    }

    // Pairs within kNearEdits word edits sharing kNearOverlap of their
    // distinct words. Candidates share a word among the rarest of each
    // sentence (prefix filtering: two sets that overlap that much always
    // do), so common words never make a pair to look at.
    void nearDuplicates(const QHash<QString, QList<qint32>> &same)
    {
        const int count = int(m_facts.requirements.size());
        QHash<QString, int> ids;
        QList<QList<int>> sequences(count);
        QList<QList<int>> sets(count);
        QList<QString> keys(count);
        for (int i = 0; i < count; ++i) {
            const QStringList words = comparedWords(m_facts.requirements[i].sentence);
            QList<int> &sequence = sequences[i];
            for (const QString &w : words) {
                auto found = ids.find(w);
                if (found == ids.end())
                    found = ids.insert(w, int(ids.size()));
                sequence.append(found.value());
            }
            QList<int> set = sequence;
            std::sort(set.begin(), set.end());
            set.erase(std::unique(set.begin(), set.end()), set.end());
            sets[i] = set;
            keys[i] = words.join(QLatin1Char(' '));
        }
        QList<int> frequency(ids.size(), 0);
        for (const QList<int> &set : sets) {
            for (int id : set)
                ++frequency[id];
        }
        QHash<int, QList<int>> index; // word -> requirements with it in their prefix
        QHash<int, QList<int>> near;
        for (int i = 0; i < count; ++i) {
            QList<int> ordered = sets[i];
            if (sequences[i].size() < SetChecker::kNearShortest)
                continue;
            std::sort(ordered.begin(), ordered.end(), [&](int a, int b) {
                return frequency[a] != frequency[b] ? frequency[a] < frequency[b] : a < b;
            });
            const int size = int(ordered.size());
            const int needed = int(std::ceil(SetChecker::kNearOverlap * size - 1e-9));
            const int prefix = size - needed + 1;
            QSet<int> candidates;
            for (int k = 0; k < prefix; ++k) {
                for (int other : index.value(ordered[k]))
                    candidates.insert(other);
                index[ordered[k]].append(i);
            }
            for (int other : candidates) {
                if (keys[other] == keys[i])
                    continue; // the same words: a duplicate, not a near one
                if (sequences[other].size() >= SetChecker::kNearShortest &&
                    isNear(sets[i], sets[other], sequences[i], sequences[other])) {
                    near[i].append(other);
                    near[other].append(i);
                }
            }
        }
        Q_UNUSED(same);
        for (auto it = near.cbegin(); it != near.cend(); ++it) {
            QList<qint32> others;
            for (int other : it.value())
                others.append(m_facts.requirements[other].number);
            std::sort(others.begin(), others.end());
            others.erase(std::unique(others.begin(), others.end()), others.end());
            const RequirementFacts &requirement = m_facts.requirements[it.key()];
            add(requirement.number,
                regionFinding(
                    QStringLiteral("near-duplicate"), requirement.sentence,
                    RuleBook::message(QStringLiteral("near-duplicate"), numbers(others))));
        }
    }

    static bool isNear(const QList<int> &a, const QList<int> &b, const QList<int> &sequenceA,
                       const QList<int> &sequenceB)
    {
        int shared = 0;
        for (int i = 0, j = 0; i < a.size() && j < b.size();) {
            if (a[i] == b[j]) {
                ++shared;
                ++i;
                ++j;
            } else if (a[i] < b[j]) {
                ++i;
            } else {
                ++j;
            }
        }
        const double overlap = double(shared) / double(std::max(a.size(), b.size()));
        if (overlap + 1e-9 < SetChecker::kNearOverlap)
            return false;
        return wordDistance(sequenceA, sequenceB, SetChecker::kNearEdits) <= SetChecker::kNearEdits;
    }

    // The definitions by entity and attribute.
    QHash<QString, QList<const AttributeDefinitionFact *>> definitionsByName() const
    {
        QHash<QString, QList<const AttributeDefinitionFact *>> byName;
        for (const AttributeDefinitionFact &definition : m_facts.definitions)
            byName[lower(definition.entity) + QLatin1Char('\n') + lower(definition.attribute)]
                .append(&definition);
        return byName;
    }

    // A functional requirement's values against the attribute's definition:
    // a value the definition does not list, or a change from a value to
    // itself.
    void valueConflicts()
    {
        const auto byName = definitionsByName();
        for (const RequirementFacts &requirement : m_facts.requirements) {
            const CheckedSentence &sentence = requirement.sentence;
            if (sentence.isFreeText() || sentence.templateNumber > 18)
                continue;
            QString attribute;
            QStringList entities;
            QString previousValue;
            int previousEnd = -1;
            for (int s = 0; s < sentence.spans.size(); ++s) {
                const UserSpan &span = sentence.spans[s];
                const QString text = sentence.sentence.mid(span.start, span.length);
                switch (span.role) {
                case SpanRole::Attribute:
                    attribute = text;
                    entities.clear();
                    previousValue.clear();
                    break;
                case SpanRole::Entity: {
                    QString name = text;
                    if (s > 0 && sentence.spans[s - 1].role == SpanRole::Type)
                        name = sentence.sentence.mid(sentence.spans[s - 1].start,
                                                     sentence.spans[s - 1].length) +
                               QLatin1Char(' ') + text;
                    entities.append(name);
                    if (name != text)
                        entities.append(text);
                    break;
                }
                case SpanRole::Value:
                case SpanRole::State: {
                    if (!previousValue.isEmpty() && lower(previousValue) == lower(text)) {
                        const QString between =
                            lower(sentence.sentence.mid(previousEnd, span.start - previousEnd));
                        if (between == QLatin1String("to"))
                            add(requirement.number,
                                {QStringLiteral("value-conflict"), text, span.start, span.length,
                                 Tr::tr("The change goes from \"%1\" to \"%1\": nothing changes.")
                                     .arg(text),
                                 std::nullopt});
                    }
                    checkValue(requirement.number, span, text, attribute, entities, byName);
                    previousValue = text;
                    previousEnd = span.end();
                    break;
                }
                default:
                    break;
                }
            }
        }
    }

    void checkValue(qint32 number, const UserSpan &span, const QString &value,
                    const QString &attribute, const QStringList &entities,
                    const QHash<QString, QList<const AttributeDefinitionFact *>> &byName)
    {
        if (attribute.isEmpty())
            return;
        for (const QString &entity : entities) {
            const auto found =
                byName.constFind(lower(entity) + QLatin1Char('\n') + lower(attribute));
            if (found == byName.cend())
                continue;
            for (const AttributeDefinitionFact *definition : found.value()) {
                if (definition->values.isEmpty())
                    continue;
                const bool listed =
                    std::any_of(definition->values.begin(), definition->values.end(),
                                [&](const QString &v) { return lower(v) == lower(value); });
                if (!listed) {
                    add(number, {QStringLiteral("value-conflict"), value, span.start, span.length,
                                 Tr::tr("\"%1\" is not a possible value of %2 of %3: requirement "
                                        "%4 lists %5.")
                                     .arg(value, attribute, entity)
                                     .arg(definition->number)
                                     .arg(definition->values.join(QStringLiteral(", "))),
                                 std::nullopt});
                    return; // one definition that does not list it is enough to say
                }
            }
            return;
        }
    }

    // Two definitions of one attribute of one entity that differ.
    void definitionConflicts()
    {
        const auto byName = definitionsByName();
        for (const auto &group : byName) {
            if (group.size() < 2)
                continue;
            for (const AttributeDefinitionFact *one : group) {
                QList<qint32> others;
                QString what;
                for (const AttributeDefinitionFact *other : group) {
                    if (other == one)
                        continue;
                    const QString difference = differenceOf(*one, *other);
                    if (difference.isEmpty())
                        continue;
                    others.append(other->number);
                    if (what.isEmpty())
                        what = difference;
                }
                const CheckedSentence *sentence = sentenceOf(one->number);
                if (others.isEmpty() || !sentence)
                    continue;
                add(one->number,
                    wordsFinding(QStringLiteral("definition-conflict"), *sentence, one->attribute,
                                 Tr::tr("Requirement %1 defines %2 of %3 with "
                                        "another %4.")
                                     .arg(numbers(others), one->attribute, one->entity, what)));
            }
        }
    }

    static QString differenceOf(const AttributeDefinitionFact &a, const AttributeDefinitionFact &b)
    {
        if (lower(a.dataType) != lower(b.dataType))
            return a.dataType.isEmpty() || b.dataType.isEmpty() ? Tr::tr("kind of value")
                                                                : Tr::tr("data type");
        QStringList valuesA;
        QStringList valuesB;
        for (const QString &v : a.values)
            valuesA.append(lower(v));
        for (const QString &v : b.values)
            valuesB.append(lower(v));
        valuesA.sort();
        valuesB.sort();
        if (valuesA != valuesB)
            return Tr::tr("list of possible values");
        if (lower(a.defaultValue) != lower(b.defaultValue))
            return Tr::tr("default");
        return {};
    }

    // An entity made part of itself, directly or through other parts.
    void compositionCycles()
    {
        QHash<QString, qint32> ids;
        QList<QString> names;
        auto idOf = [&](const QString &name) {
            const QString key = lower(name);
            auto found = ids.find(key);
            if (found == ids.end()) {
                found = ids.insert(key, qint32(names.size()));
                names.append(name.simplified());
            }
            return found.value();
        };
        QHash<qint32, QList<qint32>> edges;
        for (const CompositionFact &composition : m_facts.compositions) {
            const qint32 whole = idOf(composition.whole);
            const qint32 part = idOf(composition.part);
            edges[whole].append(part);
            edges[part];
        }
        for (const QList<qint32> &cycle : cyclesOf(edges)) {
            const QSet<qint32> members(cycle.begin(), cycle.end());
            QStringList path;
            for (qint32 id : pathAround(cycle, edges))
                path.append(names[id]);
            for (const CompositionFact &composition : m_facts.compositions) {
                if (!members.contains(ids.value(lower(composition.whole))) ||
                    !members.contains(ids.value(lower(composition.part))))
                    continue;
                const CheckedSentence *sentence = sentenceOf(composition.number);
                if (!sentence)
                    continue;
                add(composition.number,
                    wordsFinding(QStringLiteral("definition-conflict"), *sentence, composition.part,
                                 Tr::tr("%1 is made part of itself: %2.")
                                     .arg(names[ids.value(lower(composition.whole))],
                                          path.join(QStringLiteral(" > ")))));
            }
        }
    }

    // A cycle of "is a kind of".
    void kindCycles()
    {
        QHash<QString, qint32> ids;
        QList<QString> names;
        auto idOf = [&](const QString &name) {
            const QString key = lower(QString(name).replace(QLatin1Char('_'), QLatin1Char(' ')));
            auto found = ids.find(key);
            if (found == ids.end()) {
                found = ids.insert(key, qint32(names.size()));
                names.append(key);
            }
            return found.value();
        };
        QHash<qint32, QList<qint32>> edges;
        for (const KindOfFact &kind : m_facts.kinds) {
            const qint32 from = idOf(kind.kind);
            const qint32 to = idOf(kind.base);
            edges[from].append(to);
            edges[to];
        }
        for (const QList<qint32> &cycle : cyclesOf(edges)) {
            QStringList path;
            for (qint32 id : pathAround(cycle, edges))
                path.append(names[id]);
            const QString message =
                Tr::tr("\"Is a kind of\" goes round: %1.").arg(path.join(QStringLiteral(" > ")));
            const QSet<qint32> members(cycle.begin(), cycle.end());
            for (const KindOfFact &kind : m_facts.kinds) {
                if (!members.contains(idOf(kind.kind)) || !members.contains(idOf(kind.base)))
                    continue;
                const QString name = QString(kind.kind).replace(QLatin1Char('_'), QLatin1Char(' '));
                for (qint32 number : statingNumbers(kind, name)) {
                    add(number, wordsFinding(QStringLiteral("definition-conflict"),
                                             *sentenceOf(number), name, message));
                }
            }
        }
    }

    // The requirement that stated a kind, or those whose words name it.
    QList<qint32> statingNumbers(const KindOfFact &kind, const QString &name) const
    {
        if (kind.number != 0 && sentenceOf(kind.number))
            return {kind.number};
        QList<qint32> found;
        for (const RequirementFacts &requirement : m_facts.requirements) {
            if (requirement.sentence.sentence.contains(name, Qt::CaseInsensitive))
                found.append(requirement.number);
        }
        return found;
    }

    void dependencyCycles()
    {
        QHash<qint32, QList<qint32>> edges;
        for (const LinkFact &link : m_facts.links) {
            edges[link.parent].append(link.dependent);
            edges[link.dependent];
        }
        for (const QList<qint32> &cycle : cyclesOf(edges)) {
            QStringList path;
            for (qint32 number : pathAround(cycle, edges))
                path.append(QString::number(number));
            const QString message = RuleBook::message(QStringLiteral("dependency-cycle"),
                                                      path.join(QStringLiteral(" > ")));
            for (qint32 number : cycle) {
                if (const CheckedSentence *sentence = sentenceOf(number))
                    add(number,
                        regionFinding(QStringLiteral("dependency-cycle"), *sentence, message));
            }
        }
    }

    const WorkspaceFacts &m_facts;
    const RuleSettings &m_settings;
    QHash<qint32, int> m_byNumber;
    QHash<qint32, QList<Finding>> m_found;
};

} // namespace

QList<RequirementFindings> SetChecker::check(const WorkspaceFacts &facts) const
{
    return SetRun(facts, m_settings).run();
}

} // namespace varn::quality
