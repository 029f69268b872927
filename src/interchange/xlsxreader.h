#pragma once

#include "common/outcome.h"
#include "interchange/ziparchive.h"

#include <QList>
#include <QStringList>

namespace varn::interchange {

// The first sheet of an Office Open XML workbook as rows of cell texts, the
// way spreadsheet programs write it: the sheet found through the workbook's
// relationships (whatever its parts are named), shared strings, inline
// strings, rich-text runs joined, cells left out (empty cells and rows), a
// formula's last value. A row holds its cells up to its last non-empty one;
// an empty row is one empty cell, as a blank line of a CSV file reads. Every
// refusal ends by saying that nothing was imported; a document type or
// entity declaration is refused, never expanded.
class XlsxReader
{
public:
    static constexpr qsizetype kMostRows = 1048576;
    static constexpr qsizetype kMostColumns = 16384;

    static Result<QList<QStringList>> rows(const ZipArchive &archive);
    // The column at the letters of a cell reference ("B7": 1); -1 for none.
    static qsizetype columnOf(QStringView reference);
};

} // namespace varn::interchange
