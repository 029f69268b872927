#pragma once

#include "inspect/classoutline.h"
#include "inspect/widgets/lazytree.h"

namespace varn::inspect {

// The object model as a tree: the entities at the top level, and for an
// expanded entity the outline of its class in C++ or Java, with the values
// under each enumeration.
class CObjTreeView : public LazyTree
{
    Q_OBJECT

public:
    CObjTreeView(QString connectionName, OutlineLanguage language, QWidget *parent = nullptr);

    static QIcon icon(NodeImage image);

signals:
    // The entity of the newly selected node; empty when none is selected.
    void classSelected(const QString &entity);

protected:
    Result<QStringList> topLevelNames() const override { return m_outline.entityNames(); }
    QIcon topLevelIcon() const override { return icon(NodeImage::Entity); }
    void readChildren(QTreeWidgetItem *item) override;

private:
    ClassOutline m_outline;
    OutlineLanguage m_language;
};

} // namespace varn::inspect
