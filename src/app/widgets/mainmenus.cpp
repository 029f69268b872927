#include "app/widgets/mainmenus.h"

#include "app/widgets/featureregistry.h"
#include "app/widgets/mainactions.h"

#include <QAction>
#include <QMenu>

#include <algorithm>
#include <tuple>

namespace varn::app {

namespace {

struct Entry
{
    MenuGroup group;
    int order;
    int registered; // the order of registration, for equal orders
    QAction *action;
};

} // namespace

MainMenus::MainMenus(const MainActions &actions, const FeatureRegistry &features, QWidget *owner)
    : m_actions(actions), m_owner(owner)
{
    m_menus[std::nullopt] = build(MenuSet::Main, std::nullopt);
    for (const WindowSpec *window : features.windows())
        m_menus[window->kind] = build(window->home ? MenuSet::Full : MenuSet::Child, window->kind);
}

QList<QMenu *> MainMenus::build(MenuSet set, std::optional<WindowKind> kind)
{
    QList<QMenu *> menus;
    for (const MenuId menu : MenuLayout::menusOf(set))
        menus.append(build(menu, set, kind));
    return menus;
}

QMenu *MainMenus::build(MenuId menu, MenuSet set, std::optional<WindowKind> kind)
{
    QList<Entry> entries;
    const QList<MainActions::Placed> &placed = m_actions.placed();
    for (int at = 0; at < placed.size(); ++at) {
        const MainActions::Placed &item = placed.at(at);
        if (kind && item.leftOutOf == kind)
            continue;
        for (const MenuPlace &place : item.places) {
            if (MenuLayout::menuOf(place.group) == menu && place.sets.testFlag(set))
                entries.append({place.group, place.order, at, item.action});
        }
    }
    std::sort(entries.begin(), entries.end(), [](const Entry &one, const Entry &other) {
        return std::tuple(one.group, one.order, one.registered) <
               std::tuple(other.group, other.order, other.registered);
    });

    auto *made = new QMenu(MenuLayout::title(menu), m_owner);
    // A disabled item's tip says why it is disabled.
    made->setToolTipsVisible(true);
    for (int at = 0; at < entries.size(); ++at) {
        if (at > 0 && entries.at(at).group != entries.at(at - 1).group)
            made->addSeparator();
        made->addAction(entries.at(at).action);
    }
    if (menu == MenuId::Window) {
        // The open windows follow.
        made->addSeparator();
        m_windowMenus.append(made);
    }
    return made;
}

QList<QMenu *> MainMenus::forKind(std::optional<WindowKind> kind) const
{
    const auto found = m_menus.find(kind);
    return found == m_menus.end() ? m_menus.at(std::nullopt) : found->second;
}

QList<QMenu *> MainMenus::all() const
{
    QList<QMenu *> every;
    for (const auto &[kind, menus] : m_menus)
        every += menus;
    return every;
}

} // namespace varn::app
