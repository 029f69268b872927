#pragma once

#include <QList>
#include <QString>

class QPushButton;
class QWidget;

namespace varn::app {

// The push buttons of one window, made alike and found again by their text.
class ButtonSet
{
public:
    // A button that never becomes a dialog's default, named for screen
    // readers by its text.
    QPushButton *add(QWidget *owner, const QString &text, const QString &tooltip = {});
    QPushButton *find(const QString &text) const;
    const QList<QPushButton *> &all() const { return m_buttons; }

private:
    QList<QPushButton *> m_buttons;
};

} // namespace varn::app
