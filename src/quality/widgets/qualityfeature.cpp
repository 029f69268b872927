#include "quality/widgets/qualityfeature.h"

#include "app/cvarnapp.h"
#include "app/widgets/featureregistry.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/workbench.h"
#include "quality/qualitytr.h"
#include "quality/rulebook.h"
#include "quality/widgets/qualityoptionsdialog.h"
#include "quality/widgets/qualityreportdialog.h"
#include "quality/widgets/workspacefindings.h"

#include <algorithm>

namespace varn::quality {

QualityColumn::QualityColumn(app::Workbench &workbench, QObject *parent)
    : app::RequirementColumn(parent), m_workbench(workbench)
{
    WorkspaceFindings &findings = WorkspaceFindings::of(workbench);
    // A list is made for a workspace just opened: what was known of
    // another is not this one's.
    findings.forget();
    connect(&findings, &WorkspaceFindings::forgotten, this, &RequirementColumn::cellsChanged);
}

QString QualityColumn::header() const
{
    return Tr::tr("Quality");
}

QVariant QualityColumn::cell(qint32 number, int role) const
{
    WorkspaceFindings &known = WorkspaceFindings::of(m_workbench);
    const Result<QList<Finding>> findings = known.findingsOf(number);
    if (!findings)
        return role == Qt::ToolTipRole ? QVariant(findings.outcome().message()) : QVariant();
    if (role == Qt::DisplayRole)
        return findings->isEmpty() ? QString() : QString::number(findings->size());
    if (findings->isEmpty())
        return {};
    QStringList lines;
    for (const Finding &finding : findings.value())
        lines.append(RuleBook::title(finding.rule) + QStringLiteral(": ") + finding.message);
    return lines.join(QLatin1Char('\n'));
}

Result<QList<qint32>> requirementsWithFindings(app::Workbench &workbench)
{
    // A query runs on the workspace as it is now, whoever heard first of
    // what was stored since.
    WorkspaceFindings &known = WorkspaceFindings::of(workbench);
    known.forget();
    Result<QHash<qint32, QList<Finding>>> whole = known.wholeSet();
    if (!whole)
        return whole.outcome();
    QList<qint32> numbers;
    for (auto found = whole->cbegin(); found != whole->cend(); ++found) {
        if (!found.value().isEmpty())
            numbers.append(found.key());
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

void registerQualityFeatures(app::FeatureRegistry &registry)
{
    registry.addRequirementColumn(
        {QStringLiteral("quality.findings"),
         [](app::Workbench &workbench, QObject *parent) -> app::RequirementColumn * {
             return new QualityColumn(workbench, parent);
         }});
    registry.addRequirementQuery(
        {QStringLiteral("quality.withFindings"), [] { return Tr::tr("With findings"); },
         [] {
             return Tr::tr("Queries for the live requirements the quality checks find fault "
                           "with");
         },
         &requirementsWithFindings});

    app::ActionSpec report;
    report.id = kQualityReport;
    report.text = Tr::tr("&Quality Report...");
    report.statusTip = Tr::tr("Write the findings of the quality checks as an HTML report");
    report.places = {{app::MenuGroup::FileExchange, 30}};
    report.run = [](app::Workbench &workbench) {
        if (!workbench.app().isWorkspaceOpen())
            return;
        QualityReportDialog dialog(workbench, workbench.dialogParent());
        workbench.presenter().runDialog(dialog);
    };
    registry.addAction(report);

    app::ActionSpec options;
    options.id = kQualityOptions;
    options.text = Tr::tr("&Quality Options...");
    options.statusTip =
        Tr::tr("Switch quality rules off and add words to them, for this workspace");
    options.places = {{app::MenuGroup::Utilities, 30}};
    options.run = [](app::Workbench &workbench) {
        if (!workbench.app().isWorkspaceOpen())
            return;
        QualityOptionsDialog dialog(workbench, workbench.dialogParent());
        workbench.presenter().runDialog(dialog);
        if (dialog.changed())
            workbench.announceChecksChanged();
    };
    registry.addAction(options);
}

} // namespace varn::quality
