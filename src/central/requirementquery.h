#pragma once

#include "common/outcome.h"
#include "store/requirementlisting.h"

#include <QString>

namespace varn::central {

// What Requirements Central lists.
enum class QueryKind {
    Functional,
    Structural,
    Technical,
    All,
    ByTemplate,
    ByVersion,
    ByNumber,
    ByParagraph,
    ByEntity,
    Suspect,
    ByText,
    Listed, // the requirements another feature's query picks
};

// Describes each query from what the user chose, as the selection the
// requirements' listing runs (store::RequirementListing). In typed text "*"
// is the wildcard and becomes "%"; the text is always bound, never pasted.
class RequirementQuery
{
public:
    using Selection = store::RequirementSelection;

    // Functional, Structural, Technical or All.
    static Selection ofType(QueryKind kind);
    // Position 0 is the Requirement Builder, n is template n.
    static Selection byTemplate(int position);
    // Refused (warning) when the text holds anything but digits and "*".
    static Result<Selection> byNumber(const QString &text);
    // Paragraphs and entity names match without regard to case on every
    // backend.
    static Selection byParagraph(const QString &text);
    static Selection byEntity(const QString &text);
    // The requirements whose sentence, paragraph or comments hold all the
    // words (store::WordSearch); refused (warning) when the text holds no
    // word at all.
    static Result<Selection> byText(const QString &text);
    // The selected requirement, read to learn its first version's number.
    static Selection requirement(qint32 number);
    // Every version of a requirement, superseded ones included.
    static Selection versionsOf(qint32 originalNumber);

    static QString withWildcards(QString text);
    static bool isNumberPattern(const QString &text);
    static QString invalidNumberMessage();

    static constexpr int kLongestNumberText = 50;
    static constexpr int kLongestEntityText = 50;
    static constexpr int kLongestWordsText = 254;
};

} // namespace varn::central
