#include "templates/structuralcommit.h"

#include "templates/templatestr.h"

namespace varn::templates {

namespace {

Outcome unknownTemplate(int source)
{
    return Outcome::stop(
        Tr::tr("Internal error. Template %1 is not a structural template.").arg(source));
}

} // namespace

StructuralCommit::StructuralCommit(store::RecordObjects &records, QString systemName)
    : m_frame(records), m_systemName(std::move(systemName))
{}

CommitResult StructuralCommit::save(StructuralDraft &draft, const QDate &today)
{
    const auto requirement = StructuralComposition::forDraft(draft, m_systemName);
    if (!requirement) {
        CommitResult refused;
        refused.outcome = unknownTemplate(draft.source);
        return refused;
    }
    return m_frame.save(*requirement, today);
}

SentencePreview StructuralCommit::preview(const StructuralDraft &draft, const QString &systemName)
{
    StructuralDraft copy = draft;
    const auto requirement = StructuralComposition::forDraft(copy, systemName);
    if (!requirement)
        return {unknownTemplate(draft.source), -1, {}};
    return requirement->preview();
}

} // namespace varn::templates
