#include "app/widgets/menulayout.h"

#include "app/apptr.h"

#include <iterator>

namespace varn::app {

namespace {

struct GroupOf
{
    MenuGroup group;
    MenuId menu;
};

constexpr GroupOf kGroups[] = {
    {MenuGroup::FileWorkspace, MenuId::File},
    {MenuGroup::FilePrint, MenuId::File},
    {MenuGroup::FileExchange, MenuId::File},
    {MenuGroup::FileRecent, MenuId::File},
    {MenuGroup::FileExit, MenuId::File},
    {MenuGroup::Edit, MenuId::Edit},
    {MenuGroup::ViewBars, MenuId::View},
    {MenuGroup::ViewColours, MenuId::View},
    {MenuGroup::ViewGoTo, MenuId::View},
    {MenuGroup::Record, MenuId::Record},
    {MenuGroup::Display, MenuId::Display},
    {MenuGroup::Compose, MenuId::Compose},
    {MenuGroup::TemplatesBuilder, MenuId::Templates},
    {MenuGroup::TemplatesFunctional, MenuId::Templates},
    {MenuGroup::TemplatesStructural, MenuId::Templates},
    {MenuGroup::InspectWindows, MenuId::Inspect},
    {MenuGroup::InspectBrowsers, MenuId::Inspect},
    {MenuGroup::Generate, MenuId::Generate},
    {MenuGroup::Utilities, MenuId::Utilities},
    {MenuGroup::WindowArrange, MenuId::Window},
    {MenuGroup::Help, MenuId::Help},
};
static_assert(std::size(kGroups) == int(MenuGroup::Help) + 1);

constexpr const char *kTitles[] = {
    QT_TRANSLATE_NOOP("varn::app", "&File"),      QT_TRANSLATE_NOOP("varn::app", "&Edit"),
    QT_TRANSLATE_NOOP("varn::app", "&View"),      QT_TRANSLATE_NOOP("varn::app", "&Record"),
    QT_TRANSLATE_NOOP("varn::app", "&Display"),   QT_TRANSLATE_NOOP("varn::app", "&Compose"),
    QT_TRANSLATE_NOOP("varn::app", "&Templates"), QT_TRANSLATE_NOOP("varn::app", "&Inspect"),
    QT_TRANSLATE_NOOP("varn::app", "&Generate"),  QT_TRANSLATE_NOOP("varn::app", "&Utilities"),
    QT_TRANSLATE_NOOP("varn::app", "&Window"),    QT_TRANSLATE_NOOP("varn::app", "&Help"),
};
static_assert(std::size(kTitles) == int(MenuId::Help) + 1);

} // namespace

MenuId MenuLayout::menuOf(MenuGroup group)
{
    return kGroups[int(group)].menu;
}

QString MenuLayout::title(MenuId menu)
{
    return Tr::tr(kTitles[int(menu)]);
}

QList<MenuId> MenuLayout::menusOf(MenuSet set)
{
    switch (set) {
    case MenuSet::Main:
        return {MenuId::File, MenuId::View, MenuId::Help};
    case MenuSet::Child:
        return {MenuId::File, MenuId::View, MenuId::Window, MenuId::Help};
    case MenuSet::Full:
        break;
    }
    QList<MenuId> every;
    for (int menu = 0; menu <= int(MenuId::Help); ++menu)
        every.append(MenuId(menu));
    return every;
}

} // namespace varn::app
