#pragma once

#include "app/widgets/commandid.h"

#include <QString>

namespace varn::app {
class FeatureRegistry;
class Workbench;
} // namespace varn::app

namespace varn::interchange {

// File > Export... and File > Import...
inline constexpr app::CommandId kExportRequirements{"Interchange.Export"};
inline constexpr app::CommandId kImportRequirements{"Interchange.Import"};

// Traces a requirement (0: none is selected) into what it produced.
void traceRequirement(app::Workbench &workbench, int number);
// Lists the requirements that produced a class, named by its class name or
// its words.
void showClassRequirements(app::Workbench &workbench, const QString &name);

// Registers File > Export... and File > Import...
void registerInterchangeFeatures(app::FeatureRegistry &registry);

} // namespace varn::interchange
