#include "app/widgets/mainwindow.h"

#include "app/apptr.h"
#include "app/cvarnapp.h"
#include "app/widgets/aboutdialog.h"
#include "app/widgets/cchildframe.h"
#include "app/widgets/helpwindow.h"
#include "app/widgets/mainactions.h"
#include "app/widgets/mainmenus.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/programicon.h"
#include "app/widgets/usersettings.h"
#include "app/widgets/windownavigator.h"
#include "app/widgets/workspacecontroller.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace varn::app {

namespace {

const QString kGeometryKey = QStringLiteral("MainWindow/geometry");
const QString kStateKey = QStringLiteral("MainWindow/state");

bool isWorkspaceFile(const QUrl &url)
{
    return url.isLocalFile() &&
           url.toLocalFile().endsWith(QStringLiteral(".vnp"), Qt::CaseInsensitive);
}

} // namespace

MainWindow::MainWindow(CVarnApp &app, MessagePresenter &presenter, FeatureRegistry &features,
                       QWidget *parent)
    : QMainWindow(parent), m_app(app), m_presenter(presenter), m_features(features),
      m_workbench(app, presenter), m_area(new QMdiArea(this)),
      m_navigator(new WindowNavigator(*m_area, m_workbench, features, this)),
      m_actions(new MainActions(features, this)),
      m_workspace(new WorkspaceController(app, m_workbench, features, *m_actions, this)),
      m_menus(std::make_unique<MainMenus>(*m_actions, features, this))
{
    setObjectName(QStringLiteral("MainWindow"));
    // Dialogs and message boxes take the program's icon from here.
    QApplication::setWindowIcon(ProgramIcon::icon());
    setWindowIcon(ProgramIcon::icon());
    setAcceptDrops(true);
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_area);

    m_workbench.setDialogParent(this);
    m_workbench.setNavigator([this](WindowKind kind) { goTo(kind); });
    m_workbench.setViewFinder([this](WindowKind kind) { return view(kind); });
    if (const WindowSpec *home = features.homeWindow())
        m_workbench.setHomeKind(home->kind);
    connect(&m_workbench, &Workbench::statusPaneChanged, this, &MainWindow::setStatusPane);
    connect(&m_workbench, &Workbench::checksChanged, this, &MainWindow::syncChecks);

    m_navigator->setLastWindowCheck([this] { return m_workspace->closeCheck(); });
    connect(m_navigator, &WindowNavigator::lastWindowClosed, m_workspace,
            &WorkspaceController::finishClose);
    connect(m_navigator, &WindowNavigator::activeKindChanged, this, &MainWindow::updateMenus);
    connect(m_navigator, &WindowNavigator::windowClosed, this, &MainWindow::windowClosed);
    // The choices the windows share may enable or disable items.
    connect(&m_workbench, &Workbench::choicesChanged, this, &MainWindow::updateEnabled);

    buildToolBars();
    buildStatusBar();
    connectWorkspace();
    connectWindowActions();
    connectViewActions();
    connectRegisteredActions();
    updateTitle();
    updateMenus();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildToolBars()
{
    const MainActions &a = *m_actions;
    QStyle *look = style();
    a.save->setIcon(look->standardIcon(QStyle::SP_DialogSaveButton));
    a.about->setIcon(look->standardIcon(QStyle::SP_MessageBoxQuestion));

    // The object names are those the saved window state knows the bars by.
    const WindowSpec *home = m_features.homeWindow();
    m_mainBar = addToolBar(home ? home->name : QString());
    m_mainBar->setObjectName(QStringLiteral("centralToolBar"));
    m_navigationBar = addToolBar(Tr::tr("Navigation"));
    m_navigationBar->setObjectName(QStringLiteral("otherToolBar"));
    for (const ToolBarId bar : {ToolBarId::Main, ToolBarId::Navigation}) {
        QList<std::pair<int, QAction *>> items;
        for (const MainActions::Placed &placed : a.placed()) {
            for (const ToolBarPlace &place : placed.toolBarPlaces) {
                if (place.bar == bar)
                    items.append({place.order, placed.action});
            }
        }
        std::stable_sort(items.begin(), items.end(), [](const auto &one, const auto &other) {
            return one.first < other.first;
        });
        QToolBar *shown = bar == ToolBarId::Main ? m_mainBar : m_navigationBar;
        for (const auto &[order, action] : items)
            shown->addAction(action);
    }
    for (QToolBar *bar : {m_mainBar, m_navigationBar})
        bar->toggleViewAction()->setVisible(false);
}

void MainWindow::buildStatusBar()
{
    for (QLabel *&pane : m_panes) {
        pane = new QLabel(this);
        pane->setMinimumWidth(90);
        statusBar()->addPermanentWidget(pane);
    }
    statusBar()->showMessage(Tr::tr("Ready"));
}

void MainWindow::setStatusPane(int pane, const QString &text)
{
    if (pane >= 1 && pane <= int(m_panes.size()))
        m_panes[pane - 1]->setText(text);
}

QString MainWindow::statusPaneText(int pane) const
{
    return pane == 0 ? statusBar()->currentMessage() : m_panes[pane - 1]->text();
}

void MainWindow::connectWorkspace()
{
    connect(m_workspace, &WorkspaceController::workspaceOpened, this, &MainWindow::workspaceOpened);
    connect(m_workspace, &WorkspaceController::workspaceClosing, m_navigator,
            &WindowNavigator::closeAll);
    connect(m_workspace, &WorkspaceController::workspaceClosed, this, &MainWindow::workspaceClosed);
}

void MainWindow::connectWindowActions()
{
    const MainActions &a = *m_actions;
    // The shortcuts work whichever menus are shown.
    for (const MainActions::Placed &placed : a.placed()) {
        if (!placed.action->shortcut().isEmpty())
            addAction(placed.action);
    }
    connect(a.exit, &QAction::triggered, this, &QWidget::close);
    connect(a.about, &QAction::triggered, this, &MainWindow::showAbout);
    connect(a.helpTopics, &QAction::triggered, this, &MainWindow::showHelp);
}

void MainWindow::connectViewActions()
{
    const MainActions &a = *m_actions;
    a.statusBar->setChecked(true);
    connect(a.statusBar, &QAction::toggled, statusBar(), &QWidget::setVisible);
    a.toolbar->setChecked(true);
    connect(a.toolbar, &QAction::toggled, this, [this](bool shown) {
        m_toolbarShown = shown;
        updateMenus();
    });
    for (const auto &[kind, item] : a.goToItems())
        connect(item, &QAction::triggered, this, [this, kind = kind] { goTo(kind); });
    connect(a.cascade, &QAction::triggered, m_area, &QMdiArea::cascadeSubWindows);
    connect(a.tile, &QAction::triggered, m_area, &QMdiArea::tileSubWindows);
    for (QMenu *menu : m_menus->windowMenus())
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { listOpenWindows(menu); });
    // An item's state is that of the moment its menu opens.
    for (QMenu *menu : m_menus->all())
        connect(menu, &QMenu::aboutToShow, this, &MainWindow::updateEnabled);
}

void MainWindow::connectRegisteredActions()
{
    for (const MainActions::Registered &registered : m_actions->registered()) {
        connect(registered.action, &QAction::triggered, this, [this, run = registered.spec.run] {
            if (run)
                run(m_workbench);
            syncChecks();
        });
    }
}

// ---- start-up and the workspace ----

void MainWindow::showAtStart()
{
    std::unique_ptr<QSettings> settings = UserSettings::open();
    const QByteArray geometry = settings->value(kGeometryKey).toByteArray();
    if (!geometry.isEmpty() && restoreGeometry(geometry)) {
        restoreState(settings->value(kStateKey).toByteArray());
        show();
        return;
    }
    showMaximized();
}

void MainWindow::workspaceOpened()
{
    m_workbench.resetForWorkspace();
    m_navigator->clearPlaced();
    updateTitle();
    if (const WindowSpec *home = m_features.homeWindow())
        goTo(home->kind);
}

void MainWindow::workspaceClosed()
{
    m_navigator->clearPlaced();
    m_workbench.resetForWorkspace();
    for (int pane = 1; pane <= int(m_panes.size()); ++pane)
        setStatusPane(pane, QString());
    updateTitle();
    updateMenus();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!m_workspace->closeWorkspace()) {
        event->ignore();
        return;
    }
    std::unique_ptr<QSettings> settings = UserSettings::open();
    settings->setValue(kGeometryKey, saveGeometry());
    settings->setValue(kStateKey, saveState());
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && isWorkspaceFile(urls.first()))
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !isWorkspaceFile(urls.first()))
        return;
    event->acceptProposedAction();
    m_workspace->openWorkspaceFile(urls.first().toLocalFile());
}

void MainWindow::showHelp()
{
    if (!m_help)
        m_help = new HelpWindow(m_features.helpPages(), this);
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void MainWindow::showAbout()
{
    AboutDialog about(
        m_app.isWorkspaceOpen() ? m_app.requirementsSource().databasePath() : QString(), this);
    m_presenter.runDialog(about);
}

// ---- navigation ----

void MainWindow::goTo(WindowKind kind)
{
    if (!m_app.isWorkspaceOpen())
        return;
    m_navigator->raiseOrOpen(kind);
    updateMenus();
}

void MainWindow::windowClosed(WindowKind kind)
{
    if (const WindowSpec *window = m_features.window(kind); window && window->closed)
        window->closed(m_workbench);
    updateMenus();
}

QWidget *MainWindow::view(WindowKind kind) const
{
    CChildFrame *frame = m_navigator->frame(kind);
    return frame ? frame->widget() : nullptr;
}

// ---- menus, tool bars, title ----

void MainWindow::updateTitle()
{
    setWindowTitle(m_app.isWorkspaceOpen() ? Tr::tr("Varn SE - %1").arg(m_app.systemName())
                                           : Tr::tr("Varn SE"));
    setStatusPane(1, m_app.isWorkspaceOpen() ? m_app.systemName() : QString());
}

std::optional<WindowKind> MainWindow::activeKind() const
{
    WindowKind kind;
    if (m_app.isWorkspaceOpen() && m_navigator->activeKind(&kind))
        return kind;
    return std::nullopt;
}

void MainWindow::updateMenus()
{
    const std::optional<WindowKind> active = activeKind();
    const QList<QMenu *> menus = m_menus->forKind(active);
    if (menus != m_shownMenus) {
        menuBar()->clear();
        for (QMenu *menu : menus)
            menuBar()->addMenu(menu);
        m_shownMenus = menus;
    }
    // One of the two tool bars shows at a time: the main one without a
    // window and with the home window.
    const WindowSpec *window = active ? m_features.window(*active) : nullptr;
    const bool mainBar = !window || window->home;
    m_mainBar->setVisible(m_toolbarShown && mainBar);
    m_navigationBar->setVisible(m_toolbarShown && !mainBar);
    updateEnabled();
    syncChecks();
}

void MainWindow::updateEnabled()
{
    const MainActions &a = *m_actions;
    const bool open = m_app.isWorkspaceOpen();
    for (QAction *action : {a.save, a.saveAs, a.close})
        action->setEnabled(open);
    for (const auto &[kind, item] : a.goToItems())
        item->setEnabled(open && m_features.hasView(kind));
    for (const MainActions::Registered &registered : a.registered()) {
        const ActionSpec &spec = registered.spec;
        const Availability now = spec.availability ? spec.availability(m_workbench)
                                                   : Availability::withWorkspace(m_workbench);
        QAction *item = registered.action;
        item->setEnabled(now.enabled);
        const bool explained = !now.enabled && !now.reason.isEmpty();
        item->setStatusTip(explained ? now.reason : spec.statusTip);
        item->setToolTip(explained ? now.reason : spec.toolTip);
    }
}

void MainWindow::listOpenWindows(QMenu *menu)
{
    for (QAction *listed : menu->actions()) {
        if (listed->property("openWindow").toBool()) {
            menu->removeAction(listed);
            listed->deleteLater();
        }
    }
    const QList<QMdiSubWindow *> windows = m_area->subWindowList();
    for (int position = 0; position < windows.size(); ++position) {
        QMdiSubWindow *window = windows.at(position);
        auto *item =
            menu->addAction(QStringLiteral("&%1 %2").arg(position + 1).arg(window->windowTitle()));
        item->setProperty("openWindow", true);
        item->setCheckable(true);
        item->setChecked(window == m_area->activeSubWindow());
        item->setStatusTip(Tr::tr("Bring this window to the front"));
        connect(item, &QAction::triggered, this, [this, window = QPointer<QMdiSubWindow>(window)] {
            if (!window)
                return;
            if (window->isHidden() || window->isMinimized())
                window->showNormal();
            m_area->setActiveSubWindow(window);
        });
    }
}

void MainWindow::syncChecks()
{
    for (const MainActions::Registered &registered : m_actions->registered()) {
        if (registered.spec.checked)
            registered.action->setChecked(registered.spec.checked(m_workbench));
    }
}

} // namespace varn::app
