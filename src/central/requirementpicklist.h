#pragma once

#include "common/outcome.h"

#include <QList>
#include <QString>

namespace varn::central {

// One line of the requirement lists of the Edit menu's dialogs.
struct PickedRequirement
{
    qint32 number = 0;
    QString type; // FSTType
    QString paragraph;
    QString sentence; // Preamble + " " + ReqText
};

// The requirements the Parent-Dependent Relationships and Requirement
// Attributes dialogs list, by number.
class RequirementPickList
{
public:
    explicit RequirementPickList(QString connectionName) : m_connection(std::move(connectionName))
    {}

    // Functional, Structural and Technical requirements: those that can be
    // parents and dependents.
    Result<QList<PickedRequirement>> linkable() const;
    // Every requirement not deleted.
    Result<QList<PickedRequirement>> live() const;
    // The stored requirements the parent's links name.
    Result<QList<PickedRequirement>> dependentsOf(int parent) const;

private:
    QString m_connection;
};

} // namespace varn::central
