#pragma once

#include "inspect/modelbrowser.h"

#include <QDialog>

class QListWidget;
class QPushButton;

namespace varn::app {
class Workbench;
}

namespace varn::inspect {

// One of the three browsing dialogs: every entity on the left, the See
// button under them, the dialog's result lists on the right, and Close.
class ModelBrowserDialog : public QDialog
{
    Q_OBJECT

public:
    ModelBrowserDialog(app::Workbench &workbench, BrowserKind kind, QWidget *parent = nullptr);

    // Fills the result lists for the selected entity: the See button, or a
    // double click on an entity.
    void showSelectedEntity();

    QListWidget *entityList() const { return m_entities; }
    QPushButton *seeButton() const { return m_see; }
    const QList<QListWidget *> &resultLists() const { return m_results; }

private:
    void clearResults();

    app::Workbench &m_workbench;
    const BrowserSpec &m_spec;
    ModelBrowser m_browser;
    QListWidget *m_entities;
    QPushButton *m_see;
    QList<QListWidget *> m_results;
};

} // namespace varn::inspect
