#include "app/requirementsschema.h"
#include "app/apptr.h"

#include "app/blankimage.h"
#include "app/settings.h"
#include "store/requirementsdatabase.h"
#include "store/schemaextensions.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

namespace varn::app {

namespace {

using Schema = store::RequirementsDatabase::Tables;
using store::ConnectionAccess;
using store::RequirementsDatabase;

const Schema &blankSchema()
{
    static const Schema schema = [] {
        Result<Schema> read = RequirementsDatabase::tablesOfImage(
            BlankImage::bytesOf(Settings::defaultAccessVersion()));
        if (!read)
            return Schema();
        // A workspace made before a feature existed gains its tables when
        // opened, so their absence does not make a file foreign.
        Schema tables = read.value();
        for (const store::SchemaExtensions::Script &script : store::SchemaExtensions::builtIn()) {
            for (const QString &table : store::SchemaExtensions::tablesOf(script) +
                                            store::SchemaExtensions::auxiliaryTablesOf(script))
                tables.remove(table);
        }
        return tables;
    }();
    return schema;
}

// Where the file may be written, a read-write handle that changes nothing
// is the one that cleans up a write-ahead log when it closes.
ConnectionAccess probeAccess(const QString &databasePath)
{
    return RequirementsSchema::mayBeWritten(databasePath) ? ConnectionAccess::Unchanged
                                                          : ConnectionAccess::Immutable;
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
    return RequirementsDatabase::systemNameOf(databasePath, probeAccess(databasePath));
}

Outcome RequirementsSchema::verify(const QString &databasePath)
{
    QFile file(databasePath);
    if (!file.open(QIODevice::ReadOnly))
        return Outcome::refused(Tr::tr("The database file cannot be read."));
    const QByteArray header = file.read(16);
    file.close();
    if (header.isEmpty())
        return Outcome::refused(Tr::tr("The database file is empty."));
    if (header != QByteArray("SQLite format 3", 16))
        return Outcome::refused(Tr::tr("The file is not a database."));

    const Result<Schema> found =
        RequirementsDatabase::tablesOf(databasePath, probeAccess(databasePath));
    if (!found)
        return Outcome::refused(
            Tr::tr("The database cannot be read: %1").arg(found.outcome().message()));
    const Schema &expected = blankSchema();
    if (expected.isEmpty())
        return Outcome::refused(Tr::tr("The blank database is missing from the program."));
    for (auto table = expected.cbegin(); table != expected.cend(); ++table) {
        if (!found->contains(table.key()))
            return Outcome::refused(
                Tr::tr("It is not a Varn SE requirements database: the table %1 is "
                       "missing.")
                    .arg(table.key()));
        const QStringList columns = found->value(table.key());
        for (const QString &column : table.value()) {
            if (!columns.contains(column, Qt::CaseInsensitive))
                return Outcome::refused(
                    Tr::tr("It is not a Varn SE requirements database: the table %1 has "
                           "no column %2.")
                        .arg(table.key(), column));
        }
    }
    return Outcome::ok();
}

} // namespace varn::app
