#pragma once

#include "central/requirementpicklist.h"

#include <QTableWidget>

namespace varn::central {

// The requirement list of the Edit menu's dialogs: number, type, paragraph
// and sentence in grid lines, whole rows selected, always ending in one
// empty row.
class RequirementPickTable : public QTableWidget
{
    Q_OBJECT

public:
    RequirementPickTable(const QString &accessibleName, QWidget *parent = nullptr);

    void setRequirements(const QList<PickedRequirement> &requirements);
    const QList<PickedRequirement> &requirements() const { return m_requirements; }
    // The requirement of the current row; nullptr for none or the empty row.
    const PickedRequirement *current() const;
    // Every selected requirement, top to bottom (the empty row left out).
    QList<qint32> selectedNumbers() const;
    // Makes the row of the number current; false when it is not listed.
    bool selectNumber(qint32 number);
    // The sentence "See Requirement" shows: the current row's, or the first
    // row's when none is current; empty for the empty row.
    QString shownSentence() const;

private:
    QList<PickedRequirement> m_requirements;
};

} // namespace varn::central
