#pragma once

#include "app/widgets/windowkind.h"

#include <QList>

#include <array>
#include <optional>

class QAction;
class QMenu;
class QWidget;

namespace varn::app {

class MainActions;

// The menus of the main window for each kind of active window: the full
// menus of Requirements Central, File, View, Window and Help of the other
// kinds (each View menu leaving out its own kind), and File, View and Help
// without a workspace.
class MainMenus
{
public:
    MainMenus(const MainActions &actions, QWidget *owner);

    // std::nullopt: no workspace, or no child window active.
    QList<QMenu *> forKind(std::optional<WindowKind> kind) const;
    // The one Window menu every kind shows; it ends with the open windows.
    QMenu *windowMenu() const { return m_window; }

private:
    QMenu *menu(const QString &title, const QList<QAction *> &actions);
    QMenu *otherViewMenu(WindowKind kind);

    const MainActions &m_actions;
    QWidget *m_owner;
    QMenu *m_window = nullptr;
    QList<QMenu *> m_start;
    QList<QMenu *> m_central;
    std::array<QList<QMenu *>, kWindowKindCount> m_others;
};

} // namespace varn::app
