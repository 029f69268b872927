#include "central/displaysettings.h"

#include "store/creqsysnameset.h"

namespace varn::central {

namespace {

using store::SystemNameRow;

constexpr BackgroundColour kColours[] = {
    {0, "Background Color as Sky &Blue", 184, 228, 250},
    {1, "Background Color as Bis&que", 250, 224, 202},
    {2, "Background Color as &Lavender Blush", 250, 221, 255},
};
static_assert(std::size(kColours) == DisplaySettings::kColourCount);

// The SYSTEM_NAME member of each Display flag, in flag order.
constexpr int SystemNameRow::*kFlagMembers[] = {
    &SystemNameRow::TypeSet,      &SystemNameRow::SourceSet,      &SystemNameRow::CategorySet,
    &SystemNameRow::PrioritySet,  &SystemNameRow::ReleaseSet,     &SystemNameRow::VersionSet,
    &SystemNameRow::ParagraphSet, &SystemNameRow::RequirementSet, &SystemNameRow::OrigNumSet,
    &SystemNameRow::DateSavedSet, &SystemNameRow::CommentsSet,
};
static_assert(std::size(kFlagMembers) == kFlagCount);

const QString kCannotOpen = QStringLiteral("Cannot open ReqSysNameSet recordset.\n");
const QString kCannotWrite = QStringLiteral("Error writing to the Requirements database.\n");
const QString kNoRow = QStringLiteral("The SYSTEM_NAME table holds no row.");

// Opens the set on its one row; the outcome names what failed.
Outcome openRow(store::CReqSysNameSet &set, const QString &firstLine)
{
    if (Outcome opened = set.open(); !opened)
        return set.errorOutcome(firstLine);
    if (set.isEOF())
        return Outcome::stop(firstLine + kNoRow);
    return Outcome::ok();
}

// Edits the one row with the change applied to the buffer, and writes it.
template <typename Change> Outcome editRow(const QString &connectionName, Change change)
{
    store::CReqSysNameSet set(connectionName);
    if (Outcome opened = openRow(set, kCannotOpen); !opened)
        return opened;
    if (Outcome editing = set.edit(); !editing)
        return set.errorOutcome(kCannotWrite);
    change(set.row());
    if (Outcome written = set.update(); !written)
        return set.errorOutcome(kCannotWrite);
    set.close();
    return Outcome::ok();
}

} // namespace

std::span<const BackgroundColour> DisplaySettings::colours()
{
    return kColours;
}

const QString &DisplaySettings::invalidColourMessage()
{
    static const QString message =
        QStringLiteral("The BackgroundColor field of your SYSTEM_NAME table (in your .mdb file) "
                       "must be 0, 1, or 2.");
    return message;
}

Result<DisplaySettings::Stored> DisplaySettings::load(const QString &connectionName)
{
    store::CReqSysNameSet set(connectionName);
    if (Outcome opened = openRow(set, kCannotOpen); !opened)
        return opened;
    Stored stored;
    for (int flag = 0; flag < kFlagCount; ++flag)
        stored.flags[flag] = set.row().*kFlagMembers[flag] != 0;
    stored.backgroundColour = set.row().BackgroundColor;
    set.close();
    return stored;
}

Outcome DisplaySettings::storeFlags(const QString &connectionName, const ColumnFlags &flags)
{
    return editRow(connectionName, [&](SystemNameRow &row) {
        for (int flag = 0; flag < kFlagCount; ++flag)
            row.*kFlagMembers[flag] = flags[flag] ? 1 : 0;
    });
}

Outcome DisplaySettings::storeColour(const QString &connectionName, int choice)
{
    if (!isColourChoice(choice))
        return Outcome::stop(
            QStringLiteral("Internal error. Could not write new Background Color to database."));
    return editRow(connectionName, [&](SystemNameRow &row) { row.BackgroundColor = choice; });
}

} // namespace varn::central
