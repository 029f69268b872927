#pragma once

#include "common/outcome.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// What the inspection views read alike: the first lines of their failure
// messages, the order names sort in, and the list of entities.
namespace varn::inspect::modelqueries {

inline const QString kEntityOpen = QStringLiteral("Cannot open ReqOeSet recordset.\n");
inline const QString kAttributeOpen = QStringLiteral("Cannot open ReqAtSet recordset.\n");
inline const QString kMethodOpen = QStringLiteral("Cannot open ReqMeSet recordset.\n");

// "<column> COLLATE NOCASE, <column>": names sort as the record sets sort
// them, case aside first, then by case.
QString nameOrder(const char *column);

// Every entity name in table order; refused with whenNone when there is none.
Result<QStringList> entityNames(const QSqlDatabase &database, const QString &whenNone);

} // namespace varn::inspect::modelqueries
