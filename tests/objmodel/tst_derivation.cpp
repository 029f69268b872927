#include "language/clauselabeler.h"
#include "language/termrecord.h"
#include "objmodel/namerules.h"
#include "objmodel/objectmodelderiver.h"
#include "objmodel/objectmodelwriter.h"
#include "support/storetestsupport.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

using namespace varn;
using namespace varn::objmodel;
using language::TermRecord;

namespace {

const QString kConnection = QStringLiteral("derivation");

QSqlDatabase database()
{
    return QSqlDatabase::database(kConnection);
}

// Every row of a table as "col|col|..." lines, in key order.
QStringList rows(const QString &sql)
{
    QStringList lines;
    QSqlQuery query(database());
    if (!query.exec(sql))
        return {QStringLiteral("query failed: ") + sql};
    while (query.next()) {
        QStringList columns;
        for (int c = 0; c < query.record().count(); ++c)
            columns.append(query.value(c).toString());
        lines.append(columns.join(QLatin1Char('|')));
    }
    return lines;
}

int count(const QString &table)
{
    return StoreTestSupport::scalar(kConnection, QStringLiteral("SELECT COUNT(*) FROM ") + table)
        .toInt();
}

// "Entity" rows by name, attributes as "owner.name:type", methods as "owner.name".
QStringList entities()
{
    return rows(QStringLiteral("SELECT Entity FROM OM_ENTITY ORDER BY Entity_ID"));
}
QStringList attributes()
{
    return rows(QStringLiteral("SELECT e.Entity || '.' || a.Attribute || ':' || a.DataTypeDef FROM "
                               "OM_ATTR a JOIN OM_ENTITY e ON e.Entity_ID = a.FK_EntityID ORDER BY "
                               "a.Attr_ID"));
}
QStringList methods()
{
    return rows(
        QStringLiteral("SELECT e.Entity || '.' || m.Method FROM OM_METHOD m JOIN OM_ENTITY e "
                       "ON e.Entity_ID = m.FK_EntityID ORDER BY m.Method_ID"));
}
QStringList inheritance()
{
    return rows(
        QStringLiteral("SELECT i.InH_Entity || ' < ' || e.Entity FROM OM_INH i JOIN OM_ENTITY "
                       "e ON e.Entity_ID = i.FK_EntityID ORDER BY i.InH_ID"));
}
QStringList aggregation()
{
    return rows(
        QStringLiteral("SELECT a.AggEntity || ' in ' || e.Entity FROM OM_AGG a JOIN OM_ENTITY "
                       "e ON e.Entity_ID = a.FK_EntityID ORDER BY a.Agg_ID"));
}
QStringList possibleValues()
{
    return rows(
        QStringLiteral("SELECT a.Attribute || '=' || p.Value FROM OM_PV p JOIN OM_ATTR a ON "
                       "a.Attr_ID = p.FK_AttrID ORDER BY p.PVOM_ID"));
}

} // namespace

class DerivationTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    int m_nextRequirement = 1;

    // Labels the terms and derives them as requirement n, as a save does.
    Outcome derive(const QByteArray &gcode, const QStringList &texts)
    {
        QList<TermRecord> records = language::termRecordsFromGCode(gcode);
        for (qsizetype i = 0; i < texts.size() && i < records.size(); ++i)
            records[i].text = texts[i];
        const Outcome labelled = language::ClauseLabeler::LabelClauses(records);
        if (!labelled)
            return labelled;
        return deriveLabelled(records);
    }

    Outcome deriveLabelled(const QList<TermRecord> &records)
    {
        // As in a save: one transaction around the requirement and its model.
        database().transaction();
        const int requirement = m_nextRequirement++;
        StoreTestSupport::exec(
            kConnection,
            QStringLiteral("INSERT INTO MASTER_REQ (Req_Num) VALUES (%1)").arg(requirement));
        StoreTestSupport::exec(
            kConnection,
            QStringLiteral("INSERT INTO FUNC_REQ (F_ReqNum) VALUES (%1)").arg(requirement));
        ObjectModelWriter tables(kConnection);
        ObjectModelDeriver deriver(tables);
        Outcome derived = deriver.DeriveObjectModel(records, requirement, true);
        if (derived)
            derived = tables.flushCounters();
        database().commit();
        return derived;
    }

private slots:
    void initTestCase() { StoreTestSupport::initResources(); }

    void init()
    {
        QVERIFY(StoreTestSupport::openFreshDatabase(m_folder, kConnection));
        m_nextRequirement = 1;
    }

    void cleanup() { StoreTestSupport::closeDatabase(kConnection); }

    void actorAndRepeatedEntity()
    {
        QVERIFY(derive("kdewec", {"Operator", "display", "Truck", "when", "Truck", "arrives"}));
        QCOMPARE(entities(), QStringList{"Truck"});
        QCOMPARE(rows("SELECT Req_EntityID, ReqEntity, FK_FReqNum, FK_SReqNum IS NULL, FK_OMEntity "
                      "FROM REQ_ENTITY"),
                 (QStringList{"1|Truck|1|1|1", "2|Truck|1|1|1"}));
        QCOMPARE(methods(), (QStringList{"Truck.displayTruck", "Truck.arriveTruck"}));
        QCOMPARE(attributes(), QStringList{"Truck.truckArrives:int"});
        QCOMPARE(StoreTestSupport::scalar(kConnection, "SELECT PEntReq FROM PK_ENT_REQ").toInt(),
                 2);
        QCOMPARE(StoreTestSupport::scalar(kConnection, "SELECT PEntOm FROM PK_ENT_OM").toInt(), 1);
    }

    void clauseShapes_data()
    {
        QTest::addColumn<QByteArray>("gcode");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("entities");
        QTest::addColumn<QStringList>("inheritance");
        QTest::addColumn<QStringList>("aggregation");
        QTest::addColumn<QStringList>("attributes");

        QTest::newRow("type: the delivery truck")
            << QByteArray("dte") << QStringList{"display", "Delivery", "Truck"}
            << QStringList{"Truck", "Delivery_Truck"} << QStringList{"Delivery_Truck < Truck"}
            << QStringList{} << QStringList{};
        QTest::newRow("part: the engine of the truck")
            << QByteArray("dpe") << QStringList{"display", "Engine", "Truck"}
            << QStringList{"Truck", "Engine"} << QStringList{} << QStringList{"Engine in Truck"}
            << QStringList{"Truck.&rEngine:reference"};
        QTest::newRow("attribute: the speed of the truck")
            << QByteArray("dae") << QStringList{"display", "speed", "Truck"} << QStringList{"Truck"}
            << QStringList{} << QStringList{} << QStringList{"Truck.speed:int"};
        QTest::newRow("form 8: the speed of the engine of the delivery truck")
            << QByteArray("dapte") << QStringList{"display", "speed", "Engine", "Delivery", "Truck"}
            << QStringList{"Truck", "Delivery_Truck", "Engine"}
            << QStringList{"Delivery_Truck < Truck"} << QStringList{"Engine in Delivery_Truck"}
            << QStringList{"Delivery_Truck.&rEngine:reference", "Engine.speed:int"};
        QTest::newRow("a part named after its kind")
            << QByteArray("dpe") << QStringList{"display", "Big_Wheel", "Truck"}
            << QStringList{"Truck", "Wheel", "Big_Wheel"} << QStringList{"Big_Wheel < Wheel"}
            << QStringList{"Big_Wheel in Truck"} << QStringList{"Truck.&rBig_Wheel:reference"};
    }

    void clauseShapes()
    {
        QFETCH(QByteArray, gcode);
        QFETCH(QStringList, texts);
        // The same words saved twice build the model once.
        for (int save = 0; save < 2; ++save)
            QVERIFY(derive(gcode, texts));
        QTEST(entities(), "entities");
        QTEST(inheritance(), "inheritance");
        QTEST(aggregation(), "aggregation");
        const QStringList withoutMethods = attributes();
        QFETCH(QStringList, attributes);
        QCOMPARE(withoutMethods, attributes);
        QCOMPARE(count("REQ_ENTITY"), 2);
    }

    void clauseRules_data()
    {
        QTest::addColumn<QByteArray>("gcode");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("attributes");
        QTest::addColumn<QStringList>("methods");

        QTest::newRow("display the speed of the truck when the truck arrives")
            << QByteArray("daewec")
            << QStringList{"display", "speed", "Truck", "when", "Truck", "arrives"}
            << QStringList{"Truck.speed:int", "Truck.truckArrives:int"}
            << QStringList{"Truck.displaySpeed", "Truck.arriveTruck"};
        QTest::newRow("when clause about another entity: pointer on the event entity")
            << QByteArray("dewec")
            << QStringList{"display", "Truck", "when", "Dispatcher", "arrives"}
            << QStringList{"Dispatcher.dispatcherArrives:int", "Dispatcher.*pTruck:pointer"}
            << QStringList{"Truck.displayTruck", "Dispatcher.arriveDispatcher"};
        QTest::newRow("before clause: pointer on the do entity")
            << QByteArray("debec")
            << QStringList{"display", "Truck", "before", "Dispatcher", "stopped"}
            << QStringList{"Dispatcher.dispatcherStopped:int", "Truck.*pDispatcher:pointer"}
            << QStringList{"Truck.displayTruck", "Dispatcher.stopDispatcher"};
        QTest::newRow("event on an attribute: method from the verb and the attribute")
            << QByteArray("dewaec")
            << QStringList{"display", "Truck", "when", "speed", "Truck", "changed"}
            << QStringList{"Truck.speed:int"}
            << QStringList{"Truck.displayTruck", "Truck.changeSpeed"};
        QTest::newRow("external to: send")
            << QByteArray("dexe") << QStringList{"send", "Report", "to", "Website"}
            << QStringList{"Report.*pWebsite:pointer"}
            << QStringList{"Report.sendReport", "Website.sendReportToWebsite"};
        QTest::newRow("external from: receive, pointer to the do entity")
            << QByteArray("dexe") << QStringList{"accept", "Report", "from", "Website"}
            << QStringList{"Report.*pWebsite:pointer", "Website.*pReport:pointer"}
            << QStringList{"Report.acceptReport", "Website.receiveReportFromWebsite"};
        QTest::newRow("every 5 seconds: a timer")
            << QByteArray("deyqu") << QStringList{"display", "Truck", "every", "5", "seconds"}
            << QStringList{"DisplayTruckTimer.duration:long", "Truck.*pDisplayTruckTimer:pointer",
                           "DisplayTruckTimer.*pTruck:pointer"}
            << QStringList{"Truck.displayTruck", "DisplayTruckTimer.setTimer"};
        QTest::newRow("within 5 meters: a distance, no timer")
            << QByteArray("desqu") << QStringList{"park", "Truck", "within", "5", "meters"}
            << QStringList{"Truck.meterswithin:long"} << QStringList{"Truck.parkTruck"};
        QTest::newRow("if clause with attribute: getter and value typed")
            << QByteArray("deiaelq")
            << QStringList{"display", "Truck", "if", "weight", "Load", "is", "50"}
            << QStringList{"Load.weight:long", "Truck.*pLoad:pointer"}
            << QStringList{"Truck.displayTruck", "Load.getWeight"};
    }

    void clauseRules()
    {
        QFETCH(QByteArray, gcode);
        QFETCH(QStringList, texts);
        for (int save = 0; save < 2; ++save)
            QVERIFY(derive(gcode, texts));
        const QStringList derivedAttributes = attributes();
        QFETCH(QStringList, attributes);
        QCOMPARE(derivedAttributes, attributes);
        QTEST(methods(), "methods");
    }

    void valuesTypeTheLastAttribute_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QStringList>("possibleValues");
        QTest::newRow("whole number") << "50"
                                      << "long" << QStringList{};
        QTest::newRow("decimal") << "2.5"
                                 << "double" << QStringList{};
        QTest::newRow("fraction") << "1/2"
                                  << "double" << QStringList{};
        QTest::newRow("word") << "open"
                              << "int" << QStringList{"status=open"};
        QTest::newRow("apostrophe") << "o'clock"
                                    << "int" << QStringList{"status=o'clock"};
    }

    void valuesTypeTheLastAttribute()
    {
        QFETCH(QString, value);
        for (int save = 0; save < 3; ++save)
            QVERIFY(derive("deiaelg", {"close", "Gate", "if", "status", "Gate", "is", value}));
        QFETCH(QString, type);
        QCOMPARE(StoreTestSupport::scalar(
                     kConnection, "SELECT DataTypeDef FROM OM_ATTR WHERE Attribute = 'status'")
                     .toString(),
                 type);
        QTEST(possibleValues(), "possibleValues");
    }

    void stateAfterPlainClauseBecomesAnIsAttribute()
    {
        QVERIFY(derive("deiewec", {"open", "Gate", "if", "Runway", "when", "Plane", "lands"}));
        QVERIFY(derive("deielg", {"open", "Gate", "if", "Runway", "is", "clear"}));
        QVERIFY(attributes().contains("Runway.isClear:int"));
        QVERIFY(methods().contains("Runway.getIsClear"));
        QCOMPARE(possibleValues(), QStringList{"isClear=clear"});
    }

    void unknownGroupIsRefused()
    {
        QList<TermRecord> records = language::termRecordsFromGCode("de");
        records[0] = {'A', 2, 'd', "display"};
        records[1] = {'R', 2, 'e', "Truck"};
        records[0].group = 'R';
        const Outcome derived = deriveLabelled(records);
        QVERIFY(!derived);
        QCOMPARE(derived.message(), QStringLiteral("Invalid GCode character encountered."));
    }

    // A table that cannot be written names itself and the database's own
    // error, not a follow-on error of the statement that never prepared.
    void missingTableIsNamedInTheMessage()
    {
        QVERIFY(
            StoreTestSupport::exec(kConnection, "ALTER TABLE OM_METHOD RENAME TO OM_METHOD_GONE"));
        const Outcome derived = derive("de", {"display", "truck"});
        QVERIFY(!derived);
        QVERIFY2(derived.message().contains(QStringLiteral("no such table: OM_METHOD")),
                 qPrintable(derived.message()));
    }

    void namesWithQuotesAndNonAsciiAreBound()
    {
        QVERIFY(derive("dae", {"display", "größe'%", "Straßen_Bahn"}));
        QCOMPARE(entities(), QStringList{"Straßen_Bahn"});
        QCOMPARE(attributes(), QStringList{"Straßen_Bahn.größe'%:int"});
        QCOMPARE(rows("SELECT ReqEntity FROM REQ_ENTITY"), QStringList{"Straßen_ Bahn"});
    }

    void nameRules_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("output");
        QTest::newRow("spaced BigRedTruck") << "spaced"
                                            << "BigRedTruck"
                                            << "Big Red Truck";
        QTest::newRow("spaced TruckAB") << "spaced"
                                        << "TruckAB"
                                        << "Truck AB";
        QTest::newRow("spaced single") << "spaced"
                                       << "T"
                                       << "T";
        QTest::newRow("spaced empty") << "spaced"
                                      << ""
                                      << "";
        QTest::newRow("stem is being loaded") << "stem"
                                              << "is being loaded"
                                              << "loade";
        QTest::newRow("stem headed") << "stem"
                                     << "headed"
                                     << "head";
        QTest::newRow("stem needed") << "stem"
                                     << "needed"
                                     << "need";
        QTest::newRow("stem stopped") << "stem"
                                      << "stopped"
                                      << "stop";
        QTest::newRow("stem added") << "stem"
                                    << "added"
                                    << "ad";
        QTest::newRow("stem carried") << "stem"
                                      << "carried"
                                      << "carry";
        QTest::newRow("stem changed") << "stem"
                                      << "changed"
                                      << "change";
        QTest::newRow("stem created") << "stem"
                                      << "created"
                                      << "creat";
        QTest::newRow("stem opening") << "stem"
                                      << "opening"
                                      << "open";
        QTest::newRow("stem passes") << "stem"
                                     << "passes"
                                     << "paes";
        QTest::newRow("stem carries") << "stem"
                                      << "carries"
                                      << "carries";
        QTest::newRow("stem arrives") << "stem"
                                      << "arrives"
                                      << "arrive";
        QTest::newRow("stem go") << "stem"
                                 << "go"
                                 << "go";
        QTest::newRow("stem empty") << "stem"
                                    << ""
                                    << "";
        QTest::newRow("phrase is loaded") << "phrase"
                                          << "is loaded"
                                          << "IsLoaded";
        QTest::newRow("type word") << "type"
                                   << "open"
                                   << "int";
        QTest::newRow("type number") << "type"
                                     << "50"
                                     << "long";
        QTest::newRow("type decimal") << "type"
                                      << "2.5"
                                      << "double";
        QTest::newRow("type empty") << "type"
                                    << ""
                                    << "int";
    }

    void nameRules()
    {
        QFETCH(QString, rule);
        QFETCH(QString, input);
        QFETCH(QString, output);
        if (rule == "spaced")
            QCOMPARE(NameRules::spacedForm(input), output);
        else if (rule == "stem")
            QCOMPARE(NameRules::verbStem(input), output);
        else if (rule == "phrase")
            QCOMPARE(NameRules::capitalisedPhrase(input), output);
        else
            QCOMPARE(NameRules::valueDataType(input), output);
    }
};

QTEST_GUILESS_MAIN(DerivationTest)
#include "tst_derivation.moc"
