#include "interchange/csvrecordreader.h"

#include "interchange/interchangetr.h"

#include <QIODevice>

namespace varn::interchange {

CsvRecordReader::CsvRecordReader(QIODevice &device, qint64 blockSize)
    : m_device(device), m_blockSize(qMax<qint64>(1, blockSize)),
      m_decoder(QStringDecoder::Utf8, QStringConverter::Flag::ConvertInitialBom)
{}

Result<bool> CsvRecordReader::readMore()
{
    if (m_ended)
        return false;
    const QByteArray bytes = m_device.read(m_blockSize);
    if (bytes.isEmpty()) {
        m_ended = true;
        // A character cut off at the end of the file.
        const QString tail = m_decoder.decode(QByteArrayView());
        if (m_decoder.hasError() || !tail.isEmpty())
            return Outcome::warning(Tr::tr("The file is not UTF-8 text."));
        return false;
    }
    m_text.remove(0, m_at);
    m_at = 0;
    m_text += m_decoder.decode(bytes);
    if (m_decoder.hasError())
        return Outcome::warning(Tr::tr("The file is not UTF-8 text."));
    // The mark may come out of the decoder only with a later block.
    if (!m_started && !m_text.isEmpty()) {
        m_started = true;
        if (m_text.startsWith(QChar(0xFEFF)))
            m_text.remove(0, 1);
    }
    return true;
}

Result<std::optional<QStringList>> CsvRecordReader::next()
{
    QStringList current;
    current.reserve(m_width);
    QString field;
    bool quoted = false;    // inside a quoted field
    bool wasQuoted = false; // the field began with a quote
    auto endField = [&] {
        current.append(field);
        field.clear();
        wasQuoted = false;
    };
    // The character after the one at m_at, reading on when the block ends
    // there; a null character at the end of the file.
    auto following = [&]() -> Result<QChar> {
        // A block may end inside a character: read on until one comes.
        while (m_at + 1 >= m_text.size()) {
            const Result<bool> more = readMore();
            if (!more)
                return more.outcome();
            if (!more.value())
                break;
        }
        return m_at + 1 < m_text.size() ? m_text.at(m_at + 1) : QChar();
    };
    for (;;) {
        if (m_at >= m_text.size()) {
            const Result<bool> more = readMore();
            if (!more)
                return more.outcome();
            if (!more.value())
                break;
        }
        // A run of ordinary characters is taken whole.
        const QChar *text = m_text.constData();
        const qsizetype size = m_text.size();
        qsizetype end = m_at;
        if (quoted) {
            while (end < size && text[end] != QLatin1Char('"')) {
                if (text[end] == QLatin1Char('\n'))
                    ++m_line;
                ++end;
            }
        } else {
            while (end < size && text[end] != QLatin1Char(',') && text[end] != QLatin1Char('"') &&
                   text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
                ++end;
            if (end > m_at && wasQuoted)
                return Outcome::warning(
                    Tr::tr("Line %1 of the file has text after a closing quote.").arg(m_line));
        }
        field += QStringView(text + m_at, end - m_at);
        m_at = end;
        if (m_at == size)
            continue; // the block ends inside the run
        const QChar c = m_text.at(m_at);
        if (quoted) {
            const Result<QChar> after = following();
            if (!after)
                return after.outcome();
            if (after.value() == QLatin1Char('"')) {
                field += c;
                ++m_at;
            } else {
                quoted = false;
            }
            ++m_at;
            continue;
        }
        if (c == QLatin1Char('"')) {
            if (!field.isEmpty() || wasQuoted)
                return Outcome::warning(
                    Tr::tr("Line %1 of the file has a quote inside an unquoted field.")
                        .arg(m_line));
            quoted = wasQuoted = true;
            ++m_at;
        } else if (c == QLatin1Char(',')) {
            endField();
            ++m_at;
        } else {
            if (c == QLatin1Char('\r')) {
                const Result<QChar> after = following();
                if (!after)
                    return after.outcome();
                if (after.value() == QLatin1Char('\n'))
                    ++m_at;
            }
            endField();
            ++m_line;
            ++m_at;
            m_width = qMax(m_width, current.size());
            return std::optional<QStringList>(std::move(current));
        }
    }
    if (quoted)
        return Outcome::warning(
            Tr::tr("The file ends inside a quoted field begun on line %1.").arg(m_line));
    if (!field.isEmpty() || wasQuoted || !current.isEmpty()) {
        endField();
        return std::optional<QStringList>(std::move(current));
    }
    return std::optional<QStringList>();
}

} // namespace varn::interchange
