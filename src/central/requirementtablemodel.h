#pragma once

#include "central/centralcolumns.h"
#include "common/outcome.h"
#include "store/requirementrows.h"

#include <QAbstractTableModel>
#include <QList>
#include <QSet>

#include <functional>
#include <memory>
#include <vector>

namespace varn::central {

// The list of Requirements Central: the requirements of the last query, in
// its order, followed by one empty row, in the shown columns. The query
// hands over the requirement numbers only; the rows themselves are read a
// page at a time when they are first shown, so a list of any length costs
// its numbers and the pages the user looks at. A long list may begin with
// its first numbers and its length alone: the rest of its numbers are read
// the first time a row past them is asked for.
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

    // Reads every number of the list, in its order.
    using RestLoader = std::function<Result<QList<qint32>>()>;

    void setPageLoader(PageLoader loader) { m_loader = std::move(loader); }
    // Replaces rows and columns at once.
    void reset(QList<qint32> numbers, QList<Column> columns);
    // The same for a list of `total` requirements of which the first numbers
    // are known; the rest reads them all when a row past them is needed.
    void reset(QList<qint32> first, qsizetype total, RestLoader rest, QList<Column> columns);
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
    // Reads the numbers past the first ones, once.
    void readRest() const;
    // Tells the views of a length that changed between the count and the
    // read of the rest (another user saved or deleted meanwhile).
    void settleRows();

    PageLoader m_loader;
    mutable RestLoader m_rest;
    // The rows the views were told of; the numbers read may differ until
    // settleRows() has run.
    int m_rows = 0;
    mutable QList<qint32> m_numbers;
    QList<Column> m_columns;
    QSet<qint32> m_suspect;
    mutable std::vector<std::unique_ptr<Page>> m_pages;
    mutable std::vector<bool> m_failedPages;
    mutable bool m_failureSaid = false;
};

} // namespace varn::central
