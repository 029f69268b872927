#pragma once

#include "app/datasourceholders.h"
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

// How a registration ended.
struct Registration
{
    enum class Status {
        Registered,
        // The driver is missing, a value is refused, or the file cannot be
        // read or written.
        Failed,
        // The file holds a section of that name that Varn SE did not write.
        NameTaken,
        // A workspace open in this or another program holds the name for
        // another database (or, when the name may not be shared, at all).
        HeldElsewhere,
    };
    Status status = Status::Failed;
    DataSourceHolders::Holder holder; // the one that holds it, for HeldElsewhere

    explicit operator bool() const { return status == Status::Registered; }
};

// Registers and removes per-user ODBC data sources for the SQLite3 ODBC
// driver (a team workspace: PostgreSQL's), so any ODBC client can read the
// open workspace. The user's ODBC
// file is rewritten whole, once per change, under the lock every Varn SE
// process takes; its other sections stay byte for byte. A refused value
// (control characters, a name ODBC cannot carry) registers nothing.
//
// Only sections this program wrote are replaced or removed: they carry the
// key "WrittenBy=Varn SE". A section an earlier version wrote has no such
// key and is told by its shape: exactly the keys that version wrote, for its
// driver, with values no one writes by hand (FIL=MicrosoftAccess and a
// Database that is DEFAULTDIR/DBQ; a team section's Description).
class OdbcInstaller
{
public:
    static const char *driverName() { return "SQLite3"; }
    static const char *serverDriverName() { return "PostgreSQL Unicode"; }

    // Who may hold a requirements source besides the registering workspace.
    enum class Sharing {
        SameDatabase, // other workspaces open on the same database
        Nobody,       // a new database replaces the file: no one else
    };

    static bool isDriverInstalled(const char *driver = driverName());
    static Registration registerDataSource(const DataSource &source);
    // Registers the source and records this process as one of its holders,
    // in one step, so no other process removes it in between.
    static Registration registerHeldDataSource(const DataSource &source,
                                               Sharing sharing = Sharing::SameDatabase);
    // Drops this process's hold; removes the source when no live Varn SE
    // process holds it any more and the section is one this program wrote.
    static void releaseHeldDataSource(const QString &name);
    // Drops every hold of this process (a signal ends it).
    static void releaseAllHeldHere();
    // Removes a section this program wrote; false for any other.
    static bool removeDataSource(const QString &name);
    static bool isRegistered(const QString &name);
    // The value of one key of a registered data source, empty when absent.
    static QString registeredValue(const QString &name, const QString &key);
    // Letters ODBC allows in a data-source name, at most 32 bytes.
    static bool isValidDataSourceName(const QString &name);
    // True when the two paths name one database file (one server string).
    static bool isSameDatabase(const QString &one, const QString &other);

    static const QString &requirementsRegistrationFailure();
};

} // namespace varn::app
