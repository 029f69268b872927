#pragma once

#include "common/outcome.h"
#include "interchange/ziparchive.h"

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

    // The archive's entries; `numeric` applies to every row but the first.
    static QList<ZipArchive::Entry> entries(const QList<QStringList> &rows,
                                            const NumericColumn &numeric, const QString &sheetName);
    // "A", "B", ... "Z", "AA"...: the letters of the column at that place.
    static QString columnName(qsizetype column);
};

} // namespace varn::interchange
