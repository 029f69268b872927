#pragma once

#include "store/recordset.h"

namespace varn::store {

// One REQ_ENTITY row: an entity name a requirement mentions and the object-model
// entity it became.
struct ReqEntityRow
{
    qint32 Req_EntityID = 0;
    QString ReqEntity;
    qint32 FK_FReqNum = 0;
    qint32 FK_SReqNum = 0;
    qint32 FK_OMEntity = 0;
};

inline constexpr RecordColumn<ReqEntityRow> kReqEntityColumns[] = {
    {"Req_EntityID", ColumnType::Long, &ReqEntityRow::Req_EntityID},
    {"ReqEntity", ColumnType::Text, &ReqEntityRow::ReqEntity},
    {"FK_FReqNum", ColumnType::Reference, &ReqEntityRow::FK_FReqNum},
    {"FK_SReqNum", ColumnType::Reference, &ReqEntityRow::FK_SReqNum},
    {"FK_OMEntity", ColumnType::Reference, &ReqEntityRow::FK_OMEntity},
};
static_assert(columnsMatchMembers<ReqEntityRow>(kReqEntityColumns));

// REQ_ENTITY of the requirements database. The three FK_ columns are enforced
// references: a row names either its functional requirement (FK_FReqNum) or its
// structural one (FK_SReqNum), and the other column must hold NULL, not 0. The
// set writes a reference left at 0 as NULL, so a structural requirement's row
// simply leaves FK_FReqNum at 0 (and a functional one FK_SReqNum).
class CReqEnSet : public RecordSet<ReqEntityRow>
{
public:
    explicit CReqEnSet(const QString &connectionName)
        : RecordSet("ReqEnSet", "REQ_ENTITY", kReqEntityColumns, Access::Updatable, connectionName)
    {}
};

} // namespace varn::store
