#pragma once

#include <QString>

class QSqlQuery;

namespace varn::store {

// Statements a save runs every time, prepared once per connection: for the
// small saves, preparing costs as much as running them. They live until the
// connection is closed (SqlConnection::close forgets them first).
class PreparedStatements
{
public:
    // The connection's statement of that text, prepared on first use; false
    // in prepared when it does not prepare (the query then holds the error).
    static QSqlQuery &of(const QString &connectionName, const QString &sql, bool *prepared);
    static void forget(const QString &connectionName);
};

} // namespace varn::store
