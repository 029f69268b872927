#include "central/requirementlifecycle.h"

#include "central/dependentlinks.h"
#include "store/datesaved.h"
#include "store/editclaim.h"
#include "store/masterrowedit.h"
#include "store/requirementreader.h"

namespace varn::central {

namespace {

const QString kQueryFailed = QStringLiteral("Error querying the Requirements database.");

// The MASTER_REQ row of a number; nullopt when there is none.
Result<std::optional<store::MasterReqRow>> findRow(const QString &connection, int number)
{
    return store::RequirementReader(connection).master(number);
}

bool isDeleted(const store::MasterReqRow &row)
{
    return row.FSTType == QLatin1String("Deleted");
}

} // namespace

Result<int> RequirementLifecycle::composerFor(int number, bool edit) const
{
    Result<std::optional<store::MasterReqRow>> found = findRow(m_connection, number);
    if (!found)
        return found.outcome();
    if (edit && found.value() && isDeleted(*found.value()))
        return Outcome::warning(
            QStringLiteral("The selected requirement has been deleted and cannot be edited."));
    if (!found.value())
        return Outcome::warning(QStringLiteral(
            "Internal error. Requirement not found. See your Varn SE administrator."));
    const int source = found.value()->Source;
    if (source < 0 || source > kLastComposer)
        return Outcome::warning(
            QStringLiteral("There is no template for the selected requirement."));
    return source;
}

Result<QList<int>> RequirementLifecycle::dependentsBeforeDeletion(int number) const
{
    Result<std::optional<store::MasterReqRow>> found = findRow(m_connection, number);
    if (!found)
        return found.outcome();
    if (!found.value())
        return Outcome::warning(
            QStringLiteral("The Requirement Number does not exist in the Requirements database."));
    if (isDeleted(*found.value()))
        return Outcome::warning(
            QStringLiteral("This requirement has already been deleted. No action taken."));

    return DependentLinks(m_connection).dependentsOf(number);
}

QString RequirementLifecycle::dependentsHeading(int number)
{
    return QStringLiteral("Requirement number %1 has the\nfollowing dependent requirements.")
        .arg(number);
}

QString RequirementLifecycle::continueQuestion()
{
    return QStringLiteral("Do you want to continue with deletion?");
}

QString RequirementLifecycle::deletionQuestion(int number, const QList<int> &dependents)
{
    if (dependents.isEmpty())
        return QStringLiteral("Are you sure you want to delete the selected requirement?");
    QString question = dependentsHeading(number) + QLatin1Char('\n');
    for (const int dependent : dependents)
        question += QString::number(dependent) + QLatin1Char('\n');
    return question + continueQuestion();
}

Outcome RequirementLifecycle::markDeleted(int number, const QDate &today) const
{
    store::MasterRowEdit::Steps steps;
    steps.missing =
        QStringLiteral("The Requirement Number does not exist in the Requirements database.");
    steps.writeFailed = Outcome::warning(kQueryFailed);
    // Another user's composer may have the requirement open.
    steps.check = [this, number](const store::MasterReqRow &row) {
        return store::EditClaim::refuseIfClaimedElsewhere(m_connection, number, row.OrigReqNum);
    };
    steps.change = [&today](store::MasterReqRow &row) {
        row.FSTType = QStringLiteral("Deleted");
        row.DateSaved = store::DateSaved::text(today);
    };
    return store::MasterRowEdit::apply(m_connection, number, steps);
}

} // namespace varn::central
