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
    return m_frames[int(kind)];
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
    for (const QPointer<CChildFrame> &frame : m_frames)
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
    QWidget *view = m_features.createView(kind, m_workbench);
    if (!view) {
        m_workbench.showMessage(Outcome::refused(failedFrameMessage()));
        return nullptr;
    }
    auto *created = new CChildFrame(kind, view);
    m_frames[int(kind)] = created;
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
    const WindowKindInfo &info = WindowKinds::info(frame.kind());
    if (info.titlePrefix)
        frame.setWindowTitle(QString::fromLatin1(info.titlePrefix) +
                             m_workbench.app().systemName() + languageSuffix(frame.kind()));
    else if (frame.widget())
        frame.setWindowTitle(frame.widget()->windowTitle());
    if (!info.placedFlag || m_placed[int(frame.kind())])
        return;
    frame.move(info.firstPosition);
    frame.resize(frame.frameSizeFor(info.firstClientSize));
    m_placed[int(frame.kind())] = true;
}

QString WindowNavigator::languageSuffix(WindowKind kind) const
{
    // An open Object Model window shows the language it was opened in.
    if (kind != WindowKind::ObjectModel)
        return {};
    return m_workbench.objectModelLanguage() == Workbench::Language::Java
               ? QStringLiteral(" (Java)")
               : QStringLiteral(" (C++)");
}

void WindowNavigator::updateTitles()
{
    for (const QPointer<CChildFrame> &open : m_frames) {
        if (open)
            updateTitle(*open);
    }
}

void WindowNavigator::clearPlaced()
{
    m_placed.fill(false);
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
    m_frames[int(kind)] = nullptr;
    m_placed[int(kind)] = false;
    emit windowClosed(kind);
    if (!m_closingAll && openCount() == 0)
        emit lastWindowClosed();
}

void WindowNavigator::closeAll()
{
    m_closingAll = true;
    for (QPointer<CChildFrame> &open : m_frames) {
        if (open)
            open->closeWithoutCheck();
    }
    m_closingAll = false;
}

} // namespace varn::app
