#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace varn::quality {

// One fault a rule found: the rule's id ("vague-term"), the words at fault
// as they stand in the sentence, where they stand (in the full sentence as
// stored and shown: "The <system> system shall ..." with its full stop; for
// a text checked alone, in that text), a one-line message in the user's
// language and, where the rule has one, a suggested rewrite of the words.
struct Finding
{
    QString rule;
    QString words;
    int start = 0;
    int length = 0;
    QString message;
    // The text that replaces `words` when the suggestion is applied; an
    // empty text deletes them (the composer then closes the gap). None when
    // the rule has no rewrite to offer.
    std::optional<QString> suggestion;

    friend bool operator==(const Finding &, const Finding &) = default;
};

// The findings of one stored requirement.
struct RequirementFindings
{
    qint32 number = 0; // MASTER_REQ.Req_Num
    QList<Finding> findings;
};

} // namespace varn::quality
