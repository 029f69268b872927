#include "inspect/widgets/lazytree.h"

#include <QAction>
#include <QPainter>

namespace varn::inspect {

namespace {

constexpr int kExpandableRole = Qt::UserRole + 1;

} // namespace

LazyTree::LazyTree(QWidget *parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setIconSize(QSize(16, 16));
    connect(this, &QTreeWidget::itemExpanded, this, &LazyTree::expandNode);
    connect(this, &QTreeWidget::itemCollapsed, this, &LazyTree::collapseNode);
}

QIcon LazyTree::tile(const QColor &colour, char letter)
{
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(colour);
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(1, 1, 14, 14), 3, 3);
    QFont font = painter.font();
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QString(QLatin1Char(letter)));
    return QIcon(picture);
}

void LazyTree::offerRequirements()
{
    auto *requirements = new QAction(QStringLiteral("&Requirements"), this);
    requirements->setObjectName(QStringLiteral("requirementsOfClass"));
    requirements->setStatusTip(QStringLiteral("List the requirements that produced this class"));
    requirements->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    requirements->setShortcutContext(Qt::WidgetShortcut);
    addAction(requirements);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(requirements, &QAction::triggered, this, [this] {
        QTreeWidgetItem *item = currentItem();
        while (item && item->parent())
            item = item->parent();
        if (item)
            emit requirementsRequested(item->text(0));
    });
}

void LazyTree::showEvent(QShowEvent *event)
{
    QTreeWidget::showEvent(event);
    if (!m_filled)
        fill();
}

void LazyTree::fill()
{
    m_filled = true;
    clear();
    const Result<QStringList> names = topLevelNames();
    if (!names) {
        report(names.outcome());
        return;
    }
    for (const QString &name : names.value())
        addNode(nullptr, name, topLevelIcon(), true);
    sortItems(0, Qt::AscendingOrder);
}

QTreeWidgetItem *LazyTree::addNode(QTreeWidgetItem *parent, const QString &text, const QIcon &icon,
                                   bool expandable)
{
    auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, text);
    item->setIcon(0, icon);
    item->setData(0, kExpandableRole, expandable);
    if (expandable)
        addPlaceholder(item);
    return item;
}

void LazyTree::addPlaceholder(QTreeWidgetItem *item)
{
    auto *placeholder = new QTreeWidgetItem(item);
    placeholder->setIcon(0, topLevelIcon());
}

void LazyTree::expandNode(QTreeWidgetItem *item)
{
    if (!item->data(0, kExpandableRole).toBool())
        return;
    qDeleteAll(item->takeChildren());
    readChildren(item);
}

void LazyTree::collapseNode(QTreeWidgetItem *item)
{
    if (!item->parent() || item->childCount() > 0) {
        qDeleteAll(item->takeChildren());
        addPlaceholder(item);
    }
}

void LazyTree::report(const Outcome &problem)
{
    if (problem.hasMessage())
        emit message(problem);
}

} // namespace varn::inspect
