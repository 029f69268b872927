#include "store/suspendedindexes.h"
#include "store/storetr.h"

#include "store/sqldialect.h"

#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

namespace varn::store {

namespace {

constexpr char kIndexFailure[] =
    QT_TRANSLATE_NOOP("varn::store", "Cannot rebuild the indexes of the requirements database.\n");

} // namespace

Result<SuspendedIndexes> SuspendedIndexes::suspend(const QString &connectionName,
                                                   std::span<const char *const> tables)
{
    const QSqlDatabase database = QSqlDatabase::database(connectionName, false);
    SuspendedIndexes suspended(connectionName);
    // On a shared server, dropping an index locks every other writer out of
    // its table until the rebuild commits: the indexes stay.
    if (SqlDialect::of(database) != Backend::SQLite)
        return suspended;
    QStringList names;
    QSqlQuery query(database);
    // Indexes SQLite makes for keys and unique columns have no definition
    // and cannot be dropped; they stay.
    if (!query.prepare(QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'index' "
                                      "AND tbl_name = ? AND sql IS NOT NULL ORDER BY name")))
        return Outcome::stop(Tr::tr(kIndexFailure) + query.lastError().text());
    for (const char *table : tables) {
        query.addBindValue(QLatin1String(table));
        if (!query.exec())
            return Outcome::stop(Tr::tr(kIndexFailure) + query.lastError().text());
        while (query.next()) {
            names.append(query.value(0).toString());
            suspended.m_definitions.append(query.value(1).toString());
        }
    }
    const QSqlDriver *driver = database.driver();
    for (const QString &name : std::as_const(names)) {
        if (!query.exec(QStringLiteral("DROP INDEX ") +
                        driver->escapeIdentifier(name, QSqlDriver::TableName)))
            return Outcome::stop(Tr::tr(kIndexFailure) + query.lastError().text());
    }
    return suspended;
}

Outcome SuspendedIndexes::restore()
{
    if (m_definitions.isEmpty())
        return Outcome::ok();
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    // Each build sorts every row of its table: the sorter may use a second
    // processor for it while this one reads the rows. Only memory and
    // processors are at stake, so a setting that does not take is no error.
    int threads = -1;
    if (query.exec(QStringLiteral("PRAGMA threads")) && query.next())
        threads = query.value(0).toInt();
    query.finish();
    if (threads >= 0 && threads < kSorterThreads)
        (void)query.exec(QStringLiteral("PRAGMA threads = %1").arg(kSorterThreads));
    const auto setBack = qScopeGuard([&query, threads] {
        if (threads >= 0 && threads < kSorterThreads)
            (void)query.exec(QStringLiteral("PRAGMA threads = %1").arg(threads));
    });
    for (const QString &definition : std::as_const(m_definitions)) {
        if (!query.exec(definition))
            return Outcome::stop(Tr::tr(kIndexFailure) + query.lastError().text());
    }
    m_definitions.clear();
    return Outcome::ok();
}

} // namespace varn::store
