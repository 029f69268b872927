#pragma once

#include <QIdentityProxyModel>
#include <QList>

namespace varn::app {
class RequirementColumn;
}

namespace varn::central {

class RequirementTableModel;

// The list of requirements as the view shows it: Requirements Central's own
// columns, then the columns other features add, whose cells are asked of
// them for the rows on screen only.
class AddedColumnsModel : public QIdentityProxyModel
{
    Q_OBJECT

public:
    explicit AddedColumnsModel(RequirementTableModel &requirements, QObject *parent = nullptr);

    void addColumn(app::RequirementColumn *column);
    int ownColumnCount() const;
    // The added column a list column shows; nullptr for an own column.
    app::RequirementColumn *addedAt(int column) const;

    int columnCount(const QModelIndex &parent = {}) const override;
    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    QModelIndex sibling(int row, int column, const QModelIndex &index) const override;
    QModelIndex mapToSource(const QModelIndex &proxyIndex) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    RequirementTableModel &m_requirements;
    QList<app::RequirementColumn *> m_added;
};

} // namespace varn::central
