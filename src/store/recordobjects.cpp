#include "store/recordobjects.h"
#include "store/storetr.h"

#include "store/sqldialect.h"
#include "store/storemessages.h"

#include <QSqlDatabase>
#include <new>
#include <span>

namespace varn::store {

namespace {

// The sets a group names, by table.
enum SetId { ReqMs, Req, ReqSt, ReqPv, Depend, PkRqMastr, PkDepReq, PkRqPv, SetCount };

constexpr SetId kFunctionalGroup[] = {Req, ReqMs, PkRqMastr, Depend, PkDepReq};
constexpr SetId kStructuralGroup[] = {ReqSt, ReqMs, PkRqMastr, ReqPv, PkRqPv, Depend, PkDepReq};

bool isCounter(SetId id)
{
    return id == PkRqMastr || id == PkDepReq || id == PkRqPv;
}

std::span<const SetId> membersOf(RecordGroup group)
{
    return group == RecordGroup::Functional ? std::span<const SetId>(kFunctionalGroup)
                                            : std::span<const SetId>(kStructuralGroup);
}

} // namespace

Result<std::unique_ptr<RecordObjects>> RecordObjects::create(const QString &connectionName)
{
    try {
        return std::make_unique<RecordObjects>(connectionName);
    } catch (const std::bad_alloc &) {
        return Outcome::stop(Tr::tr(messages::kOutOfMemoryRecordsets));
    }
}

RecordObjects::RecordObjects(const QString &connectionName)
    : m_connection(connectionName), m_reqMsSet(connectionName), m_reqSet(connectionName),
      m_reqStSet(connectionName), m_reqPvSet(connectionName), m_dependSet(connectionName),
      m_pkRqMastrSet(connectionName), m_pkDepReq(connectionName), m_pkRqPvSet(connectionName)
{}

RecordObjects::~RecordObjects()
{
    closeAll();
}

Outcome RecordObjects::openGroup(RecordGroup group)
{
    if (m_heldGroup) {
        if (*m_heldGroup == group)
            return Outcome::ok();
        closeSets(*m_heldGroup);
        m_heldGroup.reset();
    }
    const bool readsWhole =
        !SqlDialect::streamsBetweenStatements(QSqlDatabase::database(m_connection, false));
    for (const SetId id : membersOf(group)) {
        RecordSetCore *member = &set(id);
        member->close();
        const bool appendOnly = readsWhole && !isCounter(id);
        member->setFilter(appendOnly ? QStringLiteral("1 = 0") : QString());
        if (Outcome opened = member->open(); !opened) {
            closeSets(group);
            return opened;
        }
    }
    if (m_holding)
        m_heldGroup = group;
    return Outcome::ok();
}

void RecordObjects::closeGroup(RecordGroup group)
{
    if (m_heldGroup != group)
        closeSets(group);
}

void RecordObjects::dropGroup(RecordGroup group)
{
    if (m_heldGroup == group)
        m_heldGroup.reset();
    closeSets(group);
}

void RecordObjects::holdGroups()
{
    m_holding = true;
}

void RecordObjects::releaseGroups()
{
    m_holding = false;
    if (m_heldGroup)
        closeSets(*m_heldGroup);
    m_heldGroup.reset();
}

void RecordObjects::closeSets(RecordGroup group)
{
    for (RecordSetCore *member : groupSets(group)) {
        member->close();
        member->setFilter({});
    }
}

void RecordObjects::closeAll()
{
    m_heldGroup.reset();
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

RecordSetCore &RecordObjects::set(int id)
{
    RecordSetCore *const sets[SetCount] = {
        &m_reqMsSet,  &m_reqSet,       &m_reqStSet, &m_reqPvSet,
        &m_dependSet, &m_pkRqMastrSet, &m_pkDepReq, &m_pkRqPvSet,
    };
    return *sets[id];
}

} // namespace varn::store
