#pragma once

#include <QIcon>

namespace varn::app {

// The Varn SE icon, shipped inside the program, for every window.
class ProgramIcon
{
public:
    static QIcon icon();
};

} // namespace varn::app
