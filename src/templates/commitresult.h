#pragma once

#include "common/outcome.h"

#include <QString>

namespace varn::templates {

// What a save did, or why it did not.
struct [[nodiscard]] CommitResult
{
    Outcome outcome = Outcome::ok();
    // The database's own message behind a failed derivation, shown before
    // the outcome's message.
    QString detail;
    // The field to focus after a refusal (-1: none), and whether its whole
    // text is to be selected. Functional composers number their fields (the
    // FUNC_REQ column); the structural ones use StructuralControl.
    int focusField = -1;
    bool selectField = false;

    qint32 number = 0; // the new requirement number
    // Its sentence as stored: the preamble, a blank and the text.
    QString sentence;
    // An edit retired the version it replaced: the requirements have changed
    // since the object model was last regenerated.
    bool versionRetired = false;
};

} // namespace varn::templates
