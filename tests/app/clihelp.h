#pragma once

#include "support/clirun.h"

#include <QList>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>

// The commands `varn-cli --help` lists, each with the options its synopsis
// names: what the manual page and the shell completion must keep up with.
struct HelpedCommand
{
    QString name;
    QString synopsis;
    QStringList options;
};

inline QList<HelpedCommand> commandsOfHelp()
{
    QList<HelpedCommand> commands;
    const CliRun help = CliRun::run({QStringLiteral("--help")});
    static const QRegularExpression option(QStringLiteral("--[a-z][a-z-]*"));
    for (const QString &line : help.err.split(QLatin1Char('\n'))) {
        // Commands are listed one a line, indented by two blanks.
        if (!line.startsWith(QLatin1String("  ")) || line.at(2).isSpace())
            continue;
        HelpedCommand command;
        command.synopsis = line.trimmed();
        command.name = command.synopsis.section(QLatin1Char(' '), 0, 0);
        for (const QRegularExpressionMatch &match : option.globalMatch(command.synopsis)) {
            if (!command.options.contains(match.captured()))
                command.options.append(match.captured());
        }
        commands.append(command);
    }
    return commands;
}

// A data row ("command", "options") for each command of the help; false
// when the help lists none.
inline bool addRowPerHelpedCommand()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("options");
    const QList<HelpedCommand> commands = commandsOfHelp();
    for (const HelpedCommand &command : commands)
        QTest::newRow(qPrintable(command.name)) << command.name << command.options;
    return !commands.isEmpty();
}
