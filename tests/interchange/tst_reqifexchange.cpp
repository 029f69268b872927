// Requirements through an exchange file and back: a round trip between two
// workspaces, another tool's file, and files that must be refused whole.
#include "central/dependentlinks.h"
#include "interchange/exchangeinput.h"
#include "interchange/requirementexchange.h"
#include "interchange/ziparchive.h"
#include "objmodel/objectmodelregenerator.h"
#include "support/checkedvalue.h"
#include "support/freshworkspace.h"
#include "support/storetestsupport.h"
#include "support/testfiles.h"
#include "support/workedexamples.h"
#include "templates/structuralcommit.h"
#include "templates/technicalcommit.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include <optional>

using namespace varn;
using interchange::ExchangeFormat;
using interchange::RequirementExchange;

namespace {

const QString kSystem = QStringLiteral("ESD");
const QString kApplication = QStringLiteral("interchange-appdb");

// The export without its one moment-dependent line.
QString withoutCreationTime(const QByteArray &bytes)
{
    static const QRegularExpression created(QStringLiteral("<CREATION-TIME>[^<]*</CREATION-TIME>"));
    return QString::fromUtf8(bytes).remove(created);
}

// Every class with its attributes and methods, sorted: the object model to
// compare between workspaces.
QStringList objectModel(const QString &connection)
{
    QStringList model = StoreTestSupport::column(
        connection,
        QStringLiteral(
            "SELECT e.Entity || '.' || a.Attribute || ':' || a.DataTypeDef FROM OM_ATTR a JOIN "
            "OM_ENTITY e ON e.Entity_ID = a.FK_EntityID UNION ALL SELECT e.Entity || '.' || "
            "m.Method || '()' FROM OM_METHOD m JOIN OM_ENTITY e ON e.Entity_ID = m.FK_EntityID "
            "UNION ALL SELECT Entity FROM OM_ENTITY"));
    model.sort();
    return model;
}

int requirementCount(const QString &connection)
{
    return StoreTestSupport::scalar(connection, QStringLiteral("SELECT COUNT(*) FROM MASTER_REQ"))
        .toInt();
}

} // namespace

class ReqIfExchangeTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_files;

    static RequirementExchange::Workspace workspace(const QString &connection)
    {
        return {connection, kSystem, QString()};
    }

    // The worked examples of every kind, a technical requirement and two
    // dependents of the first requirement.
    static void fillWithExamples(FreshWorkspace &fresh)
    {
        QVERIFY(WorkedExamples::saveAll(kApplication, fresh.records(), kSystem) > 0);
        using templates::StructuralDraft;
        StructuralDraft sensor = StructuralDraft::forTemplate(19);
        sensor.entity = QStringLiteral("runway weather station");
        sensor.attribute = QStringLiteral("wind sensor");
        sensor.stateValue = 0;
        sensor.chooseValueGroup(0);
        for (const char *value : {"nominal", "caution", "warning"})
            QVERIFY(sensor.addPossibleValue(QString::fromLatin1(value)));
        sensor.defaultValue = QStringLiteral("nominal");
        StructuralDraft airline = StructuralDraft::forTemplate(20);
        airline.article = QStringLiteral("An");
        airline.entity = QStringLiteral("airline");
        airline.cardinality = QStringLiteral("0..n");
        airline.partEntity = QStringLiteral("planes");
        StructuralDraft cargo = StructuralDraft::forTemplate(21);
        cargo.entity = QStringLiteral("cargo reservations");
        StructuralDraft gate = StructuralDraft::forTemplate(22);
        gate.entity = QStringLiteral("gate arrival message");
        gate.attribute = QStringLiteral("gate identifier");
        gate.position = QStringLiteral("1");
        gate.dataType = QStringLiteral("Alphanumeric");
        for (const char *value : {"5B", "5A", "NE CARGO"})
            QVERIFY(gate.addPossibleValue(QString::fromLatin1(value)));
        templates::StructuralCommit structural(fresh.records(), kSystem);
        for (StructuralDraft *draft : {&sensor, &airline, &cargo, &gate}) {
            draft->paragraph = QStringLiteral("3.%1").arg(draft->source - 9);
            const templates::CommitResult saved = structural.save(*draft, QDate(2025, 4, 2));
            QVERIFY2(saved.outcome, qPrintable(saved.outcome.message()));
        }
        templates::TechnicalDraft technical;
        technical.text = QStringLiteral("answer in 2 seconds, \"always\" & <everywhere> (Zürich)");
        technical.comments = QStringLiteral("from the customer's list");
        technical.category = QStringLiteral("Hardware");
        technical.priority = QStringLiteral("3");
        QVERIFY(templates::TechnicalCommit(fresh.records(), kSystem).save(technical).outcome);
        QVERIFY(
            central::DependentLinks(fresh.records().connectionName()).saveDependents(1, {3, 2}));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_files.isValid());
        QVERIFY(WorkedExamples::openApplicationDatabase(kApplication));
    }

    // Export, import into a fresh workspace, export again: the same
    // requirements, attributes and links, and the same object model after
    // the object model is rebuilt in both.
    void roundTripKeepsEverything()
    {
        FreshWorkspace first(QStringLiteral("interchange-first"));
        QVERIFY(first.isOpen());
        fillWithExamples(first);
        const QString exported = m_files.filePath(QStringLiteral("first.reqif"));
        const Result<RequirementExchange::ExportSummary> written = RequirementExchange::exportTo(
            ExchangeFormat::ReqIf, workspace(QStringLiteral("interchange-first")), exported, false);
        QVERIFY2(written, qPrintable(written.outcome().message()));
        QCOMPARE(written->written, requirementCount(QStringLiteral("interchange-first")));
        QCOMPARE(written->replacementNotice(), QString());

        FreshWorkspace second(QStringLiteral("interchange-second"));
        QVERIFY(second.isOpen());
        const Result<interchange::ImportSummary> imported = RequirementExchange::importFrom(
            ExchangeFormat::ReqIf, second.records(), kSystem, exported, false);
        QVERIFY2(imported, qPrintable(imported.outcome().message()));
        QCOMPARE(imported->report, QStringList());
        QCOMPARE(imported->imported.size(), written->written);
        QCOMPARE(imported->links, 2);

        const QString again = m_files.filePath(QStringLiteral("second.reqif"));
        QVERIFY(RequirementExchange::exportTo(
            ExchangeFormat::ReqIf, workspace(QStringLiteral("interchange-second")), again, false));
        QCOMPARE(withoutCreationTime(fileBytes(again)), withoutCreationTime(fileBytes(exported)));

        for (const QString &connection :
             {QStringLiteral("interchange-first"), QStringLiteral("interchange-second")}) {
            objmodel::ObjectModelRegenerator regenerator(connection);
            QVERIFY(regenerator.regenerate());
        }
        const QStringList model = objectModel(QStringLiteral("interchange-first"));
        QVERIFY(model.size() > 20);
        QCOMPARE(objectModel(QStringLiteral("interchange-second")), model);
    }

    // Another tool's file: XHTML flattened to text, the hierarchy's order
    // and places as paragraphs, the identifier in the comments, the relation
    // as a dependent; the enumeration attribute is passed over.
    void foreignFileGivesTechnicalRequirements()
    {
        FreshWorkspace fresh(QStringLiteral("interchange-foreign"));
        QVERIFY(fresh.isOpen());
        const Result<interchange::ImportSummary> imported = RequirementExchange::importFrom(
            ExchangeFormat::ReqIf, fresh.records(), kSystem,
            QStringLiteral(VARN_TEST_DATA_DIR "/interchange/supplier.reqif"), false);
        QVERIFY2(imported, qPrintable(imported.outcome().message()));
        QCOMPARE(imported->links, 1);
        QStringList rows;
        QSqlQuery stored(QSqlDatabase::database(QStringLiteral("interchange-foreign")));
        QVERIFY(stored.exec(QStringLiteral("SELECT Req_Num, FSTType, ParaNum, ReqText, Comments "
                                           "FROM MASTER_REQ ORDER BY Req_Num")));
        while (stored.next()) {
            QStringList cells;
            for (int i = 0; i < 5; ++i)
                cells.append(stored.value(i).toString());
            rows.append(cells.join(QLatin1Char('|')));
        }
        QCOMPARE(
            rows,
            (QStringList{"1|Technical|1|stop the belt within; 2 seconds of an alarm|ReqIF so-belt",
                         "2|Technical|2|read every bag tag & route the bag|ReqIF so-tag",
                         "3|Technical|2.1|scan tags; in under 1 s|ReqIF so-scan",
                         "4|Technical|None|log each routing decision|ReqIF so-note"}));
        QCOMPARE(
            checkedValue(
                central::DependentLinks(QStringLiteral("interchange-foreign")).dependentsOf(2)),
            QList<int>{3});

        // A second import of the same file finds each object kept with the
        // requirement it became: nothing changed, nothing new, nothing gone.
        const Result<interchange::ImportSummary> twice = RequirementExchange::importFrom(
            ExchangeFormat::ReqIf, fresh.records(), kSystem,
            QStringLiteral(VARN_TEST_DATA_DIR "/interchange/supplier.reqif"), false);
        QVERIFY(twice);
        QCOMPARE(twice->imported.size(), 0);
        QCOMPARE(twice->changed.size(), 0);
        QCOMPARE(twice->unchanged, 4);
        QCOMPARE(twice->missing.size(), 0);
        QCOMPARE(twice->report, QStringList());
    }

    // A relation of an object to itself is left out, and said; so is the
    // relation that would close a cycle.
    void importedRelationsRefuseSelfAndNameCycles_data()
    {
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<int>("links");
        QTest::addColumn<QStringList>("report");
        QTest::addColumn<QStringList>("notices");
        QTest::newRow("to itself")
            << QByteArray("so-belt") << QByteArray("so-belt") << 1
            << QStringList{"Relation rel-2 is not imported: Requirement 1 cannot be its own "
                           "dependent."}
            << QStringList();
        QTest::newRow("back to its parent")
            << QByteArray("so-scan") << QByteArray("so-tag") << 1
            << QStringList{"Relation rel-2 is not imported: it would close a cycle of dependents "
                           "(3 -> 2 -> 3)."}
            << QStringList();
        QTest::newRow("no cycle") << QByteArray("so-belt") << QByteArray("so-scan") << 2
                                  << QStringList() << QStringList();
    }

    void importedRelationsRefuseSelfAndNameCycles()
    {
        QFETCH(QByteArray, source);
        QFETCH(QByteArray, target);
        QFETCH(int, links);
        QFETCH(QStringList, report);
        QFETCH(QStringList, notices);
        FreshWorkspace fresh(QStringLiteral("interchange-relations"));
        QVERIFY(fresh.isOpen());
        QByteArray file =
            fileBytes(QStringLiteral(VARN_TEST_DATA_DIR "/interchange/supplier.reqif"));
        file.replace("</SPEC-RELATIONS>",
                     "<SPEC-RELATION IDENTIFIER=\"rel-2\" LAST-CHANGE=\"2026-03-01T09:00:00Z\">"
                     "<SOURCE><SPEC-OBJECT-REF>" +
                         source + "</SPEC-OBJECT-REF></SOURCE><TARGET><SPEC-OBJECT-REF>" + target +
                         "</SPEC-OBJECT-REF></TARGET><TYPE><SPEC-RELATION-TYPE-REF>srt-refines"
                         "</SPEC-RELATION-TYPE-REF></TYPE></SPEC-RELATION></SPEC-RELATIONS>");
        const Result<interchange::ImportSummary> imported = RequirementExchange::importFrom(
            ExchangeFormat::ReqIf, fresh.records(), kSystem,
            writeFile(m_files, QStringLiteral("relations.reqif"), file), false);
        QVERIFY2(imported, qPrintable(imported.outcome().message()));
        QCOMPARE(imported->imported.size(), 4);
        QCOMPARE(imported->report, report);
        QCOMPARE(imported->notices, notices);
        QCOMPARE(imported->links, links);
        QCOMPARE(StoreTestSupport::scalar(QStringLiteral("interchange-relations"),
                                          QStringLiteral("SELECT COUNT(*) FROM DEPENDENT_REQ "
                                                         "WHERE FK_ReqNum = Dep_ReqNum"))
                     .toInt(),
                 0);
    }

    // What the report lists, and that a dry run lists the same and leaves
    // the workspace as it was.
    void reportListsWhatIsLeftOut_data()
    {
        QTest::addColumn<bool>("dryRun");
        QTest::newRow("import") << false;
        QTest::newRow("dry run") << true;
    }

    void reportListsWhatIsLeftOut()
    {
        QFETCH(bool, dryRun);
        FreshWorkspace fresh(QStringLiteral("interchange-report"));
        QVERIFY(fresh.isOpen());
        QByteArray file =
            fileBytes(QStringLiteral(VARN_TEST_DATA_DIR "/interchange/supplier.reqif"));
        // The note gets a text over the limit (shortened, kept whole beside
        // the sentence), and the scan object's identifier is taken by a
        // second object.
        file.replace("log each routing decision", QByteArray(300, 'x'));
        file.replace("<SPEC-OBJECT IDENTIFIER=\"so-tag\"", "<SPEC-OBJECT IDENTIFIER=\"so-belt\"");
        file.replace("<SPEC-OBJECT-REF>so-tag</SPEC-OBJECT-REF>",
                     "<SPEC-OBJECT-REF>so-belt</SPEC-OBJECT-REF>");
        const Result<interchange::ImportSummary> imported = RequirementExchange::importFrom(
            ExchangeFormat::ReqIf, fresh.records(), kSystem,
            writeFile(m_files, QStringLiteral("report.reqif"), file), dryRun);
        QVERIFY2(imported, qPrintable(imported.outcome().message()));
        QCOMPARE(imported->imported.size(), 3);
        QVERIFY2(imported->report.size() == 2, qPrintable(imported->report.join('\n')));
        QCOMPARE(imported->report[0],
                 QStringLiteral("Requirement so-note: its text of 300 characters is longer than a "
                                "sentence may be; the sentence is shortened and the whole text is "
                                "kept with it."));
        QVERIFY(imported->report[1].startsWith(
            QStringLiteral("Requirement so-belt is not imported: its identifier appears twice")));
        QCOMPARE(requirementCount(QStringLiteral("interchange-report")), dryRun ? 0 : 3);
    }

    // Bad input: a clear message, and nothing imported.
    void badInputIsRefusedWhole_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const QByteArray good =
            fileBytes(QStringLiteral(VARN_TEST_DATA_DIR "/interchange/supplier.reqif"));
        auto changed = [&good](const char *from, const char *to) {
            return QByteArray(good).replace(from, to);
        };
        QTest::newRow("malformed XML") << "reqif" << changed("</SPEC-OBJECTS>", "</SPEC-OBJECT>")
                                       << "The file is not well-formed XML (line 91, column 20: "
                                          "Opening and ending tag mismatch.)";
        QTest::newRow("cut short")
            << "reqif" << good.left(good.size() / 2) << "The file is not well-formed XML";
        QTest::newRow("foreign namespace")
            << "reqif" << changed("http://www.omg.org/spec/ReqIF/20110401/reqif.xsd", "urn:other")
            << "The file is not a ReqIF document: its root element is \"REQ-IF\" in the "
               "namespace \"urn:other\".";
        const QString declared = QStringLiteral(
            "The file holds a document type or entity declaration, which an import never reads.");
        QTest::newRow("entity declaration")
            << "reqif"
            << changed("<REQ-IF ", "<!DOCTYPE REQ-IF [<!ENTITY big \"lots\">]>\n<REQ-IF ")
                   .replace("scan tags", "&big;")
            << declared;
        QTest::newRow("external entity")
            << "reqif"
            << changed("<REQ-IF ",
                       "<!DOCTYPE REQ-IF [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>\n<REQ-IF ")
            << declared;
        QTest::newRow("undeclared entity")
            << "reqif" << changed("scan tags", "&secret;") << "The file is not well-formed XML";
        QTest::newRow("invalid UTF-8") << "reqif" << changed("scan tags", "scan \xff\xfe tags")
                                       << "The file is not UTF-8 text.";
        QTest::newRow("no document") << "reqif" << QByteArray("<?xml version=\"1.0\"?>")
                                     << "The file is not well-formed XML";
        QTest::newRow("CSV, wrong header") << "csv" << QByteArray("Number,Text\r\n1,go\r\n")
                                           << "The first line of the file must name the columns";
        QTest::newRow("CSV, open quote")
            << "csv"
            << QByteArray("No.,Type,Source,Category,Priority,Release,Version,Paragraph,"
                          "Requirement,Orig No.,Date Saved,Comments\r\n1,\"go\r\n")
            << "The file ends inside a quoted field";
        QTest::newRow("CSV, short record")
            << "csv"
            << QByteArray("No.,Type,Source,Category,Priority,Release,Version,Paragraph,"
                          "Requirement,Orig No.,Date Saved,Comments\r\n1,Technical\r\n")
            << "Record 1 of the file has 2 fields; the header names 12.";
        // Records are stored as they are read: those before a wrong one are
        // taken back with it.
        const QByteArray goodRecords =
            "No.,Type,Source,Category,Priority,Release,Version,Paragraph,"
            "Requirement,Orig No.,Date Saved,Comments\r\n"
            "1,Technical,23,Software,1,1,1,1.1,go north,1,1-2-2020,\r\n"
            "2,Technical,23,Software,1,1,1,1.2,go south,2,1-2-2020,\r\n"
            "\r\n"
            "3,Technical,23,Software,1,1,1,1.3,\"go east, then west\",3,1-2-2020,\r\n";
        QTest::newRow("CSV, short record after good ones")
            << "csv" << goodRecords + "4,Technical\r\n"
            << "Record 5 of the file has 2 fields; the header names 12.";
        QTest::newRow("CSV, open quote after good ones")
            << "csv" << goodRecords + "4,Technical,\"go\r\n"
            << "The file ends inside a quoted field";
        QTest::newRow("CSV, stray quote after good ones")
            << "csv" << goodRecords + "4,Tech\"nical\r\n"
            << "Line 6 of the file has a quote inside an unquoted field.";
    }

    void badInputIsRefusedWhole()
    {
        QFETCH(QString, format);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        FreshWorkspace fresh(QStringLiteral("interchange-bad"));
        QVERIFY(fresh.isOpen());
        const Result<interchange::ImportSummary> imported = RequirementExchange::importFrom(
            *RequirementExchange::formatNamed(format), fresh.records(), kSystem,
            writeFile(m_files, QStringLiteral("bad.") + format, bytes), false);
        QVERIFY(!imported);
        QVERIFY2(imported.outcome().message().startsWith(message),
                 qPrintable(imported.outcome().message()));
        QVERIFY(imported.outcome().message().endsWith(QStringLiteral("\nNothing was imported.")));
        QCOMPARE(requirementCount(QStringLiteral("interchange-bad")), 0);
    }

    // A .reqifz archive: its documents (in folders too) are read as one, its
    // attachments counted; a hostile or empty archive imports nothing.
    void archivesAreRead_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("imported");
        QTest::addColumn<QString>("problem");

        const QString supplier = QStringLiteral("supplier.reqif");
        const QString conveyor = QStringLiteral("conveyor-1.reqif");
        QTest::newRow("document in a folder, attachment beside it")
            << QStringList{"docs/spec.reqif", "docs/images/pump.png"}
            << QStringList{supplier, QString()} << 4 << QString();
        QTest::newRow("two documents") << QStringList{"a/SUPPLIER.REQIF", "b/conveyor.reqif"}
                                       << QStringList{supplier, conveyor} << -1 << QString();
        QTest::newRow("path leaving the archive")
            << QStringList{"../spec.reqif"} << QStringList{supplier} << 0 << "../spec.reqif";
        QTest::newRow("no document") << QStringList{"readme.txt"} << QStringList{QString()} << 0
                                     << "holds no ReqIF document";
    }

    void archivesAreRead()
    {
        QFETCH(QStringList, names);
        QFETCH(QStringList, files);
        QFETCH(int, imported);
        QFETCH(QString, problem);
        QList<interchange::ZipArchive::Entry> entries;
        int separately = 0;
        for (qsizetype i = 0; i < names.size(); ++i) {
            if (files.at(i).isEmpty()) {
                entries.append({names.at(i), QByteArrayLiteral("\x89PNG not a document")});
                continue;
            }
            const QString source = QStringLiteral(VARN_TEST_DATA_DIR "/interchange/") + files.at(i);
            entries.append({names.at(i), fileBytes(source)});
            FreshWorkspace alone(QStringLiteral("interchange-alone"));
            const Result<interchange::ImportSummary> one = RequirementExchange::importFrom(
                ExchangeFormat::ReqIf, alone.records(), kSystem, source, false);
            QVERIFY2(one, qPrintable(one.outcome().message()));
            separately += int(one->imported.size());
        }
        if (imported < 0)
            imported = separately;
        const QString archive = m_files.filePath(QStringLiteral("archive.bin"));
        QVERIFY(interchange::ZipArchive::write(archive, entries));

        FreshWorkspace fresh(QStringLiteral("interchange-archive"));
        const Result<interchange::ImportSummary> read = RequirementExchange::importFrom(
            ExchangeFormat::ReqIf, fresh.records(), kSystem, archive, false);
        QCOMPARE(requirementCount(QStringLiteral("interchange-archive")), imported);
        if (!problem.isEmpty()) {
            QVERIFY(!read);
            QVERIFY2(read.outcome().message().contains(problem),
                     qPrintable(read.outcome().message()));
            QVERIFY(read.outcome().message().endsWith(QLatin1String("Nothing was imported.")));
            return;
        }
        QVERIFY2(read, qPrintable(read.outcome().message()));
        QCOMPARE(read->imported.size(), imported);
        QCOMPARE(read->report.contains(QStringLiteral(
                     "The archive's 1 other file(s) (attachments) were not imported.")),
                 files.contains(QString()));
    }

    // An archive's one document of several megabytes is read a piece at a
    // time as it expands: what it stores is what the same document stores
    // unpacked.
    void archiveEntryReadInPieces()
    {
        QByteArray objects, nodes;
        for (int number = 1; number <= 5000; ++number) {
            const QByteArray n = QByteArray::number(number);
            objects +=
                "<SPEC-OBJECT IDENTIFIER=\"o" + n +
                "\"><VALUES><ATTRIBUTE-VALUE-XHTML><DEFINITION><ATTRIBUTE-DEFINITION-XHTML-REF>"
                "d-text</ATTRIBUTE-DEFINITION-XHTML-REF></DEFINITION><THE-VALUE>"
                "<xhtml:div>weigh pallet " +
                n + " in Z\xc3\xbcrich \xf0\x9f\x9a\x86 " + QByteArray(number % 211 * 5, 'y') +
                "</xhtml:div></THE-VALUE></ATTRIBUTE-VALUE-XHTML></VALUES><TYPE>"
                "<SPEC-OBJECT-TYPE-REF>sot</SPEC-OBJECT-TYPE-REF></TYPE></SPEC-OBJECT>\n";
            nodes += "<SPEC-HIERARCHY IDENTIFIER=\"h" + n + "\"><OBJECT><SPEC-OBJECT-REF>o" + n +
                     "</SPEC-OBJECT-REF></OBJECT></SPEC-HIERARCHY>";
        }
        const QByteArray document =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<REQ-IF "
            "xmlns=\"http://www.omg.org/spec/ReqIF/20110401/reqif.xsd\" "
            "xmlns:xhtml=\"http://www.w3.org/1999/xhtml\"><THE-HEADER><REQ-IF-HEADER "
            "IDENTIFIER=\"h\"/></THE-HEADER><CORE-CONTENT><REQ-IF-CONTENT><DATATYPES>"
            "<DATATYPE-DEFINITION-XHTML IDENTIFIER=\"dt-x\"/></DATATYPES><SPEC-TYPES>"
            "<SPEC-OBJECT-TYPE IDENTIFIER=\"sot\"><SPEC-ATTRIBUTES><ATTRIBUTE-DEFINITION-XHTML "
            "IDENTIFIER=\"d-text\" LONG-NAME=\"ReqIF.Text\"><TYPE><DATATYPE-DEFINITION-XHTML-REF>"
            "dt-x</DATATYPE-DEFINITION-XHTML-REF></TYPE></ATTRIBUTE-DEFINITION-XHTML>"
            "</SPEC-ATTRIBUTES></SPEC-OBJECT-TYPE></SPEC-TYPES><SPEC-OBJECTS>" +
            objects + "</SPEC-OBJECTS><SPECIFICATIONS><SPECIFICATION IDENTIFIER=\"s\"><CHILDREN>" +
            nodes +
            "</CHILDREN></SPECIFICATION></SPECIFICATIONS></REQ-IF-CONTENT></CORE-CONTENT>"
            "</REQ-IF>";
        QVERIFY(document.size() > 4 * (1 << 20));
        const QString archive = m_files.filePath(QStringLiteral("pieces.reqifz"));
        QVERIFY(interchange::ZipArchive::write(
            archive, {{QStringLiteral("deep/folder/spec.reqif"), document},
                      {QStringLiteral("deep/pump.png"), QByteArrayLiteral("\x89PNG")}}));
        const auto stored = [](const QString &connection) {
            QStringList rows;
            QSqlQuery query(QSqlDatabase::database(connection));
            query.exec(QStringLiteral("SELECT ParaNum, ReqText FROM MASTER_REQ ORDER BY Req_Num"));
            while (query.next())
                rows.append(query.value(0).toString() + QLatin1Char('|') +
                            query.value(1).toString());
            return rows;
        };
        FreshWorkspace plain(QStringLiteral("interchange-plain"));
        const Result<interchange::ImportSummary> unpacked = RequirementExchange::importFrom(
            ExchangeFormat::ReqIf, plain.records(), kSystem,
            writeFile(m_files, QStringLiteral("pieces.reqif"), document), false);
        QVERIFY2(unpacked, qPrintable(unpacked.outcome().message()));
        FreshWorkspace packed(QStringLiteral("interchange-pieces"));
        const Result<interchange::ImportSummary> read = RequirementExchange::importFrom(
            ExchangeFormat::ReqIf, packed.records(), kSystem, archive, false);
        QVERIFY2(read, qPrintable(read.outcome().message()));
        QCOMPARE(read->imported.size(), 5000);
        QCOMPARE(read->report.toList(),
                 unpacked->report.toList() + QStringList{"The archive's 1 other file(s) "
                                                         "(attachments) were not imported."});
        const QStringList rows = stored(QStringLiteral("interchange-pieces"));
        QCOMPARE(rows, stored(QStringLiteral("interchange-plain")));
        QCOMPARE(rows.size(), 5000);
        QVERIFY2(
            rows.last().startsWith(QString::fromUtf8("5000|weigh pallet 5000 in Z\xc3\xbcrich")),
            qPrintable(rows.last()));
    }

    // An export to a name ending in .reqifz packs the document; the archive
    // imports as the document does.
    void exportPacksAnArchive()
    {
        FreshWorkspace first(QStringLiteral("interchange-packed"));
        fillWithExamples(first);
        const QString packed = m_files.filePath(QStringLiteral("Release 2.reqifz"));
        const Result<RequirementExchange::ExportSummary> written = RequirementExchange::exportTo(
            ExchangeFormat::ReqIf, workspace(QStringLiteral("interchange-packed")), packed, false);
        QVERIFY2(written, qPrintable(written.outcome().message()));
        const Result<interchange::ZipArchive> archive = interchange::ZipArchive::read(packed);
        QVERIFY2(archive, qPrintable(archive.outcome().message()));
        QCOMPARE(archive->entries().size(), 1);
        QCOMPARE(archive->entries().first().name, QStringLiteral("Release 2.reqif"));
        QVERIFY(archive->entries().first().bytes.contains("<REQ-IF "));

        FreshWorkspace second(QStringLiteral("interchange-unpacked"));
        const Result<interchange::ImportSummary> imported = RequirementExchange::importFrom(
            ExchangeFormat::ReqIf, second.records(), kSystem, packed, false);
        QVERIFY2(imported, qPrintable(imported.outcome().message()));
        QCOMPARE(imported->imported.size(), written->written);
        QCOMPARE(imported->links, 2);
    }

    void oversizedFileIsNotRead()
    {
        const QString path = writeFile(m_files, QStringLiteral("big.reqif"), QByteArray(4096, ' '));
        const Result<QByteArray> read = interchange::ExchangeInput::read(path, 4095);
        QVERIFY(!read);
        QCOMPARE(read.outcome().message(),
                 QStringLiteral("The file is larger than 4.00 KiB, the most an import reads.\n"
                                "Nothing was imported."));
        QVERIFY(interchange::ExchangeInput::read(path, 4096));
    }
};

QTEST_GUILESS_MAIN(ReqIfExchangeTest)
#include "tst_reqifexchange.moc"
