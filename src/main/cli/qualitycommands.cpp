// quality: the requirement quality checks over a workspace or one text, and
// the reviewers' and workspace's say over them.
#include "cli/clitr.h"
#include "cli/cliworkspace.h"

#include "quality/rulebook.h"
#include "quality/sentencechecker.h"
#include "quality/sentencespans.h"
#include "quality/workspacequality.h"
#include "store/qualitytables.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace varn::cli {

namespace {

using app::CVarnApp;

constexpr const char *kQualitySynopsis = QT_TRANSLATE_NOOP(
    "varn::cli",
    "quality [accept|accepted|rules|rule|words] (--workspace FILE.vnp [--number N] | --text "
    "TEXT) [--format text|json] [--rule R] [--reason TEXT] [--words W] [--on|--off] [--add W] "
    "[--remove W]");

int usage(const QString &problem = {})
{
    return usageError(problem, kQualitySynopsis);
}

int exitOf(const Outcome &outcome)
{
    return report(outcome, outcome.kind() == MessageKind::Stop ? DatabaseError : Refused);
}

std::optional<int> numberOf(const CliOptions &options)
{
    bool isNumber = false;
    const int number = options.value(QStringLiteral("number")).toInt(&isNumber);
    return isNumber ? std::optional<int>(number) : std::nullopt;
}

QJsonObject jsonOf(const quality::Finding &finding, std::optional<qint32> number)
{
    QJsonObject object;
    object.insert(QStringLiteral("number"), number ? QJsonValue(*number) : QJsonValue());
    object.insert(QStringLiteral("rule"), finding.rule);
    object.insert(QStringLiteral("words"), finding.words);
    object.insert(QStringLiteral("start"), finding.start);
    object.insert(QStringLiteral("length"), finding.length);
    object.insert(QStringLiteral("message"), finding.message);
    object.insert(QStringLiteral("suggestion"),
                  finding.suggestion ? QJsonValue(*finding.suggestion) : QJsonValue());
    return object;
}

void printFinding(const quality::Finding &finding, const QString &indent)
{
    printLine(indent +
              Tr::tr("%1 at %2: %3").arg(finding.rule).arg(finding.start).arg(finding.message));
    if (!finding.suggestion)
        return;
    printLine(indent + QStringLiteral("  ") +
              (finding.suggestion->isEmpty()
                   ? Tr::tr("suggestion: delete \"%1\"").arg(finding.words)
                   : Tr::tr("suggestion: %1").arg(*finding.suggestion)));
}

// Prints the findings; exit 1 when there is any, as a checker in a
// pipeline expects.
int printFindings(const QList<quality::RequirementFindings> &found, bool json, bool numbered,
                  const QHash<qint32, QString> &sentences)
{
    int count = 0;
    if (json) {
        QJsonArray array;
        for (const quality::RequirementFindings &requirement : found) {
            for (const quality::Finding &finding : requirement.findings) {
                array.append(jsonOf(finding, numbered ? std::optional<qint32>(requirement.number)
                                                      : std::nullopt));
                ++count;
            }
        }
        printLine(
            QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented)).trimmed());
    } else {
        for (const quality::RequirementFindings &requirement : found) {
            QString indent;
            if (numbered) {
                printLine(Tr::tr("Requirement %1: %2")
                              .arg(requirement.number)
                              .arg(sentences.value(requirement.number)));
                indent = QStringLiteral("  ");
            }
            for (const quality::Finding &finding : requirement.findings) {
                printFinding(finding, indent);
                ++count;
            }
        }
        if (numbered)
            printLine(Tr::tr("%1 finding(s) in %2 requirement(s).").arg(count).arg(found.size()));
        else
            printLine(Tr::tr("%1 finding(s).").arg(count));
    }
    return count > 0 ? Refused : Done;
}

int checkText(const CliOptions &options, bool json)
{
    quality::RuleSettings settings;
    quality::ModelVocabulary vocabulary;
    CVarnApp app(noticesOnStderr());
    if (options.has(QStringLiteral("workspace"))) {
        if (const int opened = openWorkspace(app, options, CVarnApp::Use::Read); opened != Done)
            return opened;
        Result<quality::RuleSettings> read =
            quality::WorkspaceQuality::readSettings(app.requirementsConnectionName());
        if (!read)
            return exitOf(read.outcome());
        settings = read.value();
        Result<quality::WorkspaceFacts> facts =
            quality::WorkspaceQuality(app.requirementsConnectionName()).readFacts();
        if (!facts)
            return exitOf(facts.outcome());
        vocabulary = quality::WorkspaceQuality::vocabularyOf(facts.value());
    }
    quality::SentenceChecker checker(settings);
    checker.setVocabulary(vocabulary);
    const QList<quality::Finding> findings =
        checker.check(quality::SentenceSpans::text(options.value(QStringLiteral("text"))));
    QList<quality::RequirementFindings> found;
    if (!findings.isEmpty())
        found.append({0, findings});
    return printFindings(found, json, false, {});
}

int checkWorkspace(const CliOptions &options, bool json)
{
    std::optional<int> number;
    if (options.has(QStringLiteral("number"))) {
        number = numberOf(options);
        if (!number)
            return usage(Tr::tr("--number takes a requirement number"));
    }
    CVarnApp app(noticesOnStderr());
    if (const int opened = openWorkspace(app, options, CVarnApp::Use::Read); opened != Done)
        return opened;
    const quality::WorkspaceQuality checks(app.requirementsConnectionName());
    Result<quality::WorkspaceFacts> facts = checks.readFacts();
    if (!facts)
        return exitOf(facts.outcome());
    Result<QList<quality::RequirementFindings>> found = checks.check(number);
    if (!found)
        return exitOf(found.outcome());
    QHash<qint32, QString> sentences;
    for (const quality::RequirementFacts &requirement : facts->requirements)
        sentences.insert(requirement.number, requirement.sentence.sentence);
    return printFindings(found.value(), json, true, sentences);
}

int accept(const CliOptions &options, CVarnApp &app)
{
    const std::optional<int> number = numberOf(options);
    if (!number)
        return usage(Tr::tr("--number takes a requirement number"));
    const Result<int> accepted = quality::WorkspaceQuality(app.requirementsConnectionName())
                                     .accept(*number, options.value(QStringLiteral("rule")),
                                             options.value(QStringLiteral("reason")),
                                             options.value(QStringLiteral("words")));
    if (!accepted)
        return exitOf(accepted.outcome());
    printLine(Tr::tr("%1 finding(s) of the rule \"%2\" accepted on requirement %3.")
                  .arg(accepted.value())
                  .arg(options.value(QStringLiteral("rule")))
                  .arg(*number));
    return Done;
}

int listAccepted(CVarnApp &app)
{
    const Result<QList<store::QualityAcceptanceRow>> rows =
        store::QualityTables(app.requirementsConnectionName()).acceptances();
    if (!rows)
        return exitOf(rows.outcome());
    // One acceptance a line, its fields apart by tabs: number, version,
    // rule, words, reason, who, when.
    for (const store::QualityAcceptanceRow &row : rows.value())
        printLine(QStringList{QString::number(row.number), QString::number(row.version), row.rule,
                              row.words, row.reason, row.acceptedBy, row.acceptedAt}
                      .join(QLatin1Char('\t')));
    return Done;
}

int listRules(CVarnApp &app)
{
    Result<quality::RuleSettings> settings =
        quality::WorkspaceQuality::readSettings(app.requirementsConnectionName());
    if (!settings)
        return exitOf(settings.outcome());
    // One rule a line: id, on or off, its title, the words the workspace
    // added.
    for (const quality::RuleInfo &rule : quality::RuleBook::rules()) {
        const QString id = QLatin1String(rule.id);
        printLine(QStringList{id, settings->isOn(id) ? Tr::tr("on") : Tr::tr("off"),
                              quality::RuleBook::title(id),
                              settings->addedWords.value(id).join(QStringLiteral(", "))}
                      .join(QLatin1Char('\t')));
    }
    return Done;
}

// The rule an option names, refused when the checks know none of that id.
std::optional<QString> knownRule(const CliOptions &options, bool takingWords = false)
{
    const QString id = options.value(QStringLiteral("rule"));
    const quality::RuleInfo *rule = quality::RuleBook::rule(id);
    if (!rule) {
        printError(Tr::tr("There is no quality rule \"%1\".").arg(id));
        return std::nullopt;
    }
    if (takingWords && !rule->takesWords) {
        printError(Tr::tr("The rule \"%1\" has no list of words.").arg(id));
        return std::nullopt;
    }
    return id;
}

int switchRule(const CliOptions &options, CVarnApp &app)
{
    const bool on = options.flag(QStringLiteral("on"));
    const bool off = options.flag(QStringLiteral("off"));
    if (on == off)
        return usage(Tr::tr("quality rule takes --on or --off"));
    const std::optional<QString> rule = knownRule(options);
    if (!rule)
        return Refused;
    if (Outcome saved =
            store::QualityTables(app.requirementsConnectionName()).setSwitchedOff(*rule, off);
        !saved)
        return exitOf(saved);
    printLine(off ? Tr::tr("The rule \"%1\" is off.").arg(*rule)
                  : Tr::tr("The rule \"%1\" is on.").arg(*rule));
    return Done;
}

int changeWords(const CliOptions &options, CVarnApp &app)
{
    const bool adding = options.has(QStringLiteral("add"));
    if (adding == options.has(QStringLiteral("remove")))
        return usage(Tr::tr("quality words takes --add or --remove"));
    const std::optional<QString> rule = knownRule(options, true);
    if (!rule)
        return Refused;
    const QString word =
        options.value(adding ? QStringLiteral("add") : QStringLiteral("remove")).simplified();
    if (word.isEmpty())
        return usage(Tr::tr("a word to add or remove is not empty"));
    const store::QualityTables tables(app.requirementsConnectionName());
    if (adding) {
        if (Outcome saved = tables.addWord(*rule, word); !saved)
            return exitOf(saved);
        printLine(Tr::tr("\"%1\" added to the rule \"%2\".").arg(word, *rule));
        return Done;
    }
    const Result<bool> removed = tables.removeWord(*rule, word);
    if (!removed)
        return exitOf(removed.outcome());
    if (!removed.value()) {
        printError(Tr::tr("The rule \"%1\" has no added word \"%2\".").arg(*rule, word));
        return Refused;
    }
    printLine(Tr::tr("\"%1\" removed from the rule \"%2\".").arg(word, *rule));
    return Done;
}

int runQuality(const QStringList &given)
{
    QStringList arguments = given;
    // The word that names what to do: the first argument that is neither an
    // option nor an option's value.
    QString what;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument.startsWith(QLatin1String("--"))) {
            if (argument != QLatin1String("--on") && argument != QLatin1String("--off"))
                ++i;
            continue;
        }
        what = arguments.takeAt(i);
        break;
    }
    const QStringList actions{QStringLiteral("accept"), QStringLiteral("accepted"),
                              QStringLiteral("rules"), QStringLiteral("rule"),
                              QStringLiteral("words")};
    if (!what.isEmpty() && !actions.contains(what))
        return usage(Tr::tr("unknown quality command \"%1\"").arg(what));
    QSet<QString> valued{QStringLiteral("workspace")};
    QStringList required{QStringLiteral("workspace")};
    QSet<QString> flags;
    if (what.isEmpty()) {
        valued << QStringLiteral("number") << QStringLiteral("format") << QStringLiteral("text");
        required.clear();
    } else if (what == QLatin1String("accept")) {
        valued << QStringLiteral("number") << QStringLiteral("rule") << QStringLiteral("reason")
               << QStringLiteral("words");
        required << QStringLiteral("number") << QStringLiteral("rule") << QStringLiteral("reason");
    } else if (what == QLatin1String("rule")) {
        valued << QStringLiteral("rule");
        required << QStringLiteral("rule");
        flags << QStringLiteral("on") << QStringLiteral("off");
    } else if (what == QLatin1String("words")) {
        valued << QStringLiteral("rule") << QStringLiteral("add") << QStringLiteral("remove");
        required << QStringLiteral("rule");
    }
    const auto options = parseCommandOptions(arguments, valued, required, kQualitySynopsis, flags);
    if (!options)
        return UsageError;
    if (what.isEmpty()) {
        const QString format = options->value(QStringLiteral("format"), QStringLiteral("text"));
        if (format != QLatin1String("text") && format != QLatin1String("json"))
            return usage(Tr::tr("--format takes text or json"));
        const bool json = format == QLatin1String("json");
        if (options->has(QStringLiteral("text"))) {
            if (options->has(QStringLiteral("number")))
                return usage(Tr::tr("--text and --number do not go together"));
            return checkText(*options, json);
        }
        if (!options->has(QStringLiteral("workspace")))
            return usage(Tr::tr("quality needs --workspace or --text"));
        return checkWorkspace(*options, json);
    }
    const bool reading = what == QLatin1String("accepted") || what == QLatin1String("rules");
    CVarnApp app(noticesOnStderr());
    if (const int opened =
            openWorkspace(app, *options, reading ? CVarnApp::Use::Read : CVarnApp::Use::Change);
        opened != Done)
        return opened;
    if (what == QLatin1String("accept"))
        return accept(*options, app);
    if (what == QLatin1String("accepted"))
        return listAccepted(app);
    if (what == QLatin1String("rules"))
        return listRules(app);
    if (what == QLatin1String("rule"))
        return switchRule(*options, app);
    return changeWords(*options, app);
}

} // namespace

std::vector<Command> qualityCommands()
{
    return {{"quality", kQualitySynopsis, runQuality}};
}

} // namespace varn::cli
