// Change control on a large workspace: N stored requirements (100,000
// unless the first argument says otherwise) with 2N dependent links.
// Times creating a baseline, comparing two baselines that differ in 1,000
// requirements, comparing the live requirements with a baseline, the impact
// of a change to one requirement, and what marking the links suspect adds to
// the save of a new version.
#include "benchsupport.h"
#include "change/baselines.h"
#include "change/comparison.h"
#include "change/impact.h"
#include "store/recordobjects.h"
#include "store/savetransaction.h"
#include "store/sqlconnection.h"
#include "store/suspectlinktable.h"
#include "templates/functionalcommit.h"
#include "templates/technicalcommit.h"
#include "templates/technicaldraft.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <algorithm>
#include <vector>

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

using BenchSupport::exec;
using BenchSupport::step;

const QString kConnection = QStringLiteral("bench_change");
constexpr int kChanged = 1000;
constexpr int kSaves = 500;

// Technical requirements and links straight through the C API: the
// arrangement, not what is measured. Link k joins two requirements picked
// by a multiplicative step, so every requirement touches about four links.
bool fill(const QString &path, int count)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK)
        return false;
    sqlite3_stmt *master = nullptr;
    sqlite3_stmt *link = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO MASTER_REQ VALUES (?, 'Technical', 23, 'Software', 1, 1, 1, "
                       "?, 'The Acme system shall', ?, ?, '3-7-2009', NULL)",
                       -1, &master, nullptr);
    sqlite3_prepare_v2(db, "INSERT INTO DEPENDENT_REQ VALUES (?, ?, ?)", -1, &link, nullptr);
    bool ok = master && link && exec(db, "BEGIN");
    char text[160];
    char paragraph[16];
    for (int number = 1; ok && number <= count; ++number) {
        const int textLength = std::snprintf(
            text, sizeof text,
            "weigh the cargo of flight %d on the runway freight scale %d within %d seconds",
            (number * 7919) % 100003, number % 977, number % 60);
        const int paragraphLength =
            std::snprintf(paragraph, sizeof paragraph, "%d.%d", number % 40, number % 7);
        sqlite3_bind_int(master, 1, number);
        sqlite3_bind_text(master, 2, paragraph, paragraphLength, SQLITE_TRANSIENT);
        sqlite3_bind_text(master, 3, text, textLength, SQLITE_TRANSIENT);
        sqlite3_bind_int(master, 4, number);
        ok = step(master);
    }
    for (int key = 1; ok && key <= 2 * count; ++key) {
        // Each pair once: the two links of a dependent have other parents.
        const int dependent = (key - 1) % count + 1;
        int parent = int((qint64(key) * 48271 + (key - 1) / count) % count) + 1;
        if (parent == dependent)
            parent = parent % count + 1;
        sqlite3_bind_int(link, 1, key);
        sqlite3_bind_int(link, 2, parent);
        sqlite3_bind_int(link, 3, dependent);
        ok = step(link);
    }
    char counters[160];
    std::snprintf(counters, sizeof counters,
                  "UPDATE PK_MASTR_REQ SET PMastrReq = %d; UPDATE PK_DEP_REQ SET PDepReq = %d",
                  count, 2 * count);
    ok = ok && exec(db, counters) && exec(db, "COMMIT");
    sqlite3_finalize(master);
    sqlite3_finalize(link);
    sqlite3_close(db);
    return ok;
}

// kChanged requirements changed between two baselines without going through
// the composers: a new version of every other one (its number of seconds
// changed), an attribute changed in place on the rest.
bool changeSome(const QString &path, int count)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK)
        return false;
    bool ok = exec(db, "BEGIN");
    char sql[512];
    for (int i = 0; ok && i < kChanged; ++i) {
        const int number = 1 + i * (count / kChanged);
        if (i % 2 == 0) {
            std::snprintf(
                sql, sizeof sql,
                "INSERT INTO MASTER_REQ SELECT %d, FSTType, Source, Category, Priority, "
                "Release, 2, ParaNum, Preamble, replace(ReqText, ' seconds', ' minutes'), "
                "OrigReqNum, DateSaved, Comments FROM MASTER_REQ WHERE Req_Num = %d; "
                "UPDATE MASTER_REQ SET FSTType = 'Deleted' WHERE Req_Num = %d",
                count + 1 + i, number, number);
        } else {
            std::snprintf(sql, sizeof sql,
                          "UPDATE MASTER_REQ SET Priority = 3, Comments = 'reviewed' "
                          "WHERE Req_Num = %d",
                          number);
        }
        ok = exec(db, sql);
    }
    // And kChanged links: half of them removed, as many added.
    for (int i = 0; ok && i < kChanged / 2; ++i) {
        std::snprintf(sql, sizeof sql,
                      "DELETE FROM DEPENDENT_REQ WHERE Dep_Num = %d; INSERT INTO DEPENDENT_REQ "
                      "VALUES (%d, %d, %d)",
                      1 + i * (2 * count / kChanged), 2 * count + 1 + i, 3 + i, 5 + 2 * i);
        ok = exec(db, sql);
    }
    std::snprintf(sql, sizeof sql,
                  "UPDATE PK_MASTR_REQ SET PMastrReq = %d; UPDATE PK_DEP_REQ SET PDepReq = %d",
                  count + kChanged, 2 * count + kChanged / 2);
    ok = ok && exec(db, sql) && exec(db, "COMMIT");
    sqlite3_close(db);
    return ok;
}

// The processor time of the last measurement, beside its wall-clock time:
// on a machine others share the two differ.
double g_processorMilliseconds = 0;

template <typename Work> double milliseconds(Work work)
{
    QElapsedTimer timer;
    const std::clock_t started = std::clock();
    timer.start();
    work();
    g_processorMilliseconds = double(std::clock() - started) * 1000.0 / CLOCKS_PER_SEC;
    return timer.nsecsElapsed() / 1e6;
}

bool compareAndPrint(const char *what, const varn::change::Baselines &baselines,
                     const QString &from, const QString &to)
{
    varn::change::ChangeReport report;
    bool ok = true;
    // The changes streamed from the store and kept, as the Compare dialog
    // keeps them.
    const double total = milliseconds([&] {
        varn::Result<varn::change::ChangeReport> compared = baselines.compare(from, to);
        ok = compared.isOk();
        if (ok)
            report = std::move(compared.value());
    });
    if (!ok)
        return false;
    std::printf("%-40s %7.1f ms (processor %.1f ms)  %d changed, %d added, "
                "%d deleted, links %d added, %d removed\n",
                what, total, g_processorMilliseconds, report.changed, report.added, report.deleted,
                report.linksAdded, report.linksRemoved);
    return true;
}

// The impact of a change to a requirement that has a second version: the
// walk both ways over every link, the trace and the two versions compared.
// The median of a few runs after a first one; then what reading the
// sentences of every requirement reached adds, as varn-cli impact does.
bool measureImpact(const QString &installPath, int count)
{
    varn::change::Impact impact(kConnection, installPath, QStringLiteral("Acme"));
    const int number = 1 + 2 * (count / kChanged); // edited by changeSome
    varn::change::ImpactReport report;
    bool ok = true;
    const auto once = [&] {
        auto found = impact.of(number);
        ok = found.isOk();
        if (ok)
            report = std::move(found.value());
    };
    once();
    std::vector<double> times;
    std::vector<double> processor;
    for (int run = 0; ok && run < 5; ++run) {
        times.push_back(milliseconds(once));
        processor.push_back(g_processorMilliseconds);
    }
    if (!ok || !report.delta)
        return false;
    std::sort(times.begin(), times.end());
    std::sort(processor.begin(), processor.end());
    const double sentences = milliseconds([&] { ok = impact.readSentences(report).isOk(); });
    if (!ok)
        return false;
    std::printf("%-40s %7.1f ms (processor %.1f ms)  %lld depend on it, it depends on %lld; "
                "reading their sentences %.1f ms\n",
                "impact of one requirement", times[times.size() / 2],
                processor[processor.size() / 2], qlonglong(report.dependents.size()),
                qlonglong(report.parents.size()), sentences);
    return true;
}

// Edits kSaves requirements through the technical composer's save, then
// marks the links of as many others suspect alone, each in a transaction
// rolled back: the second is what the marking adds to the first.
bool measureSaves(int count)
{
    varn::store::RecordObjects records(kConnection);
    varn::templates::TechnicalCommit commit(records, QStringLiteral("Acme"));
    bool ok = true;
    const double saves = milliseconds([&] {
        for (int i = 0; ok && i < kSaves; ++i) {
            const int number = 7 + i * (count / kSaves);
            auto draft = varn::templates::TechnicalDraft::stored(kConnection, number, true);
            ok = draft.isOk();
            if (!ok)
                break;
            draft->text += QStringLiteral(" again");
            ok = commit.save(draft.value()).outcome.isOk();
        }
    });
    if (!ok)
        return false;
    // The marking alone, each as the save runs it, all inside one transaction
    // rolled back at the end.
    varn::store::SaveTransaction transaction(kConnection);
    if (!transaction.begin())
        return false;
    const double marking = milliseconds([&] {
        for (int i = 0; ok && i < kSaves; ++i) {
            const int number = 11 + i * (count / kSaves);
            ok = varn::store::SuspectLinkTable::markTouching(kConnection, number, count + 1,
                                                             QStringLiteral("3-7-2009"))
                     .isOk();
        }
    });
    (void)transaction.rollback();
    if (!ok)
        return false;
    std::printf("%-40s %7.3f ms a save, of which marking %.3f ms (+%.1f%%)\n",
                "new technical version, linked", saves / kSaves, marking / kSaves,
                100.0 * marking / (saves - marking));
    // A functional requirement's save, which derives the object model too.
    varn::templates::FunctionalCommit functional(records, QStringLiteral("Acme"));
    const double functionalSaves = milliseconds([&] {
        for (int i = 0; ok && i < kSaves; ++i) {
            auto draft = varn::templates::FunctionalDraft::forTemplate(9);
            draft.preamble = QStringLiteral("shall provide the capability");
            const QStringList texts = {"",
                                       "notify",
                                       "",
                                       "",
                                       "operational subsystem",
                                       "when",
                                       "wind sensor",
                                       "",
                                       "runway station",
                                       "changes",
                                       "from",
                                       "nominal",
                                       "to",
                                       QStringLiteral("caution%1").arg(i)};
            for (int k = 0; k < texts.size(); ++k)
                draft.setField(k, texts[k]);
            ok = functional.save(draft).outcome.isOk();
        }
    });
    if (!ok)
        return false;
    std::printf("%-40s %7.3f ms a save; the marking would add %.1f%%\n", "functional requirement",
                functionalSaves / kSaves, 100.0 * marking / functionalSaves);
    return true;
}

bool run(const QString &path, int count)
{
    const varn::change::Baselines baselines(kConnection);
    bool ok = true;
    const double created =
        milliseconds([&] { ok = baselines.create(QStringLiteral("release 1"), QString()).isOk(); });
    if (!ok)
        return false;
    std::printf("%-40s %7.1f ms (processor %.1f ms)\n", "creating a baseline", created,
                g_processorMilliseconds);
    varn::store::SqlConnection::close(kConnection);
    if (!changeSome(path, count) || !varn::store::SqlConnection::open(kConnection, path))
        return false;
    ok = baselines.create(QStringLiteral("release 2"), QString()).isOk();
    ok = ok && compareAndPrint("comparing two baselines", baselines, QStringLiteral("release 1"),
                               QStringLiteral("release 2"));
    ok = ok && compareAndPrint("comparing the live set with a baseline", baselines,
                               QStringLiteral("release 1"), QString());
    ok = ok && measureImpact(QFileInfo(path).path(), count);
    return ok && measureSaves(count);
}

} // namespace

int keepSharedFill(int count, const QString &path)
{
    if (!BenchSupport::freshDatabase(path))
        return 1;
    BenchSupport::FillPlan plan;
    plan.requirements = count;
    const std::optional<BenchSupport::Filled> filled = BenchSupport::fill(path, plan);
    if (!filled)
        return 1;
    std::printf("%d stored requirements (%d live): filled in %.1f s\n", filled->requirements,
                filled->live, filled->seconds);
    return 0;
}

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    // "bench_change N --keep FILE": the shared fill of N requirements kept in
    // FILE, for timing varn-cli baseline and diff on it.
    if (argc == 4 && QByteArrayView(argv[2]) == "--keep")
        return keepSharedFill(count, QFile::decodeName(argv[3]));
    if (count < kChanged * 2) {
        std::fprintf(stderr, "usage: bench_change [REQUIREMENTS], at least %d\n", kChanged * 2);
        return 2;
    }
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("changeReq.mdb"));
    if (!BenchSupport::freshDatabase(path))
        return 1;
    if (!fill(path, count) || !varn::store::SqlConnection::open(kConnection, path)) {
        std::fprintf(stderr, "cannot store the requirements\n");
        return 1;
    }
    std::printf("%d stored requirements, %d links\n", count, 2 * count);
    const bool ok = run(path, count);
    varn::store::SqlConnection::close(kConnection);
    if (!ok) {
        std::fprintf(stderr, "benchmark failed\n");
        return 1;
    }
    return 0;
}
