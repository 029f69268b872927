#include "store/foreignkeyscheckedonce.h"

#include "store/sqldialect.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace varn::store {

ForeignKeysCheckedOnce::ForeignKeysCheckedOnce(QString connectionName)
    : m_connection(std::move(connectionName))
{
    const QSqlDatabase database = QSqlDatabase::database(m_connection, false);
    if (SqlDialect::of(database) != Backend::SQLite)
        return;
    QSqlQuery pragma(database);
    if (!pragma.exec(QStringLiteral("PRAGMA foreign_keys")) || !pragma.next() ||
        pragma.value(0).toInt() == 0)
        return;
    pragma.finish();
    // Inside a transaction the switch is silently ignored: the keys then
    // stay enforced, and there is nothing to check or switch back.
    m_switchedOff = pragma.exec(QStringLiteral("PRAGMA foreign_keys = OFF")) &&
                    pragma.exec(QStringLiteral("PRAGMA foreign_keys")) && pragma.next() &&
                    pragma.value(0).toInt() == 0;
}

ForeignKeysCheckedOnce::~ForeignKeysCheckedOnce()
{
    if (!m_switchedOff)
        return;
    // Runs after the caller's commit or rollback, when the switch works again.
    QSqlQuery pragma(QSqlDatabase::database(m_connection, false));
    (void)pragma.exec(QStringLiteral("PRAGMA foreign_keys = ON"));
}

Outcome ForeignKeysCheckedOnce::check(std::span<const char *const> tables) const
{
    if (!m_switchedOff)
        return Outcome::ok();
    QSqlQuery violations(QSqlDatabase::database(m_connection, false));
    for (const char *table : tables) {
        // Table names come from the caller's own list, never from a user.
        if (!violations.exec(
                QStringLiteral("PRAGMA foreign_key_check(%1)").arg(QLatin1String(table))))
            return Outcome::stop(violations.lastError().text());
        if (violations.next())
            return Outcome::stop(
                QStringLiteral("FOREIGN KEY constraint failed: row %1 of %2 "
                               "refers to a missing row of %3.")
                    .arg(violations.value(1).toLongLong())
                    .arg(violations.value(0).toString(), violations.value(2).toString()));
    }
    return Outcome::ok();
}

} // namespace varn::store
