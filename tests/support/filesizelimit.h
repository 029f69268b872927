#pragma once

#include <csignal>
#include <sys/resource.h>

// A full disk, for as long as it lives: no file of the process grows past
// the limit, and a write past it fails (EFBIG) instead of raising SIGXFSZ.
// Pipes are not files: the test's own output still flows.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(long long bytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        if (::getrlimit(RLIMIT_FSIZE, &m_old) != 0)
            return;
        rlimit limited = m_old;
        limited.rlim_cur = rlim_t(bytes);
        m_set = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        if (m_set)
            ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool isSet() const { return m_set; }

private:
    rlimit m_old = {};
    void (*m_oldHandler)(int) = SIG_DFL;
    bool m_set = false;
};
