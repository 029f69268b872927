#pragma once

#include "change/snapshot.h"
#include "change/worddifference.h"
#include "common/outcome.h"

#include <QList>
#include <QString>

namespace varn::change {

// One attribute that differs: its key ("category") and both values.
struct AttributeChange
{
    QString key;
    QString before;
    QString after;

    friend bool operator==(const AttributeChange &, const AttributeChange &) = default;
};

// A requirement added, deleted or changed between two sets. A changed one
// has its sentence's word-level difference (empty when the sentence is the
// same) and the attributes that differ.
struct RequirementChange
{
    enum class Kind { Added, Deleted, Changed };
    Kind kind = Kind::Changed;
    int identity = 0;
    int numberBefore = 0; // 0 when added
    int numberAfter = 0;  // 0 when deleted
    QString sentenceBefore;
    QString sentenceAfter;
    QList<WordPiece> words;
    QList<AttributeChange> attributes;
};

// A dependent link (dependent depends on parent) that one set has and the
// other lacks.
struct LinkChange
{
    bool added = false;
    int parent = 0;
    int dependent = 0;
};

struct ChangeReport
{
    QString from;                          // the older set's baseline name
    QString to;                            // the newer set's; empty for the live requirements
    QList<RequirementChange> requirements; // by identity
    QList<LinkChange> links;               // removed first, by parent and dependent
    int added = 0;
    int deleted = 0;
    int changed = 0;
    int linksAdded = 0;
    int linksRemoved = 0;

    bool isEmpty() const { return requirements.isEmpty() && links.isEmpty(); }
    // Counts one change of a requirement under its kind.
    void count(RequirementChange::Kind kind)
    {
        switch (kind) {
        case RequirementChange::Kind::Added:
            ++added;
            break;
        case RequirementChange::Kind::Deleted:
            ++deleted;
            break;
        case RequirementChange::Kind::Changed:
            ++changed;
            break;
        }
    }
};

// Where a comparison's changes go as they are found: the requirements by
// identity, then the links removed and the links added, each by parent and
// dependent. The first refusal stops the comparison.
class ChangeSink
{
public:
    virtual ~ChangeSink() = default;
    virtual Outcome requirement(const RequirementChange &change) = 0;
    virtual Outcome link(const LinkChange &link) = 0;
};

// A sink that keeps the changes as one report, with their counts.
class ChangeReportBuilder : public ChangeSink
{
public:
    ChangeReportBuilder(QString from, QString to);
    Outcome requirement(const RequirementChange &change) override;
    Outcome link(const LinkChange &link) override;
    ChangeReport &report() { return m_report; }

private:
    ChangeReport m_report;
};

// Compares two sets of requirements: what the newer one added, deleted and
// changed, and which links it added and removed.
class Comparison
{
public:
    static ChangeReport compare(const Snapshot &before, const Snapshot &after);

    // One requirement as each set holds it (nullptr where a set lacks it):
    // added, deleted, changed, or nothing when both hold it alike.
    static std::optional<RequirementChange> between(const SnapshotRequirement *before,
                                                    const SnapshotRequirement *after);

    // The attributes compared, by key, in the order a report lists them.
    static const QStringList &attributeKeys();
    // A key as the reader sees it ("Category").
    static QString attributeLabel(const QString &key);
};

} // namespace varn::change
