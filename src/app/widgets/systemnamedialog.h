#pragma once

#include <QDialog>

class QLineEdit;

namespace varn::app {

class MessagePresenter;

// Asks for the name of the system a new workspace specifies. OK keeps the
// dialog open with a message while the name is empty or unusable.
class SystemNameDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SystemNameDialog(MessagePresenter &presenter, QWidget *parent = nullptr);

    QString systemName() const;
    QLineEdit *nameEdit() const { return m_name; }

    void accept() override;

private:
    MessagePresenter &m_presenter;
    QLineEdit *m_name;
};

} // namespace varn::app
