#pragma once

#include "common/outcome.h"
#include "store/requirementrows.h"

#include <QString>
#include <QVariantList>

class QSqlQuery;

namespace varn::store {

// Prepares a forward-only statement on the query, binds the values in
// order and runs it.
bool runBound(QSqlQuery &query, const QString &sql, const QVariantList &values);

// What an owner returns when one of its statements failed: its own first
// line, then the database's words. A failure the server may clear by itself
// is noted for the retry.
Outcome statementFailure(const QSqlQuery &query, const QString &firstLine);

// The MASTER_REQ row a query's first thirteen values hold, in the order of
// MasterReqRow's members (Req_Num ... Comments).
MasterReqRow masterRowOf(const QSqlQuery &query);

} // namespace varn::store
