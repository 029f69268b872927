#pragma once

namespace varn::templates {

// The composers a stored requirement is edited or re-used in.
enum class ComposerKind { Builder, FunctionalTemplate, StructuralTemplate, Technical, None };

// Which composer opens a requirement, by the Source its composer stored:
// 0 the Requirement Builder, 1 to 18 the functional templates, 19 to 22 the
// structural templates, 23 the technical composer; anything else none.
class ComposerDispatch
{
public:
    static ComposerKind composerOf(int source);
};

} // namespace varn::templates
