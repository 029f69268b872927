#pragma once

#include "common/outcome.h"
#include "quality/finding.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace varn::quality {

// The quality report: one self-contained HTML page (its style inside, no
// external file) with the findings of the live requirements grouped by
// rule, each with the requirement's number, its sentence with the words at
// fault marked, the message and the suggested rewrite.
class QualityReport
{
public:
    using Progress = std::function<void(int percent)>;

    struct Summary
    {
        int requirements = 0; // checked
        int withFindings = 0;
        int findings = 0;
    };

    static QString page(const QString &systemName, const QList<RequirementFindings> &found,
                        const QHash<qint32, QString> &sentences, int checked,
                        const QDateTime &created);
    // Reads and checks the workspace's live requirements (less the accepted
    // findings) and writes the page whole or not at all. Refused for one of
    // the workspace's own files.
    static Result<Summary> write(const QString &connectionName, const QString &systemName,
                                 const QString &path, const QStringList &ownFiles,
                                 const Progress &progress = {});
};

} // namespace varn::quality
