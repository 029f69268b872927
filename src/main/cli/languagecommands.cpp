#include "cli/clicommand.h"

namespace varn::cli {

// check, label and normalize come with the requirement language.
std::vector<Command> languageCommands()
{
    return {};
}

} // namespace varn::cli
