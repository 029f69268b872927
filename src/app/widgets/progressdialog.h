#pragma once

#include "app/widgets/progresspanel.h"

#include <QDialog>

class QDialogButtonBox;
class QPushButton;
class QVBoxLayout;

namespace varn::app {

// A dialog that runs one piece of work on the user-interface thread: any
// choices at the top, the progress panel, and the buttons "Generate" (which
// runs the work) and "Close".
class ProgressDialog : public QDialog
{
    Q_OBJECT

public:
    ProgressPanel *panel() const { return m_panel; }
    QPushButton *generateButton() const { return m_generate; }

    // The Generate button.
    virtual void generate() = 0;

protected:
    ProgressDialog(const QString &title, ProgressPanel::Processed processed, QWidget *parent);

    void setBackground(const QColor &colour);
    // Placed above the progress panel.
    void addChoices(QWidget *choices);
    // A button of the dialog's own, before Close.
    QPushButton *addButton(const QString &text);

private:
    QVBoxLayout *m_layout;
    ProgressPanel *m_panel;
    QPushButton *m_generate;
    QDialogButtonBox *m_buttons;
};

} // namespace varn::app
