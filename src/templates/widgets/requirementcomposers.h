#pragma once

#include <QString>

namespace varn::app {
class Workbench;
}

namespace varn::templates {

// Edit... and Re-use... of Requirements Central: opens the composer that
// stored the requirement, on it, in edit or re-use mode; refusals (nothing
// selected, an edit of a deleted row, no composer) are shown instead.
void openStoredRequirement(app::Workbench &workbench, int number, bool edit);

// Opens a functional template (1 to 18) new, with the text for its Work Area.
void openFunctionalTemplate(app::Workbench &workbench, int templateNumber,
                            const QString &workText = {});

// Opens the Requirement Builder on a new requirement.
void openRequirementBuilder(app::Workbench &workbench);

// Opens a structural template (19 to 22) new, with the text for its Work Area.
void openStructuralTemplate(app::Workbench &workbench, int templateNumber,
                            const QString &workText = {});

} // namespace varn::templates
