// The Debian package this build makes: its name, control fields and files,
// what lintian and the desktop's validators say of it, and the programs it
// holds at work where it is unpacked, against its own application database.
// Skipped, naming them, where the packaging tools are missing
// (tools/setup.sh installs them).
#include "support/clirun.h"
#include "support/workspaceenvironment.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <memory>

namespace {

const QString kVersion = QStringLiteral(VARN_PROJECT_VERSION);
const QString kMetainfo = QStringLiteral("usr/share/metainfo/io.github.varnse.VarnSE.metainfo.xml");
const QString kDesktopEntry = QStringLiteral("usr/share/applications/varn-se.desktop");

struct Ran
{
    int exitCode = -1;
    QString out;
    QString err;
};

Ran run(const QString &program, const QStringList &arguments, int timeout = 240000,
        const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(timeout)) {
        process.kill();
        process.waitForFinished();
        return {-1, QString(), program + QStringLiteral(" did not finish")};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// The package names of a relation field ("libc6 (>= 2.34), a | b").
QStringList packagesOf(const QString &relations)
{
    QStringList names;
    static const QRegularExpression separator(QStringLiteral("[,|]"));
    for (const QString &relation : relations.split(separator, Qt::SkipEmptyParts))
        names << relation.trimmed().section(QLatin1Char(' '), 0, 0).section(QLatin1Char(':'), 0, 0);
    return names;
}

} // namespace

class PackageTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_work;
    QString m_package;
    QString m_architecture;
    std::unique_ptr<WorkspaceEnvironment> m_environment;

    QString root() const { return m_work.filePath(QStringLiteral("root")); }
    QString unpacked(const QString &path) const { return root() + QLatin1Char('/') + path; }

    QString field(const QString &name) const
    {
        return run(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), m_package, name})
            .out.trimmed();
    }

    // path -> "mode owner" of every file and link the package holds.
    QMap<QString, QString> listing() const
    {
        QMap<QString, QString> files;
        const Ran listed = run(QStringLiteral("dpkg-deb"), {QStringLiteral("-c"), m_package});
        for (const QString &line : listed.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QStringList parts = line.simplified().split(QLatin1Char(' '));
            if (parts.size() < 6 || parts.at(0).startsWith(QLatin1Char('d')))
                continue;
            QString path = parts.at(5);
            files.insert(path.remove(0, 2), parts.at(0) + QLatin1Char(' ') + parts.at(1));
        }
        return files;
    }

private slots:
    void initTestCase()
    {
        QStringList missing;
        for (const char *tool : {"dpkg", "dpkg-deb", "dpkg-shlibdeps", "file", "lintian",
                                 "appstreamcli", "desktop-file-validate"}) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                missing << QString::fromLatin1(tool);
        }
        if (!missing.isEmpty())
            QSKIP(qPrintable(QStringLiteral("packaging tools missing: ") +
                             missing.join(QStringLiteral(", "))));

        m_architecture =
            run(QStringLiteral("dpkg"), {QStringLiteral("--print-architecture")}).out.trimmed();
        // The package of the programs this build holds, made where the
        // build's own packages are not touched.
        const QString output = m_work.filePath(QStringLiteral("out"));
        const Ran cpack = run(
            QStringLiteral(VARN_CPACK_COMMAND),
            {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
             QStringLiteral(VARN_BINARY_DIR "/CPackConfig.cmake"), QStringLiteral("-B"), output});
        QVERIFY2(cpack.exitCode == 0, qPrintable(cpack.out + cpack.err));
        const QStringList built = QDir(output).entryList({QStringLiteral("*.deb")}, QDir::Files);
        QCOMPARE(built.size(), 1);
        m_package = output + QLatin1Char('/') + built.first();

        const Ran unpack =
            run(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), m_package, root()});
        QVERIFY2(unpack.exitCode == 0, qPrintable(unpack.err));
        m_environment = std::make_unique<WorkspaceEnvironment>();
        // No database folder in the settings: the unpacked one is used.
        m_environment->writeSettings(m_environment->installPath(), QStringLiteral("Mdb2003"),
                                     QString());
    }

    void nameHoldsVersionAndArchitecture()
    {
        QCOMPARE(QFileInfo(m_package).fileName(),
                 QStringLiteral("varn-se_%1_%2.deb").arg(kVersion, m_architecture));
    }

    void controlFields_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Package") << "Package"
                                 << "varn-se";
        QTest::newRow("Version") << "Version" << kVersion;
        QTest::newRow("Architecture") << "Architecture" << m_architecture;
        QTest::newRow("Maintainer") << "Maintainer"
                                    << "Varn SE Maintainers <maintainers@varnse.example>";
        QTest::newRow("Section") << "Section"
                                 << "devel";
        QTest::newRow("Priority") << "Priority"
                                  << "optional";
        QTest::newRow("Homepage") << "Homepage"
                                  << "https://github.com/varnse/varn-se";
    }

    void controlFields()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(field(name), expected);
    }

    void description()
    {
        const QStringList lines = field(QStringLiteral("Description")).split(QLatin1Char('\n'));
        QCOMPARE(lines.first(), QStringLiteral("requirements engineering workstation"));
        QVERIFY(lines.value(1).trimmed() != lines.first());
        QVERIFY2(lines.size() > 5, qPrintable(lines.join(QLatin1Char('\n'))));
        QVERIFY(lines.contains(QStringLiteral(" .")));
    }

    // The libraries the programs link (from dpkg-shlibdeps) and what they
    // load at run time.
    void relations_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("package");
        for (const char *linked :
             {"libc6", "libstdc++6", "libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6sql6",
              "libqt6printsupport6", "libodbcinst2", "libsqlite3-0"})
            QTest::newRow(linked) << "Depends" << linked;
        QTest::newRow("Qt's SQLite driver") << "Depends"
                                            << "libqt6sql6-sqlite";
        QTest::newRow("SQLite3 ODBC driver") << "Depends"
                                             << "libsqliteodbc";
        QTest::newRow("display plugins") << "Depends"
                                         << "qt6-qpa-plugins";
        QTest::newRow("SVG icon") << "Depends"
                                  << "libqt6svg6";
        QTest::newRow("PostgreSQL ODBC driver") << "Recommends"
                                                << "odbc-postgresql";
        QTest::newRow("Qt's PostgreSQL driver") << "Recommends"
                                                << "libqt6sql6-psql";
    }

    void relations()
    {
        QFETCH(QString, field);
        QFETCH(QString, package);
        const QString value = this->field(field);
        QVERIFY2(packagesOf(value).contains(package), qPrintable(field + ": " + value));
    }

    // Exactly these files, owned by root, programs executable and the rest
    // readable; nothing of the build's tests and tools, nothing outside /usr.
    void files()
    {
        const QMap<QString, QString> expected{
            {"usr/bin/varn", "-rwxr-xr-x root/root"},
            {"usr/bin/varn-cli", "-rwxr-xr-x root/root"},
            {"usr/share/varn-se/AppDB.mdb", "-rw-r--r-- root/root"},
            {"usr/share/varn-se/screenshots/requirements-central.png", "-rw-r--r-- root/root"},
            {kDesktopEntry, "-rw-r--r-- root/root"},
            {"usr/share/icons/hicolor/scalable/apps/varn-se.svg", "-rw-r--r-- root/root"},
            {"usr/share/mime/packages/varn-se.xml", "-rw-r--r-- root/root"},
            {"usr/share/man/man1/varn.1.gz", "-rw-r--r-- root/root"},
            {"usr/share/man/man1/varn-cli.1.gz", "-rw-r--r-- root/root"},
            {"usr/share/bash-completion/completions/varn", "-rw-r--r-- root/root"},
            {"usr/share/bash-completion/completions/varn-cli", "-rw-r--r-- root/root"},
            {kMetainfo, "-rw-r--r-- root/root"},
            {"usr/share/doc/varn-se/copyright", "-rw-r--r-- root/root"},
            {"usr/share/doc/varn-se/changelog.gz", "-rw-r--r-- root/root"},
        };
        QCOMPARE(listing(), expected);
    }

    // Neither an error nor a warning (lintian ran: 0 clean, 2 tags found).
    void lintian()
    {
        const Ran lintian = run(QStringLiteral("lintian"), {QStringLiteral("--no-cfg"), m_package});
        QVERIFY2(lintian.exitCode == 0 || lintian.exitCode == 2,
                 qPrintable(lintian.out + lintian.err));
        QStringList tags;
        for (const QString &line : lintian.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            if (line.startsWith(QLatin1String("E: ")) || line.startsWith(QLatin1String("W: ")))
                tags << line;
        }
        QVERIFY2(tags.isEmpty(), qPrintable(tags.join(QLatin1Char('\n'))));
    }

    void validators_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("AppStream metadata")
            << "appstreamcli"
            << QStringList{"validate", "--no-net", "--no-color", unpacked(kMetainfo)};
        QTest::newRow("menu entry")
            << "desktop-file-validate" << QStringList{unpacked(kDesktopEntry)};
    }

    void validators()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        const Ran validated = run(program, arguments);
        QVERIFY2(validated.exitCode == 0, qPrintable(validated.out + validated.err));
        // desktop-file-validate says nothing of a sound file, hints included.
        if (program == QLatin1String("desktop-file-validate"))
            QCOMPARE(validated.out + validated.err, QString());
    }

    // The description names this version, the menu entry, the workspace
    // type and the programs the package holds, and shows a picture it holds.
    void metainfoAgreesWithThePackage()
    {
        QFile file(unpacked(kMetainfo));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QStringList releases, launchables, mediaTypes, binaries, images;
        QString id, contentRating;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            const QStringView name = xml.name();
            if (name == QLatin1String("release"))
                releases << xml.attributes().value(QStringLiteral("version")).toString();
            else if (name == QLatin1String("content_rating"))
                contentRating = xml.attributes().value(QStringLiteral("type")).toString();
            else if (name == QLatin1String("id"))
                id = xml.readElementText();
            else if (name == QLatin1String("launchable"))
                launchables << xml.readElementText();
            else if (name == QLatin1String("mediatype"))
                mediaTypes << xml.readElementText();
            else if (name == QLatin1String("binary"))
                binaries << xml.readElementText();
            else if (name == QLatin1String("image"))
                images << xml.readElementText();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(id, QStringLiteral("io.github.varnse.VarnSE"));
        QCOMPARE(releases.value(0), kVersion);
        QCOMPARE(contentRating, QStringLiteral("oars-1.1"));
        QCOMPARE(launchables, QStringList{QFileInfo(kDesktopEntry).fileName()});
        QCOMPARE(mediaTypes, QStringList{QStringLiteral("application/x-varn-workspace")});
        for (const QString &binary : binaries)
            QVERIFY2(QFileInfo(unpacked(QStringLiteral("usr/bin/") + binary)).isExecutable(),
                     qPrintable(binary));
        QCOMPARE(binaries.size(), 2);
        QCOMPARE(images.size(), 1);
        QVERIFY(QFile::exists(unpacked(QStringLiteral("usr/share/varn-se/screenshots/") +
                                       QFileInfo(images.first()).fileName())));

        QFile mime(unpacked(QStringLiteral("usr/share/mime/packages/varn-se.xml")));
        QVERIFY(mime.open(QIODevice::ReadOnly));
        QVERIFY(mime.readAll().contains("type=\"application/x-varn-workspace\""));
    }

    // The unpacked programs print the package's version; varn needs no
    // display for it.
    void unpackedProgramsPrintTheVersion_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("expected");
        QTest::newRow("varn-cli") << "usr/bin/varn-cli"
                                  << QStringLiteral("varn-cli (Varn SE) %1\n").arg(kVersion);
        QTest::newRow("varn") << "usr/bin/varn" << QStringLiteral("Varn SE %1\n").arg(kVersion);
    }

    void unpackedProgramsPrintTheVersion()
    {
        QFETCH(QString, program);
        QFETCH(QString, expected);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(QString::fromLatin1(name));
        const Ran printed =
            run(unpacked(program), {QStringLiteral("--version")}, 30000, environment);
        QVERIFY2(printed.exitCode == 0, qPrintable(printed.err));
        QCOMPARE(printed.out, expected);
    }

    // A workspace made, written and read by the unpacked varn-cli, whose
    // application database is the one unpacked beside it.
    void unpackedCommandLineWorks()
    {
        qputenv("VARN_CLI", QFile::encodeName(unpacked(QStringLiteral("usr/bin/varn-cli"))));
        const QString workspace = m_environment->root() + QStringLiteral("/Packaged.vnp");
        const CliRun created = CliRun::run(
            {QStringLiteral("new"), QStringLiteral("--system"), QStringLiteral("Packaged")},
            workspace);
        QVERIFY2(created.exitCode == 0, qPrintable(created.err));
        const CliRun added =
            CliRun::run(CliRun::addTemplate9(QStringLiteral("wind sensor")), workspace);
        QVERIFY2(added.exitCode == 0, qPrintable(added.err));
        QCOMPARE(added.out, QStringLiteral("1\n"));
        const CliRun listed = CliRun::run({QStringLiteral("list")}, workspace);
        QVERIFY2(listed.exitCode == 0, qPrintable(listed.err));
        QVERIFY2(listed.out.contains(QStringLiteral(
                     "The Packaged system shall provide the capability notify operational "
                     "subsystem when wind sensor runway weather station changes from nominal "
                     "to caution.")),
                 qPrintable(listed.out));

        // The worked examples come from the application database.
        const CliRun examples = CliRun::run({QStringLiteral("examples")}, workspace);
        QVERIFY2(examples.exitCode == 0, qPrintable(examples.err));
        QVERIFY(!examples.out.trimmed().isEmpty());
        QFile sources(m_environment->userOdbcIni());
        QVERIFY(sources.open(QIODevice::ReadOnly));
        QVERIFY2(QString::fromUtf8(sources.readAll())
                     .contains(QStringLiteral("Database=") +
                               unpacked(QStringLiteral("usr/share/varn-se/AppDB.mdb"))),
                 qPrintable(m_environment->userOdbcIni()));
    }
};

QTEST_GUILESS_MAIN(PackageTest)
#include "tst_package.moc"
