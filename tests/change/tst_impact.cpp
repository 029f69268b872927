// The impact of a change: the walk through the dependent links both ways
// (chains, cycles, diamonds, versions), and varn-cli impact on a workspace:
// the requirements reached with their chains, the trace into generated code
// and what an edit changed in the object model.
#include "change/linkwalk.h"
#include "support/clirun.h"
#include "support/workspaceenvironment.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <memory>

using namespace varn;
using change::ImpactDirection;
using change::LinkWalk;
using change::ReachedRequirement;

namespace {

using Links = QList<std::pair<int, int>>; // parent, dependent

// "3 [2 3], 4 [2 3 4]": each requirement reached and its chain from the start.
QString described(const change::Reach &reach)
{
    QStringList parts;
    for (qsizetype position = 0; position < reach.size(); ++position) {
        QStringList chain;
        for (const int number : reach.path(position))
            chain.append(QString::number(number));
        const ReachedRequirement &requirement = reach.requirements.at(position);
        if (requirement.distance != chain.size() - 1)
            chain.append(QStringLiteral("(distance %1)").arg(requirement.distance));
        parts.append(QStringLiteral("%1 [%2]").arg(requirement.number).arg(chain.join(u' ')));
    }
    return parts.join(QStringLiteral(", "));
}

QJsonObject jsonOf(const QString &text)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError)
        qWarning("not JSON: %s", qPrintable(error.errorString()));
    return document.object();
}

} // namespace

class ImpactTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<WorkspaceEnvironment> m_environment;
    QString m_workspace;

    CliRun cli(const QStringList &arguments) const { return CliRun::run(arguments, m_workspace); }

private slots:
    void initTestCase()
    {
        m_environment = std::make_unique<WorkspaceEnvironment>();
        m_environment->writeDefaultSettings();
        m_workspace = m_environment->root() + QStringLiteral("/esd.vnp");
        QCOMPARE(CliRun::run({"new", "--system", "ESD", "--workspace", m_workspace}).exitCode, 0);
    }

    // Each row's links (parent, dependent, in the order stored), later
    // versions (number, first version) and the walks from one requirement.
    void reachesEachRequirementOnceByItsShortestChain_data()
    {
        QTest::addColumn<Links>("links");
        QTest::addColumn<Links>("versions");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("dependents");
        QTest::addColumn<QString>("parents");
        QTest::newRow("no links") << Links{} << Links{} << 1 << ""
                                  << "";
        QTest::newRow("a requirement no link touches") << Links{{1, 2}} << Links{} << 3 << ""
                                                       << "";
        QTest::newRow("a chain") << Links{{1, 2}, {2, 3}, {3, 4}} << Links{} << 2
                                 << "3 [2 3], 4 [2 3 4]"
                                 << "1 [2 1]";
        QTest::newRow("both directions")
            << Links{{1, 3}, {2, 3}, {3, 4}, {3, 5}} << Links{} << 3 << "4 [3 4], 5 [3 5]"
            << "1 [3 1], 2 [3 2]";
        QTest::newRow("a cycle back to the start")
            << Links{{1, 2}, {2, 3}, {3, 1}} << Links{} << 1 << "2 [1 2], 3 [1 2 3]"
            << "3 [1 3], 2 [1 3 2]";
        QTest::newRow("a cycle further on") << Links{{1, 2}, {2, 3}, {3, 4}, {4, 2}} << Links{} << 1
                                            << "2 [1 2], 3 [1 2 3], 4 [1 2 3 4]"
                                            << "";
        QTest::newRow("a diamond") << Links{{1, 2}, {1, 3}, {2, 4}, {3, 4}, {4, 5}} << Links{} << 1
                                   << "2 [1 2], 3 [1 3], 4 [1 2 4], 5 [1 2 4 5]"
                                   << "";
        QTest::newRow("a diamond from below")
            << Links{{1, 2}, {1, 3}, {2, 4}, {3, 4}, {4, 5}} << Links{} << 5 << ""
            << "4 [5 4], 2 [5 4 2], 3 [5 4 3], 1 [5 4 2 1]";
        QTest::newRow("a diamond stored the other way round")
            << Links{{4, 5}, {3, 4}, {2, 4}, {1, 3}, {1, 2}} << Links{} << 1
            << "2 [1 2], 3 [1 3], 4 [1 2 4], 5 [1 2 4 5]"
            << "";
        QTest::newRow("a shortcut beats the long way")
            << Links{{1, 2}, {2, 3}, {3, 4}, {1, 4}} << Links{} << 1
            << "2 [1 2], 4 [1 4], 3 [1 2 3]"
            << "";
        QTest::newRow("the same link twice and a link to itself")
            << Links{{1, 2}, {1, 2}, {2, 2}} << Links{} << 1 << "2 [1 2]"
            << "";
        QTest::newRow("links on old and new versions")
            << Links{{1, 2}, {6, 7}} << Links{{6, 2}} << 1 << "6 [1 6], 7 [1 6 7]"
            << "";
        QTest::newRow("asked by an old version")
            << Links{{1, 2}, {6, 7}} << Links{{6, 2}, {9, 2}} << 2 << "7 [9 7]"
            << "1 [9 1]";
        QTest::newRow("numbers far apart")
            << Links{{5, 2000000000}, {2000000000, 7}} << Links{} << 7 << ""
            << "2000000000 [7 2000000000], 5 [7 2000000000 5]";
    }

    void reachesEachRequirementOnceByItsShortestChain()
    {
        QFETCH(Links, links);
        QFETCH(Links, versions);
        QFETCH(int, start);
        QFETCH(QString, dependents);
        QFETCH(QString, parents);
        QList<store::DependentLink> stored;
        for (const auto &[parent, dependent] : std::as_const(links))
            stored.append({0, parent, dependent});
        QList<store::LaterVersion> later;
        for (const auto &[number, first] : std::as_const(versions))
            later.append({number, first, 2, false});
        const LinkWalk walk(stored, later);
        QCOMPARE(described(walk.reach(start, ImpactDirection::Dependents)), dependents);
        QCOMPARE(described(walk.reach(start, ImpactDirection::Parents)), parents);
    }

    // Links saved with depend, a cycle among them: the report names each
    // requirement once with its chain (parents first) and its sentence.
    void printsTheRequirementsReachedBothWays()
    {
        for (const char *text :
             {"log every failed login", "lock an account after three failed logins",
              "alert the operator of a locked account", "keep the audit log for a year"})
            QCOMPARE(cli({"tech", "--text", text}).exitCode, 0);
        QCOMPARE(cli({"depend", "--parent", "1", "--dependent", "2", "--dependent", "4"}).exitCode,
                 0);
        QCOMPARE(cli({"depend", "--parent", "2", "--dependent", "3"}).exitCode, 0);
        QCOMPARE(cli({"depend", "--parent", "3", "--dependent", "1"}).exitCode, 0);
        const CliRun impact = cli({"impact", "--number", "2"});
        QCOMPARE(impact.err, QString());
        QCOMPARE(impact.exitCode, 0);
        QCOMPARE(impact.out,
                 QStringLiteral(
                     "Impact of requirement 2\n"
                     "  The ESD system shall lock an account after three failed logins.\n"
                     "Requirements that depend on it: 3\n"
                     "  3  2 -> 3  The ESD system shall alert the operator of a locked account.\n"
                     "  1  2 -> 3 -> 1  The ESD system shall log every failed login.\n"
                     "  4  2 -> 3 -> 1 -> 4  The ESD system shall keep the audit log for a year.\n"
                     "Requirements it depends on: 2\n"
                     "  1  1 -> 2  The ESD system shall log every failed login.\n"
                     "  3  3 -> 1 -> 2  The ESD system shall alert the operator of a locked "
                     "account.\n"
                     "Object model and generated code:\n"
                     "  no entity of the object model\n"
                     "  No code has been generated yet: generate it to see the files and lines.\n"
                     "One version only: there is no earlier version to compare with.\n"));

        const QJsonObject json = jsonOf(cli({"impact", "--number", "4", "--format", "json"}).out);
        QCOMPARE(json.value("requirement").toInt(), 4);
        QCOMPARE(json.value("dependents").toArray().size(), 0);
        const QJsonArray parents = json.value("parents").toArray();
        QCOMPARE(parents.size(), 3);
        QCOMPARE(parents.at(0).toObject().value("number").toInt(), 1);
        QCOMPARE(parents.at(2).toObject().value("path").toArray(), (QJsonArray{4, 1, 3, 2}));
        QCOMPARE(parents.at(2).toObject().value("sentence").toString(),
                 QStringLiteral("The ESD system shall lock an account after three failed logins."));
        QVERIFY(json.value("versionDelta").isNull());
        QCOMPARE(json.value("codeGenerated").toBool(), false);
    }

    void refusesWhatNamesNoRequirement_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("err");
        QTest::newRow("unknown number")
            << QStringList{"impact", "--number", "99"} << "Requirement 99 does not exist.\n";
        QTest::newRow("no number") << QStringList{"impact", "--number", "two"}
                                   << "varn-cli: --number takes a requirement number\n";
        QTest::newRow("unknown format")
            << QStringList{"impact", "--number", "1", "--format", "html"}
            << "varn-cli: --format takes text or json\n";
    }

    void refusesWhatNamesNoRequirement()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, err);
        const CliRun refused = cli(arguments);
        QCOMPARE(refused.exitCode, 2);
        QVERIFY2(refused.err.startsWith(err), qPrintable(refused.err));
        QCOMPARE(refused.out, QString());
    }

    // A structural requirement traced into the generated header, then edited
    // into a second version with one more possible value: the version delta
    // names the value added, whichever version is asked about.
    void tracesIntoGeneratedCodeAndComparesVersions()
    {
        const CliRun added =
            cli({"add", "--template", "19", "--field", "Entity=gate", "--field", "StateValue=state",
                 "--field", "Attribute=status", "--value", "open", "--value", "boarding"});
        QCOMPARE(added.exitCode, 0);
        const QString first = added.out.trimmed();
        QCOMPARE(cli({"regenerate"}).exitCode, 0);
        const CliRun generated = CliRun::run({"generate", "cpp", "--workspace", m_workspace});
        QVERIFY2(generated.exitCode == 0, qPrintable(generated.err));

        QJsonObject json = jsonOf(cli({"impact", "--number", first, "--format", "json"}).out);
        QCOMPARE(json.value("codeGenerated").toBool(), true);
        const QJsonArray entities = json.value("entities").toArray();
        QCOMPARE(entities.size(), 1);
        const QJsonObject gate = entities.at(0).toObject();
        QCOMPARE(gate.value("name").toString(), QStringLiteral("Gate"));
        const QJsonObject declared = gate.value("locations").toArray().at(0).toObject();
        QVERIFY2(declared.value("file").toString().endsWith(QStringLiteral("/Gate.h")),
                 qPrintable(declared.value("file").toString()));
        QVERIFY(declared.value("line").toInt() > 0);
        const QJsonObject status = gate.value("attributes").toArray().at(0).toObject();
        QCOMPARE(status.value("name").toString(), QStringLiteral("status"));
        QVERIFY(status.value("locations").toArray().at(0).toObject().value("line").toInt() >
                declared.value("line").toInt());
        QVERIFY(json.value("versionDelta").isNull());

        const CliRun edited = cli({"edit", "--number", first, "--value", "closed"});
        QCOMPARE(edited.exitCode, 0);
        const QString second = edited.out.trimmed();
        for (const QString &asked : {first, second}) {
            json = jsonOf(cli({"impact", "--number", asked, "--format", "json"}).out);
            QCOMPARE(json.value("number").toInt(), second.toInt());
            QCOMPARE(json.value("versions").toArray(), (QJsonArray{first.toInt(), second.toInt()}));
            const QJsonObject delta = json.value("versionDelta").toObject();
            QCOMPARE(delta.value("previous").toObject().value("number").toInt(), first.toInt());
            QCOMPARE(delta.value("current").toObject().value("version").toInt(), 2);
            QCOMPARE(delta.value("added").toArray(),
                     (QJsonArray{QJsonObject{{"kind", "value"},
                                             {"entity", "Gate"},
                                             {"name", "status"},
                                             {"value", "closed"}}}));
            QCOMPARE(delta.value("removed").toArray(), QJsonArray());
        }
        const CliRun text = cli({"impact", "--number", second});
        QVERIFY2(text.out.contains(QStringLiteral("Version 2 (requirement %1) against version 1 "
                                                  "(requirement %2):\n  + value Gate.status = "
                                                  "closed\n")
                                       .arg(second, first)),
                 qPrintable(text.out));
    }
};

QTEST_GUILESS_MAIN(ImpactTest)
#include "tst_impact.moc"
