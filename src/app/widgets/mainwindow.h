#pragma once

#include "app/widgets/featureregistry.h"
#include "app/widgets/recentfiles.h"
#include "app/widgets/windowkind.h"
#include "app/widgets/workbench.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <optional>

class QLabel;
class QMdiArea;
class QToolBar;

namespace varn::central {
class CVarnView;
}

namespace varn::app {

class CVarnApp;
class MainActions;
class MainMenus;
class MessagePresenter;
class WindowNavigator;

// The main window: one area of child windows over the open workspace, the
// File commands of the workspace, the menus and tool bars of the active kind
// of window, and a status bar of four panes.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow(CVarnApp &app, MessagePresenter &presenter, FeatureRegistry &features,
               QWidget *parent = nullptr);
    ~MainWindow() override;

    // Shows the window where it was last time, or maximised.
    void showAtStart();
    // The Open/Create dialog of a start without a workspace file.
    void showStartDialog();

    // The File commands. Those that report return false when they did not
    // happen (refused or cancelled).
    void newWorkspace();
    void openWorkspace();
    bool openWorkspaceFile(const QString &path);
    bool save();
    bool saveAs();
    bool closeWorkspace();

    // Raises the window of that kind, or opens it.
    void goTo(WindowKind kind);
    void goToObjectModel(std::optional<Workbench::Language> language);

    Workbench &workbench() { return m_workbench; }
    WindowNavigator &navigator() const { return *m_navigator; }
    MainActions &actions() const { return *m_actions; }
    QMdiArea *mdiArea() const { return m_area; }
    central::CVarnView *centralView() const;
    QToolBar *centralToolBar() const { return m_centralBar; }
    QToolBar *otherToolBar() const { return m_otherBar; }
    // Pane 0 is the message pane; 1 the system, 2 the listed requirements,
    // 3 the selected requirement.
    QString statusPaneText(int pane) const;

    static QString workspaceFilter() { return QStringLiteral("Varn SE Files (*.vnp)"); }
    static QString reminderText();

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildToolBars();
    void buildStatusBar();
    void connectFileActions();
    void connectViewActions();
    void connectCentralActions();
    void connectCommandActions();
    void connectCommand(QAction *action, Command command);
    void runCommand(Command command, int argument = 0);
    void updateMenus();
    void updateEnabled();
    void updateRecentFiles();
    void syncCentralChecks();
    void updateTitle();
    bool closeCheck();
    void finishClose();
    void workspaceOpened();
    void showAbout();
    void showMessage(const Outcome &outcome);
    QWidget *createCentralView();
    void setStatusPane(int pane, const QString &text);

    CVarnApp &m_app;
    MessagePresenter &m_presenter;
    FeatureRegistry &m_features;
    Workbench m_workbench;
    RecentFiles m_recentFiles;
    QMdiArea *m_area;
    WindowNavigator *m_navigator;
    MainActions *m_actions;
    std::unique_ptr<MainMenus> m_menus;
    QToolBar *m_centralBar = nullptr;
    QToolBar *m_otherBar = nullptr;
    std::array<QLabel *, 3> m_panes{};
    bool m_toolbarShown = true;
    QList<QMenu *> m_shownMenus;
};

} // namespace varn::app
