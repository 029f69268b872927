#pragma once

#include "common/outcome.h"
#include "store/recordgroup.h"
#include "store/requirementrows.h"

#include <QString>
#include <QStringList>

namespace varn::store {

class RecordObjects;

// The one route by which a save adds a requirement's rows: MASTER_REQ, then
// FUNC_REQ or STRUC_REQ with the POSS_VALS rows, through the workspace's
// long-lived record sets and with keys from the counters. The caller holds
// the save's transaction (SaveTransaction) around all of it, so a refusal at
// any step leaves rows and counters as they were.
class RequirementWriter
{
public:
    explicit RequirementWriter(RecordObjects &records);

    const QString &connectionName() const;

    // Opens the sets of the group a save writes through; close() closes them
    // again, and must run before the transaction commits or rolls back.
    [[nodiscard]] Outcome open(RecordGroup group);
    void close(RecordGroup group);
    // Closes the group even where a batch holds it open: after a save that
    // did not commit, whose counters the rollback set back.
    void drop(RecordGroup group);

    // The number the next requirement gets; nothing is written.
    [[nodiscard]] Result<qint32> nextNumber();
    // Refused with "Cannot write to the MsReqSet recordset." when MASTER_REQ
    // takes no row (its set is not open for writing).
    [[nodiscard]] Outcome checkCanAdd() const;
    // Adds the MASTER_REQ row and takes its number from the counter.
    [[nodiscard]] Outcome addMaster(const MasterReqRow &row);
    // The composer's own rows, keyed by the number of the MASTER_REQ row.
    [[nodiscard]] Outcome addFunctional(const FuncReqRow &row);
    // The STRUC_REQ row and one POSS_VALS row per value, in list order, each
    // with a key from the counter.
    [[nodiscard]] Outcome addStructural(const StrucReqRow &row, const QStringList &possibleValues);

private:
    RecordObjects &m_records;
};

} // namespace varn::store
