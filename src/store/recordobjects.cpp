#include "store/recordobjects.h"

#include "store/storemessages.h"

#include <new>
#include <span>

namespace varn::store {

namespace {

// The sets a group names, by table.
enum SetId {
    ReqMs,
    Req,
    ReqSt,
    ReqPv,
    ReqEn,
    Depend,
    ReqOe,
    ReqAt,
    ReqMe,
    ReqIn,
    ReqAg,
    ReqOmPv,
    PkRqMastr,
    PkRqEnt,
    PkDepReq,
    PkRqPv,
    PkRqOEnt,
    PkRqOAttr,
    PkRqOMeth,
    PkRqOInh,
    PkRqOAgg,
    PkRqOPv,
    SetCount
};

// The counters in the order of Counter.
static_assert(PkRqOPv - PkRqMastr == int(Counter::PvOm) &&
              PkDepReq - PkRqMastr == int(Counter::DepReq));

constexpr SetId kFunctionalGroup[] = {Req, ReqMs, PkRqMastr, Depend, PkDepReq};
constexpr SetId kStructuralGroup[] = {ReqSt, ReqMs, PkRqMastr, ReqPv, PkRqPv, Depend, PkDepReq};
constexpr SetId kAllRequirementsGroup[] = {Req,   ReqSt,  ReqMs,  PkRqMastr,
                                           ReqPv, PkRqPv, Depend, PkDepReq};
constexpr SetId kObjectModelGroup[] = {PkRqEnt,   PkRqOAgg, PkRqOAttr, PkRqOEnt, PkRqOInh,
                                       PkRqOMeth, PkRqOPv,  ReqEn,     ReqAg,    ReqAt,
                                       ReqOe,     ReqIn,    ReqMe,     ReqOmPv};

std::span<const SetId> membersOf(RecordGroup group)
{
    switch (group) {
    case RecordGroup::Functional:
        return kFunctionalGroup;
    case RecordGroup::Structural:
        return kStructuralGroup;
    case RecordGroup::AllRequirements:
        return kAllRequirementsGroup;
    case RecordGroup::ObjectModel:
        return kObjectModelGroup;
    }
    return {};
}

} // namespace

Result<std::unique_ptr<RecordObjects>> RecordObjects::create(const QString &connectionName)
{
    try {
        return std::make_unique<RecordObjects>(connectionName);
    } catch (const std::bad_alloc &) {
        return Outcome::stop(QString::fromLatin1(messages::kOutOfMemoryRecordsets));
    }
}

RecordObjects::RecordObjects(const QString &connectionName)
    : m_connection(connectionName), m_reqMsSet(connectionName), m_reqSet(connectionName),
      m_reqStSet(connectionName), m_reqPvSet(connectionName), m_reqEnSet(connectionName),
      m_dependSet(connectionName), m_reqOeSet(connectionName), m_reqAtSet(connectionName),
      m_reqMeSet(connectionName), m_reqInSet(connectionName), m_reqAgSet(connectionName),
      m_reqOmPvSet(connectionName), m_pkRqMastrSet(connectionName), m_pkRqEntSet(connectionName),
      m_pkDepReq(connectionName), m_pkRqPvSet(connectionName), m_pkRqOEntSet(connectionName),
      m_pkRqOAttrSet(connectionName), m_pkRqOMethSet(connectionName), m_pkRqOInhSet(connectionName),
      m_pkRqOAggSet(connectionName), m_pkRqOPvSet(connectionName)
{}

RecordObjects::~RecordObjects()
{
    closeAll();
}

Outcome RecordObjects::openGroup(RecordGroup group)
{
    for (RecordSetCore *member : groupSets(group)) {
        member->close();
        member->setFilter({});
        if (Outcome opened = member->open(); !opened) {
            closeGroup(group);
            return opened;
        }
    }
    return Outcome::ok();
}

void RecordObjects::closeGroup(RecordGroup group)
{
    for (RecordSetCore *member : groupSets(group))
        member->close();
}

void RecordObjects::closeAll()
{
    for (int id = 0; id < SetCount; ++id)
        set(id).close();
}

QList<RecordSetCore *> RecordObjects::groupSets(RecordGroup group)
{
    QList<RecordSetCore *> sets;
    for (SetId id : membersOf(group))
        sets.append(&set(id));
    return sets;
}

CounterSet &RecordObjects::counter(Counter which)
{
    return static_cast<CounterSet &>(set(PkRqMastr + int(which)));
}

RecordSetCore &RecordObjects::set(int id)
{
    RecordSetCore *const sets[SetCount] = {
        &m_reqMsSet,    &m_reqSet,      &m_reqStSet,     &m_reqPvSet,     &m_reqEnSet,
        &m_dependSet,   &m_reqOeSet,    &m_reqAtSet,     &m_reqMeSet,     &m_reqInSet,
        &m_reqAgSet,    &m_reqOmPvSet,  &m_pkRqMastrSet, &m_pkRqEntSet,   &m_pkDepReq,
        &m_pkRqPvSet,   &m_pkRqOEntSet, &m_pkRqOAttrSet, &m_pkRqOMethSet, &m_pkRqOInhSet,
        &m_pkRqOAggSet, &m_pkRqOPvSet,
    };
    return *sets[id];
}

} // namespace varn::store
