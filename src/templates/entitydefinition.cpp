#include "templates/entitydefinition.h"

#include "store/requirementrows.h"
#include "templates/structuralmessages.h"

namespace varn::templates {

using language::TermRecord;
using Control = StructuralControl;

namespace {

// The Preamble column of every entity definition.
constexpr const char *kStoredPreamble = "2";

} // namespace

QString EntityDefinition::masterPreamble() const
{
    return QStringLiteral("The ") + m_systemName + QStringLiteral(" system shall include");
}

SentencePreview EntityDefinition::preview() const
{
    QString sentence = masterPreamble() + QLatin1Char(' ');
    for (const QString *text : {&m_draft.type, &m_draft.entity}) {
        if (given(*text))
            sentence += *text + QLatin1Char(' ');
    }
    return previewOf(sentence);
}

SaveStep EntityDefinition::checkBeforeSaving()
{
    if (!given(m_draft.entity))
        return stop(messages::kNoEntity, Control::Entity);
    return SaveStep::proceed();
}

SaveStep EntityDefinition::compose(QString &body, QList<TermRecord> &terms)
{
    appendTerm(terms, 'k', QStringLiteral("system"));
    if (given(m_draft.type)) {
        body = m_draft.type + QLatin1Char(' ');
        if (SaveStep step = checkTerm(m_draft.type, 't', Control::Type); !step.proceeds())
            return step;
        appendTerm(terms, 't', m_draft.type);
    }
    body += m_draft.entity + QLatin1Char(' ');
    if (SaveStep step = checkTerm(m_draft.entity, 'e', Control::Entity, false); !step.proceeds())
        return step;
    appendTerm(terms, 'e', m_draft.entity);
    return SaveStep::proceed();
}

void EntityDefinition::fillRow(store::StrucReqRow &row) const
{
    row.Preamble = QLatin1String(kStoredPreamble);
    row.TypeBasic = stored(m_draft.type);
    row.EntityBasic = m_draft.entity;
}

} // namespace varn::templates
