#include "templates/attributedefinition.h"

#include "common/requirementlimits.h"

#include "store/requirementrows.h"
#include "templates/structuralmessages.h"
#include "templates/templatecatalogue.h"

namespace varn::templates {

using language::TermRecord;
using Control = StructuralControl;

namespace {

constexpr const char *kStatePhrase = "shall include a state attribute named ";
constexpr const char *kValuePhrase = "shall include a value attribute named ";
constexpr const char *kListPhrase = "with the possible value(s): ";
constexpr const char *kTypePhrase = "with the data type of ";
constexpr const char *kDefaultPhrase = " and a default of ";
constexpr const char *kValueSeparator = ", ";
constexpr int kLongestDefault = kLongestField;

} // namespace

int AttributeDefinition::dataTypePosition() const
{
    return TemplateCatalogue::attributeDataTypes().indexOf(m_draft.dataType);
}

QStringList AttributeDefinition::storedValues() const
{
    return listsValues() ? m_draft.possibleValues : QStringList();
}

SentencePreview AttributeDefinition::preview() const
{
    if (articlePosition() < 0)
        return refusePreview(messages::kNoFirstSelection, Control::Article);
    if (m_draft.stateValue != 0 && m_draft.stateValue != 1)
        return refusePreview(messages::kNoStateOrValue, Control::StateValue);
    QString sentence = m_draft.article + QLatin1Char(' ');
    for (const QString *text : {&m_draft.type, &m_draft.entity}) {
        if (given(*text))
            sentence += *text + QLatin1Char(' ');
    }
    sentence += QLatin1String(m_draft.stateValue == 0 ? kStatePhrase : kValuePhrase);
    if (given(m_draft.attribute))
        sentence += m_draft.attribute + QLatin1Char(' ');
    if (hasDataType()) {
        if (dataTypePosition() < 0)
            return refusePreview(messages::kNoDataType, Control::DataType);
        sentence += QLatin1String(kTypePhrase) + m_draft.dataType;
    } else if (listsValues()) {
        // A list phrase without values would end the sentence in a colon.
        if (m_draft.possibleValues.isEmpty())
            return refusePreview(messages::kNoPossibleValue, Control::AddField);
        sentence += QLatin1String(kListPhrase) +
                    m_draft.possibleValues.join(QLatin1String(kValueSeparator));
    }
    if (given(m_draft.defaultValue)) {
        // The phrase brings its own blank.
        while (sentence.endsWith(QLatin1Char(' ')))
            sentence.chop(1);
        sentence += QLatin1String(kDefaultPhrase) + m_draft.defaultValue;
    }
    return previewOf(sentence);
}

SaveStep AttributeDefinition::checkBeforeSaving()
{
    if (articlePosition() < 0)
        return stop(messages::kNoFirstSelection, Control::Article);
    if (!given(m_draft.entity))
        return stop(messages::kNoEntity, Control::Entity);
    if (!given(m_draft.attribute))
        return stop(messages::kNoAttribute, Control::Attribute);
    if (m_draft.stateValue != 0 && m_draft.stateValue != 1)
        return stop(messages::kNoStateOrValue, Control::StateValue);
    if (hasDataType() && dataTypePosition() < 0)
        return stop(messages::kNoDataType, Control::DataType);
    if (listsValues() && m_draft.possibleValues.isEmpty())
        return stop(messages::kNoPossibleValue, Control::AddField);
    return SaveStep::proceed();
}

SaveStep AttributeDefinition::compose(QString &body, QList<TermRecord> &terms)
{
    appendTerm(terms, 'k', QStringLiteral("system"));
    if (given(m_draft.type)) {
        if (SaveStep step = checkTerm(m_draft.type, 't', Control::Type); !step.proceeds())
            return step;
        appendTerm(terms, 't', m_draft.type);
    }
    if (SaveStep step = checkTerm(m_draft.entity, 'e', Control::Entity, false); !step.proceeds())
        return step;
    appendTerm(terms, 'e', m_draft.entity);
    appendTerm(terms, 'z', QStringLiteral("that has"));
    if (SaveStep step = checkTerm(m_draft.attribute, 'a', Control::Attribute); !step.proceeds())
        return step;
    appendTerm(terms, 'a', m_draft.attribute);
    if (SaveStep step = appendValueTerms(terms); !step.proceeds())
        return step;
    if (m_draft.defaultValue.size() > kLongestDefault)
        return stop(messages::kFieldTooLong, Control::Default, true);
    body = bodyFromPreview();
    return SaveStep::proceed();
}

void AttributeDefinition::fillRow(store::StrucReqRow &row) const
{
    row.Preamble = QString::number(articlePosition());
    row.TypeAttr = stored(m_draft.type);
    row.EntityAttr = m_draft.entity;
    row.StateVal = QString::number(m_draft.stateValue);
    row.AttrName = m_draft.attribute;
    row.PossVal = QString::number(m_draft.valueGroup);
    row.DataType = QString::number(hasDataType() ? dataTypePosition() : -1);
    row.Default = stored(m_draft.defaultValue);
}

} // namespace varn::templates
