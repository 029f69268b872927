#include "common/regularfile.h"

#include "common/commontr.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace varn {

namespace {

RegularFile::Kind kindOf(mode_t mode)
{
    if (S_ISREG(mode))
        return RegularFile::Kind::Regular;
    if (S_ISDIR(mode))
        return RegularFile::Kind::Folder;
    if (S_ISFIFO(mode))
        return RegularFile::Kind::NamedPipe;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return RegularFile::Kind::Device;
    if (S_ISSOCK(mode))
        return RegularFile::Kind::Socket;
    return RegularFile::Kind::Other;
}

RegularFile::Contents failed(RegularFile::Failure failure, RegularFile::Kind kind = {},
                             const QString &error = {})
{
    RegularFile::Contents contents;
    contents.failure = failure;
    contents.kind = kind;
    contents.error = error;
    return contents;
}

} // namespace

RegularFile::Contents RegularFile::read(const QString &path, qint64 largest)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status = {};
    if (::stat(name.constData(), &status) != 0)
        return failed(Failure::CannotOpen, Kind::Other, qt_error_string(errno));
    if (const Kind kind = kindOf(status.st_mode); kind != Kind::Regular)
        return failed(Failure::NotRegular, kind);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return failed(Failure::CannotOpen, Kind::Other, qt_error_string(errno));
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        const Kind kind = kindOf(status.st_mode);
        ::close(fd);
        return failed(Failure::NotRegular, kind == Kind::Regular ? Kind::Other : kind);
    }
    if (status.st_size > largest) {
        ::close(fd);
        return failed(Failure::TooLarge);
    }
    Contents contents;
    // One byte more than the limit tells a file that grew past it.
    contents.bytes.resize(qsizetype(status.st_size) + 1);
    qsizetype total = 0;
    for (;;) {
        if (total == contents.bytes.size()) {
            if (total > largest)
                break;
            contents.bytes.resize(qMin<qint64>(largest + 1, qint64(total) * 2));
        }
        const ssize_t n =
            ::read(fd, contents.bytes.data() + total, size_t(contents.bytes.size() - total));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            return failed(Failure::CannotOpen, Kind::Regular, qt_error_string(error));
        }
        if (n == 0)
            break;
        total += n;
    }
    ::close(fd);
    if (total > largest)
        return failed(Failure::TooLarge);
    contents.bytes.truncate(total);
    return contents;
}

QString RegularFile::describe(Kind kind)
{
    switch (kind) {
    case Kind::Regular:
        return CommonTr::tr("a regular file");
    case Kind::Folder:
        return CommonTr::tr("a folder");
    case Kind::NamedPipe:
        return CommonTr::tr("a named pipe (FIFO)");
    case Kind::Device:
        return CommonTr::tr("a device");
    case Kind::Socket:
        return CommonTr::tr("a socket");
    case Kind::Other:
        break;
    }
    return CommonTr::tr("not a regular file");
}

} // namespace varn
