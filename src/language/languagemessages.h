#pragma once

#include "common/outcome.h"

#include <QString>
#include <QStringView>

namespace varn::language {

// Every message of the requirement language, in one catalogue so that the hot
// paths pass a byte around and only the caller turns it into text.
enum class LanguageMessage : quint8 {
    // the walk and its counters
    NotFunctional,
    InvalidTerm,
    GCodeTooLong,
    TwoWhenClauses,
    IfBeforeWhen,
    TwoIfClauses,
    AndBeforeIf,
    WhenBeforeEntityQuantity,
    WhenBeforeEvery,
    // family S
    InFollowedByAttribute,
    PossessiveBeforeStandard,
    StandardPhrasing,
    // families A, E and C
    ExternalPrecedesTerm,
    InAfterWith,
    InAfterAttributedEntity,
    AttributeNeedsPossessive,
    UnitsMustFollowQuantity,
    AssociativePhrasing,
    ExternalAfterAttributedEntity,
    ExternalAfterIn,
    ExternalAfterSpatial,
    ExternalAfterWith,
    ExternalAfterBefore,
    WhenAttributeNeedsPossessive,
    WhenUnitsMustFollowQuantity,
    ExternalInvalidPreceding,
    ActionNeedsWhen,
    EventPhrasing,
    RelationalAfterSpatial,
    RelationalAfterIn,
    RelationalAfterEvent,
    PossessiveInvalid,
    RelationalOrAndInvalid,
    AttributePhrasing,
    // the end checks
    EndWithAttribute,
    EndAttributeAfterL4,
    EndAttributeAfterL5,
    EndAttributeAfterL6,
    EndEventWithoutAction,
    EndWithIf,
    EndWithIfOrAndForm,
    EndAndAfterState,
    EndQuantityAfterEntity,
    EndUnits,
    EndWithOtherTerm,
    // clause labelling
    InvalidGCode,
    IfAndAttributeNeedsState,
    ExternalAfterLongForm,
    ExternalAfterNonShortForm,
    ExternalAfterChain,
    RelationalAfterPossessiveWith,
    TemporalAfterWith,
    TemporalAfterPossessiveWith,
    StandardGroupFollowedByState,
    // normalisation
    FieldBeginsWithNumber,
    FieldMustBeginWithLetter,
    // the Builder
    OrWithRange,
    AndWithRange,
    AndNotValidatedNotice,
    AndNeedsRange,
    RangeRequired,
    InvalidTemporalSelection,
    InvalidStateTransitionSelection,
    InvalidRelationalSelection,
    InvalidPossessiveSelection,
    InvalidLogicalSelection,
    InvalidEventActionSelection,
    InvalidAssociativeSelection,
    NoPreambleSelected,
    TermGridFull,
    Count
};

// The text of a message in the user's language (the English text exactly
// when no translation is installed).
QString languageMessageText(LanguageMessage message);

// A plain refusal carrying the message.
Outcome refusal(LanguageMessage message);

} // namespace varn::language
