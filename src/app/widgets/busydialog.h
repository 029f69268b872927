#pragma once

#include <QGuiApplication>
#include <QWidget>

namespace varn::app {

// A dialog working on the user-interface thread: disabled and showing the
// wait cursor for as long as this lives.
class BusyDialog
{
public:
    explicit BusyDialog(QWidget &dialog) : m_dialog(dialog)
    {
        m_dialog.setEnabled(false);
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~BusyDialog()
    {
        QGuiApplication::restoreOverrideCursor();
        m_dialog.setEnabled(true);
    }
    BusyDialog(const BusyDialog &) = delete;
    BusyDialog &operator=(const BusyDialog &) = delete;

private:
    QWidget &m_dialog;
};

} // namespace varn::app
