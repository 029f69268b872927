#include "language/gcodegrammar.h"

#include "common/requirementlimits.h"
#include "language/grammartables.h"
#include "language/termnormalizer.h"

#include <array>

namespace varn::language {

namespace {

// The tables compiled for the walk. A term X after the letter P1 is tried
// only against the rows that can apply to that pair, in table order, each
// reduced to the positions it still constrains; most terms meet their row
// first or second.
struct Constraint
{
    quint8 position = 0;
    quint32 mask = 0;
};

struct CompiledRule
{
    quint8 rule = 0; // index into its table
    quint8 count = 0;
    std::array<Constraint, 4> constraints{};
};

constexpr quint32 bitOfIndex(int letter)
{
    return 1u << letter;
}

// The constraints of a row that are left once X (and P1 when given) are known.
constexpr CompiledRule compile(const GrammarRule &rule, std::size_t index, bool knowFirst)
{
    CompiledRule compiled;
    compiled.rule = quint8(index);
    for (std::size_t position = knowFirst ? 2 : 1; position < GrammarRule::PositionCount;
         ++position) {
        if (rule.masks[position] != ~0u)
            compiled.constraints[compiled.count++] = {quint8(position), rule.masks[position]};
    }
    return compiled;
}

constexpr bool admits(const GrammarRule &rule, int x, int p1)
{
    return (rule.masks[GrammarRule::X] & bitOfIndex(x)) != 0 &&
           (rule.masks[GrammarRule::P1] & bitOfIndex(p1)) != 0;
}

constexpr std::size_t familyEntryCount()
{
    std::size_t count = 0;
    for (int x = 0; x < 26; ++x) {
        for (int p1 = 0; p1 < 26; ++p1) {
            for (const GrammarRule &rule : FamilyRules)
                count += admits(rule, x, p1) ? 1 : 0;
        }
    }
    return count;
}

// The rows for the pair (X, P1) are rows[start[X * 26 + P1]] up to the next start.
struct FamilyIndex
{
    std::array<CompiledRule, familyEntryCount()> rows{};
    std::array<quint16, 26 * 26 + 1> start{};
};

constexpr FamilyIndex compileFamilies()
{
    static_assert(std::size(FamilyRules) < 256 && familyEntryCount() < 65536);
    FamilyIndex index;
    std::size_t next = 0;
    for (int pair = 0; pair < 26 * 26; ++pair) {
        index.start[std::size_t(pair)] = quint16(next);
        for (std::size_t row = 0; row < std::size(FamilyRules); ++row) {
            if (admits(FamilyRules[row], pair / 26, pair % 26))
                index.rows[next++] = compile(FamilyRules[row], row, true);
        }
    }
    index.start[26 * 26] = quint16(next);
    return index;
}

constexpr FamilyIndex Families = compileFamilies();

// Most terms are decided by X and the two letters before it alone: for each
// such triple, the row that decides when the first row that can apply needs
// no further letter; NeedsRows when it does, NoFamily for 'd' and 'k'.
constexpr quint8 NeedsRows = 0xff;
constexpr quint8 NoFamily = 0xfe;
constexpr int P2Values = 27; // the letters, and no letter before the start

constexpr quint32 p2Bit(int p2)
{
    return p2 < 26 ? bitOfIndex(p2) : LetterSet::NoLetterBit;
}

constexpr quint8 directDecision(int pair, int p2)
{
    const int from = Families.start[std::size_t(pair)], to = Families.start[std::size_t(pair) + 1];
    for (int index = from; index < to; ++index) {
        const CompiledRule &compiled = Families.rows[std::size_t(index)];
        bool admitted = true, further = false;
        for (int c = 0; c < compiled.count; ++c) {
            const Constraint &constraint = compiled.constraints[std::size_t(c)];
            if (constraint.position == GrammarRule::P2)
                admitted = (constraint.mask & p2Bit(p2)) != 0;
            else
                further = true;
        }
        if (admitted)
            return further ? NeedsRows : compiled.rule;
    }
    return NoFamily;
}

constexpr auto compileDirect()
{
    static_assert(std::size(FamilyRules) < NoFamily);
    std::array<quint8, 26 * 26 * P2Values> direct{};
    for (int pair = 0; pair < 26 * 26; ++pair) {
        for (int p2 = 0; p2 < P2Values; ++p2)
            direct[std::size_t(pair * P2Values + p2)] = directDecision(pair, p2);
    }
    return direct;
}

constexpr auto Direct = compileDirect();

constexpr auto accepting()
{
    std::array<bool, std::size(FamilyRules)> accepts{};
    for (std::size_t row = 0; row < accepts.size(); ++row)
        accepts[row] = FamilyRules[row].verdict == RuleVerdict::Accept;
    return accepts;
}

// Whether each family row accepts, without reading the whole row.
constexpr auto Accepting = accepting();

// The end checks by the last letter.
struct RuleList
{
    quint8 count = 0;
    std::array<CompiledRule, 32> rows{};
};

constexpr std::array<RuleList, 26> compileEndChecks()
{
    std::array<RuleList, 26> index{};
    for (int letter = 0; letter < 26; ++letter) {
        RuleList &list = index[std::size_t(letter)];
        for (std::size_t row = 0; row < std::size(EndCheckRules); ++row) {
            if (EndCheckRules[row].masks[GrammarRule::X] & bitOfIndex(letter))
                list.rows[list.count++] = compile(EndCheckRules[row], row, false);
        }
    }
    return index;
}

constexpr std::array<RuleList, 26> EndCheckIndex = compileEndChecks();

// The bit of the letter at an index of the G-code; "no letter" outside it.
quint32 bitAt(QByteArrayView gcode, qsizetype index)
{
    return index >= 0 && index < gcode.size() ? LetterSet::bitOf(gcode[index])
                                              : LetterSet::NoLetterBit;
}

// The bit of the letter a family row's position names, for the term at i.
quint32 around(QByteArrayView gcode, qsizetype i, int position)
{
    return bitAt(gcode, position < GrammarRule::G0 ? i - position : position - GrammarRule::G0);
}

// Whether a row's constraints all hold, the letters read through letterBit.
template <typename Bit> bool holds(const CompiledRule &compiled, Bit letterBit)
{
    for (int index = 0; index < compiled.count; ++index) {
        const Constraint &constraint = compiled.constraints[std::size_t(index)];
        if ((letterBit(constraint.position) & constraint.mask) == 0)
            return false;
    }
    return true;
}

// The first of the rows whose constraints all hold, or -1.
template <typename Bit>
int firstMatch(const CompiledRule *row, const CompiledRule *end, Bit letterBit)
{
    for (; row != end; ++row) {
        if (holds(*row, letterBit))
            return row->rule;
    }
    return -1;
}

GrammarVerdict decide(const GrammarRule &rule)
{
    switch (rule.verdict) {
    case RuleVerdict::Refuse:
        return GrammarVerdict::refused(rule.name, rule.message);
    case RuleVerdict::RefuseSilently:
        return GrammarVerdict::refusedSilently(rule.name);
    case RuleVerdict::Accept:
    case RuleVerdict::Collect:
        break;
    }
    return GrammarVerdict::accepted(rule.name);
}

struct Counters
{
    int when = 0;
    int ifs = 0;
};

// Which counter check a letter takes part in.
enum CounterKind : quint8 { Uncounted, WhenType, If, And, Quantity, Every };

constexpr std::array<quint8, 26> counterKinds()
{
    std::array<quint8, 26> kinds{};
    for (const char letter : {'b', 'f', 'w'})
        kinds[std::size_t(letter - 'a')] = WhenType;
    kinds['i' - 'a'] = If;
    kinds['o' - 'a'] = And;
    kinds['q' - 'a'] = Quantity;
    kinds['y' - 'a'] = Every;
    return kinds;
}

constexpr std::array<quint8, 26> CounterKinds = counterKinds();

// The counters of when-type and 'if' terms, after the family check passed;
// the name of the failing check, or null.
const char *countTerm(Counters &counters, char term, char previous, LanguageMessage &message)
{
    using M = LanguageMessage;
    switch (CounterKinds[std::size_t(term - 'a')]) {
    case WhenType:
        if (++counters.when > 1)
            return message = M::TwoWhenClauses, "when-count";
        if (counters.ifs > 0)
            return message = M::IfBeforeWhen, "if-before-when";
        break;
    case If:
        if (++counters.ifs > 1)
            return message = M::TwoIfClauses, "if-count";
        break;
    case And:
        if (counters.ifs == 0)
            return message = M::AndBeforeIf, "and-before-if";
        break;
    case Quantity:
        if (previous == 'e' && counters.when > 0)
            return message = M::WhenBeforeEntityQuantity, "when-quantity";
        break;
    case Every:
        if (counters.when > 0)
            return message = M::WhenBeforeEvery, "when-every";
        break;
    default:
        break;
    }
    return nullptr;
}

// The opening pair "kd" is not examined; every other term is, from the second
// on. (A second 'd' right after an opening 'd' is examined, and refused, since
// 'd' stands nowhere but at the start.)
qsizetype firstExamined(QByteArrayView gcode)
{
    return gcode.size() > 1 && gcode[0] == 'k' && gcode[1] == 'd' ? 2 : 1;
}

// The end checks. Rows that collect note their message and let the next row
// decide; an accepting row then refuses with what was noted.
GrammarVerdict endCheck(QByteArrayView gcode)
{
    const qsizetype size = gcode.size();
    const RuleList &list = EndCheckIndex[std::size_t(gcode[size - 1] - 'a')];
    const auto fromEnd = [&](int back) { return bitAt(gcode, size - 1 - back); };
    GrammarVerdict collected = GrammarVerdict::accepted("");
    for (int row = 0; row < list.count; ++row) {
        if (!holds(list.rows[std::size_t(row)], fromEnd))
            continue;
        const GrammarRule &rule = EndCheckRules[list.rows[std::size_t(row)].rule];
        if (rule.verdict != RuleVerdict::Collect) {
            return collected.messageCount > 0 && rule.verdict == RuleVerdict::Accept ? collected
                                                                                     : decide(rule);
        }
        if (collected.messageCount == 0)
            collected = GrammarVerdict::refused(rule.name, rule.message);
        else
            collected.messages[collected.messageCount++] = rule.message;
    }
    return collected;
}

} // namespace

GrammarVerdict GCodeGrammar::evaluate(QByteArrayView gcode, bool endChecks)
{
    if (gcode.size() > kMaxTerms)
        return GrammarVerdict::refused("length", LanguageMessage::GCodeTooLong);
    if (gcode.isEmpty() || (gcode[0] != 'd' && gcode[0] != 'k'))
        return GrammarVerdict::refused("start", LanguageMessage::NotFunctional);

    Counters counters;
    int decidedBy = -1;
    for (qsizetype i = firstExamined(gcode); i < gcode.size(); ++i) {
        const char term = gcode[i];
        if (!LetterSet::isLetter(term))
            return GrammarVerdict::refused("letter", LanguageMessage::InvalidTerm);
        const int pair = (term - 'a') * 26 + (gcode[i - 1] - 'a');
        const int p2 = i >= 2 ? gcode[i - 2] - 'a' : 26;
        int row = Direct[std::size_t(pair * P2Values + p2)];
        if (row == NeedsRows) {
            row = firstMatch(Families.rows.data() + Families.start[std::size_t(pair)],
                             Families.rows.data() + Families.start[std::size_t(pair) + 1],
                             [&](int position) { return around(gcode, i, position); });
        }
        // 'd' and 'k' belong to no family.
        if (row < 0 || row == NoFamily)
            return GrammarVerdict::refused("family", LanguageMessage::InvalidTerm);
        if (!Accepting[std::size_t(row)])
            return decide(FamilyRules[row]);
        if (CounterKinds[std::size_t(term - 'a')] != Uncounted) {
            LanguageMessage message{};
            if (const char *check = countTerm(counters, term, gcode[i - 1], message))
                return GrammarVerdict::refused(check, message);
        }
        decidedBy = row;
    }
    if (endChecks)
        return endCheck(gcode);
    return GrammarVerdict::accepted(decidedBy < 0 ? "start" : FamilyRules[decidedBy].name);
}

Outcome GCodeGrammar::ValidateSequence(QByteArrayView gcode, bool endChecks)
{
    return evaluate(gcode, endChecks).toOutcome();
}

Outcome GCodeGrammar::NormalizeField(QString &text, char letter)
{
    return TermNormalizer::normalizeField(text, letter);
}

QString GCodeGrammar::NormalizeName(QStringView text, char letter)
{
    return TermNormalizer::normalizeName(text, letter);
}

} // namespace varn::language
