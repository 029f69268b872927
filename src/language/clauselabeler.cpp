#include "language/clauselabeler.h"

#include "language/languagemessages.h"
#include "language/letterset.h"
#include "language/termvocabulary.h"

#include <algorithm>
#include <array>
#include <bit>
#include <optional>

namespace varn::language {

namespace {

using M = LanguageMessage;

// Clause groups by letter, 'a' to 'z'; '.' where the letter opens no clause.
constexpr std::array<char, 27> LongFormGroups = {".B.A.B.CDC....E.......B..."};
constexpr std::array<char, 27> ShortFormGroups = {".G.F.G.HIH...KJ...L...G..."};

// Offsets by form 1..8, then the value of every other form.
constexpr std::array<int, 9> EntityOffsets = {3, 1, 2, 2, 2, 3, 3, 4, 0};
constexpr std::array<int, 9> AttributeOffsets = {1, 2, 1, 2, 2, 2, 2, 2, 2};
constexpr std::array<int, 9> TypeOffsets = {2, 3, 3, 1, 3, 2, 3, 3, 3};

// Letters after an opener's entity that make its clause a short form.
constexpr LetterSet ShortFormFollowers{"nsxz"};

constexpr char groupOf(const std::array<char, 27> &groups, char letter)
{
    if (!LetterSet::isLetter(letter))
        return 0;
    const char group = groups[std::size_t(letter - 'a')];
    return group == '.' ? 0 : group;
}

int offsetOf(const std::array<int, 9> &offsets, int form)
{
    return form >= 1 && form <= 8 ? offsets[std::size_t(form - 1)] : offsets[8];
}

struct Clause
{
    int length = 0; // 0: the letter opens no clause
    char group = 0;
    int form = 0;
};

// The records up to the first whose letter is 0; letters, groups and forms
// before the start or past the end read as 0.
class Terms
{
public:
    explicit Terms(std::span<TermRecord> records)
        : m_records(records),
          m_count(std::find_if(records.begin(), records.end(),
                               [](const TermRecord &record) { return record.letter == 0; }) -
                  records.begin())
    {}

    // Clears the labels of the records from `from` on: those past the end,
    // and those a refusal left unlabelled.
    void clearFrom(qsizetype from)
    {
        for (auto record = m_records.begin() + from; record != m_records.end(); ++record) {
            record->group = 0;
            record->form = 0;
        }
    }

    qsizetype count() const { return m_count; }
    char letter(qsizetype index) const { return inside(index) ? record(index).letter : 0; }
    char group(qsizetype index) const { return inside(index) ? record(index).group : 0; }
    int form(qsizetype index) const { return inside(index) ? record(index).form : 0; }

    void label(qsizetype from, const Clause &clause)
    {
        const qsizetype to = std::min<qsizetype>(from + clause.length, m_count);
        for (qsizetype index = from; index < to; ++index) {
            m_records[std::size_t(index)].group = clause.group;
            m_records[std::size_t(index)].form = clause.form;
        }
    }

private:
    // One comparison: a negative index wraps past the end.
    bool inside(qsizetype index) const { return std::size_t(index) < std::size_t(m_count); }
    const TermRecord &record(qsizetype index) const { return m_records[std::size_t(index)]; }

    std::span<TermRecord> m_records;
    qsizetype m_count;
};

// The actor and its qualifiers before a "do" clause that is not 'd' right away.
Clause actorPrefix(const Terms &terms)
{
    if (terms.letter(1) == 'e')
        return {2, 'Q', 2};
    if (terms.letter(1) == 't')
        return {3, 'Q', 4};
    if (terms.letter(2) == 't')
        return {4, 'Q', 1};
    return {3, 'Q', 3};
}

// A clause opened by b, d, f, h, i, j, o or w. A when-type clause is one term
// longer in its long form, since it may carry an action.
Clause openerClause(const Terms &terms, qsizetype p, char opener)
{
    const char l1 = terms.letter(p + 1), l2 = terms.letter(p + 2);
    const char l3 = terms.letter(p + 3), l4 = terms.letter(p + 4);
    const char longGroup = groupOf(LongFormGroups, opener);
    const char shortGroup = groupOf(ShortFormGroups, opener);
    const int action = longGroup == 'B' ? 1 : 0;
    if (l1 == 'e') {
        return ShortFormFollowers.contains(l2) ? Clause{2, shortGroup, 2}
                                               : Clause{2 + action, longGroup, 2};
    }
    if (l2 == 'e') {
        if (ShortFormFollowers.contains(l3))
            return {3, shortGroup, l1 == 't' ? 4 : 3};
        return {3 + action, longGroup, l1 == 'a' ? 5 : (l1 == 't' ? 4 : 3)};
    }
    if (l3 == 'e') {
        if (ShortFormFollowers.contains(l4))
            return {4, shortGroup, 1};
        return {4 + action, longGroup, l2 == 'p' ? 7 : (l1 == 'a' ? 6 : 1)};
    }
    return {5 + action, longGroup, 8};
}

// An "in" clause, or a spatial clause without a quantity.
Clause shortFormClause(const Terms &terms, qsizetype p, char opener)
{
    const char group = groupOf(ShortFormGroups, opener);
    if (terms.letter(p + 1) == 'e')
        return {2, group, 2};
    if (terms.letter(p + 2) == 'e')
        return {3, group, terms.letter(p + 1) == 't' ? 4 : 3};
    return {4, group, 1};
}

Clause relationalChain(const Terms &terms, qsizetype p)
{
    if (terms.letter(p + 3) == 'u')
        return {4, 'P', 3};
    if (terms.letter(p + 1) == 'l')
        return {3, 'P', 1};
    if (terms.letter(p + 4) == 'c')
        return {4, 'N', 3};
    return {3, 'N', 4};
}

// The clause that starts at p; length 0 when its letter cannot open one. A
// spatial term followed by a quantity without units opens none either: no
// form describes it, and derivation would read its units from the wrong term.
Clause clauseAt(const Terms &terms, qsizetype p)
{
    const char opener = terms.letter(p);
    if (LongFormOpeners.contains(opener))
        return openerClause(terms, p, opener);
    const char l1 = terms.letter(p + 1), l2 = terms.letter(p + 2);
    switch (opener) {
    case 'n':
        return shortFormClause(terms, p, opener);
    case 's':
        if (l1 != 'q')
            return shortFormClause(terms, p, opener);
        return l2 == 'u' ? Clause{3, 'O', 3} : Clause{};
    case 'l':
    case 'm':
        return l2 == 'u' ? Clause{3, 'P', 4} : Clause{2, 'P', 2};
    case 'q':
        return {2, 'O', 2};
    case 'r':
        return relationalChain(terms, p);
    case 'x':
        return {2, 'M', 2};
    case 'y':
        return {3, 'O', 1};
    case 'z':
        return l2 == 'c' ? Clause{3, 'N', 1} : Clause{2, 'N', 2};
    default:
        return {};
    }
}

// The checks across clauses, as data. Each row names, for some facts about
// the clause just labelled and its neighbours, the values that make it fail.
enum Fact : quint8 {
    Group,
    Form,
    Opener,
    Next,      // the letter after the clause
    TwoBefore, // the letter two places before the opener
    GroupBefore,
    GroupThreeBefore,
    GroupFourBefore,
    FormBefore,
    FactCount
};

// Groups 'A'..'Q' as bits 0..16, no group as bit 17; forms 0..8 as bits 0..8.
constexpr quint32 NoGroupBit = 1u << 17;

constexpr quint32 groupBit(char group)
{
    return group >= 'A' && group <= 'Q' ? 1u << (group - 'A') : NoGroupBit;
}

constexpr quint32 groupBits(const char *groups)
{
    quint32 bits = 0;
    for (; *groups; ++groups)
        bits |= groupBit(*groups);
    return bits;
}

constexpr quint32 formBit(int form)
{
    return form >= 0 && form <= 8 ? 1u << form : 1u << 31;
}

constexpr quint32 letterBit(char letter)
{
    return letter == 0 ? LetterSet::NoLetterBit : LetterSet::bitOf(letter);
}

struct CrossClauseRule
{
    std::array<quint32, FactCount> masks = {~0u, ~0u, ~0u, ~0u, ~0u, ~0u, ~0u, ~0u, ~0u};
    LanguageMessage message = M::Count;

    constexpr CrossClauseRule in(Fact fact, quint32 bits) const
    {
        CrossClauseRule rule = *this;
        rule.masks[fact] &= bits;
        return rule;
    }
    constexpr CrossClauseRule groups(Fact fact, const char *groups) const
    {
        return in(fact, groupBits(groups));
    }
    constexpr CrossClauseRule notGroups(Fact fact, const char *groups) const
    {
        return in(fact, ~groupBits(groups));
    }
    constexpr CrossClauseRule letters(Fact fact, const char *letters) const
    {
        return in(fact, LetterSet(letters).bits());
    }
    constexpr CrossClauseRule notLetters(Fact fact, const char *letters) const
    {
        return in(fact, LetterSet(letters).complement().bits());
    }
    constexpr CrossClauseRule refuse(LanguageMessage text) const
    {
        CrossClauseRule rule = *this;
        rule.message = text;
        return rule;
    }
};

constexpr CrossClauseRule check()
{
    return {};
}

// Tried in order; the first whose facts all hold refuses the requirement.
constexpr CrossClauseRule CrossClauseRules[] = {
    check()
        .groups(Group, "DE")
        .in(Form, formBit(5) | formBit(6) | formBit(7) | formBit(8))
        .notLetters(Next, "ml")
        .refuse(M::IfAndAttributeNeedsState),
    check()
        .groups(Group, "M")
        .notGroups(GroupBefore, "FGN")
        .groups(GroupBefore, "AB")
        .refuse(M::ExternalAfterLongForm),
    check().groups(Group, "M").notGroups(GroupBefore, "FGN").refuse(M::ExternalAfterNonShortForm),
    check()
        .groups(Group, "M")
        .groups(GroupBefore, "N")
        .notGroups(GroupThreeBefore, "FG")
        .in(FormBefore, ~formBit(2))
        .refuse(M::ExternalAfterChain),
    check()
        .letters(Opener, "l")
        .letters(TwoBefore, "z")
        .groups(GroupThreeBefore, "H")
        .refuse(M::RelationalAfterPossessiveWith),
    check().groups(Group, "O").groups(GroupBefore, "H").refuse(M::TemporalAfterWith),
    check()
        .groups(Group, "O")
        .groups(GroupBefore, "N")
        .groups(GroupFourBefore, "H")
        .refuse(M::TemporalAfterPossessiveWith),
    check().groups(Group, "CGHKL").letters(Next, "ml").refuse(M::StandardGroupFollowedByState),
};

// The facts a row looks at, in the order of its checks.
struct CompiledCheck
{
    quint8 count = 0;
    std::array<quint8, 4> facts{};
    std::array<quint32, 4> masks{};
};

constexpr auto compileChecks()
{
    std::array<CompiledCheck, std::size(CrossClauseRules)> compiled{};
    for (std::size_t row = 0; row < compiled.size(); ++row) {
        for (quint8 fact = 0; fact < FactCount; ++fact) {
            const quint32 mask = CrossClauseRules[row].masks[fact];
            if (mask != ~0u) {
                compiled[row].facts[compiled[row].count] = fact;
                compiled[row].masks[compiled[row].count++] = mask;
            }
        }
    }
    return compiled;
}

constexpr auto CompiledChecks = compileChecks();

// The rows that a value of one of the facts the clause itself gives (group,
// form, opener) leaves in play; most clauses leave none, and their
// neighbours need not be looked at.
template <std::size_t N> constexpr std::array<quint8, N> rowsAdmitting(Fact fact, auto bitOfValue)
{
    static_assert(std::size(CrossClauseRules) <= 8);
    std::array<quint8, N> rows{};
    for (std::size_t value = 0; value < N; ++value) {
        for (std::size_t row = 0; row < std::size(CrossClauseRules); ++row) {
            if (CrossClauseRules[row].masks[fact] & bitOfValue(int(value)))
                rows[value] |= quint8(1u << row);
        }
    }
    return rows;
}

// By group 'A'..'Q' then no group; by form 0..8; by letter 'a'..'z' then any other.
constexpr auto RowsByGroup = rowsAdmitting<18>(
    Group, [](int value) { return value < 17 ? groupBit(char('A' + value)) : NoGroupBit; });
constexpr auto RowsByForm = rowsAdmitting<9>(Form, [](int value) { return formBit(value); });
constexpr auto RowsByOpener = rowsAdmitting<27>(Opener, [](int value) {
    return value < 26 ? LetterSet::bitOf(char('a' + value)) : LetterSet::NonLetterBit;
});

quint32 candidates(const Clause &clause, char opener)
{
    const int group = clause.group >= 'A' && clause.group <= 'Q' ? clause.group - 'A' : 17;
    const int letter = LetterSet::isLetter(opener) ? opener - 'a' : 26;
    return RowsByGroup[std::size_t(group)] & RowsByForm[std::size_t(clause.form)] &
           RowsByOpener[std::size_t(letter)];
}

// The first check across clauses that the clause at p fails, or none.
std::optional<LanguageMessage> checkAcrossClauses(const Terms &terms, qsizetype p,
                                                  const Clause &clause)
{
    quint32 rows = candidates(clause, terms.letter(p));
    if (rows == 0)
        return std::nullopt;
    const std::array<quint32, FactCount> facts = {
        groupBit(clause.group),         formBit(clause.form),
        letterBit(terms.letter(p)),     letterBit(terms.letter(p + clause.length)),
        letterBit(terms.letter(p - 2)), groupBit(terms.group(p - 1)),
        groupBit(terms.group(p - 3)),   groupBit(terms.group(p - 4)),
        formBit(terms.form(p - 1)),
    };
    for (; rows != 0; rows &= rows - 1) {
        const int row = std::countr_zero(rows);
        const CompiledCheck &compiled = CompiledChecks[std::size_t(row)];
        bool fails = true;
        for (int index = 0; fails && index < compiled.count; ++index)
            fails = (facts[compiled.facts[std::size_t(index)]] &
                     compiled.masks[std::size_t(index)]) != 0;
        if (fails)
            return CrossClauseRules[row].message;
    }
    return std::nullopt;
}

// Labels every term, clause by clause; the message of the first refusal.
std::optional<LanguageMessage> labelTerms(Terms &terms)
{
    qsizetype p = 0;
    if (terms.letter(0) == 'k' && terms.letter(1) != 'd') {
        const Clause actor = actorPrefix(terms);
        terms.label(0, actor);
        p = actor.length;
    }
    if (terms.letter(p) == 'k') {
        terms.label(p, Clause{1, 'Q', 0});
        ++p;
    }
    while (terms.letter(p) != 0) {
        const Clause clause = clauseAt(terms, p);
        if (clause.length == 0)
            return M::InvalidGCode;
        terms.label(p, clause);
        if (const auto failed = checkAcrossClauses(terms, p, clause))
            return failed;
        p += clause.length;
    }
    return std::nullopt;
}

} // namespace

Outcome ClauseLabeler::LabelClauses(std::span<TermRecord> records)
{
    Terms terms(records);
    const std::optional<LanguageMessage> refused = labelTerms(terms);
    terms.clearFrom(refused ? 0 : terms.count());
    return refused ? refusal(*refused) : Outcome::ok();
}

Outcome ClauseLabeler::LabelClauses(QList<TermRecord> &records)
{
    return LabelClauses(std::span<TermRecord>(records.data(), std::size_t(records.size())));
}

char ClauseLabeler::LongFormGroup(char letter)
{
    return groupOf(LongFormGroups, letter);
}

char ClauseLabeler::ShortFormGroup(char letter)
{
    return groupOf(ShortFormGroups, letter);
}

int ClauseLabeler::EntityOffsetOfForm(int form)
{
    return offsetOf(EntityOffsets, form);
}

int ClauseLabeler::AttributeOffsetOfForm(int form)
{
    return offsetOf(AttributeOffsets, form);
}

int ClauseLabeler::TypeOffsetOfForm(int form)
{
    return offsetOf(TypeOffsets, form);
}

} // namespace varn::language
