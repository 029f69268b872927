#pragma once

#include "change/baselines.h"
#include "change/comparison.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QLabel;
class QListView;
class QPushButton;

namespace varn::app {
class Workbench;
} // namespace varn::app

namespace varn::change {

class ChangeListModel;

// What changed from one baseline to another, or to the live requirements:
// each requirement added, deleted or changed (the removed words struck out
// in red, the added ones in green, the attributes old -> new) and each link
// added or removed, filtered by kind. Export writes the comparison as a
// self-contained HTML change report.
class CompareDialog : public QDialog
{
    Q_OBJECT

public:
    // Which changes the list shows, in the order of the Show list.
    enum class Filter { All, Added, Deleted, Changed, Links };

    // Compares from the named baseline (the newest when empty) with the live
    // requirements at once.
    CompareDialog(app::Workbench &workbench, const QString &from, QWidget *parent = nullptr);
    ~CompareDialog() override;

    QComboBox *fromList() const { return m_from; }
    QComboBox *toList() const { return m_to; }
    QComboBox *filterList() const { return m_filter; }
    QListView *changeList() const { return m_list; }
    QLabel *countsLabel() const { return m_counts; }
    QPushButton *compareButton() const { return m_compare; }
    QPushButton *exportButton() const { return m_export; }

    const ChangeReport &report() const { return *m_report; }
    // The plain text of each row the list shows, in order.
    QStringList shownRows() const;

    // Compares the sets the lists name; false (with the message shown) when
    // one cannot be read.
    bool compare();
    // Shows a finished comparison: its counts and the rows of its changes.
    void showReport(ChangeReport report);
    // Asks for a file and writes the HTML change report there.
    void exportReport();

private:
    void applyFilter();

    app::Workbench &m_workbench;
    Baselines m_baselines;
    std::shared_ptr<const ChangeReport> m_report = std::make_shared<const ChangeReport>();
    bool m_compared = false;
    ChangeListModel *m_model;
    QComboBox *m_from;
    QComboBox *m_to;
    QComboBox *m_filter;
    QPushButton *m_compare;
    QListView *m_list;
    QLabel *m_counts;
    QPushButton *m_export;
};

} // namespace varn::change
