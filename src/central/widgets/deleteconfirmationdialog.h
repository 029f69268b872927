#pragma once

#include <QDialog>
#include <QList>

class QLabel;
class QListWidget;
class QPushButton;

namespace varn::central {

// The question Delete asks when other requirements depend on the one to be
// deleted: the text naming it, its dependents one per line in ascending
// order, and whether to go on; Yes accepts, No (the default) and Esc reject.
class DeleteConfirmationDialog : public QDialog
{
    Q_OBJECT

public:
    DeleteConfirmationDialog(int number, const QList<int> &dependents, QWidget *parent = nullptr);

    QString heading() const;
    QStringList dependents() const;
    QString question() const;
    QPushButton *yesButton() const { return m_yes; }
    QPushButton *noButton() const { return m_no; }

private:
    QLabel *m_heading;
    QListWidget *m_dependents;
    QLabel *m_question;
    QPushButton *m_yes;
    QPushButton *m_no;
};

} // namespace varn::central
