#pragma once

#include "common/outcome.h"
#include "interchange/exchangedrequirement.h"
#include "interchange/importbatch.h"

#include <QString>
#include <QStringList>

namespace varn::interchange {

// Requirements as a spreadsheet reads them: a header row naming Requirements
// Central's columns, then one record per requirement, each cell as the list
// shows it. Read back, each record becomes a technical requirement.
class CsvExchange
{
public:
    static QStringList header();
    static QString text(const ExchangeSet &set);
    // Refused, with nothing to import, when the header is not the columns'
    // or a record has another number of fields.
    static Result<ImportBatch> batch(const QString &text);
};

} // namespace varn::interchange
