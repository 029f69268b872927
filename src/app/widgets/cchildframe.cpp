#include "app/widgets/cchildframe.h"

#include "app/widgets/programicon.h"

#include <QCloseEvent>

namespace varn::app {

CChildFrame::CChildFrame(WindowKind kind, QWidget *view, QSize smallestClientSize, QWidget *parent)
    : QMdiSubWindow(parent), m_kind(kind), m_smallestClientSize(smallestClientSize)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(view);
    // Without an icon of its own the frame would show the toolkit's.
    setWindowIcon(ProgramIcon::icon());
}

void CChildFrame::applySmallestSize()
{
    setMinimumSize(frameSizeFor(m_smallestClientSize));
}

QSize CChildFrame::frameSizeFor(const QSize &clientSize) const
{
    const QMargins margins = contentsMargins();
    return clientSize.grownBy(margins);
}

void CChildFrame::closeWithoutCheck()
{
    m_checked = false;
    close();
}

void CChildFrame::closeEvent(QCloseEvent *event)
{
    if (m_checked && m_closeCheck && !m_closeCheck(*this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
    if (!event->isAccepted()) {
        m_checked = true;
        return;
    }
    // The view goes now rather than with the frame, later: the record sets
    // and database handles it holds must be gone before the workspace's
    // connections close, which the last frame's closing may start at once.
    if (QWidget *view = widget()) {
        setWidget(nullptr);
        delete view;
    }
    emit frameClosed(this);
}

} // namespace varn::app
