// varn-cli: the scriptable face of the engine. Results on stdout; a refusal
// prints the system's message on stderr.
#include "cli/clicommand.h"

#include <QCoreApplication>

#include <cstdio>

using namespace varn::cli;

namespace {

std::vector<Command> allCommands()
{
    std::vector<Command> commands = languageCommands();
    for (auto group : {workspaceCommands, requirementCommands, exampleCommands, lifecycleCommands,
                       modelCommands, inspectCommands}) {
        for (const Command &command : group())
            commands.push_back(command);
    }
    return commands;
}

void printUsage(const std::vector<Command> &commands)
{
    printError(QStringLiteral("usage: varn-cli COMMAND [ARGUMENTS]\n\ncommands:"));
    for (const Command &command : commands)
        printError(QStringLiteral("  ") + QString::fromUtf8(command.synopsis));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Varn Systems"));
    QCoreApplication::setApplicationName(QStringLiteral("Varn SE"));

    const std::vector<Command> commands = allCommands();
    QStringList arguments = app.arguments().mid(1);
    if (arguments.isEmpty() || arguments.first() == QLatin1String("--help")) {
        printUsage(commands);
        return arguments.isEmpty() ? UsageError : Done;
    }
    const QString name = arguments.takeFirst();
    for (const Command &command : commands) {
        if (name == QLatin1String(command.name))
            return command.run(arguments);
    }
    printError(QStringLiteral("varn-cli: unknown command \"%1\"").arg(name));
    printUsage(commands);
    return UsageError;
}
