#pragma once

#include "app/widgets/commandid.h"
#include "app/widgets/menulayout.h"
#include "app/widgets/windowkind.h"

#include <QIcon>
#include <QKeySequence>
#include <QList>
#include <QString>

#include <functional>

namespace varn::app {

class Workbench;

// Whether a command can run now; a disabled item that says why shows the
// reason as its tip.
struct Availability
{
    bool enabled = true;
    QString reason;

    // Enabled while a workspace is open: what an item without a predicate
    // of its own follows.
    static Availability withWorkspace(const Workbench &workbench);
    // Enabled while the window of that kind is open.
    static std::function<Availability(const Workbench &)> withWindow(WindowKind kind);
};

// A command a feature adds to the menus and tool bars of the main window.
struct ActionSpec
{
    CommandId id;
    // With its Alt letter ("&Print...").
    QString text;
    // Shown in the status bar; the tool tip, when empty, is the text.
    QString statusTip;
    QString toolTip;
    QKeySequence shortcut;
    QIcon icon;
    QList<MenuPlace> places;
    QList<ToolBarPlace> toolBarPlaces;
    // Empty: enabled while a workspace is open.
    std::function<Availability(const Workbench &)> availability;
    // Set for an item that shows a check mark: whether it is checked now.
    std::function<bool(const Workbench &)> checked;
    std::function<void(Workbench &)> run;
};

} // namespace varn::app
