#include "central/widgets/addedcolumnsmodel.h"

#include "app/widgets/requirementlistextension.h"
#include "central/requirementtablemodel.h"

namespace varn::central {

AddedColumnsModel::AddedColumnsModel(RequirementTableModel &requirements, QObject *parent)
    : QIdentityProxyModel(parent), m_requirements(requirements)
{
    setSourceModel(&requirements);
}

void AddedColumnsModel::addColumn(app::RequirementColumn *column)
{
    const int at = columnCount();
    beginInsertColumns({}, at, at);
    m_added.append(column);
    endInsertColumns();
    connect(column, &app::RequirementColumn::cellsChanged, this, [this, column] {
        const int shown = ownColumnCount() + int(m_added.indexOf(column));
        const int rows = rowCount();
        if (rows > 0)
            emit dataChanged(index(0, shown), index(rows - 1, shown));
        emit headerDataChanged(Qt::Horizontal, shown, shown);
    });
}

int AddedColumnsModel::ownColumnCount() const
{
    return m_requirements.columnCount();
}

app::RequirementColumn *AddedColumnsModel::addedAt(int column) const
{
    const int added = column - ownColumnCount();
    return added >= 0 && added < m_added.size() ? m_added.at(added) : nullptr;
}

int AddedColumnsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ownColumnCount() + int(m_added.size());
}

QModelIndex AddedColumnsModel::index(int row, int column, const QModelIndex &parent) const
{
    if (parent.isValid() || row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    if (column >= ownColumnCount())
        return createIndex(row, column);
    return QIdentityProxyModel::index(row, column, parent);
}

QModelIndex AddedColumnsModel::parent(const QModelIndex &) const
{
    return {};
}

QModelIndex AddedColumnsModel::sibling(int row, int column, const QModelIndex &) const
{
    return index(row, column);
}

QModelIndex AddedColumnsModel::mapToSource(const QModelIndex &proxyIndex) const
{
    if (proxyIndex.isValid() && proxyIndex.column() >= ownColumnCount())
        return {};
    return QIdentityProxyModel::mapToSource(proxyIndex);
}

QVariant AddedColumnsModel::data(const QModelIndex &index, int role) const
{
    if (const app::RequirementColumn *column = addedAt(index.column())) {
        const qint32 number = m_requirements.numberAt(index.row());
        if (number <= 0)
            return {};
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
            return {};
        return column->cell(number, role);
    }
    return QIdentityProxyModel::data(index, role);
}

QVariant AddedColumnsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (const app::RequirementColumn *column = addedAt(section)) {
            if (role == Qt::DisplayRole)
                return column->header();
            if (role == Qt::TextAlignmentRole)
                return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
            return {};
        }
    }
    return QIdentityProxyModel::headerData(section, orientation, role);
}

Qt::ItemFlags AddedColumnsModel::flags(const QModelIndex &index) const
{
    if (addedAt(index.column()))
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return QIdentityProxyModel::flags(index);
}

} // namespace varn::central
