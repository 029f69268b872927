#include "interchange/csvexchange.h"

#include "common/templatenumbers.h"

#include "common/storedwords.h"

#include "interchange/interchangetr.h"

#include "central/centralcolumns.h"
#include "interchange/csvtable.h"
#include "interchange/exchangeinput.h"

namespace varn::interchange {

using central::CentralColumns;
using central::Column;

QStringList CsvExchange::header()
{
    QStringList names;
    for (const central::ColumnInfo &info : CentralColumns::all())
        names.append(QLatin1String(info.header));
    return names;
}

bool CsvExchange::isNumeric(qsizetype column)
{
    switch (Column(column)) {
    case Column::Number:
    case Column::Source:
    case Column::Priority:
    case Column::Release:
    case Column::Version:
    case Column::OrigNumber:
        return true;
    default:
        return false;
    }
}

QStringList CsvExchange::cells(const ExchangedRequirement &requirement)
{
    const store::MasterReqRow row = requirement.masterRow(ExchangedRequirement::MasterColumns::All);
    QStringList cells;
    for (const central::ColumnInfo &info : CentralColumns::all())
        cells.append(CentralColumns::cellText(row, info.column));
    return cells;
}

QString CsvExchange::record(const ExchangedRequirement &requirement)
{
    QStringList cells = CsvExchange::cells(requirement);
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (!isNumeric(i))
            cells[i] = guarded(cells[i]);
    }
    return CsvTable::record(cells);
}

namespace {

// Whether a text, from `from` on, is one a spreadsheet runs as a formula.
bool looksLikeFormula(const QString &cell, qsizetype from)
{
    if (from < cell.size() && (cell[from] == QLatin1Char('\t') || cell[from] == QLatin1Char('\r')))
        return true;
    while (from < cell.size() && cell[from] == QLatin1Char(' '))
        ++from;
    return from < cell.size() && QStringView(u"=+-@").contains(cell[from]);
}

qsizetype leadingApostrophes(const QString &cell)
{
    qsizetype count = 0;
    while (count < cell.size() && cell[count] == QLatin1Char('\''))
        ++count;
    return count;
}

} // namespace

QString CsvExchange::guarded(const QString &cell)
{
    return looksLikeFormula(cell, leadingApostrophes(cell)) ? QLatin1Char('\'') + cell : cell;
}

QString CsvExchange::unguarded(const QString &cell)
{
    const qsizetype apostrophes = leadingApostrophes(cell);
    return apostrophes > 0 && looksLikeFormula(cell, apostrophes) ? cell.mid(1) : cell;
}

Result<ImportBatch> CsvExchange::batch(const QString &text)
{
    // A spreadsheet may begin its UTF-8 with a byte order mark.
    Result<QList<QStringList>> records =
        CsvTable::parse(text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text);
    if (!records)
        return ExchangeInput::refusal(records.outcome().message());
    for (qsizetype i = 1; i < records->size(); ++i) {
        for (QString &cell : records.value()[i])
            cell = unguarded(cell);
    }
    return batch(records.value());
}

Outcome CsvExchange::checkHeader(const QStringList &record)
{
    const QStringList columns = header();
    if (record != columns)
        return ExchangeInput::refusal(Tr::tr("The first line of the file must name the columns %1.")
                                          .arg(columns.join(QStringLiteral(", "))));
    return Outcome::ok();
}

Result<std::optional<ImportBatch::Item>> CsvExchange::itemOf(const QStringList &record,
                                                             qsizetype index)
{
    if (record.size() == 1 && record.first().isEmpty())
        return std::optional<ImportBatch::Item>(); // a blank line
    // Counted rather than built: this runs once for each record of a file.
    const qsizetype columns = qsizetype(CentralColumns::all().size());
    if (record.size() != columns)
        return ExchangeInput::refusal(
            Tr::tr("Record %1 of the file has %2 fields; the header names %3.")
                .arg(index)
                .arg(record.size())
                .arg(columns));
    auto cell = [&record](Column column) { return record[int(column)]; };
    ImportBatch::Item item;
    item.origin = QString::number(index);
    item.label = Tr::tr("Record %1").arg(index);
    ExchangedRequirement &requirement = item.requirement;
    requirement.type = QString::fromLatin1(StoredWords::kTechnical);
    requirement.source = TemplateNumber::kTechnical;
    requirement.text = cell(Column::Requirement);
    requirement.category = cell(Column::Category);
    requirement.priority = cell(Column::Priority).toInt();
    requirement.release = cell(Column::Release).toInt();
    requirement.paragraph = cell(Column::Paragraph);
    requirement.comments = cell(Column::Comments);
    return std::optional<ImportBatch::Item>(std::move(item));
}

Result<ImportBatch> CsvExchange::batch(const QList<QStringList> &records)
{
    if (Outcome named = checkHeader(records.isEmpty() ? QStringList() : records.first()); !named)
        return named;
    ImportBatch batch;
    for (qsizetype i = 1; i < records.size(); ++i) {
        Result<std::optional<ImportBatch::Item>> item = itemOf(records.at(i), i);
        if (!item)
            return item.outcome();
        if (std::optional<ImportBatch::Item> taken = item.takeValue())
            batch.items.append(std::move(*taken));
    }
    return batch;
}

} // namespace varn::interchange
