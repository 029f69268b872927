#pragma once

#include "language/letterset.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace varn::language {

// Groupings of term letters used by the grammar and the end checks.
inline constexpr LetterSet WhenTypeTerms{"bfw"};
inline constexpr LetterSet StandardTerms{"aept"};
inline constexpr LetterSet AssociativeTerms{"bfhijnos"};
inline constexpr LetterSet EventTerms{"cwx"};
inline constexpr LetterSet CompletingTerms{"glmqruvyz"};
// Openers of a long- or short-form clause; n and s open short forms only.
inline constexpr LetterSet LongFormOpeners{"bdfhijow"};
inline constexpr LetterSet ShortFormOpeners{"bdfhijnosw"};

// The Builder's nine term buttons, in the order of the dialog.
enum class TermButton { Units, Quantity, Value, Attribute, Spatiality, State, Part, Type, Entity };

// The eight fixed term lists (the preamble list is apart: it gives no term by
// itself but opens a composition).
enum class TermList {
    Temporal,
    StateTransition,
    Relational,
    Possessive,
    Logical,
    EventAction,
    Associative,
    External
};

// Controls and fields that carry a description as their tooltip.
enum class TermControl {
    SpatialityButton,
    AttributeButton,
    EntityButton,
    PartButton,
    QuantityButton,
    StateButton,
    ValueButton,
    UnitsButton,
    TypeButton,
    PreambleList,
    TemporalList,
    StateTransitionList,
    RelationalList,
    PossessiveList,
    LogicalList,
    EventActionList,
    AssociativeList,
    ExternalList,
    WhoWhatField,
    DoWhatField,
    ActionField,
    StateOrValueField
};

// How a Relational entry takes part in the Builder's range rules.
enum class RelationalKind { Neutral, Or, And, Plain, Range };

// The term vocabulary: letters, names, descriptions and the fixed word lists.
class TermVocabulary
{
public:
    static constexpr int PreambleCount = 7;
    // Preamble positions from here on introduce the actor (who/what).
    static constexpr int FirstActorPreamble = 3;
    static constexpr int TermListCount = 8;
    static constexpr int TermButtonCount = 9;

    // The label of a term; "generic" for any byte that is not a term letter.
    static QString TermName(char letter);
    static QString description(TermControl control);

    static QString preambleEntry(int position);     // empty outside 0..6
    static int preamblePosition(QStringView entry); // -1 when none

    static char buttonLetter(TermButton button);
    static QString buttonCaption(TermButton button);
    static std::optional<TermButton> buttonOfLetter(char letter);

    static int entryCount(TermList list);
    static QString entry(TermList list, int position);          // empty outside the list
    static int entryPosition(TermList list, QStringView entry); // -1 when none
    // The letter an entry gives; 0 outside the list. Relational entries give
    // 'l' or 'r' as listed; the Builder's range rules come on top.
    static char entryLetter(TermList list, int position);
    static RelationalKind relationalKind(int position);

    // "Temporal", "State Transition", ... as the Builder titles the list, in
    // the user's language.
    static QString listTitle(TermList list);
    // "temporal", "transition", ... as varn-cli names it.
    static QString listName(TermList list);
    static std::optional<TermList> listNamed(QStringView name);
};

} // namespace varn::language
