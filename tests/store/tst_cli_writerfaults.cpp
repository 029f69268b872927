// Writers under pressure, run as a user runs them: edits killed at random
// points, two writers saving while a third program holds the write lock,
// texts the database would refuse, and a rebuild that cannot rebuild
// everything.
#include "support/clirun.h"
#include "support/workspaceenvironment.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QtTest>

#include <csignal>
#include <memory>

namespace {

const QString kDirect = QStringLiteral("direct");

QVariant scalar(const QString &sql)
{
    QSqlQuery query(QSqlDatabase::database(kDirect));
    if (!query.exec(sql) || !query.next())
        return query.lastError().text();
    return query.value(0);
}

} // namespace

class CliWriterFaultsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<WorkspaceEnvironment> m_environment;
    QString m_workspace;
    int m_workspaces = 0;

    CliRun cli(const QStringList &arguments) const { return CliRun::run(arguments, m_workspace); }

private slots:
    void initTestCase() { m_environment = std::make_unique<WorkspaceEnvironment>(); }

    // A workspace of its own for each test, with a direct connection to its
    // database beside the program's.
    void init()
    {
        const QString system = QStringLiteral("W%1").arg(++m_workspaces);
        m_workspace = m_environment->root() + QLatin1Char('/') + system + QStringLiteral(".vnp");
        QCOMPARE(CliRun::run({"new", "--system", system, "--workspace", m_workspace}).exitCode, 0);
        QSqlDatabase direct = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kDirect);
        direct.setDatabaseName(m_environment->databaseFolder() + QLatin1Char('/') + system +
                               QStringLiteral("Req.mdb"));
        QVERIFY(QFileInfo::exists(direct.databaseName()));
        QVERIFY(direct.open());
    }

    void cleanup()
    {
        QSqlDatabase::database(kDirect).close();
        QSqlDatabase::removeDatabase(kDirect);
    }

    // An edit is one transaction: killed anywhere, it leaves the old version
    // or the new one live, never both, and a sound database.
    void killedEditsLeaveOneLiveVersion()
    {
        QCOMPARE(cli({"tech", "--text", "log every login"}).out, QStringLiteral("1\n"));
        QElapsedTimer whole;
        whole.start();
        QCOMPARE(cli({"edit", "--number", "1", "--text", "log every login once"}).exitCode, 0);
        const int lifetime = int(whole.elapsed()) + 1;

        constexpr int kRounds = 50;
        const QDeadlineTimer budget(120000);
        int rounds = 0;
        int killed = 0;
        for (; rounds < kRounds && !budget.hasExpired(); ++rounds) {
            const QString live =
                scalar("SELECT Req_Num FROM MASTER_REQ WHERE FSTType <> 'Deleted'").toString();
            QProcess edit;
            edit.start(qEnvironmentVariable("VARN_CLI"),
                       {"edit", "--workspace", m_workspace, "--number", live, "--text",
                        QStringLiteral("log every login, round %1").arg(rounds)});
            QVERIFY(edit.waitForStarted());
            // Anywhere from its start to a while after it would have ended.
            QThread::msleep(QRandomGenerator::global()->bounded(lifetime + lifetime / 2));
            if (edit.state() != QProcess::NotRunning) {
                ::kill(pid_t(edit.processId()), SIGKILL);
                ++killed;
            }
            QVERIFY(edit.waitForFinished(30000));
            QCOMPARE(scalar("SELECT COUNT(*) FROM MASTER_REQ WHERE FSTType <> 'Deleted'").toInt(),
                     1);
            QCOMPARE(scalar("PRAGMA integrity_check").toString(), QStringLiteral("ok"));
            QCOMPARE(scalar("SELECT PMastrReq FROM PK_MASTR_REQ").toInt(),
                     scalar("SELECT MAX(Req_Num) FROM MASTER_REQ").toInt());
        }
        qInfo("kill rounds: %d, killed mid-run: %d, versions saved: %d", rounds, killed,
              scalar("SELECT MAX(Version) FROM MASTER_REQ").toInt());
        QVERIFY(rounds >= 10);
        const QString live =
            scalar("SELECT Req_Num FROM MASTER_REQ WHERE FSTType <> 'Deleted'").toString();
        QCOMPARE(cli({"edit", "--number", live, "--text", "log every logout"}).exitCode, 0);
    }

    // Two writers of 100 saves each while this program takes the write lock
    // for a while, again and again: every save waits its turn and lands.
    void concurrentSavesAllLand()
    {
        constexpr int kSaves = 100;
        QObject owner;
        QList<QProcess *> writers;
        for (const char *name : {"first", "second"}) {
            auto *writer = new QProcess(&owner);
            writer->start(QStringLiteral("/bin/sh"),
                          {"-c",
                           QStringLiteral("i=0; while [ $i -lt %1 ]; do i=$((i+1)); \"$0\" tech "
                                          "--workspace \"$1\" --text \"%2 writer save $i\" || "
                                          "echo refused; done")
                               .arg(kSaves)
                               .arg(QLatin1String(name)),
                           qEnvironmentVariable("VARN_CLI"), m_workspace});
            QVERIFY(writer->waitForStarted());
            writers << writer;
        }
        QSqlQuery lock(QSqlDatabase::database(kDirect));
        int holds = 0;
        const auto running = [&writers] {
            return std::any_of(writers.begin(), writers.end(), [](QProcess *writer) {
                return writer->state() != QProcess::NotRunning;
            });
        };
        for (const QDeadlineTimer budget(240000); running() && !budget.hasExpired();) {
            QVERIFY(lock.exec(QStringLiteral("BEGIN IMMEDIATE")));
            QThread::msleep(400);
            QVERIFY(lock.exec(QStringLiteral("COMMIT")));
            ++holds;
            for (QProcess *writer : writers)
                writer->waitForFinished(300);
        }
        QVERIFY(!running());
        QStringList numbers;
        int refused = 0;
        for (QProcess *writer : writers) {
            const QStringList lines =
                QString::fromUtf8(writer->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
            refused += int(lines.count(QStringLiteral("refused")));
            for (const QString &line : lines)
                if (line != QLatin1String("refused"))
                    numbers << line;
        }
        qInfo("concurrent saves: %lld landed, %d refused, lock held %d times", numbers.size(),
              refused, holds);
        QCOMPARE(refused, 0);
        QCOMPARE(numbers.size(), 2 * kSaves);
        QCOMPARE(QSet<QString>(numbers.begin(), numbers.end()).size(), 2 * kSaves);
        QCOMPARE(scalar("SELECT COUNT(DISTINCT Req_Num) FROM MASTER_REQ").toInt(), 2 * kSaves);
    }

    // Texts that would fail on the database's checks, or reach names and
    // the list's output, are refused as validation errors (exit 1) and store
    // nothing.
    void textsAreRefusedBeforeTheDatabase_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("message");
        const QStringList tech = {"tech", "--text", "log every login"};
        QTest::newRow("comments of 255")
            << (tech + QStringList{"--comments", QString(255, 'c')}) << QString()
            << "Validation error. The Comments field holds more than 254 characters.";
        QTest::newRow("paragraph of 51")
            << (tech + QStringList{"--paragraph", QString(51, '1')}) << QString()
            << "Validation error. The Paragraph field holds more than 50 characters.";
        const QString unsafe = "Validation error. The requirement holds a control or "
                               "text-direction character.\nRemove it and save again.";
        QTest::newRow("escape in a technical text")
            << QStringList{"tech", "--text", "log \x1b[2J every login"} << QString() << unsafe;
        QTest::newRow("right-to-left override in an entity name")
            << QStringList{"add", "--template", "21", "--field",
                           QStringLiteral("Entity=cargo\u202Etxt.exe")}
            << QString() << unsafe;
        QTest::newRow("line separator in an entity name")
            << QStringList{"add", "--template", "21", "--field",
                           QStringLiteral("Entity=cargo\u2028gate")}
            << QString() << unsafe;
        QTest::newRow("escape in the comments")
            << (tech + QStringList{"--comments", "from \x1b[2J the list"}) << QString()
            << "Validation error. The Comments field holds a control character.\nRemove it and "
               "save again.";
        QTest::newRow("negative key counter")
            << tech << "UPDATE PK_MASTR_REQ SET PMastrReq = -7"
            << "Validation error. The PK_MASTR_REQ key counter holds -7; keys are positive "
               "numbers.\nYour database may be corrupt.";
    }

    void textsAreRefusedBeforeTheDatabase()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, damage);
        QFETCH(QString, message);
        if (!damage.isEmpty())
            QVERIFY(QSqlQuery(QSqlDatabase::database(kDirect)).exec(damage));
        const CliRun refused = cli(arguments);
        QCOMPARE(refused.err, message + QLatin1Char('\n'));
        QCOMPARE(refused.exitCode, 1);
        QCOMPARE(scalar("SELECT COUNT(*) FROM MASTER_REQ").toInt(), 0);
    }

    // A comment stored with control characters before they were refused:
    // show and the exports write each as a visible character, the exports
    // say so, and attributes takes line breaks but no other control.
    void storedControlCharactersAreShownAndExported()
    {
        QCOMPARE(cli({"tech", "--text", "ring the bell"}).exitCode, 0);
        QVERIFY(QSqlQuery(QSqlDatabase::database(kDirect))
                    .exec("UPDATE MASTER_REQ SET Comments = 'cut' || char(0) || 'here' || "
                          "char(27) || '[2J'"));
        const CliRun shown = cli({"show", "--number", "1"});
        QVERIFY2(shown.out.contains(QStringLiteral("  Comments: cut\u2400here\u241B[2J\n")),
                 qPrintable(shown.out));
        // Every command that prints a stored text shows it whole and harmless
        // on a terminal.
        const CliRun attributes = cli({"attributes", "--number", "1"});
        QVERIFY2(attributes.out.contains(QStringLiteral("cut\u2400here\u241B[2J")),
                 qPrintable(attributes.out));
        QVERIFY(QSqlQuery(QSqlDatabase::database(kDirect))
                    .exec("UPDATE MASTER_REQ SET ReqText = 'ring the' || char(0) || 'bell' || "
                          "char(7)"));
        for (const char *format : {"table", "csv", "json"}) {
            const CliRun listed = cli({"list", "--format", format});
            QCOMPARE(listed.exitCode, 0);
            QVERIFY2(!listed.out.contains(QChar(0)) && !listed.out.contains(QChar(7)),
                     qPrintable(listed.out));
            QVERIFY2(listed.out.contains(QStringLiteral("bell")), qPrintable(listed.out));
        }
        QVERIFY(QSqlQuery(QSqlDatabase::database(kDirect))
                    .exec("UPDATE MASTER_REQ SET ReqText = 'ring the bell'"));
        for (const char *format : {"reqif", "csv", "html"}) {
            const QString path = m_environment->root() + "/out." + format;
            const CliRun exported = cli({"export", format, "--output", path});
            QCOMPARE(exported.exitCode, 0);
            QCOMPARE(exported.out, "1 requirement(s) written to " + path +
                                       "; 2 control character(s) of requirement(s) 1 written as "
                                       "visible characters\n");
        }
        QCOMPARE(cli({"attributes", "--number", "1", "--comments", "back\x1b[2J"}).err,
                 QStringLiteral("Validation error. The Comments field holds a control "
                                "character.\nRemove it and save again.\n"));
        QCOMPARE(cli({"attributes", "--number", "1", "--comments", "one\ntwo"}).exitCode, 0);
        QCOMPARE(scalar("SELECT Comments FROM MASTER_REQ").toString(), QStringLiteral("one\ntwo"));
    }

    // A requirement whose own rebuild fails does not stop the others, but
    // the run says how many failed and ends with exit 1.
    void regenerateCountsWhatItCouldNotRebuild()
    {
        for (const char *entity : {"Entity=cargo reservations", "Entity=gate", "Entity=berth"})
            QCOMPARE(cli({"add", "--template", "21", "--field", entity}).exitCode, 0);
        QCOMPARE(cli({"regenerate"}).out,
                 QStringLiteral("Success. Your object model database has been rebuilt.\n"));
        QVERIFY(QSqlQuery(QSqlDatabase::database(kDirect))
                    .exec("CREATE TRIGGER refuse BEFORE INSERT ON REQ_ENTITY WHEN "
                          "NEW.FK_SReqNum = 2 BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        const CliRun regenerated = cli({"regenerate"});
        QCOMPARE(regenerated.exitCode, 1);
        QVERIFY(regenerated.out.isEmpty());
        QVERIFY2(regenerated.err.endsWith("Your object model database has been rebuilt, but 1 "
                                          "requirement could not be rebuilt.\n"),
                 qPrintable(regenerated.err));
        QCOMPARE(scalar("SELECT COUNT(DISTINCT FK_SReqNum) FROM REQ_ENTITY").toInt(), 2);
    }
};

QTEST_GUILESS_MAIN(CliWriterFaultsTest)
#include "tst_cli_writerfaults.moc"
