#pragma once

#include "common/outcome.h"
#include "quality/finding.h"
#include "quality/storedrequirementchecker.h"

#include <QHash>
#include <QObject>

#include <memory>
#include <optional>

namespace varn::app {
class Workbench;
}

namespace varn::quality {

// The findings of the open workspace's requirements as the desktop program
// knows them: those of single requirements, checked when a list shows them,
// and those of the whole set once a query or report checked it (the set
// rules included). Forgotten when requirements are stored or the rules
// change; one per workbench.
class WorkspaceFindings : public QObject
{
    Q_OBJECT

public:
    static WorkspaceFindings &of(app::Workbench &workbench);

    // The requirement's findings: from the whole set when it was checked,
    // else from its own sentence.
    Result<QList<Finding>> findingsOf(qint32 number);
    // Whether the counts include the set rules.
    bool knowsWholeSet() const { return m_whole.has_value(); }
    // Checks the whole set (once until forgotten): the requirements with
    // findings.
    Result<QHash<qint32, QList<Finding>>> wholeSet();
    void forget();

signals:
    void forgotten();

private:
    explicit WorkspaceFindings(app::Workbench &workbench);

    app::Workbench &m_workbench;
    std::unique_ptr<StoredRequirementChecker> m_single;
    QHash<qint32, QList<Finding>> m_singles;
    std::optional<QHash<qint32, QList<Finding>>> m_whole;
};

} // namespace varn::quality
