// varn-cli add --template 19..22 and tech, run as a user runs them.
#include "support/clirun.h"
#include "support/workspaceenvironment.h"

#include <QtTest>

#include <memory>

namespace {

// A command's arguments written as one text, "|" between them.
QStringList args(const char *joined)
{
    return QString::fromUtf8(joined).split(QLatin1Char('|'));
}

} // namespace

class StructuralCliTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<WorkspaceEnvironment> m_environment;
    QString m_workspace;
    QStringList m_listing; // as the last row of commands() left it

    CliRun cli(const QStringList &arguments) const { return CliRun::run(arguments, m_workspace); }

    QStringList listing() { return cli({"list", "--format", "csv"}).out.split('\n'); }

private slots:
    void initTestCase()
    {
        QVERIFY(!qEnvironmentVariableIsEmpty("VARN_CLI"));
        m_environment = std::make_unique<WorkspaceEnvironment>();
        m_workspace = m_environment->root() + QStringLiteral("/esd.vnp");
        QCOMPARE(CliRun::run({"new", "--system", "ESD", "--workspace", m_workspace}).exitCode, 0);
        m_listing = listing();
    }

    void commands_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("result"); // the listed sentence, or the message on stderr

        QTest::newRow("19 possible values")
            << args("add|--template|19|--field|Entity=runway weather station|"
                    "--field|statevalue=state|--field|Attribute=wind sensor|"
                    "--value|nominal|--value|caution|--field|Default=nominal")
            << 0
            << "A runway weather station shall include a state attribute named wind sensor with "
               "the possible value(s): caution, nominal and a default of nominal.";
        QTest::newRow("19 data type")
            << args("add|--template|19|--preamble|1|--field|Entity=engine|--field|StateValue=value|"
                    "--field|Attribute=output|--field|DataType=decimal")
            << 0
            << "An engine shall include a value attribute named output with the data type of "
               "decimal.";
        QTest::newRow("20") << args("add|--template|20|--preamble|An|--field|Entity=airline|"
                                    "--field|Cardinality=1..n|--field|PartEntity=planes")
                            << 0 << "An airline shall include 1..n planes.";
        QTest::newRow("21")
            << args("add|--template|21|--field|Type=priority|--field|Entity=cargo reservations")
            << 0 << "The ESD system shall include priority cargo reservations.";
        QTest::newRow("22") << args("add|--template|22|--field|Message=gate arrival message|"
                                    "--field|Field=identifier|--field|From=1|--field|To=99")
                            << 0
                            << "A gate arrival message shall include an identifier field with a "
                               "range of 1 to 99.";
        QTest::newRow("tech") << args("tech|--text|log  every fault.|--category|Hardware") << 0
                              << "The ESD system shall log every fault.";
        QTest::newRow("refused: both count and cardinality")
            << args("add|--template|20|--field|Entity=airline|--field|HowMany=2|--field|"
                    "Cardinality=1..n|--field|PartEntity=planes")
            << 1 << "Invalid composition. Must specify 'how many' or 'cardinality'.\nNot both.\n";
        QTest::newRow("refused: empty possible value")
            << QStringList{"add", "--template", "22", "--field", "Message=m", "--value", ""} << 1
            << "A Possible Value has not been defined. Must enter a value in the Add field.\n";
        QTest::newRow("refused: no technical text")
            << QStringList{"tech", "--text", " "} << 1
            << "Validation error. The requirement text must be defined.\n";
        QTest::newRow("usage: control of another template")
            << QStringList{"add", "--template", "21", "--field", "HowMany=2"} << 2
            << "varn-cli: --field takes NAME=TEXT with NAME one of Type, Entity for template 21\n";
        QTest::newRow("usage: no such state")
            << QStringList{"add", "--template", "19", "--field", "StateValue=solid"} << 2
            << "varn-cli: StateValue takes state or value\n";
        QTest::newRow("usage: values with a data type")
            << QStringList{"add", "--template", "19", "--field", "DataType=string", "--value", "x"}
            << 2 << "varn-cli: --value needs the possible values (ValueGroup=possible values)\n";
        QTest::newRow("usage: values for template 21")
            << QStringList{"add", "--template", "21", "--value", "x"} << 2
            << "varn-cli: --value is for templates 19 and 22\n";
        QTest::newRow("usage: template 23") << QStringList{"add", "--template", "23"} << 2
                                            << "varn-cli: --template takes a template, 1 to 22\n";
    }

    void commands()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, result);
        const CliRun run = cli(arguments);
        QCOMPARE(run.exitCode, exitCode);
        const QStringList lines = listing();
        if (exitCode == 0) {
            QVERIFY(run.err.isEmpty());
            const QString number = run.out.trimmed();
            QCOMPARE(lines.size(), m_listing.size() + 1);
            // The sentence `list` shows for the requirement just added.
            QCOMPARE(lines.at(lines.size() - 2).section(',', 0, 0), number);
            QCOMPARE(lines.at(lines.size() - 2).section(',', 2).remove('"'), result);
        } else {
            QVERIFY(run.err.startsWith(result));
            QVERIFY(run.out.isEmpty());
            QCOMPARE(lines, m_listing);
        }
        m_listing = lines;
    }
};

QTEST_GUILESS_MAIN(StructuralCliTest)
#include "tst_structuralcli.moc"
