#include "store/generationtable.h"
#include "store/storetr.h"

#include "store/boundquery.h"

#include "common/storedwords.h"
#include "store/savetransaction.h"
#include "store/sqldialect.h"
#include "store/transientretry.h"

#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

namespace varn::store {

namespace {

using Run = std::pair<qint32, qint32>;

Outcome failed(const QSqlQuery &query)
{
    return statementFailure(query, Tr::tr("The record of the generations could not be read or "
                                          "written."));
}

QString deletedWord()
{
    return QString::fromLatin1(StoredWords::kDeleted);
}

// The live rows in the order of their numbers, to be gathered into runs.
const QString kLiveNumbers = QStringLiteral(
    "SELECT Req_Num FROM MASTER_REQ WHERE FSTType IS NULL OR FSTType <> ? ORDER BY Req_Num");

const QString kGenerationSelect = QStringLiteral(
    "SELECT Generation_ID, Kind, OutputFolder, GeneratedBy, GeneratedAt, Requirements "
    "FROM GENERATION");

// The numbers of the runs a holds that the runs b do not; both ascending and
// apart.
QList<Run> without(const QList<Run> &a, const QList<Run> &b)
{
    QList<Run> left;
    qsizetype next = 0;
    for (const auto &[first, last] : a) {
        qint64 from = first;
        while (next < b.size() && b.at(next).second < from)
            ++next;
        for (qsizetype k = next; from <= last; ++k) {
            if (k >= b.size() || b.at(k).first > last) {
                left.append({qint32(from), last});
                break;
            }
            if (b.at(k).first > from)
                left.append({qint32(from), b.at(k).first - 1});
            from = qint64(b.at(k).second) + 1;
        }
    }
    return left;
}

// The MASTER_REQ rows of the runs, a bounded number of runs a statement.
bool readRows(QSqlQuery &query, const QList<Run> &runs, QList<MasterReqRow> &rows)
{
    constexpr qsizetype kChunk = 200;
    for (qsizetype from = 0; from < runs.size(); from += kChunk) {
        QStringList ranges;
        QVariantList values;
        for (qsizetype i = from; i < std::min(from + kChunk, runs.size()); ++i) {
            ranges.append(QStringLiteral("Req_Num BETWEEN ? AND ?"));
            values << runs.at(i).first << runs.at(i).second;
        }
        if (!runBound(query,
                      QStringLiteral("SELECT Req_Num, FSTType, Source, Category, Priority, "
                                     "Release, Version, ParaNum, Preamble, ReqText, OrigReqNum, "
                                     "DateSaved, Comments FROM MASTER_REQ WHERE ") +
                          ranges.join(QStringLiteral(" OR ")),
                      values))
            return false;
        while (query.next()) {
            rows.append(masterRowOf(query));
        }
        query.finish();
    }
    std::sort(rows.begin(), rows.end(),
              [](const MasterReqRow &a, const MasterReqRow &b) { return a.Req_Num < b.Req_Num; });
    return true;
}

bool readLiveRuns(QSqlQuery &query, LiveVersions &live)
{
    if (!runBound(query, kLiveNumbers, {deletedWord()}))
        return false;
    while (query.next()) {
        const qint32 number = query.value(0).toInt();
        if (!live.runs.isEmpty() && qint64(live.runs.last().second) + 1 == number)
            live.runs.last().second = number;
        else
            live.runs.append({number, number});
        ++live.requirements;
    }
    query.finish();
    return true;
}

GenerationRow generationRow(const QSqlQuery &query)
{
    return {query.value(0).toInt(),    query.value(1).toString(), query.value(2).toString(),
            query.value(3).toString(), query.value(4).toString(), query.value(5).toInt()};
}

} // namespace

Result<LiveVersions> GenerationTable::liveVersions() const
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    LiveVersions live;
    if (!readLiveRuns(query, live))
        return failed(query);
    return live;
}

Result<GenerationRow> GenerationTable::record(const QString &kind, const QString &folder,
                                              const QString &generatedBy,
                                              const QString &generatedAt,
                                              const LiveVersions &from) const
{
    return TransientRetry::run([&]() -> Result<GenerationRow> {
        SaveTransaction transaction(m_connection);
        if (Outcome begun = transaction.begin(); !begun)
            return begun;
        QSqlDatabase database = QSqlDatabase::database(m_connection, false);
        QSqlQuery query(database);
        // One recorder at a time hands out the next key.
        const QString lock =
            SqlDialect::exclusiveLock(SqlDialect::of(database), SqlDialect::LockScope::Transaction,
                                      SqlDialect::LockName::Schema);
        if (!lock.isEmpty() && !runBound(query, lock, {}))
            return failed(query);
        for (const char *statement :
             {"DELETE FROM GENERATION_RUN WHERE FK_Generation IN (SELECT Generation_ID FROM "
              "GENERATION WHERE Kind = ?)",
              "DELETE FROM GENERATION WHERE Kind = ?"}) {
            if (!runBound(query, QString::fromLatin1(statement), {kind}))
                return failed(query);
        }
        if (!runBound(query,
                      QStringLiteral("SELECT COALESCE(MAX(Generation_ID), 0) + 1 FROM GENERATION"),
                      {}) ||
            !query.next())
            return failed(query);
        const GenerationRow row{query.value(0).toInt(), kind, folder, generatedBy, generatedAt,
                                from.requirements};
        query.finish();
        if (!runBound(query,
                      QStringLiteral("INSERT INTO GENERATION (Generation_ID, Kind, OutputFolder, "
                                     "GeneratedBy, GeneratedAt, Requirements) VALUES (?, ?, ?, ?, "
                                     "?, ?)"),
                      {row.id, kind, folder, generatedBy, generatedAt, row.requirements}))
            return failed(query);
        // Many runs a statement, prepared once: a workspace edited all over
        // has thousands.
        constexpr qsizetype kChunk = 200;
        QSqlQuery insert(database);
        qsizetype prepared = 0;
        for (qsizetype start = 0; start < from.runs.size(); start += kChunk) {
            const qsizetype rows = std::min(kChunk, from.runs.size() - start);
            if (rows != prepared) {
                QStringList values(rows, QStringLiteral("(?, ?, ?)"));
                if (!insert.prepare(QStringLiteral("INSERT INTO GENERATION_RUN (FK_Generation, "
                                                   "FirstReqNum, LastReqNum) VALUES ") +
                                    values.join(QStringLiteral(", "))))
                    return failed(insert);
                prepared = rows;
            }
            int place = 0;
            for (qsizetype i = start; i < start + rows; ++i) {
                insert.bindValue(place++, row.id);
                insert.bindValue(place++, from.runs.at(i).first);
                insert.bindValue(place++, from.runs.at(i).second);
            }
            if (!insert.exec())
                return failed(insert);
        }
        if (Outcome committed = transaction.commit(); !committed)
            return committed;
        return row;
    });
}

Result<std::optional<GenerationRow>> GenerationTable::latest(const QString &kind) const
{
    QSqlDatabase database = QSqlDatabase::database(m_connection, false);
    // A database opened read-only is not brought up to date.
    const QStringList tables = SqlDialect::tables(database);
    if (!std::any_of(tables.begin(), tables.end(), [](const QString &table) {
            return table.compare(QLatin1String("GENERATION"), Qt::CaseInsensitive) == 0;
        }))
        return std::optional<GenerationRow>();
    QSqlQuery query(database);
    if (!runBound(query, kGenerationSelect + QStringLiteral(" WHERE Kind = ?"), {kind}))
        return failed(query);
    if (!query.next())
        return std::optional<GenerationRow>();
    return std::optional<GenerationRow>(generationRow(query));
}

Result<std::pair<FrozenRequirements, FrozenRequirements>>
GenerationTable::changedSince(qint32 generationId) const
{
    QSqlDatabase database = QSqlDatabase::database(m_connection, false);
    QSqlQuery query(database);
    // The live rows and the rows read for them in one snapshot, so that a
    // save in between cannot tear them apart.
    const bool own = SaveTransaction::innermostSerial(m_connection) == 0;
    QString begin = SqlDialect::beginSnapshot(SqlDialect::of(database));
    if (begin.isEmpty())
        begin = QStringLiteral("BEGIN");
    if (own && !query.exec(begin))
        return failed(query);
    const auto end = qScopeGuard([&] {
        if (own)
            (void)query.exec(QStringLiteral("ROLLBACK"));
    });

    if (!runBound(query,
                  QStringLiteral("SELECT FirstReqNum, LastReqNum FROM GENERATION_RUN WHERE "
                                 "FK_Generation = ? ORDER BY FirstReqNum"),
                  {generationId}))
        return failed(query);
    QList<Run> recorded;
    while (query.next())
        recorded.append({query.value(0).toInt(), query.value(1).toInt()});
    query.finish();
    LiveVersions live;
    if (!readLiveRuns(query, live))
        return failed(query);

    std::pair<FrozenRequirements, FrozenRequirements> changed;
    if (!readRows(query, without(recorded, live.runs), changed.first.requirements) ||
        !readRows(query, without(live.runs, recorded), changed.second.requirements))
        return failed(query);
    return changed;
}

} // namespace varn::store
