#pragma once

#include "app/cvarnapp.h"
#include "cli/clioptions.h"
#include "templates/functionaldraft.h"

namespace varn::cli {

// The options that fill a functional draft, shared by add, build, edit and
// re-use: --preamble (position 0 to 6 or the phrase), --field K=TEXT, and the
// attributes --category, --priority, --release, --paragraph, --comments. Left
// out, an option keeps the draft's value. Returns an empty string, or the
// usage problem.
QString applyDraftOptions(const CliOptions &options, templates::FunctionalDraft &draft);

// Saves the draft into the open workspace and prints the new number; the
// exit code.
int saveFunctionalDraft(app::CVarnApp &app, templates::FunctionalDraft &draft);

} // namespace varn::cli
