#pragma once

#include "app/cvarnapp.h"

#include <QSqlDatabase>

// The open workspace's two connections, for suites that arrange and inspect
// rows themselves.
inline QSqlDatabase requirementsDatabaseOf(const varn::app::CVarnApp &app)
{
    return QSqlDatabase::database(app.requirementsConnectionName(), false);
}

inline QSqlDatabase applicationDatabaseOf(const varn::app::CVarnApp &app)
{
    return QSqlDatabase::database(app.applicationConnectionName(), false);
}
