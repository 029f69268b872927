#pragma once

#include "common/outcome.h"

#include <QByteArray>
#include <QString>

namespace varn::generate {

// One output folder of a generator, a folder of the installation path: made
// when missing, emptied of the previous run's files, and filled one whole
// file at a time. A file is written under a temporary name and renamed when
// complete, so an interrupted run never leaves a partial file under a final
// name.
//
// The folder may hold the user's own files: only the files a run of the
// generator wrote are deleted by the next, as listed in the folder's manifest
// (kManifestName), which a run writes before its files. A folder that is a
// link leading outside the installation path is refused.
class OutputFolder
{
public:
    static constexpr char kManifestName[] = ".varn-generated";

    OutputFolder(QString installPath, QString path);

    const QString &path() const { return m_path; }

    // Creates the folder, deletes the files the previous run listed and the
    // temporary files an interrupted run may have left (names ending with the
    // suffix), and lists the files this run is to write.
    Outcome prepare(const QString &suffix, const QStringList &filesToWrite) const;

    // Writes the bytes as the named file of the folder, replacing one of the
    // same name.
    Outcome write(const QString &fileName, const QByteArray &bytes) const;

    // True when a file named after the name (with a suffix appended) stays
    // inside the folder: no separator, no terminating zero.
    static bool isUsableFileName(const QString &name);

private:
    static QString temporaryName(const QString &fileName);
    static bool isLeftOver(const QString &entryName, const QString &suffix);
    Outcome checkInsideInstallPath() const;
    QStringList previousFiles() const;

    QString m_installPath;
    QString m_path;
};

} // namespace varn::generate
