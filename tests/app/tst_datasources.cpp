// The data sources in the user's ODBC file: other sections kept byte for
// byte, sections the user wrote never replaced or removed, one database per
// data-source name, sources held by several workspaces, the lock shared by
// every name of the file, names within ODBC's limit, and AppDS naming the
// database that DbDir names.
#include "app/cvarnapp.h"
#include "app/datasource.h"
#include "app/datasourceholders.h"
#include "app/odbcinifile.h"
#include "app/odbcinilock.h"
#include "support/testfiles.h"
#include "support/workspaceenvironment.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QtTest>

#include <memory>

#include <sys/stat.h>

using namespace varn::app;
using Status = Registration::Status;

namespace {

DataSource acme()
{
    return DataSource::requirementsFor(QStringLiteral("Acme"), QStringLiteral("/srv/varn/"));
}

DataSource team()
{
    return DataSource::teamFor(QStringLiteral("Acme"),
                               QStringLiteral("host=db.example port=5432 dbname=reqs user=ann"),
                               QStringLiteral("reqs"), QStringLiteral("ann"));
}

// A section as earlier versions wrote it, before sections carried a mark;
// unixODBC's own writer puts blanks around "=".
QByteArray earlierSection(const QByteArray &name, const QByteArray &folder = "/srv/varn",
                          const QByteArray &equals = "=")
{
    const bool application = name == "AppDS";
    const QByteArray file = application ? "AppDB.mdb" : "AcmeReq.mdb";
    const QByteArray lines[] = {"Driver",      "SQLite3",
                                "UID",         "varn",
                                "PWD",         application ? "plimset" : "quorbel",
                                "DESCRIPTION", application ? "Varn app DS" : "Varn req DS",
                                "DBQ",         file,
                                "FIL",         "MicrosoftAccess",
                                "DEFAULTDIR",  folder,
                                "Database",    folder + '/' + file,
                                "BigInt",      "1",
                                "FKSupport",   "1",
                                "Timeout",     "2000"};
    QByteArray text = '[' + name + "]\n";
    for (std::size_t i = 0; i < std::size(lines); i += 2)
        text += lines[i] + equals + lines[i + 1] + '\n';
    return text;
}

QByteArray earlierTeamSection()
{
    return "[AcmeReqDS]\nDriver=PostgreSQL Unicode\nDescription=Varn team req DS\n"
           "Servername=db.example\nPort=5432\nDatabase=reqs\nUsername=ann\n";
}

QString appendSlash(const QString &folder)
{
    return folder + QLatin1Char('/');
}

} // namespace

class DataSourcesTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<WorkspaceEnvironment> m_environment;

private slots:
    void initTestCase() { m_environment = std::make_unique<WorkspaceEnvironment>(); }
    void init() { m_environment->writeDefaultSettings(); }

    void otherSectionsStayByteForByte_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after"); // what the user's own sections look like after
        QTest::newRow("no file") << QByteArray() << QByteArray();
        const QByteArray own = "# mine\n[Payroll]\r\nDriver = PostgreSQL\r\n  Trace=No  \n\n";
        QTest::newRow("comments, CRLF and blanks") << own << own;
        QTest::newRow("a section after ours")
            << own + earlierSection("AcmeReqDS", "/old") + "[Zeta]\nDriver=Z\n"
            << own + "[Zeta]\nDriver=Z\n";
        QTest::newRow("ours in other letter case") << earlierSection("acmereqds") + own << own;
        QTest::newRow("header with blanks")
            << QByteArray("[ Payroll ]\nX=1\n") << QByteArray("[ Payroll ]\nX=1\n");
    }

    void otherSectionsStayByteForByte()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        const QString ini = m_environment->userOdbcIni();
        QFile::remove(ini);
        if (!before.isEmpty())
            writeBytes(ini, before);
        QVERIFY(OdbcInstaller::registerHeldDataSource(acme()));
        QCOMPARE(
            OdbcInstaller::registeredValue(QStringLiteral("AcmeReqDS"), QStringLiteral("Database")),
            QStringLiteral("/srv/varn/Varn SE Databases/AcmeReq.mdb"));
        QCOMPARE(fileBytes(ini).count("[AcmeReqDS]") + fileBytes(ini).count("[acmereqds]"), 1);
        OdbcInstaller::releaseHeldDataSource(QStringLiteral("AcmeReqDS"));
        QCOMPARE(fileBytes(ini), after);
        // No temporary file is left beside it.
        QCOMPARE(QDir(m_environment->root()).entryList({"odbc.ini.varn-??????"}), QStringList());
    }

    void valuesThatWouldPlantSectionsAreRefused_data()
    {
        QTest::addColumn<QString>("field");
        QTest::newRow("name with bracket") << "name";
        QTest::newRow("line break in password") << "password";
        QTest::newRow("carriage return in folder") << "folder";
    }

    void valuesThatWouldPlantSectionsAreRefused()
    {
        QFETCH(QString, field);
        writeBytes(m_environment->userOdbcIni(), "[Payroll]\nDriver=P\n");
        DataSource source = acme();
        if (field == QLatin1String("name"))
            source.name = QStringLiteral("Acme]\n[PlantedReqDS");
        if (field == QLatin1String("password"))
            source.password = QStringLiteral("x\n[Planted]\nDriver=/tmp/evil.so");
        if (field == QLatin1String("folder"))
            source.databaseFolder = QStringLiteral("/srv\rDriver=/tmp/evil.so");
        QVERIFY(!OdbcInstaller::registerDataSource(source));
        QCOMPARE(fileBytes(m_environment->userOdbcIni()), QByteArray("[Payroll]\nDriver=P\n"));
    }

    void aSourceStaysWhileAnyWorkspaceHoldsIt()
    {
        QVERIFY(OdbcInstaller::registerHeldDataSource(acme()));
        QVERIFY(OdbcInstaller::registerHeldDataSource(acme()));
        OdbcInstaller::releaseHeldDataSource(QStringLiteral("AcmeReqDS"));
        QVERIFY(OdbcInstaller::isRegistered(QStringLiteral("AcmeReqDS")));
        OdbcInstaller::releaseHeldDataSource(QStringLiteral("AcmeReqDS"));
        QVERIFY(!OdbcInstaller::isRegistered(QStringLiteral("AcmeReqDS")));
    }

    void dataSourceNamesFitOdbc_data()
    {
        QTest::addColumn<QString>("systemName");
        QTest::addColumn<bool>("kept"); // the name + "ReqDS" as it always was
        QTest::newRow("27 characters") << QString(27, QLatin1Char('a')) << true;
        QTest::newRow("28 characters") << QString(28, QLatin1Char('a')) << false;
        QTest::newRow("50 characters with blanks")
            << QStringLiteral("Integrated Cargo Reservation And Tracking Subsystem").left(50)
            << false;
        QTest::newRow("50 two-byte characters") << QString(50, QChar(0xE9)) << false;
        QTest::newRow("25 characters outside the BMP")
            << QString::fromUtf8("\xF0\x9F\x9A\x80").repeated(25) << false;
    }

    void dataSourceNamesFitOdbc()
    {
        QFETCH(QString, systemName);
        QFETCH(bool, kept);
        m_environment->writeDefaultSettings();
        const QString name = DataSource::requirementsNameFor(systemName);
        QVERIFY(OdbcInstaller::isValidDataSourceName(name));
        QVERIFY(name.endsWith(QLatin1String("ReqDS")));
        QCOMPARE(name == systemName + QStringLiteral("ReqDS"), kept);
        QVERIFY(name.isValidUtf16());
        QVERIFY(DataSource::requirementsNameFor(systemName + QLatin1Char('x')) != name);

        const QString file = m_environment->root() + QStringLiteral("/long.vnp");
        {
            CVarnApp app;
            const varn::Outcome created = app.newWorkspace(systemName);
            QVERIFY2(created.isOk(), qPrintable(created.message()));
            QCOMPARE(app.requirementsSource().databaseFileName, systemName + "Req.mdb");
            QVERIFY(app.saveWorkspace(file).isOk());
        }
        CVarnApp app;
        const varn::Outcome opened = app.openWorkspace(file);
        QVERIFY2(opened.isOk(), qPrintable(opened.message()));
        QVERIFY(OdbcInstaller::isRegistered(name));
        app.closeWorkspace();
        QVERIFY(!OdbcInstaller::isRegistered(name));
    }

    // Only sections this program wrote are replaced and removed: marked ones,
    // and those of earlier versions, told by their shape.
    void sectionsTheUserWroteAreLeftAlone_data()
    {
        QTest::addColumn<QString>("source"); // acme, team or app
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<int>("status");
        const int taken = int(Status::NameTaken);
        const int registered = int(Status::Registered);
        QTest::newRow("the user's [AcmeReqDS]")
            << "acme" << QByteArray("[AcmeReqDS]\nDriver=SQLite3\nDatabase=/home/me/acme.db\n")
            << taken;
        QTest::newRow("the user's, in other letter case")
            << "acme" << QByteArray("# mine\n[acmereqds]\nDriver=SQLite3\nDatabase=/a.db\n")
            << taken;
        QTest::newRow("the user's [AppDS]")
            << "app" << QByteArray("[AppDS]\nDriver=PostgreSQL Unicode\nDatabase=apps\n") << taken;
        QTest::newRow("marked by another program")
            << "acme" << QByteArray("[AcmeReqDS]\nWrittenBy=Other\nDriver=SQLite3\n") << taken;
        QTest::newRow("an earlier section the user added a key to")
            << "acme" << earlierSection("AcmeReqDS") + "Trace=Yes\n"
            << taken;
        QTest::newRow("an earlier shape naming another file")
            << "acme"
            << QByteArray(earlierSection("AcmeReqDS")).replace("/srv/varn/AcmeReq", "/x/y")
            << taken;
        QTest::newRow("a section of this version")
            << "acme" << QByteArray("[AcmeReqDS]\nWrittenBy=Varn SE\nDriver=SQLite3\n")
            << registered;
        QTest::newRow("an earlier version's")
            << "acme" << earlierSection("AcmeReqDS") << registered;
        QTest::newRow("an earlier version's, written by unixODBC")
            << "acme" << earlierSection("AcmeReqDS", "/old", " = ") << registered;
        QTest::newRow("an earlier version's [AppDS]")
            << "app" << earlierSection("AppDS", "/old") << registered;
        QTest::newRow("an earlier version's team section")
            << "team" << earlierTeamSection() << registered;
    }

    void sectionsTheUserWroteAreLeftAlone()
    {
        QFETCH(QString, source);
        QFETCH(QByteArray, before);
        QFETCH(int, status);
        const QString ini = m_environment->userOdbcIni();
        const QByteArray kept = "[Payroll]\nDriver=P\n";
        writeBytes(ini, kept + before);
        const DataSource written = source == QLatin1String("app")
                                       ? DataSource::applicationIn(QStringLiteral("/srv/app"))
                                   : source == QLatin1String("team") ? team()
                                                                     : acme();
        const Registration registration = source == QLatin1String("app")
                                              ? OdbcInstaller::registerDataSource(written)
                                              : OdbcInstaller::registerHeldDataSource(written);
        QCOMPARE(int(registration.status), status);
        if (status == int(Status::NameTaken)) {
            QCOMPARE(fileBytes(ini), kept + before);
            OdbcInstaller::releaseHeldDataSource(written.name);
            QVERIFY(!OdbcInstaller::removeDataSource(written.name));
            QCOMPARE(fileBytes(ini), kept + before);
            return;
        }
        QCOMPARE(OdbcInstaller::registeredValue(written.name, QStringLiteral("WrittenBy")),
                 QStringLiteral("Varn SE"));
        QCOMPARE(OdbcInstaller::registeredValue(written.name, QStringLiteral("Database")),
                 written.isOnServer() ? QStringLiteral("reqs") : written.databasePath());
        if (source == QLatin1String("app"))
            QVERIFY(OdbcInstaller::removeDataSource(written.name));
        else
            OdbcInstaller::releaseHeldDataSource(written.name);
        QCOMPARE(fileBytes(ini), kept);
    }

    // New and Open say whose section stands in the way; New goes on without
    // AppDS when the user keeps one of that name.
    void workspacesMeetTheUsersSections_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("step"); // new or open
        QTest::addColumn<QString>("message");
        const QString file = m_environment->userOdbcIni();
        QTest::newRow("New on the user's [AcmeReqDS]")
            << "AcmeReqDS"
            << "new"
            << "The data source \"AcmeReqDS\" in " + file +
                   " was not written by Varn SE, so it is left as it is.\nRename or remove that "
                   "data source, or choose another System Name.";
        QTest::newRow("Open on the user's [AcmeReqDS]")
            << "AcmeReqDS"
            << "open"
            << "The data source \"AcmeReqDS\" in " + file +
                   " was not written by Varn SE, so it is left as it is.\nRename or remove that "
                   "data source to open this workspace.";
        QTest::newRow("New beside the user's [AppDS]")
            << "AppDS"
            << "new"
            << "The data source \"AppDS\" in " + file +
                   " was not written by Varn SE, so it is left as it is; ODBC clients do not "
                   "reach the application database through it.";
        QTest::newRow("Open beside the user's [AppDS]") << "AppDS"
                                                        << "open"
                                                        << "";
    }

    void workspacesMeetTheUsersSections()
    {
        QFETCH(QString, section);
        QFETCH(QString, step);
        QFETCH(QString, message);
        m_environment->writeDefaultSettings();
        QDir(m_environment->installPath()).removeRecursively();
        const QString workspace = m_environment->root() + QStringLiteral("/acme.vnp");
        writeBytes(m_environment->userOdbcIni(), {});
        if (step == QLatin1String("open")) {
            CVarnApp app;
            QVERIFY(app.newWorkspace(QStringLiteral("Acme")).isOk());
            QVERIFY(app.saveWorkspace(workspace).isOk());
        }
        const QString ini = m_environment->userOdbcIni();
        const QByteArray own = "[" + section.toUtf8() + "]\nDriver=SQLite3\nDatabase=/mine.db\n";
        writeBytes(ini, own);
        QStringList notices;
        CVarnApp app([&](const varn::Outcome &notice) { notices << notice.message(); });
        const varn::Outcome done = step == QLatin1String("new")
                                       ? app.newWorkspace(QStringLiteral("Acme"))
                                       : app.openWorkspace(workspace);
        if (section == QLatin1String("AppDS")) {
            QVERIFY2(done.isOk(), qPrintable(done.message()));
            QCOMPARE(notices, message.isEmpty() ? QStringList() : QStringList{message});
            QVERIFY(OdbcInstaller::isRegistered(QStringLiteral("AcmeReqDS")));
            app.closeWorkspace();
        } else {
            QCOMPARE(done.message(), message);
            QVERIFY(!app.isWorkspaceOpen());
            // New wrote no database either.
            QCOMPARE(QFile::exists(m_environment->databaseFolder() + "/AcmeReq.mdb"),
                     step == QLatin1String("open"));
        }
        QCOMPARE(fileBytes(ini), own);
    }

    // A data source names the database of the workspace that registered it
    // for as long as that workspace is open: a second database of the same
    // system is refused, naming the first; the same one is shared.
    void oneDataSourceNamesOneDatabase_data()
    {
        QTest::addColumn<QString>("step");   // how the second workspace comes: new or open
        QTest::addColumn<QString>("second"); // its installation path: one or two
        QTest::addColumn<bool>("refused");
        QTest::newRow("Open another database") << "open"
                                               << "two" << true;
        QTest::newRow("New on another database") << "new"
                                                 << "two" << true;
        QTest::newRow("New on the database open") << "new"
                                                  << "one" << true;
        QTest::newRow("Open the same workspace") << "open"
                                                 << "one" << false;
    }

    void oneDataSourceNamesOneDatabase()
    {
        QFETCH(QString, step);
        QFETCH(QString, second);
        QFETCH(bool, refused);
        const QString root = m_environment->root();
        QHash<QString, QString> databases;
        for (const QString &place : {QStringLiteral("one"), QStringLiteral("two")}) {
            QDir(appendSlash(root + "/" + place)).removeRecursively();
            m_environment->writeSettings(appendSlash(root + "/" + place), QString(),
                                         WorkspaceEnvironment::applicationDatabaseFolder());
            CVarnApp app;
            QVERIFY(app.newWorkspace(QStringLiteral("Prod")).isOk());
            QVERIFY(app.saveWorkspace(root + "/" + place + ".vnp").isOk());
            databases[place] = app.requirementsSource().databasePath();
        }
        CVarnApp first;
        QVERIFY(first.openWorkspace(root + "/one.vnp").isOk());
        const QByteArray secondBytes = fileBytes(databases[second]);

        m_environment->writeSettings(appendSlash(root + "/" + second), QString(),
                                     WorkspaceEnvironment::applicationDatabaseFolder());
        CVarnApp other;
        const varn::Outcome done = step == QLatin1String("new")
                                       ? other.newWorkspace(QStringLiteral("Prod"))
                                       : other.openWorkspace(root + "/" + second + ".vnp");
        QCOMPARE(OdbcInstaller::registeredValue("ProdReqDS", "Database"), databases["one"]);
        if (refused) {
            const QString program = QCoreApplication::applicationName() + " (" +
                                    QFileInfo(QCoreApplication::applicationFilePath()).fileName() +
                                    ")";
            QCOMPARE(done.message(),
                     QStringLiteral("The data source \"ProdReqDS\" names the requirements "
                                    "database\n%1\nof a workspace open in %2 (process %3). A "
                                    "data source names one database at a time:\n%4")
                         .arg(databases["one"], program)
                         .arg(QCoreApplication::applicationPid())
                         .arg(step == QLatin1String("new")
                                  ? "close that workspace, or choose another System Name."
                                  : "close that workspace before opening this one."));
            QVERIFY(!other.isWorkspaceOpen());
            QCOMPARE(fileBytes(databases[second]), secondBytes);
            first.closeWorkspace();
            QVERIFY(!OdbcInstaller::isRegistered(QStringLiteral("ProdReqDS")));
            return;
        }
        QVERIFY2(done.isOk(), qPrintable(done.message()));
        first.closeWorkspace();
        QCOMPARE(OdbcInstaller::registeredValue("ProdReqDS", "Database"), databases["one"]);
        other.closeWorkspace();
        QVERIFY(!OdbcInstaller::isRegistered(QStringLiteral("ProdReqDS")));
    }

    // However the ODBC file is named, its lock and its holders are the ones
    // beside the file itself.
    void lockAndHoldersFollowTheFile_data()
    {
        QTest::addColumn<QString>("spelling");
        QTest::addColumn<QString>("file"); // the file it names, in the real folder
        QTest::newRow("link to the file") << "link.ini"
                                          << "odbc.ini";
        QTest::newRow("file in a linked folder") << "linked/odbc.ini"
                                                 << "odbc.ini";
        QTest::newRow("relative name") << "real/../real/odbc.ini"
                                       << "odbc.ini";
        QTest::newRow("link to a link") << "link2.ini"
                                        << "odbc.ini";
        QTest::newRow("link to a file not made yet") << "later.ini"
                                                     << "new.ini";
    }

    void lockAndHoldersFollowTheFile()
    {
        QFETCH(QString, spelling);
        QFETCH(QString, file);
        const QString root = m_environment->root() + QStringLiteral("/spellings");
        QDir(root).removeRecursively();
        QVERIFY(QDir().mkpath(root + "/real"));
        writeBytes(root + "/real/odbc.ini", "[Payroll]\nDriver=P\n");
        QVERIFY(QFile::link(root + "/real/odbc.ini", root + "/link.ini"));
        QVERIFY(QFile::link(root + "/link.ini", root + "/link2.ini"));
        QVERIFY(QFile::link(root + "/real", root + "/linked"));
        QVERIFY(QFile::link(QStringLiteral("real/new.ini"), root + "/later.ini"));
        const QString working = QDir::currentPath();
        const auto restore = qScopeGuard([&] {
            QDir::setCurrent(working);
            qputenv("ODBCINI", QFile::encodeName(m_environment->userOdbcIni()));
        });
        QVERIFY(QDir::setCurrent(root));

        qputenv("ODBCINI", QFile::encodeName(spelling));
        const QString real = QFileInfo(root + "/real").canonicalFilePath() + "/" + file;
        QCOMPARE(OdbcIniFile::resolvedFilePath(), real);
        QCOMPARE(OdbcIniLock::lockFilePath(), real + ".varn-lock");
        QCOMPARE(DataSourceHolders::folderPath(), real + ".varn-holders");
        // The section lands in the file, and the link stays a link.
        QVERIFY(OdbcInstaller::registerHeldDataSource(acme()));
        QVERIFY(QFileInfo(root + "/link.ini").isSymLink());
        QVERIFY(QFileInfo(root + "/later.ini").isSymLink());
        QVERIFY(fileBytes(real).contains("[AcmeReqDS]"));
        qputenv("ODBCINI", QFile::encodeName(real));
        QCOMPARE(OdbcInstaller::registeredValue("AcmeReqDS", "Database"), acme().databasePath());
        OdbcInstaller::releaseHeldDataSource(QStringLiteral("AcmeReqDS"));
        QVERIFY(!fileBytes(real).contains("[AcmeReqDS]"));
    }

    // What a writer killed in the middle of a rewrite left beside the file
    // goes with the next write; the user's own files of similar names stay.
    void leftoverCopiesGoWithTheNextWrite()
    {
        const QString ini = m_environment->userOdbcIni();
        writeBytes(ini, "[Payroll]\nDriver=P\nPWD=secret\n");
        const QStringList leftovers = {"odbc.ini.varn-Ab12Cd", "odbc.ini.varn-zzzzzz"};
        const QStringList kept = {"odbc.ini.varn-notes.txt", "odbc.ini.varn-Ab12C",
                                  "odbc.ini.varn-Ab12Cd7", "other.ini.varn-Ab12Cd"};
        for (const QString &name : leftovers + kept)
            writeBytes(m_environment->root() + "/" + name, "[Payroll]\nPWD=secret\n");
        // A link of that name is not a file this program made.
        QVERIFY(QFile::link(ini, m_environment->root() + "/odbc.ini.varn-L1nk00"));
        QVERIFY(OdbcInstaller::registerHeldDataSource(acme()));
        const QStringList found =
            QDir(m_environment->root())
                .entryList({"*.varn-*"},
                           QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
        const QStringList expected =
            kept + QStringList{"odbc.ini.varn-L1nk00", "odbc.ini.varn-lock"};
        QCOMPARE(QSet<QString>(found.begin(), found.end()),
                 QSet<QString>(expected.begin(), expected.end()));
        OdbcInstaller::releaseHeldDataSource(QStringLiteral("AcmeReqDS"));
        for (const QString &name : kept + QStringList{"odbc.ini.varn-L1nk00"})
            QFile::remove(m_environment->root() + "/" + name);
    }

    void applicationSourceNamesTheDbDirDatabase()
    {
        QStringList folders;
        for (const char *name : {"/appdb-one", "/appdb-two"}) {
            folders << m_environment->root() + QLatin1String(name);
            QDir().mkpath(folders.last());
            QFile::copy(WorkspaceEnvironment::applicationDatabaseFolder() + "/AppDB.mdb",
                        folders.last() + "/AppDB.mdb");
        }
        const QString file = m_environment->root() + QStringLiteral("/dbdir.vnp");
        m_environment->writeSettings(m_environment->installPath(), {}, folders[0]);
        {
            CVarnApp app;
            QVERIFY(app.newWorkspace(QStringLiteral("DbDir")).isOk());
            QVERIFY(app.saveWorkspace(file).isOk());
        }
        QCOMPARE(OdbcInstaller::registeredValue("AppDS", "Database"), folders[0] + "/AppDB.mdb");
        m_environment->writeSettings(m_environment->installPath(), {}, folders[1]);
        CVarnApp app;
        QVERIFY(app.openWorkspace(file).isOk());
        QCOMPARE(OdbcInstaller::registeredValue("AppDS", "Database"), folders[1] + "/AppDB.mdb");
        QCOMPARE(OdbcInstaller::registeredValue("AppDS", "DEFAULTDIR"), folders[1]);
    }
};

QTEST_GUILESS_MAIN(DataSourcesTest)
#include "tst_datasources.moc"
