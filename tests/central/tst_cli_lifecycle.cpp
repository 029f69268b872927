// edit, reuse, delete and show on every kind of requirement, run as a user runs them.
#include "support/clirun.h"
#include "support/workspaceenvironment.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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

    // depend refuses a requirement as its own dependent, and saves a cycle
    // of dependents saying so.
    void dependRefusesItselfAndNamesCycles_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("its own dependent")
            << QStringList{"--parent", "2", "--dependent", "1", "--dependent", "2"} << 1 << ""
            << "Requirement 2 cannot be its own dependent.\n";
        QTest::newRow("a first link") << QStringList{"--parent", "1", "--dependent", "3"} << 0
                                      << "Requirement 1 successfully updated.\n"
                                      << "";
        QTest::newRow("the link back")
            << QStringList{"--parent", "3", "--dependent", "1"} << 0
            << "Requirement 3 successfully updated.\n"
            << "The links are saved, but they close a cycle of dependents (each requirement a "
               "dependent of the one before it):\n3 -> 1 -> 3\n";
        QTest::newRow("listed") << QStringList{"--parent", "3"} << 0 << "1\n"
                                << "";
        QTest::newRow("cleared") << QStringList{"--parent", "3", "--clear"} << 0
                                 << "Requirement 3 successfully updated.\n"
                                 << "";
        QTest::newRow("nothing left") << QStringList{"--parent", "2"} << 0
                                      << "Requirement 2 does not have any dependent requirements.\n"
                                      << "";
    }

    void dependRefusesItselfAndNamesCycles()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const CliRun depended = cli(QStringList{"depend"} + arguments);
        QCOMPARE(depended.err, err);
        QCOMPARE(depended.out, out);
        QCOMPARE(depended.exitCode, exitCode);
    }

    // list runs Requirements Central's queries: the numbers each lists, in
    // order, or the exit code of a refusal.
    void listRunsTheQueries_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("numbers");
        const QStringList none;
        QTest::newRow("all") << QStringList{} << 0 << QStringList{"1", "2", "3"};
        QTest::newRow("type") << QStringList{"--type", "structural"} << 0 << QStringList{"1", "3"};
        QTest::newRow("type, any case")
            << QStringList{"--type", "Technical"} << 0 << QStringList{"2"};
        QTest::newRow("no functional") << QStringList{"--type", "functional"} << 0 << none;
        QTest::newRow("template") << QStringList{"--template", "19"} << 0 << QStringList{"3"};
        QTest::newRow("number pattern")
            << QStringList{"--number", "*"} << 0 << QStringList{"1", "2", "3"};
        QTest::newRow("entity") << QStringList{"--entity", "gat*"} << 0 << QStringList{"3"};
        QTest::newRow("versions") << QStringList{"--version", "2"} << 0 << QStringList{"2"};
        QTest::newRow("sorted down")
            << QStringList{"--sort", "no.", "--desc"} << 0 << QStringList{"3", "2", "1"};
        QTest::newRow("sorted by field") << QStringList{"--sort", "FSTType", "--type", "structural"}
                                         << 0 << QStringList{"1", "3"};
        QTest::newRow("bad number pattern") << QStringList{"--number", "1'"} << 1 << none;
        QTest::newRow("unknown type") << QStringList{"--type", "green"} << 2 << none;
        QTest::newRow("unknown column") << QStringList{"--sort", "colour"} << 2 << none;
        QTest::newRow("two queries")
            << QStringList{"--type", "technical", "--template", "19"} << 2 << none;
        QTest::newRow("text") << QStringList{"--text", "SECONDS respond"} << 0 << QStringList{"2"};
        QTest::newRow("text prefix and phrase")
            << QStringList{"--text", "\"cargo reserv\"*"} << 0 << QStringList{"1"};
        QTest::newRow("text, sorted") << QStringList{"--text", "ESD", "--sort", "no.", "--desc"}
                                      << 0 << QStringList{"2", "1"};
        QTest::newRow("text without a word") << QStringList{"--text", "\" * -"} << 1 << none;
        QTest::newRow("text of sql")
            << QStringList{"--text", "'; DROP TABLE MASTER_REQ; --"} << 0 << none;
    }

    void listRunsTheQueries()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QStringList, numbers);
        const CliRun listed = cli(QStringList{"list", "--format", "csv"} + arguments);
        QCOMPARE(listed.exitCode, exitCode);
        QStringList found;
        for (const QString &line : listed.out.split('\n', Qt::SkipEmptyParts).mid(1))
            found.append(line.section(',', 0, 0));
        QCOMPARE(found, numbers);
    }

    // A listing longer than the blocks rows were once read in, in each
    // format and in orders with runs of equal values across the edges: every
    // requirement once, in the list's order, with its own sentence.
    void listAcrossPageEdges_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QStringList>("sort");
        for (const char *format : {"table", "csv", "json"}) {
            QTest::addRow("%s, by number", format) << QString::fromLatin1(format) << QStringList{};
            QTest::addRow("%s, by number down", format)
                << QString::fromLatin1(format) << QStringList{"--sort", "No.", "--desc"};
            QTest::addRow("%s, by priority down", format)
                << QString::fromLatin1(format) << QStringList{"--sort", "Priority", "--desc"};
        }
    }

    void listAcrossPageEdges()
    {
        QFETCH(QString, format);
        QFETCH(QStringList, sort);
        constexpr int kRows = 300;
        static QString edges;
        if (edges.isEmpty()) {
            const QString workspace = m_environment->root() + QStringLiteral("/edges.vnp");
            QCOMPARE(CliRun::run({"new", "--system", "Edge", "--workspace", workspace}).exitCode,
                     0);
            const QString file = m_environment->root() + QStringLiteral("/edges.csv");
            QFile records(file);
            QVERIFY(records.open(QIODevice::WriteOnly));
            records.write("No.,Type,Source,Category,Priority,Release,Version,Paragraph,"
                          "Requirement,Orig No.,Date Saved,Comments\r\n");
            for (int i = 1; i <= kRows; ++i)
                records.write(QStringLiteral(",Technical,23,Software,%1,1,1,None,The Edge system "
                                             "shall respond within %2 seconds,,12-8-2026,\r\n")
                                  .arg(1 + i % 3)
                                  .arg(i)
                                  .toUtf8());
            records.close();
            const CliRun imported = CliRun::run({"import", "csv", "--input", file}, workspace);
            QVERIFY2(imported.exitCode == 0, qPrintable(imported.err));
            edges = workspace;
        }
        // Requirement i has priority 1 + i % 3; equal values in number order.
        QList<int> order;
        for (int i = 1; i <= kRows; ++i)
            order.append(i);
        if (sort.contains(QStringLiteral("Priority")))
            std::stable_sort(order.begin(), order.end(),
                             [](int a, int b) { return a % 3 > b % 3; });
        else if (!sort.isEmpty())
            std::reverse(order.begin(), order.end());

        const CliRun listed = CliRun::run(QStringList{"list", "--format", format} + sort, edges);
        QCOMPARE(listed.exitCode, 0);
        QList<std::pair<int, QString>> rows;
        if (format == QLatin1String("json")) {
            for (const QJsonValue &element : QJsonDocument::fromJson(listed.out.toUtf8()).array())
                rows.append({element[QStringLiteral("number")].toInt(),
                             element[QStringLiteral("sentence")].toString()});
        } else {
            QStringList lines = listed.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            if (format == QLatin1String("csv"))
                QCOMPARE(lines.takeFirst(), QStringLiteral("number,type,sentence"));
            for (const QString &line : std::as_const(lines)) {
                if (format == QLatin1String("csv"))
                    rows.append({line.section(QLatin1Char(','), 0, 0).toInt(),
                                 line.section(QLatin1Char(','), 2).remove(QLatin1Char('"'))});
                else
                    rows.append({line.left(5).trimmed().toInt(), line.mid(19)});
            }
        }
        QCOMPARE(rows.size(), kRows);
        for (int row = 0; row < kRows; ++row) {
            QCOMPARE(rows.at(row).first, order.at(row));
            QCOMPARE(rows.at(row).second,
                     QStringLiteral("The Edge system shall respond within %1 seconds.")
                         .arg(order.at(row)));
        }
    }

    // model shows the classes of the derived model, each one's outline, and
    // a table per class.
    void modelShowsTheDerivedModel()
    {
        const CliRun classes = cli({"model", "classes"});
        QCOMPARE(classes.exitCode, 0);
        const QStringList names = classes.out.split('\n', Qt::SkipEmptyParts);
        QVERIFY(names.contains(QStringLiteral("Gate")));
        const CliRun tables = cli({"model", "tables"});
        QCOMPARE(tables.exitCode, 0);
        QStringList tableNames;
        for (const QString &line : tables.out.split('\n', Qt::SkipEmptyParts)) {
            if (!line.startsWith(' '))
                tableNames.append(line);
        }
        QCOMPARE(tableNames, names);
        const CliRun cpp = cli({"model", "class", "Gate"});
        const CliRun java = cli({"model", "class", "Gate", "--language", "java"});
        QCOMPARE(cpp.exitCode, 0);
        QVERIFY(cpp.out.startsWith(QStringLiteral("Gate\n")));
        QVERIFY2(cpp.out.contains(QStringLiteral("    open\n")), qPrintable(cpp.out));
        QVERIFY(cpp.out != java.out);
        QCOMPARE(cli({"model", "class"}).exitCode, 2);
        QCOMPARE(cli({"model", "views"}).exitCode, 2);
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

    // list --text finds what every command wrote, and nothing it replaced.
    void listByTextFollowsEveryCommand()
    {
        const auto numbers = [this](const QString &words) {
            const CliRun listed = cli({"list", "--format", "csv", "--text", words});
            QStringList found;
            for (const QString &line : listed.out.split('\n', Qt::SkipEmptyParts).mid(1))
                found.append(line.section(',', 0, 0));
            return listed.exitCode == 0 ? found : QStringList{QStringLiteral("failed")};
        };
        const QString saved =
            cli({"tech", "--text", "guide the aircraft along the runway", "--comments", "tower"})
                .out.trimmed();
        QCOMPARE(numbers("runway"), QStringList{saved});
        QCOMPARE(numbers("tower"), QStringList{saved});

        QCOMPARE(cli({"attributes", "--number", saved, "--comments", "apron"}).exitCode, 0);
        QCOMPARE(numbers("tower"), QStringList{});
        QCOMPARE(numbers("apron"), QStringList{saved});

        const QString edited =
            cli({"edit", "--number", saved, "--text", "guide the aircraft along the taxiway"})
                .out.trimmed();
        QCOMPARE(numbers("runway"), QStringList{});
        QCOMPARE(numbers("taxiway"), QStringList{edited});

        QCOMPARE(cli({"delete", "--number", edited, "--yes"}).exitCode, 0);
        QCOMPARE(numbers("taxiway"), QStringList{});

        // An imported requirement: another's record with new words.
        const QString file = m_environment->root() + QStringLiteral("/words.csv");
        QCOMPARE(cli({"export", "csv", "--output", file}).exitCode, 0);
        QFile exported(file);
        QVERIFY(exported.open(QIODevice::ReadOnly));
        const QStringList lines =
            QString::fromUtf8(exported.readAll()).split(QStringLiteral("\r\n"));
        exported.close();
        const qsizetype at =
            lines.indexOf(QRegularExpression(QStringLiteral(".*respond within 1 second.*")));
        QVERIFY(at > 0);
        QString record = lines.at(at);
        record.replace(QStringLiteral("respond within 1 second"),
                       QStringLiteral("answer the lighthouse"));
        QVERIFY(exported.open(QIODevice::WriteOnly | QIODevice::Truncate));
        exported.write(
            (lines.at(0) + QStringLiteral("\r\n") + record + QStringLiteral("\r\n")).toUtf8());
        exported.close();
        const CliRun imported = cli({"import", "csv", "--input", file});
        QVERIFY2(imported.exitCode == 0, qPrintable(imported.err));
        QCOMPARE(numbers("lighthouse").size(), 1);
    }
};

QTEST_GUILESS_MAIN(CliLifecycleTest)
#include "tst_cli_lifecycle.moc"
