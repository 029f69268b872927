#pragma once

#include "store/creqstset.h"

namespace varn::store {

// STRUC_REQ of the application database (worked examples), read only: the
// same columns as the requirements database's, read by name.
class CVarnStSet : public RecordSet<StrucReqRow>
{
public:
    explicit CVarnStSet(const QString &connectionName)
        : RecordSet("VarnStSet", "STRUC_REQ", kStrucReqColumns, Access::ReadOnly, connectionName)
    {}
};

} // namespace varn::store
