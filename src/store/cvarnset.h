#pragma once

#include "store/creqset.h"

namespace varn::store {

// FUNC_REQ of the application database (worked examples), read only.
class CVarnSet : public RecordSet<FuncReqRow>
{
public:
    explicit CVarnSet(const QString &connectionName)
        : RecordSet("VarnSet", "FUNC_REQ", kFuncReqColumns, Access::ReadOnly, connectionName)
    {}
};

} // namespace varn::store
