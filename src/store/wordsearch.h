#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace varn::store {

// One thing a search by words looks for: a word (one token) or a phrase
// (several, in this order, side by side); a prefix matches any word that
// begins with the last token.
struct SearchTerm
{
    QStringList tokens;
    bool prefix = false;

    friend bool operator==(const SearchTerm &, const SearchTerm &) = default;
};

// Reads what the user typed into a search by words: words that must all
// occur, "a quoted phrase", and "*" at the end of a word (or after a closing
// quote) for any ending. A token is a run of letters, digits and marks, as
// the full-text indexes cut text into words; every other character (an
// operator of either index's query language, a quote, a "*" elsewhere)
// separates tokens and means nothing more. An unbalanced quote runs to the
// end of the text. The expressions built from the terms are bound as values,
// never pasted into a statement; their tokens hold nothing the index's query
// language could read as an operator.
class WordSearch
{
public:
    static QList<SearchTerm> terms(const QString &text);
    // An SQLite FTS5 MATCH expression: each term a quoted phrase, all of
    // them required.
    static QString ftsMatch(const QList<SearchTerm> &terms);
    // A PostgreSQL to_tsquery text: each term its lexemes joined by <->, all
    // of them joined by &.
    static QString tsQuery(const QList<SearchTerm> &terms);
};

} // namespace varn::store
