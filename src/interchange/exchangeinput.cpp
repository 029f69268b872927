#include "interchange/exchangeinput.h"

#include "interchange/interchangetr.h"

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

Result<QByteArray> ExchangeInput::read(const QString &path, qint64 largest)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Outcome::stop(
            Tr::tr("Cannot open %1:\n%2\nNothing was imported.").arg(path, file.errorString()));
    if (file.size() > largest)
        return tooLarge(largest);
    QByteArray bytes = file.read(largest + 1);
    if (bytes.size() > largest)
        return tooLarge(largest);
    if (Outcome text = checkUtf8(bytes); !text)
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
