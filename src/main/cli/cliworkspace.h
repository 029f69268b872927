#pragma once

#include "app/cvarnapp.h"
#include "cli/clicommand.h"
#include "cli/clioptions.h"

#include <optional>

namespace varn::cli {

// Notices that a workspace operation shows on the way go to stderr.
app::CVarnApp::NoticeSink noticesOnStderr();

// Parses the options of one command; complains with its synopsis on stderr
// (and returns nullopt) for an unknown or missing option or a stray argument.
std::optional<CliOptions> parseCommandOptions(const QStringList &arguments,
                                              const QSet<QString> &valued,
                                              const QStringList &required, const char *synopsis,
                                              const QSet<QString> &flags = {});

// Opens the workspace named by --workspace; Done, or the exit code after the
// message has been printed. Commands that only read pass Use::Read, so they
// also work on a database in a read-only folder.
int openWorkspace(app::CVarnApp &app, const CliOptions &options,
                  app::CVarnApp::Use use = app::CVarnApp::Use::Change);

} // namespace varn::cli
