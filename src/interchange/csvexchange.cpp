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

QString CsvExchange::text(const ExchangeSet &set)
{
    QString text = CsvTable::record(header());
    for (const ExchangedRequirement &requirement : set.requirements) {
        const store::MasterReqRow row =
            requirement.masterRow(ExchangedRequirement::MasterColumns::All);
        QStringList cells;
        for (const central::ColumnInfo &info : CentralColumns::all())
            cells.append(CentralColumns::cellText(row, info.column));
        text += CsvTable::record(cells);
    }
    return text;
}

Result<ImportBatch> CsvExchange::batch(const QString &text)
{
    // A spreadsheet may begin its UTF-8 with a byte order mark.
    Result<QList<QStringList>> records =
        CsvTable::parse(text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text);
    if (!records)
        return ExchangeInput::refusal(records.outcome().message());
    const QStringList columns = header();
    if (records->isEmpty() || records->first() != columns)
        return ExchangeInput::refusal(Tr::tr("The first line of the file must name the columns %1.")
                                          .arg(columns.join(QStringLiteral(", "))));
    auto cell = [](const QStringList &record, Column column) { return record[int(column)]; };
    ImportBatch batch;
    for (qsizetype i = 1; i < records->size(); ++i) {
        const QStringList &record = records->at(i);
        if (record.size() == 1 && record.first().isEmpty())
            continue; // a blank line
        if (record.size() != columns.size())
            return ExchangeInput::refusal(
                Tr::tr("Record %1 of the file has %2 fields; the header names %3.")
                    .arg(i)
                    .arg(record.size())
                    .arg(columns.size()));
        ImportBatch::Item item;
        item.origin = QString::number(i);
        item.label = Tr::tr("Record %1").arg(i);
        ExchangedRequirement &requirement = item.requirement;
        requirement.type = QString::fromLatin1(StoredWords::kTechnical);
        requirement.source = TemplateNumber::kTechnical;
        requirement.text = cell(record, Column::Requirement);
        requirement.category = cell(record, Column::Category);
        requirement.priority = cell(record, Column::Priority).toInt();
        requirement.release = cell(record, Column::Release).toInt();
        requirement.paragraph = cell(record, Column::Paragraph);
        requirement.comments = cell(record, Column::Comments);
        batch.items.append(item);
    }
    return batch;
}

} // namespace varn::interchange
