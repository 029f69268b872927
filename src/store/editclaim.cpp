#include "store/editclaim.h"
#include "common/commonmessages.h"
#include "store/storetr.h"

#include "store/sqldialect.h"
#include "store/transientretry.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace varn::store {

namespace {

// The boolean the statement returns; the error when it cannot run.
Result<bool> runClaimStatement(const QSqlDatabase &database, const QString &sql,
                               qint32 firstVersion)
{
    QSqlQuery query(database);
    if (query.prepare(sql)) {
        for (const QVariant &key : SqlDialect::claimKeys(firstVersion))
            query.addBindValue(key);
        if (query.exec() && query.next())
            return query.value(0).toBool();
    }
    TransientRetry::noteError(query.lastError());
    return Outcome::stop(CommonTr::tr(CommonMessages::kQueryFailed) + QLatin1Char('\n') +
                         query.lastError().text());
}

} // namespace

EditClaim::~EditClaim()
{
    release();
}

Outcome EditClaim::claim(const QString &connectionName, qint32 number)
{
    release();
    const QSqlDatabase database = QSqlDatabase::database(connectionName, false);
    const QString sql = SqlDialect::claimRequirement(SqlDialect::of(database));
    if (sql.isEmpty())
        return Outcome::ok();
    QSqlQuery first(database);
    first.prepare(QStringLiteral("SELECT OrigReqNum FROM MASTER_REQ WHERE Req_Num = ?"));
    first.addBindValue(number);
    if (!first.exec())
        return Outcome::stop(CommonTr::tr(CommonMessages::kQueryFailed) + QLatin1Char('\n') +
                             first.lastError().text());
    if (!first.next())
        return Outcome::warning(
            Tr::tr("The Requirement Number does not exist in the Requirements database."));
    const qint32 firstVersion = first.value(0).toInt();
    // A shared claim is always granted: only a deletion holds it alone, and
    // only for the moment of its transaction.
    const Result<bool> claimed = runClaimStatement(database, sql, firstVersion);
    if (!claimed)
        return claimed.outcome();
    m_connection = connectionName;
    m_firstVersion = firstVersion;
    m_held = claimed.value();
    return Outcome::ok();
}

void EditClaim::release()
{
    if (!m_held)
        return;
    m_held = false;
    if (!QSqlDatabase::contains(m_connection))
        return;
    const QSqlDatabase database = QSqlDatabase::database(m_connection, false);
    // A connection already gone took the claim with it.
    if (database.isOpen())
        (void)runClaimStatement(database, SqlDialect::releaseRequirement(SqlDialect::of(database)),
                                m_firstVersion);
}

Outcome EditClaim::refuseIfClaimedElsewhere(const QString &connectionName, qint32 number,
                                            qint32 firstVersion)
{
    const QSqlDatabase database = QSqlDatabase::database(connectionName, false);
    const QString sql = SqlDialect::tryRequirementAlone(SqlDialect::of(database));
    if (sql.isEmpty())
        return Outcome::ok();
    const Result<bool> alone = runClaimStatement(database, sql, firstVersion);
    if (!alone)
        return alone.outcome();
    if (alone.value())
        return Outcome::ok();
    return Outcome::warning(
        Tr::tr("Requirement %1 is open for editing by another user and cannot be "
               "deleted now.\nTry again once it has been saved or closed.")
            .arg(number));
}

} // namespace varn::store
