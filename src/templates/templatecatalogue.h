#pragma once

#include "common/templatenumbers.h"

#include <QString>
#include <QStringList>

#include <span>

namespace varn::templates {

// What a template field holds. Text and entity fields are typed by the user;
// a list field offers a fixed connective list.
enum class FieldKind { Text, Entity, List };

// The connective lists of the functional templates.
enum class ConnectiveList {
    None,
    With,
    When,
    ToFrom,
    If,
    Is,
    IsTemplate18,
    Or,
    AndOr,
    ThatHas,
    Of,
    External,
    ExternalEvent,
    By,
    BeforeAfter,
    EveryAt,
};

// One entry of a connective list and the term letter choosing it records.
struct ListItem
{
    const char *text;
    char letter;
};

struct ConnectiveListInfo
{
    ConnectiveList list;
    std::span<const ListItem> items;
};

// The roles a field plays in a functional template's sentence pattern.
enum class FieldRole {
    WhoWhat,
    DoWhat,
    Attribute,
    Type,
    Entity,
    Part,
    Action,
    Value,
    Quantity,
    Units,
    SpatialTerm,
    WithList,
    WhenList,
    ToFromList,
    IfList,
    IsList,
    OrList,
    OrAndList,
    AndOrList,
    ThatHasList,
    OfList,
    ExternalList,
    ExternalEventList,
    ByList,
    BeforeAfterList,
    EveryAtList,
};

// How a role looks and what it records: its kind, the small label above it,
// its tooltip, its term letter (for a list: the letter when the item does not
// choose one itself), and its list.
struct FieldRoleInfo
{
    FieldRole role;
    FieldKind kind;
    const char *label;
    const char *tooltip;
    char letter;
    ConnectiveList list;
};

struct FunctionalTemplate
{
    int number; // 1 to 18, also the requirement's Source
    const char *title;
    int exampleNumber; // FUNC_REQ row of the application database
    std::span<const FieldRole> fields;
    const char *missingFunctionMessage;
    const char *navigatorItem;
    const char *specification;
    int firstExampleRow; // of the navigator's three examples, counted from 1
};

// The structural templates as the navigators list them.
struct NavigatorEntry
{
    int number;
    const char *navigatorItem;
    const char *specification;
    int firstExampleRow;
};

// A structural template's dialog: its number (the requirement's Source),
// title and worked example (the STRUC_REQ row of the application database).
struct StructuralTemplate
{
    int number; // 19 to 22
    const char *title;
    int exampleNumber;
};

// A column of a table a dialog shows: its title and width.
struct TableColumn
{
    const char *title;
    int width;
};

class TemplateCatalogue
{
public:
    static constexpr int kFunctionalCount = TemplateNumber::kLastFunctional;

    static std::span<const FunctionalTemplate> functionalTemplates();
    // nullptr outside 1 to 18.
    static const FunctionalTemplate *functional(int number);
    static const FieldRoleInfo &role(FieldRole role);
    // Template 18 has its own "is" list.
    static ConnectiveList listOf(FieldRole role, int templateNumber);
    static std::span<const ListItem> items(ConnectiveList list);
    static QStringList itemTexts(ConnectiveList list);
    // The item's position in the list, or -1 when the text is no item.
    static int positionOf(ConnectiveList list, const QString &text);

    static std::span<const NavigatorEntry> structuralTemplates();
    // Navigator item, specification and first example row of template 1 to 22.
    static const char *navigatorItem(int number);
    static const char *specification(int number);
    static int firstExampleRow(int number);

    // The preamble list as shown ("shall", ...) and as stored in MASTER_REQ
    // after the system name (" system shall", ...).
    static constexpr int kPreambleCount = 7;
    static QStringList preamblePhrases();
    static QString preambleSentencePhrase(int position);
    static constexpr int kFirstActorPreamble = 3; // positions 3 to 6 take who/what

    // The structural templates' dialogs; nullptr outside 19 to 22.
    static constexpr int kFirstStructural = TemplateNumber::kFirstStructural;
    static constexpr int kLastStructural = TemplateNumber::kLastStructural;
    // The structural template that defines a message (its fields are the
    // message's, not an entity's).
    static constexpr int kMessageDefinition = TemplateNumber::kMessageDefinition;
    static std::span<const StructuralTemplate> structuralDialogs();
    static const StructuralTemplate *structural(int number);
    // The technical composer's number, the Source of its requirements.
    static constexpr int kTechnicalSource = TemplateNumber::kTechnical;

    // The fixed lists of the structural templates, in their order (a stored
    // position counts from 0).
    static QStringList articles();           // "A", "An"
    static QStringList stateValueChoices();  // the state / value radio buttons
    static QStringList valueGroupChoices();  // "possible values", "data type of"
    static QStringList attributeDataTypes(); // the Data Type radio buttons of Template 19
    static QStringList cardinalities();      // "a", "an", "0..n" to "10..n"
    static QStringList messageDataTypes();   // "Alpha", "Alphanumeric", "Numeric"
    static QStringList messagePositions();   // "1" to "99"
    // Fields Currently Defined of the Message Definition.
    static std::span<const TableColumn> messageFieldColumns();

    static QStringList categories();
    static QStringList priorities(); // "1" to "9"; Release uses the same list
};

} // namespace varn::templates
