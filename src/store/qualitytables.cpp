#include "store/qualitytables.h"
#include "store/storetr.h"

#include "store/boundquery.h"
#include "store/savetransaction.h"
#include "store/sqldialect.h"
#include "store/transientretry.h"

#include <QSqlDatabase>
#include <QSqlQuery>

namespace varn::store {

namespace {

Outcome failed(const QSqlQuery &query)
{
    return statementFailure(query, Tr::tr("The quality settings could not be read or written."));
}

// A workspace opened read-only before the quality tables existed has none:
// it has no settings and no acceptances yet.
bool hasTable(const QString &connection, const char *table)
{
    return SqlDialect::tables(QSqlDatabase::database(connection, false))
        .contains(QLatin1String(table), Qt::CaseInsensitive);
}

// One write in a transaction of its own, run again when the server asks;
// its result says whether it changed a row.
template <typename Write> Result<bool> changed(const QString &connection, Write write)
{
    return TransientRetry::run([&]() -> Result<bool> {
        SaveTransaction transaction(connection);
        if (Outcome begun = transaction.begin(); !begun)
            return begun;
        QSqlQuery query(QSqlDatabase::database(connection, false));
        Result<bool> result = write(query);
        if (!result)
            return result;
        if (Outcome committed = transaction.commit(); !committed)
            return committed;
        return result;
    });
}

template <typename Write> Outcome written(const QString &connection, Write write)
{
    Result<bool> done = changed(connection, write);
    return done ? Outcome::ok() : done.outcome();
}

} // namespace

Result<QStringList> QualityTables::switchedOffRules() const
{
    if (!hasTable(m_connection, "QUALITY_RULE"))
        return QStringList();
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (!runBound(query,
                  QStringLiteral("SELECT RuleId FROM QUALITY_RULE WHERE SwitchedOff = 1 "
                                 "ORDER BY RuleId"),
                  {}))
        return failed(query);
    QStringList rules;
    while (query.next())
        rules.append(query.value(0).toString());
    return rules;
}

Outcome QualityTables::setSwitchedOff(const QString &rule, bool off) const
{
    return written(m_connection, [&](QSqlQuery &query) -> Result<bool> {
        if (!runBound(query,
                      QStringLiteral("INSERT INTO QUALITY_RULE (RuleId, SwitchedOff) VALUES (?, ?) "
                                     "ON CONFLICT (RuleId) DO UPDATE SET SwitchedOff = "
                                     "excluded.SwitchedOff"),
                      {rule, off ? 1 : 0}))
            return failed(query);
        return true;
    });
}

Result<QList<QualityWordRow>> QualityTables::addedWords() const
{
    if (!hasTable(m_connection, "QUALITY_WORD"))
        return QList<QualityWordRow>();
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (!runBound(query,
                  QStringLiteral("SELECT RuleId, Word FROM QUALITY_WORD ORDER BY RuleId, Word"),
                  {}))
        return failed(query);
    QList<QualityWordRow> words;
    while (query.next())
        words.append({query.value(0).toString(), query.value(1).toString()});
    return words;
}

Outcome QualityTables::addWord(const QString &rule, const QString &word) const
{
    return written(m_connection, [&](QSqlQuery &query) -> Result<bool> {
        if (!runBound(query,
                      QStringLiteral("INSERT INTO QUALITY_WORD (RuleId, Word) VALUES (?, ?) "
                                     "ON CONFLICT DO NOTHING"),
                      {rule, word}))
            return failed(query);
        return true;
    });
}

Result<bool> QualityTables::removeWord(const QString &rule, const QString &word) const
{
    return changed(m_connection, [&](QSqlQuery &query) -> Result<bool> {
        if (!runBound(query,
                      QStringLiteral("DELETE FROM QUALITY_WORD WHERE RuleId = ? AND Word = ?"),
                      {rule, word}))
            return failed(query);
        return query.numRowsAffected() > 0;
    });
}

Result<QList<QualityAcceptanceRow>> QualityTables::acceptances() const
{
    if (!hasTable(m_connection, "QUALITY_ACCEPTED"))
        return QList<QualityAcceptanceRow>();
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (!runBound(query,
                  QStringLiteral("SELECT Req_Num, OrigReqNum, Version, RuleId, Words, Reason, "
                                 "AcceptedBy, AcceptedAt FROM QUALITY_ACCEPTED "
                                 "ORDER BY Req_Num, RuleId, Words"),
                  {}))
        return failed(query);
    QList<QualityAcceptanceRow> rows;
    while (query.next())
        rows.append({query.value(0).toInt(), query.value(1).toInt(), query.value(2).toInt(),
                     query.value(3).toString(), query.value(4).toString(),
                     query.value(5).toString(), query.value(6).toString(),
                     query.value(7).toString()});
    return rows;
}

Outcome QualityTables::accept(const QualityAcceptanceRow &row) const
{
    return written(m_connection, [&](QSqlQuery &query) -> Result<bool> {
        if (!runBound(query,
                      QStringLiteral(
                          "INSERT INTO QUALITY_ACCEPTED (Req_Num, OrigReqNum, Version, RuleId, "
                          "Words, Reason, AcceptedBy, AcceptedAt) VALUES (?, ?, ?, ?, ?, ?, ?, ?) "
                          "ON CONFLICT (Req_Num, RuleId, Words) DO UPDATE SET Reason = "
                          "excluded.Reason, AcceptedBy = excluded.AcceptedBy, AcceptedAt = "
                          "excluded.AcceptedAt"),
                      {row.number, row.firstVersion, row.version, row.rule, row.words, row.reason,
                       row.acceptedBy, row.acceptedAt}))
            return failed(query);
        return true;
    });
}

Result<bool> QualityTables::withdraw(qint32 number, const QString &rule, const QString &words) const
{
    return changed(m_connection, [&](QSqlQuery &query) -> Result<bool> {
        if (!runBound(query,
                      QStringLiteral("DELETE FROM QUALITY_ACCEPTED WHERE Req_Num = ? AND "
                                     "RuleId = ? AND Words = ?"),
                      {number, rule, words}))
            return failed(query);
        return query.numRowsAffected() > 0;
    });
}

} // namespace varn::store
