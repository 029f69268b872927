#pragma once

#include "common/outcome.h"

#include <QSqlDatabase>
#include <QString>

namespace varn::store {

// The one place that knows the databases are SQLite files: opens a named Qt
// SQL connection on a file and switches on the declared relationships.
class SqlConnection
{
public:
    // Unchanged opens for reading and writing without switching the journal
    // mode, so a look at a file changes nothing and, closed last, leaves no
    // write-ahead log behind. Immutable reads a file that nobody may write (a
    // read-only file or folder): no locks, no journal, nothing created beside it.
    enum class Access { ReadWrite, ReadOnly, Unchanged, Immutable };

    // Opens the connection, or reuses it when it is already open on the same
    // file. A file that does not exist is not created. On failure the
    // connection is removed again and the outcome carries the driver's text.
    static Result<QSqlDatabase> open(const QString &connectionName, const QString &filePath,
                                     Access access = Access::ReadWrite);
    static void close(const QString &connectionName);

    // True when the database holds the tables of a requirements database.
    static bool hasRequirementsTables(const QSqlDatabase &database);
};

} // namespace varn::store
