#pragma once

#include <QFlags>
#include <QList>
#include <QString>

namespace varn::app {

// The menus of the menu bar, in the order they stand in it.
enum class MenuId {
    File,
    Edit,
    View,
    Record,
    Display,
    Compose,
    Templates,
    Inspect,
    Generate,
    Utilities,
    Window,
    Help,
};

// The groups of the menus. Each group is in one menu, and in a menu its
// groups follow in this order, a separator between two that hold items.
enum class MenuGroup {
    FileWorkspace,
    FilePrint,
    FileExchange,
    FileRecent,
    FileExit,
    Edit,
    ViewBars,
    ViewColours,
    ViewGoTo,
    Record,
    Display,
    Compose,
    TemplatesBuilder,
    TemplatesFunctional,
    TemplatesStructural,
    InspectWindows,
    InspectBrowsers,
    Generate,
    Utilities,
    WindowArrange,
    Help,
};

// The sets of menus the menu bar shows: the main window's own (no
// workspace, or no window active), every menu (the home window), and those
// of the other windows.
enum class MenuSet {
    Main = 0x1,
    Full = 0x2,
    Child = 0x4,
};
Q_DECLARE_FLAGS(MenuSets, MenuSet)
Q_DECLARE_OPERATORS_FOR_FLAGS(MenuSets)

// The tool bars, one shown at a time: the main one with the main window's
// menus and the home window's, the navigation one with the other windows.
enum class ToolBarId {
    Main,
    Navigation,
};

// Where an item stands: its group (and so its menu), its order in the group
// (lower first, then the order of registration) and the sets of menus that
// show it.
struct MenuPlace
{
    MenuGroup group;
    int order = 0;
    MenuSets sets = MenuSet::Full;
};

struct ToolBarPlace
{
    ToolBarId bar;
    int order = 0;
};

class MenuLayout
{
public:
    static MenuId menuOf(MenuGroup group);
    // The title with its Alt letter ("&File").
    static QString title(MenuId menu);
    // The menus of a set, in their order.
    static QList<MenuId> menusOf(MenuSet set);
};

} // namespace varn::app
