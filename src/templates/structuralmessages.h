#pragma once

#include "templates/templatestr.h"

// Messages of the structural templates' Preview and Save.
namespace varn::templates::messages {

inline constexpr char kNoFirstSelection[] = QT_TRANSLATE_NOOP(
    "varn::templates", "Validation error. A selection must be made from the first drop-down list.");
inline constexpr char kNoArticleSelection[] = QT_TRANSLATE_NOOP(
    "varn::templates", "Validation error. A selection must be made from the a/an drop-down list.");
inline constexpr char kNoEntity[] =
    QT_TRANSLATE_NOOP("varn::templates", "Validation error. An entity must be defined.");
inline constexpr char kNoAttribute[] =
    QT_TRANSLATE_NOOP("varn::templates", "Validation error. An attribute must be defined.");
inline constexpr char kNoStateOrValue[] =
    QT_TRANSLATE_NOOP("varn::templates", "A state or value radio button has not been selected.");
inline constexpr char kNoDataType[] =
    QT_TRANSLATE_NOOP("varn::templates", "A data type radio button has not been selected.");
inline constexpr char kNoPossibleValue[] = QT_TRANSLATE_NOOP(
    "varn::templates",
    "A Possible Value has not been defined. Must enter a value in the Add field.");
inline constexpr char kTooManyValues[] = QT_TRANSLATE_NOOP(
    "varn::templates",
    "Too many possible values. This requirement can list at most %1 possible values.");
inline constexpr char kNotAnItem[] = QT_TRANSLATE_NOOP(
    "varn::templates", "Invalid entry in highlighted field. Must select from the list provided.");
inline constexpr char kFieldTooLong[] = QT_TRANSLATE_NOOP(
    "varn::templates", "Field value is too long. A field holds at most 50 characters.");

// Composition Definition.
inline constexpr char kNoPart[] = QT_TRANSLATE_NOOP(
    "varn::templates",
    "Validation error. A second entity must be defined for composition.\rUse Template #21 - "
    "Structural with Entity/Type Definition to define a simple entity.");
inline constexpr char kPartTooLong[] = QT_TRANSLATE_NOOP(
    "varn::templates",
    "The combined length of Type and Entity cannot be greater than 50 characters.\nIn this "
    "template, the included Type_Entity forms a single Part, which is\nsubject to the "
    "50-character limitation.");
inline constexpr char kCountAndCardinality[] = QT_TRANSLATE_NOOP(
    "varn::templates", "Invalid composition. Must specify 'how many' or 'cardinality'.\nNot both.");
inline constexpr char kNoCountOrCardinality[] = QT_TRANSLATE_NOOP(
    "varn::templates", "Must specify how many OR cardinality for a composition requirement.");
inline constexpr char kCountTooLong[] = QT_TRANSLATE_NOOP(
    "varn::templates", "Validation error. The 'how many?' field holds at most 20 characters.");

// Message Definition.
inline constexpr char kValuesAndRange[] = QT_TRANSLATE_NOOP(
    "varn::templates",
    "Validation error. Cannot specify both Possible Values and a Range. Must specify either a "
    "set of Possible Values, a Range, or neither.");
inline constexpr char kToWithoutFrom[] = QT_TRANSLATE_NOOP(
    "varn::templates", "Validation error. A From value must be defined if a To value is defined.");
inline constexpr char kFromWithoutTo[] = QT_TRANSLATE_NOOP(
    "varn::templates", "Validation error. A To value must be defined if a From value is defined.");
inline constexpr char kNoMessage[] =
    QT_TRANSLATE_NOOP("varn::templates", "Validation error. A message must be defined.");
inline constexpr char kNoField[] =
    QT_TRANSLATE_NOOP("varn::templates", "Validation error. A field must be defined.");

} // namespace varn::templates::messages
