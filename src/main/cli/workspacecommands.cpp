#include "cli/clicommand.h"

namespace varn::cli {

std::vector<Command> workspaceCommands()
{
    return {};
}

} // namespace varn::cli
