#pragma once

#include "common/outcome.h"

#include <QString>

#include <memory>

namespace varn::store {

// An empty requirements database in memory, for work that must not touch a
// workspace: what one requirement alone derives into the object model, say.
// Made from the schema script the blank images are built from, on a
// connection of its own that is closed and forgotten when it is destroyed
// (after the owners working on it are gone).
class ScratchDatabase
{
public:
    // A stop naming the statement that failed when it cannot be made.
    static Result<std::shared_ptr<ScratchDatabase>> create();
    ~ScratchDatabase();
    ScratchDatabase(const ScratchDatabase &) = delete;
    ScratchDatabase &operator=(const ScratchDatabase &) = delete;

    const QString &connectionName() const { return m_connection; }

private:
    explicit ScratchDatabase(QString connectionName);

    QString m_connection;
};

} // namespace varn::store
