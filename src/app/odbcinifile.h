#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace varn::app {

// The user's ODBC data-source file ($ODBCINI, else ~/.odbc.ini) as bytes.
// Sections are replaced or removed whole; every other byte of the file stays
// as it was. Changes are written once, to a temporary file beside the file
// and renamed over it, so a kill at any moment leaves either the old or the
// new file. Callers hold an OdbcIniLock around read-modify-commit.
class OdbcIniFile
{
public:
    static QString userFilePath();

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
