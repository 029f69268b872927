#include "language/sentencerenderer.h"

namespace varn::language {

namespace {

void appendWord(QString &sentence, const QString &word)
{
    if (!word.isEmpty())
        sentence += word + u' ';
}

} // namespace

QString SentenceRenderer::render(const QString &systemName, const QString &preamble,
                                 const QStringList &cells)
{
    QString sentence = QStringLiteral("The ") + systemName + QStringLiteral(" system ");
    appendWord(sentence, preamble);
    for (const QString &cell : cells)
        appendWord(sentence, cell);
    qsizetype end = sentence.size();
    while (end > 0 && sentence.at(end - 1).isSpace())
        --end;
    sentence.truncate(end);
    return sentence + u'.';
}

} // namespace varn::language
