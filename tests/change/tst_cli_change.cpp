// baseline, diff and suspects run as a user runs them: baselines frozen
// before each change, the comparison of each with the live requirements,
// and the links a change makes suspect until they are reviewed.
#include "support/clirun.h"
#include "support/testbackend.h"
#include "support/workspaceenvironment.h"

#include <QtTest>

#include <memory>

class CliChangeTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<WorkspaceEnvironment> m_environment;
    QString m_workspace;

    CliRun cli(const QStringList &arguments) const { return CliRun::run(arguments, m_workspace); }

    static QString today()
    {
        const QDate date = QDate::currentDate();
        return QStringLiteral("%1-%2-%3").arg(date.month()).arg(date.day()).arg(date.year());
    }

    // The suspect links as listed, without their sentences.
    QStringList suspectLinks() const
    {
        QStringList links;
        for (const QString &line : cli({"suspects"}).out.split(u'\n', Qt::SkipEmptyParts))
            if (!line.startsWith(u' '))
                links.append(line);
        return links;
    }

private slots:
    void initTestCase()
    {
        m_environment = std::make_unique<WorkspaceEnvironment>();
        m_environment->writeDefaultSettings();
        m_workspace = m_environment->root() + QStringLiteral("/esd.vnp");
        QCOMPARE(CliRun::run({"new", "--system", "ESD", "--workspace", m_workspace}).exitCode, 0);
        QCOMPARE(cli({"tech", "--text", "respond to every query within 2 seconds"}).out,
                 QStringLiteral("1\n"));
        QCOMPARE(cli({"tech", "--text", "log every failed login"}).out, QStringLiteral("2\n"));
        QCOMPARE(cli({"tech", "--text", "lock an account after three failed logins"}).out,
                 QStringLiteral("3\n"));
        QCOMPARE(cli({"add", "--template", "21", "--field", "Entity=cargo reservations"}).out,
                 QStringLiteral("4\n"));
        // A newer file of the document imported below: one object's text changed.
        QFile first(QStringLiteral(VARN_TEST_DATA_DIR "/interchange/conveyor-1.reqif"));
        QVERIFY(first.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(first.readAll());
        QVERIFY(text.contains("within <xhtml:b>2</xhtml:b> seconds"));
        text.replace("within <xhtml:b>2</xhtml:b> seconds", "within <xhtml:b>3</xhtml:b> seconds");
        QFile newer(m_environment->root() + QStringLiteral("/conveyor-2.reqif"));
        QVERIFY(newer.open(QIODevice::WriteOnly));
        QVERIFY(newer.write(text.toUtf8()) > 0);
    }

    // Each row freezes a baseline named after it, makes its changes and
    // compares the baseline with the live requirements: the report, and
    // exit 1 when anything differs.
    void comparesBaselineWithTheLiveSet_data()
    {
        QTest::addColumn<QList<QStringList>>("steps");
        QTest::addColumn<QString>("report");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("suspected"); // the links the steps made suspect
        QTest::newRow("nothing changed")
            << QList<QStringList>{}
            << "0 added, 0 deleted, 0 changed; 0 links added, 0 links removed\n"
            << 0 << QStringList{};
        QTest::newRow("edit text")
            << QList<QStringList>{{"edit", "--number", "1", "--text",
                                   "respond to every query within 3 seconds"}}
            << "Changed requirement 1 (now 5)\n"
               "  The ESD system shall respond to every query within [-2-] {+3+} seconds.\n"
               "  Req No.: 1 -> 5\n"
               "  Version: 1 -> 2\n"
               "0 added, 0 deleted, 1 changed; 0 links added, 0 links removed\n"
            << 1 << QStringList{};
        QTest::newRow("attribute in place")
            << QList<QStringList>{{"attributes", "--number", "2", "--category", "Hardware",
                                   "--priority", "3", "--comments", "audit"}}
            << "Changed requirement 2\n"
               "  The ESD system shall log every failed login.\n"
               "  Category: Software -> Hardware\n"
               "  Priority: 1 -> 3\n"
               "  Comments:  -> audit\n"
               "0 added, 0 deleted, 1 changed; 0 links added, 0 links removed\n"
            << 1 << QStringList{};
        QTest::newRow("delete")
            << QList<QStringList>{{"delete", "--number", "3", "--yes"}}
            << "Deleted requirement 3\n"
               "  The ESD system shall lock an account after three failed logins.\n"
               "0 added, 1 deleted, 0 changed; 0 links added, 0 links removed\n"
            << 1 << QStringList{};
        QTest::newRow("re-use") << QList<QStringList>{{"reuse", "--number", "2", "--text",
                                                       "log every login"}}
                                << "Added requirement 6\n"
                                   "  The ESD system shall log every login.\n"
                                   "1 added, 0 deleted, 0 changed; 0 links added, 0 links removed\n"
                                << 1 << QStringList{};
        QTest::newRow("link") << QList<QStringList>{{"depend", "--parent", "4", "--dependent", "2",
                                                     "--dependent", "6"}}
                              << "Link added: 2 depends on 4\n"
                                 "Link added: 6 depends on 4\n"
                                 "0 added, 0 deleted, 0 changed; 2 links added, 0 links removed\n"
                              << 1 << QStringList{};
        QTest::newRow("unlink") << QList<QStringList>{{"depend", "--parent", "4", "--dependent",
                                                       "6"}}
                                << "Link removed: 2 depends on 4\n"
                                   "0 added, 0 deleted, 0 changed; 0 links added, 1 links removed\n"
                                << 1 << QStringList{};
        QTest::newRow("links saved again as they were")
            << QList<QStringList>{{"depend", "--parent", "4", "--dependent", "6"}}
            << "0 added, 0 deleted, 0 changed; 0 links added, 0 links removed\n"
            << 0 << QStringList{};
        QTest::newRow("edit, then edit again and delete another")
            << QList<QStringList>{{"edit", "--number", "5", "--text",
                                   "answer every query within 3 seconds"},
                                  {"edit", "--number", "7", "--text",
                                   "answer every query within 3 seconds, logged"},
                                  {"delete", "--number", "6", "--yes"}}
            << "Changed requirement 5 (now 8)\n"
               "  The ESD system shall [-respond to-] {+answer+} every query within 3 "
               "seconds{+, logged+}.\n"
               "  Req No.: 5 -> 8\n"
               "  Version: 2 -> 4\n"
               "Deleted requirement 6\n"
               "  The ESD system shall log every login.\n"
               "0 added, 1 deleted, 1 changed; 0 links added, 0 links removed\n"
            << 1 << QStringList{"6 depends on 4: Requirement 6 was deleted (TODAY)"};
        QTest::newRow("import")
            << QList<QStringList>{{"import", "reqif", "--input",
                                   "@data/interchange/conveyor-1.reqif"}}
            << "Added requirement 9\n"
               "  The ESD system shall stop the belt within 2 seconds of an alarm.\n"
               "Added requirement 10\n"
               "  The ESD system shall limit the belt speed to these values: loaded & moving: "
               "1.5 m/s; empty: 2 m/s.\n"
               "Added requirement 11\n"
               "  The ESD system shall route each parcel by its label; zone | chute.\n"
               "Added requirement 12\n"
               "  The ESD system shall read labels printed in 2D codes as well.\n"
               "Added requirement 13\n"
               "  The ESD system shall log each routing decision.\n"
               "Link added: 10 depends on 9\n"
               "Link added: 11 depends on 13\n"
               "5 added, 0 deleted, 0 changed; 2 links added, 0 links removed\n"
            << 1 << QStringList{};
        QTest::newRow("import an update")
            << QList<QStringList>{{"import", "reqif", "--input", "@root/conveyor-2.reqif"}}
            << "Changed requirement 9 (now 14)\n"
               "  The ESD system shall stop the belt within [-2-] {+3+} seconds of an alarm.\n"
               "  Req No.: 9 -> 14\n"
               "  Version: 1 -> 2\n"
               "Link added: 10 depends on 14\n"
               "0 added, 0 deleted, 1 changed; 1 links added, 0 links removed\n"
            << 1 << QStringList{"10 depends on 9: Requirement 9 was replaced by 14 (TODAY)"};
    }

    void comparesBaselineWithTheLiveSet()
    {
        QFETCH(QList<QStringList>, steps);
        QFETCH(QString, report);
        QFETCH(int, exitCode);
        QFETCH(QStringList, suspected);
        const QString name = QString::fromUtf8(QTest::currentDataTag());
        const CliRun created = cli({"baseline", "create", "--name", name});
        QCOMPARE(created.err, QString());
        QCOMPARE(created.exitCode, 0);
        const QStringList suspectBefore = suspectLinks();
        for (QStringList step : steps) {
            step.replaceInStrings(QStringLiteral("@data"), QStringLiteral(VARN_TEST_DATA_DIR));
            step.replaceInStrings(QStringLiteral("@root"), m_environment->root());
            const CliRun ran = cli(step);
            QVERIFY2(ran.exitCode == 0, qPrintable(step.join(u' ') + QLatin1Char('\n') + ran.err));
        }
        QStringList madeSuspect;
        for (const QString &link : suspectLinks())
            if (!suspectBefore.contains(link))
                madeSuspect.append(QString(link).replace(today(), QStringLiteral("TODAY")));
        QCOMPARE(madeSuspect, suspected);
        const CliRun compared = cli({"diff", "--from", name});
        QCOMPARE(compared.err, QString());
        QCOMPARE(compared.out, QStringLiteral("Changes from baseline \"%1\" to the live "
                                              "requirements\n")
                                       .arg(name) +
                                   report);
        QCOMPARE(compared.exitCode, exitCode);
    }

    // Two baselines compare with each other whatever happened since; the
    // same baseline on both sides has no difference.
    void comparesTwoBaselines_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("report");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("edit to attribute")
            << QStringList{"--from", "edit text", "--to", "attribute in place"}
            << "Changes from baseline \"edit text\" to baseline \"attribute in place\"\n"
               "Changed requirement 1 (now 5)\n"
               "  The ESD system shall respond to every query within [-2-] {+3+} seconds.\n"
               "  Req No.: 1 -> 5\n"
               "  Version: 1 -> 2\n"
               "0 added, 0 deleted, 1 changed; 0 links added, 0 links removed\n"
            << 1;
        QTest::newRow("backwards")
            << QStringList{"--from", "attribute in place", "--to", "edit text"}
            << "Changes from baseline \"attribute in place\" to baseline \"edit text\"\n"
               "Changed requirement 5 (now 1)\n"
               "  The ESD system shall respond to every query within [-3-] {+2+} seconds.\n"
               "  Req No.: 5 -> 1\n"
               "  Version: 2 -> 1\n"
               "0 added, 0 deleted, 1 changed; 0 links added, 0 links removed\n"
            << 1;
        QTest::newRow("links, backwards")
            << QStringList{"--from", "unlink", "--to", "link"}
            << "Changes from baseline \"unlink\" to baseline \"link\"\n"
               "Link removed: 2 depends on 4\n"
               "Link removed: 6 depends on 4\n"
               "0 added, 0 deleted, 0 changed; 0 links added, 2 links removed\n"
            << 1;
        QTest::newRow("itself") << QStringList{"--from", "link", "--to", "link"}
                                << "Changes from baseline \"link\" to baseline \"link\"\n"
                                   "0 added, 0 deleted, 0 changed; 0 links added, 0 links "
                                   "removed\n"
                                << 0;
    }

    void comparesTwoBaselines()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, report);
        QFETCH(int, exitCode);
        const CliRun compared = cli(QStringList{"diff"} + arguments);
        QCOMPARE(compared.err, QString());
        QCOMPARE(compared.out, report);
        QCOMPARE(compared.exitCode, exitCode);
    }

    // The JSON and HTML reports carry the same changes; an unknown baseline
    // or format is a usage error, never taken for a difference.
    void reportsInEveryFormat()
    {
        const CliRun json =
            cli({"diff", "--from", "edit text", "--to", "attribute in place", "--format", "json"});
        QCOMPARE(json.exitCode, 1);
        const QJsonObject document = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QCOMPARE(document.value("from").toString(), QStringLiteral("edit text"));
        QCOMPARE(document.value("counts").toObject().value("changed").toInt(), 1);
        const QJsonObject changed = document.value("requirements").toArray().at(0).toObject();
        QCOMPARE(changed.value("kind").toString(), QStringLiteral("changed"));
        QCOMPARE(changed.value("numberAfter").toInt(), 5);
        QStringList removed;
        for (const QJsonValue &piece : changed.value("words").toArray())
            if (piece.toObject().value("kind").toString() == QLatin1String("removed"))
                removed.append(piece.toObject().value("text").toString());
        QCOMPARE(removed, QStringList{" 2"});

        const CliRun html = cli({"diff", "--from", "edit text", "--format", "html"});
        QCOMPARE(html.exitCode, 1);
        QVERIFY(html.out.startsWith("<!DOCTYPE html>"));
        QVERIFY(html.out.contains(" <del>2</del> <ins>3</ins>"));
        QVERIFY(!html.out.contains("<script"));

        QCOMPARE(cli({"diff", "--from", "no such"}).exitCode, 2);
        QCOMPARE(cli({"diff", "--from", "no such"}).err,
                 QStringLiteral("There is no baseline named \"no such\".\n"));
        QCOMPARE(cli({"diff", "--from", "link", "--format", "pdf"}).exitCode, 2);
    }

    // Names are unique and checked; list shows each baseline once with what
    // it froze; delete removes it, and only it.
    void keepsBaselinesApart()
    {
        const CliRun again = cli({"baseline", "create", "--name", "link"});
        QCOMPARE(again.exitCode, 1);
        QCOMPARE(again.err, QStringLiteral("A baseline named \"link\" already exists.\n"));
        QCOMPARE(cli({"baseline", "create", "--name", "  "}).exitCode, 1);
        QCOMPARE(cli({"baseline", "create", "--name", QString(51, u'x')}).exitCode, 1);
        const CliRun created =
            cli({"baseline", "create", "--name", "release 1", "--comment", "signed off"});
        QCOMPARE(created.out, QStringLiteral("Baseline \"release 1\" holds 8 requirement(s) and 4 "
                                             "link(s).\n"));
        const QStringList lines = cli({"baseline", "list"}).out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 12);
        const QStringList last = lines.last().split(u'\t');
        QCOMPARE(last.size(), 6);
        QCOMPARE(last.at(0), QStringLiteral("release 1"));
        QVERIFY(!last.at(2).isEmpty());
        QCOMPARE(last.mid(3), (QStringList{"8", "4", "signed off"}));
        QCOMPARE(cli({"baseline", "delete", "--name", "release 1"}).out,
                 QStringLiteral("Baseline \"release 1\" deleted.\n"));
        QCOMPARE(cli({"baseline", "delete", "--name", "release 1"}).exitCode, 1);
        QCOMPARE(cli({"baseline", "list"}).out.count(u'\n'), 11);
        QCOMPARE(cli({"diff", "--from", "link", "--to", "unlink", "--format", "json"}).exitCode, 1);
    }

    // generate --check names what changed since the output's last
    // generation, as a pipeline that keeps the generated code runs it: each
    // row makes its changes on one workspace and checks an output.
    void checksGeneratedCodeAgainstTheRequirements_data()
    {
        QTest::addColumn<QList<QStringList>>("steps");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("said");
        QTest::addColumn<int>("exitCode");
        const QString never =
            QStringLiteral("No generation of this output is recorded for the workspace yet.\n");
        const QString nothing =
            QStringLiteral("No requirement changed since the last generation (WHEN).\n");
        QTest::newRow("never generated") << QList<QStringList>{} << "cpp" << never << 1;
        QTest::newRow("just generated")
            << QList<QStringList>{{"generate", "cpp"}} << "cpp" << nothing << 0;
        QTest::newRow("edit") << QList<QStringList>{{"edit", "--number", "2", "--field",
                                                     "Entity=cargo bookings"}}
                              << "cpp"
                              << "1 requirement(s) changed since the last generation (WHEN):\n"
                                 "Changed requirement 2 (now 4)\n"
                              << 1;
        QTest::newRow("add and delete")
            << QList<QStringList>{{"tech", "--text", "log every booking"},
                                  {"delete", "--number", "1", "--yes"}}
            << "cpp"
            << "3 requirement(s) changed since the last generation (WHEN):\n"
               "Deleted requirement 1\n"
               "Changed requirement 2 (now 4)\n"
               "Added requirement 5\n"
            << 1;
        QTest::newRow("attribute in place")
            << QList<QStringList>{{"generate", "cpp", "--verbose"},
                                  {"attributes", "--number", "3", "--priority", "2"}}
            << "cpp" << nothing << 0;
        QTest::newRow("another output generated")
            << QList<QStringList>{{"reuse", "--number", "5", "--text", "log every refund"},
                                  {"generate", "sql"}}
            << "cpp"
            << "1 requirement(s) changed since the last generation (WHEN):\n"
               "Added requirement 6\n"
            << 1;
        QTest::newRow("that output") << QList<QStringList>{} << "sql" << nothing << 0;
        QTest::newRow("output never generated") << QList<QStringList>{} << "java" << never << 1;
        QTest::newRow("generated again")
            << QList<QStringList>{{"generate", "cpp"}} << "cpp" << nothing << 0;
    }

    void checksGeneratedCodeAgainstTheRequirements()
    {
        QFETCH(QList<QStringList>, steps);
        QFETCH(QString, kind);
        QFETCH(QString, said);
        QFETCH(int, exitCode);
        const QString workspace = m_environment->root() + QStringLiteral("/dock.vnp");
        // generate takes its output first, the workspace after it.
        const auto run = [&](const QStringList &arguments) {
            return arguments.first() == QLatin1String("generate")
                       ? CliRun::run(arguments + QStringList{"--workspace", workspace})
                       : CliRun::run(arguments, workspace);
        };
        if (!QFile::exists(workspace)) {
            QCOMPARE(CliRun::run({"new", "--system", "Dock", "--workspace", workspace}).exitCode,
                     0);
            for (const char *entity : {"cargo reservations", "cargo manifests", "berths"})
                QCOMPARE(run({"add", "--template", "21", "--field",
                              QStringLiteral("Entity=") + QLatin1String(entity)})
                             .exitCode,
                         0);
        }
        for (const QStringList &step : steps) {
            const CliRun ran = run(step);
            QVERIFY2(ran.exitCode == 0, qPrintable(step.join(u' ') + QLatin1Char('\n') + ran.err));
        }
        const CliRun before = run({"list"});
        const CliRun checked = run({"generate", kind, "--check", "--verbose"});
        static const QRegularExpression when(QStringLiteral("\\(\\S+ by [^)]*\\)"));
        QCOMPARE(QString(checked.out + checked.err).replace(when, QStringLiteral("(WHEN)")), said);
        QCOMPARE(checked.exitCode, exitCode);
        // The check writes nothing.
        QCOMPARE(run({"list"}).out, before.out);
        QCOMPARE(run({"generate", kind, "--check"}).exitCode, exitCode);
    }

    // A database nobody may write is generated from, saying that the
    // generation could not be recorded: the check still names what changed
    // before it.
    void readOnlyDatabaseKeepsNoRecord()
    {
        if (TestBackend::isServer())
            QSKIP("a team workspace's database is the server's");
        const QString workspace = m_environment->root() + QStringLiteral("/dock.vnp");
        QVERIFY(QFile::exists(workspace));
        QCOMPARE(CliRun::run({"tech", "--text", "weigh every parcel"}, workspace).out,
                 QStringLiteral("7\n"));
        const QString database = m_environment->databaseFolder() + QStringLiteral("/DockReq.mdb");
        QVERIFY(QFile::setPermissions(database, QFile::ReadOwner | QFile::ReadGroup));
        const CliRun generated = CliRun::run({"generate", "cpp", "--workspace", workspace});
        QVERIFY(QFile::setPermissions(database, QFile::ReadOwner | QFile::WriteOwner));
        QCOMPARE(generated.exitCode, 0);
        QVERIFY2(generated.out.contains(" file(s) written to "), qPrintable(generated.out));
        QCOMPARE(generated.err,
                 QStringLiteral("The files were written, but the requirements they were generated "
                                "from could not be recorded.\nThe database or its folder is "
                                "read-only.\n"));
        const CliRun checked =
            CliRun::run({"generate", "cpp", "--check", "--workspace", workspace});
        QCOMPARE(checked.exitCode, 1);
        QVERIFY2(checked.out.endsWith("\nAdded requirement 7\n"), qPrintable(checked.out));
    }

    // A new version or a deletion makes every link that touches the changed
    // requirement suspect, naming the change; clearing reviews them, and who
    // and when are kept.
    void marksAndClearsSuspectLinks()
    {
        const QString workspace = m_environment->root() + QStringLiteral("/links.vnp");
        QCOMPARE(CliRun::run({"new", "--system", "Gate", "--workspace", workspace}).exitCode, 0);
        const auto run = [&](const QStringList &arguments) {
            return CliRun::run(arguments, workspace);
        };
        QCOMPARE(run({"tech", "--text", "open the gate"}).out, QStringLiteral("1\n"));
        QCOMPARE(run({"tech", "--text", "close the gate"}).out, QStringLiteral("2\n"));
        QCOMPARE(run({"tech", "--text", "log the gate"}).out, QStringLiteral("3\n"));
        QCOMPARE(run({"depend", "--parent", "1", "--dependent", "2", "--dependent", "3"}).exitCode,
                 0);
        QCOMPARE(run({"suspects"}).out, QString());
        QCOMPARE(run({"attributes", "--number", "1", "--priority", "2"}).exitCode, 0);
        QCOMPARE(run({"suspects"}).out, QString()); // in place: no new version

        QCOMPARE(run({"edit", "--number", "1", "--text", "open the main gate"}).out,
                 QStringLiteral("4\n"));
        QCOMPARE(run({"delete", "--number", "3", "--yes"}).exitCode, 0);
        QCOMPARE(run({"suspects"}).out,
                 QStringLiteral("2 depends on 1: Requirement 1 was replaced by 4 (%1)\n"
                                "  The Gate system shall open the {+main+} gate.\n"
                                "3 depends on 1: Requirement 1 was replaced by 4 (%1)\n"
                                "  The Gate system shall open the {+main+} gate.\n"
                                "3 depends on 1: Requirement 3 was deleted (%1)\n"
                                "  The Gate system shall log the gate.\n")
                     .arg(today()));

        // The link is named by the new version of its parent.
        QCOMPARE(run({"suspects", "clear", "--number", "4", "--dependent", "2"}).out,
                 QStringLiteral("1 suspect link(s) cleared.\n"));
        const CliRun again = run({"suspects", "clear", "--number", "4", "--dependent", "2"});
        QCOMPARE(again.exitCode, 1);
        QCOMPARE(again.err,
                 QStringLiteral("The link from requirement 4 to requirement 2 is not suspect.\n"));
        QCOMPARE(run({"suspects", "clear", "--number", "3"}).out,
                 QStringLiteral("2 suspect link(s) cleared.\n"));
        QCOMPARE(run({"suspects"}).out, QString());
        const QStringList reviewed =
            run({"suspects", "--cleared"}).out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(reviewed.size(), 6);
        QVERIFY2(reviewed.at(0).startsWith(
                     QStringLiteral("2 depends on 1: Requirement 1 was replaced by 4 (%1) "
                                    "cleared by ")
                         .arg(today())),
                 qPrintable(reviewed.at(0)));
        QVERIFY(reviewed.at(0).contains(QDate::currentDate().toString(Qt::ISODate)));
        QCOMPARE(run({"suspects", "clear", "--number", "x"}).exitCode, 2);
    }
};

QTEST_GUILESS_MAIN(CliChangeTest)
#include "tst_cli_change.moc"
