#include "inspect/widgets/lazytree.h"

#include "inspect/inspecttr.h"

#include <QAction>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTreeWidgetItemIterator>

namespace varn::inspect {

namespace {

constexpr int kExpandableRole = Qt::UserRole + 1;

// The texts of a node and its ancestors, from the top level down.
QStringList pathOf(const QTreeWidgetItem *item)
{
    QStringList path;
    for (; item; item = item->parent())
        path.prepend(item->text(0));
    return path;
}

} // namespace

LazyTree::LazyTree(QWidget *parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setIconSize(QSize(16, 16));
    // The column is as wide as its widest node; a narrow pane scrolls.
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
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

void LazyTree::addRequirementsAction()
{
    auto *requirements = new QAction(Tr::tr("&Requirements"), this);
    requirements->setObjectName(QStringLiteral("requirementsOfClass"));
    requirements->setStatusTip(Tr::tr("List the requirements that produced this class"));
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
        listTopLevel();
}

void LazyTree::listTopLevel()
{
    readTopLevel(false);
}

void LazyTree::refresh()
{
    if (!m_filled)
        return;
    QList<QStringList> expanded; // parents before their children
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        if ((*it)->isExpanded())
            expanded.append(pathOf(*it));
    }
    const QStringList current = pathOf(currentItem());
    const int scrolled = verticalScrollBar()->value();

    readTopLevel(true);
    for (const QStringList &path : std::as_const(expanded)) {
        if (QTreeWidgetItem *node = nodeAt(path))
            node->setExpanded(true); // reads its children afresh
    }
    // The current node, or the nearest of its ancestors still there.
    for (qsizetype depth = current.size(); depth > 0; --depth) {
        if (QTreeWidgetItem *node = nodeAt(current.first(depth))) {
            setCurrentItem(node);
            break;
        }
    }
    verticalScrollBar()->setValue(scrolled);
}

QTreeWidgetItem *LazyTree::nodeAt(const QStringList &path) const
{
    QTreeWidgetItem *node = nullptr;
    for (const QString &text : path) {
        QTreeWidgetItem *found = nullptr;
        const int count = node ? node->childCount() : topLevelItemCount();
        for (int k = 0; k < count && !found; ++k) {
            QTreeWidgetItem *child = node ? node->child(k) : topLevelItem(k);
            if (child->text(0) == text)
                found = child;
        }
        if (!found)
            return nullptr;
        node = found;
    }
    return node;
}

void LazyTree::readTopLevel(bool quietWhenEmpty)
{
    m_filled = true;
    clear();
    const Result<QStringList> names = topLevelNames();
    if (!names) {
        // An empty model is a plain notice; a failure to read stops.
        if (!quietWhenEmpty || names.outcome().kind() != MessageKind::Plain)
            showMessageOf(names.outcome());
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
    item->setToolTip(0, text);
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

void LazyTree::showMessageOf(const Outcome &outcome)
{
    if (outcome.hasMessage())
        emit message(outcome);
}

} // namespace varn::inspect
