#pragma once

#include "common/outcome.h"
#include "store/counterset.h"
#include "store/rowstatement.h"

#include <QString>

#include <memory>
#include <span>
#include <vector>

class QSqlDatabase;

namespace varn::store {

// One counter of a batch and the first line of the message when writing it
// back fails (marked with QT_TRANSLATE_NOOP in the "varn::store" context:
// the batch shows it through Tr::tr()).
struct BatchedCounter
{
    Counter counter;
    const char *writeFailure;
};

// Several counter tables read together and written back together, for a
// writer of many rows inside one transaction (the object model's derivation
// and its rebuild): the counters are read at the first key asked for, all in
// one statement that keeps their rows locked to the end of the transaction
// where other writers share the database, handed out from memory, and
// written back by flush() before the caller commits. Like CounterSet, a
// counter below zero or at the largest key hands out nothing.
class CounterBatch
{
public:
    // Route::Direct only for a writer whose batch ends within its transaction.
    CounterBatch(const QString &connectionName, std::span<const BatchedCounter> counters,
                 RowStatement::Route route = RowStatement::Route::Qt);
    ~CounterBatch();
    CounterBatch(const CounterBatch &) = delete;
    CounterBatch &operator=(const CounterBatch &) = delete;

    // Forgets the values read, keeping the prepared statements: for the next
    // transaction, where what a rolled-back one handed out is free again.
    void reset();

    // The counter's next key. A failed read is a stop: the first line (kept
    // like a BatchedCounter's)
    // followed by the database's text.
    Result<qint32> allocate(Counter counter, const char *failureLine);
    // Writes back every counter that handed out keys.
    [[nodiscard]] Outcome flush();

    // Sets the counters to 0, as an emptied object model starts; a failure
    // names the table ("Error deleting records from PK_ENT_OM.\n").
    static Outcome resetToZero(const QString &connectionName, std::span<const Counter> counters);

private:
    struct State
    {
        BatchedCounter counter;
        qint32 value = 0;
        bool loaded = false;
        bool changed = false;
        std::unique_ptr<RowStatement> write;
    };

    Outcome readAll(const char *failureLine);
    State *stateOf(Counter counter);
    RowStatement &prepared(std::unique_ptr<RowStatement> &slot, const QString &sql);
    static Outcome failure(const char *firstLine, const RowStatement &statement);

    const std::unique_ptr<QSqlDatabase> m_database;
    RowStatement::Route m_route;
    std::vector<State> m_states;
    std::unique_ptr<RowStatement> m_read;
    bool m_readDone = false;
};

} // namespace varn::store
