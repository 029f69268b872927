#pragma once

#include "app/widgets/windowkind.h"

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

    void provideView(WindowKind kind, ViewFactory factory);
    void provideCommand(Command command, CommandHandler handler);
    void provideTemplate(int number, CommandHandler handler);

    bool hasView(WindowKind kind) const;
    bool hasCommand(Command command) const;
    bool hasTemplate(int number) const;

    QWidget *createView(WindowKind kind, Workbench &workbench) const;
    // False when the command is not provided.
    bool run(Command command, Workbench &workbench, int argument = 0) const;
    bool runTemplate(int number, Workbench &workbench) const;

private:
    using Key = std::pair<Command, int>;
    std::map<WindowKind, ViewFactory> m_views;
    std::map<Key, CommandHandler> m_commands;
};

// What the program provides from the subsystems that have landed; called
// once by the program before its main window is made.
void registerLandedFeatures(FeatureRegistry &registry);

} // namespace varn::app
