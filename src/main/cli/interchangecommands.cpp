// export, import and trace: requirements in and out of a workspace, and what
// each one produced.
#include "cli/clitr.h"
#include "cli/cliworkspace.h"
#include "interchange/requirementexchange.h"
#include "interchange/requirementtrace.h"

#include <cstdio>
#include <unistd.h>

namespace varn::cli {

namespace {

using app::CVarnApp;
using interchange::ExchangeFormat;
using interchange::RequirementExchange;

constexpr const char *kExportSynopsis = QT_TRANSLATE_NOOP(
    "varn::cli", "export reqif|csv|html|odt|xlsx --workspace FILE.vnp --output PATH [--all]");
constexpr const char *kImportSynopsis =
    QT_TRANSLATE_NOOP("varn::cli", "import reqif|csv|xlsx --workspace FILE.vnp --input PATH "
                                   "[--specification NAME] [--dry-run] [--delete-missing]");
constexpr const char *kTraceSynopsis =
    QT_TRANSLATE_NOOP("varn::cli", "trace --workspace FILE.vnp (--number N | --entity NAME)");

int exitFor(const Outcome &outcome)
{
    return report(outcome, outcome.kind() == MessageKind::Stop ? DatabaseError : Refused);
}

struct FormatAndOptions
{
    ExchangeFormat format;
    CliOptions options;
};

// The options and the one format named among them; nullopt (after the usage)
// when an option is wrong or the format is missing or unknown.
std::optional<FormatAndOptions> parseFormatCommand(const QStringList &arguments,
                                                   const QStringList &valued, const char *synopsis,
                                                   const QStringList &flags, bool importing,
                                                   const QStringList &optional = {})
{
    QString error;
    const QStringList accepted = valued + optional;
    const std::optional<CliOptions> options =
        CliOptions::parse(arguments, QSet<QString>(accepted.begin(), accepted.end()),
                          QSet<QString>(flags.begin(), flags.end()), &error);
    for (const QString &name : valued) {
        if (options && error.isEmpty() && !options->has(name))
            error = Tr::tr("option --%1 is required").arg(name);
    }
    std::optional<ExchangeFormat> format;
    if (options && error.isEmpty()) {
        if (options->positional().size() == 1)
            format = RequirementExchange::formatNamed(options->positional().first());
        if (!format || (importing && !RequirementExchange::canImport(*format)))
            error = importing ? Tr::tr("import takes reqif, csv or xlsx")
                              : Tr::tr("export takes reqif, csv, html, odt or xlsx");
    }
    if (!error.isEmpty()) {
        usageError(error, synopsis);
        return std::nullopt;
    }
    return FormatAndOptions{*format, *options};
}

// The line a terminal shows as the work goes on; text is one of the
// "... %1 of %2 requirement(s)" texts below.
RequirementExchange::Progress progressOnTerminal(const char *text)
{
    if (isatty(fileno(stderr)) == 0)
        return {};
    return [text](int done, int total) {
        std::fprintf(stderr, "\r%s", Tr::tr(text).arg(done).arg(total).toUtf8().constData());
        if (done == total)
            std::fputc('\n', stderr);
        std::fflush(stderr);
    };
}

int runExport(const QStringList &arguments)
{
    const auto parsed =
        parseFormatCommand(arguments, {QStringLiteral("workspace"), QStringLiteral("output")},
                           kExportSynopsis, {QStringLiteral("all")}, false);
    if (!parsed)
        return UsageError;
    const ExchangeFormat *format = &parsed->format;
    const CliOptions *options = &parsed->options;
    CVarnApp app(noticesOnStderr());
    if (const int opened = openWorkspace(app, *options, CVarnApp::Use::Read); opened != Done)
        return opened;
    const QString output = options->value(QStringLiteral("output"));
    const Result<RequirementExchange::ExportSummary> written = RequirementExchange::exportTo(
        *format,
        {app.requirementsConnectionName(), app.systemName(), app.installPath(), app.ownFiles()},
        output, options->flag(QStringLiteral("all")),
        progressOnTerminal(QT_TRANSLATE_NOOP("varn::cli", "Exported %1 of %2 requirement(s)")));
    if (!written)
        return exitFor(written.outcome());
    const QString replaced = written->replacementNotice();
    printLine(Tr::tr("%1 requirement(s) written to %2%3")
                  .arg(written->written)
                  .arg(output, replaced.isEmpty() ? QString() : QStringLiteral("; ") + replaced));
    return Done;
}

// What a newer file of a document imported before changes: each changed
// requirement's new version, each one the file no longer holds, and the
// counts.
void printUpdate(const interchange::ImportSummary &summary, bool dryRun)
{
    if (!summary.isUpdate())
        return;
    for (const auto &changed : summary.changed)
        // One substitution: a sentence may hold "%3" itself.
        printLine(Tr::tr("%1  %2  (changed: next version of %3)")
                      .arg(QString::number(changed.number).rightJustified(5), changed.sentence,
                           QString::number(changed.previous)));
    for (const auto &missing : summary.missing)
        printLine(
            Tr::tr("%1  %2  (no longer in the file)").arg(missing.number, 5).arg(missing.sentence));
    QString missingPart;
    if (summary.missingDeleted)
        missingPart = (dryRun ? Tr::tr("; %1 no longer in the file, to be deleted")
                              : Tr::tr("; %1 no longer in the file, deleted"))
                          .arg(summary.missing.size());
    else if (!summary.missing.isEmpty())
        missingPart = Tr::tr("; %1 no longer in the file, kept (--delete-missing deletes them)")
                          .arg(summary.missing.size());
    printLine(Tr::tr("%1 %2 changed requirement(s), %3 unchanged%4.")
                  .arg(dryRun ? Tr::tr("Would update") : Tr::tr("Updated"))
                  .arg(summary.changed.size())
                  .arg(summary.unchanged)
                  .arg(missingPart));
}

int runImport(const QStringList &arguments)
{
    const auto parsed = parseFormatCommand(
        arguments, {QStringLiteral("workspace"), QStringLiteral("input")}, kImportSynopsis,
        {QStringLiteral("dry-run"), QStringLiteral("delete-missing")}, true,
        {QStringLiteral("specification")});
    if (!parsed)
        return UsageError;
    const ExchangeFormat *format = &parsed->format;
    const CliOptions *options = &parsed->options;
    CVarnApp app(noticesOnStderr());
    if (const int opened = openWorkspace(app, *options); opened != Done)
        return opened;
    const bool dryRun = options->flag(QStringLiteral("dry-run"));
    const bool deleteMissing = options->flag(QStringLiteral("delete-missing"));
    const Result<interchange::ImportSummary> summary = RequirementExchange::importFrom(
        *format, *app.records(), app.systemName(), options->value(QStringLiteral("input")), dryRun,
        progressOnTerminal(
            dryRun ? QT_TRANSLATE_NOOP("varn::cli", "Checked %1 of %2 requirement(s)")
                   : QT_TRANSLATE_NOOP("varn::cli", "Imported %1 of %2 requirement(s)")),
        options->value(QStringLiteral("specification")), deleteMissing);
    if (!summary)
        return exitFor(summary.outcome());
    for (const auto &imported : summary->imported)
        printLine(QStringLiteral("%1  %2").arg(imported.number, 5).arg(imported.sentence));
    printUpdate(summary.value(), dryRun);
    for (const QString &line : summary->report)
        printError(line);
    for (const QString &line : summary->notices)
        printError(line);
    printLine((dryRun ? Tr::tr("Would import %1 requirement(s) and %2 dependent link(s); %3 "
                               "left out.")
                      : Tr::tr("Imported %1 requirement(s) and %2 dependent link(s); %3 left out."))
                  .arg(summary->imported.size())
                  .arg(summary->links)
                  .arg(summary->report.size()));
    if (!dryRun && summary->deleted > 0)
        app.setRequirementsChanged(true);
    return Done;
}

int runTrace(const QStringList &arguments)
{
    const auto options = parseCommandOptions(
        arguments,
        {QStringLiteral("workspace"), QStringLiteral("number"), QStringLiteral("entity")},
        {QStringLiteral("workspace")}, kTraceSynopsis);
    if (!options)
        return UsageError;
    const bool byNumber = options->has(QStringLiteral("number"));
    bool numeric = false;
    const int number = options->value(QStringLiteral("number")).toInt(&numeric);
    if (byNumber == options->has(QStringLiteral("entity")) || (byNumber && !numeric)) {
        return usageError(Tr::tr("trace takes a requirement --number or an --entity"),
                          kTraceSynopsis);
    }
    CVarnApp app(noticesOnStderr());
    if (const int opened = openWorkspace(app, *options, CVarnApp::Use::Read); opened != Done)
        return opened;
    interchange::RequirementTrace trace(app.requirementsConnectionName(), app.installPath(),
                                        app.systemName());
    if (byNumber) {
        const Result<interchange::TracedRequirement> traced = trace.ofRequirement(number);
        if (!traced)
            return exitFor(traced.outcome());
        for (const QString &line : interchange::RequirementTrace::describe(traced.value()))
            printLine(line);
        return Done;
    }
    const Result<QList<interchange::TracedRequirement>> traced =
        trace.ofEntity(options->value(QStringLiteral("entity")));
    if (!traced)
        return exitFor(traced.outcome());
    for (const interchange::TracedRequirement &requirement : traced.value())
        printLine(
            QStringLiteral("%1  %2%3")
                .arg(requirement.number, 5)
                .arg(requirement.sentence, requirement.deleted ? Tr::tr(" (deleted)") : QString()));
    return Done;
}

} // namespace

std::vector<Command> interchangeCommands()
{
    return {
        {"export", kExportSynopsis, runExport},
        {"import", kImportSynopsis, runImport},
        {"trace", kTraceSynopsis, runTrace},
    };
}

} // namespace varn::cli
