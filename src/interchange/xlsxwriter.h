#pragma once

#include "common/outcome.h"
#include "interchange/ziparchive.h"

#include <QIODevice>
#include <QList>
#include <QStringList>

#include <functional>

namespace varn::interchange {

// One table as an Office Open XML workbook of one sheet. Every text is a
// string cell, so a text that looks like a formula stays text; a cell of a
// numeric column that holds a whole number is a number cell. Carriage
// returns are written as references, so a reader keeps them.
class XlsxWriter
{
public:
    using NumericColumn = std::function<bool(qsizetype column)>;

    // Hands each row to the visit, in order; the first refusal stops it.
    using Rows =
        std::function<Outcome(const std::function<Outcome(const QStringList &row)> &visit)>;

    // Writes the workbook into the device; `numeric` applies to every row
    // but the first. The sheet is written row by row into a temporary file
    // in `folder` first, and packed from there: the rows are never all held.
    static Outcome write(QIODevice &device, const Rows &rows, const NumericColumn &numeric,
                         const QString &sheetName, const QString &folder);
    // "A", "B", ... "Z", "AA"...: the letters of the column at that place.
    static QString columnName(qsizetype column);
};

} // namespace varn::interchange
