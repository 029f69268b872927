// Regenerates the object model of a workspace holding 10,000 stored
// requirements (the worked examples with varied names) and compares it with
// the raw SQLite C API inserting the same number of object-model rows in one
// transaction. With --raw ROWS it times only the raw insert; with --cli
// [REQUIREMENTS] it times varn-cli regenerate end to end, as a user runs it,
// on a workspace of 5,000 stored functional requirements.
#include "app/blankimage.h"
#include "benchsupport.h"
#include "objmodel/objectmodelregenerator.h"
#include "store/recordobjects.h"
#include "store/sqlconnection.h"
#include "support/clirun.h"
#include "support/workspaceenvironment.h"
#include "templates/functionalcommit.h"
#include "templates/storedrequirementloader.h"

#include <QSqlDatabase>
#include <sqlite3.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

#include <QTemporaryDir>
#include <algorithm>

#include <cstdio>

using namespace varn;

namespace {

using BenchSupport::median;

constexpr int kRequirements = 10000;
const QString kWorkspace = QStringLiteral("bench");
const QString kAppDb = QStringLiteral("appdb");

QString blankCopy(const QTemporaryDir &folder, const QString &name)
{
    // An empty path when the copy fails: opening it then fails loudly.
    const QString path = folder.filePath(name);
    return app::BlankImage::writeTo(QString(), path) ? path : QString();
}

// The functional examples, each entity field suffixed so names vary.
QList<templates::FunctionalDraft> examples()
{
    QList<templates::FunctionalDraft> drafts;
    QSqlQuery numbers(QSqlDatabase::database(kAppDb));
    numbers.exec(
        QStringLiteral("SELECT F_ReqNum FROM FUNC_REQ WHERE Source > 0 ORDER BY F_ReqNum"));
    while (numbers.next()) {
        auto draft =
            templates::StoredRequirementLoader::functional(kAppDb, numbers.value(0).toInt(), false);
        if (draft)
            drafts.append(draft.value());
    }
    return drafts;
}

QString suffix(int i)
{
    QString word;
    for (int n = i; n > 0 || word.isEmpty(); n /= 26)
        word += QChar(u'a' + n % 26);
    return word;
}

bool fillWorkspace(const QString &connection = kWorkspace, int count = kRequirements)
{
    const QList<templates::FunctionalDraft> drafts = examples();
    if (drafts.isEmpty())
        return false;
    store::RecordObjects records(connection);
    templates::FunctionalCommit commit(records, QStringLiteral("Bench"));
    for (int i = 0; i < count; ++i) {
        templates::FunctionalDraft draft = drafts[i % drafts.size()];
        draft.loadedNumber = -1;
        const templates::FunctionalDraft plain = draft;
        for (auto &field : draft.fields) {
            if (field.letter == 'e' && !field.text.isEmpty()) {
                field.text += QLatin1Char(' ') + suffix(i / drafts.size());
                break;
            }
        }
        auto saved = commit.save(draft);
        if (!saved.outcome) { // the longest examples have no room for a suffix
            draft = plain;
            saved = commit.save(draft);
        }
        if (!saved.outcome) {
            std::fprintf(stderr, "save %d: %s\n", i, qPrintable(saved.outcome.message()));
            return false;
        }
    }
    return true;
}

int modelRows(const QString &connection = kWorkspace)
{
    QSqlQuery count(QSqlDatabase::database(connection));
    count.exec(QStringLiteral(
        "SELECT (SELECT COUNT(*) FROM OM_ENTITY) + (SELECT COUNT(*) FROM OM_ATTR) + (SELECT "
        "COUNT(*) FROM OM_METHOD) + (SELECT COUNT(*) FROM OM_INH) + (SELECT COUNT(*) FROM OM_AGG) "
        "+ (SELECT COUNT(*) FROM OM_PV) + (SELECT COUNT(*) FROM REQ_ENTITY)"));
    return count.next() ? count.value(0).toInt() : 0;
}

// The same number of rows through the C API: a counter update and an insert
// of three columns each, in one transaction.
double rawInsertSeconds(const QString &path, int rows)
{
    sqlite3 *db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(db, "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL", nullptr, nullptr,
                 nullptr);
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO OM_METHOD (Method_ID, Method, FK_EntityID) VALUES (?, ?, NULL)",
                       -1, &insert, nullptr);
    QElapsedTimer timer;
    timer.start();
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    for (int i = 1; i <= rows; ++i) {
        const QByteArray name = "method" + QByteArray::number(i);
        sqlite3_bind_int(insert, 1, i);
        sqlite3_bind_text(insert, 2, name.constData(), int(name.size()), SQLITE_TRANSIENT);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    const double seconds = timer.nsecsElapsed() / 1e9;
    sqlite3_finalize(insert);
    sqlite3_close(db);
    return seconds;
}

// varn-cli regenerate as a user runs it, start-up and opening included, on a
// workspace made by varn-cli new and filled through the engine; the best
// and the median of several runs against the raw insert of as many rows.
int endToEnd(int count)
{
    WorkspaceEnvironment environment;
    if (qEnvironmentVariableIsEmpty("VARN_CLI"))
        qputenv("VARN_CLI", QFile::encodeName(QCoreApplication::applicationDirPath() +
                                              QStringLiteral("/varn-cli")));
    const QString workspace = environment.root() + QStringLiteral("/bench.vnp");
    const CliRun created =
        CliRun::run({QStringLiteral("new"), QStringLiteral("--system"), QStringLiteral("Bench"),
                     QStringLiteral("--workspace"), workspace});
    const QString database = environment.databaseFolder() + QStringLiteral("/BenchReq.mdb");
    if (created.exitCode != 0 || !store::SqlConnection::open(kWorkspace, database)) {
        std::fprintf(stderr, "varn-cli new: %s\n", qPrintable(created.err));
        return 1;
    }
    if (!fillWorkspace(kWorkspace, count))
        return 1;
    constexpr int kRuns = 5;
    QList<double> runs;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        const CliRun regenerated = CliRun::run({QStringLiteral("regenerate")}, workspace);
        runs.append(timer.nsecsElapsed() / 1e9);
        if (regenerated.exitCode != 0) {
            std::fprintf(stderr, "varn-cli regenerate: %s\n", qPrintable(regenerated.err));
            return 1;
        }
    }
    const int rows = modelRows();
    store::SqlConnection::close(kWorkspace);
    QTemporaryDir folder;
    QList<double> raws;
    for (int run = 0; run < kRuns; ++run)
        raws.append(
            rawInsertSeconds(blankCopy(folder, QStringLiteral("Raw%1.mdb").arg(run)), rows));
    const double best = *std::min_element(runs.begin(), runs.end());
    const double rawBest = *std::min_element(raws.begin(), raws.end());
    std::printf("varn-cli regenerate of %d stored requirements (%d object-model rows): best %.3f "
                "s, median %.3f s\n",
                count, rows, best, median(runs));
    std::printf("raw sqlite3 insert of %d rows in one transaction: best %.3f s, median %.3f s\n",
                rows, rawBest, median(raws));
    std::printf("ratio: best %.1f, median %.1f\n", best / rawBest, median(runs) / median(raws));
    return 0;
}

} // namespace

int regenerateFilled(int count)
{
    QTemporaryDir folder(QCoreApplication::applicationDirPath() +
                         QStringLiteral("/bench_regenerate-XXXXXX"));
    const QString path = blankCopy(folder, QStringLiteral("FilledReq.mdb"));
    BenchSupport::FillPlan plan;
    plan.requirements = count;
    const std::optional<BenchSupport::Filled> filled = BenchSupport::fill(path, plan);
    if (!filled || !store::SqlConnection::open(kWorkspace, path) ||
        !BenchSupport::checkFilled(kWorkspace, plan, *filled))
        return 1;
    std::printf("%d stored requirements, %d of them live functional ones: filled in %.1f s\n",
                filled->requirements, filled->functional, filled->seconds);
    BenchSupport::resetPeakMemory();
    double seconds = 0;
    {
        objmodel::ObjectModelRegenerator regenerator(kWorkspace);
        QElapsedTimer timer;
        timer.start();
        const Outcome regenerated = regenerator.regenerate();
        seconds = timer.nsecsElapsed() / 1e9;
        if (!regenerated) {
            std::fprintf(stderr, "%s\n", qPrintable(regenerated.message()));
            return 1;
        }
    }
    const double peak = BenchSupport::peakMemoryMiB();
    const int rows = modelRows();
    store::SqlConnection::close(kWorkspace);
    const double raw = rawInsertSeconds(blankCopy(folder, QStringLiteral("Raw.mdb")), rows);
    std::printf("regenerated into %d object-model rows in %.3f s, peak memory %.0f MiB\n", rows,
                seconds, peak);
    std::printf("raw sqlite3 insert of %d rows in one transaction: %.3f s\n", rows, raw);
    std::printf("ratio: %.1f\n", seconds / raw);
    return 0;
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // "--raw ROWS": only the raw insert, the yardstick of an end-to-end run
    // of varn-cli regenerate on a workspace whose model has ROWS rows.
    if (argc == 3 && QByteArrayView(argv[1]) == "--raw") {
        QTemporaryDir folder;
        const int rows = QByteArray(argv[2]).toInt();
        std::printf("raw sqlite3 insert of %d rows in one transaction: %.3f s\n", rows,
                    rawInsertSeconds(blankCopy(folder, QStringLiteral("Raw.mdb")), rows));
        return 0;
    }
    if (argc >= 2 && QByteArrayView(argv[1]) == "--cli") {
        if (!store::SqlConnection::open(kAppDb,
                                        WorkspaceEnvironment::applicationDatabaseFolder() +
                                            QStringLiteral("/AppDB.mdb"),
                                        store::SqlConnection::Access::ReadOnly))
            return 1;
        return endToEnd(argc >= 3 ? QByteArray(argv[2]).toInt() : 5000);
    }
    // "N": the shared fill's N requirements (their functional ones rebuilt),
    // the same measure at a size the saves through the engine cannot reach.
    if (const int count = BenchSupport::requirementsArgument(argc, argv, 0); count > 0)
        return regenerateFilled(count);
    const QString appDb =
        argc > 1 ? QString::fromLocal8Bit(argv[1])
                 : QCoreApplication::applicationDirPath() + QStringLiteral("/AppDB.mdb");
    QTemporaryDir folder;
    if (!store::SqlConnection::open(kAppDb, appDb, store::SqlConnection::Access::ReadOnly) ||
        !store::SqlConnection::open(kWorkspace,
                                    blankCopy(folder, QStringLiteral("BenchReq.mdb")))) {
        std::fprintf(stderr, "cannot open the databases (application database %s)\n",
                     qPrintable(appDb));
        return 1;
    }
    QElapsedTimer filling;
    filling.start();
    if (!fillWorkspace())
        return 1;
    // The log stays near the checkpoint threshold when saves let it be
    // checkpointed; the regeneration's commit would otherwise copy it all.
    std::printf("saved %d requirements in %.3f s; write-ahead log %.1f MB\n", kRequirements,
                filling.nsecsElapsed() / 1e9,
                QFileInfo(folder.filePath(QStringLiteral("BenchReq.mdb-wal"))).size() / 1e6);

    objmodel::ObjectModelRegenerator regenerator(kWorkspace);
    QElapsedTimer timer;
    timer.start();
    const Outcome regenerated = regenerator.regenerate();
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (!regenerated) {
        std::fprintf(stderr, "%s\n", qPrintable(regenerated.message()));
        return 1;
    }
    const int rows = modelRows();
    const double raw = rawInsertSeconds(blankCopy(folder, QStringLiteral("Raw.mdb")), rows);
    std::printf("regenerated %d requirements into %d object-model rows in %.3f s\n", kRequirements,
                rows, seconds);
    std::printf("raw sqlite3 insert of %d rows in one transaction: %.3f s\n", rows, raw);
    std::printf("ratio: %.1f\n", seconds / raw);
    return 0;
}
