// The three generators' output for a workspace holding every worked example,
// given to the real tools: SQLite runs the module's table statements, the C++
// compiler checks each header on its own and all of them together, in both
// forms, and javac compiles all classes together. Nothing may fail.

#include "generate/modelgenerator.h"
#include "outputtools.h"
#include "support/freshworkspace.h"
#include "support/storetestsupport.h"
#include "support/workedexamples.h"
#include "testmodel.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

#include <optional>

using namespace varn;
using namespace varn::generate;
using namespace varn::generate::test;

namespace {

const QString kAppDb = QStringLiteral("appdb");
const QString kWorkspace = QStringLiteral("worked-examples");
const QString kSystem = QStringLiteral("ESD");

} // namespace

class WorkedExamplesOutputTest : public QObject
{
    Q_OBJECT

    std::optional<FreshWorkspace> m_workspace;
    int m_entities = 0;

    Result<GeneratedFiles> generate(GeneratorKind kind, bool verbose = false)
    {
        return ModelGenerator::generate(
            kind, kWorkspace,
            {m_workspace->folderPath() + QStringLiteral("/User Files/"), kSystem, verbose});
    }

private slots:
    void initTestCase()
    {
        StoreTestSupport::initResources();
        QVERIFY(WorkedExamples::openApplicationDatabase(kAppDb));
        QVERIFY(m_workspace.emplace(kWorkspace).isOpen());
        QVERIFY(WorkedExamples::saveAll(kAppDb, m_workspace->records(), kSystem) > 0);
        m_entities =
            StoreTestSupport::scalar(kWorkspace, QStringLiteral("SELECT COUNT(*) FROM OM_ENTITY"))
                .toInt();
        QVERIFY(m_entities > 100);
    }

    void cleanupTestCase()
    {
        m_workspace.reset();
        StoreTestSupport::closeDatabase(kAppDb);
    }

    // Every CREATE TABLE and ADD COLUMN statement runs, with the key clause
    // moved behind the columns as SQLite requires; one table per entity.
    void sqlTableStatementsRunInSqlite()
    {
        const Result<GeneratedFiles> result = generate(GeneratorKind::Sql);
        QVERIFY2(result.isOk(), qPrintable(result.outcome().message()));
        QCOMPARE(result->files.size(), 2);
        QFile module(QDir(result->folder).filePath(result->files.first()));
        QVERIFY(module.open(QIODevice::ReadOnly));

        ScratchSqlite sqlite;
        const QString failure =
            sqlite.runTableStatements(QString::fromUtf8(module.readAll()), true);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QCOMPARE(sqlite.database().tables().size(), m_entities);
        QVERIFY(sqlite.database().record(QStringLiteral("Airfield")).count() > 1);
    }

    // The plain schema beside the module runs as it is: every table, with
    // foreign keys enforced.
    void schemaRunsInSqlite()
    {
        const Result<GeneratedFiles> result = generate(GeneratorKind::Sql);
        QVERIFY2(result.isOk(), qPrintable(result.outcome().message()));
        QCOMPARE(result->files.size(), 2);
        ScratchSqlite sqlite;
        const QString failure =
            sqlite.runScript(readText(QDir(result->folder).filePath(result->files.last())));
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QCOMPARE(sqlite.database().tables().size(), m_entities);
        QSqlQuery references(sqlite.database());
        QVERIFY(references.exec(QStringLiteral(
            "SELECT COUNT(*) FROM sqlite_master m, pragma_foreign_key_list(m.name)")));
        QVERIFY(references.next());
        QVERIFY(references.value(0).toInt() > m_entities / 2);
    }

    void headersCompile_data()
    {
        QTest::addColumn<bool>("verbose");
        QTest::newRow("verbose") << true;
        QTest::newRow("plain") << false;
    }

    void headersCompile()
    {
        QFETCH(bool, verbose);
        const QString compiler = cppCompiler();
        if (compiler.isEmpty())
            QSKIP("No C++ compiler (c++, g++ or clang++) on PATH.");
        const Result<GeneratedFiles> result = generate(GeneratorKind::Cpp, verbose);
        QVERIFY2(result.isOk(), qPrintable(result.outcome().message()));
        QCOMPARE(result->files.size(), m_entities);
        const QString alone = headerComplaints(compiler, result->folder, result->files);
        QVERIFY2(alone.isEmpty(), qPrintable(alone));
        const QString together = togetherComplaints(compiler, result->folder, result->files);
        QVERIFY2(together.isEmpty(), qPrintable(together));
    }

    void javaClassesCompileTogether()
    {
        const QString javac = javaCompiler();
        if (javac.isEmpty())
            QSKIP(kNoJavac);
        const Result<GeneratedFiles> result = generate(GeneratorKind::Java);
        QVERIFY2(result.isOk(), qPrintable(result.outcome().message()));
        QCOMPARE(result->files.size(), m_entities);
        QTemporaryDir classes;
        const ToolRun run = compileClasses(javac, result->folder, result->files, classes.path());
        QVERIFY(run.started);
        QVERIFY2(run.exitCode == 0, qPrintable(run.output.left(4000)));
        for (const QString &file : result->files)
            QVERIFY2(QFile::exists(classes.filePath(QFileInfo(file).completeBaseName() +
                                                    QStringLiteral(".class"))),
                     qPrintable(file));
    }
};

QTEST_GUILESS_MAIN(WorkedExamplesOutputTest)
#include "tst_workedexamplesoutput.moc"
