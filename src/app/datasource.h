#pragma once

#include "common/outcome.h"

#include <QString>

namespace varn::app {

// A named data source: what the workspace file records and what the
// attribute string describes.
struct DataSource
{
    QString name;
    QString userId;
    QString password;
    QString description;
    QString databaseFileName; // without folder
    QString databaseFolder;   // without trailing separator

    // A team workspace's database lives on a PostgreSQL server: its folder
    // holds the server string ("host=H port=P dbname=D user=U") and its file
    // name the database's name.
    bool isOnServer() const;
    // The file's full path; a team workspace's server string.
    QString databasePath() const;

    // "DSN=...; UID=...; PWD=...; DESCRIPTION=...; DBQ=...; FIL=MicrosoftAccess;
    // DEFAULTDIR=..." - the string that registers the data source and opens
    // its connection.
    QString attributeString() const;

    // The attribute string must fit a 255-character buffer: 254 characters at
    // most. The two messages differ only in their line break.
    enum class Kind { Requirements, Application };
    Outcome checkAttributeLength(Kind kind) const;

    // System name + "ReqDS" when that fits ODBC's 32 bytes; otherwise the
    // name's beginning, "-", six hex digits of its hash, and "ReqDS".
    static QString requirementsNameFor(const QString &systemName);
    static DataSource requirementsFor(const QString &systemName, const QString &installPath);
    static DataSource teamFor(const QString &systemName, const QString &serverText,
                              const QString &databaseName, const QString &userName);
    static DataSource applicationIn(const QString &databaseDirectory);
};

// Registers and removes per-user ODBC data sources for the SQLite3 ODBC
// driver (a team workspace: PostgreSQL's), so any ODBC client can read the
// open workspace. The user's ODBC
// file is rewritten whole, once per change, under the lock every Varn SE
// process takes; its other sections stay byte for byte. A refused value
// (control characters, a name ODBC cannot carry) registers nothing.
class OdbcInstaller
{
public:
    static const char *driverName() { return "SQLite3"; }
    static const char *serverDriverName() { return "PostgreSQL Unicode"; }

    static bool isDriverInstalled(const char *driver = driverName());
    static bool registerDataSource(const DataSource &source);
    // Registers the source and records this process as one of its holders,
    // in one step, so no other process removes it in between.
    static bool registerHeldDataSource(const DataSource &source);
    // Drops this process's hold; removes the source when no live Varn SE
    // process holds it any more.
    static void releaseHeldDataSource(const QString &name);
    // Drops every hold of this process (a signal ends it).
    static void releaseAllHeldHere();
    static bool removeDataSource(const QString &name);
    static bool isRegistered(const QString &name);
    // The value of one key of a registered data source, empty when absent.
    static QString registeredValue(const QString &name, const QString &key);
    // Letters ODBC allows in a data-source name, at most 32 bytes.
    static bool isValidDataSourceName(const QString &name);

    static const QString &requirementsRegistrationFailure();
};

} // namespace varn::app
