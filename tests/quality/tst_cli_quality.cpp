// varn-cli quality run as a user runs it: the set rules on small workspaces
// built for each, accepting a finding until the requirement changes, the
// workspace's settings, and the exit codes and JSON of the checks.
#include "support/clirun.h"
#include "support/workspaceenvironment.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <memory>

namespace {

// A template 9 requirement whose change goes from one value to another.
QStringList change(const QString &from, const QString &to,
                   const QString &notified = "operational subsystem")
{
    QStringList arguments{"add", "--template", "9", "--preamble", "1"};
    for (const QString &field :
         {QStringLiteral("1=notify"), QStringLiteral("4=") + notified, QStringLiteral("5=when"),
          QStringLiteral("6=wind sensor"), QStringLiteral("8=runway weather station"),
          QStringLiteral("9=changes"), QStringLiteral("10=from"), QStringLiteral("11=") + from,
          QStringLiteral("12=to"), QStringLiteral("13=") + to})
        arguments << "--field" << field;
    return arguments;
}

QStringList windSensor(const QStringList &values, const QString &defaultValue = "nominal")
{
    QStringList arguments{"add",
                          "--template",
                          "19",
                          "--field",
                          "Entity=runway weather station",
                          "--field",
                          "StateValue=state",
                          "--field",
                          "Attribute=wind sensor"};
    for (const QString &value : values)
        arguments << "--value" << value;
    arguments << "--field" << QStringLiteral("Default=") + defaultValue;
    return arguments;
}

QStringList composition(const QString &whole, const QString &part)
{
    return {"add",
            "--template",
            "20",
            "--field",
            QStringLiteral("Entity=") + whole,
            "--field",
            "Cardinality=0..n",
            "--field",
            QStringLiteral("PartEntity=") + part};
}

QStringList tech(const QString &text)
{
    return {"tech", "--text", text};
}

// "number:rule" of each finding the JSON lists, in its order.
QStringList findingsOf(const QString &json)
{
    QStringList found;
    const QJsonArray array = QJsonDocument::fromJson(json.toUtf8()).array();
    for (const QJsonValue &value : array) {
        const QJsonObject object = value.toObject();
        found.append(QString::number(object.value("number").toInt()) + QLatin1Char(':') +
                     object.value("rule").toString());
    }
    return found;
}

} // namespace

class CliQualityTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<WorkspaceEnvironment> m_environment;
    int m_workspaces = 0;

    QString newWorkspace()
    {
        const QString workspace =
            m_environment->root() + QStringLiteral("/w%1.vnp").arg(++m_workspaces);
        // A system of its own: each workspace file has its own database.
        const CliRun created =
            CliRun::run({"new", "--system", QStringLiteral("ESD%1").arg(m_workspaces),
                         "--workspace", workspace});
        if (created.exitCode != 0)
            qWarning("%s", qPrintable(created.err));
        return workspace;
    }

private slots:
    void initTestCase()
    {
        m_environment = std::make_unique<WorkspaceEnvironment>();
        m_environment->writeDefaultSettings();
    }

    // The worked examples saved through their templates give no finding:
    // exit 0.
    void workedExamplesAreClean()
    {
        const QString workspace = newWorkspace();
        QCOMPARE(CliRun::run({"examples"}, workspace).exitCode, 0);
        const CliRun checked = CliRun::run({"quality"}, workspace);
        QCOMPARE(checked.err, QString());
        QCOMPARE(checked.out, QStringLiteral("0 finding(s) in 0 requirement(s).\n"));
        QCOMPARE(checked.exitCode, 0);
    }

    // Each row builds a workspace of a few requirements (numbered from 1 in
    // the order given), links them, and lists the set findings.
    void setRules_data()
    {
        QTest::addColumn<QList<QStringList>>("steps");
        QTest::addColumn<QStringList>("findings");
        QTest::newRow("duplicate")
            << QList<QStringList>{tech("log every failed login"), tech("log every  failed login"),
                                  tech("log every failed logout")}
            << QStringList{"1:duplicate", "2:duplicate"};
        QTest::newRow("near-duplicate")
            << QList<
                   QStringList>{tech("show the arrival time of each flight on the apron display"),
                                tech("show the departure time of each flight on the apron display"),
                                tech("print the loading list")}
            << QStringList{"1:near-duplicate", "2:near-duplicate"};
        QTest::newRow("different enough")
            << QList<QStringList>{tech("show the arrival time of each flight"),
                                  tech("print the departure gate of each aircraft")}
            << QStringList{};
        QTest::newRow("value not listed")
            << QList<QStringList>{windSensor({"nominal", "caution"}), change("nominal", "caution"),
                                  change("nominal", "stormy", "tower")}
            << QStringList{"3:value-conflict"};
        QTest::newRow("value to itself")
            << QList<QStringList>{change("nominal", "nominal")} << QStringList{"1:value-conflict"};
        QTest::newRow("two definitions")
            << QList<QStringList>{windSensor({"nominal", "caution"}),
                                  windSensor({"nominal", "caution", "warning"})}
            << QStringList{"1:near-duplicate", "1:definition-conflict", "2:near-duplicate",
                           "2:definition-conflict"};
        QTest::newRow("other default")
            << QList<QStringList>{windSensor({"nominal", "caution"}),
                                  windSensor({"nominal", "caution"}, "caution")}
            << QStringList{"1:near-duplicate", "1:definition-conflict", "2:near-duplicate",
                           "2:definition-conflict"};
        QTest::newRow("part of itself")
            << QList<QStringList>{composition("engine", "engine"), composition("truck", "engine")}
            << QStringList{"1:definition-conflict"};
        QTest::newRow("part of its part")
            << QList<QStringList>{composition("truck", "trailer"), composition("trailer", "truck"),
                                  composition("truck", "cab")}
            << QStringList{"1:definition-conflict", "2:definition-conflict"};
        QTest::newRow("dependency cycle")
            << QList<QStringList>{tech("log every failed login"),
                                  tech("lock an account"),
                                  tech("notify the security officer"),
                                  {"depend", "--parent", "1", "--dependent", "2"},
                                  {"depend", "--parent", "2", "--dependent", "3"},
                                  {"depend", "--parent", "3", "--dependent", "1"}}
            << QStringList{"1:dependency-cycle", "2:dependency-cycle", "3:dependency-cycle"};
        QTest::newRow("dependency chain")
            << QList<QStringList>{tech("log every failed login"),
                                  tech("lock an account"),
                                  {"depend", "--parent", "1", "--dependent", "2"}}
            << QStringList{};
    }

    void setRules()
    {
        QFETCH(QList<QStringList>, steps);
        QFETCH(QStringList, findings);
        const QString workspace = newWorkspace();
        for (const QStringList &step : steps) {
            const CliRun ran = CliRun::run(step, workspace);
            QVERIFY2(ran.exitCode == 0 || step.front() == "depend", qPrintable(ran.err));
        }
        const CliRun checked = CliRun::run({"quality", "--format", "json"}, workspace);
        QCOMPARE(checked.err, QString());
        QCOMPARE(findingsOf(checked.out), findings);
        QCOMPARE(checked.exitCode, findings.isEmpty() ? 0 : 1);
    }

    // An accepted finding is not shown again until the requirement gets a
    // new version; the acceptance keeps its reason, who and when.
    void acceptedUntilChanged()
    {
        const QString workspace = newWorkspace();
        QCOMPARE(CliRun::run(tech("respond quickly to a query"), workspace).exitCode, 0);
        QCOMPARE(CliRun::run(tech("be able to print the manifest"), workspace).exitCode, 0);
        CliRun checked = CliRun::run({"quality", "--number", "1", "--format", "json"}, workspace);
        QCOMPARE(findingsOf(checked.out), QStringList{"1:vague-term"});

        const CliRun refused = CliRun::run(
            {"quality", "accept", "--number", "1", "--rule", "passive", "--reason", "x"},
            workspace);
        QCOMPARE(refused.exitCode, 1);
        QCOMPARE(refused.err,
                 QStringLiteral("Requirement 1 has no finding of the rule \"passive\".\n"));
        const CliRun accepted =
            CliRun::run({"quality", "accept", "--number", "1", "--rule", "vague-term", "--reason",
                         "the operators asked for these words"},
                        workspace);
        QCOMPARE(accepted.err, QString());
        QCOMPARE(accepted.exitCode, 0);
        checked = CliRun::run({"quality", "--format", "json"}, workspace);
        QCOMPARE(findingsOf(checked.out), QStringList{"2:superfluous-infinitive"});

        const QStringList listed = CliRun::run({"quality", "accepted"}, workspace).out.split('\t');
        QCOMPARE(listed.size(), 7);
        QCOMPARE(listed.mid(0, 5), (QStringList{"1", "1", "vague-term", "quickly",
                                                "the operators asked for these words"}));
        QVERIFY(!listed[5].isEmpty());
        QVERIFY(listed[6].startsWith(QString::number(QDate::currentDate().year())));

        // A new version is a new requirement to review: its finding shows.
        QCOMPARE(CliRun::run({"edit", "--number", "1", "--text", "respond quickly to any query"},
                             workspace)
                     .out,
                 QStringLiteral("3\n"));
        checked = CliRun::run({"quality", "--format", "json"}, workspace);
        QCOMPARE(findingsOf(checked.out),
                 (QStringList{"2:superfluous-infinitive", "3:vague-term"}));
        // Accepting a finding of a version that is no longer live is refused.
        const CliRun old = CliRun::run(
            {"quality", "accept", "--number", "1", "--rule", "vague-term", "--reason", "x"},
            workspace);
        QCOMPARE(old.exitCode, 1);
        QCOMPARE(old.err,
                 QStringLiteral("Requirement 1 is not a live requirement of this workspace.\n"));
    }

    // A rule switched off finds nothing; a word added to a rule is found;
    // both are the workspace's, kept in its database.
    void settingsOfTheWorkspace()
    {
        const QString workspace = newWorkspace();
        QCOMPARE(CliRun::run(tech("respond quickly with a snappy screen"), workspace).exitCode, 0);
        QCOMPARE(findingsOf(CliRun::run({"quality", "--format", "json"}, workspace).out),
                 QStringList{"1:vague-term"});
        QCOMPARE(
            CliRun::run({"quality", "words", "--rule", "vague-term", "--add", "snappy"}, workspace)
                .exitCode,
            0);
        QCOMPARE(findingsOf(CliRun::run({"quality", "--format", "json"}, workspace).out),
                 (QStringList{"1:vague-term", "1:vague-term"}));
        // --text reads the words a workspace added when it is named.
        QCOMPARE(CliRun::run({"quality", "--text", "a snappy screen"}, workspace).exitCode, 1);
        QCOMPARE(CliRun::run({"quality", "--text", "a snappy screen"}).exitCode, 0);
        QCOMPARE(
            CliRun::run({"quality", "rule", "--rule", "vague-term", "--off"}, workspace).exitCode,
            0);
        CliRun checked = CliRun::run({"quality"}, workspace);
        QCOMPARE(checked.out, QStringLiteral("0 finding(s) in 0 requirement(s).\n"));
        QCOMPARE(checked.exitCode, 0);
        QVERIFY(CliRun::run({"quality", "rules"}, workspace)
                    .out.contains(QStringLiteral("vague-term\toff\tVague term\tsnappy\n")));
        QCOMPARE(
            CliRun::run({"quality", "rule", "--rule", "vague-term", "--on"}, workspace).exitCode,
            0);
        QCOMPARE(CliRun::run({"quality", "words", "--rule", "vague-term", "--remove", "snappy"},
                             workspace)
                     .exitCode,
                 0);
        QCOMPARE(findingsOf(CliRun::run({"quality", "--format", "json"}, workspace).out),
                 QStringList{"1:vague-term"});
    }

    // --text: the JSON of every finding, positions in the text, number null;
    // exit 1 with findings, 0 without, 2 for a usage error.
    void textChecks_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::newRow("clean") << QStringList{"quality", "--text", "log every failed login"} << 0
                               << "0 finding(s).\n";
        QTest::newRow("text format")
            << QStringList{"quality", "--text", "retry the upload if possible"} << 1
            << "escape-clause at 17: \"if possible\" lets the requirement be met by not meeting "
               "it: remove it or state the condition.\n"
               "  suggestion: delete \"if possible\"\n"
               "1 finding(s).\n";
        QTest::newRow("json")
            << QStringList{"quality", "--text", "process it, TBD", "--format", "json"} << 1
            << "[\n"
               "    {\n"
               "        \"length\": 2,\n"
               "        \"message\": \"\\\"it\\\" refers to something named elsewhere: name it "
               "here.\",\n"
               "        \"number\": null,\n"
               "        \"rule\": \"pronoun\",\n"
               "        \"start\": 8,\n"
               "        \"suggestion\": null,\n"
               "        \"words\": \"it\"\n"
               "    },\n"
               "    {\n"
               "        \"length\": 3,\n"
               "        \"message\": \"\\\"TBD\\\" is a placeholder: the requirement is not "
               "finished.\",\n"
               "        \"number\": null,\n"
               "        \"rule\": \"placeholder\",\n"
               "        \"start\": 12,\n"
               "        \"suggestion\": null,\n"
               "        \"words\": \"TBD\"\n"
               "    }\n"
               "]\n";
        QTest::newRow("bad format")
            << QStringList{"quality", "--text", "x", "--format", "csv"} << 2 << "";
        QTest::newRow("neither") << QStringList{"quality"} << 2 << "";
        QTest::newRow("unknown action") << QStringList{"quality", "fix", "--text", "x"} << 2 << "";
    }

    void textChecks()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        const CliRun ran = CliRun::run(arguments);
        QCOMPARE(ran.out, out);
        QCOMPARE(ran.exitCode, exitCode);
    }

    // The rule and its words are checked before anything is written.
    void refusesUnknownRules()
    {
        const QString workspace = newWorkspace();
        CliRun ran = CliRun::run({"quality", "rule", "--rule", "vague", "--off"}, workspace);
        QCOMPARE(ran.exitCode, 1);
        QCOMPARE(ran.err, QStringLiteral("There is no quality rule \"vague\".\n"));
        ran = CliRun::run({"quality", "words", "--rule", "duplicate", "--add", "x"}, workspace);
        QCOMPARE(ran.exitCode, 1);
        QCOMPARE(ran.err, QStringLiteral("The rule \"duplicate\" has no list of words.\n"));
        ran = CliRun::run({"quality", "rule", "--rule", "passive"}, workspace);
        QCOMPARE(ran.exitCode, 2);
    }
};

QTEST_GUILESS_MAIN(CliQualityTest)
#include "tst_cli_quality.moc"
