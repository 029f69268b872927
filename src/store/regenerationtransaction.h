#pragma once

#include "common/outcome.h"

#include <QString>

namespace varn::store {

// The one transaction of an object-model rebuild, on the requirements
// connection. It waits for the write lock when it begins, instead of failing
// when the first delete needs it, and takes the regeneration lock alone:
// saves and generations under way finish first, and new ones wait until the
// rebuild has committed or rolled back. Rolled back when it ends uncommitted.
class RegenerationTransaction
{
public:
    explicit RegenerationTransaction(QString connectionName);
    ~RegenerationTransaction();
    RegenerationTransaction(const RegenerationTransaction &) = delete;
    RegenerationTransaction &operator=(const RegenerationTransaction &) = delete;

    // Refuses with "Cannot perform a transaction on the Requirements
    // database." when the connection has none, and stops with it and the
    // database's words when the transaction or the lock cannot be had.
    [[nodiscard]] Outcome begin();
    // Stops with the database's words when the commit fails; the transaction
    // is then rolled back.
    [[nodiscard]] Outcome commit();
    void rollback();

private:
    QString m_connection;
    bool m_active = false;
};

} // namespace varn::store
