#include "language/languagemessages.h"

#include <array>

namespace varn::language {

namespace {

// In the order of LanguageMessage.
constexpr std::array<QStringView, int(LanguageMessage::Count)> Texts = {
    u"A functional requirement must begin with 'who/what?' or 'to do what?'.",
    u"Internal error. Invalid term.",
    u"Internal error. G-Code is longer than 28 terms.",
    u"Requirement cannot contain two 'when-type' clauses.",
    u"An 'if' clause cannot precede a 'when-type' clause. Try reversing.",
    u"Requirement cannot contain two 'if' clauses. Try using the logical 'and'\n"
    u"to create a compound requirement.",
    u"An 'and' clause cannot precede an 'if' clause. Start with 'if',\n"
    u"then grow the requirement with additional 'and' clauses.",
    u"A 'when-type' clause cannot precede a 'quantity' preceded by an 'entity'.",
    u"A 'when-type' clause cannot precede 'every' or 'at'.",

    u"'In' cannot be followed by an 'attribute'.",
    u"A possessive clause cannot precede a 'part', 'type', or 'entity'\n"
    u"that does not have an 'attribute' specified.",
    u"Invalid phrasing of standard clause ('attribute', 'part', 'type', or 'entity').",

    u"A 'to/from-external' clause cannot precede the term chosen. Try moving\n"
    u"the 'to/from-external' clause to some point later in the requirement.",
    u"'In' or 'spatiality' term cannot be preceded by a 'with' clause.",
    u"'In' or 'spatiality' term cannot be preceded by an 'entity' that has a preceding\n"
    u"'attribute' specified. Try using a possessive 'that has' clause to include the attribute.",
    u"'Attribute' must be preceded by a possessive clause when followed by an associative "
    u"clause.",
    u"'Units' must follow 'quantity' when 'quantity' is preceded by an 'entity', 'every', or "
    u"'at'.",
    u"Invalid phrasing of associative clause.",
    u"External term cannot be preceded by an 'entity' that has an 'attribute' specified.",
    u"External term cannot be preceded by an 'in' clause.",
    u"External term cannot be preceded by a 'spatial' clause.",
    u"External term cannot be preceded by a 'with' clause.",
    u"External term cannot be preceded by a 'before' clause.",
    u"'Attribute' must be preceded by a possessive clause\n"
    u"when the 'attribute' is followed by an associative clause.",
    u"'Units' must follow 'quantity' when the 'quantity' is preceded by an 'entity', 'every', "
    u"or 'at'.",
    u"Invalid term preceding the external 'to/from'.",
    u"Action preceded by an invalid clause. A 'when' clause is required for an action.",
    u"Invalid phrasing of event, action, or external clause.",
    u"A relational or transition term (e.g., is, to/from) cannot be preceded by a spatial "
    u"phrase.",
    u"A relational or transition term (e.g., is, to/from) cannot be preceded by an 'in' phrase.",
    u"A relational or transition term (e.g., is, to/from) cannot be preceded\n"
    u"by an event phrase with no 'action'.",
    u"Invalid use of possessive clause.",
    u"Invalid use of relational 'or/and' clause.",
    u"Invalid phrasing of attribute clause.",

    u"Invalid end of requirement. Requirement cannot be terminated by an attribute.\n"
    u"Try adding the entity to which the attribute belongs.",
    u"Invalid end of requirement. An 'attribute', preceded by a possessive clause, preceded by\n"
    u"a 'when-type' or conditional clause, must have a 'state', 'value', or 'quantity' "
    u"specified.",
    u"Invalid end of requirement. An attribute, preceded by a possessive clause, preceded by\n"
    u"a 'when-type' or conditional clause, must have a 'state', 'value', or 'quantity' "
    u"specified.",
    u"Invalid end of requirement. An attribute, preceded by a possessive clause,\n"
    u"preceded by\n"
    u"a 'when-type' or conditional clause, must have a 'state', 'value', or 'quantity' "
    u"specified.",
    u"Invalid end of requirement. Cannot end with a 'when/before/after' clause without an "
    u"action.\nTry adding an 'action' after the 'entity'",
    u"Invalid end of requirement. Cannot end with an 'if' clause.\n"
    u"Try adding a 'state', 'value', or 'quantity'",
    u"Invalid end of requirement. Cannot end with this form of 'if' or 'and' clause.\n"
    u"Try adding a 'spatiality' term, 'state', 'value', or 'quantity'",
    u"Invalid end of requirement. Cannot end with an 'and' clause preceded by a 'state'.",
    u"Invalid end of requirement. Cannot end with a 'quantity'\n"
    u"preceded by an 'entity' or 'attribute'.",
    u"Invalid end of requirement. 'Units' must be preceded by 'quantity',\n"
    u"preceded by 'at/every'.",
    u"Invalid end of requirement. The requirement cannot be terminated by the last term "
    u"chosen.\nTry rephrasing or continue composing.",

    u"Internal error. Invalid G-Code specified.",
    u"When an attribute is specified in an 'if' or 'and' clause,\n"
    u"the clause must be followed by a state, value, or quantity.",
    u"A 'to/from-external' clause must be preceded by a 'do' or 'when' clause that\n"
    u"does not have an attribute specified before its entity.",
    u"A 'to/from-external' clause must be preceded by a short form of a 'do' or 'when' "
    u"clause.",
    u"A 'to/from-external' clause must be preceded by a 'do' or 'when' clause that\n"
    u"does not have chained attributes or an action specified.",
    u"A relational term cannot follow a 'that has' clause\nthat follows a 'with' clause.",
    u"A temporal clause cannot follow a 'with' clause.",
    u"A temporal clause cannot follow a 'that has' clause\nthat follows a 'with' clause.",
    u"The standard group clause specified cannot be followed\nby a state or value clause.",

    u"Field value cannot begin with a number.",
    u"Field value must begin with a letter.",

    u"Using 'or' to specify a compound relational condition with three or more operands\n"
    u"is disallowed when a range (e.g., 'less than') has already been specified.",
    u"Using 'and' to specify a compound relational condition with three or more operands\n"
    u"is disallowed.",
    u"Notice: Range checking for 'and' is not validated\n"
    u"when building on an existing requirement.",
    u"The preceding relational selection must specify a range (e.g., 'less than') for\n"
    u"an 'and' clause to be added.",
    u"The relational selection must be a range (e.g., 'less than') because a range\n"
    u"has already been selected.",
    u"Invalid selection made in list of Temporal terms.",
    u"Invalid selection made in list of State Transition terms.",
    u"Invalid selection made in list of Relational terms.",
    u"Invalid selection made in list of Possessive terms.",
    u"Invalid selection made in list of Logical terms.",
    u"Invalid selection made in list of Event/Action terms.",
    u"Invalid selection made in list of Associative terms.",
    u"Validation error. A selection must be made from the first drop-down list.",
    u"Internal error. The term grid is full.",
};

} // namespace

QStringView languageMessageView(LanguageMessage message)
{
    const auto index = std::size_t(message);
    return index < Texts.size() ? Texts[index] : QStringView();
}

QString languageMessageText(LanguageMessage message)
{
    const QStringView text = languageMessageView(message);
    return QString::fromRawData(text.data(), text.size());
}

Outcome refusal(LanguageMessage message)
{
    return Outcome::refused(languageMessageText(message));
}

} // namespace varn::language
