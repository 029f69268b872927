#include "quality/sentencechecker.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace varn::quality {

namespace {

const QString kDelete = QStringLiteral("<delete>");

// One word of the sentence: where it stands, its lower-case text, and the
// user's span that holds it (-1: the system's words).
struct Token
{
    int start = 0;
    int length = 0;
    QString lower;
    int span = -1;

    int end() const { return start + length; }
};

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('\'') ||
           c == QChar(0x00b0);
}

// Words are runs of letters and digits, joined by '-', '/' or '.' between
// two of them ("user-friendly", "and/or", "2.5"); "%" is a word of its own.
QList<Token> tokenize(const QString &text)
{
    QList<Token> tokens;
    const int size = int(text.size());
    int i = 0;
    while (i < size) {
        const QChar c = text[i];
        if (c == QLatin1Char('%')) {
            tokens.append({i, 1, QStringLiteral("%"), -1});
            ++i;
            continue;
        }
        if (!isWordCharacter(c)) {
            ++i;
            continue;
        }
        const int start = i;
        while (i < size) {
            if (isWordCharacter(text[i])) {
                ++i;
                continue;
            }
            const QChar joiner = text[i];
            const bool joins = (joiner == QLatin1Char('-') || joiner == QLatin1Char('/') ||
                                joiner == QLatin1Char('.')) &&
                               i + 1 < size && isWordCharacter(text[i + 1]);
            if (!joins)
                break;
            ++i;
        }
        tokens.append({start, i - start, text.mid(start, i - start).toLower(), -1});
    }
    return tokens;
}

QStringList wordsOf(const QString &phrase)
{
    QStringList words;
    for (const Token &token : tokenize(phrase))
        words.append(token.lower);
    return words;
}

bool isNumber(const QString &word)
{
    if (word.isEmpty() || !word.front().isDigit())
        return false;
    return std::all_of(word.begin(), word.end(), [](QChar c) {
        return c.isDigit() || c == QLatin1Char('.') || c == QLatin1Char(',');
    });
}

// A number with its unit written on ("2s", "10ms").
bool isNumberWithUnit(const QString &word)
{
    return !word.isEmpty() && word.front().isDigit() && !isNumber(word);
}

// Roles whose words are names the user chose (an entity, its type, an
// attribute, a value): a name is no vague or absolute claim.
bool isName(SpanRole role)
{
    switch (role) {
    case SpanRole::WhoWhat:
    case SpanRole::Entity:
    case SpanRole::Type:
    case SpanRole::Part:
    case SpanRole::Attribute:
    case SpanRole::Value:
    case SpanRole::State:
    case SpanRole::Units:
    case SpanRole::Spatial:
        return true;
    default:
        return false;
    }
}

struct Phrase
{
    QString rule;
    QStringList words;
    std::optional<QString> suggestion;
};

struct Pattern
{
    QString rule;
    QRegularExpression expression;
};

// The program's tables, read once from the resources.
struct Tables
{
    QList<Phrase> phrases;
    QList<Pattern> patterns;
    QHash<QString, QSet<QString>> lexicon; // class -> words
};

QList<QStringList> rowsOf(const QString &resource)
{
    QList<QStringList> rows;
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return rows;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        rows.append(line.split(QLatin1Char('\t')));
    }
    return rows;
}

const Tables &builtInTables()
{
    static const Tables tables = [] {
        Tables read;
        for (const QStringList &row : rowsOf(QStringLiteral(":/quality/words.tsv"))) {
            if (row.size() < 2)
                continue;
            Phrase phrase{row[0], wordsOf(row[1]), std::nullopt};
            if (row.size() > 2 && !row[2].isEmpty())
                phrase.suggestion = row[2] == kDelete ? QString() : row[2];
            if (!phrase.words.isEmpty())
                read.phrases.append(phrase);
        }
        for (const QStringList &row : rowsOf(QStringLiteral(":/quality/patterns.tsv"))) {
            if (row.size() < 2)
                continue;
            QRegularExpression expression(row[1],
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::UseUnicodePropertiesOption);
            expression.optimize();
            if (expression.isValid())
                read.patterns.append({row[0], expression});
        }
        for (const QStringList &row : rowsOf(QStringLiteral(":/quality/lexicon.tsv"))) {
            if (row.size() >= 2)
                read.lexicon[row[0]].insert(row[1].toLower());
        }
        return read;
    }();
    return tables;
}

} // namespace

// The tables as one checker runs them: phrases indexed by their first word,
// longest first, with the workspace's added words; the lexicon's classes.
class CompiledRules
{
public:
    explicit CompiledRules(const RuleSettings &settings)
    {
        const Tables &tables = builtInTables();
        QList<Phrase> phrases;
        for (const Phrase &phrase : tables.phrases) {
            if (settings.isOn(phrase.rule))
                phrases.append(phrase);
        }
        m_lexicon = tables.lexicon;
        for (auto added = settings.addedWords.cbegin(); added != settings.addedWords.cend();
             ++added) {
            if (!settings.isOn(added.key()))
                continue;
            for (const QString &word : added.value()) {
                const QStringList words = wordsOf(word);
                if (words.isEmpty())
                    continue;
                // A word added to the number rule is one more that asks
                // for a unit after a number, one added to the passive rule a
                // past participle; elsewhere the word joins the rule's list.
                if (added.key() == QLatin1String("number-without-unit"))
                    m_lexicon[QStringLiteral("cue")].insert(words.join(QLatin1Char(' ')));
                else if (added.key() == QLatin1String("passive"))
                    m_lexicon[QStringLiteral("participle")].insert(words.join(QLatin1Char(' ')));
                else
                    phrases.append({added.key(), words, std::nullopt});
            }
        }
        for (const Phrase &phrase : phrases)
            m_byFirstWord[phrase.words.front()].append(phrase);
        for (QList<Phrase> &list : m_byFirstWord)
            std::stable_sort(list.begin(), list.end(), [](const Phrase &a, const Phrase &b) {
                return a.words.size() > b.words.size();
            });
        for (const Pattern &pattern : tables.patterns) {
            if (settings.isOn(pattern.rule))
                m_patterns.append(pattern);
        }
        for (const RuleInfo &rule : RuleBook::rules())
            m_on.insert(QLatin1String(rule.id), settings.isOn(QLatin1String(rule.id)));
    }

    bool in(const char *wordClass, const QString &word) const
    {
        const auto found = m_lexicon.constFind(QLatin1String(wordClass));
        return found != m_lexicon.cend() && found->contains(word);
    }
    bool isOn(const char *rule) const { return m_on.value(QLatin1String(rule), false); }

    QHash<QString, QList<Phrase>> m_byFirstWord;
    QList<Pattern> m_patterns;
    QHash<QString, QSet<QString>> m_lexicon;
    QHash<QString, bool> m_on;
};

namespace {

// One run of the rules over one sentence.
class Run
{
public:
    Run(const CompiledRules &rules, const ModelVocabulary &vocabulary,
        const CheckedSentence &sentence)
        : m_rules(rules), m_vocabulary(vocabulary), m_sentence(sentence),
          m_tokens(tokenize(sentence.sentence))
    {
        for (Token &token : m_tokens) {
            for (int s = 0; s < sentence.spans.size(); ++s) {
                const UserSpan &span = sentence.spans[s];
                if (token.start >= span.start && token.end() <= span.end()) {
                    token.span = s;
                    break;
                }
            }
        }
    }

    QList<Finding> findings()
    {
        matchPhrases();
        matchPatterns();
        checkPassive();
        checkNumbers();
        checkJoinedActions();
        std::sort(m_found.begin(), m_found.end(), [](const Finding &a, const Finding &b) {
            return a.start != b.start ? a.start < b.start : a.rule < b.rule;
        });
        return m_found;
    }

private:
    const Token *at(int i) const { return i >= 0 && i < m_tokens.size() ? &m_tokens[i] : nullptr; }
    QString word(int i) const
    {
        return i >= 0 && i < m_tokens.size() ? m_tokens[i].lower : QString();
    }
    bool isUser(int i) const { return i >= 0 && i < m_tokens.size() && m_tokens[i].span >= 0; }
    SpanRole roleOf(int i) const { return m_sentence.spans[m_tokens[i].span].role; }
    bool firstOfSpan(int i) const
    {
        return !isUser(i - 1) || m_tokens[i - 1].span != m_tokens[i].span;
    }
    // Nothing follows in the sentence, or what follows is a preposition or
    // conjunction: the word stands alone.
    bool standsAlone(int next) const
    {
        const Token *token = at(next);
        if (!token)
            return true;
        const QString &w = token->lower;
        return m_rules.in("preposition", w) || m_rules.in("conjunction", w);
    }
    // A punctuation mark between two tokens ends a clause.
    bool punctuationBetween(int left, int right) const
    {
        const Token *a = at(left);
        const Token *b = at(right);
        if (!a || !b)
            return false;
        for (int c = a->end(); c < b->start; ++c) {
            const QChar ch = m_sentence.sentence[c];
            if (ch == QLatin1Char(',') || ch == QLatin1Char(';') || ch == QLatin1Char(':') ||
                ch == QLatin1Char('.') || ch == QLatin1Char('(') || ch == QLatin1Char(')'))
                return true;
        }
        return false;
    }

    void add(const char *rule, int first, int last, std::optional<QString> suggestion = {})
    {
        const int start = m_tokens[first].start;
        const int end = m_tokens[last].end();
        addRange(QLatin1String(rule), start, end - start, std::move(suggestion));
    }
    void addRange(const QString &rule, int start, int length, std::optional<QString> suggestion)
    {
        // One finding of a rule where its words overlap another's: the
        // longer stays.
        for (Finding &found : m_found) {
            if (found.rule != rule)
                continue;
            if (start < found.start + found.length && found.start < start + length) {
                if (length > found.length) {
                    found = make(rule, start, length, std::move(suggestion));
                }
                return;
            }
        }
        m_found.append(make(rule, start, length, std::move(suggestion)));
    }
    Finding make(const QString &rule, int start, int length,
                 std::optional<QString> suggestion) const
    {
        const QString words = m_sentence.sentence.mid(start, length);
        return {rule, words, start, length, RuleBook::message(rule, words), std::move(suggestion)};
    }

    // Whether a finding of the rule covers the words already.
    bool covered(int first, int last, const QString &rule) const
    {
        const int start = m_tokens[first].start;
        const int end = m_tokens[last].end();
        return std::any_of(m_found.begin(), m_found.end(), [&](const Finding &found) {
            return found.rule == rule && found.start < end && start < found.start + found.length;
        });
    }

    // The word lists: each phrase at each user word where it starts, all its
    // words in one span of the user's.
    void matchPhrases()
    {
        int coveredUntil = -1; // a phrase found takes its words from the others
        for (int i = 0; i < m_tokens.size(); ++i) {
            if (!isUser(i) || i <= coveredUntil)
                continue;
            const auto candidates = m_rules.m_byFirstWord.constFind(m_tokens[i].lower);
            if (candidates == m_rules.m_byFirstWord.cend())
                continue;
            // The longest phrase that is a fault here wins: "and/or others"
            // is an open list, not also a compound.
            for (const Phrase &phrase : *candidates) {
                const int last = i + int(phrase.words.size()) - 1;
                if (!matches(phrase, i, last))
                    continue;
                if (!isFault(phrase.rule, i, last))
                    continue;
                std::optional<QString> suggestion = phrase.suggestion;
                if (!suggestion && phrase.rule == QLatin1String("comparative"))
                    suggestion = m_sentence.sentence.mid(m_tokens[i].start,
                                                         m_tokens[last].end() - m_tokens[i].start) +
                                 QStringLiteral(" than <reference>");
                add(phrase.rule.toLatin1().constData(), i, last, suggestion);
                coveredUntil = last;
                break;
            }
        }
    }

    bool matches(const Phrase &phrase, int first, int last) const
    {
        if (last >= m_tokens.size())
            return false;
        for (int k = 0; k < phrase.words.size(); ++k) {
            const Token &token = m_tokens[first + k];
            if (token.lower != phrase.words[k] || token.span != m_tokens[first].span)
                return false;
        }
        return true;
    }

    // Whether what the word list found is a fault where it stands: the
    // decisions that keep sound sentences free of findings.
    bool isFault(const QString &rule, int first, int last) const
    {
        const SpanRole role = roleOf(first);
        const QString w = m_tokens[first].lower;
        if (rule == QLatin1String("vague-term")) {
            if (isName(role) || isDeclared(first, last))
                return false;
            if (isVerbPlace(first))
                return false;
            if (w == QLatin1String("many") &&
                (word(first - 1) == QLatin1String("how") || word(last + 1) == QLatin1String("as")))
                return false;
            return true;
        }
        if (rule == QLatin1String("escape-clause")) {
            // "as required by ISO 9001" names what requires it.
            return !(w == QLatin1String("as") && word(last + 1) == QLatin1String("by"));
        }
        if (rule == QLatin1String("pronoun"))
            return !isName(role) && isPronounReference(first);
        if (rule == QLatin1String("absolute"))
            return !isName(role) && !isDeclared(first, last) && isAbsolute(first, last);
        if (rule == QLatin1String("temporal-vague"))
            return isVagueTime(first, last);
        if (rule == QLatin1String("comparative"))
            return !isName(role) && !isVerbPlace(first) && lacksReference(first, last);
        return true;
    }

    // The first word of a function, an action or a free text stands where
    // the verb does: "lower the barrier", "secure the door".
    bool isVerbPlace(int i) const
    {
        const SpanRole role = roleOf(i);
        return (role == SpanRole::DoWhat || role == SpanRole::Action ||
                role == SpanRole::FreeText) &&
               firstOfSpan(i);
    }

    // The words belong to a possible value or an entity name the model
    // declares.
    bool isDeclared(int first, int last) const
    {
        if (m_vocabulary.values.isEmpty() && m_vocabulary.entityNames.isEmpty())
            return false;
        const UserSpan &span = m_sentence.spans[m_tokens[first].span];
        const QString spanText = m_sentence.sentence.mid(span.start, span.length).toLower();
        if (m_vocabulary.values.contains(spanText) || m_vocabulary.entityNames.contains(spanText))
            return true;
        // A name of up to four words around the words, within the span.
        for (int from = std::max(0, first - 3); from <= first; ++from) {
            for (int to = last; to <= last + 3 && to < m_tokens.size(); ++to) {
                if (m_tokens[from].span != m_tokens[first].span ||
                    m_tokens[to].span != m_tokens[first].span)
                    continue;
                const QString name =
                    m_sentence.sentence
                        .mid(m_tokens[from].start, m_tokens[to].end() - m_tokens[from].start)
                        .toLower();
                if (m_vocabulary.values.contains(name) || m_vocabulary.entityNames.contains(name))
                    return true;
            }
        }
        return false;
    }

    // "it", "they", "them", "these", "those", "this", "he", "she" always
    // point elsewhere; "that" only where it stands for a thing: after a
    // preposition, or with nothing, a preposition or a conjunction after it.
    // Otherwise it joins a clause ("messages that arrive", "verify that the
    // door is shut").
    bool isPronounReference(int i) const
    {
        if (m_tokens[i].lower != QLatin1String("that"))
            return true;
        if (m_rules.in("preposition", word(i - 1)))
            return true;
        return standsAlone(i + 1) || punctuationBetween(i, i + 1);
    }

    // "all", "every" and "any" quantify the set they are followed by ("every
    // query", "all users"); alone ("delete all") they claim without limit.
    bool isAbsolute(int first, int last) const
    {
        const QString w = m_tokens[first].lower;
        if (first != last ||
            (w != QLatin1String("all") && w != QLatin1String("every") && w != QLatin1String("any")))
            return true;
        if (word(last + 1) == QLatin1String("of"))
            return false;
        return standsAlone(last + 1) || punctuationBetween(last, last + 1);
    }

    // "periodically every 5 seconds" gives its period; "as soon as the
    // truck arrives" its event.
    bool isVagueTime(int first, int last) const
    {
        const QString w = m_tokens[first].lower;
        if (w == QLatin1String("soon") && word(first - 1) == QLatin1String("as"))
            return false;
        if (w == QLatin1String("periodically") || w == QLatin1String("regularly") ||
            w == QLatin1String("frequently")) {
            for (int k = last + 1; k <= last + 3 && k < m_tokens.size(); ++k) {
                const QString next = m_tokens[k].lower;
                if (next == QLatin1String("every") || next == QLatin1String("per") ||
                    isNumber(next) || isNumberWithUnit(next))
                    return false;
            }
        }
        return true;
    }

    // A comparative is measured when "than" follows soon, a number follows
    // ("reduced to 5 seconds", "increased by 10 %"), or it closes a range
    // ("5 or more").
    bool lacksReference(int first, int last) const
    {
        const QString before = word(first - 1);
        if (before == QLatin1String("or") || before == QLatin1String("and"))
            return false;
        if (before == QLatin1String("no") && word(last + 1) != QLatin1String("than"))
            return false; // "no longer": not any more
        for (int k = last + 1; k <= last + 5 && k < m_tokens.size(); ++k) {
            const QString next = m_tokens[k].lower;
            if (next == QLatin1String("than"))
                return false;
            if (k <= last + 3 && (isNumber(next) || isNumberWithUnit(next)))
                return false;
        }
        return true;
    }

    void matchPatterns()
    {
        for (const Pattern &pattern : m_rules.m_patterns) {
            for (const UserSpan &span : m_sentence.spans) {
                const QStringView text =
                    QStringView(m_sentence.sentence).mid(span.start, span.length);
                QRegularExpressionMatchIterator matches = pattern.expression.globalMatch(text);
                while (matches.hasNext()) {
                    const QRegularExpressionMatch match = matches.next();
                    const bool named = match.capturedStart(u"words") >= 0;
                    const int start =
                        int(named ? match.capturedStart(u"words") : match.capturedStart());
                    const int length =
                        int(named ? match.capturedLength(u"words") : match.capturedLength());
                    if (length > 0)
                        addRange(pattern.rule, span.start + start, length, std::nullopt);
                }
            }
        }
    }

    // "be" and a past participle in free text, with no "by" naming who
    // does it after it.
    void checkPassive()
    {
        if (!m_rules.isOn("passive"))
            return;
        static const QSet<QString> kBe = {QStringLiteral("be"), QStringLiteral("been"),
                                          QStringLiteral("being"), QStringLiteral("is"),
                                          QStringLiteral("are")};
        static const QSet<QString> kStative = {
            QStringLiteral("based"),      QStringLiteral("located"),   QStringLiteral("limited"),
            QStringLiteral("equipped"),   QStringLiteral("dedicated"), QStringLiteral("compliant"),
            QStringLiteral("interested"), QStringLiteral("concerned"), QStringLiteral("related")};
        for (int i = 0; i < m_tokens.size(); ++i) {
            if (!isUser(i) || roleOf(i) != SpanRole::FreeText || !kBe.contains(m_tokens[i].lower))
                continue;
            int p = i + 1;
            if (isUser(p) && m_tokens[p].lower.endsWith(QLatin1String("ly")))
                ++p; // "be automatically archived"
            if (!isUser(p) || m_tokens[p].span != m_tokens[i].span)
                continue;
            const QString w = m_tokens[p].lower;
            const bool participle =
                m_rules.in("participle", w) || (w.size() > 4 && w.endsWith(QLatin1String("ed")) &&
                                                !m_rules.in("notparticiple", w));
            if (!participle || kStative.contains(w) || covered(i, p, QStringLiteral("placeholder")))
                continue; // "to be determined" is a placeholder
            bool agent = false;
            for (int k = p + 1; k < m_tokens.size() && m_tokens[k].span == m_tokens[i].span; ++k)
                agent = agent || m_tokens[k].lower == QLatin1String("by");
            if (!agent)
                add("passive", i, p);
        }
    }

    // A bare number where a duration, distance or rate is asked for: after
    // a cue ("within 2", "a timeout of 30") and with no unit or counted
    // noun after it.
    void checkNumbers()
    {
        if (!m_rules.isOn("number-without-unit"))
            return;
        for (int i = 0; i < m_tokens.size(); ++i) {
            if (!isUser(i) || !isNumber(m_tokens[i].lower))
                continue;
            const SpanRole role = roleOf(i);
            if (role == SpanRole::Value || role == SpanRole::State || role == SpanRole::Units)
                continue;
            int unitAt = i + 1;
            // A range takes the unit of its last number: "0 to 99 knots".
            const QString joiner = word(i + 1);
            if ((joiner == QLatin1String("to") || joiner == QLatin1String("and") ||
                 joiner == QLatin1String("or")) &&
                isNumber(word(i + 2)))
                unitAt = i + 3;
            const Token *next = at(unitAt);
            if (next && !punctuationBetween(unitAt - 1, unitAt)) {
                const QString w = next->lower;
                if (m_rules.in("unit", w) || isNumberWithUnit(w))
                    continue;
                const bool closes = m_rules.in("preposition", w) || m_rules.in("conjunction", w) ||
                                    m_rules.in("determiner", w);
                if (!closes)
                    continue; // counted things: "3 attempts"
            }
            QString cue;
            for (int back = 1; back <= 3 && !punctuationBetween(i - back, i - back + 1); ++back) {
                if (!at(i - back))
                    break;
                const QString one = word(i - back);
                const QString two = word(i - back - 1) + QLatin1Char(' ') + one;
                const QString three = word(i - back - 2) + QLatin1Char(' ') + two;
                if (m_rules.in("cue", one) || m_rules.in("cue", two) || m_rules.in("cue", three)) {
                    cue = one;
                    break;
                }
                if (m_rules.in("determiner", one) || one == QLatin1String("of"))
                    continue; // "a timeout of 30"
                break;
            }
            if (cue.isEmpty())
                continue;
            // A year: "after 2025".
            const int value = m_tokens[i].lower.toInt();
            if (m_tokens[i].length == 4 && value >= 1900 && value < 2200)
                continue;
            add("number-without-unit", i, i, m_tokens[i].lower + QStringLiteral(" <unit>"));
        }
    }

    // Two actions in one sentence: "and" between two functions of a do-what
    // field, or "and" followed by an action verb that takes its own object
    // ("display the alarm and log the event").
    void checkJoinedActions()
    {
        if (!m_rules.isOn("compound"))
            return;
        for (int i = 0; i < m_tokens.size(); ++i) {
            if (!isUser(i) || m_tokens[i].lower != QLatin1String("and"))
                continue;
            const SpanRole role = roleOf(i);
            if (role == SpanRole::DoWhat && isUser(i + 1) &&
                m_tokens[i + 1].span == m_tokens[i].span) {
                add("compound", i, i);
                continue;
            }
            if (role != SpanRole::FreeText && role != SpanRole::Action)
                continue;
            int v = i + 1;
            if (word(v) == QLatin1String("then") || word(v) == QLatin1String("also"))
                ++v;
            if (!isUser(v) || !m_rules.in("verb", word(v)))
                continue;
            const QString object = word(v + 1);
            if (m_rules.in("determiner", object) || object == QLatin1String("it") ||
                object == QLatin1String("them") || object == QLatin1String("all") ||
                object == QLatin1String("each") || object == QLatin1String("every") ||
                object == QLatin1String("to") || !at(v + 1))
                add("compound", i, v);
        }
    }

    const CompiledRules &m_rules;
    const ModelVocabulary &m_vocabulary;
    const CheckedSentence &m_sentence;
    QList<Token> m_tokens;
    QList<Finding> m_found;
};

} // namespace

SentenceChecker::SentenceChecker(const RuleSettings &settings)
    : m_settings(settings), m_rules(std::make_unique<CompiledRules>(settings))
{}

SentenceChecker::~SentenceChecker() = default;

void SentenceChecker::setVocabulary(ModelVocabulary vocabulary)
{
    m_vocabulary = std::move(vocabulary);
}

QList<Finding> SentenceChecker::check(const CheckedSentence &sentence) const
{
    if (sentence.spans.isEmpty())
        return {};
    return Run(*m_rules, m_vocabulary, sentence).findings();
}

} // namespace varn::quality
