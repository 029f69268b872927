#pragma once

#include "change/impact.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;
class QTreeWidget;

namespace varn::app {
class Workbench;
} // namespace varn::app

namespace varn::change {

class ReachedListModel;

// The impact of a change to one requirement: the requirements that depend on
// it and those it depends on, each with its chain of links; the entities,
// attributes and methods it produced with the generated files and lines that
// declare them; and what its newest version changed in the object model.
// Another number shows another requirement's; Enter on a reached requirement
// shows its impact in turn.
class ImpactDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ImpactDialog(app::Workbench &workbench, QWidget *parent = nullptr);
    ~ImpactDialog() override;

    // False (with the message shown) when there is no such requirement or
    // the workspace cannot be read.
    bool showRequirement(int number);

    const ImpactReport &report() const { return m_report; }
    QLineEdit *numberBox() const { return m_number; }
    QPushButton *showButton() const { return m_show; }
    QLabel *headingLabel() const { return m_heading; }
    QTreeView *reachedView() const { return m_reached; }
    QTreeWidget *modelTree() const { return m_model; }
    QTreeWidget *deltaTree() const { return m_delta; }
    // Each row of the reached requirements as its cells joined by " | ".
    QStringList shownReached() const;

private:
    void fillModel();
    void fillDelta();

    app::Workbench &m_workbench;
    Impact m_impact;
    ImpactReport m_report;
    ReachedListModel *m_rows;
    QLineEdit *m_number;
    QPushButton *m_show;
    QLabel *m_heading;
    QLabel *m_reachedLabel;
    QTreeView *m_reached;
    QTreeWidget *m_model;
    QTreeWidget *m_delta;
};

} // namespace varn::change
