#pragma once

#include <QCoreApplication>

namespace varn::quality {

// The translation context of this subsystem's texts, engine and widgets alike:
// Tr::tr("...") for a text shown where it is written, QT_TRANSLATE_NOOP("varn::quality", "...")
// for one kept in a constant and passed through Tr::tr() where it is shown.
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(varn::quality)
};

} // namespace varn::quality
