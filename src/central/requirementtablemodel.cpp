#include "central/requirementtablemodel.h"

#include "central/centraltr.h"

#include <QHash>

namespace varn::central {

RequirementTableModel::RequirementTableModel(QObject *parent)
    : QAbstractTableModel(parent), m_columns{Column::Number}
{}

RequirementTableModel::~RequirementTableModel() = default;

void RequirementTableModel::reset(QList<qint32> numbers, QList<Column> columns)
{
    beginResetModel();
    m_numbers = std::move(numbers);
    m_columns = std::move(columns);
    const size_t pages = (size_t(m_numbers.size()) + kPageRows - 1) / kPageRows;
    m_pages.clear();
    m_pages.resize(pages);
    m_failedPages.assign(pages, false);
    m_failureSaid = false;
    endResetModel();
}

void RequirementTableModel::setColumns(QList<Column> columns)
{
    beginResetModel();
    m_columns = std::move(columns);
    endResetModel();
}

qint32 RequirementTableModel::numberAt(int row) const
{
    return row >= 0 && row < m_numbers.size() ? m_numbers.at(row) : 0;
}

const RequirementTableModel::Page *RequirementTableModel::page(int pageIndex) const
{
    if (m_pages[pageIndex] || m_failedPages[pageIndex] || !m_loader)
        return m_pages[pageIndex].get();
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
    if (row < 0 || row >= m_numbers.size())
        return nullptr;
    const Page *rows = page(row / kPageRows);
    return rows ? &(*rows)[size_t(row % kPageRows)] : nullptr;
}

int RequirementTableModel::rowCount(const QModelIndex &parent) const
{
    // The list always ends with one empty row.
    return parent.isValid() ? 0 : int(m_numbers.size()) + 1;
}

int RequirementTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant RequirementTableModel::data(const QModelIndex &index, int role) const
{
    if (index.row() >= m_numbers.size() || index.column() < 0 || index.column() >= m_columns.size())
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
    if (column == Column::Number)
        return QString::number(numberAt(index.row()));
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
