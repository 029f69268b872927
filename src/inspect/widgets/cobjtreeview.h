#pragma once

#include "common/outcome.h"
#include "inspect/classoutline.h"

#include <QTreeWidget>

namespace varn::inspect {

// The object model as a tree: the entities at the top level, and for an
// expanded entity the outline of its class in C++ or Java. Members are read
// when an entity is expanded and dropped when it collapses, so what changed
// meanwhile shows on the next expansion.
class CObjTreeView : public QTreeWidget
{
    Q_OBJECT

public:
    CObjTreeView(QSqlDatabase database, OutlineLanguage language, QWidget *parent = nullptr);

    // Lists the entities; done once, when the view is first shown.
    void fill();
    static QIcon icon(NodeImage image);

signals:
    // The entity of the newly selected node.
    void classSelected(const QString &entity);
    void message(const varn::Outcome &outcome);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void expandNode(QTreeWidgetItem *item);
    void collapseNode(QTreeWidgetItem *item);
    void selectNode(QTreeWidgetItem *current);
    QTreeWidgetItem *addNode(QTreeWidgetItem *parent, const OutlineNode &node);
    static void addPlaceholder(QTreeWidgetItem *item);
    void report(const Outcome &problem);

    ClassOutline m_outline;
    OutlineLanguage m_language;
    bool m_filled = false;
};

} // namespace varn::inspect
