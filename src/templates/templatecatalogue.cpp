#include "templates/templatecatalogue.h"

#include "templates/templatestr.h"

#include <algorithm>

namespace varn::templates {

namespace {

using L = ConnectiveList;

constexpr ListItem kWith[] = {{"with", 'h'}, {"using", 'h'}, {"containing", 'h'},
                              {"for", 'h'},  {"to", 'h'},    {"from", 'h'}};
constexpr ListItem kWhen[] = {{"when", 'w'},   {"while", 'w'}, {"once", 'w'},
                              {"before", 'b'}, {"after", 'f'}, {"until", 'w'}};
constexpr ListItem kToFrom[] = {{"to", 'm'}, {"from", 'm'}};
constexpr ListItem kIf[] = {{"if", 'i'}};
constexpr ListItem kIs[] = {{"is", 'l'},
                            {"is equal to", 'l'},
                            {"is not equal to", 'l'},
                            {"is greater than", 'l'},
                            {"is less than", 'l'},
                            {"is > than or = to", 'l'},
                            {"is < than or = to", 'l'}};
constexpr ListItem kIsTemplate18[] = {{"is", 'l'},
                                      {"is equal to", 'l'},
                                      {"is not equal to", 'l'},
                                      {"is greater than", 'l'},
                                      {"is less than", 'l'},
                                      {"is > or = to", 'l'},
                                      {"is < or = to", 'l'}};
constexpr ListItem kOr[] = {{"or", 'r'}};
constexpr ListItem kAndOr[] = {{"and", 'o'}, {"or", 'o'}};
constexpr ListItem kThatHas[] = {{"that has", 'z'},           {"that have", 'z'},
                                 {"that does not have", 'z'}, {"that do not have", 'z'},
                                 {"containing", 'z'},         {"not containing", 'z'}};
constexpr ListItem kOf[] = {
    {"of", 'l'},        {"equal to", 'l'},       {"not equal to", 'l'},   {"greater than", 'l'},
    {"less than", 'l'}, {"> than or = to", 'l'}, {"< than or = to", 'l'}, {"set to", 'l'}};
constexpr ListItem kExternal[] = {{"to", 'x'}, {"from", 'x'}};
constexpr ListItem kExternalEvent[] = {{"is sent to", 'x'}, {"is received from", 'x'}};
constexpr ListItem kBy[] = {{"by", 'j'}, {"based on", 'j'}};
constexpr ListItem kBeforeAfter[] = {{"before", 'b'}, {"after", 'f'}};
constexpr ListItem kEveryAt[] = {{"every", 'y'}, {"at", 'y'}};

constexpr ConnectiveListInfo kLists[] = {
    {L::With, kWith},
    {L::When, kWhen},
    {L::ToFrom, kToFrom},
    {L::If, kIf},
    {L::Is, kIs},
    {L::IsTemplate18, kIsTemplate18},
    {L::Or, kOr},
    {L::AndOr, kAndOr},
    {L::ThatHas, kThatHas},
    {L::Of, kOf},
    {L::External, kExternal},
    {L::ExternalEvent, kExternalEvent},
    {L::By, kBy},
    {L::BeforeAfter, kBeforeAfter},
    {L::EveryAt, kEveryAt},
};

using R = FieldRole;
using K = FieldKind;

constexpr const char *kRelational =
    QT_TRANSLATE_NOOP("varn::templates", "Relational phrase; specifies a value's relativity");
constexpr const char *kCompound =
    QT_TRANSLATE_NOOP("varn::templates", "Logical term; specifies compound association");
constexpr const char *kExternalTip =
    QT_TRANSLATE_NOOP("varn::templates", "Specifies external exchange of data or control");

// In FieldRole order.
constexpr FieldRoleInfo kRoles[] = {
    {R::WhoWhat, K::Text, "who/what",
     QT_TRANSLATE_NOOP("varn::templates", "Actor that performs function; a role"), 'k', L::None},
    {R::DoWhat, K::Text, "(to) do what?",
     QT_TRANSLATE_NOOP("varn::templates", "Function performed; an operative verb"), 'd', L::None},
    {R::Attribute, K::Text, "attribute",
     QT_TRANSLATE_NOOP("varn::templates", "Aspect or characteristic of entity; a noun"), 'a',
     L::None},
    {R::Type, K::Text, "type",
     QT_TRANSLATE_NOOP("varn::templates", "Kind of entity; an adjective or descriptive noun"), 't',
     L::None},
    {R::Entity, K::Entity, "entity", QT_TRANSLATE_NOOP("varn::templates", "Domain object; a noun"),
     'e', L::None},
    {R::Part, K::Text, "part", QT_TRANSLATE_NOOP("varn::templates", "Part of entity; a noun"), 'p',
     L::None},
    {R::Action, K::Text, "(is) action",
     QT_TRANSLATE_NOOP("varn::templates", "Action driven by event; a verb phrase"), 'c', L::None},
    {R::Value, K::Text, "value",
     QT_TRANSLATE_NOOP("varn::templates", "Attribute's state or value; a noun"), 'g', L::None},
    {R::Quantity, K::Text, "quantity",
     QT_TRANSLATE_NOOP("varn::templates", "Specifies a numerical value"), 'q', L::None},
    {R::Units, K::Text, "units",
     QT_TRANSLATE_NOOP("varn::templates", "Specifies a means of measurement; a metric"), 'u',
     L::None},
    {R::SpatialTerm, K::Text, "spatial term",
     QT_TRANSLATE_NOOP("varn::templates", "Spatial term; specifies association by proximity"), 's',
     L::None},
    {R::WithList, K::List, "with...",
     QT_TRANSLATE_NOOP("varn::templates", "Associative phrase; specifies interaction"), 'h',
     L::With},
    {R::WhenList, K::List, "when...",
     QT_TRANSLATE_NOOP("varn::templates", "Time-relative preposition; specifies event"), 'w',
     L::When},
    {R::ToFromList, K::List, "to / from",
     QT_TRANSLATE_NOOP("varn::templates", "Specifies a state transition"), 'm', L::ToFrom},
    {R::IfList, K::List, "if",
     QT_TRANSLATE_NOOP("varn::templates", "Conditional term; specifies dependent association"), 'i',
     L::If},
    {R::IsList, K::List, "is...", kRelational, 'l', L::Is},
    {R::OrList, K::List, "or",
     QT_TRANSLATE_NOOP("varn::templates", "Logical term; specifies an attribute's value"), 'r',
     L::Or},
    {R::OrAndList, K::List, "or / and", kCompound, 'o', L::AndOr},
    {R::AndOrList, K::List, "and / or", kCompound, 'o', L::AndOr},
    {R::ThatHasList, K::List, "that has...",
     QT_TRANSLATE_NOOP("varn::templates", "Possessive phrase; specifies ownership"), 'z',
     L::ThatHas},
    {R::OfList, K::List, "of...", kRelational, 'l', L::Of},
    {R::ExternalList, K::List, "to, from...", kExternalTip, 'x', L::External},
    {R::ExternalEventList, K::List, "to, from...", kExternalTip, 'x', L::ExternalEvent},
    {R::ByList, K::List, "by...",
     QT_TRANSLATE_NOOP("varn::templates", "Associative phrase; specifies interaction"), 'j', L::By},
    {R::BeforeAfterList, K::List, "before / after",
     QT_TRANSLATE_NOOP("varn::templates", "Time-relative preposition; specifies event"), 'b',
     L::BeforeAfter},
    {R::EveryAtList, K::List, "every / at",
     QT_TRANSLATE_NOOP("varn::templates", "Time-relative preposition; specifies timeliness"), 'y',
     L::EveryAt},
};

constexpr const char *kPreamblePhrases[] = {
    "shall",
    "shall provide the capability",
    "shall deny the capability",
    "shall enable the",
    "shall allow the",
    "shall prohibit the",
    "shall prevent the",
};

constexpr const char *kCategories[] = {"Software",       "Hardware",    "Performance", "Derived",
                                       "User Interface", "Enhancement", "Nice to Have"};

constexpr StructuralTemplate kStructuralDialogs[] = {
    {19, QT_TRANSLATE_NOOP("varn::templates", "Template #19: Attribute Definition"), 65},
    {20, QT_TRANSLATE_NOOP("varn::templates", "Template #20: Composition Definition"), 70},
    {21, QT_TRANSLATE_NOOP("varn::templates", "Template #21: Entity/Type Definition"), 61},
    {22, QT_TRANSLATE_NOOP("varn::templates", "Template #22: Message Definition"), 76},
};

constexpr const char *kArticles[] = {"A", "An"};
constexpr const char *kStateValue[] = {"state", "value"};
constexpr const char *kValueGroups[] = {"possible values", "data type of"};
constexpr const char *kAttributeDataTypes[] = {"integer", "decimal", "string", "date/time",
                                               "boolean"};
constexpr const char *kCardinalities[] = {"a",    "an",   "0..n", "1..n", "2..n", "3..n", "4..n",
                                          "5..n", "6..n", "7..n", "8..n", "9..n", "10..n"};
constexpr const char *kMessageDataTypes[] = {"Alpha", "Alphanumeric", "Numeric"};
constexpr int kLastMessagePosition = 99;

constexpr TableColumn kMessageFieldColumns[] = {
    {QT_TRANSLATE_NOOP("varn::templates", "No."), 40},
    {QT_TRANSLATE_NOOP("varn::templates", "Pos."), 40},
    {QT_TRANSLATE_NOOP("varn::templates", "Field"), 100},
    {QT_TRANSLATE_NOOP("varn::templates", "Data Type"), 100},
    {QT_TRANSLATE_NOOP("varn::templates", "From"), 100},
    {QT_TRANSLATE_NOOP("varn::templates", "To"), 100},
    {QT_TRANSLATE_NOOP("varn::templates", "Possible Values"), 420},
};

QStringList toStringList(std::span<const char *const> texts)
{
    QStringList list;
    for (const char *text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}

} // namespace

const FunctionalTemplate *TemplateCatalogue::functional(int number)
{
    const auto all = functionalTemplates();
    if (number < 1 || number > int(all.size()))
        return nullptr;
    return &all[std::size_t(number - 1)];
}

const FieldRoleInfo &TemplateCatalogue::role(FieldRole role)
{
    static_assert(std::size(kRoles) == std::size_t(FieldRole::EveryAtList) + 1);
    return kRoles[std::size_t(role)];
}

ConnectiveList TemplateCatalogue::listOf(FieldRole fieldRole, int templateNumber)
{
    const ConnectiveList list = role(fieldRole).list;
    return list == L::Is && templateNumber == 18 ? L::IsTemplate18 : list;
}

std::span<const ListItem> TemplateCatalogue::items(ConnectiveList list)
{
    for (const ConnectiveListInfo &info : kLists) {
        if (info.list == list)
            return info.items;
    }
    return {};
}

QStringList TemplateCatalogue::itemTexts(ConnectiveList list)
{
    QStringList texts;
    for (const ListItem &item : items(list))
        texts.append(QString::fromUtf8(item.text));
    return texts;
}

int TemplateCatalogue::positionOf(ConnectiveList list, const QString &text)
{
    const auto all = items(list);
    const auto found = std::find_if(all.begin(), all.end(), [&](const ListItem &item) {
        return text == QLatin1String(item.text);
    });
    return found == all.end() ? -1 : int(found - all.begin());
}

const char *TemplateCatalogue::navigatorItem(int number)
{
    if (const FunctionalTemplate *functionalTemplate = functional(number))
        return functionalTemplate->navigatorItem;
    for (const NavigatorEntry &entry : structuralTemplates()) {
        if (entry.number == number)
            return entry.navigatorItem;
    }
    return "";
}

const char *TemplateCatalogue::specification(int number)
{
    if (const FunctionalTemplate *functionalTemplate = functional(number))
        return functionalTemplate->specification;
    for (const NavigatorEntry &entry : structuralTemplates()) {
        if (entry.number == number)
            return entry.specification;
    }
    return "";
}

int TemplateCatalogue::firstExampleRow(int number)
{
    if (const FunctionalTemplate *functionalTemplate = functional(number))
        return functionalTemplate->firstExampleRow;
    for (const NavigatorEntry &entry : structuralTemplates()) {
        if (entry.number == number)
            return entry.firstExampleRow;
    }
    return 0;
}

QStringList TemplateCatalogue::preamblePhrases()
{
    return toStringList(kPreamblePhrases);
}

QString TemplateCatalogue::preambleSentencePhrase(int position)
{
    if (position < 0 || position >= kPreambleCount)
        return {};
    return QStringLiteral(" system ") + QString::fromUtf8(kPreamblePhrases[position]);
}

std::span<const StructuralTemplate> TemplateCatalogue::structuralDialogs()
{
    return kStructuralDialogs;
}

const StructuralTemplate *TemplateCatalogue::structural(int number)
{
    static_assert(std::size(kStructuralDialogs) == kLastStructural - kFirstStructural + 1);
    if (number < kFirstStructural || number > kLastStructural)
        return nullptr;
    return &kStructuralDialogs[std::size_t(number - kFirstStructural)];
}

QStringList TemplateCatalogue::articles()
{
    return toStringList(kArticles);
}

QStringList TemplateCatalogue::stateValueChoices()
{
    return toStringList(kStateValue);
}

QStringList TemplateCatalogue::valueGroupChoices()
{
    return toStringList(kValueGroups);
}

QStringList TemplateCatalogue::attributeDataTypes()
{
    return toStringList(kAttributeDataTypes);
}

QStringList TemplateCatalogue::cardinalities()
{
    return toStringList(kCardinalities);
}

QStringList TemplateCatalogue::messageDataTypes()
{
    return toStringList(kMessageDataTypes);
}

QStringList TemplateCatalogue::messagePositions()
{
    QStringList list;
    for (int i = 1; i <= kLastMessagePosition; ++i)
        list.append(QString::number(i));
    return list;
}

std::span<const TableColumn> TemplateCatalogue::messageFieldColumns()
{
    return kMessageFieldColumns;
}

// Made once: every save looks its attributes up in them.
QStringList TemplateCatalogue::categories()
{
    static const QStringList list = toStringList(kCategories);
    return list;
}

QStringList TemplateCatalogue::priorities()
{
    static const QStringList list = [] {
        QStringList numbers;
        for (int i = 1; i <= 9; ++i)
            numbers.append(QString::number(i));
        return numbers;
    }();
    return list;
}

} // namespace varn::templates
