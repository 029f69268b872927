#pragma once

#include <QList>
#include <QString>

#include <utility>

namespace varn::change {

// A run of words that both sentences share, or that only the old one
// (Removed) or only the new one (Added) has. Text keeps the spaces that
// stood before each word, so the pieces joined read as the sentences do.
struct WordPiece
{
    enum class Kind { Same, Removed, Added };
    Kind kind = Kind::Same;
    QString text;

    friend bool operator==(const WordPiece &, const WordPiece &) = default;
};

// The word-level difference between two sentences, as a reviewer reads it:
// the longest run of words the two share in order stays, the rest is removed
// or added. A punctuation mark is a word of its own, so "gate." and "gate"
// differ by the full stop alone; a word moved elsewhere reads as removed at
// its old place and added at its new one. Within each stretch between shared
// words the removed words come before the added ones.
class WordDifference
{
public:
    // The words of a text: runs of letters and digits (with the apostrophes
    // and hyphens inside them), and each other mark on its own, each with the
    // spaces before it.
    static QStringList tokens(const QString &text);

    static QList<WordPiece> between(const QString &before, const QString &after);

    // Both texts marked in one line: "[-removed-]" and "{+added+}".
    static QString marked(const QList<WordPiece> &pieces);
    // Both texts in HTML, escaped, each removed run between removedTags'
    // two parts and each added run between addedTags', the spaces before a
    // run left outside it.
    static QString html(const QList<WordPiece> &pieces,
                        const std::pair<QString, QString> &removedTags,
                        const std::pair<QString, QString> &addedTags);
    // The old sentence or the new one again from the pieces.
    static QString before(const QList<WordPiece> &pieces);
    static QString after(const QList<WordPiece> &pieces);
};

} // namespace varn::change
