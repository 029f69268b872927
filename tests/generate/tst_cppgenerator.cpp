// C++ headers: the exact text in verbose and plain form, one file per entity,
// folder handling, and the system compiler's verdict on each header.

#include "generate/modelgenerator.h"
#include "outputtools.h"
#include "testmodel.h"

using namespace varn;
using namespace varn::generate;
using namespace varn::generate::test;

namespace {

const QString kSystem = QStringLiteral("Acme Telecom");
using Build = void (*)(TestModel &);

Result<GeneratedFiles> generateCpp(TestModel &model, bool verbose)
{
    return ModelGenerator::generate(GeneratorKind::Cpp, model.connectionName(),
                                    {model.installPath(), kSystem, verbose});
}

QString cppFolder(const TestModel &model)
{
    return ModelGenerator::outputFolder(GeneratorKind::Cpp, model.installPath(), kSystem);
}

// Truck, a kind of Vehicle, with an enumerated colour, a speed, a pointer to
// its driver and one derived method.
void buildTruck(TestModel &m)
{
    const int vehicle = m.entity(QStringLiteral("Vehicle"));
    const int truck = m.entity(QStringLiteral("Truck"));
    m.entity(QStringLiteral("Driver"));
    m.base(QStringLiteral("Truck"), vehicle);
    m.values(m.attribute(truck, QStringLiteral("colour"), QStringLiteral("int")),
             {QStringLiteral("red"), QStringLiteral("green")});
    m.attribute(truck, QStringLiteral("speed"), QStringLiteral("long"));
    m.pointer(truck, QStringLiteral("Driver"));
    m.method(truck, QStringLiteral("displaySpeed"));
}

// The lines of one form of a header written as those of another: the lines
// from `first` up to (not including) `next` are left out, and `added` is put
// before `next`. A missing anchor shows in the comparison.
QStringList edited(QStringList lines, const QString &first, const QString &next,
                   const QStringList &added = {})
{
    const qsizetype from = first.isEmpty() ? lines.indexOf(next) : lines.indexOf(first);
    const qsizetype to = lines.indexOf(next, from);
    if (from < 0 || to < 0)
        return {QStringLiteral("<no lines %1 .. %2>").arg(first, next)};
    lines.remove(from, to - from);
    for (qsizetype i = 0; i < added.size(); ++i)
        lines.insert(from + i, added[i]);
    return lines;
}

// The constructors and destructor verbose headers add before "private:".
QStringList lifetime(const QString &entity, bool destructor)
{
    QStringList lines = {QStringLiteral("    //Constructors"), QString(),
                         QStringLiteral("    %1();").arg(entity), QString()};
    if (destructor)
        lines << QStringLiteral("    //Destructor") << QString()
              << QStringLiteral("    ~%1();").arg(entity) << QString();
    return lines;
}

} // namespace

Q_DECLARE_METATYPE(Build)

class TestCppGenerator : public QObject
{
    Q_OBJECT

private slots:

    void headerText_data();
    void headerText();
    void filesPerEntity();
    void emptyModelKeepsOldFiles();
    void writeFailureLeavesNoPartialFile();
    void unusableEntityName();
    void compilerAcceptsHeaders_data();
    void compilerAcceptsHeaders();
    void awkwardModelsCompile_data();
    void awkwardModelsCompile();
};

void TestCppGenerator::headerText_data()
{
    QTest::addColumn<Build>("build");
    QTest::addColumn<QString>("entity");
    QTest::addColumn<bool>("verbose");
    QTest::addColumn<QStringList>("lines");

    const QStringList truck = {
        QStringLiteral("#include \"Vehicle.h\""),
        QStringLiteral("#include \"Driver.h\""),
        QString(),
        QStringLiteral("class Driver;"),
        QString(),
        QStringLiteral("class Truck : public Vehicle"),
        QStringLiteral("{"),
        QStringLiteral("  public:"),
        QString(),
        QStringLiteral("    enum Colour"),
        QStringLiteral("    {"),
        QStringLiteral("      red,"),
        QStringLiteral("      green"),
        QStringLiteral("    };"),
        QString(),
        QStringLiteral("    Colour getColour();"),
        QStringLiteral("    void setColour(Colour);"),
        QString(),
        QStringLiteral("    long getSpeed();"),
        QStringLiteral("    void setSpeed(long);"),
        QString(),
        QStringLiteral("    //Derived Methods"),
        QString(),
        QStringLiteral("    int displaySpeed();"),
        QString(),
        QStringLiteral("    //Constructors"),
        QString(),
        QStringLiteral("    Truck();"),
        QStringLiteral("    Truck(Colour, long);"),
        QString(),
        QStringLiteral("    //Destructor"),
        QString(),
        QStringLiteral("    ~Truck();"),
        QString(),
        QStringLiteral("  private:"),
        QString(),
        QStringLiteral("    Colour _Colour;"),
        QStringLiteral("    long speed;"),
        QStringLiteral("    Driver *pDriver;"),
        QStringLiteral("};"),
    };
    QTest::newRow("Truck verbose") << Build(buildTruck) << QStringLiteral("Truck") << true << truck;
    QTest::newRow("Truck plain") << Build(buildTruck) << QStringLiteral("Truck") << false
                                 << edited(edited(edited(truck, QStringLiteral("    enum Colour"),
                                                         QStringLiteral("    long getSpeed();")),
                                                  QStringLiteral("    //Constructors"),
                                                  QStringLiteral("  private:")),
                                           QStringLiteral("    Colour _Colour;"),
                                           QStringLiteral("    long speed;"),
                                           {QStringLiteral("    int colour;")});
    const Build lonely = [](TestModel &m) { m.entity(QStringLiteral("Lonely")); };
    const QStringList lonelyLines = {
        QStringLiteral("class Lonely"), QStringLiteral("{"), QStringLiteral("  public:"), QString(),
        QStringLiteral("  private:"),   QString(),           QStringLiteral("};"),
    };
    QTest::newRow("empty entity verbose")
        << lonely << QStringLiteral("Lonely") << true
        << edited(lonelyLines, QString(), QStringLiteral("  private:"), lifetime("Lonely", false));
    QTest::newRow("empty entity plain")
        << lonely << QStringLiteral("Lonely") << false << QStringList(lonelyLines);

    // Every scalar kind: the constructor takes one parameter per accessor, in
    // accessor order (enumerations, ints, then double before long).
    const Build scalars = [](TestModel &m) {
        const int truck = m.entity(QStringLiteral("Truck"));
        m.attribute(truck, QStringLiteral("speed"), QStringLiteral("long"));
        m.attribute(truck, QStringLiteral("weight"), QStringLiteral("double"));
        m.attribute(truck, QStringLiteral("load"), QStringLiteral("int"));
        m.values(m.attribute(truck, QStringLiteral("colour"), QStringLiteral("int")),
                 {QStringLiteral("red"), QStringLiteral("green"), QStringLiteral("blue")});
        m.part(truck, QStringLiteral("Engine"));
        m.entity(QStringLiteral("Engine"));
    };
    QTest::newRow("constructor parameters")
        << scalars << QStringLiteral("Truck") << true
        << QStringList{
               QStringLiteral("#include \"Engine.h\""),
               QString(),
               QStringLiteral("class Engine;"),
               QString(),
               QStringLiteral("class Truck"),
               QStringLiteral("{"),
               QStringLiteral("  public:"),
               QString(),
               QStringLiteral("    enum Colour"),
               QStringLiteral("    {"),
               QStringLiteral("      red,"),
               QStringLiteral("      green,"),
               QStringLiteral("      blue"),
               QStringLiteral("    };"),
               QString(),
               QStringLiteral("    Colour getColour();"),
               QStringLiteral("    void setColour(Colour);"),
               QString(),
               QStringLiteral("    int getLoad();"),
               QStringLiteral("    void setLoad(int);"),
               QString(),
               QStringLiteral("    double getWeight();"),
               QStringLiteral("    void setWeight(double);"),
               QString(),
               QStringLiteral("    long getSpeed();"),
               QStringLiteral("    void setSpeed(long);"),
               QString(),
               QStringLiteral("    //Constructors"),
               QString(),
               QStringLiteral("    Truck();"),
               QStringLiteral("    Truck(Colour, int, double, long);"),
               QString(),
               QStringLiteral("  private:"),
               QString(),
               QStringLiteral("    Colour _Colour;"),
               QStringLiteral("    int load;"),
               QStringLiteral("    double weight;"),
               QStringLiteral("    long speed;"),
               QStringLiteral("    Engine &rEngine;"),
               QStringLiteral("};"),
           };

    // Includes follow the attribute names ("&r" sorts before "*p"), a class
    // named twice is included twice; members follow data type, then name.
    const Build links = [](TestModel &m) {
        const int cart = m.entity(QStringLiteral("Cart"));
        m.pointer(cart, QStringLiteral("Engine"));
        m.pointer(cart, QStringLiteral("axle"));
        m.part(cart, QStringLiteral("Engine"));
        m.method(cart, QStringLiteral("Stop"));
        m.method(cart, QStringLiteral("move"));
        m.method(cart, QStringLiteral("getEngine"));
        m.entity(QStringLiteral("Engine"));
        m.entity(QStringLiteral("axle"));
    };
    const QStringList cart = {
        QStringLiteral("#include \"Engine.h\""),
        QStringLiteral("#include \"axle.h\""),
        QStringLiteral("#include \"Engine.h\""),
        QString(),
        QStringLiteral("class Engine;"),
        QStringLiteral("class axle;"),
        QString(),
        QStringLiteral("class Cart"),
        QStringLiteral("{"),
        QStringLiteral("  public:"),
        QString(),
        QStringLiteral("    //Derived Methods"),
        QString(),
        QStringLiteral("    int getEngine();"),
        QStringLiteral("    int move();"),
        QStringLiteral("    int Stop();"),
        QString(),
        QStringLiteral("  private:"),
        QString(),
        QStringLiteral("    axle *paxle;"),
        QStringLiteral("    Engine *pEngine;"),
        QStringLiteral("    Engine &rEngine;"),
        QStringLiteral("};"),
    };
    QTest::newRow("includes and members") << links << QStringLiteral("Cart") << false << cart;
    QTest::newRow("destructor with pointers only")
        << links << QStringLiteral("Cart") << true
        << edited(cart, QString(), QStringLiteral("  private:"), lifetime("Cart", true));
}

void TestCppGenerator::headerText()
{
    QFETCH(Build, build);
    QFETCH(QString, entity);
    QFETCH(bool, verbose);
    QFETCH(QStringList, lines);
    TestModel model;
    QVERIFY(model.isValid());
    build(model);
    const Result<GeneratedFiles> result = generateCpp(model, verbose);
    QVERIFY2(result.isOk(), qPrintable(result.outcome().message()));
    const QByteArray bytes =
        readText(cppFolder(model) + QLatin1Char('/') + entity + QStringLiteral(".h")).toUtf8();
    QVERIFY(sameLines(QString::fromUtf8(bytes), cppBanner(entity) + lines + cppEnd()));
}

void TestCppGenerator::filesPerEntity()
{
    TestModel model;
    QVERIFY(model.isValid());
    buildWorkedExamples(model);
    const QString folder = cppFolder(model);
    writeEarlierRun(folder, {QStringLiteral("Removed.h"), QStringLiteral("Truck.h")}, "x7k2q9");
    writeText(folder + QStringLiteral("/notes.hpp"), "keep");
    writeText(folder + QStringLiteral("/.Removed.h.varn-partial-x7k2q9"), "left by a killed run");
    const Result<GeneratedFiles> result = generateCpp(model, true);
    QVERIFY2(result.isOk(), qPrintable(result.outcome().message()));
    QCOMPARE(result->folder,
             model.tempPath() + QStringLiteral("/User Files/Acme Telecom C++ Files"));
    const QStringList expected = {
        QStringLiteral("Truck.h"),      QStringLiteral("Driver.h"),
        QStringLiteral("Engine.h"),     QStringLiteral("Delivery_Truck.h"),
        QStringLiteral("Dispatcher.h"), QStringLiteral("Operator.h"),
    };
    QCOMPARE(result->files, expected);
    QStringList onDisk =
        expected + QStringList{QStringLiteral("notes.hpp"), QStringLiteral(".varn-generated")};
    onDisk.sort();
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name), onDisk);
    QVERIFY(readText(folder + QStringLiteral("/Truck.h")).startsWith(QStringLiteral("//////")));
}

void TestCppGenerator::emptyModelKeepsOldFiles()
{
    TestModel model;
    QVERIFY(model.isValid());
    writeText(cppFolder(model) + QStringLiteral("/Truck.h"), "old");
    const Result<GeneratedFiles> result = generateCpp(model, false);
    QVERIFY(!result.isOk());
    QVERIFY(result.outcome().message().startsWith(
        QStringLiteral("There are no records in the OM_Entity table.")));
    QCOMPARE(readText(cppFolder(model) + QStringLiteral("/Truck.h")), QStringLiteral("old"));
}

// A folder stands where Truck.h is to go: the files before it stay, no
// temporary file is left behind, and generation stops there.
void TestCppGenerator::writeFailureLeavesNoPartialFile()
{
    TestModel model;
    QVERIFY(model.isValid());
    for (const char *name : {"Alpha", "Truck", "Zed"})
        model.entity(QLatin1String(name));
    const QString folder = cppFolder(model);
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/Truck.h")));
    const Result<GeneratedFiles> result = generateCpp(model, false);
    QVERIFY(!result.isOk());
    QCOMPARE(result.outcome().kind(), MessageKind::Stop);
    QVERIFY2(result.outcome().message().startsWith(QStringLiteral("Cannot write the file ") +
                                                   folder + QStringLiteral("/Truck.h.\n")),
             qPrintable(result.outcome().message()));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
             QStringList({QStringLiteral(".varn-generated"), QStringLiteral("Alpha.h")}));
}

// An entity name becomes a file name as the class name is written, so one
// holding separators stays inside the folder.
void TestCppGenerator::unusableEntityName()
{
    TestModel model;
    QVERIFY(model.isValid());
    model.entity(QStringLiteral("../../Display/printTruckTimer"));
    const Result<GeneratedFiles> result = generateCpp(model, false);
    QVERIFY2(result.isOk(), qPrintable(result.outcome().message()));
    QCOMPARE(result->files,
             QStringList{QStringLiteral("_x002E__x002E__x002F__x002E__x002E__x002F_Display_x002F_"
                                        "printTruckTimer.h")});
    QVERIFY(QFile::exists(QDir(result->folder).filePath(result->files.first())));
    QVERIFY(!QFile::exists(model.tempPath() + QStringLiteral("/Display")));
}

void TestCppGenerator::compilerAcceptsHeaders_data()
{
    QTest::addColumn<bool>("verbose");
    QTest::newRow("verbose") << true;
    QTest::newRow("plain") << false;
}

void TestCppGenerator::compilerAcceptsHeaders()
{
    QFETCH(bool, verbose);
    const QString compilerPath = cppCompiler();
    if (compilerPath.isEmpty())
        QSKIP("No C++ compiler (c++, g++ or clang++) on PATH.");
    TestModel model;
    QVERIFY(model.isValid());
    buildWorkedExamples(model);
    const Result<GeneratedFiles> result = generateCpp(model, verbose);
    QVERIFY2(result.isOk(), qPrintable(result.outcome().message()));
    const QString found = headerComplaints(compilerPath, result->folder, result->files);
    QVERIFY2(found.isEmpty(), qPrintable(found));
}

// Models whose names or links would not compile if written as they stand:
// each header compiles on its own and with the others, and shows the line
// that makes it so.
void TestCppGenerator::awkwardModelsCompile_data()
{
    QTest::addColumn<Build>("build");
    QTest::addColumn<QString>("header");
    QTest::addColumn<bool>("verbose");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("possible value with a blank") << Build([](TestModel &m) {
        m.values(m.attribute(m.entity(QStringLiteral("Truck")), QStringLiteral("colour"),
                             QStringLiteral("int")),
                 {QStringLiteral("dark red"), QStringLiteral("green")});
    }) << QStringLiteral("Truck.h") << true << QStringList{QStringLiteral("      dark_x0020_red,")};
    QTest::newRow("possible value with a hyphen") << Build([](TestModel &m) {
        m.values(m.attribute(m.entity(QStringLiteral("Link")), QStringLiteral("mode"),
                             QStringLiteral("int")),
                 {QStringLiteral("on-line"), QStringLiteral("off-line")});
    }) << QStringLiteral("Link.h") << true << QStringList{QStringLiteral("      on_x002D_line,")};
    QTest::newRow("possible values true and false")
        << Build([](TestModel &m) {
               m.values(m.attribute(m.entity(QStringLiteral("Door")), QStringLiteral("locked"),
                                    QStringLiteral("int")),
                        {QStringLiteral("true"), QStringLiteral("false")});
           })
        << QStringLiteral("Door.h") << true
        << QStringList{QStringLiteral("      true_,"), QStringLiteral("      false_")};
    QTest::newRow("one value in two enumerations of a class")
        << Build([](TestModel &m) {
               const int cab = m.entity(QStringLiteral("Cab"));
               m.values(m.attribute(cab, QStringLiteral("door"), QStringLiteral("int")),
                        {QStringLiteral("open"), QStringLiteral("closed")});
               m.values(m.attribute(cab, QStringLiteral("window"), QStringLiteral("int")),
                        {QStringLiteral("open"), QStringLiteral("closed")});
           })
        << QStringLiteral("Cab.h") << true
        << QStringList{QStringLiteral("      open_2,"), QStringLiteral("      closed_2")};
    QTest::newRow("derived get method beside a long accessor") << Build([](TestModel &m) {
        const int truck = m.entity(QStringLiteral("Truck"));
        m.attribute(truck, QStringLiteral("speed"), QStringLiteral("long"));
        m.method(truck, QStringLiteral("getSpeed"));
    }) << QStringLiteral("Truck.h") << false << QStringList{QStringLiteral("    long getSpeed();")};
    QTest::newRow("state attribute and its getIs method") << Build([](TestModel &m) {
        const int valve = m.entity(QStringLiteral("Valve"));
        m.attribute(valve, QStringLiteral("isOpen"), QStringLiteral("int"));
        m.method(valve, QStringLiteral("getIsOpen"));
    }) << QStringLiteral("Valve.h") << true << QStringList{QStringLiteral("    int getIsOpen();")};
    QTest::newRow("attribute named after its class")
        << Build([](TestModel &m) {
               const int truck = m.entity(QStringLiteral("Truck"));
               m.values(m.attribute(truck, QStringLiteral("truck"), QStringLiteral("int")),
                        {QStringLiteral("small"), QStringLiteral("large")});
           })
        << QStringLiteral("Truck.h") << true
        << QStringList{QStringLiteral("    enum Truck_2"), QStringLiteral("    Truck_2 _Truck_2;")};
    QTest::newRow("timer and entity pointing at each other")
        << Build([](TestModel &m) {
               const int truck = m.entity(QStringLiteral("Truck"));
               const int timer = m.entity(QStringLiteral("DisplayTruckTimer"));
               m.pointer(truck, QStringLiteral("DisplayTruckTimer"));
               m.pointer(timer, QStringLiteral("Truck"));
           })
        << QStringLiteral("Truck.h") << false
        << QStringList{QStringLiteral("#include \"DisplayTruckTimer.h\""),
                       QStringLiteral("class DisplayTruckTimer;")};
    QTest::newRow("two included classes including a third")
        << Build([](TestModel &m) {
               const int truck = m.entity(QStringLiteral("Truck"));
               const int driver = m.entity(QStringLiteral("Driver"));
               const int dispatcher = m.entity(QStringLiteral("Dispatcher"));
               m.entity(QStringLiteral("Route"));
               m.pointer(truck, QStringLiteral("Driver"));
               m.pointer(truck, QStringLiteral("Dispatcher"));
               m.pointer(driver, QStringLiteral("Route"));
               m.pointer(dispatcher, QStringLiteral("Route"));
           })
        << QStringLiteral("Truck.h") << false
        << QStringList{QStringLiteral("#include \"Dispatcher.h\"")};
    QTest::newRow("entity name with a hyphen")
        << Build([](TestModel &m) { m.entity(QStringLiteral("E-mail")); })
        << QStringLiteral("E_x002D_mail.h") << false
        << QStringList{QStringLiteral("class E_x002D_mail")};
    QTest::newRow("pointer to no class of the model")
        << Build([](TestModel &m) {
               m.pointer(m.entity(QStringLiteral("Cart")), QStringLiteral("Ghost"));
           })
        << QStringLiteral("Cart.h") << false
        << QStringList{QStringLiteral("class Ghost;"), QStringLiteral("    Ghost *pGhost;")};
    QTest::newRow("bases leading back to the start") << Build([](TestModel &m) {
        const int a = m.entity(QStringLiteral("A"));
        const int b = m.entity(QStringLiteral("B"));
        m.base(QStringLiteral("A"), b);
        m.base(QStringLiteral("B"), a);
    }) << QStringLiteral("A.h") << true << QStringList{QStringLiteral("class A")};
    QTest::newRow("base and pointer partner")
        << Build([](TestModel &m) {
               const int vehicle = m.entity(QStringLiteral("Vehicle"));
               m.pointer(vehicle, QStringLiteral("Truck"));
               m.base(QStringLiteral("Truck"), vehicle);
               m.entity(QStringLiteral("Truck"));
           })
        << QStringLiteral("Vehicle.h") << true
        << QStringList{QStringLiteral("class Truck;"), QStringLiteral("    Truck *pTruck;")};
    QTest::newRow("twins and keywords")
        << Build([](TestModel &m) {
               const int order = m.entity(QStringLiteral("class"));
               m.attribute(order, QStringLiteral("speed"), QStringLiteral("long"));
               m.attribute(order, QStringLiteral("Speed"), QStringLiteral("double"));
               m.attribute(order, QStringLiteral("3d-view"), QStringLiteral("int"));
               m.pointer(order, QStringLiteral("Ünit"));
               m.entity(QStringLiteral("Ünit"));
           })
        << QStringLiteral("class_.h") << true
        << QStringList{QStringLiteral("    double getSpeed();"),
                       QStringLiteral("    long getSpeed_2();"),
                       QStringLiteral("    int get_x0033_d_x002D_view();"),
                       QStringLiteral("    _x00DC_nit *p_x00DC_nit;")};
}

void TestCppGenerator::awkwardModelsCompile()
{
    QFETCH(Build, build);
    QFETCH(QString, header);
    QFETCH(bool, verbose);
    QFETCH(QStringList, lines);
    const QString compilerPath = cppCompiler();
    if (compilerPath.isEmpty())
        QSKIP("No C++ compiler (c++, g++ or clang++) on PATH.");
    TestModel model;
    QVERIFY(model.isValid());
    build(model);
    const Result<GeneratedFiles> result = generateCpp(model, verbose);
    QVERIFY2(result.isOk(), qPrintable(result.outcome().message()));
    const QStringList written = readText(QDir(result->folder).filePath(header)).split(u'\n');
    for (const QString &line : lines)
        QVERIFY2(written.contains(line),
                 qPrintable(line + QStringLiteral(" not in:\n") + written.join(u'\n')));
    QString found = headerComplaints(compilerPath, result->folder, result->files);
    found += togetherComplaints(compilerPath, result->folder, result->files);
    QVERIFY2(found.isEmpty(), qPrintable(found));
}

QTEST_GUILESS_MAIN(TestCppGenerator)
#include "tst_cppgenerator.moc"
