#include "app/widgets/featureregistry.h"

namespace varn::app {

void FeatureRegistry::provideView(WindowKind kind, ViewFactory factory)
{
    m_views[kind] = std::move(factory);
}

void FeatureRegistry::provideCommand(Command command, CommandHandler handler)
{
    m_commands[{command, 0}] = std::move(handler);
}

void FeatureRegistry::provideTemplate(int number, CommandHandler handler)
{
    m_commands[{Command::Template, number}] = std::move(handler);
}

bool FeatureRegistry::hasView(WindowKind kind) const
{
    return m_views.count(kind) > 0;
}

bool FeatureRegistry::hasCommand(Command command) const
{
    return m_commands.count({command, 0}) > 0;
}

bool FeatureRegistry::hasTemplate(int number) const
{
    return m_commands.count({Command::Template, number}) > 0;
}

QWidget *FeatureRegistry::createView(WindowKind kind, Workbench &workbench) const
{
    const auto found = m_views.find(kind);
    return found == m_views.end() ? nullptr : found->second(workbench);
}

bool FeatureRegistry::run(Command command, Workbench &workbench, int argument) const
{
    const auto found = m_commands.find({command, 0});
    if (found == m_commands.end())
        return false;
    found->second(workbench, argument);
    return true;
}

bool FeatureRegistry::runTemplate(int number, Workbench &workbench) const
{
    const auto found = m_commands.find({Command::Template, number});
    if (found == m_commands.end())
        return false;
    found->second(workbench, number);
    return true;
}

void FeatureRegistry::provideNamedCommand(Command command, NamedHandler handler)
{
    m_namedCommands[command] = std::move(handler);
}

bool FeatureRegistry::hasNamedCommand(Command command) const
{
    return m_namedCommands.count(command) > 0;
}

bool FeatureRegistry::runNamed(Command command, Workbench &workbench, const QString &name) const
{
    const auto found = m_namedCommands.find(command);
    if (found == m_namedCommands.end())
        return false;
    found->second(workbench, name);
    return true;
}

void FeatureRegistry::provideCheck(Command command, CheckQuery query)
{
    m_checks[command] = std::move(query);
}

void FeatureRegistry::provideMenuTexts(MenuList list, QStringList texts)
{
    m_menuTexts[list] = std::move(texts);
}

bool FeatureRegistry::isChecked(Command command, const Workbench &workbench, int argument) const
{
    const auto found = m_checks.find(command);
    return found != m_checks.end() && found->second(workbench, argument);
}

QStringList FeatureRegistry::menuTexts(MenuList list) const
{
    const auto found = m_menuTexts.find(list);
    return found == m_menuTexts.end() ? QStringList() : found->second;
}

void FeatureRegistry::provideHelpPage(const QString &fileName, HelpPage page)
{
    m_helpPages[fileName] = std::move(page);
}

} // namespace varn::app
