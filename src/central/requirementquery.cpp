#include "central/requirementquery.h"

#include "central/centraltr.h"
#include "common/storedwords.h"
#include "store/wordsearch.h"

namespace varn::central {

using Kind = store::RequirementSelection::Kind;

namespace {

struct TypeFilter
{
    QueryKind kind;
    const char *fstType;
};

constexpr TypeFilter kTypeFilters[] = {
    {QueryKind::Functional, StoredWords::kFunctional},
    {QueryKind::Structural, StoredWords::kStructural},
    {QueryKind::Technical, StoredWords::kTechnical},
};

} // namespace

// Every listing but By Number and By Version leaves deleted and superseded
// rows out.
RequirementQuery::Selection RequirementQuery::ofType(QueryKind kind)
{
    if (kind == QueryKind::Suspect)
        return {Kind::Suspect, {}, 0};
    for (const TypeFilter &type : kTypeFilters) {
        if (type.kind == kind)
            return {Kind::OfType, QString::fromLatin1(type.fstType), 0};
    }
    return {Kind::Live, {}, 0};
}

RequirementQuery::Selection RequirementQuery::byTemplate(int position)
{
    return {Kind::ByTemplate, {}, position};
}

Result<RequirementQuery::Selection> RequirementQuery::byNumber(const QString &text)
{
    if (!isNumberPattern(text))
        return Outcome::warning(invalidNumberMessage());
    // The number is matched as its decimal text, so "1*" finds 1, 10 to 19,
    // 100 to 199 and so on.
    return Selection{Kind::ByNumber, withWildcards(text), 0};
}

RequirementQuery::Selection RequirementQuery::byParagraph(const QString &text)
{
    return {Kind::ByParagraph, withWildcards(text), 0};
}

RequirementQuery::Selection RequirementQuery::byEntity(const QString &text)
{
    return {Kind::ByEntity, withWildcards(text), 0};
}

Result<RequirementQuery::Selection> RequirementQuery::byText(const QString &text)
{
    if (store::WordSearch::terms(text).isEmpty())
        return Outcome::warning(
            Tr::tr("Type the words to search for: letters or digits, a \"quoted phrase\", or a "
                   "word ending in * for any ending."));
    return Selection{Kind::ByText, text, 0};
}

RequirementQuery::Selection RequirementQuery::requirement(qint32 number)
{
    return {Kind::Requirement, {}, number};
}

RequirementQuery::Selection RequirementQuery::versionsOf(qint32 originalNumber)
{
    return {Kind::VersionsOf, {}, originalNumber};
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

QString RequirementQuery::invalidNumberMessage()
{
    return Tr::tr(
        "Invalid Requirement number. Must specify an integer, * for all, or a combination "
        "thereof.");
}

} // namespace varn::central
