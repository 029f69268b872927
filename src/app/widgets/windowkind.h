#pragma once

#include <QPoint>
#include <QSize>

#include <span>

namespace varn::app {

// The kinds of child window over the open workspace, one window per kind.
enum class WindowKind {
    RequirementsCentral,
    FunctionalNavigator,
    StructuralNavigator,
    ObjectModel,
    DataModel,
    GeneratedFile,
};

inline constexpr int kWindowKindCount = 6;

struct WindowKindInfo
{
    WindowKind kind;
    const char *titlePrefix; // followed by the system name; nullptr: the view's own title
    QPoint firstPosition;
    QSize firstClientSize; // empty: the view's own size
    QSize smallestClientSize;
    const char *goToItem; // the View menu's "Go to" item; nullptr: none
    bool placedFlag;      // the kind's first placement is remembered
};

class WindowKinds
{
public:
    static std::span<const WindowKindInfo> all();
    static const WindowKindInfo &info(WindowKind kind);
};

} // namespace varn::app
