// Team workspaces on a PostgreSQL server, driven as users drive them: several
// varn-cli processes on one database of a private cluster.
#include "app/cvarnapp.h"
#include "app/workspacefile.h"
#include "store/serveraddress.h"
#include "store/sqlconnection.h"
#include "support/clirun.h"
#include "support/pgcluster.h"
#include "support/workspaceenvironment.h"

#include <QDirIterator>
#include <QProcess>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

#include <memory>

using varn::store::ServerAddress;

class TeamWorkspaceTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<WorkspaceEnvironment> m_environment;
    PgCluster *m_cluster = nullptr;
    int m_files = 0;

    QString workspacePath()
    {
        return m_environment->root() + QStringLiteral("/team%1.vnp").arg(++m_files);
    }

    static CliRun newTeam(const QString &system, const QString &file, const QString &server)
    {
        return CliRun::run({QStringLiteral("new"), QStringLiteral("--system"), system,
                            QStringLiteral("--workspace"), file, QStringLiteral("--server"),
                            server});
    }
    // Requirement numbers, as the list command prints them.
    static QList<int> numbers(const QString &workspace)
    {
        const CliRun listed = CliRun::run(
            {QStringLiteral("list"), QStringLiteral("--format"), QStringLiteral("csv")}, workspace);
        QList<int> numbers;
        const QStringList lines = listed.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString &line : lines.mid(1))
            numbers.append(line.section(QLatin1Char(','), 0, 0).toInt());
        return numbers;
    }

    // The object model by content, keys aside (they follow the order in
    // which concurrent saves committed).
    static QStringList modelOf(const QString &server)
    {
        QStringList lines;
        {
            const auto address = ServerAddress::parse(server);
            if (!address)
                return {address.outcome().message()};
            const auto opened =
                varn::store::SqlConnection::openServer(QStringLiteral("model"), address.value());
            if (!opened)
                return {opened.outcome().message()};
            QSqlQuery query(opened.value());
            for (const char *sql :
                 {"SELECT 'entity ' || Entity FROM OM_ENTITY",
                  "SELECT 'attribute ' || e.Entity || '.' || a.Attribute || ' ' || a.DataTypeDef "
                  "FROM OM_ATTR a JOIN OM_ENTITY e ON e.Entity_ID = a.FK_EntityID",
                  "SELECT 'method ' || e.Entity || '.' || m.Method FROM OM_METHOD m JOIN "
                  "OM_ENTITY e ON e.Entity_ID = m.FK_EntityID",
                  "SELECT 'names ' || r.FK_FReqNum || ' ' || r.ReqEntity || ' ' || e.Entity FROM "
                  "REQ_ENTITY r JOIN OM_ENTITY e ON e.Entity_ID = r.FK_OMEntity"}) {
                if (!query.exec(QLatin1String(sql)))
                    lines.append(query.lastError().text());
                while (query.next())
                    lines.append(query.value(0).toString());
            }
        }
        varn::store::SqlConnection::close(QStringLiteral("model"));
        lines.sort();
        return lines;
    }
    // Writers in parallel processes, each saving that many requirements.
    static std::vector<std::unique_ptr<QProcess>> startWriters(const QString &file, int writers,
                                                               int savesEach)
    {
        std::vector<std::unique_ptr<QProcess>> processes;
        QStringList add = CliRun::addTemplate9(QStringLiteral("sensor$2"));
        for (QString &argument : add)
            argument = QLatin1Char('"') + argument + QLatin1Char('"');
        const QString command = QStringLiteral("for i in $(seq %1); do \"$VARN_CLI\" %2 "
                                               "--workspace \"$1\" >/dev/null || exit 1; done")
                                    .arg(savesEach)
                                    .arg(add.join(QLatin1Char(' ')));
        for (int writer = 0; writer < writers; ++writer) {
            auto &process = processes.emplace_back(std::make_unique<QProcess>());
            process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            process->start(QStringLiteral("sh"),
                           {QStringLiteral("-c"), command, QStringLiteral("sh"), file,
                            QString::number(writer)});
        }
        return processes;
    }
    static QList<int> oneTo(int last)
    {
        QList<int> expected;
        for (int number = 1; number <= last; ++number)
            expected.append(number);
        return expected;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(!qEnvironmentVariableIsEmpty("VARN_CLI"));
        m_environment = std::make_unique<WorkspaceEnvironment>();
        m_cluster = PgCluster::instance();
        QVERIFY(m_cluster);
    }

    void serverStrings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("canonical"); // empty: refused
        QTest::addColumn<QString>("reason");
        QTest::newRow("all four") << "user=ann dbname=reqs port=5433 host=db"
                                  << "host=db port=5433 dbname=reqs user=ann"
                                  << "";
        QTest::newRow("database only") << "dbname=reqs"
                                       << "host=localhost port=5432 dbname=reqs"
                                       << "";
        QTest::newRow("passed-on keyword") << "dbname=r sslmode=require"
                                           << "host=localhost port=5432 dbname=r sslmode=require"
                                           << "";
        QTest::newRow("no database") << "host=db user=ann"
                                     << ""
                                     << "names no database";
        QTest::newRow("password") << "dbname=r password=secret"
                                  << ""
                                  << "holds a password";
        QTest::newRow("unknown keyword") << "dbname=r options=-c"
                                         << ""
                                         << "\"options\" is not a keyword";
        QTest::newRow("quoted value") << "dbname='r x'"
                                      << ""
                                      << "the value of \"dbname\"";
        QTest::newRow("injection") << "dbname=r;DROP"
                                   << ""
                                   << "the value of \"dbname\"";
        QTest::newRow("bare word") << "dbname=r db"
                                   << ""
                                   << "\"db\" is not a keyword=value pair";
        QTest::newRow("twice") << "dbname=r dbname=s"
                               << ""
                               << "given twice";
        QTest::newRow("port out of range") << "dbname=r port=70000"
                                           << ""
                                           << "not a number from 1 to 65535";
        QTest::newRow("empty") << "  "
                               << ""
                               << "it is empty";
    }

    void serverStrings()
    {
        QFETCH(QString, text);
        QFETCH(QString, canonical);
        QFETCH(QString, reason);
        const auto address = ServerAddress::parse(text);
        QCOMPARE(address.isOk(), !canonical.isEmpty());
        if (address)
            QCOMPARE(address->text(), canonical);
        else
            QVERIFY2(address.outcome().message().contains(reason),
                     qPrintable(address.outcome().message()));
    }

    // Two engineers create the same system on one database: the second
    // joins and sees the first one's requirement; another system is refused.
    void createJoinRefuse()
    {
        const QString server = m_cluster->createDatabase();
        const QString first = workspacePath();
        QCOMPARE(newTeam(QStringLiteral("Acme"), first, server).exitCode, 0);
        const CliRun added =
            CliRun::run(CliRun::addTemplate9(QStringLiteral("the console")), first);
        QVERIFY2(added.exitCode == 0, qPrintable(added.err));

        const QString second = workspacePath();
        const CliRun joined = newTeam(QStringLiteral("Acme"), second, server);
        QVERIFY2(joined.exitCode == 0, qPrintable(joined.err));
        QCOMPARE(numbers(second), QList<int>{1});

        const CliRun other = newTeam(QStringLiteral("Zenith"), workspacePath(), server);
        QCOMPARE(other.exitCode, 1);
        QVERIFY2(other.err.contains(QStringLiteral("already holds the requirements of the system "
                                                   "\"Acme\"")),
                 qPrintable(other.err));
        QCOMPARE(numbers(first), QList<int>{1});
    }

    // The workspace file keeps the server string and no password; opening it
    // registers a data source for PostgreSQL's ODBC driver.
    void workspaceFileAndDataSource()
    {
        const QString server = m_cluster->createDatabase();
        const QString file = workspacePath();
        QCOMPARE(newTeam(QStringLiteral("Beacon"), file, server).exitCode, 0);
        const auto values = varn::app::WorkspaceFile::read(file);
        QVERIFY2(values, qPrintable(values.outcome().message()));
        QVERIFY(values->password.isEmpty());
        const auto address = ServerAddress::parse(server);
        QVERIFY2(address, qPrintable(address.outcome().message()));
        QCOMPARE(values->databaseFolder, address->text());
        QFile bytes(file);
        QVERIFY(bytes.open(QIODevice::ReadOnly));
        QVERIFY(!bytes.readAll().contains("quorbel"));

        varn::app::CVarnApp app;
        const varn::Outcome opened = app.openWorkspace(file);
        QVERIFY2(opened, qPrintable(opened.message()));
        QVERIFY(app.isTeamWorkspace());
        QCOMPARE(varn::app::OdbcInstaller::registeredValue(values->dataSourceName,
                                                           QStringLiteral("Driver")),
                 QStringLiteral("PostgreSQL Unicode"));
        QCOMPARE(varn::app::OdbcInstaller::registeredValue(values->dataSourceName,
                                                           QStringLiteral("Database")),
                 PgCluster::databaseOf(server));
    }

    // Writers in parallel processes: every save gets its own number, none is lost.
    void parallelWriters_data()
    {
        QTest::addColumn<int>("writers");
        QTest::addColumn<int>("savesEach");
        QTest::newRow("4 x 5") << 4 << 5;
        QTest::newRow("8 x 3") << 8 << 3;
    }

    void parallelWriters()
    {
        QFETCH(int, writers);
        QFETCH(int, savesEach);
        const QString file = workspacePath();
        QCOMPARE(newTeam(QStringLiteral("Crowd"), file, m_cluster->createDatabase()).exitCode, 0);
        for (auto &process : startWriters(file, writers, savesEach)) {
            QVERIFY(process->waitForFinished(120000));
            QCOMPARE(process->exitCode(), 0);
        }
        QList<int> stored = numbers(file);
        std::sort(stored.begin(), stored.end());
        QCOMPARE(stored, oneTo(writers * savesEach));
    }

    // The object model rebuilt on the server is the one the saves derived,
    // and the SQL generated from it creates its tables on the server.
    void regenerateAndGenerate()
    {
        const QString server = m_cluster->createDatabase();
        const QString file = workspacePath();
        QCOMPARE(newTeam(QStringLiteral("Harbor"), file, server).exitCode, 0);
        for (const char *entity : {"the crane", "the gate", "the berth", "the pilot boat"})
            QCOMPARE(CliRun::run(CliRun::addTemplate9(QLatin1String(entity)), file).exitCode, 0);
        const QStringList saved = modelOf(server);
        QVERIFY2(saved.filter(QStringLiteral("names ")).size() >= 8, qPrintable(saved.join('\n')));

        const CliRun regenerated = CliRun::run({QStringLiteral("regenerate")}, file);
        QVERIFY2(regenerated.exitCode == 0, qPrintable(regenerated.err));
        QCOMPARE(modelOf(server), saved);

        const CliRun generated = CliRun::run({QStringLiteral("generate"), QStringLiteral("sql"),
                                              QStringLiteral("--workspace"), file});
        QVERIFY2(generated.exitCode == 0, qPrintable(generated.err));
        QDirIterator found(m_environment->installPath(), {QStringLiteral("Harbor-schema.sql")},
                           QDir::Files, QDirIterator::Subdirectories);
        QVERIFY(found.hasNext());
        const QString target = m_cluster->createDatabase();
        QVERIFY(m_cluster->runScript(PgCluster::databaseOf(target), found.next()));
        QStringList tables, columns;
        {
            const auto address = ServerAddress::parse(target);
            QVERIFY2(address, qPrintable(address.outcome().message()));
            const auto opened = varn::store::SqlConnection::openServer(QStringLiteral("generated"),
                                                                       address.value());
            QVERIFY2(opened, qPrintable(opened.outcome().message()));
            tables = opened->tables();
            const QSqlRecord record = opened->record(QStringLiteral("RunwayWeatherStation"));
            for (int field = 0; field < record.count(); ++field)
                columns.append(record.fieldName(field).toLower());
        }
        varn::store::SqlConnection::close(QStringLiteral("generated"));
        tables.sort();
        QCOMPARE(tables, QStringList({"OperationalSubsystem", "RunwayWeatherStation"}));
        columns.sort();
        QCOMPARE(columns, QStringList({"berth", "crane", "gate", "pilotboat", "pkid_entity2"}));
    }

    // Regenerations while others save: every save is kept, and the model
    // afterwards is the one a regeneration rebuilds from the requirements.
    void regenerationWhileOthersSave()
    {
        const QString server = m_cluster->createDatabase();
        const QString file = workspacePath();
        QCOMPARE(newTeam(QStringLiteral("Busy"), file, server).exitCode, 0);
        QCOMPARE(CliRun::run(CliRun::addTemplate9(QStringLiteral("the radar")), file).exitCode, 0);
        auto writers = startWriters(file, 4, 6);
        for (int round = 0; round < 3; ++round) {
            const CliRun regenerated = CliRun::run({QStringLiteral("regenerate")}, file);
            QVERIFY2(regenerated.exitCode == 0, qPrintable(regenerated.err));
        }
        for (auto &process : writers) {
            QVERIFY(process->waitForFinished(120000));
            QCOMPARE(process->exitCode(), 0);
        }
        QList<int> stored = numbers(file);
        std::sort(stored.begin(), stored.end());
        QCOMPARE(stored, oneTo(1 + 4 * 6));
        const QStringList derived = modelOf(server);
        QCOMPARE(derived.filter(QStringLiteral("names ")).size(), 2 * stored.size());
        QCOMPARE(CliRun::run({QStringLiteral("regenerate")}, file).exitCode, 0);
        QCOMPARE(modelOf(server), derived);
    }

    // The server goes away: the save is refused with a clear message and what
    // was committed before is all there when it comes back.
    void serverGoesAway()
    {
        const QString file = workspacePath();
        QCOMPARE(newTeam(QStringLiteral("Outage"), file, m_cluster->createDatabase()).exitCode, 0);
        QCOMPARE(CliRun::run(CliRun::addTemplate9(QStringLiteral("the pump")), file).exitCode, 0);
        QVERIFY(m_cluster->stop());
        const CliRun refused = CliRun::run(CliRun::addTemplate9(QStringLiteral("the valve")), file);
        QVERIFY(m_cluster->start());
        QCOMPARE(refused.exitCode, 3);
        QVERIFY2(refused.err.startsWith(QStringLiteral("Cannot open Requirements database.")),
                 qPrintable(refused.err));
        QCOMPARE(numbers(file), QList<int>{1});
    }
};

QTEST_GUILESS_MAIN(TeamWorkspaceTest)
#include "tst_teamworkspace.moc"
