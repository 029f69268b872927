// Generates the three outputs for an object model of 2,000 entities with
// scalar and enumerated attributes, pointers, parts, bases and methods, and
// prints the seconds each generator takes (reading the tables included).

#include "app/blankimage.h"
#include "generate/classshapes.h"
#include "generate/cppheaderwriter.h"
#include "generate/javaclasswriter.h"
#include "generate/modelgenerator.h"
#include "generate/sqlmodulewriter.h"
#include "generate/sqlschemawriter.h"
#include "objmodel/objectmodelreader.h"
#include "store/sqlconnection.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>

using namespace varn;
using namespace varn::generate;

namespace {

constexpr int kEntities = 2000;
const QString kConnection = QStringLiteral("bench_generate");

QString entityName(int index)
{
    return QStringLiteral("Entity%1").arg(index, 4, 10, QLatin1Char('0'));
}

// Prepared inserts, one per object-model table, each handing out its keys.
class ModelFiller
{
public:
    explicit ModelFiller(const QSqlDatabase &database)
    {
        for (int table = 0; table < 6; ++table)
            m_queries.append(QSqlQuery(database));
        m_queries[0].prepare(QStringLiteral("INSERT INTO OM_ENTITY VALUES (?, ?)"));
        m_queries[1].prepare(QStringLiteral("INSERT INTO OM_ATTR VALUES (?, ?, ?, ?)"));
        m_queries[2].prepare(QStringLiteral("INSERT INTO OM_METHOD VALUES (?, ?, ?)"));
        m_queries[3].prepare(QStringLiteral("INSERT INTO OM_INH VALUES (?, ?, ?)"));
        m_queries[4].prepare(QStringLiteral("INSERT INTO OM_AGG VALUES (?, ?, ?)"));
        m_queries[5].prepare(QStringLiteral("INSERT INTO OM_PV VALUES (?, ?, ?)"));
    }

    int add(int table, const QVariantList &values)
    {
        QSqlQuery &query = m_queries[table];
        const int key = ++m_keys[table];
        query.addBindValue(key);
        for (const QVariant &value : values)
            query.addBindValue(value);
        if (!query.exec())
            m_error = query.lastError().text();
        return key;
    }
    const QString &error() const { return m_error; }

private:
    QList<QSqlQuery> m_queries;
    int m_keys[6] = {};
    QString m_error;
};

// Entity i: four int attributes (two with possible values), two long, one
// double, two pointers, one part, three methods; every fourth entity is a
// kind of an earlier one.
QString fillModel(const QSqlDatabase &database)
{
    ModelFiller fill(database);
    for (int i = 0; i < kEntities; ++i)
        fill.add(0, {entityName(i)});
    for (int i = 0; i < kEntities; ++i) {
        const int id = i + 1;
        for (int a = 0; a < 4; ++a) {
            const int attribute =
                fill.add(1, {QStringLiteral("status%1").arg(a), QStringLiteral("int"), id});
            if (a < 2) {
                for (const char *value : {"idle", "busy", "failed"})
                    fill.add(5,
                             {attribute, QStringLiteral("%1%2").arg(QLatin1String(value)).arg(a)});
            }
        }
        fill.add(1, {QStringLiteral("count"), QStringLiteral("long"), id});
        fill.add(1, {QStringLiteral("total"), QStringLiteral("long"), id});
        fill.add(1, {QStringLiteral("rate"), QStringLiteral("double"), id});
        for (int step : {1, 7})
            fill.add(1, {QStringLiteral("*p") + entityName((i + step) % kEntities),
                         QStringLiteral("pointer"), id});
        const QString part = entityName((i + 13) % kEntities);
        fill.add(4, {part, id});
        fill.add(1, {QStringLiteral("&r") + part, QStringLiteral("reference"), id});
        for (const char *method : {"display", "getCount", "arrive"})
            fill.add(2, {QLatin1String(method) + entityName(i), id});
        if (i > 0 && i % 4 == 0)
            fill.add(3, {entityName(i), i / 4});
    }
    return fill.error();
}

// Reads the tables and renders every file's text without writing it: the
// generator's own share of the time, apart from creating files on disk.
qsizetype renderOnly(GeneratorKind kind, bool verbose)
{
    using objmodel::ModelTable;
    Result<objmodel::ObjectModel> model =
        objmodel::ObjectModelReader(kConnection)
            .readModel({ModelTable::Entity, ModelTable::Attribute, ModelTable::Method,
                        ModelTable::Inheritance, ModelTable::Aggregation,
                        ModelTable::PossibleValue});
    if (!model)
        return -1;
    if (kind == GeneratorKind::Sql) {
        Result<QString> text = SqlModuleWriter(model.value(), QStringLiteral("Bench")).render();
        const QString schema = SqlSchemaWriter(model.value(), QStringLiteral("Bench")).render();
        return text ? text->toUtf8().size() + schema.toUtf8().size() : -1;
    }
    // Shaping and naming every class (and planning the includes) belongs to
    // rendering.
    const Result<QList<ClassShape>> shapes = ClassShapes::build(model.value(), kind, verbose);
    if (!shapes)
        return -1;
    qsizetype bytes = 0;
    for (const ClassShape &shape : shapes.value()) {
        const QString text = kind == GeneratorKind::Cpp ? CppHeaderWriter(verbose).render(shape)
                                                        : JavaClassWriter().render(shape);
        bytes += text.toUtf8().size();
    }
    return bytes;
}

double secondsOf(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("BenchReq.mdb"));
    if (Outcome written = app::BlankImage::writeTo(QString(), path); !written) {
        std::fprintf(stderr, "%s\n", qPrintable(written.message()));
        return 1;
    }
    {
        Result<QSqlDatabase> opened = store::SqlConnection::open(kConnection, path);
        if (!opened) {
            std::fprintf(stderr, "%s\n", qPrintable(opened.outcome().message()));
            return 1;
        }
        QSqlDatabase database = opened.value();
        database.transaction();
        const QString error = fillModel(database);
        database.commit();
        if (!error.isEmpty()) {
            std::fprintf(stderr, "filling the model: %s\n", qPrintable(error));
            return 1;
        }

        const GeneratorSettings settings{folder.filePath(QStringLiteral("User Files/")),
                                         QStringLiteral("Bench System"), true};
        std::printf("object model: %d entities; target: each generator under 1 s\n", kEntities);
        std::printf("%-24s %10s %12s %8s\n", "", "generate", "render only", "files");
        for (const auto &[kind, name] : {std::pair{GeneratorKind::Sql, "SQL module"},
                                         std::pair{GeneratorKind::Cpp, "C++ headers (verbose)"},
                                         std::pair{GeneratorKind::Java, "Java classes"}}) {
            QElapsedTimer timer;
            timer.start();
            const Result<GeneratedFiles> result =
                ModelGenerator::generate(kind, kConnection, settings);
            const double generateSeconds = secondsOf(timer);
            if (!result) {
                std::fprintf(stderr, "%s: %s\n", name, qPrintable(result.outcome().message()));
                return 1;
            }
            timer.restart();
            if (renderOnly(kind, settings.verbose) < 0) {
                std::fprintf(stderr, "%s: rendering failed\n", name);
                return 1;
            }
            std::printf("%-24s %8.3f s %10.3f s %8lld\n", name, generateSeconds, secondsOf(timer),
                        qlonglong(result->files.size()));
        }
    }
    store::SqlConnection::close(kConnection);
    return 0;
}
