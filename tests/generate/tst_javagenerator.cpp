// Java classes: the exact text of each section, one file per entity, and the
// Java compiler's verdict on the classes.

#include "generate/modelgenerator.h"
#include "outputtools.h"
#include "testmodel.h"

using namespace varn;
using namespace varn::generate;
using namespace varn::generate::test;

namespace {

const QString kSystem = QStringLiteral("Acme Telecom");
using Build = void (*)(TestModel &);

Result<GeneratedFiles> generateJava(TestModel &model, bool verbose = false)
{
    return ModelGenerator::generate(GeneratorKind::Java, model.connectionName(),
                                    {model.installPath(), kSystem, verbose});
}

QString javaFolder(const TestModel &model)
{
    return ModelGenerator::outputFolder(GeneratorKind::Java, model.installPath(), kSystem);
}

void buildTruck(TestModel &m)
{
    const int truck = m.entity(QStringLiteral("Truck"));
    m.entity(QStringLiteral("Driver"));
    m.entity(QStringLiteral("Engine"));
    m.values(m.attribute(truck, QStringLiteral("colour"), QStringLiteral("int")),
             {QStringLiteral("red"), QStringLiteral("green")});
    m.attribute(truck, QStringLiteral("speed"), QStringLiteral("long"));
    m.pointer(truck, QStringLiteral("Driver"));
    m.part(truck, QStringLiteral("Engine"));
    m.method(truck, QStringLiteral("displaySpeed"));
}

} // namespace

Q_DECLARE_METATYPE(Build)

class TestJavaGenerator : public QObject
{
    Q_OBJECT

private slots:

    void classText_data();
    void classText();
    void verboseDoesNotApply();
    void filesPerEntity();
    void javacAcceptsClasses();
    void awkwardModelsCompile_data();
    void awkwardModelsCompile();
};

void TestJavaGenerator::classText_data()
{
    QTest::addColumn<Build>("build");
    QTest::addColumn<QString>("entity");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("Truck") << Build(buildTruck) << QStringLiteral("Truck")
                           << QStringList{
                                  QStringLiteral("public class Truck {"),
                                  QString(),
                                  QStringLiteral("    //ENUM DEFINITIONS"),
                                  QString(),
                                  QStringLiteral("    public enum Colour {"),
                                  QStringLiteral("        red,"),
                                  QStringLiteral("        green"),
                                  QStringLiteral("    }"),
                                  QString(),
                                  QStringLiteral("    public Colour getColour() {return colour;}"),
                                  QStringLiteral("    public void setColour(Colour inColour) "
                                                 "{colour = inColour;}"),
                                  QString(),
                                  QStringLiteral("    public long getSpeed() {return speed;}"),
                                  QStringLiteral("    public void setSpeed(long inSpeed) "
                                                 "{speed = inSpeed;}"),
                                  QString(),
                                  QStringLiteral("    //METHODS"),
                                  QString(),
                                  QStringLiteral("    public int displaySpeed() {return 0;}"),
                                  QString(),
                                  QStringLiteral("    //ATTRIBUTES"),
                                  QString(),
                                  QStringLiteral("    private Colour colour;"),
                                  QString(),
                                  QStringLiteral("    //DOUBLE and LONG ATTRIBUTES"),
                                  QString(),
                                  QStringLiteral("    private long speed;"),
                                  QString(),
                                  QStringLiteral("    //ASSOCATION ATTRIBUTES"),
                                  QString(),
                                  QStringLiteral("    private Driver driver = new Driver();"),
                                  QString(),
                                  QStringLiteral("    //COMPOSITION ATTRIBUTES"),
                                  QString(),
                                  QStringLiteral("    private Engine engine = new Engine();"),
                                  QStringLiteral("}"),
                              };
    QTest::newRow("only long attributes")
        << Build([](TestModel &m) {
               const int gauge = m.entity(QStringLiteral("Gauge"));
               m.attribute(gauge, QStringLiteral("reading"), QStringLiteral("long"));
               m.attribute(gauge, QStringLiteral("limit"), QStringLiteral("long"));
           })
        << QStringLiteral("Gauge")
        << QStringList{
               QStringLiteral("public class Gauge {"),
               QString(),
               QStringLiteral("    public long getLimit() {return limit;}"),
               QStringLiteral("    public void setLimit(long inLimit) {limit = inLimit;}"),
               QString(),
               QStringLiteral("    public long getReading() {return reading;}"),
               QStringLiteral("    public void setReading(long inReading) {reading = inReading;}"),
               QString(),
               QStringLiteral("    //DOUBLE and LONG ATTRIBUTES"),
               QString(),
               QStringLiteral("    private long limit;"),
               QStringLiteral("    private long reading;"),
               QStringLiteral("}"),
           };
    QTest::newRow("sub-entity with ints and doubles")
        << Build([](TestModel &m) {
               const int truck = m.entity(QStringLiteral("Truck"));
               const int delivery = m.entity(QStringLiteral("Delivery_Truck"));
               m.base(QStringLiteral("Delivery_Truck"), truck);
               m.attribute(delivery, QStringLiteral("route"), QStringLiteral("int"));
               m.attribute(delivery, QStringLiteral("payload"), QStringLiteral("double"));
               m.values(m.attribute(delivery, QStringLiteral("state"), QStringLiteral("int")),
                        {QStringLiteral("loading")});
           })
        << QStringLiteral("Delivery_Truck")
        << QStringList{
               QStringLiteral("public class Delivery_Truck extends Truck {"),
               QString(),
               QStringLiteral("    //ENUM DEFINITIONS"),
               QString(),
               QStringLiteral("    public enum State {"),
               QStringLiteral("        loading"),
               QStringLiteral("    }"),
               QString(),
               QStringLiteral("    public State getState() {return state;}"),
               QStringLiteral("    public void setState(State inState) {state = inState;}"),
               QString(),
               QStringLiteral("    //GET/SET ACCESSOR METHODS"),
               QString(),
               QStringLiteral("    public int getRoute() {return route;}"),
               QStringLiteral("    public void setRoute(int inRoute) {route = inRoute;}"),
               QString(),
               QStringLiteral("    public double getPayload() {return payload;}"),
               QStringLiteral(
                   "    public void setPayload(double inPayload) {payload = inPayload;}"),
               QString(),
               QStringLiteral("    //ATTRIBUTES"),
               QString(),
               QStringLiteral("    private State state;"),
               QStringLiteral("    private int route;"),
               QString(),
               QStringLiteral("    //DOUBLE and LONG ATTRIBUTES"),
               QString(),
               QStringLiteral("    private double payload;"),
               QStringLiteral("}"),
           };
    QTest::newRow("pointers only") << Build([](TestModel &m) {
        m.entity(QStringLiteral("Truck"));
        m.pointer(m.entity(QStringLiteral("Dispatcher")), QStringLiteral("Truck"));
    }) << QStringLiteral("Dispatcher")
                                   << QStringList{
                                          QStringLiteral("public class Dispatcher {"),
                                          QString(),
                                          QStringLiteral("    //ASSOCATION ATTRIBUTES"),
                                          QString(),
                                          QStringLiteral("    private Truck truck = new Truck();"),
                                          QStringLiteral("}"),
                                      };
    QTest::newRow("empty entity") << Build([](TestModel &m) { m.entity(QStringLiteral("Lonely")); })
                                  << QStringLiteral("Lonely")
                                  << QStringList{
                                         QStringLiteral("public class Lonely {"),
                                         QString(),
                                         QStringLiteral("}"),
                                     };
}

void TestJavaGenerator::classText()
{
    QFETCH(Build, build);
    QFETCH(QString, entity);
    QFETCH(QStringList, lines);
    TestModel model;
    QVERIFY(model.isValid());
    build(model);
    const Result<GeneratedFiles> result = generateJava(model);
    QVERIFY2(result.isOk(), qPrintable(result.outcome().message()));
    const QByteArray bytes =
        readText(javaFolder(model) + QLatin1Char('/') + entity + QStringLiteral(".java")).toUtf8();
    QVERIFY(sameLines(QString::fromUtf8(bytes), javaBanner(entity) + lines));
    QVERIFY(bytes.endsWith("\n}"));
}

void TestJavaGenerator::verboseDoesNotApply()
{
    TestModel model;
    QVERIFY(model.isValid());
    buildTruck(model);
    QVERIFY(generateJava(model, false).isOk());
    const QString plain = readText(javaFolder(model) + QStringLiteral("/Truck.java"));
    QVERIFY(generateJava(model, true).isOk());
    QCOMPARE(readText(javaFolder(model) + QStringLiteral("/Truck.java")), plain);
}

void TestJavaGenerator::filesPerEntity()
{
    TestModel model;
    QVERIFY(model.isValid());
    buildWorkedExamples(model);
    const QString folder = javaFolder(model);
    writeEarlierRun(folder, {QStringLiteral("Removed.java")});
    writeText(folder + QStringLiteral("/Truck.class"), "keep");
    QStringList progress;
    GenerationCallbacks callbacks;
    callbacks.progress = [&](int percent, const QString &name) {
        progress.append(QStringLiteral("%1 %2").arg(percent).arg(name));
    };
    const Result<GeneratedFiles> result =
        ModelGenerator::generate(GeneratorKind::Java, model.connectionName(),
                                 {model.installPath(), kSystem, false}, callbacks);
    QVERIFY2(result.isOk(), qPrintable(result.outcome().message()));
    QCOMPARE(result->folder,
             model.tempPath() + QStringLiteral("/User Files/Acme Telecom Java Files"));
    QCOMPARE(progress,
             QStringList({QStringLiteral("0 "), QStringLiteral("0 Truck"),
                          QStringLiteral("16 Driver"), QStringLiteral("33 Engine"),
                          QStringLiteral("50 Delivery_Truck"), QStringLiteral("66 Dispatcher"),
                          QStringLiteral("83 Operator"), QStringLiteral("100 ")}));
    QStringList onDisk = result->files + QStringList{QStringLiteral("Truck.class"),
                                                     QStringLiteral(".varn-generated")};
    onDisk.sort();
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name), onDisk);
    QCOMPARE(result->files.size(), 6);
}

void TestJavaGenerator::javacAcceptsClasses()
{
    const QString javac = javaCompiler();
    if (javac.isEmpty())
        QSKIP(kNoJavac);
    TestModel model;
    QVERIFY(model.isValid());
    buildWorkedExamples(model);
    const Result<GeneratedFiles> result = generateJava(model);
    QVERIFY2(result.isOk(), qPrintable(result.outcome().message()));
    QTemporaryDir classes;
    const ToolRun run =
        compileClasses(javac, result->folder, javaFiles(result->folder), classes.path());
    QVERIFY(run.started);
    QVERIFY2(run.exitCode == 0, qPrintable(run.output));
    QVERIFY(QFile::exists(classes.filePath(QStringLiteral("Delivery_Truck.class"))));
    QVERIFY(QFile::exists(classes.filePath(QStringLiteral("Truck$Colour.class"))));
}

// Models whose names would not compile if written as they stand: the classes
// compile together, and the given file shows the line that makes it so.
void TestJavaGenerator::awkwardModelsCompile_data()
{
    QTest::addColumn<Build>("build");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("possible value with a blank") << Build([](TestModel &m) {
        m.values(m.attribute(m.entity(QStringLiteral("Truck")), QStringLiteral("colour"),
                             QStringLiteral("int")),
                 {QStringLiteral("dark red"), QStringLiteral("green")});
    }) << QStringLiteral("Truck.java") << QStringList{QStringLiteral("        dark_x0020_red,")};
    QTest::newRow("possible values true and false") << Build([](TestModel &m) {
        m.values(m.attribute(m.entity(QStringLiteral("Door")), QStringLiteral("locked"),
                             QStringLiteral("int")),
                 {QStringLiteral("true"), QStringLiteral("false")});
    }) << QStringLiteral("Door.java") << QStringList{QStringLiteral("        true_,")};
    QTest::newRow("derived get method beside a long accessor")
        << Build([](TestModel &m) {
               const int truck = m.entity(QStringLiteral("Truck"));
               m.attribute(truck, QStringLiteral("speed"), QStringLiteral("long"));
               m.method(truck, QStringLiteral("getSpeed"));
               m.method(truck, QStringLiteral("stop"));
           })
        << QStringLiteral("Truck.java")
        << QStringList{QStringLiteral("    public long getSpeed() {return speed;}"),
                       QStringLiteral("    public int stop() {return 0;}")};
    QTest::newRow("pointer to and part of the same class")
        << Build([](TestModel &m) {
               const int truck = m.entity(QStringLiteral("Truck"));
               m.entity(QStringLiteral("Engine"));
               m.pointer(truck, QStringLiteral("Engine"));
               m.part(truck, QStringLiteral("Engine"));
           })
        << QStringLiteral("Truck.java")
        << QStringList{QStringLiteral("    private Engine engine = new Engine();"),
                       QStringLiteral("    private Engine engine_2 = new Engine();")};
    QTest::newRow("accessor of another type than the inherited one")
        << Build([](TestModel &m) {
               const int vehicle = m.entity(QStringLiteral("Vehicle"));
               m.attribute(vehicle, QStringLiteral("speed"), QStringLiteral("long"));
               m.base(QStringLiteral("Truck"), vehicle);
               const int truck = m.entity(QStringLiteral("Truck"));
               m.attribute(truck, QStringLiteral("speed"), QStringLiteral("double"));
               m.method(truck, QStringLiteral("getSpeed"));
           })
        << QStringLiteral("Truck.java")
        << QStringList{QStringLiteral("    public double getSpeed_2() {return speed;}")};
    QTest::newRow("enumeration named like a class it uses")
        << Build([](TestModel &m) {
               const int truck = m.entity(QStringLiteral("Truck"));
               m.entity(QStringLiteral("Engine"));
               m.values(m.attribute(truck, QStringLiteral("engine"), QStringLiteral("int")),
                        {QStringLiteral("on"), QStringLiteral("off")});
               m.pointer(truck, QStringLiteral("Engine"));
           })
        << QStringLiteral("Truck.java")
        << QStringList{QStringLiteral("    public enum Engine_2 {"),
                       QStringLiteral("    private Engine engine_2 = new Engine();")};
    QTest::newRow("non-ASCII names and keywords")
        << Build([](TestModel &m) {
               const int order = m.entity(QStringLiteral("Bestellung-Ü"));
               m.entity(QStringLiteral("final"));
               m.pointer(order, QStringLiteral("final"));
               m.attribute(order, QStringLiteral("2nd"), QStringLiteral("int"));
           })
        << QStringLiteral("Bestellung_x002D__x00DC_.java")
        << QStringList{QStringLiteral("public class Bestellung_x002D__x00DC_ {"),
                       QStringLiteral("    private final_ final_ = new final_();"),
                       QStringLiteral("    public int get_x0032_nd() {return _x0032_nd;}")};
}

void TestJavaGenerator::awkwardModelsCompile()
{
    QFETCH(Build, build);
    QFETCH(QString, file);
    QFETCH(QStringList, lines);
    const QString javac = javaCompiler();
    if (javac.isEmpty())
        QSKIP(kNoJavac);
    TestModel model;
    QVERIFY(model.isValid());
    build(model);
    const Result<GeneratedFiles> result = generateJava(model);
    QVERIFY2(result.isOk(), qPrintable(result.outcome().message()));
    const QStringList written = readText(QDir(result->folder).filePath(file)).split(u'\n');
    for (const QString &line : lines)
        QVERIFY2(written.contains(line),
                 qPrintable(line + QStringLiteral(" not in:\n") + written.join(u'\n')));
    QTemporaryDir classes;
    const ToolRun run =
        compileClasses(javac, result->folder, javaFiles(result->folder), classes.path());
    QVERIFY(run.started);
    QVERIFY2(run.exitCode == 0, qPrintable(run.output.left(2000)));
}

QTEST_GUILESS_MAIN(TestJavaGenerator)
#include "tst_javagenerator.moc"
