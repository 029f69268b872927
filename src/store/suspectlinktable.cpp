#include "store/suspectlinktable.h"
#include "store/storetr.h"

#include "store/boundquery.h"

#include "store/preparedstatements.h"
#include "store/savetransaction.h"
#include "store/transientretry.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace varn::store {

namespace {

Outcome failed(const QSqlQuery &query)
{
    return statementFailure(query, Tr::tr("The suspect links could not be read or written."));
}

// A link's end is the requirement when it is that row, or the row that
// replaced it in the change that made the link suspect.
const QString kParentIs = QStringLiteral("(FK_ReqNum = ? OR (Changed_ReqNum = FK_ReqNum AND "
                                         "New_ReqNum = ?))");
const QString kDependentIs = QStringLiteral("(Dep_ReqNum = ? OR (Changed_ReqNum = Dep_ReqNum "
                                            "AND New_ReqNum = ?))");

} // namespace

Outcome SuspectLinkTable::markTouching(const QString &connectionName, qint32 changed,
                                       qint32 replacement, const QString &markedOn)
{
    // Prepared once per connection: it runs in every save of a new version.
    // A link stored twice is marked once.
    bool prepared = false;
    QSqlQuery &query = PreparedStatements::of(
        connectionName,
        QStringLiteral("INSERT INTO SUSPECT_LINK (FK_ReqNum, Dep_ReqNum, Changed_ReqNum, "
                       "New_ReqNum, MarkedOn) SELECT FK_ReqNum, Dep_ReqNum, "
                       "CAST(? AS INTEGER), CAST(? AS INTEGER), CAST(? AS TEXT) "
                       "FROM DEPENDENT_REQ WHERE FK_ReqNum = ? OR Dep_ReqNum = ? "
                       "ON CONFLICT DO NOTHING"),
        &prepared);
    if (!prepared)
        return failed(query);
    for (const QVariant &value : QVariantList{changed, replacement, markedOn, changed, changed})
        query.addBindValue(value);
    const bool marked = query.exec();
    query.finish();
    if (!marked)
        return failed(query);
    return Outcome::ok();
}

Result<QList<SuspectLink>> SuspectLinkTable::open() const
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (!runBound(
            query,
            QStringLiteral("SELECT FK_ReqNum, Dep_ReqNum, Changed_ReqNum, New_ReqNum, MarkedOn "
                           "FROM SUSPECT_LINK WHERE ClearedAt IS NULL "
                           "ORDER BY FK_ReqNum, Dep_ReqNum, Changed_ReqNum"),
            {}))
        return failed(query);
    QList<SuspectLink> links;
    while (query.next())
        links.append({query.value(0).toInt(),
                      query.value(1).toInt(),
                      query.value(2).toInt(),
                      query.value(3).toInt(),
                      query.value(4).toString(),
                      {},
                      {}});
    return links;
}

Result<QList<SuspectLink>> SuspectLinkTable::reviewed() const
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (!runBound(
            query,
            QStringLiteral("SELECT FK_ReqNum, Dep_ReqNum, Changed_ReqNum, New_ReqNum, MarkedOn, "
                           "ClearedBy, ClearedAt FROM SUSPECT_LINK WHERE ClearedAt IS NOT NULL "
                           "ORDER BY ClearedAt, FK_ReqNum, Dep_ReqNum, Changed_ReqNum"),
            {}))
        return failed(query);
    QList<SuspectLink> links;
    while (query.next())
        links.append({query.value(0).toInt(), query.value(1).toInt(), query.value(2).toInt(),
                      query.value(3).toInt(), query.value(4).toString(), query.value(5).toString(),
                      query.value(6).toString()});
    return links;
}

Result<int> SuspectLinkTable::clear(qint32 number, std::optional<qint32> dependent,
                                    const QString &clearedBy, const QString &clearedAt) const
{
    return TransientRetry::run([&]() -> Result<int> {
        SaveTransaction transaction(m_connection);
        if (Outcome begun = transaction.begin(); !begun)
            return begun;
        QString which;
        QVariantList values{clearedBy, clearedAt};
        if (dependent) {
            which = kParentIs + QStringLiteral(" AND ") + kDependentIs;
            values << number << number << *dependent << *dependent;
        } else {
            which = QStringLiteral("(") + kParentIs + QStringLiteral(" OR ") + kDependentIs +
                    QStringLiteral(")");
            values << number << number << number << number;
        }
        QSqlQuery query(QSqlDatabase::database(m_connection, false));
        if (!runBound(query,
                      QStringLiteral("UPDATE SUSPECT_LINK SET ClearedBy = ?, ClearedAt = ? "
                                     "WHERE ClearedAt IS NULL AND ") +
                          which,
                      values))
            return failed(query);
        const int cleared = query.numRowsAffected();
        if (Outcome committed = transaction.commit(); !committed)
            return committed;
        return cleared;
    });
}

} // namespace varn::store
