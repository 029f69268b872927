#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;

namespace varn::app {

// Puts the program's texts and Qt's own (the buttons of standard boxes, the
// context menus of text fields) into the user's language where a translation
// of it exists; English stays otherwise.
class ProgramTranslations
{
public:
    // The folder inside the program's resources holding varn-se_<language>.qm.
    static QString folder();
    // The folder VARN_SE_TRANSLATIONS names, looked in first: a translator
    // tries varn-se_<language>.qm there without building the programs anew.
    // Empty when the variable is not set.
    static QString userFolder();

    // Installs into the application the translations found for the locale;
    // returns the languages' files it installed (none for English).
    static QStringList install(QCoreApplication &application,
                               const QLocale &locale = QLocale::system());
};

} // namespace varn::app
