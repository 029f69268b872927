#pragma once

#include "common/outcome.h"

#include <QString>

namespace varn::store {

// The one transaction of a save, on the requirements connection. Every key
// allocated and every row written between begin() and commit() goes or stays
// together; a save that ends without commit() is rolled back when the object
// goes out of scope, so a failed save leaves rows and counters as they were.
//
// A second transaction on a connection is refused, unless the first was begun
// as a batch (an import of many requirements, each saved as usual): inside a
// batch a transaction is a savepoint, whose rollback undoes only its own
// rows and whose commit keeps them for the batch to commit or roll back.
class SaveTransaction
{
public:
    explicit SaveTransaction(QString connectionName);
    ~SaveTransaction();
    SaveTransaction(const SaveTransaction &) = delete;
    SaveTransaction &operator=(const SaveTransaction &) = delete;

    static bool supportsTransactions(const QString &connectionName);
    // The number of the innermost transaction open on the connection (0:
    // none); it changes when a savepoint ends, whose locks may be gone.
    static quint64 innermostSerial(const QString &connectionName);

    // Refuses with "Cannot perform a transaction on the Requirements database."
    // when the connection has no transactions.
    [[nodiscard]] Outcome begin();
    // begin() for a batch that the saves inside it join as savepoints.
    [[nodiscard]] Outcome beginBatch();
    // A commit that fails is rolled back.
    [[nodiscard]] Outcome commit();
    Outcome rollback();
    bool isActive() const { return m_active; }

private:
    void leave();

    QString m_connection;
    bool m_active = false;
    int m_depth = 0; // 0: the outermost transaction; n: the nth savepoint
    // The rows the connection had changed when the savepoint began (SQLite;
    // -1 elsewhere).
    qint64 m_changesAtBegin = -1;
};

} // namespace varn::store
