// Zip archives: a round trip, and archives made to harm whoever unpacks
// them, each refused with its reason.
#include "interchange/exchangeinput.h"
#include "interchange/ziparchive.h"

#include <QtEndian>
#include <QtTest>

using namespace varn;
using interchange::ZipArchive;

namespace {

using Entries = QList<ZipArchive::Entry>;

// The offsets of the fields patched below, in a local file header and in a
// central directory header.
struct Header
{
    quint32 signature;
    int flags;
    int uncompressedSize;
    int nameLength;
    int name;
};
constexpr Header kLocal{0x04034b50, 6, 22, 26, 30};
constexpr Header kCentral{0x02014b50, 8, 24, 28, 46};

// Calls `patch` with the offset of every header of that kind.
template <typename Patch> void eachHeader(QByteArray &bytes, const Header &header, Patch patch)
{
    for (qsizetype at = 0; at + header.name <= bytes.size(); ++at) {
        if (qFromLittleEndian<quint32>(bytes.constData() + at) == header.signature)
            patch(at);
    }
}

void patchBoth(QByteArray &bytes, const std::function<void(qsizetype, const Header &)> &patch)
{
    for (const Header *header : {&kLocal, &kCentral})
        eachHeader(bytes, *header, [&](qsizetype at) { patch(at, *header); });
}

// An archive written by ZipArchive, with its entry names renamed in place
// (same length) so that names libzip would not write get in.
QByteArray renamed(const Entries &entries, const QByteArray &from, const QByteArray &to)
{
    Result<QByteArray> bytes = ZipArchive::bytes(entries);
    if (!bytes)
        return {};
    QByteArray patched = bytes.takeValue();
    patchBoth(patched, [&](qsizetype at, const Header &header) {
        const int length = qFromLittleEndian<quint16>(patched.constData() + at + header.nameLength);
        if (patched.mid(at + header.name, length) == from)
            patched.replace(at + header.name, length, to);
    });
    return patched;
}

QByteArray flagged(const Entries &entries, quint16 flag)
{
    QByteArray patched = ZipArchive::bytes(entries).value();
    patchBoth(patched, [&](qsizetype at, const Header &header) {
        char *flags = patched.data() + at + header.flags;
        qToLittleEndian<quint16>(qFromLittleEndian<quint16>(flags) | flag, flags);
    });
    return patched;
}

QByteArray declaredSize(const Entries &entries, quint32 size)
{
    QByteArray patched = ZipArchive::bytes(entries).value();
    patchBoth(patched, [&](qsizetype at, const Header &header) {
        qToLittleEndian<quint32>(size, patched.data() + at + header.uncompressedSize);
    });
    return patched;
}

} // namespace

class ZipArchiveTest : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip()
    {
        const Entries entries{
            {QStringLiteral("mimetype"), "application/vnd.oasis.opendocument.text"},
            {QStringLiteral("content.xml"), "<office:document-content/>"},
            {QStringLiteral("xl/worksheets/sheet1.xml"), QByteArray(100000, 'x')},
            {QStringLiteral("Zürich/東京.txt"), "non-ASCII names"},
            {QStringLiteral("empty"), {}},
        };
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("round.zip"));
        QVERIFY(ZipArchive::write(path, entries));
        const Result<ZipArchive> read = ZipArchive::read(path);
        QVERIFY2(read, qPrintable(read.outcome().message()));
        QCOMPARE(read->entries().size(), entries.size());
        for (qsizetype i = 0; i < entries.size(); ++i) {
            QCOMPARE(read->entries()[i].name, entries[i].name);
            QCOMPARE(read->entries()[i].bytes, entries[i].bytes);
        }
        QVERIFY(read->contains(QStringLiteral("content.xml")));
        QVERIFY(!read->entry(QStringLiteral("styles.xml")));
        // OpenDocument readers find the type stored, uncompressed, first.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(38).mid(30, 8), QByteArray("mimetype"));
        QVERIFY(file.readAll().startsWith("application/vnd.oasis.opendocument.text"));
    }

    // A folder inside an archive is fine; it is not listed as an entry.
    void foldersAreAccepted()
    {
        const Result<ZipArchive> read = ZipArchive::fromBytes(
            ZipArchive::bytes({{QStringLiteral("docs/"), {}}, {QStringLiteral("docs/a.txt"), "a"}})
                .value());
        QVERIFY2(read, qPrintable(read.outcome().message()));
        QCOMPARE(read->entries().size(), 1);
        QCOMPARE(read->entries().first().name, QStringLiteral("docs/a.txt"));
    }

    void hostileArchivesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("archive");
        QTest::addColumn<qint64>("mostEntries");
        QTest::addColumn<qint64>("largestExpanded");
        QTest::addColumn<QString>("message");
        const qint64 entries = interchange::ExchangeInput::kMostArchiveEntries;
        const qint64 expanded = interchange::ExchangeInput::kLargestExpanded;
        const QString leaves = QStringLiteral("which would leave the archive's folder");
        QTest::newRow("parent folder")
            << renamed({{QStringLiteral("ok/evil"), "x"}}, "ok/evil", "../evil") << entries
            << expanded << leaves;
        QTest::newRow("parent folder inside")
            << renamed({{QStringLiteral("a/bb/c"), "x"}}, "a/bb/c", "a/../c") << entries << expanded
            << leaves;
        QTest::newRow("absolute") << renamed({{QStringLiteral("xabs"), "x"}}, "xabs", "/abs")
                                  << entries << expanded << leaves;
        QTest::newRow("backslash")
            << renamed({{QStringLiteral("a/evil"), "x"}}, "a/evil", "a\\evil") << entries
            << expanded << leaves;
        QTest::newRow("drive letter")
            << renamed({{QStringLiteral("Cx/evil"), "x"}}, "Cx/evil", "C:/evil") << entries
            << expanded << leaves;
        QTest::newRow("name twice")
            << renamed({{QStringLiteral("a.txt"), "1"}, {QStringLiteral("b.txt"), "2"}}, "b.txt",
                       "a.txt")
            << entries << expanded << QStringLiteral("File already exists");
        QTest::newRow("encrypted")
            << flagged({{QStringLiteral("secret.txt"), "x"}}, 0x0001) << entries << expanded
            << QStringLiteral("\"secret.txt\" is encrypted");
        QTest::newRow("too many entries")
            << ZipArchive::bytes({{QStringLiteral("1"), "1"},
                                  {QStringLiteral("2"), "2"},
                                  {QStringLiteral("3"), "3"},
                                  {QStringLiteral("4"), "4"}})
                   .value()
            << qint64(3) << expanded
            << QStringLiteral("holds 4 entries; an import reads at most 3");
        QTest::newRow("declared too large")
            << ZipArchive::bytes({{QStringLiteral("big"), QByteArray(5000, '0')}}).value()
            << entries << qint64(4096) << QStringLiteral("expands to more than");
        QTest::newRow("together too large")
            << ZipArchive::bytes({{QStringLiteral("a"), QByteArray(3000, '0')},
                                  {QStringLiteral("b"), QByteArray(3000, '0')}})
                   .value()
            << entries << qint64(4096) << QStringLiteral("expands to more than");
        // A bomb: declared a few bytes, expanding to a megabyte.
        QTest::newRow("lying header")
            << declaredSize({{QStringLiteral("bomb"), QByteArray(1 << 20, '0')}}, 10) << entries
            << qint64(64 * 1024) << QStringLiteral("expands to more than");
        QTest::newRow("not an archive") << QByteArray("PK but not really") << entries << expanded
                                        << QStringLiteral("not a zip archive");
    }

    void hostileArchivesAreRefused()
    {
        QFETCH(QByteArray, archive);
        QFETCH(qint64, mostEntries);
        QFETCH(qint64, largestExpanded);
        QFETCH(QString, message);
        QVERIFY(!archive.isEmpty());
        const Result<ZipArchive> read =
            ZipArchive::fromBytes(archive, {mostEntries, largestExpanded});
        QVERIFY(!read);
        QVERIFY2(read.outcome().message().contains(message), qPrintable(read.outcome().message()));
        QVERIFY(read.outcome().message().endsWith(QStringLiteral("Nothing was imported.")));
    }

    // A failed write leaves no file, and an old file as it was.
    void failedWriteLeavesNothing()
    {
        QTemporaryDir folder;
        const QString missing = folder.filePath(QStringLiteral("no such folder/a.zip"));
        const Outcome written = ZipArchive::write(missing, {{QStringLiteral("a"), "a"}});
        QVERIFY(!written);
        QVERIFY(written.message().startsWith(QStringLiteral("Cannot write")));
        QVERIFY(!QFileInfo::exists(missing));
    }
};

QTEST_GUILESS_MAIN(ZipArchiveTest)
#include "tst_ziparchive.moc"
