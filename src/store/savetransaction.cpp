#include "store/savetransaction.h"

#include "store/sqldialect.h"
#include "store/storemessages.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

namespace varn::store {

namespace {

QSqlDatabase databaseOf(const QString &connectionName)
{
    if (!QSqlDatabase::contains(connectionName))
        return {};
    return QSqlDatabase::database(connectionName, false);
}

QString errorText(const QSqlDatabase &database)
{
    const QSqlError error = database.lastError();
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

// Empty on success.
QString beginWriting(QSqlDatabase &database)
{
    QSqlQuery begin(database);
    if (begin.exec(SqlDialect::beginWriting(SqlDialect::of(database))))
        return {};
    const QSqlError error = begin.lastError();
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

} // namespace

SaveTransaction::SaveTransaction(QString connectionName) : m_connection(std::move(connectionName))
{}

SaveTransaction::~SaveTransaction()
{
    if (m_active)
        rollback();
}

bool SaveTransaction::supportsTransactions(const QString &connectionName)
{
    const QSqlDatabase database = databaseOf(connectionName);
    return database.isOpen() && database.driver()->hasFeature(QSqlDriver::Transactions);
}

Outcome SaveTransaction::begin()
{
    if (!supportsTransactions(m_connection))
        return Outcome::refused(QString::fromLatin1(messages::kNoTransactions));
    QSqlDatabase database = databaseOf(m_connection);
    if (const QString error = beginWriting(database); !error.isEmpty())
        return Outcome::stop(
            QStringLiteral("Cannot begin a transaction on the Requirements database.\n") + error);
    m_active = true;
    return Outcome::ok();
}

Outcome SaveTransaction::commit()
{
    if (!m_active)
        return Outcome::stop(
            QStringLiteral("Cannot commit the transaction on the Requirements database.\n") +
            QStringLiteral("No transaction is open."));
    QSqlDatabase database = databaseOf(m_connection);
    if (database.commit()) {
        m_active = false;
        return Outcome::ok();
    }
    const QString error = errorText(database);
    rollback();
    return Outcome::stop(
        QStringLiteral("Cannot commit the transaction on the Requirements database.\n") + error);
}

Outcome SaveTransaction::rollback()
{
    if (!m_active)
        return Outcome::ok();
    m_active = false;
    QSqlDatabase database = databaseOf(m_connection);
    if (database.rollback())
        return Outcome::ok();
    return Outcome::stop(
        QStringLiteral("Cannot roll back the transaction on the Requirements database.\n") +
        errorText(database));
}

} // namespace varn::store
