#include "app/blankimage.h"
#include "app/cvarnapp.h"
#include "app/cvarndoc.h"
#include "app/datasource.h"
#include "app/workspacefile.h"
#include "support/appconnections.h"
#include "support/workspaceenvironment.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <sys/stat.h>

using namespace varn;
using namespace varn::app;

namespace {

QByteArray fileBytes(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return {};
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray resourceBytes(const QString &accessVersion)
{
    return fileBytes(BlankImage::resourcePathFor(accessVersion));
}

// The first column of the first row; a failed query fails the test.
QVariant scalar(const QSqlDatabase &database, const QString &sql)
{
    QSqlQuery query(database);
    if (!query.exec(sql)) {
        QTest::qFail(qPrintable(sql + QStringLiteral(": ") + query.lastError().text()), __FILE__,
                     __LINE__);
        return {};
    }
    return query.next() ? query.value(0) : QVariant();
}

const QString kTooLongForRequirements = QStringLiteral(
    "Database connection info exceeds 255 characters.\rTry installing Varn SE some place where the "
    "path is shorter.");
const QString kTooLongForApplication = QStringLiteral(
    "Database connection info exceeds 255 characters.\nTry installing Varn SE some place where the "
    "path is shorter.");

} // namespace

class WorkspaceTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<WorkspaceEnvironment> m_environment;
    QStringList m_notices;

    std::unique_ptr<CVarnApp> makeApp()
    {
        m_notices.clear();
        return std::make_unique<CVarnApp>(
            [this](const Outcome &notice) { m_notices.append(notice.message()); });
    }

    // An install path whose requirements attribute string for "Acme" has
    // exactly the given length.
    QString installPathGivingLength(int length)
    {
        const QString base = m_environment->root() + QStringLiteral("/p");
        const int fixed =
            DataSource::requirementsFor(QStringLiteral("Acme"), base + QLatin1Char('/'))
                .attributeString()
                .size();
        return base + QString(length - fixed, QLatin1Char('x')) + QLatin1Char('/');
    }

    // Damage applied after the workspace was saved, as a hostile or broken
    // copy would bring it.
    void damageDatabase(const QString &damage, const QString &database)
    {
        if (damage == QLatin1String("empty-database"))
            QFile(database).resize(0);
        if (damage == QLatin1String("fifo-database")) {
            QFile::remove(database);
            QCOMPARE(mkfifo(QFile::encodeName(database).constData(), 0600), 0);
        }
        if (damage != QLatin1String("other-sqlite") && damage != QLatin1String("renamed-column"))
            return;
        if (damage == QLatin1String("other-sqlite"))
            QFile::remove(database);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "damage");
            db.setDatabaseName(database);
            QVERIFY(db.open());
            QSqlQuery query(db);
            QVERIFY(query.exec(QStringLiteral("PRAGMA journal_mode = DELETE")));
            QVERIFY(query.exec(damage == QLatin1String("other-sqlite")
                                   ? QStringLiteral("CREATE TABLE notes (text TEXT)")
                                   : QStringLiteral("ALTER TABLE MASTER_REQ RENAME COLUMN ReqText "
                                                    "TO Text")));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("damage"));
    }

    void damageWorkspaceFile(const QString &damage, const QString &file)
    {
        static const QStringList kFileDamages = {
            QStringLiteral("planted-section"), QStringLiteral("appds-name"),
            QStringLiteral("long-field"),      QStringLiteral("long-connection"),
            QStringLiteral("relative-folder"), QStringLiteral("relative-install"),
            QStringLiteral("other-system")};
        if (!kFileDamages.contains(damage))
            return;
        Result<WorkspaceValues> values = WorkspaceFile::read(file);
        QVERIFY2(values, qPrintable(values.outcome().message()));
        WorkspaceValues changed = values.value();
        if (damage == QLatin1String("planted-section"))
            changed.userId = QStringLiteral("varn\n[Planted]\nDriver=/tmp/evil.so");
        if (damage == QLatin1String("appds-name"))
            changed.dataSourceName = QStringLiteral("AppDS");
        if (damage == QLatin1String("long-field"))
            changed.description = QString(1000, QLatin1Char('x'));
        if (damage == QLatin1String("long-connection"))
            changed.description = QString(
                255 - DataSource(CVarnDoc(changed).requirementsSource()).attributeString().size() +
                    changed.description.size(),
                QLatin1Char('d'));
        if (damage == QLatin1String("relative-folder"))
            changed.databaseFolder = QStringLiteral("../Varn SE Databases");
        if (damage == QLatin1String("relative-install"))
            changed.installPath = QStringLiteral("User Files/");
        if (damage == QLatin1String("other-system"))
            changed.systemName = QStringLiteral("Other");
        QVERIFY(WorkspaceFile::write(file, changed).isOk());
    }

private slots:
    void initTestCase() { m_environment = std::make_unique<WorkspaceEnvironment>(); }

    void init()
    {
        m_environment->writeDefaultSettings();
        m_environment->setDriverInstalled(true);
        QDir(m_environment->installPath()).removeRecursively();
    }

    void newWorkspaceProvisionsDatabaseAndDataSources()
    {
        auto app = makeApp();
        QVERIFY(app->newWorkspace(QStringLiteral("Acme Telecom")).isOk());
        QVERIFY(app->isWorkspaceOpen());
        QVERIFY(app->isModified());
        QVERIFY(m_notices.isEmpty());

        const QString database =
            m_environment->databaseFolder() + QStringLiteral("/Acme TelecomReq.mdb");
        QCOMPARE(app->requirementsSource().databasePath(), database);
        QCOMPARE(scalar(requirementsDatabaseOf(*app),
                        QStringLiteral("SELECT SystemName FROM SYSTEM_NAME")),
                 QVariant(QStringLiteral("Acme Telecom")));
        QCOMPARE(scalar(requirementsDatabaseOf(*app),
                        QStringLiteral("SELECT COUNT(*) FROM SYSTEM_NAME")),
                 QVariant(1));
        QCOMPARE(scalar(applicationDatabaseOf(*app),
                        QStringLiteral("SELECT COUNT(*) FROM PK_MASTR_REQ")),
                 QVariant(1));

        QCOMPARE(OdbcInstaller::registeredValue(QStringLiteral("Acme TelecomReqDS"),
                                                QStringLiteral("Database")),
                 database);
        QCOMPARE(OdbcInstaller::registeredValue(QStringLiteral("Acme TelecomReqDS"),
                                                QStringLiteral("DBQ")),
                 QStringLiteral("Acme TelecomReq.mdb"));
        QCOMPARE(OdbcInstaller::registeredValue(QStringLiteral("AppDS"), QStringLiteral("PWD")),
                 QStringLiteral("plimset"));

        // Any ODBC client reaches the open workspace through its data source.
        {
            QSqlDatabase odbc =
                QSqlDatabase::addDatabase(QStringLiteral("QODBC"), QStringLiteral("odbc"));
            odbc.setDatabaseName(QStringLiteral("Acme TelecomReqDS"));
            QVERIFY2(odbc.open(), qPrintable(odbc.lastError().text()));
            QCOMPARE(scalar(odbc, QStringLiteral("SELECT SystemName FROM SYSTEM_NAME")).toString(),
                     QStringLiteral("Acme Telecom"));
            odbc.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("odbc"));

        app->closeWorkspace();
        QVERIFY(!app->isWorkspaceOpen());
        QVERIFY(!OdbcInstaller::isRegistered(QStringLiteral("Acme TelecomReqDS")));
        QVERIFY(OdbcInstaller::isRegistered(QStringLiteral("AppDS")));
        QVERIFY(QFile::exists(database));
    }

    void newWhileOpenChangesNothing()
    {
        auto app = makeApp();
        QVERIFY(app->newWorkspace(QStringLiteral("Acme")).isOk());
        const Outcome second = app->newWorkspace(QStringLiteral("Other"));
        QCOMPARE(second.message(),
                 QStringLiteral("Must close the current document before creating a new one."));
        QCOMPARE(app->systemName(), QStringLiteral("Acme"));
        QVERIFY(!QFile::exists(m_environment->databaseFolder() + QStringLiteral("/OtherReq.mdb")));
        QCOMPARE(app->openWorkspace(QStringLiteral("/x.vnp")).message(),
                 QStringLiteral("A Varn SE file is currently open.\nClose the current file before "
                                "opening an existing one."));
        QCOMPARE(app->checkCanOpen().message(),
                 QStringLiteral("A Varn SE file is currently open. Close the current file\nbefore "
                                "opening an existing one."));
    }

    void systemNameRules_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << QString()
                               << QStringLiteral("Must enter a System Name or Cancel.");
        QTest::newRow("blanks inside") << QStringLiteral("Acme Big Telecom") << QString();
        QTest::newRow("50 characters") << QString(50, QLatin1Char('n')) << QString();
        QTest::newRow("51 characters")
            << QString(51, QLatin1Char('n'))
            << QStringLiteral("A System Name has at most 50 characters.");
        QTest::newRow("folder separator")
            << QStringLiteral("../Acme") << QStringLiteral("cannot contain");
        QTest::newRow("data-source delimiter")
            << QStringLiteral("Acme;DSN=x") << QStringLiteral("cannot contain");
        QTest::newRow("escape") << QStringLiteral("Ac\x1bme") << QStringLiteral("cannot contain");
        QTest::newRow("right-to-left override")
            << QStringLiteral("Ac\u202Eme") << QStringLiteral("cannot contain");
        QTest::newRow("line separator")
            << QStringLiteral("Ac\u2028me") << QStringLiteral("cannot contain");
    }

    void systemNameRules()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        const Outcome checked = CVarnApp::checkSystemName(name);
        QCOMPARE(checked.isOk(), message.isEmpty());
        QVERIFY2(checked.message().contains(message), qPrintable(checked.message()));
        if (!checked.isOk()) {
            auto app = makeApp();
            QCOMPARE(app->newWorkspace(name).message(), checked.message());
            QVERIFY(!app->isWorkspaceOpen());
            QVERIFY(!QDir(m_environment->databaseFolder()).exists());
        }
    }

    void attributeStringLimit_data()
    {
        QTest::addColumn<int>("length");
        QTest::newRow("254 accepted") << 254;
        QTest::newRow("255 refused") << 255;
    }

    void attributeStringLimit()
    {
        QFETCH(int, length);
        const QString installPath = installPathGivingLength(length);
        const DataSource source = DataSource::requirementsFor(QStringLiteral("Acme"), installPath);
        QCOMPARE(source.attributeString().size(), length);
        QCOMPARE(source.checkAttributeLength(DataSource::Kind::Requirements).isOk(), length < 255);

        m_environment->writeSettings(installPath, QString(),
                                     m_environment->applicationDatabaseFolder());
        auto app = makeApp();
        const Outcome created = app->newWorkspace(QStringLiteral("Acme"));
        if (length < 255) {
            QVERIFY2(created.isOk(), qPrintable(created.message()));
        } else {
            QCOMPARE(created.message(), kTooLongForRequirements);
            QVERIFY(!app->isWorkspaceOpen());
            QVERIFY(!QFile::exists(source.databasePath()));
            QVERIFY(!OdbcInstaller::isRegistered(QStringLiteral("AcmeReqDS")));
        }
    }

    void attributeStringVariants()
    {
        DataSource source = DataSource::applicationIn(QStringLiteral("/opt"));
        const int room = 255 - source.attributeString().size();
        source.userId += QString(room / 3, QLatin1Char('u'));
        source.password += QString(room / 3, QLatin1Char('p'));
        source.description += QString(room - 2 * (room / 3), QLatin1Char('d'));
        QCOMPARE(source.attributeString().size(), 255);
        QCOMPARE(source.checkAttributeLength(DataSource::Kind::Application).message(),
                 kTooLongForApplication);
        QCOMPARE(source.checkAttributeLength(DataSource::Kind::Requirements).message(),
                 kTooLongForRequirements);
        QCOMPARE(DataSource::requirementsFor(QStringLiteral("Acme"), QStringLiteral("/u/"))
                     .attributeString(),
                 QStringLiteral(
                     "DSN=AcmeReqDS; UID=varn; PWD=quorbel; DESCRIPTION=Varn req DS; "
                     "DBQ=AcmeReq.mdb; FIL=MicrosoftAccess; DEFAULTDIR=/u/Varn SE Databases"));
    }

    void applicationPathTooLongStopsNew()
    {
        m_environment->writeSettings(m_environment->installPath(), QString(),
                                     QStringLiteral("/") + QString(220, QLatin1Char('a')));
        auto app = makeApp();
        QCOMPARE(app->newWorkspace(QStringLiteral("Acme")).message(), kTooLongForApplication);
        QVERIFY(!app->isWorkspaceOpen());
        QVERIFY(!OdbcInstaller::isRegistered(QStringLiteral("AcmeReqDS")));
    }

    void accessVersionChoosesTheImage_data()
    {
        QTest::addColumn<QString>("accessVersion");
        QTest::addColumn<int>("imageVersion");
        QTest::newRow("Mdb2002") << QStringLiteral("Mdb2002") << 2002;
        QTest::newRow("Mdb2000") << QStringLiteral("Mdb2000") << 2000;
        QTest::newRow("Mdb97") << QStringLiteral("Mdb97") << 97;
        QTest::newRow("Mdb2003") << QStringLiteral("Mdb2003") << 2003;
        QTest::newRow("case differs") << QStringLiteral("mdb2002") << 2003;
        QTest::newRow("MDB97") << QStringLiteral("MDB97") << 2003;
        QTest::newRow("anything else") << QStringLiteral("Access") << 2003;
        QTest::newRow("missing") << QString() << 2003;
    }

    void accessVersionChoosesTheImage()
    {
        QFETCH(QString, accessVersion);
        QFETCH(int, imageVersion);
        m_environment->writeSettings(m_environment->installPath(), accessVersion,
                                     m_environment->applicationDatabaseFolder());
        auto app = makeApp();
        QVERIFY(app->newWorkspace(QStringLiteral("Acme")).isOk());
        QCOMPARE(
            scalar(requirementsDatabaseOf(*app), QStringLiteral("PRAGMA user_version")).toInt(),
            imageVersion);
        app->closeWorkspace();

        // Byte for byte, but for the system name written into SYSTEM_NAME:
        // a second copy written straight from the image is identical.
        const QString copy = m_environment->root() + QStringLiteral("/copy.mdb");
        QVERIFY(BlankImage::writeTo(accessVersion, copy).isOk());
        QCOMPARE(fileBytes(copy), resourceBytes(accessVersion));
        QVERIFY(!resourceBytes(accessVersion).isEmpty());
        QVERIFY(QFileInfo(copy).isWritable());
    }

    void saveCloseAndOpenAgain()
    {
        auto app = makeApp();
        QVERIFY(app->newWorkspace(QStringLiteral("Acme")).isOk());
        // Right after New no workspace was opened: the name alone, in the
        // file dialog's own folder.
        QCOMPARE(app->proposedSavePath(), QStringLiteral("Acme.vnp"));
        const QString file = m_environment->root() + QStringLiteral("/acme.vnp");
        QVERIFY(app->saveWorkspace(file).isOk());
        QVERIFY(!app->isModified());
        app->closeWorkspace();
        QVERIFY(!OdbcInstaller::isRegistered(QStringLiteral("AcmeReqDS")));

        QVERIFY(app->openWorkspace(file).isOk());
        QVERIFY(OdbcInstaller::isRegistered(QStringLiteral("AcmeReqDS")));
        QCOMPARE(app->systemName(), QStringLiteral("Acme"));
        QVERIFY(!app->isModified());
        QCOMPARE(app->proposedSavePath(),
                 m_environment->installPath() + QStringLiteral("Varn SE Files/Acme.vnp"));
        const Result<int> count = app->requirementCount();
        QVERIFY2(count, qPrintable(count.outcome().message()));
        QCOMPARE(count.value(), 0);
        app->closeWorkspace();
        QVERIFY(!OdbcInstaller::isRegistered(QStringLiteral("AcmeReqDS")));
    }

    void badWorkspacesAreRefusedCleanly_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("message");
        QTest::newRow("truncated file") << "truncate"
                                        << "Error opening file at the path specified.";
        QTest::newRow("database is not a workspace database")
            << "not-a-database"
            << "Cannot open Requirements database.\nCheck the configuration and permissions of the "
               "ReqDB.\n";
        QTest::newRow("database missing") << "remove-database"
                                          << "Cannot open Requirements database.\nCheck the "
                                             "configuration and permissions of the ReqDB.\n";
        QTest::newRow("ODBC driver missing")
            << "no-driver"
            << "Could not configure local ReqDS data source. User may not have permission to "
               "modify ODBC data sources.";
        QTest::newRow("application database missing")
            << "no-appdb"
            << "Cannot open Application database.\nCheck the configuration and permissions of the "
               "AppDB.\n";
        const QString notRequirements = QStringLiteral(
            "Cannot open Requirements database.\nCheck the configuration and permissions of the "
            "ReqDB.\n");
        QTest::newRow("empty database file") << "empty-database" << notRequirements;
        QTest::newRow("another SQLite database") << "other-sqlite" << notRequirements;
        QTest::newRow("MASTER_REQ column renamed") << "renamed-column" << notRequirements;
        QTest::newRow("database is a FIFO") << "fifo-database" << notRequirements;
        const QString badFile = QStringLiteral("Error opening file at the path specified.\n");
        QTest::newRow("line breaks plant a section") << "planted-section" << badFile;
        QTest::newRow("AppDS as data-source name") << "appds-name" << badFile;
        QTest::newRow("1000-byte description") << "long-field" << badFile;
        QTest::newRow("relative database folder") << "relative-folder" << badFile;
        QTest::newRow("relative installation path")
            << "relative-install"
            << badFile + m_environment->root() +
                   "/acme.vnp: The installation path is not an absolute path.";
        QTest::newRow("another system's database")
            << "other-system"
            << notRequirements + m_environment->databaseFolder() +
                   "/AcmeReq.mdb\nThe database holds the requirements of the system \"Acme\", "
                   "but the workspace file is for the system \"Other\".";
        QTest::newRow("connection info of 255 characters")
            << "long-connection" << kTooLongForRequirements;
    }

    void badWorkspacesAreRefusedCleanly()
    {
        QFETCH(QString, damage);
        QFETCH(QString, message);
        const QString file = m_environment->root() + QStringLiteral("/acme.vnp");
        {
            auto app = makeApp();
            const Outcome created = app->newWorkspace(QStringLiteral("Acme"));
            QVERIFY2(created.isOk(), qPrintable(created.message()));
            QVERIFY(app->saveWorkspace(file).isOk());
        }
        const QString database = m_environment->databaseFolder() + QStringLiteral("/AcmeReq.mdb");
        if (damage == QLatin1String("truncate"))
            QFile(file).resize(QFileInfo(file).size() - 3);
        if (damage == QLatin1String("not-a-database")) {
            QFile text(database);
            QVERIFY(text.open(QIODevice::WriteOnly | QIODevice::Truncate));
            text.write("These are my notes, not a database.\n");
        }
        if (damage == QLatin1String("remove-database"))
            QVERIFY(QFile::remove(database));
        if (damage == QLatin1String("no-driver"))
            m_environment->setDriverInstalled(false);
        if (damage == QLatin1String("no-appdb"))
            m_environment->writeSettings(m_environment->installPath(), QString(),
                                         m_environment->root());
        damageDatabase(damage, database);
        damageWorkspaceFile(damage, file);

        const QByteArray databaseBefore = fileBytes(database);
        const QByteArray odbcBefore = fileBytes(m_environment->userOdbcIni());
        auto app = makeApp();
        const Outcome opened = app->openWorkspace(file);
        QVERIFY(!opened.isOk());
        QVERIFY2(opened.message().startsWith(message), qPrintable(opened.message()));
        QVERIFY(!app->isWorkspaceOpen());
        QVERIFY(!OdbcInstaller::isRegistered(QStringLiteral("AcmeReqDS")));
        if (damage == QLatin1String("not-a-database"))
            QCOMPARE(fileBytes(database), QByteArray("These are my notes, not a database.\n"));
        // Refused before anything was written: the database, its folder and
        // the user's ODBC file are as they were.
        QCOMPARE(fileBytes(database), databaseBefore);
        QVERIFY(!QFileInfo::exists(database + QStringLiteral("-wal")));
        QVERIFY(!QFileInfo::exists(database + QStringLiteral("-shm")));
        if (damage != QLatin1String("no-driver") && damage != QLatin1String("no-appdb"))
            QCOMPARE(fileBytes(m_environment->userOdbcIni()), odbcBefore);
    }

    // Databases and generated files go below the installation path: a
    // relative one would put them wherever the program was started.
    void relativeInstallPathIsRefused_data()
    {
        QTest::addColumn<QString>("installPath");
        QTest::addColumn<bool>("team");
        QTest::newRow("relative folder") << "User Files" << false;
        QTest::newRow("home shorthand") << "~/Varn SE/User Files/" << false;
        QTest::newRow("team workspace") << "User Files/" << true;
    }

    void relativeInstallPathIsRefused()
    {
        QFETCH(QString, installPath);
        QFETCH(bool, team);
        QTemporaryDir started;
        const QString working = QDir::currentPath();
        const auto restore = qScopeGuard([&] { QDir::setCurrent(working); });
        QVERIFY(QDir::setCurrent(started.path()));
        m_environment->writeSettings(installPath, QString(),
                                     m_environment->applicationDatabaseFolder());
        auto app = makeApp();
        const Outcome created =
            team ? app->newTeamWorkspace(QStringLiteral("Acme"),
                                         QStringLiteral("host=localhost port=5439 dbname=reqs"))
                 : app->newWorkspace(QStringLiteral("Acme"));
        const QString shown = installPath.endsWith('/') ? installPath : installPath + '/';
        QCOMPARE(created.message(),
                 QStringLiteral("The InstallPath value \"%1\" in %2 is not an absolute path.\n"
                                "Give the whole path of the folder, beginning with \"/\".")
                     .arg(shown, m_environment->settingsFile()));
        QVERIFY(!app->isWorkspaceOpen());
        QVERIFY(!OdbcInstaller::isRegistered(QStringLiteral("AcmeReqDS")));
        QCOMPARE(QDir(started.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
    }

    void missingDriverStopsNewAndLeavesNoDatabase()
    {
        m_environment->setDriverInstalled(false);
        auto app = makeApp();
        QCOMPARE(app->newWorkspace(QStringLiteral("Acme")).message(),
                 QStringLiteral("Could not configure local ReqDS data source. User may not have "
                                "permission to modify ODBC data sources."));
        QVERIFY(!app->isWorkspaceOpen());
        QVERIFY(!QFile::exists(m_environment->databaseFolder() + QStringLiteral("/AcmeReq.mdb")));
    }

    void unwritableDatabaseFolderIsAClearError()
    {
        const QString blocker = m_environment->root() + QStringLiteral("/blocker");
        QFile(blocker).open(QIODevice::WriteOnly);
        m_environment->writeSettings(blocker + QLatin1Char('/'), QString(),
                                     m_environment->applicationDatabaseFolder());
        auto app = makeApp();
        const Outcome created = app->newWorkspace(QStringLiteral("Acme"));
        QVERIFY(created.message().startsWith(
            QStringLiteral("Cannot write the requirements database\n")));
        QCOMPARE(created.kind(), MessageKind::Stop);
        QVERIFY(!app->isWorkspaceOpen());
        QVERIFY(!OdbcInstaller::isRegistered(QStringLiteral("AcmeReqDS")));
    }

    void newNeverOverwritesStoredRequirements()
    {
        {
            auto app = makeApp();
            QVERIFY(app->newWorkspace(QStringLiteral("Acme")).isOk());
            QSqlQuery insert(requirementsDatabaseOf(*app));
            QVERIFY(insert.exec(QStringLiteral(
                "INSERT INTO MASTER_REQ (Req_Num, FSTType) VALUES (1, 'Technical')")));
        }
        auto app = makeApp();
        const Outcome again = app->newWorkspace(QStringLiteral("Acme"));
        QVERIFY(again.message().contains(QStringLiteral("already exists")));
        QVERIFY(!app->isWorkspaceOpen());
        QVERIFY(QFile::exists(m_environment->databaseFolder() + QStringLiteral("/AcmeReq.mdb")));
    }

    void unreadableSettingsFallBackToDefaultsWithTheirMessage()
    {
        QFile settings(m_environment->settingsFile());
        QVERIFY(settings.open(QIODevice::WriteOnly | QIODevice::Truncate));
        settings.write(("InstallPath=" + m_environment->installPath() +
                        "\nAccVer=Mdb97, Mdb2000\nDbDir=" +
                        WorkspaceEnvironment::applicationDatabaseFolder() + "\n")
                           .toUtf8());
        settings.close();
        auto app = makeApp();
        QVERIFY(app->newWorkspace(QStringLiteral("Acme")).isOk());
        QCOMPARE(m_notices, QStringList{QStringLiteral(
                                "Could not read data from the AccVer registry value.\nCurrent user "
                                "may not have permission to access registry.")});
        QCOMPARE(
            scalar(requirementsDatabaseOf(*app), QStringLiteral("PRAGMA user_version")).toInt(),
            2003);
    }
};

QTEST_GUILESS_MAIN(WorkspaceTest)
#include "tst_workspace.moc"
