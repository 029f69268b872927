#pragma once

#include "app/widgets/featureregistry.h"
#include "app/widgets/helpwindow.h"
#include "app/widgets/windowkind.h"
#include "app/widgets/workbench.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>
#include <optional>

class QLabel;
class QMdiArea;
class QToolBar;

namespace varn::app {

class CVarnApp;

class MainActions;
class MainMenus;
class MessagePresenter;
class WindowNavigator;
class WorkspaceController;

// The main window: one area of child windows over the open workspace, the
// menus and tool bars of the active kind of window, and a status bar of four
// panes. The File commands of the workspace are the workspace controller's,
// the bars, Window and Help the window's own; every other window and item
// is one a feature registered.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow(CVarnApp &app, MessagePresenter &presenter, FeatureRegistry &features,
               QWidget *parent = nullptr);
    ~MainWindow() override;

    // Shows the window where it was last time, or maximised.
    void showAtStart();

    // Raises the window of that kind, or opens it.
    void goTo(WindowKind kind);

    Workbench &workbench() { return m_workbench; }
    WorkspaceController &workspace() const { return *m_workspace; }
    WindowNavigator &navigator() const { return *m_navigator; }
    MainActions &actions() const { return *m_actions; }
    QMdiArea *mdiArea() const { return m_area; }
    // The view of the open window of that kind, or nullptr.
    QWidget *view(WindowKind kind) const;
    // The manual's window, opened by Help Topics (nullptr before).
    HelpWindow *helpWindow() const { return m_help; }
    // Shown with the main window's menus and the home window's.
    QToolBar *mainToolBar() const { return m_mainBar; }
    // Shown with the other windows.
    QToolBar *navigationToolBar() const { return m_navigationBar; }
    // Pane 0 is the message pane; 1 the system, 2 the listed requirements,
    // 3 the selected requirement.
    QString statusPaneText(int pane) const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildToolBars();
    void buildStatusBar();
    void connectWorkspace();
    void connectWindowActions();
    void connectViewActions();
    void connectRegisteredActions();
    void updateMenus();
    void updateEnabled();
    void syncChecks();
    // The kind of the active window; std::nullopt without a workspace or
    // without an active window.
    std::optional<WindowKind> activeKind() const;
    void updateTitle();
    void workspaceOpened();
    void workspaceClosed();
    void showAbout();
    void showHelp();
    void setStatusPane(int pane, const QString &text);
    // The Window menu's list of the open windows, the active one checked.
    void listOpenWindows(QMenu *menu);
    void windowClosed(WindowKind kind);

    CVarnApp &m_app;
    MessagePresenter &m_presenter;
    FeatureRegistry &m_features;
    Workbench m_workbench;
    QMdiArea *m_area;
    WindowNavigator *m_navigator;
    MainActions *m_actions;
    WorkspaceController *m_workspace;
    std::unique_ptr<MainMenus> m_menus;
    QToolBar *m_mainBar = nullptr;
    QToolBar *m_navigationBar = nullptr;
    std::array<QLabel *, 3> m_panes{};
    bool m_toolbarShown = true;
    QList<QMenu *> m_shownMenus;
    QPointer<HelpWindow> m_help;
};

} // namespace varn::app
