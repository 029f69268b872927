// Requirements as comma-separated values: the record format itself, and a
// round trip between two workspaces through a spreadsheet's file.
#include "interchange/csvexchange.h"
#include "interchange/csvtable.h"
#include "interchange/requirementexchange.h"
#include "support/freshworkspace.h"
#include "templates/technicalcommit.h"

#include <QtTest>

using namespace varn;
using interchange::CsvTable;
using interchange::ExchangeFormat;
using interchange::RequirementExchange;

namespace {

const QString kSystem = QStringLiteral("ESD");

QStringList column(const QString &path, int index)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const Result<QList<QStringList>> records = CsvTable::parse(QString::fromUtf8(file.readAll()));
    QStringList cells;
    if (records) {
        for (const QStringList &record : records.value())
            cells.append(record.value(index));
    }
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
            QCOMPARE(RequirementExchange::exportTo(ExchangeFormat::Csv,
                                                   {QStringLiteral("csv-first"), kSystem, {}},
                                                   first, false)
                         ->written,
                     3);
        }
        FreshWorkspace target(QStringLiteral("csv-second"));
        QVERIFY(target.isOpen());
        const Result<interchange::ImportSummary> imported = RequirementExchange::importFrom(
            ExchangeFormat::Csv, target.records(), kSystem, first, false);
        QVERIFY2(imported, qPrintable(imported.outcome().message()));
        QCOMPARE(imported->report, QStringList());
        QCOMPARE(imported->imported.size(), 3);
        QVERIFY(RequirementExchange::exportTo(
            ExchangeFormat::Csv, {QStringLiteral("csv-second"), kSystem, {}}, second, false));
        // Category, Priority, Release, Paragraph, Requirement, Comments.
        for (const int index : {3, 4, 5, 7, 8, 11})
            QCOMPARE(column(second, index), column(first, index));
        QCOMPARE(column(second, 8).last(),
                 QStringLiteral("The ESD system shall print the first line\nand the second line"));
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
