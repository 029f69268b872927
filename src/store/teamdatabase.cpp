#include "store/teamdatabase.h"
#include "store/storetr.h"

#include "store/schemaextensions.h"
#include "store/sqlconnection.h"
#include "store/sqldialect.h"
#include "store/systemsettings.h"

#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

static void initialiseTeamSchema()
{
    Q_INIT_RESOURCE(team_schema);
}

namespace varn::store {

namespace {

// Model views sort names as SQLite's NOCASE does; the team database gets a
// collation of that name.
const QString kNoCaseCollation = QStringLiteral(
    "CREATE COLLATION IF NOT EXISTS nocase (provider = icu, locale = 'und-u-ks-level2', "
    "deterministic = false)");

QString errorText(const QSqlQuery &query)
{
    const QSqlError error = query.lastError();
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

Outcome failure(const QString &step, const QString &why)
{
    return Outcome::stop(
        Tr::tr("Cannot create the requirements tables on the server.\n%1: %2").arg(step, why));
}

// The system the database holds; empty when it holds no requirements tables.
Result<QString> storedSystemName(const QSqlDatabase &database)
{
    if (!SqlConnection::hasRequirementsTables(database))
        return QString();
    return SystemSettings(database.connectionName()).systemName();
}

Outcome anotherSystem(const QSqlDatabase &database, const QString &stored)
{
    return Outcome::refused(
        Tr::tr("The database \"%1\" on the server already holds the requirements of the "
               "system \"%2\".\nGive that System Name to join it, or choose another "
               "database.")
            .arg(database.databaseName(), stored));
}

} // namespace

Result<QString> TeamDatabase::systemName(const QString &connectionName)
{
    return storedSystemName(QSqlDatabase::database(connectionName, false));
}

QStringList TeamDatabase::statements(const QString &scriptText)
{
    // A statement ends with a line that ends in ";", except inside a
    // trigger's BEGIN ... END (which ends with "END;") and inside a function
    // body quoted with $$, whose lines end in ";" of their own.
    static const QRegularExpression triggerStart(
        QStringLiteral("^CREATE\\s+(OR\\s+REPLACE\\s+)?TRIGGER\\b.*\\bBEGIN\\b"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression triggerEnd(QStringLiteral("^END\\s*;$"),
                                               QRegularExpression::CaseInsensitiveOption);
    QStringList statements;
    QString statement;
    bool dollarQuoted = false;
    auto finish = [&] {
        const QString text = statement.trimmed();
        statement.clear();
        if (!text.isEmpty() && !text.startsWith(QLatin1String("PRAGMA")))
            statements.append(text);
    };
    for (const QString &line : scriptText.split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (!dollarQuoted && trimmed.startsWith(QLatin1String("--")))
            continue;
        if (line.count(QLatin1String("$$")) % 2 == 1)
            dollarQuoted = !dollarQuoted;
        statement += line + QLatin1Char('\n');
        if (dollarQuoted || !trimmed.endsWith(QLatin1Char(';')))
            continue;
        if (triggerStart.match(statement.trimmed()).hasMatch() &&
            !triggerEnd.match(trimmed).hasMatch())
            continue;
        statement = statement.trimmed();
        statement.chop(1);
        finish();
    }
    finish();
    return statements;
}

Result<TeamDatabase::Provisioned> TeamDatabase::provision(const QString &connectionName,
                                                          const QString &systemName)
{
    QSqlDatabase database = QSqlDatabase::database(connectionName, false);
    initialiseTeamSchema();
    QFile script(QStringLiteral(":/schema/schema.sql"));
    if (!script.open(QIODevice::ReadOnly))
        return failure(QStringLiteral("schema.sql"), script.errorString());
    const QStringList schema = statements(QString::fromUtf8(script.readAll()));

    QSqlQuery query(database);
    if (!query.exec(QStringLiteral("BEGIN")))
        return failure(QStringLiteral("BEGIN"), errorText(query));
    auto abandon = [&](Outcome why) {
        QSqlQuery(database).exec(QStringLiteral("ROLLBACK"));
        return why;
    };
    if (!query.exec(SqlDialect::exclusiveLock(
            Backend::PostgreSQL, SqlDialect::LockScope::Transaction, SqlDialect::LockName::Schema)))
        return abandon(failure(QStringLiteral("lock"), errorText(query)));
    const Result<QString> stored = storedSystemName(database);
    if (!stored)
        return abandon(stored.outcome());
    if (!stored->isEmpty()) {
        if (stored.value() != systemName)
            return abandon(anotherSystem(database, stored.value()));
        if (!query.exec(QStringLiteral("COMMIT")))
            return abandon(failure(QStringLiteral("COMMIT"), errorText(query)));
        return Provisioned::Joined;
    }
    if (!query.exec(kNoCaseCollation))
        return abandon(failure(QStringLiteral("collation"), errorText(query)));
    for (const QString &statement : schema) {
        if (!query.exec(statement))
            return abandon(
                failure(statement.section(QLatin1Char('('), 0, 0).simplified(), errorText(query)));
    }
    // The later features' tables come with the schema, as in a blank image.
    if (Outcome extended =
            SchemaExtensions::runInTransaction(connectionName, SchemaExtensions::builtIn());
        !extended)
        return abandon(extended);
    const SystemSettings settings(connectionName);
    if (Outcome named = settings.setSystemName(systemName); !named)
        return abandon(failure(QStringLiteral("SYSTEM_NAME"), settings.lastErrorText()));
    if (!query.exec(QStringLiteral("COMMIT")))
        return abandon(failure(QStringLiteral("COMMIT"), errorText(query)));
    return Provisioned::Created;
}

Outcome TeamDatabase::verify(const QString &connectionName, const QString &systemName)
{
    const QSqlDatabase database = QSqlDatabase::database(connectionName, false);
    const Result<QString> stored = storedSystemName(database);
    if (!stored)
        return stored.outcome();
    if (stored->isEmpty())
        return Outcome::stop(
            Tr::tr("The database \"%1\" on the server holds no requirements tables.")
                .arg(database.databaseName()));
    if (stored.value() != systemName)
        return anotherSystem(database, stored.value());
    return Outcome::ok();
}

} // namespace varn::store
