#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

#include <functional>
#include <string_view>

class QWidget;

namespace varn::app {

class Workbench;

// A kind of child window over the open workspace (one window per kind),
// named by the feature that registers it: a literal that lives as long as
// the program.
class WindowKind
{
public:
    constexpr WindowKind() = default;
    constexpr explicit WindowKind(std::string_view name) : m_name(name) {}

    constexpr std::string_view name() const { return m_name; }

    friend constexpr bool operator==(const WindowKind &, const WindowKind &) = default;
    friend constexpr auto operator<=>(const WindowKind &, const WindowKind &) = default;

private:
    std::string_view m_name;
};

// What a feature registers for a kind of child window.
struct WindowSpec
{
    WindowKind kind;
    // The window's name; that of the home window names the main tool bar.
    QString name;
    // The title: this text with the system name for %1, then the suffix;
    // without one the view's own title.
    QString title;
    std::function<QString(const Workbench &)> titleSuffix;
    // Where the window opens and the size of its client area; an empty size
    // leaves the view its own.
    QPoint firstPosition;
    QSize firstClientSize;
    // The user cannot shrink the client area below this.
    QSize smallestClientSize;
    // The "Go to" item of the View menu that the other windows show, in
    // the order of goToOrder; empty: none.
    QString goToItem;
    int goToOrder = 0;
    // The window that opens with the workspace: it shows every menu and the
    // main tool bar. The other windows show File, View, Window and Help and
    // the navigation tool bar.
    bool home = false;
    // Makes the view; nullptr when it cannot.
    std::function<QWidget *(Workbench &)> create;
    // Runs once the window has closed.
    std::function<void(Workbench &)> closed;
};

} // namespace varn::app
