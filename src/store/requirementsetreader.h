#pragma once

#include "common/outcome.h"
#include "store/recordcolumn.h"
#include "store/requirementrows.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace varn::store {

// A stored requirement whole, as an export writes it: its MASTER_REQ row,
// the row its composer stored (FUNC_REQ or STRUC_REQ, every column as the
// database lists it) and its possible values.
struct WholeRequirement
{
    MasterReqRow master;
    // "STRUC_REQ" or "FUNC_REQ"; empty when the requirement has no composer
    // row (a number with rows in both tables is read as structural).
    QString composerTable;
    // The composer row's columns after its key, by name, in the table's
    // order, and their values as text.
    QStringList composerColumns;
    QStringList composerTexts;
    QStringList possibleValues;
};

// A whole requirement's composer row as the typed row of its table, read by
// the table's column list (kFuncReqColumns or kStrucReqColumns, key first);
// columns it does not hold keep their defaults.
template <typename Row, std::size_t N>
Row composerRowOf(const WholeRequirement &requirement, const RecordColumn<Row> (&columns)[N])
{
    Row row;
    for (std::size_t i = 1; i < N; ++i) {
        const int at = int(requirement.composerColumns.indexOf(QLatin1String(columns[i].name)));
        if (at < 0)
            continue;
        const QString &text = requirement.composerTexts.at(at);
        if (const auto *number = std::get_if<int Row::*>(&columns[i].member))
            row.**number = text.toInt();
        else
            row.*std::get<QString Row::*>(columns[i].member) = text;
    }
    return row;
}

// One dependent link: `dependent` depends on `parent`.
struct StoredLink
{
    qint32 parent = 0;
    qint32 dependent = 0;
};

// Reads every stored requirement of a workspace in a few passes over the
// tables, for the exports. A failure stops with "Error querying the
// Requirements database.\n" and the database's text.
class RequirementSetReader
{
public:
    explicit RequirementSetReader(QString connectionName) : m_connection(std::move(connectionName))
    {}

    // Hands visit every live requirement (with everyVersion also the deleted
    // and superseded rows) in number order. The requirement handed over is
    // valid until visit returns. The rows are read as they are handed over
    // (on a server through cursors), so a workspace of any size takes the
    // same memory.
    Outcome forEach(bool everyVersion,
                    const std::function<void(const WholeRequirement &requirement)> &visit) const;
    // The same, stopped by the first refusal visit returns, which is
    // returned as it is.
    Outcome read(bool everyVersion,
                 const std::function<Outcome(const WholeRequirement &requirement)> &visit) const;
    // The numbers forEach would hand over, in the same order, each with
    // whether its row is deleted; only the two columns are read.
    Outcome forEachNumber(bool everyVersion,
                          const std::function<void(qint32 number, bool deleted)> &visit) const;
    // Every dependent link, by parent, then in the order the links were saved.
    Result<QList<StoredLink>> links() const;

    // Keeps the reads of one export on one view of the database to its end:
    // on a server a read-only transaction (in which the cursors live), on a
    // workspace file a read transaction. Nothing is begun inside a save's
    // transaction or another snapshot, whose view the reads then share.
    class Snapshot
    {
    public:
        explicit Snapshot(QString connectionName);
        ~Snapshot();
        Snapshot(const Snapshot &) = delete;
        Snapshot &operator=(const Snapshot &) = delete;

        // Whether one is open on the connection: a reader that would begin
        // and end a transaction of its own reads inside it instead.
        static bool isOpen(const QString &connectionName);

    private:
        QString m_connection;
        bool m_own = false;
    };

private:
    QString m_connection;
};

} // namespace varn::store
