#pragma once

#include "inspect/tableoutline.h"
#include "inspect/widgets/lazytree.h"

namespace varn::inspect {

// The relational data model as a tree: the tables at the top level, and for
// an expanded table its columns as the SQL module declares them.
class CDataTreeView : public LazyTree
{
    Q_OBJECT

public:
    explicit CDataTreeView(QString connectionName, QWidget *parent = nullptr);

    static QIcon icon(ColumnImage image);

protected:
    Result<QStringList> topLevelNames() const override { return m_outline.tableNames(); }
    QIcon topLevelIcon() const override { return icon(ColumnImage::Table); }
    void readChildren(QTreeWidgetItem *item) override;

private:
    TableOutline m_outline;
};

} // namespace varn::inspect
