#pragma once

#include "common/outcome.h"

#include <QString>
#include <QStringList>

namespace varn::store {

// The requirements tables of a team workspace in a PostgreSQL database: the
// same schema script the blank images are built from, less what only SQLite
// reads. Creating them and naming the system happen in one transaction under
// a lock, so two engineers creating the same system at once both join one
// set of tables. Each takes the name of a connection open on the server.
class TeamDatabase
{
public:
    enum class Provisioned { Created, Joined };

    // Creates the tables for the system, or joins them when they already
    // hold it; refuses a database that holds another system.
    static Result<Provisioned> provision(const QString &connectionName, const QString &systemName);

    // The system whose requirements the database holds; empty when it holds
    // no requirements tables.
    static Result<QString> systemName(const QString &connectionName);

    // Ok when the database holds the requirements of that system.
    static Outcome verify(const QString &connectionName, const QString &systemName);

    // The statements of the schema script that this backend runs.
    static QStringList statements(const QString &scriptText);
};

} // namespace varn::store
