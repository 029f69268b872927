#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>
#include <utility>

namespace varn::app {

// The user's ODBC data-source file ($ODBCINI, else ~/.odbc.ini) as bytes.
// Sections are replaced or removed whole; every other byte of the file stays
// as it was. Changes are written once, to a temporary file beside the file
// and renamed over it, so a kill at any moment leaves either the old or the
// new file; the temporary files a killed writer left behind are removed by
// the next commit. Callers hold an OdbcIniLock around read-modify-commit.
class OdbcIniFile
{
public:
    // The file as the driver manager names it.
    static QString userFilePath();
    // The same file with every link followed and a relative name made
    // absolute: one file has one resolved path however it is named, so the
    // lock and the holders beside it are shared by every spelling.
    static QString resolvedFilePath();
    // True for a name this class gives its temporary files beside the file
    // named fileName: fileName + ".varn-" + six letters or digits.
    static bool isTemporaryName(const QString &name, const QString &fileName);

    // Reads the file; a missing file reads as empty. False when it exists
    // but cannot be read.
    bool load();
    // Writes the bytes when they differ from what was loaded.
    bool commit();

    const QByteArray &bytes() const { return m_bytes; }

    // The section's text from its "[name]" line up to the next section,
    // or nullopt when absent. Section names compare case-insensitively, as
    // the driver manager compares them.
    std::optional<QByteArray> section(const QString &name) const;
    QString value(const QString &sectionName, const QString &key) const;
    void replaceSection(const QString &name, const QByteArray &text);
    void removeSection(const QString &name);

    // The "key=value" lines of a section's text, keys and values trimmed, in
    // their order; headers, comments and other lines are left out.
    static QList<std::pair<QString, QString>> entries(const QByteArray &sectionText);

private:
    struct Span
    {
        qsizetype begin = -1;
        qsizetype end = -1;
    };
    Span find(const QString &name) const;

    QString m_path;
    QByteArray m_bytes;
    QByteArray m_loaded;
    bool m_existed = false;
};

} // namespace varn::app
