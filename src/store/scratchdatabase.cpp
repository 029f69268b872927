#include "store/scratchdatabase.h"
#include "store/storetr.h"

#include "store/teamdatabase.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <atomic>

static void initialiseScratchSchema()
{
    Q_INIT_RESOURCE(team_schema);
}

namespace varn::store {

namespace {

Outcome failure(const QString &step, const QString &why)
{
    return Outcome::stop(
        Tr::tr("Cannot make a requirements database in memory.\n%1: %2").arg(step, why));
}

QString freshConnectionName()
{
    static std::atomic<int> made{0};
    return QStringLiteral("varn_scratch_%1").arg(++made);
}

} // namespace

ScratchDatabase::ScratchDatabase(QString connectionName) : m_connection(std::move(connectionName))
{}

ScratchDatabase::~ScratchDatabase()
{
    {
        QSqlDatabase database = QSqlDatabase::database(m_connection, false);
        database.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

Result<std::shared_ptr<ScratchDatabase>> ScratchDatabase::create()
{
    initialiseScratchSchema();
    QFile script(QStringLiteral(":/schema/schema.sql"));
    if (!script.open(QIODevice::ReadOnly))
        return failure(QStringLiteral("schema.sql"), script.errorString());
    const QStringList schema = TeamDatabase::statements(QString::fromUtf8(script.readAll()));

    std::shared_ptr<ScratchDatabase> scratch(new ScratchDatabase(freshConnectionName()));
    {
        QSqlDatabase database =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), scratch->m_connection);
        database.setDatabaseName(QStringLiteral(":memory:"));
        if (!database.open())
            return failure(QStringLiteral("open"), database.lastError().text());
        QSqlQuery query(database);
        if (!query.exec(QStringLiteral("BEGIN")))
            return failure(QStringLiteral("BEGIN"), query.lastError().text());
        for (const QString &statement : schema) {
            if (!query.exec(statement))
                return failure(statement.section(QLatin1Char('('), 0, 0).simplified(),
                               query.lastError().text());
        }
        if (!query.exec(QStringLiteral("COMMIT")))
            return failure(QStringLiteral("COMMIT"), query.lastError().text());
    }
    return scratch;
}

} // namespace varn::store
