#pragma once

namespace varn {

// What composed a requirement, as its Source column stores it: the
// Requirement Builder (0), a functional template (1 to 18), a structural
// template (19 to 22) or the technical composer (23).
namespace TemplateNumber {

inline constexpr int kBuilder = 0;
inline constexpr int kFirstFunctional = 1;
inline constexpr int kLastFunctional = 18;
inline constexpr int kFirstStructural = 19;
// Template 19 defines an entity's attributes, 21 its parts.
inline constexpr int kAttributeDefinition = 19;
inline constexpr int kPartDefinition = 21;
// The structural template that defines a message (its fields are the
// message's, not an entity's).
inline constexpr int kMessageDefinition = 22;
inline constexpr int kLastStructural = 22;
inline constexpr int kTechnical = 23;

constexpr bool isFunctional(int number)
{
    return number >= kFirstFunctional && number <= kLastFunctional;
}
constexpr bool isStructural(int number)
{
    return number >= kFirstStructural && number <= kLastStructural;
}

} // namespace TemplateNumber

} // namespace varn
