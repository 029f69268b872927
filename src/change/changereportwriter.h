#pragma once

#include "change/comparison.h"

#include <QByteArray>
#include <QString>

namespace varn::change {

// A comparison written for a reader (text, the words marked "[-removed-]" and
// "{+added+}"), for a program (JSON) or as a self-contained HTML change
// report with the removed and added words coloured.
class ChangeReportWriter
{
public:
    enum class Format { Text, Json, Html };
    // "text", "json", "html"; nullopt for anything else.
    static std::optional<Format> formatNamed(const QString &name);

    static QString text(const ChangeReport &report);
    static QByteArray json(const ChangeReport &report);
    static QString html(const ChangeReport &report, const QString &systemName);

    // "baseline "R1"" or "the live requirements".
    static QString setName(const QString &baseline);
    // "3 added, 1 deleted, 2 changed; 1 link added, 0 links removed"
    static QString counts(const ChangeReport &report);
    // One link as a sentence: "3 depends on 1".
    static QString linkText(const LinkChange &link);
    static QString kindName(RequirementChange::Kind kind);
    // A requirement's heading ("Changed requirement 1 (now 5)").
    static QString heading(const RequirementChange &change);
    // Its sentence as HTML, the removed words in <del> and the added in <ins>.
    static QString sentenceHtml(const RequirementChange &change);
};

} // namespace varn::change
