// Another tool's objects kept with the requirements they became: written
// back whole by an export, and updated by importing a newer file.
#include "central/requirementscentral.h"
#include "interchange/foreigndocument.h"
#include "interchange/requirementexchange.h"
#include "interchange/requirementimporter.h"
#include "store/foreignobjects.h"
#include "support/checkedvalue.h"
#include "support/freshworkspace.h"
#include "support/storetestsupport.h"
#include "support/testbackend.h"
#include "templates/technicalcommit.h"

#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QtTest>

#include <algorithm>
#include <map>

using namespace varn;
using interchange::ExchangeFormat;
using interchange::ImportBatch;
using interchange::ReqIfContent;
using interchange::RequirementExchange;

namespace {

const QString kSystem = QStringLiteral("Conveyor");
const QString kConnection = QStringLiteral("keeping");
const QString kOriginal = QStringLiteral(VARN_TEST_DATA_DIR "/interchange/conveyor-1.reqif");

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qWarning("cannot write %s", qPrintable(path));
    return path;
}

int count(const QString &sql)
{
    return StoreTestSupport::scalar(kConnection, sql).toInt();
}

// An exchange file as a tree of elements, for comparing two files element by
// element rather than as text.
struct Element
{
    QString name; // "{namespace}local"
    std::map<QString, QString> attributes;
    QString text; // character data, blanks collapsed
    QList<Element> children;

    QString identifier() const
    {
        const auto found = attributes.find(QStringLiteral("IDENTIFIER"));
        return found == attributes.end() ? QString() : found->second;
    }

    // The element whole, in one line; the children of the lists whose order
    // means nothing in sorted order.
    QString canonical() const
    {
        static const QSet<QString> unordered = {
            QStringLiteral("DATATYPES"),      QStringLiteral("SPEC-TYPES"),
            QStringLiteral("SPEC-OBJECTS"),   QStringLiteral("SPEC-RELATIONS"),
            QStringLiteral("SPECIFICATIONS"), QStringLiteral("SPEC-ATTRIBUTES"),
            QStringLiteral("VALUES")};
        QString out = QLatin1Char('<') + name;
        for (const auto &[key, value] : attributes)
            out += QStringLiteral(" %1=\"%2\"").arg(key, value);
        out += QLatin1Char('>') + text;
        QStringList inner;
        for (const Element &child : children)
            inner.append(child.canonical());
        if (unordered.contains(localName()))
            inner.sort();
        return out + inner.join(QString()) + QStringLiteral("</>");
    }

    QString localName() const { return name.mid(name.indexOf(QLatin1Char('}')) + 1); }

    const Element *child(const QString &local) const
    {
        for (const Element &element : children) {
            if (element.localName() == local)
                return &element;
        }
        return nullptr;
    }
};

Element parse(const QByteArray &bytes)
{
    QXmlStreamReader xml(bytes);
    QList<Element> open;
    Element root;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement: {
            Element element;
            element.name = QStringLiteral("{%1}%2").arg(xml.namespaceUri(), xml.name());
            for (const QXmlStreamAttribute &attribute : xml.attributes())
                element.attributes[attribute.qualifiedName().toString()] =
                    attribute.value().toString();
            open.append(element);
            break;
        }
        case QXmlStreamReader::Characters:
            if (!open.isEmpty())
                open.last().text = (open.last().text + xml.text().toString()).simplified();
            break;
        case QXmlStreamReader::EndElement: {
            Element done = open.takeLast();
            if (open.isEmpty())
                root = done;
            else
                open.last().children.append(done);
            break;
        }
        default:
            break;
        }
    }
    if (xml.hasError())
        qWarning("%s", qPrintable(xml.errorString()));
    return root;
}

// What Varn SE adds to a file (its own types, objects, relations and
// document tree, all named by its identifier prefix) taken out, and the
// header, which every export writes anew.
void dropAdded(Element &element)
{
    element.children.removeIf([](const Element &child) {
        return child.localName() == QLatin1String("THE-HEADER") ||
               child.identifier().startsWith(QLatin1String("varn-"));
    });
    for (Element &child : element.children)
        dropAdded(child);
}

// The differences between two files, one line per element of a list
// (datatypes, types, objects, relations, document trees) that is missing,
// added or different.
QStringList differences(const QByteArray &original, const QByteArray &exported)
{
    Element a = parse(original);
    Element b = parse(exported);
    dropAdded(a);
    dropAdded(b);
    QStringList lines;
    const Element *contentA = a.child(QStringLiteral("CORE-CONTENT"));
    const Element *contentB = b.child(QStringLiteral("CORE-CONTENT"));
    if (!contentA || !contentB)
        return {QStringLiteral("no CORE-CONTENT")};
    contentA = contentA->child(QStringLiteral("REQ-IF-CONTENT"));
    contentB = contentB->child(QStringLiteral("REQ-IF-CONTENT"));
    for (const char *list :
         {"DATATYPES", "SPEC-TYPES", "SPEC-OBJECTS", "SPEC-RELATIONS", "SPECIFICATIONS"}) {
        std::map<QString, QString> left;
        std::map<QString, QString> right;
        if (const Element *l = contentA->child(QLatin1String(list)))
            for (const Element &e : l->children)
                left[e.identifier()] = e.canonical();
        if (const Element *r = contentB->child(QLatin1String(list)))
            for (const Element &e : r->children)
                right[e.identifier()] = e.canonical();
        for (const auto &[identifier, text] : left) {
            const auto other = right.find(identifier);
            if (other == right.end())
                lines.append(QStringLiteral("%1 %2 missing").arg(QLatin1String(list), identifier));
            else if (other->second != text)
                lines.append(QStringLiteral("%1 %2 differs:\n  %3\n  %4")
                                 .arg(QLatin1String(list), identifier, text, other->second));
        }
        for (const auto &[identifier, text] : right) {
            if (!left.count(identifier))
                lines.append(QStringLiteral("%1 %2 added").arg(QLatin1String(list), identifier));
        }
    }
    // QCOMPARE shows the start of a long text only: the whole of it here.
    for (const QString &line : std::as_const(lines))
        qWarning("%s", qPrintable(line));
    return lines;
}

// The requirements By Text lists for the words, in number order.
QList<int> foundByText(const QString &words)
{
    central::RequirementsCentral central(kConnection);
    const Outcome ran = central.runByText(words);
    if (!ran)
        qWarning("%s", qPrintable(ran.message()));
    QList<int> numbers;
    for (int row = 0; row < central.model().requirementCount(); ++row)
        numbers.append(central.model().numberAt(row));
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

// What keeps the workspace's derived tables current: its triggers with
// their definitions (none left over in the connection's own schema), and
// its indexes.
QStringList triggersAndIndexes()
{
    QStringList found =
        TestBackend::isServer()
            ? StoreTestSupport::column(
                  kConnection,
                  QStringLiteral("SELECT t.tgname || ' ' || pg_get_triggerdef(t.oid) FROM "
                                 "pg_trigger t WHERE NOT t.tgisinternal ORDER BY 1"))
            : StoreTestSupport::column(
                  kConnection, QStringLiteral("SELECT name || ' ' || sql FROM sqlite_master WHERE "
                                              "type = 'trigger' UNION ALL SELECT name FROM "
                                              "sqlite_temp_master ORDER BY 1"));
    return found + StoreTestSupport::indexes(kConnection);
}

int liveCount()
{
    return count(QStringLiteral("SELECT COUNT(*) FROM MASTER_REQ WHERE FSTType <> 'Deleted'"));
}

int indexedCount()
{
    return count(QStringLiteral("SELECT COUNT(*) FROM REQ_WORDS"));
}

} // namespace

class ReqIfKeepingTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_files;
    std::optional<FreshWorkspace> m_workspace;

    Result<interchange::ImportSummary> import(const QString &path, bool dryRun = false,
                                              bool deleteMissing = false)
    {
        return RequirementExchange::importFrom(ExchangeFormat::ReqIf, m_workspace->records(),
                                               kSystem, path, dryRun, {}, {}, deleteMissing);
    }

    QByteArray exported(const QString &name)
    {
        const QString path = m_files.filePath(name);
        const Result<RequirementExchange::ExportSummary> written = RequirementExchange::exportTo(
            ExchangeFormat::ReqIf, {kConnection, kSystem, QString()}, path, false);
        if (!written)
            qWarning("%s", qPrintable(written.outcome().message()));
        return readFile(path);
    }

    // A document of another tool built by hand: a heading and two
    // requirements under it, one relation.
    static std::shared_ptr<ReqIfContent> handMadeDocument()
    {
        auto document = std::make_shared<ReqIfContent>();
        document->sourceToolId = QStringLiteral("Other Tool");
        document->headerIdentifier = QStringLiteral("h-1");
        document->title = QStringLiteral("Belts");
        document->datatypes.append({QStringLiteral("dt-s"),
                                    QStringLiteral("S"),
                                    QStringLiteral("STRING"),
                                    QStringLiteral("2026-01-01"),
                                    {},
                                    {}});
        auto define = [&](const char *identifier, const char *longName) {
            ReqIfContent::Definition definition;
            definition.identifier = QLatin1String(identifier);
            definition.longName = QLatin1String(longName);
            definition.kind = QStringLiteral("STRING");
            definition.datatype = QStringLiteral("dt-s");
            definition.specType = QStringLiteral("t-req");
            document->definitions.insert(definition.identifier, definition);
        };
        define("ad-text", "ReqIF.Text");
        define("ad-owner", "Owner");
        define("ad-chapter", "ReqIF.ChapterName");
        document->specTypes.append({QStringLiteral("t-req"),
                                    QStringLiteral("Req"),
                                    QStringLiteral("SPEC-OBJECT-TYPE"),
                                    {},
                                    {"ad-text", "ad-owner", "ad-chapter"}});
        auto value = [](const char *definition, const QString &text) {
            return ReqIfContent::Value{QLatin1String(definition), QStringLiteral("STRING"), text,
                                       text};
        };
        document->objects.append({QStringLiteral("o-head"),
                                  QStringLiteral("t-req"),
                                  {},
                                  {},
                                  {value("ad-chapter", QStringLiteral("Belts"))}});
        document->objects.append({QStringLiteral("o-stop"),
                                  QStringLiteral("t-req"),
                                  QStringLiteral("Stop"),
                                  QStringLiteral("2026-02-02T00:00:00Z"),
                                  {value("ad-text", QStringLiteral("stop the belt")),
                                   value("ad-owner", QStringLiteral("Ann"))}});
        document->objects.append({QStringLiteral("o-long"),
                                  QStringLiteral("t-req"),
                                  {},
                                  {},
                                  {value("ad-text", QString(300, u'x'))}});
        document->specTypes.append({QStringLiteral("t-rel"),
                                    QStringLiteral("satisfies"),
                                    QStringLiteral("SPEC-RELATION-TYPE"),
                                    {},
                                    {}});
        document->relations.append({QStringLiteral("r-1"),
                                    QStringLiteral("o-stop"),
                                    QStringLiteral("o-long"),
                                    QStringLiteral("t-rel"),
                                    {},
                                    {},
                                    {}});
        document->specifications.append(
            {QStringLiteral("s-1"), QStringLiteral("Belts"), QStringLiteral("t-spec"), {}, {}});
        for (const char *object : {"o-head", "o-stop", "o-long"}) {
            ReqIfContent::Node node;
            node.object = QLatin1String(object);
            node.identifier = QStringLiteral("n-") + node.object;
            node.depth = node.object == QLatin1String("o-head") ? 1 : 2;
            node.specification = QStringLiteral("s-1");
            document->hierarchy.append(node);
        }
        return document;
    }

    static ImportBatch handMadeBatch()
    {
        const std::shared_ptr<ReqIfContent> document = handMadeDocument();
        ImportBatch batch;
        batch.foreignDocument = document;
        for (const ReqIfContent::Object &object : document->objects) {
            if (object.identifier == QLatin1String("o-head"))
                continue;
            ImportBatch::Item item;
            item.origin = object.identifier;
            item.requirement.type = QStringLiteral("Technical");
            item.requirement.source = 23;
            item.requirement.category = QStringLiteral("Software");
            item.requirement.paragraph = QStringLiteral("1");
            const QString text = object.values.first().text;
            item.requirement.text =
                text.size() > 200 ? text.left(200) + QStringLiteral(" ...") : text;
            if (text.size() > 200)
                item.fullText = text;
            item.foreign = std::make_shared<ReqIfContent::Object>(object);
            batch.items.append(item);
        }
        batch.links.append({QStringLiteral("r-1"), QStringLiteral("o-stop"),
                            QStringLiteral("o-long"), QStringLiteral("satisfies")});
        return batch;
    }

private slots:
    void initTestCase() { QVERIFY(m_files.isValid()); }
    void init() { QVERIFY(m_workspace.emplace(kConnection).isOpen()); }
    void cleanup() { m_workspace.reset(); }

    // The hierarchy is written into the stored layout as text, node by
    // node: whatever its texts hold reads back as it was.
    void layoutKeepsHierarchyTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << QStringLiteral("h-1");
        QTest::newRow("quotes and backslashes") << QStringLiteral("say \"hi\" \\ C:\\dir\\");
        QTest::newRow("control characters")
            << QStringLiteral("a\nb\tc\rd") + QChar(0x01) + QChar(0x1F) + QStringLiteral("e");
        QTest::newRow("beyond ASCII")
            << QString::fromUtf8("Z\xc3\xbcrich \xe2\x82\xac \xf0\x9f\x9a\x86");
        QTest::newRow("empty") << QString();
    }

    void layoutKeepsHierarchyTexts()
    {
        QFETCH(QString, text);
        ReqIfContent content;
        content.sourceToolId = text;
        for (int depth = 1; depth <= 2; ++depth) {
            ReqIfContent::Node node;
            node.object = text + QString::number(depth);
            node.paragraph = depth == 1 ? QStringLiteral("1") : QStringLiteral("1.1");
            node.identifier = text;
            node.depth = depth;
            node.specification = QStringLiteral("s");
            node.lastChange = text;
            if (depth == 2)
                node.otherAttributes.insert(QStringLiteral("DESC"), text);
            content.hierarchy.append(node);
        }
        const Result<QString> layout = interchange::ForeignDocument::encodeLayout(content, {});
        QVERIFY2(layout, qPrintable(layout.outcome().message()));
        const ReqIfContent read = interchange::ForeignDocument::decodeLayout(layout.value());
        QCOMPARE(read.sourceToolId, text);
        QCOMPARE(read.hierarchy.size(), 2);
        for (qsizetype i = 0; i < 2; ++i) {
            QCOMPARE(read.hierarchy[i].object, content.hierarchy[i].object);
            QCOMPARE(read.hierarchy[i].paragraph, content.hierarchy[i].paragraph);
            QCOMPARE(read.hierarchy[i].identifier, text);
            QCOMPARE(read.hierarchy[i].depth, content.hierarchy[i].depth);
            QCOMPARE(read.hierarchy[i].specification, QStringLiteral("s"));
            QCOMPARE(read.hierarchy[i].lastChange, text);
            QCOMPARE(read.hierarchy[i].otherAttributes, content.hierarchy[i].otherAttributes);
        }
    }

    // Each requirement keeps its object (identifier, type, every value with
    // its definition) and its whole text; the document keeps what is no
    // requirement (the heading) and the relation with its type's name.
    void importKeepsObjectsWithTheirRequirements()
    {
        interchange::RequirementImporter importer(m_workspace->records(), kSystem);
        const Result<interchange::ImportSummary> summary = importer.run(handMadeBatch(), false);
        QVERIFY2(summary, qPrintable(summary.outcome().message()));
        QCOMPARE(summary->imported.size(), 2);
        store::ForeignObjects kept(kConnection);
        const auto stop = checkedValue(kept.objectOf(summary->imported[0].number));
        QVERIFY(stop.has_value());
        QCOMPARE(stop->identifier, QStringLiteral("o-stop"));
        QCOMPARE(stop->type, QStringLiteral("t-req"));
        QCOMPARE(stop->typeName, QStringLiteral("Req"));
        QCOMPARE(stop->longName, QStringLiteral("Stop"));
        QCOMPARE(stop->lastChange, QStringLiteral("2026-02-02T00:00:00Z"));
        QCOMPARE(stop->values.size(), 2);
        QCOMPARE(stop->values[1],
                 (store::ForeignValueRow{QStringLiteral("ad-owner"), QStringLiteral("Owner"),
                                         QStringLiteral("STRING"), QStringLiteral("Ann"),
                                         QStringLiteral("Ann")}));
        QCOMPARE(checkedValue(kept.fullTextOf(summary->imported[0].number)), QString());
        QCOMPARE(checkedValue(kept.fullTextOf(summary->imported[1].number)), QString(300, u'x'));

        const QList<store::ForeignDocumentRow> documents = checkedValue(kept.documents());
        QCOMPARE(documents.size(), 1);
        QCOMPARE(documents[0].sourceTool, QStringLiteral("Other Tool"));
        const ReqIfContent layout = interchange::ForeignDocument::decodeLayout(documents[0].layout);
        QCOMPARE(layout.objects.size(), 1);
        QCOMPARE(layout.objects[0].identifier, QStringLiteral("o-head"));
        QCOMPARE(layout.hierarchy.size(), 3);
        QCOMPARE(layout.definitions.size(), 3);
        const QList<store::ForeignRelationRow> relations = checkedValue(kept.relations());
        QCOMPARE(relations.size(), 1);
        QCOMPARE(relations[0].identifier, QStringLiteral("r-1"));
        QCOMPARE(relations[0].typeName, QStringLiteral("satisfies"));
    }

    // The objects go with the requirements' rows or not at all: a failure
    // to keep one rolls back the whole import; a dry run keeps nothing.
    void keepingIsAllOrNothing_data()
    {
        QTest::addColumn<bool>("refuseValues");
        QTest::addColumn<bool>("dryRun");
        QTest::newRow("values refused") << true << false;
        QTest::newRow("dry run") << false << true;
    }
    void keepingIsAllOrNothing()
    {
        QFETCH(bool, refuseValues);
        QFETCH(bool, dryRun);
        if (refuseValues)
            QVERIFY(StoreTestSupport::refuseInTrigger(
                kConnection, QStringLiteral("no_values"), QStringLiteral("BEFORE INSERT"),
                QStringLiteral("REQIF_VALUE"), QStringLiteral("disk full")));
        interchange::RequirementImporter importer(m_workspace->records(), kSystem);
        const Result<interchange::ImportSummary> summary = importer.run(handMadeBatch(), dryRun);
        QCOMPARE(bool(summary), !refuseValues);
        for (const char *table : {"MASTER_REQ", "REQIF_DOCUMENT", "REQIF_OBJECT", "REQIF_VALUE",
                                  "REQIF_RELATION", "FULL_TEXT", "DEPENDENT_REQ"})
            QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table))), 0);
    }

    // Imported and exported again, another tool's file comes back element
    // by element: identifiers, types, definitions, datatypes, values (XHTML
    // as written), relations with their types, the hierarchy with its
    // headings, and the attributes nothing interprets (DESC, IS-EDITABLE,
    // a hierarchy node's LONG-NAME) of types, definitions, enumeration
    // values, headings, document trees and their nodes. What Varn SE adds (a requirement of its own
    // and its link) comes beside them under its own identifiers.
    void roundTripLosesNothing()
    {
        const Result<interchange::ImportSummary> imported = import(kOriginal);
        QVERIFY2(imported, qPrintable(imported.outcome().message()));
        QCOMPARE(imported->imported.size(), 5);
        const QByteArray original = readFile(kOriginal);
        QCOMPARE(differences(original, exported(QStringLiteral("back.reqif"))).join(u'\n'),
                 QString());

        templates::TechnicalDraft own;
        own.text = QStringLiteral("show the belt speed on the panel");
        const templates::CommitResult saved =
            templates::TechnicalCommit(m_workspace->records(), kSystem).save(own);
        QVERIFY(saved.outcome);
        const QByteArray mixed = exported(QStringLiteral("mixed.reqif"));
        QCOMPARE(differences(original, mixed).join(u'\n'), QString());
        QVERIFY(mixed.contains("show the belt speed on the panel"));
    }

    // A newer file of the same document: matched by identifier, a changed
    // object gives the requirement's next version, an unchanged one stays,
    // a new one is added, and one the file no longer holds is listed (and
    // deleted only when asked). A dry run says the same and writes nothing.
    void reimportUpdates_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<bool>("dryRun");
        QTest::addColumn<bool>("deleteMissing");
        QTest::addColumn<QStringList>("changed");
        QTest::addColumn<int>("unchanged");
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QStringList>("missing");
        QTest::addColumn<int>("liveAfter");

        const QStringList none;
        QTest::newRow("unchanged")
            << QByteArray() << QByteArray() << false << false << none << 5 << none << none << 5;
        QTest::newRow("changed text")
            << QByteArray("within <xhtml:b>2</xhtml:b> seconds")
            << QByteArray("within <xhtml:b>3</xhtml:b> seconds") << false << false
            << QStringList{"cv-r-stop"} << 4 << none << none << 5;
        QTest::newRow("changed attribute")
            << QByteArray("THE-VALUE=\"13\"") << QByteArray("THE-VALUE=\"21\"") << false << false
            << QStringList{"cv-r-stop"} << 4 << none << none << 5;
        QTest::newRow("changed enumeration")
            << QByteArray("<ENUM-VALUE-REF>cv-ev-draft</ENUM-VALUE-REF>")
            << QByteArray("<ENUM-VALUE-REF>cv-ev-approved</ENUM-VALUE-REF>") << false << false
            << QStringList{"cv-r-speed"} << 4 << none << none << 5;
        const QByteArray newObject =
            "<SPEC-OBJECT IDENTIFIER=\"cv-r-new\" LAST-CHANGE=\"2026-06-01T00:00:00Z\"><VALUES>"
            "<ATTRIBUTE-VALUE-XHTML><DEFINITION><ATTRIBUTE-DEFINITION-XHTML-REF>cv-ad-text"
            "</ATTRIBUTE-DEFINITION-XHTML-REF></DEFINITION><THE-VALUE><xhtml:div>count every "
            "parcel</xhtml:div></THE-VALUE></ATTRIBUTE-VALUE-XHTML></VALUES><TYPE>"
            "<SPEC-OBJECT-TYPE-REF>cv-type-req</SPEC-OBJECT-TYPE-REF></TYPE></SPEC-OBJECT>"
            "</SPEC-OBJECTS>";
        QTest::newRow("new") << QByteArray("</SPEC-OBJECTS>") << newObject << false << false << none
                             << 5 << QStringList{"cv-r-new"} << none << 6;
        QTest::newRow("new, dry run") << QByteArray("</SPEC-OBJECTS>") << newObject << true << false
                                      << none << 5 << QStringList{"cv-r-new"} << none << 5;
        // The log requirement gone, with its place and relation.
        const QByteArray gone = "<SPEC-OBJECT IDENTIFIER=\"cv-r-log\".*?</SPEC-OBJECT>|"
                                "<SPEC-RELATION IDENTIFIER=\"cv-rel-2\".*?</SPEC-RELATION>|"
                                "<SPEC-HIERARCHY IDENTIFIER=\"cv-n-log\".*?</SPEC-HIERARCHY>";
        QTest::newRow("missing, listed") << gone << QByteArray() << false << false << none << 4
                                         << none << QStringList{"cv-r-log"} << 5;
        QTest::newRow("missing, deleted") << gone << QByteArray() << false << true << none << 4
                                          << none << QStringList{"cv-r-log"} << 4;
        QTest::newRow("missing, dry run") << gone << QByteArray() << true << true << none << 4
                                          << none << QStringList{"cv-r-log"} << 5;
        QTest::newRow("changed, dry run")
            << QByteArray("THE-VALUE=\"13\"") << QByteArray("THE-VALUE=\"21\"") << true << false
            << QStringList{"cv-r-stop"} << 4 << none << none << 5;
    }
    void reimportUpdates()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(bool, dryRun);
        QFETCH(bool, deleteMissing);
        QFETCH(QStringList, changed);
        QFETCH(int, unchanged);
        QFETCH(QStringList, added);
        QFETCH(QStringList, missing);
        QFETCH(int, liveAfter);

        QVERIFY(import(kOriginal));
        const QString liveCount =
            QStringLiteral("SELECT COUNT(*) FROM MASTER_REQ WHERE FSTType <> 'Deleted'");
        QCOMPARE(count(liveCount), 5);
        QString text = QString::fromUtf8(readFile(kOriginal));
        if (!from.isEmpty()) {
            const QRegularExpression pattern(QString::fromUtf8(from),
                                             QRegularExpression::DotMatchesEverythingOption);
            QVERIFY(text.contains(pattern));
            text.replace(pattern, QString::fromUtf8(to));
        }
        const QByteArray newer = text.toUtf8();
        const QString path = writeFile(m_files.filePath(QStringLiteral("newer.reqif")), newer);
        const int rowsBefore = count(QStringLiteral("SELECT COUNT(*) FROM MASTER_REQ"));
        const int objectsBefore = count(QStringLiteral("SELECT COUNT(*) FROM REQIF_OBJECT"));
        const QString layoutBefore =
            StoreTestSupport::scalar(kConnection,
                                     QStringLiteral("SELECT Layout FROM REQIF_DOCUMENT"))
                .toString();

        const Result<interchange::ImportSummary> summary = import(path, dryRun, deleteMissing);
        QVERIFY2(summary, qPrintable(summary.outcome().message()));
        QStringList changedObjects;
        for (const auto &change : summary->changed) {
            changedObjects.append(change.origin);
            QVERIFY(change.number > change.previous);
        }
        QCOMPARE(changedObjects, changed);
        QCOMPARE(summary->unchanged, unchanged);
        QStringList addedObjects;
        for (const auto &one : summary->imported)
            addedObjects.append(one.origin);
        QCOMPARE(addedObjects, added);
        QStringList missingObjects;
        for (const auto &gone : summary->missing)
            missingObjects.append(gone.origin);
        QCOMPARE(missingObjects, missing);
        QCOMPARE(summary->missingDeleted, deleteMissing && !missing.isEmpty());
        QCOMPARE(count(liveCount), liveAfter);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM REQIF_DOCUMENT")), 1);
        if (dryRun) {
            QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM MASTER_REQ")), rowsBefore);
            QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM REQIF_OBJECT")), objectsBefore);
            QCOMPARE(StoreTestSupport::scalar(kConnection,
                                              QStringLiteral("SELECT Layout FROM REQIF_DOCUMENT"))
                         .toString(),
                     layoutBefore);
            return;
        }
        // The changed requirement's new version holds the new values, its
        // old version the old ones; the export writes the newer file back.
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM MASTER_REQ")),
                 rowsBefore + int(changed.size() + added.size()));
        if (!changed.isEmpty()) {
            QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM REQIF_OBJECT WHERE Identifier = "
                                          "'%1'")
                               .arg(changed.first())),
                     2);
            QCOMPARE(count(QStringLiteral("SELECT Version FROM MASTER_REQ WHERE Req_Num = %1")
                               .arg(summary->changed.first().number)),
                     2);
        }
        if (missing.isEmpty() || deleteMissing)
            QCOMPARE(differences(newer, exported(QStringLiteral("newer-back.reqif"))).join(u'\n'),
                     QString());
    }

    // A requirement of another tool's file edited here: its new version
    // keeps the object (identifier, type, every other value), the object's
    // text value takes the edited text, so the export writes the object back
    // with it, and importing the original file again finds the requirement
    // rather than adding it as a possible duplicate.
    void editKeepsTheObject_data()
    {
        QTest::addColumn<QString>("object");
        QTest::addColumn<QString>("text"); // empty: only the category changes
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("XHTML text")
            << QStringLiteral("cv-r-stop") << QStringLiteral("stop the belt & <lock> it")
            << QByteArray("<THE-VALUE><xhtml:div>stop the belt &amp; &lt;lock&gt; "
                          "it</xhtml:div></THE-VALUE>");
        QTest::newRow("string text")
            << QStringLiteral("cv-i-label") << QStringLiteral("read \"labels\" in 2D codes")
            << QByteArray("THE-VALUE=\"read &quot;labels&quot; in 2D codes\"");
        QTest::newRow("attributes only") << QStringLiteral("cv-r-stop") << QString()
                                         << QByteArray("<xhtml:b>2</xhtml:b> seconds");
    }
    void editKeepsTheObject()
    {
        QFETCH(QString, object);
        QFETCH(QString, text);
        QFETCH(QByteArray, written);

        QVERIFY(import(kOriginal));
        const int number = count(
            QStringLiteral("SELECT Req_Num FROM REQIF_OBJECT WHERE Identifier = '%1'").arg(object));
        Result<templates::TechnicalDraft> draft =
            templates::TechnicalDraft::stored(kConnection, number, true);
        QVERIFY(draft);
        if (text.isEmpty())
            draft->category = QStringLiteral("Hardware");
        else
            draft->text = text;
        const templates::CommitResult saved =
            templates::TechnicalCommit(m_workspace->records(), kSystem).save(draft.value());
        QVERIFY2(saved.outcome, qPrintable(saved.outcome.message()));

        store::ForeignObjects kept(kConnection);
        const auto before = checkedValue(kept.objectOf(number));
        const auto after = checkedValue(kept.objectOf(saved.number));
        QVERIFY(before && after);
        QCOMPARE(after->identifier, object);
        QCOMPARE(after->type, before->type);
        QCOMPARE(after->values.size(), before->values.size());
        int changedValues = 0;
        for (qsizetype i = 0; i < after->values.size(); ++i) {
            QCOMPARE(after->values[i].definition, before->values[i].definition);
            if (after->values[i] != before->values[i]) {
                ++changedValues;
                QCOMPARE(after->values[i].text, text);
            }
        }
        QCOMPARE(changedValues, text.isEmpty() ? 0 : 1);

        // Only the edited object differs from the original file, and only
        // where the text changed.
        const QByteArray back = exported(QStringLiteral("edited.reqif"));
        const QStringList differing = differences(readFile(kOriginal), back);
        if (text.isEmpty()) {
            QCOMPARE(differing, QStringList());
        } else {
            QCOMPARE(differing.size(), 1);
            QVERIFY2(differing[0].startsWith(QStringLiteral("SPEC-OBJECTS %1 differs").arg(object)),
                     qPrintable(differing[0]));
        }
        QVERIFY2(back.contains(written), back.constData());

        const Result<interchange::ImportSummary> again = import(kOriginal);
        QVERIFY2(again, qPrintable(again.outcome().message()));
        QCOMPARE(again->imported.size(), 0);
        QCOMPARE(again->changed.size(), text.isEmpty() ? 0 : 1);
        QCOMPARE(again->unchanged, text.isEmpty() ? 5 : 4);
        QCOMPARE(
            count(QStringLiteral("SELECT COUNT(*) FROM MASTER_REQ WHERE FSTType <> 'Deleted'")), 5);
    }

    // An edit that keeps a shortened sentence keeps the whole text with it.
    void editKeepsTheWholeText()
    {
        ImportBatch batch = handMadeBatch();
        // Shortened as an import shortens it, with its mark.
        batch.items[1].requirement.text = QString(200, u'x') + QStringLiteral(" \u2026");
        interchange::RequirementImporter importer(m_workspace->records(), kSystem);
        const Result<interchange::ImportSummary> summary = importer.run(batch, false);
        QVERIFY(summary);
        const qint32 number = summary->imported[1].number;
        Result<templates::TechnicalDraft> draft =
            templates::TechnicalDraft::stored(kConnection, number, true);
        QVERIFY(draft);
        draft->priority = QStringLiteral("3");
        const templates::CommitResult saved =
            templates::TechnicalCommit(m_workspace->records(), kSystem).save(draft.value());
        QVERIFY2(saved.outcome, qPrintable(saved.outcome.message()));
        store::ForeignObjects kept(kConnection);
        QCOMPARE(checkedValue(kept.fullTextOf(saved.number)), QString(300, u'x'));
        const auto after = checkedValue(kept.objectOf(saved.number));
        QVERIFY(after);
        QCOMPARE(after->values.first().text, QString(300, u'x'));
    }
    // An import indexes its requirements' words once, before it commits,
    // exactly as their saves one by one would have: the words of what came
    // in are found, a changed object's old version and a deleted
    // requirement leave the index, a whole text is indexed in place of the
    // shortened sentence. An import that does not commit (a dry run, a
    // database that refuses) leaves the words, triggers and indexes as they
    // were, and the next save is indexed by the triggers again.
    void wordsOfAnImport_data()
    {
        QTest::addColumn<bool>("dryRun");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QList<int>>("found"); // per word: how many requirements
        const QStringList words{"alarm", "emergency", "forklift", "routing", "belt"};
        QTest::newRow("newer file imported")
            << false << false << words << QList<int>{0, 1, 1, 0, 2};
        QTest::newRow("dry run") << true << false << words << QList<int>{1, 0, 0, 1, 2};
        QTest::newRow("refused by the database")
            << false << true << words << QList<int>{1, 0, 0, 1, 2};
    }
    void wordsOfAnImport()
    {
        QFETCH(bool, dryRun);
        QFETCH(bool, refused);
        QFETCH(QStringList, words);
        QFETCH(QList<int>, found);

        QVERIFY(import(kOriginal));
        QCOMPARE(foundByText(QStringLiteral("alarm")).size(), 1);
        QCOMPARE(foundByText(QStringLiteral("routing")).size(), 1);
        QCOMPARE(indexedCount(), liveCount());

        // A newer file: one text changed, one object new, one gone.
        QString text = QString::fromUtf8(readFile(kOriginal));
        text.replace(QStringLiteral("seconds of an alarm"),
                     QStringLiteral("seconds of an emergency"));
        text.replace(QStringLiteral("log each routing decision"),
                     QStringLiteral("park the forklift"));
        const QString newer =
            writeFile(m_files.filePath(QStringLiteral("words.reqif")), text.toUtf8());
        if (refused)
            QVERIFY(StoreTestSupport::refuseInTrigger(
                kConnection, QStringLiteral("no_relations"), QStringLiteral("BEFORE INSERT"),
                QStringLiteral("REQIF_RELATION"), QStringLiteral("disk full")));
        const QStringList schemaBefore = triggersAndIndexes();
        const int indexedBefore = indexedCount();

        const Result<interchange::ImportSummary> summary = import(newer, dryRun);
        QCOMPARE(bool(summary), !refused);
        for (qsizetype at = 0; at < words.size(); ++at)
            QVERIFY2(foundByText(words[at]).size() == found[at], qPrintable(words[at]));
        QCOMPARE(indexedCount(), liveCount());
        QCOMPARE(triggersAndIndexes(), schemaBefore);
        if (dryRun || refused)
            QCOMPARE(indexedCount(), indexedBefore);
        if (refused)
            QVERIFY(StoreTestSupport::dropTrigger(kConnection, QStringLiteral("no_relations"),
                                                  QStringLiteral("REQIF_RELATION")));

        templates::TechnicalDraft own;
        own.text = QStringLiteral("sound the horn before the conveyor starts");
        const templates::CommitResult saved =
            templates::TechnicalCommit(m_workspace->records(), kSystem).save(own);
        QVERIFY2(saved.outcome, qPrintable(saved.outcome.message()));
        QCOMPARE(foundByText(QStringLiteral("horn")), QList<int>{saved.number});
    }

    // The whole text of a shortened sentence gives the words, as its
    // trigger gives them after a save.
    void wholeTextOfAnImportIndexed()
    {
        interchange::RequirementImporter importer(m_workspace->records(), kSystem);
        const Result<interchange::ImportSummary> summary = importer.run(handMadeBatch(), false);
        QVERIFY2(summary, qPrintable(summary.outcome().message()));
        QCOMPARE(foundByText(QString(300, u'x')), QList<int>{summary->imported[1].number});
        QCOMPARE(foundByText(QString(200, u'x')), QList<int>{});
        QCOMPARE(foundByText(QStringLiteral("belt")), QList<int>{summary->imported[0].number});
    }

    // A batch large enough to build Requirements Central's orders once
    // after its rows are in leaves them as they were, whether it commits or
    // a row is refused half way (the whole import then rolls back).
    void largeBatchKeepsTheOrders_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::newRow("committed") << false;
        QTest::newRow("refused half way") << true;
    }
    void largeBatchKeepsTheOrders()
    {
        QFETCH(bool, refused);
        constexpr int kItems = 1200;
        ImportBatch batch;
        for (int item = 1; item <= kItems; ++item) {
            ImportBatch::Item one;
            one.origin = QString::number(item);
            one.requirement.type = QStringLiteral("Technical");
            one.requirement.source = 23;
            one.requirement.category = QStringLiteral("Software");
            one.requirement.paragraph = QString::number(item % 7);
            one.requirement.text =
                QStringLiteral("weigh pallet %1 at gate %2").arg(item).arg(item % 13);
            batch.items.append(one);
        }
        if (refused)
            QVERIFY(StoreTestSupport::refuseInTrigger(
                kConnection, QStringLiteral("no_pallet"), QStringLiteral("BEFORE INSERT"),
                QStringLiteral("MASTER_REQ"), QStringLiteral("disk full"),
                QStringLiteral("NEW.ReqText = 'weigh pallet 700 at gate 11'")));
        const QStringList schemaBefore = triggersAndIndexes();
        interchange::RequirementImporter importer(m_workspace->records(), kSystem);
        const Result<interchange::ImportSummary> summary = importer.run(batch, false);
        QCOMPARE(bool(summary), !refused);
        QCOMPARE(triggersAndIndexes(), schemaBefore);
        QCOMPARE(liveCount(), refused ? 0 : kItems);
        QCOMPARE(indexedCount(), liveCount());
        QCOMPARE(foundByText(QStringLiteral("pallet")).size(), refused ? 0 : kItems);
        if (!refused)
            QCOMPARE(foundByText(QStringLiteral("\"pallet 1200\"")),
                     QList<int>{summary->imported.last().number});
    }
};

QTEST_GUILESS_MAIN(ReqIfKeepingTest)
#include "tst_reqifkeeping.moc"
