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

    QString databasePath() const;

    // "DSN=...; UID=...; PWD=...; DESCRIPTION=...; DBQ=...; FIL=MicrosoftAccess;
    // DEFAULTDIR=..." - the string that registers the data source and opens
    // its connection.
    QString attributeString() const;

    // The attribute string must fit a 255-character buffer: 254 characters at
    // most. The two messages differ only in their line break.
    enum class Kind { Requirements, Application };
    Outcome checkAttributeLength(Kind kind) const;

    static DataSource requirementsFor(const QString &systemName, const QString &installPath);
    static DataSource applicationIn(const QString &databaseDirectory);
};

// Registers and removes per-user ODBC data sources through unixODBC's
// installer library, for the SQLite3 ODBC driver, so any ODBC client can read
// the open workspace.
class OdbcInstaller
{
public:
    static const char *driverName() { return "SQLite3"; }

    static bool isDriverInstalled();
    static bool registerDataSource(const DataSource &source);
    static bool removeDataSource(const QString &name);
    static bool isRegistered(const QString &name);
    // The value of one key of a registered data source, empty when absent.
    static QString registeredValue(const QString &name, const QString &key);

    static const QString &requirementsRegistrationFailure();
};

} // namespace varn::app
