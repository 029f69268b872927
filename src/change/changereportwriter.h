#pragma once

#include "change/comparison.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

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

    // The parts a report is made of, one change at a time (ChangeReportStream
    // puts them together). The title line, "Changes from ... to ...".
    static QString title(const QString &from, const QString &to);
    // A requirement's lines in the text: heading, sentence, attributes.
    static QStringList textLines(const RequirementChange &change);
    static QString textLine(const LinkChange &link);
    // One element of the JSON report's arrays.
    static QJsonObject jsonObject(const RequirementChange &change);
    static QJsonObject jsonObject(const LinkChange &link);
    static QJsonObject jsonCounts(const ChangeReport &counts);
    // The HTML page around the changes: its head down to the counts, the
    // table's heading row, a requirement's row, a link's item, and the end.
    static QString htmlHead(const ChangeReport &counts, const QString &systemName);
    static QString htmlTableHead();
    static QString htmlRow(const RequirementChange &change);
    static QString htmlLinksHead();
    static QString htmlLink(const LinkChange &link);
};

} // namespace varn::change
