#include "generate/outputfolder.h"

#include "generate/generatormessages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <filesystem>

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
        if (!entry.fileName().endsWith(suffix, Qt::CaseSensitive) &&
            !isLeftOver(entry.fileName(), suffix))
            continue;
        QFile file(entry.absoluteFilePath());
        if (!file.remove())
            return Outcome::stop(
                GeneratorMessages::cannotDeleteFile(entry.absoluteFilePath(), file.errorString()));
    }
    return Outcome::ok();
}

// The temporary file is hidden and its name does not end with the suffix, so
// a run that is killed half-way leaves nothing that looks like output; the
// rename replaces the final name in one step. No sync to disk: the files can
// be generated again at any time, and syncing thousands of them costs seconds.
Outcome OutputFolder::write(const QString &fileName, const QByteArray &bytes) const
{
    const QString filePath = QDir(m_path).filePath(fileName);
    const QString temporaryPath = QDir(m_path).filePath(temporaryName(fileName));
    QFile file(temporaryPath);
    bool opened = file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
    if (!opened && file.exists()) { // left by a killed run of a process with the same id
        file.remove();
        opened = file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
    }
    if (!opened || file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.remove();
        return Outcome::stop(GeneratorMessages::cannotWriteFile(filePath, reason));
    }
    file.close();
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(temporaryPath).toStdString(),
                            QFile::encodeName(filePath).toStdString(), error);
    if (error) {
        file.remove();
        return Outcome::stop(GeneratorMessages::cannotWriteFile(
            filePath, QString::fromLocal8Bit(error.message().c_str())));
    }
    return Outcome::ok();
}

// "." + file name + "." + six characters from the process id, so that two
// processes writing the same folder never share a temporary file.
QString OutputFolder::temporaryName(const QString &fileName)
{
    const QString tag = QString::number(QCoreApplication::applicationPid() % 2176782336LL, 36)
                            .rightJustified(6, QLatin1Char('0'));
    return QLatin1Char('.') + fileName + QLatin1Char('.') + tag;
}

bool OutputFolder::isLeftOver(const QString &entryName, const QString &suffix)
{
    static const QRegularExpression temporary(QStringLiteral("^\\..*\\.[A-Za-z0-9]{6}$"));
    return temporary.match(entryName).hasMatch() &&
           entryName.chopped(7).endsWith(suffix, Qt::CaseSensitive);
}

bool OutputFolder::isUsableFileName(const QString &name)
{
    return !name.contains(QLatin1Char('/')) && !name.contains(QChar(u'\0'));
}

} // namespace varn::generate
