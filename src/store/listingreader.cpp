#include "store/listingreader.h"

#include "store/rowstatement.h"
#include "store/sqldialect.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace varn::store {

namespace {

QString errorText(const QSqlError &error)
{
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

// On a server the rows come one at a time as the server sends them (Qt's
// driver reads a forward-only result in the client library's single-row
// mode), so the client never holds the whole result.
Outcome readFromServer(const QSqlDatabase &database, const QString &sql, const QVariantList &values,
                       const ListingReader::Take &take,
                       const std::function<Outcome(const QString &)> &failure)
{
    QSqlQuery select(database);
    select.setForwardOnly(true);
    if (!select.prepare(sql))
        return failure(errorText(select.lastError()));
    for (const QVariant &value : values)
        select.addBindValue(value);
    if (!select.exec())
        return failure(errorText(select.lastError()));
    ListedRow row;
    while (select.next()) {
        row.number = select.value(0).toInt();
        row.type = select.value(1).toString();
        row.preamble = select.value(2).toString();
        row.text = select.value(3).toString();
        take(row);
    }
    if (select.lastError().isValid())
        return failure(errorText(select.lastError()));
    return Outcome::ok();
}

} // namespace

Outcome ListingReader::forEach(const RequirementSelection &selection, RequirementOrder order,
                               bool ascending, const Take &take) const
{
    const QSqlDatabase database = QSqlDatabase::database(m_connection, false);
    const RequirementListing listing(m_connection);
    const auto [sql, values] =
        RequirementListing::listedRowsRead(database, selection, order, ascending);
    if (SqlDialect::of(database) == Backend::PostgreSQL)
        return readFromServer(database, sql, values, take,
                              [&](const QString &why) { return listing.failure(selection, why); });
    // A workspace file is read through the connection's own SQLite handle:
    // the texts come straight from the rows, without a value of Qt's apiece.
    RowStatement select(database, sql, RowStatement::Route::Direct);
    if (!select.isPrepared())
        return listing.failure(selection, errorText(select.lastError()));
    select.addAll(values);
    if (!select.exec())
        return listing.failure(selection, errorText(select.lastError()));
    ListedRow row;
    while (select.next()) {
        row.number = select.intValue(0);
        row.type = select.textValue(1);
        row.preamble = select.textValue(2);
        row.text = select.textValue(3);
        take(row);
    }
    if (select.lastError().isValid())
        return listing.failure(selection, errorText(select.lastError()));
    return Outcome::ok();
}

} // namespace varn::store
