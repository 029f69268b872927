#include "central/displaysettings.h"

#include "central/centraltr.h"

#include "store/systemsettings.h"

namespace varn::central {

namespace {

constexpr BackgroundColour kColours[] = {
    {0, QT_TRANSLATE_NOOP("varn::central", "Background Color as Sky &Blue"), 184, 228, 250},
    {1, QT_TRANSLATE_NOOP("varn::central", "Background Color as Bis&que"), 250, 224, 202},
    {2, QT_TRANSLATE_NOOP("varn::central", "Background Color as &Lavender Blush"), 250, 221, 255},
};
static_assert(std::size(kColours) == DisplaySettings::kColourCount);

// Central lists its columns' flags in the order SYSTEM_NAME keeps them.
static_assert(std::is_same_v<ColumnFlags, store::DisplayFlags>);

} // namespace

std::span<const BackgroundColour> DisplaySettings::colours()
{
    return kColours;
}

QString DisplaySettings::invalidColourMessage()
{
    return Tr::tr("The BackgroundColor field of your SYSTEM_NAME table (in your .mdb file) "
                  "must be 0, 1, or 2.");
}

Result<DisplaySettings::Stored> DisplaySettings::load(const QString &connectionName)
{
    const Result<store::DisplayChoices> choices =
        store::SystemSettings(connectionName).displayChoices();
    if (!choices)
        return choices.outcome();
    return Stored{choices->flags, choices->backgroundColour};
}

Outcome DisplaySettings::storeFlags(const QString &connectionName, const ColumnFlags &flags)
{
    return store::SystemSettings(connectionName).setDisplayFlags(flags);
}

Outcome DisplaySettings::storeColour(const QString &connectionName, int choice)
{
    if (!isColourChoice(choice))
        return Outcome::stop(
            Tr::tr("Internal error. Could not write new Background Color to database."));
    return store::SystemSettings(connectionName).setBackgroundColour(choice);
}

} // namespace varn::central
