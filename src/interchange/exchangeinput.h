#pragma once

#include "common/outcome.h"

#include <QByteArray>
#include <QString>

#include <memory>

class QFile;

namespace varn::interchange {

// Reads a file to import whole, refusing one that is not a regular file (a
// pipe, a device, a folder), one over the size limit or one that is not UTF-8
// text; every refusal ends by saying that nothing was imported.
class ExchangeInput
{
public:
    static constexpr qint64 kLargestFile = 256LL * 1024 * 1024;
    // What an archive (a spreadsheet, a .reqifz) may hold: its entries
    // together expand to at most kLargestExpanded bytes, and it has at most
    // kMostArchiveEntries entries.
    static constexpr qint64 kLargestExpanded = kLargestFile;
    static constexpr qint64 kMostArchiveEntries = 10000;

    // The bytes of a regular file, whatever they hold.
    static Result<QByteArray> readBytes(const QString &path, qint64 largest = kLargestFile);
    static Result<QByteArray> read(const QString &path, qint64 largest = kLargestFile);
    static Outcome checkUtf8(const QByteArray &bytes);
    // A regular file opened to be read a piece at a time, whatever its
    // size: what is read from it is never held whole.
    static Result<std::unique_ptr<QFile>> open(const QString &path);
    // A refusal of the file: the reason, then "Nothing was imported."
    static Outcome refusal(const QString &reason);
};

} // namespace varn::interchange
