#include "store/sqldialect.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace varn::store {

namespace {

const char *const kCaseKeptNames[] = {"Default", "From", "To"};

bool keepsCase(const QString &name)
{
    for (const char *kept : kCaseKeptNames) {
        if (name == QLatin1String(kept))
            return true;
    }
    return false;
}

} // namespace

Backend SqlDialect::of(const QSqlDatabase &database)
{
    return database.driverName() == QLatin1String("QPSQL") ? Backend::PostgreSQL : Backend::SQLite;
}

const char *SqlDialect::driverName(Backend backend)
{
    return backend == Backend::PostgreSQL ? "QPSQL" : "QSQLITE";
}

QString SqlDialect::identifier(const QSqlDatabase &database, const QString &name, Name kind)
{
    const QSqlDriver::IdentifierType type =
        kind == Name::Table ? QSqlDriver::TableName : QSqlDriver::FieldName;
    if (of(database) == Backend::PostgreSQL && !keepsCase(name))
        return database.driver()->escapeIdentifier(name.toLower(), type);
    return database.driver()->escapeIdentifier(name, type);
}

bool SqlDialect::streamsBetweenStatements(const QSqlDatabase &database)
{
    return of(database) == Backend::SQLite;
}

QString SqlDialect::likeIgnoringCase(const QSqlDatabase &database, const QString &statement)
{
    if (of(database) != Backend::PostgreSQL || !statement.contains(QLatin1String("LIKE")))
        return statement;
    static const QRegularExpression like(QStringLiteral("\\bLIKE\\b"));
    return QString(statement).replace(like, QStringLiteral("ILIKE"));
}

QStringList SqlDialect::tables(const QSqlDatabase &database)
{
    QStringList tables = database.tables(QSql::Tables);
    if (of(database) == Backend::PostgreSQL) {
        for (QString &table : tables)
            table = table.toUpper();
    }
    return tables;
}

QStringList SqlDialect::indexes(const QSqlDatabase &database)
{
    QSqlQuery query(database);
    query.setForwardOnly(true);
    const bool read =
        of(database) == Backend::PostgreSQL
            ? query.exec(QStringLiteral(
                  "SELECT indexname FROM pg_indexes WHERE schemaname = current_schema()"))
            : query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index'"));
    QStringList names;
    while (read && query.next())
        names.append(query.value(0).toString().toUpper());
    return names;
}

QString SqlDialect::beginWriting(Backend backend)
{
    // SQLite: the write lock is taken at BEGIN, so a writer waits for the
    // busy timeout there instead of failing when its read turns into a write.
    // PostgreSQL: rows are locked as they are written (the counters first).
    return backend == Backend::SQLite ? QStringLiteral("BEGIN IMMEDIATE")
                                      : QStringLiteral("BEGIN ISOLATION LEVEL READ COMMITTED");
}

QString SqlDialect::beginSnapshot(Backend backend)
{
    return backend == Backend::PostgreSQL
               ? QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY")
               : QString();
}

namespace {

// Advisory lock keys of this program: a fixed high half keeps them apart
// from other programs' keys on the same server.
qint64 lockKey(SqlDialect::LockName name)
{
    return (qint64(0x5661726e) << 32) | qint64(name);
}

} // namespace

QString SqlDialect::exclusiveLock(Backend backend, LockScope scope, LockName name)
{
    if (backend != Backend::PostgreSQL)
        return {};
    return QStringLiteral("SELECT %1(%2)")
        .arg(scope == LockScope::Transaction ? QLatin1String("pg_advisory_xact_lock")
                                             : QLatin1String("pg_advisory_lock"))
        .arg(lockKey(name));
}

QString SqlDialect::sharedLock(Backend backend, LockName name)
{
    if (backend != Backend::PostgreSQL)
        return {};
    return QStringLiteral("SELECT pg_advisory_xact_lock_shared(%1)").arg(lockKey(name));
}

QString SqlDialect::claimRequirement(Backend backend)
{
    return backend == Backend::PostgreSQL
               ? QStringLiteral("SELECT pg_try_advisory_lock_shared(?, ?)")
               : QString();
}

QString SqlDialect::releaseRequirement(Backend backend)
{
    return backend == Backend::PostgreSQL ? QStringLiteral("SELECT pg_advisory_unlock_shared(?, ?)")
                                          : QString();
}

QString SqlDialect::tryRequirementAlone(Backend backend)
{
    return backend == Backend::PostgreSQL ? QStringLiteral("SELECT pg_try_advisory_xact_lock(?, ?)")
                                          : QString();
}

QVariantList SqlDialect::claimKeys(qint32 firstVersion)
{
    // Two-key advisory locks live apart from the one-key locks above; the
    // first key names this program's requirement claims.
    return {qint32(0x56524551), firstVersion};
}

QString SqlDialect::tryExclusiveLock(Backend backend, LockName name)
{
    if (backend != Backend::PostgreSQL)
        return {};
    return QStringLiteral("SELECT pg_try_advisory_lock(%1)").arg(lockKey(name));
}

QString SqlDialect::releaseLock(Backend backend, LockName name)
{
    if (backend != Backend::PostgreSQL)
        return {};
    return QStringLiteral("SELECT pg_advisory_unlock(%1)").arg(lockKey(name));
}

QString SqlDialect::lockCounterRow(const QSqlDatabase &database, const QString &table,
                                   const QString &column)
{
    if (of(database) != Backend::PostgreSQL)
        return {};
    return QStringLiteral("SELECT %1 FROM %2 FOR UPDATE")
        .arg(identifier(database, column, Name::Column), identifier(database, table, Name::Table));
}

QString SqlDialect::lockingRead(const QSqlDatabase &database, const QString &select)
{
    return of(database) == Backend::PostgreSQL ? select + QStringLiteral(" FOR UPDATE") : select;
}

QString SqlDialect::lockKeyedRow(const QSqlDatabase &database, const QString &table,
                                 const QString &keyColumn)
{
    const QString lock = lockCounterRow(database, table, keyColumn);
    if (lock.isEmpty())
        return {};
    return QString(lock).replace(QLatin1String(" FOR UPDATE"),
                                 QStringLiteral(" WHERE %1 = ? FOR UPDATE")
                                     .arg(identifier(database, keyColumn, Name::Column)));
}

bool SqlDialect::isTransient(const QSqlError &error)
{
    // SQLSTATE 40001 serialization_failure, 40P01 deadlock_detected.
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("40001") || code == QLatin1String("40P01");
}

bool SqlDialect::isConnectionLost(const QSqlDatabase &database, const QSqlError &error)
{
    if (of(database) != Backend::PostgreSQL)
        return false;
    const QString code = error.nativeErrorCode();
    return code.startsWith(QLatin1String("08")) || code == QLatin1String("57P01") ||
           error.type() == QSqlError::ConnectionError ||
           error.databaseText().contains(QLatin1String("server closed the connection")) ||
           error.databaseText().contains(QLatin1String("no connection to the server"));
}

QString SqlDialect::changeChannel()
{
    return QStringLiteral("varn_requirements");
}

QString SqlDialect::announceChange(Backend backend)
{
    if (backend != Backend::PostgreSQL)
        return {};
    return QStringLiteral("NOTIFY ") + changeChannel();
}

} // namespace varn::store
