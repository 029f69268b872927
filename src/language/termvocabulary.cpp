#include "language/termvocabulary.h"

#include "language/languagetr.h"

#include <array>
#include <span>

namespace varn::language {

namespace {

QString staticText(QStringView text)
{
    return QString::fromRawData(text.data(), text.size());
}

// Term names by letter, 'a' to 'z'.
constexpr std::array<QStringView, 26> TermNames = {
    u"attribute",    u"before",
    u"(is) action",  u"(to) do what?",
    u"entity",       u"after",
    u"state",        u"with",
    u"if",           u"by",
    u"who/what",     u"is/are",
    u"to/from",      u"in",
    u"and/or",       u"part",
    u"quantity",     u"or/and",
    u"spatial term", u"type",
    u"units",        u"value",
    u"when",         u"to/from",
    u"every",        u"that has/have",
};

// In the order of TermControl.
constexpr std::array<const char *, 22> Descriptions = {
    QT_TRANSLATE_NOOP("varn::language", "Spatial term; specifies association by proximity"),
    QT_TRANSLATE_NOOP("varn::language", "Aspect or characteristic of entity; a noun"),
    QT_TRANSLATE_NOOP("varn::language", "Domain object; a noun"),
    QT_TRANSLATE_NOOP("varn::language", "Part of entity; a noun"),
    QT_TRANSLATE_NOOP("varn::language", "Specifies a numerical value"),
    QT_TRANSLATE_NOOP("varn::language", "Specifies a state of attribute"),
    QT_TRANSLATE_NOOP("varn::language", "Specifies a value of attribute"),
    QT_TRANSLATE_NOOP("varn::language", "Specifies a means of measurement; a metric"),
    QT_TRANSLATE_NOOP("varn::language", "Kind of entity; an adjective or descriptive noun"),
    QT_TRANSLATE_NOOP("varn::language", "Preamble; specifies usage"),
    QT_TRANSLATE_NOOP("varn::language", "Time-relative preposition; specifies timeliness"),
    QT_TRANSLATE_NOOP("varn::language", "Specifies a state transition"),
    QT_TRANSLATE_NOOP("varn::language", "Relational phrase; specifies a value's relativity"),
    QT_TRANSLATE_NOOP("varn::language", "Possessive phrase; specifies ownership"),
    QT_TRANSLATE_NOOP("varn::language", "Logical term; specifies compound association"),
    QT_TRANSLATE_NOOP("varn::language", "Time-relative preposition; specifies event"),
    QT_TRANSLATE_NOOP("varn::language", "Associative phrase; specifies interaction"),
    QT_TRANSLATE_NOOP("varn::language", "Specifies external exchange of data or control"),
    QT_TRANSLATE_NOOP("varn::language", "Actor that performs function; a role"),
    QT_TRANSLATE_NOOP("varn::language", "Function performed; an operative verb"),
    QT_TRANSLATE_NOOP("varn::language", "Action driven by event; a verb phrase"),
    QT_TRANSLATE_NOOP("varn::language", "Attribute's state or value; a noun"),
};

constexpr std::array<QStringView, TermVocabulary::PreambleCount> Preambles = {
    u"shall",
    u"shall provide the capability",
    u"shall deny the capability",
    u"shall enable the",
    u"shall allow the",
    u"shall prohibit the",
    u"shall prevent the",
};

struct ButtonEntry
{
    char letter;
    QStringView caption;
};

// In the order of TermButton.
constexpr std::array<ButtonEntry, TermVocabulary::TermButtonCount> Buttons = {{
    {'u', u"units"},
    {'q', u"quantity"},
    {'v', u"value"},
    {'a', u"attribute"},
    {'s', u"spatiality"},
    {'g', u"state"},
    {'p', u"part"},
    {'t', u"type"},
    {'e', u"entity"},
}};

constexpr QStringView TemporalEntries[] = {u"at", u"every"};
constexpr QStringView StateTransitionEntries[] = {u"to", u"from"};
constexpr QStringView RelationalEntries[] = {
    u"is",
    u"are",
    u"or",
    u"and",
    u"as",
    u"of",
    u"is not",
    u"is equal to",
    u"is not equal to",
    u"are not",
    u"are equal to",
    u"are not equal to",
    u"set to",
    u"equal to",
    u"not equal to",
    u"is greater than",
    u"is less than",
    u"is > than or = to",
    u"is < than or = to",
    u"are greater than",
    u"are less than",
    u"are > than or = to",
    u"are < than or = to",
    u"greater than",
    u"less than",
    u"greater than or = to",
    u"less than or = to",
};
constexpr QStringView PossessiveEntries[] = {
    u"that has",         u"that have",  u"that does not have",
    u"that do not have", u"containing", u"not containing",
};
constexpr QStringView LogicalEntries[] = {u"if", u"and", u"or"};
constexpr QStringView EventActionEntries[] = {u"when",  u"before", u"after", u"once",
                                              u"while", u"until",  u"action"};
constexpr QStringView AssociativeEntries[] = {
    u"with",     u"using",        u"including",       u"for",
    u"to",       u"from",         u"associated with", u"uses",
    u"includes", u"incorporates", u"references",      u"by",
    u"based on", u"in",           u"inside",          u"within",
    u"and with", u"and using",    u"and including",   u"and for",
    u"and to",   u"and from",     u"and by",          u"and based on",
};
constexpr QStringView ExternalEntries[] = {
    u"to", u"from", u"is sent to", u"is received from", u"are sent to", u"are received from"};

struct ListEntry
{
    std::span<const QStringView> entries;
    // One letter per entry, in entry order.
    const char *letters;
    const char *title; // translated where shown
    QStringView cliName;
};

// In the order of TermList.
constexpr std::array<ListEntry, TermVocabulary::TermListCount> Lists = {{
    {TemporalEntries, "yy", QT_TRANSLATE_NOOP("varn::language", "Temporal"), u"temporal"},
    {StateTransitionEntries, "mm", QT_TRANSLATE_NOOP("varn::language", "State Transition"),
     u"transition"},
    {RelationalEntries, "llrrlllllllllllllllllllllll",
     QT_TRANSLATE_NOOP("varn::language", "Relational"), u"relational"},
    {PossessiveEntries, "zzzzzz", QT_TRANSLATE_NOOP("varn::language", "Possessive"), u"possessive"},
    {LogicalEntries, "ioo", QT_TRANSLATE_NOOP("varn::language", "Logical"), u"logical"},
    {EventActionEntries, "wbfwwbc", QT_TRANSLATE_NOOP("varn::language", "Event/Action"), u"event"},
    {AssociativeEntries, "hhhhhhhhhhhjjnnnhhhhhhjj",
     QT_TRANSLATE_NOOP("varn::language", "Associative"), u"associative"},
    {ExternalEntries, "xxxxxx", QT_TRANSLATE_NOOP("varn::language", "External"), u"external"},
}};

// Relational positions: 0-1 neutral, 2 "or", 3 "and", 4-14 plain, 15-26 range.
constexpr int FirstPlainRelational = 4;
constexpr int FirstRangeRelational = 15;

const ListEntry &listEntry(TermList list)
{
    return Lists[std::size_t(list)];
}

bool inList(TermList list, int position)
{
    return position >= 0 && position < int(listEntry(list).entries.size());
}

} // namespace

QString TermVocabulary::TermName(char letter)
{
    if (!LetterSet::isLetter(letter))
        return QStringLiteral("generic");
    return staticText(TermNames[std::size_t(letter - 'a')]);
}

QString TermVocabulary::description(TermControl control)
{
    return Tr::tr(Descriptions[std::size_t(control)]);
}

QString TermVocabulary::preambleEntry(int position)
{
    if (position < 0 || position >= PreambleCount)
        return {};
    return staticText(Preambles[std::size_t(position)]);
}

int TermVocabulary::preamblePosition(QStringView entry)
{
    for (int position = 0; position < PreambleCount; ++position) {
        if (Preambles[std::size_t(position)] == entry)
            return position;
    }
    return -1;
}

char TermVocabulary::buttonLetter(TermButton button)
{
    return Buttons[std::size_t(button)].letter;
}

QString TermVocabulary::buttonCaption(TermButton button)
{
    return staticText(Buttons[std::size_t(button)].caption);
}

std::optional<TermButton> TermVocabulary::buttonOfLetter(char letter)
{
    for (std::size_t index = 0; index < Buttons.size(); ++index) {
        if (Buttons[index].letter == letter)
            return TermButton(index);
    }
    return std::nullopt;
}

int TermVocabulary::entryCount(TermList list)
{
    return int(listEntry(list).entries.size());
}

QString TermVocabulary::entry(TermList list, int position)
{
    if (!inList(list, position))
        return {};
    return staticText(listEntry(list).entries[std::size_t(position)]);
}

int TermVocabulary::entryPosition(TermList list, QStringView entry)
{
    const auto &entries = listEntry(list).entries;
    for (std::size_t position = 0; position < entries.size(); ++position) {
        if (entries[position] == entry)
            return int(position);
    }
    return -1;
}

char TermVocabulary::entryLetter(TermList list, int position)
{
    return inList(list, position) ? listEntry(list).letters[position] : 0;
}

RelationalKind TermVocabulary::relationalKind(int position)
{
    if (position >= FirstRangeRelational)
        return RelationalKind::Range;
    if (position >= FirstPlainRelational)
        return RelationalKind::Plain;
    if (position == 3)
        return RelationalKind::And;
    if (position == 2)
        return RelationalKind::Or;
    return RelationalKind::Neutral;
}

QString TermVocabulary::listTitle(TermList list)
{
    return Tr::tr(listEntry(list).title);
}

QString TermVocabulary::listName(TermList list)
{
    return staticText(listEntry(list).cliName);
}

std::optional<TermList> TermVocabulary::listNamed(QStringView name)
{
    for (std::size_t index = 0; index < Lists.size(); ++index) {
        if (Lists[index].cliName == name)
            return TermList(index);
    }
    return std::nullopt;
}

} // namespace varn::language
