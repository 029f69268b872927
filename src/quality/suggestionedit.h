#pragma once

#include "quality/checkedsentence.h"
#include "quality/finding.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace varn::quality {

// Where a finding's words stand in the composer's field that holds them: the
// field (by its place in the list the composer gives), the words' place in
// the field's text as typed, and the text that replaces them.
struct FieldEdit
{
    int field = -1;
    int start = 0;
    int length = 0;
    QString replacement;

    friend bool operator==(const FieldEdit &, const FieldEdit &) = default;
};

// Applying a suggestion to what the user typed rather than to the sentence:
// the sentence joins the fields with the system's words and collapses their
// blanks, so the finding's place in it is mapped back to one field's text.
class SuggestionEdit
{
public:
    // The field whose text holds the finding's words, from the texts of the
    // composer's fields in the order the sentence names them; none when the
    // finding has no suggestion or its words are in no field (a list entry,
    // the system's words).
    static std::optional<FieldEdit> locate(const CheckedSentence &sentence, const Finding &finding,
                                           const QStringList &fieldTexts);
    // The field's text with the edit made; a deletion closes the gap it
    // leaves.
    static QString applied(const QString &text, const FieldEdit &edit);
};

} // namespace varn::quality
