#include "app/terminationsignals.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/select.h>
#include <thread>
#include <unistd.h>

namespace varn::app {

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

int g_pipe[2] = {-1, -1};

extern "C" void writeSignalNumber(int signal)
{
    const int savedErrno = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &number, 1);
    errno = savedErrno;
}

} // namespace

bool TerminationSignals::install()
{
    if (g_pipe[0] >= 0)
        return true;
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    struct sigaction action = {};
    action.sa_handler = writeSignalNumber;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals)
        sigaction(signal, &action, nullptr);
    return true;
}

int TerminationSignals::descriptor()
{
    return g_pipe[0];
}

int TerminationSignals::take()
{
    unsigned char number = 0;
    return g_pipe[0] >= 0 && ::read(g_pipe[0], &number, 1) == 1 ? number : 0;
}

void TerminationSignals::handleOnWatcherThread(std::function<void(int signal)> action)
{
    if (!install())
        return;
    std::thread([action = std::move(action)] {
        for (;;) {
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(g_pipe[0], &readable);
            if (::select(g_pipe[0] + 1, &readable, nullptr, nullptr, nullptr) < 0 && errno != EINTR)
                return;
            if (const int signal = take(); signal != 0) {
                action(signal);
                return;
            }
        }
    }).detach();
}

} // namespace varn::app
