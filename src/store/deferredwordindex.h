#pragma once

#include "common/outcome.h"

#include <QByteArrayList>
#include <QString>

struct sqlite3;

namespace varn::store {

// The word index of a workspace file (REQ_WORDS) brought up to date once for
// a batch of saves rather than row by row. Its triggers index each row as it
// is written, at a cost that grows with every row of a transaction (the
// index flushes what it holds before each removal), while one pass over the
// rows a batch wrote costs far less. Inside an open transaction the triggers
// are set aside and small ones note the numbers of the requirements whose
// rows or whole texts the batch writes, but for the new ones above the
// highest number stored before, which are taken as a range; index() then
// gives exactly those the words their triggers would have given them and
// puts the triggers back.
// A rollback (of the batch, or of any save inside it) brings the triggers
// back as they were with everything else. On a server nothing changes: there
// the triggers stay, since setting them aside would lock every other writer
// out of the requirements until the batch ends.
class DeferredWordIndex
{
public:
    // On the transaction open on the connection.
    static Result<DeferredWordIndex> defer(const QString &connectionName);
    // On the transaction open on a database handle used directly.
    static Result<DeferredWordIndex> defer(sqlite3 *handle);

    // Whether the triggers were set aside (a workspace file with an index).
    bool isDeferred() const { return m_handle != nullptr; }
    // Indexes the rows written since defer() and restores the triggers,
    // before the transaction commits. Once only; nothing when not deferred.
    Outcome index();

private:
    explicit DeferredWordIndex(sqlite3 *handle) : m_handle(handle) {}

    sqlite3 *m_handle = nullptr;
    qint64 m_highest = 0;      // the highest number stored when deferred
    QByteArrayList m_triggers; // their CREATE TRIGGER statements, as stored
};

} // namespace varn::store
