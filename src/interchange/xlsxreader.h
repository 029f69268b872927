#pragma once

#include "common/outcome.h"
#include "interchange/ziparchive.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace varn::interchange {

class SpreadsheetArchive;

// The first sheet of an Office Open XML workbook as rows of cell texts, the
// way spreadsheet programs write it: the sheet found through the workbook's
// relationships (whatever its parts are named), shared strings, inline
// strings, rich-text runs joined, cells left out (empty cells and rows), a
// formula's last value. A row holds its cells up to its last non-empty one
// (at least as many as the first row); an empty row is one empty cell, as a
// blank line of a CSV file reads. The sheet is read a row at a time as its
// part comes out of the archive; the shared strings are held once, as UTF-8.
// Every refusal ends by saying that nothing was imported; a document type or
// entity declaration is refused, never expanded.
class XlsxReader
{
public:
    static constexpr qsizetype kMostRows = 1048576;
    static constexpr qsizetype kMostColumns = 16384;

    // Where the workbook's parts come from.
    struct Parts
    {
        std::function<bool(const QString &name)> contains;
        std::function<Result<QByteArray>(const QString &name)> read;
        // The next piece of the part at each call; empty at its end.
        std::function<Result<std::function<Result<QByteArray>()>>(const QString &name)> stream;
    };

    static Result<std::unique_ptr<XlsxReader>> open(Parts parts);
    // The archive must outlive the reader.
    static Result<std::unique_ptr<XlsxReader>> open(const SpreadsheetArchive &archive);
    ~XlsxReader();

    // The next row; none after the last.
    Result<std::optional<QStringList>> next();
    // The number of rows the sheet says it spans (its dimension), 0 when it
    // does not say.
    qsizetype declaredRows() const { return m_declaredRows; }

    // Every row of an archive read whole.
    static Result<QList<QStringList>> rows(const ZipArchive &archive);
    // The column at the letters of a cell reference ("B7": 1); -1 for none.
    static qsizetype columnOf(QStringView reference);

private:
    class Sheet;
    XlsxReader();

    std::unique_ptr<Sheet> m_sheet;
    qsizetype m_declaredRows = 0;
};

} // namespace varn::interchange
