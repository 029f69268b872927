#pragma once

#include "store/recordset.h"

namespace varn::store {

// The one column of a counter table: the last key handed out.
struct CounterRow
{
    qint32 value = 0;
};

// The ten counter tables, in the order of kCounterTables.
enum class Counter { MastrReq, EntReq, DepReq, PvReq, EntOm, AttrOm, MethOm, InhOm, AggOm, PvOm };

struct CounterTable
{
    const char *setName;
    const char *table;
    RecordColumn<CounterRow> column;
};

inline constexpr CounterTable kCounterTables[] = {
    {"PkRqMastrSet", "PK_MASTR_REQ", {"PMastrReq", ColumnType::Long, &CounterRow::value}},
    {"PkRqEntSet", "PK_ENT_REQ", {"PEntReq", ColumnType::Long, &CounterRow::value}},
    {"PkDepReq", "PK_DEP_REQ", {"PDepReq", ColumnType::Long, &CounterRow::value}},
    {"PkRqPvSet", "PK_PV_REQ", {"PPvReq", ColumnType::Long, &CounterRow::value}},
    {"PkRqOEntSet", "PK_ENT_OM", {"PEntOm", ColumnType::Long, &CounterRow::value}},
    {"PkRqOAttrSet", "PK_ATTR_OM", {"PAttrOm", ColumnType::Long, &CounterRow::value}},
    {"PkRqOMethSet", "PK_METH_OM", {"PMethOm", ColumnType::Long, &CounterRow::value}},
    {"PkRqOInhSet", "PK_INH_OM", {"PInhOm", ColumnType::Long, &CounterRow::value}},
    {"PkRqOAggSet", "PK_AGG_OM", {"PAggOm", ColumnType::Long, &CounterRow::value}},
    {"PkRqOPvSet", "PK_PV_OM", {"PPvOm", ColumnType::Long, &CounterRow::value}},
};
inline constexpr int kCounterCount = int(std::size(kCounterTables));

// A counter table of one row that hands out the keys of one table. Keys are
// allocated inside the save's transaction, so a rollback returns them.
class CounterSet : public RecordSet<CounterRow>
{
public:
    Counter counter() const { return m_counter; }

    // The stored value plus one; nothing is written. The set must be open on
    // its row (opening its group puts it there).
    Result<qint32> nextKey();
    // The stored value plus one, written back into the counter row: call it
    // before the row that uses the key is written.
    Result<qint32> allocateKey();
    // Allocation for a table whose set may be filtered (the object model,
    // DEPENDENT_REQ): allocates, clears the target's filter and requeries it
    // (run when the target is next moved, so adding stays cheap), then starts
    // the target's new row with the key in its key column. The caller fills
    // the other columns and calls target.update().
    Result<qint32> allocateKeyAndAdd(RecordSetCore &target);

protected:
    CounterSet(Counter counter, const QString &connectionName);

private:
    // Locks the counter row for the rest of the save's transaction and reads
    // its value afresh, where other writers share the database.
    Outcome lockForAllocation();
    Result<qint32> keyAfterCurrent();

    Counter m_counter;
    quint64 m_lockedIn = 0; // the transaction that holds the row's lock
};

template <Counter Id> class CounterSetOf : public CounterSet
{
public:
    explicit CounterSetOf(const QString &connectionName) : CounterSet(Id, connectionName) {}
};

using CPkRqMastrSet = CounterSetOf<Counter::MastrReq>;
using CPkRqEntSet = CounterSetOf<Counter::EntReq>;
using CPkDepReq = CounterSetOf<Counter::DepReq>;
using CPkRqPvSet = CounterSetOf<Counter::PvReq>;
using CPkRqOEntSet = CounterSetOf<Counter::EntOm>;
using CPkRqOAttrSet = CounterSetOf<Counter::AttrOm>;
using CPkRqOMethSet = CounterSetOf<Counter::MethOm>;
using CPkRqOInhSet = CounterSetOf<Counter::InhOm>;
using CPkRqOAggSet = CounterSetOf<Counter::AggOm>;
using CPkRqOPvSet = CounterSetOf<Counter::PvOm>;

} // namespace varn::store
