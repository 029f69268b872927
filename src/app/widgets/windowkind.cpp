#include "app/widgets/windowkind.h"

namespace varn::app {

namespace {

constexpr WindowKindInfo kKinds[] = {
    {WindowKind::RequirementsCentral,
     "Requirements Central - System Name: ",
     {0, 0},
     {644, 438},
     {644, 400},
     "&Requirements Central...",
     true},
    {WindowKind::FunctionalNavigator,
     "Functional Navigator - System Name: ",
     {28, 30},
     {644, 438},
     {644, 438},
     "&Functional Navigator...",
     true},
    {WindowKind::StructuralNavigator,
     "Structural Navigator - System Name: ",
     {56, 60},
     {644, 400},
     {644, 438},
     "&Structural Navigator...",
     true},
    {WindowKind::ObjectModel,
     "Inspect Object Model - System Name: ",
     {56, 60},
     {644, 400},
     {120, 60},
     "&Object Model...",
     true},
    {WindowKind::DataModel,
     "Inspect Data Model - System Name: ",
     {56, 60},
     {644, 400},
     {120, 60},
     "&Data Model...",
     true},
    {WindowKind::GeneratedFile, nullptr, {0, 0}, {}, {120, 60}, nullptr, false},
};
static_assert(std::size(kKinds) == kWindowKindCount);

} // namespace

std::span<const WindowKindInfo> WindowKinds::all()
{
    return kKinds;
}

const WindowKindInfo &WindowKinds::info(WindowKind kind)
{
    return kKinds[int(kind)];
}

} // namespace varn::app
