#pragma once

#include "common/outcome.h"
#include "store/serveraddress.h"

#include <QString>

namespace varn::app {

// Test Connection before a team workspace is created: reaches the database
// on the server and says what it holds, or gives the server's reason why it
// cannot be reached. It leaves no connection open.
class ServerConnectionCheck
{
public:
    // The sentence to show on success.
    static Result<QString> run(const store::ServerAddress &address);
};

} // namespace varn::app
