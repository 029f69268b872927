#pragma once

namespace varn::central {

// The Record menu of Requirements Central.
enum class RecordMove { First, Previous, Next, Last };

// Where a Record command moves the selection of a list whose last row is the
// trailing empty row. The list itself does not change.
class RecordNavigation
{
public:
    // selectedRow is -1 when nothing is selected; rowCount includes the
    // empty row.
    static int target(RecordMove move, int selectedRow, int rowCount);
};

} // namespace varn::central
