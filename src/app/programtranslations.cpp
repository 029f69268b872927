#include "app/programtranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace varn::app {

QString ProgramTranslations::folder()
{
    return QStringLiteral(":/translations");
}

QStringList ProgramTranslations::install(QCoreApplication &application, const QLocale &locale)
{
    const struct
    {
        QString name;
        QString folder;
    } sources[] = {
        {QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)},
        {QStringLiteral("varn-se"), folder()},
    };
    QStringList installed;
    for (const auto &source : sources) {
        auto *translator = new QTranslator(&application);
        if (translator->load(locale, source.name, QStringLiteral("_"), source.folder) &&
            QCoreApplication::installTranslator(translator))
            installed << translator->filePath();
        else
            delete translator;
    }
    return installed;
}

} // namespace varn::app
