#pragma once

#include "common/outcome.h"
#include "templates/structuraldraft.h"

#include <QString>

namespace varn::templates {

// Reads structural requirements into the drafts their dialogs show: a stored
// requirement of the requirements database (MASTER_REQ, STRUC_REQ and its
// POSS_VALS rows) for edit or re-use, and a template's worked example of the
// application database for See Example.
class StructuralLoader
{
public:
    // For an edit the draft saves a new version of the requirement; otherwise
    // a later save stores an independent requirement.
    static Result<StructuralDraft> stored(const QString &connectionName, int number, bool edit);

    // See Example: the sentence controls from the example row of the draft's
    // template; the attributes stay, the draft holds a new requirement again.
    // A missing row leaves the draft as it was (a silent refusal).
    static Outcome fillExample(const QString &appConnectionName, StructuralDraft &draft);
};

} // namespace varn::templates
