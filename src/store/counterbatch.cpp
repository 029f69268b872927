#include "store/counterbatch.h"
#include "store/storetr.h"

#include "store/sqldialect.h"
#include "store/transientretry.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <limits>

namespace varn::store {

namespace {

QString tableOf(Counter counter)
{
    return QLatin1String(kCounterTables[int(counter)].table);
}

QString columnOf(Counter counter)
{
    return QLatin1String(kCounterTables[int(counter)].column.name);
}

// The caller's first line (marked where it is written) and what went wrong.
// Kept apart: written in one expression after the tr() of the variable,
// the detail was gathered by lupdate under a context of its own
// ("varn::store::Tr::Tr"), where no translation is looked up.
Outcome stopped(const char *firstLine, const QString &detail)
{
    return Outcome::stop(Tr::tr(firstLine) + detail);
}

} // namespace

CounterBatch::CounterBatch(const QString &connectionName, std::span<const BatchedCounter> counters,
                           RowStatement::Route route)
    : m_database(std::make_unique<QSqlDatabase>(QSqlDatabase::database(connectionName, false))),
      m_route(route)
{
    for (const BatchedCounter &counter : counters)
        m_states.push_back({counter, 0, false, false, nullptr});
}

CounterBatch::~CounterBatch() = default;

void CounterBatch::reset()
{
    for (State &state : m_states) {
        state.value = 0;
        state.loaded = false;
        state.changed = false;
    }
    m_readDone = false;
}

RowStatement &CounterBatch::prepared(std::unique_ptr<RowStatement> &slot, const QString &sql)
{
    // A statement that did not prepare is prepared again at its next use;
    // running it fails with the reason it did not prepare.
    if (!slot || !slot->isPrepared())
        slot = std::make_unique<RowStatement>(*m_database, sql, m_route);
    return *slot;
}

Outcome CounterBatch::failure(const char *firstLine, const RowStatement &statement)
{
    TransientRetry::noteError(statement.lastError());
    return Outcome::stop(Tr::tr(firstLine) + statement.lastError().text());
}

CounterBatch::State *CounterBatch::stateOf(Counter counter)
{
    for (State &state : m_states) {
        if (state.counter.counter == counter)
            return &state;
    }
    return nullptr;
}

Outcome CounterBatch::readAll(const char *failureLine)
{
    // All in one statement, each locked to the end of the transaction where
    // other writers share the tables: the writer asks once, while every
    // other writer waits for it. A counter whose table holds no row reads
    // as null.
    QString select = QStringLiteral("SELECT ");
    for (std::size_t i = 0; i < m_states.size(); ++i) {
        const Counter counter = m_states[i].counter.counter;
        if (i > 0)
            select += QStringLiteral(", ");
        select +=
            QLatin1Char('(') +
            SqlDialect::lockingRead(
                *m_database,
                QStringLiteral("SELECT %1 FROM %2").arg(columnOf(counter), tableOf(counter))) +
            QLatin1Char(')');
    }
    RowStatement &read = prepared(m_read, select);
    if (!read.exec() || !read.next())
        return failure(failureLine, read);
    for (std::size_t i = 0; i < m_states.size(); ++i) {
        m_states[i].loaded = !read.isNull(int(i));
        m_states[i].value = read.intValue(int(i));
    }
    read.finish();
    m_readDone = true;
    return Outcome::ok();
}

Result<qint32> CounterBatch::allocate(Counter counter, const char *failureLine)
{
    State *state = stateOf(counter);
    if (!state)
        return stopped(failureLine,
                       Tr::tr("The %1 key counter is not in the batch.").arg(tableOf(counter)));
    if (!m_readDone) {
        if (Outcome read = readAll(failureLine); !read)
            return read;
    }
    if (!state->loaded)
        return stopped(failureLine, Tr::tr("No current record."));
    // A counter damaged outside the program must not hand out a key of
    // zero or less, nor wrap round.
    if (state->value < 0)
        return Outcome::refused(
            Tr::tr("Validation error. The %1 key counter holds %2; keys are positive "
                   "numbers.\nYour database may be corrupt.")
                .arg(tableOf(counter))
                .arg(state->value));
    if (state->value == std::numeric_limits<qint32>::max())
        return stopped(failureLine, Tr::tr("Every key has been handed out."));
    state->changed = true;
    return ++state->value;
}

Outcome CounterBatch::flush()
{
    for (State &state : m_states) {
        if (!state.changed)
            continue;
        const Counter counter = state.counter.counter;
        RowStatement &write = prepared(
            state.write,
            QStringLiteral("UPDATE %1 SET %2 = ?").arg(tableOf(counter), columnOf(counter)));
        write.add(state.value);
        if (!write.exec())
            return failure(state.counter.writeFailure, write);
        state.changed = false;
    }
    return Outcome::ok();
}

Outcome CounterBatch::resetToZero(const QString &connectionName, std::span<const Counter> counters)
{
    QSqlQuery query(QSqlDatabase::database(connectionName, false));
    for (const Counter counter : counters) {
        if (!query.exec(
                QStringLiteral("UPDATE %1 SET %2 = 0").arg(tableOf(counter), columnOf(counter))))
            return Outcome::stop(Tr::tr("Error deleting records from %1.\n").arg(tableOf(counter)) +
                                 query.lastError().text());
    }
    return Outcome::ok();
}

} // namespace varn::store
