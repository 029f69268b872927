#include "objmodel/widgets/regenerationdialog.h"

#include "app/cvarnapp.h"
#include "app/widgets/busydialog.h"
#include "app/widgets/featureregistry.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/progresspanel.h"
#include "app/widgets/workbench.h"
#include "objmodel/objectmodelregenerator.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace varn::objmodel {

namespace {

const QColor kBackground(253, 233, 161);
const QString kReady = QStringLiteral("\n    Ready.");
const QString kPleaseWait = QStringLiteral("\n    Please wait...");
const QString kSuccess = QStringLiteral("\nSuccess. Your object model database has been rebuilt.");

} // namespace

QString RegenerationDialog::staleText()
{
    return QStringLiteral("One or more requirements have been edited or deleted.\nYour database "
                          "needs to regenerated. Click Generate.");
}

RegenerationDialog::RegenerationDialog(app::Workbench &workbench, Opening opening, QWidget *parent)
    : QDialog(parent), m_workbench(workbench),
      m_panel(new app::ProgressPanel(app::ProgressPanel::Processed::Shown, this)),
      m_generate(new QPushButton(QStringLiteral("Generate"), this))
{
    setWindowTitle(title());
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kBackground);
    setPalette(colours);
    setAutoFillBackground(true);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(m_generate, QDialogButtonBox::ActionRole);
    QPushButton *close = buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
    m_generate->setDefault(true);
    connect(m_generate, &QPushButton::clicked, this, &RegenerationDialog::generate);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_panel);
    layout->addWidget(buttons);
    m_panel->setStatus(opening == Opening::Stale ? staleText() : kReady);
    setMinimumWidth(420);
}

void RegenerationDialog::generate()
{
    app::BusyDialog busy(*this);
    m_panel->setStatus(kPleaseWait);
    m_panel->setPercent(0);
    m_panel->setProcessed(0);

    ObjectModelRegenerator regenerator(m_workbench.app().requirementsDatabase());
    regenerator.setProgress([this](int percent, qint32 processed) {
        m_panel->setProcessed(processed);
        m_panel->setPercent(percent);
    });
    regenerator.setNotices([this](const Outcome &notice) { m_workbench.showMessage(notice); });
    const Outcome regenerated = regenerator.regenerate();
    if (!regenerated) {
        m_workbench.showMessage(regenerated);
        return;
    }
    m_panel->setStatus(kSuccess);
    m_panel->setPercent(100);
    m_workbench.app().setRequirementsChanged(false);
}

void RegenerationDialog::run(app::Workbench &workbench, Opening opening)
{
    if (!workbench.app().isWorkspaceOpen())
        return;
    RegenerationDialog dialog(workbench, opening, workbench.dialogParent());
    workbench.presenter().runDialog(dialog);
}

void registerRegenerationFeatures(app::FeatureRegistry &registry)
{
    registry.provideCommand(
        app::Command::RegenerateObjectModel, [](app::Workbench &workbench, int) {
            RegenerationDialog::run(workbench, RegenerationDialog::Opening::FromMenu);
        });
    registry.provideCommand(app::Command::RegenerationReminder, [](app::Workbench &workbench, int) {
        RegenerationDialog::run(workbench, RegenerationDialog::Opening::Stale);
    });
}

} // namespace varn::objmodel
