#include "app/widgets/usersettings.h"

#include "app/settings.h"

#include <QFileInfo>

namespace varn::app {

QString UserSettings::filePath()
{
    const QFileInfo configuration(Settings::configFilePath());
    return configuration.absolutePath() + QLatin1Char('/') + configuration.completeBaseName() +
           QStringLiteral("-desktop.ini");
}

std::unique_ptr<QSettings> UserSettings::open()
{
    return std::make_unique<QSettings>(filePath(), QSettings::IniFormat);
}

} // namespace varn::app
