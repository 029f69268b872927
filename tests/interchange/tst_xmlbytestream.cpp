// The bytes an exchange file is written in: UTF-8, escaped as Qt's XML
// writer escapes, and the characters XML cannot carry refused; an export
// writes those of stored texts as visible characters and says so.
#include "interchange/requirementexchange.h"
#include "interchange/xmlbytestream.h"
#include "support/freshworkspace.h"
#include "support/storetestsupport.h"
#include "templates/technicalcommit.h"

#include <QBuffer>
#include <QXmlStreamWriter>
#include <QtTest>

using namespace varn;
using interchange::XmlByteStream;

namespace {

// What Qt's stream writer makes of the text as character data or as an
// attribute value.
QByteArray qtEscaped(const QString &text, bool inAttribute)
{
    QString xml;
    QXmlStreamWriter writer(&xml);
    writer.writeStartElement(QStringLiteral("e"));
    if (inAttribute)
        writer.writeAttribute(QStringLiteral("a"), text);
    else
        writer.writeCharacters(text);
    writer.writeEndElement();
    // <e a="..."/> or <e>...</e>
    return (inAttribute ? xml.mid(6, xml.size() - 9) : xml.mid(3, xml.size() - 7)).toUtf8();
}

} // namespace

class XmlByteStreamTest : public QObject
{
    Q_OBJECT

private slots:
    void escapesAndEncodes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("inAttribute");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("refused");
        const QString markup = QStringLiteral("if a<b & c>d say \"x\" 'y'");
        const QByteArray escaped = "if a&lt;b &amp; c&gt;d say &quot;x&quot; 'y'";
        QTest::newRow("markup characters") << markup << false << escaped << 0;
        QTest::newRow("markup characters in an attribute") << markup << true << escaped << 0;
        QTest::newRow("whitespace") << "1\t2\n3\r4" << false << QByteArray("1\t2\n3\r4") << 0;
        QTest::newRow("whitespace in an attribute")
            << "1\t2\n3\r4" << true << QByteArray("1&#9;2&#10;3&#13;4") << 0;
        QTest::newRow("two bytes")
            << "Zürich ø" << true << QByteArray("Z\xc3\xbcrich \xc3\xb8") << 0;
        QTest::newRow("three bytes")
            << "東京 –" << false << QByteArray("\xe6\x9d\xb1\xe4\xba\xac \xe2\x80\x93") << 0;
        QTest::newRow("a surrogate pair") << "a😀b" << true
                                          << QByteArray("a\xf0\x9f\x98\x80"
                                                        "b")
                                          << 0;
        QTest::newRow("half a pair")
            << QString(QChar(0xd800)) + QLatin1Char('x') << false << QByteArray("?x") << 0;
        QTest::newRow("a long text through a small buffer")
            << QString(40, QLatin1Char('&')) << false << QByteArray("&amp;").repeated(40) << 0;
        QTest::newRow("a control character") << "bell \a" << false << QByteArray() << 7;
        QTest::newRow("form feed in an attribute") << "page\f" << true << QByteArray() << 12;
        QTest::newRow("a noncharacter")
            << QString(QChar(0xfffe)) << false << QByteArray() << 0xfffe;
    }

    void escapesAndEncodes()
    {
        QFETCH(QString, text);
        QFETCH(bool, inAttribute);
        QFETCH(QByteArray, bytes);
        QFETCH(int, refused);
        QBuffer device;
        QVERIFY(device.open(QIODevice::WriteOnly));
        XmlByteStream stream(device, 16);
        stream.markup("<");
        const bool written = inAttribute ? stream.attributeValue(text) : stream.text(text);
        stream.markup(">");
        QVERIFY(stream.flush());
        QCOMPARE(written, refused == 0);
        QCOMPARE(int(stream.refusedCharacter()), refused);
        QCOMPARE(device.data(), '<' + bytes + '>');
        if (written)
            QCOMPARE(bytes, qtEscaped(text, inAttribute));
    }

    void failedWriteIsReported()
    {
        QBuffer device; // never opened: every write fails
        XmlByteStream stream(device, 16);
        stream.markup("<REQ-IF/>");
        QVERIFY(!stream.flush());
    }

    // A save refuses control characters, but a database written by other
    // means (or before the refusal) may hold some: every export writes each
    // as a visible character, keeps line breaks, and says how many it
    // changed in which requirements, instead of refusing the workspace.
    void storedControlCharactersAreWrittenVisibly_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("update");
        QTest::addColumn<QString>("written"); // found in the file
        QTest::addColumn<int>("replaced");
        QTest::newRow("bell in the comments, ReqIF")
            << "reqif"
            << "Comments = 'bell ' || char(7)" << QStringLiteral("bell \u2407") << 1;
        QTest::newRow("zero in the comments, ReqIF")
            << "reqif"
            << "Comments = 'cut' || char(0) || 'here'" << QStringLiteral("cut\u2400here") << 1;
        QTest::newRow("escape and DEL in the paragraph, ReqIF")
            << "reqif"
            << "ParaNum = '3' || char(27) || char(127) || '1'" << QStringLiteral("3\u241B\u24211")
            << 2;
        QTest::newRow("C1 control in the text, ReqIF")
            << "reqif"
            << "ReqText = 'ring' || char(133) || ' twice'" << QStringLiteral("ring\uFFFD twice")
            << 1;
        QTest::newRow("line breaks stay, ReqIF")
            << "reqif"
            << "Comments = 'one' || char(10) || 'two' || char(9) || 'three'"
            << QStringLiteral("one&#10;two&#9;three") << 0;
        QTest::newRow("zero in the comments, CSV")
            << "csv"
            << "Comments = 'cut' || char(0) || 'here'" << QStringLiteral("cut\u2400here") << 1;
        QTest::newRow("escape in the text, CSV")
            << "csv"
            << "ReqText = 'ring' || char(27) || '[2J'" << QStringLiteral("ring\u241B[2J") << 1;
        QTest::newRow("line break stays, CSV")
            << "csv"
            << "Comments = 'one' || char(13) || char(10) || 'two'"
            << QStringLiteral("\"one\r\ntwo\"") << 0;
        QTest::newRow("bell in the paragraph, HTML")
            << "html"
            << "ParaNum = '3.1' || char(7)" << QStringLiteral("3.1\u2407") << 1;
        QTest::newRow("zero in the text, HTML")
            << "html"
            << "ReqText = 'ring' || char(0)" << QStringLiteral("ring\u2400") << 1;
    }

    void storedControlCharactersAreWrittenVisibly()
    {
        QFETCH(QString, format);
        QFETCH(QString, update);
        QFETCH(QString, written);
        QFETCH(int, replaced);
        const QString connection = QStringLiteral("xml-unwritable");
        FreshWorkspace fresh(connection);
        QVERIFY(fresh.isOpen());
        templates::TechnicalDraft technical;
        technical.text = QStringLiteral("ring the bell twice");
        const templates::CommitResult saved =
            templates::TechnicalCommit(fresh.records(), QStringLiteral("ESD")).save(technical);
        QVERIFY2(saved.outcome, qPrintable(saved.outcome.message()));
        QVERIFY(
            StoreTestSupport::exec(connection, QStringLiteral("UPDATE MASTER_REQ SET ") + update));
        const QString path = fresh.folderPath() + QStringLiteral("/esd.") + format;
        const auto exported = interchange::RequirementExchange::exportTo(
            *interchange::RequirementExchange::formatNamed(format),
            {connection, QStringLiteral("ESD"), fresh.folderPath()}, path, false);
        QVERIFY2(exported, qPrintable(exported.outcome().message()));
        QCOMPARE(exported->written, 1);
        QCOMPARE(exported->replacedCharacters, replaced);
        QCOMPARE(exported->replacementNotice(),
                 replaced == 0 ? QString()
                               : QStringLiteral("%1 control character(s) of requirement(s) %2 "
                                                "written as visible characters")
                                     .arg(replaced)
                                     .arg(saved.number));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY2(text.contains(written), qPrintable(text));
        if (format == QLatin1String("reqif")) {
            // The file reads back.
            FreshWorkspace other(QStringLiteral("xml-readback"));
            QVERIFY(other.isOpen());
            const auto imported = interchange::RequirementExchange::importFrom(
                interchange::ExchangeFormat::ReqIf, other.records(), QStringLiteral("ESD"), path,
                true);
            QVERIFY2(imported, qPrintable(imported.outcome().message()));
        }
    }
};

QTEST_GUILESS_MAIN(XmlByteStreamTest)
#include "tst_xmlbytestream.moc"
