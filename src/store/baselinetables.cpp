#include "store/baselinetables.h"
#include "store/storetr.h"

#include "common/storedwords.h"
#include "store/savetransaction.h"
#include "store/sqldialect.h"
#include "store/transientretry.h"

#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace varn::store {

namespace {

const QString kLiveCondition = QStringLiteral("(FSTType IS NULL OR FSTType <> ?)");

QString deletedWord()
{
    return QString::fromLatin1(StoredWords::kDeleted);
}

Outcome failed(const QSqlQuery &query)
{
    const QSqlError error = query.lastError();
    TransientRetry::noteError(error);
    return Outcome::stop(Tr::tr("The baselines could not be read or written.\n") +
                         (error.databaseText().isEmpty() ? error.text() : error.databaseText()));
}

bool run(QSqlQuery &query, const QString &sql, const QVariantList &values)
{
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        return false;
    for (const QVariant &value : values)
        query.addBindValue(value);
    return query.exec();
}

BaselineRow baselineRow(const QSqlQuery &query)
{
    return {query.value(0).toInt(),    query.value(1).toString(), query.value(2).toString(),
            query.value(3).toString(), query.value(4).toString(), query.value(5).toInt(),
            query.value(6).toInt()};
}

const QString kBaselineSelect =
    QStringLiteral("SELECT Baseline_ID, Name, Comments, CreatedBy, CreatedAt, "
                   "(SELECT COUNT(*) FROM BASELINE_REQ r WHERE r.FK_Baseline = b.Baseline_ID), "
                   "(SELECT COUNT(*) FROM BASELINE_LINK l WHERE l.FK_Baseline = b.Baseline_ID) "
                   "FROM BASELINE b");

// The MASTER_REQ columns in the order of MasterReqRow.
MasterReqRow masterRow(const QSqlQuery &query)
{
    MasterReqRow row;
    row.Req_Num = query.value(0).toInt();
    row.FSTType = query.value(1).toString();
    row.Source = query.value(2).toInt();
    row.Category = query.value(3).toString();
    row.Priority = query.value(4).toInt();
    row.Release = query.value(5).toInt();
    row.Version = query.value(6).toInt();
    row.ParaNum = query.value(7).toString();
    row.Preamble = query.value(8).toString();
    row.ReqText = query.value(9).toString();
    row.OrigReqNum = query.value(10).toInt();
    row.DateSaved = query.value(11).toString();
    row.Comments = query.value(12).toString();
    return row;
}

// Reads the requirements and links of one statement each, both inside one
// read transaction so that a save in between cannot tear them apart.
Result<FrozenRequirements> readFrozen(const QString &connection, const QString &requirementsSql,
                                      const QString &linksSql, const QVariantList &values,
                                      const QVariantList &linkValues)
{
    QSqlDatabase database = QSqlDatabase::database(connection, false);
    const Backend backend = SqlDialect::of(database);
    QString begin = SqlDialect::beginSnapshot(backend);
    if (begin.isEmpty())
        begin = QStringLiteral("BEGIN");
    QSqlQuery transaction(database);
    // Inside a transaction of the caller's the reads join it.
    const bool own = SaveTransaction::innermostSerial(connection) == 0;
    if (own && !transaction.exec(begin))
        return failed(transaction);
    const auto end = qScopeGuard([&] {
        if (own)
            (void)transaction.exec(QStringLiteral("ROLLBACK"));
    });
    FrozenRequirements frozen;
    QSqlQuery query(database);
    if (!run(query, requirementsSql, values))
        return failed(query);
    while (query.next())
        frozen.requirements.append(masterRow(query));
    query.finish();
    if (!run(query, linksSql, linkValues))
        return failed(query);
    while (query.next())
        frozen.links.append({query.value(0).toInt(), query.value(1).toInt()});
    return frozen;
}

} // namespace

Result<BaselineRow> BaselineTables::create(const QString &name, const QString &comments,
                                           const QString &createdBy, const QString &createdAt) const
{
    return TransientRetry::run([&]() -> Result<BaselineRow> {
        SaveTransaction transaction(m_connection);
        if (Outcome begun = transaction.begin(); !begun)
            return begun;
        QSqlDatabase database = QSqlDatabase::database(m_connection, false);
        QSqlQuery query(database);
        // One creator at a time hands out the next key.
        const QString lock =
            SqlDialect::exclusiveLock(SqlDialect::of(database), SqlDialect::LockScope::Transaction,
                                      SqlDialect::LockName::Schema);
        if (!lock.isEmpty() && !run(query, lock, {}))
            return failed(query);
        if (!run(query, QStringLiteral("SELECT COUNT(*) FROM BASELINE WHERE Name = ?"), {name}))
            return failed(query);
        if (query.next() && query.value(0).toInt() > 0)
            return Outcome::warning(Tr::tr("A baseline named \"%1\" already exists.").arg(name));
        if (!run(query, QStringLiteral("SELECT COALESCE(MAX(Baseline_ID), 0) + 1 FROM BASELINE"),
                 {}) ||
            !query.next())
            return failed(query);
        BaselineRow row{query.value(0).toInt(), name, comments, createdBy, createdAt, 0, 0};
        query.finish();
        if (!run(query,
                 QStringLiteral("INSERT INTO BASELINE (Baseline_ID, Name, Comments, CreatedBy, "
                                "CreatedAt) VALUES (?, ?, ?, ?, ?)"),
                 {row.id, name, comments, createdBy, createdAt}))
            return failed(query);
        if (!run(query,
                 QStringLiteral("INSERT INTO BASELINE_REQ (FK_Baseline, Req_Num, FSTType, "
                                "Category, Priority, Release, ParaNum, DateSaved, Comments) "
                                "SELECT CAST(? AS INTEGER), Req_Num, FSTType, Category, Priority, "
                                "Release, ParaNum, DateSaved, Comments FROM MASTER_REQ WHERE ") +
                     kLiveCondition,
                 {row.id, deletedWord()}))
            return failed(query);
        row.requirements = query.numRowsAffected();
        if (!run(query,
                 QStringLiteral("INSERT INTO BASELINE_LINK (FK_Baseline, FK_ReqNum, Dep_ReqNum) "
                                "SELECT CAST(? AS INTEGER), FK_ReqNum, Dep_ReqNum "
                                "FROM DEPENDENT_REQ"),
                 {row.id}))
            return failed(query);
        row.links = query.numRowsAffected();
        if (Outcome committed = transaction.commit(); !committed)
            return committed;
        return row;
    });
}

Result<QList<BaselineRow>> BaselineTables::list() const
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (!run(query, kBaselineSelect + QStringLiteral(" ORDER BY Baseline_ID"), {}))
        return failed(query);
    QList<BaselineRow> rows;
    while (query.next())
        rows.append(baselineRow(query));
    return rows;
}

Result<std::optional<BaselineRow>> BaselineTables::find(const QString &name) const
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (!run(query, kBaselineSelect + QStringLiteral(" WHERE Name = ?"), {name}))
        return failed(query);
    if (!query.next())
        return std::optional<BaselineRow>();
    return std::optional<BaselineRow>(baselineRow(query));
}

Result<bool> BaselineTables::remove(const QString &name) const
{
    return TransientRetry::run([&]() -> Result<bool> {
        SaveTransaction transaction(m_connection);
        if (Outcome begun = transaction.begin(); !begun)
            return begun;
        QSqlQuery query(QSqlDatabase::database(m_connection, false));
        if (!run(query, QStringLiteral("SELECT Baseline_ID FROM BASELINE WHERE Name = ?"), {name}))
            return failed(query);
        if (!query.next())
            return false;
        const qint32 id = query.value(0).toInt();
        query.finish();
        for (const char *statement : {"DELETE FROM BASELINE_LINK WHERE FK_Baseline = ?",
                                      "DELETE FROM BASELINE_REQ WHERE FK_Baseline = ?",
                                      "DELETE FROM BASELINE WHERE Baseline_ID = ?"}) {
            if (!run(query, QString::fromLatin1(statement), {id}))
                return failed(query);
        }
        if (Outcome committed = transaction.commit(); !committed)
            return committed;
        return true;
    });
}

Result<FrozenRequirements> BaselineTables::frozen(qint32 baselineId) const
{
    return readFrozen(
        m_connection,
        QStringLiteral("SELECT m.Req_Num, b.FSTType, m.Source, b.Category, b.Priority, b.Release, "
                       "m.Version, b.ParaNum, m.Preamble, m.ReqText, m.OrigReqNum, b.DateSaved, "
                       "b.Comments FROM BASELINE_REQ b JOIN MASTER_REQ m ON m.Req_Num = b.Req_Num "
                       "WHERE b.FK_Baseline = ? ORDER BY m.Req_Num"),
        QStringLiteral("SELECT FK_ReqNum, Dep_ReqNum FROM BASELINE_LINK WHERE FK_Baseline = ?"),
        {baselineId}, {baselineId});
}

Result<FrozenRequirements> BaselineTables::live() const
{
    return readFrozen(
        m_connection,
        QStringLiteral("SELECT Req_Num, FSTType, Source, Category, Priority, Release, Version, "
                       "ParaNum, Preamble, ReqText, OrigReqNum, DateSaved, Comments "
                       "FROM MASTER_REQ WHERE ") +
            kLiveCondition + QStringLiteral(" ORDER BY Req_Num"),
        QStringLiteral("SELECT FK_ReqNum, Dep_ReqNum FROM DEPENDENT_REQ"), {deletedWord()}, {});
}

} // namespace varn::store
