#pragma once

#include "store/recordset.h"
#include "store/requirementrows.h"

namespace varn::store {

// MASTER_REQ of the application database, read only.
class CVarnMsSet : public RecordSet<VarnMasterRow>
{
public:
    explicit CVarnMsSet(const QString &connectionName)
        : RecordSet("VarnMsSet", "MASTER_REQ", kVarnMasterColumns, Access::ReadOnly, connectionName)
    {}
};

} // namespace varn::store
