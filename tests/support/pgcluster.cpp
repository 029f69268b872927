#include "pgcluster.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <pwd.h>
#include <unistd.h>

namespace {

const QString kBinaries = QStringLiteral("/usr/lib/postgresql/15/bin/");
const QString kServerUser = QStringLiteral("postgres");
constexpr int kPort = 5432;

std::unique_ptr<PgCluster> &theCluster()
{
    static std::unique_ptr<PgCluster> cluster;
    return cluster;
}

bool runsAsRoot()
{
    return ::geteuid() == 0;
}

// The folder a cluster's data is copied from; initdb runs once per build tree.
QString templateFolder()
{
    return QStringLiteral(VARN_BINARY_DIR "/pg-template");
}

bool run(const QString &program, const QStringList &arguments, QString *output)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(120000);
    const QString text = QString::fromLocal8Bit(process.readAll());
    if (output)
        *output = text;
    const bool ok =
        finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (!ok)
        qWarning("%s %s: %s", qPrintable(program), qPrintable(arguments.join(QLatin1Char(' '))),
                 qPrintable(text));
    return ok;
}

} // namespace

PgCluster *PgCluster::instance()
{
    std::unique_ptr<PgCluster> &cluster = theCluster();
    if (!cluster) {
        cluster.reset(new PgCluster);
        QElapsedTimer timer;
        timer.start();
        if (!cluster->prepare() || !cluster->start()) {
            cluster.reset();
            QTest::qFail("cannot start the private PostgreSQL cluster", __FILE__, __LINE__);
            return nullptr;
        }
        qInfo("PostgreSQL cluster ready in %lld ms", timer.elapsed());
        qAddPostRoutine([] { theCluster().reset(); });
    }
    return cluster.get();
}

PgCluster::~PgCluster()
{
    if (m_running)
        stop();
}

bool PgCluster::runAsOwner(const QStringList &command, QString *output) const
{
    if (runsAsRoot())
        return run(QStringLiteral("runuser"),
                   QStringList{QStringLiteral("-u"), kServerUser, QStringLiteral("--")} + command,
                   output);
    return run(command.first(), command.mid(1), output);
}

bool PgCluster::prepare()
{
    if (!m_folder.isValid())
        return false;
    const QString data = m_folder.filePath(QStringLiteral("data"));
    if (runsAsRoot()) {
        // The server's user must reach the socket folder and own the data.
        const passwd *owner = ::getpwnam("postgres");
        if (!owner || ::chown(QFile::encodeName(m_folder.path()).constData(), owner->pw_uid,
                              owner->pw_gid) != 0)
            return false;
    }
    QFile::setPermissions(m_folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                               QFile::ReadGroup | QFile::ExeGroup |
                                               QFile::ReadOther | QFile::ExeOther);
    QLockFile lock(templateFolder() + QStringLiteral(".lock"));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(180000))
        return false;
    if (QFile::exists(templateFolder() + QStringLiteral("/PG_VERSION")))
        return run(QStringLiteral("cp"), {QStringLiteral("-a"), templateFolder(), data}, nullptr);
    if (!runAsOwner({kBinaries + QStringLiteral("initdb"), QStringLiteral("-D"), data,
                     QStringLiteral("-A"), QStringLiteral("trust"), QStringLiteral("-U"),
                     userName(), QStringLiteral("-E"), QStringLiteral("UTF8"),
                     QStringLiteral("--locale=C.UTF-8"), QStringLiteral("--no-sync")}))
        return false;
    QDir(templateFolder()).removeRecursively();
    // A template that cannot be kept only costs the next suite another initdb.
    run(QStringLiteral("cp"), {QStringLiteral("-a"), data, templateFolder()}, nullptr);
    return true;
}

bool PgCluster::start()
{
    const QString data = m_folder.filePath(QStringLiteral("data"));
    // Unix socket only; the data reaches the kernel at each commit but is
    // not forced to disk, which a test cluster does not need.
    const QString options = QStringLiteral("-k %1 -c listen_addresses= -p %2 -F "
                                           "-c shared_buffers=16MB -c max_connections=60")
                                .arg(m_folder.path())
                                .arg(kPort);
    m_running = runAsOwner({kBinaries + QStringLiteral("pg_ctl"), QStringLiteral("-D"), data,
                            QStringLiteral("-o"), options, QStringLiteral("-l"),
                            m_folder.filePath(QStringLiteral("server.log")), QStringLiteral("-w"),
                            QStringLiteral("start")});
    if (m_running) {
        // Stops the server should this process die before it can.
        QProcess::startDetached(
            QStringLiteral("sh"),
            {QStringLiteral("-c"),
             QStringLiteral("while kill -0 %1 2>/dev/null; do sleep 1; done; %2 %3pg_ctl -D '%4' "
                            "-m immediate stop >/dev/null 2>&1")
                 .arg(QCoreApplication::applicationPid())
                 .arg(runsAsRoot() ? QStringLiteral("runuser -u postgres --") : QString())
                 .arg(kBinaries, data)});
    }
    return m_running;
}

bool PgCluster::stop()
{
    m_running = false;
    return runAsOwner({kBinaries + QStringLiteral("pg_ctl"), QStringLiteral("-D"),
                       m_folder.filePath(QStringLiteral("data")), QStringLiteral("-m"),
                       QStringLiteral("immediate"), QStringLiteral("-w"), QStringLiteral("stop")});
}

QString PgCluster::createDatabase()
{
    const QString name = QStringLiteral("varn_%1").arg(++m_databases);
    if (!run(kBinaries + QStringLiteral("psql"),
             {QStringLiteral("-h"), socketFolder(), QStringLiteral("-p"), QString::number(kPort),
              QStringLiteral("-U"), userName(), QStringLiteral("-d"), QStringLiteral("postgres"),
              QStringLiteral("-q"), QStringLiteral("-c"),
              QStringLiteral("CREATE DATABASE %1").arg(name)},
             nullptr))
        return {};
    return QStringLiteral("host=%1 port=%2 dbname=%3 user=%4")
        .arg(socketFolder())
        .arg(kPort)
        .arg(name, userName());
}

bool PgCluster::runScript(const QString &databaseName, const QString &scriptPath) const
{
    return run(kBinaries + QStringLiteral("psql"),
               {QStringLiteral("-h"), socketFolder(), QStringLiteral("-p"), QString::number(kPort),
                QStringLiteral("-U"), userName(), QStringLiteral("-d"), databaseName,
                QStringLiteral("-q"), QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"),
                QStringLiteral("-f"), scriptPath},
               nullptr);
}

QString PgCluster::databaseOf(const QString &serverString)
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("dbname=(\\S+)")).match(serverString);
    return match.captured(1);
}
