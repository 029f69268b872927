#pragma once

#include "common/outcome.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>

namespace varn::app {

class Workbench;

// A column that a feature adds to the list of requirements: its header and
// the cell of each requirement, asked for the rows on screen only. One is
// made for each list shown; it says when its cells must be asked again.
class RequirementColumn : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual QString header() const = 0;
    // DisplayRole, ToolTipRole or TextAlignmentRole of the requirement's cell.
    virtual QVariant cell(qint32 number, int role) const = 0;

signals:
    void cellsChanged();
};

struct RequirementColumnSpec
{
    QString id;
    std::function<RequirementColumn *(Workbench &, QObject *parent)> create;
};

// A query that a feature adds to the list of requirements, beside the kinds
// of requirement: its label and tooltip, and the numbers of the live
// requirements it lists (the list orders them).
struct RequirementQuerySpec
{
    QString id;
    std::function<QString()> label;
    std::function<QString()> toolTip;
    std::function<Result<QList<qint32>>(Workbench &)> numbers;
};

} // namespace varn::app
