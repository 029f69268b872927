#pragma once

#include "common/outcome.h"
#include "quality/finding.h"
#include "quality/rulebook.h"
#include "quality/sentencechecker.h"
#include "quality/setchecker.h"
#include "store/qualitytables.h"

#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace varn::quality {

// The quality checks of one open workspace: its settings, its live
// requirements and object model read through their owners, the findings of
// both kinds of rule less those a reviewer accepted, and accepting one.
class WorkspaceQuality
{
public:
    explicit WorkspaceQuality(QString connectionName);
    ~WorkspaceQuality();

    // The workspace's rule settings.
    static Result<RuleSettings> readSettings(const QString &connectionName);
    // What the set rules and the vocabulary read: the live requirements,
    // their structural definitions and links, the object model's kinds.
    Result<WorkspaceFacts> readFacts() const;
    static ModelVocabulary vocabularyOf(const WorkspaceFacts &facts);

    // The findings of every live requirement (only of `number` when given),
    // the accepted ones left out; requirements without findings are left
    // out too. Refused when `number` is no live requirement.
    Result<QList<RequirementFindings>> check(std::optional<qint32> number = {}) const;
    // The same from facts already read (the desktop program keeps them).
    // The progress hears of the sentences checked so far, of all.
    static QList<RequirementFindings> check(const WorkspaceFacts &facts,
                                            const RuleSettings &settings,
                                            const QList<store::QualityAcceptanceRow> &accepted,
                                            std::optional<qint32> number = {},
                                            const std::function<void(int, int)> &progress = {});

    // Accepts the requirement's findings of the rule (only those of the
    // words when given) with the reason, recorded with who and when; the
    // number of findings accepted. Refused when the requirement is not live,
    // the rule unknown, the reason empty, or there is no such finding.
    Result<int> accept(qint32 number, const QString &rule, const QString &reason,
                       const QString &words = {}) const;
    // Who is accepting: the login name.
    static QString currentUser();

private:
    QString m_connection;
};

} // namespace varn::quality
