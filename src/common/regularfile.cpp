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

// The regular file at path opened without blocking, its descriptor in fd
// (-1 with the failure when there is none) and its size in size.
RegularFile::Contents openRegular(const QString &path, int &fd, qint64 &size)
{
    fd = -1;
    const QByteArray name = QFile::encodeName(path);
    struct stat status = {};
    if (::stat(name.constData(), &status) != 0)
        return failed(RegularFile::Failure::CannotOpen, RegularFile::Kind::Other,
                      qt_error_string(errno));
    if (const RegularFile::Kind kind = kindOf(status.st_mode); kind != RegularFile::Kind::Regular)
        return failed(RegularFile::Failure::NotRegular, kind);
    const int opened = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (opened < 0)
        return failed(RegularFile::Failure::CannotOpen, RegularFile::Kind::Other,
                      qt_error_string(errno));
    if (::fstat(opened, &status) != 0 || !S_ISREG(status.st_mode)) {
        const RegularFile::Kind kind = kindOf(status.st_mode);
        ::close(opened);
        return failed(RegularFile::Failure::NotRegular,
                      kind == RegularFile::Kind::Regular ? RegularFile::Kind::Other : kind);
    }
    fd = opened;
    size = qint64(status.st_size);
    return {};
}

} // namespace

RegularFile::Contents RegularFile::read(const QString &path, qint64 largest)
{
    int fd = -1;
    qint64 size = 0;
    if (Contents opened = openRegular(path, fd, size); fd < 0)
        return opened;
    if (size > largest) {
        ::close(fd);
        return failed(Failure::TooLarge);
    }
    Contents contents;
    // One byte more than the limit tells a file that grew past it.
    contents.bytes.resize(qsizetype(size) + 1);
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

RegularFile::Opened RegularFile::open(const QString &path)
{
    Opened opened;
    int fd = -1;
    qint64 size = 0;
    const Contents checked = openRegular(path, fd, size);
    opened.failure = checked.failure;
    opened.kind = checked.kind;
    opened.error = checked.error;
    if (fd < 0)
        return opened;
    auto file = std::make_unique<QFile>();
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        opened.failure = Failure::CannotOpen;
        opened.error = file->errorString();
        ::close(fd);
        return opened;
    }
    opened.file = std::move(file);
    return opened;
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
