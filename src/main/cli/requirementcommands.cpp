// add, build and list: composing and listing requirements from a shell.
#include "cli/cliworkspace.h"
#include "language/requirementbuilder.h"
#include "language/termvocabulary.h"
#include "store/recordobjects.h"
#include "templates/functionalcommit.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace varn::cli {

namespace {

using app::CVarnApp;
using language::RequirementBuilder;
using language::TermList;
using language::TermVocabulary;
using templates::FunctionalDraft;
using templates::TemplateCatalogue;

constexpr const char *kAddSynopsis =
    "add --workspace FILE.vnp --template N [--preamble P] [--field K=TEXT]... [--category C] "
    "[--priority N] [--release N] [--paragraph T] [--comments T]";
constexpr const char *kBuildSynopsis =
    "build --workspace FILE.vnp [--preamble P] --term LETTER=TEXT ... [--category C] "
    "[--priority N] [--release N] [--paragraph T] [--comments T]";
constexpr const char *kListSynopsis = "list --workspace FILE.vnp [--format table|csv|json]";

const QSet<QString> kAttributeOptions = {QStringLiteral("workspace"), QStringLiteral("preamble"),
                                         QStringLiteral("category"),  QStringLiteral("priority"),
                                         QStringLiteral("release"),   QStringLiteral("paragraph"),
                                         QStringLiteral("comments")};

int usageError(const QString &problem, const char *synopsis)
{
    printError(QStringLiteral("varn-cli: ") + problem);
    printError(QStringLiteral("usage: varn-cli ") + QString::fromUtf8(synopsis));
    return UsageError;
}

// "--preamble" takes the position 0 to 6 or the phrase; anything else is kept
// as typed, which the commit refuses as the dialog does.
QString preambleFrom(const CliOptions &options)
{
    const QString given = options.value(QStringLiteral("preamble"), QStringLiteral("0"));
    bool isNumber = false;
    const int position = given.toInt(&isNumber);
    if (isNumber && position >= 0 && position < TemplateCatalogue::kPreambleCount)
        return TemplateCatalogue::preamblePhrases().at(position);
    return given;
}

void takeAttributes(const CliOptions &options, FunctionalDraft &draft)
{
    draft.category = options.value(QStringLiteral("category"), draft.category);
    draft.priority = options.value(QStringLiteral("priority"), draft.priority);
    draft.release = options.value(QStringLiteral("release"), draft.release);
    draft.paragraph = options.value(QStringLiteral("paragraph"));
    draft.comments = options.value(QStringLiteral("comments"));
}

// Splits "KEY=TEXT" at its first '='.
std::optional<std::pair<QString, QString>> keyAndText(const QString &argument)
{
    const qsizetype equals = argument.indexOf(QLatin1Char('='));
    if (equals <= 0)
        return std::nullopt;
    return std::make_pair(argument.left(equals), argument.mid(equals + 1));
}

int saveDraft(CVarnApp &app, FunctionalDraft &draft)
{
    templates::FunctionalCommit commit(*app.records(), app.systemName());
    const templates::CommitResult saved = commit.save(draft);
    if (!saved.detail.isEmpty())
        printError(saved.detail);
    if (!saved.outcome)
        return report(saved.outcome,
                      saved.outcome.kind() == MessageKind::Stop ? DatabaseError : Refused);
    if (saved.versionRetired)
        app.setRequirementsChanged(true);
    if (!saved.retireProblem)
        printError(saved.retireProblem.message());
    printLine(QString::number(saved.number));
    return Done;
}

int runAdd(const QStringList &arguments)
{
    QSet<QString> valued = kAttributeOptions;
    valued << QStringLiteral("template") << QStringLiteral("field");
    const auto options = parseCommandOptions(
        arguments, valued, {QStringLiteral("workspace"), QStringLiteral("template")}, kAddSynopsis);
    if (!options)
        return UsageError;
    bool isNumber = false;
    const int number = options->value(QStringLiteral("template")).toInt(&isNumber);
    if (!isNumber || !TemplateCatalogue::functional(number))
        return usageError(QStringLiteral("--template takes a functional template, 1 to 18"),
                          kAddSynopsis);

    FunctionalDraft draft = FunctionalDraft::forTemplate(number);
    draft.preamble = preambleFrom(*options);
    takeAttributes(*options, draft);
    for (const QString &field : options->values(QStringLiteral("field"))) {
        const auto entry = keyAndText(field);
        const int k = entry ? entry->first.toInt(&isNumber) : -1;
        if (!entry || !isNumber || !draft.isOpen(k))
            return usageError(QStringLiteral("--field takes K=TEXT with K a field of template %1, "
                                             "0 to %2")
                                  .arg(number)
                                  .arg(draft.fields.size() - 1),
                              kAddSynopsis);
        draft.setField(k, entry->second);
    }

    CVarnApp app(noticesOnStderr());
    if (const int opened = openWorkspace(app, *options); opened != Done)
        return opened;
    return saveDraft(app, draft);
}

// The list a "--term" key names: a list's name, or a letter that one of its
// entries gives (the entry itself then decides the letter).
std::optional<TermList> listOfKey(const QString &key)
{
    if (const auto named = TermVocabulary::listNamed(key))
        return named;
    static const std::pair<const char *, TermList> kListOfLetter[] = {
        {"y", TermList::Temporal},      {"m", TermList::StateTransition},
        {"lr", TermList::Relational},   {"z", TermList::Possessive},
        {"io", TermList::Logical},      {"wbf", TermList::EventAction},
        {"hjn", TermList::Associative}, {"x", TermList::External},
    };
    if (key.size() != 1)
        return std::nullopt;
    for (const auto &[letters, list] : kListOfLetter) {
        if (QLatin1String(letters).contains(key))
            return list;
    }
    return std::nullopt;
}

// Appends one "--term KEY=TEXT" as the Builder does; a refusal is printed.
int appendTerm(RequirementBuilder &builder, const QString &key, const QString &text)
{
    if (key == QLatin1String("k") || key == QLatin1String("d")) {
        const int cell = key == QLatin1String("k") ? 0 : 1;
        if (builder.letterOfCell(cell) != key.at(0).toLatin1())
            return usageError(
                QStringLiteral("%1= needs a preamble that opens the %2 cell")
                    .arg(key, cell == 0 ? QStringLiteral("who/what") : QStringLiteral("do-what")),
                kBuildSynopsis);
        builder.setCellText(cell, text);
        return Done;
    }
    Result<language::AppendedTerm> appended = Outcome::silentlyRefused();
    const auto button =
        key.size() == 1 ? TermVocabulary::buttonOfLetter(key.at(0).toLatin1()) : std::nullopt;
    if (button) {
        appended = builder.appendButton(*button);
    } else if (key == QLatin1String("c")) {
        appended = builder.appendListEntry(
            TermList::EventAction,
            TermVocabulary::entryPosition(TermList::EventAction, QStringLiteral("action")));
    } else if (const auto list = listOfKey(key)) {
        appended = builder.appendListEntry(*list, TermVocabulary::entryPosition(*list, text));
    } else {
        return usageError(QStringLiteral("unknown term \"%1\"").arg(key), kBuildSynopsis);
    }
    if (!appended)
        return report(appended.outcome());
    if (!appended->notice.isEmpty())
        printError(appended->notice);
    builder.setCellText(appended->cell, text);
    return Done;
}

int runBuild(const QStringList &arguments)
{
    QSet<QString> valued = kAttributeOptions;
    valued << QStringLiteral("term");
    const auto options =
        parseCommandOptions(arguments, valued, {QStringLiteral("workspace")}, kBuildSynopsis);
    if (!options)
        return UsageError;

    RequirementBuilder builder;
    const int preamble = TemplateCatalogue::preamblePhrases().indexOf(preambleFrom(*options));
    if (preamble < 0)
        return usageError(QStringLiteral("--preamble takes 0 to 6 or a preamble phrase"),
                          kBuildSynopsis);
    if (Outcome chosen = builder.choosePreamble(preamble); !chosen)
        return report(chosen);
    for (const QString &term : options->values(QStringLiteral("term"))) {
        const auto entry = keyAndText(term);
        if (!entry)
            return usageError(QStringLiteral("--term takes LETTER=TEXT"), kBuildSynopsis);
        if (const int appended = appendTerm(builder, entry->first, entry->second); appended != Done)
            return appended;
    }

    FunctionalDraft draft = FunctionalDraft::fromBuilder(builder);
    takeAttributes(*options, draft);
    CVarnApp app(noticesOnStderr());
    if (const int opened = openWorkspace(app, *options); opened != Done)
        return opened;
    return saveDraft(app, draft);
}

QString csvField(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

int runList(const QStringList &arguments)
{
    const auto options =
        parseCommandOptions(arguments, {QStringLiteral("workspace"), QStringLiteral("format")},
                            {QStringLiteral("workspace")}, kListSynopsis);
    if (!options)
        return UsageError;
    const QString format = options->value(QStringLiteral("format"), QStringLiteral("table"));
    if (format != QLatin1String("table") && format != QLatin1String("csv") &&
        format != QLatin1String("json"))
        return usageError(QStringLiteral("--format takes table, csv or json"), kListSynopsis);

    CVarnApp app(noticesOnStderr());
    if (const int opened = openWorkspace(app, *options); opened != Done)
        return opened;
    store::CReqMsSet &master = app.records()->reqMsSet();
    master.setFilter(QStringLiteral("FSTType IS NULL OR FSTType <> ?"),
                     {QStringLiteral("Deleted")});
    master.setSort(QStringLiteral("Req_Num"));
    if (Outcome opened = master.open(); !opened)
        return report(opened, DatabaseError);

    QJsonArray json;
    if (format == QLatin1String("csv"))
        printLine(QStringLiteral("number,type,sentence"));
    for (; !master.isEOF(); master.moveNext()) {
        const store::MasterReqRow &row = master.row();
        const QString sentence = row.Preamble + QLatin1Char(' ') + row.ReqText + QLatin1Char('.');
        if (format == QLatin1String("json"))
            json.append(QJsonObject{{QStringLiteral("number"), row.Req_Num},
                                    {QStringLiteral("type"), row.FSTType},
                                    {QStringLiteral("sentence"), sentence}});
        else if (format == QLatin1String("csv"))
            printLine(QStringLiteral("%1,%2,%3")
                          .arg(row.Req_Num)
                          .arg(csvField(row.FSTType), csvField(sentence)));
        else
            printLine(QStringLiteral("%1  %2  %3")
                          .arg(row.Req_Num, 5)
                          .arg(row.FSTType, -10)
                          .arg(sentence));
    }
    if (format == QLatin1String("json"))
        printLine(QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Indented)).trimmed());
    return Done;
}

} // namespace

std::vector<Command> requirementCommands()
{
    return {
        {"add", kAddSynopsis, runAdd},
        {"build", kBuildSynopsis, runBuild},
        {"list", kListSynopsis, runList},
    };
}

} // namespace varn::cli
