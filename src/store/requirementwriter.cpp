#include "store/requirementwriter.h"
#include "store/storetr.h"

#include "store/recordobjects.h"
#include "store/storemessages.h"

namespace varn::store {

RequirementWriter::RequirementWriter(RecordObjects &records) : m_records(records) {}

const QString &RequirementWriter::connectionName() const
{
    return m_records.connectionName();
}

Outcome RequirementWriter::open(RecordGroup group)
{
    return m_records.openGroup(group);
}

void RequirementWriter::close(RecordGroup group)
{
    m_records.closeGroup(group);
}

void RequirementWriter::drop(RecordGroup group)
{
    m_records.dropGroup(group);
}

Result<qint32> RequirementWriter::nextNumber()
{
    return m_records.pkRqMastrSet().nextKey();
}

Outcome RequirementWriter::checkCanAdd() const
{
    if (!m_records.reqMsSet().canAppend())
        return Outcome::refused(Tr::tr(messages::kCannotWriteMsReqSet));
    return Outcome::ok();
}

Outcome RequirementWriter::addMaster(const MasterReqRow &row)
{
    CReqMsSet &master = m_records.reqMsSet();
    if (Outcome adding = master.addNew(); !adding)
        return master.errorOutcome(Tr::tr("Cannot add record to the MsReqSet recordset.\n"));
    master.row() = row;
    if (Outcome updated = master.update(); !updated)
        return master.errorOutcome(Tr::tr("Error adding new record to the ReqMsSet recordset.\n"));
    if (const Result<qint32> key = m_records.pkRqMastrSet().allocateKey(); !key)
        return m_records.pkRqMastrSet().errorOutcome(
            Tr::tr("Error updating the PkMastrSet recordset.\n"));
    return Outcome::ok();
}

Outcome RequirementWriter::addFunctional(const FuncReqRow &row)
{
    CReqSet &functional = m_records.reqSet();
    if (Outcome adding = functional.addNew(); !adding)
        return functional.errorOutcome(Tr::tr("Error adding record to the ReqSet recordset.\n"));
    functional.row() = row;
    if (Outcome updated = functional.update(); !updated)
        return functional.errorOutcome(Tr::tr("Error adding record to the ReqSet recordset.\n"));
    return Outcome::ok();
}

Outcome RequirementWriter::addStructural(const StrucReqRow &row, const QStringList &possibleValues)
{
    const QString failed = Tr::tr("Error adding record to the ReqStSet recordset.\n");
    CReqStSet &structural = m_records.reqStSet();
    if (Outcome adding = structural.addNew(); !adding)
        return structural.errorOutcome(failed);
    structural.row() = row;
    if (Outcome updated = structural.update(); !updated)
        return structural.errorOutcome(failed);

    CReqPvSet &values = m_records.reqPvSet();
    for (const QString &value : possibleValues) {
        const Result<qint32> key = m_records.pkRqPvSet().allocateKey();
        if (!key)
            return m_records.pkRqPvSet().errorOutcome(
                Tr::tr("Error updating the PkRqPvSet recordset.\n"));
        if (Outcome adding = values.addNew(); !adding)
            return values.errorOutcome(Tr::tr("Error adding record to the ReqPvSet recordset.\n"));
        values.row() = PossValRow{key.value(), row.S_ReqNum, value};
        if (Outcome updated = values.update(); !updated)
            return values.errorOutcome(Tr::tr("Error adding record to the ReqPvSet recordset.\n"));
    }
    return Outcome::ok();
}

} // namespace varn::store
