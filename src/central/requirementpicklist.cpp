#include "central/requirementpicklist.h"

#include "store/creqmsset.h"
#include "store/dependentlinktable.h"

#include <algorithm>

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
    const store::DependentLinkTable links(m_connection);
    Result<QList<qint32>> numbers = links.dependentsOf(parent);
    // The list is one query of the requirements to the user.
    if (!numbers)
        return Outcome::stop(QStringLiteral("Error querying the ReqMsSet recordset.\n") +
                             links.lastErrorText());
    QList<qint32> &wanted = numbers.value();
    wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end()); // ascending already
    // A few hundred numbers a statement, well within every backend's limit
    // on bound values; each part comes sorted, and so does their sequence.
    constexpr qsizetype kPerStatement = 500;
    QList<PickedRequirement> picked;
    for (qsizetype first = 0; first < wanted.size(); first += kPerStatement) {
        const QList<qint32> part = wanted.mid(first, kPerStatement);
        QStringList marks;
        QVariantList values;
        for (const qint32 number : part) {
            marks.append(QStringLiteral("?"));
            values.append(number);
        }
        const Result<QList<PickedRequirement>> rows =
            read(QStringLiteral("Req_Num IN (%1)").arg(marks.join(QStringLiteral(", "))), values);
        if (!rows)
            return rows.outcome();
        picked.append(rows.value());
    }
    return picked;
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
