#pragma once

#include "app/widgets/windowkind.h"

#include <QMdiSubWindow>

#include <functional>

namespace varn::app {

// The frame of one child window: its kind, its smallest size, and the check
// that runs when the user closes it.
class CChildFrame : public QMdiSubWindow
{
    Q_OBJECT

public:
    CChildFrame(WindowKind kind, QWidget *view, QSize smallestClientSize,
                QWidget *parent = nullptr);

    WindowKind kind() const { return m_kind; }

    // Asked before the frame closes by the user; false keeps it open.
    void setCloseCheck(std::function<bool(CChildFrame &)> check)
    {
        m_closeCheck = std::move(check);
    }
    // Closes without asking (the workspace is closing).
    void closeWithoutCheck();

    // The smallest size to which the user can shrink the frame; its border
    // is known once the frame is in its area.
    void applySmallestSize();
    // The frame size that gives the view a client area of that size.
    QSize frameSizeFor(const QSize &clientSize) const;

signals:
    void frameClosed(varn::app::CChildFrame *frame);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    WindowKind m_kind;
    QSize m_smallestClientSize;
    std::function<bool(CChildFrame &)> m_closeCheck;
    bool m_checked = true;
};

} // namespace varn::app
