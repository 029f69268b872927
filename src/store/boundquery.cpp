#include "store/boundquery.h"

#include "store/transientretry.h"

#include <QSqlError>
#include <QSqlQuery>

namespace varn::store {

bool runBound(QSqlQuery &query, const QString &sql, const QVariantList &values)
{
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        return false;
    for (const QVariant &value : values)
        query.addBindValue(value);
    return query.exec();
}

Outcome statementFailure(const QSqlQuery &query, const QString &firstLine)
{
    const QSqlError error = query.lastError();
    TransientRetry::noteError(error);
    return Outcome::stop(firstLine + QLatin1Char('\n') +
                         (error.databaseText().isEmpty() ? error.text() : error.databaseText()));
}

} // namespace varn::store
