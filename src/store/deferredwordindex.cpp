#include "store/deferredwordindex.h"
#include "store/storetr.h"

#include "store/rowstatement.h"

#include <QSqlDatabase>

#include <sqlite3.h>

#include <optional>

namespace varn::store {

namespace {

constexpr char kIndexFailure[] =
    QT_TRANSLATE_NOOP("varn::store", "Cannot update the index of the requirements' words.\n");
constexpr char kNoTransaction[] = QT_TRANSLATE_NOOP("varn::store", "No transaction is open.");

// What the batch writes, noted by number: a requirement's row written,
// changed in its words or kind, or removed, and its whole text. The
// conditions are those of the index's own triggers. Rows written above the
// highest number stored when the batch began are new and all indexed
// whatever happens to them, so they are not noted one by one (%1 stands
// for that number): a large import adds most of its rows there.
constexpr const char *kNotingWrites[] = {
    "CREATE TEMP TRIGGER IF NOT EXISTS varn_words_saved AFTER INSERT ON MASTER_REQ "
    "WHEN new.Req_Num <= %1 BEGIN "
    "INSERT OR IGNORE INTO varn_words_pending (Req_Num) VALUES (new.Req_Num); END",
    "CREATE TEMP TRIGGER IF NOT EXISTS varn_words_full_text_saved AFTER INSERT ON FULL_TEXT "
    "WHEN new.Req_Num <= %1 BEGIN "
    "INSERT OR IGNORE INTO varn_words_pending (Req_Num) VALUES (new.Req_Num); END",
};
constexpr const char *kNoting[] = {
    "CREATE TEMP TABLE IF NOT EXISTS varn_words_pending (Req_Num INTEGER PRIMARY KEY)",
    "CREATE TEMP TRIGGER IF NOT EXISTS varn_words_changed "
    "AFTER UPDATE OF Req_Num, FSTType, Preamble, ReqText, ParaNum, Comments ON MASTER_REQ "
    "WHEN old.Req_Num IS NOT new.Req_Num OR old.FSTType IS NOT new.FSTType "
    "OR old.Preamble IS NOT new.Preamble OR old.ReqText IS NOT new.ReqText "
    "OR old.ParaNum IS NOT new.ParaNum OR old.Comments IS NOT new.Comments BEGIN "
    "INSERT OR IGNORE INTO varn_words_pending (Req_Num) VALUES (old.Req_Num); "
    "INSERT OR IGNORE INTO varn_words_pending (Req_Num) VALUES (new.Req_Num); END",
    "CREATE TEMP TRIGGER IF NOT EXISTS varn_words_removed AFTER DELETE ON MASTER_REQ BEGIN "
    "INSERT OR IGNORE INTO varn_words_pending (Req_Num) VALUES (old.Req_Num); END",
    "CREATE TEMP TRIGGER IF NOT EXISTS varn_words_full_text_changed AFTER UPDATE ON FULL_TEXT "
    "BEGIN INSERT OR IGNORE INTO varn_words_pending (Req_Num) VALUES (old.Req_Num); "
    "INSERT OR IGNORE INTO varn_words_pending (Req_Num) VALUES (new.Req_Num); END",
    "CREATE TEMP TRIGGER IF NOT EXISTS varn_words_full_text_removed AFTER DELETE ON FULL_TEXT "
    "BEGIN INSERT OR IGNORE INTO varn_words_pending (Req_Num) VALUES (old.Req_Num); END",
};

// The noted requirements and the new ones above the highest number of
// before (the parameter) lose the words they had, and the live ones among
// them take those of their rows now: what the index's triggers give a row
// (textsearch.sqlite.sql), in one pass in number order, the noted ones
// first since every one above that number is new.
constexpr const char *kIndexingRows[] = {
    "DELETE FROM REQ_WORDS WHERE rowid IN (SELECT Req_Num FROM temp.varn_words_pending)",
    "DELETE FROM REQ_WORDS WHERE rowid > ?1",
    "INSERT INTO REQ_WORDS (rowid, Sentence, Paragraph, Comments) "
    "SELECT m.Req_Num, COALESCE(m.Preamble, '') || ' ' || COALESCE(f.FullText, m.ReqText, ''), "
    "m.ParaNum, m.Comments FROM temp.varn_words_pending p "
    "JOIN MASTER_REQ m ON m.Req_Num = p.Req_Num LEFT JOIN FULL_TEXT f ON f.Req_Num = m.Req_Num "
    "WHERE p.Req_Num <= ?1 AND COALESCE(m.FSTType, '') NOT LIKE 'Deleted' ORDER BY m.Req_Num",
    "INSERT INTO REQ_WORDS (rowid, Sentence, Paragraph, Comments) "
    "SELECT m.Req_Num, COALESCE(m.Preamble, '') || ' ' || COALESCE(f.FullText, m.ReqText, ''), "
    "m.ParaNum, m.Comments FROM MASTER_REQ m LEFT JOIN FULL_TEXT f ON f.Req_Num = m.Req_Num "
    "WHERE m.Req_Num > ?1 AND COALESCE(m.FSTType, '') NOT LIKE 'Deleted' ORDER BY m.Req_Num",
};
constexpr const char *kIndexing[] = {
    "DROP TRIGGER IF EXISTS temp.varn_words_saved",
    "DROP TRIGGER IF EXISTS temp.varn_words_changed",
    "DROP TRIGGER IF EXISTS temp.varn_words_removed",
    "DROP TRIGGER IF EXISTS temp.varn_words_full_text_saved",
    "DROP TRIGGER IF EXISTS temp.varn_words_full_text_changed",
    "DROP TRIGGER IF EXISTS temp.varn_words_full_text_removed",
    "DROP TABLE IF EXISTS temp.varn_words_pending",
};

Outcome failure(sqlite3 *handle)
{
    return Outcome::stop(Tr::tr(kIndexFailure) + QString::fromUtf8(sqlite3_errmsg(handle)));
}

bool run(sqlite3 *handle, const char *sql)
{
    return sqlite3_exec(handle, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// One statement, with the highest number of before bound to its parameter
// if it has one.
bool runAbove(sqlite3 *handle, const char *sql, sqlite3_int64 highest)
{
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(handle, sql, -1, &statement, nullptr) != SQLITE_OK)
        return false;
    const bool done = (sqlite3_bind_parameter_count(statement) == 0 ||
                       sqlite3_bind_int64(statement, 1, highest) == SQLITE_OK) &&
                      sqlite3_step(statement) == SQLITE_DONE;
    sqlite3_finalize(statement);
    return done;
}

// The highest number stored, or none (0).
std::optional<sqlite3_int64> highestNumber(sqlite3 *handle)
{
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(handle, "SELECT COALESCE(MAX(Req_Num), 0) FROM main.MASTER_REQ", -1,
                           &statement, nullptr) != SQLITE_OK)
        return std::nullopt;
    std::optional<sqlite3_int64> highest;
    if (sqlite3_step(statement) == SQLITE_ROW)
        highest = sqlite3_column_int64(statement, 0);
    sqlite3_finalize(statement);
    return highest;
}

} // namespace

Result<DeferredWordIndex> DeferredWordIndex::defer(const QString &connectionName)
{
    return defer(RowStatement::directHandle(QSqlDatabase::database(connectionName, false)));
}

Result<DeferredWordIndex> DeferredWordIndex::defer(sqlite3 *handle)
{
    if (!handle)
        return DeferredWordIndex(nullptr);
    // Only inside the transaction: outside it, the index would go without
    // its triggers for every other writer.
    if (sqlite3_get_autocommit(handle))
        return Outcome::stop(Tr::tr(kIndexFailure) + Tr::tr(kNoTransaction));
    DeferredWordIndex deferred(handle);
    QByteArrayList names;
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(handle,
                           "SELECT name, sql FROM main.sqlite_master WHERE type = 'trigger' "
                           "AND name LIKE 'REQ\\_WORDS\\_%' ESCAPE '\\' AND sql IS NOT NULL "
                           "ORDER BY name",
                           -1, &statement, nullptr) != SQLITE_OK)
        return failure(handle);
    int code = SQLITE_ROW;
    while ((code = sqlite3_step(statement)) == SQLITE_ROW) {
        names.append(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
        deferred.m_triggers.append(
            reinterpret_cast<const char *>(sqlite3_column_text(statement, 1)));
    }
    sqlite3_finalize(statement);
    if (code != SQLITE_DONE)
        return failure(handle);
    // A workspace without the index has nothing to keep current.
    if (names.isEmpty())
        return DeferredWordIndex(nullptr);
    const std::optional<sqlite3_int64> highest = highestNumber(handle);
    if (!highest)
        return failure(handle);
    deferred.m_highest = *highest;
    for (const char *sql : kNoting) {
        if (!run(handle, sql))
            return failure(handle);
    }
    // A trigger takes no parameter: the number goes in as digits.
    const QByteArray digits = QByteArray::number(*highest);
    for (const char *sql : kNotingWrites) {
        if (!run(handle, QByteArray(sql).replace("%1", digits).constData()))
            return failure(handle);
    }
    for (const QByteArray &name : std::as_const(names)) {
        QByteArray drop = "DROP TRIGGER main.\"" + QByteArray(name).replace('"', "\"\"") + '"';
        if (!run(handle, drop.constData()))
            return failure(handle);
    }
    return deferred;
}

Outcome DeferredWordIndex::index()
{
    if (!m_handle)
        return Outcome::ok();
    for (const char *sql : kIndexingRows) {
        if (!runAbove(m_handle, sql, m_highest))
            return failure(m_handle);
    }
    for (const char *sql : kIndexing) {
        if (!run(m_handle, sql))
            return failure(m_handle);
    }
    for (const QByteArray &trigger : std::as_const(m_triggers)) {
        if (!run(m_handle, trigger.constData()))
            return failure(m_handle);
    }
    m_handle = nullptr;
    m_triggers.clear();
    return Outcome::ok();
}

} // namespace varn::store
