#pragma once

#include <QString>

namespace varn::app {

// Holds the advisory lock every Varn SE process takes before it reads and
// rewrites the user's ODBC file or the list of data-source holders: a
// process-wide mutex (threads of one process) and flock on a lock file
// beside the ODBC file (other processes). Blocks until granted.
class OdbcIniLock
{
public:
    OdbcIniLock();
    ~OdbcIniLock();
    OdbcIniLock(const OdbcIniLock &) = delete;
    OdbcIniLock &operator=(const OdbcIniLock &) = delete;

    // False when the lock file could not be opened or locked.
    bool isHeld() const { return m_fd >= 0; }

    static QString lockFilePath();

private:
    int m_fd = -1;
};

} // namespace varn::app
