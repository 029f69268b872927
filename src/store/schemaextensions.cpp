#include "store/schemaextensions.h"
#include "store/storetr.h"

#include "store/sqldialect.h"
#include "store/teamdatabase.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

static void initialiseExtensionScripts()
{
    Q_INIT_RESOURCE(team_schema);
}

namespace varn::store {

namespace {

const QString kScriptFolder = QStringLiteral(":/schema/extensions");

QString errorText(const QSqlError &error)
{
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

Outcome failure(const QString &script, const QString &why)
{
    return Outcome::stop(
        Tr::tr("The workspace's database could not gain the tables of %1.\n%2").arg(script, why));
}

} // namespace

QList<SchemaExtensions::Script> SchemaExtensions::builtIn()
{
    initialiseExtensionScripts();
    QList<Script> scripts;
    const QDir folder(kScriptFolder);
    for (const QString &file :
         folder.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name)) {
        QFile script(folder.filePath(file));
        if (!script.open(QIODevice::ReadOnly))
            continue;
        QString name = file.chopped(4);
        std::optional<Backend> backend;
        for (const auto &[suffix, only] : {std::pair{".sqlite", Backend::SQLite},
                                           std::pair{".postgresql", Backend::PostgreSQL}}) {
            if (name.endsWith(QLatin1String(suffix))) {
                name.chop(int(qstrlen(suffix)));
                backend = only;
            }
        }
        scripts.append({name, QString::fromUtf8(script.readAll()), backend});
    }
    return scripts;
}

namespace {

// The names a script's statements of one kind create ("TABLE", "INDEX").
QStringList createdBy(const SchemaExtensions::Script &script, const QRegularExpression &created)
{
    QStringList names;
    for (const QString &statement : TeamDatabase::statements(script.text)) {
        const QRegularExpressionMatch match = created.match(statement);
        if (match.hasMatch() && match.capturedStart() == 0)
            names.append(match.captured(1).toUpper());
    }
    return names;
}

} // namespace

QStringList SchemaExtensions::tablesOf(const Script &script)
{
    static const QRegularExpression created(
        QStringLiteral("CREATE\\s+(?:VIRTUAL\\s+)?TABLE\\s+(?:IF\\s+NOT\\s+EXISTS\\s+)?(\\w+)"),
        QRegularExpression::CaseInsensitiveOption);
    return createdBy(script, created);
}

QStringList SchemaExtensions::indexesOf(const Script &script)
{
    static const QRegularExpression created(
        QStringLiteral("CREATE\\s+(?:UNIQUE\\s+)?INDEX\\s+(?:IF\\s+NOT\\s+EXISTS\\s+)?(\\w+)"),
        QRegularExpression::CaseInsensitiveOption);
    return createdBy(script, created);
}

QStringList SchemaExtensions::auxiliaryTablesOf(const Script &script)
{
    static const QRegularExpression indexed(
        QStringLiteral("CREATE\\s+VIRTUAL\\s+TABLE\\s+(?:IF\\s+NOT\\s+EXISTS\\s+)?(\\w+)\\s+"
                       "USING\\s+fts5"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList tables;
    for (const QString &statement : TeamDatabase::statements(script.text)) {
        const QRegularExpressionMatch match = indexed.match(statement);
        if (!match.hasMatch() || match.capturedStart() != 0)
            continue;
        for (const char *suffix : {"_data", "_idx", "_content", "_docsize", "_config"})
            tables.append(match.captured(1) + QLatin1String(suffix));
    }
    return tables;
}

Result<QStringList> SchemaExtensions::missing(const QString &connectionName,
                                              const QList<Script> &scripts)
{
    const QSqlDatabase database = QSqlDatabase::database(connectionName, false);
    if (!database.isOpen())
        return Outcome::stop(Tr::tr("The workspace's database is not open."));
    QStringList present = SqlDialect::tables(database);
    for (QString &table : present)
        table = table.toUpper();
    const QStringList indexes = SqlDialect::indexes(database);
    const Backend backend = SqlDialect::of(database);
    QStringList names;
    for (const Script &script : scripts) {
        if (!script.appliesTo(backend) || names.contains(script.name))
            continue;
        const QStringList tables = tablesOf(script);
        const QStringList scriptIndexes = indexesOf(script);
        const bool complete = std::all_of(tables.begin(), tables.end(),
                                          [&](const QString &t) { return present.contains(t); }) &&
                              std::all_of(scriptIndexes.begin(), scriptIndexes.end(),
                                          [&](const QString &i) { return indexes.contains(i); });
        if (!complete)
            names.append(script.name);
    }
    return names;
}

Outcome SchemaExtensions::runInTransaction(const QString &connectionName,
                                           const QList<Script> &scripts, const Progress &progress)
{
    const QSqlDatabase database = QSqlDatabase::database(connectionName, false);
    const Backend backend = SqlDialect::of(database);
    QList<std::pair<QString, QStringList>> toRun; // each script's name and statements
    int all = 0;
    for (const Script &script : scripts) {
        if (!script.appliesTo(backend))
            continue;
        toRun.append({script.name, TeamDatabase::statements(script.text)});
        all += int(toRun.last().second.size());
    }
    int done = 0;
    if (progress)
        progress(done, all);
    QSqlQuery query(database);
    for (const auto &[name, statements] : toRun) {
        for (const QString &statement : statements) {
            if (!query.exec(statement))
                return failure(name, errorText(query.lastError()));
            if (progress)
                progress(++done, all);
        }
    }
    return Outcome::ok();
}

Result<QStringList> SchemaExtensions::bringUpToDate(const QString &connectionName,
                                                    const QList<Script> &scripts,
                                                    const Progress &progress)
{
    const Result<QStringList> lacking = missing(connectionName, scripts);
    if (!lacking || lacking->isEmpty())
        return lacking;

    QSqlDatabase database = QSqlDatabase::database(connectionName, false);
    const Backend backend = SqlDialect::of(database);
    QSqlQuery query(database);
    if (!query.exec(SqlDialect::beginWriting(backend)))
        return failure(lacking->join(QLatin1String(", ")), errorText(query.lastError()));
    auto abandon = [&](Outcome why) {
        QSqlQuery(database).exec(QStringLiteral("ROLLBACK"));
        return why;
    };
    const QString lock = SqlDialect::exclusiveLock(backend, SqlDialect::LockScope::Transaction,
                                                   SqlDialect::LockName::Schema);
    if (!lock.isEmpty() && !query.exec(lock))
        return abandon(failure(lacking->join(QLatin1String(", ")), errorText(query.lastError())));

    // Another program may have added them while this one waited for the lock.
    const Result<QStringList> stillLacking = missing(connectionName, scripts);
    if (!stillLacking)
        return abandon(stillLacking.outcome());
    QList<Script> toRun;
    for (const Script &script : scripts) {
        if (stillLacking->contains(script.name))
            toRun.append(script);
    }
    if (Outcome created = runInTransaction(connectionName, toRun, progress); !created)
        return abandon(created);
    if (!query.exec(QStringLiteral("COMMIT")))
        return abandon(failure(lacking->join(QLatin1String(", ")), errorText(query.lastError())));
    return stillLacking;
}

} // namespace varn::store
