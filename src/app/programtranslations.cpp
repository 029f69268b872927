#include "app/programtranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace varn::app {

QString ProgramTranslations::folder()
{
    return QStringLiteral(":/translations");
}

QString ProgramTranslations::userFolder()
{
    return qEnvironmentVariable("VARN_SE_TRANSLATIONS");
}

QStringList ProgramTranslations::install(QCoreApplication &application, const QLocale &locale)
{
    const struct
    {
        QString name;
        QStringList folders;
    } sources[] = {
        {QStringLiteral("qtbase"), {QLibraryInfo::path(QLibraryInfo::TranslationsPath)}},
        {QStringLiteral("varn-se"), {userFolder(), folder()}},
    };
    QStringList installed;
    for (const auto &source : sources) {
        for (const QString &folder : source.folders) {
            if (folder.isEmpty())
                continue;
            auto *translator = new QTranslator(&application);
            if (translator->load(locale, source.name, QStringLiteral("_"), folder) &&
                QCoreApplication::installTranslator(translator)) {
                installed << translator->filePath();
                break;
            }
            delete translator;
        }
    }
    return installed;
}

} // namespace varn::app
