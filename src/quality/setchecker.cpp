#include "quality/setchecker.h"

namespace varn::quality {

QList<RequirementFindings> SetChecker::check(const WorkspaceFacts &) const
{
    return {};
}

} // namespace varn::quality
