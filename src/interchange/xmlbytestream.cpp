#include "interchange/xmlbytestream.h"

#include <array>
#include <cstring>

namespace varn::interchange {

namespace {

// What an ASCII character becomes: kept, escaped, refused, or whitespace
// that only attribute values escape.
enum class Ascii : char { Keep, Escape, Refuse, Whitespace };

constexpr std::array<Ascii, 128> asciiTable()
{
    std::array<Ascii, 128> table{};
    for (int c = 0; c < 0x20; ++c)
        table[c] = Ascii::Refuse;
    table['\t'] = table['\n'] = table['\r'] = Ascii::Whitespace;
    table['<'] = table['>'] = table['&'] = table['"'] = Ascii::Escape;
    return table;
}

constexpr std::array<Ascii, 128> kAscii = asciiTable();

// The longest any one UTF-16 unit becomes: "&quot;".
constexpr qsizetype kMostBytesPerUnit = 6;

char *copy(char *to, const char *from, std::size_t size)
{
    std::memcpy(to, from, size);
    return to + size;
}

char *escape(char *to, char16_t c)
{
    switch (c) {
    case '<':
        return copy(to, "&lt;", 4);
    case '>':
        return copy(to, "&gt;", 4);
    case '&':
        return copy(to, "&amp;", 5);
    case '"':
        return copy(to, "&quot;", 6);
    case '\t':
        return copy(to, "&#9;", 4);
    case '\n':
        return copy(to, "&#10;", 5);
    default: // '\r'
        return copy(to, "&#13;", 5);
    }
}

} // namespace

XmlByteStream::XmlByteStream(QIODevice &device, qsizetype bufferSize)
    : m_device(device), m_buffer(bufferSize, Qt::Uninitialized)
{}

void XmlByteStream::reserve(qsizetype bytes)
{
    if (m_used + bytes <= m_buffer.size())
        return;
    flush();
    if (bytes > m_buffer.size())
        m_buffer.resize(bytes);
}

bool XmlByteStream::flush()
{
    if (m_used > 0 && !m_failed)
        m_failed = m_device.write(m_buffer.constData(), m_used) != m_used;
    m_used = 0;
    return !m_failed;
}

void XmlByteStream::markup(QByteArrayView bytes)
{
    reserve(bytes.size());
    std::memcpy(m_buffer.data() + m_used, bytes.data(), std::size_t(bytes.size()));
    m_used += bytes.size();
}

bool XmlByteStream::escaped(QStringView text, bool inAttribute)
{
    reserve(text.size() * kMostBytesPerUnit);
    char *const start = m_buffer.data() + m_used;
    char *out = start;
    const char16_t *in = text.utf16();
    const char16_t *const end = in + text.size();
    while (in < end) {
        const char16_t c = *in++;
        if (c < 0x80) {
            switch (kAscii[c]) {
            case Ascii::Keep:
                *out++ = char(c);
                break;
            case Ascii::Whitespace:
                if (!inAttribute) {
                    *out++ = char(c);
                    break;
                }
                [[fallthrough]];
            case Ascii::Escape:
                out = escape(out, c);
                break;
            case Ascii::Refuse:
                m_refused = m_refused ? m_refused : c;
                return false;
            }
        } else if (c < 0x800) {
            *out++ = char(0xc0 | (c >> 6));
            *out++ = char(0x80 | (c & 0x3f));
        } else if (QChar::isHighSurrogate(c) && in < end && QChar::isLowSurrogate(*in)) {
            const char32_t point = QChar::surrogateToUcs4(c, *in++);
            *out++ = char(0xf0 | (point >> 18));
            *out++ = char(0x80 | ((point >> 12) & 0x3f));
            *out++ = char(0x80 | ((point >> 6) & 0x3f));
            *out++ = char(0x80 | (point & 0x3f));
        } else if (QChar::isSurrogate(c)) {
            *out++ = '?'; // half a pair: what an encoding to UTF-8 makes of it
        } else if (c >= 0xfffe) {
            m_refused = m_refused ? m_refused : c;
            return false;
        } else {
            *out++ = char(0xe0 | (c >> 12));
            *out++ = char(0x80 | ((c >> 6) & 0x3f));
            *out++ = char(0x80 | (c & 0x3f));
        }
    }
    m_used += out - start;
    return true;
}

} // namespace varn::interchange
