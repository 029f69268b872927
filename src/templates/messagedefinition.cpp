#include "templates/messagedefinition.h"

#include "common/requirementlimits.h"

#include "store/requirementrows.h"
#include "templates/structuralmessages.h"
#include "templates/templatecatalogue.h"

namespace varn::templates {

using language::TermRecord;
using Control = StructuralControl;

namespace {

constexpr const char *kIncludePhrase = "shall include ";
constexpr const char *kListPhrase = "field with the possible value(s): ";
constexpr const char *kRangePhrase = "field with a range of ";
constexpr const char *kRangeJoin = " to ";
constexpr const char *kFieldWord = "field";
constexpr const char *kValueSeparator = ", ";
constexpr const char *kVowels = "aeiou"; // lower case only: "Identifier" takes "a "

QString withoutLeadingBlanks(const QString &text)
{
    qsizetype first = 0;
    while (first < text.size() && text.at(first) == QLatin1Char(' '))
        ++first;
    return text.mid(first);
}

QString articleFor(const QString &field)
{
    const bool vowel = !field.isEmpty() && field.front().unicode() < 128 &&
                       QByteArrayView(kVowels).contains(char(field.front().unicode()));
    return vowel ? QStringLiteral("an ") : QStringLiteral("a ");
}

} // namespace

int MessageDefinition::positionNumber(const QString &shown)
{
    if (shown.trimmed().isEmpty())
        return -1;
    return TemplateCatalogue::messagePositions().indexOf(shown.trimmed()) + 1;
}

// Preview steps 2 and 3, which Save checks first too.
std::optional<SentencePreview> MessageDefinition::checkRange() const
{
    const bool from = given(m_draft.from);
    const bool to = given(m_draft.to);
    if (!m_draft.possibleValues.isEmpty() && (from || to))
        return refusePreview(messages::kValuesAndRange, Control::PossibleValues);
    if (to && !from)
        return refusePreview(messages::kToWithoutFrom, Control::From);
    if (from && !to)
        return refusePreview(messages::kFromWithoutTo, Control::To);
    return std::nullopt;
}

SentencePreview MessageDefinition::preview() const
{
    if (articlePosition() < 0)
        return refusePreview(messages::kNoArticleSelection, Control::Article);
    if (const auto refused = checkRange())
        return *refused;
    QString sentence = m_draft.article + QLatin1Char(' ');
    if (given(m_draft.entity))
        sentence += m_draft.entity + QLatin1Char(' ');
    sentence += QLatin1String(kIncludePhrase);
    if (given(m_draft.attribute)) {
        const QString field = withoutLeadingBlanks(m_draft.attribute);
        sentence += articleFor(field) + field + QLatin1Char(' ');
    }
    if (!m_draft.possibleValues.isEmpty())
        sentence += QLatin1String(kListPhrase) +
                    m_draft.possibleValues.join(QLatin1String(kValueSeparator));
    else if (given(m_draft.from))
        sentence +=
            QLatin1String(kRangePhrase) + m_draft.from + QLatin1String(kRangeJoin) + m_draft.to;
    else
        sentence += QLatin1String(kFieldWord);
    return previewOf(sentence);
}

SaveStep MessageDefinition::checkBeforeSaving()
{
    if (articlePosition() < 0)
        return stop(messages::kNoArticleSelection, Control::Article);
    if (const auto refused = checkRange())
        return SaveStep::stop(refused->outcome, refused->focusField);
    if (!given(m_draft.entity))
        return stop(messages::kNoMessage, Control::Entity);
    if (!given(m_draft.attribute))
        return stop(messages::kNoField, Control::Attribute);
    return SaveStep::proceed();
}

SaveStep MessageDefinition::compose(QString &body, QList<TermRecord> &terms)
{
    if (positionNumber(m_draft.position) == 0)
        return stop(messages::kNotAnItem, Control::Position);
    if (!m_draft.dataType.isEmpty() &&
        TemplateCatalogue::messageDataTypes().indexOf(m_draft.dataType) < 0)
        return stop(messages::kNotAnItem, Control::DataType);
    for (const QString *range : {&m_draft.from, &m_draft.to}) {
        if (range->size() > kLongestField)
            return stop(messages::kFieldTooLong,
                        range == &m_draft.from ? Control::From : Control::To, true);
    }
    appendTerm(terms, 'k', QStringLiteral("system"));
    if (SaveStep step = checkTerm(m_draft.entity, 'e', Control::Entity); !step.proceeds())
        return step;
    appendTerm(terms, 'e', m_draft.entity);
    appendTerm(terms, 'z', QStringLiteral("that has"));
    if (SaveStep step = checkTerm(m_draft.attribute, 'a', Control::Attribute); !step.proceeds())
        return step;
    appendTerm(terms, 'a', m_draft.attribute);
    if (SaveStep step = appendValueTerms(terms); !step.proceeds())
        return step;
    body = bodyFromPreview();
    return SaveStep::proceed();
}

void MessageDefinition::fillRow(store::StrucReqRow &row) const
{
    row.Preamble = QString::number(articlePosition());
    row.EntityAttr = m_draft.entity;
    row.AttrName = m_draft.attribute;
    row.PossVal = m_draft.possibleValues.isEmpty() ? QStringLiteral("1") : QStringLiteral("0");
    row.DataType = QString::number(TemplateCatalogue::messageDataTypes().indexOf(m_draft.dataType));
    row.Position = positionNumber(m_draft.position);
    row.From = stored(m_draft.from);
    row.To = stored(m_draft.to);
}

} // namespace varn::templates
