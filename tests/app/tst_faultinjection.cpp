// varn-cli interrupted, raced and fed hostile workspace files: the user's ODBC
// file keeps its own sections byte for byte, the database stays sound, and
// nothing hangs or crashes.
#include "app/cvarnapp.h"
#include "app/datasource.h"
#include "app/odbcinifile.h"
#include "app/workspacefile.h"
#include "support/clirun.h"
#include "support/testfiles.h"
#include "support/workspaceenvironment.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include <array>
#include <csignal>
#include <memory>
#include <sys/stat.h>

using namespace varn::app;

namespace {

const QByteArray kForeignSection = "; kept by hand\n[Payroll]\nDriver = PostgreSQL Unicode\n"
                                   "Servername = db.example\nDatabase=payroll\n\n";
const QString kDataSource = QStringLiteral("AcmeReqDS");

struct Ending
{
    bool finished = false; // ended within the time limit
    bool crashed = false;  // ended by a signal other than the one sent
    int exitCode = -1;
    QString err;
};

// Runs varn-cli, optionally sending a signal after the delay; never waits long.
Ending runCli(const QStringList &arguments, int signal = 0, int delayMs = 0)
{
    QProcess process;
    process.start(qEnvironmentVariable("VARN_CLI"), arguments);
    if (!process.waitForStarted(5000))
        return {};
    if (signal != 0) {
        QThread::msleep(delayMs);
        ::kill(pid_t(process.processId()), signal);
    }
    Ending ending;
    ending.finished = process.waitForFinished(10000);
    if (!ending.finished) {
        process.kill();
        process.waitForFinished();
    }
    // A crash is a signal we did not send: QProcess reports it as CrashExit.
    ending.crashed = process.exitStatus() == QProcess::CrashExit && signal == 0;
    ending.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -signal;
    ending.err = QString::fromUtf8(process.readAllStandardError());
    return ending;
}

} // namespace

class FaultInjectionTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<WorkspaceEnvironment> m_environment;
    QString m_workspace;
    QByteArray m_odbcAtRest; // the user's section and AppDS, no workspace registered
    quint32 m_seed = QRandomGenerator::global()->generate();

    QString database() const
    {
        return m_environment->databaseFolder() + QStringLiteral("/AcmeReq.mdb");
    }

    QString temporaryFolder() const { return m_environment->root() + QStringLiteral("/tmp"); }

    static QStringList entriesOf(const QString &folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QString integrity() const
    {
        QString result;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "integrity");
            db.setDatabaseName(database());
            QSqlQuery query(db);
            if (db.open() && query.exec(QStringLiteral("PRAGMA integrity_check")) && query.next())
                result = query.value(0).toString();
            query.finish();
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("integrity"));
        return result;
    }

    // One clean command ends every run: it clears what a killed holder left.
    void verifyAtRest()
    {
        const CliRun list = CliRun::run({"list"}, m_workspace);
        QCOMPARE(list.exitCode, 0);
        QCOMPARE(fileBytes(m_environment->userOdbcIni()), m_odbcAtRest);
        QCOMPARE(integrity(), QStringLiteral("ok"));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(!qEnvironmentVariableIsEmpty("VARN_CLI"));
        m_environment = std::make_unique<WorkspaceEnvironment>();
        writeBytes(m_environment->userOdbcIni(), kForeignSection);
        m_workspace = m_environment->root() + QStringLiteral("/acme.vnp");
        // The commands' own temporary files, watched for what an interruption leaves.
        QVERIFY(QDir().mkpath(temporaryFolder()));
        qputenv("TMPDIR", QFile::encodeName(temporaryFolder()));
        QCOMPARE(CliRun::run({"new", "--system", "Acme", "--workspace", m_workspace}).exitCode, 0);
        QCOMPARE(CliRun::run({"tech", "--text", "respond within 2 seconds"}, m_workspace).exitCode,
                 0);
        m_odbcAtRest = fileBytes(m_environment->userOdbcIni());
        QVERIFY(m_odbcAtRest.startsWith(kForeignSection));
        QVERIFY(m_odbcAtRest.contains("[AppDS]"));
        qInfo("random seed %u", m_seed);
    }

    void interruptedCommandsLeaveEverythingIntact_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<int>("rounds");
        QTest::newRow("SIGKILL") << int(SIGKILL) << 30;
        QTest::newRow("SIGINT") << int(SIGINT) << 24;
        QTest::newRow("SIGTERM") << int(SIGTERM) << 4;
        QTest::newRow("SIGHUP") << int(SIGHUP) << 2;
    }

    void interruptedCommandsLeaveEverythingIntact()
    {
        QFETCH(int, signal);
        QFETCH(int, rounds);
        QRandomGenerator random(m_seed + quint32(signal));
        int interrupted = 0;
        int handled = 0;
        // A kill can land between SQLite making a temporary file and
        // unlinking it; what a row before this one left is not this row's.
        QVERIFY(QDir(temporaryFolder()).removeRecursively());
        QVERIFY(QDir().mkpath(temporaryFolder()));
        for (int round = 0; round < rounds; ++round) {
            const QStringList command =
                round % 2 ? QStringList{"tech", "--workspace", m_workspace, "--text",
                                        QStringLiteral("log fault %1").arg(round)}
                          : QStringList{"add",
                                        "--workspace",
                                        m_workspace,
                                        "--template",
                                        "21",
                                        "--field",
                                        QStringLiteral("Entity=gate %1").arg(round)};
            const Ending ending = runCli(command, signal, int(random.bounded(300)));
            QVERIFY2(ending.finished, "varn-cli did not end");
            QVERIFY2(ending.exitCode == 0 || ending.exitCode == -signal ||
                         ending.exitCode == 128 + signal,
                     qPrintable(ending.err));
            interrupted += ending.exitCode != 0;
            handled += ending.exitCode == 128 + signal;
            const QByteArray odbc = fileBytes(m_environment->userOdbcIni());
            QVERIFY2(odbc.startsWith(kForeignSection), odbc.constData());
            // A handled signal closes as Close does: nothing stays registered,
            // no temporary file is left.
            if (signal != SIGKILL) {
                QVERIFY2(!odbc.contains("[AcmeReqDS]"), odbc.constData());
                QCOMPARE(entriesOf(temporaryFolder()).join(u','), QString());
            }
        }
        qInfo("%s: %d rounds, %d interrupted before the command ended, %d of them through the "
              "handler",
              QTest::currentDataTag(), rounds, interrupted, handled);
        verifyAtRest();
    }

    void twoProcessesAtOnce()
    {
        int saved = 0;
        constexpr int kPairs = 15;
        for (int pair = 0; pair < kPairs; ++pair) {
            QProcess first, second;
            for (QProcess *process : {&first, &second})
                process->start(qEnvironmentVariable("VARN_CLI"),
                               {"tech", "--workspace", m_workspace, "--text",
                                QStringLiteral("answer call %1").arg(pair)});
            for (QProcess *process : {&first, &second}) {
                QVERIFY(process->waitForFinished(20000));
                QCOMPARE(process->exitStatus(), QProcess::NormalExit);
                saved += process->exitCode() == 0;
            }
            QVERIFY(fileBytes(m_environment->userOdbcIni()).startsWith(kForeignSection));
        }
        qInfo("%d of %d concurrent saves landed", saved, 2 * kPairs);
        verifyAtRest();
    }

    // Another Varn SE process holding the workspace keeps its data source
    // while commands come and go, however it names the ODBC file; once it is
    // killed, the next command clears it.
    void sourceInUseElsewhereStaysRegistered_data()
    {
        QTest::addColumn<bool>("throughLink");
        QTest::newRow("the same name") << false;
        QTest::newRow("the file through a link") << true;
    }

    void sourceInUseElsewhereStaysRegistered()
    {
        QFETCH(bool, throughLink);
        QProcess holder;
        if (throughLink) {
            const QString link = m_environment->root() + QStringLiteral("/odbc-link.ini");
            QFile::remove(link);
            QVERIFY(QFile::link(m_environment->userOdbcIni(), link));
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("ODBCINI"), link);
            holder.setProcessEnvironment(environment);
        }
        holder.start(QCoreApplication::applicationFilePath(), {"--hold", m_workspace});
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(holder.readLine(), QByteArray("open\n"));

        const std::optional<DataSourceHolders::Holder> owner = CVarnApp::openElsewhere(m_workspace);
        QVERIFY(owner);
        QCOMPARE(owner->pid, holder.processId());
        QVERIFY(owner->program.contains(QStringLiteral("tst_faultinjection")));

        QCOMPARE(CliRun::run({"list"}, m_workspace).exitCode, 0);
        QCOMPARE(runCli({"list", "--workspace", m_workspace}, SIGTERM, 20).finished, true);
        QVERIFY(OdbcInstaller::isRegistered(kDataSource));

        holder.kill();
        holder.waitForFinished();
        QVERIFY(!CVarnApp::openElsewhere(m_workspace));
        verifyAtRest();
    }

    // A copy of the workspace's database under the same data-source name is
    // refused while the first is open elsewhere: the name keeps naming the
    // database of the workspace that registered it.
    void aSecondDatabaseOfOneNameIsRefused()
    {
        const QString folder = m_environment->root() + QStringLiteral("/copy");
        QDir(folder).removeRecursively();
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::copy(database(), folder + QStringLiteral("/AcmeReq.mdb")));
        const auto read = WorkspaceFile::read(m_workspace);
        QVERIFY2(read, qPrintable(read.outcome().message()));
        WorkspaceValues values = read.value();
        values.databaseFolder = folder;
        const QString copy = m_environment->root() + QStringLiteral("/copy.vnp");
        QVERIFY(WorkspaceFile::write(copy, values).isOk());

        QProcess holder;
        holder.start(QCoreApplication::applicationFilePath(), {"--hold", m_workspace});
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(holder.readLine(), QByteArray("open\n"));
        // Not the same workspace: Open says why itself.
        QVERIFY(!CVarnApp::openElsewhere(copy));
        const CliRun listed = CliRun::run({"list"}, copy);
        QCOMPARE(listed.exitCode, 3);
        QVERIFY2(listed.err.contains(QStringLiteral("The data source \"AcmeReqDS\" names the "
                                                    "requirements database\n") +
                                     database() + QStringLiteral("\nof a workspace open in ")),
                 qPrintable(listed.err));
        QCOMPARE(OdbcInstaller::registeredValue(kDataSource, QStringLiteral("Database")),
                 database());

        holder.kill();
        holder.waitForFinished();
        QCOMPARE(CliRun::run({"list"}, copy).exitCode, 0);
        QDir(folder).removeRecursively();
        QFile::remove(copy);
        verifyAtRest();
    }

    // A kill between writing the new ODBC file and putting it in place
    // leaves a whole copy, passwords included, beside it: only its owner may
    // read it, and the next command removes it.
    void killedRewriteLeavesNoReadableCopy()
    {
        const QString ini = m_environment->userOdbcIni();
        QVERIFY(QFile(ini).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                          QFile::ReadOther));
        QProcess killed;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LD_PRELOAD"),
                           QStringLiteral(VARN_KILL_AT_RENAME_LIBRARY));
        environment.insert(QStringLiteral("VARN_KILL_AT_RENAME"), OdbcIniFile::resolvedFilePath());
        // A sanitizer build's runtime would refuse a library loaded before it.
        environment.insert(QStringLiteral("ASAN_OPTIONS"),
                           environment.value(QStringLiteral("ASAN_OPTIONS")) +
                               QStringLiteral(":verify_asan_link_order=0"));
        killed.setProcessEnvironment(environment);
        killed.start(qEnvironmentVariable("VARN_CLI"), {"list", "--workspace", m_workspace});
        QVERIFY(killed.waitForFinished(10000));
        QCOMPARE(killed.exitStatus(), QProcess::CrashExit);

        const auto copies = [&] {
            return QDir(m_environment->root())
                .entryList({QStringLiteral("odbc.ini.varn-??????")}, QDir::Files | QDir::Hidden);
        };
        QCOMPARE(copies().size(), 1);
        const QString copy = m_environment->root() + QLatin1Char('/') + copies().first();
        QVERIFY(fileBytes(copy).startsWith(kForeignSection));
        struct stat status = {};
        QCOMPARE(::stat(QFile::encodeName(copy).constData(), &status), 0);
        QCOMPARE(status.st_mode & 0777, mode_t(0600));
        QCOMPARE(fileBytes(ini), m_odbcAtRest);

        verifyAtRest();
        QCOMPARE(copies(), QStringList());
        QCOMPARE(::stat(QFile::encodeName(ini).constData(), &status), 0);
        QCOMPARE(status.st_mode & 0777, mode_t(0644));
    }

    // An export interrupted while it packs its archive leaves nothing in the
    // folder it writes to: neither the archive nor the pieces packed into it.
    void interruptedArchiveLeavesNothingBeside_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("name");
        QTest::newRow("reqifz") << "reqif"
                                << "out.reqifz";
        QTest::newRow("odt") << "odt"
                             << "out.odt";
        QTest::newRow("xlsx") << "xlsx"
                              << "out.xlsx";
    }

    void interruptedArchiveLeavesNothingBeside()
    {
        QFETCH(QString, format);
        QFETCH(QString, name);
        if (QTest::currentDataTag() == QByteArrayLiteral("reqifz")) {
            // Enough requirements that packing them takes a while.
            QByteArray csv = "No.,Type,Source,Category,Priority,Release,Version,Paragraph,"
                             "Requirement,Orig No.,Date Saved,Comments\r\n";
            for (int i = 1; i <= 4000; ++i)
                csv += QStringLiteral("%1,Technical,23,Software,1,1,1,None,The Acme system shall "
                                      "log fault %1 within %1 seconds,%1,12-8-2026,\r\n")
                           .arg(i)
                           .toUtf8();
            const QString input = m_environment->root() + QStringLiteral("/many.csv");
            writeBytes(input, csv);
            const CliRun imported = CliRun::run({"import", "csv", "--input", input}, m_workspace);
            QVERIFY2(imported.exitCode == 0, qPrintable(imported.err));
        }
        const QString folder = m_environment->root() + QStringLiteral("/export-") + format;
        QVERIFY(QDir().mkpath(folder));
        QProcess process;
        process.start(qEnvironmentVariable("VARN_CLI"),
                      {"export", format, "--workspace", m_workspace, "--output",
                       folder + QLatin1Char('/') + name});
        QVERIFY(process.waitForStarted(5000));
        bool seen = false;
        QElapsedTimer waited;
        waited.start();
        while (!seen && process.state() == QProcess::Running && waited.elapsed() < 60000) {
            seen = !entriesOf(folder).isEmpty();
            if (!seen)
                QThread::usleep(200);
        }
        QVERIFY2(seen, "the export ended before its pieces could be seen");
        ::kill(pid_t(process.processId()), SIGINT);
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 128 + SIGINT);
        QCOMPARE(entriesOf(folder).join(u','), QString());
        verifyAtRest();
    }

    void desktopProgramClosesOnSignal_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }

    void desktopProgramClosesOnSignal()
    {
        QFETCH(int, signal);
        const QString program = QFileInfo(qEnvironmentVariable("VARN_CLI")).dir().filePath("varn");
        if (!QFileInfo::exists(program))
            QSKIP("the desktop program is not built");
        QProcess desktop;
        desktop.start(program, {m_workspace});
        QVERIFY(desktop.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(OdbcInstaller::isRegistered(kDataSource), 20000);
        ::kill(pid_t(desktop.processId()), signal);
        QVERIFY(desktop.waitForFinished(20000));
        QCOMPARE(desktop.exitStatus(), QProcess::NormalExit);
        QCOMPARE(desktop.exitCode(), 128 + signal);
        QCOMPARE(fileBytes(m_environment->userOdbcIni()), m_odbcAtRest);
    }

    void mutatedWorkspacesAreRefused_data()
    {
        QTest::addColumn<QList<QByteArray>>("files");
        QTest::addColumn<bool>("mayOpen"); // random damage may leave a valid file

        const QByteArray good = fileBytes(m_workspace);
        const auto decoded = WorkspaceFile::decode(good);
        QVERIFY2(decoded, qPrintable(decoded.outcome().message()));
        const WorkspaceValues &values = decoded.value();
        QList<QByteArray> fields;
        const QList<QString> insertions = {
            QStringLiteral("\n[Planted]\nDriver=/tmp/evil.so\n"),
            QStringLiteral("\r"),
            QString(QChar(0)),
            QStringLiteral("\t"),
            QStringLiteral("\x1b[31m"),
            QString(QChar(0x202E)),
            QString(255, QLatin1Char('x')),
            QString(1000, QLatin1Char('x')),
            QString(70000, QLatin1Char('x')),
        };
        for (int field = 0; field < 8; ++field) {
            for (const QString &insertion : insertions) {
                WorkspaceValues changed = values;
                QString *text = std::array<QString *, 8>{
                    &changed.dataSourceName, &changed.userId,           &changed.password,
                    &changed.description,    &changed.databaseFileName, &changed.databaseFolder,
                    &changed.systemName,     &changed.installPath}[field];
                text->insert(text->size() / 2, insertion);
                fields << WorkspaceFile::encode(changed);
            }
        }
        const auto withValues = [&](auto change) {
            WorkspaceValues changed = values;
            change(changed);
            return WorkspaceFile::encode(changed);
        };
        QList<QByteArray> names = {
            withValues([](WorkspaceValues &v) { v.dataSourceName = QStringLiteral("AppDS"); }),
            withValues([](WorkspaceValues &v) { v.dataSourceName = QStringLiteral("appds"); }),
            withValues([](WorkspaceValues &v) { v.dataSourceName = QStringLiteral("Acme"); }),
            withValues([](WorkspaceValues &v) { v.dataSourceName = QStringLiteral("A]ReqDS"); }),
            withValues([](WorkspaceValues &v) { v.dataSourceName = QString(40, 'A') + "ReqDS"; }),
            withValues([](WorkspaceValues &v) { v.databaseFolder = QStringLiteral("../../etc"); }),
            withValues([](WorkspaceValues &v) { v.databaseFolder += QStringLiteral("/../x"); }),
            withValues([](WorkspaceValues &v) { v.databaseFileName = QStringLiteral("../a.mdb"); }),
            withValues([](WorkspaceValues &v) { v.databaseFileName = QStringLiteral(".."); }),
            withValues([](WorkspaceValues &v) {
                v.databaseFolder = QStringLiteral("/dev");
                v.databaseFileName = QStringLiteral("zero");
            }),
            withValues([](WorkspaceValues &v) { v.databaseFileName = QStringLiteral("fifo.mdb"); }),
        };
        QList<QByteArray> lengths;
        for (qsizetype size = 0; size < good.size(); ++size)
            lengths << good.left(size);
        lengths << good + 'x' << QByteArray("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7)
                << QByteArray(good).replace(0, 1, "\xFE");
        QRandomGenerator random(m_seed);
        QList<QByteArray> flipped, noise;
        for (int i = 0; i < 60; ++i) {
            QByteArray bytes = good;
            for (int flips = 1 + int(random.bounded(3)); flips > 0; --flips)
                bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
            flipped << bytes;
            QByteArray randomBytes(random.bounded(1, 600), Qt::Uninitialized);
            for (char &byte : randomBytes)
                byte = char(random.bounded(256));
            noise << randomBytes;
        }
        QTest::newRow("fields with control characters or too long") << fields << false;
        QTest::newRow("data-source names and paths") << names << false;
        QTest::newRow("bad lengths and truncations") << lengths << false;
        QTest::newRow("random bytes changed") << flipped << true;
        QTest::newRow("random bytes") << noise << true;
    }

    void mutatedWorkspacesAreRefused()
    {
        QFETCH(QList<QByteArray>, files);
        QFETCH(bool, mayOpen);
        const QString fifoDatabase = m_environment->databaseFolder() + QStringLiteral("/fifo.mdb");
        QFile::remove(fifoDatabase);
        QCOMPARE(mkfifo(QFile::encodeName(fifoDatabase).constData(), 0600), 0);
        const QString path = m_environment->root() + QStringLiteral("/mutated.vnp");
        int refused = 0;
        for (const QByteArray &bytes : files) {
            writeBytes(path, bytes);
            const Ending ending = runCli({"list", "--workspace", path});
            QVERIFY2(ending.finished && !ending.crashed, qPrintable(ending.err));
            QCOMPARE(fileBytes(m_environment->userOdbcIni()), m_odbcAtRest);
            if (ending.exitCode == 0 && mayOpen)
                continue;
            QCOMPARE(ending.exitCode, 3);
            QVERIFY2(ending.err.startsWith(QStringLiteral("Error opening file at the path")) ||
                         ending.err.startsWith(QStringLiteral("Cannot open Requirements")) ||
                         ending.err.startsWith(QStringLiteral("Database connection info")),
                     qPrintable(ending.err));
            ++refused;
        }
        qInfo("%s: %lld files, %d refused", QTest::currentDataTag(), qlonglong(files.size()),
              refused);
        QFile::remove(fifoDatabase);
        verifyAtRest();
    }

    void devicesAndPipesAreNeverRead_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("/dev/zero") << "/dev/zero";
        QTest::newRow("/dev/urandom") << "/dev/urandom";
        QTest::newRow("/dev/null") << "/dev/null";
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("folder") << "folder";
        QTest::newRow("link to /dev/zero") << "link";
    }

    void devicesAndPipesAreNeverRead()
    {
        QFETCH(QString, path);
        const QString root = m_environment->root();
        if (path == QLatin1String("fifo")) {
            path = root + QStringLiteral("/pipe.vnp");
            QFile::remove(path);
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (path == QLatin1String("folder")) {
            path = root;
        } else if (path == QLatin1String("link")) {
            path = root + QStringLiteral("/zero.vnp");
            QFile::remove(path);
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
        }
        const Ending ending = runCli({"info", "--workspace", path});
        QVERIFY(ending.finished);
        QCOMPARE(ending.exitCode, 3);
        QVERIFY2(ending.err.startsWith(QStringLiteral("Error opening file at the path specified.")),
                 qPrintable(ending.err));
        QCOMPARE(fileBytes(m_environment->userOdbcIni()), m_odbcAtRest);
    }

    void readOnlyDatabasesAreReadButNotChanged_data()
    {
        QTest::addColumn<bool>("fileReadOnly");
        QTest::addColumn<bool>("folderReadOnly");
        QTest::newRow("read-only file") << true << false;
        QTest::newRow("read-only folder") << false << true;
        QTest::newRow("both") << true << true;
    }

    void readOnlyDatabasesAreReadButNotChanged()
    {
        QFETCH(bool, fileReadOnly);
        QFETCH(bool, folderReadOnly);
        const QString folder = m_environment->databaseFolder();
        const QByteArray before = fileBytes(database());
        const auto restore = qScopeGuard([&] {
            QFile(folder).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QFile(database()).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        });
        if (fileReadOnly)
            QVERIFY(QFile(database()).setPermissions(QFile::ReadOwner | QFile::ReadGroup));
        if (folderReadOnly)
            QVERIFY(QFile(folder).setPermissions(QFile::ReadOwner | QFile::ExeOwner));

        const CliRun list = CliRun::run({"list"}, m_workspace);
        QCOMPARE(list.exitCode, 0);
        QVERIFY(list.out.contains(QStringLiteral("respond within 2 seconds")));
        const CliRun added = CliRun::run({"tech", "--text", "log faults"}, m_workspace);
        QCOMPARE(added.exitCode, 3);
        QVERIFY2(added.err.contains(QStringLiteral("read-only")), qPrintable(added.err));
        QCOMPARE(fileBytes(database()), before);
        QVERIFY(!QFileInfo::exists(database() + QStringLiteral("-wal")));
        QVERIFY(!QFileInfo::exists(database() + QStringLiteral("-shm")));
        QCOMPARE(fileBytes(m_environment->userOdbcIni()), m_odbcAtRest);
    }

    void invalidUtf8ArgumentsAreUsageErrors()
    {
        QProcess shell;
        shell.start(QStringLiteral("/bin/sh"),
                    {"-c",
                     "exec \"$VARN_CLI\" tech --workspace \"$1\" --text \"$(printf 'a\\377b')\"",
                     "sh", m_workspace});
        QVERIFY(shell.waitForFinished(10000));
        QCOMPARE(shell.exitCode(), 2);
        QVERIFY(shell.readAllStandardError().contains("not valid UTF-8"));
    }
};

// "--hold FILE": a second Varn SE process that keeps the workspace open until
// its standard input closes or it is killed.
static int holdWorkspace(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    CVarnApp app;
    if (!app.openWorkspace(QString::fromLocal8Bit(argv[2]), CVarnApp::Use::Read))
        return 1;
    std::fputs("open\n", stdout);
    std::fflush(stdout);
    QFile input;
    if (input.open(stdin, QIODevice::ReadOnly))
        input.readAll();
    return 0;
}

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--hold") == 0)
        return holdWorkspace(argc, argv);
    QCoreApplication application(argc, argv);
    FaultInjectionTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_faultinjection.moc"
