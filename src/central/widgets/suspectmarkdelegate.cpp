#include "central/widgets/suspectmarkdelegate.h"

#include "central/requirementtablemodel.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace varn::central {

namespace {

bool isSuspect(const QModelIndex &index)
{
    return index.data(RequirementTableModel::kSuspectRole).toBool();
}

} // namespace

void SuspectMarkDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    if (!isSuspect(index))
        return;
    const QStyle *style = option.widget ? option.widget->style() : QApplication::style();
    const int side = std::min(option.rect.height() - 4, 14);
    const QRect mark(option.rect.right() - side - 2, option.rect.center().y() - side / 2, side,
                     side);
    style->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, option.widget).paint(painter, mark);
}

QSize SuspectMarkDelegate::sizeHint(const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (isSuspect(index))
        size.rwidth() += 18;
    return size;
}

} // namespace varn::central
