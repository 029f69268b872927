#pragma once

#include "common/outcome.h"

#include <QString>

#include <span>

namespace varn::store {

// SQLite's foreign keys switched off for the lifetime of this object and
// checked once, table by table, before the caller commits. A rebuild empties
// every model table and writes each row once: with keys enforced, every
// deleted row would look for its dependants and the emptying could not be
// done page by page. The switch only takes effect outside a transaction, so
// the object is made before the rebuild's transaction begins. On a server
// nothing changes.
class ForeignKeysCheckedOnce
{
public:
    explicit ForeignKeysCheckedOnce(QString connectionName);
    ~ForeignKeysCheckedOnce();

    ForeignKeysCheckedOnce(const ForeignKeysCheckedOnce &) = delete;
    ForeignKeysCheckedOnce &operator=(const ForeignKeysCheckedOnce &) = delete;

    // Stops, naming the first row that refers to nothing, when any row of
    // the tables does; ok when the keys were never switched off.
    [[nodiscard]] Outcome check(std::span<const char *const> tables) const;

private:
    QString m_connection;
    bool m_switchedOff = false;
};

} // namespace varn::store
