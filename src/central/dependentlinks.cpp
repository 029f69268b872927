#include "central/dependentlinks.h"

#include "store/cdependset.h"
#include "store/counterset.h"
#include "store/savetransaction.h"

namespace varn::central {

Result<QList<int>> DependentLinks::dependentsOf(int parent) const
{
    store::CDependSet links(m_connection);
    links.setFilter(QStringLiteral("FK_ReqNum = ?"), {parent});
    links.setSort(QStringLiteral("Dep_ReqNum"));
    if (Outcome opened = links.open(store::CDependSet::OpenType::Snapshot); !opened)
        return links.errorOutcome(QStringLiteral("Cannot open DependSet recordset.\n"));
    QList<int> dependents;
    if (!links.forEachRow([&](const auto &row) { dependents.append(row.Dep_ReqNum); }))
        return links.errorOutcome(QStringLiteral("Cannot open DependSet recordset.\n"));
    return dependents;
}

Outcome DependentLinks::saveDependents(int parent, const QList<int> &dependents) const
{
    store::SaveTransaction transaction(m_connection);
    if (Outcome begun = transaction.begin(); !begun)
        return begun;
    store::CPkDepReq counter(m_connection);
    if (Outcome opened = counter.open(); !opened)
        return counter.errorOutcome(QStringLiteral("Cannot open PkDepReq recordset.\n"));
    store::CDependSet links(m_connection);
    links.setFilter(QStringLiteral("FK_ReqNum = ?"), {parent});
    if (Outcome opened = links.open(); !opened)
        return links.errorOutcome(QStringLiteral("Cannot open DependSet recordset.\n"));
    if (Result<int> removed = links.deleteMatching(); !removed)
        return links.errorOutcome(QStringLiteral("Error deleting records from DEPENDENT_REQ.\n"));

    const QString writeFailure =
        QStringLiteral("Error writing to the DependSet-PkDepReq recordsets.\n");
    for (const int dependent : dependents) {
        if (Result<qint32> key = counter.allocateKeyAndAdd(links); !key)
            return Outcome::stop(writeFailure + key.outcome().message());
        links.row().FK_ReqNum = parent;
        links.row().Dep_ReqNum = dependent;
        if (Outcome updated = links.update(); !updated)
            return links.errorOutcome(writeFailure);
    }
    return transaction.commit();
}

Outcome DependentLinks::checkAddition(const QList<int> &dependents, int candidate)
{
    if (dependents.contains(candidate))
        return Outcome::warning(QStringLiteral("The selected requirement is already a dependent."));
    return Outcome::ok();
}

QString DependentLinks::savedStatus(int parent)
{
    return QStringLiteral("Requirement %1 successfully updated.").arg(parent);
}

QString DependentLinks::noDependentsStatus(int parent)
{
    return QStringLiteral("Requirement %1 does not have any dependent requirements.").arg(parent);
}

} // namespace varn::central
