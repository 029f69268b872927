#pragma once

#include "central/centralcolumns.h"
#include "common/outcome.h"

#include <QString>

namespace varn::central {

// The background colours of Requirements Central, by choice 0, 1 and 2.
struct BackgroundColour
{
    int choice;
    const char *menuItem;
    int red;
    int green;
    int blue;
};

// The per-workspace display settings kept in the one SYSTEM_NAME row: the
// eleven column flags and the background colour choice.
class DisplaySettings
{
public:
    static constexpr int kColourCount = 3;
    static constexpr int kSkyBlue = 0;

    static std::span<const BackgroundColour> colours();
    static bool isColourChoice(int choice) { return choice >= 0 && choice < kColourCount; }
    static QString invalidColourMessage();

    struct Stored
    {
        ColumnFlags flags = CentralColumns::initialFlags();
        int backgroundColour = kSkyBlue; // as stored, possibly none of the three
    };

    // Reads the row on the connection; refused with "Cannot open
    // ReqSysNameSet recordset.\n" and the database's text.
    static Result<Stored> load(const QString &connectionName);
    // Writes all eleven flags ("Error writing to the Requirements database.").
    static Outcome storeFlags(const QString &connectionName, const ColumnFlags &flags);
    static Outcome storeColour(const QString &connectionName, int choice);
};

} // namespace varn::central
