#pragma once

#include "common/outcome.h"

#include <QByteArray>
#include <QString>

namespace varn::generate {

// One output folder of a generator: made when missing, emptied of the
// previous run's files, and filled one whole file at a time. A file is written
// under a temporary name and renamed when complete, so an interrupted run
// never leaves a partial file under a final name.
class OutputFolder
{
public:
    explicit OutputFolder(QString path);

    const QString &path() const { return m_path; }

    // Creates the folder and deletes the files (not folders) in it whose
    // names end with the suffix (".sql", ".h", ".java"), and the temporary
    // files an interrupted run may have left.
    Outcome prepare(const QString &suffix) const;

    // Writes the bytes as the named file of the folder, replacing one of the
    // same name.
    Outcome write(const QString &fileName, const QByteArray &bytes) const;

    // True when a file named after the name (with a suffix appended) stays
    // inside the folder: no separator, no terminating zero.
    static bool isUsableFileName(const QString &name);

private:
    static QString temporaryName(const QString &fileName);
    static bool isLeftOver(const QString &entryName, const QString &suffix);

    QString m_path;
};

} // namespace varn::generate
