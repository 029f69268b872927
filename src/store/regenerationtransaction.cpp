#include "store/regenerationtransaction.h"
#include "store/storetr.h"

#include "store/savetransaction.h"
#include "store/sqldialect.h"
#include "store/storemessages.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace varn::store {

namespace {

Outcome cannotBegin(const QString &databaseText)
{
    return Outcome::stop(Tr::tr(messages::kNoTransactions) + QLatin1Char('\n') + databaseText);
}

} // namespace

RegenerationTransaction::RegenerationTransaction(QString connectionName)
    : m_connection(std::move(connectionName))
{}

RegenerationTransaction::~RegenerationTransaction()
{
    if (m_active)
        rollback();
}

Outcome RegenerationTransaction::begin()
{
    if (!SaveTransaction::supportsTransactions(m_connection))
        return Outcome::refused(Tr::tr(messages::kNoTransactions));
    QSqlDatabase database = QSqlDatabase::database(m_connection, false);
    const Backend backend = SqlDialect::of(database);
    if (QSqlQuery begin(database); !begin.exec(SqlDialect::beginWriting(backend)))
        return cannotBegin(begin.lastError().text());
    m_active = true;
    const QString lock = SqlDialect::exclusiveLock(backend, SqlDialect::LockScope::Transaction,
                                                   SqlDialect::LockName::Regeneration);
    if (lock.isEmpty())
        return Outcome::ok();
    if (QSqlQuery locked(database); !locked.exec(lock)) {
        const QString error = locked.lastError().text();
        rollback();
        return cannotBegin(error);
    }
    return Outcome::ok();
}

Outcome RegenerationTransaction::commit()
{
    QSqlDatabase database = QSqlDatabase::database(m_connection, false);
    if (database.commit()) {
        m_active = false;
        return Outcome::ok();
    }
    const Outcome failed = Outcome::stop(database.lastError().text());
    rollback();
    return failed;
}

void RegenerationTransaction::rollback()
{
    m_active = false;
    // Nothing is left to tell of a rollback that fails: the database drops
    // an unfinished transaction when its connection closes.
    (void)QSqlDatabase::database(m_connection, false).rollback();
}

} // namespace varn::store
