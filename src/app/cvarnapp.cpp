#include "app/cvarnapp.h"
#include "app/apptr.h"

#include "app/blankimage.h"
#include "app/odbcinifile.h"
#include "app/odbcinilock.h"
#include "app/requirementsschema.h"
#include "app/workspacevaluescheck.h"
#include "common/commonmessages.h"
#include "store/recordobjects.h"
#include "store/requirementsdatabase.h"
#include "store/schemaextensions.h"
#include "store/sqlconnection.h"
#include "store/systemsettings.h"
#include "store/teamdatabase.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace varn::app {

using store::ConnectionAccess;
using store::RequirementsDatabase;
using store::SchemaExtensions;
using store::SqlConnection;
using store::TeamDatabase;

namespace {

// Characters that a data-source name or a file name cannot hold.
const QString kForbiddenInSystemName = QStringLiteral("[]{}(),;?*=!@\\/");

constexpr char kCannotOpenRequirements[] = QT_TRANSLATE_NOOP(
    "varn::app",
    "Cannot open Requirements database.\nCheck the configuration and permissions of the ReqDB.\n");

// What the user is doing when a data source cannot be registered.
enum class Step { Create, Open };

QString odbcFileName()
{
    return QDir::toNativeSeparators(OdbcIniFile::userFilePath());
}

Outcome registrationRefusal(const Registration &registration, const QString &name, Step step)
{
    switch (registration.status) {
    case Registration::Status::NameTaken:
        return Outcome::refused(
            Tr::tr("The data source \"%1\" in %2 was not written by Varn SE, so it is "
                   "left as it is.\n%3")
                .arg(name, odbcFileName(),
                     step == Step::Create
                         ? Tr::tr("Rename or remove that data source, or choose another "
                                  "System Name.")
                         : Tr::tr("Rename or remove that data source to open this "
                                  "workspace.")));
    case Registration::Status::HeldElsewhere:
        return Outcome::refused(
            Tr::tr("The data source \"%1\" names the requirements database\n%2\nof a "
                   "workspace open in %3 (process %4). A data source names one database "
                   "at a time:\n%5")
                .arg(name, QDir::toNativeSeparators(registration.holder.databasePath),
                     registration.holder.program)
                .arg(registration.holder.pid)
                .arg(step == Step::Create
                         ? Tr::tr("close that workspace, or choose another System Name.")
                         : Tr::tr("close that workspace before opening this one.")));
    case Registration::Status::Registered:
        return Outcome::ok();
    case Registration::Status::Failed:
        break;
    }
    return Outcome::refused(OdbcInstaller::requirementsRegistrationFailure());
}

// The application data source is a convenience for ODBC clients: a section
// of that name the user wrote stays, and the program reads the database
// without it.
Outcome applicationNameTaken(const QString &name)
{
    return Outcome::refused(
        Tr::tr("The data source \"%1\" in %2 was not written by Varn SE, so it is left "
               "as it is; ODBC clients do not reach the application database through it.")
            .arg(name, odbcFileName()));
}

QString uniqueConnectionName(const char *base)
{
    static QAtomicInt next;
    return QStringLiteral("%1-%2").arg(QLatin1String(base)).arg(next.fetchAndAddRelaxed(1));
}

} // namespace

CVarnApp::CVarnApp(NoticeSink notices)
    : m_notices(std::move(notices)), m_requirementsConnection(uniqueConnectionName("ReqDB")),
      m_applicationConnection(uniqueConnectionName("AppDB"))
{}

CVarnApp::~CVarnApp()
{
    closeWorkspace();
}

Outcome CVarnApp::checkSystemName(const QString &systemName)
{
    if (systemName.isEmpty())
        return Outcome::refused(Tr::tr("Must enter a System Name or Cancel."));
    if (systemName.size() > kLongestSystemName)
        return Outcome::refused(
            Tr::tr("A System Name has at most %1 characters.").arg(kLongestSystemName));
    for (const QChar c : systemName) {
        // The name becomes file, class and data-source names: no control,
        // format (bidi, zero-width) or line-separator characters.
        const QChar::Category category = c.category();
        if (kForbiddenInSystemName.contains(c) || category == QChar::Other_Control ||
            category == QChar::Other_Format || category == QChar::Separator_Line ||
            category == QChar::Separator_Paragraph)
            return Outcome::refused(
                Tr::tr("A System Name cannot contain any of the characters "
                       "[ ] { } ( ) , ; ? * = ! @ \\ / or control characters."));
    }
    return Outcome::ok();
}

Outcome CVarnApp::checkCanOpen() const
{
    if (isWorkspaceOpen())
        return Outcome::refused(Tr::tr("A Varn SE file is currently open. Close the "
                                       "current file\nbefore opening an existing one."));
    return Outcome::ok();
}

void CVarnApp::notice(const Outcome &outcome) const
{
    if (!outcome.isOk() && m_notices)
        m_notices(outcome);
}

Outcome CVarnApp::newWorkspace(const QString &systemName)
{
    if (isWorkspaceOpen())
        return Outcome::refused(
            Tr::tr("Must close the current document before creating a new one."));
    if (Outcome name = checkSystemName(systemName); !name)
        return name;

    const Settings settings;
    notice(settings.openProblem());
    const Settings::Value installPath = settings.installPath();
    notice(installPath.problem);
    if (Outcome absolute = Settings::checkInstallPath(installPath.text); !absolute)
        return absolute;
    const Settings::Value accessVersion = settings.accessVersion();
    notice(accessVersion.problem);

    // The length is checked before the database file is written, so a
    // refused name leaves nothing behind.
    const DataSource source = DataSource::requirementsFor(systemName, installPath.text);
    if (Outcome length = source.checkAttributeLength(DataSource::Kind::Requirements); !length)
        return length;
    if (RequirementsDatabase::holdsRequirements(source.databasePath()))
        return Outcome::stop(
            Tr::tr("A requirements database for the system \"%1\" already exists and "
                   "holds requirements:\n%2\nOpen its workspace file, or choose another "
                   "System Name.")
                .arg(systemName, source.databasePath()));

    m_installPath = installPath.text;
    m_document.emplace(WorkspaceValues{source.name, source.userId, source.password,
                                       source.description, source.databaseFileName,
                                       source.databaseFolder, systemName, installPath.text});
    // The name is taken before the blank image replaces the file, so a
    // database another workspace has open is never replaced under it.
    if (Outcome registered = registerRequirements(source, OdbcInstaller::Sharing::Nobody);
        !registered) {
        releaseConnections();
        return registered;
    }
    if (Outcome written = BlankImage::writeTo(accessVersion.text, source.databasePath());
        !written) {
        releaseConnections();
        return written;
    }
    auto abandon = [&](Outcome why) {
        releaseConnections();
        QFile::remove(source.databasePath());
        return why;
    };
    if (Outcome connected = connectRequirements(source); !connected)
        return abandon(connected);

    if (Outcome application = openApplicationDatabase(settings, true); !application)
        return abandon(application);
    if (Outcome created = createRecordObjects(); !created)
        return abandon(created);
    if (Outcome stored = storeSystemName(systemName); !stored)
        return abandon(stored);

    m_workspaceFilePath.clear();
    m_requirementsChanged = false;
    m_document->setModified(true);
    return Outcome::ok();
}

Outcome CVarnApp::newTeamWorkspace(const QString &systemName, const QString &serverText)
{
    if (isWorkspaceOpen())
        return Outcome::refused(
            Tr::tr("Must close the current document before creating a new one."));
    if (Outcome name = checkSystemName(systemName); !name)
        return name;
    const Result<store::ServerAddress> address = store::ServerAddress::parse(serverText);
    if (!address)
        return address.outcome();

    const Settings settings;
    notice(settings.openProblem());
    const Settings::Value installPath = settings.installPath();
    notice(installPath.problem);
    if (Outcome absolute = Settings::checkInstallPath(installPath.text); !absolute)
        return absolute;

    const DataSource source = DataSource::teamFor(systemName, address->text(),
                                                  address->databaseName(), address->userName());
    if (Outcome length = source.checkAttributeLength(DataSource::Kind::Requirements); !length)
        return length;

    m_installPath = installPath.text;
    m_document.emplace(WorkspaceValues{source.name, source.userId, source.password,
                                       source.description, source.databaseFileName,
                                       source.databaseFolder, systemName, installPath.text});
    auto abandon = [&](Outcome why) {
        releaseConnections();
        return why;
    };
    if (Outcome registered = registerRequirements(source, OdbcInstaller::Sharing::SameDatabase);
        !registered)
        return abandon(registered);
    if (Outcome connected = connectRequirements(source); !connected)
        return abandon(connected);
    const Result<TeamDatabase::Provisioned> provisioned =
        TeamDatabase::provision(m_requirementsConnection, systemName);
    if (!provisioned)
        return abandon(provisioned.outcome());
    if (Outcome application = openApplicationDatabase(settings, true); !application)
        return abandon(application);
    if (Outcome created = createRecordObjects(); !created)
        return abandon(created);

    m_workspaceFilePath.clear();
    m_requirementsChanged = false;
    m_document->setModified(true);
    return Outcome::ok();
}

bool CVarnApp::isTeamWorkspace() const
{
    return m_document && m_document->requirementsSource().isOnServer();
}

// Opens the requirements connection on the team's server.
Outcome CVarnApp::connectTeamRequirements(const DataSource &source)
{
    const Result<store::ServerAddress> address = store::ServerAddress::parse(source.databaseFolder);
    if (!address)
        return Outcome::stop(Tr::tr(kCannotOpenRequirements) + address.outcome().message());
    if (Outcome connected = SqlConnection::connectServer(m_requirementsConnection, address.value());
        !connected)
        return Outcome::stop(Tr::tr(kCannotOpenRequirements) + connected.message());
    m_document->requirementsConnectionOpen = true;
    return Outcome::ok();
}

// Registers the workspace's data source, held by this workspace until it
// closes.
Outcome CVarnApp::registerRequirements(const DataSource &source, OdbcInstaller::Sharing sharing)
{
    const Registration registration = OdbcInstaller::registerHeldDataSource(source, sharing);
    if (!registration)
        return registrationRefusal(registration, source.name,
                                   sharing == OdbcInstaller::Sharing::Nobody ? Step::Create
                                                                             : Step::Open);
    m_document->dataSourceRegistered = true;
    return Outcome::ok();
}

// Opens the requirements connection on the database the registered data
// source names.
Outcome CVarnApp::connectRequirements(const DataSource &source, ConnectionAccess access)
{
    if (source.isOnServer())
        return connectTeamRequirements(source);
    if (Outcome requirements =
            RequirementsDatabase::connect(m_requirementsConnection, source.databasePath(), access);
        !requirements)
        return Outcome::stop(Tr::tr(kCannotOpenRequirements) + requirements.message());
    m_document->requirementsConnectionOpen = true;
    return Outcome::ok();
}

Outcome CVarnApp::openApplicationDatabase(const Settings &settings, bool registerDataSource)
{
    const Settings::Value directory = settings.databaseDirectory();
    notice(directory.problem);
    m_applicationSource = DataSource::applicationIn(directory.text);
    if (Outcome length = m_applicationSource.checkAttributeLength(DataSource::Kind::Application);
        !length)
        return length;
    if (registerDataSource) {
        const Registration registration = OdbcInstaller::registerDataSource(m_applicationSource);
        if (registration.status == Registration::Status::NameTaken)
            notice(applicationNameTaken(m_applicationSource.name));
        else if (!registration)
            return Outcome::silentlyRefused();
    }
    // Open does not register it anew, but keeps it naming the database of
    // the folder DbDir names now (no write when it already does).
    if (!registerDataSource &&
        OdbcInstaller::registeredValue(m_applicationSource.name, QStringLiteral("Database")) !=
            m_applicationSource.databasePath())
        OdbcInstaller::registerDataSource(m_applicationSource);
    if (Outcome application =
            SqlConnection::connect(m_applicationConnection, m_applicationSource.databasePath(),
                                   ConnectionAccess::ReadOnly);
        !application)
        return Outcome::stop(CommonTr::tr(CommonMessages::kCannotOpenApplication) +
                             application.message());
    m_document->applicationConnectionOpen = true;
    m_document->applicationDescription = m_applicationSource.description;
    return Outcome::ok();
}

Outcome CVarnApp::storeSystemName(const QString &systemName)
{
    return store::SystemSettings(m_requirementsConnection).setSystemName(systemName);
}

Result<ConnectionAccess> CVarnApp::checkBeforeOpen(const QString &workspaceFilePath,
                                                   const WorkspaceValues &values, Use use)
{
    if (Outcome checked = WorkspaceValuesCheck::check(values); !checked)
        return WorkspaceFile::refusal(workspaceFilePath, checked.message());
    if (Outcome length = WorkspaceValuesCheck::checkConnectionLength(values); !length)
        return length;
    if (CVarnDoc(values).requirementsSource().isOnServer())
        return ConnectionAccess::ReadWrite;
    const QString database = CVarnDoc(values).requirementsSource().databasePath();
    auto refusal = [&](const QString &reason) {
        return Outcome::stop(Tr::tr(kCannotOpenRequirements) + QDir::toNativeSeparators(database) +
                             QLatin1Char('\n') + reason);
    };
    if (Outcome file = WorkspaceValuesCheck::checkDatabaseFile(database); !file)
        return refusal(file.message());
    if (Outcome schema = RequirementsSchema::verify(database); !schema)
        return refusal(schema.message());
    // Every sentence saved begins with the workspace's system name: a file
    // naming another system's database would write its sentences there.
    const Result<QString> stored = RequirementsSchema::systemName(database);
    if (!stored)
        return refusal(stored.outcome().message());
    if (stored.value() != values.systemName)
        return refusal(Tr::tr("The database holds the requirements of the system \"%1\", "
                              "but the workspace file is for the system \"%2\".")
                           .arg(stored.value(), values.systemName));
    if (RequirementsSchema::mayBeWritten(database))
        return ConnectionAccess::ReadWrite;
    if (use == Use::Change)
        return refusal(Tr::tr("The database or its folder is read-only, so it cannot be "
                              "changed. Copy it to a folder you can write to."));
    return ConnectionAccess::Immutable;
}

Outcome CVarnApp::openWorkspace(const QString &workspaceFilePath, Use use)
{
    if (isWorkspaceOpen())
        return Outcome::refused(Tr::tr("A Varn SE file is currently open.\nClose the "
                                       "current file before opening an existing one."));
    Result<WorkspaceValues> values = WorkspaceFile::read(workspaceFilePath);
    if (!values)
        return values.outcome();
    const Result<ConnectionAccess> access = checkBeforeOpen(workspaceFilePath, values.value(), use);
    if (!access)
        return access.outcome();

    m_document.emplace(values.takeValue());
    m_workspaceFilePath = workspaceFilePath;
    auto abandon = [&](Outcome why) {
        releaseConnections();
        return why;
    };

    const DataSource source = m_document->requirementsSource();
    if (Outcome registered = registerRequirements(source, OdbcInstaller::Sharing::SameDatabase);
        !registered)
        return abandon(registered);
    if (Outcome connected = connectRequirements(source, access.value()); !connected)
        return abandon(connected);
    m_readOnly = access.value() != ConnectionAccess::ReadWrite;
    if (source.isOnServer()) {
        if (Outcome verified =
                TeamDatabase::verify(m_requirementsConnection, m_document->values().systemName);
            !verified)
            return abandon(Outcome::stop(Tr::tr(kCannotOpenRequirements) + verified.message()));
    }
    if (!m_readOnly) {
        if (const Result<QStringList> extended = SchemaExtensions::bringUpToDate(
                m_requirementsConnection, SchemaExtensions::builtIn(), m_preparationProgress);
            !extended)
            return abandon(
                Outcome::stop(Tr::tr(kCannotOpenRequirements) + extended.outcome().message()));
    }

    const Settings settings;
    notice(settings.openProblem());
    if (Outcome application = openApplicationDatabase(settings, false); !application)
        return abandon(application);

    if (Outcome created = createRecordObjects(); !created)
        return abandon(created);

    m_installPath = m_document->values().installPath;
    m_workspaceFileFolder = m_installPath + QStringLiteral("Varn SE Files/");
    m_requirementsChanged = false;
    return Outcome::ok();
}

Outcome CVarnApp::saveWorkspace(const QString &workspaceFilePath)
{
    if (!m_document)
        return Outcome::refused(WorkspaceFile::writeErrorMessage());
    if (Outcome written = WorkspaceFile::write(workspaceFilePath, m_document->values()); !written)
        return written;
    m_workspaceFilePath = workspaceFilePath;
    m_document->setModified(false);
    return Outcome::ok();
}

QString CVarnApp::proposedSavePath() const
{
    return m_workspaceFileFolder + systemName() + QStringLiteral(".vnp");
}

Outcome CVarnApp::createRecordObjects()
{
    Result<std::unique_ptr<store::RecordObjects>> records =
        store::RecordObjects::create(m_requirementsConnection);
    if (!records)
        return records.outcome();
    m_records = records.takeValue();
    return Outcome::ok();
}

void CVarnApp::releaseConnections()
{
    m_records.reset();
    SqlConnection::close(m_applicationConnection);
    SqlConnection::close(m_requirementsConnection);
    if (m_document && m_document->dataSourceRegistered)
        OdbcInstaller::releaseHeldDataSource(m_document->values().dataSourceName);
    m_document.reset();
    m_readOnly = false;
    m_workspaceFilePath.clear();
}

void CVarnApp::closeWorkspace()
{
    releaseConnections();
    m_requirementsChanged = false;
}

std::optional<DataSourceHolders::Holder> CVarnApp::openElsewhere(const QString &workspaceFilePath)
{
    const Result<WorkspaceValues> values = WorkspaceFile::read(workspaceFilePath);
    if (!values || !WorkspaceValuesCheck::check(values.value()))
        return std::nullopt;
    // A holder of the name for another database is no holder of this
    // workspace: Open refuses that with its own message.
    const QString database = CVarnDoc(values.value()).requirementsSource().databasePath();
    const OdbcIniLock lock;
    const std::optional<DataSourceHolders::Holder> holder =
        DataSourceHolders::otherHolder(values->dataSourceName);
    if (holder && !OdbcInstaller::isSameDatabase(holder->databasePath, database))
        return std::nullopt;
    return holder;
}

QString CVarnApp::systemName() const
{
    return m_document ? m_document->values().systemName : QString();
}

DataSource CVarnApp::requirementsSource() const
{
    return m_document ? m_document->requirementsSource() : DataSource{};
}

QStringList CVarnApp::ownFiles() const
{
    QStringList files;
    if (!m_workspaceFilePath.isEmpty())
        files.append(m_workspaceFilePath);
    if (m_document && !m_document->requirementsSource().isOnServer()) {
        const QString database = m_document->requirementsSource().databasePath();
        for (const char *suffix : {"", "-journal", "-wal", "-shm"})
            files.append(database + QLatin1String(suffix));
    }
    return files;
}

Result<int> CVarnApp::requirementCount() const
{
    return RequirementsDatabase::liveRequirementCount(m_requirementsConnection);
}

} // namespace varn::app
