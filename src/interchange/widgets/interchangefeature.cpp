#include "interchange/widgets/interchangefeature.h"

#include "app/cvarnapp.h"
#include "app/widgets/featureregistry.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/workbench.h"
#include "interchange/interchangetr.h"
#include "interchange/widgets/exchangedialog.h"
#include "interchange/widgets/tracedialog.h"

namespace varn::interchange {

void traceRequirement(app::Workbench &workbench, int number)
{
    if (!workbench.app().isWorkspaceOpen())
        return;
    if (number <= 0) {
        workbench.showMessage(Outcome::warning(Tr::tr("Select a requirement to trace.")));
        return;
    }
    TraceDialog dialog(workbench, workbench.dialogParent());
    if (dialog.showRequirement(number))
        workbench.presenter().runDialog(dialog);
}

void showClassRequirements(app::Workbench &workbench, const QString &name)
{
    if (!workbench.app().isWorkspaceOpen())
        return;
    TraceDialog dialog(workbench, workbench.dialogParent());
    if (dialog.showEntity(name))
        workbench.presenter().runDialog(dialog);
}

void registerInterchangeFeatures(app::FeatureRegistry &registry)
{
    struct ExchangeItem
    {
        app::CommandId id;
        ExchangeDialog::Direction direction;
        QString text;
        QString tip;
    };
    const ExchangeItem items[] = {
        {kExportRequirements, ExchangeDialog::Direction::Export, Tr::tr("&Export..."),
         Tr::tr("Write the requirements as ReqIF, CSV or an HTML report")},
        {kImportRequirements, ExchangeDialog::Direction::Import, Tr::tr("&Import..."),
         Tr::tr("Read requirements from ReqIF or CSV")},
    };
    int order = 10;
    for (const ExchangeItem &exchange : items) {
        app::ActionSpec item;
        item.id = exchange.id;
        item.text = exchange.text;
        item.statusTip = exchange.tip;
        item.places = {{app::MenuGroup::FileExchange, order}};
        item.run = [direction = exchange.direction](app::Workbench &workbench) {
            if (!workbench.app().isWorkspaceOpen())
                return;
            ExchangeDialog dialog(workbench, direction, workbench.dialogParent());
            workbench.presenter().runDialog(dialog);
        };
        registry.addAction(item);
        order += 10;
    }
}

} // namespace varn::interchange
