#pragma once

#include "store/recordset.h"
#include "store/requirementrows.h"

namespace varn::store {

// FUNC_REQ of the requirements database.
class CReqSet : public RecordSet<FuncReqRow>
{
public:
    explicit CReqSet(const QString &connectionName)
        : RecordSet("ReqSet", "FUNC_REQ", kFuncReqColumns, Access::Updatable, connectionName)
    {}
};

} // namespace varn::store
