// Requirements as comma-separated values: the record format itself, and a
// round trip between two workspaces through a spreadsheet's file.
#include "interchange/csvexchange.h"
#include "interchange/csvtable.h"
#include "interchange/requirementexchange.h"
#include "support/filesizelimit.h"
#include "support/freshworkspace.h"
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
