#include "app/workspacefile.h"
#include "app/apptr.h"
#include "common/regularfile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <optional>

namespace varn::app {

namespace {

// Workspace files are a few hundred bytes and their fields are checked to at
// most 254 characters each; anything past this is not one.
constexpr qint64 kLargestWorkspaceFile = 64 * 1024;

void appendLittleEndian(QByteArray &out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

void appendString(QByteArray &out, const QByteArray &text)
{
    const quint32 length = quint32(text.size());
    if (length < 0xFF) {
        out.append(char(length));
    } else if (length < 0xFFFE) {
        out.append(char(0xFF));
        appendLittleEndian(out, length, 2);
    } else {
        out.append(char(0xFF));
        appendLittleEndian(out, 0xFFFF, 2);
        appendLittleEndian(out, length, 4);
    }
    out.append(text);
}

// Reads the file's strings as raw bytes; the whole file must be used up.
class StringReader
{
public:
    explicit StringReader(const QByteArray &bytes) : m_bytes(bytes) {}

    std::optional<QByteArray> next()
    {
        std::optional<quint32> length = littleEndian(1);
        if (length == 0xFFu) {
            length = littleEndian(2);
            if (length == 0xFFFFu)
                length = littleEndian(4);
        }
        if (!length || *length > quint32(m_bytes.size() - m_position))
            return std::nullopt;
        QByteArray text = m_bytes.mid(m_position, qsizetype(*length));
        m_position += qsizetype(*length);
        return text;
    }

    bool atEnd() const { return m_position == m_bytes.size(); }

private:
    std::optional<quint32> littleEndian(int bytes)
    {
        if (m_bytes.size() - m_position < bytes)
            return std::nullopt;
        quint32 value = 0;
        for (int i = 0; i < bytes; ++i)
            value |= quint32(quint8(m_bytes[m_position + i])) << (8 * i);
        m_position += bytes;
        return value;
    }

    const QByteArray &m_bytes;
    qsizetype m_position = 0;
};

std::array<QString *, 8> fieldsOf(WorkspaceValues &values)
{
    return {&values.dataSourceName, &values.userId,           &values.password,
            &values.description,    &values.databaseFileName, &values.databaseFolder,
            &values.systemName,     &values.installPath};
}

bool isValidUtf8(const QByteArray &bytes)
{
    // Invalid sequences decode to replacement characters and do not survive the round trip.
    return QString::fromUtf8(bytes).toUtf8() == bytes;
}

} // namespace

QString WorkspaceFile::readErrorMessage()
{
    return Tr::tr("Error opening file at the path specified.");
}

QString WorkspaceFile::writeErrorMessage()
{
    return Tr::tr("Error writing to .vnp file.");
}

QByteArray WorkspaceFile::encode(const WorkspaceValues &values)
{
    WorkspaceValues copy = values;
    QByteArray out;
    for (const QString *field : fieldsOf(copy))
        appendString(out, field->toUtf8());
    return out;
}

Result<WorkspaceValues> WorkspaceFile::decode(const QByteArray &bytes)
{
    StringReader reader(bytes);
    std::array<QByteArray, 8> raw;
    for (QByteArray &text : raw) {
        std::optional<QByteArray> next = reader.next();
        if (!next)
            return Outcome::refused(readErrorMessage());
        text = *next;
    }
    if (!reader.atEnd())
        return Outcome::refused(readErrorMessage());

    const bool utf8 = std::all_of(raw.begin(), raw.end(), isValidUtf8);
    WorkspaceValues values;
    auto fields = fieldsOf(values);
    for (std::size_t i = 0; i < raw.size(); ++i)
        *fields[i] = utf8 ? QString::fromUtf8(raw[i]) : QString::fromLatin1(raw[i]);
    return values;
}

Outcome WorkspaceFile::write(const QString &path, const WorkspaceValues &values)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Outcome::refused(writeErrorMessage());
    const QByteArray bytes = encode(values);
    // commit() would put the file in place even when flushing its buffer
    // failed part-way (a full disk): flush first, and give up on a failure.
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit())
        return Outcome::refused(writeErrorMessage());
    return Outcome::ok();
}

Outcome WorkspaceFile::refusal(const QString &path, const QString &reason)
{
    // The specified message, then which file and why, as "path: reason".
    return Outcome::refused(readErrorMessage() + QLatin1Char('\n') +
                            Tr::tr("%1: %2", "a file and why it cannot be read")
                                .arg(QDir::toNativeSeparators(path), reason));
}

Result<WorkspaceValues> WorkspaceFile::read(const QString &path)
{
    // A device or a pipe is never read, and opening never blocks.
    const RegularFile::Contents file = RegularFile::read(path, kLargestWorkspaceFile);
    switch (file.failure) {
    case RegularFile::Failure::None:
        break;
    case RegularFile::Failure::CannotOpen:
        return refusal(path, file.error);
    case RegularFile::Failure::NotRegular:
        return refusal(path, Tr::tr("not a regular file"));
    case RegularFile::Failure::TooLarge:
        return refusal(path, Tr::tr("too large to be a workspace file"));
    }
    const QByteArray &bytes = file.bytes;
    Result<WorkspaceValues> values = decode(bytes);
    if (!values)
        return refusal(path, Tr::tr("not a workspace file (its texts do not match "
                                    "their lengths)"));
    return values;
}

} // namespace varn::app
