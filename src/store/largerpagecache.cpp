#include "store/largerpagecache.h"

#include "store/sqldialect.h"

#include <QSqlDatabase>
#include <QSqlQuery>

namespace varn::store {

LargerPageCache::LargerPageCache(QString connectionName) : m_connection(std::move(connectionName))
{
    const QSqlDatabase database = QSqlDatabase::database(m_connection, false);
    if (SqlDialect::of(database) != Backend::SQLite)
        return;
    QSqlQuery pragma(database);
    if (!pragma.exec(QStringLiteral("PRAGMA cache_size")) || !pragma.next())
        return;
    const int previous = pragma.value(0).toInt();
    pragma.finish();
    // A cache already larger (positive pages or more KiB) stays as it is.
    if (previous > 0 || -previous >= kKibibytes)
        return;
    if (pragma.exec(QStringLiteral("PRAGMA cache_size = %1").arg(-kKibibytes)))
        m_previous = QString::number(previous);
}

LargerPageCache::~LargerPageCache()
{
    if (m_previous.isEmpty())
        return;
    // Nothing to report if this fails: only memory is at stake.
    QSqlQuery pragma(QSqlDatabase::database(m_connection, false));
    (void)pragma.exec(QStringLiteral("PRAGMA cache_size = ") + m_previous);
}

} // namespace varn::store
