#pragma once

#include "interchange/requirementtrace.h"

#include <QDialog>

class QTreeWidget;

namespace varn::app {
class Workbench;
} // namespace varn::app

namespace varn::interchange {

// The trace as a tree: a requirement with the entities, attributes and
// methods it produced and the generated lines that hold them, or a class
// with the requirements that produced it. Double-clicking a requirement of
// a class traces that requirement in turn.
class TraceDialog : public QDialog
{
    Q_OBJECT

public:
    TraceDialog(app::Workbench &workbench, QWidget *parent = nullptr);

    // False (with the message shown) when there is nothing to trace.
    bool showRequirement(qint32 number);
    bool showEntity(const QString &name);

    QTreeWidget *tree() const { return m_tree; }

private:
    RequirementTrace m_trace;
    app::Workbench &m_workbench;
    QTreeWidget *m_tree;
};

} // namespace varn::interchange
