#include "templates/storedtextcheck.h"

#include "templates/templatestr.h"

namespace varn::templates {

namespace {

constexpr char kUnsafeCharacter[] = QT_TRANSLATE_NOOP(
    "varn::templates",
    "Validation error. The requirement holds a control or text-direction character.\nRemove it "
    "and save again.");
} // namespace

Outcome StoredTextCheck::attributes(const QString &paragraph, const QString &comments)
{
    if (paragraph.size() > kLongestParagraph)
        return Outcome::refused(
            Tr::tr("Validation error. The Paragraph field holds more than %1 characters.")
                .arg(kLongestParagraph));
    if (comments.size() > kLongestComments)
        return Outcome::refused(
            Tr::tr("Validation error. The Comments field holds more than %1 characters.")
                .arg(kLongestComments));
    if (hasUnsafeCharacter(paragraph))
        return Outcome::refused(Tr::tr("Validation error. The Paragraph field holds a control or "
                                       "text-direction character.\nRemove it and save again."));
    if (hasControlCharacter(comments, true))
        return Outcome::refused(Tr::tr("Validation error. The Comments field holds a "
                                       "control character.\nRemove it and save again."));
    return Outcome::ok();
}

Outcome StoredTextCheck::controlInField()
{
    return Outcome::refused(
        Tr::tr("Validation error. The highlighted field holds a line break or another "
               "control character.\nRemove it and save again."));
}

bool StoredTextCheck::hasControlCharacter(QStringView text, bool lineBreaksAllowed)
{
    for (const QChar c : text) {
        if (c.category() != QChar::Other_Control)
            continue;
        if (lineBreaksAllowed && (c == u'\t' || c == u'\n' || c == u'\r'))
            continue;
        return true;
    }
    return false;
}

Outcome StoredTextCheck::composition(const QString &body, const QList<language::TermRecord> &terms)
{
    // A free text (technical) may keep its line breaks and tabs; names may not.
    QString withoutBreaks = body;
    withoutBreaks.replace(QLatin1Char('\n'), QLatin1Char(' '))
        .replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\t'), QLatin1Char(' '));
    if (hasUnsafeCharacter(withoutBreaks))
        return Outcome::refused(Tr::tr(kUnsafeCharacter));
    for (const language::TermRecord &term : terms) {
        if (hasUnsafeCharacter(term.text))
            return Outcome::refused(Tr::tr(kUnsafeCharacter));
    }
    return Outcome::ok();
}

bool StoredTextCheck::hasUnsafeCharacter(QStringView text)
{
    for (const QChar c : text) {
        switch (c.category()) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            return true;
        default:
            break;
        }
    }
    return false;
}

} // namespace varn::templates
