#include "inspect/modelqueries.h"

#include <QSqlError>
#include <QSqlQuery>

namespace varn::inspect::modelqueries {

QString nameOrder(const char *column)
{
    return QStringLiteral("%1 COLLATE NOCASE, %1").arg(QLatin1String(column));
}

Result<QStringList> entityNames(const QSqlDatabase &database, const QString &whenNone)
{
    QSqlQuery query(database);
    if (!query.exec(QStringLiteral("SELECT Entity FROM OM_ENTITY ORDER BY Entity_ID")))
        return Outcome::stop(kEntityOpen + query.lastError().text());
    QStringList names;
    while (query.next())
        names.append(query.value(0).toString());
    if (names.isEmpty())
        return Outcome::refused(whenNone);
    return names;
}

} // namespace varn::inspect::modelqueries
