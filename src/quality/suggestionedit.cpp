#include "quality/suggestionedit.h"

namespace varn::quality {

namespace {

// The text with its blanks collapsed as the sentence shows it, and for each
// character of it the place of that character in the text as typed.
struct Collapsed
{
    QString text;
    QList<int> origin;
};

Collapsed collapsedOf(const QString &typed)
{
    Collapsed collapsed;
    bool blank = false;
    for (int i = 0; i < typed.size(); ++i) {
        if (typed[i].isSpace()) {
            blank = !collapsed.text.isEmpty();
            continue;
        }
        if (blank) {
            collapsed.text += QLatin1Char(' ');
            collapsed.origin.append(i - 1);
            blank = false;
        }
        collapsed.text += typed[i];
        collapsed.origin.append(i);
    }
    collapsed.origin.append(int(typed.size()));
    return collapsed;
}

// Free text is shown as typed, less its outer blanks and closing stops.
QString freeTextOf(const QString &typed, int *lead)
{
    int first = 0;
    while (first < typed.size() && typed[first].isSpace())
        ++first;
    QString words = typed.trimmed();
    while (words.endsWith(QLatin1Char('.')))
        words.chop(1);
    *lead = first;
    return words;
}

} // namespace

std::optional<FieldEdit> SuggestionEdit::locate(const CheckedSentence &sentence,
                                                const Finding &finding,
                                                const QStringList &fieldTexts)
{
    if (!finding.suggestion)
        return std::nullopt;
    int spanIndex = -1;
    for (int s = 0; s < sentence.spans.size(); ++s) {
        const UserSpan &span = sentence.spans[s];
        if (finding.start >= span.start && finding.start + finding.length <= span.end()) {
            spanIndex = s;
            break;
        }
    }
    if (spanIndex < 0)
        return std::nullopt;
    const UserSpan &span = sentence.spans[spanIndex];
    const QString spanText = sentence.sentence.mid(span.start, span.length);
    // Two fields may hold the same words: the n-th span of these words is
    // the n-th field that holds them.
    int earlier = 0;
    for (int s = 0; s < spanIndex; ++s) {
        const UserSpan &other = sentence.spans[s];
        if (sentence.sentence.mid(other.start, other.length) == spanText)
            ++earlier;
    }
    const int offset = finding.start - span.start;
    for (int f = 0; f < fieldTexts.size(); ++f) {
        const QString &typed = fieldTexts[f];
        std::optional<FieldEdit> edit;
        const Collapsed collapsed = collapsedOf(typed);
        int lead = 0;
        if (collapsed.text == spanText) {
            const int start = collapsed.origin[offset];
            const int end = collapsed.origin[offset + finding.length - 1] + 1;
            edit = FieldEdit{f, start, end - start, *finding.suggestion};
        } else if (freeTextOf(typed, &lead) == spanText) {
            edit = FieldEdit{f, lead + offset, finding.length, *finding.suggestion};
        }
        if (!edit)
            continue;
        if (earlier-- > 0)
            continue;
        return edit;
    }
    return std::nullopt;
}

QString SuggestionEdit::applied(const QString &text, const FieldEdit &edit)
{
    QString result = text;
    result.replace(edit.start, edit.length, edit.replacement);
    if (!edit.replacement.isEmpty())
        return result;
    // The words went: one blank stays where two met, none at either end
    // or before a punctuation mark.
    int at = edit.start;
    while (at < result.size() && at > 0 && result[at].isSpace() && result[at - 1].isSpace())
        result.remove(at, 1);
    if (at > 0 && at <= result.size() && result[at - 1].isSpace() &&
        (at == result.size() || result[at].isPunct()))
        result.remove(at - 1, 1);
    else if (at == 0)
        while (!result.isEmpty() && result.front().isSpace())
            result.remove(0, 1);
    return result;
}

} // namespace varn::quality
