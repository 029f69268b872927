#pragma once

#include "common/outcome.h"
#include "store/requirementrows.h"

#include <QStringList>

#include <optional>
#include <type_traits>

namespace varn::store {

// Reads the requirement owners share, over any record set of the same
// tables: the workspace's (CReq...) and the application database's worked
// examples (CVarn...).

// The one row whose key column holds the number, or none.
template <typename Set>
Result<std::optional<typename std::remove_cvref_t<decltype(std::declval<Set>().row())>>>
rowByKey(const QString &connectionName, const char *keyColumn, qint32 number)
{
    using Row = std::remove_cvref_t<decltype(std::declval<Set>().row())>;
    Set set(connectionName);
    set.setFilter(QLatin1String(keyColumn) + QStringLiteral(" = ?"), {number});
    if (Outcome opened = set.open(Set::OpenType::Snapshot); !opened)
        return opened;
    if (set.isEOF())
        return std::optional<Row>();
    return std::optional<Row>(set.row());
}

// A structural requirement's possible values, in the order they were saved.
template <typename Set>
Result<QStringList> possibleValuesOf(const QString &connectionName, qint32 number)
{
    Set values(connectionName);
    values.setFilter(QStringLiteral("FK_SReqNum = ?"), {number});
    values.setSort(QStringLiteral("PV_ID"));
    if (Outcome opened = values.open(Set::OpenType::Snapshot); !opened)
        return opened;
    QStringList texts;
    if (Outcome read = values.forEachRow([&](const PossValRow &row) { texts.append(row.Value); });
        !read)
        return read;
    return texts;
}

} // namespace varn::store
