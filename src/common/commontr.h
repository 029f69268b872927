#pragma once

#include <QCoreApplication>

namespace varn {

// The translation context of the texts the subsystems share (common/): shown
// through CommonTr::tr(), or kept with QT_TRANSLATE_NOOP("varn::common", "...")
// in a constant and passed through CommonTr::tr() where it is shown.
struct CommonTr
{
    Q_DECLARE_TR_FUNCTIONS(varn::common)
};

} // namespace varn
