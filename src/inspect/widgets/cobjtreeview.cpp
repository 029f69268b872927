#include "inspect/widgets/cobjtreeview.h"

#include "inspect/inspecttr.h"

namespace varn::inspect {

namespace {

QTreeWidgetItem *topLevelOf(QTreeWidgetItem *item)
{
    while (item && item->parent())
        item = item->parent();
    return item;
}

} // namespace

CObjTreeView::CObjTreeView(QString connectionName, OutlineLanguage language, QWidget *parent)
    : LazyTree(parent), m_outline(std::move(connectionName)), m_language(language)
{
    setObjectName(QStringLiteral("objectModelTree"));
    setAccessibleName(Tr::tr("Object Model"));
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *current) {
        const QTreeWidgetItem *entity = topLevelOf(current);
        emit classSelected(entity ? entity->text(0) : QString());
    });
}

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
    return tile(look.colour, look.letter);
}

void CObjTreeView::readChildren(QTreeWidgetItem *item)
{
    const Outline outline =
        item->parent() ? m_outline.enumerationValues(item->parent()->text(0), item->text(0))
                       : m_outline.membersOf(item->text(0), m_language);
    for (const OutlineNode &node : outline.nodes)
        addNode(item, node.text, icon(node.image), node.expandable);
    showMessageOf(outline.problem);
}

} // namespace varn::inspect
