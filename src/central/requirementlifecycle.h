#pragma once

#include "common/outcome.h"
#include "common/templatenumbers.h"

#include <QDate>
#include <QList>
#include <QString>

namespace varn::central {

// Editing, re-use and deletion of a stored requirement: which composer opens
// it, and marking it "Deleted" (a MASTER_REQ row is never removed). Deleting
// shows the requirement's dependents first; the caller asks the user.
class RequirementLifecycle
{
public:
    explicit RequirementLifecycle(QString connectionName) : m_connection(std::move(connectionName))
    {}

    // The Source of the composer that edits or re-uses the requirement, or
    // why it cannot: a deleted row cannot be edited (it can be re-used), an
    // unknown number, a Source that has no composer.
    Result<int> composerFor(int number, bool edit) const;

    // Before a deletion: the numbers of the requirements that depend on it,
    // ascending; refused when it does not exist or is already deleted.
    Result<QList<int>> dependentsBeforeDeletion(int number) const;
    // The question the confirmation asks, with or without dependents, as
    // one text.
    static QString deletionQuestion(int number, const QList<int> &dependents);
    // The parts of the confirmation that lists the dependents: the text
    // above the list and the question below it.
    static QString dependentsHeading(int number);
    static QString continueQuestion();
    // Marks the row deleted with the day's date. The caller sets the
    // requirements-changed flag.
    Outcome markDeleted(int number, const QDate &today = QDate::currentDate()) const;

    static constexpr int kLastComposer = TemplateNumber::kTechnical;

private:
    QString m_connection;
};

} // namespace varn::central
