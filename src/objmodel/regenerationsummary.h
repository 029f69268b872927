#pragma once

#include <QString>

namespace varn::objmodel {

// The closing line of a regeneration, for the command line and the dialog
// alike: plain success, or how many requirements the rebuild went on past.
class RegenerationSummary
{
public:
    static QString success();
    // Empty when every requirement was rebuilt.
    static QString notRebuilt(int count);
};

} // namespace varn::objmodel
