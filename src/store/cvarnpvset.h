#pragma once

#include "store/creqpvset.h"

namespace varn::store {

// POSS_VALS of the application database, read only.
class CVarnPvSet : public RecordSet<PossValRow>
{
public:
    explicit CVarnPvSet(const QString &connectionName)
        : RecordSet("VarnPvSet", "POSS_VALS", kPossValColumns, Access::ReadOnly, connectionName)
    {}
};

} // namespace varn::store
