#pragma once

#include <functional>

namespace varn::app {

// SIGINT, SIGTERM and SIGHUP end either program the way Close ends a
// workspace, instead of leaving its data source registered. The handlers
// only write the signal's number to a pipe; the program picks it up where it
// is safe to act:
//
//   the GUI, in its event loop:
//     TerminationSignals::install();
//     QSocketNotifier notifier(TerminationSignals::descriptor(), QSocketNotifier::Read);
//     connect(&notifier, &QSocketNotifier::activated,
//             [] { QApplication::exit(TerminationSignals::exitStatus(TerminationSignals::take()));
//             });
//
//   varn-cli, which runs a command to its end without an event loop:
//     TerminationSignals::install();
//     TerminationSignals::handleOnWatcherThread([](int signal) { ... _exit(...); });
class TerminationSignals
{
public:
    // Installs the handlers once; false when the pipe cannot be made.
    static bool install();
    // The pipe's read end: readable once a signal arrived.
    static int descriptor();
    // The number of a signal that arrived, 0 when none is pending.
    static int take();
    // The exit status of a program ended by the signal, as a shell reports it.
    static int exitStatus(int signal) { return 128 + signal; }

    // Starts a thread that waits for the first signal and runs the action on
    // it. The action should end the process; it runs while the main thread
    // may be anywhere, so it touches only what is safe across threads.
    static void handleOnWatcherThread(std::function<void(int signal)> action);
};

} // namespace varn::app
