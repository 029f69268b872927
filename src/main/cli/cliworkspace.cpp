#include "cli/cliworkspace.h"

#include "cli/clitr.h"

namespace varn::cli {

app::CVarnApp::NoticeSink noticesOnStderr()
{
    return [](const Outcome &notice) { printError(notice.message()); };
}

std::optional<CliOptions> parseCommandOptions(const QStringList &arguments,
                                              const QSet<QString> &valued,
                                              const QStringList &required, const char *synopsis,
                                              const QSet<QString> &flags)
{
    QString error;
    std::optional<CliOptions> options = CliOptions::parse(arguments, valued, flags, &error);
    for (const QString &name : required) {
        if (options && error.isEmpty() && !options->has(name))
            error = Tr::tr("option --%1 is required").arg(name);
    }
    if (options && error.isEmpty() && !options->positional().isEmpty())
        error = Tr::tr("unexpected argument \"%1\"").arg(options->positional().first());
    if (!options || !error.isEmpty()) {
        usageError(error, synopsis);
        return std::nullopt;
    }
    return options;
}

int openWorkspace(app::CVarnApp &app, const CliOptions &options, app::CVarnApp::Use use)
{
    // A workspace made by an earlier version gains its new tables and
    // indexes once; on a large one that takes minutes, which the user is told
    // of before the wait rather than left with a silent terminal.
    app.setPreparationProgress([](int done, int) {
        if (done == 0)
            printError(Tr::tr("Preparing the workspace: its database gains the tables and indexes "
                              "of this version, once. On a large workspace this takes a few "
                              "minutes..."));
    });
    const Outcome opened = app.openWorkspace(options.value(QStringLiteral("workspace")), use);
    return opened ? Done : report(opened, DatabaseError);
}

} // namespace varn::cli
