#pragma once

#include "change/comparison.h"

#include <QAbstractListModel>
#include <QStyledItemDelegate>

namespace varn::change {

// The rows of a comparison, one for each requirement or link that changed:
// the plain text for a reader of the list (and the tests), and rich text with
// the removed and added words coloured for the delegate that paints it.
class ChangeListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    static constexpr int kRichTextRole = Qt::UserRole + 1;

    struct Row
    {
        QString plain;
        QString rich;
    };

    using QAbstractListModel::QAbstractListModel;

    void setRows(QList<Row> rows);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    static Row requirementRow(const RequirementChange &change);
    static Row linkRow(const LinkChange &link);

private:
    QList<Row> m_rows;
};

// Paints a row's rich text, the colours of the removed and added words kept
// on the selection.
class ChangeRowDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

} // namespace varn::change
