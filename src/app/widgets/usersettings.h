#pragma once

#include <QSettings>

#include <memory>

namespace varn::app {

// The desktop program's own per-user settings (recent files, window
// geometry). They live in a file beside the configuration file ("Varn
// SE-desktop.ini" beside "Varn SE.ini"), so VARN_SE_CONFIG moves both, and
// the configuration file, which the user may edit by hand, is never
// rewritten.
class UserSettings
{
public:
    static QString filePath();
    static std::unique_ptr<QSettings> open();
};

} // namespace varn::app
