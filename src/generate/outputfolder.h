#pragma once

#include "common/outcome.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace varn::generate {

// One output folder of a generator, a folder of the installation path: made
// when missing, emptied of the previous run's files, and filled one whole
// file at a time. A file is written under a temporary name and renamed when
// complete, so an interrupted run never leaves a partial file under a final
// name.
//
// The folder may hold the user's own files: only the files a run of the
// generator wrote are deleted by the next, as listed in the folder's manifest
// (kManifestName), which a run writes before its files. The manifest also
// names the run's tag, which every temporary name of the run carries
// ("." + file + ".varn-partial-" + tag), so a later run deletes the
// temporary files an interrupted run left by name, never a hidden file of
// the user's that merely looks like one. A folder that is a link leading
// outside the installation path is refused.
class OutputFolder
{
public:
    static constexpr char kManifestName[] = ".varn-generated";

    OutputFolder(QString installPath, QString path);

    const QString &path() const { return m_path; }

    // Creates the folder, deletes the files the previous run listed and the
    // temporary files it may have left when interrupted, and lists the files
    // this run is to write.
    Outcome prepare(const QStringList &filesToWrite) const;

    // Writes the bytes as the named file of the folder, replacing one of the
    // same name.
    Outcome write(const QString &fileName, const QByteArray &bytes) const;

    // True when a file named after the name (with a suffix appended) stays
    // inside the folder: no separator, no terminating zero.
    static bool isUsableFileName(const QString &name);

    // The name a file is written under until it is complete.
    static QString temporaryName(const QString &fileName, const QString &runTag);
    // This process's tag: six characters from its id, so that two processes
    // writing the same folder never share a temporary file.
    static QString runTag();

private:
    // What the previous run's manifest lists: its files and its tag.
    struct PreviousRun
    {
        QStringList files;
        QString tag;
    };

    Outcome checkInsideInstallPath() const;
    PreviousRun previousRun() const;

    QString m_installPath;
    QString m_path;
};

} // namespace varn::generate
