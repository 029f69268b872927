// An install into a prefix of its own, and the installed programs at work
// there: they find their data beside themselves, wherever the prefix is.
#include "support/clirun.h"
#include "support/workspaceenvironment.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class InstallTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<WorkspaceEnvironment> m_environment;
    QTemporaryDir m_prefix;

    QString installed(const QString &path) const { return m_prefix.filePath(path); }

    QString text(const QString &path) const
    {
        QFile file(installed(path));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

private slots:
    void initTestCase()
    {
        m_environment = std::make_unique<WorkspaceEnvironment>();
        // No database folder in the settings: the installed one is used.
        m_environment->writeSettings(m_environment->installPath(), QStringLiteral("Mdb2003"),
                                     QString());
        QProcess cmake;
        cmake.start(QStringLiteral(VARN_CMAKE_COMMAND),
                    {QStringLiteral("--install"), QStringLiteral(VARN_BINARY_DIR),
                     QStringLiteral("--prefix"), m_prefix.path()});
        QVERIFY(cmake.waitForFinished(120000));
        QVERIFY2(cmake.exitCode() == 0, cmake.readAllStandardError().constData());
    }

    void filesAreInPlace_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("holds"); // a text the file holds; empty: not read
        QTest::newRow("desktop program") << "bin/varn"
                                         << "";
        QTest::newRow("command-line program") << "bin/varn-cli"
                                              << "";
        QTest::newRow("application database") << "share/varn-se/AppDB.mdb"
                                              << "";
        QTest::newRow("menu entry opens a file") << "share/applications/varn-se.desktop"
                                                 << "Exec=varn %f";
        QTest::newRow("menu entry takes workspaces") << "share/applications/varn-se.desktop"
                                                     << "MimeType=application/x-varn-workspace;";
        QTest::newRow("menu entry icon") << "share/applications/varn-se.desktop"
                                         << "Icon=varn-se";
        QTest::newRow("icon") << "share/icons/hicolor/scalable/apps/varn-se.svg"
                              << "<svg";
        QTest::newRow("workspace file type") << "share/mime/packages/varn-se.xml"
                                             << "<glob pattern=\"*.vnp\"/>";
        QTest::newRow("manual page of varn") << "share/man/man1/varn.1.gz"
                                             << "";
        QTest::newRow("manual page of varn-cli") << "share/man/man1/varn-cli.1.gz"
                                                 << "";
        QTest::newRow("completion of varn-cli") << "share/bash-completion/completions/varn-cli"
                                                << "complete -F _varn_cli varn-cli";
        QTest::newRow("completion of varn") << "share/bash-completion/completions/varn"
                                            << "complete -F _varn varn";
        QTest::newRow("software centre's description")
            << "share/metainfo/io.github.varnse.VarnSE.metainfo.xml"
            << "<launchable type=\"desktop-id\">varn-se.desktop</launchable>";
    }

    void filesAreInPlace()
    {
        QFETCH(QString, path);
        QFETCH(QString, holds);
        QVERIFY2(QFileInfo::exists(installed(path)), qPrintable(path));
        if (!holds.isEmpty())
            QVERIFY2(text(path).contains(holds), qPrintable(text(path)));
    }

    void installedCommandLineWorks()
    {
        qputenv("VARN_CLI", QFile::encodeName(installed(QStringLiteral("bin/varn-cli"))));
        const QString workspace = m_environment->root() + QStringLiteral("/Installed.vnp");
        const CliRun created = CliRun::run(
            {QStringLiteral("new"), QStringLiteral("--system"), QStringLiteral("Installed")},
            workspace);
        QVERIFY2(created.exitCode == 0, qPrintable(created.err));
        const CliRun added =
            CliRun::run({QStringLiteral("add"), QStringLiteral("--template"), QStringLiteral("21"),
                         QStringLiteral("--field"), QStringLiteral("Entity=cargo reservations")},
                        workspace);
        QVERIFY2(added.exitCode == 0, qPrintable(added.err));
        const CliRun info = CliRun::run({QStringLiteral("info")}, workspace);
        QVERIFY2(info.exitCode == 0, qPrintable(info.err));
        QVERIFY2(info.out.contains(QStringLiteral("Requirements: 1")), qPrintable(info.out));
        QVERIFY(info.out.contains(QStringLiteral("System name:  Installed")));
    }
};

QTEST_GUILESS_MAIN(InstallTest)
#include "tst_install.moc"
