// varn-cli speaks its user's language: run with a translation in which every
// gathered text reads "[text]", each line it prints of its own, of the
// engine's messages, of the help and of the navigators must come out
// bracketed. A line without brackets escaped translation.
#include "support/pseudotranslation.h"
#include "support/workspaceenvironment.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

constexpr char kLanguage[] = "eo";

struct Printed
{
    int exitCode = -1;
    QStringList out;
    QStringList err;
};

QStringList linesOf(const QByteArray &bytes)
{
    QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

// The lines (of those given) that carry no bracketed part, blank ones aside.
QStringList untranslated(const QStringList &lines)
{
    QStringList escaped;
    for (const QString &line : lines) {
        if (!line.trimmed().isEmpty() && !PseudoTranslation::isTranslated(line))
            escaped.append(line);
    }
    return escaped;
}

} // namespace

class CliTranslationTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<WorkspaceEnvironment> m_environment;
    QTemporaryDir m_translations;

    // varn-cli through a shell, so that an argument may hold any bytes;
    // translated into the pseudo-language unless english.
    Printed run(const QString &arguments, bool english = false) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (!english) {
            environment.insert(QStringLiteral("VARN_SE_TRANSLATIONS"), m_translations.path());
            environment.insert(QStringLiteral("LANGUAGE"), QString::fromLatin1(kLanguage));
        }
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral("/bin/sh"),
                      {QStringLiteral("-c"), QStringLiteral("exec \"$VARN_CLI\" ") + arguments});
        if (!process.waitForFinished(30000))
            return {};
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                linesOf(process.readAllStandardOutput()), linesOf(process.readAllStandardError())};
    }

private slots:
    void initTestCase()
    {
        QVERIFY(!qEnvironmentVariableIsEmpty("VARN_CLI"));
        QVERIFY(m_translations.isValid());
        m_environment = std::make_unique<WorkspaceEnvironment>();
        m_environment->writeDefaultSettings();
        PseudoTranslation translation;
        QString error;
        QVERIFY2(translation.loadGatheredTexts(PseudoTranslation::gatheredTextsPath(), &error),
                 qPrintable(error));
        error = translation.compileByLine(m_translations.path(), QString::fromLatin1(kLanguage));
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    // The help, the program's own refusals and those of the engine it
    // passes on: every line on stderr, the exit status as in English.
    void refusalsAreTranslated_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("help") << "--help" << 0;
        QTest::newRow("no command") << "" << 2;
        QTest::newRow("unknown command") << "frobnicate" << 2;
        QTest::newRow("argument not UTF-8") << "info --workspace \"$(printf '\\377')\"" << 2;
        QTest::newRow("missing option") << "info" << 2;
        QTest::newRow("unknown option") << "tech --workspace w.vnp --text t --colour red" << 2;
        QTest::newRow("option without value") << "show --workspace" << 2;
        QTest::newRow("stray argument") << "examples --workspace w.vnp extra" << 2;
        QTest::newRow("template out of range") << "templates --number 99" << 2;
        QTest::newRow("list format") << "list --workspace w.vnp --format xml" << 2;
        QTest::newRow("list sort") << "list --workspace w.vnp --sort Colour" << 2;
        QTest::newRow("add field") << "add --workspace w.vnp --template 9 --field x=y" << 2;
        QTest::newRow("structural field")
            << "add --workspace w.vnp --template 21 --field Colour=red" << 2;
        QTest::newRow("build term") << "build --workspace w.vnp --term q" << 2;
        QTest::newRow("model view") << "model pictures --workspace w.vnp" << 2;
        QTest::newRow("generate kind") << "generate cobol --workspace w.vnp" << 2;
        QTest::newRow("import format") << "import html --workspace w.vnp --input x" << 2;
        QTest::newRow("trace") << "trace --workspace w.vnp" << 2;
        QTest::newRow("delete number") << "delete --workspace w.vnp --number one" << 2;
        QTest::newRow("check usage") << "check" << 2;
        QTest::newRow("grammar refusal") << "check kd" << 1;
        QTest::newRow("missing workspace") << "info --workspace /nonexistent/w.vnp" << 3;
        QTest::newRow("results not written") << "templates --number 1 >/dev/full" << 3;
    }

    void refusalsAreTranslated()
    {
        QFETCH(QString, arguments);
        QFETCH(int, exitCode);
        const Printed english = run(arguments, true);
        const Printed translated = run(arguments);
        QCOMPARE(translated.exitCode, exitCode);
        QCOMPARE(english.exitCode, exitCode);
        QVERIFY(!translated.err.isEmpty());
        QCOMPARE(translated.err.size(), english.err.size());
        const QStringList escaped = untranslated(translated.err);
        QVERIFY2(escaped.isEmpty(), qPrintable(escaped.join(QLatin1Char('\n'))));
    }

    // What the navigators show of a template: its item, the captions and the
    // specification; the worked examples are the application database's
    // sentences and stay as stored.
    void navigatorTextsAreTranslated()
    {
        const Printed english = run(QStringLiteral("templates --number 9"), true);
        const Printed translated = run(QStringLiteral("templates --number 9"));
        QCOMPARE(translated.exitCode, 0);
        QCOMPARE(translated.out.size(), english.out.size());
        const qsizetype examples = english.out.indexOf(QStringLiteral("  Examples:"));
        QVERIFY(examples > 0);
        const QStringList escaped = untranslated(translated.out.mid(0, examples + 1));
        QVERIFY2(escaped.isEmpty(), qPrintable(escaped.join(QLatin1Char('\n'))));
        QCOMPARE(translated.out.mid(examples + 1), english.out.mid(examples + 1));
    }

    // The user's data and machine output are never translated.
    void machineOutputStaysAsItIs()
    {
        const QString arguments = QStringLiteral("label kdewec");
        const Printed english = run(arguments, true);
        QCOMPARE(english.exitCode, 0);
        QCOMPARE(run(arguments).out, english.out);
        QCOMPARE(run(QStringLiteral("--version")).out, run(QStringLiteral("--version"), true).out);
    }
};

QTEST_GUILESS_MAIN(CliTranslationTest)
#include "tst_clitranslation.moc"
