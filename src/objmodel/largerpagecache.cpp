#include "objmodel/largerpagecache.h"

#include "store/sqldialect.h"

#include <QSqlQuery>

namespace varn::objmodel {

LargerPageCache::LargerPageCache(QSqlDatabase database) : m_database(std::move(database))
{
    if (store::SqlDialect::of(m_database) != store::Backend::SQLite)
        return;
    QSqlQuery pragma(m_database);
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
    QSqlQuery pragma(m_database);
    (void)pragma.exec(QStringLiteral("PRAGMA cache_size = ") + m_previous);
}

} // namespace varn::objmodel
