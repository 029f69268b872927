#include "language/gcodegrammar.h"

#include "language/grammartables.h"
#include "language/termnormalizer.h"
#include "language/termvocabulary.h"

#include <array>

namespace varn::language {

namespace {

using Letters = GrammarRule::Letters;

// The family rows that apply to each letter, in table order, so that a term
// is tried only against the rows of its own family.
struct RuleList
{
    quint8 count = 0;
    std::array<quint8, 32> rows{};
};

constexpr std::array<RuleList, 26> buildFamilyIndex()
{
    std::array<RuleList, 26> index{};
    for (int letter = 0; letter < 26; ++letter) {
        RuleList &list = index[std::size_t(letter)];
        for (std::size_t row = 0; row < std::size(FamilyRules); ++row) {
            if (FamilyRules[row].masks[GrammarRule::X] & (1u << letter))
                list.rows[list.count++] = quint8(row);
        }
    }
    return index;
}

static_assert(std::size(FamilyRules) < 256);
constexpr std::array<RuleList, 26> FamilyIndex = buildFamilyIndex();

// Bits of the G-code's letters, with five "no letter" places before the
// start so that P1..P5 of any term can be read without a test.
constexpr int Lead = 5;

struct LetterBits
{
    std::array<quint32, Lead + GCodeGrammar::MaxLength + 1> bits;
    qsizetype size;

    explicit LetterBits(QByteArrayView gcode) : size(gcode.size())
    {
        for (int index = 0; index < Lead; ++index)
            bits[std::size_t(index)] = LetterSet::NoLetterBit;
        for (qsizetype index = 0; index < size; ++index)
            bits[std::size_t(Lead + index)] = LetterSet::bitOf(gcode[index]);
    }
    quint32 at(qsizetype index) const
    {
        return index < size ? bits[std::size_t(Lead + index)] : LetterSet::NoLetterBit;
    }
};

struct Counters
{
    int when = 0;
    int ifs = 0;
};

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

GrammarVerdict familyCheck(const LetterBits &letters, qsizetype i, char term)
{
    const RuleList &list = FamilyIndex[std::size_t(term - 'a')];
    const Letters around = {letters.at(i),
                            letters.bits[std::size_t(Lead + i - 1)],
                            letters.bits[std::size_t(Lead + i - 2)],
                            letters.bits[std::size_t(Lead + i - 3)],
                            letters.bits[std::size_t(Lead + i - 4)],
                            letters.bits[std::size_t(Lead + i - 5)],
                            letters.at(0),
                            letters.at(1)};
    for (int row = 0; row < list.count; ++row) {
        const GrammarRule &rule = FamilyRules[list.rows[std::size_t(row)]];
        if (rule.matches(around))
            return decide(rule);
    }
    // 'd' and 'k' belong to no family.
    return GrammarVerdict::refused("family", LanguageMessage::InvalidTerm);
}

// The counters of when-type and 'if' terms, after the family check passed.
GrammarVerdict countTerm(Counters &counters, char term, char previous, const char *rule)
{
    using M = LanguageMessage;
    if (WhenTypeTerms.contains(term)) {
        if (++counters.when > 1)
            return GrammarVerdict::refused("when-count", M::TwoWhenClauses);
        if (counters.ifs > 0)
            return GrammarVerdict::refused("if-before-when", M::IfBeforeWhen);
    } else if (term == 'i') {
        if (++counters.ifs > 1)
            return GrammarVerdict::refused("if-count", M::TwoIfClauses);
    } else if (term == 'o' && counters.ifs == 0) {
        return GrammarVerdict::refused("and-before-if", M::AndBeforeIf);
    } else if (term == 'q' && previous == 'e' && counters.when > 0) {
        return GrammarVerdict::refused("when-quantity", M::WhenBeforeEntityQuantity);
    } else if (term == 'y' && counters.when > 0) {
        return GrammarVerdict::refused("when-every", M::WhenBeforeEvery);
    }
    return GrammarVerdict::accepted(rule);
}

// The opening pair "kd" is not examined; every other term is, from the second
// on. (A second 'd' right after an opening 'd' is examined, and refused, since
// 'd' stands nowhere but at the start.)
qsizetype firstExamined(QByteArrayView gcode)
{
    return gcode.size() > 1 && gcode[0] == 'k' && gcode[1] == 'd' ? 2 : 1;
}

GrammarVerdict endCheck(const LetterBits &letters)
{
    Letters tail;
    for (std::size_t back = 0; back < tail.size(); ++back)
        tail[back] = letters.at(letters.size - 1 - qsizetype(back));
    GrammarVerdict collected = GrammarVerdict::accepted("");
    for (const GrammarRule &rule : EndCheckRules) {
        if (!rule.matches(tail))
            continue;
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
    if (gcode.size() > MaxLength)
        return GrammarVerdict::refused("length", LanguageMessage::GCodeTooLong);
    if (gcode.isEmpty() || (gcode[0] != 'd' && gcode[0] != 'k'))
        return GrammarVerdict::refused("start", LanguageMessage::NotFunctional);

    const LetterBits letters(gcode);
    Counters counters;
    GrammarVerdict verdict = GrammarVerdict::accepted("start");
    for (qsizetype i = firstExamined(gcode); i < gcode.size(); ++i) {
        const char term = gcode[i];
        if (!LetterSet::isLetter(term))
            return GrammarVerdict::refused("letter", LanguageMessage::InvalidTerm);
        verdict = familyCheck(letters, i, term);
        if (!verdict.isAccepted())
            return verdict;
        verdict = countTerm(counters, term, gcode[i - 1], verdict.rule);
        if (!verdict.isAccepted())
            return verdict;
    }
    return endChecks ? endCheck(letters) : verdict;
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
