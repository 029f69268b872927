// The data-model outline: a table's columns as the SQL module declares them.

#include "generate/testmodel.h"
#include "inspect/tableoutline.h"
#include "support/checkedvalue.h"

using namespace varn;
using namespace varn::inspect;
using varn::generate::test::TestModel;

namespace {

using Build = void (*)(TestModel &);

// "<picture letter> <text>", so that one list compares both.
QStringList shown(const QList<TableColumn> &columns)
{
    static const char kLetters[] = "TKcpri";
    QStringList lines;
    for (const TableColumn &column : columns)
        lines.append(QString(QLatin1Char(kLetters[int(column.image)])) + QLatin1Char(' ') +
                     column.text);
    return lines;
}

} // namespace

Q_DECLARE_METATYPE(Build)

class TableOutlineTest : public QObject
{
    Q_OBJECT

private slots:

    void columns_data()
    {
        QTest::addColumn<Build>("build");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("key only") << Build([](TestModel &m) {
            m.entity(QStringLiteral("Truck"), 7);
        }) << QStringList{"K PKID_Entity7 : long"};
        QTest::newRow("simple attributes; int is short, links have no column")
            << Build([](TestModel &m) {
                   const int truck = m.entity(QStringLiteral("Truck"));
                   m.entity(QStringLiteral("Engine"));
                   m.attribute(truck, QStringLiteral("speed"), QStringLiteral("long"));
                   m.attribute(truck, QStringLiteral("load"), QStringLiteral("int"));
                   m.attribute(truck, QStringLiteral("weight"), QStringLiteral("double"));
                   m.pointer(truck, QStringLiteral("Engine"));
                   m.part(truck, QStringLiteral("Engine"));
               })
            << QStringList{"K PKID_Entity1 : long", "c weight : double", "c load : short",
                           "c speed : long"};
        QTest::newRow("pointed to by two, part of one, kind of one")
            << Build([](TestModel &m) {
                   const int truck = m.entity(QStringLiteral("Truck"));
                   const int depot = m.entity(QStringLiteral("Depot"));
                   const int fleet = m.entity(QStringLiteral("Fleet"));
                   const int vehicle = m.entity(QStringLiteral("Vehicle"));
                   m.pointer(depot, QStringLiteral("Truck"));
                   m.pointer(fleet, QStringLiteral("Truck"));
                   m.part(fleet, QStringLiteral("Truck"));
                   m.base(QStringLiteral("Truck"), vehicle);
                   Q_UNUSED(truck);
               })
            << QStringList{"K PKID_Entity1 : long", "p FKp_Depot : long", "p FKp_Fleet : long",
                           "r FKr_Fleet : long", "i FKi_Vehicle : long"};
    }

    void columns()
    {
        QFETCH(Build, build);
        QFETCH(QStringList, expected);
        TestModel model;
        QVERIFY(model.isValid());
        build(model);
        const TableColumns columns =
            TableOutline(model.connectionName()).columnsOf(QStringLiteral("Truck"));
        QVERIFY2(columns.problem, qPrintable(columns.problem.message()));
        QCOMPARE(shown(columns.columns), expected);
    }

    void tablesOrMessage()
    {
        TestModel model;
        QVERIFY(model.isValid());
        const TableOutline outline(model.connectionName());
        QCOMPARE(outline.tableNames().outcome().message(),
                 QStringLiteral("There are no requirements for the current system. To view your "
                                "data model,\ncreate at least one functional or structural "
                                "requirement."));
        model.entity(QStringLiteral("Truck"));
        model.entity(QStringLiteral("Driver"));
        QCOMPARE(checkedValue(outline.tableNames()), (QStringList{"Truck", "Driver"}));
        QVERIFY(outline.columnsOf(QStringLiteral("Lorry")).columns.isEmpty());
    }

    // A failed read shows its message; what was read before it stays.
    void failedReadKeepsWhatWasRead()
    {
        TestModel model;
        QVERIFY(model.isValid());
        model.attribute(model.entity(QStringLiteral("Truck")), QStringLiteral("speed"),
                        QStringLiteral("long"));
        QVERIFY(model.exec(QStringLiteral("ALTER TABLE OM_AGG RENAME TO OM_AGG_GONE")));
        const TableColumns columns =
            TableOutline(model.connectionName()).columnsOf(QStringLiteral("Truck"));
        QVERIFY(columns.problem.message().startsWith(
            QStringLiteral("Cannot open ReqAgSet recordset.\nno such table: OM_AGG")));
        QCOMPARE(shown(columns.columns), (QStringList{"K PKID_Entity1 : long", "c speed : long"}));
    }
};

QTEST_GUILESS_MAIN(TableOutlineTest)
#include "tst_tableoutline.moc"
