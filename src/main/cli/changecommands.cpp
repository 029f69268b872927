// baseline, diff and suspects: change control over a workspace's requirements.
#include "change/baselines.h"
#include "change/changereportstream.h"
#include "change/changereportwriter.h"
#include "change/comparison.h"
#include "change/impact.h"
#include "change/impactreportwriter.h"
#include "change/suspectlinks.h"
#include "cli/clitr.h"
#include "cli/cliworkspace.h"

#include <cstdio>

namespace varn::cli {

namespace {

using app::CVarnApp;

constexpr const char *kBaselineSynopsis = QT_TRANSLATE_NOOP(
    "varn::cli", "baseline create|list|delete --workspace FILE.vnp [--name NAME] [--comment TEXT]");
constexpr const char *kDiffSynopsis = QT_TRANSLATE_NOOP(
    "varn::cli", "diff --workspace FILE.vnp --from NAME [--to NAME] [--format text|json|html]");
constexpr const char *kImpactSynopsis =
    QT_TRANSLATE_NOOP("varn::cli", "impact --workspace FILE.vnp --number N [--format text|json]");
constexpr const char *kSuspectsSynopsis = QT_TRANSLATE_NOOP(
    "varn::cli", "suspects [clear] --workspace FILE.vnp [--number N [--dependent M]] [--cleared]");

int usage(const char *synopsis, const QString &problem = {})
{
    return usageError(problem, synopsis);
}

// The word that names what the command does: the first argument that is no
// option nor an option's value, one of the words; the fallback when there
// is none.
std::optional<QString> action(QStringList &arguments, const QStringList &words,
                              const QString &fallback = {})
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument.startsWith(QLatin1String("--"))) {
            if (argument != QLatin1String("--cleared"))
                ++i; // the option's value
            continue;
        }
        if (words.contains(argument))
            return arguments.takeAt(i);
        return std::nullopt;
    }
    if (!fallback.isEmpty())
        return fallback;
    return std::nullopt;
}

int runBaseline(const QStringList &given)
{
    QStringList arguments = given;
    const std::optional<QString> what = action(
        arguments, {QStringLiteral("create"), QStringLiteral("list"), QStringLiteral("delete")});
    if (!what)
        return usage(kBaselineSynopsis);
    const bool listing = *what == QLatin1String("list");
    QStringList required{QStringLiteral("workspace")};
    if (!listing)
        required.append(QStringLiteral("name"));
    QSet<QString> valued{QStringLiteral("workspace")};
    if (!listing)
        valued.insert(QStringLiteral("name"));
    if (*what == QLatin1String("create"))
        valued.insert(QStringLiteral("comment"));
    const auto options = parseCommandOptions(arguments, valued, required, kBaselineSynopsis);
    if (!options)
        return UsageError;
    CVarnApp app(noticesOnStderr());
    if (const int opened =
            openWorkspace(app, *options, listing ? CVarnApp::Use::Read : CVarnApp::Use::Change);
        opened != Done)
        return opened;
    const change::Baselines baselines(app.requirementsConnectionName());
    const QString name = options->value(QStringLiteral("name"));
    if (*what == QLatin1String("create")) {
        const Result<store::BaselineRow> created =
            baselines.create(name, options->value(QStringLiteral("comment")));
        if (!created)
            return report(created.outcome(),
                          created.outcome().kind() == MessageKind::Stop ? DatabaseError : Refused);
        printLine(change::Baselines::createdStatus(created.value()));
        return Done;
    }
    if (*what == QLatin1String("delete")) {
        if (Outcome removed = baselines.remove(name); !removed)
            return report(removed, removed.kind() == MessageKind::Stop ? DatabaseError : Refused);
        printLine(change::Baselines::deletedStatus(name));
        return Done;
    }
    const Result<QList<store::BaselineRow>> rows = baselines.list();
    if (!rows)
        return report(rows.outcome(), DatabaseError);
    // One baseline a line, its fields apart by tabs: name, when, who,
    // requirements, links, comment.
    for (const store::BaselineRow &row : rows.value())
        printLine(QStringList{row.name, row.createdAt, row.createdBy,
                              QString::number(row.requirements), QString::number(row.links),
                              row.comments}
                      .join(QLatin1Char('\t')));
    return Done;
}

// Exit 0 when the sets are the same and 1 when they differ, as diff(1)
// does; a baseline that does not exist is a usage error, so that a script
// never takes it for a difference.
int runDiff(const QStringList &arguments)
{
    const auto options =
        parseCommandOptions(arguments,
                            {QStringLiteral("workspace"), QStringLiteral("from"),
                             QStringLiteral("to"), QStringLiteral("format")},
                            {QStringLiteral("workspace"), QStringLiteral("from")}, kDiffSynopsis);
    if (!options)
        return UsageError;
    const auto format = change::ChangeReportWriter::formatNamed(
        options->value(QStringLiteral("format"), QStringLiteral("text")));
    if (!format)
        return usage(kDiffSynopsis, Tr::tr("--format takes text, json or html"));
    CVarnApp app(noticesOnStderr());
    if (const int opened = openWorkspace(app, *options, CVarnApp::Use::Read); opened != Done)
        return opened;
    // Each change is printed as the comparison finds it.
    change::ChangeReportStream changes(*format, options->value(QStringLiteral("from")),
                                       options->value(QStringLiteral("to")), app.systemName(),
                                       printLine);
    Outcome compared = change::Baselines(app.requirementsConnectionName())
                           .compare(options->value(QStringLiteral("from")),
                                    options->value(QStringLiteral("to")), changes);
    if (compared)
        compared = changes.finish();
    if (!compared)
        return report(compared, compared.kind() == MessageKind::Stop ? DatabaseError : UsageError);
    return changes.isEmpty() ? Done : Refused;
}

std::optional<int> numberOf(const CliOptions &options, const QString &name)
{
    bool isNumber = false;
    const int number = options.value(name).toInt(&isNumber);
    return isNumber ? std::optional<int>(number) : std::nullopt;
}

int runSuspects(const QStringList &given)
{
    QStringList arguments = given;
    const std::optional<QString> what =
        action(arguments, {QStringLiteral("clear")}, QStringLiteral("list"));
    if (!what)
        return usage(kSuspectsSynopsis);
    const bool clearing = *what == QLatin1String("clear");
    QSet<QString> valued{QStringLiteral("workspace")};
    QStringList required{QStringLiteral("workspace")};
    if (clearing) {
        valued << QStringLiteral("number") << QStringLiteral("dependent");
        required << QStringLiteral("number");
    }
    const auto options =
        parseCommandOptions(arguments, valued, required, kSuspectsSynopsis,
                            clearing ? QSet<QString>{} : QSet<QString>{QStringLiteral("cleared")});
    if (!options)
        return UsageError;
    std::optional<int> number;
    std::optional<int> dependent;
    if (clearing) {
        number = numberOf(*options, QStringLiteral("number"));
        if (!number)
            return usage(kSuspectsSynopsis, Tr::tr("--number takes a requirement number"));
        if (options->has(QStringLiteral("dependent"))) {
            dependent = numberOf(*options, QStringLiteral("dependent"));
            if (!dependent)
                return usage(kSuspectsSynopsis, Tr::tr("--dependent takes a requirement number"));
        }
    }
    CVarnApp app(noticesOnStderr());
    if (const int opened =
            openWorkspace(app, *options, clearing ? CVarnApp::Use::Change : CVarnApp::Use::Read);
        opened != Done)
        return opened;
    const change::SuspectLinks suspects(app.requirementsConnectionName());
    if (clearing) {
        const Result<int> cleared = suspects.clear(*number, dependent);
        if (!cleared)
            return report(cleared.outcome(),
                          cleared.outcome().kind() == MessageKind::Stop ? DatabaseError : Refused);
        printLine(change::SuspectLinks::clearedStatus(cleared.value()));
        return Done;
    }
    const bool cleared = options->flag(QStringLiteral("cleared"));
    const Result<QList<change::SuspectEntry>> entries =
        cleared ? suspects.reviewed() : suspects.open();
    if (!entries)
        return report(entries.outcome(), DatabaseError);
    // A link a line, then the change that made it suspect.
    for (const change::SuspectEntry &entry : entries.value()) {
        QString line = Tr::tr("%1 depends on %2: %3 (%4)")
                           .arg(entry.link.dependent)
                           .arg(entry.link.parent)
                           .arg(change::SuspectLinks::causeText(entry), entry.link.markedOn);
        if (cleared)
            line += QLatin1Char(' ') +
                    Tr::tr("cleared by %1 at %2").arg(entry.link.clearedBy, entry.link.clearedAt);
        printLine(line);
        printLine(QStringLiteral("  ") +
                  (entry.deleted() ? entry.before : change::WordDifference::marked(entry.words)));
    }
    return Done;
}

// A number that names no requirement is a usage error, as a baseline that
// does not exist is for diff.
int runImpact(const QStringList &arguments)
{
    const auto options = parseCommandOptions(
        arguments,
        {QStringLiteral("workspace"), QStringLiteral("number"), QStringLiteral("format")},
        {QStringLiteral("workspace"), QStringLiteral("number")}, kImpactSynopsis);
    if (!options)
        return UsageError;
    const std::optional<int> number = numberOf(*options, QStringLiteral("number"));
    if (!number)
        return usage(kImpactSynopsis, Tr::tr("--number takes a requirement number"));
    const QString format = options->value(QStringLiteral("format"), QStringLiteral("text"));
    if (format != QLatin1String("text") && format != QLatin1String("json"))
        return usage(kImpactSynopsis, Tr::tr("--format takes text or json"));
    CVarnApp app(noticesOnStderr());
    if (const int opened = openWorkspace(app, *options, CVarnApp::Use::Read); opened != Done)
        return opened;
    change::Impact impact(app.requirementsConnectionName(), app.installPath(), app.systemName());
    Result<change::ImpactReport> found = impact.of(*number);
    if (!found)
        return report(found.outcome(),
                      found.outcome().kind() == MessageKind::Stop ? DatabaseError : UsageError);
    if (Outcome read = impact.readSentences(found.value()); !read)
        return report(read, DatabaseError);
    if (format == QLatin1String("json")) {
        printLine(QString::fromUtf8(change::ImpactReportWriter::json(found.value())).chopped(1));
        return Done;
    }
    for (const QString &line : change::ImpactReportWriter::text(found.value()))
        printLine(line);
    return Done;
}

} // namespace

std::vector<Command> changeCommands()
{
    return {
        {"baseline", kBaselineSynopsis, runBaseline},
        {"diff", kDiffSynopsis, runDiff},
        {"suspects", kSuspectsSynopsis, runSuspects},
        {"impact", kImpactSynopsis, runImpact},
    };
}

} // namespace varn::cli
