#pragma once

#include "common/outcome.h"

#include <QString>
#include <QStringList>

#include <span>

namespace varn::store {

// The indexes of some tables, dropped for a bulk load inside an open
// transaction and created again from their stored definitions once the rows
// are in: building an index once costs far less than keeping it up to date
// row by row. A rollback brings the dropped indexes back as well.
class SuspendedIndexes
{
public:
    static Result<SuspendedIndexes> suspend(const QString &connectionName,
                                            std::span<const char *const> tables);
    // Creates every dropped index again; the first failure ends it.
    Outcome restore();

private:
    explicit SuspendedIndexes(QString connectionName) : m_connection(std::move(connectionName)) {}

    // Worker threads for the sorter while the indexes are built.
    static constexpr int kSorterThreads = 2;

    QString m_connection;
    QStringList m_definitions; // CREATE INDEX statements, as stored
};

} // namespace varn::store
