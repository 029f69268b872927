#include "central/requirementscentral.h"

#include "objmodel/objectmodelreader.h"
#include "store/sqldialect.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

namespace varn::central {

namespace {

const QString kCannotOpenSet = QStringLiteral("Cannot open ReqMsSet recordset.\n");

QString errorText(const QSqlError &error)
{
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

const QString &notFoundMessage()
{
    static const QString message =
        QStringLiteral("The Requirement Number does not exist in the Requirements database.");
    return message;
}

} // namespace

RequirementsCentral::RequirementsCentral(const QString &connectionName)
    : m_connection(connectionName)
{
    m_model.setColumns(CentralColumns::shown(m_flags));
    m_model.setPageLoader([this](const QList<qint32> &numbers) { return readPage(numbers); });
}

const QString &RequirementsCentral::noSelectionMessage()
{
    static const QString message = QStringLiteral("No requirement is currently selected.");
    return message;
}

Outcome RequirementsCentral::loadSettings()
{
    Result<DisplaySettings::Stored> stored = DisplaySettings::load(m_connection);
    if (!stored)
        return stored.outcome();
    m_flags = stored->flags;
    m_colour = stored->backgroundColour;
    m_model.setColumns(CentralColumns::shown(m_flags));
    if (!DisplaySettings::isColourChoice(m_colour))
        return Outcome::refused(DisplaySettings::invalidColourMessage());
    return Outcome::ok();
}

Result<QStringList> RequirementsCentral::entityNames()
{
    objmodel::ObjectModelReader model(m_connection);
    const Result<QStringList> stored = model.requirementEntityNames();
    if (!stored)
        return Outcome::stop(QStringLiteral("Cannot open ReqJustEnSet recordset.\n") +
                             model.lastFailure().databaseText);
    QStringList names;
    for (const QString &name : stored.value()) {
        if (!name.isEmpty())
            names.append(name);
    }
    // The list is sorted as a sorted combo box sorts: without regard to case.
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int order = QString::compare(a, b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

QString RequirementsCentral::sortText() const
{
    return QString::fromLatin1(CentralColumns::info(m_sortColumn).sortField) +
           (m_ascending ? QStringLiteral(" ASC") : QStringLiteral(" DESC"));
}

QString RequirementsCentral::orderText() const
{
    // The list shows the preamble before the text, so the sentence is the
    // order a reader expects.
    const QString field = m_sortColumn == Column::Requirement
                              ? QStringLiteral("COALESCE(Preamble, '') || ' ' || "
                                               "COALESCE(ReqText, '')")
                              : QString::fromLatin1(CentralColumns::info(m_sortColumn).sortField);
    return field + (m_ascending ? QStringLiteral(" ASC") : QStringLiteral(" DESC"));
}

QString RequirementsCentral::sentenceText(const store::MasterReqRow &row)
{
    return row.Preamble + QLatin1Char(' ') + row.ReqText + QLatin1Char('.');
}

Result<store::MasterReqRow> RequirementsCentral::selectedRow(qint32 selected) const
{
    if (selected == 0)
        return Outcome::warning(noSelectionMessage());
    Result<QList<store::MasterReqRow>> found = fetch(RequirementQuery::requirement(selected));
    if (!found)
        return found.outcome();
    if (found->isEmpty())
        return Outcome::warning(notFoundMessage());
    return found->first();
}

Result<QList<store::MasterReqRow>> RequirementsCentral::fetch(const QueryStatement &query) const
{
    // A set of its own for each read, so that nothing stays open on the
    // connection between the user's actions.
    store::CReqMsSet set(m_connection);
    set.setFilter(query.filter, query.filter.isEmpty() ? QVariantList() : query.values);
    const auto snapshot = store::RecordSetCore::OpenType::Snapshot;
    const Outcome opened = query.statement.isEmpty()
                               ? set.open(snapshot)
                               : set.open(query.statement, query.values, snapshot);
    if (!opened)
        return set.errorOutcome(kCannotOpenSet);
    QList<store::MasterReqRow> rows;
    while (!set.isEOF()) {
        rows.append(set.row());
        if (Outcome moved = set.moveNext(); !moved)
            return set.errorOutcome(kCannotOpenSet);
    }
    return rows;
}

Result<QList<qint32>> RequirementsCentral::fetchNumbers(const QueryStatement &query) const
{
    // The query's numbers in its order; the rows follow a page at a time.
    QString sql = query.statement.isEmpty()
                      ? QStringLiteral("SELECT Req_Num FROM MASTER_REQ")
                      : QStringLiteral("SELECT Req_Num FROM (%1) listed").arg(query.statement);
    if (!query.filter.isEmpty())
        sql += QStringLiteral(" WHERE (%1)").arg(query.filter);
    // Req_Num last keeps equal sort values in a stable order.
    sql += QStringLiteral(" ORDER BY ") + orderText();
    if (m_sortColumn != Column::Number)
        sql += QStringLiteral(", Req_Num");

    const QSqlDatabase database = QSqlDatabase::database(m_connection, false);
    QSqlQuery select(database);
    select.setForwardOnly(true);
    if (!select.prepare(store::SqlDialect::likeIgnoringCase(database, sql)))
        return Outcome::stop(kCannotOpenSet + errorText(select.lastError()));
    for (const QVariant &value : query.values)
        select.addBindValue(value);
    if (!select.exec())
        return Outcome::stop(kCannotOpenSet + errorText(select.lastError()));
    QList<qint32> numbers;
    while (select.next())
        numbers.append(select.value(0).toInt());
    if (select.lastError().isValid())
        return Outcome::stop(kCannotOpenSet + errorText(select.lastError()));
    return numbers;
}

Result<QList<store::MasterReqRow>> RequirementsCentral::readPage(const QList<qint32> &numbers) const
{
    const QStringList placeholders(numbers.size(), QStringLiteral("?"));
    QVariantList values;
    values.reserve(numbers.size());
    for (const qint32 number : numbers)
        values.append(number);
    return fetch(
        {QStringLiteral("Req_Num IN (%1)").arg(placeholders.join(QLatin1Char(','))), {}, values});
}

Outcome RequirementsCentral::run(const QueryStatement &query, QueryKind kind)
{
    Result<QList<qint32>> numbers = fetchNumbers(query);
    if (!numbers)
        return numbers.outcome(); // the list keeps what it showed
    m_model.reset(numbers.takeValue(), CentralColumns::shown(m_flags));
    m_kind = kind;
    m_query = query;
    return Outcome::ok();
}

Outcome RequirementsCentral::refresh()
{
    if (!m_query)
        return Outcome::ok();
    const QueryStatement query = *m_query;
    return run(query, m_kind);
}

Outcome RequirementsCentral::runType(QueryKind kind)
{
    return run(RequirementQuery::ofType(kind), kind);
}

Outcome RequirementsCentral::runByTemplate(int position)
{
    if (position < 0)
        return Outcome::ok();
    if (Outcome ran = run(RequirementQuery::byTemplate(position), QueryKind::ByTemplate); !ran)
        return ran;
    m_templatePosition = position;
    return Outcome::ok();
}

Outcome RequirementsCentral::runByNumber(const QString &text)
{
    if (text.isEmpty())
        return Outcome::ok();
    Result<QueryStatement> query = RequirementQuery::byNumber(text);
    if (!query)
        return query.outcome();
    return run(query.value(), QueryKind::ByNumber);
}

Outcome RequirementsCentral::runByParagraph(const QString &text)
{
    if (text.isEmpty())
        return Outcome::ok();
    return run(RequirementQuery::byParagraph(text), QueryKind::ByParagraph);
}

Outcome RequirementsCentral::runByEntity(const QString &text)
{
    if (text.isEmpty())
        return Outcome::ok();
    return run(RequirementQuery::byEntity(text), QueryKind::ByEntity);
}

Outcome RequirementsCentral::runByVersion(qint32 selected)
{
    // The stored row says which first version all versions share.
    const Result<store::MasterReqRow> row = selectedRow(selected);
    if (!row)
        return row.outcome();
    return run(RequirementQuery::versionsOf(row->OrigReqNum), QueryKind::ByVersion);
}

Outcome RequirementsCentral::runText(QueryKind kind, const QString &text)
{
    if (text.isEmpty())
        return runType(QueryKind::All);
    switch (kind) {
    case QueryKind::ByNumber:
        return runByNumber(text);
    case QueryKind::ByParagraph:
        return runByParagraph(text);
    default:
        return runByEntity(text);
    }
}

Outcome RequirementsCentral::rerun(const FieldTexts &texts)
{
    switch (m_kind) {
    case QueryKind::Functional:
    case QueryKind::Structural:
    case QueryKind::Technical:
    case QueryKind::All:
        return runType(m_kind);
    case QueryKind::ByTemplate:
        return runByTemplate(m_templatePosition);
    case QueryKind::ByVersion:
        if (const qint32 first = m_model.numberAt(0))
            return runByVersion(first);
        return runType(QueryKind::All);
    case QueryKind::ByNumber:
        return runText(m_kind, texts.number);
    case QueryKind::ByParagraph:
        return runText(m_kind, texts.paragraph);
    case QueryKind::ByEntity:
        return runText(m_kind, texts.entity);
    }
    return runType(QueryKind::All);
}

Outcome RequirementsCentral::sortByColumn(int listColumn, const FieldTexts &texts)
{
    const QList<Column> &columns = m_model.columns();
    if (listColumn < 0 || listColumn >= columns.size())
        return Outcome::ok();
    const Column clicked = columns.at(listColumn);
    m_ascending = clicked == m_sortColumn ? !m_ascending : true;
    m_sortColumn = clicked;
    return rerun(texts);
}

Outcome RequirementsCentral::toggleColumn(int flag, const FieldTexts &texts)
{
    if (flag < 0 || flag >= kFlagCount)
        return Outcome::stop(QStringLiteral(
            "Internal error. Unknown Display menu selection.\nSee your Varn SE administrator."));
    m_flags[flag] = !m_flags[flag];
    Outcome listed = rerun(texts);
    if (!listed) // the columns follow the flags even when the rows could not be read again
        m_model.setColumns(CentralColumns::shown(m_flags));
    Outcome stored = DisplaySettings::storeFlags(m_connection, m_flags);
    return listed ? stored : listed;
}

Outcome RequirementsCentral::chooseColour(int choice)
{
    if (choice == m_colour)
        return Outcome::ok();
    if (!DisplaySettings::isColourChoice(choice))
        return DisplaySettings::storeColour(m_connection, choice);
    m_colour = choice;
    return DisplaySettings::storeColour(m_connection, choice);
}

qint32 RequirementsCentral::liveVersionOf(qint32 number) const
{
    const Result<store::MasterReqRow> row = selectedRow(number);
    if (!row || row->FSTType != QLatin1String("Deleted"))
        return row ? number : 0;
    const Result<QList<store::MasterReqRow>> versions =
        fetch(RequirementQuery::versionsOf(row->OrigReqNum));
    if (!versions)
        return 0;
    const store::MasterReqRow *newest = nullptr;
    for (const store::MasterReqRow &version : versions.value()) {
        if (version.FSTType != QLatin1String("Deleted") &&
            (!newest || version.Version > newest->Version))
            newest = &version;
    }
    return newest ? newest->Req_Num : 0;
}

int RequirementsCentral::rowToFollow(qint32 selected, int previousRow) const
{
    if (selected != 0) {
        if (const qint32 live = liveVersionOf(selected); live != 0 && m_model.rowOf(live) >= 0)
            return m_model.rowOf(live);
        if (const int kept = m_model.rowOf(selected); kept >= 0)
            return kept;
    }
    const int count = m_model.requirementCount();
    if (previousRow < 0 || count == 0)
        return -1;
    return std::min(previousRow, count - 1);
}

Result<QString> RequirementsCentral::sentenceOf(qint32 selected)
{
    const Result<store::MasterReqRow> row = selectedRow(selected);
    if (!row)
        return row.outcome();
    return sentenceText(row.value());
}

} // namespace varn::central
