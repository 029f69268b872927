#include "app/widgets/featureregistry.h"

#include <algorithm>

namespace varn::app {

void FeatureRegistry::addWindow(WindowSpec window)
{
    const auto same =
        std::find_if(m_windows.begin(), m_windows.end(),
                     [&](const WindowSpec &known) { return known.kind == window.kind; });
    if (same != m_windows.end())
        *same = std::move(window);
    else
        m_windows.push_back(std::move(window));
}

void FeatureRegistry::addAction(ActionSpec action)
{
    // The item's command runs what the item runs, with or without a window.
    m_commands[action.id] = [run = action.run](Workbench &workbench, int) {
        if (run)
            run(workbench);
    };
    const auto same = std::find_if(m_actions.begin(), m_actions.end(),
                                   [&](const ActionSpec &known) { return known.id == action.id; });
    if (same != m_actions.end())
        *same = std::move(action);
    else
        m_actions.push_back(std::move(action));
}

void FeatureRegistry::provideCommand(CommandId id, CommandHandler handler)
{
    m_commands[id] = std::move(handler);
}

void FeatureRegistry::provideNamedCommand(CommandId id, NamedHandler handler)
{
    m_namedCommands[id] = std::move(handler);
}

void FeatureRegistry::provideHelpPage(const QString &fileName, HelpPage page)
{
    m_helpPages[fileName] = std::move(page);
}

namespace {

template <typename Spec> void addOrReplace(std::vector<Spec> &specs, Spec spec)
{
    const auto same = std::find_if(specs.begin(), specs.end(),
                                   [&](const Spec &known) { return known.id == spec.id; });
    if (same != specs.end())
        *same = std::move(spec);
    else
        specs.push_back(std::move(spec));
}

} // namespace

void FeatureRegistry::addRequirementColumn(RequirementColumnSpec column)
{
    addOrReplace(m_requirementColumns, std::move(column));
}

void FeatureRegistry::addRequirementQuery(RequirementQuerySpec query)
{
    addOrReplace(m_requirementQueries, std::move(query));
}

const WindowSpec *FeatureRegistry::window(WindowKind kind) const
{
    const auto found = std::find_if(m_windows.begin(), m_windows.end(),
                                    [&](const WindowSpec &known) { return known.kind == kind; });
    return found == m_windows.end() ? nullptr : &*found;
}

QList<const WindowSpec *> FeatureRegistry::windows() const
{
    QList<const WindowSpec *> ordered;
    for (const WindowSpec &window : m_windows)
        ordered.append(&window);
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const WindowSpec *one, const WindowSpec *other) {
                         return one->goToOrder < other->goToOrder;
                     });
    return ordered;
}

const WindowSpec *FeatureRegistry::homeWindow() const
{
    const auto found = std::find_if(m_windows.begin(), m_windows.end(),
                                    [](const WindowSpec &known) { return known.home; });
    return found == m_windows.end() ? nullptr : &*found;
}

bool FeatureRegistry::hasView(WindowKind kind) const
{
    const WindowSpec *spec = window(kind);
    return spec && spec->create;
}

QWidget *FeatureRegistry::createView(WindowKind kind, Workbench &workbench) const
{
    const WindowSpec *spec = window(kind);
    return spec && spec->create ? spec->create(workbench) : nullptr;
}

bool FeatureRegistry::hasCommand(CommandId id) const
{
    return m_commands.count(id) > 0;
}

bool FeatureRegistry::run(CommandId id, Workbench &workbench, int argument) const
{
    const auto found = m_commands.find(id);
    if (found == m_commands.end())
        return false;
    found->second(workbench, argument);
    return true;
}

bool FeatureRegistry::hasNamedCommand(CommandId id) const
{
    return m_namedCommands.count(id) > 0;
}

bool FeatureRegistry::runNamed(CommandId id, Workbench &workbench, const QString &name) const
{
    const auto found = m_namedCommands.find(id);
    if (found == m_namedCommands.end())
        return false;
    found->second(workbench, name);
    return true;
}

} // namespace varn::app
