#include "inspect/widgets/cobjtreeview.h"

#include <QHeaderView>
#include <QPainter>

namespace varn::inspect {

namespace {

constexpr int kExpandableRole = Qt::UserRole + 1;

QTreeWidgetItem *entityOf(QTreeWidgetItem *item)
{
    while (item && item->parent())
        item = item->parent();
    return item;
}

} // namespace

CObjTreeView::CObjTreeView(QSqlDatabase database, OutlineLanguage language, QWidget *parent)
    : QTreeWidget(parent), m_outline(std::move(database)), m_language(language)
{
    setObjectName(QStringLiteral("objectModelTree"));
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setSortingEnabled(false);
    setIconSize(QSize(16, 16));
    connect(this, &QTreeWidget::itemExpanded, this, &CObjTreeView::expandNode);
    connect(this, &QTreeWidget::itemCollapsed, this, &CObjTreeView::collapseNode);
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { selectNode(current); });
}

// Small pictures drawn here: a coloured tile with the node kind's letter.
QIcon CObjTreeView::icon(NodeImage image)
{
    struct Look
    {
        QColor colour;
        char letter;
    };
    static const Look kLooks[] = {
        {QColor(153, 102, 51), 'C'}, {QColor(46, 125, 50), 'f'}, {QColor(21, 101, 192), 'm'},
        {QColor(106, 27, 154), 'p'}, {QColor(173, 20, 87), 'r'}, {QColor(97, 97, 97), 'v'},
        {QColor(239, 108, 0), 'E'},
    };
    const Look &look = kLooks[int(image)];
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(look.colour);
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(1, 1, 14, 14), 3, 3);
    QFont font = painter.font();
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QString(QLatin1Char(look.letter)));
    return QIcon(picture);
}

void CObjTreeView::showEvent(QShowEvent *event)
{
    QTreeWidget::showEvent(event);
    if (!m_filled)
        fill();
}

void CObjTreeView::fill()
{
    m_filled = true;
    clear();
    const Result<QStringList> entities = m_outline.entities();
    if (!entities) {
        report(entities.outcome());
        return;
    }
    for (const QString &entity : entities.value())
        addPlaceholder(addNode(nullptr, {entity, NodeImage::Entity, true}));
    sortItems(0, Qt::AscendingOrder);
}

QTreeWidgetItem *CObjTreeView::addNode(QTreeWidgetItem *parent, const OutlineNode &node)
{
    auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, node.text);
    item->setIcon(0, icon(node.image));
    item->setData(0, kExpandableRole, node.expandable);
    return item;
}

// An empty child, so that the node shows an expand button before it is read.
void CObjTreeView::addPlaceholder(QTreeWidgetItem *item)
{
    auto *placeholder = new QTreeWidgetItem(item);
    placeholder->setIcon(0, icon(NodeImage::Entity));
}

void CObjTreeView::expandNode(QTreeWidgetItem *item)
{
    if (!item->data(0, kExpandableRole).toBool())
        return;
    qDeleteAll(item->takeChildren());
    const Outline outline =
        item->parent() ? m_outline.enumerationValues(item->parent()->text(0), item->text(0))
                       : m_outline.members(item->text(0), m_language);
    for (const OutlineNode &node : outline.nodes) {
        QTreeWidgetItem *child = addNode(item, node);
        if (node.expandable)
            addPlaceholder(child);
    }
    report(outline.problem);
}

void CObjTreeView::collapseNode(QTreeWidgetItem *item)
{
    if (!item->parent() || item->childCount() > 0) {
        qDeleteAll(item->takeChildren());
        addPlaceholder(item);
    }
}

void CObjTreeView::selectNode(QTreeWidgetItem *current)
{
    if (QTreeWidgetItem *entity = entityOf(current))
        emit classSelected(entity->text(0));
}

void CObjTreeView::report(const Outcome &problem)
{
    if (problem.hasMessage())
        emit message(problem);
}

} // namespace varn::inspect
