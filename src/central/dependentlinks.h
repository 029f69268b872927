#pragma once

#include "common/outcome.h"

#include <QList>
#include <QString>

namespace varn::central {

// Which requirements depend on which (DEPENDENT_REQ): read a parent's
// dependents, and replace them with an edited list.
class DependentLinks
{
public:
    explicit DependentLinks(QString connectionName) : m_connection(std::move(connectionName)) {}

    // Ascending by dependent number.
    Result<QList<int>> dependentsOf(int parent) const;

    // Replaces the parent's links with the list, in its order, each with a
    // fresh key from PK_DEP_REQ. All or nothing: a failure part-way leaves
    // the old links as they were.
    Outcome saveDependents(int parent, const QList<int> &dependents) const;

    // The check of ">": a number already in the list is refused.
    static Outcome checkAddition(const QList<int> &dependents, int candidate);

    static QString savedStatus(int parent);
    static QString noDependentsStatus(int parent);

private:
    QString m_connection;
};

} // namespace varn::central
