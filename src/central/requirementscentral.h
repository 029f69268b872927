#pragma once

#include "central/centralcolumns.h"
#include "central/displaysettings.h"
#include "central/requirementquery.h"
#include "central/requirementtablemodel.h"
#include "common/outcome.h"
#include "store/listingreader.h"
#include "store/requirementlisting.h"
#include "store/requirementrows.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace varn::central {

// What the text fields of the form hold when a query runs again.
struct FieldTexts
{
    QString number;
    QString paragraph;
    QString entity;
    QString words;
};

// The engine of Requirements Central: runs each query through the
// requirements' listing and hands the list model the numbers it selects (the
// model reads the rows a page at a time); keeps the current query,
// the sort and the display settings of SYSTEM_NAME. Nothing stays open on
// the connection between queries. It shows nothing; every message comes back
// as an outcome.
class RequirementsCentral
{
public:
    explicit RequirementsCentral(const QString &connectionName);

    const QString &connectionName() const { return m_connection; }
    RequirementTableModel &model() { return m_model; }
    const RequirementTableModel &model() const { return m_model; }

    // Reads the column flags and the colour of SYSTEM_NAME. On a refusal
    // the initial flags stay; a colour that is none of the three is kept as
    // read and reported.
    Outcome loadSettings();
    // The distinct entity names, sorted as the By Entity list shows them.
    Result<QStringList> entityNames();

    // Functional, Structural, Technical or All.
    Outcome runType(QueryKind kind);
    // Nothing while no template is selected (position -1).
    Outcome runByTemplate(int position);
    // Each of these does nothing for an empty text.
    Outcome runByNumber(const QString &text);
    Outcome runByParagraph(const QString &text);
    Outcome runByEntity(const QString &text);
    // By Text lists the best matches first until a column's header is
    // clicked; sortByRelevance() asks for that order before it runs.
    Outcome runByText(const QString &text);
    void sortByRelevance() { m_relevance = true; }
    // The list is in By Text's order of relevance rather than a column's.
    bool sortedByRelevance() const { return m_relevance && m_kind == QueryKind::ByText; }
    // Every version of the selected requirement (0: none selected).
    Outcome runByVersion(qint32 selected);
    // The live requirements whose numbers the source gives (a query another
    // feature adds), in the list's order; the source is asked again each
    // time the query runs again.
    using NumberSource = std::function<Result<QList<qint32>>()>;
    Outcome runListed(NumberSource numbers);
    // The current query again: the text queries with the fields' texts, or
    // All when that text is empty; By Version on the first row.
    Outcome rerun(const FieldTexts &texts);
    // The last query again as it ran, whatever the fields hold now, in the
    // same order: what others saved since appears. Nothing before a query.
    Outcome refresh();

    // The order of the next query.
    void setSort(Column column, bool ascending)
    {
        m_sortColumn = column;
        m_ascending = ascending;
        m_relevance = false;
    }
    // A click on a list column's header.
    Outcome sortByColumn(int listColumn, const FieldTexts &texts);
    // A Display menu item: toggles the flag, lists again and stores the flags.
    Outcome toggleColumn(int flag, const FieldTexts &texts);
    // Stores another colour choice; the current one does nothing.
    Outcome chooseColour(int choice);

    // Where the selection goes after the list was read again: to the
    // newest live version of the requirement that was selected when that
    // one was replaced by an edit and the list holds it; else to the same
    // requirement when the list still holds it; else (it was deleted) to the
    // row that took its place. -1: nothing to select.
    int rowToFollow(qint32 selected, int previousRow) const;

    // Hands every requirement the query selects to take, in the order the
    // list would show them, as one read of the rows goes by: the list itself
    // stays as it is, and a listing of any length is written out in the
    // memory of a row.
    Outcome forEachSelected(const store::RequirementSelection &query, QueryKind kind,
                            const store::ListingReader::Take &take) const;
    // By Version's query: every version of the selected requirement (0: none
    // selected), or the message to show.
    Result<store::RequirementSelection> versionsQuery(qint32 selected) const;

    // The sentence of the selected requirement as stored now (0: none
    // selected).
    Result<QString> sentenceOf(qint32 selected);

    // How many numbers a query reads before the list shows (the rest when
    // the list is scrolled past them).
    void setFirstRows(int rows) { m_firstRows = rows; }
    // How many numbers the first block read after them holds (each next
    // block eight times the last).
    void setFirstBlock(int rows) { m_model.setFirstBlock(rows); }

    QueryKind currentKind() const { return m_kind; }
    int templatePosition() const { return m_templatePosition; }
    const ColumnFlags &columnFlags() const { return m_flags; }
    // As stored; possibly none of the three choices.
    int backgroundColour() const { return m_colour; }
    Column sortColumn() const { return m_sortColumn; }
    bool sortAscending() const { return m_ascending; }
    // The order of the listing: the sort column's field, except that the
    // Requirement column orders by the sentence it shows.
    store::RequirementOrder listingOrder() const;
    // The sentence a list row shows in the box below the list.
    static QString sentenceText(const store::MasterReqRow &row);
    // The same with the whole text a shortened sentence was imported with,
    // where one is stored.
    QString wholeSentenceText(const store::MasterReqRow &row) const;

    static QString noSelectionMessage();

private:
    Outcome run(const store::RequirementSelection &query, QueryKind kind);
    // The stored row of the selected requirement, or the message to show
    // when nothing is selected or the row is gone.
    Result<store::MasterReqRow> selectedRow(qint32 selected) const;
    // The newest version of the requirement that is not deleted; 0 when
    // every version is.
    qint32 liveVersionOf(qint32 number) const;
    Outcome runText(QueryKind kind, const QString &text);

    QString m_connection;
    store::RequirementListing m_listing;
    RequirementTableModel m_model;
    std::optional<store::RequirementSelection> m_query;
    NumberSource m_listedSource;
    QSet<qint32> m_listed;
    QueryKind m_kind = QueryKind::All;
    int m_templatePosition = -1;
    ColumnFlags m_flags = CentralColumns::initialFlags();
    int m_colour = DisplaySettings::kSkyBlue;
    Column m_sortColumn = Column::Number;
    bool m_ascending = true;
    bool m_relevance = false;
    int m_firstRows = RequirementTableModel::kPageRows;
};

} // namespace varn::central
