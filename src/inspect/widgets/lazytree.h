#pragma once

#include "common/outcome.h"

#include <QTreeWidget>

namespace varn::inspect {

// A tree over the object model that reads lazily: the top level is listed
// when the view is first shown, a node's children are read each time it is
// expanded and dropped when it collapses, so what changed meanwhile shows on
// the next expansion. Every node that can expand and has not been read holds
// one empty child, so that the tree shows its expand button. Nodes are shown
// whole (the tree scrolls sideways) and tell their text as a tooltip.
class LazyTree : public QTreeWidget
{
    Q_OBJECT

public:
    // Lists the top level, saying so when the model holds nothing.
    void listTopLevel();
    // Reads the tree again after the model changed under it, keeping the
    // expanded nodes and the current one where they still exist. An empty
    // model leaves the tree empty without a word (the first fill said so);
    // before the first fill there is nothing to read again.
    void refresh();
    // Adds "Requirements" to the context menu of the tree's classes: it asks
    // for the requirements that produced the class of the current node.
    void addRequirementsAction();

    // A 16-pixel picture: a coloured tile with a letter.
    static QIcon tile(const QColor &colour, char letter);

signals:
    void message(const varn::Outcome &outcome);
    void requirementsRequested(const QString &className);

protected:
    explicit LazyTree(QWidget *parent);

    virtual Result<QStringList> topLevelNames() const = 0;
    virtual QIcon topLevelIcon() const = 0;
    // Adds the children of an expandable node whose placeholder is gone.
    virtual void readChildren(QTreeWidgetItem *item) = 0;

    QTreeWidgetItem *addNode(QTreeWidgetItem *parent, const QString &text, const QIcon &icon,
                             bool expandable = false);
    // Passes the outcome's message on to the window; nothing when it has none.
    void showMessageOf(const Outcome &outcome);
    void showEvent(QShowEvent *event) override;

private:
    void readTopLevel(bool quietWhenEmpty);
    QTreeWidgetItem *nodeAt(const QStringList &path) const;
    void addPlaceholder(QTreeWidgetItem *item);
    void expandNode(QTreeWidgetItem *item);
    void collapseNode(QTreeWidgetItem *item);

    bool m_filled = false;
};

} // namespace varn::inspect
