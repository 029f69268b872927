#include "central/requirementquery.h"

namespace varn::central {

namespace {

// The kind of a deleted or superseded row; every listing but By Number and
// By Version leaves such rows out.
const QString kDeleted = QStringLiteral("Deleted");

struct TypeFilter
{
    QueryKind kind;
    const char *fstType;
};

constexpr TypeFilter kTypeFilters[] = {
    {QueryKind::Functional, "Functional"},
    {QueryKind::Structural, "Structural"},
    {QueryKind::Technical, "Technical"},
};

} // namespace

QueryStatement RequirementQuery::ofType(QueryKind kind)
{
    for (const TypeFilter &type : kTypeFilters) {
        if (type.kind == kind)
            return {QStringLiteral("FSTType = ?"), {}, {QString::fromLatin1(type.fstType)}};
    }
    return {{}, QStringLiteral("SELECT * FROM MASTER_REQ WHERE (FSTType NOT LIKE ?)"), {kDeleted}};
}

QueryStatement RequirementQuery::byTemplate(int position)
{
    return {
        {},
        QStringLiteral("SELECT * FROM MASTER_REQ WHERE ((Source = ?) AND (FSTType NOT LIKE ?))"),
        {position, kDeleted}};
}

Result<QueryStatement> RequirementQuery::byNumber(const QString &text)
{
    if (!isNumberPattern(text))
        return Outcome::warning(invalidNumberMessage());
    // The number is matched as its decimal text, so "1*" finds 1, 10 to 19,
    // 100 to 199 and so on.
    return QueryStatement{
        {},
        QStringLiteral("SELECT * FROM MASTER_REQ WHERE (CAST(Req_Num AS VARCHAR(11)) LIKE ?)"),
        {withWildcards(text)}};
}

QueryStatement RequirementQuery::byParagraph(const QString &text)
{
    return {
        {},
        QStringLiteral("SELECT * FROM MASTER_REQ WHERE (ParaNum LIKE ?) AND (FSTType NOT LIKE ?)"),
        {withWildcards(text), kDeleted}};
}

QueryStatement RequirementQuery::byEntity(const QString &text)
{
    const QString pattern = withWildcards(text);
    return {{},
            QStringLiteral("SELECT * FROM MASTER_REQ WHERE (((Req_Num IN (SELECT FK_FReqNum FROM "
                           "REQ_ENTITY WHERE ReqEntity LIKE ?)) OR (Req_Num IN (SELECT "
                           "FK_SReqNum FROM REQ_ENTITY WHERE ReqEntity LIKE ?))) AND (FSTType "
                           "NOT LIKE ?))"),
            {pattern, pattern, kDeleted}};
}

QueryStatement RequirementQuery::requirement(qint32 number)
{
    return {QStringLiteral("Req_Num = ?"), {}, {number}};
}

QueryStatement RequirementQuery::versionsOf(qint32 originalNumber)
{
    return {QStringLiteral("OrigReqNum = ?"), {}, {originalNumber}};
}

QString RequirementQuery::withWildcards(QString text)
{
    return text.replace(QLatin1Char('*'), QLatin1Char('%'));
}

bool RequirementQuery::isNumberPattern(const QString &text)
{
    for (const QChar c : text) {
        if (!(c == QLatin1Char('*') || (c >= QLatin1Char('0') && c <= QLatin1Char('9'))))
            return false;
    }
    return true;
}

const QString &RequirementQuery::invalidNumberMessage()
{
    static const QString message = QStringLiteral(
        "Invalid Requirement number. Must specify an integer, * for all, or a combination "
        "thereof.");
    return message;
}

} // namespace varn::central
