// The data sources in the user's ODBC file: other sections kept byte for
// byte, sources held by several workspaces, names within ODBC's limit, and
// AppDS naming the database that DbDir names.
#include "app/cvarnapp.h"
#include "app/datasource.h"
#include "support/workspaceenvironment.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <memory>

using namespace varn::app;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

DataSource acme()
{
    return DataSource::requirementsFor(QStringLiteral("Acme"), QStringLiteral("/srv/varn/"));
}

} // namespace

class DataSourcesTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<WorkspaceEnvironment> m_environment;

private slots:
    void initTestCase() { m_environment = std::make_unique<WorkspaceEnvironment>(); }

    void otherSectionsStayByteForByte_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after"); // what the user's own sections look like after
        QTest::newRow("no file") << QByteArray() << QByteArray();
        const QByteArray own = "# mine\n[Payroll]\r\nDriver = PostgreSQL\r\n  Trace=No  \n\n";
        QTest::newRow("comments, CRLF and blanks") << own << own;
        QTest::newRow("a section after ours") << own + "[AcmeReqDS]\nDriver=Old\n[Zeta]\nDriver=Z\n"
                                              << own + "[Zeta]\nDriver=Z\n";
        QTest::newRow("ours in other letter case") << "[acmereqds]\nDriver=Old\n" + own << own;
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
