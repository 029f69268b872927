#pragma once

#include <QString>

namespace varn {

// Texts saved before control characters were refused at input may still hold
// some, and the files requirements are written to cannot carry them (an XML
// document not at all, a spreadsheet or a page not safely). Written out, each
// one becomes a character that shows what it was: a C0 control its symbol in
// the Control Pictures block (U+0007 becomes U+2407, U+007F U+2421), a C1
// control and the noncharacters U+FFFE and U+FFFF the replacement character
// U+FFFD. Tab, line feed and carriage return stay.
namespace ControlCharacters {

inline char16_t visibleFor(char16_t c)
{
    if (c == u'\t' || c == u'\n' || c == u'\r')
        return c;
    if (c < 0x20)
        return char16_t(0x2400 + c);
    if (c == 0x7f)
        return 0x2421;
    if ((c >= 0x80 && c <= 0x9f) || c == 0xfffe || c == 0xffff)
        return 0xfffd;
    return c;
}

// Makes the text as it is written out, in place; returns how many
// characters changed.
inline int makeVisible(QString &text)
{
    int replaced = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (const char16_t shown = visibleFor(c); shown != c) {
            text[i] = QChar(shown);
            ++replaced;
        }
    }
    return replaced;
}

inline QString madeVisible(QString text)
{
    makeVisible(text);
    return text;
}

} // namespace ControlCharacters

} // namespace varn
