#pragma once

#include <QStyledItemDelegate>

namespace varn::central {

// Paints a requirement's number with a warning sign beside it when a link
// of the requirement is suspect (RequirementTableModel::kSuspectRole).
class SuspectMarkDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

} // namespace varn::central
