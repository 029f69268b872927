// The one reader of the object model: the orders and filters its callers
// rely on, the relations between entities, REQ_ENTITY's links, and where a
// failed read says it stopped.
#include "generate/testmodel.h"
#include "objmodel/objectmodelreader.h"

using namespace varn;
using namespace varn::objmodel;
using varn::generate::test::TestModel;
using Order = ObjectModelReader::Order;
using Attributes = ObjectModelReader::Attributes;
using Names = ObjectModelReader::Names;
using Relation = ObjectModelReader::Relation;

Q_DECLARE_METATYPE(Order)
Q_DECLARE_METATYPE(Attributes)
Q_DECLARE_METATYPE(Relation)

namespace {

// Truck (1) is a kind of Vehicle (2), holds a Driver (3) by pointer and an
// Engine (4) as a part; Depot (5) points to Truck; Fleet (6) holds Trucks as
// parts; Tanker (7) is a kind of Truck.
struct Fleet
{
    int truck, vehicle, driver, engine, depot, fleet, tanker;
};

Fleet buildFleet(TestModel &m)
{
    Fleet f{};
    f.truck = m.entity(QStringLiteral("Truck"));
    f.vehicle = m.entity(QStringLiteral("Vehicle"));
    f.driver = m.entity(QStringLiteral("Driver"));
    f.engine = m.entity(QStringLiteral("Engine"));
    f.depot = m.entity(QStringLiteral("Depot"));
    f.fleet = m.entity(QStringLiteral("Fleet"));
    f.tanker = m.entity(QStringLiteral("Tanker"));
    m.base(QStringLiteral("Truck"), f.vehicle);
    m.base(QStringLiteral("Tanker"), f.truck);
    m.pointer(f.truck, QStringLiteral("Driver"));
    m.part(f.truck, QStringLiteral("Engine"));
    m.pointer(f.depot, QStringLiteral("Truck"));
    m.part(f.fleet, QStringLiteral("Truck"));
    return f;
}

QStringList namesOf(const QList<ObjectModel::Attribute> &attributes)
{
    QStringList names;
    for (const ObjectModel::Attribute &attribute : attributes)
        names.append(attribute.name);
    return names;
}

// The value of a read that must succeed; a refused read fails the test with
// its message and stands in as an empty value.
template <typename T> T read(Result<T> result)
{
    if (!result.isOk()) {
        QTest::qFail(qPrintable(QStringLiteral("read refused: ") + result.outcome().message()),
                     __FILE__, __LINE__);
        return T{};
    }
    return result.takeValue();
}

} // namespace

class ObjectModelReaderTest : public QObject
{
    Q_OBJECT

private slots:
    void entityOrders_data()
    {
        QTest::addColumn<Order>("order");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("by key") << Order::Key << QStringList{"beta", "Alpha", "alpha", "Gamma"};
        QTest::newRow("by name") << Order::Name << QStringList{"Alpha", "Gamma", "alpha", "beta"};
        QTest::newRow("by name ignoring case")
            << Order::NameIgnoringCase << QStringList{"Alpha", "alpha", "beta", "Gamma"};
    }

    void entityOrders()
    {
        QFETCH(Order, order);
        QFETCH(QStringList, expected);
        TestModel model;
        QVERIFY(model.isValid());
        for (const char *name : {"beta", "Alpha", "alpha", "Gamma"})
            model.entity(QLatin1String(name));
        ObjectModelReader reader(model.connectionName());
        QCOMPARE(read(reader.entityNames(order)), expected);
        QStringList names;
        for (const ObjectModel::Entity &entity : read(reader.entities(order)))
            names.append(entity.name);
        QCOMPARE(names, expected);
    }

    void attributesByKindAndOrder_data()
    {
        QTest::addColumn<Attributes>("which");
        QTest::addColumn<Order>("order");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("all by key")
            << Attributes::All << Order::Key
            << QStringList{"speed", "Weight", "*pDriver", "colour", "&rEngine", "*pRadio", "axles"};
        QTest::newRow("all by type then name")
            << Attributes::All << Order::TypeThenName
            << QStringList{"Weight", "axles", "colour", "speed", "*pRadio", "*pDriver", "&rEngine"};
        QTest::newRow("data members by key") << Attributes::DataMembers << Order::Key
                                             << QStringList{"speed", "Weight", "colour", "axles"};
        QTest::newRow("data members by name ignoring case")
            << Attributes::DataMembers << Order::NameIgnoringCase
            << QStringList{"axles", "colour", "speed", "Weight"};
        QTest::newRow("pointers") << Attributes::Pointers << Order::NameIgnoringCase
                                  << QStringList{"*pDriver"};
        QTest::newRow("references")
            << Attributes::References << Order::Name << QStringList{"&rEngine"};
    }

    // A link typed in another case is still no data member, as the
    // record sets' LIKE has it.
    void attributesByKindAndOrder()
    {
        QFETCH(Attributes, which);
        QFETCH(Order, order);
        QFETCH(QStringList, expected);
        TestModel model;
        QVERIFY(model.isValid());
        const int truck = model.entity(QStringLiteral("Truck"));
        model.entity(QStringLiteral("Driver"));
        model.entity(QStringLiteral("Engine"));
        model.attribute(truck, QStringLiteral("speed"), QStringLiteral("long"));
        model.attribute(truck, QStringLiteral("Weight"), QStringLiteral("double"));
        model.pointer(truck, QStringLiteral("Driver"));
        model.attribute(truck, QStringLiteral("colour"), QStringLiteral("int"));
        model.part(truck, QStringLiteral("Engine"));
        model.attribute(truck, QStringLiteral("*pRadio"), QStringLiteral("Pointer"));
        model.attribute(truck, QStringLiteral("axles"), QStringLiteral("int"));
        model.attribute(model.entity(QStringLiteral("Bus")), QStringLiteral("seats"),
                        QStringLiteral("int"));
        const Result<QList<ObjectModel::Attribute>> read =
            ObjectModelReader(model.connectionName()).attributesOf(truck, which, order);
        QVERIFY2(read, qPrintable(read.outcome().message()));
        QCOMPARE(namesOf(read.value()), expected);
        for (const ObjectModel::Attribute &attribute : read.value())
            QCOMPARE(attribute.entityId, truck);
    }

    void relatedEntities_data()
    {
        QTest::addColumn<QString>("entity");
        QTest::addColumn<Relation>("relation");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("bases of Truck") << "Truck" << Relation::Bases << QStringList{"Vehicle"};
        QTest::newRow("kinds of Truck") << "Truck" << Relation::Kinds << QStringList{"Tanker"};
        QTest::newRow("wholes of Truck") << "Truck" << Relation::Wholes << QStringList{"Fleet"};
        QTest::newRow("wholes of Engine") << "Engine" << Relation::Wholes << QStringList{"Truck"};
        QTest::newRow("pointing to Truck")
            << "Truck" << Relation::PointingEntities << QStringList{"Depot"};
        QTest::newRow("pointing to Driver")
            << "Driver" << Relation::PointingEntities << QStringList{"Truck"};
        QTest::newRow("bases of Vehicle") << "Vehicle" << Relation::Bases << QStringList();
        QTest::newRow("kinds of Vehicle") << "Vehicle" << Relation::Kinds << QStringList{"Truck"};
    }

    void relatedEntities()
    {
        QFETCH(QString, entity);
        QFETCH(Relation, relation);
        QFETCH(QStringList, expected);
        TestModel model;
        QVERIFY(model.isValid());
        buildFleet(model);
        ObjectModelReader reader(model.connectionName());
        const std::optional<ObjectModel::Entity> found = read(reader.entityNamed(entity));
        QVERIFY(found);
        const Result<QList<qint32>> keys = reader.related(found->id, relation);
        QVERIFY2(keys, qPrintable(keys.outcome().message()));
        QStringList names;
        for (const qint32 key : keys.value())
            names.append(read(reader.entityName(key)));
        QCOMPARE(names, expected);
    }

    void membersOfAnEntity()
    {
        TestModel model;
        QVERIFY(model.isValid());
        const Fleet f = buildFleet(model);
        for (const char *method : {"stop", "Load", "arrive"})
            model.method(f.truck, QLatin1String(method));
        model.method(f.depot, QStringLiteral("open"));
        const int colour =
            model.attribute(f.truck, QStringLiteral("colour"), QStringLiteral("int"));
        model.values(colour,
                     {QStringLiteral("red"), QStringLiteral("Blue"), QStringLiteral("amber")});
        ObjectModelReader reader(model.connectionName());
        QCOMPARE(read(reader.namesOf(f.truck, Names::Methods, Order::Key)),
                 (QStringList{"stop", "Load", "arrive"}));
        QCOMPARE(read(reader.namesOf(f.truck, Names::Methods, Order::Name)),
                 (QStringList{"Load", "arrive", "stop"}));
        QCOMPARE(read(reader.namesOf(f.truck, Names::Methods, Order::NameIgnoringCase)),
                 (QStringList{"arrive", "Load", "stop"}));
        QCOMPARE(read(reader.possibleValuesOf(colour)), (QStringList{"amber", "Blue", "red"}));
        QCOMPARE(read(reader.namesOf(f.vehicle, Names::Types, Order::Key)), QStringList{"Truck"});
        QCOMPARE(read(reader.namesOf(f.truck, Names::Parts, Order::Key)), QStringList{"Engine"});
        QCOMPARE(read(reader.namesOf(f.depot, Names::Parts, Order::Key)), QStringList());
    }

    // Names are bound, never pasted; the lowest key wins a name held twice.
    void entitiesByNameAndKey()
    {
        TestModel model;
        QVERIFY(model.isValid());
        model.entity(QStringLiteral("Pilot's_Lounge"), 7);
        model.entity(QStringLiteral("Twin"), 9);
        model.entity(QStringLiteral("Twin"), 8);
        ObjectModelReader reader(model.connectionName());
        QCOMPARE(read(reader.entityNamed(QStringLiteral("Pilot's_Lounge")))
                     .value_or(ObjectModel::Entity{})
                     .id,
                 7);
        QCOMPARE(
            read(reader.entityNamed(QStringLiteral("Twin"))).value_or(ObjectModel::Entity{}).id, 8);
        QVERIFY(!read(reader.entityNamed(QStringLiteral("' OR 1=1 --"))));
        QCOMPARE(read(reader.entityName(9)), QStringLiteral("Twin"));
        QCOMPARE(read(reader.entityName(42)), QString());
    }

    void requirementLinks()
    {
        TestModel model;
        QVERIFY(model.isValid());
        const Fleet f = buildFleet(model);
        QVERIFY(model.exec(QStringLiteral("PRAGMA foreign_keys = OFF")));
        for (const QString &row : {QStringLiteral("1, 'trucks', 4, NULL, %1").arg(f.truck),
                                   QStringLiteral("2, 'truck', 4, NULL, %1").arg(f.truck),
                                   QStringLiteral("3, 'Driver', 4, NULL, %1").arg(f.driver),
                                   QStringLiteral("4, 'truck', NULL, 6, %1").arg(f.truck),
                                   QStringLiteral("5, '', NULL, 6, %1").arg(f.depot)})
            QVERIFY(model.exec(QStringLiteral("INSERT INTO REQ_ENTITY VALUES (%1)").arg(row)));
        ObjectModelReader reader(model.connectionName());
        QCOMPARE(read(reader.requirementsOfEntity(f.truck)), (QList<qint32>{4, 4, 6}));
        QCOMPARE(read(reader.requirementsOfEntity(f.engine)), QList<qint32>());
        QStringList linked;
        for (const ObjectModel::Entity &entity : read(reader.entitiesOfRequirement(4)))
            linked.append(entity.name);
        linked.sort();
        QCOMPARE(linked, (QStringList{"Driver", "Truck"}));
        QCOMPARE(read(reader.entitiesOfRequirement(6)).size(), 2);
        QCOMPARE(read(reader.requirementEntityNames()),
                 (QStringList{"", "Driver", "truck", "trucks"}));
    }

    void wholeModelInKeyOrder()
    {
        TestModel model;
        QVERIFY(model.isValid());
        const int b = model.entity(QStringLiteral("B"), 5);
        const int a = model.entity(QStringLiteral("A"), 2);
        model.attribute(b, QStringLiteral("y"), QStringLiteral("long"), 9);
        model.attribute(a, QStringLiteral("x"), QStringLiteral("long"), 3);
        const Result<ObjectModel> read =
            ObjectModelReader(model.connectionName())
                .readModel({ModelTable::Entity, ModelTable::Attribute});
        QVERIFY2(read, qPrintable(read.outcome().message()));
        QCOMPARE(read->entities().size(), 2);
        QCOMPARE(read->entities().first().name, QStringLiteral("A"));
        QCOMPARE(read->attributes().first().name, QStringLiteral("x"));
        QVERIFY(read->methods().isEmpty());
    }

    // The failure names the record set of the table that could not be read,
    // and a read that failed is prepared again, not remembered broken.
    void failedReadNamesItsTable_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("failedTable");
        QTest::addColumn<QString>("message");
        QTest::newRow("entities") << "OM_ENTITY" << int(ModelTable::Entity)
                                  << "Cannot open ReqOeSet recordset.\nno such table: OM_ENTITY";
        QTest::newRow("attributes") << "OM_ATTR" << int(ModelTable::Attribute)
                                    << "Cannot open ReqAtSet recordset.\nno such table: OM_ATTR";
        QTest::newRow("methods") << "OM_METHOD" << int(ModelTable::Method)
                                 << "Cannot open ReqMeSet recordset.\nno such table: OM_METHOD";
        QTest::newRow("values") << "OM_PV" << int(ModelTable::PossibleValue)
                                << "Cannot open ReqOmPvSet recordset.\nno such table: OM_PV";
    }

    void failedReadNamesItsTable()
    {
        QFETCH(QString, table);
        QFETCH(int, failedTable);
        QFETCH(QString, message);
        TestModel model;
        QVERIFY(model.isValid());
        buildFleet(model);
        QVERIFY(model.exec(QStringLiteral("PRAGMA foreign_keys = OFF")));
        const QList<ModelTable> every{ModelTable::Entity, ModelTable::Attribute, ModelTable::Method,
                                      ModelTable::PossibleValue};
        ObjectModelReader prepared(model.connectionName());
        QVERIFY(prepared.readModel(every));

        // One reader had its statements prepared before the table went, the
        // other prepares them while it is gone.
        ObjectModelReader fresh(model.connectionName());
        for (ObjectModelReader *reader : {&prepared, &fresh}) {
            QVERIFY(model.exec(QStringLiteral("ALTER TABLE %1 RENAME TO gone").arg(table)));
            const Result<ObjectModel> failed = reader->readModel(every);
            QVERIFY(!failed);
            QCOMPARE(failed.outcome().kind(), MessageKind::Stop);
            QVERIFY2(failed.outcome().message().startsWith(message),
                     qPrintable(failed.outcome().message()));
            const ModelReadFailure &failure = reader->lastFailure();
            QCOMPARE(int(failure.table), failedTable);
            QVERIFY(!failure.partWay);
            QVERIFY(failure.errorText.startsWith(QStringLiteral("no such table")));
            QVERIFY(failure.databaseText.startsWith(QStringLiteral("no such table")));

            QVERIFY(model.exec(QStringLiteral("ALTER TABLE gone RENAME TO %1").arg(table)));
            const Result<ObjectModel> again = reader->readModel(every);
            QVERIFY2(again, qPrintable(again.outcome().message()));
            QCOMPARE(again->entities().size(), 7);
        }
    }
};

QTEST_GUILESS_MAIN(ObjectModelReaderTest)
#include "tst_objectmodelreader.moc"
