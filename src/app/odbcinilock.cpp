#include "app/odbcinilock.h"

#include "app/odbcinifile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <unistd.h>

namespace varn::app {

namespace {

// One flock per process: a second lock file description would wait on the
// first. Nested locks of the thread that holds it share it.
std::recursive_mutex &processMutex()
{
    static std::recursive_mutex mutex;
    return mutex;
}

int g_lockFd = -1;
int g_depth = 0;

} // namespace

QString OdbcIniLock::lockFilePath()
{
    return OdbcIniFile::resolvedFilePath() + QStringLiteral(".varn-lock");
}

OdbcIniLock::OdbcIniLock()
{
    processMutex().lock();
    if (g_depth++ > 0) {
        m_fd = g_lockFd;
        return;
    }
    const int fd = ::open(QFile::encodeName(lockFilePath()).constData(),
                          O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return;
    int locked;
    do {
        locked = flock(fd, LOCK_EX);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        ::close(fd);
        return;
    }
    m_fd = g_lockFd = fd;
}

OdbcIniLock::~OdbcIniLock()
{
    if (--g_depth == 0 && g_lockFd >= 0) {
        flock(g_lockFd, LOCK_UN);
        ::close(g_lockFd);
        g_lockFd = -1;
    }
    processMutex().unlock();
}

} // namespace varn::app
