#pragma once

#include "common/outcome.h"
#include "quality/finding.h"
#include "store/qualitytables.h"

#include <QList>
#include <QString>

#include <memory>

namespace varn::quality {

class SentenceChecker;

// The sentence rules over single stored requirements, each read on its own:
// what a list needs for the rows it shows, without reading the workspace.
// The workspace's settings and accepted findings are read once, when it is
// made; the set rules need the whole set and are left to WorkspaceQuality.
class StoredRequirementChecker
{
public:
    explicit StoredRequirementChecker(QString connectionName);
    ~StoredRequirementChecker();

    // The requirement's findings, the accepted ones left out; none for a
    // number that is not stored.
    Result<QList<Finding>> findingsOf(qint32 number) const;

private:
    QString m_connection;
    std::unique_ptr<SentenceChecker> m_checker;
    QList<store::QualityAcceptanceRow> m_accepted;
};

} // namespace varn::quality
