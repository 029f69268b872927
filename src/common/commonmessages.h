#pragma once

#include "common/commontr.h"

namespace varn::CommonMessages {

// Texts several subsystems show alike; shown through CommonTr::tr().
inline constexpr char kQueryFailed[] =
    QT_TRANSLATE_NOOP("varn::common", "Error querying the Requirements database.");
// The application database (the worked examples) cannot be opened; the
// driver's reason follows.
inline constexpr char kCannotOpenApplication[] = QT_TRANSLATE_NOOP(
    "varn::common",
    "Cannot open Application database.\nCheck the configuration and permissions of the AppDB.\n");

} // namespace varn::CommonMessages
