#pragma once

// Messages of the structural templates' Preview and Save.
namespace varn::templates::messages {

inline constexpr char kNoFirstSelection[] =
    "Validation error. A selection must be made from the first drop-down list.";
inline constexpr char kNoArticleSelection[] =
    "Validation error. A selection must be made from the a/an drop-down list.";
inline constexpr char kNoEntity[] = "Validation error. An entity must be defined.";
inline constexpr char kNoAttribute[] = "Validation error. An attribute must be defined.";
inline constexpr char kNoStateOrValue[] = "A state or value radio button has not been selected.";
inline constexpr char kNoDataType[] = "A data type radio button has not been selected.";
inline constexpr char kNoPossibleValue[] =
    "A Possible Value has not been defined. Must enter a value in the Add field.";
inline constexpr char kTooManyValues[] =
    "Too many possible values. This requirement can list at most %1 possible values.";
inline constexpr char kNotAnItem[] =
    "Invalid entry in highlighted field. Must select from the list provided.";
inline constexpr char kFieldTooLong[] =
    "Field value is too long. A field holds at most 50 characters.";

// Composition Definition.
inline constexpr char kNoPart[] =
    "Validation error. A second entity must be defined for composition.\rUse Template #21 - "
    "Structural with Entity/Type Definition to define a simple entity.";
inline constexpr char kPartTooLong[] =
    "The combined length of Type and Entity cannot be greater than 50 characters.\nIn this "
    "template, the included Type_Entity forms a single Part, which is\nsubject to the "
    "50-character limitation.";
inline constexpr char kCountAndCardinality[] =
    "Invalid composition. Must specify 'how many' or 'cardinality'.\nNot both.";
inline constexpr char kNoCountOrCardinality[] =
    "Must specify how many OR cardinality for a composition requirement.";
inline constexpr char kCountTooLong[] =
    "Validation error. The 'how many?' field holds at most 20 characters.";

// Message Definition.
inline constexpr char kValuesAndRange[] =
    "Validation error. Cannot specify both Possible Values and a Range. Must specify either a "
    "set of Possible Values, a Range, or neither.";
inline constexpr char kToWithoutFrom[] =
    "Validation error. A From value must be defined if a To value is defined.";
inline constexpr char kFromWithoutTo[] =
    "Validation error. A To value must be defined if a From value is defined.";
inline constexpr char kNoMessage[] = "Validation error. A message must be defined.";
inline constexpr char kNoField[] = "Validation error. A field must be defined.";

} // namespace varn::templates::messages
