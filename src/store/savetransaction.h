#pragma once

#include "common/outcome.h"

#include <QString>

namespace varn::store {

// The one transaction of a save, on the requirements connection. Every key
// allocated and every row written between begin() and commit() goes or stays
// together; a save that ends without commit() is rolled back when the object
// goes out of scope, so a failed save leaves rows and counters as they were.
class SaveTransaction
{
public:
    explicit SaveTransaction(QString connectionName);
    ~SaveTransaction();
    SaveTransaction(const SaveTransaction &) = delete;
    SaveTransaction &operator=(const SaveTransaction &) = delete;

    static bool supportsTransactions(const QString &connectionName);

    // Refuses with "Cannot perform a transaction on the Requirements database."
    // when the connection has no transactions.
    [[nodiscard]] Outcome begin();
    // A commit that fails is rolled back.
    [[nodiscard]] Outcome commit();
    Outcome rollback();
    bool isActive() const { return m_active; }

private:
    QString m_connection;
    bool m_active = false;
};

} // namespace varn::store
