// model: what the Inspect windows show of the derived object model.
#include "cli/clitr.h"
#include "cli/cliworkspace.h"
#include "inspect/classoutline.h"
#include "inspect/inspecttr.h"
#include "inspect/modelbrowser.h"
#include "inspect/tableoutline.h"

namespace varn::cli {

namespace {

using app::CVarnApp;

constexpr const char *kModelSynopsis = QT_TRANSLATE_NOOP(
    "varn::cli", "model classes|class NAME|tables --workspace FILE.vnp [--language cpp|java]");

int refusedOrFailed(const Outcome &outcome)
{
    return report(outcome, outcome.kind() == MessageKind::Stop ? DatabaseError : Refused);
}

int printClasses(const CVarnApp &app)
{
    const Result<QStringList> entities =
        inspect::ClassOutline(app.requirementsConnectionName()).entityNames();
    if (!entities)
        return refusedOrFailed(entities.outcome());
    for (const QString &entity : entities.value())
        printLine(entity);
    return Done;
}

// The class outline of the Object Model window, each enumeration followed
// by its values, then the lists of the Object Model Entities, Attributes
// and Methods dialogs.
int printClass(const CVarnApp &app, const QString &entity, inspect::OutlineLanguage language)
{
    const inspect::ClassOutline outline(app.requirementsConnectionName());
    const inspect::Outline members = outline.membersOf(entity, language);
    printLine(entity);
    for (const inspect::OutlineNode &node : members.nodes) {
        printLine(QStringLiteral("  ") + node.text);
        if (!node.expandable)
            continue;
        const inspect::Outline values = outline.enumerationValues(entity, node.text);
        for (const inspect::OutlineNode &value : values.nodes)
            printLine(QStringLiteral("    ") + value.text);
        if (!values.problem)
            return refusedOrFailed(values.problem);
    }
    if (!members.problem)
        return refusedOrFailed(members.problem);
    const inspect::ModelBrowser browser(app.requirementsConnectionName());
    for (const auto kind : {inspect::BrowserKind::Entities, inspect::BrowserKind::Attributes,
                            inspect::BrowserKind::Methods}) {
        const Result<QList<QStringList>> lists = browser.resultLists(kind, entity);
        if (!lists)
            return refusedOrFailed(lists.outcome());
        const inspect::BrowserSpec &spec = inspect::ModelBrowser::spec(kind);
        for (int list = 0; list < lists->size() && list < spec.lists.size(); ++list) {
            printLine(inspect::Tr::tr(spec.lists.at(list).caption));
            for (const QString &line : lists->at(list))
                printLine(QStringLiteral("  ") + line);
        }
    }
    return Done;
}

// The Data Model window: each table with its columns.
int printTables(const CVarnApp &app)
{
    const inspect::TableOutline outline(app.requirementsConnectionName());
    const Result<QStringList> tables = outline.tableNames();
    if (!tables)
        return refusedOrFailed(tables.outcome());
    for (const QString &table : tables.value()) {
        printLine(table);
        const inspect::TableColumns columns = outline.columnsOf(table);
        for (const inspect::TableColumn &column : columns.columns)
            printLine(QStringLiteral("  ") + column.text);
        if (!columns.problem)
            return refusedOrFailed(columns.problem);
    }
    return Done;
}

// The words of the command (classes, class NAME or tables), wherever they
// stand among the options; the options are left in arguments.
QStringList takeWords(QStringList &arguments)
{
    QStringList words;
    for (int position = 0; position < arguments.size();) {
        if (arguments.at(position).startsWith(QLatin1String("--"))) {
            position += 2; // every option of model takes a value
            continue;
        }
        words.append(arguments.takeAt(position));
    }
    return words;
}

int runModel(const QStringList &given)
{
    QStringList arguments = given;
    const QStringList words = takeWords(arguments);
    const QString view = words.value(0);
    QString entity;
    if (view == QLatin1String("class")) {
        if (words.size() != 2)
            return usageError(Tr::tr("model class takes a class name"), kModelSynopsis);
        entity = words.at(1);
    } else if (words.size() != 1 ||
               (view != QLatin1String("classes") && view != QLatin1String("tables"))) {
        return usageError(Tr::tr("model takes classes, class NAME or tables"), kModelSynopsis);
    }
    const auto options =
        parseCommandOptions(arguments, {QStringLiteral("workspace"), QStringLiteral("language")},
                            {QStringLiteral("workspace")}, kModelSynopsis);
    if (!options)
        return UsageError;
    const QString languageName = options->value(QStringLiteral("language"), QStringLiteral("cpp"));
    if (languageName != QLatin1String("cpp") && languageName != QLatin1String("java"))
        return usageError(Tr::tr("--language takes cpp or java"), kModelSynopsis);
    const auto language = languageName == QLatin1String("java") ? inspect::OutlineLanguage::Java
                                                                : inspect::OutlineLanguage::Cpp;
    CVarnApp app(noticesOnStderr());
    if (const int opened = openWorkspace(app, *options); opened != Done)
        return opened;
    if (view == QLatin1String("classes"))
        return printClasses(app);
    if (view == QLatin1String("tables"))
        return printTables(app);
    return printClass(app, entity, language);
}

} // namespace

std::vector<Command> inspectCommands()
{
    return {{"model", kModelSynopsis, runModel}};
}

} // namespace varn::cli
