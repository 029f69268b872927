#include "interchange/exchangeinput.h"

#include "interchange/interchangetr.h"

#include "common/regularfile.h"

#include <QFile>
#include <QLocale>
#include <QStringDecoder>

namespace varn::interchange {

namespace {

Outcome tooLarge(qint64 largest)
{
    return ExchangeInput::refusal(Tr::tr("The file is larger than %1, the most an import reads.")
                                      .arg(QLocale::c().formattedDataSize(largest)));
}

} // namespace

Outcome ExchangeInput::refusal(const QString &reason)
{
    return Outcome::warning(Tr::tr("%1\nNothing was imported.").arg(reason));
}

namespace {

// Why a file could not be opened or read; ok when it was.
Outcome failureOf(const QString &path, RegularFile::Failure failure, RegularFile::Kind kind,
                  const QString &error, qint64 largest)
{
    switch (failure) {
    case RegularFile::Failure::None:
        break;
    case RegularFile::Failure::CannotOpen:
        return Outcome::stop(Tr::tr("Cannot open %1:\n%2\nNothing was imported.").arg(path, error));
    case RegularFile::Failure::NotRegular:
        return ExchangeInput::refusal(
            Tr::tr("%1 is %2, not a regular file.").arg(path, RegularFile::describe(kind)));
    case RegularFile::Failure::TooLarge:
        return tooLarge(largest);
    }
    return Outcome::ok();
}

} // namespace

Result<QByteArray> ExchangeInput::readBytes(const QString &path, qint64 largest)
{
    RegularFile::Contents file = RegularFile::read(path, largest);
    if (Outcome read = failureOf(path, file.failure, file.kind, file.error, largest); !read)
        return read;
    return std::move(file.bytes);
}

Result<std::unique_ptr<QFile>> ExchangeInput::open(const QString &path)
{
    RegularFile::Opened opened = RegularFile::open(path);
    if (Outcome read = failureOf(path, opened.failure, opened.kind, opened.error, 0); !read)
        return read;
    return std::move(opened.file);
}

Result<QByteArray> ExchangeInput::read(const QString &path, qint64 largest)
{
    Result<QByteArray> bytes = readBytes(path, largest);
    if (!bytes)
        return bytes;
    if (Outcome text = checkUtf8(bytes.value()); !text)
        return text;
    return bytes;
}

Outcome ExchangeInput::checkUtf8(const QByteArray &bytes)
{
    // Decoded a piece at a time, each ending before a character's first
    // byte: a large file is never held twice over.
    constexpr qsizetype kPiece = 1 << 20;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QByteArrayView all(bytes);
    for (qsizetype at = 0; at < all.size();) {
        qsizetype end = qMin(at + kPiece, all.size());
        for (int back = 0; back < 3 && end < all.size() && (uchar(all[end]) & 0xC0) == 0x80; ++back)
            --end;
        const QString piece = decoder.decode(all.sliced(at, end - at));
        if (decoder.hasError())
            return refusal(Tr::tr("The file is not UTF-8 text."));
        at = end;
    }
    return Outcome::ok();
}

} // namespace varn::interchange
