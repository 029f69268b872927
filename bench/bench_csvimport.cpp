// The import of a large spreadsheet's records: `bench_csvimport N [xlsx]`
// writes a CSV file of N records in the columns of an export (N defaults to
// 100,000) in a realistic mix: one in thirty-three repeats an earlier
// requirement (half of them one of the last fifty, half one anywhere
// before), one in fifty is longer than a requirement may be, one in ten has a
// quoted text with commas and quotes, one in twenty a comment of two lines.
// It reads the file alone (the records, the items and their duplicate keys,
// nothing stored), then imports it into a blank workspace, and prints each
// one's wall and processor time and the process's peak memory; with `xlsx`
// it does the same with the records in a workbook (written by the export's
// writer, whose memory is not counted: the peak starts over after it).
#include "app/blankimage.h"
#include "interchange/csvexchange.h"
#include "interchange/csvrecordreader.h"
#include "interchange/csvtable.h"
#include "interchange/requirementexchange.h"
#include "interchange/requirementimporter.h"
#include "interchange/spreadsheetarchive.h"
#include "interchange/xlsxreader.h"
#include "interchange/xlsxwriter.h"
#include "interchange/ziparchive.h"
#include "store/recordobjects.h"
#include "store/sqlconnection.h"

#include "benchsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>

namespace {

using namespace varn;
using interchange::CsvExchange;
using interchange::ExchangeFormat;
using interchange::RequirementExchange;

double cpuSeconds()
{
    return double(std::clock()) / CLOCKS_PER_SEC;
}

const char *const kVerbs[] = {"record", "display", "validate", "archive", "transmit", "encrypt",
                              "log",    "compute", "report",   "store",   "check",    "notify"};
const char *const kObjects[] = {"the train position", "every brake command", "each sensor reading",
                                "the daily schedule", "all alarm events",    "the route table",
                                "a door status",      "the fuel level",      "the wheel speed"};
const char *const kWhen[] = {"within 2 seconds",  "once per minute",  "on request",
                             "after each change", "before departure", "in UTC"};
const char *const kCategories[] = {"Software", "Hardware", "Performance", "User Interface"};

// The records, the header first.
QList<QStringList> records(int count)
{
    QRandomGenerator random(29);
    auto pick = [&random](const auto &words) {
        return QLatin1String(words[random.bounded(int(std::size(words)))]);
    };
    QList<QStringList> rows{CsvExchange::header()};
    QStringList bodies;
    for (int i = 1; i <= count; ++i) {
        QString body;
        const int kind = random.bounded(100);
        if (kind < 3 && !bodies.isEmpty()) {
            body = random.bounded(2) == 0
                       ? bodies.at(bodies.size() - 1 - random.bounded(qMin(50, int(bodies.size()))))
                       : bodies.at(random.bounded(int(bodies.size())));
        } else if (kind < 5) {
            body = QStringLiteral("%1 %2 %3, ").arg(pick(kVerbs), pick(kObjects), pick(kWhen));
            for (int j = 0; j < 14; ++j)
                body += QStringLiteral("and %1 ").arg(pick(kObjects));
            body += QString::number(i);
        } else {
            body = QStringLiteral("%1 %2 %3 (item %4)")
                       .arg(pick(kVerbs), pick(kObjects), pick(kWhen))
                       .arg(i);
            if (random.bounded(10) == 0)
                body += QStringLiteral(", \"quoted\", with a comma");
            if (bodies.size() < 200000 || random.bounded(5) == 0)
                bodies.append(body);
        }
        QString comments;
        if (random.bounded(20) == 0)
            comments = QStringLiteral("Agreed at review %1.\nSee the minutes.").arg(i % 97);
        else if (random.bounded(4) == 0)
            comments = QStringLiteral("from supplier batch %1").arg(i / 1000);
        rows.append({QString::number(i), QStringLiteral("Technical"), QStringLiteral("23"),
                     pick(kCategories), QString::number(1 + random.bounded(5)),
                     QString::number(1 + random.bounded(9)), QStringLiteral("1"),
                     QStringLiteral("%1.%2.%3").arg(i % 9 + 1).arg(i % 13 + 1).arg(i % 7 + 1),
                     QStringLiteral("The Acme system shall ") + body, QString::number(i),
                     QStringLiteral("12-8-2026"), comments});
    }
    return rows;
}

bool writeCsv(const QString &path, const QList<QStringList> &rows)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QStringList &row : rows)
        file.write(interchange::CsvTable::record(row).toUtf8());
    return file.flush();
}

// The records read as the import reads them, nothing stored: how many
// items, and how many of them repeat an earlier one.
struct ReadAlone
{
    qsizetype items = 0;
    qsizetype repeated = 0;
};

template <typename Next> Result<ReadAlone> readAlone(Next next, bool csv)
{
    ReadAlone read;
    QSet<size_t> keys;
    for (qsizetype index = 0;; ++index) {
        Result<std::optional<QStringList>> record = next();
        if (!record)
            return record.outcome();
        if (!record->has_value())
            return read;
        if (index == 0)
            continue;
        QStringList cells = *record.takeValue();
        if (csv) {
            for (QString &cell : cells)
                cell = CsvExchange::unguarded(cell);
        }
        Result<std::optional<interchange::ImportBatch::Item>> item =
            CsvExchange::itemOf(cells, index);
        if (!item)
            return item.outcome();
        if (!item->has_value())
            continue;
        ++read.items;
        const size_t key = qHash(
            interchange::RequirementImporter::duplicateKey(item->value().requirement.sentence()));
        if (keys.contains(key))
            ++read.repeated;
        keys.insert(key);
    }
}

bool measure(const QString &label, const QString &input, ExchangeFormat format,
             const QString &folder, int count)
{
    {
        BenchSupport::resetPeakMemory();
        QElapsedTimer timer;
        timer.start();
        const double cpu = cpuSeconds();
        Result<ReadAlone> read = Outcome::ok();
        if (format == ExchangeFormat::Csv) {
            QFile file(input);
            if (!file.open(QIODevice::ReadOnly))
                return false;
            interchange::CsvRecordReader reader(file);
            read = readAlone([&reader] { return reader.next(); }, true);
        } else {
            auto archive = interchange::SpreadsheetArchive::open(input);
            if (!archive)
                return false;
            auto reader = interchange::XlsxReader::open(*archive.value());
            if (!reader)
                return false;
            read = readAlone([&reader] { return reader.value()->next(); }, false);
        }
        if (!read) {
            std::fprintf(stderr, "%s\n", qPrintable(read.outcome().message()));
            return false;
        }
        std::printf("%s read alone: %lld records (%lld repeating an earlier one) in %.2f s, CPU "
                    "%.2f s; peak %.0f MiB\n",
                    qPrintable(label), static_cast<long long>(read->items),
                    static_cast<long long>(read->repeated), timer.nsecsElapsed() / 1e9,
                    cpuSeconds() - cpu, BenchSupport::peakMemoryMiB());
    }
    const QString path = folder + QStringLiteral("/Import%1.mdb").arg(label);
    const QString connection = QStringLiteral("bench_csvimport_") + label;
    if (!app::BlankImage::writeTo(QString(), path) ||
        !store::SqlConnection::open(connection, path)) {
        std::fprintf(stderr, "cannot open a workspace\n");
        return false;
    }
    bool ok = false;
    {
        store::RecordObjects records(connection);
        BenchSupport::resetPeakMemory();
        QElapsedTimer timer;
        timer.start();
        const double cpu = cpuSeconds();
        const auto imported =
            RequirementExchange::importFrom(format, records, QStringLiteral("Acme"), input, false);
        const double elapsed = timer.nsecsElapsed() / 1e9;
        // Every record is imported or named in the report, in the file's order.
        ok = imported && imported->imported.size() + imported->report.size() >= count &&
             !imported->imported.isEmpty() &&
             imported->imported.first().origin == QLatin1String("1");
        if (imported)
            std::printf("%s import: %lld imported, %lld left out in %.2f s, CPU %.2f s (target "
                        "20 s at 1,000,000); peak %.0f MiB (target 500 MB)%s\n",
                        qPrintable(label), static_cast<long long>(imported->imported.size()),
                        static_cast<long long>(imported->report.size()), elapsed,
                        cpuSeconds() - cpu, BenchSupport::peakMemoryMiB(),
                        ok ? "" : " - CHECK FAILED");
        else
            std::fprintf(stderr, "%s\n", qPrintable(imported.outcome().message()));
    }
    store::SqlConnection::close(connection);
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const int count = BenchSupport::requirementsArgument(argc, argv, 100000);
    const bool xlsx = QCoreApplication::arguments().contains(QStringLiteral("xlsx"));
    QTemporaryDir folder;
    const QString csv = folder.filePath(QStringLiteral("records.csv"));
    {
        const QList<QStringList> rows = records(count);
        if (!writeCsv(csv, rows)) {
            std::fprintf(stderr, "cannot write the file\n");
            return 1;
        }
        std::printf("CSV file of %d records: %.1f MB\n", count, QFileInfo(csv).size() / 1e6);
        if (xlsx) {
            const QString workbook = folder.filePath(QStringLiteral("records.xlsx"));
            QFile file(workbook);
            const bool written =
                file.open(QIODevice::WriteOnly) &&
                interchange::XlsxWriter::write(
                    file,
                    [&rows](const std::function<varn::Outcome(const QStringList &)> &visit) {
                        for (const QStringList &row : rows)
                            if (const varn::Outcome took = visit(row); !took)
                                return took;
                        return varn::Outcome::ok();
                    },
                    CsvExchange::isNumeric, QStringLiteral("Requirements"), folder.path())
                    .isOk();
            file.close();
            if (!written) {
                std::fprintf(stderr, "cannot write the workbook\n");
                return 1;
            }
            std::printf("workbook: %.1f MB\n", QFileInfo(workbook).size() / 1e6);
        }
    }
    bool ok = measure(QStringLiteral("CSV"), csv, ExchangeFormat::Csv, folder.path(), count);
    if (ok && xlsx)
        ok = measure(QStringLiteral("XLSX"), folder.filePath(QStringLiteral("records.xlsx")),
                     ExchangeFormat::Xlsx, folder.path(), count);
    return ok ? 0 : 1;
}
