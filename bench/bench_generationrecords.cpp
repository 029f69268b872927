// What recording a generation adds to it, on N stored requirements (100,000
// unless the first argument says otherwise): reading the live versions as a
// generation begins and recording them once it has written its files, for a
// workspace never edited (one run of numbers) and for one where every tenth
// and every other requirement has a newer version; then the check that
// names 1,000 requirements changed since.
#include "app/blankimage.h"
#include "benchsupport.h"
#include "change/generationrecords.h"
#include "store/sqlconnection.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using BenchSupport::median;

using BenchSupport::exec;
using BenchSupport::step;

const QString kConnection = QStringLiteral("bench_generationrecords");
constexpr int kRuns = 5;
constexpr int kChanged = 1000;

// Technical requirements straight through the C API, every `edited`-th of
// them retired by a newer version at the end (none when 0).
bool fill(const QString &path, int count, int edited)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK)
        return false;
    sqlite3_stmt *master = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO MASTER_REQ VALUES (?, ?, 23, 'Software', 1, 1, ?, 'None', "
                       "'The Acme system shall', 'weigh the cargo', ?, '3-7-2009', NULL)",
                       -1, &master, nullptr);
    bool ok = master && exec(db, "BEGIN");
    int next = count;
    for (int number = 1; ok && number <= count; ++number) {
        const bool retired = edited > 0 && number % edited == 0;
        sqlite3_bind_int(master, 1, number);
        sqlite3_bind_text(master, 2, retired ? "Deleted" : "Technical", -1, SQLITE_STATIC);
        sqlite3_bind_int(master, 3, 1);
        sqlite3_bind_int(master, 4, number);
        ok = step(master);
        if (ok && retired) {
            sqlite3_bind_int(master, 1, ++next);
            sqlite3_bind_text(master, 2, "Technical", -1, SQLITE_STATIC);
            sqlite3_bind_int(master, 3, 2);
            sqlite3_bind_int(master, 4, number);
            ok = step(master);
        }
    }
    ok = ok && exec(db, "COMMIT");
    sqlite3_finalize(master);
    sqlite3_close(db);
    return ok;
}

// kChanged live requirements spread over the set deleted.
bool deleteSome(const QString &path, int count)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK)
        return false;
    bool ok = exec(db, "BEGIN");
    char sql[160];
    for (int i = 0; ok && i < kChanged; ++i) {
        std::snprintf(sql, sizeof sql,
                      "UPDATE MASTER_REQ SET FSTType = 'Deleted' WHERE Req_Num = %d",
                      2 + i * (count / kChanged));
        ok = exec(db, sql);
    }
    ok = ok && exec(db, "COMMIT");
    sqlite3_close(db);
    return ok;
}

double since(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const int count = argc > 1 ? std::max(QByteArray(argv[1]).toInt(), 10 * kChanged) : 100000;
    for (const int edited : {0, 10, 2}) {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Bench.mdb"));
        if (!varn::app::BlankImage::writeTo(QString(), path) || !fill(path, count, edited) ||
            !varn::store::SqlConnection::open(kConnection, path)) {
            std::fprintf(stderr, "cannot arrange the database\n");
            return 1;
        }
        const varn::change::GenerationRecords records(kConnection);
        std::vector<double> reads;
        std::vector<double> writes;
        qsizetype runs = 0;
        for (int run = 0; run < kRuns; ++run) {
            QElapsedTimer timer;
            timer.start();
            const auto versions = records.liveVersions();
            reads.push_back(since(timer));
            timer.restart();
            if (!versions ||
                !records.record(QStringLiteral("cpp"), QStringLiteral("/out"), versions.value())) {
                std::fprintf(stderr, "cannot record the generation\n");
                return 1;
            }
            writes.push_back(since(timer));
            runs = versions->runs.size();
        }
        std::printf("%d requirements, %s: %lld run(s) of numbers; reading the live versions "
                    "median %.1f ms, recording them median %.1f ms\n",
                    count,
                    edited == 0    ? "never edited"
                    : edited == 10 ? "every tenth edited"
                                   : "every other edited",
                    qlonglong(runs), median(reads), median(writes));
        if (edited == 10) {
            varn::store::SqlConnection::close(kConnection);
            if (!deleteSome(path, count) || !varn::store::SqlConnection::open(kConnection, path))
                return 1;
            std::vector<double> checks;
            int named = 0;
            for (int run = 0; run < kRuns; ++run) {
                QElapsedTimer timer;
                timer.start();
                const auto checked = records.check(QStringLiteral("cpp"));
                checks.push_back(since(timer));
                if (!checked || !checked.value())
                    return 1;
                named = int(checked.value()->changes.requirements.size());
            }
            std::printf("  the check naming the %d requirements deleted since: median %.1f ms\n",
                        named, median(checks));
        }
        varn::store::SqlConnection::close(kConnection);
    }
    return 0;
}
