#include "app/widgets/mainactions.h"

#include "app/apptr.h"
#include "app/widgets/featureregistry.h"
#include "app/widgets/recentfiles.h"

#include <QAction>

#include <algorithm>

namespace varn::app {

namespace {

constexpr MenuSets kEverySet = MenuSet::Main | MenuSet::Full | MenuSet::Child;
// The main window's own File menu and that of the windows other than home.
constexpr MenuSets kOpeners = MenuSet::Main | MenuSet::Child;

} // namespace

QAction *MainActions::make(const QString &text, const QString &tip)
{
    auto *action = new QAction(text, this);
    action->setStatusTip(tip);
    return action;
}

MainActions::MainActions(const FeatureRegistry &features, QObject *parent) : QObject(parent)
{
    makeShellItems();
    makeGoToItems(features);
    makeRegisteredItems(features);
}

void MainActions::makeShellItems()
{
    newWorkspace = make(Tr::tr("&New"), Tr::tr("Create a new workspace"));
    newWorkspace->setShortcut(QKeySequence::New);
    newTeamWorkspace = make(Tr::tr("New &Team Workspace..."),
                            Tr::tr("Create or join a workspace on a PostgreSQL server"));
    open = make(Tr::tr("&Open..."), Tr::tr("Open an existing workspace"));
    open->setShortcut(QKeySequence::Open);
    close = make(Tr::tr("&Close"), Tr::tr("Close the workspace"));
    save = make(Tr::tr("&Save"), Tr::tr("Save the workspace file"));
    save->setShortcut(QKeySequence::Save);
    saveAs = make(Tr::tr("Save &As..."), Tr::tr("Save the workspace file with a new name"));
    for (int position = 0; position < RecentFiles::kCount; ++position)
        recentFiles.append(make(QString(), Tr::tr("Open this workspace")));
    exit = make(Tr::tr("E&xit"), Tr::tr("Quit Varn SE"));
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    toolbar = make(Tr::tr("&Toolbar"), Tr::tr("Show or hide the toolbar"));
    toolbar->setCheckable(true);
    statusBar = make(Tr::tr("&Status Bar"), Tr::tr("Show or hide the status bar"));
    statusBar->setCheckable(true);

    cascade = make(Tr::tr("&Cascade"), Tr::tr("Arrange the windows overlapping"));
    tile = make(Tr::tr("&Tile"), Tr::tr("Arrange the windows side by side"));
    about = make(Tr::tr("&About Varn SE..."), Tr::tr("Show the program version"));
    about->setShortcut(QKeySequence(Qt::Key_F1));
    helpTopics = make(Tr::tr("&Help Topics"), Tr::tr("Read the manual and search it"));

    // The File menu of the home window starts with Save; those of the other
    // windows and of the main window start with New.
    const MenuGroup workspace = MenuGroup::FileWorkspace;
    m_placed = {
        {newWorkspace, {{workspace, 10, kOpeners}}, {}, {}},
        {newTeamWorkspace, {{workspace, 20, kOpeners}}, {}, {}},
        {open, {{workspace, 30, kOpeners}}, {}, {}},
        {close, {{workspace, 40, MenuSet::Child}, {workspace, 70, MenuSet::Full}}, {}, {}},
        {save, {{workspace, 50, MenuSet::Full | MenuSet::Child}}, {{ToolBarId::Main, 0}}, {}},
        {saveAs, {{workspace, 60, MenuSet::Full | MenuSet::Child}}, {}, {}},
    };
    for (int position = 0; position < recentFiles.size(); ++position)
        m_placed.append(
            {recentFiles.at(position), {{MenuGroup::FileRecent, position, kEverySet}}, {}, {}});
    m_placed += QList<Placed>{
        {exit, {{MenuGroup::FileExit, 0, kEverySet}}, {}, {}},
        {toolbar, {{MenuGroup::ViewBars, 10, MenuSet::Full}}, {}, {}},
        {statusBar, {{MenuGroup::ViewBars, 20, kEverySet}}, {}, {}},
        {cascade, {{MenuGroup::WindowArrange, 10, MenuSet::Full | MenuSet::Child}}, {}, {}},
        {tile, {{MenuGroup::WindowArrange, 20, MenuSet::Full | MenuSet::Child}}, {}, {}},
        {about,
         {{MenuGroup::Help, 10, kEverySet}},
         {{ToolBarId::Main, 100}, {ToolBarId::Navigation, 100}},
         {}},
        {helpTopics, {{MenuGroup::Help, 20, kEverySet}}, {}, {}},
    };
}

void MainActions::makeGoToItems(const FeatureRegistry &features)
{
    for (const WindowSpec *window : features.windows()) {
        if (window->goToItem.isEmpty())
            continue;
        QAction *item = make(window->goToItem);
        m_goTo[window->kind] = item;
        m_placed.append(
            {item, {{MenuGroup::ViewGoTo, window->goToOrder, MenuSet::Child}}, {}, window->kind});
    }
}

void MainActions::makeRegisteredItems(const FeatureRegistry &features)
{
    for (const ActionSpec &spec : features.actions()) {
        QAction *item = make(spec.text, spec.statusTip);
        item->setToolTip(spec.toolTip);
        item->setShortcut(spec.shortcut);
        item->setIcon(spec.icon);
        item->setCheckable(bool(spec.checked));
        m_registered.append({item, spec});
        m_placed.append({item, spec.places, spec.toolBarPlaces, {}});
    }
}

QAction *MainActions::item(CommandId id) const
{
    for (const Registered &registered : m_registered) {
        if (registered.spec.id == id)
            return registered.action;
    }
    return nullptr;
}

QAction *MainActions::goToItem(WindowKind kind) const
{
    const auto found = m_goTo.find(kind);
    return found == m_goTo.end() ? nullptr : found->second;
}

QList<QAction *> MainActions::itemsIn(MenuGroup group) const
{
    QList<std::pair<int, QAction *>> ordered;
    for (const Placed &placed : m_placed) {
        for (const MenuPlace &place : placed.places) {
            if (place.group == group && place.sets.testFlag(MenuSet::Full))
                ordered.append({place.order, placed.action});
        }
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const auto &one, const auto &other) { return one.first < other.first; });
    QList<QAction *> items;
    for (const auto &[order, action] : ordered)
        items.append(action);
    return items;
}

} // namespace varn::app
