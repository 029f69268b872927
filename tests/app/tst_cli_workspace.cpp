// varn-cli new and info, run as a user runs them.
#include "support/clirun.h"
#include "support/testbackend.h"
#include "support/workspaceenvironment.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include <memory>

class CliWorkspaceTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<WorkspaceEnvironment> m_environment;

    static CliRun cli(const QStringList &arguments) { return CliRun::run(arguments); }

private slots:
    void initTestCase()
    {
        QVERIFY(!qEnvironmentVariableIsEmpty("VARN_CLI"));
        m_environment = std::make_unique<WorkspaceEnvironment>();
    }

    void newThenInfo()
    {
        const QString file = m_environment->root() + QStringLiteral("/acme.vnp");
        const CliRun created =
            cli({QStringLiteral("new"), QStringLiteral("--system"), QStringLiteral("Acme Telecom"),
                 QStringLiteral("--workspace"), file});
        QCOMPARE(created.exitCode, 0);
        QVERIFY(QFile::exists(file));

        const CliRun info = cli({QStringLiteral("info"), QStringLiteral("--workspace"), file});
        QCOMPARE(info.exitCode, 0);
        QVERIFY(info.out.contains(QStringLiteral("System name:  Acme Telecom\n")));
        QVERIFY(info.out.contains(QStringLiteral("Data source:  Acme TelecomReqDS\n")));
        QVERIFY(info.out.contains(TestBackend::isServer()
                                      ? QStringLiteral("Database:     host=")
                                      : m_environment->databaseFolder() +
                                            QStringLiteral("/Acme TelecomReq.mdb")));
        QVERIFY(info.out.contains(QStringLiteral("Requirements: 0\n")));
    }

    // A workspace made before the list's indexes existed gains them when it
    // is opened, once, and the user hears of the wait before it.
    void olderWorkspaceIsPreparedWithANotice()
    {
        if (TestBackend::isServer())
            QSKIP("the notice is about the workspace file's indexes");
        const QString file = m_environment->root() + QStringLiteral("/older.vnp");
        QCOMPARE(cli({QStringLiteral("new"), QStringLiteral("--system"), QStringLiteral("Older"),
                      QStringLiteral("--workspace"), file})
                     .exitCode,
                 0);
        const QString database = m_environment->databaseFolder() + QStringLiteral("/OlderReq.mdb");
        const QString index = QStringLiteral("MASTER_REQ_List_Sentence");
        auto hasIndex = [&] {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("older"));
            db.setDatabaseName(database);
            bool found = false;
            if (db.open()) {
                QSqlQuery query(db);
                query.exec(
                    QStringLiteral("SELECT name FROM sqlite_master WHERE name = '%1'").arg(index));
                found = query.next();
                db.close();
            }
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(QStringLiteral("older"));
            return found;
        };
        QVERIFY(hasIndex());
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("dropping"));
            db.setDatabaseName(database);
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec(QStringLiteral("DROP INDEX ") + index));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("dropping"));
        QVERIFY(!hasIndex());

        const CliRun first = cli({QStringLiteral("info"), QStringLiteral("--workspace"), file});
        QCOMPARE(first.exitCode, 0);
        QVERIFY2(first.err.startsWith(QStringLiteral("Preparing the workspace: ")),
                 qPrintable(first.err));
        QVERIFY(first.out.contains(QStringLiteral("Requirements: 0\n")));
        QVERIFY(hasIndex());
        const CliRun again = cli({QStringLiteral("info"), QStringLiteral("--workspace"), file});
        QCOMPARE(again.exitCode, 0);
        QCOMPARE(again.err, QString());
    }

    void exitCodes_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty system name")
            << QStringList{"new", "--system", "", "--workspace", "x.vnp"} << 1
            << "Must enter a System Name or Cancel.\n";
        QTest::newRow("missing option") << QStringList{"new", "--system", "Acme"} << 2
                                        << "varn-cli: option --workspace is required\n";
        QTest::newRow("unknown option") << QStringList{"info", "--workspce", "x"} << 2
                                        << "varn-cli: unknown option --workspce\n";
        QTest::newRow("no such workspace")
            << QStringList{"info", "--workspace", "/nonexistent.vnp"} << 3
            << "Error opening file at the path specified.\n"
               "/nonexistent.vnp: No such file or directory\n";
        QTest::newRow("unknown command")
            << QStringList{"frobnicate"} << 2 << "varn-cli: unknown command \"frobnicate\"\n";
    }

    void exitCodes()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const CliRun run = cli(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.startsWith(message), qPrintable(run.err));
    }
};

QTEST_GUILESS_MAIN(CliWorkspaceTest)
#include "tst_cli_workspace.moc"
