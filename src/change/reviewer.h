#pragma once

#include <QString>

namespace varn::change {

// Who makes a baseline or reviews a link, and when, as the tables record it.
class Reviewer
{
public:
    // The login name of the user running the program.
    static QString currentUser();
    // The moment, in UTC, as "2026-12-08T05:42:39Z".
    static QString now();
};

} // namespace varn::change
