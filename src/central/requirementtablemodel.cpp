#include "central/requirementtablemodel.h"

namespace varn::central {

RequirementTableModel::RequirementTableModel(QObject *parent)
    : QAbstractTableModel(parent), m_columns{Column::Number}
{}

void RequirementTableModel::reset(QList<store::MasterReqRow> rows, QList<Column> columns)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_columns = std::move(columns);
    endResetModel();
}

void RequirementTableModel::setColumns(QList<Column> columns)
{
    beginResetModel();
    m_columns = std::move(columns);
    endResetModel();
}

const store::MasterReqRow *RequirementTableModel::requirementAt(int row) const
{
    return row >= 0 && row < m_rows.size() ? &m_rows.at(row) : nullptr;
}

int RequirementTableModel::rowCount(const QModelIndex &parent) const
{
    // The list always ends with one empty row.
    return parent.isValid() ? 0 : int(m_rows.size()) + 1;
}

int RequirementTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant RequirementTableModel::data(const QModelIndex &index, int role) const
{
    const store::MasterReqRow *requirement = requirementAt(index.row());
    if (!requirement || index.column() < 0 || index.column() >= m_columns.size())
        return {};
    const Column column = m_columns.at(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return CentralColumns::cellText(*requirement, column);
    case Qt::ToolTipRole:
        // The long texts are cut by their column; the tip shows them whole.
        if (column == Column::Requirement || column == Column::Comments)
            return CentralColumns::cellText(*requirement, column);
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant RequirementTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(CentralColumns::info(m_columns.at(section)).header);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

} // namespace varn::central
