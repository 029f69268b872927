#pragma once

// The real tools that generated output is given to: the system's C++
// compiler, javac, and SQLite through Qt's driver. Header only, shared by the
// generator suites.

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <deque>
#include <memory>

namespace varn::generate::test {

// A program's run to its end: its exit code and merged output.
struct ToolRun
{
    bool started = false;
    int exitCode = -1;
    QString output;
};

inline std::unique_ptr<QProcess> startTool(const QString &program, const QStringList &arguments,
                                           const QString &workingDirectory = {})
{
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::MergedChannels);
    if (!workingDirectory.isEmpty())
        process->setWorkingDirectory(workingDirectory);
    process->start(program, arguments);
    return process;
}

inline ToolRun finishTool(QProcess &process)
{
    ToolRun run;
    run.started = process.waitForStarted();
    if (!run.started)
        return run;
    process.waitForFinished(120000);
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.output = QString::fromLocal8Bit(process.readAll());
    return run;
}

inline ToolRun runTool(const QString &program, const QStringList &arguments,
                       const QString &workingDirectory = {})
{
    return finishTool(*startTool(program, arguments, workingDirectory));
}

// The C++ compiler, or an empty string when the machine has none.
inline QString cppCompiler()
{
    for (const char *name : {"c++", "g++", "clang++"}) {
        const QString found = QStandardPaths::findExecutable(QLatin1String(name));
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

// Checks one header on its own. Headers that include each other without
// guards recurse until the include depth runs out; a small depth lets such a
// header fail quickly instead of after hundreds of nested includes.
inline QStringList headerCheckArguments(const QString &folder, const QString &header)
{
    return {QStringLiteral("-fsyntax-only"),
            QStringLiteral("-fmax-include-depth=24"),
            QStringLiteral("-x"),
            QStringLiteral("c++"),
            QStringLiteral("-I"),
            folder,
            QDir(folder).filePath(header)};
}

inline ToolRun compileHeader(const QString &compiler, const QString &folder, const QString &header)
{
    return runTool(compiler, headerCheckArguments(folder, header));
}

// Checks many headers, each on its own, with as many compilers running at
// once as the machine has cores. The runs come back in the order given.
inline QList<ToolRun> compileHeaders(const QString &compiler, const QString &folder,
                                     const QStringList &headers)
{
    const qsizetype parallel = qMax(1, QThread::idealThreadCount());
    QList<ToolRun> runs;
    std::deque<std::unique_ptr<QProcess>> running;
    for (const QString &header : headers) {
        if (qsizetype(running.size()) == parallel) {
            runs.append(finishTool(*running.front()));
            running.pop_front();
        }
        running.push_back(startTool(compiler, headerCheckArguments(folder, header)));
    }
    for (const std::unique_ptr<QProcess> &process : running)
        runs.append(finishTool(*process));
    return runs;
}

inline QString javaCompiler()
{
    return QStandardPaths::findExecutable(QStringLiteral("javac"));
}

inline constexpr const char *kNoJavac =
    "javac is not on PATH; install a JDK (Debian: default-jdk-headless) to run this.";

// Compiles the given .java files of a folder in one run, writing the classes
// to another folder. Classes the files use are looked up in sourcePath when
// one is given, else among the folder's own sources.
inline ToolRun compileClasses(const QString &javac, const QString &folder, const QStringList &files,
                              const QString &classes, const QString &sourcePath = {})
{
    // A quicker start of the compiler's own virtual machine for small inputs.
    QStringList arguments = {QStringLiteral("-J-XX:TieredStopAtLevel=1"),
                             QStringLiteral("-J-XX:+UseSerialGC"),
                             QStringLiteral("-Xmaxerrs"),
                             QStringLiteral("10000"),
                             QStringLiteral("-nowarn"),
                             QStringLiteral("-d"),
                             classes,
                             QStringLiteral("-sourcepath"),
                             sourcePath.isEmpty() ? folder : sourcePath};
    for (const QString &file : files)
        arguments.append(QDir(folder).filePath(file));
    return runTool(javac, arguments);
}

inline QStringList javaFiles(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.java")}, QDir::Files, QDir::Name);
}

// A fresh SQLite database that an SQL module's table statements are run in.
class ScratchSqlite
{
public:
    ScratchSqlite() : m_name(QStringLiteral("sql-module-%1").arg(++s_count))
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        database.setDatabaseName(m_dir.filePath(QStringLiteral("module.db")));
        if (database.open())
            QSqlQuery(database).exec(QStringLiteral("PRAGMA synchronous = OFF"));
    }
    ~ScratchSqlite() { QSqlDatabase::removeDatabase(m_name); }
    ScratchSqlite(const ScratchSqlite &) = delete;
    ScratchSqlite &operator=(const ScratchSqlite &) = delete;

    QSqlDatabase database() const { return QSqlDatabase::database(m_name, false); }

    // Runs the module's CREATE TABLE and ADD COLUMN statements, taken out of
    // their module lines; ADD CONSTRAINT is left out, as SQLite cannot add a
    // constraint to an existing table. Returns the first failure.
    QString runTableStatements(const QString &module, bool keyClauseLast)
    {
        static const QRegularExpression statementLine(QStringLiteral("^  strSQL = \"(.*?)\"?$"));
        QSqlQuery query(database());
        for (const QString &line : module.split(QLatin1Char('\n'))) {
            const QRegularExpressionMatch match = statementLine.match(line);
            if (!match.hasMatch() || match.captured(1).contains(QLatin1String(" ADD CONSTRAINT ")))
                continue;
            const QString statement =
                keyClauseLast ? keyClauseAfterColumns(match.captured(1)) : match.captured(1);
            if (!query.exec(statement))
                return statement + QLatin1Char('\n') + query.lastError().text();
            ++m_statements;
        }
        return QString();
    }
    int statements() const { return m_statements; }

private:
    // SQLite takes a table constraint only after the column definitions, so
    // the primary-key clause moves behind the columns for it.
    static QString keyClauseAfterColumns(QString statement)
    {
        static const QRegularExpression create(
            QStringLiteral("^(CREATE TABLE \\S+ \\(\\[PKID_Entity\\d+\\] long)"
                           "(, CONSTRAINT \\[PK_\\d+\\] PRIMARY KEY \\(\\[PKID_Entity\\d+\\]\\))"
                           "(.*)\\);$"));
        return statement.replace(create, QStringLiteral("\\1\\3\\2);"));
    }

    static inline int s_count = 0;
    QTemporaryDir m_dir;
    QString m_name;
    int m_statements = 0;
};

} // namespace varn::generate::test
