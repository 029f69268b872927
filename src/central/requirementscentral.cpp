#include "central/requirementscentral.h"
#include "central/foreignattributes.h"

#include "central/centraltr.h"
#include "common/storedwords.h"

#include "objmodel/objectmodelreader.h"

#include <algorithm>

namespace varn::central {

namespace {

// The listing's order of each column, in the order of Column.
constexpr store::RequirementOrder kColumnOrders[] = {
    store::RequirementOrder::Number,    store::RequirementOrder::Type,
    store::RequirementOrder::Source,    store::RequirementOrder::Category,
    store::RequirementOrder::Priority,  store::RequirementOrder::Release,
    store::RequirementOrder::Version,   store::RequirementOrder::Paragraph,
    store::RequirementOrder::Sentence,  store::RequirementOrder::FirstVersion,
    store::RequirementOrder::DateSaved, store::RequirementOrder::Comments,
};
static_assert(std::size(kColumnOrders) == kFlagCount + 1);

QString notFoundMessage()
{
    return Tr::tr("The Requirement Number does not exist in the Requirements database.");
}

} // namespace

RequirementsCentral::RequirementsCentral(const QString &connectionName)
    : m_connection(connectionName), m_listing(connectionName)
{
    m_model.setColumns(CentralColumns::shown(m_flags));
    m_model.setPageLoader([this](const QList<qint32> &numbers) { return m_listing.page(numbers); });
}

QString RequirementsCentral::noSelectionMessage()
{
    return Tr::tr("No requirement is currently selected.");
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
        return Outcome::stop(Tr::tr("Cannot open ReqJustEnSet recordset.\n") +
                             model.lastFailure().databaseText);
    QStringList names;
    for (const QString &name : stored.value()) {
        if (!name.isEmpty())
            names.append(name);
    }
    // The list is sorted as a sorted combo box sorts: without regard to case.
    // Names written alike come from the database in that order already, and
    // a hundred thousand of them are checked in one pass rather than sorted.
    const auto caseless = [](const QString &a, const QString &b) {
        const int order = QString::compare(a, b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    };
    if (!std::is_sorted(names.begin(), names.end(), caseless))
        std::sort(names.begin(), names.end(), caseless);
    return names;
}

store::RequirementOrder RequirementsCentral::listingOrder() const
{
    return kColumnOrders[int(m_sortColumn)];
}

QString RequirementsCentral::sentenceText(const store::MasterReqRow &row)
{
    return row.Preamble + QLatin1Char(' ') + row.ReqText + QLatin1Char('.');
}

QString RequirementsCentral::wholeSentenceText(const store::MasterReqRow &row) const
{
    const Result<QString> whole = ForeignAttributes::fullText(m_connection, row.Req_Num);
    if (!whole || whole->isEmpty())
        return sentenceText(row);
    return ForeignAttributes::wholeSentence(row.Preamble, whole.value());
}

Result<store::MasterReqRow> RequirementsCentral::selectedRow(qint32 selected) const
{
    if (selected == 0)
        return Outcome::warning(noSelectionMessage());
    Result<QList<store::MasterReqRow>> found =
        m_listing.rows(RequirementQuery::requirement(selected));
    if (!found)
        return found.outcome();
    if (found->isEmpty())
        return Outcome::warning(notFoundMessage());
    return found->first();
}

Outcome RequirementsCentral::run(const store::RequirementSelection &query, QueryKind kind)
{
    const bool byRelevance = m_relevance && kind == QueryKind::ByText;
    const store::RequirementOrder order =
        byRelevance ? store::RequirementOrder::Relevance : listingOrder();
    const bool ascending = byRelevance || m_ascending;
    if (kind == QueryKind::Listed) {
        Result<QList<qint32>> numbers = m_listing.numbers(query, order, ascending);
        if (!numbers)
            return numbers.outcome(); // the list keeps what it showed
        numbers->removeIf([this](qint32 number) { return !m_listed.contains(number); });
        m_model.reset(numbers.takeValue(), CentralColumns::shown(m_flags));
    } else {
        // The first screen needs the first numbers and the list's length; the
        // rest are read in blocks as the list is scrolled past them.
        Result<store::ListingStart> start = m_listing.start(query, order, ascending, m_firstRows);
        if (!start)
            return start.outcome(); // the list keeps what it showed
        const store::RequirementListing listing = m_listing;
        m_model.reset(
            std::move(start->numbers), start->total,
            [listing, query, order, ascending](const std::optional<store::ListingKey> &after,
                                               int rows, bool backwards) {
                return listing.block(query, order, ascending, after, rows, backwards);
            },
            CentralColumns::shown(m_flags));
    }
    // A workspace opened only to read, made before links could be suspect,
    // has none to mark.
    const Result<QList<qint32>> suspect = m_listing.numbers(
        RequirementQuery::ofType(QueryKind::Suspect), store::RequirementOrder::Number, true);
    m_model.setSuspect(suspect ? QSet<qint32>(suspect->begin(), suspect->end()) : QSet<qint32>());
    m_kind = kind;
    m_query = query;
    return Outcome::ok();
}

Outcome RequirementsCentral::runListed(NumberSource numbers)
{
    if (!numbers)
        return Outcome::ok();
    Result<QList<qint32>> picked = numbers();
    if (!picked)
        return picked.outcome(); // the list keeps what it showed
    m_listed = QSet<qint32>(picked->begin(), picked->end());
    m_listedSource = std::move(numbers);
    return run(store::RequirementSelection{store::RequirementSelection::Kind::Live, {}, 0},
               QueryKind::Listed);
}

Outcome RequirementsCentral::refresh()
{
    if (m_kind == QueryKind::Listed && m_listedSource)
        return runListed(m_listedSource);
    if (!m_query)
        return Outcome::ok();
    const store::RequirementSelection query = *m_query;
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
    Result<store::RequirementSelection> query = RequirementQuery::byNumber(text);
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

Outcome RequirementsCentral::runByText(const QString &text)
{
    if (text.isEmpty())
        return Outcome::ok();
    Result<store::RequirementSelection> query = RequirementQuery::byText(text);
    if (!query)
        return query.outcome();
    return run(query.value(), QueryKind::ByText);
}

Result<store::RequirementSelection> RequirementsCentral::versionsQuery(qint32 selected) const
{
    // The stored row says which first version all versions share.
    const Result<store::MasterReqRow> row = selectedRow(selected);
    if (!row)
        return row.outcome();
    return RequirementQuery::versionsOf(row->OrigReqNum);
}

Outcome RequirementsCentral::runByVersion(qint32 selected)
{
    const Result<store::RequirementSelection> query = versionsQuery(selected);
    if (!query)
        return query.outcome();
    return run(query.value(), QueryKind::ByVersion);
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
    case QueryKind::ByText:
        return runByText(text);
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
    case QueryKind::Suspect:
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
    case QueryKind::ByText:
        return runText(m_kind, texts.words);
    case QueryKind::Listed:
        if (m_listedSource)
            return runListed(m_listedSource);
        return runType(QueryKind::All);
    }
    return runType(QueryKind::All);
}

Outcome RequirementsCentral::sortByColumn(int listColumn, const FieldTexts &texts)
{
    const QList<Column> &columns = m_model.columns();
    if (listColumn < 0 || listColumn >= columns.size())
        return Outcome::ok();
    const Column clicked = columns.at(listColumn);
    m_ascending = clicked == m_sortColumn && !sortedByRelevance() ? !m_ascending : true;
    m_sortColumn = clicked;
    m_relevance = false;
    return rerun(texts);
}

Outcome RequirementsCentral::toggleColumn(int flag, const FieldTexts &texts)
{
    if (flag < 0 || flag >= kFlagCount)
        return Outcome::stop(Tr::tr(
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
    if (!row || row->FSTType != QLatin1String(StoredWords::kDeleted))
        return row ? number : 0;
    const Result<QList<store::MasterReqRow>> versions =
        m_listing.rows(RequirementQuery::versionsOf(row->OrigReqNum));
    if (!versions)
        return 0;
    const store::MasterReqRow *newest = nullptr;
    for (const store::MasterReqRow &version : versions.value()) {
        if (version.FSTType != QLatin1String(StoredWords::kDeleted) &&
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

Outcome RequirementsCentral::forEachSelected(const store::RequirementSelection &query,
                                             QueryKind kind,
                                             const store::ListingReader::Take &take) const
{
    const bool byRelevance = m_relevance && kind == QueryKind::ByText;
    return store::ListingReader(m_connection)
        .forEach(query, byRelevance ? store::RequirementOrder::Relevance : listingOrder(),
                 byRelevance || m_ascending, take);
}

Result<QString> RequirementsCentral::sentenceOf(qint32 selected)
{
    const Result<store::MasterReqRow> row = selectedRow(selected);
    if (!row)
        return row.outcome();
    return wholeSentenceText(row.value());
}

} // namespace varn::central
