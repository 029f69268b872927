#include "app/workspacefile.h"
#include "support/filesizelimit.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using varn::Outcome;
using varn::app::WorkspaceFile;
using varn::app::WorkspaceValues;

namespace {

WorkspaceValues acme()
{
    return {QStringLiteral("AcmeReqDS"),
            QStringLiteral("varn"),
            QStringLiteral("quorbel"),
            QStringLiteral("Varn req DS"),
            QStringLiteral("AcmeReq.mdb"),
            QStringLiteral("/home/u/Varn SE/User Files/Varn SE Databases"),
            QStringLiteral("Acme"),
            QStringLiteral("/home/u/Varn SE/User Files/")};
}

} // namespace

class WorkspaceFileTest : public QObject
{
    Q_OBJECT

private slots:
    void shortStringsAreOneLengthByteAndTheirCharacters()
    {
        const WorkspaceValues values{"a", "", "pw", "d", "f", "g", "Acme", "/"};
        // a, "", pw, d, f, g, Acme, / each behind its length byte
        QCOMPARE(WorkspaceFile::encode(values), QByteArray::fromHex("0161"
                                                                    "00"
                                                                    "027077"
                                                                    "0164"
                                                                    "0166"
                                                                    "0167"
                                                                    "0441636d65"
                                                                    "012f"));
    }

    void lengthPrefix_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<QByteArray>("prefix");
        QTest::newRow("empty") << 0 << QByteArray("\x00", 1);
        QTest::newRow("254: one byte") << 254 << QByteArray("\xFE");
        QTest::newRow("255: 0xFF and 16 bits") << 255 << QByteArray("\xFF\xFF\x00", 3);
        QTest::newRow("65533: last 16-bit") << 65533 << QByteArray("\xFF\xFD\xFF");
        QTest::newRow("65534: 0xFF 0xFFFF and 32 bits")
            << 65534 << QByteArray("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7);
        QTest::newRow("70000") << 70000 << QByteArray("\xFF\xFF\xFF\x70\x11\x01\x00", 7);
    }

    void lengthPrefix()
    {
        QFETCH(int, length);
        QFETCH(QByteArray, prefix);
        WorkspaceValues values = acme();
        values.dataSourceName = QString(length, QLatin1Char('x'));
        const QByteArray bytes = WorkspaceFile::encode(values);
        QCOMPARE(bytes.left(prefix.size()), prefix);
        QCOMPARE(bytes.mid(prefix.size(), length), QByteArray(length, 'x'));

        const auto decoded = WorkspaceFile::decode(bytes);
        QVERIFY(decoded.isOk());
        QCOMPARE(decoded.value(), values);
    }

    void roundTripThroughAFile()
    {
        QTemporaryDir dir;
        WorkspaceValues values = acme();
        values.systemName = QStringLiteral("Łódź Straße 東京");
        const QString path = dir.filePath(QStringLiteral("acme.vnp"));
        QVERIFY(WorkspaceFile::write(path, values).isOk());
        const auto read = WorkspaceFile::read(path);
        QVERIFY(read.isOk());
        QCOMPARE(read.value(), values);
    }

    void bytesThatAreNotUtf8AreReadAsLatin1()
    {
        WorkspaceValues values = acme();
        QByteArray bytes = WorkspaceFile::encode(values);
        const qsizetype at = bytes.indexOf("\x04"
                                           "Acme") +
                             1;
        QVERIFY(at > 1);
        bytes[at] = char(0xC9); // "Acme" -> "\xC9cme", invalid UTF-8
        const auto decoded = WorkspaceFile::decode(bytes);
        QVERIFY(decoded.isOk());
        QCOMPARE(decoded->systemName, QStringLiteral("Écme"));
    }

    void damagedFilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = WorkspaceFile::encode(acme());
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("cut inside a string") << good.left(good.size() - 1);
        QTest::newRow("cut inside the first string") << good.left(5);
        QTest::newRow("seven strings") << good.left(good.lastIndexOf('\x1B'));
        QTest::newRow("a byte too many") << good + 'x';
        QTest::newRow("16-bit prefix cut") << QByteArray("\xFF\x10", 2);
        QTest::newRow("32-bit prefix cut") << QByteArray("\xFF\xFF\xFF\x01\x00", 5);
        QTest::newRow("huge length") << QByteArray("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7);
        QTest::newRow("text file") << QByteArray("DSN=AcmeReqDS\nUID=varn\n");
    }

    void damagedFilesAreRefused()
    {
        QFETCH(QByteArray, bytes);
        const auto decoded = WorkspaceFile::decode(bytes);
        QVERIFY(!decoded.isOk());
        QCOMPARE(decoded.outcome().message(),
                 QStringLiteral("Error opening file at the path specified."));
    }

    // A file that cannot be read keeps the message and adds, on a second
    // line, which file and why.
    void openErrorsNameThePathAndReason_data()
    {
        QTest::addColumn<QByteArray>("content"); // "-": no file at all
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << QByteArray("-") << "No such file or directory";
        QTest::newRow("garbage") << QByteArray("DSN=AcmeReqDS\nUID=varn\n")
                                 << "not a workspace file (its texts do not match their lengths)";
        QTest::newRow("empty") << QByteArray()
                               << "not a workspace file (its texts do not match "
                                  "their lengths)";
    }

    void openErrorsNameThePathAndReason()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("acme.vnp"));
        if (content != "-") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        const auto read = WorkspaceFile::read(path);
        QVERIFY(!read.isOk());
        QCOMPARE(read.outcome().message(),
                 QStringLiteral("Error opening file at the path specified.\n") + path +
                     QStringLiteral(": ") + reason);
    }

    // The write over an existing workspace file fails part-way, as on a full
    // disk: the process may write no more than a limit of bytes into any
    // file. The file keeps its old bytes, whole, and nothing is left beside it.
    void failedWriteLeavesTheOldFile_data()
    {
        QTest::addColumn<int>("limit"); // bytes any file may grow to; -1: the old file's size
        QTest::newRow("no byte written") << 0;
        QTest::newRow("cut inside the first string") << 5;
        QTest::newRow("cut at the old file's size") << -1;
    }

    void failedWriteLeavesTheOldFile()
    {
        QFETCH(int, limit);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("acme.vnp"));
        QVERIFY(WorkspaceFile::write(path, acme()).isOk());
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray old = written.readAll();
        written.close();
        WorkspaceValues longer = acme();
        longer.description = QStringLiteral("Varn requirements of the Acme system, version 2");
        QVERIFY(WorkspaceFile::encode(longer).size() > old.size());

        Outcome refused = Outcome::ok();
        {
            const FileSizeLimit full(limit < 0 ? old.size() : limit);
            QVERIFY(full.isSet());
            refused = WorkspaceFile::write(path, longer);
        }
        QCOMPARE(refused.message(), QStringLiteral("Error writing to .vnp file."));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll().toHex(), old.toHex());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("acme.vnp")});

        // Room again: the same write replaces the file.
        QVERIFY(WorkspaceFile::write(path, longer).isOk());
        const auto read = WorkspaceFile::read(path);
        QVERIFY2(read, qPrintable(read.outcome().message()));
        QCOMPARE(read.value(), longer);
    }
};

QTEST_GUILESS_MAIN(WorkspaceFileTest)
#include "tst_workspacefile.moc"
