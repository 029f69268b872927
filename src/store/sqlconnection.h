#pragma once

#include "common/outcome.h"
#include "store/connectionaccess.h"
#include "store/serveraddress.h"

#include <QString>

class QSqlDatabase;

namespace varn::store {

// Opens the named Qt SQL connections: on a workspace's SQLite file (with the
// declared relationships switched on) or on a team's PostgreSQL database.
class SqlConnection
{
public:
    using Access = ConnectionAccess;

    // Opens the connection, or reuses it when it is already open on the same
    // file. A file that does not exist is not created. On failure the
    // connection is removed again and the outcome carries the driver's text.
    static Result<QSqlDatabase> open(const QString &connectionName, const QString &filePath,
                                     Access access = Access::ReadWrite);
    // Opens the connection on a PostgreSQL database; the password, if the
    // server asks for one, comes from ~/.pgpass or PGPASSWORD.
    static Result<QSqlDatabase> openServer(const QString &connectionName,
                                           const ServerAddress &address);
    // The same for a caller that uses the connection by its name alone.
    static Outcome connect(const QString &connectionName, const QString &filePath,
                           Access access = Access::ReadWrite);
    static Outcome connectServer(const QString &connectionName, const ServerAddress &address);
    static void close(const QString &connectionName);

    // True when the database holds the tables of a requirements database.
    static bool hasRequirementsTables(const QSqlDatabase &database);
};

} // namespace varn::store
