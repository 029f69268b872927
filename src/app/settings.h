#pragma once

#include "common/outcome.h"

#include <QList>
#include <QString>

namespace varn::app {

// The three configuration values the program reads ("InstallPath", "AccVer",
// "DbDir"), read only. They live at the top level of an INI file: the one
// named by VARN_SE_CONFIG, or the per-user file of "Varn Systems"/"Varn SE".
// A value that is missing takes its default silently, so a first run works
// with no configuration at all; a file or value that cannot be read takes the
// default too and leaves the message to show.
class Settings
{
public:
    struct Value
    {
        QString text;
        Outcome problem = Outcome::ok(); // the message to show when the default stood in
    };

    Settings();

    // Refused when the settings file exists but cannot be read.
    const Outcome &openProblem() const { return m_openProblem; }

    // The installation path always ends with "/".
    Value installPath() const;
    Value accessVersion() const;
    Value databaseDirectory() const;

    // Same as installPath() but with the message Open shows, which adds a line.
    Value installPathForOpen() const;
    // A relative installation path would put databases and generated files
    // under whatever folder the program was started in: refused with the
    // reason, naming the configuration file.
    static Outcome checkInstallPath(const QString &installPath);

    static QString defaultInstallPath();
    static QString defaultAccessVersion() { return QStringLiteral("Mdb2003"); }
    static QString defaultDatabaseDirectory();
    static QString configFilePath();

private:
    Value read(const char *key, const QString &fallback, const QString &message) const;

    QString m_path;
    bool m_readable = true;
    Outcome m_openProblem = Outcome::ok();
};

} // namespace varn::app
