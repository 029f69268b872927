// examples: saves the worked examples of the application database into a workspace.
#include "cli/clitr.h"
#include "cli/cliworkspace.h"
#include "cli/draftoptions.h"
#include "templates/storedrequirementloader.h"

namespace varn::cli {

namespace {

constexpr const char *kExamplesSynopsis =
    QT_TRANSLATE_NOOP("varn::cli", "examples --workspace FILE.vnp");

int runExamples(const QStringList &arguments)
{
    const auto options = parseCommandOptions(arguments, {QStringLiteral("workspace")},
                                             {QStringLiteral("workspace")}, kExamplesSynopsis);
    if (!options)
        return UsageError;
    app::CVarnApp app(noticesOnStderr());
    if (const int opened = openWorkspace(app, *options); opened != Done)
        return opened;

    const QString examples = app.applicationConnectionName();
    const Result<QList<int>> worked =
        templates::StoredRequirementLoader::functionalNumbers(examples);
    if (!worked)
        return report(worked.outcome(), DatabaseError);
    for (const int number : worked.value()) {
        Result<templates::FunctionalDraft> draft =
            templates::StoredRequirementLoader::functional(examples, number, false);
        if (!draft)
            return report(draft.outcome(), DatabaseError);
        draft->loadedNumber = -1; // a new requirement of the workspace
        if (const int saved = saveFunctionalDraft(app, draft.value()); saved != Done)
            return saved;
    }
    return Done;
}

} // namespace

std::vector<Command> exampleCommands()
{
    return {{"examples", kExamplesSynopsis, runExamples}};
}

} // namespace varn::cli
