#pragma once

#include "app/widgets/actionspec.h"
#include "app/widgets/commandid.h"
#include "app/widgets/requirementlistextension.h"
#include "app/widgets/windowkind.h"

#include <QList>
#include <QString>

#include <functional>
#include <map>
#include <vector>

class QWidget;

namespace varn::app {

class Workbench;

// Where the features plug into the shell: their windows, the items they add
// to the menus and tool bars, the commands one feature runs and another
// provides, and their pages of the manual. The composition root fills it
// before the main window is made; the shell builds its menus from it and
// names no feature's window or command itself.
class FeatureRegistry
{
public:
    // The argument is a number the command acts on (the selected
    // requirement's), 0 when it takes none.
    using CommandHandler = std::function<void(Workbench &, int argument)>;
    // A command on something named rather than numbered.
    using NamedHandler = std::function<void(Workbench &, const QString &name)>;
    // A page of the manual that a feature writes, made when the help window
    // shows it.
    using HelpPage = std::function<QString()>;

    // A second registration of a kind, an item's id or a command replaces
    // the first.
    void addWindow(WindowSpec window);
    void addAction(ActionSpec action);
    void provideCommand(CommandId id, CommandHandler handler);
    void provideNamedCommand(CommandId id, NamedHandler handler);
    // The file name its links use ("templates.html").
    void provideHelpPage(const QString &fileName, HelpPage page);
    // Columns and queries of the list of requirements; a second of an id
    // replaces the first.
    void addRequirementColumn(RequirementColumnSpec column);
    void addRequirementQuery(RequirementQuerySpec query);

    // nullptr when the kind is not registered.
    const WindowSpec *window(WindowKind kind) const;
    // In the order of their Go to items.
    QList<const WindowSpec *> windows() const;
    // The kind of the home window, when one is registered.
    const WindowSpec *homeWindow() const;
    bool hasView(WindowKind kind) const;
    // nullptr when the kind is not registered or its view cannot be made.
    QWidget *createView(WindowKind kind, Workbench &workbench) const;

    // In the order of registration.
    const std::vector<ActionSpec> &actions() const { return m_actions; }

    // An item's id runs its command too. False when nothing is registered
    // under the id.
    bool hasCommand(CommandId id) const;
    bool run(CommandId id, Workbench &workbench, int argument = 0) const;
    bool hasNamedCommand(CommandId id) const;
    bool runNamed(CommandId id, Workbench &workbench, const QString &name) const;

    const std::map<QString, HelpPage> &helpPages() const { return m_helpPages; }
    // In the order of registration.
    const std::vector<RequirementColumnSpec> &requirementColumns() const
    {
        return m_requirementColumns;
    }
    const std::vector<RequirementQuerySpec> &requirementQueries() const
    {
        return m_requirementQueries;
    }

private:
    std::vector<WindowSpec> m_windows;
    std::vector<ActionSpec> m_actions;
    std::map<CommandId, CommandHandler> m_commands;
    std::map<CommandId, NamedHandler> m_namedCommands;
    std::map<QString, HelpPage> m_helpPages;
    std::vector<RequirementColumnSpec> m_requirementColumns;
    std::vector<RequirementQuerySpec> m_requirementQueries;
};

} // namespace varn::app
