#pragma once

#include "store/requirementrows.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>
#include <span>

namespace varn::central {

// The columns Requirements Central can list, in list order. The number is
// always shown; each other column has its flag in SYSTEM_NAME.
enum class Column {
    Number,
    Type,
    Source,
    Category,
    Priority,
    Release,
    Version,
    Paragraph,
    Requirement,
    OrigNumber,
    DateSaved,
    Comments,
};

struct ColumnInfo
{
    Column column;
    const char *header;
    int width; // pixels
    char code; // the list's column code
    const char *sortField;
    int longestText;         // a number longer than this shows empty; 0: no limit
    const char *flagColumn;  // SYSTEM_NAME column of its flag; nullptr for the number
    const char *displayItem; // the Display menu item
};

// The eleven Display flags, in list order (Type to Comments).
inline constexpr int kFlagCount = 11;
using ColumnFlags = std::array<bool, kFlagCount>;

class CentralColumns
{
public:
    static std::span<const ColumnInfo> all();
    static const ColumnInfo &info(Column column);
    // The column of a Display flag (0 = Type ... 10 = Comments).
    static Column flagColumn(int flag) { return Column(flag + 1); }

    // The list's columns: the number, then each shown column in table order.
    static QList<Column> shown(const ColumnFlags &flags);
    // The flags a new requirements database starts with.
    static ColumnFlags initialFlags();

    // The column a user names by its header ("Date Saved") or its field
    // ("DateSaved"), in any case, spaces and dots left out.
    static std::optional<Column> named(const QString &name);

    // The text of a cell as the list shows it.
    static QString cellText(const store::MasterReqRow &row, Column column);
};

} // namespace varn::central
