#pragma once

#include "common/outcome.h"
#include "common/requirementlimits.h"
#include "language/termrecord.h"

#include <QList>
#include <QString>

namespace varn::templates {

// Refusals of texts a save would store, before the database's own checks
// meet them: attribute fields over their widths, and characters that must
// never reach a name (entity, attribute, method, class or file name) or the
// list's output.
class StoredTextCheck
{
public:
    static constexpr int kLongestParagraph = 50;
    static constexpr int kLongestComments = kLongestText;

    // The Comments field is multi-line: it may hold line breaks and tabs,
    // never another control character.
    static Outcome attributes(const QString &paragraph, const QString &comments);
    // The refusal of a sentence field (a template's box or list) holding a
    // line break or another control character.
    static Outcome controlInField();
    // The text as it is stored (blanks and line breaks collapsed) and every
    // term of it.
    static Outcome composition(const QString &body, const QList<language::TermRecord> &terms);
    // Control, format (bidirectional overrides, zero-width marks) and line
    // separator characters.
    static bool hasUnsafeCharacter(QStringView text);
    // Control characters (U+0000 to U+001F, U+007F to U+009F); with line
    // breaks allowed, tab, line feed and carriage return are not counted.
    static bool hasControlCharacter(QStringView text, bool lineBreaksAllowed = false);
};

} // namespace varn::templates
