#include "cli/clicommand.h"

#include <cstdio>

namespace varn::cli {

void printLine(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
}

void printError(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
}

int report(const Outcome &outcome, ExitCode whenRefused)
{
    if (outcome.isOk())
        return Done;
    if (outcome.hasMessage())
        printError(outcome.message());
    return whenRefused;
}

} // namespace varn::cli
