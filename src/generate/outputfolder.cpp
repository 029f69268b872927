#include "generate/outputfolder.h"
#include "generate/generatetr.h"

#include "generate/generatormessages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <filesystem>

namespace varn::generate {

namespace {

// The manifest's line naming the run that wrote it, and what a temporary
// name puts between the file's name and that run's tag.
constexpr char kRunLine[] = "#run ";
constexpr char kPartialInfix[] = ".varn-partial-";

const QRegularExpression &runTagPattern()
{
    static const QRegularExpression pattern(QStringLiteral("^[0-9a-z]{6}$"));
    return pattern;
}

} // namespace

OutputFolder::OutputFolder(QString installPath, QString path)
    : m_installPath(std::move(installPath)), m_path(std::move(path))
{}

Outcome OutputFolder::prepare(const QStringList &filesToWrite) const
{
    if (Outcome inside = checkInsideInstallPath(); !inside)
        return inside;
    QDir folder(m_path);
    if (!folder.mkpath(QStringLiteral(".")))
        return Outcome::stop(
            GeneratorMessages::cannotCreateFolder(m_path, Tr::tr("The folder could not be made.")));

    // The previous run's files, and the temporary names it wrote them (and
    // this manifest) under, in case it was interrupted.
    const PreviousRun previous = previousRun();
    QStringList doomed = previous.files;
    if (!previous.tag.isEmpty()) {
        for (const QString &name : previous.files + QStringList{QLatin1String(kManifestName)})
            doomed.append(temporaryName(name, previous.tag));
    }
    for (const QString &name : std::as_const(doomed)) {
        const QFileInfo entry(folder.filePath(name));
        if (!entry.isSymLink() && !entry.isFile())
            continue; // gone already, or a folder
        QFile file(entry.filePath());
        if (!file.remove())
            return Outcome::stop(
                GeneratorMessages::cannotDeleteFile(file.fileName(), file.errorString()));
    }

    QByteArray manifest = "# Files the last run of Varn SE's generator wrote here; its next run "
                          "deletes them.\n" +
                          QByteArray(kRunLine) + runTag().toLatin1() + '\n';
    for (const QString &name : filesToWrite)
        manifest += name.toUtf8() + '\n';
    return write(QLatin1String(kManifestName), manifest);
}

// The folder is made below the installation path; if it stands there as a
// link already, the link must stay inside that path.
Outcome OutputFolder::checkInsideInstallPath() const
{
    const QFileInfo folder(m_path);
    if (!folder.isSymLink())
        return Outcome::ok();
    const QString root = QFileInfo(m_installPath).canonicalFilePath();
    const QString target = folder.canonicalFilePath();
    if (root.isEmpty() || target.isEmpty() || !target.startsWith(root + QLatin1Char('/')))
        return Outcome::stop(GeneratorMessages::folderOutsideInstallPath(m_path, m_installPath));
    return Outcome::ok();
}

// The names the manifest lists, as far as they name files of this folder,
// and the tag of the run that wrote it.
OutputFolder::PreviousRun OutputFolder::previousRun() const
{
    QFile manifest(QDir(m_path).filePath(QLatin1String(kManifestName)));
    if (!manifest.open(QIODevice::ReadOnly))
        return {};
    PreviousRun previous;
    for (const QByteArray &line : manifest.readAll().split('\n')) {
        if (line.startsWith(kRunLine)) {
            const QString tag = QString::fromLatin1(line.mid(qsizetype(sizeof(kRunLine) - 1)));
            if (runTagPattern().match(tag).hasMatch())
                previous.tag = tag;
            continue;
        }
        const QString name = QString::fromUtf8(line);
        if (name.isEmpty() || name.startsWith(QLatin1Char('#')) || !isUsableFileName(name) ||
            name == QLatin1String(".") || name == QLatin1String("..") ||
            name == QLatin1String(kManifestName))
            continue;
        previous.files.append(name);
    }
    return previous;
}

// The temporary file is hidden and its name does not end with the suffix, so
// a run that is killed half-way leaves nothing that looks like output; the
// rename replaces the final name in one step. No sync to disk: the files can
// be generated again at any time, and syncing thousands of them costs seconds.
Outcome OutputFolder::write(const QString &fileName, const QByteArray &bytes) const
{
    const QString filePath = QDir(m_path).filePath(fileName);
    const QString temporaryPath = QDir(m_path).filePath(temporaryName(fileName, runTag()));
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

QString OutputFolder::runTag()
{
    return QString::number(QCoreApplication::applicationPid() % 2176782336LL, 36)
        .rightJustified(6, QLatin1Char('0'));
}

QString OutputFolder::temporaryName(const QString &fileName, const QString &runTag)
{
    return QLatin1Char('.') + fileName + QLatin1String(kPartialInfix) + runTag;
}

bool OutputFolder::isUsableFileName(const QString &name)
{
    return !name.contains(QLatin1Char('/')) && !name.contains(QChar(u'\0'));
}

} // namespace varn::generate
