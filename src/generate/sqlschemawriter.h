#pragma once

#include "objmodel/objectmodel.h"

#include <QString>

namespace varn::generate {

// Renders the object model as a plain SQL schema that SQLite 3 and
// PostgreSQL both run as it is: one transaction that creates a table per
// entity (the key, then the int, long and double attributes as columns),
// then adds the foreign-key columns with their references, then an index on
// each. Tables and columns are named as in the SQL module, always in double
// quotes, so keywords and names with blanks stay names. Names the databases
// would take for one are made distinct with "_2", "_3", ...: table names
// and the column names of one table differing only in case (SQLite ignores
// case in names), and names longer than PostgreSQL's 63 bytes (cut, with a
// short hash of the whole name).
class SqlSchemaWriter
{
public:
    SqlSchemaWriter(const objmodel::ObjectModel &model, QString systemName);

    QString render() const;

    // The file name beside the module: system name + "-schema.sql".
    static QString fileName(const QString &systemName);

private:
    const objmodel::ObjectModel &m_model;
    QString m_systemName;
};

} // namespace varn::generate
