#pragma once

#include "common/outcome.h"

#include <QString>
#include <QVariantList>

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
};

// One query over MASTER_REQ: either a filter on the table or a whole
// statement, with the values bound to its "?" placeholders in order.
struct QueryStatement
{
    QString filter;
    QString statement;
    QVariantList values;
};

// Builds the bound SQL of each query from what the user chose. In typed text
// "*" is the wildcard and becomes "%"; the text is always bound, never pasted.
class RequirementQuery
{
public:
    // Functional, Structural, Technical or All.
    static QueryStatement ofType(QueryKind kind);
    // Position 0 is the Requirement Builder, n is template n.
    static QueryStatement byTemplate(int position);
    // Refused (warning) when the text holds anything but digits and "*".
    static Result<QueryStatement> byNumber(const QString &text);
    // Paragraphs and entity names match without regard to case on every
    // backend (the statement is prepared through SqlDialect::likeIgnoringCase).
    static QueryStatement byParagraph(const QString &text);
    static QueryStatement byEntity(const QString &text);
    // The selected requirement, read to learn its first version's number.
    static QueryStatement requirement(qint32 number);
    // Every version of a requirement, superseded ones included.
    static QueryStatement versionsOf(qint32 originalNumber);

    static QString withWildcards(QString text);
    static bool isNumberPattern(const QString &text);
    static const QString &invalidNumberMessage();

    static constexpr int kLongestNumberText = 50;
    static constexpr int kLongestEntityText = 50;
};

} // namespace varn::central
