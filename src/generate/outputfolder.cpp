#include "generate/outputfolder.h"

#include "generate/generatormessages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace varn::generate {

OutputFolder::OutputFolder(QString path) : m_path(std::move(path)) {}

Outcome OutputFolder::prepare(const QString &suffix) const
{
    QDir folder(m_path);
    if (!folder.mkpath(QStringLiteral(".")))
        return Outcome::stop(GeneratorMessages::cannotCreateFolder(
            m_path, QStringLiteral("The folder could not be made.")));

    const QFileInfoList entries =
        folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (!entry.fileName().endsWith(suffix, Qt::CaseSensitive))
            continue;
        QFile file(entry.absoluteFilePath());
        if (!file.remove())
            return Outcome::stop(
                GeneratorMessages::cannotDeleteFile(entry.absoluteFilePath(), file.errorString()));
    }
    return Outcome::ok();
}

Outcome OutputFolder::write(const QString &fileName, const QByteArray &bytes) const
{
    const QString filePath = QDir(m_path).filePath(fileName);
    QSaveFile file(filePath);
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (!written)
        return Outcome::stop(GeneratorMessages::cannotWriteFile(filePath, file.errorString()));
    return Outcome::ok();
}

bool OutputFolder::isUsableFileName(const QString &name)
{
    return !name.contains(QLatin1Char('/')) && !name.contains(QChar(u'\0'));
}

} // namespace varn::generate
