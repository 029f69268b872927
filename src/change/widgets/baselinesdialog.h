#pragma once

#include "change/baselines.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace varn::app {
class Workbench;
} // namespace varn::app

namespace varn::change {

// The workspace's baselines: each with when and by whom it was made and what
// it holds. Create freezes the live requirements under the name typed;
// Delete asks first; Compare... shows what changed since the selected one.
class BaselinesDialog : public QDialog
{
    Q_OBJECT

public:
    explicit BaselinesDialog(app::Workbench &workbench, QWidget *parent = nullptr);

    QTableWidget *list() const { return m_list; }
    QLineEdit *nameField() const { return m_name; }
    QLineEdit *commentField() const { return m_comment; }
    QPushButton *createButton() const { return m_create; }
    QPushButton *deleteButton() const { return m_delete; }
    QPushButton *compareButton() const { return m_compare; }
    QLabel *statusLabel() const { return m_status; }

    // The name of the selected baseline; empty when none is.
    QString selectedName() const;

private:
    void reload(const QString &select = {});
    void create();
    void remove();
    void compare();
    void updateButtons();

    app::Workbench &m_workbench;
    Baselines m_baselines;
    QTableWidget *m_list;
    QLineEdit *m_name;
    QLineEdit *m_comment;
    QPushButton *m_create;
    QPushButton *m_delete;
    QPushButton *m_compare;
    QLabel *m_status;
};

} // namespace varn::change
