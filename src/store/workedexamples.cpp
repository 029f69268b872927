#include "store/workedexamples.h"

#include "store/cvarnmsset.h"
#include "store/cvarnpvset.h"
#include "store/cvarnset.h"
#include "store/cvarnstset.h"
#include "store/keyedreads.h"
#include "store/storetr.h"

namespace varn::store {

Result<QList<VarnMasterRow>> WorkedExamples::masterRows(int first, int count) const
{
    const QString failed = Tr::tr("Cannot open VarnMsSet recordset.\n");
    CVarnMsSet master(m_connection);
    master.setSort(QStringLiteral("Req_Num"));
    if (Outcome opened = master.open(CVarnMsSet::OpenType::Snapshot); !opened)
        return master.errorOutcome(failed);
    QList<VarnMasterRow> rows;
    for (int row = 1; !master.isEOF() && rows.size() < count; ++row) {
        if (row >= first)
            rows.append(master.row());
        if (Outcome moved = master.moveNext(); !moved)
            return master.errorOutcome(failed);
    }
    master.close();
    return rows;
}

Result<std::optional<StrucReqRow>> WorkedExamples::structural(qint32 number) const
{
    return rowByKey<CVarnStSet>(m_connection, "S_ReqNum", number);
}

Result<QStringList> WorkedExamples::possibleValues(qint32 number) const
{
    return possibleValuesOf<CVarnPvSet>(m_connection, number);
}

Result<QList<int>> WorkedExamples::functionalNumbers() const
{
    CVarnSet functional(m_connection);
    functional.setSort(QStringLiteral("F_ReqNum"));
    if (!functional.open(CVarnSet::OpenType::Snapshot))
        return Outcome::stop(Tr::tr("Cannot open VarnSet recordset.\n"));
    QList<int> numbers;
    if (!functional.forEachRow([&numbers](const FuncReqRow &row) { numbers.append(row.F_ReqNum); }))
        return Outcome::stop(Tr::tr("Cannot open VarnSet recordset.\n"));
    return numbers;
}

} // namespace varn::store
