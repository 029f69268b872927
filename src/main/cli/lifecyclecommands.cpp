// edit, reuse, delete, depend, attributes and show: a stored requirement's life.
#include "central/dependentlinks.h"
#include "central/foreignattributes.h"
#include "central/requirementattributes.h"
#include "central/requirementdump.h"
#include "central/requirementlifecycle.h"
#include "cli/clitr.h"
#include "cli/cliworkspace.h"
#include "cli/draftoptions.h"
#include "cli/structuraloptions.h"
#include "common/controlcharacters.h"
#include "templates/storedrequirementloader.h"
#include "templates/structuralcommit.h"
#include "templates/structuralloader.h"
#include "templates/technicalcommit.h"
#include "templates/technicaldraft.h"

#include <QTextStream>

#include <cstdio>

namespace varn::cli {

namespace {

using app::CVarnApp;

constexpr const char *kEditSynopsis = QT_TRANSLATE_NOOP(
    "varn::cli",
    "edit --workspace FILE.vnp --number N [--preamble P] [--field K=TEXT]... [--value V]... "
    "[--text T] [--category C] [--priority N] [--release N] [--paragraph T] [--comments T]");
constexpr const char *kReuseSynopsis =
    QT_TRANSLATE_NOOP("varn::cli", "reuse --workspace FILE.vnp --number N [the options of edit]");
constexpr const char *kDeleteSynopsis =
    QT_TRANSLATE_NOOP("varn::cli", "delete --workspace FILE.vnp --number N [--yes]");
constexpr const char *kDependSynopsis = QT_TRANSLATE_NOOP(
    "varn::cli", "depend --workspace FILE.vnp --parent N [--dependent M]... [--clear]");
constexpr const char *kAttributesSynopsis = QT_TRANSLATE_NOOP(
    "varn::cli",
    "attributes --workspace FILE.vnp --number N [--paragraph T] [--category C] [--priority N] "
    "[--release N] [--comments T]");
constexpr const char *kShowSynopsis =
    QT_TRANSLATE_NOOP("varn::cli", "show --workspace FILE.vnp --number N");

// A number option that must hold a whole number.
std::optional<int> numberOption(const CliOptions &options, const QString &name)
{
    bool isNumber = false;
    const int number = options.value(name).toInt(&isNumber);
    return isNumber ? std::optional<int>(number) : std::nullopt;
}

int badNumber(const QString &name, const char *synopsis)
{
    return usageError(Tr::tr("--%1 takes a requirement number").arg(name), synopsis);
}

// The attributes an edit or re-use changes; what is left out keeps its value.
template <typename Draft> void takeChangedAttributes(const CliOptions &options, Draft &draft)
{
    draft.category = options.value(QStringLiteral("category"), draft.category);
    draft.priority = options.value(QStringLiteral("priority"), draft.priority);
    draft.release = options.value(QStringLiteral("release"), draft.release);
    draft.paragraph = options.value(QStringLiteral("paragraph"), draft.paragraph);
    draft.comments = options.value(QStringLiteral("comments"), draft.comments);
}

int saveStructural(CVarnApp &app, const CliOptions &options, int number, bool edit)
{
    Result<templates::StructuralDraft> draft =
        templates::StructuralLoader::stored(app.requirementsConnectionName(), number, edit);
    if (!draft)
        return report(draft.outcome(), DatabaseError);
    takeChangedAttributes(options, draft.value());
    if (const QString problem = applyStructuralOptions(options, draft.value());
        !problem.isEmpty()) {
        printError(QStringLiteral("varn-cli: ") + problem);
        return UsageError;
    }
    if (Outcome added = addStructuralValues(options, draft.value()); !added)
        return report(added);
    templates::StructuralCommit commit(*app.records(), app.systemName());
    return reportCommit(app, commit.save(draft.value()));
}

int saveTechnical(CVarnApp &app, const CliOptions &options, int number, bool edit)
{
    Result<templates::TechnicalDraft> draft =
        templates::TechnicalDraft::stored(app.requirementsConnectionName(), number, edit);
    if (!draft)
        return report(draft.outcome(), DatabaseError);
    takeChangedAttributes(options, draft.value());
    draft->text = options.value(QStringLiteral("text"), draft->text);
    templates::TechnicalCommit commit(*app.records(), app.systemName());
    return reportCommit(app, commit.save(draft.value()));
}

int editOrReuse(const QStringList &arguments, bool edit)
{
    const char *synopsis = edit ? kEditSynopsis : kReuseSynopsis;
    const auto options = parseCommandOptions(
        arguments,
        {QStringLiteral("workspace"), QStringLiteral("number"), QStringLiteral("preamble"),
         QStringLiteral("field"), QStringLiteral("category"), QStringLiteral("priority"),
         QStringLiteral("release"), QStringLiteral("paragraph"), QStringLiteral("comments"),
         QStringLiteral("value"), QStringLiteral("text")},
        {QStringLiteral("workspace"), QStringLiteral("number")}, synopsis);
    if (!options)
        return UsageError;
    const auto number = numberOption(*options, QStringLiteral("number"));
    if (!number)
        return badNumber(QStringLiteral("number"), synopsis);

    CVarnApp app(noticesOnStderr());
    if (const int opened = openWorkspace(app, *options); opened != Done)
        return opened;
    const Result<int> source =
        central::RequirementLifecycle(app.requirementsConnectionName()).composerFor(*number, edit);
    if (!source)
        return report(source.outcome());
    const QString connection = app.requirementsConnectionName();
    if (source.value() == central::RequirementLifecycle::kLastComposer)
        return saveTechnical(app, *options, *number, edit);
    if (source.value() > templates::TemplateCatalogue::kFunctionalCount)
        return saveStructural(app, *options, *number, edit);
    Result<templates::FunctionalDraft> draft =
        templates::StoredRequirementLoader::functional(connection, *number, edit);
    if (!draft)
        return report(draft.outcome(), DatabaseError);
    if (const QString problem = applyDraftOptions(*options, draft.value()); !problem.isEmpty()) {
        printError(QStringLiteral("varn-cli: ") + problem);
        return UsageError;
    }
    return saveFunctionalDraft(app, draft.value());
}

int runEdit(const QStringList &arguments)
{
    return editOrReuse(arguments, true);
}

int runReuse(const QStringList &arguments)
{
    return editOrReuse(arguments, false);
}

bool askYes(const QString &question)
{
    printError(Tr::tr("%1 [y/N]").arg(question));
    QTextStream in(stdin);
    const QString answer = in.readLine().trimmed().toLower();
    return answer == QLatin1String("y") || answer == QLatin1String("yes");
}

int runDelete(const QStringList &arguments)
{
    const auto options =
        parseCommandOptions(arguments, {QStringLiteral("workspace"), QStringLiteral("number")},
                            {QStringLiteral("workspace"), QStringLiteral("number")},
                            kDeleteSynopsis, {QStringLiteral("yes")});
    if (!options)
        return UsageError;
    const auto number = numberOption(*options, QStringLiteral("number"));
    if (!number)
        return badNumber(QStringLiteral("number"), kDeleteSynopsis);
    CVarnApp app(noticesOnStderr());
    if (const int opened = openWorkspace(app, *options); opened != Done)
        return opened;
    const central::RequirementLifecycle lifecycle(app.requirementsConnectionName());
    const Result<QList<int>> dependents = lifecycle.dependentsBeforeDeletion(*number);
    if (!dependents)
        return report(dependents.outcome());
    const QString question =
        central::RequirementLifecycle::deletionQuestion(*number, dependents.value());
    if (!options->flag(QStringLiteral("yes"))) {
        if (!askYes(question))
            return Refused;
    } else if (!dependents->isEmpty()) {
        printError(question.section(QLatin1Char('\n'), 0, -2)); // the dependents, unasked
    }
    if (Outcome deleted = lifecycle.markDeleted(*number); !deleted)
        return report(deleted, DatabaseError);
    app.setRequirementsChanged(true);
    printLine(Tr::tr("Requirement %1 deleted.").arg(*number));
    return Done;
}

int runDepend(const QStringList &arguments)
{
    const auto options = parseCommandOptions(
        arguments,
        {QStringLiteral("workspace"), QStringLiteral("parent"), QStringLiteral("dependent")},
        {QStringLiteral("workspace"), QStringLiteral("parent")}, kDependSynopsis,
        {QStringLiteral("clear")});
    if (!options)
        return UsageError;
    const auto parent = numberOption(*options, QStringLiteral("parent"));
    if (!parent)
        return badNumber(QStringLiteral("parent"), kDependSynopsis);
    QList<int> dependents;
    for (const QString &given : options->values(QStringLiteral("dependent"))) {
        bool isNumber = false;
        const int dependent = given.toInt(&isNumber);
        if (!isNumber)
            return badNumber(QStringLiteral("dependent"), kDependSynopsis);
        if (Outcome added = central::DependentLinks::checkAddition(*parent, dependents, dependent);
            !added)
            return report(added);
        dependents.append(dependent);
    }
    CVarnApp app(noticesOnStderr());
    if (const int opened = openWorkspace(app, *options); opened != Done)
        return opened;
    const central::DependentLinks links(app.requirementsConnectionName());
    if (!dependents.isEmpty() || options->flag(QStringLiteral("clear"))) {
        const Result<QList<QList<int>>> saved = links.saveDependents(*parent, dependents);
        if (!saved)
            return report(saved.outcome(), DatabaseError);
        printLine(central::DependentLinks::savedStatus(*parent));
        // A cycle may be intended: it is saved, and said.
        if (const QString cycles = central::DependentLinks::cycleNotice(saved.value());
            !cycles.isEmpty())
            printError(cycles);
        return Done;
    }
    const Result<QList<int>> stored = links.dependentsOf(*parent);
    if (!stored)
        return report(stored.outcome(), DatabaseError);
    if (stored->isEmpty())
        printLine(central::DependentLinks::noDependentsStatus(*parent));
    for (const int dependent : stored.value())
        printLine(QString::number(dependent));
    return Done;
}

int runAttributes(const QStringList &arguments)
{
    const QStringList attributeNames = {QStringLiteral("paragraph"), QStringLiteral("category"),
                                        QStringLiteral("priority"), QStringLiteral("release"),
                                        QStringLiteral("comments")};
    QSet<QString> valued(attributeNames.begin(), attributeNames.end());
    valued << QStringLiteral("workspace") << QStringLiteral("number");
    const auto options = parseCommandOptions(
        arguments, valued, {QStringLiteral("workspace"), QStringLiteral("number")},
        kAttributesSynopsis);
    if (!options)
        return UsageError;
    const auto number = numberOption(*options, QStringLiteral("number"));
    if (!number)
        return badNumber(QStringLiteral("number"), kAttributesSynopsis);
    CVarnApp app(noticesOnStderr());
    if (const int opened = openWorkspace(app, *options); opened != Done)
        return opened;
    const central::RequirementAttributes attributes(app.requirementsConnectionName());
    QList<Outcome> notices;
    Result<central::RequirementAttributes::Values> values = attributes.load(*number, &notices);
    if (!values)
        return report(values.outcome());
    for (const Outcome &notice : notices)
        printError(notice.message());
    bool changed = false;
    for (const QString &name : attributeNames)
        changed = changed || options->has(name);
    if (changed) {
        values->paragraph = options->value(QStringLiteral("paragraph"), values->paragraph);
        values->category = options->value(QStringLiteral("category"), values->category);
        values->priority = options->value(QStringLiteral("priority"), values->priority);
        values->release = options->value(QStringLiteral("release"), values->release);
        values->comments = options->value(QStringLiteral("comments"), values->comments);
        if (Outcome saved = attributes.save(*number, values.value()); !saved)
            return report(saved, saved.kind() == MessageKind::Stop ? DatabaseError : Refused);
        printLine(central::RequirementAttributes::savedStatus(*number));
        return Done;
    }
    printLine(Tr::tr("Paragraph: %1").arg(values->paragraph));
    printLine(Tr::tr("Category:  %1").arg(values->category));
    printLine(Tr::tr("Priority:  %1").arg(values->priority));
    printLine(Tr::tr("Release:   %1").arg(values->release));
    printLine(Tr::tr("Version:   %1").arg(values->version));
    printLine(Tr::tr("Comments:  %1").arg(values->comments));
    return Done;
}

int showForeign(const QString &connection, qint32 number);

int runShow(const QStringList &arguments)
{
    const auto options =
        parseCommandOptions(arguments, {QStringLiteral("workspace"), QStringLiteral("number")},
                            {QStringLiteral("workspace"), QStringLiteral("number")}, kShowSynopsis);
    if (!options)
        return UsageError;
    const auto number = numberOption(*options, QStringLiteral("number"));
    if (!number)
        return badNumber(QStringLiteral("number"), kShowSynopsis);
    CVarnApp app(noticesOnStderr());
    if (const int opened = openWorkspace(app, *options, CVarnApp::Use::Read); opened != Done)
        return opened;
    const Result<QList<central::DumpedRow>> rows =
        central::RequirementDump::read(app.requirementsConnectionName(), *number);
    if (!rows)
        return report(rows.outcome(),
                      rows.outcome().kind() == MessageKind::Stop ? DatabaseError : Refused);
    for (const central::DumpedRow &row : rows.value()) {
        printLine(row.table);
        // A value stored before control characters were refused shows them.
        for (const auto &[name, value] : row.fields)
            printLine(QStringLiteral("  %1: %2").arg(name, ControlCharacters::madeVisible(value)));
    }
    return showForeign(app.requirementsConnectionName(), *number);
}

// The whole text of a shortened sentence, and the object of another tool's
// file the requirement came from with its attributes.
int showForeign(const QString &connection, qint32 number)
{
    const Result<QString> whole = central::ForeignAttributes::fullText(connection, number);
    if (!whole)
        return report(whole.outcome(), DatabaseError);
    if (!whole->isEmpty()) {
        printLine(Tr::tr("Full text"));
        printLine(QStringLiteral("  ") + ControlCharacters::madeVisible(whole.value()));
    }
    const Result<central::ForeignAttributes> foreign =
        central::ForeignAttributes::read(connection, number);
    if (!foreign)
        return report(foreign.outcome(), DatabaseError);
    if (foreign->isEmpty())
        return Done;
    printLine(Tr::tr("Object %1 of type %2").arg(foreign->identifier, foreign->typeName));
    for (const central::ForeignAttributes::Entry &entry : foreign->entries)
        printLine(QStringLiteral("  %1: %2")
                      .arg(entry.name, ControlCharacters::madeVisible(entry.value)));
    return Done;
}

} // namespace

std::vector<Command> lifecycleCommands()
{
    return {
        {"edit", kEditSynopsis, runEdit},
        {"reuse", kReuseSynopsis, runReuse},
        {"delete", kDeleteSynopsis, runDelete},
        {"depend", kDependSynopsis, runDepend},
        {"attributes", kAttributesSynopsis, runAttributes},
        {"show", kShowSynopsis, runShow},
    };
}

} // namespace varn::cli
