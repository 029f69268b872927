#pragma once

#include "app/apptr.h"
#include "app/widgets/commandid.h"
#include "app/widgets/recentfiles.h"

#include <QObject>

#include <memory>

class QProgressDialog;
class QWidget;

namespace varn {
class Outcome;
}

namespace varn::app {

class CVarnApp;
class FeatureRegistry;
class MainActions;
class MessagePresenter;
class Workbench;

// The File commands of the workspace: new, open (from the dialog, a recent
// file or a dropped file), save, save as and close, with the checks before
// a close and the list of recent files.
class WorkspaceController : public QObject
{
    Q_OBJECT

public:
    WorkspaceController(CVarnApp &app, Workbench &workbench, const FeatureRegistry &features,
                        const MainActions &actions, QWidget *window);

    // The Open/Create dialog of a start without a workspace file.
    void showStartDialog();

    // Those that report return false when the command did not happen
    // (refused or cancelled).
    void newWorkspace();
    // File > New Team Workspace...: creates or joins the requirements on a
    // server and writes the workspace file at once.
    void newTeamWorkspace();
    void openWorkspace();
    bool openWorkspaceFile(const QString &path);
    bool save();
    bool saveAs();
    bool closeWorkspace();
    // The command for changed requirements, and the save of a modified
    // workspace; false when the user cancelled.
    bool closeCheck();
    // Closes the workspace after its check.
    void finishClose();

    static QString workspaceFilter() { return Tr::tr("Varn SE Files (*.vnp)"); }

    // The command a feature provides to run when a workspace whose
    // requirements changed closes, before its file is saved.
    static constexpr CommandId kChangedRequirementsClosing{"Workspace.ChangedRequirementsClosing"};

signals:
    void workspaceOpened();
    // Before the workspace closes: its windows close first.
    void workspaceClosing();
    void workspaceClosed();

private:
    // Where Save As proposes the file: the proposed name in its folder, or,
    // for a workspace never opened from a file, beside the file last saved or
    // in the folder Open looks in, never the process's current folder.
    QString proposedSavePath() const;
    // The progress of bringing an older workspace's database up to date,
    // shown at once: it is only asked for when there is work to do.
    std::unique_ptr<QProgressDialog> preparationDialog(int steps) const;
    void connectActions();
    void showMessage(const Outcome &outcome);
    void updateRecentFiles();

    CVarnApp &m_app;
    Workbench &m_workbench;
    MessagePresenter &m_presenter;
    const FeatureRegistry &m_features;
    const MainActions &m_actions;
    QWidget *m_window;
    RecentFiles m_recentFiles;
    // The folder of the workspace file last saved this session.
    QString m_savedFolder;
};

} // namespace varn::app
