#pragma once

#include "common/commontr.h"

namespace varn::CommonMessages {

// Texts several subsystems show alike; shown through CommonTr::tr().
inline constexpr char kQueryFailed[] =
    QT_TRANSLATE_NOOP("varn::common", "Error querying the Requirements database.");

} // namespace varn::CommonMessages
