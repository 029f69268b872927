#include "app/widgets/workspacecontroller.h"

#include "app/cvarnapp.h"
#include "app/settings.h"
#include "app/widgets/featureregistry.h"
#include "app/widgets/mainactions.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/opencreatedialog.h"
#include "app/widgets/systemnamedialog.h"
#include "app/widgets/teamworkspacedialog.h"
#include "app/widgets/workbench.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressBar>
#include <QProgressDialog>

namespace varn::app {

WorkspaceController::WorkspaceController(CVarnApp &app, Workbench &workbench,
                                         const FeatureRegistry &features,
                                         const MainActions &actions, QWidget *window)
    : QObject(window), m_app(app), m_workbench(workbench), m_presenter(workbench.presenter()),
      m_features(features), m_actions(actions), m_window(window)
{
    connectActions();
    updateRecentFiles();
}

void WorkspaceController::connectActions()
{
    const MainActions &a = m_actions;
    connect(a.newWorkspace, &QAction::triggered, this, &WorkspaceController::newWorkspace);
    connect(a.newTeamWorkspace, &QAction::triggered, this, &WorkspaceController::newTeamWorkspace);
    connect(a.open, &QAction::triggered, this, &WorkspaceController::openWorkspace);
    connect(a.save, &QAction::triggered, this, &WorkspaceController::save);
    connect(a.saveAs, &QAction::triggered, this, &WorkspaceController::saveAs);
    connect(a.close, &QAction::triggered, this, &WorkspaceController::closeWorkspace);
    for (QAction *recent : a.recentFiles) {
        connect(recent, &QAction::triggered, this,
                [this, recent] { openWorkspaceFile(recent->data().toString()); });
    }
}

void WorkspaceController::showMessage(const Outcome &outcome)
{
    m_presenter.showMessage(m_window, outcome);
}

void WorkspaceController::showStartDialog()
{
    OpenCreateDialog dialog(m_window);
    if (m_presenter.runDialog(dialog) != QDialog::Accepted)
        return;
    if (dialog.choice() == OpenCreateDialog::Choice::Open)
        openWorkspace();
    else
        newWorkspace();
}

void WorkspaceController::newWorkspace()
{
    if (m_app.isWorkspaceOpen()) {
        // With a workspace open the engine refuses before anything else.
        showMessage(m_app.newWorkspace(QString()));
        return;
    }
    SystemNameDialog dialog(m_presenter, m_window);
    if (m_presenter.runDialog(dialog) != QDialog::Accepted)
        return;
    if (Outcome created = m_app.newWorkspace(dialog.systemName()); !created) {
        showMessage(created);
        return;
    }
    emit workspaceOpened();
}

void WorkspaceController::newTeamWorkspace()
{
    if (m_app.isWorkspaceOpen()) {
        showMessage(m_app.newTeamWorkspace(QString(), QString()));
        return;
    }
    QString written;
    // The same two steps as varn-cli new --server: the requirements on the
    // server, then the file that names them.
    TeamWorkspaceDialog dialog(
        m_presenter,
        [this, &written](const TeamWorkspaceDialog::Request &request) {
            if (Outcome created = m_app.newTeamWorkspace(request.systemName, request.serverText);
                !created)
                return created;
            if (Outcome saved = m_app.saveWorkspace(request.workspaceFile); !saved) {
                m_app.closeWorkspace();
                return saved;
            }
            written = request.workspaceFile;
            return Outcome::ok();
        },
        m_window);
    if (m_presenter.runDialog(dialog) != QDialog::Accepted || written.isEmpty())
        return;
    m_savedFolder = QFileInfo(written).absolutePath();
    m_recentFiles.add(written);
    updateRecentFiles();
    emit workspaceOpened();
}

void WorkspaceController::openWorkspace()
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
    const QString path = m_presenter.chooseFileToOpen(m_window, folder, workspaceFilter());
    if (!path.isEmpty())
        openWorkspaceFile(path);
}

bool WorkspaceController::openWorkspaceFile(const QString &path)
{
    // One program writes a workspace at a time: a second desktop program on
    // the same workspace would save over the first one's work unseen.
    if (const std::optional<DataSourceHolders::Holder> holder = CVarnApp::openElsewhere(path)) {
        showMessage(Outcome::warning(Tr::tr("This workspace is already open in %1 (process %2).\n"
                                            "Close it there before opening it here.")
                                         .arg(holder->program)
                                         .arg(holder->pid)));
        return false;
    }
    // A workspace made by an earlier version gains its new indexes as it
    // opens: a minute on a million requirements, shown in a progress dialog
    // between the statements so that the window is painted and the user
    // sees what the wait is for.
    std::unique_ptr<QProgressDialog> preparing;
    m_app.setPreparationProgress([this, &preparing](int done, int all) {
        if (!preparing)
            preparing = preparationDialog(all);
        preparing->setValue(done);
        QCoreApplication::processEvents();
    });
    const Outcome opened = m_app.openWorkspace(path);
    m_app.setPreparationProgress({});
    preparing.reset();
    if (!opened) {
        showMessage(opened);
        if (!m_app.isWorkspaceOpen() && !QFileInfo::exists(path)) {
            m_recentFiles.remove(path);
            updateRecentFiles();
        }
        return false;
    }
    m_recentFiles.add(path);
    updateRecentFiles();
    emit workspaceOpened();
    return true;
}

std::unique_ptr<QProgressDialog> WorkspaceController::preparationDialog(int steps) const
{
    auto dialog = std::make_unique<QProgressDialog>(m_window);
    dialog->setObjectName(QStringLiteral("preparingWorkspace"));
    dialog->setWindowTitle(MessagePresenter::title());
    dialog->setLabelText(Tr::tr("Preparing the workspace...\nIts database gains the indexes of "
                                "this version of Varn SE, once."));
    dialog->setCancelButton(nullptr);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    dialog->setMinimumDuration(0);
    dialog->setRange(0, steps);
    dialog->setValue(0);
    if (auto *bar = dialog->findChild<QProgressBar *>())
        bar->setAccessibleName(Tr::tr("Preparing the workspace..."));
    dialog->show();
    return dialog;
}

bool WorkspaceController::save()
{
    if (!m_app.isWorkspaceOpen() || !m_app.isModified())
        return true;
    return saveAs();
}

bool WorkspaceController::saveAs()
{
    if (!m_app.isWorkspaceOpen())
        return false;
    const QString path =
        m_presenter.chooseFileToSave(m_window, proposedSavePath(), workspaceFilter());
    if (path.isEmpty())
        return false;
    if (Outcome saved = m_app.saveWorkspace(path); !saved) {
        showMessage(saved);
        return false;
    }
    m_savedFolder = QFileInfo(path).absolutePath();
    m_recentFiles.add(path);
    updateRecentFiles();
    return true;
}

QString WorkspaceController::proposedSavePath() const
{
    const QString proposed = m_app.proposedSavePath();
    if (!QFileInfo(proposed).isRelative())
        return proposed;
    QString folder = m_savedFolder;
    if (folder.isEmpty()) {
        folder = Settings().installPath().text + QStringLiteral("Varn SE Files");
        // A relative InstallPath is refused by New; no folder is made for it
        // wherever the program was started.
        if (QDir::isAbsolutePath(folder))
            QDir().mkpath(folder);
    }
    return QDir(folder).filePath(proposed);
}

bool WorkspaceController::closeCheck()
{
    if (!m_app.isWorkspaceOpen())
        return true;
    if (m_app.requirementsChanged())
        m_features.run(kChangedRequirementsClosing, m_workbench);
    // A workspace never saved is offered the file-save dialog, without a
    // question first; cancelling it cancels the close.
    return !m_app.isModified() || saveAs();
}

bool WorkspaceController::closeWorkspace()
{
    if (!m_app.isWorkspaceOpen())
        return true;
    if (!closeCheck())
        return false;
    finishClose();
    return true;
}

void WorkspaceController::finishClose()
{
    emit workspaceClosing();
    m_app.closeWorkspace();
    m_savedFolder.clear();
    emit workspaceClosed();
}

void WorkspaceController::updateRecentFiles()
{
    const QStringList &files = m_recentFiles.files();
    for (int position = 0; position < m_actions.recentFiles.size(); ++position) {
        QAction *action = m_actions.recentFiles.at(position);
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
