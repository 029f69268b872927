#include "generate/identifierspelling.h"

#include <QRegularExpression>

#include <algorithm>
#include <iterator>

namespace varn::generate {

namespace {

// Keywords and the alternative operator spellings up to C++20.
constexpr const char *kCppKeywords[] = {
    "alignas",       "alignof",     "and",
    "and_eq",        "asm",         "auto",
    "bitand",        "bitor",       "bool",
    "break",         "case",        "catch",
    "char",          "char16_t",    "char32_t",
    "char8_t",       "class",       "co_await",
    "co_return",     "co_yield",    "compl",
    "concept",       "const",       "const_cast",
    "consteval",     "constexpr",   "constinit",
    "continue",      "decltype",    "default",
    "delete",        "do",          "double",
    "dynamic_cast",  "else",        "enum",
    "explicit",      "export",      "extern",
    "false",         "float",       "for",
    "friend",        "goto",        "if",
    "inline",        "int",         "long",
    "mutable",       "namespace",   "new",
    "noexcept",      "not",         "not_eq",
    "nullptr",       "operator",    "or",
    "or_eq",         "private",     "protected",
    "public",        "register",    "reinterpret_cast",
    "requires",      "return",      "short",
    "signed",        "sizeof",      "static",
    "static_assert", "static_cast", "struct",
    "switch",        "template",    "this",
    "thread_local",  "throw",       "true",
    "try",           "typedef",     "typeid",
    "typename",      "union",       "unsigned",
    "using",         "virtual",     "void",
    "volatile",      "wchar_t",     "while",
    "xor",           "xor_eq",
};

// Keywords, literals and the names Java reserves for types.
constexpr const char *kJavaKeywords[] = {
    "_",        "abstract",  "assert",    "boolean", "break",      "byte",         "case",
    "catch",    "char",      "class",     "const",   "continue",   "default",      "do",
    "double",   "else",      "enum",      "extends", "false",      "final",        "finally",
    "float",    "for",       "goto",      "if",      "implements", "import",       "instanceof",
    "int",      "interface", "long",      "native",  "new",        "null",         "package",
    "permits",  "private",   "protected", "public",  "record",     "return",       "sealed",
    "short",    "static",    "strictfp",  "super",   "switch",     "synchronized", "this",
    "throw",    "throws",    "transient", "true",    "try",        "var",          "void",
    "volatile", "while",     "yield",
};

const QRegularExpression &escapeSequence()
{
    static const QRegularExpression sequence(QStringLiteral("_x([0-9A-F]{4})_"));
    return sequence;
}

bool isAsciiLetterOrDigit(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

bool isUpperHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F');
}

// A "_" of the name that would be read back as the start of a sequence.
bool looksLikeSequence(const QString &name, qsizetype at)
{
    if (at + 5 >= name.size() || name.at(at + 1) != u'x')
        return false;
    return std::all_of(name.begin() + at + 2, name.begin() + at + 6, isUpperHexDigit);
}

QString escaped(QChar c)
{
    return QLatin1String("_x") +
           QString::number(c.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0')) +
           QLatin1Char('_');
}

// A keyword followed by nothing but underscores ("true", "true__").
bool isKeywordWithUnderscores(const QString &name, CodeLanguage language)
{
    qsizetype end = name.size();
    while (end > 1 && name.at(end - 1) == u'_')
        --end;
    return IdentifierSpelling::isKeyword(name.left(end), language);
}

} // namespace

bool IdentifierSpelling::isKeyword(const QString &word, CodeLanguage language)
{
    const auto matches = [&word](const char *keyword) { return word == QLatin1String(keyword); };
    if (language == CodeLanguage::Cpp)
        return std::any_of(std::begin(kCppKeywords), std::end(kCppKeywords), matches);
    return std::any_of(std::begin(kJavaKeywords), std::end(kJavaKeywords), matches);
}

QString IdentifierSpelling::spell(const QString &name, CodeLanguage language)
{
    QString out;
    out.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        const bool escapesItself = c == u'_' && looksLikeSequence(name, i);
        const bool leadingDigit = i == 0 && c.isDigit();
        if ((isAsciiLetterOrDigit(c) || c == u'_') && !escapesItself && !leadingDigit)
            out += c;
        else
            out += escaped(c);
    }
    if (isKeywordWithUnderscores(out, language))
        out += QLatin1Char('_');
    return out;
}

QString IdentifierSpelling::unspell(const QString &identifier, CodeLanguage language)
{
    QString text = identifier;
    if (text.endsWith(QLatin1Char('_')) && isKeywordWithUnderscores(text.chopped(1), language))
        text.chop(1);
    QString out;
    qsizetype from = 0;
    for (auto it = escapeSequence().globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        out += QStringView(text).mid(from, match.capturedStart() - from);
        out += QChar(char16_t(match.captured(1).toUShort(nullptr, 16)));
        from = match.capturedEnd();
    }
    out += QStringView(text).mid(from);
    return out;
}

} // namespace varn::generate
