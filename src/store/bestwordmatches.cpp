#include "store/bestwordmatches.h"

#include <sqlite3.h>

#include <QByteArray>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace varn::store {

namespace {

struct Ranked
{
    double rank;
    qint32 number;
};

} // namespace

Result<BestWordMatches::Found> BestWordMatches::read(sqlite3 *handle, const QString &match,
                                                     int rows, bool bestFirst)
{
    const auto failed = [handle] {
        return Outcome::stop(QString::fromUtf8(sqlite3_errmsg(handle)));
    };
    sqlite3_stmt *statement = nullptr;
    // The index holds every requirement but the deleted ones; the list
    // leaves out those without a kind as well.
    if (sqlite3_prepare_v2(handle,
                           "SELECT rowid, rank FROM REQ_WORDS WHERE REQ_WORDS MATCH ? AND rowid "
                           "NOT IN (SELECT Req_Num FROM MASTER_REQ WHERE FSTType IS NULL)",
                           -1, &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return failed();
    }
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt *)> finalized(statement,
                                                                           sqlite3_finalize);
    const QByteArray text = match.toUtf8();
    if (sqlite3_bind_text(statement, 1, text.constData(), int(text.size()), SQLITE_STATIC) !=
        SQLITE_OK)
        return failed();
    // Lower ranks match better; equal ones go in number order either way.
    const auto before = [bestFirst](const Ranked &a, const Ranked &b) {
        if (a.rank != b.rank)
            return bestFirst ? a.rank < b.rank : a.rank > b.rank;
        return a.number < b.number;
    };
    // The best so far, the last of them on top.
    std::vector<Ranked> best;
    best.reserve(std::size_t(std::clamp(rows, 0, 4096)));
    Found found;
    int code = SQLITE_ROW;
    while ((code = sqlite3_step(statement)) == SQLITE_ROW) {
        ++found.matches;
        if (rows <= 0)
            continue;
        const Ranked next{sqlite3_column_double(statement, 1),
                          qint32(sqlite3_column_int64(statement, 0))};
        if (best.size() == std::size_t(rows)) {
            if (!before(next, best.front()))
                continue;
            std::pop_heap(best.begin(), best.end(), before);
            best.back() = next;
        } else {
            best.push_back(next);
        }
        std::push_heap(best.begin(), best.end(), before);
    }
    if (code != SQLITE_DONE)
        return failed();
    std::sort_heap(best.begin(), best.end(), before);
    found.numbers.reserve(qsizetype(best.size()));
    for (const Ranked &ranked : best)
        found.numbers.append(ranked.number);
    return found;
}

} // namespace varn::store
