#pragma once

#include "change/linkwalk.h"
#include "change/modelelements.h"
#include "common/outcome.h"
#include "interchange/requirementtrace.h"
#include "store/requirementreader.h"
#include "store/storedrequirementreader.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace varn::change {

// What the newest version of a requirement adds to and removes from the
// object model against the version before it, each derived on its own from
// its stored terms.
struct VersionDelta
{
    int previousNumber = 0;
    int previousVersion = 0;
    int number = 0;
    int version = 0;
    ModelDelta model;
    QString failure; // why a version's contribution could not be derived
};

// The impact of a change to one requirement.
struct ImpactReport
{
    int asked = 0;  // the number asked about: any version of the requirement
    int number = 0; // its newest version
    QString sentence;
    bool deleted = false;
    QList<int> versions; // every version's number, oldest first

    // The requirements that depend on it, directly or through others, and
    // those it depends on; each by its shortest chain of links.
    Reach dependents;
    Reach parents;

    // The classes, attributes and methods it produced in the object model,
    // with the generated lines that declare them; the folders of generated
    // code looked in (none when no code was generated).
    QList<interchange::TracedEntity> produced;
    QStringList generatedFolders;

    // Only for a requirement with more than one version.
    std::optional<VersionDelta> delta;

    // The sentences of the requirements reached, once read (readSentences()).
    QHash<int, store::SentenceState> sentences;

    bool codeGenerated() const { return !generatedFolders.isEmpty(); }
};

// The impact of a change to a requirement: the requirements reached through
// the dependent links both ways, what the requirement produced in the object
// model and the generated code (the trace), and what its newest version
// changed in the model.
class Impact
{
public:
    Impact(QString connectionName, QString installPath, QString systemName);
    ~Impact();
    Impact(const Impact &) = delete;
    Impact &operator=(const Impact &) = delete;

    // Refused (warning) when no requirement has that number.
    Result<ImpactReport> of(int number);
    // Reads the sentences of the requirements the report reached, for a
    // reader of the whole report (a large workspace's walk may reach
    // thousands; a window reads those it shows through sentenceOf()).
    Outcome readSentences(ImpactReport &report);
    // nullopt when there is no such requirement.
    Result<std::optional<store::SentenceState>> sentenceOf(int number);

    static QString unknown(int number);

private:
    std::optional<VersionDelta> versionDelta(const QList<int> &versions);
    Result<QList<ModelElement>> contributionOf(int number);
    QStringList generatedFolders() const;

    QString m_connection;
    QString m_installPath;
    QString m_systemName;
    store::RequirementReader m_requirements;
    interchange::RequirementTrace m_trace;
    std::unique_ptr<store::StoredRequirementLookup> m_stored;
};

} // namespace varn::change
