#include "common/jsontext.h"

namespace varn::JsonText {

namespace {

QChar hexDigit(unsigned value)
{
    return QLatin1Char(value < 10 ? char('0' + value) : char('a' + value - 10));
}

void appendEscaped(QString &out, char16_t c)
{
    out += QLatin1String("\\u");
    for (int shift = 12; shift >= 0; shift -= 4)
        out += hexDigit((c >> shift) & 0xf);
}

} // namespace

void appendQuoted(QString &out, QStringView text)
{
    out.reserve(out.size() + text.size() + 2);
    out += QLatin1Char('"');
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c >= 0x20 && c != u'"' && c != u'\\' && (c < 0xd800 || c > 0xdfff)) {
            out += QChar(c);
            continue;
        }
        switch (c) {
        case u'"':
            out += QLatin1String("\\\"");
            continue;
        case u'\\':
            out += QLatin1String("\\\\");
            continue;
        case u'\b':
            out += QLatin1String("\\b");
            continue;
        case u'\f':
            out += QLatin1String("\\f");
            continue;
        case u'\n':
            out += QLatin1String("\\n");
            continue;
        case u'\r':
            out += QLatin1String("\\r");
            continue;
        case u'\t':
            out += QLatin1String("\\t");
            continue;
        default:
            break;
        }
        // A high surrogate followed by a low one is a character beyond the
        // basic plane; either half alone cannot be written as UTF-8.
        if (QChar::isHighSurrogate(c) && i + 1 < size && text.at(i + 1).isLowSurrogate()) {
            out += QChar(c);
            out += text.at(++i);
            continue;
        }
        appendEscaped(out, c);
    }
    out += QLatin1Char('"');
}

} // namespace varn::JsonText
