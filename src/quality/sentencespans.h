#pragma once

#include "quality/checkedsentence.h"

#include <QString>

namespace varn::store {
struct WholeRequirement;
}
namespace varn::templates {
struct FunctionalDraft;
struct StructuralDraft;
} // namespace varn::templates

namespace varn::quality {

// Which words of a requirement are the user's: the sentence as it is shown
// and the stretches of it that the user typed. The preamble ("The <system>
// system shall provide the capability"), a template's fixed words and the
// entries of the connective lists are the system's.
class SentenceSpans
{
public:
    // A template's or the Builder's current input, as the sentence it saves.
    static CheckedSentence functional(const QString &systemName,
                                      const templates::FunctionalDraft &draft);
    // A structural template's current input, as its Preview shows it; an
    // empty sentence while the Preview refuses.
    static CheckedSentence structural(const QString &systemName,
                                      const templates::StructuralDraft &draft);
    // A technical requirement: the text after "The <system> system shall".
    static CheckedSentence technical(const QString &systemName, const QString &text);
    // A text checked alone, read as what follows "The <system> system
    // shall": the positions are the text's own.
    static CheckedSentence text(const QString &text);
    // A stored requirement, as Requirements Central shows its sentence.
    static CheckedSentence stored(const store::WholeRequirement &requirement);
};

} // namespace varn::quality
