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

// The flags users are promised their generated headers compile with.
inline QStringList headerCheckFlags(const QString &folder)
{
    return {QStringLiteral("-std=c++17"),
            QStringLiteral("-fsyntax-only"),
            QStringLiteral("-Wall"),
            QStringLiteral("-x"),
            QStringLiteral("c++"),
            QStringLiteral("-I"),
            folder};
}

// What the compiler says about a run that failed; empty when it compiled.
// Warnings do not count: the plain form of a class with a part declares a
// reference member and no constructor, as specified, which -Wall mentions.
inline QString complaints(const ToolRun &run)
{
    if (!run.started)
        return QStringLiteral("the compiler did not start");
    return run.exitCode != 0 ? run.output.left(4000) : QString();
}

// Checks every header as a translation unit of its own. The compiler takes
// each input file as a unit of its own, so one run checks a batch of them;
// as many runs go at once as the machine has cores. Returns the complaints
// of every run that was not clean.
inline QString headerComplaints(const QString &compiler, const QString &folder,
                                const QStringList &headers)
{
    constexpr qsizetype kBatch = 40;
    const qsizetype parallel = qMax(1, QThread::idealThreadCount());
    QString found;
    std::deque<std::unique_ptr<QProcess>> running;
    const auto finishOne = [&] {
        found += complaints(finishTool(*running.front()));
        running.pop_front();
    };
    for (qsizetype from = 0; from < headers.size(); from += kBatch) {
        if (qsizetype(running.size()) == parallel)
            finishOne();
        QStringList arguments = headerCheckFlags(folder);
        for (const QString &header : headers.mid(from, kBatch))
            arguments.append(QDir(folder).filePath(header));
        running.push_back(startTool(compiler, arguments));
    }
    while (!running.empty())
        finishOne();
    return found;
}

// Checks all headers together: one translation unit that includes every one.
inline QString togetherComplaints(const QString &compiler, const QString &folder,
                                  const QStringList &headers)
{
    QTemporaryDir unitFolder;
    QFile unit(unitFolder.filePath(QStringLiteral("all.cpp")));
    if (!unit.open(QIODevice::WriteOnly))
        return unit.errorString();
    for (const QString &header : headers)
        unit.write("#include \"" + header.toUtf8() + "\"\n");
    unit.close();
    QStringList arguments = headerCheckFlags(folder);
    arguments.append(unit.fileName());
    return complaints(runTool(compiler, arguments));
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

    // Runs a script of statements that each end a line with ";", foreign
    // keys enforced. Returns the first failure.
    QString runScript(const QString &script)
    {
        QSqlQuery query(database());
        query.exec(QStringLiteral("PRAGMA foreign_keys = ON"));
        for (QString statement : script.split(QStringLiteral(";\n"), Qt::SkipEmptyParts)) {
            while (statement.startsWith(QLatin1String("--")) || statement.startsWith(u'\n'))
                statement = statement.mid(statement.indexOf(u'\n') + 1);
            if (statement.trimmed().isEmpty())
                continue;
            if (!query.exec(statement))
                return statement + QLatin1Char('\n') + query.lastError().text();
            ++m_statements;
        }
        return QString();
    }

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
