// The lists of the three browsing dialogs of the object model.

#include "generate/testmodel.h"
#include "inspect/modelbrowser.h"
#include "support/checkedvalue.h"

using namespace varn;
using namespace varn::inspect;
using varn::generate::test::TestModel;

Q_DECLARE_METATYPE(BrowserKind)

namespace {

// Truck, a kind of Vehicle with a sub-type, with attributes of every kind and
// two methods; Driver with nothing.
void buildModel(TestModel &m)
{
    const int vehicle = m.entity(QStringLiteral("Vehicle"));
    const int truck = m.entity(QStringLiteral("Truck"));
    m.entity(QStringLiteral("Driver"));
    m.entity(QStringLiteral("Engine"));
    m.base(QStringLiteral("Truck"), vehicle);
    m.base(QStringLiteral("Tipper_Truck"), truck);
    m.base(QStringLiteral("Box_Truck"), truck);
    m.attribute(truck, QStringLiteral("speed"), QStringLiteral("long"));
    m.values(m.attribute(truck, QStringLiteral("colour"), QStringLiteral("int")),
             {QStringLiteral("red")});
    m.pointer(truck, QStringLiteral("Driver"));
    m.part(truck, QStringLiteral("Engine"));
    m.method(truck, QStringLiteral("displaySpeed"));
    m.method(truck, QStringLiteral("arriveTruck"));
}

} // namespace

class ModelBrowserTest : public QObject
{
    Q_OBJECT

private slots:

    void lists_data()
    {
        QTest::addColumn<BrowserKind>("kind");
        QTest::addColumn<QString>("entity");
        QTest::addColumn<QList<QStringList>>("expected");
        QTest::newRow("types") << BrowserKind::Entities << "Truck"
                               << QList<QStringList>{{"Box_Truck", "Tipper_Truck"}};
        QTest::newRow("attributes")
            << BrowserKind::Attributes << "Truck"
            << QList<QStringList>{
                   {"int colour", "long speed"}, {"Driver driver;"}, {"Engine engine;"}};
        QTest::newRow("methods") << BrowserKind::Methods << "Truck"
                                 << QList<QStringList>{
                                        {"int arriveTruck();", "int displaySpeed();"}};
        QTest::newRow("no types") << BrowserKind::Entities << "Driver"
                                  << QList<QStringList>{{"None."}};
        QTest::newRow("no attributes") << BrowserKind::Attributes << "Driver"
                                       << QList<QStringList>{{"None."}, {"None."}, {"None."}};
        QTest::newRow("no methods")
            << BrowserKind::Methods << "Engine" << QList<QStringList>{{"None."}};
    }

    void lists()
    {
        QFETCH(BrowserKind, kind);
        QFETCH(QString, entity);
        QFETCH(QList<QStringList>, expected);
        TestModel model;
        QVERIFY(model.isValid());
        buildModel(model);
        const Result<QList<QStringList>> lists =
            ModelBrowser(model.connectionName()).resultLists(kind, entity);
        QVERIFY2(lists, qPrintable(lists.outcome().message()));
        QCOMPARE(lists.value(), expected);
        QCOMPARE(ModelBrowser::spec(kind).lists.size(), expected.size());
    }

    void entitiesSorted()
    {
        TestModel model;
        QVERIFY(model.isValid());
        buildModel(model);
        QCOMPARE(checkedValue(ModelBrowser(model.connectionName()).entityNames()),
                 (QStringList{"Driver", "Engine", "Truck", "Vehicle"}));
    }

    // A failed read names the record set it was reading.
    void failedReadNamesItsRecordSet_data()
    {
        QTest::addColumn<BrowserKind>("kind");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("message");
        QTest::newRow("types") << BrowserKind::Entities << "OM_INH"
                               << "Cannot open ReqInSet recordset.\nno such table: OM_INH";
        QTest::newRow("attributes") << BrowserKind::Attributes << "OM_ATTR"
                                    << "Cannot open ReqAtSet recordset.\nno such table: OM_ATTR";
        QTest::newRow("methods") << BrowserKind::Methods << "OM_METHOD"
                                 << "Cannot open ReqMeSet recordset.\nno such table: OM_METHOD";
    }

    void failedReadNamesItsRecordSet()
    {
        QFETCH(BrowserKind, kind);
        QFETCH(QString, table);
        QFETCH(QString, message);
        TestModel model;
        QVERIFY(model.isValid());
        buildModel(model);
        QVERIFY(model.exec(QStringLiteral("PRAGMA foreign_keys = OFF")));
        QVERIFY(model.exec(QStringLiteral("ALTER TABLE %1 RENAME TO gone").arg(table)));
        const Result<QList<QStringList>> lists =
            ModelBrowser(model.connectionName()).resultLists(kind, QStringLiteral("Truck"));
        QVERIFY(!lists);
        const Outcome &failure = lists.outcome();
        QVERIFY2(failure.message().startsWith(message), qPrintable(failure.message()));
        QCOMPARE(failure.kind(), MessageKind::Stop);
    }
};

QTEST_GUILESS_MAIN(ModelBrowserTest)
#include "tst_modelbrowser.moc"
