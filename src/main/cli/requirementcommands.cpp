// add, build, tech and list: composing and listing requirements from a shell.
#include "central/requirementscentral.h"
#include "cli/clitr.h"
#include "cli/cliworkspace.h"
#include "cli/structuraloptions.h"
#include "common/jsontext.h"
#include "common/templatenumbers.h"
#include "language/requirementbuilder.h"
#include "language/termvocabulary.h"
#include "store/listingreader.h"
#include "templates/functionalcommit.h"
#include "templates/structuralcommit.h"
#include "templates/technicalcommit.h"

#include <algorithm>

namespace varn::cli {

namespace {

using app::CVarnApp;
using central::RequirementQuery;
using language::RequirementBuilder;
using language::TermList;
using language::TermVocabulary;
using templates::CommitResult;
using templates::DraftAttributes;
using templates::FunctionalDraft;
using templates::StructuralControl;
using templates::StructuralDraft;
using templates::TemplateCatalogue;
using Selection = store::RequirementSelection;

constexpr const char *kAddSynopsis = QT_TRANSLATE_NOOP(
    "varn::cli",
    "add --workspace FILE.vnp --template N [--preamble P] [--field K=TEXT]... [--value V]... "
    "[--category C] [--priority N] [--release N] [--paragraph T] [--comments T]");
constexpr const char *kTechSynopsis = QT_TRANSLATE_NOOP(
    "varn::cli", "tech --workspace FILE.vnp --text TEXT [--category C] [--priority N] "
                 "[--release N] [--paragraph T] [--comments T]");
constexpr const char *kBuildSynopsis = QT_TRANSLATE_NOOP(
    "varn::cli", "build --workspace FILE.vnp [--preamble P] --term LETTER=TEXT ... [--category C] "
                 "[--priority N] [--release N] [--paragraph T] [--comments T]");
constexpr const char *kListSynopsis = QT_TRANSLATE_NOOP(
    "varn::cli",
    "list --workspace FILE.vnp [--type functional|structural|technical|suspect | --entity NAME | "
    "--number PATTERN | --paragraph TEXT | --template N | --version N] [--sort COLUMN [--desc]] "
    "[--format table|csv|json]");

constexpr const char *kValueTemplates =
    QT_TRANSLATE_NOOP("varn::cli", "--value is for templates 19 and 22");

const QSet<QString> kAttributeOptions = {QStringLiteral("workspace"), QStringLiteral("preamble"),
                                         QStringLiteral("category"),  QStringLiteral("priority"),
                                         QStringLiteral("release"),   QStringLiteral("paragraph"),
                                         QStringLiteral("comments")};

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

void takeAttributes(const CliOptions &options, DraftAttributes &draft)
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

int reportSaved(CVarnApp &app, const CommitResult &saved)
{
    if (!saved.detail.isEmpty())
        printError(saved.detail);
    if (!saved.outcome)
        return report(saved.outcome,
                      saved.outcome.kind() == MessageKind::Stop ? DatabaseError : Refused);
    if (saved.versionRetired)
        app.setRequirementsChanged(true);
    printLine(QString::number(saved.number));
    return Done;
}

int saveDraft(CVarnApp &app, FunctionalDraft &draft)
{
    templates::FunctionalCommit commit(*app.records(), app.systemName());
    return reportSaved(app, commit.save(draft));
}

// The controls "--field NAME=TEXT" fills in a structural template, and the
// templates (19 to 22) that have them.
struct StructuralField
{
    const char *name;
    StructuralControl control;
    const char *templates;
};

constexpr StructuralField kStructuralFields[] = {
    {"Article", StructuralControl::Article, "19 20 22"},
    {"Type", StructuralControl::Type, "19 20 21"},
    {"Entity", StructuralControl::Entity, "19 20 21"},
    {"Message", StructuralControl::Entity, "22"},
    {"StateValue", StructuralControl::StateValue, "19"},
    {"Attribute", StructuralControl::Attribute, "19"},
    {"Field", StructuralControl::Attribute, "22"},
    {"ValueGroup", StructuralControl::ValueGroup, "19"},
    {"DataType", StructuralControl::DataType, "19 22"},
    {"Default", StructuralControl::Default, "19"},
    {"HowMany", StructuralControl::HowMany, "20"},
    {"Cardinality", StructuralControl::Cardinality, "20"},
    {"PartType", StructuralControl::PartType, "20"},
    {"PartEntity", StructuralControl::PartEntity, "20"},
    {"Position", StructuralControl::Position, "22"},
    {"From", StructuralControl::From, "22"},
    {"To", StructuralControl::To, "22"},
};

QStringList structuralFieldNames(int number)
{
    QStringList names;
    for (const StructuralField &field : kStructuralFields) {
        if (QString::fromLatin1(field.templates).split(' ').contains(QString::number(number)))
            names.append(QString::fromLatin1(field.name));
    }
    return names;
}

QString *textOf(StructuralDraft &draft, StructuralControl control)
{
    switch (control) {
    case StructuralControl::Article:
        return &draft.article;
    case StructuralControl::Type:
        return &draft.type;
    case StructuralControl::Entity:
        return &draft.entity;
    case StructuralControl::Attribute:
        return &draft.attribute;
    case StructuralControl::DataType:
        return &draft.dataType;
    case StructuralControl::Default:
        return &draft.defaultValue;
    case StructuralControl::HowMany:
        return &draft.howMany;
    case StructuralControl::Cardinality:
        return &draft.cardinality;
    case StructuralControl::PartType:
        return &draft.partType;
    case StructuralControl::PartEntity:
        return &draft.partEntity;
    case StructuralControl::Position:
        return &draft.position;
    case StructuralControl::From:
        return &draft.from;
    case StructuralControl::To:
        return &draft.to;
    default:
        return nullptr;
    }
}

// Sets one control from "--field NAME=TEXT"; a usage problem is returned.
QString setStructuralField(StructuralDraft &draft, const QString &name, const QString &text)
{
    const QStringList names = structuralFieldNames(draft.source);
    const auto found = std::find_if(
        std::begin(kStructuralFields), std::end(kStructuralFields), [&](const StructuralField &f) {
            return name.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0 &&
                   names.contains(QLatin1String(f.name));
        });
    if (found == std::end(kStructuralFields))
        return Tr::tr("--field takes NAME=TEXT with NAME one of %1 for template %2")
            .arg(names.join(QStringLiteral(", ")))
            .arg(draft.source);
    const StructuralControl control = found->control;
    if (control != StructuralControl::StateValue && control != StructuralControl::ValueGroup) {
        *textOf(draft, control) = text;
        return {};
    }
    const QStringList choices = control == StructuralControl::StateValue
                                    ? TemplateCatalogue::stateValueChoices()
                                    : TemplateCatalogue::valueGroupChoices();
    const int choice = choices.indexOf(text);
    if (choice < 0)
        return Tr::tr("%1 takes %2")
            .arg(QLatin1String(found->name), choices.join(Tr::tr(" or ", "between two choices")));
    (control == StructuralControl::StateValue ? draft.stateValue : draft.valueGroup) = choice;
    return {};
}

// The possible values / data type of buttons of Template 19 follow from what
// was given, unless ValueGroup names one; a contradiction is a usage problem.
QString chooseValueGroup(StructuralDraft &draft, bool values)
{
    if (draft.source != TemplateNumber::kAttributeDefinition)
        return {};
    const bool dataType = !draft.dataType.isEmpty();
    if (draft.valueGroup < 0 && values != dataType)
        draft.valueGroup = values ? 0 : 1;
    if (values && draft.valueGroup != 0)
        return Tr::tr("--value needs the possible values (ValueGroup=possible values)");
    if (dataType && draft.valueGroup != 1)
        return Tr::tr("DataType needs the data type (ValueGroup=data type of)");
    return {};
}

int addStructural(const CliOptions &options, int number)
{
    StructuralDraft draft = StructuralDraft::forTemplate(number);
    takeAttributes(options, draft);
    if (const QString problem = applyStructuralOptions(options, draft); !problem.isEmpty())
        return usageError(problem, kAddSynopsis);
    if (Outcome added = addStructuralValues(options, draft); !added)
        return report(added);

    CVarnApp app(noticesOnStderr());
    if (const int opened = openWorkspace(app, options); opened != Done)
        return opened;
    templates::StructuralCommit commit(*app.records(), app.systemName());
    return reportSaved(app, commit.save(draft));
}

int runAdd(const QStringList &arguments)
{
    QSet<QString> valued = kAttributeOptions;
    valued << QStringLiteral("template") << QStringLiteral("field") << QStringLiteral("value");
    const auto options = parseCommandOptions(
        arguments, valued, {QStringLiteral("workspace"), QStringLiteral("template")}, kAddSynopsis);
    if (!options)
        return UsageError;
    bool isNumber = false;
    const int number = options->value(QStringLiteral("template")).toInt(&isNumber);
    if (isNumber && TemplateCatalogue::structural(number))
        return addStructural(*options, number);
    if (!isNumber || !TemplateCatalogue::functional(number))
        return usageError(Tr::tr("--template takes a template, 1 to 22"), kAddSynopsis);
    if (options->has(QStringLiteral("value")))
        return usageError(Tr::tr(kValueTemplates), kAddSynopsis);

    FunctionalDraft draft = FunctionalDraft::forTemplate(number);
    draft.preamble = preambleFrom(*options);
    takeAttributes(*options, draft);
    for (const QString &field : options->values(QStringLiteral("field"))) {
        const auto entry = keyAndText(field);
        const int k = entry ? entry->first.toInt(&isNumber) : -1;
        if (!entry || !isNumber || !draft.isOpen(k))
            return usageError(Tr::tr("--field takes K=TEXT with K a field of template %1, 0 to %2")
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
            return usageError((cell == 0
                                   ? Tr::tr("%1= needs a preamble that opens the who/what cell")
                                   : Tr::tr("%1= needs a preamble that opens the do-what cell"))
                                  .arg(key),
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
        return usageError(Tr::tr("unknown term \"%1\"").arg(key), kBuildSynopsis);
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
        return usageError(Tr::tr("--preamble takes 0 to 6 or a preamble phrase"), kBuildSynopsis);
    if (Outcome chosen = builder.choosePreamble(preamble); !chosen)
        return report(chosen);
    for (const QString &term : options->values(QStringLiteral("term"))) {
        const auto entry = keyAndText(term);
        if (!entry)
            return usageError(Tr::tr("--term takes LETTER=TEXT"), kBuildSynopsis);
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

int runTech(const QStringList &arguments)
{
    QSet<QString> valued = kAttributeOptions;
    valued.remove(QStringLiteral("preamble"));
    valued << QStringLiteral("text");
    const auto options = parseCommandOptions(
        arguments, valued, {QStringLiteral("workspace"), QStringLiteral("text")}, kTechSynopsis);
    if (!options)
        return UsageError;
    templates::TechnicalDraft draft;
    takeAttributes(*options, draft);
    draft.text = options->value(QStringLiteral("text"));

    CVarnApp app(noticesOnStderr());
    if (const int opened = openWorkspace(app, *options); opened != Done)
        return opened;
    templates::TechnicalCommit commit(*app.records(), app.systemName());
    return reportSaved(app, commit.save(draft));
}

QString csvField(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// One element of list's JSON array, as jsonArrayElement() writes an object
// of these three keys (in the order QJsonObject keeps them), without a
// document for each row.
void appendJsonElement(QString &line, const store::ListedRow &row, const QString &sentence)
{
    line += QLatin1String("    {\n        \"number\": ");
    line += QString::number(row.number);
    line += QLatin1String(",\n        \"sentence\": ");
    JsonText::appendQuoted(line, sentence);
    line += QLatin1String(",\n        \"type\": ");
    JsonText::appendQuoted(line, row.type);
    line += QLatin1String("\n    }");
}

// "%1  %2  %3" with the number right-aligned in five places and the kind
// left-aligned in ten, as QString::arg() pads them.
void appendTableRow(QString &line, const store::ListedRow &row, const QString &sentence)
{
    const QString number = QString::number(row.number);
    line += QString(std::max<qsizetype>(0, 5 - number.size()), QLatin1Char(' '));
    line += number;
    line += QLatin1String("  ");
    line += row.type;
    line += QString(std::max<qsizetype>(0, 10 - row.type.size()), QLatin1Char(' '));
    line += QLatin1String("  ");
    line += sentence;
}

void appendCsvRow(QString &line, const store::ListedRow &row, const QString &sentence)
{
    line += QString::number(row.number);
    line += QLatin1Char(',');
    line += csvField(row.type);
    line += QLatin1Char(',');
    line += csvField(sentence);
}

// Writes each row as it is read: a listing of any length takes the memory
// of one row. JSON comes out as QJsonDocument writes an array, one element
// at a time.
int writeListing(const central::RequirementsCentral &central, const Selection &query,
                 central::QueryKind kind, const QString &format)
{
    const bool asJson = format == QLatin1String("json");
    const bool asCsv = format == QLatin1String("csv");
    if (asCsv)
        printLine(QStringLiteral("number,type,sentence"));
    if (asJson)
        printLine(QStringLiteral("["));
    // Emptied with resize(0), which keeps their room for the next row.
    QString line;
    QString sentence;
    bool first = true;
    const Outcome written = central.forEachSelected(query, kind, [&](const store::ListedRow &row) {
        sentence.resize(0);
        sentence += row.preamble;
        sentence += QLatin1Char(' ');
        sentence += row.text;
        sentence += QLatin1Char('.');
        if (asJson) {
            // Each element ends its line once the next one follows.
            if (!first)
                printLine(line + QLatin1Char(','));
            line.resize(0);
            appendJsonElement(line, row, sentence);
        } else {
            line.resize(0);
            (asCsv ? appendCsvRow : appendTableRow)(line, row, sentence);
            printLine(line);
        }
        first = false;
    });
    if (!written)
        return report(written, written.kind() == MessageKind::Stop ? DatabaseError : Refused);
    if (asJson) {
        if (!first)
            printLine(line);
        printLine(QStringLiteral("]"));
    }
    return Done;
}

// The query options of list, each naming the Requirements Central query of
// that name; at most one is given.

struct ListQuery
{
    const char *option;
    central::QueryKind kind;
    Result<Selection> (*select)(const central::RequirementsCentral &central, const QString &value,
                                bool *valid);
};

Result<Selection> listedType(const central::RequirementsCentral &, const QString &value,
                             bool *valid)
{
    static const QMap<QString, central::QueryKind> kinds = {
        {QStringLiteral("functional"), central::QueryKind::Functional},
        {QStringLiteral("structural"), central::QueryKind::Structural},
        {QStringLiteral("technical"), central::QueryKind::Technical},
        {QStringLiteral("suspect"), central::QueryKind::Suspect}};
    *valid = kinds.contains(value.toLower());
    return RequirementQuery::ofType(kinds.value(value.toLower(), central::QueryKind::All));
}

Result<Selection> listedTemplate(const central::RequirementsCentral &, const QString &value,
                                 bool *valid)
{
    const int number = value.toInt(valid);
    *valid = *valid && number >= 0 && number <= TemplateCatalogue::kLastStructural;
    return RequirementQuery::byTemplate(number);
}

Result<Selection> listedVersions(const central::RequirementsCentral &central, const QString &value,
                                 bool *valid)
{
    const qint32 number = value.toInt(valid);
    *valid = *valid && number > 0;
    if (!*valid)
        return Selection{};
    return central.versionsQuery(number);
}

constexpr ListQuery kListQueries[] = {
    {"type", central::QueryKind::All, listedType},
    {"entity", central::QueryKind::ByEntity,
     [](const central::RequirementsCentral &, const QString &value, bool *valid) {
         *valid = !value.isEmpty();
         return Result<Selection>(RequirementQuery::byEntity(value));
     }},
    {"number", central::QueryKind::ByNumber,
     [](const central::RequirementsCentral &, const QString &value, bool *valid) {
         *valid = !value.isEmpty();
         return *valid ? RequirementQuery::byNumber(value) : Result<Selection>(Selection{});
     }},
    {"paragraph", central::QueryKind::ByParagraph,
     [](const central::RequirementsCentral &, const QString &value, bool *valid) {
         *valid = !value.isEmpty();
         return Result<Selection>(RequirementQuery::byParagraph(value));
     }},
    {"template", central::QueryKind::ByTemplate, listedTemplate},
    {"version", central::QueryKind::ByVersion, listedVersions},
    {"text", central::QueryKind::ByText,
     [](const central::RequirementsCentral &, const QString &value, bool *valid) {
         *valid = !value.isEmpty();
         return *valid ? RequirementQuery::byText(value) : Result<Selection>(Selection{});
     }},
};

constexpr const char *kListUsage = QT_TRANSLATE_NOOP(
    "varn::cli",
    "--type takes functional, structural, technical or suspect; --template 0 (the Builder) to 22; "
    "--version a requirement number; --entity, --number, --paragraph and --text a text");

int runList(const QStringList &arguments)
{
    QSet<QString> valued = {QStringLiteral("workspace"), QStringLiteral("format"),
                            QStringLiteral("sort")};
    for (const ListQuery &query : kListQueries)
        valued.insert(QString::fromLatin1(query.option));
    const auto options = parseCommandOptions(arguments, valued, {QStringLiteral("workspace")},
                                             kListSynopsis, {QStringLiteral("desc")});
    if (!options)
        return UsageError;
    const QString format = options->value(QStringLiteral("format"), QStringLiteral("table"));
    if (format != QLatin1String("table") && format != QLatin1String("csv") &&
        format != QLatin1String("json"))
        return usageError(Tr::tr("--format takes table, csv or json"), kListSynopsis);
    const ListQuery *chosen = nullptr;
    for (const ListQuery &query : kListQueries) {
        if (!options->has(QString::fromLatin1(query.option)))
            continue;
        if (chosen)
            return usageError(Tr::tr("list takes one query option"), kListSynopsis);
        chosen = &query;
    }
    std::optional<central::Column> sort = central::Column::Number;
    if (options->has(QStringLiteral("sort")))
        sort = central::CentralColumns::named(options->value(QStringLiteral("sort")));
    if (!sort)
        return usageError(Tr::tr("--sort takes a list column (No., Type, Source, Category, "
                                 "Priority, Release, Version, Paragraph, Requirement, Orig No., "
                                 "Date Saved, Comments)"),
                          kListSynopsis);

    CVarnApp app(noticesOnStderr());
    if (const int opened = openWorkspace(app, *options, CVarnApp::Use::Read); opened != Done)
        return opened;
    central::RequirementsCentral central(app.requirementsConnectionName());
    central.setSort(*sort, !options->flag(QStringLiteral("desc")));
    // Words are listed best match first unless a column is asked for.
    if (!options->has(QStringLiteral("sort")))
        central.sortByRelevance();
    bool valid = true;
    const Result<Selection> query =
        chosen
            ? chosen->select(central, options->value(QString::fromLatin1(chosen->option)), &valid)
            : Result<Selection>(RequirementQuery::ofType(central::QueryKind::All));
    if (!valid)
        return usageError(Tr::tr(kListUsage), kListSynopsis);
    if (!query)
        return report(query.outcome(),
                      query.outcome().kind() == MessageKind::Stop ? DatabaseError : Refused);
    return writeListing(central, query.value(), chosen ? chosen->kind : central::QueryKind::All,
                        format);
}

} // namespace

QString applyStructuralOptions(const CliOptions &options, StructuralDraft &draft)
{
    if (options.has(QStringLiteral("preamble"))) {
        const QString given = options.value(QStringLiteral("preamble"));
        bool isNumber = false;
        const int position = given.toInt(&isNumber);
        draft.article = isNumber ? TemplateCatalogue::articles().value(position, given) : given;
    }
    for (const QString &field : options.values(QStringLiteral("field"))) {
        const auto entry = keyAndText(field);
        if (!entry)
            return Tr::tr("--field takes NAME=TEXT");
        if (const QString problem = setStructuralField(draft, entry->first, entry->second);
            !problem.isEmpty())
            return problem;
    }
    const QStringList values = options.values(QStringLiteral("value"));
    if (!values.isEmpty() && draft.source != TemplateNumber::kAttributeDefinition &&
        draft.source != TemplateNumber::kMessageDefinition)
        return Tr::tr(kValueTemplates);
    if (const QString problem =
            chooseValueGroup(draft, !values.isEmpty() || !draft.possibleValues.isEmpty());
        !problem.isEmpty())
        return problem;
    return {};
}

Outcome addStructuralValues(const CliOptions &options, StructuralDraft &draft)
{
    for (const QString &value : options.values(QStringLiteral("value"))) {
        if (Outcome added = draft.addPossibleValue(value); !added)
            return added;
    }
    return Outcome::ok();
}

int reportCommit(app::CVarnApp &app, const templates::CommitResult &saved)
{
    return reportSaved(app, saved);
}

std::vector<Command> requirementCommands()
{
    return {
        {"add", kAddSynopsis, runAdd},
        {"build", kBuildSynopsis, runBuild},
        {"tech", kTechSynopsis, runTech},
        {"list", kListSynopsis, runList},
    };
}

} // namespace varn::cli
