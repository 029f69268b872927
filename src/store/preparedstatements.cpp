#include "store/preparedstatements.h"

#include <QPointer>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>

#include <map>
#include <memory>

namespace varn::store {

namespace {

struct Prepared
{
    std::unique_ptr<QSqlQuery> query;
    // The driver it was prepared on: gone when the connection was removed
    // without SqlConnection, another when the name was opened again.
    QPointer<QSqlDriver> driver;
    bool ok = false;
};

// Connections belong to the thread that made them, and so do these.
std::map<QString, std::map<QString, Prepared>> &statements()
{
    thread_local std::map<QString, std::map<QString, Prepared>> all;
    return all;
}

} // namespace

QSqlQuery &PreparedStatements::of(const QString &connectionName, const QString &sql, bool *prepared)
{
    Prepared &statement = statements()[connectionName][sql];
    const QSqlDatabase database = QSqlDatabase::database(connectionName, false);
    if (!statement.query || !statement.ok || !statement.driver ||
        statement.driver != database.driver()) {
        statement.query.reset();
        statement.query = std::make_unique<QSqlQuery>(database);
        statement.query->setForwardOnly(true);
        statement.driver = database.driver();
        statement.ok = statement.query->prepare(sql);
    }
    *prepared = statement.ok;
    return *statement.query;
}

void PreparedStatements::forget(const QString &connectionName)
{
    statements().erase(connectionName);
}

} // namespace varn::store
