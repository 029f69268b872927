#pragma once

#include "app/widgets/menulayout.h"
#include "app/widgets/windowkind.h"

#include <QList>

#include <map>
#include <optional>

class QAction;
class QMenu;
class QWidget;

namespace varn::app {

class FeatureRegistry;
class MainActions;

// The menus of the main window for each registered kind of window, made
// once from the items and their places: the home window shows every menu,
// the other windows File, View (with the Go to items of the other kinds),
// Window and Help, and the main window without a window File, View and
// Help. A menu of its set shows even while no item stands in it.
class MainMenus
{
public:
    MainMenus(const MainActions &actions, const FeatureRegistry &features, QWidget *owner);

    // std::nullopt: no workspace, or no child window active.
    QList<QMenu *> forKind(std::optional<WindowKind> kind) const;
    // The Window menus; each ends with the open windows.
    const QList<QMenu *> &windowMenus() const { return m_windowMenus; }
    // Every menu made, for the states of their items before they show.
    QList<QMenu *> all() const;

private:
    QList<QMenu *> build(MenuSet set, std::optional<WindowKind> kind);
    QMenu *build(MenuId menu, MenuSet set, std::optional<WindowKind> kind);

    const MainActions &m_actions;
    QWidget *m_owner;
    std::map<std::optional<WindowKind>, QList<QMenu *>> m_menus;
    QList<QMenu *> m_windowMenus;
};

} // namespace varn::app
