#pragma once

#include "app/apptr.h"
#include "app/widgets/windowkind.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <map>
#include <set>

class QMdiArea;
class QMdiSubWindow;

namespace varn::app {

class CChildFrame;
class FeatureRegistry;
class MessagePresenter;
class Workbench;

// The child windows of the open workspace, one per kind: raises a window
// that is open or opens it, gives it its title and, the first time, its
// place and size; clears a kind's placement when its window closes.
class WindowNavigator : public QObject
{
    Q_OBJECT

public:
    WindowNavigator(QMdiArea &area, Workbench &workbench, const FeatureRegistry &features,
                    QObject *parent = nullptr);

    // nullptr when the view cannot be made ("Error: failed to create a new
    // frame.").
    CChildFrame *raiseOrOpen(WindowKind kind);
    CChildFrame *frame(WindowKind kind) const;
    // The kind of the active child window; false without one.
    bool activeKind(WindowKind *kind) const;
    int openCount() const;

    bool isPlaced(WindowKind kind) const { return m_placed.count(kind) > 0; }
    void clearPlaced();
    // Title (and first placement) of every open window.
    void updateTitles();

    // Closes every window without asking.
    void closeAll();
    // Asked when the user closes the last window of the workspace; false
    // keeps it open.
    void setLastWindowCheck(std::function<bool()> check) { m_lastWindowCheck = std::move(check); }

    static QString failedFrameMessage() { return Tr::tr("Error: failed to create a new frame."); }

signals:
    void activeKindChanged();
    void lastWindowClosed();
    void windowClosed(varn::app::WindowKind kind);

private:
    void updateTitle(CChildFrame &frame);
    bool mayClose(CChildFrame &frame);
    void forget(CChildFrame *frame);

    QMdiArea &m_area;
    Workbench &m_workbench;
    const FeatureRegistry &m_features;
    std::map<WindowKind, QPointer<CChildFrame>> m_frames;
    std::set<WindowKind> m_placed;
    std::function<bool()> m_lastWindowCheck;
    bool m_closingAll = false;
};

} // namespace varn::app
