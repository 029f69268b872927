#pragma once

#include "common/outcome.h"
#include "store/cdependset.h"
#include "store/counterset.h"
#include "store/creqmsset.h"
#include "store/creqpvset.h"
#include "store/creqset.h"
#include "store/creqstset.h"
#include "store/recordgroup.h"

#include <QList>
#include <QString>

#include <memory>
#include <optional>

namespace varn::store {

// One long-lived set per requirements table and per requirement counter, all
// on the workspace's one requirements connection, created when a workspace is
// created or opened and destroyed before that connection is closed. The
// object-model tables and their counters are written by
// objmodel::ObjectModelWriter alone.
class RecordObjects
{
public:
    // Refuses with the out-of-memory message when the sets cannot be made.
    static Result<std::unique_ptr<RecordObjects>> create(const QString &connectionName);

    explicit RecordObjects(const QString &connectionName);
    ~RecordObjects();
    RecordObjects(const RecordObjects &) = delete;
    RecordObjects &operator=(const RecordObjects &) = delete;

    const QString &connectionName() const { return m_connection; }

    // Closes each set of the group, clears its filter and opens it again on
    // its default table, in the group's order. When a set cannot be opened the
    // group is closed again and the outcome names that set
    // ("Cannot open ReqAtSet recordset.\n" + the database's text).
    // A save only appends to the sets of its group: where the database hands
    // a set its rows all at once (a server), those sets open on no row, and
    // only the counters read theirs. Closing the group clears the filters.
    [[nodiscard]] Outcome openGroup(RecordGroup group);
    void closeGroup(RecordGroup group);
    void closeAll();

    // A batch of saves inside one transaction (an import) keeps the group
    // its saves write through open from one save to the next rather than
    // opening its sets afresh for each: while held, openGroup() of the group
    // already open does nothing and closeGroup() leaves it open. A save that
    // does not commit drops the group (dropGroup), so that the next one reads
    // its counters again; releaseGroups() closes what is held and ends the
    // holding, before the batch commits or rolls back.
    void holdGroups();
    void releaseGroups();
    void dropGroup(RecordGroup group);
    // The group's sets in its order.
    QList<RecordSetCore *> groupSets(RecordGroup group);

    CReqMsSet &reqMsSet() { return m_reqMsSet; }
    CReqSet &reqSet() { return m_reqSet; }
    CReqStSet &reqStSet() { return m_reqStSet; }
    CReqPvSet &reqPvSet() { return m_reqPvSet; }
    CDependSet &dependSet() { return m_dependSet; }

    CPkRqMastrSet &pkRqMastrSet() { return m_pkRqMastrSet; }
    CPkDepReq &pkDepReq() { return m_pkDepReq; }
    CPkRqPvSet &pkRqPvSet() { return m_pkRqPvSet; }

private:
    RecordSetCore &set(int id);
    void closeSets(RecordGroup group);

    QString m_connection;
    CReqMsSet m_reqMsSet;
    CReqSet m_reqSet;
    CReqStSet m_reqStSet;
    CReqPvSet m_reqPvSet;
    CDependSet m_dependSet;
    CPkRqMastrSet m_pkRqMastrSet;
    CPkDepReq m_pkDepReq;
    CPkRqPvSet m_pkRqPvSet;
    bool m_holding = false;
    std::optional<RecordGroup> m_heldGroup;
};

} // namespace varn::store
