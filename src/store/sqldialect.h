#pragma once

#include <QString>
#include <QVariantList>

class QSqlDatabase;
class QSqlError;

namespace varn::store {

// Which server a requirements connection talks to.
enum class Backend { SQLite, PostgreSQL };

// The SQL that must differ between a workspace's SQLite file and a team's
// PostgreSQL database, in one place; the rest of the engine writes the
// portable statements both accept.
class SqlDialect
{
public:
    static Backend of(const QSqlDatabase &database);
    static const char *driverName(Backend backend);

    // A table or column name as the statement must write it. PostgreSQL
    // folds unquoted names to lower case, and the team schema is created
    // unquoted, so a name is quoted as folded; the reserved words the schema
    // itself quotes ("Default", "From", "To") keep their case.
    enum class Name { Table, Column };
    static QString identifier(const QSqlDatabase &database, const QString &name, Name kind);
    // Whether a forward-only query may stream its rows while the same
    // connection runs other statements. PostgreSQL's driver streams such a
    // result row by row and drops what is left of it when the connection
    // runs another statement, so a result walked between writes is read
    // whole there.
    static bool streamsBetweenStatements(const QSqlDatabase &database);
    // The statement with its LIKE matching letters without regard to case,
    // as SQLite's LIKE does: PostgreSQL's LIKE tells cases apart, its ILIKE
    // does not. The statement's own text holds no quoted "LIKE".
    static QString likeIgnoringCase(const QSqlDatabase &database, const QString &statement);
    // The tables of the database, named as the schema writes them.
    static QStringList tables(const QSqlDatabase &database);
    // The names of the database's indexes, upper case; nothing when they
    // cannot be read.
    static QStringList indexes(const QSqlDatabase &database);

    // The statement that opens a save's transaction, taking the write lock
    // where the database has one lock for all writers.
    static QString beginWriting(Backend backend);

    // A read-only transaction whose statements all see the database as it
    // was at its first one; empty where the reader is alone anyway.
    static QString beginSnapshot(Backend backend);

    // Work that one writer at a time may do (creating the tables, rebuilding
    // the object model) takes a named lock on the server; SQLite's write lock
    // already admits one writer. Empty where there is nothing to run.
    enum class LockName { Schema = 1, Regeneration = 2, ForeignDocuments = 3 };
    enum class LockScope { Transaction, Session };
    static QString exclusiveLock(Backend backend, LockScope scope, LockName name);
    // The same lock shared with the other writers to the end of the
    // transaction: saves share it, a regeneration takes it alone.
    static QString sharedLock(Backend backend, LockName name);
    // Takes the session lock only when it is free: one boolean column.
    static QString tryExclusiveLock(Backend backend, LockName name);
    static QString releaseLock(Backend backend, LockName name);

    // A requirement open in a composer is claimed by the session, shared with
    // other editors; the server drops the claim when the connection ends, so
    // a crashed program leaves none behind. Each statement binds the claim's
    // two keys (claimKeys) and returns one boolean column; empty on SQLite.
    static QString claimRequirement(Backend backend);
    static QString releaseRequirement(Backend backend);
    // Succeeds to the end of the transaction only when no other session
    // holds a claim on the requirement.
    static QString tryRequirementAlone(Backend backend);
    static QVariantList claimKeys(qint32 firstVersion);

    // Reads a counter row and keeps it locked to the end of the transaction,
    // so concurrent saves take their keys one after the other. Empty on
    // SQLite, whose transaction already holds the database's write lock.
    static QString lockCounterRow(const QSqlDatabase &database, const QString &table,
                                  const QString &column);
    // A SELECT of counter rows, made to lock them the same way.
    static QString lockingRead(const QSqlDatabase &database, const QString &select);
    // The same for the one row whose key (bound as "?") the statement takes.
    static QString lockKeyedRow(const QSqlDatabase &database, const QString &table,
                                const QString &keyColumn);

    // A conflict the server resolved by aborting this transaction
    // (serialization failure, deadlock): running the whole save again succeeds.
    static bool isTransient(const QSqlError &error);
    // The connection to the server is gone.
    static bool isConnectionLost(const QSqlDatabase &database, const QSqlError &error);

    // The channel on which a committed save tells the other users' views
    // that requirements changed.
    static QString changeChannel();
    // Run inside a write transaction, so the others hear of the change
    // when, and only when, it commits. Empty where nobody else listens.
    static QString announceChange(Backend backend);
};

} // namespace varn::store
