#include "language/languagemessages.h"
#include "language/languagetr.h"

#include <array>

namespace varn::language {

namespace {

// In the order of LanguageMessage.
constexpr std::array<const char *, int(LanguageMessage::Count)> Texts = {
    QT_TRANSLATE_NOOP("varn::language",
                      "A functional requirement must begin with 'who/what?' or 'to do what?'."),
    QT_TRANSLATE_NOOP("varn::language", "Internal error. Invalid term."),
    QT_TRANSLATE_NOOP("varn::language", "Internal error. G-Code is longer than 28 terms."),
    QT_TRANSLATE_NOOP("varn::language", "Requirement cannot contain two 'when-type' clauses."),
    QT_TRANSLATE_NOOP("varn::language",
                      "An 'if' clause cannot precede a 'when-type' clause. Try reversing."),
    QT_TRANSLATE_NOOP("varn::language",
                      "Requirement cannot contain two 'if' clauses. Try using the logical 'and'\n"
                      "to create a compound requirement."),
    QT_TRANSLATE_NOOP("varn::language",
                      "An 'and' clause cannot precede an 'if' clause. Start with 'if',\n"
                      "then grow the requirement with additional 'and' clauses."),
    QT_TRANSLATE_NOOP("varn::language",
                      "A 'when-type' clause cannot precede a 'quantity' preceded by an 'entity'."),
    QT_TRANSLATE_NOOP("varn::language", "A 'when-type' clause cannot precede 'every' or 'at'."),

    QT_TRANSLATE_NOOP("varn::language", "'In' cannot be followed by an 'attribute'."),
    QT_TRANSLATE_NOOP("varn::language",
                      "A possessive clause cannot precede a 'part', 'type', or 'entity'\n"
                      "that does not have an 'attribute' specified."),
    QT_TRANSLATE_NOOP(
        "varn::language",
        "Invalid phrasing of standard clause ('attribute', 'part', 'type', or 'entity')."),

    QT_TRANSLATE_NOOP("varn::language",
                      "A 'to/from-external' clause cannot precede the term chosen. Try moving\n"
                      "the 'to/from-external' clause to some point later in the requirement."),
    QT_TRANSLATE_NOOP("varn::language",
                      "'In' or 'spatiality' term cannot be preceded by a 'with' clause."),
    QT_TRANSLATE_NOOP(
        "varn::language",
        "'In' or 'spatiality' term cannot be preceded by an 'entity' that has a preceding\n"
        "'attribute' specified. Try using a possessive 'that has' clause to include the "
        "attribute."),
    QT_TRANSLATE_NOOP(
        "varn::language",
        "'Attribute' must be preceded by a possessive clause when followed by an associative "
        "clause."),
    QT_TRANSLATE_NOOP(
        "varn::language",
        "'Units' must follow 'quantity' when 'quantity' is preceded by an 'entity', 'every', or "
        "'at'."),
    QT_TRANSLATE_NOOP("varn::language", "Invalid phrasing of associative clause."),
    QT_TRANSLATE_NOOP(
        "varn::language",
        "External term cannot be preceded by an 'entity' that has an 'attribute' specified."),
    QT_TRANSLATE_NOOP("varn::language", "External term cannot be preceded by an 'in' clause."),
    QT_TRANSLATE_NOOP("varn::language", "External term cannot be preceded by a 'spatial' clause."),
    QT_TRANSLATE_NOOP("varn::language", "External term cannot be preceded by a 'with' clause."),
    QT_TRANSLATE_NOOP("varn::language", "External term cannot be preceded by a 'before' clause."),
    QT_TRANSLATE_NOOP("varn::language",
                      "'Attribute' must be preceded by a possessive clause\n"
                      "when the 'attribute' is followed by an associative clause."),
    QT_TRANSLATE_NOOP(
        "varn::language",
        "'Units' must follow 'quantity' when the 'quantity' is preceded by an 'entity', 'every', "
        "or 'at'."),
    QT_TRANSLATE_NOOP("varn::language", "Invalid term preceding the external 'to/from'."),
    QT_TRANSLATE_NOOP(
        "varn::language",
        "Action preceded by an invalid clause. A 'when' clause is required for an action."),
    QT_TRANSLATE_NOOP("varn::language", "Invalid phrasing of event, action, or external clause."),
    QT_TRANSLATE_NOOP(
        "varn::language",
        "A relational or transition term (e.g., is, to/from) cannot be preceded by a spatial "
        "phrase."),
    QT_TRANSLATE_NOOP("varn::language", "A relational or transition term (e.g., is, to/from) "
                                        "cannot be preceded by an 'in' phrase."),
    QT_TRANSLATE_NOOP("varn::language",
                      "A relational or transition term (e.g., is, to/from) cannot be preceded\n"
                      "by an event phrase with no 'action'."),
    QT_TRANSLATE_NOOP("varn::language", "Invalid use of possessive clause."),
    QT_TRANSLATE_NOOP("varn::language", "Invalid use of relational 'or/and' clause."),
    QT_TRANSLATE_NOOP("varn::language", "Invalid phrasing of attribute clause."),

    QT_TRANSLATE_NOOP(
        "varn::language",
        "Invalid end of requirement. Requirement cannot be terminated by an attribute.\n"
        "Try adding the entity to which the attribute belongs."),
    QT_TRANSLATE_NOOP(
        "varn::language",
        "Invalid end of requirement. An 'attribute', preceded by a possessive clause, preceded by\n"
        "a 'when-type' or conditional clause, must have a 'state', 'value', or 'quantity' "
        "specified."),
    QT_TRANSLATE_NOOP(
        "varn::language",
        "Invalid end of requirement. An attribute, preceded by a possessive clause, preceded by\n"
        "a 'when-type' or conditional clause, must have a 'state', 'value', or 'quantity' "
        "specified."),
    QT_TRANSLATE_NOOP(
        "varn::language",
        "Invalid end of requirement. An attribute, preceded by a possessive clause,\n"
        "preceded by\n"
        "a 'when-type' or conditional clause, must have a 'state', 'value', or 'quantity' "
        "specified."),
    QT_TRANSLATE_NOOP(
        "varn::language",
        "Invalid end of requirement. Cannot end with a 'when/before/after' clause without an "
        "action.\nTry adding an 'action' after the 'entity'"),
    QT_TRANSLATE_NOOP("varn::language",
                      "Invalid end of requirement. Cannot end with an 'if' clause.\n"
                      "Try adding a 'state', 'value', or 'quantity'"),
    QT_TRANSLATE_NOOP(
        "varn::language",
        "Invalid end of requirement. Cannot end with this form of 'if' or 'and' clause.\n"
        "Try adding a 'spatiality' term, 'state', 'value', or 'quantity'"),
    QT_TRANSLATE_NOOP(
        "varn::language",
        "Invalid end of requirement. Cannot end with an 'and' clause preceded by a 'state'."),
    QT_TRANSLATE_NOOP("varn::language", "Invalid end of requirement. Cannot end with a 'quantity'\n"
                                        "preceded by an 'entity' or 'attribute'."),
    QT_TRANSLATE_NOOP("varn::language",
                      "Invalid end of requirement. 'Units' must be preceded by 'quantity',\n"
                      "preceded by 'at/every'."),
    QT_TRANSLATE_NOOP(
        "varn::language",
        "Invalid end of requirement. The requirement cannot be terminated by the last term "
        "chosen.\nTry rephrasing or continue composing."),

    QT_TRANSLATE_NOOP("varn::language", "Internal error. Invalid G-Code specified."),
    QT_TRANSLATE_NOOP("varn::language",
                      "When an attribute is specified in an 'if' or 'and' clause,\n"
                      "the clause must be followed by a state, value, or quantity."),
    QT_TRANSLATE_NOOP(
        "varn::language",
        "A 'to/from-external' clause must be preceded by a 'do' or 'when' clause that\n"
        "does not have an attribute specified before its entity."),
    QT_TRANSLATE_NOOP(
        "varn::language",
        "A 'to/from-external' clause must be preceded by a short form of a 'do' or 'when' "
        "clause."),
    QT_TRANSLATE_NOOP(
        "varn::language",
        "A 'to/from-external' clause must be preceded by a 'do' or 'when' clause that\n"
        "does not have chained attributes or an action specified."),
    QT_TRANSLATE_NOOP(
        "varn::language",
        "A relational term cannot follow a 'that has' clause\nthat follows a 'with' clause."),
    QT_TRANSLATE_NOOP("varn::language", "A temporal clause cannot follow a 'with' clause."),
    QT_TRANSLATE_NOOP(
        "varn::language",
        "A temporal clause cannot follow a 'that has' clause\nthat follows a 'with' clause."),
    QT_TRANSLATE_NOOP(
        "varn::language",
        "The standard group clause specified cannot be followed\nby a state or value clause."),

    QT_TRANSLATE_NOOP("varn::language", "Field value cannot begin with a number."),
    QT_TRANSLATE_NOOP("varn::language", "Field value must begin with a letter."),

    QT_TRANSLATE_NOOP(
        "varn::language",
        "Using 'or' to specify a compound relational condition with three or more operands\n"
        "is disallowed when a range (e.g., 'less than') has already been specified."),
    QT_TRANSLATE_NOOP(
        "varn::language",
        "Using 'and' to specify a compound relational condition with three or more operands\n"
        "is disallowed."),
    QT_TRANSLATE_NOOP("varn::language", "Notice: Range checking for 'and' is not validated\n"
                                        "when building on an existing requirement."),
    QT_TRANSLATE_NOOP(
        "varn::language",
        "The preceding relational selection must specify a range (e.g., 'less than') for\n"
        "an 'and' clause to be added."),
    QT_TRANSLATE_NOOP(
        "varn::language",
        "The relational selection must be a range (e.g., 'less than') because a range\n"
        "has already been selected."),
    QT_TRANSLATE_NOOP("varn::language", "Invalid selection made in list of Temporal terms."),
    QT_TRANSLATE_NOOP("varn::language",
                      "Invalid selection made in list of State Transition terms."),
    QT_TRANSLATE_NOOP("varn::language", "Invalid selection made in list of Relational terms."),
    QT_TRANSLATE_NOOP("varn::language", "Invalid selection made in list of Possessive terms."),
    QT_TRANSLATE_NOOP("varn::language", "Invalid selection made in list of Logical terms."),
    QT_TRANSLATE_NOOP("varn::language", "Invalid selection made in list of Event/Action terms."),
    QT_TRANSLATE_NOOP("varn::language", "Invalid selection made in list of Associative terms."),
    QT_TRANSLATE_NOOP("varn::language",
                      "Validation error. A selection must be made from the first drop-down list."),
    QT_TRANSLATE_NOOP("varn::language", "Internal error. The term grid is full."),

};

} // namespace

QString languageMessageText(LanguageMessage message)
{
    const auto index = std::size_t(message);
    return index < Texts.size() ? Tr::tr(Texts[index]) : QString();
}

Outcome refusal(LanguageMessage message)
{
    return Outcome::refused(languageMessageText(message));
}

} // namespace varn::language
