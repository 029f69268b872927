// Requirements as comma-separated values: the record format itself, and a
// round trip between two workspaces through a spreadsheet's file.
#include "interchange/csvexchange.h"
#include "interchange/csvrecordreader.h"
#include "interchange/csvtable.h"
#include "interchange/requirementexchange.h"
#include "interchange/xlsxwriter.h"
#include "interchange/ziparchive.h"
#include "support/filesizelimit.h"
#include "support/freshworkspace.h"
#include "support/storetestsupport.h"
#include "templates/technicalcommit.h"

#include <QtTest>

using namespace varn;
using interchange::CsvTable;
using interchange::ExchangeFormat;
using interchange::RequirementExchange;

namespace {

const QString kSystem = QStringLiteral("ESD");

// The records of a file, or why it could not be read or parsed.
Result<QList<QStringList>> recordsIn(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Outcome::refused(path + QStringLiteral(": ") + file.errorString());
    return CsvTable::parse(QString::fromUtf8(file.readAll()));
}

QStringList column(const QList<QStringList> &records, int index)
{
    QStringList cells;
    for (const QStringList &record : records)
        cells.append(record.at(index));
    return cells;
}

// A file of `count` technical requirements in the columns of an export,
// each with a long comment, so that the file is larger than the blocks and
// pieces an import reads at a time.
QList<QStringList> manyRecords(int count)
{
    QList<QStringList> rows{interchange::CsvExchange::header()};
    const QString comment = QStringLiteral("reviewed, \"agreed\"\nsee the minutes ").repeated(4);
    for (int i = 1; i <= count; ++i)
        rows.append({QString::number(i), QStringLiteral("Technical"), QStringLiteral("23"),
                     QStringLiteral("Software"), QStringLiteral("2"), QStringLiteral("1"),
                     QStringLiteral("1"), QStringLiteral("1.%1").arg(i),
                     QStringLiteral("The ESD system shall log event %1 of the belt").arg(i),
                     QString::number(i), QStringLiteral("12-8-2026"), comment});
    return rows;
}

QByteArray csvBytes(const QList<QStringList> &rows)
{
    QString text;
    for (const QStringList &row : rows)
        text += CsvTable::record(row);
    return text.toUtf8();
}

int requirementCount(const QString &connection)
{
    return StoreTestSupport::scalar(connection, QStringLiteral("SELECT COUNT(*) FROM MASTER_REQ"))
        .toInt();
}

} // namespace

class CsvExchangeTest : public QObject
{
    Q_OBJECT

private slots:
    // A record written and parsed again gives the same fields, and is
    // written as a spreadsheet expects.
    void recordsRoundTrip_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("written");
        QTest::newRow("plain") << QStringList{"1", "go"} << "1,go\r\n";
        QTest::newRow("comma") << QStringList{"a,b", "c"} << "\"a,b\",c\r\n";
        QTest::newRow("quotes") << QStringList{"say \"hi\""} << "\"say \"\"hi\"\"\"\r\n";
        QTest::newRow("line breaks")
            << QStringList{"one\r\ntwo", "three\nfour"} << "\"one\r\ntwo\",\"three\nfour\"\r\n";
        QTest::newRow("non-ASCII") << QStringList{"Zürich – 東京", "ø"} << "Zürich – 東京,ø\r\n";
        QTest::newRow("empty fields") << QStringList{"", "", "x"} << ",,x\r\n";
    }

    void recordsRoundTrip()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, written);
        QCOMPARE(CsvTable::record(fields), written);
        const Result<QList<QStringList>> parsed = CsvTable::parse(written + written);
        QVERIFY(parsed);
        QCOMPARE(parsed.value(), (QList<QStringList>{fields, fields}));
    }

    void malformedRecordsAreRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("open quote") << "a,\"b\r\n"
                                    << "The file ends inside a quoted field";
        QTest::newRow("quote inside") << "a,b\"c\r\n"
                                      << "Line 1 of the file has a quote inside";
        QTest::newRow("text after quote") << "x\r\n\"a\"b\r\n"
                                          << "Line 2 of the file has text after";
    }

    void malformedRecordsAreRefused()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        const Result<QList<QStringList>> parsed = CsvTable::parse(text);
        QVERIFY(!parsed);
        QVERIFY2(parsed.outcome().message().startsWith(message),
                 qPrintable(parsed.outcome().message()));
    }

    // A file read a few bytes at a time gives the records (or the refusal)
    // it gives read whole, wherever a block ends: inside a quoted line
    // break, between CR and LF, between the quotes of a doubled one, inside
    // a character of several bytes, inside the byte order mark.
    void recordsSurviveEveryBlockEdge_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("quoted line breaks") << QByteArray("a,\"one\r\ntwo\"\r\n\"x\ny\",b\r\n");
        QTest::newRow("doubled quotes")
            << QByteArray("\"say \"\"hi\"\"\",\"\"\"\"\r\nend,\"\"\r\n");
        QTest::newRow("bare line feeds, no last break") << QByteArray("a,b\nc,d\n\ne,f");
        QTest::newRow("characters of several bytes")
            << QByteArray("Zürich,東京\r\n\"ø\r\n😀\",x\r\n");
        QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBFNo.,Type\r\n1,\"2\"\r\n");
        QTest::newRow("text after a closing quote") << QByteArray("a\r\n\"b\"c,d\r\n");
        QTest::newRow("quote inside a field") << QByteArray("a\r\nb,c\"d\r\n");
        QTest::newRow("open quote at the end") << QByteArray("a\r\n\"b\r\n");
    }

    void recordsSurviveEveryBlockEdge()
    {
        QFETCH(QByteArray, bytes);
        QString text = QString::fromUtf8(bytes);
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        const Result<QList<QStringList>> whole = CsvTable::parse(text);
        for (qint64 block = 1; block <= bytes.size(); ++block) {
            QBuffer file(&bytes);
            QVERIFY(file.open(QIODevice::ReadOnly));
            interchange::CsvRecordReader reader(file, block);
            QList<QStringList> records;
            QString refusal;
            for (;;) {
                Result<std::optional<QStringList>> record = reader.next();
                if (!record) {
                    refusal = record.outcome().message();
                    break;
                }
                if (!record->has_value())
                    break;
                records.append(*record.takeValue());
            }
            const QString where = QStringLiteral("blocks of %1 bytes").arg(block);
            if (!whole) {
                QVERIFY2(refusal == whole.outcome().message(),
                         qPrintable(where + QStringLiteral(": ") + refusal));
                continue;
            }
            QVERIFY2(refusal.isEmpty(), qPrintable(where + QStringLiteral(": ") + refusal));
            QVERIFY2(records == whole.value(), qPrintable(where));
        }
    }

    // Files larger than what the import reads at a time (a block of a CSV
    // file, a piece of a sheet) are imported whole or not at all: a
    // duplicate thousands of records after the one it repeats is left out,
    // the list of what was imported keeps its order past the part of it held
    // in memory, and a wrong record at the very end leaves nothing written.
    void largeFilesImportWholeOrNothing_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("ending");
        QTest::addColumn<QString>("refusal");
        for (const QString &format : {QStringLiteral("csv"), QStringLiteral("xlsx")}) {
            const QByteArray name = format.toUtf8();
            QTest::newRow(name + ", duplicate far apart") << format << "duplicate" << QString();
            QTest::newRow(name + ", too long in the middle") << format << "too long" << QString();
            QTest::newRow(name + ", wrong record at the end")
                << format << "wrong record"
                << (format == QLatin1String("csv")
                        ? "Record 5000 of the file has 2 fields; the header names 12."
                        : "Record 5000 of the file has 13 fields; the header names 12.");
        }
        QTest::newRow("csv, not UTF-8 at the end") << "csv"
                                                   << "not UTF-8"
                                                   << "The file is not UTF-8 text.";
        QTest::newRow("xlsx, sheet cut short")
            << "xlsx"
            << "cut short"
            << "The spreadsheet's part xl/worksheets/sheet1.xml is not";
    }

    void largeFilesImportWholeOrNothing()
    {
        QFETCH(QString, format);
        QFETCH(QString, ending);
        QFETCH(QString, refusal);
        constexpr int kRecords = 5000;
        QList<QStringList> rows = manyRecords(kRecords);
        QStringList &last = rows.last();
        // The record the import leaves out, and why.
        int leftOut = kRecords;
        QString why = QStringLiteral("it duplicates record 1 of the file.");
        if (ending == QLatin1String("duplicate")) {
            last[8] = QStringLiteral("The ESD system shall LOG  event 1 of the belt");
        } else if (ending == QLatin1String("too long")) {
            // Refused by its save between saves that are kept, in a batch
            // large enough to set the list's indexes aside.
            leftOut = kRecords / 2;
            rows[leftOut][8] =
                QStringLiteral("The ESD system shall log ") + QString(300, QLatin1Char('x'));
            why = QStringLiteral("Requirement is too long. The combined length of all fields is "
                                 "greater than 254 characters.\nTry simplifying the requirement "
                                 "or breaking it down into two shorter ones.");
        } else if (ending == QLatin1String("wrong record"))
            last = format == QLatin1String("csv") ? last.mid(0, 2) : last + QStringList{"x"};
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("many.") + format);
        if (format == QLatin1String("csv")) {
            QByteArray bytes = csvBytes(rows);
            QVERIFY(bytes.size() > (1 << 20));
            if (ending == QLatin1String("not UTF-8"))
                bytes.insert(bytes.size() - 10, "\xC3\x28");
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        } else {
            // Written as an export writes it, then the sheet cut short in
            // a copy of the archive where the case asks for it.
            {
                QFile workbook(path);
                QVERIFY(workbook.open(QIODevice::WriteOnly));
                const Outcome written = interchange::XlsxWriter::write(
                    workbook,
                    [&rows](const std::function<Outcome(const QStringList &)> &visit) {
                        for (const QStringList &row : rows)
                            if (const Outcome took = visit(row); !took)
                                return took;
                        return Outcome::ok();
                    },
                    interchange::CsvExchange::isNumeric, QStringLiteral("Requirements"),
                    folder.path());
                QVERIFY2(written.isOk(), qPrintable(written.message()));
            }
            Result<interchange::ZipArchive> archive = interchange::ZipArchive::read(path);
            QVERIFY(archive.isOk());
            QList<interchange::ZipArchive::Entry> entries = archive->entries();
            for (interchange::ZipArchive::Entry &entry : entries) {
                if (entry.name.contains(QLatin1String("sheet1"))) {
                    QVERIFY(entry.bytes.size() > 1 << 20);
                    if (ending == QLatin1String("cut short"))
                        entry.bytes.chop(40);
                }
            }
            QVERIFY(interchange::ZipArchive::write(path, entries));
        }
        FreshWorkspace target(QStringLiteral("csv-many"));
        QVERIFY(target.isOpen());
        const Result<interchange::ImportSummary> imported = RequirementExchange::importFrom(
            *RequirementExchange::formatNamed(format), target.records(), kSystem, path, false);
        if (!refusal.isEmpty()) {
            QVERIFY(!imported);
            QVERIFY2(imported.outcome().message().startsWith(refusal),
                     qPrintable(imported.outcome().message()));
            QVERIFY(
                imported.outcome().message().endsWith(QStringLiteral("\nNothing was imported.")));
            QCOMPARE(requirementCount(QStringLiteral("csv-many")), 0);
            return;
        }
        QVERIFY2(imported, qPrintable(imported.outcome().message()));
        QCOMPARE(
            imported->report,
            QStringList{QStringLiteral("Record %1 is not imported: %2").arg(leftOut).arg(why)});
        QCOMPARE(imported->imported.size(), kRecords - 1);
        QCOMPARE(requirementCount(QStringLiteral("csv-many")), kRecords - 1);
        QVERIFY(kRecords - 1 > interchange::ImportedList::kHeld);
        int at = 0;
        qint32 number = 0;
        for (const interchange::ImportSummary::Imported &one : imported->imported) {
            ++at;
            if (at == leftOut)
                ++at;
            QCOMPARE(one.origin, QString::number(at));
            QCOMPARE(one.sentence, rows.at(at).at(8));
            // Numbered one after another: the refused record took no number.
            QCOMPARE(one.number, ++number);
        }
        QCOMPARE(at, leftOut == kRecords ? kRecords - 1 : kRecords);
        const qsizetype firstSpooled = interchange::ImportedList::kHeld + 1 +
                                       (leftOut <= interchange::ImportedList::kHeld + 1);
        QCOMPARE(imported->imported[interchange::ImportedList::kHeld].sentence,
                 rows.at(firstSpooled).at(8));
        QCOMPARE(imported->imported.last().origin, QString::number(at));
        // What each save wrote is stored, the refused record's nothing.
        QCOMPARE(StoreTestSupport::scalar(
                     QStringLiteral("csv-many"),
                     QStringLiteral("SELECT COUNT(*) FROM MASTER_REQ WHERE Req_Num = OrigReqNum "
                                    "AND Version = 1 AND Req_Num BETWEEN 1 AND %1")
                         .arg(kRecords - 1))
                     .toInt(),
                 kRecords - 1);
    }

    // Export, import into a fresh workspace, export again: the sentences
    // and attributes survive quotes, commas, line breaks and non-ASCII text.
    void workspaceRoundTrip()
    {
        QTemporaryDir folder;
        const QString first = folder.filePath(QStringLiteral("first.csv"));
        const QString second = folder.filePath(QStringLiteral("second.csv"));
        {
            FreshWorkspace source(QStringLiteral("csv-first"));
            QVERIFY(source.isOpen());
            templates::TechnicalCommit commit(source.records(), kSystem);
            const QStringList texts{QStringLiteral("answer \"at once\", then log it"),
                                    QStringLiteral("greet users in Zürich, Kraków and 東京"),
                                    QStringLiteral("print the first line\nand the second line")};
            for (const QString &text : texts) {
                templates::TechnicalDraft draft;
                draft.text = text;
                draft.paragraph = QStringLiteral("4.%1").arg(texts.indexOf(text) + 1);
                draft.comments = QStringLiteral("note, \"quoted\" – %1").arg(texts.indexOf(text));
                draft.priority = QStringLiteral("2");
                draft.release = QStringLiteral("5");
                QVERIFY(commit.save(draft).outcome);
            }
            const auto exported = RequirementExchange::exportTo(
                ExchangeFormat::Csv, {QStringLiteral("csv-first"), kSystem, {}}, first, false);
            QVERIFY2(exported, qPrintable(exported.outcome().message()));
            QCOMPARE(exported->written, 3);
        }
        FreshWorkspace target(QStringLiteral("csv-second"));
        QVERIFY(target.isOpen());
        const Result<interchange::ImportSummary> imported = RequirementExchange::importFrom(
            ExchangeFormat::Csv, target.records(), kSystem, first, false);
        QVERIFY2(imported, qPrintable(imported.outcome().message()));
        QCOMPARE(imported->report, QStringList());
        QCOMPARE(imported->imported.size(), 3);
        const auto exported = RequirementExchange::exportTo(
            ExchangeFormat::Csv, {QStringLiteral("csv-second"), kSystem, {}}, second, false);
        QVERIFY2(exported, qPrintable(exported.outcome().message()));
        QCOMPARE(exported->written, 3);

        const Result<QList<QStringList>> before = recordsIn(first);
        QVERIFY2(before, qPrintable(before.outcome().message()));
        const Result<QList<QStringList>> after = recordsIn(second);
        QVERIFY2(after, qPrintable(after.outcome().message()));
        // The header and the three requirements, each with every column.
        QCOMPARE(before->size(), 4);
        QCOMPARE(after->size(), 4);
        const QStringList header = interchange::CsvExchange::header();
        for (const QStringList &record : before.value() + after.value())
            QCOMPARE(record.size(), header.size());
        QCOMPARE(before->first(), header);
        // Category, Priority, Release, Paragraph, Requirement, Comments.
        for (const int index : {3, 4, 5, 7, 8, 11})
            QCOMPARE(column(after.value(), index), column(before.value(), index));
        QCOMPARE(column(after.value(), 8).last(),
                 QStringLiteral("The ESD system shall print the first line\nand the second line"));
        QCOMPARE(
            column(after.value(), 11).mid(1),
            (QStringList{"note, \"quoted\" – 0", "note, \"quoted\" – 1", "note, \"quoted\" – 2"}));
    }

    // Cells a spreadsheet would run as formulas are written as text (a
    // leading apostrophe), and the import gives back exactly what was stored.
    void formulaLikeCellsStayText_data()
    {
        QTest::addColumn<QString>("comments");
        QTest::addColumn<QString>("written");
        QTest::newRow("equals") << "=1+1"
                                << "'=1+1";
        QTest::newRow("plus") << "+33 1 23 45"
                              << "'+33 1 23 45";
        QTest::newRow("minus") << "-2+3"
                               << "'-2+3";
        QTest::newRow("at") << "@SUM(A1:A9)"
                            << "'@SUM(A1:A9)";
        QTest::newRow("after blanks") << "  =HYPERLINK(\"http://x\")"
                                      << "'  =HYPERLINK(\"http://x\")";
        QTest::newRow("tab first") << "\tcell"
                                   << "'\tcell";
        QTest::newRow("tab before equals") << "\t=1"
                                           << "'\t=1";
        QTest::newRow("apostrophe before formula") << "'=1"
                                                   << "''=1";
        QTest::newRow("apostrophes before formula") << "''-x"
                                                    << "'''-x";
        QTest::newRow("apostrophe alone") << "'quoted"
                                          << "'quoted";
        QTest::newRow("formula sign later") << "a = b + c"
                                            << "a = b + c";
        QTest::newRow("empty") << ""
                               << "";
    }

    void formulaLikeCellsStayText()
    {
        QFETCH(QString, comments);
        QFETCH(QString, written);
        QCOMPARE(interchange::CsvExchange::guarded(comments), written);
        QCOMPARE(interchange::CsvExchange::unguarded(written), comments);

        QTemporaryDir folder;
        const QString first = folder.filePath(QStringLiteral("first.csv"));
        const QString second = folder.filePath(QStringLiteral("second.csv"));
        {
            FreshWorkspace source(QStringLiteral("csv-formula"));
            QVERIFY(source.isOpen());
            templates::TechnicalDraft draft;
            draft.text = QStringLiteral("keep the cell as typed");
            draft.comments = comments;
            draft.paragraph = comments.contains(QLatin1Char('\t')) ? QString() : comments;
            QVERIFY(templates::TechnicalCommit(source.records(), kSystem).save(draft).outcome);
            QVERIFY(RequirementExchange::exportTo(
                ExchangeFormat::Csv, {QStringLiteral("csv-formula"), kSystem, {}}, first, false));
        }
        const Result<QList<QStringList>> records = recordsIn(first);
        QVERIFY(records);
        QCOMPARE(records->size(), 2);
        QCOMPARE(records->at(1).at(11), written);
        // The numbers stay numbers.
        QCOMPARE(records->at(1).at(0), QStringLiteral("1"));

        FreshWorkspace target(QStringLiteral("csv-formula-back"));
        QVERIFY(target.isOpen());
        const Result<interchange::ImportSummary> imported = RequirementExchange::importFrom(
            ExchangeFormat::Csv, target.records(), kSystem, first, false);
        QVERIFY2(imported, qPrintable(imported.outcome().message()));
        QCOMPARE(imported->report, QStringList());
        QVERIFY(RequirementExchange::exportTo(
            ExchangeFormat::Csv, {QStringLiteral("csv-formula-back"), kSystem, {}}, second, false));
        const Result<QList<QStringList>> again = recordsIn(second);
        QVERIFY(again);
        QCOMPARE(again->at(1).at(11), written);
        QCOMPARE(again->at(1).at(7), records->at(1).at(7));
    }

    // A full disk while an export is written: the export is refused, naming
    // the file, a file of that name keeps what it held, and no temporary
    // file is left beside it.
    void aFullDiskKeepsTheOldExport_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("name");
        QTest::newRow("CSV") << int(ExchangeFormat::Csv) << "requirements.out";
        QTest::newRow("ReqIF") << int(ExchangeFormat::ReqIf) << "requirements.out";
        QTest::newRow("ReqIF archive") << int(ExchangeFormat::ReqIf) << "requirements.reqifz";
        QTest::newRow("HTML") << int(ExchangeFormat::Html) << "requirements.out";
        QTest::newRow("XLSX") << int(ExchangeFormat::Xlsx) << "requirements.out";
        QTest::newRow("ODT") << int(ExchangeFormat::Odt) << "requirements.out";
    }

    void aFullDiskKeepsTheOldExport()
    {
        QFETCH(int, format);
        QFETCH(QString, name);
        QTemporaryDir folder;
        const QString path = folder.filePath(name);
        const QByteArray old = "an export of last week\n";
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(old), old.size());
        }
        FreshWorkspace source(QStringLiteral("csv-full"));
        QVERIFY(source.isOpen());
        templates::TechnicalDraft draft;
        draft.text = QStringLiteral("answer every query within 2 seconds");
        QVERIFY(templates::TechnicalCommit(source.records(), kSystem).save(draft).outcome);

        Result<RequirementExchange::ExportSummary> exported = Outcome::ok();
        {
            const FileSizeLimit full(16);
            QVERIFY(full.isSet());
            exported = RequirementExchange::exportTo(
                ExchangeFormat(format), {QStringLiteral("csv-full"), kSystem, {}}, path, false);
        }
        QVERIFY(!exported);
        QVERIFY2(
            exported.outcome().message().startsWith(QStringLiteral("Cannot write %1:\n").arg(path)),
            qPrintable(exported.outcome().message()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), old);
        QCOMPARE(
            QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{name});
    }

    // An imported record is checked as the technical composer checks what
    // is typed: control characters are left out with the field's message,
    // line breaks in the comments and the text come in.
    void controlCharactersAreLeftOut_data()
    {
        QTest::addColumn<QString>("paragraph");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("comments");
        QTest::addColumn<QString>("refusal");
        const QString none;
        QTest::newRow("line breaks") << "2.1"
                                     << "ring\ntwice"
                                     << "one\r\ntwo\tthree" << none;
        QTest::newRow("zero in the comments")
            << "2.1"
            << "ring" << QStringLiteral("cut") + QChar(0) + QStringLiteral("here")
            << "Validation error. The Comments field holds a control character.\nRemove it and "
               "save again.";
        QTest::newRow("escape in the comments")
            << "2.1"
            << "ring"
            << "\x1b[2J"
            << "Validation error. The Comments field holds a control character.\nRemove it and "
               "save again.";
        QTest::newRow("bell in the paragraph")
            << "2.\x07"
            << "ring" << none
            << "Validation error. The Paragraph field holds a control or text-direction "
               "character.\nRemove it and save again.";
        QTest::newRow("escape in the text")
            << "2.1"
            << "ring\x1b twice" << none
            << "Validation error. The requirement holds a control or text-direction "
               "character.\nRemove it and save again.";
    }

    void controlCharactersAreLeftOut()
    {
        QFETCH(QString, paragraph);
        QFETCH(QString, text);
        QFETCH(QString, comments);
        QFETCH(QString, refusal);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("in.csv"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write((CsvTable::record(interchange::CsvExchange::header()) +
                    CsvTable::record({"1", "Technical", "23", "Software", "1", "1", "1", paragraph,
                                      "The ESD system shall " + text, "1", "1-1-2020", comments}))
                       .toUtf8());
        file.close();
        FreshWorkspace target(QStringLiteral("csv-control"));
        QVERIFY(target.isOpen());
        const Result<interchange::ImportSummary> imported = RequirementExchange::importFrom(
            ExchangeFormat::Csv, target.records(), kSystem, path, false);
        QVERIFY2(imported, qPrintable(imported.outcome().message()));
        if (refusal.isEmpty()) {
            QCOMPARE(imported->report, QStringList());
            QCOMPARE(imported->imported.size(), 1);
            QCOMPARE(imported->imported.first().sentence, "The ESD system shall " + text);
            return;
        }
        QCOMPARE(imported->imported.size(), 0);
        QCOMPARE(imported->report, QStringList{"Record 1 is not imported: " + refusal});
    }
};

QTEST_GUILESS_MAIN(CsvExchangeTest)
#include "tst_csvexchange.moc"
