#include "store/baselinetables.h"
#include "store/storetr.h"

#include "store/boundquery.h"
#include "store/forwardrows.h"

#include "common/storedwords.h"
#include "store/savetransaction.h"
#include "store/sqldialect.h"
#include "store/transientretry.h"

#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <limits>

namespace varn::store {

namespace {

const QString kLiveCondition = QStringLiteral("(FSTType IS NULL OR FSTType <> ?)");

QString deletedWord()
{
    return QString::fromLatin1(StoredWords::kDeleted);
}

Outcome failed(const QSqlQuery &query)
{
    return statementFailure(query, Tr::tr("The baselines could not be read or written."));
}

BaselineRow baselineRow(const QSqlQuery &query)
{
    return {query.value(0).toInt(),    query.value(1).toString(), query.value(2).toString(),
            query.value(3).toString(), query.value(4).toString(), query.value(5).toInt(),
            query.value(6).toInt()};
}

const QString kBaselineSelect =
    QStringLiteral("SELECT Baseline_ID, Name, Comments, CreatedBy, CreatedAt, "
                   "(SELECT COUNT(*) FROM BASELINE_REQ r WHERE r.FK_Baseline = b.Baseline_ID), "
                   "(SELECT COUNT(*) FROM BASELINE_LINK l WHERE l.FK_Baseline = b.Baseline_ID) "
                   "FROM BASELINE b");

// Runs the reads inside one read transaction, so that a save in between
// cannot tear them apart; one the caller holds already is joined.
template <typename Reads>
auto inSnapshot(const QString &connection, Reads reads)
    -> decltype(reads(std::declval<QSqlDatabase &>()))
{
    QSqlDatabase database = QSqlDatabase::database(connection, false);
    const Backend backend = SqlDialect::of(database);
    QString begin = SqlDialect::beginSnapshot(backend);
    if (begin.isEmpty())
        begin = QStringLiteral("BEGIN");
    QSqlQuery transaction(database);
    const bool own = SaveTransaction::innermostSerial(connection) == 0;
    if (own && !transaction.exec(begin))
        return failed(transaction);
    const auto end = qScopeGuard([&] {
        if (own)
            (void)transaction.exec(QStringLiteral("ROLLBACK"));
    });
    return reads(database);
}

// The requirements of one statement and the links of another.
Result<FrozenRequirements> readFrozen(QSqlDatabase &database, const QString &requirementsSql,
                                      const QVariantList &values, const QString &linksSql,
                                      const QVariantList &linkValues)
{
    FrozenRequirements frozen;
    QSqlQuery query(database);
    if (!runBound(query, requirementsSql, values))
        return failed(query);
    while (query.next())
        frozen.requirements.append(masterRowOf(query));
    query.finish();
    if (!runBound(query, linksSql, linkValues))
        return failed(query);
    while (query.next())
        frozen.links.append({query.value(0).toInt(), query.value(1).toInt()});
    return frozen;
}

// The attributes a requirement row may hold otherwise in a baseline than
// in another or in the live requirements; its number, version and
// sentence never differ.
constexpr const char *kComparedAttributes[] = {"FSTType",  "Release", "Priority",
                                               "Category", "ParaNum", "Comments"};

// One side of a comparison as the statements read it.
struct SideOf
{
    BaselineTables::Side baseline; // nullopt: the live requirements
    qint32 lastRequirement = 0;
    qint32 lastLink = 0;
    qint32 links = 0;

    // Its requirement rows as "x" (their attributes) joined with "m" (their
    // MASTER_REQ rows), where the condition holds.
    std::pair<QString, QVariantList> rows(const QString &condition) const
    {
        if (baseline)
            return {QStringLiteral("BASELINE_REQ x JOIN MASTER_REQ m ON m.Req_Num = x.Req_Num "
                                   "WHERE x.FK_Baseline = ? AND ") +
                        condition,
                    {*baseline}};
        return {QStringLiteral("MASTER_REQ x JOIN MASTER_REQ m ON m.Req_Num = x.Req_Num "
                               "WHERE (x.FSTType IS NULL OR x.FSTType <> ?) AND ") +
                    condition,
                {deletedWord()}};
    }
    // Its links as "x" where the condition holds.
    std::pair<QString, QVariantList> links_(const QString &condition) const
    {
        if (baseline)
            return {QStringLiteral("SELECT x.FK_ReqNum, x.Dep_ReqNum FROM BASELINE_LINK x WHERE "
                                   "x.FK_Baseline = ? AND ") +
                        condition,
                    {*baseline}};
        return {QStringLiteral("SELECT x.FK_ReqNum, x.Dep_ReqNum FROM DEPENDENT_REQ x WHERE ") +
                    condition,
                {}};
    }
    // A statement that finds "y", this side's link joining x's two ends.
    std::pair<QString, QVariantList> sameLink() const
    {
        if (baseline)
            return {QStringLiteral("SELECT 1 FROM BASELINE_LINK y WHERE y.FK_Baseline = ? AND "
                                   "y.FK_ReqNum = x.FK_ReqNum AND y.Dep_ReqNum = x.Dep_ReqNum"),
                    {*baseline}};
        return {QStringLiteral("SELECT 1 FROM DEPENDENT_REQ y WHERE y.FK_ReqNum = x.FK_ReqNum "
                               "AND y.Dep_ReqNum = x.Dep_ReqNum"),
                {}};
    }
};

const QString kRequirementColumns = QStringLiteral(
    "SELECT x.Req_Num, x.FSTType, m.Source, x.Category, x.Priority, x.Release, m.Version, "
    "x.ParaNum, m.Preamble, m.ReqText, m.OrigReqNum, x.DateSaved, x.Comments FROM ");

Result<SideOf> readSide(QSqlQuery &query, const BaselineTables::Side &side)
{
    SideOf read{side};
    const bool ran =
        side ? runBound(query,
                        QStringLiteral("SELECT LastReqNum, LastDepNum, (SELECT COUNT(*) FROM "
                                       "BASELINE_LINK l WHERE l.FK_Baseline = b.Baseline_ID) FROM "
                                       "BASELINE b WHERE b.Baseline_ID = ?"),
                        {*side})
             : runBound(query,
                        QStringLiteral("SELECT (SELECT COALESCE(MAX(Req_Num), 0) FROM MASTER_REQ), "
                                       "(SELECT COALESCE(MAX(Dep_Num), 0) FROM DEPENDENT_REQ), "
                                       "(SELECT COUNT(*) FROM DEPENDENT_REQ)"),
                        {});
    if (!ran || !query.next())
        return failed(query);
    read.lastRequirement = query.value(0).toInt();
    read.lastLink = query.value(1).toInt();
    read.links = query.value(2).toInt();
    query.finish();
    return read;
}

// A requirement's identity: the number of its first version.
qint32 identityOf(const MasterReqRow &row)
{
    return row.OrigReqNum > 0 ? row.OrigReqNum : row.Req_Num;
}

const QString kIdentityOrder =
    QStringLiteral(" ORDER BY CASE WHEN m.OrigReqNum > 0 THEN m.OrigReqNum ELSE m.Req_Num END, "
                   "x.Req_Num");

// The older set's rows that the newer does not hold alike, by identity,
// each beside the newer's row of the same number (the columns after the
// thirteen of masterRowOf: its number, NULL when the newer lacks it, then
// its attributes). A row's number, version and sentence never differ, so the
// newer's row of that number is the MASTER_REQ row with its own attributes.
bool openOlderUnlike(ForwardRows &rows, const SideOf &older, const SideOf &newer)
{
    QString join;
    QVariantList joinValues;
    if (newer.baseline) {
        join = QStringLiteral(" LEFT JOIN BASELINE_REQ y ON y.FK_Baseline = ? AND "
                              "y.Req_Num = x.Req_Num");
        joinValues = {*newer.baseline};
    } else {
        join = QStringLiteral(" LEFT JOIN MASTER_REQ y ON y.Req_Num = x.Req_Num AND "
                              "(y.FSTType IS NULL OR y.FSTType <> ?)");
        joinValues = {deletedWord()};
    }
    QString alike;
    for (const char *column : kComparedAttributes)
        alike += (alike.isEmpty() ? QString() : QStringLiteral(" AND ")) +
                 QStringLiteral("y.%1 IS NOT DISTINCT FROM x.%1").arg(QLatin1String(column));
    auto [from, values] =
        older.rows(QStringLiteral("(y.Req_Num IS NULL OR NOT (") + alike + QStringLiteral("))"));
    // older.rows() begins with its table and join; the newer's row joins
    // before the conditions.
    const qsizetype where = from.indexOf(QLatin1String(" WHERE "));
    from.insert(where, join);
    return rows.open(kRequirementColumns.chopped(6) +
                         QStringLiteral(", y.Req_Num, y.FSTType, y.Category, y.Priority, "
                                        "y.Release, y.ParaNum, y.DateSaved, y.Comments FROM ") +
                         from + kIdentityOrder,
                     joinValues + values);
}

// The newer set's rows above the older's last number: its new ones.
bool openNewerRows(ForwardRows &rows, const SideOf &older, const SideOf &newer)
{
    const auto [from, values] = newer.rows(QStringLiteral("x.Req_Num > ?"));
    return rows.open(kRequirementColumns + from + kIdentityOrder,
                     values + QVariantList{older.lastRequirement});
}

// One identity's rows, from the older set's unlike rows (each with the
// newer's row of its number) and the newer's new rows, read side by side.
struct UnlikeRows
{
    ForwardRows &olderRows;
    ForwardRows &newerRows;
    std::optional<std::pair<MasterReqRow, std::optional<MasterReqRow>>> olderHead;
    std::optional<MasterReqRow> newerHead;

    void advanceOlder()
    {
        olderHead.reset();
        if (!olderRows.next())
            return;
        const QSqlQuery &row = olderRows.row();
        MasterReqRow before = masterRowOf(row);
        std::optional<MasterReqRow> after;
        if (!row.isNull(13)) {
            after = before;
            after->FSTType = row.value(14).toString();
            after->Category = row.value(15).toString();
            after->Priority = row.value(16).toInt();
            after->Release = row.value(17).toInt();
            after->ParaNum = row.value(18).toString();
            after->DateSaved = row.value(19).toString();
            after->Comments = row.value(20).toString();
        }
        olderHead.emplace(std::move(before), std::move(after));
    }
    void advanceNewer()
    {
        newerHead.reset();
        if (newerRows.next())
            newerHead = masterRowOf(newerRows.row());
    }
    bool atEnd() const { return !olderHead && !newerHead; }
    qint32 nextIdentity() const
    {
        if (!newerHead)
            return identityOf(olderHead->first);
        if (!olderHead)
            return identityOf(*newerHead);
        return std::min(identityOf(olderHead->first), identityOf(*newerHead));
    }
    // The older and newer rows of the next identity; the last of each when
    // a set holds more than one (a set holds one live version of a
    // requirement).
    std::pair<std::optional<MasterReqRow>, std::optional<MasterReqRow>> take()
    {
        const qint32 identity = nextIdentity();
        std::pair<std::optional<MasterReqRow>, std::optional<MasterReqRow>> rows;
        while (olderHead && identityOf(olderHead->first) == identity) {
            rows.first = std::move(olderHead->first);
            if (olderHead->second)
                rows.second = std::move(olderHead->second);
            advanceOlder();
        }
        while (newerHead && identityOf(*newerHead) == identity) {
            rows.second = std::move(newerHead);
            advanceNewer();
        }
        return rows;
    }
};

Outcome rowsFailed(const ForwardRows &rows)
{
    return Outcome::stop(Tr::tr("The baselines could not be read or written.") + QLatin1Char('\n') +
                         rows.lastError().text());
}

// The links of the newer set whose two ends the older lacks, or those of the
// older set the newer lost; each pair once, by parent and dependent. Links
// are never rewritten: the newer's new ones are above the older's last key,
// and the older lost some only when the newer holds fewer of the keys below
// it.
Result<bool> openLinksOnlyIn(QSqlDatabase &database, ForwardRows &rows, const SideOf &older,
                             const SideOf &newer, bool newerSide)
{
    const QString distinct = QStringLiteral("SELECT DISTINCT x.FK_ReqNum, x.Dep_ReqNum FROM");
    const QString order = QStringLiteral(" ORDER BY x.FK_ReqNum, x.Dep_ReqNum");
    if (newerSide) {
        const auto [olderLink, olderLinkValues] = older.sameLink();
        auto [added, addedValues] = newer.links_(QStringLiteral("x.Dep_Num > ? AND NOT EXISTS (") +
                                                 olderLink + QStringLiteral(")"));
        added.replace(QStringLiteral("SELECT x.FK_ReqNum, x.Dep_ReqNum FROM"), distinct);
        if (!rows.open(added + order, addedValues + QVariantList{older.lastLink} + olderLinkValues))
            return rowsFailed(rows);
        return true;
    }
    QSqlQuery query(database);
    auto [kept, keptValues] = newer.links_(QStringLiteral("x.Dep_Num <= ?"));
    kept.replace(QStringLiteral("SELECT x.FK_ReqNum, x.Dep_ReqNum FROM"),
                 QStringLiteral("SELECT COUNT(*) FROM"));
    if (!runBound(query, kept, keptValues + QVariantList{older.lastLink}) || !query.next())
        return failed(query);
    const qint32 stillHeld = query.value(0).toInt();
    query.finish();
    if (stillHeld == older.links)
        return false;
    const auto [samePair, samePairValues] = newer.sameLink();
    auto [lost, lostValues] =
        older.links_(QStringLiteral("NOT EXISTS (") + samePair + QStringLiteral(")"));
    lost.replace(QStringLiteral("SELECT x.FK_ReqNum, x.Dep_ReqNum FROM"), distinct);
    if (!rows.open(lost + order, lostValues + samePairValues))
        return rowsFailed(rows);
    return true;
}

// Both sides' unlike rows read side by side and merged by identity, then
// the links each lacks. `swapped` when `older` is the comparison's after.
Outcome streamDifferences(QSqlDatabase &database, const SideOf &older, const SideOf &newer,
                          bool swapped, const BaselineTables::RowsVisit &visitRows,
                          const BaselineTables::LinkVisit &visitLink)
{
    {
        ForwardRows olderRows(database, QStringLiteral("varn_older_rows"));
        ForwardRows newerRows(database, QStringLiteral("varn_newer_rows"));
        if (!openOlderUnlike(olderRows, older, newer))
            return rowsFailed(olderRows);
        if (!openNewerRows(newerRows, older, newer))
            return rowsFailed(newerRows);
        UnlikeRows unlike{olderRows, newerRows, std::nullopt, std::nullopt};
        unlike.advanceOlder();
        unlike.advanceNewer();
        while (!unlike.atEnd()) {
            const auto [inOlder, inNewer] = unlike.take();
            const MasterReqRow *olderRow = inOlder ? &*inOlder : nullptr;
            const MasterReqRow *newerRow = inNewer ? &*inNewer : nullptr;
            if (Outcome visited =
                    swapped ? visitRows(newerRow, olderRow) : visitRows(olderRow, newerRow);
                !visited)
                return visited;
        }
        if (olderRows.failed())
            return rowsFailed(olderRows);
        if (newerRows.failed())
            return rowsFailed(newerRows);
    }
    // Those only the comparison's before holds come first.
    for (const bool newerSide : {swapped, !swapped}) {
        ForwardRows links(database, QStringLiteral("varn_unlike_links"));
        const Result<bool> opened = openLinksOnlyIn(database, links, older, newer, newerSide);
        if (!opened)
            return opened.outcome();
        if (!opened.value())
            continue;
        while (links.next()) {
            if (Outcome visited = visitLink(newerSide != swapped, links.row().value(0).toInt(),
                                            links.row().value(1).toInt());
                !visited)
                return visited;
        }
        if (links.failed())
            return rowsFailed(links);
    }
    return Outcome::ok();
}

} // namespace

Result<BaselineRow> BaselineTables::create(const QString &name, const QString &comments,
                                           const QString &createdBy, const QString &createdAt) const
{
    return TransientRetry::run([&]() -> Result<BaselineRow> {
        SaveTransaction transaction(m_connection);
        if (Outcome begun = transaction.begin(); !begun)
            return begun;
        QSqlDatabase database = QSqlDatabase::database(m_connection, false);
        QSqlQuery query(database);
        // One creator at a time hands out the next key.
        const QString lock =
            SqlDialect::exclusiveLock(SqlDialect::of(database), SqlDialect::LockScope::Transaction,
                                      SqlDialect::LockName::Schema);
        if (!lock.isEmpty() && !runBound(query, lock, {}))
            return failed(query);
        if (!runBound(query, QStringLiteral("SELECT COUNT(*) FROM BASELINE WHERE Name = ?"),
                      {name}))
            return failed(query);
        if (query.next() && query.value(0).toInt() > 0)
            return Outcome::warning(Tr::tr("A baseline named \"%1\" already exists.").arg(name));
        if (!runBound(query,
                      QStringLiteral("SELECT COALESCE(MAX(Baseline_ID), 0) + 1 FROM BASELINE"),
                      {}) ||
            !query.next())
            return failed(query);
        BaselineRow row{query.value(0).toInt(), name, comments, createdBy, createdAt, 0, 0};
        query.finish();
        // The last keys this baseline saw: what comes later is above them.
        if (!runBound(query,
                      QStringLiteral("SELECT (SELECT COALESCE(MAX(Req_Num), 0) FROM MASTER_REQ), "
                                     "(SELECT COALESCE(MAX(Dep_Num), 0) FROM DEPENDENT_REQ)"),
                      {}) ||
            !query.next())
            return failed(query);
        const qint32 lastRequirement = query.value(0).toInt();
        const qint32 lastLink = query.value(1).toInt();
        query.finish();
        if (!runBound(
                query,
                QStringLiteral("INSERT INTO BASELINE (Baseline_ID, Name, Comments, CreatedBy, "
                               "CreatedAt, LastReqNum, LastDepNum) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                {row.id, name, comments, createdBy, createdAt, lastRequirement, lastLink}))
            return failed(query);
        if (!runBound(
                query,
                QStringLiteral("INSERT INTO BASELINE_REQ (FK_Baseline, Req_Num, FSTType, "
                               "Category, Priority, Release, ParaNum, DateSaved, Comments) "
                               "SELECT CAST(? AS INTEGER), Req_Num, FSTType, Category, Priority, "
                               "Release, ParaNum, DateSaved, Comments FROM MASTER_REQ WHERE ") +
                    kLiveCondition,
                {row.id, deletedWord()}))
            return failed(query);
        row.requirements = query.numRowsAffected();
        // In the index's order, which builds it the fastest.
        if (!runBound(
                query,
                QStringLiteral("INSERT INTO BASELINE_LINK (FK_Baseline, FK_ReqNum, Dep_ReqNum, "
                               "Dep_Num) SELECT CAST(? AS INTEGER), FK_ReqNum, Dep_ReqNum, Dep_Num "
                               "FROM DEPENDENT_REQ ORDER BY FK_ReqNum, Dep_ReqNum, Dep_Num"),
                {row.id}))
            return failed(query);
        row.links = query.numRowsAffected();
        if (Outcome committed = transaction.commit(); !committed)
            return committed;
        return row;
    });
}

Result<QList<BaselineRow>> BaselineTables::list() const
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (!runBound(query, kBaselineSelect + QStringLiteral(" ORDER BY Baseline_ID"), {}))
        return failed(query);
    QList<BaselineRow> rows;
    while (query.next())
        rows.append(baselineRow(query));
    return rows;
}

Result<std::optional<BaselineRow>> BaselineTables::find(const QString &name) const
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (!runBound(query, kBaselineSelect + QStringLiteral(" WHERE Name = ?"), {name}))
        return failed(query);
    if (!query.next())
        return std::optional<BaselineRow>();
    return std::optional<BaselineRow>(baselineRow(query));
}

Result<bool> BaselineTables::remove(const QString &name) const
{
    return TransientRetry::run([&]() -> Result<bool> {
        SaveTransaction transaction(m_connection);
        if (Outcome begun = transaction.begin(); !begun)
            return begun;
        QSqlQuery query(QSqlDatabase::database(m_connection, false));
        if (!runBound(query, QStringLiteral("SELECT Baseline_ID FROM BASELINE WHERE Name = ?"),
                      {name}))
            return failed(query);
        if (!query.next())
            return false;
        const qint32 id = query.value(0).toInt();
        query.finish();
        for (const char *statement : {"DELETE FROM BASELINE_LINK WHERE FK_Baseline = ?",
                                      "DELETE FROM BASELINE_REQ WHERE FK_Baseline = ?",
                                      "DELETE FROM BASELINE WHERE Baseline_ID = ?"}) {
            if (!runBound(query, QString::fromLatin1(statement), {id}))
                return failed(query);
        }
        if (Outcome committed = transaction.commit(); !committed)
            return committed;
        return true;
    });
}

Result<FrozenRequirements> BaselineTables::frozen(qint32 baselineId) const
{
    return inSnapshot(m_connection, [&](QSqlDatabase &database) {
        return readFrozen(
            database,
            QStringLiteral(
                "SELECT m.Req_Num, b.FSTType, m.Source, b.Category, b.Priority, b.Release, "
                "m.Version, b.ParaNum, m.Preamble, m.ReqText, m.OrigReqNum, b.DateSaved, "
                "b.Comments FROM BASELINE_REQ b JOIN MASTER_REQ m ON m.Req_Num = b.Req_Num "
                "WHERE b.FK_Baseline = ? ORDER BY m.Req_Num"),
            {baselineId},
            QStringLiteral("SELECT FK_ReqNum, Dep_ReqNum FROM BASELINE_LINK WHERE FK_Baseline = ?"),
            {baselineId});
    });
}

Result<FrozenRequirements> BaselineTables::live() const
{
    return inSnapshot(m_connection, [&](QSqlDatabase &database) {
        return readFrozen(
            database,
            QStringLiteral("SELECT Req_Num, FSTType, Source, Category, Priority, Release, Version, "
                           "ParaNum, Preamble, ReqText, OrigReqNum, DateSaved, Comments "
                           "FROM MASTER_REQ WHERE ") +
                kLiveCondition + QStringLiteral(" ORDER BY Req_Num"),
            {deletedWord()}, QStringLiteral("SELECT FK_ReqNum, Dep_ReqNum FROM DEPENDENT_REQ"), {});
    });
}

Outcome BaselineTables::forEachDifference(Side before, Side after, const RowsVisit &requirement,
                                          const LinkVisit &link) const
{
    return inSnapshot(m_connection, [&](QSqlDatabase &database) -> Outcome {
        QSqlQuery query(database);
        Result<SideOf> first = readSide(query, before);
        if (!first)
            return first.outcome();
        Result<SideOf> second = readSide(query, after);
        if (!second)
            return second.outcome();
        const auto age = [](const Side &side) {
            return side ? qint64(*side) : std::numeric_limits<qint64>::max();
        };
        if (age(before) <= age(after))
            return streamDifferences(database, first.value(), second.value(), false, requirement,
                                     link);
        return streamDifferences(database, second.value(), first.value(), true, requirement, link);
    });
}

} // namespace varn::store
