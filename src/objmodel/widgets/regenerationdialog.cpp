#include "objmodel/widgets/regenerationdialog.h"

#include "app/cvarnapp.h"
#include "app/widgets/busydialog.h"
#include "app/widgets/featureregistry.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/workbench.h"
#include "objmodel/objectmodelregenerator.h"
#include "objmodel/objmodeltr.h"
#include "objmodel/regenerationsummary.h"

namespace varn::objmodel {

namespace {

const QColor kBackground(253, 233, 161);
constexpr char kReady[] = QT_TRANSLATE_NOOP("varn::objmodel", "\n    Ready.");
constexpr char kPleaseWait[] = QT_TRANSLATE_NOOP("varn::objmodel", "\n    Please wait...");

} // namespace

QString RegenerationDialog::staleText()
{
    return Tr::tr("One or more requirements have been edited or deleted.\nYour database "
                  "needs to regenerated. Click Generate.");
}

RegenerationDialog::RegenerationDialog(app::Workbench &workbench, Opening opening, QWidget *parent)
    : ProgressDialog(title(), app::ProgressPanel::Processed::Shown, parent), m_workbench(workbench)
{
    setBackground(kBackground);
    panel()->setStatus(opening == Opening::Stale ? staleText() : Tr::tr(kReady));
}

void RegenerationDialog::generate()
{
    app::BusyDialog busy(*this);
    panel()->setStatus(Tr::tr(kPleaseWait));
    panel()->setPercent(0);
    panel()->setProcessed(0);

    ObjectModelRegenerator regenerator(m_workbench.app().requirementsConnectionName());
    regenerator.setProgress([this](int percent, int processed) {
        panel()->setProcessed(processed);
        panel()->setPercent(percent);
    });
    regenerator.setNotices([this](const Outcome &notice) { m_workbench.showMessage(notice); });
    const Outcome regenerated = regenerator.regenerate();
    if (!regenerated) {
        m_workbench.showMessage(regenerated);
        return;
    }
    panel()->setPercent(100);
    m_workbench.app().setRequirementsChanged(false);
    m_workbench.announceObjectModelRebuilt();
    if (const int failed = regenerator.notRebuiltCount(); failed > 0) {
        const QString summary = RegenerationSummary::notRebuilt(failed);
        panel()->setStatus(QLatin1Char('\n') + summary);
        m_workbench.showMessage(Outcome::warning(summary));
        return;
    }
    panel()->setStatus(QLatin1Char('\n') + RegenerationSummary::success());
}

void RegenerationDialog::run(app::Workbench &workbench, Opening opening)
{
    if (!workbench.app().isWorkspaceOpen())
        return;
    RegenerationDialog dialog(workbench, opening, workbench.dialogParent());
    workbench.presenter().runDialog(dialog);
}

void remindToRegenerate(app::Workbench &workbench)
{
    RegenerationDialog::run(workbench, RegenerationDialog::Opening::Stale);
}

void registerRegenerationFeatures(app::FeatureRegistry &registry)
{
    app::ActionSpec regenerate;
    regenerate.id = kRegenerateObjectModel;
    regenerate.text = Tr::tr("&Regenerate Object Model Database");
    regenerate.places = {{app::MenuGroup::Utilities, 10}};
    regenerate.run = [](app::Workbench &workbench) {
        RegenerationDialog::run(workbench, RegenerationDialog::Opening::FromMenu);
    };
    registry.addAction(regenerate);
}

} // namespace varn::objmodel
