#include "central/requirementlifecycle.h"

#include "central/centraltr.h"

#include "central/dependentlinks.h"
#include "common/commonmessages.h"
#include "common/storedwords.h"
#include "store/datesaved.h"
#include "store/editclaim.h"
#include "store/masterrowedit.h"
#include "store/requirementreader.h"

namespace varn::central {

namespace {

// The MASTER_REQ row of a number; nullopt when there is none.
Result<std::optional<store::MasterReqRow>> findRow(const QString &connection, int number)
{
    return store::RequirementReader(connection).master(number);
}

bool isDeleted(const store::MasterReqRow &row)
{
    return row.FSTType == QLatin1String(StoredWords::kDeleted);
}

} // namespace

Result<int> RequirementLifecycle::composerFor(int number, bool edit) const
{
    Result<std::optional<store::MasterReqRow>> found = findRow(m_connection, number);
    if (!found)
        return found.outcome();
    if (edit && found.value() && isDeleted(*found.value()))
        return Outcome::warning(
            Tr::tr("The selected requirement has been deleted and cannot be edited."));
    if (!found.value())
        return Outcome::warning(
            Tr::tr("Internal error. Requirement not found. See your Varn SE administrator."));
    const int source = found.value()->Source;
    if (source < 0 || source > kLastComposer)
        return Outcome::warning(Tr::tr("There is no template for the selected requirement."));
    return source;
}

Result<QList<int>> RequirementLifecycle::dependentsBeforeDeletion(int number) const
{
    Result<std::optional<store::MasterReqRow>> found = findRow(m_connection, number);
    if (!found)
        return found.outcome();
    if (!found.value())
        return Outcome::warning(
            Tr::tr("The Requirement Number does not exist in the Requirements database."));
    if (isDeleted(*found.value()))
        return Outcome::warning(
            Tr::tr("This requirement has already been deleted. No action taken."));

    return DependentLinks(m_connection).dependentsOf(number);
}

QString RequirementLifecycle::dependentsHeading(int number)
{
    return Tr::tr("Requirement number %1 has the\nfollowing dependent requirements.").arg(number);
}

QString RequirementLifecycle::continueQuestion()
{
    return Tr::tr("Do you want to continue with deletion?");
}

QString RequirementLifecycle::deletionQuestion(int number, const QList<int> &dependents)
{
    if (dependents.isEmpty())
        return Tr::tr("Are you sure you want to delete the selected requirement?");
    QString question = dependentsHeading(number) + QLatin1Char('\n');
    for (const int dependent : dependents)
        question += QString::number(dependent) + QLatin1Char('\n');
    return question + continueQuestion();
}

Outcome RequirementLifecycle::markDeleted(int number, const QDate &today) const
{
    store::MasterRowEdit::Steps steps;
    steps.missing = Tr::tr("The Requirement Number does not exist in the Requirements database.");
    steps.writeFailed = Outcome::warning(CommonTr::tr(CommonMessages::kQueryFailed));
    // Another user's composer may have the requirement open.
    steps.check = [this, number](const store::MasterReqRow &row) {
        return store::EditClaim::refuseIfClaimedElsewhere(m_connection, number, row.OrigReqNum);
    };
    steps.change = [&today](store::MasterReqRow &row) {
        row.FSTType = QString::fromLatin1(StoredWords::kDeleted);
        row.DateSaved = store::DateSaved::text(today);
    };
    return store::MasterRowEdit::apply(m_connection, number, steps);
}

} // namespace varn::central
