#include "app/requirementsschema.h"

#include "app/blankimage.h"
#include "app/settings.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

namespace varn::app {

namespace {

using Schema = QMap<QString, QStringList>; // table -> columns
using store::SqlConnection;

QString probeConnectionName()
{
    static QAtomicInt next;
    return QStringLiteral("schema-probe-%1").arg(next.fetchAndAddRelaxed(1));
}

Result<Schema> schemaOf(const QString &path, SqlConnection::Access access)
{
    const QString connection = probeConnectionName();
    Result<Schema> result = Outcome::refused(QString());
    {
        Result<QSqlDatabase> database = SqlConnection::open(connection, path, access);
        if (!database) {
            result = database.outcome();
        } else {
            Schema schema;
            QSqlQuery tables(database.value());
            QSqlQuery columns(database.value());
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
            if (read && tables.lastError().type() == QSqlError::NoError)
                result = schema;
            else
                result = Outcome::refused(tables.lastError().text().trimmed());
        }
    }
    SqlConnection::close(connection);
    return result;
}

const Schema &blankSchema()
{
    static const Schema schema = [] {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("blank.mdb"));
        if (!BlankImage::writeTo(Settings::defaultAccessVersion(), path))
            return Schema();
        Result<Schema> read = schemaOf(path, SqlConnection::Access::ReadOnly);
        return read ? read.value() : Schema();
    }();
    return schema;
}

// Where the file may be written, a read-write handle that changes nothing
// is the one that cleans up a write-ahead log when it closes.
SqlConnection::Access probeAccess(const QString &databasePath)
{
    return RequirementsSchema::mayBeWritten(databasePath) ? SqlConnection::Access::Unchanged
                                                          : SqlConnection::Access::Immutable;
}

} // namespace

bool RequirementsSchema::isWritable(const QString &path)
{
    struct stat status = {};
    const QByteArray name = QFile::encodeName(path);
    return ::stat(name.constData(), &status) == 0 && (status.st_mode & 0222) != 0 &&
           ::access(name.constData(), W_OK) == 0;
}

bool RequirementsSchema::mayBeWritten(const QString &databasePath)
{
    return isWritable(databasePath) && isWritable(QFileInfo(databasePath).absolutePath());
}

Result<QString> RequirementsSchema::systemName(const QString &databasePath)
{
    const QString connection = probeConnectionName();
    Result<QString> result = Outcome::refused(QString());
    {
        Result<QSqlDatabase> database =
            SqlConnection::open(connection, databasePath, probeAccess(databasePath));
        if (!database) {
            result = database.outcome();
        } else {
            QSqlQuery query(database.value());
            if (query.exec(QStringLiteral("SELECT SystemName FROM SYSTEM_NAME")) && query.next())
                result = query.value(0).toString();
            else
                result = Outcome::refused(
                    QStringLiteral("The system name cannot be read from the database: %1")
                        .arg(query.lastError().text().trimmed()));
        }
    }
    SqlConnection::close(connection);
    return result;
}

Outcome RequirementsSchema::verify(const QString &databasePath)
{
    QFile file(databasePath);
    if (!file.open(QIODevice::ReadOnly))
        return Outcome::refused(QStringLiteral("The database file cannot be read."));
    const QByteArray header = file.read(16);
    file.close();
    if (header.isEmpty())
        return Outcome::refused(QStringLiteral("The database file is empty."));
    if (header != QByteArray("SQLite format 3", 16))
        return Outcome::refused(QStringLiteral("The file is not a database."));

    const Result<Schema> found = schemaOf(databasePath, probeAccess(databasePath));
    if (!found)
        return Outcome::refused(
            QStringLiteral("The database cannot be read: %1").arg(found.outcome().message()));
    const Schema &expected = blankSchema();
    if (expected.isEmpty())
        return Outcome::refused(QStringLiteral("The blank database is missing from the program."));
    for (auto table = expected.cbegin(); table != expected.cend(); ++table) {
        if (!found->contains(table.key()))
            return Outcome::refused(
                QStringLiteral("It is not a Varn SE requirements database: the table %1 is "
                               "missing.")
                    .arg(table.key()));
        const QStringList columns = found->value(table.key());
        for (const QString &column : table.value()) {
            if (!columns.contains(column, Qt::CaseInsensitive))
                return Outcome::refused(
                    QStringLiteral("It is not a Varn SE requirements database: the table %1 has "
                                   "no column %2.")
                        .arg(table.key(), column));
        }
    }
    return Outcome::ok();
}

} // namespace varn::app
