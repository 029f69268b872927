#pragma once

#include <QString>

#include <span>
#include <variant>

namespace varn::store {

// How a bound column travels between its row-buffer member and the database.
enum class ColumnType {
    Long,        // signed 32-bit, qint32 member
    Integer,     // signed 16-bit, int member
    Reference,   // Long holding another table's key; keys start at 1, so the
                 // member's 0 is written as NULL (the relationships are
                 // enforced) and NULL reads back as 0
    Text,        // QString member; a null QString is written as NULL, NULL reads
                 // back as a null QString, and reads are cut to 255 characters
    DecimalText, // integer column bound as text: the member holds the number in
                 // decimal, written as that number (NULL when empty)
};

// One bound column of a table: its name, how it is bound, and the row-buffer
// member that holds it.
template <typename Row> struct RecordColumn
{
    const char *name;
    ColumnType type;
    std::variant<int Row::*, QString Row::*> member;
};

// True when every text-bound column names a QString member and every numeric
// one an integer member; each record class checks its table with it at compile
// time.
template <typename Row>
constexpr bool columnsMatchMembers(std::span<const RecordColumn<Row>> columns)
{
    for (const RecordColumn<Row> &column : columns) {
        const bool textual =
            column.type == ColumnType::Text || column.type == ColumnType::DecimalText;
        if (textual != std::holds_alternative<QString Row::*>(column.member))
            return false;
    }
    return !columns.empty();
}

} // namespace varn::store
