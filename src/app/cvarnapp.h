#pragma once

#include "app/cvarndoc.h"
#include "app/datasource.h"
#include "app/datasourceholders.h"
#include "app/settings.h"
#include "common/outcome.h"
#include "store/connectionaccess.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace varn::store {
class RecordObjects;
}

namespace varn::app {

// The application object of the engine: the one open workspace, its two
// database connections and its flags. New, Open, Save and Close run here
// without any window; a refusal comes back as an Outcome and leaves the
// state without a workspace, with nothing half-written. Messages that are
// shown on the way while the operation goes on (settings read with defaults)
// are handed to the notice sink.
class CVarnApp
{
public:
    using NoticeSink = std::function<void(const Outcome &notice)>;

    explicit CVarnApp(NoticeSink notices = {});
    ~CVarnApp();
    CVarnApp(const CVarnApp &) = delete;
    CVarnApp &operator=(const CVarnApp &) = delete;

    static constexpr int kLongestSystemName = 50;
    // Empty, too long, or holding characters a file or data-source name
    // cannot carry.
    static Outcome checkSystemName(const QString &systemName);

    // Refusal of the Open command while a workspace is open, before the file
    // dialog is shown.
    Outcome checkCanOpen() const;

    // What the caller will do with an opened workspace. Open checks the
    // workspace file and the database before it writes anything: Change
    // refuses a database the user may not write; Read opens such a database
    // read-only without leaving any file beside it.
    enum class Use { Change, Read };

    Outcome newWorkspace(const QString &systemName);
    // A team workspace: the requirements tables live in the PostgreSQL
    // database the server string names (created there, or joined when they
    // hold this system already).
    Outcome newTeamWorkspace(const QString &systemName, const QString &serverText);
    // True when the open workspace's database is on a server.
    bool isTeamWorkspace() const;
    Outcome openWorkspace(const QString &workspaceFilePath, Use use = Use::Change);
    // Hears the progress of bringing an older workspace's database up to
    // date when Open writes its new tables and indexes (a minute on a
    // million requirements): (0, all) before the first statement, then
    // after each. Not called when nothing is missing.
    using PreparationProgress = std::function<void(int done, int all)>;
    void setPreparationProgress(PreparationProgress progress)
    {
        m_preparationProgress = std::move(progress);
    }
    Outcome saveWorkspace(const QString &workspaceFilePath);
    void closeWorkspace();

    bool isWorkspaceOpen() const { return m_document.has_value(); }
    // Open on a database nobody may write: nothing can be saved.
    bool isReadOnly() const { return m_readOnly; }

    // The Varn SE process (pid and program) that has the workspace of this
    // file open, other than this one; nullopt when none does or the file
    // cannot be read. Ask before Open to offer a read-only open.
    static std::optional<DataSourceHolders::Holder> openElsewhere(const QString &workspaceFilePath);
    bool isModified() const { return m_document && m_document->isModified(); }
    const CVarnDoc *document() const { return m_document ? &*m_document : nullptr; }

    QString systemName() const;
    const QString &installPath() const { return m_installPath; }
    // Installation path + "Varn SE Files/" once a workspace was opened;
    // empty before that.
    const QString &workspaceFileFolder() const { return m_workspaceFileFolder; }
    const QString &workspaceFilePath() const { return m_workspaceFilePath; }
    // The files of the open workspace that no export or other output may
    // overwrite: the workspace file, and the database file with SQLite's
    // journal and write-ahead log beside it (none for a team workspace).
    QStringList ownFiles() const;
    // Where Save As proposes to write.
    QString proposedSavePath() const;

    // The names of the two connections while a workspace is open.
    const QString &requirementsConnectionName() const { return m_requirementsConnection; }
    const QString &applicationConnectionName() const { return m_applicationConnection; }
    // The long-lived record sets of the open workspace; nullptr without one.
    store::RecordObjects *records() const { return m_records.get(); }
    DataSource requirementsSource() const;
    const DataSource &applicationSource() const { return m_applicationSource; }

    bool requirementsChanged() const { return m_requirementsChanged; }
    void setRequirementsChanged(bool changed) { m_requirementsChanged = changed; }

    // Live requirements (kind other than "Deleted").
    Result<int> requirementCount() const;

private:
    Outcome registerRequirements(const DataSource &source, OdbcInstaller::Sharing sharing);
    // The application data source is registered by New only; it stays.
    Outcome
    connectRequirements(const DataSource &source,
                        store::ConnectionAccess access = store::ConnectionAccess::ReadWrite);
    Result<store::ConnectionAccess> checkBeforeOpen(const QString &workspaceFilePath,
                                                    const WorkspaceValues &values, Use use);
    Outcome connectTeamRequirements(const DataSource &source);
    Outcome openApplicationDatabase(const Settings &settings, bool registerDataSource);
    Outcome storeSystemName(const QString &systemName);
    Outcome createRecordObjects();
    void notice(const Outcome &outcome) const;
    void releaseConnections();

    NoticeSink m_notices;
    PreparationProgress m_preparationProgress;
    QString m_requirementsConnection;
    QString m_applicationConnection;
    std::optional<CVarnDoc> m_document;
    std::unique_ptr<store::RecordObjects> m_records;
    DataSource m_applicationSource;
    QString m_installPath;
    QString m_workspaceFileFolder;
    QString m_workspaceFilePath;
    bool m_requirementsChanged = false;
    bool m_readOnly = false;
};

} // namespace varn::app
