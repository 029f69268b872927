// templates and entities: what the Functional and Structural Navigators and
// the System Entities window show.
#include "app/datasource.h"
#include "app/settings.h"
#include "cli/clitr.h"
#include "cli/cliworkspace.h"
#include "common/commonmessages.h"
#include "store/sqlconnection.h"
#include "templates/navigatorexamples.h"
#include "templates/systementities.h"
#include "templates/templatecatalogue.h"
#include "templates/templatestr.h"

namespace varn::cli {

namespace {

using templates::TemplateCatalogue;

constexpr const char *kTemplatesSynopsis = QT_TRANSLATE_NOOP("varn::cli", "templates [--number N]");
constexpr const char *kEntitiesSynopsis =
    QT_TRANSLATE_NOOP("varn::cli", "entities --workspace FILE.vnp [--entity NAME]");

const QString kApplicationConnection = QStringLiteral("varn-cli-application");

// Each line of a text, indented, as one block under its caption.
void printBlock(const QString &caption, const QString &text)
{
    printLine(caption);
    for (const QString &line : terminalText(text).split(QLatin1Char('\n')))
        printLine(line.isEmpty() ? line : QStringLiteral("    ") + line);
}

// The worked examples live in the application database, which the
// navigators read without a workspace of their own.
int openApplicationDatabase()
{
    const app::Settings settings;
    const app::Settings::Value folder = settings.databaseDirectory();
    if (folder.problem.hasMessage())
        printError(folder.problem.message());
    const app::DataSource source = app::DataSource::applicationIn(folder.text);
    const Outcome opened = store::SqlConnection::connect(
        kApplicationConnection, source.databasePath(), store::ConnectionAccess::ReadOnly);
    if (opened)
        return Done;
    printError(CommonTr::tr(CommonMessages::kCannotOpenApplication) + opened.message());
    return DatabaseError;
}

// The navigator's item, the text of Show Template Specification and that of
// See Examples.
int printTemplate(int number)
{
    const Result<QString> examples =
        templates::NavigatorExamples::read(kApplicationConnection, number);
    if (!examples)
        return report(examples.outcome(), DatabaseError);
    printLine(templates::Tr::tr(TemplateCatalogue::navigatorItem(number)));
    printBlock(Tr::tr("  Specification:"),
               templates::Tr::tr(TemplateCatalogue::specification(number)));
    printBlock(Tr::tr("  Examples:"), examples.value());
    return Done;
}

int runTemplates(const QStringList &arguments)
{
    const auto options =
        parseCommandOptions(arguments, {QStringLiteral("number")}, {}, kTemplatesSynopsis);
    if (!options)
        return UsageError;
    int first = 1;
    int last = TemplateCatalogue::kLastStructural;
    if (options->has(QStringLiteral("number"))) {
        bool isNumber = false;
        first = last = options->value(QStringLiteral("number")).toInt(&isNumber);
        if (!isNumber || first < 1 || first > TemplateCatalogue::kLastStructural)
            return usageError(Tr::tr("--number takes a template number from 1 to %1")
                                  .arg(TemplateCatalogue::kLastStructural),
                              kTemplatesSynopsis);
    }
    int code = openApplicationDatabase();
    for (int number = first; code == Done && number <= last; ++number) {
        if (number > first)
            printLine(QString());
        code = printTemplate(number);
    }
    store::SqlConnection::close(kApplicationConnection);
    return code;
}

int printList(const QString &caption, const Result<QStringList> &lines)
{
    if (!lines)
        return report(lines.outcome(), DatabaseError);
    printLine(caption);
    for (const QString &line : lines.value())
        printLine(QStringLiteral("  ") + line);
    return Done;
}

// The line of the window's lists that names the entity, either list, in
// any case; empty when neither holds it.
QString listedLine(const QStringList &lines, const QString &name)
{
    for (const QString &line : lines) {
        if (line.compare(name.simplified(), Qt::CaseInsensitive) == 0)
            return line;
    }
    return {};
}

// Definition >> of the window on the entity's line.
int printDefinition(const templates::SystemEntities &queries, const QString &name)
{
    const Result<QStringList> entities = queries.entities();
    if (!entities)
        return report(entities.outcome(), DatabaseError);
    const Result<QStringList> typeEntities = queries.typeEntities();
    if (!typeEntities)
        return report(typeEntities.outcome(), DatabaseError);
    QString line = listedLine(entities.value(), name);
    const bool typeEntity = line.isEmpty();
    if (typeEntity)
        line = listedLine(typeEntities.value(), name);
    if (line.isEmpty()) {
        printError(
            Tr::tr("No entity \"%1\" is known: varn-cli entities --workspace FILE.vnp lists them.")
                .arg(name));
        return Refused;
    }
    const Result<templates::EntityDefinitionLists> definition =
        queries.definition(line, typeEntity);
    if (!definition)
        return report(definition.outcome(), DatabaseError);
    printList(Tr::tr("Attributes"), definition->attributes);
    printList(Tr::tr("Types"), definition->types);
    return printList(Tr::tr("Parts"), definition->parts);
}

int runEntities(const QStringList &arguments)
{
    const auto options =
        parseCommandOptions(arguments, {QStringLiteral("workspace"), QStringLiteral("entity")},
                            {QStringLiteral("workspace")}, kEntitiesSynopsis);
    if (!options)
        return UsageError;
    app::CVarnApp app(noticesOnStderr());
    if (const int opened = openWorkspace(app, *options, app::CVarnApp::Use::Read); opened != Done)
        return opened;
    const templates::SystemEntities queries(app.requirementsConnectionName());
    if (options->has(QStringLiteral("entity")))
        return printDefinition(queries, options->value(QStringLiteral("entity")));
    if (const int listed = printList(Tr::tr("Entity"), queries.entities()); listed != Done)
        return listed;
    return printList(Tr::tr("Type : Entity"), queries.typeEntities());
}

} // namespace

std::vector<Command> navigatorCommands()
{
    return {
        {"templates", kTemplatesSynopsis, runTemplates},
        {"entities", kEntitiesSynopsis, runEntities},
    };
}

} // namespace varn::cli
