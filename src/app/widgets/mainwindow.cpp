#include "app/widgets/mainwindow.h"

#include "app/cvarnapp.h"
#include "app/settings.h"
#include "app/widgets/aboutdialog.h"
#include "app/widgets/cchildframe.h"
#include "app/widgets/mainactions.h"
#include "app/widgets/mainmenus.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/opencreatedialog.h"
#include "app/widgets/systemnamedialog.h"
#include "app/widgets/usersettings.h"
#include "app/widgets/windownavigator.h"
#include "central/widgets/cvarnview.h"
#include "objmodel/widgets/regenerationdialog.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace varn::app {

namespace {

using central::CVarnView;
using central::RecordMove;

const QString kGeometryKey = QStringLiteral("MainWindow/geometry");
const QString kStateKey = QStringLiteral("MainWindow/state");

struct RowCommandOf
{
    CVarnView::RowCommand row;
    Command command;
};

constexpr RowCommandOf kRowCommands[] = {
    {CVarnView::RowCommand::Edit, Command::EditRequirement},
    {CVarnView::RowCommand::Delete, Command::DeleteRequirement},
    {CVarnView::RowCommand::Reuse, Command::ReuseRequirement},
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
      m_actions(new MainActions(this)), m_menus(std::make_unique<MainMenus>(*m_actions, this))
{
    setObjectName(QStringLiteral("MainWindow"));
    setAcceptDrops(true);
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_area);

    m_workbench.setDialogParent(this);
    m_workbench.setNavigator([this](WindowKind kind) { goTo(kind); });
    m_features.provideView(WindowKind::RequirementsCentral,
                           [this](Workbench &) { return createCentralView(); });

    m_navigator->setLastWindowCheck([this] { return closeCheck(); });
    connect(m_navigator, &WindowNavigator::lastWindowClosed, this, &MainWindow::finishClose);
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
    connectFileActions();
    connectViewActions();
    connectCentralActions();
    connectCommandActions();
    updateRecentFiles();
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
    m_panes[pane - 1]->setText(text);
}

QString MainWindow::statusPaneText(int pane) const
{
    return pane == 0 ? statusBar()->currentMessage() : m_panes[pane - 1]->text();
}

void MainWindow::connectFileActions()
{
    const MainActions &a = *m_actions;
    // The shortcuts work whichever menus are shown.
    addActions({a.newWorkspace, a.open, a.save, a.exit, a.about});
    connect(a.newWorkspace, &QAction::triggered, this, &MainWindow::newWorkspace);
    connect(a.open, &QAction::triggered, this, &MainWindow::openWorkspace);
    connect(a.save, &QAction::triggered, this, &MainWindow::save);
    connect(a.saveAs, &QAction::triggered, this, &MainWindow::saveAs);
    connect(a.close, &QAction::triggered, this, &MainWindow::closeWorkspace);
    connect(a.exit, &QAction::triggered, this, &QWidget::close);
    connect(a.print, &QAction::triggered, this,
            [this] { showMessage(Outcome::refused(central::RequirementsCentral::printNote())); });
    for (QAction *recent : a.recentFiles) {
        connect(recent, &QAction::triggered, this,
                [this, recent] { openWorkspaceFile(recent->data().toString()); });
    }
    connect(a.about, &QAction::triggered, this, &MainWindow::showAbout);
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
}

void MainWindow::connectCentralActions()
{
    const MainActions &a = *m_actions;
    const std::pair<QAction *, RecordMove> moves[] = {{a.firstRecord, RecordMove::First},
                                                      {a.previousRecord, RecordMove::Previous},
                                                      {a.nextRecord, RecordMove::Next},
                                                      {a.lastRecord, RecordMove::Last}};
    for (const auto &[action, move] : moves) {
        connect(action, &QAction::triggered, this, [this, move = move] {
            if (CVarnView *view = centralView())
                view->moveRecord(move);
        });
    }
    for (int flag = 0; flag < a.display.size(); ++flag) {
        connect(a.display.at(flag), &QAction::triggered, this, [this, flag] {
            if (CVarnView *view = centralView())
                view->toggleColumn(flag);
            syncCentralChecks();
        });
    }
    for (int choice = 0; choice < a.colours.size(); ++choice) {
        connect(a.colours.at(choice), &QAction::triggered, this, [this, choice] {
            if (CVarnView *view = centralView())
                view->chooseColour(choice);
            syncCentralChecks();
        });
    }
}

void MainWindow::connectCommand(QAction *action, Command command)
{
    connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
}

void MainWindow::connectCommandActions()
{
    const MainActions &a = *m_actions;
    connectCommand(a.composeTechnical, Command::ComposeTechnical);
    connectCommand(a.builder, Command::RequirementBuilder);
    connectCommand(a.requirementAttributes, Command::RequirementAttributes);
    connectCommand(a.parentDependent, Command::ParentDependent);
    connectCommand(a.objectModelEntities, Command::ObjectModelEntities);
    connectCommand(a.objectModelAttributes, Command::ObjectModelAttributes);
    connectCommand(a.objectModelMethods, Command::ObjectModelMethods);
    connectCommand(a.generateObjectModel, Command::GenerateObjectModel);
    connectCommand(a.generateDataModelSql, Command::GenerateDataModelSql);
    connectCommand(a.regenerate, Command::RegenerateObjectModel);
    for (int number = 1; number <= a.templates.size(); ++number) {
        connect(a.templates.at(number - 1), &QAction::triggered, this,
                [this, number] { m_features.runTemplate(number, m_workbench); });
    }
}

void MainWindow::runCommand(Command command, int argument)
{
    // Requirements Central takes no input while a generation dialog is open.
    const bool generating =
        command == Command::GenerateObjectModel || command == Command::GenerateDataModelSql;
    CVarnView *view = centralView();
    if (generating && view)
        view->setEnabled(false);
    m_features.run(command, m_workbench, argument);
    if (generating && (view = centralView()))
        view->setEnabled(true);
}

void MainWindow::showMessage(const Outcome &outcome)
{
    m_presenter.showMessage(this, outcome);
}

// ---- start-up and the File commands ----

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

void MainWindow::showStartDialog()
{
    OpenCreateDialog dialog(this);
    if (m_presenter.runDialog(dialog) != QDialog::Accepted)
        return;
    if (dialog.choice() == OpenCreateDialog::Choice::Open)
        openWorkspace();
    else
        newWorkspace();
}

void MainWindow::newWorkspace()
{
    if (m_app.isWorkspaceOpen()) {
        // With a workspace open the engine refuses before anything else.
        showMessage(m_app.newWorkspace(QString()));
        return;
    }
    SystemNameDialog dialog(m_presenter, this);
    if (m_presenter.runDialog(dialog) != QDialog::Accepted)
        return;
    if (Outcome created = m_app.newWorkspace(dialog.systemName()); !created) {
        showMessage(created);
        return;
    }
    workspaceOpened();
}

void MainWindow::openWorkspace()
{
    if (Outcome can = m_app.checkCanOpen(); !can) {
        showMessage(can);
        return;
    }
    const Settings settings;
    showMessage(settings.openProblem());
    const Settings::Value installPath = settings.installPathForOpen();
    showMessage(installPath.problem);
    const QString folder = installPath.text + QStringLiteral("Varn SE Files/");
    const QString path = m_presenter.chooseFileToOpen(this, folder, workspaceFilter());
    if (!path.isEmpty())
        openWorkspaceFile(path);
}

bool MainWindow::openWorkspaceFile(const QString &path)
{
    if (Outcome opened = m_app.openWorkspace(path); !opened) {
        showMessage(opened);
        if (!m_app.isWorkspaceOpen() && !QFileInfo::exists(path)) {
            m_recentFiles.remove(path);
            updateRecentFiles();
        }
        return false;
    }
    m_recentFiles.add(path);
    updateRecentFiles();
    workspaceOpened();
    return true;
}

void MainWindow::workspaceOpened()
{
    m_workbench.resetForWorkspace();
    m_navigator->clearPlaced();
    updateTitle();
    goTo(WindowKind::RequirementsCentral);
}

bool MainWindow::save()
{
    if (!m_app.isWorkspaceOpen() || !m_app.isModified())
        return true;
    return saveAs();
}

bool MainWindow::saveAs()
{
    if (!m_app.isWorkspaceOpen())
        return false;
    const QString path =
        m_presenter.chooseFileToSave(this, m_app.proposedSavePath(), workspaceFilter());
    if (path.isEmpty())
        return false;
    if (Outcome saved = m_app.saveWorkspace(path); !saved) {
        showMessage(saved);
        return false;
    }
    m_recentFiles.add(path);
    updateRecentFiles();
    return true;
}

QString MainWindow::reminderText()
{
    return objmodel::RegenerationDialog::staleText();
}

bool MainWindow::closeCheck()
{
    if (!m_app.isWorkspaceOpen())
        return true;
    if (m_app.requirementsChanged() && !m_features.run(Command::RegenerationReminder, m_workbench))
        showMessage(Outcome::refused(reminderText(), MessageKind::Information));
    // A workspace never saved is offered the file-save dialog, without a
    // question first; cancelling it cancels the close.
    return !m_app.isModified() || saveAs();
}

bool MainWindow::closeWorkspace()
{
    if (!m_app.isWorkspaceOpen())
        return true;
    if (!closeCheck())
        return false;
    finishClose();
    return true;
}

void MainWindow::finishClose()
{
    m_navigator->closeAll();
    m_app.closeWorkspace();
    m_navigator->clearPlaced();
    m_workbench.resetForWorkspace();
    for (int pane = 1; pane <= int(m_panes.size()); ++pane)
        setStatusPane(pane, QString());
    updateTitle();
    updateMenus();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!closeWorkspace()) {
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
    openWorkspaceFile(urls.first().toLocalFile());
}

void MainWindow::showAbout()
{
    AboutDialog about(this);
    m_presenter.runDialog(about);
}

// ---- navigation ----

void MainWindow::goTo(WindowKind kind)
{
    if (!m_app.isWorkspaceOpen())
        return;
    const bool wasOpen = m_navigator->frame(kind) != nullptr;
    CChildFrame *frame = m_navigator->raiseOrOpen(kind);
    if (frame && !wasOpen && kind == WindowKind::RequirementsCentral) {
        CVarnView *view = centralView();
        view->openOnWorkspace();
        m_workbench.setBackgroundColour(view->paintedColour());
    }
    updateMenus();
}

void MainWindow::goToObjectModel(std::optional<Workbench::Language> language)
{
    if (language)
        m_workbench.setObjectModelLanguage(*language);
    goTo(WindowKind::ObjectModel);
}

central::CVarnView *MainWindow::centralView() const
{
    CChildFrame *frame = m_navigator->frame(WindowKind::RequirementsCentral);
    return frame ? qobject_cast<CVarnView *>(frame->widget()) : nullptr;
}

QWidget *MainWindow::createCentralView()
{
    auto *view = new CVarnView(m_app.requirementsConnectionName());
    connect(view, &CVarnView::message, this, &MainWindow::showMessage);
    connect(view, &CVarnView::settingsChanged, this, &MainWindow::syncCentralChecks);
    connect(view, &CVarnView::backgroundColourChanged, &m_workbench,
            &Workbench::setBackgroundColour);
    connect(view, &CVarnView::listChanged, this, [this](int count) {
        setStatusPane(2, count == 1 ? QStringLiteral("1 requirement")
                                    : QStringLiteral("%1 requirements").arg(count));
        setStatusPane(3, QString());
    });
    connect(view, &CVarnView::selectedRowChanged, this, [this, view](int row) {
        const qint32 selected = view->central().model().numberAt(row);
        setStatusPane(3, selected ? QStringLiteral("No. %1").arg(selected) : QString());
    });
    connect(view, &CVarnView::rowCommandRequested, this,
            [this](CVarnView::RowCommand row, int number) {
                for (const RowCommandOf &entry : kRowCommands) {
                    if (entry.row == row)
                        runCommand(entry.command, number);
                }
            });
    connect(&m_workbench, &Workbench::requirementsStored, view, &CVarnView::runAgain);
    for (const RowCommandOf &entry : kRowCommands)
        view->setRowCommandAvailable(entry.row, m_features.hasCommand(entry.command));
    return view;
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
}

void MainWindow::updateEnabled()
{
    const MainActions &a = *m_actions;
    const bool open = m_app.isWorkspaceOpen();
    const bool listing = centralView() != nullptr;
    for (QAction *action : {a.save, a.saveAs, a.close, a.print, a.backToCentral})
        action->setEnabled(open);
    for (QAction *action : {a.firstRecord, a.previousRecord, a.nextRecord, a.lastRecord})
        action->setEnabled(listing);
    for (QAction *action : a.display + a.colours)
        action->setEnabled(listing);
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

    const std::pair<QAction *, Command> commands[] = {
        {a.composeTechnical, Command::ComposeTechnical},
        {a.builder, Command::RequirementBuilder},
        {a.requirementAttributes, Command::RequirementAttributes},
        {a.parentDependent, Command::ParentDependent},
        {a.objectModelEntities, Command::ObjectModelEntities},
        {a.objectModelAttributes, Command::ObjectModelAttributes},
        {a.objectModelMethods, Command::ObjectModelMethods},
        {a.generateObjectModel, Command::GenerateObjectModel},
        {a.generateDataModelSql, Command::GenerateDataModelSql},
        {a.regenerate, Command::RegenerateObjectModel},
    };
    for (const auto &[action, command] : commands)
        action->setEnabled(open && m_features.hasCommand(command));
    for (int number = 1; number <= a.templates.size(); ++number)
        a.templates.at(number - 1)->setEnabled(open && m_features.hasTemplate(number));
}

void MainWindow::syncCentralChecks()
{
    const CVarnView *view = centralView();
    if (!view)
        return;
    const central::RequirementsCentral &engine = view->central();
    const MainActions &a = *m_actions;
    for (int flag = 0; flag < a.display.size(); ++flag)
        a.display.at(flag)->setChecked(engine.columnFlags()[flag]);
    // A stored colour that is none of the three leaves every item unchecked.
    for (int choice = 0; choice < a.colours.size(); ++choice)
        a.colours.at(choice)->setChecked(choice == engine.backgroundColour());
}

void MainWindow::updateRecentFiles()
{
    const QStringList &files = m_recentFiles.files();
    for (int position = 0; position < m_actions->recentFiles.size(); ++position) {
        QAction *action = m_actions->recentFiles.at(position);
        const bool used = position < files.size();
        action->setVisible(used);
        if (!used)
            continue;
        action->setText(QStringLiteral("&%1 %2")
                            .arg(position + 1)
                            .arg(QFileInfo(files.at(position)).fileName()));
        action->setData(files.at(position));
        action->setStatusTip(files.at(position));
    }
}

} // namespace varn::app
