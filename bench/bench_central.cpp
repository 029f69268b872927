// Requirements Central on 100,000 stored requirements: the All query, a By
// Entity query and a sort, each through the view's engine and list model,
// then the cells of the first screen as the list asks for them to paint.
// The widgets themselves are not linked here; the figures are the query and
// model side of the first painted screen.
#include "app/blankimage.h"
#include "benchsupport.h"
#include "central/requirementscentral.h"
#include "store/sqlconnection.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <functional>

#include <sqlite3.h>

#include <cstdio>

namespace {

constexpr int kRequirements = 100000;
constexpr int kEntityNames = 500; // each requirement mentions two of them
constexpr int kScreenRows = 30;
const QString kConnection = QStringLiteral("bench_central");

using varn::central::QueryKind;
using varn::central::RequirementsCentral;

using BenchSupport::exec;
using BenchSupport::step;

// Writes the requirements straight through the C API: the arrangement, not
// what is measured.
bool fill(const QString &path)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK)
        return false;
    sqlite3_stmt *master = nullptr;
    sqlite3_stmt *func = nullptr;
    sqlite3_stmt *entity = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO MASTER_REQ VALUES (?, ?, 9, 'Software', 1, 1, 1, ?, "
                       "'The Acme system shall provide the capability', ?, ?, '3-7-2009', NULL)",
                       -1, &master, nullptr);
    sqlite3_prepare_v2(db, "INSERT INTO FUNC_REQ (F_ReqNum, Source) VALUES (?, 9)", -1, &func,
                       nullptr);
    sqlite3_prepare_v2(db,
                       "INSERT INTO REQ_ENTITY (Req_EntityID, ReqEntity, FK_FReqNum) "
                       "VALUES (?, ?, ?)",
                       -1, &entity, nullptr);
    bool ok = master && func && entity && exec(db, "BEGIN");
    char text[160];
    char paragraph[16];
    char name[32];
    int entityKey = 0;
    for (int number = 1; ok && number <= kRequirements; ++number) {
        const int textLength = std::snprintf(
            text, sizeof text,
            "to assess the weight of cargo %d using the runway freight scale %d when it lands",
            (number * 7919) % 100003, number % 977);
        const int paragraphLength =
            std::snprintf(paragraph, sizeof paragraph, "%d.%d", number % 40, number % 7);
        sqlite3_bind_int(master, 1, number);
        sqlite3_bind_text(master, 2, number % 10 == 0 ? "Deleted" : "Functional", -1,
                          SQLITE_STATIC);
        sqlite3_bind_text(master, 3, paragraph, paragraphLength, SQLITE_TRANSIENT);
        sqlite3_bind_text(master, 4, text, textLength, SQLITE_TRANSIENT);
        sqlite3_bind_int(master, 5, number);
        sqlite3_bind_int(func, 1, number);
        ok = step(master) && step(func);
        for (int mention = 0; ok && mention < 2; ++mention) {
            const int nameLength = std::snprintf(name, sizeof name, "entity %d",
                                                 (number * (mention + 3)) % kEntityNames);
            sqlite3_bind_int(entity, 1, ++entityKey);
            sqlite3_bind_text(entity, 2, name, nameLength, SQLITE_TRANSIENT);
            sqlite3_bind_int(entity, 3, number);
            ok = step(entity);
        }
    }
    ok = ok && exec(db, "COMMIT");
    sqlite3_finalize(master);
    sqlite3_finalize(func);
    sqlite3_finalize(entity);
    sqlite3_close(db);
    return ok;
}

qint64 firstScreenNanoseconds(const RequirementsCentral &central)
{
    QElapsedTimer timer;
    timer.start();
    const qsizetype characters = BenchSupport::readFirstScreen(central.model(), kScreenRows);
    const qint64 elapsed = timer.nsecsElapsed();
    if (characters == 0)
        std::fprintf(stderr, "the first screen is empty\n");
    return elapsed;
}

bool measure(const char *what, RequirementsCentral &central,
             const std::function<varn::Outcome()> &query)
{
    QElapsedTimer timer;
    timer.start();
    const varn::Outcome outcome = query();
    const qint64 queried = timer.nsecsElapsed();
    if (!outcome) {
        std::fprintf(stderr, "%s\n", qPrintable(outcome.message()));
        return false;
    }
    const qint64 screen = firstScreenNanoseconds(central);
    std::printf("%-34s %7d rows  query %7.1f ms  first screen %6.3f ms\n", what,
                central.model().requirementCount(), queried / 1e6, screen / 1e6);
    return true;
}

bool run(const QString &path)
{
    if (!varn::store::SqlConnection::open(kConnection, path))
        return false;
    bool ok = false;
    {
        RequirementsCentral central(kConnection);
        QElapsedTimer timer;
        timer.start();
        ok = central.loadSettings().isOk();
        const varn::Result<QStringList> names = central.entityNames();
        ok = ok && names.isOk();
        std::printf("%-34s %7lld names %.1f ms\n", "opening: settings and entity list",
                    ok ? static_cast<long long>(names->size()) : 0LL, timer.nsecsElapsed() / 1e6);
        ok = ok && measure("All", central, [&] { return central.runType(QueryKind::All); });
        ok = ok && measure("By Entity \"entity 7\"", central,
                           [&] { return central.runByEntity(QStringLiteral("entity 7")); });
        ok = ok && measure("By Entity \"entity 1*\"", central,
                           [&] { return central.runByEntity(QStringLiteral("entity 1*")); });
        ok = ok && measure("By Number \"1*\"", central,
                           [&] { return central.runByNumber(QStringLiteral("1*")); });
        ok = ok && central.runType(QueryKind::All).isOk();
        const int requirement =
            int(central.model().columns().indexOf(varn::central::Column::Requirement));
        ok = ok && measure("All sorted by Requirement", central,
                           [&] { return central.sortByColumn(requirement, {}); });
    }
    varn::store::SqlConnection::close(kConnection);
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("centralReq.mdb"));
    if (varn::Outcome written = varn::app::BlankImage::writeTo(QString(), path); !written) {
        std::fprintf(stderr, "%s\n", qPrintable(written.message()));
        return 1;
    }
    if (!fill(path)) {
        std::fprintf(stderr, "cannot store the requirements\n");
        return 1;
    }
    std::printf("%d stored requirements (every tenth deleted), %d entity names\n", kRequirements,
                kEntityNames);
    if (!run(path)) {
        std::fprintf(stderr, "benchmark failed\n");
        return 1;
    }
    return 0;
}
