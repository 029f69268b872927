#include "central/requirementpicklist.h"

#include "store/requirementreader.h"

namespace varn::central {

namespace {

Result<QList<PickedRequirement>> picked(const Result<QList<store::MasterReqRow>> &rows)
{
    if (!rows)
        return rows.outcome();
    QList<PickedRequirement> picked;
    picked.reserve(rows->size());
    for (const store::MasterReqRow &row : rows.value())
        picked.append(
            {row.Req_Num, row.FSTType, row.ParaNum, row.Preamble + QLatin1Char(' ') + row.ReqText});
    return picked;
}

} // namespace

Result<QList<PickedRequirement>> RequirementPickList::linkable() const
{
    return picked(store::RequirementReader(m_connection).linkableRequirements());
}

Result<QList<PickedRequirement>> RequirementPickList::live() const
{
    return picked(store::RequirementReader(m_connection).liveRequirements());
}

Result<QList<PickedRequirement>> RequirementPickList::dependentsOf(int parent) const
{
    return picked(store::RequirementReader(m_connection).dependentRequirements(parent));
}

} // namespace varn::central
