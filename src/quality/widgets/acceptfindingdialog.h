#pragma once

#include "quality/finding.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace varn::quality {

// Asks for the reason a reviewer accepts one finding of one requirement.
class AcceptFindingDialog : public QDialog
{
    Q_OBJECT

public:
    AcceptFindingDialog(qint32 number, const Finding &finding, QWidget *parent = nullptr);

    QString reason() const;
    QLineEdit *reasonBox() const { return m_reason; }
    QPushButton *acceptButton() const { return m_ok; }

private:
    QLineEdit *m_reason;
    QPushButton *m_ok;
};

} // namespace varn::quality
