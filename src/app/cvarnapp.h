#pragma once

#include "app/cvarndoc.h"
#include "app/datasource.h"
#include "app/settings.h"
#include "common/outcome.h"
#include "store/recordobjects.h"

#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

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

    Outcome newWorkspace(const QString &systemName);
    Outcome openWorkspace(const QString &workspaceFilePath);
    Outcome saveWorkspace(const QString &workspaceFilePath);
    void closeWorkspace();

    bool isWorkspaceOpen() const { return m_document.has_value(); }
    bool isModified() const { return m_document && m_document->isModified(); }
    const CVarnDoc *document() const { return m_document ? &*m_document : nullptr; }

    QString systemName() const;
    const QString &installPath() const { return m_installPath; }
    // Installation path + "Varn SE Files/" once a workspace was opened;
    // empty before that.
    const QString &workspaceFileFolder() const { return m_workspaceFileFolder; }
    const QString &workspaceFilePath() const { return m_workspaceFilePath; }
    // Where Save As proposes to write.
    QString proposedSavePath() const;

    QSqlDatabase requirementsDatabase() const;
    const QString &requirementsConnectionName() const { return m_requirementsConnection; }
    // The long-lived record sets of the open workspace; nullptr without one.
    store::RecordObjects *records() const { return m_records.get(); }
    QSqlDatabase applicationDatabase() const;
    DataSource requirementsSource() const;
    const DataSource &applicationSource() const { return m_applicationSource; }

    bool requirementsChanged() const { return m_requirementsChanged; }
    void setRequirementsChanged(bool changed) { m_requirementsChanged = changed; }

    // Live requirements (kind other than "Deleted").
    Result<int> requirementCount() const;

private:
    // The application data source is registered by New only; it stays.
    Outcome connectRequirements(const DataSource &source);
    Outcome openApplicationDatabase(const Settings &settings, bool registerDataSource);
    Outcome storeSystemName(const QString &systemName);
    Outcome createRecordObjects();
    void notice(const Outcome &outcome) const;
    void releaseConnections();

    NoticeSink m_notices;
    QString m_requirementsConnection;
    QString m_applicationConnection;
    std::optional<CVarnDoc> m_document;
    std::unique_ptr<store::RecordObjects> m_records;
    DataSource m_applicationSource;
    QString m_installPath;
    QString m_workspaceFileFolder;
    QString m_workspaceFilePath;
    bool m_requirementsChanged = false;
};

} // namespace varn::app
