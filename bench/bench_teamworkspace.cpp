// A team workspace on a private PostgreSQL cluster: 8 writer processes save
// 500 functional requirements each over the Unix socket, then the numbers
// are checked (none lost, none twice); then Requirements Central's All query
// and the other measures of bench_central on the shared fill's requirements
// in the team database (100,000 unless the first argument names another
// number), and how soon the list shows another user's save there. With
// --hold the cluster keeps running after the measures, its filled database
// reachable through psql, until a line is read from standard input;
// "bench_teamworkspace --server ADDRESS" then measures Requirements Central
// on that held database again (no fill), so that two builds can be measured
// in turn on the same rows.
#include "app/blankimage.h"
#include "benchsupport.h"
#include "central/requirementchangelistener.h"
#include "central/requirementscentral.h"
#include "store/recordobjects.h"
#include "store/savetransaction.h"
#include "store/sqlconnection.h"
#include "store/teamdatabase.h"
#include "support/pgcluster.h"
#include "templates/functionalcommit.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <vector>

using namespace varn;

namespace {

constexpr int kWriters = 8;
constexpr int kSavesEach = 500;
constexpr int kScreenRows = 30;

templates::FunctionalDraft generated(int writer, int i)
{
    templates::FunctionalDraft draft = templates::FunctionalDraft::forTemplate(9);
    draft.preamble = QStringLiteral("shall provide the capability");
    const QStringList texts = {"",
                               "notify",
                               "",
                               "",
                               "operational subsystem " + QString(QChar('a' + writer)),
                               "when",
                               "wind sensor",
                               "",
                               "runway station " + QString(QChar('a' + i % 26)),
                               "changes",
                               "from",
                               "nominal",
                               "to",
                               "caution" + QString::number(i)};
    for (int k = 0; k < texts.size(); ++k)
        draft.setField(k, texts[k]);
    return draft;
}

Result<QSqlDatabase> connect(const QString &name, const QString &server)
{
    return store::SqlConnection::openServer(name, store::ServerAddress::parse(server).value());
}

int runWriter(const QString &server, int writer)
{
    if (!connect(QStringLiteral("writer"), server)) {
        std::fprintf(stderr, "writer %d cannot connect\n", writer);
        return 1;
    }
    store::RecordObjects records(QStringLiteral("writer"));
    templates::FunctionalCommit commit(records, QStringLiteral("Bench"));
    for (int i = 0; i < kSavesEach; ++i) {
        templates::FunctionalDraft draft = generated(writer, i);
        const templates::CommitResult result = commit.save(draft);
        if (!result.outcome) {
            std::fprintf(stderr, "writer %d save %d refused: %s\n", writer, i,
                         qPrintable(result.outcome.message()));
            return 1;
        }
    }
    return 0;
}

QVariant scalar(const QString &sql)
{
    QSqlQuery query(QSqlDatabase::database(QStringLiteral("bench")));
    return query.exec(sql) && query.next() ? query.value(0) : QVariant();
}

bool writers(const QString &server)
{
    std::vector<std::unique_ptr<QProcess>> processes;
    QElapsedTimer timer;
    timer.start();
    for (int writer = 0; writer < kWriters; ++writer) {
        auto &process = processes.emplace_back(std::make_unique<QProcess>());
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        process->start(QCoreApplication::applicationFilePath(),
                       {QStringLiteral("--writer"), server, QString::number(writer)});
    }
    bool ok = true;
    for (auto &process : processes)
        ok = process->waitForFinished(600000) && process->exitCode() == 0 && ok;
    const double seconds = timer.nsecsElapsed() / 1e9;
    const int saves = kWriters * kSavesEach;
    const int stored = scalar(QStringLiteral("SELECT COUNT(*) FROM MASTER_REQ")).toInt();
    const int distinct =
        scalar(QStringLiteral("SELECT COUNT(DISTINCT Req_Num) FROM MASTER_REQ")).toInt();
    const int highest = scalar(QStringLiteral("SELECT MAX(Req_Num) FROM MASTER_REQ")).toInt();
    std::printf("%d writers x %d functional saves: %.2f s, %.0f saves/s\n", kWriters, kSavesEach,
                seconds, saves / seconds);
    std::printf("stored %d, lost %d, duplicate numbers %d, highest number %d\n", stored,
                saves - distinct, stored - distinct, highest);
    return ok && stored == saves && distinct == saves && highest == saves;
}

// The shared fill's requirements, written into a workspace file and copied
// into the team database; then read back through the program's listing.
bool fillForCentral(PgCluster &cluster, const QString &server, int count)
{
    QTemporaryDir folder(QCoreApplication::applicationDirPath() +
                         QStringLiteral("/bench_team-XXXXXX"));
    const QString path = folder.filePath(QStringLiteral("teamReq.mdb"));
    BenchSupport::FillPlan plan;
    plan.requirements = count;
    plan.system = QStringLiteral("Bench");
    if (!app::BlankImage::writeTo(QString(), path))
        return false;
    const std::optional<BenchSupport::Filled> filled = BenchSupport::fill(path, plan);
    if (!filled)
        return false;
    QElapsedTimer timer;
    timer.start();
    const QString script = BenchSupport::writeServerLoad(path, folder.path());
    if (script.isEmpty())
        return false;
    // psql as the cluster's helper runs it, without its time limit: a
    // million rows take longer than a test's script.
    QProcess psql;
    psql.setProcessChannelMode(QProcess::ForwardedChannels);
    psql.start(QStringLiteral("/usr/lib/postgresql/15/bin/psql"),
               {QStringLiteral("-h"), cluster.socketFolder(), QStringLiteral("-p"),
                QStringLiteral("5432"), QStringLiteral("-U"), PgCluster::userName(),
                QStringLiteral("-d"), PgCluster::databaseOf(server), QStringLiteral("-q"),
                QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-f"),
                script});
    if (!psql.waitForFinished(-1) || psql.exitStatus() != QProcess::NormalExit ||
        psql.exitCode() != 0)
        return false;
    std::printf("%d team requirements (%d live): filled in %.1f s, copied to the server in %.1f "
                "s\n",
                filled->requirements, filled->live, filled->seconds, timer.nsecsElapsed() / 1e9);
    return BenchSupport::checkFilled(QStringLiteral("bench"), plan, *filled);
}

// Another user saves while the list is shown: how soon the list hears of it,
// and the query and first screen of listing again.
bool liveRefreshOfCentral(const QString &server, int count)
{
    central::RequirementsCentral central(QStringLiteral("bench"));
    central::RequirementChangeListener listener;
    if (!central.loadSettings() || !central.runType(central::QueryKind::All) ||
        !listener.listen(QStringLiteral("bench")) || !connect(QStringLiteral("other"), server))
        return false;
    const int before = central.model().requirementCount();
    QElapsedTimer timer;
    qint64 heard = -1;
    qint64 queried = 0;
    qint64 screen = 0;
    qsizetype characters = 0;
    QEventLoop loop;
    QObject::connect(&listener, &central::RequirementChangeListener::changedElsewhere, &loop, [&] {
        heard = timer.nsecsElapsed();
        timer.restart();
        if (central.refresh()) {
            queried = timer.nsecsElapsed();
            timer.restart();
            characters = BenchSupport::readFirstScreen(central.model(), kScreenRows);
            screen = timer.nsecsElapsed();
        }
        loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    bool saved = false;
    {
        store::SaveTransaction save(QStringLiteral("other"));
        QSqlQuery insert(QSqlDatabase::database(QStringLiteral("other")));
        saved = save.begin().isOk() &&
                insert.exec(QStringLiteral("INSERT INTO MASTER_REQ VALUES (%1, 'Functional', 9, "
                                           "'Software', 1, 1, 1, '1.1', 'The Acme system shall', "
                                           "'notify the operator', %1, '3-7-2009', NULL)")
                                .arg(count + 1));
        timer.start();
        saved = saved && save.commit().isOk();
    }
    if (saved)
        loop.exec();
    store::SqlConnection::close(QStringLiteral("other"));
    const int after = central.model().requirementCount();
    std::printf("Central live on %d team requirements: another user's save heard %.1f ms after "
                "its commit (%d ms of it gathering a burst), listed again: query %.1f ms, first "
                "screen %.3f ms after the query, %d rows\n",
                count, heard / 1e6, central::RequirementChangeListener::kDelayMs, queried / 1e6,
                screen / 1e6, after);
    return saved && heard >= 0 && characters > 0 && after == before + 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() == 4 && arguments.at(1) == QLatin1String("--writer"))
        return runWriter(arguments.at(2), arguments.at(3).toInt());
    if (arguments.size() == 3 && arguments.at(1) == QLatin1String("--server")) {
        BenchSupport::resetPeakMemory();
        bool measured = false;
        {
            const auto opened = connect(QStringLiteral("bench"), arguments.at(2));
            measured = opened && BenchSupport::measureCentral(QStringLiteral("bench"), true);
        }
        store::SqlConnection::close(QStringLiteral("bench"));
        return measured ? 0 : 1;
    }

    PgCluster *cluster = PgCluster::instance();
    if (!cluster)
        return 1;
    const int count = BenchSupport::requirementsArgument(argc, argv, 100000);
    const bool hold = arguments.contains(QLatin1String("--hold"));
    bool ok = true;
    for (int round = 0; ok && round < 2; ++round) {
        const QString server = cluster->createDatabase();
        {
            // The handle goes before the connection closes.
            const auto opened = connect(QStringLiteral("bench"), server);
            ok = opened &&
                 store::TeamDatabase::provision(opened->connectionName(), QStringLiteral("Bench"));
        }
        if (ok)
            ok = round == 0 ? writers(server)
                            : fillForCentral(*cluster, server, count) &&
                                  BenchSupport::measureCentral(QStringLiteral("bench"), true) &&
                                  liveRefreshOfCentral(server, count);
        store::SqlConnection::close(QStringLiteral("bench"));
        if (round == 1 && hold) {
            std::printf("held: /usr/lib/postgresql/15/bin/psql -h %s -U %s -d %s\n"
                        "measured again by: %s --server \"%s\"\n",
                        qPrintable(cluster->socketFolder()), qPrintable(PgCluster::userName()),
                        qPrintable(PgCluster::databaseOf(server)),
                        qPrintable(QCoreApplication::applicationFilePath()), qPrintable(server));
            std::fflush(stdout);
            std::getchar();
        }
    }
    if (!ok)
        std::fprintf(stderr, "benchmark failed\n");
    return ok ? 0 : 1;
}
