#pragma once

#include "central/centralcolumns.h"
#include "common/outcome.h"
#include "store/requirementlisting.h"
#include "store/requirementrows.h"

#include <QAbstractTableModel>
#include <QList>
#include <QSet>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace varn::central {

// The list of Requirements Central: the requirements of the last query, in
// its order, followed by one empty row, in the shown columns. The query
// hands over the requirement numbers only; the rows themselves are read a
// page at a time when they are first shown, so a list of any length costs
// its numbers and the pages the user looks at. A long list may begin with
// its first numbers and its length alone: the rest of its numbers are read
// in growing blocks as rows past them are asked for, each block on from
// where the last stopped, and a row nearer the end from the end.
class RequirementTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int kPageRows = 128;
    // True for a requirement with a link still to review after a change;
    // the list marks its number.
    static constexpr int kSuspectRole = Qt::UserRole + 1;
    // Reads the MASTER_REQ rows of the numbers (in any order).
    using PageLoader =
        std::function<Result<QList<store::MasterReqRow>>(const QList<qint32> &numbers)>;

    explicit RequirementTableModel(QObject *parent = nullptr);
    ~RequirementTableModel() override;

    // Reads on in the list's numbers: the next `rows` after a key (from the
    // first row without one), or backwards from the last row.
    using BlockLoader = std::function<Result<store::ListingBlock>(
        const std::optional<store::ListingKey> &after, int rows, bool backwards)>;
    // The first block read past the first numbers; each next one eight times
    // the last, up to kLargestBlock.
    static constexpr int kFirstBlock = 1024;
    static constexpr int kLargestBlock = 65536;

    void setPageLoader(PageLoader loader) { m_loader = std::move(loader); }
    // Replaces rows and columns at once.
    void reset(QList<qint32> numbers, QList<Column> columns);
    // The same for a list of `total` requirements of which the first numbers
    // are known; the rest is read in blocks as rows past them are needed:
    // on from the first numbers, or from the end of the list for a row
    // nearer to it, until the two meet.
    void reset(QList<qint32> first, qsizetype total, BlockLoader rest, QList<Column> columns);
    // How many numbers the first block past the first numbers reads.
    void setFirstBlock(int rows) { m_firstBlock = std::max(1, rows); }
    // Every number of the list has been read.
    bool isComplete() const { return !m_rest; }
    void setColumns(QList<Column> columns);
    // The requirements with a suspect link, of any listing.
    void setSuspect(QSet<qint32> numbers) { m_suspect = std::move(numbers); }

    const QList<Column> &columns() const { return m_columns; }
    int requirementCount() const { return m_rows; }
    // 0 for the empty row or outside the list.
    qint32 numberAt(int row) const;
    // The list row of a requirement; -1 when the list does not hold it.
    int rowOf(qint32 number) const;
    // The requirement of a list row, read with its page; nullptr for the
    // empty row, outside the list, or when its page cannot be read.
    const store::MasterReqRow *requirementAt(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    // A page could not be read (the database's message, shown with the stop
    // icon); said once per listing.
    void pageFailed(const QString &message) const;

private:
    using Page = std::vector<store::MasterReqRow>;
    const Page *page(int pageIndex) const;
    // Whether the number of a row has been read.
    bool known(int row) const;
    // Reads blocks until the number of the row is known or the whole list
    // is read.
    void readTo(int row) const;
    // Reads every number not yet read.
    void readAll() const;
    // One block on from the numbers read first; one back from those read
    // from the end.
    bool readForward() const;
    bool readBackward() const;
    // The two ends met, or one reached the other end of the list.
    void completeWith(QList<qint32> numbers) const;
    void failed(const Outcome &outcome) const;
    // Drops the pages read and tells the views, later.
    void changedMeanwhile() const;
    // Tells the views of a length that changed between the count and the
    // read of the rest (another user saved or deleted meanwhile).
    void settleRows();

    PageLoader m_loader;
    mutable BlockLoader m_rest;
    // The rows the views were told of; the numbers read may differ until
    // settleRows() has run.
    int m_rows = 0;
    // The first numbers of the list, all of them once it is complete.
    mutable QList<qint32> m_numbers;
    // Where m_numbers stops; none while only the first numbers are read.
    mutable std::optional<store::ListingKey> m_headKey;
    // The last numbers of the list, read from its end: the last row first.
    mutable QList<qint32> m_tail;
    mutable store::ListingKey m_tailKey;
    int m_firstBlock = kFirstBlock;
    mutable int m_forwardBlock = kFirstBlock;
    mutable int m_backwardBlock = kFirstBlock;
    QList<Column> m_columns;
    QSet<qint32> m_suspect;
    mutable std::vector<std::unique_ptr<Page>> m_pages;
    mutable std::vector<bool> m_failedPages;
    mutable bool m_failureSaid = false;
    // The numbers read differ from those the views were told of; said to
    // them once control is back in the event loop.
    mutable bool m_changed = false;
    mutable bool m_settling = false;
};

} // namespace varn::central
