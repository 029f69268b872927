#pragma once

#include "quality/checkedsentence.h"
#include "quality/finding.h"
#include "quality/rulebook.h"

#include <QSet>
#include <QString>

#include <memory>

namespace varn::quality {

// What the workspace's object model declares, so that its own names are not
// taken for faults: a possible value "Normal" that a structural requirement
// lists is not vague, and "Any" inside an entity name is no absolute.
// Lower case.
struct ModelVocabulary
{
    QSet<QString> values;      // declared possible values and defaults
    QSet<QString> entityNames; // entity names as typed (blanks, not '_')
};

class CompiledRules;

// Runs the sentence rules over the user's words of one sentence. The rule
// tables (the program's, with the workspace's added words) are compiled once
// when the checker is made; a checker is then reused for any number of
// sentences, from one thread at a time.
class SentenceChecker
{
public:
    explicit SentenceChecker(const RuleSettings &settings = {});
    ~SentenceChecker();
    SentenceChecker(const SentenceChecker &) = delete;
    SentenceChecker &operator=(const SentenceChecker &) = delete;

    void setVocabulary(ModelVocabulary vocabulary);
    const ModelVocabulary &vocabulary() const { return m_vocabulary; }
    const RuleSettings &settings() const { return m_settings; }

    // The findings in the order of their place in the sentence.
    QList<Finding> check(const CheckedSentence &sentence) const;

private:
    RuleSettings m_settings;
    ModelVocabulary m_vocabulary;
    std::unique_ptr<const CompiledRules> m_rules;
};

} // namespace varn::quality
