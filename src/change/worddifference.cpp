#include "change/worddifference.h"

#include <QRegularExpression>

#include <vector>

namespace varn::change {

namespace {

// What a token compares by: its word without the spaces before it.
QString bare(const QString &token)
{
    return token.trimmed();
}

qsizetype leadOf(const QString &token)
{
    qsizetype spaces = 0;
    while (spaces < token.size() && token.at(spaces).isSpace())
        ++spaces;
    return spaces;
}

// A word both sentences share, with the wider of its two leads, so that it
// stays apart from a removed or added word before it.
QString shared(const QString &before, const QString &after)
{
    return leadOf(before) > leadOf(after) ? before : after;
}

void append(QList<WordPiece> &pieces, WordPiece::Kind kind, const QString &text)
{
    if (!pieces.isEmpty() && pieces.last().kind == kind)
        pieces.last().text += text;
    else
        pieces.append({kind, text});
}

// Between two shared runs, the removed words first, then the added ones.
void flush(QList<WordPiece> &pieces, QString &removed, QString &added)
{
    if (!removed.isEmpty())
        append(pieces, WordPiece::Kind::Removed, removed);
    if (!added.isEmpty())
        append(pieces, WordPiece::Kind::Added, added);
    removed.clear();
    added.clear();
}

} // namespace

QStringList WordDifference::tokens(const QString &text)
{
    static const QRegularExpression word(
        QStringLiteral("\\s*(?:[\\w]+(?:['\\x{2019}-][\\w]+)*|[^\\w\\s])"),
        QRegularExpression::UseUnicodePropertiesOption);
    QStringList tokens;
    for (auto it = word.globalMatch(text); it.hasNext();)
        tokens.append(it.next().captured(0));
    return tokens;
}

QList<WordPiece> WordDifference::between(const QString &before, const QString &after)
{
    const QStringList a = tokens(before);
    const QStringList b = tokens(after);
    // The shared start and end need no table.
    qsizetype head = 0;
    while (head < a.size() && head < b.size() && bare(a[head]) == bare(b[head]))
        ++head;
    qsizetype tail = 0;
    while (tail < a.size() - head && tail < b.size() - head &&
           bare(a[a.size() - 1 - tail]) == bare(b[b.size() - 1 - tail]))
        ++tail;
    const qsizetype n = a.size() - head - tail;
    const qsizetype m = b.size() - head - tail;
    // lcs[i][j]: the longest common run of a[head+i..] and b[head+j..].
    std::vector<std::vector<int>> lcs(n + 1, std::vector<int>(m + 1, 0));
    for (qsizetype i = n - 1; i >= 0; --i)
        for (qsizetype j = m - 1; j >= 0; --j)
            lcs[i][j] = bare(a[head + i]) == bare(b[head + j])
                            ? lcs[i + 1][j + 1] + 1
                            : std::max(lcs[i + 1][j], lcs[i][j + 1]);

    QList<WordPiece> pieces;
    QString removed;
    QString added;
    for (qsizetype k = 0; k < head; ++k)
        append(pieces, WordPiece::Kind::Same, shared(a[k], b[k]));
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && bare(a[head + i]) == bare(b[head + j])) {
            flush(pieces, removed, added);
            append(pieces, WordPiece::Kind::Same, shared(a[head + i], b[head + j]));
            ++i;
            ++j;
        } else if (j == m || (i < n && lcs[i + 1][j] >= lcs[i][j + 1])) {
            removed += a[head + i++];
        } else {
            added += b[head + j++];
        }
    }
    flush(pieces, removed, added);
    for (qsizetype k = 0; k < tail; ++k)
        append(pieces, WordPiece::Kind::Same,
               shared(a[a.size() - tail + k], b[b.size() - tail + k]));
    return pieces;
}

QString WordDifference::marked(const QList<WordPiece> &pieces)
{
    QString text;
    for (const WordPiece &piece : pieces) {
        const QString lead = piece.text.left(leadOf(piece.text));
        const QString words = piece.text.trimmed();
        switch (piece.kind) {
        case WordPiece::Kind::Same:
            text += piece.text;
            break;
        case WordPiece::Kind::Removed:
            text += lead + QStringLiteral("[-") + words + QStringLiteral("-]");
            break;
        case WordPiece::Kind::Added:
            text += lead + QStringLiteral("{+") + words + QStringLiteral("+}");
            break;
        }
    }
    return text;
}

QString WordDifference::html(const QList<WordPiece> &pieces,
                             const std::pair<QString, QString> &removedTags,
                             const std::pair<QString, QString> &addedTags)
{
    QString html;
    for (const WordPiece &piece : pieces) {
        if (piece.kind == WordPiece::Kind::Same) {
            html += piece.text.toHtmlEscaped();
            continue;
        }
        const auto &[open, close] =
            piece.kind == WordPiece::Kind::Removed ? removedTags : addedTags;
        const qsizetype spaces = leadOf(piece.text);
        html += piece.text.left(spaces) + open + piece.text.mid(spaces).toHtmlEscaped() + close;
    }
    return html;
}

QString WordDifference::before(const QList<WordPiece> &pieces)
{
    QString text;
    for (const WordPiece &piece : pieces)
        if (piece.kind != WordPiece::Kind::Added)
            text += piece.text;
    return text;
}

QString WordDifference::after(const QList<WordPiece> &pieces)
{
    QString text;
    for (const WordPiece &piece : pieces)
        if (piece.kind != WordPiece::Kind::Removed)
            text += piece.text;
    return text;
}

} // namespace varn::change
