#include "inspect/widgets/cdatatreeview.h"

#include "inspect/inspecttr.h"

namespace varn::inspect {

CDataTreeView::CDataTreeView(QString connectionName, QWidget *parent)
    : LazyTree(parent), m_outline(std::move(connectionName))
{
    setObjectName(QStringLiteral("dataModelTree"));
    setAccessibleName(Tr::tr("Data Model"));
}

QIcon CDataTreeView::icon(ColumnImage image)
{
    struct Look
    {
        QColor colour;
        char letter;
    };
    static const Look kLooks[] = {
        {QColor(153, 102, 51), 'T'}, {QColor(198, 40, 40), 'K'}, {QColor(21, 101, 192), 'c'},
        {QColor(106, 27, 154), 'p'}, {QColor(173, 20, 87), 'r'}, {QColor(0, 121, 107), 'i'},
    };
    const Look &look = kLooks[int(image)];
    return tile(look.colour, look.letter);
}

// Only tables expand.
void CDataTreeView::readChildren(QTreeWidgetItem *item)
{
    const TableColumns columns = m_outline.columnsOf(item->text(0));
    for (const TableColumn &column : columns.columns)
        addNode(item, column.text, icon(column.image));
    showMessageOf(columns.problem);
}

} // namespace varn::inspect
