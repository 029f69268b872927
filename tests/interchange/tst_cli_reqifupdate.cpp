// Another tool's file through varn-cli: show lists what was kept of it, and
// a newer file updates the workspace, first as a dry run.
#include "support/clirun.h"
#include "support/workspaceenvironment.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <memory>

class CliReqIfUpdateTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<WorkspaceEnvironment> m_environment;
    QString m_workspace;

    CliRun cli(const QStringList &arguments) const { return CliRun::run(arguments, m_workspace); }
    QString file(const QString &name) const { return m_environment->root() + '/' + name; }

    // The test document with its own changes, written beside the workspace.
    QString variant(const QString &name, const QList<std::pair<QString, QString>> &changes) const
    {
        QFile original(QStringLiteral(VARN_TEST_DATA_DIR "/interchange/conveyor-1.reqif"));
        if (!original.open(QIODevice::ReadOnly))
            return {};
        QString text = QString::fromUtf8(original.readAll());
        for (const auto &[pattern, replacement] : changes)
            text.replace(
                QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption),
                replacement);
        QFile written(file(name));
        if (!written.open(QIODevice::WriteOnly))
            return {};
        written.write(text.toUtf8());
        return written.fileName();
    }

private slots:
    void initTestCase()
    {
        m_environment = std::make_unique<WorkspaceEnvironment>();
        m_environment->writeDefaultSettings();
        m_workspace = file("conveyor.vnp");
        QProcess::execute(qEnvironmentVariable("VARN_CLI"),
                          {"new", "--system", "Conveyor", "--workspace", m_workspace});
    }

    void showThenUpdate()
    {
        // The log requirement's text made longer than a sentence may be.
        const QString longText =
            QStringLiteral("log each routing decision") +
            QStringLiteral(" with the parcel, the chute and the time").repeated(10);
        const QString first =
            variant("first.reqif", {{"<xhtml:div>log each routing decision</xhtml:div>",
                                     "<xhtml:div>" + longText + "</xhtml:div>"}});
        const CliRun imported = cli({"import", "reqif", "--input", first});
        QCOMPARE(imported.exitCode, 0);
        QVERIFY2(imported.out.contains("Imported 5 requirement(s)"), qPrintable(imported.out));

        const CliRun shown = cli({"show", "--number", "1"});
        QCOMPARE(shown.exitCode, 0);
        for (const char *line : {"\nObject cv-r-stop of type Requirement\n",
                                 "\n  ReqIF.Text: stop the belt within 2 seconds of an alarm\n",
                                 "\n  Status: Approved\n", "\n  Sites: North hall, Yard\n",
                                 "\n  Due: 2026-09-30T00:00:00+02:00\n", "\n  Effort: 13\n",
                                 "\n  Safety related: true\n", "\n  Weight: 0.75\n"})
            QVERIFY2(shown.out.contains(QLatin1String(line)), qPrintable(shown.out));
        QVERIFY(!shown.out.contains("Full text"));
        const CliRun shortened = cli({"show", "--number", "5"});
        QVERIFY2(shortened.out.contains("\nFull text\n  " + longText + "\n"),
                 qPrintable(shortened.out));

        const QString newer =
            variant("newer.reqif",
                    {{"within <xhtml:b>2</xhtml:b> seconds", "within <xhtml:b>3</xhtml:b> seconds"},
                     {"<SPEC-OBJECT IDENTIFIER=\"cv-r-log\".*?</SPEC-OBJECT>|<SPEC-RELATION "
                      "IDENTIFIER=\"cv-rel-2\".*?</SPEC-RELATION>|<SPEC-HIERARCHY "
                      "IDENTIFIER=\"cv-n-log\".*?</SPEC-HIERARCHY>",
                      ""}});
        const QString listed = cli({"list"}).out;
        const CliRun dry =
            cli({"import", "reqif", "--input", newer, "--dry-run", "--delete-missing"});
        QCOMPARE(dry.exitCode, 0);
        QVERIFY2(dry.out.contains(QRegularExpression(
                     "^ +6  The Conveyor system shall stop the belt within 3 seconds of an "
                     "alarm  \\(changed: next version of 1\\)$",
                     QRegularExpression::MultilineOption)),
                 qPrintable(dry.out));
        QVERIFY2(dry.out.contains(QRegularExpression("^ +5  .*  \\(no longer in the file\\)$",
                                                     QRegularExpression::MultilineOption)),
                 qPrintable(dry.out));
        QVERIFY2(dry.out.contains("Would update 1 changed requirement(s), 3 unchanged; 1 no "
                                  "longer in the file, to be deleted.\n"),
                 qPrintable(dry.out));
        QCOMPARE(cli({"list"}).out, listed);

        const CliRun kept = cli({"import", "reqif", "--input", newer});
        QVERIFY2(kept.out.contains("Updated 1 changed requirement(s), 3 unchanged; 1 no longer in "
                                   "the file, kept (--delete-missing deletes them).\n"),
                 qPrintable(kept.out));
        const QString after = cli({"list"}).out;
        QCOMPARE(after.count('\n'), 5);
        QVERIFY(after.contains("within 3 seconds"));
        QVERIFY(!after.contains("within 2 seconds"));
        QCOMPARE(cli({"list", "--version", "1"}).out.count('\n'), 2);
    }
};

QTEST_GUILESS_MAIN(CliReqIfUpdateTest)
#include "tst_cli_reqifupdate.moc"
