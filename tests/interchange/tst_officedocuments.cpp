// Office documents: the spreadsheet round trip between two workspaces, a
// workbook written the way other spreadsheet programs write theirs, the
// refusals, and the OpenDocument text for reviews read back from its parts.
#include "interchange/csvexchange.h"
#include "interchange/requirementexchange.h"
#include "interchange/xlsxreader.h"
#include "interchange/xlsxwriter.h"
#include "interchange/ziparchive.h"
#include "support/freshworkspace.h"
#include "templates/technicalcommit.h"

#include <QXmlStreamReader>
#include <QtTest>

#include <algorithm>
#include <memory>

using namespace varn;
using interchange::CsvExchange;
using interchange::ExchangeFormat;
using interchange::RequirementExchange;
using interchange::XlsxReader;
using interchange::ZipArchive;

namespace {

const QString kSystem = QStringLiteral("ESD");

struct Stored
{
    QString text;
    QString paragraph;
    QString comments;
    QString priority = QStringLiteral("1");
};

bool save(FreshWorkspace &workspace, const Stored &stored)
{
    templates::TechnicalDraft draft;
    draft.text = stored.text;
    draft.paragraph = stored.paragraph;
    draft.comments = stored.comments;
    draft.priority = stored.priority;
    return bool(templates::TechnicalCommit(workspace.records(), kSystem).save(draft).outcome);
}

Result<QList<QStringList>> sheetRows(const QString &path)
{
    const Result<ZipArchive> archive = ZipArchive::read(path);
    if (!archive)
        return archive.outcome();
    return XlsxReader::rows(archive.value());
}

QString writeArchive(const QTemporaryDir &folder, const QString &name,
                     const QList<ZipArchive::Entry> &entries)
{
    const QString path = folder.filePath(name);
    return ZipArchive::write(path, entries) ? path : QString();
}

// A workbook as another program writes it: the workbook and its sheets under
// other names, reached through the relationships; a second sheet that is not
// read; shared strings with rich-text runs and a reading aid; cells and rows
// left out; a cell without a reference; a formula with its last value.
QList<ZipArchive::Entry> foreignWorkbook(const QByteArray &sheetData)
{
    const QByteArray relationshipsNs =
        "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    QByteArray strings = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                         "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                         "count=\"14\" uniqueCount=\"14\">";
    for (const QString &name : CsvExchange::header())
        strings += "<si><t>" + name.toUtf8() + "</t></si>"; // 0 to 11
    strings += "<si><r><rPr><b/></rPr><t>The ESD system shall </t></r><r><t xml:space=\"preserve\">"
               "weigh  every</t></r><r><rPr><i/></rPr><t xml:space=\"preserve\"> truck</t></r>"
               "<rPh sb=\"0\" eb=\"1\"><t>READING</t></rPh></si>";                            // 12
    strings += "<si><t xml:space=\"preserve\">  note &amp; \"more\" &lt;here&gt;  </t></si>"; // 13
    strings += "<si><t>Software</t></si>";                                                    // 14
    strings += "</sst>";
    return {
        {"[Content_Types].xml", "<?xml version=\"1.0\"?><Types xmlns=\"http://schemas."
                                "openxmlformats.org/package/2006/content-types\"/>"},
        {"_rels/.rels",
         "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/"
         "package/2006/relationships\"><Relationship Id=\"R1\" Type=\"" +
             relationshipsNs +
             "/extended-properties\" Target=\"docProps/app.xml\"/><Relationship Id=\"R2\" Type=\"" +
             relationshipsNs + "/officeDocument\" Target=\"/book/main.xml\"/></Relationships>"},
        {"book/main.xml",
         "<?xml version=\"1.0\"?><workbook xmlns=\"http://schemas.openxmlformats.org/"
         "spreadsheetml/2006/main\" xmlns:rel=\"" +
             relationshipsNs +
             "\"><sheets><sheet name=\"Requirements\" sheetId=\"4\" rel:id=\"rId7\"/>"
             "<sheet name=\"Other\" sheetId=\"1\" rel:id=\"rId1\"/></sheets></workbook>"},
        {"book/_rels/main.xml.rels",
         "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/"
         "package/2006/relationships\"><Relationship Id=\"rId1\" Type=\"" +
             relationshipsNs +
             "/worksheet\" Target=\"pages/other.xml\"/><Relationship Id=\"rId9\" "
             "Type=\"" +
             relationshipsNs +
             "/sharedStrings\" Target=\"../text/strings.xml\"/><Relationship "
             "Id=\"rId7\" Type=\"" +
             relationshipsNs + "/worksheet\" Target=\"pages/first.xml\"/></Relationships>"},
        {"text/strings.xml", strings},
        {"book/pages/other.xml", "<?xml version=\"1.0\"?><worksheet xmlns=\"http://schemas."
                                 "openxmlformats.org/spreadsheetml/2006/main\"><sheetData><row "
                                 "r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>not read</t></is></c>"
                                 "</row></sheetData></worksheet>"},
        {"book/pages/first.xml",
         "<?xml version=\"1.0\"?><worksheet xmlns=\"http://schemas.openxmlformats.org/"
         "spreadsheetml/2006/main\"><sheetData>" +
             sheetData + "</sheetData></worksheet>"},
    };
}

// The header row, from the shared strings, every cell with its reference.
QByteArray headerRow()
{
    QByteArray row = "<row r=\"1\" spans=\"1:12\">";
    for (int i = 0; i < 12; ++i)
        row += "<c r=\"" + interchange::XlsxWriter::columnName(i).toUtf8() + "1\" t=\"s\"><v>" +
               QByteArray::number(i) + "</v></c>";
    return row + "</row>";
}

} // namespace

class OfficeDocumentsTest : public QObject
{
    Q_OBJECT

private slots:
    // Export from one workspace, import into another, export again: every
    // field the import reads comes back exactly.
    void spreadsheetRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("paragraph");
        QTest::addColumn<QString>("comments");
        QTest::newRow("quotes") << "answer \"at once\", then log it"
                                << "4.1"
                                << "say \"hi\" & 'bye' <now>";
        QTest::newRow("line breaks") << "print the first line\nand the second line"
                                     << "4.2"
                                     << "one\r\ntwo\rthree\n\tfour";
        QTest::newRow("non-ASCII") << "greet users in Zürich, Kraków and 東京"
                                   << "§4.3"
                                   << "ø – ✓ 😀";
        QTest::newRow("formula-like") << "=1+1 is shown as typed"
                                      << "-4.4"
                                      << "=HYPERLINK(\"http://x\",\"y\")";
        QTest::newRow("other formula signs") << "log every query"
                                             << "+7"
                                             << "@SUM(A1:A2)";
        QTest::newRow("empty fields") << "stop"
                                      << "6"
                                      << "";
        QTest::newRow("blanks kept") << "wait a moment"
                                     << " 5 "
                                     << "  leading and trailing  ";
        QTest::newRow("long text")
            << QString(200, QLatin1Char('w')) << "5.1" << QString(254, QChar(u'é'));
    }

    void spreadsheetRoundTrip()
    {
        QFETCH(QString, text);
        QFETCH(QString, paragraph);
        QFETCH(QString, comments);
        QTemporaryDir folder;
        const QString first = folder.filePath(QStringLiteral("first.xlsx"));
        const QString second = folder.filePath(QStringLiteral("second.xlsx"));
        {
            FreshWorkspace source(QStringLiteral("xlsx-first"));
            QVERIFY(source.isOpen());
            QVERIFY(save(source, {QStringLiteral("answer within 2 seconds"),
                                  QStringLiteral("1"),
                                  {},
                                  QStringLiteral("3")}));
            QVERIFY(save(source, {text, paragraph, comments}));
            const auto exported = RequirementExchange::exportTo(
                ExchangeFormat::Xlsx, {QStringLiteral("xlsx-first"), kSystem, {}}, first, false);
            QVERIFY2(exported, qPrintable(exported.outcome().message()));
            QCOMPARE(exported->written, 2);
        }
        const Result<QList<QStringList>> before = sheetRows(first);
        QVERIFY2(before, qPrintable(before.outcome().message()));
        QCOMPARE(before->size(), 3);
        QCOMPARE(before->first(), CsvExchange::header());
        QCOMPARE(before->at(2).at(11), comments);
        QCOMPARE(before->at(2).at(7), paragraph);
        QCOMPARE(before->at(2).at(8), "The ESD system shall " + text);

        // Every text is a string cell; the numbers of numeric columns are numbers.
        const QByteArray sheet = ZipArchive::read(first)
                                     .value()
                                     .entry(QStringLiteral("xl/worksheets/sheet1.xml"))
                                     ->bytes;
        QVERIFY(!sheet.contains("<f>"));
        QVERIFY(sheet.contains("<c r=\"E2\"><v>3</v></c>"));
        QVERIFY(sheet.contains("<c r=\"B2\" t=\"inlineStr\">"));
        if (!comments.isEmpty())
            QVERIFY(sheet.contains("<c r=\"L3\" t=\"inlineStr\">"));

        FreshWorkspace target(QStringLiteral("xlsx-second"));
        QVERIFY(target.isOpen());
        const Result<interchange::ImportSummary> imported = RequirementExchange::importFrom(
            ExchangeFormat::Xlsx, target.records(), kSystem, first, false);
        QVERIFY2(imported, qPrintable(imported.outcome().message()));
        QCOMPARE(imported->report, QStringList());
        QCOMPARE(imported->imported.size(), 2);
        QVERIFY(RequirementExchange::exportTo(
            ExchangeFormat::Xlsx, {QStringLiteral("xlsx-second"), kSystem, {}}, second, false));
        const Result<QList<QStringList>> after = sheetRows(second);
        QVERIFY(after);
        QCOMPARE(after->size(), before->size());
        // Category, Priority, Release, Paragraph, Requirement, Comments.
        for (qsizetype row = 1; row < after->size(); ++row) {
            for (const int column : {3, 4, 5, 7, 8, 11})
                QCOMPARE(after->at(row).at(column), before->at(row).at(column));
        }
    }

    void foreignWorkbookIsRead()
    {
        QTemporaryDir folder;
        // Row 3 is left out, and so are the empty cells; C4 has no
        // reference (it follows B4); E4 is a formula with its last value.
        const QByteArray data =
            headerRow() +
            "<row r=\"2\"><c r=\"A2\"><v>7</v></c><c r=\"D2\" t=\"inlineStr\"><is><t>Software</t>"
            "</is></c><c r=\"E2\"><v>2.0</v></c><c r=\"F2\"><v>1E0</v></c>"
            "<c r=\"H2\" t=\"inlineStr\"><is><r><t>3.</t></r><r><t>10</t></r></is></c>"
            "<c r=\"I2\" t=\"s\"><v>12</v></c><c r=\"L2\" t=\"s\"><v>13</v></c></row>"
            "<row r=\"4\"><c r=\"B4\" t=\"str\"><v>Technical</v></c><c><v>23</v></c>"
            "<c r=\"D4\" t=\"s\"><v>14</v></c><c r=\"E4\"><f>1+2</f><v>3</v></c><c "
            "r=\"F4\"><v>1</v></c><c r=\"I4\" t=\"inlineStr\"><is><t>stop the "
            "belt</t></is></c></row>";
        const QString path =
            writeArchive(folder, QStringLiteral("foreign.xlsx"), foreignWorkbook(data));
        QVERIFY(!path.isEmpty());
        const Result<QList<QStringList>> rows = sheetRows(path);
        QVERIFY2(rows, qPrintable(rows.outcome().message()));
        QCOMPARE(rows->size(), 4);
        QCOMPARE(rows->at(0), CsvExchange::header());
        QCOMPARE(rows->at(1), (QStringList{"7", "", "", "Software", "2", "1", "", "3.10",
                                           "The ESD system shall weigh  every truck", "", "",
                                           "  note & \"more\" <here>  "}));
        QCOMPARE(rows->at(2), QStringList{QString()});
        QCOMPARE(rows->at(3).mid(0, 5), (QStringList{"", "Technical", "23", "Software", "3"}));

        FreshWorkspace target(QStringLiteral("xlsx-foreign"));
        QVERIFY(target.isOpen());
        const Result<interchange::ImportSummary> imported = RequirementExchange::importFrom(
            ExchangeFormat::Xlsx, target.records(), kSystem, path, false);
        QVERIFY2(imported, qPrintable(imported.outcome().message()));
        QVERIFY2(imported->report.isEmpty(), qPrintable(imported->report.join('\n')));
        QCOMPARE(imported->imported.size(), 2);
        // The composer stores words one blank apart.
        QCOMPARE(imported->imported[0].sentence,
                 QStringLiteral("The ESD system shall weigh every truck"));
        QCOMPARE(imported->imported[1].sentence,
                 QStringLiteral("The ESD system shall stop the belt"));
    }

    // The sheet and its shared strings come out of the archive a piece at a
    // time: wherever a piece ends (inside a tag, an attribute, a text, an
    // entity, a character of several bytes) the rows are those of the part
    // read whole, and a refusal is the same refusal.
    void sheetPiecesMayEndAnywhere_data()
    {
        QTest::addColumn<QByteArray>("sheetData");
        QTest::newRow("cells of every kind")
            << headerRow() +
                   "<row r=\"2\"><c r=\"A2\"><v>7</v></c><c r=\"H2\" t=\"inlineStr\"><is><r>"
                   "<t>3.</t></r><r><t>10</t></r></is></c><c r=\"I2\" t=\"s\"><v>12</v></c>"
                   "<c r=\"L2\" t=\"inlineStr\"><is><t>Zürich &amp; 東京 😀</t></is></c></row>"
                   "<row r=\"5\"><c r=\"I5\" t=\"s\"><v>13</v></c></row>";
        QTest::newRow("cut short") << headerRow() + "<row r=\"2\"><c r=\"A2\"><v>7</v>";
    }

    void sheetPiecesMayEndAnywhere()
    {
        QFETCH(QByteArray, sheetData);
        const QList<ZipArchive::Entry> entries = foreignWorkbook(sheetData);
        auto entry = [&entries](const QString &name) {
            return std::find_if(entries.cbegin(), entries.cend(),
                                [&name](const ZipArchive::Entry &e) { return e.name == name; });
        };
        const Result<QList<QStringList>> whole =
            XlsxReader::rows(ZipArchive::fromBytes(ZipArchive::bytes(entries).value()).value());
        qsizetype longest = 0;
        for (const ZipArchive::Entry &e : entries)
            longest = qMax(longest, e.bytes.size());
        for (qsizetype size = 1; size <= longest; size += size < 64 ? 1 : 7) {
            XlsxReader::Parts parts{
                [&](const QString &name) { return entry(name) != entries.cend(); },
                [&](const QString &name) -> Result<QByteArray> { return entry(name)->bytes; },
                [&](const QString &name) -> Result<std::function<Result<QByteArray>()>> {
                    const QByteArray bytes = entry(name)->bytes;
                    auto at = std::make_shared<qsizetype>(0);
                    return std::function<Result<QByteArray>()>(
                        [bytes, at, size]() -> Result<QByteArray> {
                            const QByteArray piece = bytes.mid(*at, size);
                            *at += piece.size();
                            return piece;
                        });
                }};
            QList<QStringList> rows;
            QString refusal;
            Result<std::unique_ptr<XlsxReader>> reader = XlsxReader::open(std::move(parts));
            if (!reader)
                refusal = reader.outcome().message();
            while (refusal.isEmpty()) {
                Result<std::optional<QStringList>> row = reader.value()->next();
                if (!row)
                    refusal = row.outcome().message();
                else if (!row->has_value())
                    break;
                else
                    rows.append(*row.takeValue());
            }
            const QString where = QStringLiteral("pieces of %1 bytes").arg(size);
            if (!whole) {
                QVERIFY2(refusal == whole.outcome().message(),
                         qPrintable(where + QStringLiteral(": ") + refusal));
                continue;
            }
            QVERIFY2(refusal.isEmpty(), qPrintable(where + QStringLiteral(": ") + refusal));
            QVERIFY2(rows == whole.value(), qPrintable(where));
        }
        if (whole) {
            QCOMPARE(whole->size(), 5);
            QCOMPARE(whole->at(1).at(11), QStringLiteral("Zürich & 東京 😀"));
            QCOMPARE(whole->at(2), QStringList{QString()});
            QCOMPARE(whole->at(4).at(8), QStringLiteral("  note & \"more\" <here>  "));
        }
    }

    // A workbook is refused whole, with the CSV import's messages where they
    // apply, and nothing is imported.
    void wrongWorkbooksAreRefused_data()
    {
        QTest::addColumn<QByteArray>("sheetData");
        QTest::addColumn<QString>("message");
        QTest::newRow("header wrong")
            << QByteArray("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>Number</t></is></c>"
                          "</row>")
            << "The first line of the file must name the columns No., Type,";
        QTest::newRow("header not first")
            << QByteArray("<row r=\"2\"><c r=\"A2\" t=\"s\"><v>0</v></c></row>")
            << "The first line of the file must name the columns";
        QTest::newRow("row too wide")
            << headerRow() + "<row r=\"2\"><c r=\"M2\" t=\"inlineStr\"><is><t>x</t></is></c></row>"
            << "Record 1 of the file has 13 fields; the header names 12.";
        QTest::newRow("shared string missing")
            << headerRow() + "<row r=\"2\"><c r=\"A2\" t=\"s\"><v>99</v></c></row>"
            << "names shared string 99";
        QTest::newRow("cell outside the sheet")
            << headerRow() + "<row r=\"2\"><c r=\"ABCD2\"><v>1</v></c></row>"
            << "outside a sheet's rows and columns";
        QTest::newRow("row outside the sheet")
            << headerRow() + "<row r=\"99999999\"><c><v>1</v></c></row>"
            << "outside a sheet's rows and columns";
        QTest::newRow("entity")
            << QByteArray("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>&bomb;</t></is></c>"
                          "</row>")
            << "is not well-formed XML";
        QTest::newRow("malformed") << QByteArray("<row r=\"1\"><c>") << "is not well-formed XML";
        QTest::newRow("rows out of order")
            << headerRow() + "<row r=\"3\"><c r=\"A3\"><v>1</v></c></row>"
                             "<row r=\"2\"><c r=\"A2\"><v>2</v></c></row>"
            << "its sheet's row 2 comes after row 3; a sheet's rows are in order.";
        QTest::newRow("row given twice")
            << headerRow() + "<row r=\"2\"><c r=\"A2\"><v>1</v></c></row>"
                             "<row r=\"2\"><c r=\"B2\"><v>2</v></c></row>"
            << "its sheet's row 2 comes after row 2";
    }

    void wrongWorkbooksAreRefused()
    {
        QFETCH(QByteArray, sheetData);
        QFETCH(QString, message);
        QTemporaryDir folder;
        const QString path =
            writeArchive(folder, QStringLiteral("wrong.xlsx"), foreignWorkbook(sheetData));
        QVERIFY(!path.isEmpty());
        FreshWorkspace target(QStringLiteral("xlsx-wrong"));
        QVERIFY(target.isOpen());
        const Result<interchange::ImportSummary> imported = RequirementExchange::importFrom(
            ExchangeFormat::Xlsx, target.records(), kSystem, path, false);
        QVERIFY(!imported);
        QVERIFY2(imported.outcome().message().contains(message),
                 qPrintable(imported.outcome().message()));
        QVERIFY(imported.outcome().message().endsWith(QStringLiteral("Nothing was imported.")));
    }

    void documentTypesAreRefused()
    {
        QList<ZipArchive::Entry> entries = foreignWorkbook(headerRow());
        entries.last().bytes.replace(
            "<?xml version=\"1.0\"?>",
            "<?xml version=\"1.0\"?><!DOCTYPE worksheet [<!ENTITY a \"aaaaaaaaaa\">]>");
        const Result<QList<QStringList>> rows =
            XlsxReader::rows(ZipArchive::fromBytes(ZipArchive::bytes(entries).value()).value());
        QVERIFY(!rows);
        QVERIFY2(rows.outcome().message().contains(QStringLiteral("document type or entity")),
                 qPrintable(rows.outcome().message()));
    }

    void notAWorkbookIsRefused()
    {
        QTemporaryDir folder;
        const QString path = writeArchive(folder, QStringLiteral("plain.xlsx"),
                                          {{QStringLiteral("readme.txt"), "hello"}});
        const Result<QList<QStringList>> rows = sheetRows(path);
        QVERIFY(!rows);
        QVERIFY2(rows.outcome().message().startsWith(
                     QStringLiteral("The file is not a spreadsheet this import reads")),
                 qPrintable(rows.outcome().message()));
    }

    // The review document: the system and the date on its title page, the
    // paragraph headings as its contents, and every requirement under its
    // paragraph in document order (3.9 before 3.10), with its attributes.
    void odtHoldsEveryRequirementUnderItsParagraph()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("review.odt"));
        {
            FreshWorkspace source(QStringLiteral("odt-source"));
            QVERIFY(source.isOpen());
            const QList<Stored> stored{
                {QStringLiteral("weigh every truck"), QStringLiteral("3.10"),
                 QStringLiteral("from the review")},
                {QStringLiteral("stop the belt"), QStringLiteral("3.9"), {}},
                {QStringLiteral("log every query"), {}, {}},
                {QStringLiteral("count the pallets"), QStringLiteral("3.10"), {}},
                {QStringLiteral("greet users in Zürich & <Kraków>"), QStringLiteral("1"), {}},
            };
            for (const Stored &requirement : stored)
                QVERIFY(save(source, requirement));
            const auto exported = RequirementExchange::exportTo(
                ExchangeFormat::Odt, {QStringLiteral("odt-source"), kSystem, {}}, path, false);
            QVERIFY2(exported, qPrintable(exported.outcome().message()));
            QCOMPARE(exported->written, 5);
        }
        const Result<ZipArchive> archive = ZipArchive::read(path);
        QVERIFY2(archive, qPrintable(archive.outcome().message()));
        QCOMPARE(archive->entries().first().name, QStringLiteral("mimetype"));
        QCOMPARE(archive->entries().first().bytes,
                 QByteArray("application/vnd.oasis.opendocument.text"));
        const ZipArchive::Entry *content = archive->entry(QStringLiteral("content.xml"));
        QVERIFY(content);

        // The document's blocks (headings and paragraphs) in order.
        QStringList blocks;
        QXmlStreamReader xml(content->bytes);
        const QString text = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement() || xml.namespaceUri() != text)
                continue;
            if (xml.name() == QLatin1String("h") || xml.name() == QLatin1String("p"))
                blocks.append(xml.readElementText(QXmlStreamReader::IncludeChildElements));
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        const QString today = QDate::currentDate().toString(Qt::ISODate);
        const QStringList expected{
            "Requirements of the ESD system",
            "System: ESD",
            "Date: " + today,
            "5 requirement(s)",
            "Contents",
            "Paragraph 1",
            "Paragraph 3.9",
            "Paragraph 3.10",
            "Without a paragraph number",
            "Paragraph 1",
            "No. 5",
            "The ESD system shall greet users in Zürich & <Kraków>.",
            "Paragraph 3.9",
            "No. 2",
            "The ESD system shall stop the belt.",
            "Paragraph 3.10",
            "No. 1",
            "The ESD system shall weigh every truck.",
            "No. 4",
            "The ESD system shall count the pallets.",
            "Without a paragraph number",
            "No. 3",
            "The ESD system shall log every query.",
        };
        // The attribute lines follow each sentence; they are checked below.
        QStringList shown;
        for (const QString &block : blocks) {
            if (!block.contains(QLatin1Char(':')) || block.startsWith(QLatin1String("System:")) ||
                block.startsWith(QLatin1String("Date:")))
                shown.append(block);
        }
        QCOMPARE(shown, expected);
        const qsizetype first = blocks.indexOf("The ESD system shall weigh every truck.");
        QCOMPARE(blocks.mid(first + 1, 5),
                 (QStringList{"Type: Technical", "Category: Software", "Priority: 1", "Release: 1",
                              "Version: 1"}));
        QVERIFY2(QRegularExpression("^Date saved: \\S").match(blocks.at(first + 6)).hasMatch(),
                 qPrintable(blocks.at(first + 6)));
        QCOMPARE(blocks.at(first + 7), QStringLiteral("Comments: from the review"));
    }
};

QTEST_GUILESS_MAIN(OfficeDocumentsTest)
#include "tst_officedocuments.moc"
