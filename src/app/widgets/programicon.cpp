#include "app/widgets/programicon.h"

namespace varn::app {

QIcon ProgramIcon::icon()
{
    return QIcon(QStringLiteral(":/icons/varn-se.svg"));
}

} // namespace varn::app
