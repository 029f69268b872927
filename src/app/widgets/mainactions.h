#pragma once

#include "app/widgets/actionspec.h"
#include "app/widgets/commandid.h"
#include "app/widgets/menulayout.h"
#include "app/widgets/windowkind.h"

#include <QList>
#include <QObject>

#include <map>
#include <optional>

class QAction;

namespace varn::app {

class FeatureRegistry;

// The items of the menus and tool bars, made once: the shell's own (the
// workspace's File commands, the bars, Window and Help), the Go to item of
// each registered window, and the items the features registered.
class MainActions : public QObject
{
    Q_OBJECT

public:
    // An item with the places it stands in.
    struct Placed
    {
        QAction *action;
        QList<MenuPlace> places;
        QList<ToolBarPlace> toolBarPlaces;
        // A Go to item is left out of its own window's menus.
        std::optional<WindowKind> leftOutOf;
    };

    // A registered item with what it was registered with.
    struct Registered
    {
        QAction *action;
        ActionSpec spec;
    };

    MainActions(const FeatureRegistry &features, QObject *parent);

    // File
    QAction *newWorkspace;
    QAction *newTeamWorkspace;
    QAction *open;
    QAction *close;
    QAction *save;
    QAction *saveAs;
    QList<QAction *> recentFiles;
    QAction *exit;
    // View
    QAction *toolbar;
    QAction *statusBar;
    // Window and Help
    QAction *cascade;
    QAction *tile;
    QAction *about;
    QAction *helpTopics;

    // The item a feature registered under that id; nullptr when none did.
    QAction *item(CommandId id) const;
    // The View menu's Go to item of a kind; nullptr when it has none.
    QAction *goToItem(WindowKind kind) const;
    // The items of a group of the home window's menus, in their order.
    QList<QAction *> itemsIn(MenuGroup group) const;

    const QList<Placed> &placed() const { return m_placed; }
    const QList<Registered> &registered() const { return m_registered; }
    const std::map<WindowKind, QAction *> &goToItems() const { return m_goTo; }

private:
    QAction *make(const QString &text, const QString &tip = {});
    void makeShellItems();
    void makeGoToItems(const FeatureRegistry &features);
    void makeRegisteredItems(const FeatureRegistry &features);

    QList<Placed> m_placed;
    QList<Registered> m_registered;
    std::map<WindowKind, QAction *> m_goTo;
};

} // namespace varn::app
