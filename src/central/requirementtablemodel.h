#pragma once

#include "central/centralcolumns.h"
#include "store/creqmsset.h"

#include <QAbstractTableModel>
#include <QList>

namespace varn::central {

// The list of Requirements Central: the requirement rows of the last query
// followed by one empty row, in the shown columns. Cells are formed when
// they are painted, so a long result costs only its rows.
class RequirementTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit RequirementTableModel(QObject *parent = nullptr);

    // Replaces rows and columns at once.
    void reset(QList<store::MasterReqRow> rows, QList<Column> columns);
    void setColumns(QList<Column> columns);

    const QList<Column> &columns() const { return m_columns; }
    int requirementCount() const { return int(m_rows.size()); }
    // The requirement of a list row; nullptr for the empty row or outside.
    const store::MasterReqRow *requirementAt(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QList<store::MasterReqRow> m_rows;
    QList<Column> m_columns;
};

} // namespace varn::central
