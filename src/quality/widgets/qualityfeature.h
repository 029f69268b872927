#pragma once

#include "app/widgets/commandid.h"
#include "app/widgets/requirementlistextension.h"

namespace varn::app {
class FeatureRegistry;
class Workbench;
} // namespace varn::app

namespace varn::quality {

// File > Quality Report... and Utilities > Quality Options...
inline constexpr app::CommandId kQualityReport{"Quality.Report"};
inline constexpr app::CommandId kQualityOptions{"Quality.Options"};

// The Quality column of the list of requirements: how many findings each
// requirement has, the findings as its tooltip. Only the rows on screen
// are checked.
class QualityColumn : public app::RequirementColumn
{
    Q_OBJECT

public:
    explicit QualityColumn(app::Workbench &workbench, QObject *parent = nullptr);

    QString header() const override;
    QVariant cell(qint32 number, int role) const override;

private:
    app::Workbench &m_workbench;
};

// The numbers of the live requirements with findings: the whole set checked.
Result<QList<qint32>> requirementsWithFindings(app::Workbench &workbench);

// Registers the Quality column and the With findings query of Requirements
// Central, Quality Report... and Quality Options...
void registerQualityFeatures(app::FeatureRegistry &registry);

} // namespace varn::quality
