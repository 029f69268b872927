#include "store/requirementlisting.h"
#include "store/storetr.h"

#include "store/bestwordmatches.h"
#include "store/creqmsset.h"
#include "store/rowstatement.h"
#include "store/sqldialect.h"
#include "store/storemessages.h"
#include "store/wordsearch.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtEndian>
#include <functional>
#include <tuple>

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

namespace varn::store {

namespace {

constexpr char kCannotOpenSet[] =
    QT_TRANSLATE_NOOP("varn::store", "Cannot open ReqMsSet recordset.\n");

QString errorText(const QSqlError &error)
{
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

constexpr char kNoWordIndex[] = QT_TRANSLATE_NOOP(
    "varn::store", "The workspace's database has no index of its words yet: it gets one when the "
                   "workspace is opened where its database can be written.");

// The bound match expression of a ByText selection, for the backend's index.
QVariant wordMatch(Backend backend, const QString &text)
{
    const QList<SearchTerm> terms = WordSearch::terms(text);
    return backend == Backend::PostgreSQL ? WordSearch::tsQuery(terms)
                                          : WordSearch::ftsMatch(terms);
}

// The numbers of the requirements whose words match the bound expression.
QString wordMatches(Backend backend)
{
    return backend == Backend::PostgreSQL
               ? QStringLiteral("SELECT Req_Num FROM REQ_WORDS WHERE Words @@ "
                                "to_tsquery('simple', ?)")
               : QStringLiteral("SELECT rowid FROM REQ_WORDS WHERE REQ_WORDS MATCH ?");
}

// The numbers a ByText selection lists, from the index alone: it holds every
// requirement but the deleted ones, and the list leaves out those without a
// kind too (as every other selection does, in every order), which the kind's
// own index finds at once. Read in number order, the index gives the first
// numbers without looking at the rest.
QString wordListed(Backend backend)
{
    return backend == Backend::PostgreSQL
               ? wordMatches(backend) + QStringLiteral(" AND Req_Num <> ALL(ARRAY(SELECT Req_Num "
                                                       "FROM MASTER_REQ WHERE FSTType IS NULL))")
               : wordMatches(backend) + QStringLiteral(" AND rowid NOT IN (SELECT Req_Num FROM "
                                                       "MASTER_REQ WHERE FSTType IS NULL)");
}

// The WHERE text of a selection (without the word) and its bound values.
// With steered set (SQLite, an order other than the selection's own column),
// the kind's and the template's terms are written so that SQLite cannot look
// them up through an index ("+column"): it then reads the order's index from
// end to end instead of finding the rows first and sorting them all.
std::pair<QString, QVariantList> condition(const RequirementSelection &selection, Backend backend,
                                           bool steered = false)
{
    using Kind = RequirementSelection::Kind;
    const QString deleted = QString::fromLatin1(messages::kDeletedKind);
    const QString unindexed = steered ? QStringLiteral("+") : QString();
    switch (selection.kind) {
    case Kind::Live:
        break;
    case Kind::OfType:
        return {unindexed + QStringLiteral("FSTType = ?"), {selection.text}};
    case Kind::ByTemplate:
        return {QStringLiteral("(%1Source = ?) AND (FSTType NOT LIKE ?)").arg(unindexed),
                {selection.number, deleted}};
    case Kind::ByNumber:
        // The number is matched as its decimal text, so "1%" finds 1, 10 to
        // 19, 100 to 199 and so on.
        return {QStringLiteral("CAST(Req_Num AS VARCHAR(11)) LIKE ?"), {selection.text}};
    case Kind::ByParagraph:
        return {QStringLiteral("(ParaNum LIKE ?) AND (FSTType NOT LIKE ?)"),
                {selection.text, deleted}};
    case Kind::ByEntity:
        // One list of the numbers the matching names belong to, functional
        // or structural, read through the names' index.
        return {QStringLiteral("(Req_Num IN (SELECT FK_FReqNum FROM REQ_ENTITY WHERE ReqEntity "
                               "LIKE ? UNION ALL SELECT FK_SReqNum FROM REQ_ENTITY WHERE "
                               "ReqEntity LIKE ?)) AND (FSTType NOT LIKE ?)"),
                {selection.text, selection.text, deleted}};
    case Kind::Requirement:
        return {QStringLiteral("Req_Num = ?"), {selection.number}};
    case Kind::VersionsOf:
        return {QStringLiteral("OrigReqNum = ?"), {selection.number}};
    case Kind::Suspect:
        // Either end of a link not yet reviewed, or the version that
        // replaced one of them in the change that made it suspect.
        return {QStringLiteral("(FSTType NOT LIKE ?) AND (Req_Num IN (SELECT FK_ReqNum FROM "
                               "SUSPECT_LINK WHERE ClearedAt IS NULL) OR Req_Num IN (SELECT "
                               "Dep_ReqNum FROM SUSPECT_LINK WHERE ClearedAt IS NULL) OR Req_Num "
                               "IN (SELECT New_ReqNum FROM SUSPECT_LINK WHERE ClearedAt IS NULL))"),
                {deleted}};
    case Kind::ByText:
        return {QStringLiteral("(FSTType NOT LIKE ?) AND (Req_Num IN (") + wordMatches(backend) +
                    QStringLiteral("))"),
                {deleted, wordMatch(backend, selection.text)}};
    }
    return {QStringLiteral("FSTType NOT LIKE ?"), {deleted}};
}

// The WHERE text of a selection on the server, and its bound values. A live
// requirement is told by the same term as the server's partial indexes of
// the list orders (data/extensions/serverorders.postgresql.sql) are, so that
// the planner can read them; the patterns are matched lower-cased, which the
// pattern indexes hold, rather than through ILIKE, which no index serves.
std::pair<QString, QVariantList> serverCondition(const RequirementSelection &selection)
{
    using Kind = RequirementSelection::Kind;
    const QString live = QStringLiteral("lower(FSTType) <> 'deleted'");
    switch (selection.kind) {
    case Kind::Live:
        break;
    case Kind::OfType:
        // The kind is never the deleted one, but saying so, and comparing
        // it as the kind's index does, lets the planner read the live
        // rows' indexes alone.
        return {QStringLiteral("(FSTType COLLATE \"C\" = ?) AND (%1)").arg(live), {selection.text}};
    case Kind::ByTemplate:
        return {QStringLiteral("(Source = ?) AND (%1)").arg(live), {selection.number}};
    case Kind::ByNumber:
        // Digits have no case: a plain LIKE matches as ILIKE would.
        return {QStringLiteral("CAST(Req_Num AS TEXT) LIKE ?"), {selection.text}};
    case Kind::ByParagraph:
        return {QStringLiteral("(lower(ParaNum) LIKE lower(?)) AND (%1)").arg(live),
                {selection.text}};
    case Kind::ByEntity:
        // The numbers the matching names belong to, gathered first and then
        // looked up in number order: a join planned on a guess of how many
        // there are probed them one by one in any order.
        return {QStringLiteral("(Req_Num = ANY(ARRAY(SELECT FK_FReqNum FROM REQ_ENTITY WHERE "
                               "lower(ReqEntity) LIKE lower(?) UNION ALL SELECT FK_SReqNum FROM "
                               "REQ_ENTITY WHERE lower(ReqEntity) LIKE lower(?)))) AND (%1)")
                    .arg(live),
                {selection.text, selection.text}};
    case Kind::Requirement:
        return {QStringLiteral("Req_Num = ?"), {selection.number}};
    case Kind::VersionsOf:
        return {QStringLiteral("OrigReqNum = ?"), {selection.number}};
    case Kind::Suspect:
        // One list of the links' ends, looked up by number, rather than
        // three lists each probed for every row.
        return {QStringLiteral("(%1) AND (Req_Num IN (SELECT FK_ReqNum FROM SUSPECT_LINK WHERE "
                               "ClearedAt IS NULL UNION SELECT Dep_ReqNum FROM SUSPECT_LINK "
                               "WHERE ClearedAt IS NULL UNION SELECT New_ReqNum FROM "
                               "SUSPECT_LINK WHERE ClearedAt IS NULL))")
                    .arg(live),
                {}};
    case Kind::ByText:
        return {QStringLiteral("(%1) AND (Req_Num IN (").arg(live) +
                    wordMatches(Backend::PostgreSQL) + QStringLiteral("))"),
                {wordMatch(Backend::PostgreSQL, selection.text)}};
    }
    return {live, {}};
}

// The column each order sorts by, in the order of RequirementOrder.
constexpr const char *kOrderColumns[] = {
    "Req_Num", "FSTType", "Source",     "Category",  "Priority", "Release", "Version",
    "ParaNum", "ReqText", "OrigReqNum", "DateSaved", "Comments", "Req_Num",
};
static_assert(std::size(kOrderColumns) == std::size_t(RequirementOrder::Relevance) + 1);

// The value an order sorts by, as the order's index holds it.
QString orderValue(RequirementOrder order)
{
    // The list shows the preamble before the text, so the sentence is the
    // order a reader expects.
    return order == RequirementOrder::Sentence
               ? QStringLiteral("COALESCE(Preamble, '') || ' ' || COALESCE(ReqText, '')")
               : QString::fromLatin1(kOrderColumns[int(order)]);
}

// The value an order sorts by on the server. Text is compared byte by byte
// ("C"), as SQLite compares it, whatever the database's own collation; the
// server's order indexes are built so, and put the empty values (NULL) first
// going up and last going down, as SQLite does.
QString serverOrderValue(RequirementOrder order)
{
    switch (order) {
    case RequirementOrder::Type:
    case RequirementOrder::Category:
    case RequirementOrder::Paragraph:
    case RequirementOrder::DateSaved:
    case RequirementOrder::Comments:
        return QString::fromLatin1(kOrderColumns[int(order)]) + QStringLiteral(" COLLATE \"C\"");
    case RequirementOrder::Sentence:
        return QStringLiteral("(COALESCE(Preamble, '') || ' ' || COALESCE(ReqText, '')) COLLATE "
                              "\"C\"");
    default:
        return QString::fromLatin1(kOrderColumns[int(order)]);
    }
}

// The whole ORDER BY of a listing on the server, ending in the number so
// that equal values keep number order both ways.
QString serverOrderBy(RequirementOrder order, bool ascending)
{
    if (order == RequirementOrder::Number || order == RequirementOrder::Relevance)
        return QStringLiteral("Req_Num ") +
               (ascending ? QLatin1String("ASC") : QLatin1String("DESC"));
    return ascending ? serverOrderValue(order) + QStringLiteral(" NULLS FIRST, Req_Num")
                     : serverOrderValue(order) + QStringLiteral(" DESC NULLS LAST, Req_Num");
}

QString orderBy(RequirementOrder order, bool ascending)
{
    QString sql = orderValue(order);
    sql += ascending ? QStringLiteral(" ASC") : QStringLiteral(" DESC");
    // Req_Num last keeps equal sort values in a stable order.
    if (order != RequirementOrder::Number && order != RequirementOrder::Relevance)
        sql += QStringLiteral(", Req_Num");
    return sql;
}

// Whether an order is the column the selection's own term looks up, so that
// finding the rows through that term yields them in order as well.
bool ordersBySelection(const RequirementSelection &selection, RequirementOrder order)
{
    using Kind = RequirementSelection::Kind;
    return order == RequirementOrder::Number ||
           (selection.kind == Kind::OfType && order == RequirementOrder::Type) ||
           (selection.kind == Kind::ByTemplate && order == RequirementOrder::Source);
}

// The condition with its test of the kind written out in the text: SQLite
// reads an index that holds live rows only (liveorders.sqlite.sql) when the
// query tests the kind as the index's own condition does, word for word, and
// a bound value is not taken for that word. The word is the program's own.
std::pair<QString, QVariantList> kindWrittenOut(const QString &where, const QVariantList &values)
{
    const QString bound = QStringLiteral("FSTType NOT LIKE ?");
    const QString deleted = QString::fromLatin1(messages::kDeletedKind);
    Q_ASSERT(!deleted.contains(QLatin1Char('\'')));
    QString written;
    QVariantList kept;
    qsizetype parameter = 0;
    for (qsizetype at = 0; at < where.size(); ++at) {
        if (where.at(at) != QLatin1Char('?')) {
            written += where.at(at);
            continue;
        }
        const bool kindTest = parameter < values.size() &&
                              values.at(parameter).toString() == deleted &&
                              QStringView(where).first(at + 1).endsWith(bound);
        if (kindTest)
            written += QLatin1Char('\'') + deleted + QLatin1Char('\'');
        else {
            written += QLatin1Char('?');
            if (parameter < values.size())
                kept.append(values.at(parameter));
        }
        ++parameter;
    }
    return {written, kept};
}

// The ranges of the numbers whose decimal text a By Number pattern matches,
// for a pattern of digits ("123") or of digits and one final wildcard
// ("12%"), lowest first; nullopt for any other pattern, which is matched as
// text. "1%" is 1, 10 to 19, 100 to 199 and so on up to the largest number.
std::optional<QList<std::pair<qint32, qint32>>> numberRanges(const QString &pattern)
{
    constexpr qint64 kLargest = std::numeric_limits<qint32>::max();
    QString digits = pattern;
    const bool prefix = digits.endsWith(QLatin1Char('%'));
    if (prefix)
        digits.chop(1);
    if (digits.isEmpty() || digits.size() > 10 ||
        !std::all_of(digits.cbegin(), digits.cend(),
                     [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }))
        return std::nullopt;
    QList<std::pair<qint32, qint32>> ranges;
    // No number's text begins with a zero but that of 0 itself.
    if (digits.startsWith(QLatin1Char('0'))) {
        if (digits.size() == 1)
            ranges.append({0, 0});
        return ranges;
    }
    const qint64 first = digits.toLongLong();
    if (!prefix) {
        if (first <= kLargest)
            ranges.append({qint32(first), qint32(first)});
        return ranges;
    }
    for (qint64 low = first, high = first; low <= kLargest; low *= 10, high = high * 10 + 9)
        ranges.append({qint32(low), qint32(std::min(high, kLargest))});
    return ranges;
}

// The numbers of a By Number pattern in number order, each range read
// through the numbers' index and the ranges merged: a prefix reads the
// numbers it matches instead of the text of every number there is.
Result<QList<qint32>> numbersInRanges(const QSqlDatabase &database,
                                      const QList<std::pair<qint32, qint32>> &ranges,
                                      bool ascending,
                                      const std::function<Outcome(const QString &)> &failure)
{
    QList<qint32> numbers;
    if (ranges.isEmpty())
        return numbers;
    QStringList selects;
    for (qsizetype i = 0; i < ranges.size(); ++i)
        selects.append(
            QStringLiteral("SELECT Req_Num FROM MASTER_REQ WHERE Req_Num BETWEEN ? AND ?"));
    RowStatement select(database,
                        selects.join(QStringLiteral(" UNION ALL ")) + QStringLiteral(" ORDER BY 1"),
                        RowStatement::Route::Direct);
    if (!select.isPrepared())
        return failure(errorText(select.lastError()));
    for (const auto &[low, high] : ranges) {
        select.add(low);
        select.add(high);
    }
    if (!select.exec())
        return failure(errorText(select.lastError()));
    while (select.next())
        numbers.append(select.intValue(0));
    if (select.lastError().isValid())
        return failure(errorText(select.lastError()));
    if (!ascending)
        std::reverse(numbers.begin(), numbers.end());
    return numbers;
}

// SQLite reads the numbers in ascending order through the order's index
// (data/extensions/listorders.sql), straight from the connection's handle:
// a million numbers cost a pass over one index. A descending list is the
// same read backwards run by run, so that equal values keep number order.
Result<QList<qint32>> numbersThroughIndex(const QSqlDatabase &database,
                                          const RequirementSelection &selection,
                                          RequirementOrder order, bool ascending,
                                          const std::function<Outcome(const QString &)> &failure)
{
    const bool byNumber = order == RequirementOrder::Number;
    if (byNumber && selection.kind == RequirementSelection::Kind::ByNumber) {
        if (const auto ranges = numberRanges(selection.text))
            return numbersInRanges(database, *ranges, ascending, failure);
    }
    const auto [bound, boundValues] =
        condition(selection, Backend::SQLite, !ordersBySelection(selection, order));
    const auto [where, values] = kindWrittenOut(bound, boundValues);
    // Only a descending list needs the values, to find where each run ends.
    const bool runs = !ascending && !byNumber;
    const QString sql =
        (runs ? QStringLiteral("SELECT Req_Num, %1 FROM MASTER_REQ WHERE (").arg(orderValue(order))
              : QStringLiteral("SELECT Req_Num FROM MASTER_REQ WHERE (")) +
        where + QStringLiteral(") ORDER BY ") + orderBy(order, true);
    RowStatement select(database, sql, RowStatement::Route::Direct);
    if (!select.isPrepared())
        return failure(errorText(select.lastError()));
    select.addAll(values);
    if (!select.exec())
        return failure(errorText(select.lastError()));
    QList<qint32> numbers;
    std::vector<qsizetype> runStarts; // where a new sort value begins
    while (select.next()) {
        if (runs && !select.sameAsBefore(1))
            runStarts.push_back(numbers.size());
        numbers.append(select.intValue(0));
    }
    if (select.lastError().isValid())
        return failure(errorText(select.lastError()));
    if (ascending)
        return numbers;
    if (byNumber) {
        std::reverse(numbers.begin(), numbers.end());
        return numbers;
    }
    QList<qint32> descending;
    descending.reserve(numbers.size());
    qsizetype end = numbers.size();
    for (auto start = runStarts.rbegin(); start != runStarts.rend(); ++start) {
        descending.append(numbers.cbegin() + *start, numbers.cbegin() + end);
        end = *start;
    }
    return descending;
}

// The server reads the numbers through the order's index, up or down
// (data/extensions/serverorders.postgresql.sql), and sends them packed, four
// bytes each in one value, rather than a row each: the rows' own cost on
// both sides was most of a long list's time.
Result<QList<qint32>> numbersOnServer(const QSqlDatabase &database,
                                      const RequirementSelection &selection, RequirementOrder order,
                                      bool ascending,
                                      const std::function<Outcome(const QString &)> &failure)
{
    const auto [where, values] = serverCondition(selection);
    const QString orderBy = serverOrderBy(order, ascending);
    // OFFSET 0 keeps the listing a query of its own, whose rows the packing
    // reads in the listing's order.
    const QString sql = QStringLiteral("SELECT string_agg(int4send(Req_Num), ''::bytea) FROM "
                                       "(SELECT Req_Num FROM MASTER_REQ WHERE (%1) ORDER BY %2 "
                                       "OFFSET 0) AS Listed")
                            .arg(where, orderBy);
    QSqlQuery select(database);
    select.setForwardOnly(true);
    if (!select.prepare(sql))
        return failure(errorText(select.lastError()));
    for (const QVariant &bound : values)
        select.addBindValue(bound);
    if (!select.exec() || !select.next())
        return failure(errorText(select.lastError()));
    const QByteArray packed = select.value(0).toByteArray();
    QList<qint32> numbers;
    numbers.reserve(packed.size() / qsizetype(sizeof(qint32)));
    for (qsizetype at = 0; at + qsizetype(sizeof(qint32)) <= packed.size(); at += sizeof(qint32))
        numbers.append(qFromBigEndian<qint32>(packed.constData() + at));
    return numbers;
}

// The first numbers of a descending order on SQLite for a selection read
// along the order's index, one run of equal values at a time from the top:
// the largest value, then its numbers upwards, then the next value below it.
// ORDER BY value DESC, Req_Num would sort the whole of the top run first (a
// category shared by half the list) to give its lowest numbers.
Result<QList<qint32>> firstNumbersByRuns(const QSqlDatabase &database, const QString &where,
                                         const QVariantList &values, RequirementOrder order,
                                         int rows,
                                         const std::function<Outcome(const QString &)> &failure)
{
    const QString value = orderValue(order);
    const QString from = QStringLiteral(" FROM MASTER_REQ WHERE (%1)").arg(where);
    RowStatement top(database,
                     QStringLiteral("SELECT %1").arg(value) + from +
                         QStringLiteral(" ORDER BY %1 DESC LIMIT 1").arg(value),
                     RowStatement::Route::Direct);
    RowStatement below(database,
                       QStringLiteral("SELECT %1").arg(value) + from +
                           QStringLiteral(" AND %1 < ? ORDER BY %1 DESC LIMIT 1").arg(value),
                       RowStatement::Route::Direct);
    RowStatement run(database,
                     QStringLiteral("SELECT Req_Num") + from +
                         QStringLiteral(" AND %1 = ? ORDER BY Req_Num LIMIT ?").arg(value),
                     RowStatement::Route::Direct);
    // Empty values come last going down.
    RowStatement empty(database,
                       QStringLiteral("SELECT Req_Num") + from +
                           QStringLiteral(" AND %1 IS NULL ORDER BY Req_Num LIMIT ?").arg(value),
                       RowStatement::Route::Direct);
    for (RowStatement *statement : {&top, &below, &run, &empty}) {
        if (!statement->isPrepared())
            return failure(errorText(statement->lastError()));
    }
    QList<qint32> numbers;
    const auto readNumbers = [&](RowStatement &statement) {
        if (!statement.exec())
            return false;
        while (statement.next())
            numbers.append(statement.intValue(0));
        return !statement.lastError().isValid();
    };
    RowStatement *next = &top;
    std::optional<QString> current;
    while (numbers.size() < rows) {
        next->addAll(values);
        if (current)
            next->add(*current);
        if (!next->exec())
            return failure(errorText(next->lastError()));
        const bool found = next->next() && !next->isNull(0);
        if (next->lastError().isValid())
            return failure(errorText(next->lastError()));
        if (!found)
            break;
        current = next->textValue(0);
        next->finish();
        run.addAll(values);
        run.add(*current);
        run.add(qint32(rows - numbers.size()));
        if (!readNumbers(run))
            return failure(errorText(run.lastError()));
        next = &below;
    }
    if (numbers.size() < rows) {
        empty.addAll(values);
        empty.add(qint32(rows - numbers.size()));
        if (!readNumbers(empty))
            return failure(errorText(empty.lastError()));
    }
    return numbers;
}

// The numbers a statement selects in its first column, at most `rows` of
// them expected; on SQLite through the connection's own handle.
Result<QList<qint32>> numbersOf(const QSqlDatabase &database, const QString &sql,
                                const QVariantList &values, int rows,
                                const std::function<Outcome(const QString &)> &failure)
{
    RowStatement select(database, sql,
                        SqlDialect::of(database) == Backend::SQLite ? RowStatement::Route::Direct
                                                                    : RowStatement::Route::Qt);
    if (!select.isPrepared())
        return failure(errorText(select.lastError()));
    select.addAll(values);
    if (!select.exec())
        return failure(errorText(select.lastError()));
    QList<qint32> numbers;
    numbers.reserve(rows);
    while (select.next())
        numbers.append(select.intValue(0));
    if (select.lastError().isValid())
        return failure(errorText(select.lastError()));
    return numbers;
}

// The first numbers of a listing through the order's index, read as far
// as they go and no further: the same order as numbersThroughIndex() and
// numbersOnServer() give (equal values in number order both ways). SQLite
// reads a descending order's index backwards and puts each run of equal
// values in number order as it goes.
Result<QList<qint32>> firstNumbers(const QSqlDatabase &database,
                                   const RequirementSelection &selection, RequirementOrder order,
                                   bool ascending, int rows,
                                   const std::function<Outcome(const QString &)> &failure)
{
    const Backend backend = SqlDialect::of(database);
    QString sql;
    QVariantList values;
    if (backend == Backend::SQLite) {
        const auto [bound, boundValues] =
            condition(selection, Backend::SQLite, !ordersBySelection(selection, order));
        const auto [where, writtenOut] = kindWrittenOut(bound, boundValues);
        values = writtenOut;
        // The selections read along the order's index itself.
        using Kind = RequirementSelection::Kind;
        const bool alongIndex = selection.kind == Kind::Live || selection.kind == Kind::OfType ||
                                selection.kind == Kind::ByTemplate;
        if (!ascending && order != RequirementOrder::Number && alongIndex)
            return firstNumbersByRuns(database, where, values, order, rows, failure);
        const QLatin1String direction = ascending ? QLatin1String("ASC") : QLatin1String("DESC");
        sql = QStringLiteral("SELECT Req_Num FROM MASTER_REQ WHERE (") + where +
              QStringLiteral(") ORDER BY ") +
              (order == RequirementOrder::Number
                   ? QStringLiteral("Req_Num %1").arg(direction)
                   : QStringLiteral("%1 %2, Req_Num").arg(orderValue(order), direction)) +
              QStringLiteral(" LIMIT ?");
    } else {
        const auto [where, serverValues] = serverCondition(selection);
        values = serverValues;
        sql = QStringLiteral("SELECT Req_Num FROM MASTER_REQ WHERE (%1) ORDER BY %2 LIMIT ?")
                  .arg(where, serverOrderBy(order, ascending));
    }
    values.append(rows);
    return numbersOf(database, sql, values, rows, failure);
}

// One block of a listing read on from a key through the order's index, on
// either backend. The list's order is its sort value up or down, equal
// values in number order both ways, empty values first going up and last
// going down; read backwards, all of it reversed. The block is read a piece
// at a time, each an index range of its own: the rest of the key's run of
// equal values, then the values past it, then the empty values, so that no
// piece scans a run it does not list.
class BlockRead
{
public:
    BlockRead(const QSqlDatabase &database, const RequirementSelection &selection,
              RequirementOrder order, bool ascending, bool backwards,
              std::function<Outcome(const QString &)> failure)
        : m_database(database), m_backend(SqlDialect::of(database)),
          m_valueUp(ascending != backwards), m_numberUp(!backwards), m_failure(std::move(failure))
    {
        if (m_backend == Backend::SQLite) {
            const auto [bound, boundValues] =
                condition(selection, Backend::SQLite, !ordersBySelection(selection, order));
            std::tie(m_where, m_values) = kindWrittenOut(bound, boundValues);
            m_value = orderValue(order);
        } else {
            std::tie(m_where, m_values) = serverCondition(selection);
            m_value = serverOrderValue(order);
        }
        if (order == RequirementOrder::Number || order == RequirementOrder::Relevance) {
            m_byNumber = true;
            m_numberUp = m_valueUp;
        }
    }

    Result<ListingBlock> read(const std::optional<ListingKey> &after, int rows)
    {
        m_rows = rows;
        m_block.last = after.value_or(ListingKey{});
        if (rows <= 0)
            return m_block;
        Outcome read = Outcome::ok();
        if (m_byNumber) {
            read = numbers(after ? std::optional<qint32>(after->number) : std::nullopt);
        } else if (m_valueUp) {
            // Empty values first.
            if (!after || after->null)
                read =
                    run(std::nullopt, after ? std::optional<qint32>(after->number) : std::nullopt);
            else
                read = run(after->value, after->number);
            if (read && missing() > 0)
                read = values(after && !after->null ? std::optional<QString>(after->value)
                                                    : std::nullopt);
        } else if (after && after->null) {
            read = run(std::nullopt, after->number);
        } else {
            if (after)
                read = run(after->value, after->number);
            if (read && missing() > 0)
                read = values(after ? std::optional<QString>(after->value) : std::nullopt);
            // Empty values last.
            if (read && missing() > 0)
                read = run(std::nullopt, std::nullopt);
        }
        if (!read)
            return read;
        m_block.ended = m_block.numbers.size() < rows;
        return std::move(m_block);
    }

private:
    int missing() const { return m_rows - int(m_block.numbers.size()); }
    static QLatin1String direction(bool up)
    {
        return up ? QLatin1String("ASC") : QLatin1String("DESC");
    }
    QString from() const { return QStringLiteral(" FROM MASTER_REQ WHERE (%1)").arg(m_where); }

    // Runs a statement of the condition's values, then `extra` and the
    // limit; each row to `take`.
    Outcome select(const QString &sql, const QVariantList &extra,
                   const std::function<void(RowStatement &)> &take)
    {
        RowStatement statement(m_database, sql,
                               m_backend == Backend::SQLite ? RowStatement::Route::Direct
                                                            : RowStatement::Route::Qt);
        if (!statement.isPrepared())
            return m_failure(errorText(statement.lastError()));
        statement.addAll(m_values);
        statement.addAll(extra);
        statement.add(qint32(missing()));
        if (!statement.exec())
            return m_failure(errorText(statement.lastError()));
        while (statement.next())
            take(statement);
        if (statement.lastError().isValid())
            return m_failure(errorText(statement.lastError()));
        return Outcome::ok();
    }

    // The numbers a statement selects, in its order. The server sends them
    // packed in one value, four bytes each, as numbersOnServer() reads them:
    // a row each cost more than the read itself.
    Result<QList<qint32>> selectNumbers(const QString &sql, const QVariantList &extra)
    {
        QList<qint32> numbers;
        if (m_backend == Backend::SQLite) {
            Outcome selected =
                select(sql, extra, [&](RowStatement &row) { numbers.append(row.intValue(0)); });
            if (!selected)
                return selected;
            return numbers;
        }
        QSqlQuery select(m_database);
        select.setForwardOnly(true);
        if (!select.prepare(QStringLiteral("SELECT string_agg(int4send(Req_Num), ''::bytea) FROM "
                                           "(%1) AS Block")
                                .arg(sql)))
            return m_failure(errorText(select.lastError()));
        for (const QVariant &value : m_values)
            select.addBindValue(value);
        for (const QVariant &value : extra)
            select.addBindValue(value);
        select.addBindValue(qint32(missing()));
        if (!select.exec() || !select.next())
            return m_failure(errorText(select.lastError()));
        const QByteArray packed = select.value(0).toByteArray();
        numbers.reserve(packed.size() / qsizetype(sizeof(qint32)));
        for (qsizetype at = 0; at + qsizetype(sizeof(qint32)) <= packed.size();
             at += sizeof(qint32))
            numbers.append(qFromBigEndian<qint32>(packed.constData() + at));
        return numbers;
    }

    // The numbers the conditions select, in number order from past a
    // number or from the start.
    Result<QList<qint32>> inNumberOrder(QString sql, QVariantList extra,
                                        std::optional<qint32> after)
    {
        if (after) {
            sql += m_numberUp ? QStringLiteral(" AND Req_Num > ?")
                              : QStringLiteral(" AND Req_Num < ?");
            extra.append(*after);
        }
        sql += QStringLiteral(" ORDER BY Req_Num %1 LIMIT ?").arg(direction(m_numberUp));
        return selectNumbers(sql, extra);
    }

    // The number order: the number is the sort value.
    Outcome numbers(std::optional<qint32> after)
    {
        Result<QList<qint32>> read =
            inNumberOrder(QStringLiteral("SELECT Req_Num") + from(), {}, after);
        if (!read)
            return read.outcome();
        if (!read->isEmpty())
            m_block.last = {read->last(), {}, false};
        m_block.numbers.append(read.value());
        return Outcome::ok();
    }

    // The run of one value (nullopt: the empty values) in number order,
    // from past a number or from its start.
    Outcome run(const std::optional<QString> &value, std::optional<qint32> after)
    {
        QString sql = QStringLiteral("SELECT Req_Num") + from();
        QVariantList extra;
        if (value) {
            sql += QStringLiteral(" AND %1 = ?").arg(m_value);
            extra.append(*value);
        } else {
            sql += QStringLiteral(" AND %1 IS NULL").arg(m_value);
        }
        Result<QList<qint32>> read = inNumberOrder(sql, extra, after);
        if (!read)
            return read.outcome();
        if (!read->isEmpty())
            m_block.last = {read->last(), value.value_or(QString()), !value};
        m_block.numbers.append(read.value());
        return Outcome::ok();
    }

    // The values past `past` (nullopt: every value that is not empty) in the
    // list's direction. SQLite's indexes run the number the same way as the
    // value: where the list runs them apart, the runs read are put in number
    // order, and the last run, which the limit may have cut, is read again
    // from its own start. The values are compared as stored, not read: the
    // key's value is looked up for its number once the block is read.
    Outcome values(const std::optional<QString> &past)
    {
        const bool apart = m_backend == Backend::SQLite && m_valueUp != m_numberUp;
        QString sql = apart ? QStringLiteral("SELECT Req_Num, %1").arg(m_value) + from()
                            : QStringLiteral("SELECT Req_Num") + from();
        QVariantList extra;
        if (past) {
            sql += QStringLiteral(" AND %1 %2 ?")
                       .arg(m_value, m_valueUp ? QLatin1String(">") : QLatin1String("<"));
            extra.append(*past);
        } else {
            sql += QStringLiteral(" AND %1 IS NOT NULL").arg(m_value);
        }
        const bool numberUp = apart ? m_valueUp : m_numberUp;
        if (m_backend == Backend::SQLite)
            sql += QStringLiteral(" ORDER BY %1 %2, Req_Num %3 LIMIT ?")
                       .arg(m_value, direction(m_valueUp), direction(numberUp));
        else
            sql += QStringLiteral(" ORDER BY %1 %2, Req_Num %3 LIMIT ?")
                       .arg(m_value,
                            m_valueUp ? QLatin1String("ASC NULLS FIRST")
                                      : QLatin1String("DESC NULLS LAST"),
                            direction(numberUp));
        const qsizetype limit = missing();
        if (!apart) {
            Result<QList<qint32>> read = selectNumbers(sql, extra);
            if (!read)
                return read.outcome();
            if (read->isEmpty())
                return Outcome::ok();
            m_block.numbers.append(read.value());
            return keyOf(read->last());
        }
        QList<qint32> read;
        std::vector<qsizetype> runStarts;
        Outcome selected = select(sql, extra, [&](RowStatement &row) {
            if (!row.sameAsBefore(1))
                runStarts.push_back(read.size());
            read.append(row.intValue(0));
        });
        if (!selected)
            return selected;
        if (read.isEmpty())
            return Outcome::ok();
        // A full block may end inside a run: that run is read from its start.
        const bool cut = read.size() == limit;
        const qsizetype kept = cut ? runStarts.back() : read.size();
        qsizetype end = kept;
        std::vector<qsizetype> starts(runStarts.begin(), runStarts.end() - (cut ? 1 : 0));
        const qsizetype before = m_block.numbers.size();
        m_block.numbers.resize(before + kept);
        // Each run reversed where it stands: read[start, end) in number order.
        for (auto start = starts.rbegin(); start != starts.rend(); ++start) {
            std::reverse_copy(read.cbegin() + *start, read.cbegin() + end,
                              m_block.numbers.begin() + before + *start);
            end = *start;
        }
        if (kept > 0 && !cut) {
            // The last run read whole ends in its largest number.
            if (Outcome key = keyOf(m_block.numbers.last()); !key)
                return key;
        }
        if (!cut)
            return Outcome::ok();
        const Result<std::optional<QString>> value = valueOf(read.at(runStarts.back()));
        if (!value)
            return value.outcome();
        return run(value.value(), std::nullopt);
    }

    // The sort value of a requirement as the order's index holds it.
    Result<std::optional<QString>> valueOf(qint32 number)
    {
        RowStatement statement(
            m_database, QStringLiteral("SELECT %1 FROM MASTER_REQ WHERE Req_Num = ?").arg(m_value),
            m_backend == Backend::SQLite ? RowStatement::Route::Direct : RowStatement::Route::Qt);
        if (!statement.isPrepared())
            return m_failure(errorText(statement.lastError()));
        statement.add(number);
        if (!statement.exec())
            return m_failure(errorText(statement.lastError()));
        std::optional<QString> value;
        if (statement.next() && !statement.isNull(0)) {
            value = statement.textValue(0);
            if (value->isNull())
                value = QStringLiteral(""); // an empty text, told from NULL
        }
        if (statement.lastError().isValid())
            return m_failure(errorText(statement.lastError()));
        return value;
    }

    // The key of the last row read: its number and its value.
    Outcome keyOf(qint32 number)
    {
        const Result<std::optional<QString>> value = valueOf(number);
        if (!value)
            return value.outcome();
        m_block.last = {number, value->value_or(QString()), !value->has_value()};
        return Outcome::ok();
    }

    const QSqlDatabase &m_database;
    Backend m_backend;
    bool m_valueUp;
    bool m_numberUp;
    bool m_byNumber = false;
    std::function<Outcome(const QString &)> m_failure;
    QString m_where;
    QVariantList m_values;
    QString m_value;
    int m_rows = 0;
    ListingBlock m_block;
};

// The first numbers of a ByText selection in number order, from the word
// index alone: on a workspace file the index gives its matches in number
// order and stops after the first.
Result<QList<qint32>> firstWordNumbers(const QSqlDatabase &database,
                                       const RequirementSelection &selection, bool ascending,
                                       int rows,
                                       const std::function<Outcome(const QString &)> &failure)
{
    const Backend backend = SqlDialect::of(database);
    const QString number =
        backend == Backend::PostgreSQL ? QStringLiteral("Req_Num") : QStringLiteral("rowid");
    return numbersOf(database,
                     wordListed(backend) +
                         QStringLiteral(" ORDER BY %1 %2 LIMIT ?")
                             .arg(number, ascending ? QLatin1String("ASC") : QLatin1String("DESC")),
                     {wordMatch(backend, selection.text).toString(), qint32(rows)}, rows, failure);
}

// How many requirements a ByText selection lists, counted in the word index.
Result<qsizetype> wordListedCount(const QSqlDatabase &database,
                                  const RequirementSelection &selection,
                                  const std::function<Outcome(const QString &)> &failure)
{
    const Backend backend = SqlDialect::of(database);
    QSqlQuery count(database);
    count.setForwardOnly(true);
    if (!count.prepare(
            QStringLiteral("SELECT COUNT(*) FROM (%1) AS Listed").arg(wordListed(backend))))
        return failure(errorText(count.lastError()));
    count.addBindValue(wordMatch(backend, selection.text));
    if (!count.exec() || !count.next())
        return failure(errorText(count.lastError()));
    return qsizetype(count.value(0).toLongLong());
}

// How many requirements a selection lists, read through whichever index
// suits its condition best.
Result<qsizetype> listedCount(const QSqlDatabase &database, const RequirementSelection &selection,
                              const std::function<Outcome(const QString &)> &failure)
{
    const Backend backend = SqlDialect::of(database);
    QString where;
    QVariantList values;
    if (backend == Backend::SQLite) {
        const auto [bound, boundValues] = condition(selection, Backend::SQLite);
        std::tie(where, values) = kindWrittenOut(bound, boundValues);
    } else {
        std::tie(where, values) = serverCondition(selection);
    }
    QSqlQuery count(database);
    count.setForwardOnly(true);
    if (!count.prepare(QStringLiteral("SELECT COUNT(*) FROM MASTER_REQ WHERE (%1)").arg(where)))
        return failure(errorText(count.lastError()));
    for (const QVariant &value : values)
        count.addBindValue(value);
    if (!count.exec() || !count.next())
        return failure(errorText(count.lastError()));
    return qsizetype(count.value(0).toLongLong());
}

// The first rows of a list, and how many it holds: counted apart only when
// the first rows fill the screen.
template <typename Count>
Result<ListingStart> startOf(QList<qint32> first, int rows, const Count &count)
{
    if (first.size() < rows) {
        const qsizetype total = first.size();
        return ListingStart{std::move(first), total, true};
    }
    const Result<qsizetype> total = count();
    if (!total)
        return total.outcome();
    // A count that another user's save overtook says at least what was read.
    return ListingStart{std::move(first), std::max(total.value(), qsizetype(rows)), false};
}

// The start of a ByText selection in number order on a server, where each
// match's words lie in a row of their own all over the table. Where the
// matches are many, the first of them lie among the first rows of the index
// in number order and only the count reads them all; where they are few,
// one pass reads them all and counts them as it goes.
Result<ListingStart> wordStartOnServer(const QSqlDatabase &database,
                                       const RequirementSelection &selection, bool ascending,
                                       int rows,
                                       const std::function<Outcome(const QString &)> &failure)
{
    constexpr int kHeadRows = 2048;
    const QLatin1String direction = ascending ? QLatin1String("ASC") : QLatin1String("DESC");
    const QString match = wordMatch(Backend::PostgreSQL, selection.text).toString();
    QList<qint32> numbers;
    numbers.reserve(rows);
    {
        RowStatement head(
            database,
            QStringLiteral("SELECT Req_Num FROM (SELECT Req_Num, Words FROM REQ_WORDS ORDER BY "
                           "Req_Num %1 LIMIT %2) AS Head WHERE Words @@ to_tsquery('simple', ?) "
                           "AND Req_Num <> ALL(ARRAY(SELECT Req_Num FROM MASTER_REQ WHERE "
                           "FSTType IS NULL)) ORDER BY Req_Num %1 LIMIT ?")
                .arg(direction)
                .arg(kHeadRows),
            RowStatement::Route::Qt);
        if (!head.isPrepared())
            return failure(errorText(head.lastError()));
        head.add(match);
        head.add(qint32(rows));
        if (!head.exec())
            return failure(errorText(head.lastError()));
        while (head.next())
            numbers.append(head.intValue(0));
        if (head.lastError().isValid())
            return failure(errorText(head.lastError()));
    }
    if (numbers.size() == rows)
        return startOf(std::move(numbers), rows,
                       [&] { return wordListedCount(database, selection, failure); });
    // OFFSET 0 keeps the matches a query of their own, read by the word
    // index, rather than looked for along the numbers.
    numbers.clear();
    qsizetype total = 0;
    RowStatement select(database,
                        QStringLiteral("SELECT Req_Num, COUNT(*) OVER () FROM (%1 OFFSET 0) AS "
                                       "Listed ORDER BY Req_Num %2 LIMIT ?")
                            .arg(wordListed(Backend::PostgreSQL), direction),
                        RowStatement::Route::Qt);
    if (!select.isPrepared())
        return failure(errorText(select.lastError()));
    select.add(match);
    select.add(qint32(rows));
    if (!select.exec())
        return failure(errorText(select.lastError()));
    while (select.next()) {
        numbers.append(select.intValue(0));
        total = select.intValue(1);
    }
    if (select.lastError().isValid())
        return failure(errorText(select.lastError()));
    const bool complete = numbers.size() < rows;
    const qsizetype listed = complete ? numbers.size() : std::max(total, qsizetype(rows));
    return ListingStart{std::move(numbers), listed, complete};
}

} // namespace

Result<QList<qint32>> RequirementListing::numbers(const RequirementSelection &selection,
                                                  RequirementOrder order, bool ascending) const
{
    if (order == RequirementOrder::Relevance &&
        selection.kind == RequirementSelection::Kind::ByText)
        return numbersByRelevance(selection, ascending);
    const QSqlDatabase database = QSqlDatabase::database(m_connection, false);
    const auto failed = [&](const QString &why) { return failure(selection, why); };
    if (SqlDialect::of(database) == Backend::SQLite)
        return numbersThroughIndex(database, selection, order, ascending, failed);
    return numbersOnServer(database, selection, order, ascending, failed);
}

Result<ListingStart> RequirementListing::start(const RequirementSelection &selection,
                                               RequirementOrder order, bool ascending,
                                               int rows) const
{
    using Kind = RequirementSelection::Kind;
    const QSqlDatabase database = QSqlDatabase::database(m_connection, false);
    const auto failed = [&](const QString &why) { return failure(selection, why); };
    // Relevance ranks every match before the first; a number pattern reads
    // its ranges alone; one requirement's versions are few; the selections
    // that gather their numbers through another table first would gather
    // them twice, for the first rows and for the count.
    const bool whole = (order == RequirementOrder::Relevance && selection.kind == Kind::ByText) ||
                       selection.kind == Kind::Requirement || selection.kind == Kind::VersionsOf ||
                       selection.kind == Kind::ByEntity || selection.kind == Kind::ByText ||
                       selection.kind == Kind::Suspect ||
                       (order == RequirementOrder::Number && selection.kind == Kind::ByNumber &&
                        numberRanges(selection.text));
    if (order == RequirementOrder::Relevance && selection.kind == Kind::ByText && rows > 0) {
        // The first rows need every match ranked; a workspace file ranks
        // and counts them in the same pass over its index, a server counts
        // them in the index alone.
        if (sqlite3 *handle = RowStatement::directHandle(database)) {
            Result<BestWordMatches::Found> found = BestWordMatches::read(
                handle, wordMatch(Backend::SQLite, selection.text).toString(), rows, ascending);
            if (!found)
                return failed(found.outcome().message());
            const bool complete = found->numbers.size() < rows;
            const qsizetype total = complete ? found->numbers.size() : found->matches;
            return ListingStart{std::move(found->numbers), total, complete};
        }
        Result<QList<qint32>> best = numbersByRelevance(selection, ascending, rows);
        if (!best)
            return best.outcome();
        return startOf(best.takeValue(), rows,
                       [&] { return wordListedCount(database, selection, failed); });
    }
    if (order == RequirementOrder::Number && selection.kind == Kind::ByText && rows > 0) {
        if (SqlDialect::of(database) == Backend::PostgreSQL)
            return wordStartOnServer(database, selection, ascending, rows, failed);
        Result<QList<qint32>> first =
            firstWordNumbers(database, selection, ascending, rows, failed);
        if (!first)
            return first.outcome();
        return startOf(first.takeValue(), rows,
                       [&] { return wordListedCount(database, selection, failed); });
    }
    if (whole || rows <= 0) {
        Result<QList<qint32>> all = numbers(selection, order, ascending);
        if (!all)
            return all.outcome();
        const qsizetype total = all->size();
        return ListingStart{all.takeValue(), total, true};
    }
    Result<QList<qint32>> first =
        firstNumbers(database, selection,
                     order == RequirementOrder::Relevance ? RequirementOrder::Number : order,
                     ascending, rows, failed);
    if (!first)
        return first.outcome();
    return startOf(first.takeValue(), rows,
                   [&] { return listedCount(database, selection, failed); });
}

Result<ListingBlock> RequirementListing::block(const RequirementSelection &selection,
                                               RequirementOrder order, bool ascending,
                                               const std::optional<ListingKey> &after, int rows,
                                               bool backwards) const
{
    using Kind = RequirementSelection::Kind;
    // Only the selections read along the order's index continue in it. The
    // others find their rows through another index or table first and sort
    // them (a rank is no value of a row to continue from): one read of all
    // of them costs less than finding them again for each block, so the
    // first block holds all the rest.
    const bool alongIndex = selection.kind == Kind::Live || selection.kind == Kind::OfType ||
                            selection.kind == Kind::ByTemplate;
    if (!alongIndex) {
        Result<QList<qint32>> all = numbers(selection, order, ascending);
        if (!all)
            return all.outcome();
        if (backwards)
            std::reverse(all->begin(), all->end());
        const qsizetype from = after ? all->indexOf(after->number) + 1 : 0;
        ListingBlock block;
        block.numbers = all->mid(from);
        block.ended = true;
        block.last = block.numbers.isEmpty() ? after.value_or(ListingKey{})
                                             : ListingKey{block.numbers.last(), {}, false};
        return block;
    }
    const QSqlDatabase database = QSqlDatabase::database(m_connection, false);
    BlockRead read(database, selection, order, ascending, backwards,
                   [&](const QString &why) { return failure(selection, why); });
    return read.read(after, rows);
}

Result<QList<qint32>> RequirementListing::numbersByRelevance(const RequirementSelection &selection,
                                                             bool bestFirst, int rows) const
{
    const QSqlDatabase database = QSqlDatabase::database(m_connection, false);
    const Backend backend = SqlDialect::of(database);
    // The index answers alone (wordListed()). FTS5's rank is lower the
    // better a row matches; ts_rank higher (and, as FTS5's, it prefers the
    // shorter of two texts holding a word as often).
    const QString sql =
        backend == Backend::PostgreSQL
            ? wordListed(backend) +
                  QStringLiteral(" ORDER BY ts_rank(Words, to_tsquery('simple', ?), 1) %1, Req_Num")
                      .arg(bestFirst ? QLatin1String("DESC") : QLatin1String("ASC"))
            : wordListed(backend) +
                  QStringLiteral(" ORDER BY rank %1, rowid")
                      .arg(bestFirst ? QLatin1String("ASC") : QLatin1String("DESC"));
    // The first rows alone are still ranked against every match, but kept
    // among the best so far rather than all sorted.
    const QString limit = rows > 0 ? QStringLiteral(" LIMIT ?") : QString();
    QSqlQuery select(database);
    select.setForwardOnly(true);
    if (!select.prepare(SqlDialect::likeIgnoringCase(database, sql + limit)))
        return failure(selection, errorText(select.lastError()));
    const QVariant match = wordMatch(backend, selection.text);
    select.addBindValue(match);
    if (backend == Backend::PostgreSQL)
        select.addBindValue(match);
    if (rows > 0)
        select.addBindValue(rows);
    if (!select.exec())
        return failure(selection, errorText(select.lastError()));
    QList<qint32> numbers;
    while (select.next())
        numbers.append(select.value(0).toInt());
    if (select.lastError().isValid())
        return failure(selection, errorText(select.lastError()));
    return numbers;
}

Outcome RequirementListing::failure(const RequirementSelection &selection, const QString &why) const
{
    // A workspace opened only to read, made before its words were indexed.
    if (selection.kind == RequirementSelection::Kind::ByText) {
        const QStringList tables = SqlDialect::tables(QSqlDatabase::database(m_connection, false));
        if (!tables.contains(QStringLiteral("REQ_WORDS"), Qt::CaseInsensitive))
            return Outcome::stop(Tr::tr(kNoWordIndex));
    }
    return Outcome::stop(Tr::tr(kCannotOpenSet) + why);
}

Result<QList<MasterReqRow>> RequirementListing::rows(const RequirementSelection &selection) const
{
    const auto [where, values] =
        SqlDialect::of(QSqlDatabase::database(m_connection, false)) == Backend::PostgreSQL
            ? serverCondition(selection)
            : condition(selection, Backend::SQLite);
    return rowsWhere(where, values);
}

Result<QList<MasterReqRow>> RequirementListing::page(const QList<qint32> &numbers) const
{
    if (numbers.isEmpty())
        return QList<MasterReqRow>();
    const QStringList placeholders(numbers.size(), QStringLiteral("?"));
    QVariantList values;
    values.reserve(numbers.size());
    for (const qint32 number : numbers)
        values.append(number);
    return rowsWhere(QStringLiteral("Req_Num IN (%1)").arg(placeholders.join(QLatin1Char(','))),
                     values);
}

Result<QList<MasterReqRow>> RequirementListing::rowsWhere(const QString &where,
                                                          const QVariantList &values) const
{
    // A set of its own for each read, so that nothing stays open on the
    // connection between the user's actions.
    CReqMsSet set(m_connection);
    set.setFilter(where, values);
    if (!set.open(CReqMsSet::OpenType::Snapshot))
        return set.errorOutcome(Tr::tr(kCannotOpenSet));
    QList<MasterReqRow> rows;
    while (!set.isEOF()) {
        rows.append(set.row());
        if (Outcome moved = set.moveNext(); !moved)
            return set.errorOutcome(Tr::tr(kCannotOpenSet));
    }
    return rows;
}

std::pair<QString, QVariantList>
RequirementListing::listedRowsRead(const QSqlDatabase &database,
                                   const RequirementSelection &selection, RequirementOrder order,
                                   bool ascending)
{
    const Backend backend = SqlDialect::of(database);
    const QString columns = QStringLiteral("SELECT MASTER_REQ.Req_Num, MASTER_REQ.FSTType, "
                                           "MASTER_REQ.Preamble, MASTER_REQ.ReqText FROM ");
    if (order == RequirementOrder::Relevance &&
        selection.kind == RequirementSelection::Kind::ByText) {
        // As numbersByRelevance() orders them, with the rows beside.
        const QVariant match = wordMatch(backend, selection.text);
        if (backend == Backend::PostgreSQL)
            return {columns + QStringLiteral("REQ_WORDS JOIN MASTER_REQ ON MASTER_REQ.Req_Num = "
                                             "REQ_WORDS.Req_Num WHERE REQ_WORDS.Words @@ "
                                             "to_tsquery('simple', ?) AND MASTER_REQ.FSTType "
                                             "IS NOT NULL ORDER BY "
                                             "ts_rank(REQ_WORDS.Words, to_tsquery('simple', ?), "
                                             "1) %1, MASTER_REQ.Req_Num")
                                  .arg(ascending ? QLatin1String("DESC") : QLatin1String("ASC")),
                    {match, match}};
        return {columns + QStringLiteral("REQ_WORDS JOIN MASTER_REQ ON MASTER_REQ.Req_Num = "
                                         "REQ_WORDS.rowid WHERE REQ_WORDS MATCH ? AND "
                                         "MASTER_REQ.FSTType IS NOT NULL ORDER BY "
                                         "REQ_WORDS.rank %1, REQ_WORDS.rowid")
                              .arg(ascending ? QLatin1String("ASC") : QLatin1String("DESC")),
                {match}};
    }
    // Whole rows in the order of a column's index would be visited in that
    // order, one look-up each all over the file: on SQLite the rows are read
    // as the selection finds them and sorted in its temporary storage
    // instead ("+" keeps the index out), which costs half as much at a
    // million rows. The number order is the table's own.
    if (backend == Backend::PostgreSQL) {
        // The server's order is Requirements Central's there, read through
        // the same indexes.
        const auto [where, values] = serverCondition(selection);
        return {columns + QStringLiteral("MASTER_REQ WHERE (") + where +
                    QStringLiteral(") ORDER BY ") + serverOrderBy(order, ascending),
                values};
    }
    const auto [where, values] = condition(selection, backend);
    const bool sorted = order != RequirementOrder::Number && order != RequirementOrder::Relevance;
    const QString sql =
        columns + QStringLiteral("MASTER_REQ WHERE (") + where + QStringLiteral(") ORDER BY ") +
        (sorted
             ? QStringLiteral("+(%1) %2, Req_Num")
                   .arg(orderValue(order), ascending ? QLatin1String("ASC") : QLatin1String("DESC"))
             : orderBy(order, ascending));
    return {SqlDialect::likeIgnoringCase(database, sql), values};
}

} // namespace varn::store
