// Tab in bash: the completion script the package installs, run by bash as
// it runs on a key press, in a folder of workspace and interchange files;
// once with the bash-completion package loaded (what a desktop has) and
// once without it.
#include "clihelp.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kScript = QStringLiteral(VARN_TEST_DATA_DIR "/../../data/completion/varn-cli.bash");
const QString kBashCompletion = QStringLiteral("/usr/share/bash-completion/bash_completion");

// Sets the words up as bash does before it calls the function the script
// registered for the program, and prints what it offers, one a line.
const char *const kDriver = R"(
script=$1 library=$2
shift 2
[ -n "$library" ] && . "$library"
. "$script"
COMP_WORDS=("$@")
COMP_CWORD=$(($# - 1))
COMP_LINE="$*"
COMP_POINT=${#COMP_LINE}
function=$(complete -p "$1" | sed -E 's/.* -F ([^ ]+) .*/\1/')
"$function" "$1" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
[ ${#COMPREPLY[@]} -gt 0 ] && printf '%s\n' "${COMPREPLY[@]}"
exit 0
)";

QStringList numbers(int from, int to)
{
    QStringList listed;
    for (int n = from; n <= to; ++n)
        listed << QString::number(n);
    return listed;
}

} // namespace

class ShellCompletionTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;

    // What Tab offers after the words (the last one is the word being
    // completed), sorted.
    QStringList offered(const QStringList &words, bool withLibrary)
    {
        QProcess bash;
        bash.setWorkingDirectory(m_folder.path());
        bash.start(QStringLiteral("bash"),
                   QStringList{QStringLiteral("-c"), QString::fromLatin1(kDriver),
                               QStringLiteral("driver"), kScript,
                               withLibrary ? kBashCompletion : QString()} +
                       words);
        if (!bash.waitForFinished(30000) || bash.exitCode() != 0)
            return {QStringLiteral("bash failed: ") +
                    QString::fromUtf8(bash.readAllStandardError())};
        QStringList lines = QString::fromUtf8(bash.readAllStandardOutput())
                                .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        lines.sort();
        return lines;
    }

    static QStringList sorted(QStringList list)
    {
        list.sort();
        return list;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QFile::exists(kScript));
        QVERIFY(QDir(m_folder.path()).mkdir(QStringLiteral("My Systems")));
        for (const char *name : {"esd.vnp", "Tower.VNP", "notes.txt", "esd.reqif",
                                 "supplier.reqifz", "esd.csv", "esd.xlsx"}) {
            QFile file(m_folder.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
    }

    // The first word: every command --help lists, and nothing it does not.
    void commandsAreThoseOfHelp()
    {
        const QList<HelpedCommand> commands = commandsOfHelp();
        QVERIFY(commands.size() > 20);
        QStringList expected{QStringLiteral("--help"), QStringLiteral("--version")};
        for (const HelpedCommand &command : commands)
            expected << command.name;
        QCOMPARE(offered({QStringLiteral("varn-cli"), QString()}, false), sorted(expected));
    }

    // After a command, "--" offers at least the options its synopsis names.
    void optionsAreThoseOfHelp_data()
    {
        QVERIFY2(addRowPerHelpedCommand(), "varn-cli --help lists no command");
    }

    void optionsAreThoseOfHelp()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, options);
        const QStringList offers =
            offered({QStringLiteral("varn-cli"), command, QStringLiteral("--")}, false);
        for (const QString &option : options)
            QVERIFY2(offers.contains(option), qPrintable(option + QStringLiteral(" missing: ") +
                                                         offers.join(QLatin1Char(' '))));
    }

    void offers_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<bool>("withLibrary");
        QTest::addColumn<QStringList>("expected");

        const QStringList workspaces{"My Systems", "Tower.VNP", "esd.vnp"};
        for (const bool library : {true, false}) {
            const char *const with = library ? " (bash-completion)" : " (plain bash)";
            auto row = [&](const char *name) {
                return &QTest::newRow(qPrintable(QLatin1String(name) + QLatin1String(with)));
            };
            *row("workspace files and folders")
                << QStringList{"varn-cli", "add", "--workspace", ""} << library << workspaces;
            *row("workspace in a folder") << QStringList{"varn-cli", "list", "--workspace", "My"}
                                          << library << QStringList{"My Systems"};
            *row("ReqIF files to import")
                << QStringList{"varn-cli", "import", "reqif", "--input", ""} << library
                << QStringList{"My Systems", "esd.reqif", "supplier.reqifz"};
            *row("CSV files to import") << QStringList{"varn-cli", "import", "csv", "--input", ""}
                                        << library << QStringList{"My Systems", "esd.csv"};
            *row("spreadsheets to import")
                << QStringList{"varn-cli", "import", "xlsx", "--input", ""} << library
                << QStringList{"My Systems", "esd.xlsx"};
            *row("any file to export to")
                << QStringList{"varn-cli", "export", "html", "--output", "e"} << library
                << QStringList{"esd.csv", "esd.reqif", "esd.vnp", "esd.xlsx"};
            *row("varn opens workspaces") << QStringList{"varn", ""} << library << workspaces;
            *row("varn's options") << QStringList{"varn", "--"} << library
                                   << QStringList{"--help", "--help-all", "--version"};
            *row("template numbers")
                << QStringList{"varn-cli", "add", "--template", ""} << library << numbers(1, 22);
        }

        auto row = [](const char *name) { return &QTest::newRow(name); };
        *row("list's templates, 0 the Builder")
            << QStringList{"varn-cli", "list", "--template", ""} << false << numbers(0, 22);
        *row("navigators' templates") << QStringList{"varn-cli", "templates", "--number", "2"}
                                      << false << QStringList{"2", "20", "21", "22"};
        *row("a requirement's number is the user's")
            << QStringList{"varn-cli", "show", "--number", ""} << false << QStringList{};
        *row("free text is the user's")
            << QStringList{"varn-cli", "tech", "--text", ""} << true << QStringList{};
        *row("preambles") << QStringList{"varn-cli", "build", "--preamble", ""} << false
                          << numbers(0, 6);
        *row("priorities") << QStringList{"varn-cli", "tech", "--priority", ""} << false
                           << numbers(1, 9);
        *row("releases") << QStringList{"varn-cli", "attributes", "--release", ""} << false
                         << numbers(1, 9);
        *row("list formats") << QStringList{"varn-cli", "list", "--format", ""} << true
                             << QStringList{"csv", "json", "table"};
        *row("requirement kinds") << QStringList{"varn-cli", "list", "--type", "s"} << false
                                  << QStringList{"structural", "suspect"};
        *row("comparison formats") << QStringList{"varn-cli", "diff", "--format", ""} << false
                                   << QStringList{"html", "json", "text"};
        *row("baseline actions") << QStringList{"varn-cli", "baseline", ""} << false
                                 << QStringList{"create", "delete", "list"};
        *row("model languages") << QStringList{"varn-cli", "model",      "class",
                                               "Truck",    "--language", ""}
                                << false << QStringList{"cpp", "java"};
        *row("export formats") << QStringList{"varn-cli", "export", ""} << true
                               << QStringList{"csv", "html", "odt", "reqif", "xlsx"};
        *row("import formats") << QStringList{"varn-cli", "import", ""} << false
                               << QStringList{"csv", "reqif", "xlsx"};
        *row("generated languages") << QStringList{"varn-cli", "generate", ""} << false
                                    << QStringList{"cpp", "java", "sql"};
        *row("model views") << QStringList{"varn-cli", "model", "c"} << false
                            << QStringList{"class", "classes"};
        *row("options after the format") << QStringList{"varn-cli", "export", "reqif", ""} << false
                                         << QStringList{"--all", "--output", "--workspace"};
        *row("an option given once is not offered again")
            << QStringList{"varn-cli", "list", "--workspace", "esd.vnp", "--desc", "--"} << false
            << QStringList{"--entity",   "--format", "--number", "--paragraph", "--sort",
                           "--template", "--text",   "--type",   "--version"};
        *row("repeatable options are offered again")
            << QStringList{"varn-cli", "depend", "--dependent", "2", "--parent", "1", "--"} << false
            << QStringList{"--clear", "--dependent", "--workspace"};
        *row("attribute definition fields")
            << QStringList{"varn-cli", "add", "--template", "19", "--field", ""} << true
            << QStringList{"Article=", "Attribute=",  "DataType=", "Default=",
                           "Entity=",  "StateValue=", "Type=",     "ValueGroup="};
        *row("message definition fields")
            << QStringList{"varn-cli", "add", "--template", "22", "--field", "F"} << false
            << QStringList{"Field=", "From="};
        *row("functional fields are counted, not named")
            << QStringList{"varn-cli", "add", "--template", "9", "--field", ""} << false
            << QStringList{};
        *row("builder terms by list name") << QStringList{"varn-cli", "build", "--term", "t"}
                                           << true << QStringList{"t=", "temporal=", "transition="};
        *row("sort columns, quoted where they hold a blank")
            << QStringList{"varn-cli", "list", "--sort", "D"} << true
            << QStringList{"Date\\ Saved"};
    }

    void offers()
    {
        QFETCH(QStringList, words);
        QFETCH(bool, withLibrary);
        QFETCH(QStringList, expected);
        if (withLibrary && !QFile::exists(kBashCompletion))
            QSKIP("bash-completion is not installed (tools/setup.sh installs it)");
        QCOMPARE(offered(words, withLibrary), sorted(expected));
    }
};

QTEST_GUILESS_MAIN(ShellCompletionTest)
#include "tst_shellcompletion.moc"
