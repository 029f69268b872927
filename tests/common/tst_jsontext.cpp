// JSON string literals written a value at a time, byte for byte as a whole
// document would write them.

#include "common/jsontext.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>

using namespace varn;

class JsonTextTest : public QObject
{
    Q_OBJECT

private slots:
    void quotedAsADocumentWritesIt_data()
    {
        QTest::addColumn<QString>("text");
        QString controls;
        for (char16_t c = 0; c < 0x20; ++c)
            controls += QChar(c);
        QTest::newRow("empty") << QString();
        QTest::newRow("plain") << QStringLiteral("The Acme system shall log every call.");
        QTest::newRow("quotes and backslashes")
            << QStringLiteral("say \"hi\" in C:\\tmp\\x and \\\" too");
        QTest::newRow("every C0 control") << controls;
        QTest::newRow("delete and C1 controls") << QString::fromUtf16(u"a\u007f\u0085\u009fb");
        QTest::newRow("slash and markup") << QStringLiteral("</script> & <b>");
        QTest::newRow("beyond ASCII") << QString::fromUtf8("Grüße ✓ 100% ∑ 日本");
        QTest::newRow("a pair beyond the basic plane") << QString::fromUtf16(u"go \U0001F680 now");
        QTest::newRow("high surrogate at the end") << QString::fromUtf16(u"end \xd83d");
        QTest::newRow("high surrogate before a letter") << QString::fromUtf16(u"\xd83dx");
        QTest::newRow("two high surrogates then a low")
            << QString::fromUtf16(u"\xd83d\xd83d\xde80");
        QTest::newRow("low surrogate alone") << QString::fromUtf16(u"a\xde80z");
        QTest::newRow("noncharacters") << QString::fromUtf16(u"\xfffe\xffff");
    }

    void quotedAsADocumentWritesIt()
    {
        QFETCH(QString, text);
        const QByteArray document = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
        const QByteArray expected = document.mid(1, document.size() - 2); // without [ ]
        QCOMPARE(JsonText::quoted(text).toUtf8(), expected);
        // Appended after what is there already.
        QString out = QStringLiteral("x: ");
        JsonText::appendQuoted(out, text);
        QCOMPARE(out.toUtf8(), "x: " + expected);
    }
};

QTEST_GUILESS_MAIN(JsonTextTest)
#include "tst_jsontext.moc"
