#pragma once

#include "common/outcome.h"
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
    static constexpr int kLongestComments = 254;

    static Outcome attributes(const QString &paragraph, const QString &comments);
    // The text as it is stored (blanks and line breaks collapsed) and every
    // term of it.
    static Outcome composition(const QString &body, const QList<language::TermRecord> &terms);
    // Control, format (bidirectional overrides, zero-width marks) and line
    // separator characters.
    static bool hasUnsafeCharacter(QStringView text);
};

} // namespace varn::templates
