#include "quality/widgets/workspacefindings.h"

#include "app/cvarnapp.h"
#include "app/widgets/workbench.h"
#include "quality/workspacequality.h"

namespace varn::quality {

WorkspaceFindings &WorkspaceFindings::of(app::Workbench &workbench)
{
    if (auto *known =
            workbench.findChild<WorkspaceFindings *>(QString(), Qt::FindDirectChildrenOnly))
        return *known;
    return *new WorkspaceFindings(workbench);
}

WorkspaceFindings::WorkspaceFindings(app::Workbench &workbench)
    : QObject(&workbench), m_workbench(workbench)
{
    connect(&workbench, &app::Workbench::requirementsStored, this, &WorkspaceFindings::forget);
    connect(&workbench, &app::Workbench::checksChanged, this, &WorkspaceFindings::forget);
}

void WorkspaceFindings::forget()
{
    m_single.reset();
    m_singles.clear();
    m_whole.reset();
    emit forgotten();
}

Result<QList<Finding>> WorkspaceFindings::findingsOf(qint32 number)
{
    if (m_whole)
        return m_whole->value(number);
    if (const auto known = m_singles.constFind(number); known != m_singles.cend())
        return known.value();
    if (!m_single)
        m_single = std::make_unique<StoredRequirementChecker>(
            m_workbench.app().requirementsConnectionName());
    Result<QList<Finding>> found = m_single->findingsOf(number);
    if (found)
        m_singles.insert(number, found.value());
    return found;
}

Result<QHash<qint32, QList<Finding>>> WorkspaceFindings::wholeSet()
{
    if (m_whole)
        return *m_whole;
    const WorkspaceQuality quality(m_workbench.app().requirementsConnectionName());
    Result<QList<RequirementFindings>> found = quality.check();
    if (!found)
        return found.outcome();
    QHash<qint32, QList<Finding>> whole;
    for (const RequirementFindings &requirement : found.value())
        whole.insert(requirement.number, requirement.findings);
    m_whole = whole;
    return whole;
}

} // namespace varn::quality
