#include "app/widgets/mainwindow.h"

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

// The menu items that run a feature's command, and whether they act on the
// list of Requirements Central (enabled while it is open).
struct CommandItem
{
    QAction *MainActions::*action;
    Command command;
    bool onList;
};

constexpr CommandItem kCommandItems[] = {
    {&MainActions::print, Command::Print, false},
    {&MainActions::exportRequirements, Command::ExportRequirements, false},
    {&MainActions::importRequirements, Command::ImportRequirements, false},
    {&MainActions::firstRecord, Command::FirstRecord, true},
    {&MainActions::previousRecord, Command::PreviousRecord, true},
    {&MainActions::nextRecord, Command::NextRecord, true},
    {&MainActions::lastRecord, Command::LastRecord, true},
    {&MainActions::composeTechnical, Command::ComposeTechnical, false},
    {&MainActions::builder, Command::RequirementBuilder, false},
    {&MainActions::requirementAttributes, Command::RequirementAttributes, true},
    {&MainActions::parentDependent, Command::ParentDependent, true},
    {&MainActions::objectModelEntities, Command::ObjectModelEntities, false},
    {&MainActions::objectModelAttributes, Command::ObjectModelAttributes, false},
    {&MainActions::objectModelMethods, Command::ObjectModelMethods, false},
    {&MainActions::generateObjectModel, Command::GenerateObjectModel, false},
    {&MainActions::generateDataModelSql, Command::GenerateDataModelSql, false},
    {&MainActions::regenerate, Command::RegenerateObjectModel, false},
};

// The checkable items of a list, each running its command with its position.
struct CheckedList
{
    QList<QAction *> MainActions::*actions;
    Command command;
};

constexpr CheckedList kCheckedLists[] = {
    {&MainActions::display, Command::DisplayColumn},
    {&MainActions::colours, Command::BackgroundColour},
};

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
      m_menus(std::make_unique<MainMenus>(*m_actions, this))
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
    connect(&m_workbench, &Workbench::statusPaneChanged, this, &MainWindow::setStatusPane);
    connect(&m_workbench, &Workbench::checksChanged, this, &MainWindow::syncChecks);

    m_navigator->setLastWindowCheck([this] { return m_workspace->closeCheck(); });
    connect(m_navigator, &WindowNavigator::lastWindowClosed, m_workspace,
            &WorkspaceController::finishClose);
    connect(m_navigator, &WindowNavigator::activeKindChanged, this, &MainWindow::updateMenus);
    connect(m_navigator, &WindowNavigator::windowClosed, this, [this](WindowKind kind) {
        // A newly opened Object Model window shows C++.
        if (kind == WindowKind::ObjectModel)
            m_workbench.setObjectModelLanguage(Workbench::Language::Cpp);
        updateMenus();
    });
    connect(&m_workbench, &Workbench::objectModelLanguageChanged, this, &MainWindow::updateEnabled);

    buildToolBars();
    buildStatusBar();
    connectWorkspace();
    connectWindowActions();
    connectViewActions();
    connectCommandActions();
    updateTitle();
    updateMenus();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildToolBars()
{
    const MainActions &a = *m_actions;
    QStyle *look = style();
    a.save->setIcon(look->standardIcon(QStyle::SP_DialogSaveButton));
    a.firstRecord->setIcon(look->standardIcon(QStyle::SP_MediaSkipBackward));
    a.previousRecord->setIcon(look->standardIcon(QStyle::SP_MediaSeekBackward));
    a.nextRecord->setIcon(look->standardIcon(QStyle::SP_MediaSeekForward));
    a.lastRecord->setIcon(look->standardIcon(QStyle::SP_MediaSkipForward));
    a.about->setIcon(look->standardIcon(QStyle::SP_MessageBoxQuestion));
    a.backToCentral->setIcon(look->standardIcon(QStyle::SP_ArrowBack));

    m_centralBar = addToolBar(QStringLiteral("Requirements Central"));
    m_centralBar->setObjectName(QStringLiteral("centralToolBar"));
    m_centralBar->addActions(
        {a.save, a.firstRecord, a.previousRecord, a.nextRecord, a.lastRecord, a.about});
    m_otherBar = addToolBar(QStringLiteral("Navigation"));
    m_otherBar->setObjectName(QStringLiteral("otherToolBar"));
    m_otherBar->addActions({a.backToCentral, a.about});
    for (QToolBar *bar : {m_centralBar, m_otherBar})
        bar->toggleViewAction()->setVisible(false);
}

void MainWindow::buildStatusBar()
{
    for (QLabel *&pane : m_panes) {
        pane = new QLabel(this);
        pane->setMinimumWidth(90);
        statusBar()->addPermanentWidget(pane);
    }
    statusBar()->showMessage(QStringLiteral("Ready"));
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
    addActions({a.newWorkspace, a.open, a.save, a.exit, a.about});
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
    for (const WindowKindInfo &info : WindowKinds::all()) {
        QAction *item = a.goTo[int(info.kind)];
        if (!item)
            continue;
        if (info.kind == WindowKind::ObjectModel)
            connect(item, &QAction::triggered, this,
                    [this] { goToObjectModel(Workbench::Language::Cpp); });
        else
            connect(item, &QAction::triggered, this, [this, kind = info.kind] { goTo(kind); });
    }
    connect(a.backToCentral, &QAction::triggered, this,
            [this] { goTo(WindowKind::RequirementsCentral); });
    connect(a.composeFunctional, &QAction::triggered, this,
            [this] { goTo(WindowKind::FunctionalNavigator); });
    connect(a.composeStructural, &QAction::triggered, this,
            [this] { goTo(WindowKind::StructuralNavigator); });
    connect(a.cppObjectModel, &QAction::triggered, this, [this] { goToObjectModel(std::nullopt); });
    connect(a.javaObjectModel, &QAction::triggered, this,
            [this] { goToObjectModel(Workbench::Language::Java); });
    connect(a.dataModel, &QAction::triggered, this, [this] { goTo(WindowKind::DataModel); });
    connect(a.cascade, &QAction::triggered, m_area, &QMdiArea::cascadeSubWindows);
    connect(a.tile, &QAction::triggered, m_area, &QMdiArea::tileSubWindows);
    connect(m_menus->windowMenu(), &QMenu::aboutToShow, this, &MainWindow::listOpenWindows);
}

void MainWindow::connectCommandActions()
{
    const MainActions &a = *m_actions;
    for (const CommandItem &item : kCommandItems) {
        connect(a.*item.action, &QAction::triggered, this,
                [this, command = item.command] { m_features.run(command, m_workbench); });
    }
    for (const CheckedList &list : kCheckedLists) {
        const QList<QAction *> &items = a.*list.actions;
        for (int position = 0; position < items.size(); ++position) {
            connect(items.at(position), &QAction::triggered, this,
                    [this, command = list.command, position] {
                        m_features.run(command, m_workbench, position);
                        syncChecks();
                    });
        }
    }
    for (int number = 1; number <= a.templates.size(); ++number) {
        connect(a.templates.at(number - 1), &QAction::triggered, this,
                [this, number] { m_features.runTemplate(number, m_workbench); });
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
    goTo(WindowKind::RequirementsCentral);
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

void MainWindow::goToObjectModel(std::optional<Workbench::Language> language)
{
    // An open Object Model window keeps the language it shows; the choice is
    // that of the next window opened.
    if (language && !m_navigator->frame(WindowKind::ObjectModel))
        m_workbench.setObjectModelLanguage(*language);
    goTo(WindowKind::ObjectModel);
}

QWidget *MainWindow::view(WindowKind kind) const
{
    CChildFrame *frame = m_navigator->frame(kind);
    return frame ? frame->widget() : nullptr;
}

// ---- menus, tool bars, title ----

void MainWindow::updateTitle()
{
    setWindowTitle(m_app.isWorkspaceOpen() ? QStringLiteral("Varn SE - ") + m_app.systemName()
                                           : QStringLiteral("Varn SE"));
    setStatusPane(1, m_app.isWorkspaceOpen() ? m_app.systemName() : QString());
}

void MainWindow::updateMenus()
{
    std::optional<WindowKind> active;
    WindowKind kind;
    if (m_app.isWorkspaceOpen() && m_navigator->activeKind(&kind))
        active = kind;
    const QList<QMenu *> menus = m_menus->forKind(active);
    if (menus != m_shownMenus) {
        menuBar()->clear();
        for (QMenu *menu : menus)
            menuBar()->addMenu(menu);
        m_shownMenus = menus;
    }
    // One of the two tool bars shows at a time.
    const bool centralBar = !active || *active == WindowKind::RequirementsCentral;
    m_centralBar->setVisible(m_toolbarShown && centralBar);
    m_otherBar->setVisible(m_toolbarShown && !centralBar);
    updateEnabled();
    syncChecks();
}

void MainWindow::updateEnabled()
{
    const MainActions &a = *m_actions;
    const bool open = m_app.isWorkspaceOpen();
    const bool listing = view(WindowKind::RequirementsCentral) != nullptr;
    for (QAction *action : {a.save, a.saveAs, a.close, a.backToCentral})
        action->setEnabled(open);
    for (const WindowKindInfo &info : WindowKinds::all()) {
        if (QAction *item = a.goTo[int(info.kind)])
            item->setEnabled(open && m_features.hasView(info.kind));
    }
    a.composeFunctional->setEnabled(open && m_features.hasView(WindowKind::FunctionalNavigator));
    a.composeStructural->setEnabled(open && m_features.hasView(WindowKind::StructuralNavigator));
    a.dataModel->setEnabled(open && m_features.hasView(WindowKind::DataModel));
    // With the Object Model window open, the item of the language it shows
    // is the one left enabled.
    const bool objectModel = open && m_features.hasView(WindowKind::ObjectModel);
    const bool shown = m_navigator->frame(WindowKind::ObjectModel) != nullptr;
    const bool java = m_workbench.objectModelLanguage() == Workbench::Language::Java;
    a.cppObjectModel->setEnabled(objectModel && !(shown && java));
    a.javaObjectModel->setEnabled(objectModel && !(shown && !java));
    explainObjectModelItems(objectModel && shown, java);

    for (const CommandItem &item : kCommandItems) {
        (a.*item.action)
            ->setEnabled(open && (!item.onList || listing) && m_features.hasCommand(item.command));
    }
    for (const CheckedList &list : kCheckedLists) {
        for (QAction *action : a.*list.actions)
            action->setEnabled(listing && m_features.hasCommand(list.command));
    }
    for (int number = 1; number <= a.templates.size(); ++number)
        a.templates.at(number - 1)->setEnabled(open && m_features.hasTemplate(number));
}

void MainWindow::explainObjectModelItems(bool shown, bool java)
{
    struct Item
    {
        QAction *action;
        const char *language;
    };
    const Item items[] = {{m_actions->cppObjectModel, "C++"}, {m_actions->javaObjectModel, "Java"}};
    for (const Item &item : items) {
        const QString tip = item.action->isEnabled() || !shown
                                ? QStringLiteral("Inspect %1 Object Model").arg(item.language)
                                : QStringLiteral("The Object Model window shows %1: close it "
                                                 "(Window menu) to inspect %2")
                                      .arg(QString::fromLatin1(java ? "Java" : "C++"),
                                           QString::fromLatin1(item.language));
        item.action->setStatusTip(tip);
        item.action->setToolTip(tip);
    }
}

void MainWindow::listOpenWindows()
{
    QMenu *menu = m_menus->windowMenu();
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
        item->setStatusTip(QStringLiteral("Bring this window to the front"));
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
    const MainActions &a = *m_actions;
    if (!view(WindowKind::RequirementsCentral))
        return;
    for (const CheckedList &list : kCheckedLists) {
        const QList<QAction *> &items = a.*list.actions;
        for (int position = 0; position < items.size(); ++position)
            items.at(position)->setChecked(
                m_features.isChecked(list.command, m_workbench, position));
    }
}

} // namespace varn::app
