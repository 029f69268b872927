#pragma once

#include "app/widgets/commandid.h"
#include "app/widgets/windowkind.h"

namespace varn::app {
class FeatureRegistry;
} // namespace varn::app

namespace varn::central {

// The Requirements Central window, the home window of a workspace.
inline constexpr app::WindowKind kCentralWindow{"RequirementsCentral"};

// The items Requirements Central adds to the menus and tool bars.
inline constexpr app::CommandId kPrint{"Central.Print"};
inline constexpr app::CommandId kRequirementAttributes{"Central.RequirementAttributes"};
inline constexpr app::CommandId kParentDependent{"Central.ParentDependent"};
inline constexpr app::CommandId kFirstRecord{"Central.FirstRecord"};
inline constexpr app::CommandId kPreviousRecord{"Central.PreviousRecord"};
inline constexpr app::CommandId kNextRecord{"Central.NextRecord"};
inline constexpr app::CommandId kLastRecord{"Central.LastRecord"};
inline constexpr app::CommandId kBackToCentral{"Central.BackToCentral"};
// The Display menu's column items and the View menu's colours, by their
// position in the menu.
constexpr app::CommandId displayColumnItem(int position)
{
    return app::CommandId{"Central.DisplayColumn", position};
}
constexpr app::CommandId backgroundColourItem(int choice)
{
    return app::CommandId{"Central.BackgroundColour", choice};
}

// The commands of the view's Edit, Delete, Re-use and Trace buttons on the
// selected requirement (the argument is its number): Delete is Requirements
// Central's own (registerDeletion), the others come from the features that
// compose and trace requirements. A button whose command nobody provides
// is disabled.
inline constexpr app::CommandId kEditRequirement{"Central.EditRequirement"};
inline constexpr app::CommandId kDeleteRequirement{"Central.DeleteRequirement"};
inline constexpr app::CommandId kReuseRequirement{"Central.ReuseRequirement"};
inline constexpr app::CommandId kTraceRequirement{"Central.TraceRequirement"};

// Registers the Requirements Central window and its items: File > Print,
// the Edit menu, the Record moves, the Display columns, the background
// colours and the navigation tool bar's way back.
void registerCentralView(app::FeatureRegistry &registry);

} // namespace varn::central
