#pragma once

namespace varn::app {
class Workbench;
}

namespace varn::central {

// File > Print...: a print preview of the requirements Requirements Central
// lists, from which the user prints or writes a PDF file.
void printListedRequirements(app::Workbench &workbench);

} // namespace varn::central
