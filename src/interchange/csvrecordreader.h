#pragma once

#include "common/outcome.h"

#include <QString>
#include <QStringDecoder>
#include <QStringList>

#include <optional>

class QIODevice;

namespace varn::interchange {

// The records of an RFC 4180 file (see CsvTable) read from a device one at
// a time, in the memory of one record and one block of the file: an import
// of any length stores each record as it is read. The file is UTF-8; a
// byte-order mark before the first record is skipped. Refusals are
// CsvTable::parse's, and "The file is not UTF-8 text." for bytes that are
// none.
class CsvRecordReader
{
public:
    // The file is read blockSize bytes at a time.
    explicit CsvRecordReader(QIODevice &device, qint64 blockSize = 1 << 20);

    // The next record; none after the last.
    Result<std::optional<QStringList>> next();

private:
    // More of the file into m_text from m_at on; false at its end.
    Result<bool> readMore();

    QIODevice &m_device;
    qint64 m_blockSize;
    QStringDecoder m_decoder;
    QString m_text;
    qsizetype m_at = 0;
    int m_line = 1;
    qsizetype m_width = 0; // the most fields a record had, to make room for

    bool m_started = false;
    bool m_ended = false;
};

} // namespace varn::interchange
