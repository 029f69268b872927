#pragma once

#include "common/outcome.h"

#include <QStringList>

#include <vector>

namespace varn::cli {

// Exit statuses of varn-cli.
enum ExitCode { Done = 0, Refused = 1, UsageError = 2, DatabaseError = 3 };

// One sub-command: its name, a one-line synopsis for the help text (marked
// with QT_TRANSLATE_NOOP("varn::cli", ...), shown through Tr::tr()), and the
// function that runs it on the arguments after the name.
struct Command
{
    const char *name;
    const char *synopsis;
    int (*run)(const QStringList &arguments);
};

// Each group of commands lives in its own source file.
std::vector<Command> languageCommands();
std::vector<Command> workspaceCommands();
std::vector<Command> requirementCommands();
std::vector<Command> modelCommands();
std::vector<Command> lifecycleCommands();
std::vector<Command> exampleCommands();
std::vector<Command> inspectCommands();
std::vector<Command> interchangeCommands();
std::vector<Command> navigatorCommands();
std::vector<Command> changeCommands();
std::vector<Command> qualityCommands();

// Prints "varn-cli: PROBLEM" (unless the problem is empty) and the usage
// line of the command's synopsis on stderr; returns UsageError.
int usageError(const QString &problem, const char *synopsis);

// Prints a refusal's message on stderr (nothing for a silent one) and returns
// the exit code that goes with it.
int report(const Outcome &outcome, ExitCode whenRefused = Refused);

// A text as a terminal shows it: the line breaks the system's messages
// write as "\r" or "\r\n" become "\n", which a terminal does not take for
// a return to the start of the line.
QString terminalText(QString text);

// Writes a line to stdout / stderr in UTF-8; a line on stderr breaks as
// terminalText() says. Once stdout's reader has gone
// (a closed pipe), results are dropped quietly and the command goes on.
void printLine(const QString &text);
void printError(const QString &text);
// Flushes stdout when the command has ended and returns its exit code, or
// DatabaseError after saying so when the results could not be written (a
// full disk). A reader that closed the pipe early is no failure.
int finishOutput(int code);

} // namespace varn::cli
