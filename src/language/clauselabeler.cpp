#include "language/clauselabeler.h"

#include "language/languagemessages.h"
#include "language/letterset.h"
#include "language/termvocabulary.h"

#include <algorithm>
#include <array>
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

char groupOf(const std::array<char, 27> &groups, char letter)
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

constexpr quint32 groupMask(const char *groups)
{
    quint32 mask = 0;
    for (; *groups; ++groups)
        mask |= 1u << (*groups - 'A');
    return mask;
}

constexpr bool inGroups(char group, quint32 mask)
{
    return group >= 'A' && group <= 'Q' && (mask & (1u << (group - 'A'))) != 0;
}

struct Clause
{
    int length;
    char group;
    int form;
};

// The labelled records; letters, groups and forms before the start or past
// the end read as 0.
class Terms
{
public:
    explicit Terms(std::span<TermRecord> records)
        : m_records(records),
          m_count(std::find_if(records.begin(), records.end(),
                               [](const TermRecord &record) { return record.letter == 0; }) -
                  records.begin())
    {}

    char letter(qsizetype index) const { return inside(index) ? m_records[index].letter : 0; }
    char group(qsizetype index) const { return inside(index) ? m_records[index].group : 0; }
    int form(qsizetype index) const { return inside(index) ? m_records[index].form : 0; }

    void label(qsizetype from, const Clause &clause)
    {
        const qsizetype to = std::min<qsizetype>(from + clause.length, m_count);
        for (qsizetype index = from; index < to; ++index) {
            m_records[index].group = clause.group;
            m_records[index].form = clause.form;
        }
    }

private:
    bool inside(qsizetype index) const { return index >= 0 && index < m_count; }

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
Clause openerClause(const Terms &terms, qsizetype p)
{
    const char opener = terms.letter(p);
    const char l1 = terms.letter(p + 1), l2 = terms.letter(p + 2);
    const char l3 = terms.letter(p + 3), l4 = terms.letter(p + 4);
    const char longGroup = ClauseLabeler::LongFormGroup(opener);
    const char shortGroup = ClauseLabeler::ShortFormGroup(opener);
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
Clause shortFormClause(const Terms &terms, qsizetype p)
{
    const char group = ClauseLabeler::ShortFormGroup(terms.letter(p));
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

// The clause that starts at p, or none when its letter cannot open one. A
// spatial term followed by a quantity without units opens none either: no
// form describes it, and derivation would read its units from the wrong term.
std::optional<Clause> clauseAt(const Terms &terms, qsizetype p)
{
    const char opener = terms.letter(p);
    const char l1 = terms.letter(p + 1), l2 = terms.letter(p + 2);
    if (LongFormOpeners.contains(opener))
        return openerClause(terms, p);
    switch (opener) {
    case 'n':
        return shortFormClause(terms, p);
    case 's':
        if (l1 != 'q')
            return shortFormClause(terms, p);
        if (l2 == 'u')
            return Clause{3, 'O', 3};
        return std::nullopt;
    case 'l':
    case 'm':
        return l2 == 'u' ? Clause{3, 'P', 4} : Clause{2, 'P', 2};
    case 'q':
        return Clause{2, 'O', 2};
    case 'r':
        return relationalChain(terms, p);
    case 'x':
        return Clause{2, 'M', 2};
    case 'y':
        return Clause{3, 'O', 1};
    case 'z':
        return l2 == 'c' ? Clause{3, 'N', 1} : Clause{2, 'N', 2};
    default:
        return std::nullopt;
    }
}

// What the checks across clauses look at, around the clause just labelled.
struct Surroundings
{
    char group;
    int form;
    char opener;
    char next;        // the letter after the clause
    char twoBefore;   // the letter two places before the opener
    char groupBefore; // groups of the records 1, 3 and 4 places before
    char groupThreeBefore;
    char groupFourBefore;
    int formBefore;
};

struct CrossClauseCheck
{
    bool (*fails)(const Surroundings &);
    LanguageMessage message;
};

bool isStateOrValue(char letter)
{
    return letter == 'm' || letter == 'l';
}

// Tried in order; the first that fails refuses the requirement.
constexpr CrossClauseCheck CrossClauseChecks[] = {
    {[](const Surroundings &s) {
         return inGroups(s.group, groupMask("DE")) && s.form >= 5 && s.form <= 8 &&
                !isStateOrValue(s.next);
     },
     M::IfAndAttributeNeedsState},
    {[](const Surroundings &s) {
         return s.group == 'M' && !inGroups(s.groupBefore, groupMask("FGN")) &&
                inGroups(s.groupBefore, groupMask("AB"));
     },
     M::ExternalAfterLongForm},
    {[](const Surroundings &s) {
         return s.group == 'M' && !inGroups(s.groupBefore, groupMask("FGN"));
     },
     M::ExternalAfterNonShortForm},
    {[](const Surroundings &s) {
         return s.group == 'M' && s.groupBefore == 'N' &&
                !inGroups(s.groupThreeBefore, groupMask("FG")) && s.formBefore != 2;
     },
     M::ExternalAfterChain},
    {[](const Surroundings &s) {
         return s.opener == 'l' && s.twoBefore == 'z' && s.groupThreeBefore == 'H';
     },
     M::RelationalAfterPossessiveWith},
    {[](const Surroundings &s) { return s.group == 'O' && s.groupBefore == 'H'; },
     M::TemporalAfterWith},
    {[](const Surroundings &s) {
         return s.group == 'O' && s.groupBefore == 'N' && s.groupFourBefore == 'H';
     },
     M::TemporalAfterPossessiveWith},
    {[](const Surroundings &s) {
         return inGroups(s.group, groupMask("CGHKL")) && isStateOrValue(s.next);
     },
     M::StandardGroupFollowedByState},
};

Outcome checkAcrossClauses(const Terms &terms, qsizetype p, const Clause &clause)
{
    const Surroundings around = {clause.group,        clause.form,
                                 terms.letter(p),     terms.letter(p + clause.length),
                                 terms.letter(p - 2), terms.group(p - 1),
                                 terms.group(p - 3),  terms.group(p - 4),
                                 terms.form(p - 1)};
    for (const CrossClauseCheck &check : CrossClauseChecks) {
        if (check.fails(around))
            return refusal(check.message);
    }
    return Outcome::ok();
}

} // namespace

Outcome ClauseLabeler::LabelClauses(std::span<TermRecord> records)
{
    for (TermRecord &record : records) {
        record.group = 0;
        record.form = 0;
    }
    Terms terms(records);
    qsizetype p = 0;
    if (terms.letter(0) == 'k' && terms.letter(1) != 'd') {
        const Clause actor = actorPrefix(terms);
        terms.label(0, actor);
        p = actor.length;
        if (terms.letter(p) == 0)
            return Outcome::ok();
    }
    if (terms.letter(p) == 'k') {
        terms.label(p, Clause{1, 'Q', 0});
        ++p;
    }
    while (terms.letter(p) != 0) {
        const std::optional<Clause> clause = clauseAt(terms, p);
        if (!clause)
            return refusal(M::InvalidGCode);
        terms.label(p, *clause);
        if (Outcome checked = checkAcrossClauses(terms, p, *clause); !checked)
            return checked;
        p += clause->length;
    }
    return Outcome::ok();
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
