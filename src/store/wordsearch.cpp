#include "store/wordsearch.h"

namespace varn::store {

namespace {

bool isTokenCharacter(QChar c)
{
    return c.isLetterOrNumber() || c.isMark();
}

// The tokens of a word or a phrase.
QStringList tokensOf(const QString &text)
{
    QStringList tokens;
    QString token;
    for (const QChar c : text) {
        if (isTokenCharacter(c)) {
            token += c;
        } else if (!token.isEmpty()) {
            tokens.append(token);
            token.clear();
        }
    }
    if (!token.isEmpty())
        tokens.append(token);
    return tokens;
}

void addTerm(QList<SearchTerm> &terms, const QString &text, bool prefix)
{
    SearchTerm term{tokensOf(text), prefix};
    if (term.tokens.isEmpty())
        return;
    // "a-b*" wants words beginning with b after a; a "*" after something
    // that is no token ("a- *") asks for nothing more than the words.
    if (term.prefix && !isTokenCharacter(text.at(text.size() - 2)))
        term.prefix = false;
    if (!terms.contains(term))
        terms.append(term);
}

} // namespace

QList<SearchTerm> WordSearch::terms(const QString &text)
{
    QList<SearchTerm> terms;
    const QChar quote = QLatin1Char('"');
    const QChar star = QLatin1Char('*');
    qsizetype position = 0;
    while (position < text.size()) {
        const QChar c = text.at(position);
        if (c.isSpace()) {
            ++position;
            continue;
        }
        if (c == quote) {
            qsizetype end = text.indexOf(quote, position + 1);
            if (end < 0)
                end = text.size();
            const QString phrase = text.mid(position + 1, end - position - 1);
            position = end + 1;
            const bool prefix = position < text.size() && text.at(position) == star;
            if (prefix)
                ++position;
            // The phrase with its "*" appended, so a "*" after a closing quote
            // reads as one after its last word.
            addTerm(terms, prefix ? phrase + star : phrase, prefix);
            continue;
        }
        qsizetype end = position;
        while (end < text.size() && !text.at(end).isSpace() && text.at(end) != quote)
            ++end;
        const QString word = text.mid(position, end - position);
        addTerm(terms, word, word.size() > 1 && word.endsWith(star));
        position = end;
    }
    return terms;
}

QString WordSearch::ftsMatch(const QList<SearchTerm> &terms)
{
    QStringList parts;
    for (const SearchTerm &term : terms) {
        QString part = QLatin1Char('"') + term.tokens.join(QLatin1Char(' ')) + QLatin1Char('"');
        if (term.prefix)
            part += QLatin1Char('*');
        parts.append(part);
    }
    return parts.join(QLatin1Char(' '));
}

QString WordSearch::tsQuery(const QList<SearchTerm> &terms)
{
    QStringList parts;
    for (const SearchTerm &term : terms) {
        QStringList lexemes;
        for (const QString &token : term.tokens)
            lexemes.append(QLatin1Char('\'') + token + QLatin1Char('\''));
        if (term.prefix)
            lexemes.last() += QLatin1String(":*");
        parts.append(lexemes.size() > 1 ? QLatin1Char('(') + lexemes.join(QLatin1String(" <-> ")) +
                                              QLatin1Char(')')
                                        : lexemes.first());
    }
    return parts.join(QLatin1String(" & "));
}

} // namespace varn::store
