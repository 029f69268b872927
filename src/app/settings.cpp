#include "app/settings.h"
#include "app/apptr.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace varn::app {

namespace {

constexpr char kOpenKeyMessage[] = QT_TRANSLATE_NOOP(
    "varn::app",
    "Could not open the Varn SE registry key.\nCurrent user may not have permission to access "
    "registry.");

QString readFailure(const char *key)
{
    return Tr::tr("Could not read data from the %1 registry value.\nCurrent user may not "
                  "have permission to access registry.")
        .arg(QLatin1String(key));
}

QString withTrailingSeparator(QString path)
{
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

} // namespace

Settings::Settings() : m_path(configFilePath())
{
    const QFileInfo file(m_path);
    if (!file.exists())
        return;
    QSettings settings(m_path, QSettings::IniFormat);
    if (!file.isReadable() || settings.status() != QSettings::NoError) {
        m_readable = false;
        m_openProblem = Outcome::refused(Tr::tr(kOpenKeyMessage));
    }
}

QString Settings::configFilePath()
{
    const QString fromEnvironment = qEnvironmentVariable("VARN_SE_CONFIG");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Varn Systems"),
                     QStringLiteral("Varn SE"))
        .fileName();
}

QString Settings::defaultInstallPath()
{
    return QDir::homePath() + QStringLiteral("/Varn SE/User Files/");
}

QString Settings::defaultDatabaseDirectory()
{
    // The application database stands beside the program in a build tree,
    // and in the installed data folder otherwise.
    const QString besideProgram = QCoreApplication::applicationDirPath();
    if (!besideProgram.isEmpty() && QFileInfo::exists(besideProgram + QStringLiteral("/AppDB.mdb")))
        return besideProgram;
    if (!besideProgram.isEmpty()) {
        const QString installed = QDir::cleanPath(besideProgram + QLatin1Char('/') +
                                                  QStringLiteral(VARN_DATA_FROM_PROGRAM));
        if (QFileInfo::exists(installed + QStringLiteral("/AppDB.mdb")))
            return installed;
    }
    return QStringLiteral(VARN_INSTALLED_DATA_DIR);
}

Settings::Value Settings::read(const char *key, const QString &fallback,
                               const QString &message) const
{
    if (!m_readable || !QFileInfo::exists(m_path))
        return {fallback};
    QSettings settings(m_path, QSettings::IniFormat);
    const QVariant value = settings.value(QLatin1String(key));
    if (!value.isValid())
        return {fallback};
    if (value.typeId() != QMetaType::QString || value.toString().isEmpty())
        return {fallback, Outcome::refused(message)};
    return {value.toString()};
}

Settings::Value Settings::installPath() const
{
    Value value = read("InstallPath", defaultInstallPath(), readFailure("InstallPath"));
    value.text = withTrailingSeparator(value.text);
    return value;
}

Settings::Value Settings::installPathForOpen() const
{
    Value value =
        read("InstallPath", defaultInstallPath(),
             Tr::tr("%1\nUsing the default installation path.").arg(readFailure("InstallPath")));
    value.text = withTrailingSeparator(value.text);
    return value;
}

Outcome Settings::checkInstallPath(const QString &installPath)
{
    if (QDir::isAbsolutePath(installPath))
        return Outcome::ok();
    return Outcome::refused(
        Tr::tr("The InstallPath value \"%1\" in %2 is not an absolute path.\nGive the "
               "whole path of the folder, beginning with \"/\".")
            .arg(installPath, QDir::toNativeSeparators(configFilePath())));
}

Settings::Value Settings::accessVersion() const
{
    return read("AccVer", defaultAccessVersion(), readFailure("AccVer"));
}

Settings::Value Settings::databaseDirectory() const
{
    return read("DbDir", defaultDatabaseDirectory(), readFailure("DbDir"));
}

} // namespace varn::app
