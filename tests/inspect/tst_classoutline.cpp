// The class outline of the object-model tree: the member lines of an entity
// in C++ and Java, the values of an enumeration, and database failures.

#include "generate/testmodel.h"
#include "inspect/classoutline.h"
#include "support/checkedvalue.h"

using namespace varn;
using namespace varn::inspect;
using varn::generate::test::TestModel;

namespace {

using Build = void (*)(TestModel &);

// "<picture letter> <text>", so that one list compares both.
QStringList shown(const QList<OutlineNode> &nodes)
{
    static const char kLetters[] = "CfmprvE";
    QStringList lines;
    for (const OutlineNode &node : nodes)
        lines.append(QString(QLatin1Char(kLetters[int(node.image)])) + QLatin1Char(' ') +
                     node.text + (node.expandable ? QStringLiteral(" +") : QString()));
    return lines;
}

// Truck with one attribute of every kind and a method.
void buildTruck(TestModel &m)
{
    const int truck = m.entity(QStringLiteral("Truck"));
    m.entity(QStringLiteral("Driver"));
    m.entity(QStringLiteral("Engine"));
    m.attribute(truck, QStringLiteral("speed"), QStringLiteral("long"));
    m.attribute(truck, QStringLiteral("weight"), QStringLiteral("double"));
    m.attribute(truck, QStringLiteral("load"), QStringLiteral("int"));
    m.values(m.attribute(truck, QStringLiteral("colour"), QStringLiteral("int")),
             {QStringLiteral("red"), QStringLiteral("green")});
    m.pointer(truck, QStringLiteral("Driver"));
    m.part(truck, QStringLiteral("Engine"));
    m.method(truck, QStringLiteral("displaySpeed"));
}

// Names the class files write otherwise than the model holds them.
void buildAwkward(TestModel &m)
{
    const int truck = m.entity(QStringLiteral("Truck"));
    m.entity(QStringLiteral("Engine"));
    m.values(m.attribute(truck, QStringLiteral("flash-rate"), QStringLiteral("int")),
             {QStringLiteral("true"), QStringLiteral("dark red")});
    m.attribute(truck, QStringLiteral("speed"), QStringLiteral("long"));
    m.method(truck, QStringLiteral("getSpeed"));
    m.pointer(truck, QStringLiteral("Engine"));
    m.part(truck, QStringLiteral("Engine"));
}

} // namespace

Q_DECLARE_METATYPE(Build)
Q_DECLARE_METATYPE(OutlineLanguage)

class ClassOutlineTest : public QObject
{
    Q_OBJECT

private slots:

    void members_data()
    {
        QTest::addColumn<Build>("build");
        QTest::addColumn<OutlineLanguage>("language");
        QTest::addColumn<QStringList>("expected");

        const Build empty = [](TestModel &m) { m.entity(QStringLiteral("Truck")); };
        QTest::newRow("no members, C++")
            << empty << OutlineLanguage::Cpp << QStringList{"f Truck();"};
        QTest::newRow("no members, Java") << empty << OutlineLanguage::Java << QStringList();

        const Build status = [](TestModel &m) {
            m.values(m.attribute(m.entity(QStringLiteral("Truck")), QStringLiteral("status"),
                                 QStringLiteral("int")),
                     {QStringLiteral("on"), QStringLiteral("off")});
        };
        QTest::newRow("enumeration, C++")
            << status << OutlineLanguage::Cpp
            << QStringList{"E enum Status +", "f Status getStatus();", "f void setStatus(Status);",
                           "f Truck();",      "f Truck(Status);",      "m Status _Status;"};
        QTest::newRow("enumeration, Java")
            << status << OutlineLanguage::Java
            << QStringList{"E enum Status +", "f Status getStatus()",
                           "f void setStatus(Status inStatus)", "m Status status;"};

        // Attributes come sorted by type, then name: double, int, long,
        // pointer, reference. Members list longs before doubles.
        QTest::newRow("every kind, C++") << Build(buildTruck) << OutlineLanguage::Cpp
                                         << QStringList{"E enum Colour +",
                                                        "f Colour getColour();",
                                                        "f void setColour(Colour);",
                                                        "f int getLoad();",
                                                        "f void setLoad(int);",
                                                        "f double getWeight();",
                                                        "f void setWeight(double);",
                                                        "f long getSpeed();",
                                                        "f void setSpeed(long);",
                                                        "f int displaySpeed();",
                                                        "f Truck();",
                                                        "f Truck(Colour, int, double, long);",
                                                        "f ~Truck();",
                                                        "m Colour _Colour;",
                                                        "m int load;",
                                                        "m long speed;",
                                                        "m double weight;",
                                                        "p Driver *pDriver;",
                                                        "r Engine &rEngine;"};
        QTest::newRow("every kind, Java") << Build(buildTruck) << OutlineLanguage::Java
                                          << QStringList{"E enum Colour +",
                                                         "f Colour getColour()",
                                                         "f void setColour(Colour inColour)",
                                                         "f int getLoad()",
                                                         "f void setLoad(int inLoad)",
                                                         "f double getWeight()",
                                                         "f void setWeight(double inWeight)",
                                                         "f long getSpeed()",
                                                         "f void setSpeed(long inSpeed)",
                                                         "f int displaySpeed()",
                                                         "m Colour colour;",
                                                         "m int load;",
                                                         "m long speed;",
                                                         "m double weight;",
                                                         "p Driver driver;",
                                                         "r Engine engine;"};
        // The outline shows the names of the generated files.
        QTest::newRow("names as the files write them, C++")
            << Build(buildAwkward) << OutlineLanguage::Cpp
            << QStringList{"E enum Flash_x002D_rate +",
                           "f Flash_x002D_rate getFlash_x002D_rate();",
                           "f void setFlash_x002D_rate(Flash_x002D_rate);",
                           "f long getSpeed();",
                           "f void setSpeed(long);",
                           "f Truck();",
                           "f Truck(Flash_x002D_rate, long);",
                           "f ~Truck();",
                           "m Flash_x002D_rate _Flash_x002D_rate;",
                           "m long speed;",
                           "p Engine *pEngine;",
                           "r Engine &rEngine;"};
        QTest::newRow("names as the files write them, Java")
            << Build(buildAwkward) << OutlineLanguage::Java
            << QStringList{"E enum Flash_x002D_rate +",
                           "f Flash_x002D_rate getFlash_x002D_rate()",
                           "f void setFlash_x002D_rate(Flash_x002D_rate inFlash_x002D_rate)",
                           "f long getSpeed()",
                           "f void setSpeed(long inSpeed)",
                           "m Flash_x002D_rate flash_x002D_rate;",
                           "m long speed;",
                           "p Engine engine;",
                           "r Engine engine_2;"};
        QTest::newRow("unknown entity") << empty << OutlineLanguage::Cpp << QStringList();
    }

    void members()
    {
        QFETCH(Build, build);
        QFETCH(OutlineLanguage, language);
        QFETCH(QStringList, expected);
        TestModel model;
        QVERIFY(model.isValid());
        build(model);
        const QString entity = QString::fromLatin1(QTest::currentDataTag()).startsWith("unknown")
                                   ? QStringLiteral("Lorry")
                                   : QStringLiteral("Truck");
        const Outline outline = ClassOutline(model.connectionName()).membersOf(entity, language);
        QVERIFY2(outline.problem, qPrintable(outline.problem.message()));
        QCOMPARE(shown(outline.nodes), expected);
    }

    void enumerationValuesInValueOrder()
    {
        TestModel model;
        QVERIFY(model.isValid());
        buildTruck(model);
        const ClassOutline outline(model.connectionName());
        const Outline values =
            outline.enumerationValues(QStringLiteral("Truck"), QStringLiteral("enum Colour"));
        QVERIFY(values.problem);
        QCOMPARE(shown(values.nodes), (QStringList{"v green", "v red"}));
        QVERIFY(outline.enumerationValues(QStringLiteral("Driver"), QStringLiteral("enum Colour"))
                    .nodes.isEmpty());

        TestModel awkward;
        QVERIFY(awkward.isValid());
        buildAwkward(awkward);
        QCOMPARE(shown(ClassOutline(awkward.connectionName())
                           .enumerationValues(QStringLiteral("Truck"),
                                              QStringLiteral("enum Flash_x002D_rate"))
                           .nodes),
                 (QStringList{"v dark_x0020_red", "v true_"}));
    }

    void entitiesInTableOrder()
    {
        TestModel model;
        QVERIFY(model.isValid());
        const ClassOutline outline(model.connectionName());
        const Result<QStringList> none = outline.entityNames();
        QVERIFY(!none);
        QCOMPARE(none.outcome().message(),
                 QStringLiteral("There are no requirements for the current system. To view your "
                                "object model,\ncreate at least one functional or structural "
                                "requirement."));
        buildTruck(model);
        QCOMPARE(checkedValue(outline.entityNames()), (QStringList{"Truck", "Driver", "Engine"}));
    }

    // A failed read shows its message; what was read before it stays.
    void failedReadKeepsWhatWasRead()
    {
        TestModel model;
        QVERIFY(model.isValid());
        buildTruck(model);
        QVERIFY(model.exec(QStringLiteral("ALTER TABLE OM_METHOD RENAME TO OM_METHOD_GONE")));
        const Outline outline = ClassOutline(model.connectionName())
                                    .membersOf(QStringLiteral("Truck"), OutlineLanguage::Cpp);
        QVERIFY(!outline.problem);
        QCOMPARE(outline.problem.kind(), MessageKind::Stop);
        QVERIFY2(outline.problem.message().startsWith(
                     QStringLiteral("Cannot open ReqMeSet recordset.\nno such table")),
                 qPrintable(outline.problem.message()));
        QCOMPARE(outline.nodes.size(), 9); // the enumeration and the eight accessors
    }
};

QTEST_GUILESS_MAIN(ClassOutlineTest)
#include "tst_classoutline.moc"
