#include "app/widgets/windownavigator.h"

#include "app/cvarnapp.h"
#include "app/widgets/cchildframe.h"
#include "app/widgets/featureregistry.h"
#include "app/widgets/workbench.h"

#include <QMdiArea>

namespace varn::app {

WindowNavigator::WindowNavigator(QMdiArea &area, Workbench &workbench,
                                 const FeatureRegistry &features, QObject *parent)
    : QObject(parent), m_area(area), m_workbench(workbench), m_features(features)
{
    connect(&m_area, &QMdiArea::subWindowActivated, this, &WindowNavigator::activeKindChanged);
}

CChildFrame *WindowNavigator::frame(WindowKind kind) const
{
    const auto found = m_frames.find(kind);
    return found == m_frames.end() ? nullptr : found->second.data();
}

bool WindowNavigator::activeKind(WindowKind *kind) const
{
    const auto *active = qobject_cast<CChildFrame *>(m_area.activeSubWindow());
    if (!active)
        return false;
    *kind = active->kind();
    return true;
}

int WindowNavigator::openCount() const
{
    int count = 0;
    for (const auto &[kind, frame] : m_frames)
        count += frame ? 1 : 0;
    return count;
}

CChildFrame *WindowNavigator::raiseOrOpen(WindowKind kind)
{
    if (CChildFrame *open = frame(kind)) {
        if (open->isMinimized())
            open->showNormal();
        open->show();
        m_area.setActiveSubWindow(open);
        open->raise();
        return open;
    }
    const WindowSpec *window = m_features.window(kind);
    QWidget *view = window ? m_features.createView(kind, m_workbench) : nullptr;
    if (!view) {
        m_workbench.showMessage(Outcome::refused(failedFrameMessage()));
        return nullptr;
    }
    auto *created = new CChildFrame(kind, view, window->smallestClientSize);
    m_frames[kind] = created;
    created->setCloseCheck([this](CChildFrame &closing) { return mayClose(closing); });
    connect(created, &CChildFrame::frameClosed, this, &WindowNavigator::forget);
    m_area.addSubWindow(created);
    created->applySmallestSize();
    updateTitle(*created);
    created->show();
    m_area.setActiveSubWindow(created);
    return created;
}

void WindowNavigator::updateTitle(CChildFrame &frame)
{
    const WindowSpec *window = m_features.window(frame.kind());
    if (!window)
        return;
    if (!window->title.isEmpty())
        frame.setWindowTitle(window->title.arg(m_workbench.app().systemName()) +
                             (window->titleSuffix ? window->titleSuffix(m_workbench) : QString()));
    else if (frame.widget())
        frame.setWindowTitle(frame.widget()->windowTitle());
    if (m_placed.count(frame.kind()))
        return;
    frame.move(window->firstPosition);
    if (!window->firstClientSize.isEmpty())
        frame.resize(frame.frameSizeFor(window->firstClientSize));
    m_placed.insert(frame.kind());
}

void WindowNavigator::updateTitles()
{
    for (const auto &[kind, open] : m_frames) {
        if (open)
            updateTitle(*open);
    }
}

void WindowNavigator::clearPlaced()
{
    m_placed.clear();
}

bool WindowNavigator::mayClose(CChildFrame &)
{
    // The last window of the workspace closes the workspace, with its check.
    if (m_closingAll || openCount() > 1 || !m_lastWindowCheck)
        return true;
    return m_lastWindowCheck();
}

void WindowNavigator::forget(CChildFrame *closed)
{
    const WindowKind kind = closed->kind();
    m_frames.erase(kind);
    m_placed.erase(kind);
    emit windowClosed(kind);
    if (!m_closingAll && openCount() == 0)
        emit lastWindowClosed();
}

void WindowNavigator::closeAll()
{
    m_closingAll = true;
    // Closing a frame forgets it: close those of a copy.
    const std::map<WindowKind, QPointer<CChildFrame>> frames = m_frames;
    for (const auto &[kind, open] : frames) {
        if (open)
            open->closeWithoutCheck();
    }
    m_closingAll = false;
}

} // namespace varn::app
