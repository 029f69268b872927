#pragma once

#include "common/outcome.h"
#include "interchange/exchangedrequirement.h"
#include "interchange/importbatch.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace varn::interchange {

// Requirements as a spreadsheet reads them: a header row naming Requirements
// Central's columns, then one record per requirement, each cell as the list
// shows it. Read back, each record becomes a technical requirement. The CSV
// file and the XLSX sheet share these columns and this reading.
class CsvExchange
{
public:
    static QStringList header();
    // Whether the column at that place of the header holds a number, which a
    // spreadsheet may keep as one.
    static bool isNumeric(qsizetype column);
    // A requirement's cells, in the header's order.
    static QStringList cells(const ExchangedRequirement &requirement);

    // A record of the comma-separated file: text cells a spreadsheet would
    // run as a formula are written guarded (see guarded()).
    static QString record(const ExchangedRequirement &requirement);
    // Refused, with nothing to import, when the header is not the columns'
    // or a record has another number of fields.
    static Result<ImportBatch> batch(const QString &text);
    // The same for records read from elsewhere (a sheet), the header first;
    // their cells are taken as they are.
    static Result<ImportBatch> batch(const QList<QStringList> &records);
    // The same a record at a time: the header checked, then each record
    // (index 1 the first after the header) as an item, none for a blank
    // line, refused when it has another number of fields.
    static Outcome checkHeader(const QStringList &record);
    static Result<std::optional<ImportBatch::Item>> itemOf(const QStringList &record,
                                                           qsizetype index);

    // A text cell a spreadsheet would take for a formula (it begins with
    // "=", "+", "-" or "@", also after blanks, or with a tab or carriage
    // return) gets a leading apostrophe, which spreadsheets read as "this is
    // text". So that the file reads back exactly, a cell that is such a text
    // with apostrophes before it gets one more too. unguarded() takes exactly
    // that one apostrophe off again.
    static QString guarded(const QString &cell);
    static QString unguarded(const QString &cell);
};

} // namespace varn::interchange
