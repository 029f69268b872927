#pragma once

#include "common/outcome.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace varn::interchange {

// Comma-separated values as RFC 4180 writes them: records end in CRLF, a
// field holding a comma, a quote or a line break is quoted, and a quote in
// it is doubled.
class CsvTable
{
public:
    static QString record(const QStringList &fields);
    // Every record of the text; refused when a quoted field is not closed or
    // a quote stands inside an unquoted field.
    static Result<QList<QStringList>> parse(const QString &text);
};

} // namespace varn::interchange
