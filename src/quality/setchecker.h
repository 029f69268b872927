#pragma once

#include "quality/checkedsentence.h"
#include "quality/finding.h"
#include "quality/rulebook.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace varn::quality {

// One live requirement as the set rules see it.
struct RequirementFacts
{
    qint32 number = 0;
    CheckedSentence sentence;
};

// A structural attribute definition (Template 19): the entity (with its
// type, as the sentence names it), the attribute, and what it defines.
struct AttributeDefinitionFact
{
    qint32 number = 0;
    QString entity;
    QString attribute;
    QString dataType;     // empty when it lists possible values
    QStringList values;   // the possible values
    QString defaultValue; // empty when none
};

// A composition (Template 20): the whole and the part, as named.
struct CompositionFact
{
    qint32 number = 0;
    QString whole;
    QString part;
};

// "kind is a kind of base" in the object model; number 0 when no single
// requirement stated it.
struct KindOfFact
{
    qint32 number = 0;
    QString kind;
    QString base;
};

// A parent-dependent link between live requirements.
struct LinkFact
{
    qint32 parent = 0;
    qint32 dependent = 0;
};

struct WorkspaceFacts
{
    QList<RequirementFacts> requirements;
    QList<AttributeDefinitionFact> definitions;
    QList<CompositionFact> compositions;
    QList<KindOfFact> kinds;
    QList<LinkFact> links;
};

// The set rules over a workspace's live requirements: duplicate,
// near-duplicate, value-conflict, definition-conflict, dependency-cycle.
// Near-duplicates are pairs whose user words differ by at most
// kNearEdits word edits and share at least kNearOverlap of their distinct
// words; candidates come from an index of each sentence's rarest words, so
// the work grows with the requirements, not with their pairs.
class SetChecker
{
public:
    static constexpr int kNearEdits = 2;
    static constexpr double kNearOverlap = 0.8;
    static constexpr int kNearShortest = 8; // shorter sentences are never near-duplicates

    explicit SetChecker(const RuleSettings &settings = {}) : m_settings(settings) {}

    // Each requirement with a finding, in number order; its findings in
    // rule order.
    QList<RequirementFindings> check(const WorkspaceFacts &facts) const;

private:
    RuleSettings m_settings;
};

} // namespace varn::quality
