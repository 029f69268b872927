// Preloaded into varn-cli by tst_faultinjection: the rename that would put a
// temporary file in the place of the file named by VARN_KILL_AT_RENAME kills
// the process first, as a SIGKILL in the middle of the rewrite would.
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>

extern "C" int rename(const char *from, const char *to)
{
    const char *target = std::getenv("VARN_KILL_AT_RENAME");
    if (target && to && std::strcmp(to, target) == 0)
        std::raise(SIGKILL);
    using Rename = int (*)(const char *, const char *);
    static const Rename next = reinterpret_cast<Rename>(dlsym(RTLD_NEXT, "rename"));
    if (!next) {
        errno = ENOSYS;
        return -1;
    }
    return next(from, to);
}
