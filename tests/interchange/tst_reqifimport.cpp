// Other tools' exchange files as they are written: the conventions they
// follow, each a small file built here, with the requirements, paragraphs
// and report lines an import gives.
#include "central/dependentlinks.h"
#include "interchange/reqifinterpreter.h"
#include "interchange/reqifobjectspill.h"
#include "interchange/reqifreader.h"
#include "interchange/requirementexchange.h"
#include "support/freshworkspace.h"
#include "support/storetestsupport.h"
#include "support/testfiles.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

using namespace varn;
using interchange::ExchangeFormat;
using interchange::RequirementExchange;

namespace {

const QString kSystem = QStringLiteral("ESD");
const QByteArray kNamespace = "http://www.omg.org/spec/ReqIF/20110401/reqif.xsd";

// A file put together from its parts: datatypes and a requirement type
// every file shares, and the objects, relations and specifications a test
// gives.
struct File
{
    QByteArray objects;
    QByteArray relations;
    QByteArray specifications;
    QByteArray extraTypes;
    QByteArray extensions;
    QByteArray declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    QByteArray space = kNamespace;

    QByteArray xml() const
    {
        return declaration + "\n<REQ-IF xmlns=\"" + space +
               "\" xmlns:xhtml=\"http://www.w3.org/1999/xhtml\" xmlns:t=\"urn:tool\">"
               "<THE-HEADER><REQ-IF-HEADER IDENTIFIER=\"h\"><REQ-IF-VERSION>1.0.1"
               "</REQ-IF-VERSION><SOURCE-TOOL-ID>Other</SOURCE-TOOL-ID><t:build>7</t:build>"
               "</REQ-IF-HEADER></THE-HEADER><CORE-CONTENT><REQ-IF-CONTENT><DATATYPES>"
               "<DATATYPE-DEFINITION-XHTML IDENTIFIER=\"dt-x\"/>"
               "<DATATYPE-DEFINITION-STRING IDENTIFIER=\"dt-s\" MAX-LENGTH=\"2000\"/>"
               "<DATATYPE-DEFINITION-DATE IDENTIFIER=\"dt-d\"/>"
               "<DATATYPE-DEFINITION-ENUMERATION IDENTIFIER=\"dt-e\"><SPECIFIED-VALUES>" +
               enumValue("ev-draft", "Draft", 0) + enumValue("ev-safety", "Safety", 1) +
               enumValue("ev-cost", "Cost", 2) +
               "</SPECIFIED-VALUES></DATATYPE-DEFINITION-ENUMERATION></DATATYPES><SPEC-TYPES>"
               "<SPEC-OBJECT-TYPE IDENTIFIER=\"sot\" LONG-NAME=\"Requirement\"><SPEC-ATTRIBUTES>" +
               definition("XHTML", "d-text", "ReqIF.Text", "dt-x") +
               definition("STRING", "d-chapter", "ReqIF.ChapterName", "dt-s") +
               definition("STRING", "d-note", "Note", "dt-s") +
               definition("DATE", "d-due", "Due", "dt-d") +
               definition("ENUMERATION", "d-tags", "Tags", "dt-e", true) +
               "</SPEC-ATTRIBUTES></SPEC-OBJECT-TYPE>"
               "<SPEC-RELATION-TYPE IDENTIFIER=\"srt\" LONG-NAME=\"refines\"/>"
               "<SPECIFICATION-TYPE IDENTIFIER=\"st\"/>" +
               extraTypes + "</SPEC-TYPES><SPEC-OBJECTS>" + objects +
               "</SPEC-OBJECTS><SPEC-RELATIONS>" + relations + "</SPEC-RELATIONS><SPECIFICATIONS>" +
               specifications + "</SPECIFICATIONS></REQ-IF-CONTENT></CORE-CONTENT>" + extensions +
               "</REQ-IF>";
    }

    static QByteArray enumValue(const char *identifier, const char *name, int key)
    {
        return QByteArray("<ENUM-VALUE IDENTIFIER=\"") + identifier + "\" LONG-NAME=\"" + name +
               "\"><PROPERTIES><EMBEDDED-VALUE KEY=\"" + QByteArray::number(key) +
               "\" OTHER-CONTENT=\"\"/></PROPERTIES></ENUM-VALUE>";
    }

    static QByteArray definition(const char *kind, const char *identifier, const char *name,
                                 const char *datatype, bool multiValued = false)
    {
        return QByteArray("<ATTRIBUTE-DEFINITION-") + kind + " IDENTIFIER=\"" + identifier +
               "\" LONG-NAME=\"" + name + "\"" + (multiValued ? " MULTI-VALUED=\"true\"" : "") +
               "><TYPE><DATATYPE-DEFINITION-" + kind + "-REF>" + datatype +
               "</DATATYPE-DEFINITION-" + kind + "-REF></TYPE></ATTRIBUTE-DEFINITION-" + kind + ">";
    }
};

QByteArray definitionRef(const char *kind, const QByteArray &definition)
{
    return QByteArray("<DEFINITION><ATTRIBUTE-DEFINITION-") + kind + "-REF>" + definition +
           "</ATTRIBUTE-DEFINITION-" + kind + "-REF></DEFINITION>";
}

// A value of a kind whose THE-VALUE is an attribute.
QByteArray plain(const char *kind, const QByteArray &definition, const QByteArray &value)
{
    return QByteArray("<ATTRIBUTE-VALUE-") + kind + " THE-VALUE=\"" + value + "\">" +
           definitionRef(kind, definition) + "</ATTRIBUTE-VALUE-" + kind + ">";
}

QByteArray text(const QByteArray &markup, const QByteArray &definition = "d-text")
{
    return "<ATTRIBUTE-VALUE-XHTML>" + definitionRef("XHTML", definition) +
           "<THE-VALUE><xhtml:div>" + markup + "</xhtml:div></THE-VALUE></ATTRIBUTE-VALUE-XHTML>";
}

QByteArray chapter(const QByteArray &name)
{
    return plain("STRING", "d-chapter", name);
}

QByteArray tags(const QByteArray &references)
{
    QByteArray refs;
    for (const QByteArray &reference : references.split(' '))
        refs += "<ENUM-VALUE-REF>" + reference + "</ENUM-VALUE-REF>";
    return "<ATTRIBUTE-VALUE-ENUMERATION>" + definitionRef("ENUMERATION", "d-tags") + "<VALUES>" +
           refs + "</VALUES></ATTRIBUTE-VALUE-ENUMERATION>";
}

QByteArray object(const QByteArray &identifier, const QByteArray &values,
                  const QByteArray &type = "sot")
{
    return "<SPEC-OBJECT IDENTIFIER=\"" + identifier + "\"><VALUES>" + values +
           "</VALUES><TYPE><SPEC-OBJECT-TYPE-REF>" + type +
           "</SPEC-OBJECT-TYPE-REF></TYPE></SPEC-OBJECT>";
}

QByteArray relation(const QByteArray &identifier, const QByteArray &source,
                    const QByteArray &target)
{
    return "<SPEC-RELATION IDENTIFIER=\"" + identifier + "\"><SOURCE><SPEC-OBJECT-REF>" + source +
           "</SPEC-OBJECT-REF></SOURCE><TARGET><SPEC-OBJECT-REF>" + target +
           "</SPEC-OBJECT-REF></TARGET><TYPE><SPEC-RELATION-TYPE-REF>srt</SPEC-RELATION-TYPE-REF>"
           "</TYPE></SPEC-RELATION>";
}

// A place in the hierarchy: the object and the places under it.
QByteArray node(const QByteArray &objectId, const QByteArray &children = {})
{
    return "<SPEC-HIERARCHY IDENTIFIER=\"h-" + objectId + "\"><OBJECT><SPEC-OBJECT-REF>" +
           objectId + "</SPEC-OBJECT-REF></OBJECT>" +
           (children.isEmpty() ? QByteArray() : "<CHILDREN>" + children + "</CHILDREN>") +
           "</SPEC-HIERARCHY>";
}

QByteArray specification(const QByteArray &identifier, const QByteArray &name,
                         const QByteArray &nodes)
{
    return "<SPECIFICATION IDENTIFIER=\"" + identifier + "\" LONG-NAME=\"" + name +
           "\"><TYPE><SPECIFICATION-TYPE-REF>st</SPECIFICATION-TYPE-REF></TYPE><CHILDREN>" + nodes +
           "</CHILDREN></SPECIFICATION>";
}

// "paragraph|text" of every stored requirement, in number order.
QStringList storedRequirements(const QString &connection)
{
    QStringList rows;
    QSqlQuery stored(QSqlDatabase::database(connection));
    if (!stored.exec(QStringLiteral("SELECT ParaNum, ReqText FROM MASTER_REQ ORDER BY Req_Num")))
        return {stored.lastError().text()};
    while (stored.next())
        rows.append(stored.value(0).toString() + QLatin1Char('|') + stored.value(1).toString());
    return rows;
}

// The markup of an object's text in a file of many objects: characters of
// one, two, three and four bytes, markup and an entity, and a length that
// differs from object to object.
QByteArray markupOf(int number)
{
    return "<xhtml:div><xhtml:p>weigh pallet " + QByteArray::number(number) +
           " in Z\xc3\xbcrich &amp; \xe2\x82\xac <xhtml:b>twice</xhtml:b> "
           "\xf0\x9f\x9a\x86</xhtml:p>" +
           QByteArray(number % 97 * 13, 'x') + "</xhtml:div>";
}

// A file of many objects, several megabytes, each with a text, a note and
// tags.
File manyObjects(int count)
{
    File file;
    QByteArray nodes;
    for (int number = 1; number <= count; ++number) {
        const QByteArray n = QByteArray::number(number);
        file.objects += object(
            "o" + n, "<ATTRIBUTE-VALUE-XHTML>" + definitionRef("XHTML", "d-text") + "<THE-VALUE>" +
                         markupOf(number) + "</THE-VALUE></ATTRIBUTE-VALUE-XHTML>" +
                         plain("STRING", "d-note", "note " + n) +
                         tags(number % 2 ? "ev-draft" : "ev-safety ev-cost"));
        nodes += node("o" + n);
    }
    file.specifications = specification("s", "Spec", nodes);
    return file;
}

} // namespace

class ReqIfImportTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_files;

private slots:
    void initTestCase() { QVERIFY(m_files.isValid()); }

    // Each convention of other tools' files: what is stored (paragraph and
    // text), the attribute values each requirement carries (other than its
    // text), the links, and the report.
    void conventions_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("requirements");
        QTest::addColumn<QStringList>("attributes");
        QTest::addColumn<int>("links");
        QTest::addColumn<QStringList>("report");

        const QString headings =
            QStringLiteral("4 object(s) are headings: they number the paragraphs and are not "
                           "imported as requirements.");
        {
            File file;
            file.objects = object("o1", plain("STRING", "d-gone", "keep the log for a year")) +
                           object("o2", plain("STRING", "d-gone", "rotate the log daily") +
                                            plain("INTEGER", "d-count", "7"));
            file.specifications = specification("s", "Spec", node("o1") + node("o2"));
            QTest::newRow("excerpt lacking its definitions")
                << file.xml() << QStringList{"1|keep the log for a year", "2|rotate the log daily"}
                << QStringList{"o1: d-gone=keep the log for a year",
                               "o2: d-gone=rotate the log daily; d-count=7"}
                << 0
                << QStringList{
                       "The file refers to the attribute definition \"d-gone\", which it does "
                       "not define: its values come in as text under that identifier.",
                       "The file refers to the attribute definition \"d-count\", which it does "
                       "not define: its values come in as text under that identifier."};
        }
        {
            File file;
            file.space = "http://www.omg.org/spec/ReqIF/20101201";
            file.objects = object("o1", text("report the pressure"));
            file.specifications = specification("s", "Spec", node("o1"));
            QTest::newRow("earlier namespace") << file.xml() << QStringList{"1|report the pressure"}
                                               << QStringList() << 0 << QStringList();
        }
        {
            File file;
            file.objects =
                object("intro", text("start within 5 s")) + object("h-scope", chapter("Scope")) +
                object("r1", text("cover both lines")) + object("h-brake", chapter("Braking")) +
                object("r2", text("brake on an alarm")) + object("h-sensor", chapter("Sensors")) +
                object("r3", text("read the wheel sensors")) + object("h-other", chapter("Other")) +
                object("r4", text("log every stop"));
            file.specifications = specification(
                "s", "Spec",
                node("intro") +
                    node("h-scope",
                         node("r1") + node("h-brake", node("r2") + node("h-sensor", node("r3")))) +
                    node("h-other", node("r4")));
            QTest::newRow("headings over three levels")
                << file.xml()
                << QStringList{"None|start within 5 s", "1|cover both lines",
                               "1.1|brake on an alarm", "1.1.1|read the wheel sensors",
                               "2|log every stop"}
                << QStringList() << 0 << QStringList{headings};
        }
        {
            File file;
            // A heading may carry other attributes than its chapter name.
            file.objects = object("h1", chapter("Safety") + plain("STRING", "d-note",
                                                                  "reviewed by the safety team")) +
                           object("r1", text("stop the belt")) + object("h2", chapter("Comfort")) +
                           object("r2", text("dim the lights"));
            file.specifications =
                specification("s", "Spec", node("h1") + node("r1") + node("h2") + node("r2"));
            QTest::newRow("headings as siblings")
                << file.xml() << QStringList{"1|stop the belt", "2|dim the lights"} << QStringList()
                << 0
                << QStringList{QStringLiteral("2 object(s) are headings: they number the "
                                              "paragraphs and are not imported as requirements.")};
        }
        {
            File file;
            file.extraTypes = "<SPEC-OBJECT-TYPE IDENTIFIER=\"sot-section\" LONG-NAME=\"Section\">"
                              "<SPEC-ATTRIBUTES>" +
                              File::definition("ENUMERATION", "d-level", "Level", "dt-e") +
                              "</SPEC-ATTRIBUTES></SPEC-OBJECT-TYPE>";
            file.objects =
                object("sec", QByteArray(), "sot-section") + object("r1", text("stop the belt"));
            file.specifications = specification("s", "Spec", node("sec", node("r1")));
            QTest::newRow("type without text")
                << file.xml() << QStringList{"1|stop the belt"} << QStringList() << 0
                << QStringList{QStringLiteral("1 object(s) are headings: they number the "
                                              "paragraphs and are not imported as requirements.")};
        }
        {
            File file;
            file.objects = object("o1", text("weigh each bag") + tags("ev-draft ev-safety")) +
                           object("o2", text("label each bag") + tags("ev-cost"));
            file.specifications = specification("s", "Spec", node("o1") + node("o2"));
            QTest::newRow("multi-valued enumeration")
                << file.xml() << QStringList{"1|weigh each bag", "2|label each bag"}
                << QStringList{"o1: Tags=Draft, Safety (ev-draft ev-safety)",
                               "o2: Tags=Cost (ev-cost)"}
                << 0 << QStringList();
        }
        {
            File file;
            file.objects = object("o1", text("open the gate") +
                                            plain("DATE", "d-due", "2026-03-01T12:00:00+01:00"));
            file.specifications = specification("s", "Spec", node("o1"));
            QTest::newRow("dates")
                << file.xml() << QStringList{"1|open the gate"}
                << QStringList{"o1: Due=2026-03-01T12:00:00+01:00"} << 0 << QStringList();
        }
        {
            File file;
            file.objects = object(
                "o1", text("<xhtml:p>report:</xhtml:p><xhtml:ul><xhtml:li>pressure</xhtml:li>"
                           "<xhtml:li>flow <xhtml:b>rate</xhtml:b></xhtml:li></xhtml:ul>"
                           "<xhtml:table><xhtml:tr><xhtml:td>Rate</xhtml:td><xhtml:td>10 Hz"
                           "</xhtml:td></xhtml:tr><xhtml:tr><xhtml:td>Range</xhtml:td>"
                           "<xhtml:td>0-5 bar</xhtml:td></xhtml:tr></xhtml:table><xhtml:p>"
                           "<xhtml:object data=\"files/pump.png\" type=\"image/png\">pump"
                           "</xhtml:object></xhtml:p>"));
            file.specifications = specification("s", "Spec", node("o1"));
            QTest::newRow("XHTML with lists and tables")
                << file.xml()
                << QStringList{"1|report: pressure; flow rate; Rate | 10 Hz; Range | 0-5 bar; "
                               "[image: pump.png]"}
                << QStringList() << 0 << QStringList();
        }
        {
            File file;
            file.objects = object("a1", text("brake on an alarm")) +
                           object("b1", text("close the valve in 1 s"));
            file.relations = relation("rel-ab", "a1", "b1") + relation("rel-gone", "a1", "gone");
            file.specifications = specification("sa", "System", node("a1")) +
                                  specification("sb", "Software", node("b1"));
            QTest::newRow("relations across two specifications")
                << file.xml() << QStringList{"1|brake on an alarm", "1|close the valve in 1 s"}
                << QStringList() << 1
                << QStringList{
                       "The file refers to \"gone\", which it does not define.",
                       "Relation rel-gone is not imported: requirement gone was not imported."};
        }
        {
            File file;
            file.objects =
                object("o1", text("log the event")) + object("o2", text("log the event"));
            file.specifications = specification("s", "Spec", node("o1") + node("o2"));
            QTest::newRow("identical texts")
                << file.xml() << QStringList{"1|log the event", "2|log the event"} << QStringList()
                << 0
                << QStringList{"Requirement o2 has the same text as requirement o1 of the file: "
                               "it may be a duplicate."};
        }
        {
            File file;
            file.objects = object("long", text(QByteArray("alarm ").repeated(100)));
            file.specifications = specification("s", "Spec", node("long"));
            QTest::newRow("600-character text")
                << file.xml()
                << QStringList{"1|" + QStringLiteral("alarm ").repeated(42).trimmed() + " …"}
                << QStringList() << 0
                << QStringList{"Requirement long: its text of 599 characters is longer than a "
                               "sentence may be; the sentence is shortened and the whole text "
                               "is kept with it."};
        }
        {
            File file;
            file.objects = object(
                "o1", text("weigh each bag") + "<t:ATTRIBUTE-VALUE-STRING THE-VALUE=\"leak\">" +
                          definitionRef("STRING", "d-note") + "</t:ATTRIBUTE-VALUE-STRING>");
            file.specifications = specification("s", "Spec", node("o1"));
            file.extensions = "<TOOL-EXTENSIONS><REQ-IF-TOOL-EXTENSION><SPEC-OBJECTS>" +
                              object("hidden", text("never imported")) + "</SPEC-OBJECTS>" +
                              node("hidden") + "</REQ-IF-TOOL-EXTENSION></TOOL-EXTENSIONS>";
            QTest::newRow("tool extensions") << file.xml() << QStringList{"1|weigh each bag"}
                                             << QStringList() << 0 << QStringList();
        }
        {
            File file;
            file.objects =
                object("ctl", plain("STRING", "d-note", "stop&#10;the&#9;belt \xc2\x85now"));
            file.specifications = specification("s", "Spec", node("ctl"));
            QTest::newRow("control characters")
                << file.xml() << QStringList{"1|stop the belt now"}
                << QStringList{"ctl: Note=stop\nthe\tbelt \u0085now"} << 0
                << QStringList{"3 control character(s) in the texts of requirement(s) ctl are "
                               "replaced by a blank."};
        }
        {
            File file;
            file.declaration = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>";
            file.objects = object("o1", text("route bags to Z\xc3\xbcrich"));
            file.specifications = specification("s", "Spec", node("o1"));
            QTest::newRow("declaration naming another encoding")
                << file.xml() << QStringList{"1|route bags to Zürich"} << QStringList() << 0
                << QStringList();
        }
        {
            // Headings 29 deep: the paragraph keeps the deepest heading that
            // fits in 50 characters.
            File file;
            QByteArray nodes = node("deep");
            for (int level = 29; level >= 1; --level) {
                const QByteArray name = "c" + QByteArray::number(level);
                file.objects += object(name, chapter("Level " + QByteArray::number(level)));
                nodes = node(name, nodes);
            }
            file.objects += object("deep", text("hold the brake"));
            file.specifications = specification("s", "Spec", nodes);
            const QString fits = QStringList(25, QStringLiteral("1")).join(QLatin1Char('.'));
            QTest::newRow("paragraph over 50 characters")
                << file.xml() << QStringList{fits + "|hold the brake"} << QStringList() << 0
                << QStringList{"Requirement deep: its paragraph " +
                                   QStringList(29, QStringLiteral("1")).join(QLatin1Char('.')) +
                                   " is longer than 50 characters; it takes " + fits +
                                   ", the deepest heading that fits.",
                               QStringLiteral("29 object(s) are headings: they number the "
                                              "paragraphs and are not imported as requirements.")};
        }
        {
            File file;
            file.objects = object("o1", text("weigh each bag")) + object("o2", QByteArray()) +
                           object("o3", text("label each bag"), "sot-gone");
            file.specifications =
                specification("s", "Spec", node("o1") + node("missing") + node("o2")) +
                specification("t", "Other", node("o3"));
            QTest::newRow("objects without text or definition")
                << file.xml() << QStringList{"1|weigh each bag", "1|label each bag"}
                << QStringList() << 0
                << QStringList{"The file refers to \"sot-gone\", which it does not define.",
                               "The file refers to \"missing\", which it does not define.",
                               "Requirement o2 is not imported: it holds no text."};
        }
    }

    void conventions()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, requirements);
        QFETCH(QStringList, attributes);
        QFETCH(int, links);
        QFETCH(QStringList, report);

        // The objects as read, each with its values other than its text.
        Result<interchange::ReqIfContent> content = interchange::ReqIfReader::read(file);
        QVERIFY2(content, qPrintable(content.outcome().message()));
        const interchange::ImportBatch batch =
            interchange::ReqIfInterpreter::interpret(content.takeValue());
        QVERIFY(batch.foreignDocument);
        QStringList carried;
        for (const interchange::ImportBatch::Item &item : batch.items) {
            QVERIFY(item.foreign);
            QCOMPARE(item.foreign->identifier, item.origin);
            QStringList values;
            for (const interchange::ReqIfContent::Value &value : item.foreign->values) {
                const QString name =
                    batch.foreignDocument->definitions.value(value.definition).longName;
                if (name == QLatin1String("ReqIF.Text"))
                    continue;
                QString shown = name + QLatin1Char('=') + value.text;
                if (value.kind == QLatin1String("ENUMERATION"))
                    shown += QStringLiteral(" (%1)").arg(value.original);
                values.append(shown);
            }
            if (!values.isEmpty())
                carried.append(item.origin + QStringLiteral(": ") +
                               values.join(QStringLiteral("; ")));
            // A shortened sentence keeps its whole text beside it.
            if (!item.fullText.isEmpty()) {
                QVERIFY(item.requirement.text.size() < kLongestText);
                QVERIFY(item.fullText.startsWith(item.requirement.text.chopped(2)));
            }
        }
        QCOMPARE(carried, attributes);

        FreshWorkspace fresh(QStringLiteral("reqif-conventions"));
        QVERIFY(fresh.isOpen());
        const Result<interchange::ImportSummary> imported = RequirementExchange::importFrom(
            ExchangeFormat::ReqIf, fresh.records(), kSystem,
            writeFile(m_files, QStringLiteral("conventions.reqif"), file), false);
        QVERIFY2(imported, qPrintable(imported.outcome().message()));
        QCOMPARE(imported->report, report);
        QCOMPARE(storedRequirements(QStringLiteral("reqif-conventions")), requirements);
        QCOMPARE(imported->links, links);
    }

    // An XHTML value's markup is kept as it stood, prefixes, entities and
    // all; every other value as its THE-VALUE was written.
    void valuesKeptAsWritten()
    {
        File file;
        const QByteArray markup =
            "<xhtml:div>\r\n  <xhtml:p class=\"x\">Z\xc3\xbcrich &amp; <xhtml:br/>\xf0\x9f\x9a\x86"
            "</xhtml:p></xhtml:div>";
        file.objects = object(
            "o1", "<ATTRIBUTE-VALUE-XHTML>" + definitionRef("XHTML", "d-text") + "<THE-VALUE>" +
                      markup + "</THE-VALUE></ATTRIBUTE-VALUE-XHTML>" +
                      plain("STRING", "d-note", "a &lt; b") + "<ATTRIBUTE-VALUE-XHTML>" +
                      definitionRef("XHTML", "d-empty") + "<THE-VALUE/></ATTRIBUTE-VALUE-XHTML>");
        file.relations = relation("r", "o1", "o1");
        file.specifications = specification("s", "Spec", node("o1"));
        QByteArray xml = file.xml();
        xml.replace("<SPEC-OBJECT IDENTIFIER=\"o1\"",
                    "<SPEC-OBJECT DESC=\"first\" t:flag=\"x\" IDENTIFIER=\"o1\"");
        xml.replace("<SPEC-HIERARCHY IDENTIFIER=\"h-o1\"",
                    "<SPEC-HIERARCHY IS-TABLE-INTERNAL=\"false\" IDENTIFIER=\"h-o1\"");
        Result<interchange::ReqIfContent> content =
            interchange::ReqIfReader::read("\xEF\xBB\xBF" + xml);
        QVERIFY2(content, qPrintable(content.outcome().message()));
        QCOMPARE(content->objects.size(), 1);
        const QList<interchange::ReqIfContent::Value> &values = content->objects[0].values;
        QCOMPARE(values.size(), 3);
        QCOMPARE(values[0].original, QString::fromUtf8(markup));
        QCOMPARE(values[0].text, QString::fromUtf8("Zürich &; \xf0\x9f\x9a\x86"));
        QCOMPARE(values[1].original, QStringLiteral("a < b"));
        QCOMPARE(values[2].original, QString());
        QCOMPARE(content->definitions.value("d-text").datatype, QStringLiteral("dt-x"));
        QCOMPARE(content->definitions.value("d-tags").multiValued, true);
        QCOMPARE(content->definitions.value("d-empty").defined, false);
        QCOMPARE(content->datatypes.size(), 4);
        QCOMPARE(content->datatypes[1].facets.value("MAX-LENGTH"), QStringLiteral("2000"));
        QCOMPARE(content->datatypes[3].values.size(), 3);
        QCOMPARE(content->datatypes[3].values[1].longName, QStringLiteral("Safety"));
        QCOMPARE(content->datatypes[3].values[1].key, QStringLiteral("1"));
        QCOMPARE(content->specTypes.size(), 3);
        QCOMPARE(content->specTypes[0].definitions,
                 (QStringList{"d-text", "d-chapter", "d-note", "d-due", "d-tags"}));
        QCOMPARE(content->relations.size(), 1);
        QCOMPARE(content->relations[0].type, QStringLiteral("srt"));
        QCOMPARE(content->specifications.size(), 1);
        QCOMPARE(content->specifications[0].type, QStringLiteral("st"));
        QCOMPARE(content->hierarchy.size(), 1);
        QCOMPARE(content->hierarchy[0].identifier, QStringLiteral("h-o1"));
        QCOMPARE(content->hierarchy[0].otherAttributes.value("IS-TABLE-INTERNAL"),
                 QStringLiteral("false"));
        QCOMPARE(content->objects[0].otherAttributes.value("DESC"), QStringLiteral("first"));
        QCOMPARE(content->objects[0].otherAttributes.contains("t:flag"), false);
        QCOMPARE(content->objects[0].otherAttributes.size(), 1);
        QCOMPARE(content->hierarchy[0].specification, QStringLiteral("s"));
        QCOMPARE(content->headerIdentifier, QStringLiteral("h"));
        QCOMPARE(content->sourceToolId, QStringLiteral("Other"));
    }

    // A file read a piece at a time gives every object as the file read
    // whole does, in order, values cut out of the markup across the pieces
    // and the blocks of the temporary file they are kept in.
    void streamedObjectsAsWritten()
    {
        const QByteArray xml = manyObjects(4000).xml();
        QVERIFY(xml.size() > 3 * (1 << 20));
        Result<interchange::ReqIfContent> whole = interchange::ReqIfReader::read(xml);
        QVERIFY2(whole, qPrintable(whole.outcome().message()));
        QFile file(writeFile(m_files, QStringLiteral("streamed.reqif"), xml));
        QVERIFY(file.open(QIODevice::ReadOnly));
        Result<interchange::ReqIfContent> streamed = interchange::ReqIfReader::read(file);
        QVERIFY2(streamed, qPrintable(streamed.outcome().message()));
        QVERIFY(streamed->objects.isEmpty());
        QVERIFY(streamed->spilledObjects);
        const interchange::ReqIfObjectSpill &spill = *streamed->spilledObjects;
        QCOMPARE(spill.size(), whole->objects.size());
        QCOMPARE(streamed->hierarchy.size(), whole->hierarchy.size());
        QCOMPARE(streamed->undefinedReferences, whole->undefinedReferences);
        // In file order, then backwards (each read from where it is kept).
        QList<qsizetype> order;
        for (qsizetype i = 0; i < spill.size(); ++i)
            order.append(i);
        for (qsizetype i = spill.size() - 1; i >= 0; i -= 7)
            order.append(i);
        for (const qsizetype i : std::as_const(order)) {
            const Result<interchange::ReqIfContent::Object> read = spill.at(i);
            QVERIFY2(read, qPrintable(read.outcome().message()));
            const interchange::ReqIfContent::Object &expected = whole->objects[i];
            QCOMPARE(read->values[0].original, QString::fromUtf8(markupOf(int(i) + 1)));
            QCOMPARE(spill.identifier(i), expected.identifier);
            QCOMPARE(read->identifier, expected.identifier);
            QCOMPARE(read->type, expected.type);
            QCOMPARE(read->values.size(), expected.values.size());
            for (qsizetype v = 0; v < expected.values.size(); ++v) {
                QCOMPARE(read->values[v].definition, expected.values[v].definition);
                QCOMPARE(read->values[v].kind, expected.values[v].kind);
                QCOMPARE(read->values[v].text, expected.values[v].text);
                QCOMPARE(read->values[v].original, expected.values[v].original);
            }
        }
    }

    // The attributes tools write on every hierarchy node are held once for
    // all the nodes that carry the same; the node's last change is its own.
    void hierarchyNodesShareTheirAttributes()
    {
        File file;
        file.objects =
            object("o1", text("brake")) + object("o2", text("hold")) + object("o3", text("open"));
        file.specifications = specification("s", "Spec", node("o1") + node("o2") + node("o3"));
        QByteArray xml = file.xml();
        xml.replace("<SPEC-HIERARCHY IDENTIFIER=",
                    "<SPEC-HIERARCHY LAST-CHANGE=\"2026-01-01T00:00:00Z\" IS-TABLE-INTERNAL="
                    "\"false\" IDENTIFIER=");
        xml.replace("IS-TABLE-INTERNAL=\"false\" IDENTIFIER=\"h-o3\"",
                    "IS-TABLE-INTERNAL=\"true\" IDENTIFIER=\"h-o3\"");
        Result<interchange::ReqIfContent> content = interchange::ReqIfReader::read(xml);
        QVERIFY2(content, qPrintable(content.outcome().message()));
        const QList<interchange::ReqIfContent::Node> &nodes = content->hierarchy;
        QCOMPARE(nodes.size(), 3);
        for (const interchange::ReqIfContent::Node &read : nodes) {
            QCOMPARE(read.lastChange, QStringLiteral("2026-01-01T00:00:00Z"));
            QCOMPARE(read.otherAttributes.size(), 1);
        }
        QCOMPARE(nodes[0].otherAttributes.value("IS-TABLE-INTERNAL"), QStringLiteral("false"));
        QVERIFY(nodes[1].otherAttributes.isSharedWith(nodes[0].otherAttributes));
        QCOMPARE(nodes[2].otherAttributes.value("IS-TABLE-INTERNAL"), QStringLiteral("true"));
        QVERIFY(!nodes[2].otherAttributes.isSharedWith(nodes[0].otherAttributes));
    }

    // A refusal found only at the file's end, after thousands of objects
    // were read (and kept apart), leaves the workspace as it was.
    void lateRefusalWritesNothing_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("refusal");
        const QByteArray xml = manyObjects(3000).xml();
        QByteArray malformed = xml;
        malformed.replace("</REQ-IF>", "</REQ-IF-X>");
        QTest::newRow("malformed XML at the end")
            << malformed << QStringLiteral("The file is not well-formed XML");
        QByteArray invalid = xml;
        invalid.insert(invalid.lastIndexOf("weigh pallet 3000"), "\xC3\x28");
        QTest::newRow("not UTF-8 in the last object")
            << invalid << QStringLiteral("The file is not UTF-8 text.");
        QByteArray cut = xml;
        cut.chop(1);
        cut += "\xE2\x82";
        QTest::newRow("a character cut at the end")
            << cut << QStringLiteral("The file is not UTF-8 text.");
        QByteArray deep = xml;
        QByteArray nodes;
        for (int level = 0; level < 300; ++level)
            nodes += "<SPEC-HIERARCHY IDENTIFIER=\"d" + QByteArray::number(level) +
                     "\"><OBJECT><SPEC-OBJECT-REF>o1</SPEC-OBJECT-REF></OBJECT><CHILDREN>";
        for (int level = 0; level < 300; ++level)
            nodes += "</CHILDREN></SPEC-HIERARCHY>";
        deep.replace("</CHILDREN></SPECIFICATION>", nodes + "</CHILDREN></SPECIFICATION>");
        QTest::newRow("a hierarchy too deep at the end")
            << deep << QStringLiteral("The file's hierarchy nests deeper than 256 levels");
    }

    void lateRefusalWritesNothing()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, refusal);
        FreshWorkspace fresh(QStringLiteral("reqif-late"));
        QVERIFY(fresh.isOpen());
        const Result<interchange::ImportSummary> imported = RequirementExchange::importFrom(
            ExchangeFormat::ReqIf, fresh.records(), kSystem,
            writeFile(m_files, QStringLiteral("late.reqif"), file), false);
        QVERIFY(!imported);
        QVERIFY2(imported.outcome().message().startsWith(refusal),
                 qPrintable(imported.outcome().message()));
        QVERIFY(imported.outcome().message().endsWith(QStringLiteral("\nNothing was imported.")));
        QCOMPARE(storedRequirements(QStringLiteral("reqif-late")), QStringList());
    }

    // A hierarchy nested past the limit is refused at once, whatever its
    // depth; up to the limit it is read, each place numbered.
    void deepHierarchy_data()
    {
        QTest::addColumn<int>("depth");
        QTest::addColumn<bool>("read");
        QTest::newRow("at the limit") << interchange::ReqIfReader::kDeepestHierarchy << true;
        QTest::newRow("20,000 levels") << 20000 << false;
    }

    void deepHierarchy()
    {
        QFETCH(int, depth);
        QFETCH(bool, read);
        File file;
        file.objects = object("o", text("hold"));
        QByteArray nodes;
        for (int level = 0; level < depth; ++level)
            nodes += "<SPEC-HIERARCHY IDENTIFIER=\"h" + QByteArray::number(level) +
                     "\"><OBJECT><SPEC-OBJECT-REF>o</SPEC-OBJECT-REF></OBJECT><CHILDREN>";
        for (int level = 0; level < depth; ++level)
            nodes += "</CHILDREN></SPEC-HIERARCHY>";
        file.specifications = specification("s", "Spec", nodes);
        const Result<interchange::ReqIfContent> content =
            interchange::ReqIfReader::read(file.xml());
        QCOMPARE(bool(content), read);
        if (!read) {
            QCOMPARE(content.outcome().message(),
                     QStringLiteral("The file's hierarchy nests deeper than 256 levels, the most "
                                    "an import reads.\nNothing was imported."));
            return;
        }
        QCOMPARE(content->hierarchy.size(), depth);
        QCOMPARE(content->hierarchy.back().depth, depth);
        QCOMPARE(content->hierarchy.back().paragraph,
                 QStringList(depth, QStringLiteral("1")).join(QLatin1Char('.')));
    }

    // References written in the other ways XML allows (blanks around the
    // identifier, comments, processing instructions, CDATA, character
    // references, the exchange's names under a prefix) read as the plain
    // file does, read a piece at a time with non-ASCII texts kept apart; an
    // element inside a reference is malformed.
    void referencesAsWritten_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<bool>("prefixed");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("blanks") << QByteArray(">d-note<") << QByteArray(">\n  d-note\t <") << false
                                << QString();
        QTest::newRow("blanks around an object")
            << QByteArray(">o2<") << QByteArray("> o2\r\n<") << false << QString();
        QTest::newRow("comment and processing instruction")
            << QByteArray(">d-note<") << QByteArray("><!-- n -->d-<?tool x?>note<!----><") << false
            << QString();
        QTest::newRow("CDATA and a character reference")
            << QByteArray(">d-note<") << QByteArray("><![CDATA[d-]]>n&#111;te<") << false
            << QString();
        QTest::newRow("prefixed names") << QByteArray() << QByteArray() << true << QString();
        QTest::newRow("element inside")
            << QByteArray(">d-note<") << QByteArray(">d-<b/>note<") << false
            << QStringLiteral("The file is not well-formed XML (line 2, column ");
    }

    void referencesAsWritten()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(bool, prefixed);
        QFETCH(QString, refusal);
        File file;
        file.objects = object("o1", text("weigh the pallet") +
                                        plain("STRING", "d-note",
                                              "Z\xc3\xbcrich \xe2\x82\xac \xf0\x9f\x9a\x86") +
                                        tags("ev-draft ev-cost")) +
                       object("o2", text("<xhtml:p>load the \xc3\xa9tage</xhtml:p>") +
                                        plain("STRING", "d-note", "checked"));
        file.relations = relation("r", "o1", "o2");
        file.specifications = specification("s", "Spec", node("o1", node("o2")));
        const QByteArray plainXml = file.xml();
        QByteArray xml = plainXml;
        if (prefixed) {
            static const QRegularExpression open(QStringLiteral("<(/?)([A-Z])"));
            xml = QString::fromUtf8(xml).replace(open, QStringLiteral("<\\1r:\\2")).toUtf8();
            xml.replace("xmlns=\"", "xmlns:r=\"");
        } else {
            QVERIFY(xml.contains(from));
            xml.replace(from, to);
        }
        QBuffer device(&xml);
        QVERIFY(device.open(QIODevice::ReadOnly));
        Result<interchange::ReqIfContent> read = interchange::ReqIfReader::read(device);
        if (!refusal.isEmpty()) {
            QVERIFY(!read);
            const QString message = read.outcome().message().section(QLatin1Char('\n'), 0, 0);
            QVERIFY2(message.startsWith(refusal) &&
                         message.endsWith(QStringLiteral(": Expected character data.).")),
                     qPrintable(message));
            return;
        }
        QVERIFY2(read, qPrintable(read.outcome().message()));
        const Result<interchange::ReqIfContent> whole = interchange::ReqIfReader::read(plainXml);
        QVERIFY(whole);
        QVERIFY(read->spilledObjects);
        const interchange::ReqIfObjectSpill &spill = *read->spilledObjects;
        QCOMPARE(spill.size(), whole->objects.size());
        for (qsizetype i = 0; i < spill.size(); ++i) {
            const Result<interchange::ReqIfContent::Object> object = spill.at(i);
            QVERIFY(object);
            const interchange::ReqIfContent::Object &expected = whole->objects[i];
            QCOMPARE(object->identifier, expected.identifier);
            QCOMPARE(object->type, expected.type);
            QCOMPARE(object->values.size(), expected.values.size());
            for (qsizetype v = 0; v < expected.values.size(); ++v) {
                QCOMPARE(object->values[v].definition, expected.values[v].definition);
                QCOMPARE(object->values[v].kind, expected.values[v].kind);
                QCOMPARE(object->values[v].text, expected.values[v].text);
                QCOMPARE(object->values[v].original, expected.values[v].original);
            }
        }
        QCOMPARE(whole->objects[0].values[1].text,
                 QString::fromUtf8("Z\xc3\xbcrich \xe2\x82\xac \xf0\x9f\x9a\x86"));
        QCOMPARE(whole->objects[0].values[2].text, QStringLiteral("Draft, Cost"));
        QCOMPARE(read->undefinedReferences, QStringList());
        QCOMPARE(read->relations.size(), 1);
        QCOMPARE(read->relations[0].source, QStringLiteral("o1"));
        QCOMPARE(read->relations[0].target, QStringLiteral("o2"));
        QCOMPARE(read->hierarchy.size(), 2);
        QCOMPARE(read->hierarchy[1].object, QStringLiteral("o2"));
        QCOMPARE(read->hierarchy[1].paragraph, QStringLiteral("1.1"));
        QCOMPARE(read->definitions.value("d-note").datatype, QStringLiteral("dt-s"));
    }

    // One specification of several: its objects and the relations that
    // touch them; the others are listed. A name the file lacks is refused
    // with the names it holds.
    void oneSpecification_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("origins");
        QTest::addColumn<int>("links");
        QTest::addColumn<QStringList>("report");
        QTest::newRow("every one")
            << QString() << QStringList{"a1", "b1", "b2", "loose"} << 2 << QStringList();
        QTest::newRow("by name") << QStringLiteral("Software") << QStringList{"b1", "b2"} << 2
                                 << QStringList{"2 object(s) outside specification \"Software\" "
                                                "are not imported: a1, loose"};
        QTest::newRow("by identifier") << QStringLiteral("sa") << QStringList{"a1"} << 1
                                       << QStringList{"3 object(s) outside specification \"sa\" "
                                                      "are not imported: b1, b2, loose"};
        QTest::newRow("unknown") << QStringLiteral("Hardware") << QStringList() << 0
                                 << QStringList{"The file holds no specification named "
                                                "\"Hardware\". It holds: System, Software.\n"
                                                "Nothing was imported."};
    }

    void oneSpecification()
    {
        QFETCH(QString, chosen);
        QFETCH(QStringList, origins);
        QFETCH(int, links);
        QFETCH(QStringList, report);
        File file;
        file.objects = object("a1", text("brake")) + object("b1", text("close")) +
                       object("b2", text("open")) + object("loose", text("log"));
        file.relations = relation("r1", "a1", "b1") + relation("r2", "b1", "b2");
        file.specifications = specification("sa", "System", node("a1")) +
                              specification("sb", "Software", node("b1") + node("b2"));
        Result<interchange::ReqIfContent> content = interchange::ReqIfReader::read(file.xml());
        QVERIFY(content);
        QCOMPARE(interchange::ReqIfInterpreter::specificationNames(content.value()),
                 (QStringList{"System", "Software"}));
        const Result<interchange::ImportBatch> batch =
            interchange::ReqIfInterpreter::interpret(content.takeValue(), chosen);
        if (!batch) {
            QCOMPARE(QStringList{batch.outcome().message()}, report);
            return;
        }
        QStringList taken;
        for (const interchange::ImportBatch::Item &item : batch->items)
            taken.append(item.origin);
        QCOMPARE(taken, origins);
        QCOMPARE(batch->links.size(), links);
        QCOMPARE(batch->links[0].typeName, QStringLiteral("refines"));
        QCOMPARE(batch->report, report);
    }

    // A relation of another tool's file that would close a cycle of
    // dependents is left out, the one that closes it in the file's order,
    // and listed; the others are stored.
    void cyclesAreLeftOut()
    {
        File file;
        file.objects =
            object("a", text("brake")) + object("b", text("close")) + object("c", text("open"));
        file.relations = relation("r1", "a", "b") + relation("r2", "b", "c") +
                         relation("r3", "c", "a") + relation("r4", "a", "c");
        file.specifications = specification("s", "Spec", node("a") + node("b") + node("c"));
        FreshWorkspace fresh(QStringLiteral("reqif-cycles"));
        QVERIFY(fresh.isOpen());
        const Result<interchange::ImportSummary> imported = RequirementExchange::importFrom(
            ExchangeFormat::ReqIf, fresh.records(), kSystem,
            writeFile(m_files, QStringLiteral("cycles.reqif"), file.xml()), false);
        QVERIFY2(imported, qPrintable(imported.outcome().message()));
        QCOMPARE(imported->report,
                 QStringList{"Relation r3 is not imported: it would close a cycle of dependents "
                             "(3 -> 1 -> 2 -> 3)."});
        QCOMPARE(imported->notices, QStringList());
        QCOMPARE(imported->links, 3);
        central::DependentLinks stored(QStringLiteral("reqif-cycles"));
        QCOMPARE(stored.dependentsOf(1).value(), (QList<int>{2, 3}));
        QCOMPARE(stored.dependentsOf(3).value(), QList<int>());
    }
};

QTEST_GUILESS_MAIN(ReqIfImportTest)
#include "tst_reqifimport.moc"
