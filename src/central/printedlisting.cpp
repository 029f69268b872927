#include "central/printedlisting.h"

#include "central/centraltr.h"

#include "central/requirementscentral.h"

namespace varn::central {

QList<Column> PrintedListing::printedColumns(const QList<Column> &shown)
{
    QList<Column> columns{Column::Number, Column::Type};
    for (const Column column : shown) {
        if (!columns.contains(column) && column != Column::Requirement)
            columns.append(column);
    }
    return columns;
}

QString PrintedListing::documentNameFor(const QString &systemName)
{
    QString name = QStringLiteral("System Requirements - ") + systemName;
    for (QChar &character : name) {
        if (character.unicode() < 0x20 || QStringView(u"/\\:*?\"<>|").contains(character))
            character = QLatin1Char('_');
    }
    // The extension keeps the print dialog from taking a dot in the system
    // name for the start of one.
    return name + QStringLiteral(".pdf");
}

Result<PrintedListing> PrintedListing::of(const RequirementTableModel &model,
                                          const QString &systemName, const QDate &day)
{
    PrintedListing listing;
    listing.title = Tr::tr("System Requirements - System Name: %1").arg(systemName);
    listing.documentName = documentNameFor(systemName);
    listing.dateLine = Tr::tr("Printed %1").arg(day.toString(Qt::ISODate));
    const QList<Column> columns = printedColumns(model.columns());
    for (const Column column : columns)
        listing.headers.append(Tr::tr(CentralColumns::info(column).header));
    for (int row = 0; row < model.requirementCount(); ++row) {
        const store::MasterReqRow *stored = model.requirementAt(row);
        if (!stored)
            return Outcome::stop(Tr::tr("Cannot open ReqMsSet recordset.\n"
                                        "Requirement %1 could not be read for printing.")
                                     .arg(model.numberAt(row)));
        PrintedRequirement printed;
        for (const Column column : columns)
            printed.cells.append(CentralColumns::cellText(*stored, column));
        printed.sentence = RequirementsCentral::sentenceText(*stored);
        listing.requirements.append(printed);
    }
    return listing;
}

} // namespace varn::central
