#include "generate/modelgenerator.h"
#include "generate/generatetr.h"

#include "generate/classshapes.h"
#include "generate/cppheaderwriter.h"
#include "generate/generatormessages.h"
#include "generate/javaclasswriter.h"
#include "generate/outputfolder.h"
#include "generate/sqlmodulewriter.h"
#include "generate/sqlschemawriter.h"
#include "objmodel/objectmodelreader.h"

#include <QDir>

#include <initializer_list>

namespace varn::generate {

using objmodel::ModelTable;
using objmodel::ObjectModel;
using objmodel::ObjectModelReader;

namespace {

struct KindTraits
{
    GeneratorKind kind;
    const char *cliName;
    const char *folderSuffix;
    const char *fileSuffix;
};

constexpr KindTraits kKinds[] = {
    {GeneratorKind::Sql, "sql", texts::kSqlFolderSuffix, ".sql"},
    {GeneratorKind::Cpp, "cpp", texts::kCppFolderSuffix, ".h"},
    {GeneratorKind::Java, "java", texts::kJavaFolderSuffix, ".java"},
};

const KindTraits &traits(GeneratorKind kind)
{
    for (const KindTraits &entry : kKinds) {
        if (entry.kind == kind)
            return entry;
    }
    return kKinds[0];
}

void reportStatus(const GenerationCallbacks &callbacks, const char *status)
{
    if (callbacks.status)
        callbacks.status(Tr::tr(status));
}

void reportProgress(const GenerationCallbacks &callbacks, int percent, const QString &name)
{
    if (callbacks.progress)
        callbacks.progress(percent, name);
}

// The table each record set reads; the name-lookup set reads none of its own.
std::optional<ModelTable> tableOf(RecordSet set)
{
    switch (set) {
    case RecordSet::OeSet:
        return ModelTable::Entity;
    case RecordSet::OeSet2:
        return std::nullopt;
    case RecordSet::AtSet:
        return ModelTable::Attribute;
    case RecordSet::MeSet:
        return ModelTable::Method;
    case RecordSet::InSet:
        return ModelTable::Inheritance;
    case RecordSet::AgSet:
        return ModelTable::Aggregation;
    case RecordSet::OmPvSet:
        return ModelTable::PossibleValue;
    }
    return std::nullopt;
}

RecordSet recordSetOf(ModelTable table)
{
    for (RecordSet set : {RecordSet::OeSet, RecordSet::AtSet, RecordSet::MeSet, RecordSet::InSet,
                          RecordSet::AgSet, RecordSet::OmPvSet}) {
        if (tableOf(set) == table)
            return set;
    }
    return RecordSet::OeSet;
}

// The tables behind the record sets, read in the order given; a failure
// comes back as the generator's message for its record set. The entity
// table is the one every generator opens first: any failure on it means the
// set could not be opened at all.
Result<ObjectModel> readModel(const QString &connection, std::initializer_list<RecordSet> sets,
                              GeneratorKind kind)
{
    QList<ModelTable> tables;
    for (RecordSet set : sets) {
        if (const std::optional<ModelTable> table = tableOf(set))
            tables.append(*table);
    }
    ObjectModelReader reader(connection);
    Result<ObjectModel> model = reader.readModel(tables);
    if (model)
        return model;
    const objmodel::ModelReadFailure &failure = reader.lastFailure();
    const RecordSet set = recordSetOf(failure.table);
    return Outcome::stop(failure.partWay && set != RecordSet::OeSet
                             ? GeneratorMessages::errorQuerying(set, kind, failure.errorText)
                             : GeneratorMessages::cannotOpen(set, kind, failure.errorText));
}

// The checks every generator makes before it touches the folder: the model
// has entities, and the system name, part of the folder's and the SQL
// files' names, stays a file name. Class files are named after the class
// names as written, which are identifiers.
Outcome checkModel(const ObjectModel &model, const QString &systemName)
{
    if (model.entities().isEmpty())
        return Outcome::refused(Tr::tr(texts::kNoEntities));
    if (!OutputFolder::isUsableFileName(systemName))
        return Outcome::warning(GeneratorMessages::unusableFileName(systemName));
    return Outcome::ok();
}

Result<GeneratedFiles> generateSql(const QString &connection, const GeneratorSettings &settings,
                                   const GenerationCallbacks &callbacks)
{
    Result<ObjectModel> model = readModel(
        connection,
        {RecordSet::OeSet, RecordSet::OeSet2, RecordSet::AtSet, RecordSet::AgSet, RecordSet::InSet},
        GeneratorKind::Sql);
    if (!model)
        return model.outcome();
    if (Outcome checked = checkModel(model.value(), settings.systemName); !checked)
        return checked;

    const QString fileName = settings.systemName + QLatin1String(".sql");
    const QString schemaName = SqlSchemaWriter::fileName(settings.systemName);
    const OutputFolder folder(settings.installPath,
                              ModelGenerator::outputFolder(GeneratorKind::Sql, settings.installPath,
                                                           settings.systemName));
    if (Outcome prepared = folder.prepare({fileName, schemaName}); !prepared)
        return prepared;

    SqlModuleWriter writer(model.value(), settings.systemName, callbacks);
    Result<QString> text = writer.render();
    if (!text)
        return text.outcome();
    if (Outcome written = folder.write(fileName, text->toUtf8()); !written)
        return written;
    // Beside the module, the same tables as plain SQL that databases run.
    const QString schema = SqlSchemaWriter(model.value(), settings.systemName).render();
    if (Outcome written = folder.write(schemaName, schema.toUtf8()); !written)
        return written;

    reportStatus(callbacks, texts::kStatusFinished);
    reportProgress(callbacks, 100, {});
    GeneratedFiles files{folder.path(), {fileName, schemaName}, {}};
    if (!writer.heavyTables().isEmpty())
        files.notice = Tr::tr(texts::kHeavyTablesNotice);
    return files;
}

QString renderClass(GeneratorKind kind, const ClassShape &shape, bool verbose)
{
    if (kind == GeneratorKind::Cpp)
        return CppHeaderWriter(verbose).render(shape);
    return JavaClassWriter().render(shape);
}

Result<GeneratedFiles> generateClasses(GeneratorKind kind, const QString &connection,
                                       const GeneratorSettings &settings,
                                       const GenerationCallbacks &callbacks)
{
    Result<ObjectModel> model = readModel(connection,
                                          {RecordSet::OeSet, RecordSet::OeSet2, RecordSet::AtSet,
                                           RecordSet::MeSet, RecordSet::InSet, RecordSet::OmPvSet},
                                          kind);
    if (!model)
        return model.outcome();
    if (Outcome checked = checkModel(model.value(), settings.systemName); !checked)
        return checked;
    const Result<QList<ClassShape>> shapes =
        ClassShapes::build(model.value(), kind, settings.verbose);
    if (!shapes)
        return shapes.outcome();

    const QString suffix = ModelGenerator::fileSuffix(kind);
    QStringList fileNames;
    for (const ClassShape &shape : shapes.value())
        fileNames.append(shape.className + suffix);
    const OutputFolder folder(
        settings.installPath,
        ModelGenerator::outputFolder(kind, settings.installPath, settings.systemName));
    if (Outcome prepared = folder.prepare(fileNames); !prepared)
        return prepared;

    reportStatus(callbacks, texts::kStatusPleaseWait);
    reportProgress(callbacks, 0, {});
    GeneratedFiles files{folder.path(), {}, {}};
    for (qsizetype done = 0; done < shapes->size(); ++done) {
        const ClassShape &shape = shapes->at(done);
        reportProgress(callbacks, int(done * 100 / shapes->size()), shape.name);
        const QString &fileName = fileNames.at(done);
        if (Outcome written =
                folder.write(fileName, renderClass(kind, shape, settings.verbose).toUtf8());
            !written)
            return written;
        files.files.append(fileName);
    }
    reportStatus(callbacks, texts::kStatusFinished);
    reportProgress(callbacks, 100, {});
    return files;
}

} // namespace

Result<GeneratedFiles> ModelGenerator::generate(GeneratorKind kind, const QString &connectionName,
                                                const GeneratorSettings &settings,
                                                const GenerationCallbacks &callbacks)
{
    if (QDir::fromNativeSeparators(settings.installPath)
            .split(QLatin1Char('/'))
            .contains(QLatin1String("..")))
        return Outcome::warning(GeneratorMessages::parentInInstallPath(settings.installPath));
    if (kind == GeneratorKind::Sql)
        return generateSql(connectionName, settings, callbacks);
    return generateClasses(kind, connectionName, settings, callbacks);
}

QString ModelGenerator::outputFolder(GeneratorKind kind, const QString &installPath,
                                     const QString &systemName)
{
    QString path = installPath;
    if (!path.isEmpty() && !path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    path += systemName + QLatin1String(traits(kind).folderSuffix);
    return QDir::cleanPath(QDir(path).absolutePath());
}

QString ModelGenerator::fileSuffix(GeneratorKind kind)
{
    return QLatin1String(traits(kind).fileSuffix);
}

std::optional<GeneratorKind> ModelGenerator::kindFromName(const QString &name)
{
    for (const KindTraits &entry : kKinds) {
        if (name == QLatin1String(entry.cliName))
            return entry.kind;
    }
    return std::nullopt;
}

QString ModelGenerator::kindName(GeneratorKind kind)
{
    return QString::fromLatin1(traits(kind).cliName);
}

} // namespace varn::generate
