#pragma once

#include "app/cvarnapp.h"
#include "cli/clioptions.h"
#include "templates/commitresult.h"
#include "templates/structuraldraft.h"

namespace varn::cli {

// The options that fill a structural draft, shared by add, edit and re-use:
// --preamble (A/An), --field NAME=TEXT per control; returns an empty string
// or the usage problem. --value adds possible values as the Add button does.
QString applyStructuralOptions(const CliOptions &options, templates::StructuralDraft &draft);
Outcome addStructuralValues(const CliOptions &options, templates::StructuralDraft &draft);

// Prints what a save did (the new number) or why it did not; the exit code.
int reportCommit(app::CVarnApp &app, const templates::CommitResult &saved);

} // namespace varn::cli
