#include "store/counterset.h"
#include "store/storetr.h"

#include "store/savetransaction.h"
#include "store/sqldialect.h"
#include "store/transientretry.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <limits>

namespace varn::store {

namespace {

const CounterTable &tableOf(Counter counter)
{
    return kCounterTables[int(counter)];
}

} // namespace

CounterSet::CounterSet(Counter counter, const QString &connectionName)
    : RecordSet(tableOf(counter).setName, tableOf(counter).table,
                std::span<const RecordColumn<CounterRow>>(&tableOf(counter).column, 1),
                Access::Updatable, connectionName),
      m_counter(counter)
{}

Result<qint32> CounterSet::nextKey()
{
    if (Outcome locked = lockForAllocation(); !locked)
        return locked;
    return keyAfterCurrent();
}

Result<qint32> CounterSet::keyAfterCurrent()
{
    if (isBOF() || isEOF())
        return Outcome::stop(Tr::tr("Error querying the %1 recordset.\n").arg(name()) +
                             Tr::tr("No current record."));
    // A counter below zero was damaged outside the program; handing out a
    // key of zero or less would store requirements no one can name.
    if (row().value < 0)
        return Outcome::refused(
            Tr::tr("Validation error. The %1 key counter holds %2; keys are positive "
                   "numbers.\nYour database may be corrupt.")
                .arg(QLatin1String(tableOf(m_counter).table))
                .arg(row().value));
    if (row().value == std::numeric_limits<qint32>::max())
        return Outcome::stop(Tr::tr("Error querying the %1 recordset.\n").arg(name()) +
                             Tr::tr("Every key has been handed out."));
    return row().value + 1;
}

Outcome CounterSet::lockForAllocation()
{
    const QSqlDatabase database = QSqlDatabase::database(connectionName(), false);
    const QString lock =
        SqlDialect::lockCounterRow(database, QLatin1String(tableOf(m_counter).table),
                                   QLatin1String(tableOf(m_counter).column.name));
    if (lock.isEmpty())
        return Outcome::ok();
    // Locked and read once per transaction: a save asks for the next key,
    // then allocates it, and its row stays locked in between.
    const quint64 transaction = SaveTransaction::innermostSerial(connectionName());
    if (transaction != 0 && transaction == m_lockedIn)
        return Outcome::ok();
    QSqlQuery query(database);
    if (!query.exec(lock)) {
        TransientRetry::noteError(query.lastError());
        return Outcome::stop(Tr::tr("Error querying the %1 recordset.\n").arg(name()) +
                             query.lastError().text());
    }
    m_lockedIn = transaction;
    return requery();
}

Result<qint32> CounterSet::allocateKey()
{
    if (Outcome locked = lockForAllocation(); !locked)
        return locked;
    // Edit first so the value comes from the stored row, not the buffer.
    if (Outcome editing = edit(); !editing)
        return editing;
    Result<qint32> key = keyAfterCurrent();
    if (!key) {
        cancelUpdate();
        return key;
    }
    row().value = key.value();
    if (Outcome updated = update(); !updated) {
        cancelUpdate();
        return updated;
    }
    return key;
}

Result<qint32> CounterSet::allocateKeyAndAdd(RecordSetCore &target)
{
    Result<qint32> key = allocateKey();
    if (!key)
        return key;
    target.setFilter({});
    target.requeryLater();
    if (Outcome adding = target.addNew(); !adding)
        return adding;
    target.setKeyValue(key.value());
    return key;
}

} // namespace varn::store
