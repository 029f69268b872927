#pragma once

#include "store/recordset.h"
#include "store/requirementrows.h"

namespace varn::store {

// POSS_VALS of the requirements database.
class CReqPvSet : public RecordSet<PossValRow>
{
public:
    explicit CReqPvSet(const QString &connectionName)
        : RecordSet("ReqPvSet", "POSS_VALS", kPossValColumns, Access::Updatable, connectionName)
    {}
};

} // namespace varn::store
