// The three generators' output for a workspace holding every worked example,
// given to the real tools: SQLite runs the module's table statements, the C++
// compiler checks each header on its own and javac compiles the classes.
//
// The output is written as specified, and for some names the examples derive
// it cannot compile. Every failure must have one of the known causes below,
// and the number of files per cause is recorded, so that a change in the
// generators or in the examples shows here.

#include "generate/modelgenerator.h"
#include "outputtools.h"
#include "support/freshworkspace.h"
#include "support/storetestsupport.h"
#include "support/workedexamples.h"

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

// A known cause of a failed compile, told by the tool's diagnostic.
struct KnownCause
{
    const char *name;
    QRegularExpression diagnostic;
};

const QList<KnownCause> &cppCauses()
{
    static const QList<KnownCause> causes = {
        // No include guards: pointer partners include each other forever.
        {"include cycle", QRegularExpression(QStringLiteral("#include nested depth \\d+ exceeds"))},
        // "int getX()" derived from a requirement beside the "long getX()" accessor.
        {"derived method beside accessor",
         QRegularExpression(QStringLiteral("cannot be overloaded with"))},
        // No include guards: a class reached through two includes.
        {"class defined twice", QRegularExpression(QStringLiteral("redefinition of .class "))},
        // A hyphenated attribute such as "flash-rate".
        {"name not an identifier",
         QRegularExpression(QStringLiteral("expected .;. at end of member declaration|"
                                           "use of enum .\\w+. without previous declaration"))},
    };
    return causes;
}

const QList<KnownCause> &javaCauses()
{
    static const QList<KnownCause> causes = {
        // A hyphenated attribute; javac stops at such files before checking any other.
        {"name not an identifier",
         QRegularExpression(QStringLiteral("expected|illegal start|reached end of file"))},
        {"derived method beside accessor",
         QRegularExpression(QStringLiteral("^method \\w+\\(\\) is already defined in class"))},
        // "*pEngine" and "&rEngine" in one class both become the field "engine".
        {"pointer and part to one class",
         QRegularExpression(QStringLiteral("^variable \\w+ is already defined in class"))},
        // Uses a class whose file does not parse (left out of the second run).
        {"uses a class that does not parse",
         QRegularExpression(QStringLiteral("^cannot find symbol"))},
    };
    return causes;
}

// Files per outcome: how many compile and how many fail for each cause.
class Tally
{
public:
    explicit Tally(const QList<KnownCause> &causes) : m_causes(causes) {}

    void compiled() { ++m_compiled; }
    // Counts a failed file under the cause its first diagnostic names;
    // returns false when no known cause does.
    bool failed(const QString &diagnostic)
    {
        for (const KnownCause &cause : m_causes) {
            if (cause.diagnostic.match(diagnostic).hasMatch()) {
                ++m_failed[QLatin1String(cause.name)];
                return true;
            }
        }
        return false;
    }

    // "compiles 163, include cycle 40, ..." with causes in table order.
    QString summary() const
    {
        QStringList parts{QStringLiteral("compiles %1").arg(m_compiled)};
        for (const KnownCause &cause : m_causes)
            parts.append(QStringLiteral("%1 %2")
                             .arg(QLatin1String(cause.name))
                             .arg(m_failed.value(QLatin1String(cause.name))));
        return parts.join(QStringLiteral(", "));
    }

private:
    const QList<KnownCause> &m_causes;
    int m_compiled = 0;
    QHash<QString, int> m_failed;
};

QString firstError(const QString &compilerOutput)
{
    static const QRegularExpression error(QStringLiteral("error: (.*)"));
    return error.match(compilerOutput).captured(1);
}

// javac's errors grouped by file name, each file's in the order reported.
// A "cannot find symbol" error carries the symbol's line with it.
QMap<QString, QStringList> javacErrorsByFile(const QString &output)
{
    static const QRegularExpression error(
        QStringLiteral("([^/\\s]+\\.java):\\d+: error: (.*)(?:\\n.*\\n.*\\n\\s*(symbol:.*))?"));
    QMap<QString, QStringList> errors;
    for (auto it = error.globalMatch(output); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        errors[match.captured(1)].append(match.captured(2) + QLatin1Char(' ') + match.captured(3));
    }
    return errors;
}

} // namespace

class WorkedExamplesOutputTest : public QObject
{
    Q_OBJECT

    std::optional<FreshWorkspace> m_workspace;
    int m_entities = 0;

    Result<GeneratedFiles> generate(GeneratorKind kind, bool verbose = false)
    {
        return ModelGenerator::generate(
            kind, QSqlDatabase::database(kWorkspace),
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
        QCOMPARE(result->files.size(), 1);
        QFile module(QDir(result->folder).filePath(result->files.first()));
        QVERIFY(module.open(QIODevice::ReadOnly));

        ScratchSqlite sqlite;
        const QString failure =
            sqlite.runTableStatements(QString::fromUtf8(module.readAll()), true);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QCOMPARE(sqlite.database().tables().size(), m_entities);
        QVERIFY(sqlite.database().record(QStringLiteral("Airfield")).count() > 1);
    }

    void headersCompileOrFailForAKnownCause_data()
    {
        QTest::addColumn<bool>("verbose");
        QTest::addColumn<QString>("expected");
        QTest::newRow("verbose") << true
                                 << QStringLiteral(
                                        "compiles 141, include cycle 39, derived method beside "
                                        "accessor 37, class defined twice 8, name not an "
                                        "identifier 6");
        QTest::newRow("plain") << false
                               << QStringLiteral(
                                      "compiles 163, include cycle 39, derived method beside "
                                      "accessor 14, class defined twice 9, name not an "
                                      "identifier 6");
    }

    void headersCompileOrFailForAKnownCause()
    {
        QFETCH(bool, verbose);
        QFETCH(QString, expected);
        const QString compiler = cppCompiler();
        if (compiler.isEmpty())
            QSKIP("No C++ compiler (c++, g++ or clang++) on PATH.");
        // The causes are told by GCC's wording, and the count per cause by
        // the first error GCC meets in each header.
        if (!runTool(compiler, {QStringLiteral("--version")})
                 .output.contains(QLatin1String("Free Software Foundation")))
            QSKIP("The recorded diagnostics are GCC's; the C++ compiler on PATH is another.");
        const Result<GeneratedFiles> result = generate(GeneratorKind::Cpp, verbose);
        QVERIFY2(result.isOk(), qPrintable(result.outcome().message()));
        QCOMPARE(result->files.size(), m_entities);

        const QList<ToolRun> runs = compileHeaders(compiler, result->folder, result->files);
        Tally tally(cppCauses());
        for (qsizetype i = 0; i < runs.size(); ++i) {
            QVERIFY(runs.at(i).started);
            if (runs.at(i).exitCode == 0)
                tally.compiled();
            else
                QVERIFY2(tally.failed(firstError(runs.at(i).output)),
                         qPrintable(result->files.at(i) +
                                    QStringLiteral(" fails for a cause not "
                                                   "known:\n") +
                                    runs.at(i).output.left(1000)));
        }
        QCOMPARE(tally.summary(), expected);
    }

    // javac stops at the first file that does not parse, before it checks any
    // other; so the files that parse are compiled again without those.
    void javaClassesCompileOrFailForAKnownCause()
    {
        const QString javac = javaCompiler();
        if (javac.isEmpty())
            QSKIP(kNoJavac);
        const Result<GeneratedFiles> result = generate(GeneratorKind::Java);
        QVERIFY2(result.isOk(), qPrintable(result.outcome().message()));
        QCOMPARE(result->files.size(), m_entities);

        QTemporaryDir classes;
        const ToolRun parse = compileClasses(javac, result->folder, result->files, classes.path());
        QVERIFY(parse.started);
        const QMap<QString, QStringList> unparsed = javacErrorsByFile(parse.output);

        QStringList parsed = result->files;
        for (const QString &file : unparsed.keys())
            parsed.removeOne(file);
        QTemporaryDir noSources;
        const ToolRun check =
            compileClasses(javac, result->folder, parsed, classes.path(), noSources.path());
        QVERIFY(check.started);
        const QMap<QString, QStringList> rejected = javacErrorsByFile(check.output);

        Tally tally(javaCauses());
        for (const QString &file : result->files) {
            const QStringList errors = unparsed.value(file, rejected.value(file));
            if (errors.isEmpty()) {
                tally.compiled();
                continue;
            }
            if (errors.first().startsWith(QLatin1String("cannot find symbol")))
                QVERIFY2(std::any_of(unparsed.keyBegin(), unparsed.keyEnd(),
                                     [&](const QString &unparsedFile) {
                                         return errors.first().endsWith(
                                             QStringLiteral(" class ") +
                                             QFileInfo(unparsedFile).completeBaseName());
                                     }),
                         qPrintable(file + QLatin1Char('\n') + errors.first()));
            QVERIFY2(tally.failed(errors.first()),
                     qPrintable(file + QStringLiteral(" fails for a cause not known:\n") +
                                errors.join(QLatin1Char('\n'))));
        }
        QCOMPARE(tally.summary(),
                 QStringLiteral("compiles 194, name not an identifier 2, derived method beside "
                                "accessor 31, pointer and part to one class 2, uses a class that "
                                "does not parse 2"));
    }
};

QTEST_GUILESS_MAIN(WorkedExamplesOutputTest)
#include "tst_workedexamplesoutput.moc"
