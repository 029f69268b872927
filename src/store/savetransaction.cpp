#include "store/savetransaction.h"
#include "store/storetr.h"

#include "store/rowstatement.h"
#include "store/sqldialect.h"
#include "store/storemessages.h"
#include "store/transientretry.h"

#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <sqlite3.h>

#include <memory>
#include <unordered_map>

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
    TransientRetry::noteError(error);
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

// Empty on success.
QString runStatement(QSqlDatabase &database, const QString &sql);

// Empty on success. A save shares the regeneration lock with the other
// saves: it waits while the object model is rebuilt, and a regeneration
// waits for the saves under way. The other users' views are told of the
// change here, and hear of it when, and only when, the transaction commits:
// said at the start, it costs nothing while other writers wait for this
// one's counters.
QString beginWriting(QSqlDatabase &database)
{
    const Backend backend = SqlDialect::of(database);
    QString error = runStatement(database, SqlDialect::beginWriting(backend));
    for (const QString &statement :
         {SqlDialect::sharedLock(backend, SqlDialect::LockName::Regeneration),
          SqlDialect::announceChange(backend)}) {
        if (!error.isEmpty() || statement.isEmpty())
            continue;
        error = runStatement(database, statement);
        if (!error.isEmpty())
            database.rollback();
    }
    return error;
}

// The transactions open inside each batch of this thread, by connection:
// 1 while only the batch is open.
QHash<QString, int> &openDepths()
{
    thread_local QHash<QString, int> depths;
    return depths;
}

// The connections of this thread with an outermost transaction open. SQLite
// refuses a BEGIN inside a transaction; PostgreSQL only warns and goes on in
// the open one, whose work a second rollback would then undo, so there the
// second transaction is refused here, with SQLite's words.
QSet<QString> &openOutermost()
{
    thread_local QSet<QString> connections;
    return connections;
}

// A number for the innermost transaction open on each connection, new at
// every begin and after every savepoint ends, so that a lock taken under one
// number is known to be held still.
QHash<QString, quint64> &innermostSerials()
{
    thread_local QHash<QString, quint64> serials;
    return serials;
}

quint64 nextSerial()
{
    thread_local quint64 last = 0;
    return ++last;
}

QString savepointName(int depth)
{
    return QStringLiteral("varn_save_%1").arg(depth);
}

// Empty on success.
QString runStatement(QSqlDatabase &database, const QString &sql)
{
    QSqlQuery statement(database);
    if (statement.exec(sql))
        return {};
    const QSqlError error = statement.lastError();
    TransientRetry::noteError(error);
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

// The savepoint statements of the batch open on each connection of this
// thread, prepared once for the batch rather than parsed again for every save
// (an import of a million records opens a million savepoints). Only on a
// workspace file: a server does not prepare savepoints.
struct BatchStatements
{
    std::unordered_map<QString, std::unique_ptr<RowStatement>> statements;
};

QHash<QString, std::shared_ptr<BatchStatements>> &batchStatements()
{
    thread_local QHash<QString, std::shared_ptr<BatchStatements>> open;
    return open;
}

// runStatement() for a savepoint's statement, through the batch's prepared
// one where there is a batch.
QString runSavepointStatement(const QString &connectionName, QSqlDatabase &database,
                              const QString &sql)
{
    const std::shared_ptr<BatchStatements> batch = batchStatements().value(connectionName);
    if (!batch)
        return runStatement(database, sql);
    std::unique_ptr<RowStatement> &statement = batch->statements[sql];
    if (!statement)
        statement = std::make_unique<RowStatement>(database, sql, RowStatement::Route::Direct);
    if (statement->isPrepared() && statement->exec())
        return {};
    const QSqlError error = statement->lastError();
    TransientRetry::noteError(error);
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

} // namespace

SaveTransaction::SaveTransaction(QString connectionName) : m_connection(std::move(connectionName))
{}

SaveTransaction::~SaveTransaction()
{
    // Nothing is left to tell of a rollback that fails here: the database
    // drops an unfinished transaction when its connection closes.
    if (m_active)
        (void)rollback();
}

quint64 SaveTransaction::innermostSerial(const QString &connectionName)
{
    return innermostSerials().value(connectionName);
}

bool SaveTransaction::supportsTransactions(const QString &connectionName)
{
    const QSqlDatabase database = databaseOf(connectionName);
    return database.isOpen() && database.driver()->hasFeature(QSqlDriver::Transactions);
}

Outcome SaveTransaction::beginBatch()
{
    if (openDepths().contains(m_connection))
        return Outcome::stop(Tr::tr("Cannot begin a transaction on the Requirements database.\n") +
                             QStringLiteral("A batch is already open."));
    Outcome begun = begin();
    if (begun) {
        openDepths()[m_connection] = 1;
        if (RowStatement::directHandle(databaseOf(m_connection)))
            batchStatements().insert(m_connection, std::make_shared<BatchStatements>());
    }
    return begun;
}

Outcome SaveTransaction::begin()
{
    if (!supportsTransactions(m_connection))
        return Outcome::refused(Tr::tr(messages::kNoTransactions));
    QSqlDatabase database = databaseOf(m_connection);
    const int depth = openDepths().value(m_connection);
    if (depth == 0 && SqlDialect::of(database) != Backend::SQLite &&
        openOutermost().contains(m_connection))
        return Outcome::stop(Tr::tr("Cannot begin a transaction on the Requirements database.\n") +
                             QStringLiteral("cannot start a transaction within a transaction"));
    const QString error =
        depth == 0 ? beginWriting(database)
                   : runSavepointStatement(m_connection, database,
                                           QStringLiteral("SAVEPOINT ") + savepointName(depth));
    if (!error.isEmpty())
        return Outcome::stop(Tr::tr("Cannot begin a transaction on the Requirements database.\n") +
                             error);
    m_active = true;
    m_depth = depth;
    if (depth > 0) {
        if (sqlite3 *handle = RowStatement::directHandle(database))
            m_changesAtBegin = sqlite3_total_changes64(handle);
    }
    innermostSerials().insert(m_connection, nextSerial());
    if (depth == 0)
        openOutermost().insert(m_connection);
    if (depth > 0)
        openDepths()[m_connection] = depth + 1;
    return Outcome::ok();
}

Outcome SaveTransaction::commit()
{
    if (!m_active)
        return Outcome::stop(
            Tr::tr("Cannot commit the transaction on the Requirements database.\n") +
            Tr::tr("No transaction is open."));
    QSqlDatabase database = databaseOf(m_connection);
    if (m_depth > 0) {
        const QString error = runSavepointStatement(
            m_connection, database, QStringLiteral("RELEASE SAVEPOINT ") + savepointName(m_depth));
        if (error.isEmpty()) {
            leave();
            return Outcome::ok();
        }
        // The release's own error is the one to report.
        (void)rollback();
        return Outcome::stop(
            Tr::tr("Cannot commit the transaction on the Requirements database.\n") + error);
    }
    if (database.commit()) {
        leave();
        return Outcome::ok();
    }
    const QString error = errorText(database);
    // The commit's own error is the one to report; a failed rollback after
    // it changes nothing the user can act on.
    (void)rollback();
    return Outcome::stop(Tr::tr("Cannot commit the transaction on the Requirements database.\n") +
                         error);
}

void SaveTransaction::leave()
{
    m_active = false;
    if (m_depth == 0) {
        // The batch's statements end before the transaction does.
        batchStatements().remove(m_connection);
        openDepths().remove(m_connection);
        openOutermost().remove(m_connection);
        innermostSerials().remove(m_connection);
    } else {
        openDepths()[m_connection] = m_depth;
        innermostSerials().insert(m_connection, nextSerial());
    }
}

Outcome SaveTransaction::rollback()
{
    if (!m_active)
        return Outcome::ok();
    leave();
    QSqlDatabase database = databaseOf(m_connection);
    if (m_depth > 0) {
        const QString name = savepointName(m_depth);
        // A save refused before it wrote a row has nothing to undo. Rolling
        // back to the savepoint would still make SQLite read the whole schema
        // again and prepare every statement anew whenever the batch changed
        // the schema (indexes suspended, triggers set aside): a refused record
        // of a large import would cost more than a hundred saved ones.
        const bool unchanged = [&] {
            sqlite3 *handle = RowStatement::directHandle(database);
            return handle && m_changesAtBegin >= 0 &&
                   sqlite3_total_changes64(handle) == m_changesAtBegin;
        }();
        QString error =
            unchanged ? QString()
                      : runSavepointStatement(m_connection, database,
                                              QStringLiteral("ROLLBACK TO SAVEPOINT ") + name);
        if (error.isEmpty())
            error = runSavepointStatement(m_connection, database,
                                          QStringLiteral("RELEASE SAVEPOINT ") + name);
        if (error.isEmpty())
            return Outcome::ok();
        return Outcome::stop(
            Tr::tr("Cannot roll back the transaction on the Requirements database.\n") + error);
    }
    if (database.rollback())
        return Outcome::ok();
    return Outcome::stop(
        Tr::tr("Cannot roll back the transaction on the Requirements database.\n") +
        errorText(database));
}

} // namespace varn::store
