#include "workspaceenvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

void writeFile(const QString &path, const QByteArray &text)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text);
}

// The drivers' own lines, as the system's odbcinst.ini registers them.
QByteArray sqlite3DriverSection()
{
    QSettings system(QStringLiteral("/etc/odbcinst.ini"), QSettings::IniFormat);
    QString driver = system.value(QStringLiteral("SQLite3/Driver")).toString();
    if (driver.isEmpty())
        driver = QStringLiteral("libsqlite3odbc.so");
    QString server = system.value(QStringLiteral("PostgreSQL Unicode/Driver")).toString();
    if (server.isEmpty())
        server = QStringLiteral("psqlodbcw.so");
    return "[SQLite3]\nDescription=SQLite3 ODBC Driver\nDriver=" + driver.toUtf8() +
           "\nUsageCount=1\n\n[PostgreSQL Unicode]\nDescription=PostgreSQL ODBC driver\nDriver=" +
           server.toUtf8() + "\nUsageCount=1\n";
}

} // namespace

WorkspaceEnvironment::WorkspaceEnvironment()
{
    QDir().mkpath(systemOdbcFolder());
    writeFile(systemOdbcFolder() + QStringLiteral("/odbc.ini"), "");
    writeFile(userOdbcIni(), "");
    setDriverInstalled(true);
    writeDefaultSettings();
    qputenv("ODBCSYSINI", QFile::encodeName(systemOdbcFolder()));
    qputenv("ODBCINI", QFile::encodeName(userOdbcIni()));
    qputenv("VARN_SE_CONFIG", QFile::encodeName(settingsFile()));
}

void WorkspaceEnvironment::writeSettings(const QString &installPath, const QString &accessVersion,
                                         const QString &databaseDirectory) const
{
    QFile::remove(settingsFile());
    QSettings settings(settingsFile(), QSettings::IniFormat);
    if (!installPath.isEmpty())
        settings.setValue(QStringLiteral("InstallPath"), installPath);
    if (!accessVersion.isEmpty())
        settings.setValue(QStringLiteral("AccVer"), accessVersion);
    if (!databaseDirectory.isEmpty())
        settings.setValue(QStringLiteral("DbDir"), databaseDirectory);
}

void WorkspaceEnvironment::writeDefaultSettings() const
{
    writeSettings(installPath(), QStringLiteral("Mdb2003"), applicationDatabaseFolder());
}

void WorkspaceEnvironment::setDriverInstalled(bool installed) const
{
    writeFile(systemOdbcFolder() + QStringLiteral("/odbcinst.ini"),
              installed ? sqlite3DriverSection() : QByteArray());
}

QString WorkspaceEnvironment::applicationDatabaseFolder()
{
    return QFileInfo(QStringLiteral(VARN_APPDB_PATH)).absolutePath();
}
