// new and info: creating a workspace and describing one.
#include "app/cvarnapp.h"
#include "cli/clitr.h"
#include "cli/cliworkspace.h"

#include <QDir>
#include <QFileInfo>

namespace varn::cli {

namespace {

using app::CVarnApp;

constexpr const char *kNewSynopsis = QT_TRANSLATE_NOOP(
    "varn::cli",
    "new --system NAME --workspace FILE.vnp [--server \"host=H port=P dbname=D user=U\"]");
constexpr const char *kInfoSynopsis = QT_TRANSLATE_NOOP("varn::cli", "info --workspace FILE.vnp");

int runNew(const QStringList &arguments)
{
    const auto options = parseCommandOptions(
        arguments,
        {QStringLiteral("system"), QStringLiteral("workspace"), QStringLiteral("server")},
        {QStringLiteral("system"), QStringLiteral("workspace")}, kNewSynopsis);
    if (!options)
        return UsageError;
    CVarnApp app(noticesOnStderr());
    const QString system = options->value(QStringLiteral("system"));
    const Outcome created =
        options->has(QStringLiteral("server"))
            ? app.newTeamWorkspace(system, options->value(QStringLiteral("server")))
            : app.newWorkspace(system);
    if (!created)
        return report(created, created.kind() == MessageKind::Stop ? DatabaseError : Refused);
    const QString file = QFileInfo(options->value(QStringLiteral("workspace"))).absoluteFilePath();
    if (Outcome saved = app.saveWorkspace(file); !saved)
        return report(saved, DatabaseError);
    printLine(Tr::tr("Created %1 for the %2 system; requirements database %3")
                  .arg(QDir::toNativeSeparators(file), app.systemName(),
                       app.requirementsSource().databasePath()));
    return Done;
}

int runInfo(const QStringList &arguments)
{
    const auto options = parseCommandOptions(arguments, {QStringLiteral("workspace")},
                                             {QStringLiteral("workspace")}, kInfoSynopsis);
    if (!options)
        return UsageError;
    CVarnApp app(noticesOnStderr());
    if (const int opened = openWorkspace(app, *options, CVarnApp::Use::Read); opened != Done)
        return opened;
    const Result<int> count = app.requirementCount();
    if (!count)
        return report(count.outcome(), DatabaseError);
    const app::DataSource source = app.requirementsSource();
    printLine(Tr::tr("System name:  %1").arg(app.systemName()));
    printLine(Tr::tr("Data source:  %1").arg(source.name));
    printLine(Tr::tr("Database:     %1").arg(source.databasePath()));
    printLine(Tr::tr("Requirements: %1").arg(count.value()));
    return Done;
}

} // namespace

std::vector<Command> workspaceCommands()
{
    return {
        {"new", kNewSynopsis, runNew},
        {"info", kInfoSynopsis, runInfo},
    };
}

} // namespace varn::cli
