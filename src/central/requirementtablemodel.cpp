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

void RequirementTableModel::reset(QList<qint32> first, qsizetype total, RestLoader rest,
                                  QList<Column> columns)
{
    beginResetModel();
    m_numbers = std::move(first);
    m_rest = m_numbers.size() < total ? std::move(rest) : RestLoader();
    m_rows = int(m_rest ? total : m_numbers.size());
    m_columns = std::move(columns);
    const size_t pages = (size_t(m_rows) + kPageRows - 1) / kPageRows;
    m_pages.clear();
    m_pages.resize(pages);
    m_failedPages.assign(pages, false);
    m_failureSaid = false;
    endResetModel();
}

void RequirementTableModel::readRest() const
{
    if (!m_rest)
        return;
    const RestLoader rest = std::exchange(m_rest, RestLoader());
    Result<QList<qint32>> all = rest();
    if (!all) {
        if (!m_failureSaid) {
            m_failureSaid = true;
            emit pageFailed(all.outcome().message());
        }
        return;
    }
    const qsizetype known = m_numbers.size();
    const bool sameStart =
        all->size() >= known && std::equal(m_numbers.cbegin(), m_numbers.cend(), all->cbegin());
    m_numbers = all.takeValue();
    if (sameStart && m_numbers.size() == m_rows)
        return;
    // Saved or deleted meanwhile: the pages read hold other rows now.
    for (auto &page : m_pages)
        page.reset();
    std::fill(m_failedPages.begin(), m_failedPages.end(), false);
    // The views are told outside whatever asked for the row (a paint).
    QMetaObject::invokeMethod(const_cast<RequirementTableModel *>(this),
                              &RequirementTableModel::settleRows, Qt::QueuedConnection);
}

void RequirementTableModel::settleRows()
{
    if (m_rest)
        return;
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
    const size_t pages = (size_t(m_rows) + kPageRows - 1) / kPageRows;
    m_pages.resize(pages);
    m_failedPages.resize(pages, false);
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
    if (row >= m_numbers.size())
        readRest();
    return row < m_numbers.size() ? m_numbers.at(row) : 0;
}

int RequirementTableModel::rowOf(qint32 number) const
{
    qsizetype row = m_numbers.indexOf(number);
    if (row < 0 && m_rest) {
        readRest();
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
    if (qsizetype(pageIndex + 1) * kPageRows > m_numbers.size())
        readRest();
    if (qsizetype(pageIndex) * kPageRows >= m_numbers.size())
        return nullptr;
    const QList<qint32> numbers = m_numbers.mid(qsizetype(pageIndex) * kPageRows, kPageRows);
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
