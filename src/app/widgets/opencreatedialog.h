#pragma once

#include <QDialog>

class QRadioButton;

namespace varn::app {

// The start dialog: open an existing workspace or create a new one.
class OpenCreateDialog : public QDialog
{
    Q_OBJECT

public:
    enum class Choice { Open, Create };

    explicit OpenCreateDialog(QWidget *parent = nullptr);

    Choice choice() const;
    void setChoice(Choice choice);

private:
    QRadioButton *m_open;
    QRadioButton *m_create;
};

} // namespace varn::app
