// varn-cli templates and entities: the navigators' specifications and
// worked examples, and the System Entities window's lists, from a shell.
#include "support/clirun.h"
#include "support/workspaceenvironment.h"

#include <QtTest>

#include <memory>

class CliNavigatorsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<WorkspaceEnvironment> m_environment;
    QString m_workspace;

    CliRun cli(const QStringList &arguments) const { return CliRun::run(arguments, m_workspace); }

private slots:
    void initTestCase()
    {
        QVERIFY(!qEnvironmentVariableIsEmpty("VARN_CLI"));
        m_environment = std::make_unique<WorkspaceEnvironment>();
        m_workspace = m_environment->root() + QStringLiteral("/tower.vnp");
        QCOMPARE(CliRun::run({"new", "--system", "Tower", "--workspace", m_workspace}).exitCode, 0);
        const QList<QStringList> saves = {
            {"add", "--template", "19", "--field", "Entity=runway weather station", "--field",
             "StateValue=state", "--field", "Attribute=wind sensor", "--value", "nominal",
             "--value", "caution", "--field", "Default=nominal"},
            {"add", "--template", "20", "--preamble", "An", "--field", "Entity=airline", "--field",
             "Cardinality=0..n", "--field", "PartType=passenger", "--field", "PartEntity=planes"},
            {"add", "--template", "21", "--field", "Entity=cargo reservations"},
            {"add", "--template", "19", "--preamble", "An", "--field", "Type=ground", "--field",
             "Entity=engine", "--field", "StateValue=value", "--field", "Attribute=output",
             "--field", "DataType=decimal"},
        };
        for (const QStringList &save : saves)
            QCOMPARE(cli(save).exitCode, 0);
    }

    // The text pane of a navigator after Show Template Specification and
    // after See Examples, line breaks as a terminal shows them.
    void oneTemplate_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("out");
        QTest::newRow("functional")
            << "9"
            << "9  Event\n"
               "  Specification:\n"
               "    TEMPLATE: Event (T9)\n\n"
               "    DESCRIPTION: Use this template to specify an event in the system.\n\n"
               "    KEYWORDS: when, to/from.\n\n"
               "    EXAMPLE: The ESD system shall provide the capability to notify the "
               "operational subsystem when the wind sensor of a runway weather station changes "
               "from nominal to caution.\n\n"
               "    DETAILS: An association relationship is created for the <when> clause. An "
               "attribute and its values are created for the <to/from> clause.\n"
               "  Examples:\n"
               "    The ESD system shall illuminate the taxiway centerline lights when the "
               "visibility category of the airfield weather report changes from VFR to IFR.\n\n"
               "    The ESD system shall provide the capability to notify the operational "
               "subsystem when the wind sensor of a runway weather station changes from nominal "
               "to caution.\n\n"
               "    The ESD system shall enable the terminal duty manager to open the overflow "
               "passenger screening lane when the wait time status of the main security "
               "checkpoint changes from normal to congested.\n";
        QTest::newRow("structural")
            << "21"
            << "21  Entity/Type Definition\n"
               "  Specification:\n"
               "    TEMPLATE: Entity Definition (T21)\n\n"
               "    DESCRIPTION: Use this template to define a system entity.\n\n"
               "    KEYWORDS: type, entity\n\n"
               "    EXAMPLE: The ESD system shall include cargo reservations.\n\n"
               "    DETAILS: An entity, or type of entity, is created.\n"
               "  Examples:\n"
               "    The ESD system shall include cargo reservations.\n\n"
               "    The ESD system shall include passenger boarding bridges.\n\n"
               "    The ESD system shall include runway weather stations.\n";
    }

    void oneTemplate()
    {
        QFETCH(QString, number);
        QFETCH(QString, out);
        const CliRun run = CliRun::run({"templates", "--number", number});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, out);
    }

    // Without a number, every template in the navigators' order, each with
    // its specification and its three examples.
    void everyTemplate()
    {
        const CliRun run = CliRun::run({"templates"});
        QCOMPARE(run.exitCode, 0);
        const QStringList lines = run.out.split(QLatin1Char('\n'));
        QStringList items;
        for (const QString &line : lines) {
            if (!line.isEmpty() && line.at(0).isDigit())
                items.append(line);
        }
        QCOMPARE(items, QStringList({"1  Association",
                                     "2  Association with Condition",
                                     "3  Attribute Modification",
                                     "4  Attribute Modification with Condition",
                                     "5  Attribute Modification with External Event",
                                     "6  Composition",
                                     "7  Distinguishing Attribute",
                                     "8  Distinguishing Attribute with Condition",
                                     "9  Event",
                                     "10  Event with Condition",
                                     "11  External Interaction",
                                     "12  External Interaction with External Event",
                                     "13  How with Event",
                                     "14  How with Condition",
                                     "15  Relative Time",
                                     "16  Spatial Relationship",
                                     "17  Spatial Relationship with Condition",
                                     "18  Temporal Event",
                                     "19  Attribute Definition",
                                     "20  Composition Definition",
                                     "21  Entity/Type Definition",
                                     "22  Message Definition"}));
        QCOMPARE(lines.count(QStringLiteral("  Examples:")), 22);
        QVERIFY(!run.out.contains(QLatin1Char('\r')));
        QVERIFY(run.out.contains(QStringLiteral("\n    TEMPLATE: Temporal Event (T18)\n")));
    }

    // The System Entities window's lists, and Definition >> on a line of
    // either list.
    void entities_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("lists") << QStringList{"entities"} << 0
                               << "Entity\n  Airline\n  Cargo Reservation\n  Engine\n"
                                  "  Runway Weather Station\n"
                                  "Type : Entity\n  Ground : Engine\n  Passenger : Plane\n"
                               << QString();
        QTest::newRow("attributes")
            << QStringList{"entities", "--entity", "Runway Weather Station"} << 0
            << "Attributes\n  wind sensor\nTypes\n  None.\nParts\n  None.\n"
            << QString();
        QTest::newRow("in any case") << QStringList{"entities", "--entity", "airline"} << 0
                                     << "Attributes\n  None.\nTypes\n  None.\nParts\n"
                                        "  passenger plane\n"
                                     << QString();
        QTest::newRow("types") << QStringList{"entities", "--entity", "Engine"} << 0
                               << "Attributes\n  None.\nTypes\n  Ground\nParts\n  None.\n"
                               << QString();
        QTest::newRow("type : entity")
            << QStringList{"entities", "--entity", "Ground : Engine"} << 0
            << "Attributes\n  output\nTypes\n  None.\nParts\n  None.\n"
            << QString();
        QTest::newRow("unknown") << QStringList{"entities", "--entity", "ghost"} << 1 << QString()
                                 << "No entity \"ghost\" is known: varn-cli entities --workspace "
                                    "FILE.vnp lists them.\n";
    }

    void entities()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const CliRun run = cli(arguments);
        QCOMPARE(run.err, err);
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.out, out);
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("problem");
        QTest::newRow("template 0") << QStringList{"templates", "--number", "0"}
                                    << "varn-cli: --number takes a template number from 1 to 22";
        QTest::newRow("template 23") << QStringList{"templates", "--number", "23"}
                                     << "varn-cli: --number takes a template number from 1 to 22";
        QTest::newRow("template word") << QStringList{"templates", "--number", "nine"}
                                       << "varn-cli: --number takes a template number from 1 to 22";
        QTest::newRow("entities without workspace")
            << QStringList{"entities"} << "varn-cli: option --workspace is required";
    }

    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, problem);
        const CliRun run = CliRun::run(arguments);
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QString());
        QCOMPARE(run.err.section(QLatin1Char('\n'), 0, 0), problem);
    }

    // varn-cli --help lists both.
    void listedInHelp()
    {
        const CliRun run = CliRun::run({"--help"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.err.contains(QStringLiteral("\n  templates [--number N]\n")));
        QVERIFY(run.err.contains(
            QStringLiteral("\n  entities --workspace FILE.vnp [--entity NAME]\n")));
    }
};

QTEST_GUILESS_MAIN(CliNavigatorsTest)
#include "tst_cli_navigators.moc"
