#pragma once

#include "app/widgets/windowkind.h"

#include <QStringList>

#include <functional>
#include <map>
#include <utility>

class QWidget;

namespace varn::app {

class Workbench;

// The commands of the menus that open dialogs of other subsystems.
enum class Command {
    ComposeTechnical,
    RequirementBuilder,
    Template, // one per template number, 1 to 22
    EditRequirement,
    DeleteRequirement,
    ReuseRequirement,
    RequirementAttributes,
    ParentDependent,
    ObjectModelEntities,
    ObjectModelAttributes,
    ObjectModelMethods,
    GenerateObjectModel,
    GenerateDataModelSql,
    RegenerateObjectModel,
    // The regeneration dialog in its reminder form, shown when a workspace
    // whose requirements were edited or deleted closes.
    RegenerationReminder,
    // Requirements Central's File > Print, Record and Display menus; the
    // argument of DisplayColumn is the item's position in the Display menu,
    // that of BackgroundColour the colour's.
    Print,
    FirstRecord,
    PreviousRecord,
    NextRecord,
    LastRecord,
    DisplayColumn,
    BackgroundColour,
    // File > Export... and Import...; Trace... of the selected requirement
    // (the argument is its number).
    ExportRequirements,
    ImportRequirements,
    TraceRequirement,
    // The requirements that produced a class, named by the class (a named
    // command).
    EntityRequirements,
};

// The menus whose items a feature names.
enum class MenuList {
    Templates,         // the Templates menu: template n at n - 1
    DisplayColumns,    // the Display menu's columns
    BackgroundColours, // the View menu's colours
};

// The windows and dialogs the program has: each subsystem provides its views
// and commands here, and a menu item whose window or command is not provided
// is shown disabled.
class FeatureRegistry
{
public:
    // Makes the view of a child window; nullptr when it cannot.
    using ViewFactory = std::function<QWidget *(Workbench &)>;
    // The argument is the template number of a Template command and the
    // selected requirement's number of Edit, Delete and Re-use.
    using CommandHandler = std::function<void(Workbench &, int argument)>;
    // A command on something named rather than numbered.
    using NamedHandler = std::function<void(Workbench &, const QString &name)>;
    // Whether the checkable item of a command and argument is checked.
    using CheckQuery = std::function<bool(const Workbench &, int argument)>;

    void provideView(WindowKind kind, ViewFactory factory);
    void provideCommand(Command command, CommandHandler handler);
    void provideTemplate(int number, CommandHandler handler);
    void provideCheck(Command command, CheckQuery query);
    void provideNamedCommand(Command command, NamedHandler handler);
    void provideMenuTexts(MenuList list, QStringList texts);
    // A page of the manual that a feature writes (the file name its links
    // use, "templates.html"), made when the help window shows it.
    using HelpPage = std::function<QString()>;
    void provideHelpPage(const QString &fileName, HelpPage page);
    const std::map<QString, HelpPage> &helpPages() const { return m_helpPages; }

    bool hasView(WindowKind kind) const;
    bool hasCommand(Command command) const;
    bool hasTemplate(int number) const;

    QWidget *createView(WindowKind kind, Workbench &workbench) const;
    // False when the command is not provided.
    bool run(Command command, Workbench &workbench, int argument = 0) const;
    bool runTemplate(int number, Workbench &workbench) const;
    // False when the named command is not provided.
    bool hasNamedCommand(Command command) const;
    bool runNamed(Command command, Workbench &workbench, const QString &name) const;
    // False when no check is provided.
    bool isChecked(Command command, const Workbench &workbench, int argument) const;
    // Empty when no feature names them.
    QStringList menuTexts(MenuList list) const;

private:
    using Key = std::pair<Command, int>;
    std::map<WindowKind, ViewFactory> m_views;
    std::map<Key, CommandHandler> m_commands;
    std::map<Command, CheckQuery> m_checks;
    std::map<Command, NamedHandler> m_namedCommands;
    std::map<MenuList, QStringList> m_menuTexts;
    std::map<QString, HelpPage> m_helpPages;
};

// What the program provides from the subsystems that have landed; called
// once by the program before its main window is made. Defined by the
// program's composition root (src/main), which knows every feature.
void registerLandedFeatures(FeatureRegistry &registry);

} // namespace varn::app
