#include "app/widgets/actionspec.h"

#include "app/cvarnapp.h"
#include "app/widgets/workbench.h"

namespace varn::app {

Availability Availability::withWorkspace(const Workbench &workbench)
{
    return {workbench.app().isWorkspaceOpen(), {}};
}

std::function<Availability(const Workbench &)> Availability::withWindow(WindowKind kind)
{
    return [kind](const Workbench &workbench) {
        return Availability{workbench.view(kind) != nullptr, {}};
    };
}

} // namespace varn::app
