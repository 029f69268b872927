// Exports written as the requirements are read: across the edges of the
// blocks in which a server's cursor hands the rows over, every requirement
// comes out once, in order, with its own possible values and its place in the
// document tree, whatever the format; on a workspace file and on a server.
#include "interchange/csvtable.h"
#include "interchange/paragraphorder.h"
#include "interchange/requirementexchange.h"
#include "interchange/xlsxreader.h"
#include "interchange/ziparchive.h"
#include "support/freshworkspace.h"
#include "support/storetestsupport.h"

#include <QRegularExpression>
#include <QtTest>

#include <algorithm>

using namespace varn;
using interchange::ExchangeFormat;
using interchange::RequirementExchange;

namespace {

const QString kSystem = QStringLiteral("Edge");
const QString kConnection = QStringLiteral("export-streaming");
// The rows a cursor fetches at a time, and enough requirements to cross two
// of its edges.
constexpr int kBlock = 2000;
constexpr int kRequirements = 2 * kBlock + 3;

bool deleted(int number)
{
    return number % 10 == 0;
}

// Paragraphs whose text order is not their document order ("1.10" after
// "1.9").
QString paragraphOf(int number)
{
    return QStringLiteral("%1.%2").arg(number % 7 + 1).arg(number % 11);
}

// The requirements around the edges carry possible values; so do the
// deleted ones among them, which a live export leaves out.
const QList<int> kWithValues = {
    1,          kBlock - 1,     kBlock,         kBlock + 1,   kBlock + 2, 2 * kBlock - 1,
    2 * kBlock, 2 * kBlock + 1, 2 * kBlock + 2, kRequirements};

QString valueOf(int number, char which)
{
    return QStringLiteral("value%1%2").arg(number).arg(QLatin1Char(which));
}

// Structural requirements written straight into the tables, many rows to a
// statement, in one transaction.
bool fill(const QString &connection)
{
    if (!StoreTestSupport::exec(connection, QStringLiteral("BEGIN")))
        return false;
    constexpr int kRowsPerStatement = 500;
    for (int first = 1; first <= kRequirements; first += kRowsPerStatement) {
        QStringList master, structural;
        for (int n = first; n < first + kRowsPerStatement && n <= kRequirements; ++n) {
            master.append(
                QStringLiteral("(%1, '%2', 21, 'Software', 1, 1, 1, '%3', 'A', "
                               "'holds item %1', %1, '4-2-2025', NULL)")
                    .arg(n)
                    .arg(deleted(n) ? QStringLiteral("Deleted") : QStringLiteral("Structural"))
                    .arg(paragraphOf(n)));
            structural.append(QStringLiteral("(%1, 21, 1, 'item %1')").arg(n));
        }
        if (!StoreTestSupport::exec(connection, QStringLiteral("INSERT INTO MASTER_REQ VALUES ") +
                                                    master.join(QLatin1Char(','))) ||
            !StoreTestSupport::exec(
                connection,
                QStringLiteral("INSERT INTO STRUC_REQ (S_ReqNum, Source, Preamble, EntityBasic) "
                               "VALUES ") +
                    structural.join(QLatin1Char(','))))
            return false;
    }
    QStringList values;
    int key = 0;
    // Inserted out of order: the values come out by requirement all the same.
    for (auto number = kWithValues.crbegin(); number != kWithValues.crend(); ++number) {
        for (const char which : {'a', 'b'})
            values.append(QStringLiteral("(%1, %2, '%3')")
                              .arg(++key + (which == 'a' ? 0 : 100))
                              .arg(*number)
                              .arg(valueOf(*number, which)));
    }
    return StoreTestSupport::exec(connection, QStringLiteral("INSERT INTO POSS_VALS VALUES ") +
                                                  values.join(QLatin1Char(','))) &&
           StoreTestSupport::exec(
               connection, QStringLiteral("INSERT INTO DEPENDENT_REQ VALUES (1, %1, %2), (2, %3, "
                                          "%4)")
                               .arg(kBlock - 1)
                               .arg(kBlock + 1)
                               .arg(kBlock)
                               .arg(kBlock + 2)) &&
           StoreTestSupport::exec(connection, QStringLiteral("COMMIT"));
}

QList<int> expectedNumbers(bool everyVersion)
{
    QList<int> numbers;
    for (int n = 1; n <= kRequirements; ++n) {
        if (everyVersion || !deleted(n))
            numbers.append(n);
    }
    return numbers;
}

QList<int> numbersMatching(const QString &text, const QString &pattern)
{
    QList<int> numbers;
    const QRegularExpression expression(pattern);
    for (auto match = expression.globalMatch(text); match.hasNext();)
        numbers.append(match.next().captured(1).toInt());
    return numbers;
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The numbers a file lists its requirements by, in its order.
QList<int> numbersIn(ExchangeFormat format, const QString &path, QString &document)
{
    QList<int> numbers;
    switch (format) {
    case ExchangeFormat::Csv: {
        const Result<QList<QStringList>> records =
            interchange::CsvTable::parse(QString::fromUtf8(contentOf(path)));
        for (qsizetype i = 1; records && i < records->size(); ++i)
            numbers.append(records->at(i).first().toInt());
        break;
    }
    case ExchangeFormat::Xlsx: {
        const Result<interchange::ZipArchive> archive = interchange::ZipArchive::read(path);
        const Result<QList<QStringList>> rows =
            archive ? interchange::XlsxReader::rows(archive.value()) : archive.outcome();
        for (qsizetype i = 1; rows && i < rows->size(); ++i)
            numbers.append(rows->at(i).first().toInt());
        break;
    }
    case ExchangeFormat::Html:
        document = QString::fromUtf8(contentOf(path));
        numbers =
            numbersMatching(document, QStringLiteral("<tr(?: class=\"deleted\")?><td>(\\d+)<"));
        break;
    case ExchangeFormat::ReqIf: {
        QByteArray bytes = contentOf(path);
        if (path.endsWith(QLatin1String(".reqifz"))) {
            const Result<interchange::ZipArchive> archive = interchange::ZipArchive::read(path);
            bytes = archive && archive->entries().size() == 1 ? archive->entries().first().bytes
                                                              : QByteArray();
        }
        document = QString::fromUtf8(bytes);
        numbers = numbersMatching(document, QStringLiteral("<SPEC-OBJECT IDENTIFIER=\"[^\"]*"
                                                           "-requirement-(\\d+)\""));
        break;
    }
    case ExchangeFormat::Odt:
        break;
    }
    return numbers;
}

} // namespace

class ExportStreamingTest : public QObject
{
    Q_OBJECT

    std::optional<FreshWorkspace> m_workspace;
    QTemporaryDir m_files;

private slots:
    void initTestCase()
    {
        QVERIFY(m_files.isValid());
        QVERIFY(m_workspace.emplace(kConnection).isOpen());
        QVERIFY(fill(kConnection));
    }

    void cleanupTestCase() { m_workspace.reset(); }

    void everyRequirementOnceInOrder_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("everyVersion");
        for (const bool everyVersion : {false, true}) {
            const char *which = everyVersion ? "every version" : "live";
            QTest::addRow("CSV, %s", which)
                << int(ExchangeFormat::Csv) << "edge.csv" << everyVersion;
            QTest::addRow("ReqIF, %s", which)
                << int(ExchangeFormat::ReqIf) << "edge.reqif" << everyVersion;
            QTest::addRow("ReqIF archive, %s", which)
                << int(ExchangeFormat::ReqIf) << "edge.reqifz" << everyVersion;
            QTest::addRow("XLSX, %s", which)
                << int(ExchangeFormat::Xlsx) << "edge.xlsx" << everyVersion;
            QTest::addRow("HTML, %s", which)
                << int(ExchangeFormat::Html) << "edge.html" << everyVersion;
        }
    }

    void everyRequirementOnceInOrder()
    {
        QFETCH(int, format);
        QFETCH(QString, name);
        QFETCH(bool, everyVersion);
        const QString path = m_files.filePath(name);
        const Result<RequirementExchange::ExportSummary> written = RequirementExchange::exportTo(
            ExchangeFormat(format), {kConnection, kSystem, {}}, path, everyVersion);
        QVERIFY2(written, qPrintable(written.outcome().message()));
        // The temporary files an archive is made from are gone.
        const QStringList left =
            QDir(m_files.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        QVERIFY2(left.filter(QRegularExpression(QStringLiteral("^\\."))).isEmpty(),
                 qPrintable(left.join(QLatin1Char(' '))));
        const QList<int> expected = expectedNumbers(everyVersion);
        QCOMPARE(written->written, expected.size());
        QString document;
        QCOMPARE(numbersIn(ExchangeFormat(format), path, document), expected);
        if (ExchangeFormat(format) != ExchangeFormat::ReqIf)
            return;

        // Each object holds its own possible values, and only those.
        const QStringList objects = document.split(QStringLiteral("<SPEC-OBJECT "));
        for (const int number : kWithValues) {
            const QString values =
                valueOf(number, 'a') + QStringLiteral("&quot;,&quot;") + valueOf(number, 'b');
            QList<int> holders;
            for (const QString &object : objects) {
                if (object.contains(valueOf(number, 'a')) || object.contains(valueOf(number, 'b')))
                    holders.append(
                        numbersMatching(object, QStringLiteral("-requirement-(\\d+)\"")).value(0));
            }
            const bool exported = everyVersion || !deleted(number);
            QCOMPARE(holders, exported ? QList<int>{number} : QList<int>());
            if (exported)
                QVERIFY2(document.contains(values), qPrintable(values));
        }
        // The document tree in paragraph order (3.9 before 3.10), then by
        // number.
        QList<int> ordered = expected;
        std::stable_sort(ordered.begin(), ordered.end(), [](int a, int b) {
            return interchange::ParagraphOrder::compare(paragraphOf(a), paragraphOf(b)) < 0;
        });
        QCOMPARE(numbersMatching(document, QStringLiteral("-node-(\\d+)\"")), ordered);
        // The link between two live requirements, and with every version the
        // one from a deleted requirement.
        const QList<int> parents =
            everyVersion ? QList<int>{kBlock - 1, kBlock} : QList<int>{kBlock - 1};
        QCOMPARE(numbersMatching(document, QStringLiteral("-dependent-(\\d+)-\\d+\"")), parents);
    }
};

QTEST_GUILESS_MAIN(ExportStreamingTest)
#include "tst_exportstreaming.moc"
