#pragma once

#include "store/recordset.h"
#include "store/requirementrows.h"

namespace varn::store {

// MASTER_REQ of the requirements database. Rows are never deleted (the set
// refuses to): a deleted or superseded requirement gets the kind "Deleted".
class CReqMsSet : public RecordSet<MasterReqRow>
{
public:
    explicit CReqMsSet(const QString &connectionName)
        : RecordSet("ReqMsSet", "MASTER_REQ", kMasterReqColumns, Access::Appendable, connectionName)
    {}
};

} // namespace varn::store
