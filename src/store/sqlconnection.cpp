#include "store/sqlconnection.h"
#include "store/preparedstatements.h"
#include "store/storetr.h"

#include "store/sqldialect.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

namespace varn::store {

namespace {

const char *const kRequiredTables[] = {
    "MASTER_REQ",  "FUNC_REQ",     "STRUC_REQ",  "POSS_VALS",  "REQ_ENTITY", "DEPENDENT_REQ",
    "SYSTEM_NAME", "OM_ENTITY",    "OM_ATTR",    "OM_METHOD",  "OM_INH",     "OM_AGG",
    "OM_PV",       "PK_MASTR_REQ", "PK_ENT_REQ", "PK_DEP_REQ", "PK_PV_REQ",  "PK_ENT_OM",
    "PK_ATTR_OM",  "PK_METH_OM",   "PK_INH_OM",  "PK_AGG_OM",  "PK_PV_OM",
};

// libpq's reason for a failed connection as a person reads it: without the
// driver's own words ("QPSQL: Unable to connect"), the tab before a hint and,
// where the server answered, the severity and address before its message;
// one sentence a line, each said once.
QString serverReason(const QSqlError &error)
{
    static const QRegularExpression answered(
        QStringLiteral("^(?:.*failed: )?(?:FATAL|ERROR|PANIC):\\s+"));
    const QString text =
        error.databaseText().trimmed().isEmpty() ? error.text() : error.databaseText();
    QStringList sentences;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        QString sentence = line.trimmed();
        if (const QRegularExpressionMatch match = answered.match(sentence); match.hasMatch())
            sentence = sentence.mid(match.capturedEnd()).trimmed();
        if (sentence.isEmpty())
            continue;
        sentence[0] = sentence[0].toUpper();
        if (!sentence.endsWith(QLatin1Char('.')) && !sentence.endsWith(QLatin1Char('?')))
            sentence += QLatin1Char('.');
        if (!sentences.contains(sentence))
            sentences.append(sentence);
    }
    return sentences.join(QLatin1Char('\n'));
}

} // namespace

Result<QSqlDatabase> SqlConnection::open(const QString &connectionName, const QString &filePath,
                                         Access access)
{
    if (QSqlDatabase::contains(connectionName)) {
        QSqlDatabase existing = QSqlDatabase::database(connectionName, false);
        if (existing.isOpen() && existing.databaseName() == filePath && access != Access::Immutable)
            return existing;
        close(connectionName);
    }
    if (!QFileInfo(filePath).isFile())
        return Outcome::stop(Tr::tr("unable to open database file: %1").arg(filePath));

    QString error;
    {
        QSqlDatabase database =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        // A writer that meets another process's write waits this long before
        // it refuses with "database is locked".
        QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=8000");
        if (access == Access::Immutable) {
            database.setDatabaseName(QUrl::fromLocalFile(QFileInfo(filePath).absoluteFilePath())
                                         .toString(QUrl::FullyEncoded) +
                                     QStringLiteral("?immutable=1"));
            options += QStringLiteral(";QSQLITE_OPEN_URI");
        } else {
            database.setDatabaseName(filePath);
        }
        if (access == Access::ReadOnly || access == Access::Immutable)
            options += QStringLiteral(";QSQLITE_OPEN_READONLY");
        database.setConnectOptions(options);
        if (database.open()) {
            // Write-ahead logging: a save commits without waiting for the
            // disk twice, and a crash still never leaves a torn database.
            QStringList pragmas = {QStringLiteral("PRAGMA foreign_keys = ON")};
            if (access == Access::ReadWrite)
                pragmas << QStringLiteral("PRAGMA journal_mode = WAL")
                        << QStringLiteral("PRAGMA synchronous = NORMAL");
            QSqlQuery pragma(database);
            bool configured = true;
            for (const QString &statement : pragmas)
                configured = configured && pragma.exec(statement);
            if (configured)
                return database;
            error = pragma.lastError().text();
        } else {
            error = database.lastError().text();
        }
        database.close();
    }
    PreparedStatements::forget(connectionName);
    QSqlDatabase::removeDatabase(connectionName);
    return Outcome::stop(error);
}

Result<QSqlDatabase> SqlConnection::openServer(const QString &connectionName,
                                               const ServerAddress &address)
{
    close(connectionName);
    QString error;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(
            QLatin1String(SqlDialect::driverName(Backend::PostgreSQL)), connectionName);
        if (!database.isValid()) {
            error = Tr::tr("The PostgreSQL driver of Qt (package libqt6sql6-psql) is not "
                           "installed.");
        } else {
            database.setHostName(address.host());
            database.setPort(address.port());
            database.setDatabaseName(address.databaseName());
            database.setUserName(address.userName());
            database.setConnectOptions(address.connectOptions());
            if (database.open())
                return database;
            error = serverReason(database.lastError());
        }
    }
    PreparedStatements::forget(connectionName);
    QSqlDatabase::removeDatabase(connectionName);
    return Outcome::stop(error);
}

Outcome SqlConnection::connect(const QString &connectionName, const QString &filePath,
                               Access access)
{
    const Result<QSqlDatabase> opened = open(connectionName, filePath, access);
    return opened ? Outcome::ok() : opened.outcome();
}

Outcome SqlConnection::connectServer(const QString &connectionName, const ServerAddress &address)
{
    const Result<QSqlDatabase> opened = openServer(connectionName, address);
    return opened ? Outcome::ok() : opened.outcome();
}

void SqlConnection::close(const QString &connectionName)
{
    PreparedStatements::forget(connectionName);
    if (!QSqlDatabase::contains(connectionName))
        return;
    {
        QSqlDatabase database = QSqlDatabase::database(connectionName, false);
        database.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
}

bool SqlConnection::hasRequirementsTables(const QSqlDatabase &database)
{
    const QStringList tables = SqlDialect::tables(database);
    for (const char *table : kRequiredTables) {
        if (!tables.contains(QLatin1String(table)))
            return false;
    }
    return true;
}

} // namespace varn::store
