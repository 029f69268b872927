// Generated field lists and texts of the templates; edit with care: every
// text here is shown to the user exactly as written.
#include "templates/templatecatalogue.h"
#include "templates/templatestr.h"

#include <array>

namespace varn::templates {

namespace {

using R = FieldRole;

constexpr FieldRole kFields1[] = {
    R::WhoWhat,   R::DoWhat, R::Attribute,  R::Type,     R::Entity,     R::WithList,
    R::Attribute, R::Type,   R::Entity,     R::WhenList, R::Attribute,  R::Type,
    R::Entity,    R::Action, R::ToFromList, R::Value,    R::ToFromList, R::Value,
};
constexpr FieldRole kFields2[] = {
    R::WhoWhat,   R::DoWhat, R::Attribute, R::Type,   R::Entity,    R::WithList,
    R::Attribute, R::Type,   R::Entity,    R::IfList, R::Attribute, R::Type,
    R::Entity,    R::IsList, R::Value,     R::OrList, R::IsList,    R::Value,
};
constexpr FieldRole kFields3[] = {
    R::WhoWhat, R::DoWhat,     R::Attribute,  R::Type,     R::Entity,     R::ToFromList,
    R::Value,   R::ToFromList, R::Value,      R::WhenList, R::Attribute,  R::Type,
    R::Entity,  R::Action,     R::ToFromList, R::Value,    R::ToFromList, R::Value,
};
constexpr FieldRole kFields4[] = {
    R::WhoWhat,    R::DoWhat,    R::Attribute, R::Type,      R::Entity, R::ToFromList, R::Value,
    R::ToFromList, R::Value,     R::IfList,    R::Attribute, R::Type,   R::Entity,     R::IsList,
    R::Value,      R::OrAndList, R::Attribute, R::Type,      R::Entity, R::IsList,     R::Value,
};
constexpr FieldRole kFields5[] = {
    R::WhoWhat,    R::DoWhat, R::Attribute, R::Type, R::Entity, R::ToFromList,        R::Value,
    R::ToFromList, R::Value,  R::WhenList,  R::Type, R::Entity, R::ExternalEventList, R::Entity,
};
constexpr FieldRole kFields6[] = {
    R::WhoWhat,    R::DoWhat,    R::Attribute,  R::Part,  R::Type,   R::Entity,
    R::WhenList,   R::Attribute, R::Part,       R::Type,  R::Entity, R::Action,
    R::ToFromList, R::Value,     R::ToFromList, R::Value, R::IfList, R::Part,
    R::Type,       R::Entity,    R::IsList,     R::Value,
};
constexpr FieldRole kFields7[] = {
    R::WhoWhat, R::DoWhat,     R::Type,  R::Entity,     R::ThatHasList, R::Attribute, R::OfList,
    R::Value,   R::ToFromList, R::Value, R::WhenList,   R::Attribute,   R::Type,      R::Entity,
    R::Action,  R::ToFromList, R::Value, R::ToFromList, R::Value,
};
constexpr FieldRole kFields8[] = {
    R::WhoWhat, R::DoWhat, R::Type,       R::Entity, R::ThatHasList, R::Attribute,
    R::OfList,  R::Value,  R::ToFromList, R::Value,  R::IfList,      R::Attribute,
    R::Type,    R::Entity, R::IsList,     R::Value,  R::AndOrList,   R::Attribute,
    R::Type,    R::Entity, R::IsList,     R::Value,
};
constexpr FieldRole kFields9[] = {
    R::WhoWhat, R::DoWhat, R::Attribute, R::Type,       R::Entity, R::WhenList,   R::Attribute,
    R::Type,    R::Entity, R::Action,    R::ToFromList, R::Value,  R::ToFromList, R::Value,
};
constexpr FieldRole kFields10[] = {
    R::WhoWhat,    R::DoWhat, R::Attribute, R::Type,      R::Entity,     R::WhenList,
    R::Attribute,  R::Type,   R::Entity,    R::Action,    R::ToFromList, R::Value,
    R::ToFromList, R::Value,  R::IfList,    R::Attribute, R::Type,       R::Entity,
    R::IsList,     R::Value,  R::OrList,    R::IsList,    R::Value,
};
constexpr FieldRole kFields11[] = {
    R::WhoWhat, R::DoWhat,     R::Type,      R::Entity,     R::ExternalList,
    R::Entity,  R::WhenList,   R::Attribute, R::Type,       R::Entity,
    R::Action,  R::ToFromList, R::Value,     R::ToFromList, R::Value,
};
constexpr FieldRole kFields12[] = {
    R::WhoWhat, R::DoWhat,   R::Type, R::Entity, R::ExternalList,
    R::Entity,  R::WhenList, R::Type, R::Entity, R::ExternalEventList,
    R::Entity,
};
constexpr FieldRole kFields13[] = {
    R::WhoWhat, R::DoWhat, R::Part,       R::Type,      R::Entity,     R::SpatialTerm,
    R::Part,    R::Type,   R::Entity,     R::ByList,    R::Attribute,  R::Part,
    R::Type,    R::Entity, R::WhenList,   R::Attribute, R::Part,       R::Type,
    R::Entity,  R::Action, R::ToFromList, R::Value,     R::ToFromList, R::Value,
};
constexpr FieldRole kFields14[] = {
    R::WhoWhat, R::DoWhat, R::Part,   R::Type,      R::Entity,    R::SpatialTerm,
    R::Part,    R::Type,   R::Entity, R::ByList,    R::Attribute, R::Part,
    R::Type,    R::Entity, R::IfList, R::Attribute, R::Part,      R::Type,
    R::Entity,  R::IsList, R::Value,  R::OrList,    R::IsList,    R::Value,
};
constexpr FieldRole kFields15[] = {
    R::WhoWhat,    R::DoWhat,          R::Attribute,  R::Type,  R::Entity, R::Quantity,
    R::Units,      R::BeforeAfterList, R::Attribute,  R::Type,  R::Entity, R::Action,
    R::ToFromList, R::Value,           R::ToFromList, R::Value,
};
constexpr FieldRole kFields16[] = {
    R::WhoWhat,    R::DoWhat,   R::Type,       R::Entity, R::SpatialTerm, R::Type,
    R::Entity,     R::WhenList, R::Attribute,  R::Type,   R::Entity,      R::Action,
    R::ToFromList, R::Value,    R::ToFromList, R::Value,
};
constexpr FieldRole kFields17[] = {
    R::WhoWhat,     R::DoWhat, R::Attribute, R::Type,   R::Entity,     R::WhenList,
    R::Attribute,   R::Type,   R::Entity,    R::Action, R::ToFromList, R::Value,
    R::ToFromList,  R::Value,  R::IfList,    R::Part,   R::Type,       R::Entity,
    R::SpatialTerm, R::Part,   R::Type,      R::Entity,
};
constexpr FieldRole kFields18[] = {
    R::WhoWhat, R::DoWhat, R::Attribute, R::Type, R::Entity, R::EveryAtList, R::Quantity,
    R::Units,   R::IfList, R::Attribute, R::Type, R::Entity, R::IsList,      R::Value,
};

constexpr const char *kMissingFunction = QT_TRANSLATE_NOOP(
    "varn::templates",
    "Validation error. The '(to) do what' field must be defined for a functional requirement.");
constexpr const char *kMissingDoWhat = QT_TRANSLATE_NOOP(
    "varn::templates",
    "Validation error. The 'do what?' field must be defined for a functional requirement.");

constexpr FunctionalTemplate kFunctional[] = {
    {1, QT_TRANSLATE_NOOP("varn::templates", "Template #1: Association"), 23, kFields1,
     kMissingFunction, QT_TRANSLATE_NOOP("varn::templates", "1  Association"),
     QT_TRANSLATE_NOOP(
         "varn::templates",
         "TEMPLATE: Association (T1)\r\n"
         "\r\n"
         "DESCRIPTION: Use this template to specify cooperation among system entities.\r\n"
         "\r\n"
         "KEYWORDS: with (using), when, to/from\r\n"
         "\r\n"
         "EXAMPLE: The ESD system shall provide the capability to assess the weight of foreign "
         "cargo "
         "using the import calibration of the runway freight scale when the transit status of the "
         "foreign cargo is updated from in flight to on premises.\r\n"
         "\r\n"
         "DETAILS: Association relationships are created for the <with> and <when> clauses. An "
         "attribute and its values are created for the <to/from> clause."),
     20},
    {2, QT_TRANSLATE_NOOP("varn::templates", "Template #2: Association with Condition"), 46,
     kFields2, kMissingFunction,
     QT_TRANSLATE_NOOP("varn::templates", "2  Association with Condition"),
     QT_TRANSLATE_NOOP(
         "varn::templates",
         "TEMPLATE: Association with Condition (T2)\r\n"
         "\r\n"
         "DESCRIPTION: Use this template to specify cooperation among system entities based on a "
         "condition.\r\n"
         "\r\n"
         "KEYWORDS: with (using), if, is, or.\r\n"
         "\r\n"
         "EXAMPLE: The ESD system shall provide the capability to create a maintenance trouble "
         "ticket "
         "using the facilities subsystem if the electrical status of a terminal shuttle is down or "
         "is "
         "in repair.\r\n"
         "\r\n"
         "DETAILS: Association relationships are created for the <with> and <if> clauses. An "
         "attribute "
         "and its values are created for the <is> and <or> clauses."),
     46},
    {3, QT_TRANSLATE_NOOP("varn::templates", "Template #3: Attribute Modification"), 28, kFields3,
     kMissingFunction, QT_TRANSLATE_NOOP("varn::templates", "3  Attribute Modification"),
     QT_TRANSLATE_NOOP(
         "varn::templates",
         "TEMPLATE: Attribute Modification (T3)\r\n"
         "\r\n"
         "DESCRIPTION: Use this template to specify modification of an attribute's value or state "
         "based on an event.\r\n"
         "\r\n"
         "KEYWORDS: to/from, when, to/from.\r\n"
         "\r\n"
         "EXAMPLE: The ESD system shall provide the capability to change the flash-rate of runway "
         "lighting from moderate to moderately fast when a landing plane is transitioned from near "
         "to "
         "approach.\r\n"
         "\r\n"
         "DETAILS: An association relationship is created for the <when> clause. Attributes and "
         "values "
         "are created for the <to/from> clauses."),
     28},
    {4, QT_TRANSLATE_NOOP("varn::templates", "Template #4: Attribute Modification with Condition"),
     49, kFields4, kMissingFunction,
     QT_TRANSLATE_NOOP("varn::templates", "4  Attribute Modification with Condition"),
     QT_TRANSLATE_NOOP(
         "varn::templates",
         "TEMPLATE: Attribute Modification with Condition (T4)\r\n"
         "\r\n"
         "DESCRIPTION: Use this template to specify modification of an attribute's value or state "
         "based on a condition.\r\n"
         "\r\n"
         "KEYWORDS: to/from, if, is, and.\r\n"
         "\r\n"
         "EXAMPLE: The ESD system shall provide the capability to update the status of the "
         "auxiliary "
         "taxiway from inactive to active if the status of the primary taxiway is inactive and the "
         "usability of the main runway is compromised.\r\n"
         "\r\n"
         "DETAILS: Association relationships are created for the <if> and <and> clauses. "
         "Attributes "
         "and values are created for the <to/from> and <is> clauses."),
     49},
    {5,
     QT_TRANSLATE_NOOP("varn::templates",
                       "Template #5: Attribute Modification with External Event"),
     31, kFields5, kMissingFunction,
     QT_TRANSLATE_NOOP("varn::templates", "5  Attribute Modification with External Event"),
     QT_TRANSLATE_NOOP(
         "varn::templates",
         "TEMPLATE: Attribute Modification with External Event (T5)\r\n"
         "\r\n"
         "DESCRIPTION: Use this template to specify the modification of an attribute's value or "
         "state "
         "based on an external event.\r\n"
         "\r\n"
         "KEYWORDS: to, from, when\r\n"
         "\r\n"
         "EXAMPLE: The ESD system shall provide the capability to change the flash-rate of runway "
         "lighting from moderate to moderately fast when a steep approach A/G message is received "
         "from "
         "a plane.\r\n"
         "\r\n"
         "DETAILS: Association relationships are created for the <to, from> and <when> clauses."),
     31},
    {6, QT_TRANSLATE_NOOP("varn::templates", "Template #6: Composition"), 27, kFields6,
     kMissingFunction, QT_TRANSLATE_NOOP("varn::templates", "6  Composition"),
     QT_TRANSLATE_NOOP(
         "varn::templates",
         "TEMPLATE: Composition (T6)\r\n"
         "\r\n"
         "DESCRIPTION: Use this template to specify a whole-part relationship among system "
         "entities in "
         "relation to an event or condition.\r\n"
         "\r\n"
         "KEYWORDS: part, when, to/from, if, is.\r\n"
         "\r\n"
         "EXAMPLE: The ESD system shall provide the capability to double the flash-rate of the "
         "approach signal of the main runway when the status of the wind sensor of a main runway "
         "weather station changes from normal to caution if the wind sensor of the main runway "
         "weather "
         "station is calibrated.\r\n"
         "\r\n"
         "DETAILS: A composition relationship is created for a <part>. Association relationships "
         "are "
         "created for the <when> and <if> clauses. Attributes and values are created for the "
         "<to/from> "
         "and <is> clauses."),
     24},
    {7, QT_TRANSLATE_NOOP("varn::templates", "Template #7: Distinguishing Attribute"), 35, kFields7,
     kMissingFunction, QT_TRANSLATE_NOOP("varn::templates", "7  Distinguishing Attribute"),
     QT_TRANSLATE_NOOP(
         "varn::templates",
         "TEMPLATE: Distinguishing Attribute (T7)\r\n"
         "\r\n"
         "DESCRIPTION: Use this template to specify the effect of an entity's attribute on system "
         "behavior.\r\n"
         "\r\n"
         "KEYWORDS: that has, of, when, to/from.\r\n"
         "\r\n"
         "EXAMPLE: The ESD system shall provide the capability to rotate the main gate sprinklers "
         "that "
         "have a spray pattern of half to full when the water level of the rain gauge has fallen "
         "from "
         "normal to drought.\r\n"
         "\r\n"
         "DETAILS: An association relationship is created for the <when> clause. Attributes and "
         "values "
         "are created for the <that has>, <of>, and <to/from> clauses."),
     34},
    {8,
     QT_TRANSLATE_NOOP("varn::templates", "Template #8: Distinguishing Attribute with Condition"),
     54, kFields8, kMissingFunction,
     QT_TRANSLATE_NOOP("varn::templates", "8  Distinguishing Attribute with Condition"),
     QT_TRANSLATE_NOOP(
         "varn::templates",
         "TEMPLATE: Distinguishing Attribute with Condition (T8)\r\n"
         "\r\n"
         "DESCRIPTION: Use this template to specify a condition that must exist for an entity's "
         "attribute to affect system behavior.\r\n"
         "\r\n"
         "KEYWORDS: that has, of, if, is, and.\r\n"
         "\r\n"
         "EXAMPLE: The ESD system shall provide the capability to change passenger reservations "
         "that "
         "have a class type of business to first class if the capacity of the passenger flight is "
         "less "
         "than half or the stopovers of the passenger flight is greater than 2.\r\n"
         "\r\n"
         "DETAILS: Association relationships are created for the <if> and <and> clauses. "
         "Attributes "
         "and values are created for the <that has>, <of>, and <is> clauses."),
     52},
    {9, QT_TRANSLATE_NOOP("varn::templates", "Template #9: Event"), 2, kFields9, kMissingDoWhat,
     QT_TRANSLATE_NOOP("varn::templates", "9  Event"),
     QT_TRANSLATE_NOOP(
         "varn::templates",
         "TEMPLATE: Event (T9)\r\n"
         "\r\n"
         "DESCRIPTION: Use this template to specify an event in the system.\r\n"
         "\r\n"
         "KEYWORDS: when, to/from.\r\n"
         "\r\n"
         "EXAMPLE: The ESD system shall provide the capability to notify the operational subsystem "
         "when the wind sensor of a runway weather station changes from nominal to caution.\r\n"
         "\r\n"
         "DETAILS: An association relationship is created for the <when> clause. An attribute and "
         "its "
         "values are created for the <to/from> clause."),
     1},
    {10, QT_TRANSLATE_NOOP("varn::templates", "Template #10: Event with Condition"), 45, kFields10,
     kMissingFunction, QT_TRANSLATE_NOOP("varn::templates", "10  Event with Condition"),
     QT_TRANSLATE_NOOP(
         "varn::templates",
         "TEMPLATE: Event with Condition (T10)\r\n"
         "\r\n"
         "DESCRIPTION: Use this template to specify an event based on a condition.\r\n"
         "\r\n"
         "KEYWORDS: when, to/from, if, is, or.\r\n"
         "\r\n"
         "EXAMPLE: The ESD system shall provide the capability to reinitiate the connection of G/G "
         "communications when the acknowledgement of G/G communications has changed from in "
         "contact to "
         "out of contact if the channel of the G/G communication line is OK or is degraded.\r\n"
         "\r\n"
         "DETAILS: Association relationships are created for the <when> and <if> clauses. An "
         "attribute "
         "and its values are created for the <to/from>, <is>, and <or> clauses."),
     43},
    {11, QT_TRANSLATE_NOOP("varn::templates", "Template #11: External Interaction"), 13, kFields11,
     kMissingFunction, QT_TRANSLATE_NOOP("varn::templates", "11  External Interaction"),
     QT_TRANSLATE_NOOP(
         "varn::templates",
         "TEMPLATE: External Interaction (T11)\r\n"
         "\r\n"
         "DESCRIPTION: Use this template to specify interaction with an external system or "
         "entity.\r\n"
         "\r\n"
         "KEYWORDS: to, from, when, to/from.\r\n"
         "\r\n"
         "EXAMPLE: The ESD system shall provide the capability to send a severe weather report to "
         "the "
         "airport website when the verification of a severe weather report has been changed from "
         "pending to approved.\r\n"
         "\r\n"
         "DETAILS: Association relationships are created for the <to, from> and <when> clauses. An "
         "attribute and its values are created for the <to/from> clause."),
     13},
    {12,
     QT_TRANSLATE_NOOP("varn::templates", "Template #12: External Interaction with External Event"),
     18, kFields12, kMissingFunction,
     QT_TRANSLATE_NOOP("varn::templates", "12  External Interaction with External Event"),
     QT_TRANSLATE_NOOP(
         "varn::templates",
         "TEMPLATE: External Interaction with External Event (T12)\r\n"
         "\r\n"
         "DESCRIPTION: Use this template to specify interaction with an external system or entity "
         "based on an external interaction.\r\n"
         "\r\n"
         "KEYWORDS: to, from, when.\r\n"
         "\r\n"
         "EXAMPLE: The ESD system shall provide the capability to send an emergency call to Police "
         "when a hijack alert is received from the Air Traffic Control system.\r\n"
         "\r\n"
         "DETAILS: Association relationships are created for the <to, from> and <when> clauses."),
     16},
    {13, QT_TRANSLATE_NOOP("varn::templates", "Template #13: How with Event"), 42, kFields13,
     kMissingFunction, QT_TRANSLATE_NOOP("varn::templates", "13  How with Event"),
     QT_TRANSLATE_NOOP(
         "varn::templates",
         "TEMPLATE: How with Event (T13)\r\n"
         "\r\n"
         "DESCRIPTION: Use this template to specify cooperation among system entities based on a "
         "spatial relationship, attribute, or event.\r\n"
         "\r\n"
         "KEYWORDS: spatial term, by/based on, when, part, to/from.\r\n"
         "\r\n"
         "EXAMPLE: The ESD system shall provide the capability to prioritize the seating "
         "assignment of "
         "Priority Club members in the passenger manifest based on the accumulated points of "
         "Priority "
         "Club members after the passenger manifest is changed from prescheduled to scheduled.\r\n"
         "\r\n"
         "DETAILS: Association relationships are created for the <spatial term>, <by/based on>, "
         "and "
         "<when> clauses. An attribute and its values are created for the <to/from> clause. A "
         "composition relationship is created for a <part>."),
     40},
    {14, QT_TRANSLATE_NOOP("varn::templates", "Template #14: How with Condition"), 55, kFields14,
     kMissingFunction, QT_TRANSLATE_NOOP("varn::templates", "14  How with Condition"),
     QT_TRANSLATE_NOOP(
         "varn::templates",
         "TEMPLATE: How with Condition (T14)\r\n"
         "\r\n"
         "DESCRIPTION: Use this template to specify cooperation among system entities based on a "
         "spatial relationship, attribute, or condition.\r\n"
         "\r\n"
         "KEYWORDS: spatial term, by/based on, if, part, is, or.\r\n"
         "\r\n"
         "EXAMPLE: The ESD system shall provide the capability to list the maker of rental "
         "vehicles in "
         "the administrative section of the rental summary by the account number of the maker of "
         "the "
         "rental vehicle if the date of the rental summary is less than 2004.\r\n"
         "\r\n"
         "DETAILS: Association relationships are created for the <spatial term>, <by/based on>, "
         "and "
         "<if> clauses. An attribute and its values are created for the <is> and <or> clauses. A "
         "composition relationship is created for a <part>."),
     55},
    {15, QT_TRANSLATE_NOOP("varn::templates", "Template #15: Relative Time"), 10, kFields15,
     kMissingFunction, QT_TRANSLATE_NOOP("varn::templates", "15  Relative Time"),
     QT_TRANSLATE_NOOP(
         "varn::templates",
         "TEMPLATE: Relative Time (T15)\r\n"
         "\r\n"
         "DESCRIPTION: Use this template to specify an event based on the passage of time.\r\n"
         "\r\n"
         "KEYWORDS: quantity, units, before/after, to/from.\r\n"
         "\r\n"
         "EXAMPLE: The ESD system shall provide the capability to reset the watering duration of a "
         "perimeter sprinkler zone 2 minutes after the auto shut off of the perimeter sprinkler "
         "timer "
         "has switched from on to off.\r\n"
         "\r\n"
         "DETAILS: An association relationship is created for the <before/after> clause. A Timer "
         "entity is also created. An attribute and its values are created for the <to/from> "
         "clause, "
         "along with data type definition based on <quantity> and <units>."),
     9},
    {16, QT_TRANSLATE_NOOP("varn::templates", "Template #16: Spatial Relationship"), 37, kFields16,
     kMissingFunction, QT_TRANSLATE_NOOP("varn::templates", "16  Spatial Relationship"),
     QT_TRANSLATE_NOOP(
         "varn::templates",
         "TEMPLATE: Spatial Relationship (T16)\r\n"
         "\r\n"
         "DESCRIPTION: Use this template to specify a spatial relationship among system entities "
         "(i.e., their position relative to one another).\r\n"
         "\r\n"
         "KEYWORDS: spatial term, when, to/from.\r\n"
         "\r\n"
         "EXAMPLE: The ESD system shall provide the capability to open the receiving terminal bay "
         "behind the terminal when the location of the baggage tram has changed from in transit to "
         "at "
         "terminal.\r\n"
         "\r\n"
         "DETAILS: Association relationships are created for the <spatial term> and <when> "
         "clauses. An "
         "attribute and its values are created for the <to/from> clause."),
     37},
    {17, QT_TRANSLATE_NOOP("varn::templates", "Template #17: Spatial Relationship with Condition"),
     60, kFields17, kMissingFunction,
     QT_TRANSLATE_NOOP("varn::templates", "17  Spatial Relationship with Condition"),
     QT_TRANSLATE_NOOP(
         "varn::templates",
         "TEMPLATE: Spatial Relationship with Condition (T17)\r\n"
         "\r\n"
         "DESCRIPTION: Use this template to specify a spatial relationship among system entities "
         "based "
         "on a condition.\r\n"
         "\r\n"
         "KEYWORDS: spatial term, when, if, part, to/from.\r\n"
         "\r\n"
         "EXAMPLE: The ESD system shall provide the capability to suspend operation of a curbside "
         "baggage handling station when use of the fire lane has been changed from accessible to "
         "blocked if a tire of an emergency vehicle is within the white zone of the fire lane.\r\n"
         "\r\n"
         "DETAILS: Association relationships are created for the <spatial term>, <when>, and <if> "
         "clauses. An attribute and its values are created for the <to/from> clause. A composition "
         "relationship is created for a <part>."),
     58},
    {18, QT_TRANSLATE_NOOP("varn::templates", "Template #18: Temporal Event"), 5, kFields18,
     kMissingDoWhat, QT_TRANSLATE_NOOP("varn::templates", "18  Temporal Event"),
     QT_TRANSLATE_NOOP(
         "varn::templates",
         "TEMPLATE: Temporal Event (T18)\r\n"
         "\r\n"
         "DESCRIPTION: Use this template to specify periodic or time- specific behavior based on a "
         "condition.\r\n"
         "\r\n"
         "KEYWORDS: every/at, quantity, units, if, is.\r\n"
         "\r\n"
         "EXAMPLE: The ESD system shall provide the capability to generate concessionaire "
         "statements "
         "every 4 months if the classification of a concessionaire is airport affiliated.\r\n"
         "\r\n"
         "DETAILS: An association relationship is created for the <if> clause. A Timer entity is "
         "also "
         "created. An attribute and its values are created for the <every/at> and <is> clauses, "
         "along "
         "with data type definition based on <quantity> and <units>."),
     5},
};

constexpr NavigatorEntry kStructural[] = {
    {19, QT_TRANSLATE_NOOP("varn::templates", "19  Attribute Definition"),
     QT_TRANSLATE_NOOP(
         "varn::templates",
         "TEMPLATE: Attribute Definition (T19)\r\n"
         "\r\n"
         "DESCRIPTION: Use this template to define an attribute of a system entity.\r\n"
         "\r\n"
         "KEYWORDS: state, possible values, data type, default value\r\n"
         "\r\n"
         "EXAMPLE: A runway weather station shall include a state attribute named wind sensor with "
         "the "
         "possible value(s): caution, hazardous, nominal, warning and a default of nominal.\r\n"
         "\r\n"
         "DETAILS: An attribute is created for the type / entity specified. Possible values and "
         "data "
         "type definition are also supported."),
     65},
    {20, QT_TRANSLATE_NOOP("varn::templates", "20  Composition Definition"),
     QT_TRANSLATE_NOOP(
         "varn::templates",
         "TEMPLATE: Composition Definition (T20)\r\n"
         "\r\n"
         "DESCRIPTION: Use this template to define a whole-part relationship between two system "
         "entities.\r\n"
         "\r\n"
         "KEYWORDS: part, how many, what cardinality\r\n"
         "\r\n"
         "EXAMPLE: An airline shall include 0..n passenger planes.\r\n"
         "\r\n"
         "DETAILS: A composition relationship is created for the <part>. Cardinality / "
         "multiplicity is "
         "also supported."),
     69},
    {21, QT_TRANSLATE_NOOP("varn::templates", "21  Entity/Type Definition"),
     QT_TRANSLATE_NOOP("varn::templates",
                       "TEMPLATE: Entity Definition (T21)\r\n"
                       "\r\n"
                       "DESCRIPTION: Use this template to define a system entity.\r\n"
                       "\r\n"
                       "KEYWORDS: type, entity\r\n"
                       "\r\n"
                       "EXAMPLE: The ESD system shall include cargo reservations.\r\n"
                       "\r\n"
                       "DETAILS: An entity, or type of entity, is created."),
     61},
    {22, QT_TRANSLATE_NOOP("varn::templates", "22  Message Definition"),
     QT_TRANSLATE_NOOP(
         "varn::templates",
         "TEMPLATE: Message Definition (T22)\r\n"
         "\r\n"
         "DESCRIPTION: Use this template to define an external message.\r\n"
         "\r\n"
         "KEYWORDS: field, position, data type, possible values, to, from\r\n"
         "\r\n"
         "EXAMPLE: A gate arrival message shall include a gate identifier field with the possible "
         "value(s): 5A, 5B, NE CARGO, SW CARGO.\r\n"
         "\r\n"
         "DETAILS: A field (attribute) is created for the message (entity). Possible values, data "
         "type, position and range are also supported."),
     74},
};

} // namespace

std::span<const FunctionalTemplate> TemplateCatalogue::functionalTemplates()
{
    return kFunctional;
}

std::span<const NavigatorEntry> TemplateCatalogue::structuralTemplates()
{
    return kStructural;
}

} // namespace varn::templates
