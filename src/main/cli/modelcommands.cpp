// regenerate and generate: the object model and what is generated from it.
#include "change/changereportwriter.h"
#include "change/generationrecords.h"
#include "cli/clitr.h"
#include "cli/cliworkspace.h"
#include "generate/generatormessages.h"
#include "generate/modelgenerator.h"
#include "objmodel/objectmodelregenerator.h"
#include "objmodel/regenerationsummary.h"

#include <cstdio>
#include <unistd.h>

namespace varn::cli {

namespace {

using app::CVarnApp;

constexpr const char *kRegenerateSynopsis =
    QT_TRANSLATE_NOOP("varn::cli", "regenerate --workspace FILE.vnp");
constexpr const char *kGenerateSynopsis = QT_TRANSLATE_NOOP(
    "varn::cli", "generate sql|cpp|java --workspace FILE.vnp [--verbose] [--check]");

bool stderrIsTerminal()
{
    return isatty(fileno(stderr)) != 0;
}

int runRegenerate(const QStringList &arguments)
{
    const auto options = parseCommandOptions(arguments, {QStringLiteral("workspace")},
                                             {QStringLiteral("workspace")}, kRegenerateSynopsis);
    if (!options)
        return UsageError;
    CVarnApp app(noticesOnStderr());
    if (const int opened = openWorkspace(app, *options); opened != Done)
        return opened;

    objmodel::ObjectModelRegenerator regenerator(app.requirementsConnectionName());
    regenerator.setNotices([](const Outcome &notice) { printError(notice.message()); });
    if (stderrIsTerminal()) {
        regenerator.setProgress([](int percent, int processed) {
            const QString line =
                Tr::tr("%1% complete, %2 requirement(s) rebuilt").arg(percent, 3).arg(processed);
            std::fprintf(stderr, "\r%s", line.toUtf8().constData());
            std::fflush(stderr);
        });
    }
    const Outcome regenerated = regenerator.regenerate();
    if (stderrIsTerminal())
        std::fputc('\n', stderr);
    if (!regenerated)
        return report(regenerated,
                      regenerated.kind() == MessageKind::Stop ? DatabaseError : Refused);
    app.setRequirementsChanged(false);
    // The rebuild goes on past a requirement it cannot rebuild; the count of
    // them makes the run a failure all the same.
    if (const int failed = regenerator.notRebuiltCount(); failed > 0) {
        printError(objmodel::RegenerationSummary::notRebuilt(failed));
        return Refused;
    }
    printLine(objmodel::RegenerationSummary::success());
    return Done;
}

// --check: writes nothing; names the requirements changed since the output
// was last generated. Exit 0 when none did, 1 when some did or when the
// output was never generated (nothing tells that the code is current).
int checkGenerated(const CVarnApp &app, const QString &kind)
{
    const Result<std::optional<change::StaleCode>> checked =
        change::GenerationRecords(app.requirementsConnectionName()).check(kind);
    if (!checked)
        return report(checked.outcome(), DatabaseError);
    if (!checked.value()) {
        printError(change::GenerationRecords::neverGenerated());
        return Refused;
    }
    const change::StaleCode &stale = *checked.value();
    if (!stale.isStale()) {
        printLine(change::GenerationRecords::summary(stale));
        return Done;
    }
    printLine(change::GenerationRecords::summary(stale) + QLatin1Char(':'));
    for (const change::RequirementChange &requirement : stale.changes.requirements)
        printLine(change::ChangeReportWriter::heading(requirement));
    return Refused;
}

int runGenerate(const QStringList &given)
{
    QStringList arguments = given;
    const QString kindName = arguments.isEmpty() ? QString() : arguments.takeFirst();
    const auto kind = generate::ModelGenerator::kindFromName(kindName);
    if (!kind) {
        return usageError(Tr::tr("generate takes sql, cpp or java"), kGenerateSynopsis);
    }
    const auto options = parseCommandOptions(arguments, {QStringLiteral("workspace")},
                                             {QStringLiteral("workspace")}, kGenerateSynopsis,
                                             {QStringLiteral("verbose"), QStringLiteral("check")});
    if (!options)
        return UsageError;
    CVarnApp app(noticesOnStderr());
    if (const int opened = openWorkspace(app, *options, CVarnApp::Use::Read); opened != Done)
        return opened;
    if (options->flag(QStringLiteral("check")))
        return checkGenerated(app, kindName);

    // The versions generated from are those live as the generation begins.
    const change::GenerationRecords records(app.requirementsConnectionName());
    const Result<store::LiveVersions> versions = records.liveVersions();
    if (!versions)
        return report(versions.outcome(), DatabaseError);
    generate::GeneratorSettings settings{app.installPath(), app.systemName(),
                                         options->flag(QStringLiteral("verbose"))};
    const Result<generate::GeneratedFiles> generated =
        generate::ModelGenerator::generate(*kind, app.requirementsConnectionName(), settings);
    if (!generated)
        return report(generated.outcome(),
                      generated.outcome().kind() == MessageKind::Stop ? DatabaseError : Refused);
    if (!generated->notice.isEmpty())
        printError(generated->notice);
    printLine(generate::GeneratorMessages::written(generated.value()));
    // A database nobody may write is generated from but keeps no record.
    if (app.isReadOnly()) {
        printError(change::GenerationRecords::notRecorded(
            Tr::tr("The database or its folder is read-only.")));
        return Done;
    }
    if (const Result<store::GenerationRow> recorded =
            records.record(kindName, generated->folder, versions.value());
        !recorded) {
        printError(change::GenerationRecords::notRecorded(recorded.outcome().message()));
        return DatabaseError;
    }
    return Done;
}

} // namespace

std::vector<Command> modelCommands()
{
    return {
        {"regenerate", kRegenerateSynopsis, runRegenerate},
        {"generate", kGenerateSynopsis, runGenerate},
    };
}

} // namespace varn::cli
