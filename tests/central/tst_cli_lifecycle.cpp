// edit, reuse, delete and show on every kind of requirement, run as a user runs them.
#include "support/clirun.h"
#include "support/workspaceenvironment.h"

#include <QProcess>
#include <QtTest>

#include <memory>

class CliLifecycleTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<WorkspaceEnvironment> m_environment;
    QString m_workspace;

    CliRun cli(const QStringList &arguments) const { return CliRun::run(arguments, m_workspace); }

private slots:
    void initTestCase()
    {
        m_environment = std::make_unique<WorkspaceEnvironment>();
        m_workspace = m_environment->root() + QStringLiteral("/esd.vnp");
        QProcess::execute(qEnvironmentVariable("VARN_CLI"),
                          {"new", "--system", "ESD", "--workspace", m_workspace});
        QCOMPARE(cli({"add", "--template", "21", "--field", "Entity=cargo reservations"}).out,
                 QStringLiteral("1\n"));
        QCOMPARE(cli({"tech", "--text", "respond within 2 seconds"}).out, QStringLiteral("2\n"));
        QCOMPARE(cli({"add", "--template", "19", "--field", "Entity=gate", "--field",
                      "StateValue=state", "--field", "Attribute=status", "--value", "open"})
                     .out,
                 QStringLiteral("3\n"));
    }

    void everyKindIsEditedIntoANewVersion_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("sentence");
        QTest::newRow("entity definition")
            << QStringList{"edit", "--number", "1", "--field", "Type=priority"}
            << "The ESD system shall include priority cargo reservations.";
        QTest::newRow("technical")
            << QStringList{"edit", "--number", "2", "--text", "respond within 1 second"}
            << "The ESD system shall respond within 1 second.";
        QTest::newRow("attribute definition, one more value")
            << QStringList{"edit", "--number", "3", "--value", "closed"}
            << "A gate shall include a state attribute named status with the possible value(s): "
               "closed, open.";
    }

    void everyKindIsEditedIntoANewVersion()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, sentence);
        const CliRun edited = cli(arguments);
        QCOMPARE(edited.exitCode, 0);
        const QString number = edited.out.trimmed();
        const CliRun shown = cli({"show", "--number", number});
        QVERIFY(shown.out.contains(QStringLiteral("  Version: 2\n")));
        QVERIFY(cli({"list"}).out.contains(sentence));
        const CliRun old = cli({"show", "--number", arguments[2]});
        QVERIFY(old.out.contains(QStringLiteral("  FSTType: Deleted\n")));
        QCOMPARE(
            cli({"edit", "--number", arguments[2]}).err,
            QStringLiteral("The selected requirement has been deleted and cannot be edited.\n"));
    }

    void deletedRequirementsCanBeReused()
    {
        const CliRun reused = cli({"reuse", "--number", "2"});
        QCOMPARE(reused.exitCode, 0);
        QVERIFY(cli({"show", "--number", reused.out.trimmed()})
                    .out.contains(QStringLiteral("  Version: 1\n")));
        QCOMPARE(cli({"delete", "--number", reused.out.trimmed(), "--yes"}).exitCode, 0);
        QCOMPARE(cli({"delete", "--number", reused.out.trimmed(), "--yes"}).err,
                 QStringLiteral("This requirement has already been deleted. No action taken.\n"));
    }
};

QTEST_GUILESS_MAIN(CliLifecycleTest)
#include "tst_cli_lifecycle.moc"
