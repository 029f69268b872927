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

MasterReqRow masterRowOf(const QSqlQuery &query)
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

} // namespace varn::store
