#include "store/requirementsdatabase.h"
#include "store/storetr.h"

#include "store/rowstatement.h"
#include "store/sqlconnection.h"
#include "store/storemessages.h"
#include "store/systemsettings.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#include <sqlite3.h>

#include <cstring>

namespace varn::store {

namespace {

// A connection of its own for one look at a file, closed when the look ends.
class ProbeConnection
{
public:
    ProbeConnection(const QString &filePath, ConnectionAccess access)
        : m_name(QStringLiteral("schema-probe-%1").arg(next().fetchAndAddRelaxed(1))),
          m_opened(SqlConnection::open(m_name, filePath, access))
    {}
    ~ProbeConnection()
    {
        m_opened = Outcome::silentlyRefused();
        SqlConnection::close(m_name);
    }
    ProbeConnection(const ProbeConnection &) = delete;
    ProbeConnection &operator=(const ProbeConnection &) = delete;

    const QString &name() const { return m_name; }
    const Result<QSqlDatabase> &opened() const { return m_opened; }

private:
    static QAtomicInt &next()
    {
        static QAtomicInt counter;
        return counter;
    }

    QString m_name;
    Result<QSqlDatabase> m_opened;
};

} // namespace

Outcome RequirementsDatabase::connect(const QString &connectionName, const QString &filePath,
                                      ConnectionAccess access)
{
    QString reason;
    {
        Result<QSqlDatabase> database = SqlConnection::open(connectionName, filePath, access);
        if (!database)
            return database.outcome();
        if (SqlConnection::hasRequirementsTables(database.value()))
            return Outcome::ok();
        reason = database->lastError().text();
    }
    SqlConnection::close(connectionName);
    if (reason.isEmpty())
        reason = QStringLiteral("%1 is not a requirements database.").arg(filePath);
    return Outcome::stop(reason);
}

namespace {

Result<RequirementsDatabase::Tables> tablesOn(const QSqlDatabase &database)
{
    RequirementsDatabase::Tables schema;
    QSqlQuery tables(database);
    QSqlQuery columns(database);
    bool read = tables.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = "
                                           "'table' AND name NOT LIKE 'sqlite_%'"));
    while (read && tables.next()) {
        const QString table = tables.value(0).toString();
        read = columns.prepare(QStringLiteral("SELECT name FROM pragma_table_info(?)"));
        columns.addBindValue(table);
        read = read && columns.exec();
        QStringList names;
        while (read && columns.next())
            names << columns.value(0).toString();
        schema.insert(table, names);
    }
    if (!read || tables.lastError().type() != QSqlError::NoError)
        return Outcome::refused(tables.lastError().text().trimmed());
    return schema;
}

} // namespace

Result<RequirementsDatabase::Tables> RequirementsDatabase::tablesOf(const QString &filePath,
                                                                    ConnectionAccess access)
{
    const ProbeConnection probe(filePath, access);
    if (!probe.opened())
        return probe.opened().outcome();
    return tablesOn(probe.opened().value());
}

Result<RequirementsDatabase::Tables> RequirementsDatabase::tablesOfImage(const QByteArray &image)
{
    // Read in memory: no file is written for it, so nothing can be left
    // behind when the process is ended while it looks.
    const QString name = QStringLiteral("image-probe-%1").arg(quintptr(QThread::currentThreadId()));
    Result<Tables> schema = Outcome::refused(QString());
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        database.setDatabaseName(QStringLiteral(":memory:"));
        sqlite3 *handle = database.open() ? RowStatement::directHandle(database) : nullptr;
        const auto size = sqlite3_int64(image.size());
        auto *bytes = static_cast<unsigned char *>(sqlite3_malloc64(sqlite3_uint64(size)));
        if (bytes)
            std::memcpy(bytes, image.constData(), std::size_t(size));
        // SQLite frees the copy when the connection closes, or at once on a refusal.
        if (!handle || !bytes ||
            sqlite3_deserialize(handle, "main", bytes, size, size,
                                SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_READONLY) !=
                SQLITE_OK) {
            if (!handle)
                sqlite3_free(bytes);
            schema = Outcome::refused(database.lastError().text().trimmed());
        } else {
            schema = tablesOn(database);
        }
        database.close();
    }
    QSqlDatabase::removeDatabase(name);
    return schema;
}

Result<QString> RequirementsDatabase::systemNameOf(const QString &filePath, ConnectionAccess access)
{
    const ProbeConnection probe(filePath, access);
    if (!probe.opened())
        return probe.opened().outcome();
    const SystemSettings settings(probe.name());
    Result<QString> name = settings.systemName();
    if (!name)
        return Outcome::refused(Tr::tr("The system name cannot be read from the database: %1")
                                    .arg(settings.lastStatementError().trimmed()));
    return name;
}

bool RequirementsDatabase::holdsRequirements(const QString &filePath)
{
    if (!QFileInfo::exists(filePath))
        return false;
    const ProbeConnection probe(filePath, ConnectionAccess::ReadOnly);
    if (!probe.opened() || !SqlConnection::hasRequirementsTables(probe.opened().value()))
        return false;
    QSqlQuery query(probe.opened().value());
    return query.exec(QStringLiteral("SELECT COUNT(*) FROM MASTER_REQ")) && query.next() &&
           query.value(0).toInt() > 0;
}

Result<int> RequirementsDatabase::liveRequirementCount(const QString &connectionName)
{
    QSqlQuery query(QSqlDatabase::database(connectionName, false));
    if (!query.prepare(QStringLiteral("SELECT COUNT(*) FROM MASTER_REQ WHERE FSTType IS NULL OR "
                                      "FSTType <> ?")))
        return Outcome::stop(Tr::tr("Cannot open ReqMsSet recordset.\n") +
                             query.lastError().text());
    query.addBindValue(QString::fromLatin1(messages::kDeletedKind));
    if (!query.exec() || !query.next())
        return Outcome::stop(Tr::tr("Cannot open ReqMsSet recordset.\n") +
                             query.lastError().text());
    return query.value(0).toInt();
}

} // namespace varn::store
