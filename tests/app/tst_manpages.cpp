// The manual pages varn(1) and varn-cli(1) as `man` shows them: without a
// formatter's warning, naming the version the programs print, and in step
// with what `varn-cli --help` and `varn --help` list.
#include "clihelp.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

namespace {

const QString kVersion = QStringLiteral(VARN_PROJECT_VERSION);

QString pagePath(const QString &page)
{
    return QStringLiteral(VARN_MAN_DIR "/") + page + QStringLiteral(".1");
}

struct Rendered
{
    QString text;
    QString warnings;
};

// The page as man formats it for a wide terminal, in plain text with ASCII
// hyphens; groff's warnings are asked for, as lintian asks for them.
Rendered render(const QString &page)
{
    QProcess man;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("MANWIDTH"), QStringLiteral("160"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    environment.remove(QStringLiteral("MAN_KEEP_FORMATTING"));
    man.setProcessEnvironment(environment);
    man.start(QStringLiteral("man"),
              {QStringLiteral("--warnings"), QStringLiteral("-E"), QStringLiteral("UTF-8"),
               QStringLiteral("-P"), QStringLiteral("cat"), QStringLiteral("-l"), pagePath(page)});
    if (!man.waitForFinished(60000))
        return {QString(), QStringLiteral("man did not finish")};
    QString text = QString::fromUtf8(man.readAllStandardOutput());
    text.replace(QChar(0x2212), QLatin1Char('-')).replace(QChar(0x2010), QLatin1Char('-'));
    return {text, QString::fromUtf8(man.readAllStandardError())};
}

// The lines of one section (from its heading to the next one).
QString section(const QString &text, const QString &heading)
{
    const qsizetype start = text.indexOf(QLatin1Char('\n') + heading + QLatin1Char('\n'));
    if (start < 0)
        return {};
    static const QRegularExpression nextHeading(QStringLiteral("\n[A-Z][A-Z ]+\n"));
    const qsizetype end = text.indexOf(nextHeading, start + heading.size() + 2);
    return text.mid(start, end < 0 ? -1 : end - start);
}

// An entry of a tagged list: its tag starts a line at the tag indent.
bool hasEntry(const QString &text, const QString &tag)
{
    const QRegularExpression entry(QStringLiteral("\n {7}") + QRegularExpression::escape(tag) +
                                   QStringLiteral("( |\n)"));
    return entry.match(text).hasMatch();
}

QString runProgram(const QString &program, const QStringList &arguments, bool withoutDisplay)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (withoutDisplay) {
        for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(QString::fromLatin1(name));
    }
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("failed: ") + QString::fromUtf8(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString desktopProgram()
{
    return QStringLiteral(VARN_BINARY_DIR "/bin/varn");
}

} // namespace

class ManPagesTest : public QObject
{
    Q_OBJECT

    QString m_cliPage;
    QString m_desktopPage;

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("man")).isEmpty())
            QSKIP("man is not installed (tools/setup.sh installs man-db)");
        m_cliPage = render(QStringLiteral("varn-cli")).text;
        m_desktopPage = render(QStringLiteral("varn")).text;
    }

    // Formatted without a warning, and footed with the project's version.
    void pageFormatsCleanly_data()
    {
        QTest::addColumn<QString>("page");
        QTest::newRow("varn(1)") << "varn";
        QTest::newRow("varn-cli(1)") << "varn-cli";
    }

    void pageFormatsCleanly()
    {
        QFETCH(QString, page);
        const Rendered rendered = render(page);
        QCOMPARE(rendered.warnings, QString());
        QVERIFY2(rendered.text.contains(QStringLiteral("Varn SE ") + kVersion),
                 qPrintable(rendered.text.right(200)));
        QVERIFY(rendered.text.startsWith(page.toUpper() + QStringLiteral("(1)")));
    }

    // What the programs print of themselves is the project's version;
    // varn answers without a display.
    void programsPrintTheVersion()
    {
        QCOMPARE(runProgram(qEnvironmentVariable("VARN_CLI"), {QStringLiteral("--version")}, true),
                 QStringLiteral("varn-cli (Varn SE) %1\n").arg(kVersion));
        QCOMPARE(runProgram(desktopProgram(), {QStringLiteral("--version")}, true),
                 QStringLiteral("Varn SE %1\n").arg(kVersion));
    }

    // Every command of `varn-cli --help` has its entry, and every option
    // of its synopsis is described.
    void everyCommandOfHelp_data()
    {
        QVERIFY2(addRowPerHelpedCommand(), "varn-cli --help lists no command");
    }

    void everyCommandOfHelp()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, options);
        const QString commands = section(m_cliPage, QStringLiteral("COMMANDS"));
        QVERIFY2(hasEntry(commands, command), qPrintable(command));
        for (const QString &option : options)
            QVERIFY2(m_cliPage.contains(option), qPrintable(option));
    }

    // Every option `varn --help` lists.
    void everyOptionOfTheDesktopProgram()
    {
        const QString help = runProgram(desktopProgram(), {QStringLiteral("--help")}, true);
        static const QRegularExpression option(QStringLiteral("^  (-[-a-z, ]+?)\\s{2,}"),
                                               QRegularExpression::MultilineOption);
        int found = 0;
        const QString options = section(m_desktopPage, QStringLiteral("OPTIONS"));
        for (const QRegularExpressionMatch &match : option.globalMatch(help)) {
            QVERIFY2(hasEntry(options, match.captured(1)), qPrintable(match.captured(1)));
            ++found;
        }
        QVERIFY2(found >= 2, qPrintable(help));
    }

    void sectionsHoldTheirEntries_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("tag");
        for (const char *page : {"varn", "varn-cli"}) {
            auto row = [&](const char *tag) {
                return &QTest::newRow(qPrintable(
                    QStringLiteral("%1: %2").arg(QLatin1String(page), QLatin1String(tag))));
            };
            *row("VARN_SE_CONFIG") << page << "ENVIRONMENT"
                                   << "VARN_SE_CONFIG";
            *row("ODBCINI") << page << "ENVIRONMENT"
                            << "ODBCINI";
            *row("settings") << page << "FILES"
                             << "~/.config/Varn Systems/Varn SE.ini";
            *row("data sources") << page << "FILES"
                                 << "~/.odbc.ini";
            *row("application database") << page << "FILES"
                                         << "/usr/share/varn-se/AppDB.mdb";
            *row("examples") << page << "EXAMPLES"
                             << (QByteArray(page) == "varn" ? "varn" : "$ varn-cli new");
        }
        for (const char *status : {"0", "1", "2", "3"}) {
            QTest::newRow(
                qPrintable(QStringLiteral("varn-cli: exit status %1").arg(QLatin1String(status))))
                << "varn-cli"
                << "EXIT STATUS" << status;
        }
    }

    void sectionsHoldTheirEntries()
    {
        QFETCH(QString, page);
        QFETCH(QString, heading);
        QFETCH(QString, tag);
        const QString text =
            section(page == QLatin1String("varn") ? m_desktopPage : m_cliPage, heading);
        QVERIFY2(!text.isEmpty(), qPrintable(heading));
        if (heading == QLatin1String("EXAMPLES"))
            QVERIFY2(text.contains(tag), qPrintable(text));
        else
            QVERIFY2(hasEntry(text, tag), qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(ManPagesTest)
#include "tst_manpages.moc"
