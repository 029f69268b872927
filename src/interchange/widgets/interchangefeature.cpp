#include "interchange/widgets/interchangefeature.h"

#include "app/cvarnapp.h"
#include "app/widgets/featureregistry.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/workbench.h"
#include "interchange/widgets/exchangedialog.h"
#include "interchange/widgets/tracedialog.h"

namespace varn::interchange {

void registerInterchangeFeatures(app::FeatureRegistry &registry)
{
    for (const auto &[command, direction] :
         {std::pair{app::Command::ExportRequirements, ExchangeDialog::Direction::Export},
          std::pair{app::Command::ImportRequirements, ExchangeDialog::Direction::Import}}) {
        registry.provideCommand(command, [direction](app::Workbench &workbench, int) {
            if (!workbench.app().isWorkspaceOpen())
                return;
            ExchangeDialog dialog(workbench, direction, workbench.dialogParent());
            workbench.presenter().runDialog(dialog);
        });
    }
    registry.provideCommand(
        app::Command::TraceRequirement, [](app::Workbench &workbench, int number) {
            if (!workbench.app().isWorkspaceOpen())
                return;
            if (number <= 0) {
                workbench.showMessage(
                    Outcome::warning(QStringLiteral("Select a requirement to trace.")));
                return;
            }
            TraceDialog dialog(workbench, workbench.dialogParent());
            if (dialog.showRequirement(number))
                workbench.presenter().runDialog(dialog);
        });
    registry.provideNamedCommand(app::Command::EntityRequirements,
                                 [](app::Workbench &workbench, const QString &name) {
                                     if (!workbench.app().isWorkspaceOpen())
                                         return;
                                     TraceDialog dialog(workbench, workbench.dialogParent());
                                     if (dialog.showEntity(name))
                                         workbench.presenter().runDialog(dialog);
                                 });
}

} // namespace varn::interchange
