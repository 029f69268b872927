// varn-cli: the scriptable face of the engine. Results on stdout; a refusal
// prints the system's message on stderr.
#include "app/datasource.h"
#include "app/odbcinilock.h"
#include "app/programtranslations.h"
#include "app/terminationsignals.h"
#include "cli/clicommand.h"
#include "cli/clitr.h"
#include "common/removedoninterruption.h"

#include <QCoreApplication>
#include <QStringDecoder>

#include <csignal>
#include <cstdio>
#include <unistd.h>

using namespace varn::cli;

namespace {

std::vector<Command> allCommands()
{
    std::vector<Command> commands = languageCommands();
    for (auto group : {workspaceCommands, requirementCommands, exampleCommands, navigatorCommands,
                       lifecycleCommands, modelCommands, inspectCommands, interchangeCommands,
                       changeCommands, qualityCommands}) {
        for (const Command &command : group())
            commands.push_back(command);
    }
    return commands;
}

void printUsage(const std::vector<Command> &commands)
{
    printError(Tr::tr("usage: varn-cli COMMAND [ARGUMENTS]\n"
                      "       varn-cli --help | --version\n\ncommands:"));
    for (const Command &command : commands)
        printError(QStringLiteral("  ") + Tr::tr(command.synopsis));
}

// An argument that is not valid UTF-8 would reach the database as
// replacement characters; it is refused instead. A byte-order mark (U+FEFF)
// at its start, as text copied from a file may carry, is valid: the
// argument is taken without it.
int firstInvalidArgument(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = decoder(QByteArrayView(argv[i]));
        if (decoder.hasError())
            return i;
    }
    return 0;
}

// A signal ends the command as Close would: the files it made on the side
// are removed, the data source this process holds is released (removed
// unless another Varn SE process holds it). The lock stays held to the end,
// so nothing is registered after the release; the database itself is left
// to its journal, as after any interruption.
void endOnSignal(int signal)
{
    varn::RemovedOnInterruption::removeAll();
    const varn::app::OdbcIniLock lock;
    varn::app::OdbcInstaller::releaseAllHeldHere();
    _exit(varn::app::TerminationSignals::exitStatus(signal));
}

int dispatch(const QCoreApplication &app, int invalid)
{
    if (invalid != 0) {
        printError(QStringLiteral("varn-cli: ") +
                   Tr::tr("argument %1 is not valid UTF-8").arg(invalid));
        return UsageError;
    }

    const std::vector<Command> commands = allCommands();
    QStringList arguments = app.arguments().mid(1);
    if (arguments.isEmpty() || arguments.first() == QLatin1String("--help")) {
        printUsage(commands);
        return arguments.isEmpty() ? UsageError : Done;
    }
    if (arguments.first() == QLatin1String("--version")) {
        printLine(QStringLiteral("varn-cli (Varn SE) " VARN_VERSION));
        return Done;
    }
    const QString name = arguments.takeFirst();
    for (const Command &command : commands) {
        if (name == QLatin1String(command.name))
            return command.run(arguments);
    }
    printError(QStringLiteral("varn-cli: ") + Tr::tr("unknown command \"%1\"").arg(name));
    printUsage(commands);
    return UsageError;
}

// Runs the command and says whether its results could be written, in the
// user's language: the translations live as long as the application.
int runCommand(int argc, char **argv)
{
    // Checked on the bytes as given; said once the user's language is in place.
    const int invalid = firstInvalidArgument(argc, argv);
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Varn Systems"));
    QCoreApplication::setApplicationName(QStringLiteral("Varn SE"));
    varn::app::ProgramTranslations::install(app);
    return finishOutput(dispatch(app, invalid));
}

} // namespace

int main(int argc, char **argv)
{
    // A reader that closes the pipe early (varn-cli list | head -5) ends
    // nothing: writes to it fail with EPIPE, which the output ignores, so a
    // command never stops half-way through its work or leaves its data
    // source registered, and the exit status is the command's own.
    std::signal(SIGPIPE, SIG_IGN);
    varn::app::TerminationSignals::handleOnWatcherThread(endOnSignal);
    const int code = runCommand(argc, argv);
    // The command has closed its workspace. A signal from here on must not
    // run its action while static objects are torn down: the lock waits for
    // an action already running (it ends the process) and keeps any later
    // one out until the process has left.
    std::fflush(stderr);
    const varn::app::OdbcIniLock lock;
    _exit(code);
}
