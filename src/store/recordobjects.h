#pragma once

#include "common/outcome.h"
#include "store/cdependset.h"
#include "store/counterset.h"
#include "store/creqagset.h"
#include "store/creqatset.h"
#include "store/creqenset.h"
#include "store/creqinset.h"
#include "store/creqmeset.h"
#include "store/creqmsset.h"
#include "store/creqoeset.h"
#include "store/creqompvset.h"
#include "store/creqpvset.h"
#include "store/creqset.h"
#include "store/creqstset.h"

#include <QList>
#include <QString>

#include <memory>

namespace varn::store {

// The groups in which the long-lived record sets are opened and closed.
enum class RecordGroup { Functional, Structural, AllRequirements, ObjectModel };

// One long-lived set per requirements table and per counter table, all on the
// workspace's one requirements connection, created when a workspace is
// created or opened and destroyed before that connection is closed.
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
    [[nodiscard]] Outcome openGroup(RecordGroup group);
    void closeGroup(RecordGroup group);
    void closeAll();
    // The group's sets in its order.
    QList<RecordSetCore *> groupSets(RecordGroup group);

    CReqMsSet &reqMsSet() { return m_reqMsSet; }
    CReqSet &reqSet() { return m_reqSet; }
    CReqStSet &reqStSet() { return m_reqStSet; }
    CReqPvSet &reqPvSet() { return m_reqPvSet; }
    CReqEnSet &reqEnSet() { return m_reqEnSet; }
    CDependSet &dependSet() { return m_dependSet; }
    CReqOeSet &reqOeSet() { return m_reqOeSet; }
    CReqAtSet &reqAtSet() { return m_reqAtSet; }
    CReqMeSet &reqMeSet() { return m_reqMeSet; }
    CReqInSet &reqInSet() { return m_reqInSet; }
    CReqAgSet &reqAgSet() { return m_reqAgSet; }
    CReqOmPvSet &reqOmPvSet() { return m_reqOmPvSet; }

    CPkRqMastrSet &pkRqMastrSet() { return m_pkRqMastrSet; }
    CPkRqEntSet &pkRqEntSet() { return m_pkRqEntSet; }
    CPkDepReq &pkDepReq() { return m_pkDepReq; }
    CPkRqPvSet &pkRqPvSet() { return m_pkRqPvSet; }
    CPkRqOEntSet &pkRqOEntSet() { return m_pkRqOEntSet; }
    CPkRqOAttrSet &pkRqOAttrSet() { return m_pkRqOAttrSet; }
    CPkRqOMethSet &pkRqOMethSet() { return m_pkRqOMethSet; }
    CPkRqOInhSet &pkRqOInhSet() { return m_pkRqOInhSet; }
    CPkRqOAggSet &pkRqOAggSet() { return m_pkRqOAggSet; }
    CPkRqOPvSet &pkRqOPvSet() { return m_pkRqOPvSet; }
    CounterSet &counter(Counter which);

private:
    RecordSetCore &set(int id);

    QString m_connection;
    CReqMsSet m_reqMsSet;
    CReqSet m_reqSet;
    CReqStSet m_reqStSet;
    CReqPvSet m_reqPvSet;
    CReqEnSet m_reqEnSet;
    CDependSet m_dependSet;
    CReqOeSet m_reqOeSet;
    CReqAtSet m_reqAtSet;
    CReqMeSet m_reqMeSet;
    CReqInSet m_reqInSet;
    CReqAgSet m_reqAgSet;
    CReqOmPvSet m_reqOmPvSet;
    CPkRqMastrSet m_pkRqMastrSet;
    CPkRqEntSet m_pkRqEntSet;
    CPkDepReq m_pkDepReq;
    CPkRqPvSet m_pkRqPvSet;
    CPkRqOEntSet m_pkRqOEntSet;
    CPkRqOAttrSet m_pkRqOAttrSet;
    CPkRqOMethSet m_pkRqOMethSet;
    CPkRqOInhSet m_pkRqOInhSet;
    CPkRqOAggSet m_pkRqOAggSet;
    CPkRqOPvSet m_pkRqOPvSet;
};

} // namespace varn::store
