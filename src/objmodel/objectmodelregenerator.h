#pragma once

#include "common/outcome.h"
#include "language/termrecord.h"
#include "store/storedrequirementreader.h"

#include <QList>
#include <QString>

#include <functional>

namespace varn::objmodel {

class ObjectModelDeriver;

// Throws the whole object model away and derives it again from every stored
// functional and structural requirement, in one transaction: a regeneration
// that fails at any point leaves the old model exactly as it was.
class ObjectModelRegenerator
{
public:
    // Percentage of the stored rows walked (0 to 100) and how many
    // requirements have been rebuilt so far: the functional and structural
    // ones. Deleted versions and technical requirements are walked past and
    // not counted, since nothing is derived from them.
    using Progress = std::function<void(int percent, int processed)>;
    // Messages shown on the way (a failed table, a requirement whose own
    // derivation failed); the regeneration's outcome comes after them.
    using Notices = std::function<void(const Outcome &notice)>;

    explicit ObjectModelRegenerator(QString connectionName);

    void setProgress(Progress progress) { m_progress = std::move(progress); }
    void setNotices(Notices notices) { m_notices = std::move(notices); }

    // Delete and rebuild. On success the caller clears its
    // requirements-changed flag.
    Outcome regenerate();
    // Requirements of the last regenerate() whose own derivation failed; the
    // rebuild went on past each of them.
    int notRebuiltCount() const { return m_notRebuilt; }
    // Requirements the last regenerate() derived the model from, those whose
    // own derivation failed included.
    int processedCount() const { return m_processed; }

    // The terms a stored requirement is rebuilt into, normalised and ended by
    // the end record; labelled later. Exposed for the checks that a save
    // stores what the rebuild reads.
    using StoredRequirement = store::StoredRequirement;
    static Result<QList<language::TermRecord>> rebuildTerms(const StoredRequirement &stored);

private:
    // Empties the tables and rebuilds them while their indexes are dropped.
    Outcome deleteAndRebuild();
    Outcome rebuild();
    // Labels and derives one requirement; a refusal stops the rebuild.
    Outcome rebuildOne(const StoredRequirement &stored, ObjectModelDeriver &deriver);
    void reportProgress(int position, int total) const;
    void notice(const Outcome &outcome) const;

    QString m_connection;
    Progress m_progress;
    Notices m_notices;
    int m_notRebuilt = 0;
    int m_processed = 0;
};

} // namespace varn::objmodel
