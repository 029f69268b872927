// varn-cli new and info, run as a user runs them.
#include "support/clirun.h"
#include "support/testbackend.h"
#include "support/workspaceenvironment.h"

#include <QProcess>
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
