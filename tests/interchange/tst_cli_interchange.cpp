// export, import and trace run as a user runs them, on the worked example of
// the ESD airport system.
#include "support/clirun.h"
#include "support/workspaceenvironment.h"

#include <QProcess>
#include <QtTest>

#include <memory>

class CliInterchangeTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<WorkspaceEnvironment> m_environment;
    QString m_workspace;

    CliRun cli(const QStringList &arguments) const { return CliRun::run(arguments, m_workspace); }
    QString file(const QString &name) const { return m_environment->root() + '/' + name; }

    static QString newWorkspace(const QString &path, const QString &system)
    {
        QProcess::execute(qEnvironmentVariable("VARN_CLI"),
                          {"new", "--system", system, "--workspace", path});
        return path;
    }

private slots:
    void initTestCase()
    {
        m_environment = std::make_unique<WorkspaceEnvironment>();
        m_environment->writeDefaultSettings();
        m_workspace = newWorkspace(file("esd.vnp"), "ESD");
        QCOMPARE(cli({"add",           "--template", "9",
                      "--preamble",    "1",          "--field",
                      "1=notify",      "--field",    "4=operational subsystem",
                      "--field",       "5=when",     "--field",
                      "6=wind sensor", "--field",    "8=runway weather station",
                      "--field",       "9=changes",  "--field",
                      "10=from",       "--field",    "11=nominal",
                      "--field",       "12=to",      "--field",
                      "13=caution"})
                     .out,
                 QStringLiteral("1\n"));
        QCOMPARE(cli({"add", "--template", "19", "--field", "Entity=runway weather station",
                      "--field", "StateValue=state", "--field", "Attribute=wind sensor", "--value",
                      "nominal", "--value", "caution", "--field", "Default=nominal"})
                     .out,
                 QStringLiteral("2\n"));
        QCOMPARE(cli({"tech", "--text", "respond to every query within 2 seconds"}).out,
                 QStringLiteral("3\n"));
        QCOMPARE(cli({"depend", "--parent", "2", "--dependent", "1"}).exitCode, 0);
    }

    // The Template 9 requirement produced two entities, the wind sensor
    // attribute, the notifying method and the pointer between them; once
    // C++ was generated, each is found in its header.
    void traceNamesWhatTheRequirementProduced()
    {
        const CliRun before = cli({"trace", "--number", "1"});
        QCOMPARE(before.exitCode, 0);
        for (const char *line :
             {"  entity OperationalSubsystem", "  entity RunwayWeatherStation",
              "    attribute windSensor", "    method notifyOperationalSubsystem",
              "    attribute *pOperationalSubsystem"})
            QVERIFY2(before.out.contains(QLatin1String(line) + QLatin1Char('\n')),
                     qPrintable(before.out));
        QCOMPARE(CliRun::run({"generate", "cpp", "--workspace", m_workspace}).exitCode, 0);
        const CliRun after = cli({"trace", "--number", "1"});
        const QString header =
            m_environment->installPath() + "ESD C++ Files/RunwayWeatherStation.h";
        QVERIFY2(after.out.contains("  entity RunwayWeatherStation  " + header + ":"),
                 qPrintable(after.out));
        QVERIFY2(after.out.contains(QRegularExpression("attribute windSensor  .*Station\\.h:\\d+")),
                 qPrintable(after.out));
    }

    void traceRunsBothWays_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("firstWords");
        QTest::newRow("entity by class name")
            << QStringList{"--entity", "RunwayWeatherStation"} << 0 << QStringList{"1", "2"};
        QTest::newRow("entity as written")
            << QStringList{"--entity", "operational subsystem"} << 0 << QStringList{"1"};
        QTest::newRow("technical requirement")
            << QStringList{"--number", "3"} << 0 << QStringList{"3"};
        QTest::newRow("no such entity") << QStringList{"--entity", "truck"} << 1 << QStringList{};
        QTest::newRow("no such number") << QStringList{"--number", "99"} << 1 << QStringList{};
        QTest::newRow("neither") << QStringList{} << 2 << QStringList{};
        QTest::newRow("both") << QStringList{"--number", "1", "--entity", "x"} << 2
                              << QStringList{};
        QTest::newRow("not a number") << QStringList{"--number", "one"} << 2 << QStringList{};
    }

    void traceRunsBothWays()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QStringList, firstWords);
        const CliRun traced = cli(QStringList{"trace"} + arguments);
        QCOMPARE(traced.exitCode, exitCode);
        QStringList found;
        for (const QString &line : traced.out.split('\n', Qt::SkipEmptyParts)) {
            if (!line.startsWith(' ') || line.trimmed().front().isDigit())
                found.append(line.trimmed().section(' ', 0, 0));
        }
        QCOMPARE(found, firstWords);
    }

    // A second workspace takes the export: a dry run says what would come
    // and writes nothing, the import brings the requirements and the link.
    void exportedFileImportsIntoAnotherWorkspace()
    {
        QCOMPARE(cli({"export", "reqif", "--output", file("esd.reqif")}).out,
                 "3 requirement(s) written to " + file("esd.reqif") + "\n");
        const QString other = newWorkspace(file("copy.vnp"), "Copy");
        const CliRun dry =
            CliRun::run({"import", "reqif", "--input", file("esd.reqif"), "--dry-run"}, other);
        QCOMPARE(dry.exitCode, 0);
        QVERIFY2(dry.out.endsWith("Would import 3 requirement(s) and 1 dependent link(s); 0 left "
                                  "out.\n"),
                 qPrintable(dry.out + dry.err));
        QCOMPARE(CliRun::run({"list", "--format", "csv"}, other).out.count('\n'), 1);
        QCOMPARE(CliRun::run({"import", "reqif", "--input", file("esd.reqif")}, other).exitCode, 0);
        QCOMPARE(CliRun::run({"list"}, other).out.replace("The Copy system", "The ESD system"),
                 cli({"list"}).out);
        QVERIFY(CliRun::run({"show", "--number", "2"}, other).out.contains("Dep_ReqNum: 1"));
    }

    // --specification takes one of a file's specifications; a name the file
    // lacks is refused with the names it holds.
    void oneSpecificationOfAFile_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said");
        QTest::newRow("every one") << QString() << 0 << "Imported 2 requirement(s)";
        QTest::newRow("one") << "Software" << 0 << "Imported 1 requirement(s)";
        QTest::newRow("unknown") << "Hardware" << 1
                                 << "The file holds no specification named \"Hardware\". It "
                                    "holds: System, Software.";
    }

    void oneSpecificationOfAFile()
    {
        QFETCH(QString, chosen);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        auto object = [](const char *identifier, const char *text) {
            return QByteArray("<SPEC-OBJECT IDENTIFIER=\"") + identifier +
                   "\"><VALUES><ATTRIBUTE-VALUE-STRING THE-VALUE=\"" + text +
                   "\"><DEFINITION><ATTRIBUTE-DEFINITION-STRING-REF>d</ATTRIBUTE-DEFINITION-STRING-"
                   "REF></DEFINITION></ATTRIBUTE-VALUE-STRING></VALUES></SPEC-OBJECT>";
        };
        auto specification = [](const char *name, const char *objectId) {
            return QByteArray("<SPECIFICATION IDENTIFIER=\"") + name + "\" LONG-NAME=\"" + name +
                   "\"><CHILDREN><SPEC-HIERARCHY IDENTIFIER=\"h-" + objectId +
                   "\"><OBJECT><SPEC-OBJECT-REF>" + objectId +
                   "</SPEC-OBJECT-REF></OBJECT></SPEC-HIERARCHY></CHILDREN></SPECIFICATION>";
        };
        QFile xml(file("two.reqif"));
        QVERIFY(xml.open(QIODevice::WriteOnly));
        xml.write(
            "<REQ-IF xmlns=\"http://www.omg.org/spec/ReqIF/20110401/reqif.xsd\"><CORE-CONTENT>"
            "<REQ-IF-CONTENT><SPEC-OBJECTS>" +
            object("a", "brake on an alarm") + object("b", "close the valve") +
            "</SPEC-OBJECTS><SPECIFICATIONS>" + specification("System", "a") +
            specification("Software", "b") +
            "</SPECIFICATIONS></REQ-IF-CONTENT></CORE-CONTENT></REQ-IF>");
        xml.close();
        const QString target = newWorkspace(file("two" + chosen + ".vnp"), "Two" + chosen);
        QStringList arguments{"import", "reqif", "--input", file("two.reqif")};
        if (!chosen.isEmpty())
            arguments += {"--specification", chosen};
        const CliRun imported = CliRun::run(arguments, target);
        QCOMPARE(imported.exitCode, exitCode);
        QVERIFY2((imported.out + imported.err).contains(said),
                 qPrintable(imported.out + imported.err));
    }

    // The report stands alone: its style inside, nothing fetched.
    void htmlReportIsSelfContained()
    {
        QCOMPARE(cli({"export", "html", "--output", file("esd.html")}).exitCode, 0);
        QFile report(file("esd.html"));
        QVERIFY(report.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(report.readAll());
        QVERIFY(html.contains("<style>"));
        QVERIFY(html.contains("@media print"));
        QVERIFY(html.contains("windSensor"));
        QVERIFY(!html.contains("src=") && !html.contains("href=") && !html.contains("url("));
    }

    void formatsAreChecked_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("export pdf") << QStringList{"export", "pdf", "--output", "x"};
        QTest::newRow("import html") << QStringList{"import", "html", "--input", "x"};
        QTest::newRow("no output") << QStringList{"export", "csv"};
    }

    void formatsAreChecked()
    {
        QFETCH(QStringList, arguments);
        QCOMPARE(cli(arguments).exitCode, 2);
    }
};

QTEST_GUILESS_MAIN(CliInterchangeTest)
#include "tst_cli_interchange.moc"
