#pragma once

#include <QString>
#include <QTemporaryDir>

// A private world for workspace tests: settings, the user's and the system's
// ODBC files all live in a temporary folder, so no test touches the real
// user's files. Create it before the first ODBC call of the process (the
// driver manager reads ODBCSYSINI once), e.g. in initTestCase.
class WorkspaceEnvironment
{
public:
    WorkspaceEnvironment();

    QString root() const { return m_root.path(); }
    QString installPath() const { return m_root.path() + QStringLiteral("/User Files/"); }
    QString databaseFolder() const { return installPath() + QStringLiteral("Varn SE Databases"); }
    QString settingsFile() const { return m_root.path() + QStringLiteral("/varn-se.ini"); }
    QString userOdbcIni() const { return m_root.path() + QStringLiteral("/odbc.ini"); }
    QString systemOdbcFolder() const { return m_root.path() + QStringLiteral("/odbcsys"); }

    // Rewrites the settings file; keys with an empty value are left out.
    void writeSettings(const QString &installPath, const QString &accessVersion,
                       const QString &databaseDirectory) const;
    void writeDefaultSettings() const;
    // Registers the SQLite3 driver in the private odbcinst.ini, or leaves it out.
    void setDriverInstalled(bool installed) const;

    static QString applicationDatabaseFolder();

private:
    QTemporaryDir m_root;
};
