// What varn-cli's output does in the places a shell puts it: a pipe whose
// reader leaves early, a full disk, a terminal; and the headless demo of
// ./run.sh, which is such a pipeline from start to end.
#include "support/clirun.h"
#include "support/workspaceenvironment.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QtTest>

#include <memory>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Where the program's stdout goes.
enum class Sink { ClosedPipe, FullDisk };

struct Ended
{
    bool normalExit = false;
    int exitCode = -1;
    QString err;
};

// Runs varn-cli with stdout in the sink: a pipe whose reader has already
// gone, as after "| head -1", or /dev/full. SIGPIPE has its default action,
// as in a shell.
Ended runInto(Sink sink, const QStringList &arguments)
{
    int pipeEnds[2] = {-1, -1};
    QProcess process;
    if (sink == Sink::ClosedPipe) {
        if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
            return {};
        ::close(pipeEnds[0]);
        const int writeEnd = pipeEnds[1];
        process.setChildProcessModifier([writeEnd] {
            ::dup2(writeEnd, STDOUT_FILENO);
            ::signal(SIGPIPE, SIG_DFL);
        });
    } else {
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
    }
    process.start(qEnvironmentVariable("VARN_CLI"), arguments);
    const bool finished = process.waitForFinished(60000);
    if (pipeEnds[1] >= 0)
        ::close(pipeEnds[1]);
    if (!finished)
        return {};
    return {process.exitStatus() == QProcess::NormalExit, process.exitCode(),
            QString::fromUtf8(process.readAllStandardError())};
}

int requirementCount(const QString &workspace)
{
    const CliRun info = CliRun::run({QStringLiteral("info")}, workspace);
    static const QRegularExpression count(QStringLiteral("Requirements: (\\d+)\n"));
    const QRegularExpressionMatch match = count.match(info.out);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

} // namespace

class CliOutputTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<WorkspaceEnvironment> m_environment;
    QString m_workspace;
    int m_examples = 0; // the worked examples "examples" saves

    QString newWorkspace(const QString &name)
    {
        const QString file = m_environment->root() + QLatin1Char('/') + name + ".vnp";
        const CliRun created = CliRun::run({"new", "--system", name, "--workspace", file});
        return created.exitCode == 0 ? file : QString();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(!qEnvironmentVariableIsEmpty("VARN_CLI"));
        m_environment = std::make_unique<WorkspaceEnvironment>();
        m_workspace = newWorkspace(QStringLiteral("ESD"));
        QVERIFY(!m_workspace.isEmpty());
        const CliRun examples = CliRun::run({QStringLiteral("examples")}, m_workspace);
        QCOMPARE(examples.exitCode, 0);
        m_examples = int(examples.out.split('\n', Qt::SkipEmptyParts).size());
        QVERIFY(m_examples > 5);
    }

    // A reader that leaves early ends nothing: the command runs to its end,
    // says nothing about the pipe and exits with its own status.
    void closedPipe_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("err");
        QTest::newRow("list") << QStringList{"list", "--workspace", "WORKSPACE"} << 0 << QString();
        QTest::newRow("list as json")
            << QStringList{"list", "--workspace", "WORKSPACE", "--format", "json"} << 0
            << QString();
        QTest::newRow("show") << QStringList{"show", "--workspace", "WORKSPACE", "--number", "2"}
                              << 0 << QString();
        QTest::newRow("a refusal still says why")
            << QStringList{"show", "--workspace", "WORKSPACE", "--number", "9999"} << 1
            << QStringLiteral(
                   "The Requirement Number does not exist in the Requirements database.\n");
        QTest::newRow("examples") << QStringList{"examples", "--workspace", "FRESH"} << 0
                                  << QString();
    }

    void closedPipe()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, err);
        const QString fresh = arguments.contains(QStringLiteral("FRESH"))
                                  ? newWorkspace(QStringLiteral("Fresh"))
                                  : QString();
        arguments.replaceInStrings(QStringLiteral("WORKSPACE"), m_workspace);
        arguments.replaceInStrings(QStringLiteral("FRESH"), fresh);

        const Ended ended = runInto(Sink::ClosedPipe, arguments);
        QVERIFY2(ended.normalExit, "varn-cli died of a signal");
        QCOMPARE(ended.exitCode, exitCode);
        QCOMPARE(ended.err, err);
        // Every example is saved, though nobody read their numbers.
        if (!fresh.isEmpty())
            QCOMPARE(requirementCount(fresh), m_examples);
    }

    // list writes its JSON element by element; the bytes are those of the
    // whole array written at once, escapes and indentation included.
    void jsonListIsTheWholeArrayWrittenOnce_data()
    {
        QTest::addColumn<QStringList>("query");
        QTest::addColumn<int>("count");
        QTest::newRow("every requirement") << QStringList{} << m_examples + 1;
        QTest::newRow("one") << QStringList{"--text", "quoted"} << 1;
        QTest::newRow("none") << QStringList{"--number", "99999"} << 0;
    }

    void jsonListIsTheWholeArrayWrittenOnce()
    {
        QFETCH(QStringList, query);
        QFETCH(int, count);
        static int made = 0;
        const QString workspace = newWorkspace(QStringLiteral("Json%1").arg(++made));
        QVERIFY(!workspace.isEmpty());
        QCOMPARE(CliRun::run({QStringLiteral("examples")}, workspace).exitCode, 0);
        const CliRun added = CliRun::run(
            {"tech", "--text",
             QString::fromUtf8("show the \"quoted\" path C:\\tmp\\x </script> Grüße ✓ 100%")},
            workspace);
        QCOMPARE(added.exitCode, 0);
        const CliRun listed =
            CliRun::run(QStringList{"list", "--format", "json"} + query, workspace);
        QCOMPARE(listed.exitCode, 0);
        QJsonParseError error;
        const QJsonDocument read = QJsonDocument::fromJson(listed.out.toUtf8(), &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(read.array().size(), count);
        QCOMPARE(listed.out,
                 QString::fromUtf8(QJsonDocument(read.array()).toJson(QJsonDocument::Indented))
                         .trimmed() +
                     QLatin1Char('\n'));
    }

    // Results that cannot be written make a failure, not a silent success.
    void fullDisk()
    {
        const Ended ended = runInto(Sink::FullDisk, {"list", "--workspace", m_workspace});
        QVERIFY(ended.normalExit);
        QCOMPARE(ended.exitCode, 3);
        QCOMPARE(ended.err, QStringLiteral("varn-cli: the results could not be written: No space "
                                           "left on device\n"));
    }

    // Some of the system's messages break their lines with a carriage
    // return; on a terminal every break starts a new line, and nothing is
    // written over the start of the message.
    void messagesBreakLines_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("installPathLength"); // 0 for the usual one
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("err");
        QTest::newRow("composition without a part")
            << QStringList{"add",     "--workspace",    "WORKSPACE", "--template",      "20",
                           "--field", "Entity=airline", "--field",   "Cardinality=0..n"}
            << 0 << 1
            << QStringLiteral("Validation error. A second entity must be defined for "
                              "composition.\nUse Template #21 - Structural with Entity/Type "
                              "Definition to define a simple entity.\n");
        QTest::newRow("connection info too long")
            << QStringList{"new", "--system", "Acme", "--workspace", "NEW"} << 300 << 1
            << QStringLiteral("Database connection info exceeds 255 characters.\nTry installing "
                              "Varn SE some place where the path is shorter.\n");
    }

    void messagesBreakLines()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, installPathLength);
        QFETCH(int, exitCode);
        QFETCH(QString, err);
        arguments.replaceInStrings(QStringLiteral("WORKSPACE"), m_workspace);
        arguments.replaceInStrings(QStringLiteral("NEW"),
                                   m_environment->root() + QStringLiteral("/acme.vnp"));
        if (installPathLength > 0) {
            const QString base = m_environment->root() + QStringLiteral("/");
            m_environment->writeSettings(
                base + QString(installPathLength - base.size() - 1, QLatin1Char('x')) + '/', {},
                {});
        }
        const CliRun run = CliRun::run(arguments);
        m_environment->writeDefaultSettings();
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.err, err);
    }

    // ./run.sh without a display: the demo runs under pipefail to its end
    // and shows a generated header.
    void headlessDemo()
    {
        const QString demo = QStringLiteral(VARN_TEST_DATA_DIR "/../../tools/demo.sh");
        QVERIFY(QFileInfo::exists(demo));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral("bash"), {demo, qEnvironmentVariable("VARN_CLI")});
        QVERIFY(process.waitForFinished(120000));
        const QString out = QString::fromUtf8(process.readAllStandardOutput());
        const QString err = QString::fromUtf8(process.readAllStandardError());
        QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
                 qPrintable(QStringLiteral("exit %1\n%2\n%3")
                                .arg(process.exitCode())
                                .arg(out.right(600), err)));
        QCOMPARE(err, QString());
        const QString header = out.section(QStringLiteral("== One generated C++ header\n"), 1);
        QVERIFY2(header.contains(QStringLiteral("\n#ifndef VARN_")), qPrintable(out.right(600)));
        QVERIFY(header.contains(QStringLiteral("\nclass ")));
        QVERIFY(out.endsWith(QStringLiteral("== Done\n")));
    }
};

QTEST_GUILESS_MAIN(CliOutputTest)
#include "tst_cli_output.moc"
