#include "central/requirementtablemodel.h"

#include "central/centraltr.h"

#include <QHash>

#include <algorithm>
#include <utility>

namespace varn::central {

RequirementTableModel::RequirementTableModel(QObject *parent)
    : QAbstractTableModel(parent), m_columns{Column::Number}
{}

RequirementTableModel::~RequirementTableModel() = default;

void RequirementTableModel::reset(QList<qint32> numbers, QList<Column> columns)
{
    const qsizetype total = numbers.size();
    reset(std::move(numbers), total, {}, std::move(columns));
}

void RequirementTableModel::reset(QList<qint32> first, qsizetype total, BlockLoader rest,
                                  QList<Column> columns)
{
    beginResetModel();
    m_numbers = std::move(first);
    m_rest = m_numbers.size() < total ? std::move(rest) : BlockLoader();
    m_rows = int(m_rest ? total : m_numbers.size());
    m_headKey.reset();
    m_tail.clear();
    m_tailKey = {};
    m_forwardBlock = m_firstBlock;
    m_backwardBlock = m_firstBlock;
    m_columns = std::move(columns);
    const size_t pages = (size_t(m_rows) + kPageRows - 1) / kPageRows;
    m_pages.clear();
    m_pages.resize(pages);
    m_failedPages.assign(pages, false);
    m_failureSaid = false;
    m_changed = false;
    endResetModel();
}

bool RequirementTableModel::known(int row) const
{
    if (row < m_numbers.size())
        return true;
    if (!m_rest)
        return false;
    // Until the two ends meet, the last numbers are the last rows.
    const qsizetype tailStart = m_rows - m_tail.size();
    return m_numbers.size() <= tailStart && row >= tailStart && row < m_rows;
}

void RequirementTableModel::readTo(int row) const
{
    while (m_rest && !known(row)) {
        const qsizetype read = m_numbers.size();
        const qsizetype tailStart = m_rows - m_tail.size();
        // The nearer end reads on; when the ends overlap (more rows than
        // counted) the first numbers read on until they meet the last.
        const bool backward = tailStart > read && tailStart - 1 - row < row - read;
        if (!(backward ? readBackward() : readForward()))
            return;
    }
}

void RequirementTableModel::readAll() const
{
    while (m_rest && readForward()) {
    }
}

void RequirementTableModel::failed(const Outcome &outcome) const
{
    // The list keeps the numbers read; the rows past them stay empty.
    m_rest = BlockLoader();
    m_tail.clear();
    if (!m_failureSaid) {
        m_failureSaid = true;
        emit pageFailed(outcome.message());
    }
}

bool RequirementTableModel::readForward() const
{
    const qsizetype gap = m_rows - m_tail.size() - m_numbers.size();
    qsizetype rows = m_forwardBlock;
    // Up to and with the first of the numbers read from the end.
    if (!m_tail.isEmpty() && gap > 0)
        rows = std::min(rows, gap + 1);
    // The first block reads the first numbers again: a list whose start
    // changed since the query is taken as it is now.
    const bool fromStart = !m_headKey;
    if (fromStart)
        rows += m_numbers.size();
    Result<store::ListingBlock> block = m_rest(m_headKey, int(rows), false);
    if (!block) {
        failed(block.outcome());
        return false;
    }
    m_forwardBlock = std::min(m_forwardBlock * 8, kLargestBlock);
    qsizetype from = m_numbers.size();
    if (fromStart) {
        const bool sameStart =
            block->numbers.size() >= m_numbers.size() &&
            std::equal(m_numbers.cbegin(), m_numbers.cend(), block->numbers.cbegin());
        if (!sameStart)
            m_changed = true;
        m_numbers = std::move(block->numbers);
        from = 0;
        if (m_changed && !block->ended)
            changedMeanwhile();
    } else {
        m_numbers.append(block->numbers);
    }
    m_headKey = block->last;
    if (!m_tail.isEmpty()) {
        const qsizetype met = m_numbers.indexOf(m_tail.last(), from);
        if (met >= 0) {
            QList<qint32> whole = m_numbers.first(met);
            whole.reserve(met + m_tail.size());
            std::copy(m_tail.crbegin(), m_tail.crend(), std::back_inserter(whole));
            completeWith(std::move(whole));
            return true;
        }
    }
    if (block->ended) {
        // Whatever was read from the end has changed meanwhile.
        if (!m_tail.isEmpty())
            m_changed = true;
        const QList<qint32> whole = m_numbers;
        completeWith(whole);
    }
    return true;
}

bool RequirementTableModel::readBackward() const
{
    const qsizetype gap = m_rows - m_tail.size() - m_numbers.size();
    // Up to and with the last of the first numbers.
    const qsizetype rows = std::min(qsizetype(m_backwardBlock), gap + 1);
    const std::optional<store::ListingKey> after =
        m_tail.isEmpty() ? std::nullopt : std::optional<store::ListingKey>(m_tailKey);
    Result<store::ListingBlock> block = m_rest(after, int(rows), true);
    if (!block) {
        failed(block.outcome());
        return false;
    }
    m_backwardBlock = std::min(m_backwardBlock * 8, kLargestBlock);
    const qsizetype from = m_tail.size();
    m_tail.append(block->numbers);
    m_tailKey = block->last;
    if (!m_numbers.isEmpty()) {
        const qsizetype met = m_tail.indexOf(m_numbers.last(), from);
        if (met >= 0) {
            QList<qint32> whole = m_numbers;
            whole.reserve(m_numbers.size() + met);
            std::copy(m_tail.crbegin() + (m_tail.size() - met), m_tail.crend(),
                      std::back_inserter(whole));
            completeWith(std::move(whole));
            return true;
        }
    }
    if (block->ended) {
        // Read back to the first row without meeting the first numbers: the
        // list's start changed meanwhile.
        QList<qint32> whole(m_tail.crbegin(), m_tail.crend());
        if (!(whole.size() >= m_numbers.size() &&
              std::equal(m_numbers.cbegin(), m_numbers.cend(), whole.cbegin())))
            m_changed = true;
        completeWith(std::move(whole));
    }
    return true;
}

void RequirementTableModel::completeWith(QList<qint32> numbers) const
{
    m_numbers = std::move(numbers);
    m_tail.clear();
    m_rest = BlockLoader();
    if (m_numbers.size() != m_rows)
        m_changed = true;
    if (m_changed)
        changedMeanwhile();
}

void RequirementTableModel::changedMeanwhile() const
{
    // Saved or deleted meanwhile: the pages read hold other rows now.
    for (auto &page : m_pages)
        page.reset();
    std::fill(m_failedPages.begin(), m_failedPages.end(), false);
    if (m_settling)
        return;
    m_settling = true;
    // The views are told outside whatever asked for the row (a paint).
    QMetaObject::invokeMethod(const_cast<RequirementTableModel *>(this),
                              &RequirementTableModel::settleRows, Qt::QueuedConnection);
}

void RequirementTableModel::settleRows()
{
    m_settling = false;
    if (m_rest) {
        // The start changed; the length is known once the rest is read.
        if (m_rows > 0)
            emit dataChanged(index(0, 0), index(m_rows - 1, int(m_columns.size()) - 1));
        return;
    }
    m_changed = false;
    const int read = int(m_numbers.size());
    if (read > m_rows) {
        beginInsertRows({}, m_rows, read - 1);
        m_rows = read;
        endInsertRows();
    } else if (read < m_rows) {
        beginRemoveRows({}, read, m_rows - 1);
        m_rows = read;
        endRemoveRows();
    }
    // Pages read before this were cut at the old length.
    const size_t pages = (size_t(m_rows) + kPageRows - 1) / kPageRows;
    m_pages.clear();
    m_pages.resize(pages);
    m_failedPages.assign(pages, false);
    if (m_rows > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, int(m_columns.size()) - 1));
}

void RequirementTableModel::setColumns(QList<Column> columns)
{
    beginResetModel();
    m_columns = std::move(columns);
    endResetModel();
}

qint32 RequirementTableModel::numberAt(int row) const
{
    if (row < 0 || row >= m_rows)
        return 0;
    if (!known(row))
        readTo(row);
    if (row < m_numbers.size())
        return m_numbers.at(row);
    return known(row) ? m_tail.at(m_rows - 1 - row) : 0;
}

int RequirementTableModel::rowOf(qint32 number) const
{
    qsizetype row = m_numbers.indexOf(number);
    if (row < 0 && m_rest) {
        if (const qsizetype last = m_tail.indexOf(number);
            last >= 0 && known(int(m_rows - 1 - last)))
            return int(m_rows - 1 - last);
        readAll();
        row = m_numbers.indexOf(number);
    }
    return row < m_rows ? int(row) : -1;
}

const RequirementTableModel::Page *RequirementTableModel::page(int pageIndex) const
{
    if (size_t(pageIndex) >= m_pages.size())
        return nullptr;
    if (m_pages[pageIndex] || m_failedPages[pageIndex] || !m_loader)
        return m_pages[pageIndex].get();
    // A page of rows needs every number on it.
    const int first = pageIndex * kPageRows;
    const int end = std::min(first + kPageRows, m_rows);
    for (int row = first; row < end && m_rest; ++row) {
        if (!known(row))
            readTo(row);
    }
    if (size_t(pageIndex) >= m_pages.size() || (first >= m_numbers.size() && !known(first)))
        return nullptr;
    QList<qint32> numbers;
    numbers.reserve(end - first);
    for (int row = first; row < end; ++row) {
        const qint32 number = row < m_numbers.size() ? m_numbers.at(row)
                              : known(row)           ? m_tail.at(m_rows - 1 - row)
                                                     : 0;
        if (number == 0 && row >= m_numbers.size())
            break;
        numbers.append(number);
    }
    Result<QList<store::MasterReqRow>> read = m_loader(numbers);
    if (!read) {
        m_failedPages[pageIndex] = true;
        if (!m_failureSaid) {
            m_failureSaid = true;
            emit pageFailed(read.outcome().message());
        }
        return nullptr;
    }
    QHash<qint32, qsizetype> positions;
    for (qsizetype position = 0; position < read->size(); ++position)
        positions.insert(read->at(position).Req_Num, position);
    auto rows = std::make_unique<Page>();
    rows->reserve(size_t(numbers.size()));
    for (const qint32 number : numbers) {
        const auto found = positions.constFind(number);
        if (found != positions.constEnd()) {
            rows->push_back(read->at(*found));
        } else {
            rows->emplace_back();
            rows->back().Req_Num = number;
        }
    }
    m_pages[pageIndex] = std::move(rows);
    return m_pages[pageIndex].get();
}

const store::MasterReqRow *RequirementTableModel::requirementAt(int row) const
{
    if (row < 0 || row >= m_rows)
        return nullptr;
    const Page *rows = page(row / kPageRows);
    return rows && size_t(row % kPageRows) < rows->size() ? &(*rows)[size_t(row % kPageRows)]
                                                          : nullptr;
}

int RequirementTableModel::rowCount(const QModelIndex &parent) const
{
    // The list always ends with one empty row.
    return parent.isValid() ? 0 : m_rows + 1;
}

int RequirementTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant RequirementTableModel::data(const QModelIndex &index, int role) const
{
    if (index.row() >= m_rows || index.column() < 0 || index.column() >= m_columns.size())
        return {};
    const Column column = m_columns.at(index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    if (role == kSuspectRole)
        return m_suspect.contains(numberAt(index.row()));
    if (role == Qt::ToolTipRole && column == Column::Number &&
        m_suspect.contains(numberAt(index.row())))
        return Tr::tr("A link of this requirement is suspect: a requirement it is linked to "
                      "changed. The Suspect query lists them.");
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    // The long texts are cut by their column; the tip shows them whole.
    if (role == Qt::ToolTipRole && column != Column::Requirement && column != Column::Comments)
        return {};
    if (column == Column::Number) {
        const qint32 number = numberAt(index.row());
        return number != 0 ? QString::number(number) : QString();
    }
    const store::MasterReqRow *requirement = requirementAt(index.row());
    return requirement ? CentralColumns::cellText(*requirement, column) : QString();
}

QVariant RequirementTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return {};
    if (role == Qt::DisplayRole)
        return Tr::tr(CentralColumns::info(m_columns.at(section)).header);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

} // namespace varn::central
