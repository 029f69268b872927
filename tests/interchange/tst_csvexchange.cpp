// Requirements as comma-separated values: the record format itself, and a
// round trip between two workspaces through a spreadsheet's file.
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
                         .value(),
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
};

QTEST_GUILESS_MAIN(CsvExchangeTest)
#include "tst_csvexchange.moc"
