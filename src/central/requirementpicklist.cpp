#include "central/requirementpicklist.h"

#include "store/creqmsset.h"

namespace varn::central {

Result<QList<PickedRequirement>> RequirementPickList::linkable() const
{
    return read(
        QStringLiteral("(FSTType LIKE ? OR FSTType LIKE ? OR FSTType LIKE ?)"),
        {QStringLiteral("Functional"), QStringLiteral("Structural"), QStringLiteral("Technical")});
}

Result<QList<PickedRequirement>> RequirementPickList::live() const
{
    return read(QStringLiteral("(FSTType NOT LIKE ?)"), {QStringLiteral("Deleted")});
}

Result<QList<PickedRequirement>> RequirementPickList::dependentsOf(int parent) const
{
    return read(QStringLiteral("Req_Num IN (SELECT Dep_ReqNum FROM DEPENDENT_REQ WHERE "
                               "FK_ReqNum = ?)"),
                {parent});
}

Result<QList<PickedRequirement>> RequirementPickList::read(const QString &filter,
                                                           const QVariantList &values) const
{
    store::CReqMsSet master(m_connection);
    master.setFilter(filter, values);
    master.setSort(QStringLiteral("Req_Num"));
    if (Outcome opened = master.open(store::CReqMsSet::OpenType::Snapshot); !opened)
        return master.errorOutcome(QStringLiteral("Error querying the ReqMsSet recordset.\n"));
    QList<PickedRequirement> picked;
    const auto pick = [&picked](const store::MasterReqRow &row) {
        picked.append(
            {row.Req_Num, row.FSTType, row.ParaNum, row.Preamble + QLatin1Char(' ') + row.ReqText});
    };
    if (!master.forEachRow(pick))
        return master.errorOutcome(QStringLiteral("Error querying the ReqMsSet recordset.\n"));
    return picked;
}

} // namespace varn::central
