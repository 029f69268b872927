#include "templates/compositiondefinition.h"

#include "common/requirementlimits.h"

#include "language/termnormalizer.h"
#include "store/requirementrows.h"
#include "templates/structuralmessages.h"
#include "templates/templatecatalogue.h"

namespace varn::templates {

using language::TermRecord;
using Control = StructuralControl;

namespace {

constexpr const char *kIncludePhrase = "shall include ";
// The part's name "type_entity" is one entity name of at most 50 characters.
constexpr int kLongestPartPieces = kLongestField;
constexpr int kLongestCount = 20; // STRUC_REQ.HowMany

QString withBlank(const QString &text)
{
    return text + QLatin1Char(' ');
}

QString normalised(const QString &text, char letter)
{
    QString name = text;
    static_cast<void>(language::TermNormalizer::normalizeField(name, letter));
    return name;
}

} // namespace

QString CompositionDefinition::masterPreamble() const
{
    return TemplateCatalogue::articles().value(articlePosition() == 0 ? 0 : 1);
}

SentencePreview CompositionDefinition::preview() const
{
    if (articlePosition() < 0)
        return refusePreview(messages::kNoFirstSelection, Control::Article);
    QString sentence = withBlank(m_draft.article);
    for (const QString *text : {&m_draft.type, &m_draft.entity}) {
        if (given(*text))
            sentence += withBlank(*text);
    }
    sentence += QLatin1String(kIncludePhrase);
    if (given(m_draft.howMany))
        sentence += withBlank(m_draft.howMany);
    if (!m_draft.cardinality.isEmpty()) {
        if (given(m_draft.howMany))
            return refusePreview(messages::kCountAndCardinality, Control::Cardinality);
        sentence += withBlank(m_draft.cardinality);
    }
    for (const QString *text : {&m_draft.partType, &m_draft.partEntity}) {
        if (given(*text))
            sentence += withBlank(*text);
    }
    return previewOf(sentence);
}

SaveStep CompositionDefinition::checkBeforeSaving()
{
    if (!given(m_draft.entity))
        return stop(messages::kNoEntity, Control::Entity);
    if (!given(m_draft.partEntity))
        return stop(messages::kNoPart, Control::PartEntity);
    if (articlePosition() < 0)
        return stop(messages::kNoFirstSelection, Control::Article);
    return SaveStep::proceed();
}

SaveStep CompositionDefinition::appendPart(QList<TermRecord> &terms) const
{
    if (!given(m_draft.partType)) {
        if (SaveStep step = checkTerm(m_draft.partEntity, 'p', Control::PartEntity, false);
            !step.proceeds())
            return step;
        appendTerm(terms, 'p', m_draft.partEntity);
        return SaveStep::proceed();
    }
    if (SaveStep step = checkTerm(m_draft.partType, 't', Control::PartType); !step.proceeds())
        return step;
    if (SaveStep step = checkTerm(m_draft.partEntity, 'p', Control::PartEntity, false);
        !step.proceeds())
        return step;
    const qsizetype pieces =
        normalised(m_draft.partType, 't').size() + normalised(m_draft.partEntity, 'p').size();
    if (pieces >= kLongestPartPieces)
        return stop(messages::kPartTooLong, Control::PartType, true);
    appendTerm(terms, 'p', m_draft.partType + QLatin1Char('_') + m_draft.partEntity);
    return SaveStep::proceed();
}

SaveStep CompositionDefinition::appendCount(QString &body) const
{
    if (given(m_draft.howMany)) {
        if (m_draft.howMany.size() > kLongestCount)
            return stop(messages::kCountTooLong, Control::HowMany, true);
        body += withBlank(m_draft.howMany);
    }
    if (m_draft.cardinality.isEmpty()) {
        return given(m_draft.howMany) ? SaveStep::proceed()
                                      : stop(messages::kNoCountOrCardinality, Control::HowMany);
    }
    if (TemplateCatalogue::cardinalities().indexOf(m_draft.cardinality) < 0)
        return stop(messages::kNotAnItem, Control::Cardinality);
    if (given(m_draft.howMany))
        return stop(messages::kCountAndCardinality, Control::Cardinality);
    body += withBlank(m_draft.cardinality);
    return SaveStep::proceed();
}

SaveStep CompositionDefinition::compose(QString &body, QList<TermRecord> &terms)
{
    appendTerm(terms, 'k', QStringLiteral("system"));
    if (SaveStep step = appendPart(terms); !step.proceeds())
        return step;
    if (given(m_draft.type)) {
        body += withBlank(m_draft.type);
        if (SaveStep step = checkTerm(m_draft.type, 't', Control::Type); !step.proceeds())
            return step;
        appendTerm(terms, 't', m_draft.type);
    }
    body += withBlank(m_draft.entity);
    if (SaveStep step = checkTerm(m_draft.entity, 'e', Control::Entity, false); !step.proceeds())
        return step;
    appendTerm(terms, 'e', m_draft.entity);
    body += QLatin1String(kIncludePhrase);
    if (SaveStep step = appendCount(body); !step.proceeds())
        return step;
    if (given(m_draft.partType))
        body += withBlank(m_draft.partType);
    body += m_draft.partEntity;
    return SaveStep::proceed();
}

void CompositionDefinition::fillRow(store::StrucReqRow &row) const
{
    row.Preamble = QString::number(articlePosition());
    row.TypeWithList = stored(m_draft.type);
    row.EntityWithList = m_draft.entity;
    row.HowMany = stored(m_draft.howMany);
    row.Cardinality =
        QString::number(TemplateCatalogue::cardinalities().indexOf(m_draft.cardinality));
    row.TypeInList = stored(m_draft.partType);
    row.EntityInList = m_draft.partEntity;
}

} // namespace varn::templates
