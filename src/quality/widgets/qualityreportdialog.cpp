#include "quality/widgets/qualityreportdialog.h"

#include "app/cvarnapp.h"
#include "app/widgets/busydialog.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/workbench.h"
#include "quality/qualityreport.h"
#include "quality/qualitytr.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace varn::quality {

QualityReportDialog::QualityReportDialog(app::Workbench &workbench, QWidget *parent)
    : ProgressDialog(Tr::tr("Quality Report"), app::ProgressPanel::Processed::Hidden, parent),
      m_workbench(workbench), m_file(new QLineEdit(this)),
      m_browse(new QPushButton(Tr::tr("&Browse..."), this))
{
    setObjectName(QStringLiteral("qualityReportDialog"));
    auto *box = new QWidget(this);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    auto *label = new QLabel(Tr::tr("F&ile:"), box);
    label->setBuddy(m_file);
    m_file->setObjectName(QStringLiteral("reportFile"));
    m_file->setAccessibleName(Tr::tr("File:"));
    m_browse->setAccessibleName(Tr::tr("Browse..."));
    m_browse->setAutoDefault(false);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_file, 0, 1);
    grid->addWidget(m_browse, 0, 2);
    grid->setColumnStretch(1, 1);
    addChoices(box);
    generateButton()->setText(Tr::tr("&Write Report"));
    generateButton()->setAccessibleName(Tr::tr("Write Report"));
    panel()->setStatus(Tr::tr("Ready."));
    connect(m_browse, &QPushButton::clicked, this, &QualityReportDialog::browse);
    const app::CVarnApp &application = workbench.app();
    m_file->setText(application.workspaceFileFolder() + QLatin1Char('/') +
                    application.systemName() + QStringLiteral("-quality.html"));
    setMinimumWidth(520);
}

void QualityReportDialog::browse()
{
    const QString chosen = m_workbench.presenter().chooseFileToSave(
        this, m_file->text(), Tr::tr("HTML report (*.html *.htm)"));
    if (!chosen.isEmpty())
        m_file->setText(chosen);
}

void QualityReportDialog::generate()
{
    const QString path = m_file->text().trimmed();
    if (path.isEmpty()) {
        m_workbench.showMessage(Outcome::warning(Tr::tr("Name the file of the report.")));
        m_file->setFocus();
        return;
    }
    app::BusyDialog busy(*this);
    const app::CVarnApp &application = m_workbench.app();
    panel()->setStatus(Tr::tr("Checking the requirements..."));
    const Result<QualityReport::Summary> written = QualityReport::write(
        application.requirementsConnectionName(), application.systemName(), path,
        application.ownFiles(), [this](int percent) { panel()->setPercent(percent); });
    if (!written) {
        panel()->setStatus(Tr::tr("No report was written."));
        m_workbench.showMessage(written.outcome());
        return;
    }
    panel()->setPercent(100);
    panel()->setStatus(Tr::tr("%1 finding(s) of %2 requirement(s) in %3 checked written to %4.")
                           .arg(written->findings)
                           .arg(written->withFindings)
                           .arg(written->requirements)
                           .arg(path));
}

} // namespace varn::quality
