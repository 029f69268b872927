#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QFile;

namespace varn {

// Reads a file only when it is a regular file: its type is checked before it
// is opened (a named pipe would block the open, a device such as /dev/zero
// would never end) and again on the opened file, which is opened without
// blocking, so a file swapped for a pipe in between is not read either.
class RegularFile
{
public:
    enum class Kind { Regular, Folder, NamedPipe, Device, Socket, Other };
    enum class Failure { None, CannotOpen, NotRegular, TooLarge };

    struct Contents
    {
        Failure failure = Failure::None;
        Kind kind = Kind::Regular;
        QString error; // why it could not be opened (CannotOpen)
        QByteArray bytes;
    };

    // At most `largest` bytes; a longer file fails with TooLarge.
    static Contents read(const QString &path, qint64 largest);

    // The file opened for reading a piece at a time, with the same checks
    // as read(); never TooLarge.
    struct Opened
    {
        Failure failure = Failure::None;
        Kind kind = Kind::Regular;
        QString error;
        std::unique_ptr<QFile> file;
    };
    static Opened open(const QString &path);
    // What a file that is not regular is, as a reason ends: "a folder",
    // "a named pipe (FIFO)", "a device"...
    static QString describe(Kind kind);
};

} // namespace varn
