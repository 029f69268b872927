#pragma once

#include "change/comparison.h"
#include "change/snapshot.h"
#include "common/outcome.h"
#include "store/baselinetables.h"

#include <QList>
#include <QString>

namespace varn::change {

// The baselines of a workspace: create (the live requirements frozen under a
// name unique in the workspace, with who made it and when), list, delete, and
// read one (or the live requirements) as a snapshot to compare. A baseline
// is never altered.
class Baselines
{
public:
    explicit Baselines(QString connectionName) : m_connection(std::move(connectionName)) {}

    // Refused when the name is empty, too long or holds control characters,
    // the comment too long, or the name taken.
    Result<store::BaselineRow> create(const QString &name, const QString &comment) const;
    Result<QList<store::BaselineRow>> list() const;
    // Refused (warning) when there is no such baseline.
    Outcome remove(const QString &name) const;

    Result<Snapshot> snapshot(const QString &name) const;
    Result<Snapshot> live() const;
    // The comparison of the named baseline with the other set (the live
    // requirements when its name is empty), each change handed to the sink
    // as it is found: what both sets hold alike is never read, and neither
    // set nor the report is held, so sets of any size take the same memory.
    // Refused (warning) when a baseline does not exist.
    Outcome compare(const QString &from, const QString &to, ChangeSink &sink) const;
    // The same comparison kept whole, for a window that shows it.
    Result<ChangeReport> compare(const QString &from, const QString &to) const;

    static QString createdStatus(const store::BaselineRow &row);
    static QString deletedStatus(const QString &name);
    static QString deletionQuestion(const QString &name);
    static QString unknown(const QString &name);

private:
    QString m_connection;
};

} // namespace varn::change
