#pragma once

#include "store/recordset.h"
#include "store/requirementrows.h"

namespace varn::store {

// STRUC_REQ of the requirements database.
class CReqStSet : public RecordSet<StrucReqRow>
{
public:
    explicit CReqStSet(const QString &connectionName)
        : RecordSet("ReqStSet", "STRUC_REQ", kStrucReqColumns, Access::Updatable, connectionName)
    {}
};

} // namespace varn::store
