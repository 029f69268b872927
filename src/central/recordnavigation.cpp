#include "central/recordnavigation.h"

namespace varn::central {

int RecordNavigation::target(RecordMove move, int selectedRow, int rowCount)
{
    const int lastRequirement = rowCount - 2; // the row before the empty row
    switch (move) {
    case RecordMove::First:
        return 0;
    case RecordMove::Last:
        return lastRequirement >= 0 ? lastRequirement : 0;
    case RecordMove::Next:
        // Past the last requirement the selection wraps to the first row.
        return selectedRow < 0 || selectedRow >= lastRequirement ? 0 : selectedRow + 1;
    case RecordMove::Previous:
        return selectedRow <= 0 ? 0 : selectedRow - 1;
    }
    return 0;
}

} // namespace varn::central
