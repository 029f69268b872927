#pragma once

#include "common/outcome.h"
#include "store/connectionaccess.h"

#include <QMap>
#include <QString>
#include <QStringList>

namespace varn::store {

// A workspace's requirements database as a whole: connecting to it, making
// sure it is one, and the looks at a file that Open takes before anything
// writes to it. A look opens a connection of its own and closes it again.
class RequirementsDatabase
{
public:
    // Every table of a database file with its columns, in the table's order.
    using Tables = QMap<QString, QStringList>;

    // Opens the named connection on the file and makes sure it holds the
    // tables of a requirements database; on a refusal the connection is
    // closed again and the outcome carries the reason alone.
    static Outcome connect(const QString &connectionName, const QString &filePath,
                           ConnectionAccess access);

    // The tables of an SQLite file; the database's reason when it cannot be read.
    static Result<Tables> tablesOf(const QString &filePath, ConnectionAccess access);
    // The tables of an SQLite database given as the bytes of its file.
    static Result<Tables> tablesOfImage(const QByteArray &image);
    // The system whose requirements the file holds (SYSTEM_NAME); the
    // reason in one sentence when it cannot be read.
    static Result<QString> systemNameOf(const QString &filePath, ConnectionAccess access);
    // True when the file is a requirements database that holds requirements.
    static bool holdsRequirements(const QString &filePath);

    // Requirements on the connection whose kind is not "Deleted".
    static Result<int> liveRequirementCount(const QString &connectionName);
};

} // namespace varn::store
