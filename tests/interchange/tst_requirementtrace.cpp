// The trace between requirements and the classes they produced: every class
// of the object model, typed entities, parts and timers included, leads
// back to the requirements whose derivation makes it, by its class name and
// by its words.
#include "interchange/requirementexchange.h"
#include "interchange/requirementtrace.h"
#include "objmodel/objectmodelregenerator.h"
#include "support/freshworkspace.h"
#include "support/storetestsupport.h"
#include "support/workedexamples.h"
#include "templates/structuralcommit.h"

#include <QMap>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include <optional>

using namespace varn;
using interchange::RequirementTrace;
using interchange::TracedEntity;
using interchange::TracedRequirement;
using templates::StructuralDraft;

namespace {

const QString kConnection = QStringLiteral("trace");
const QString kApplication = QStringLiteral("trace-appdb");
const QString kSystem = QStringLiteral("Acme Telecom");

StructuralDraft entityType(const char *type, const char *entity)
{
    StructuralDraft draft = StructuralDraft::forTemplate(21);
    draft.type = QString::fromLatin1(type);
    draft.entity = QString::fromLatin1(entity);
    return draft;
}

// The structural requirements of the trace's cases, numbered from 1:
// typed entities, a typed whole holding a typed part, a typed attribute
// owner and a message.
QList<StructuralDraft> structuralDrafts()
{
    StructuralDraft fleet = StructuralDraft::forTemplate(20);
    fleet.article = QStringLiteral("A");
    fleet.type = QStringLiteral("regional");
    fleet.entity = QStringLiteral("airline");
    fleet.cardinality = QStringLiteral("0..n");
    fleet.partType = QStringLiteral("passenger");
    fleet.partEntity = QStringLiteral("planes");
    StructuralDraft sensor = StructuralDraft::forTemplate(19);
    sensor.type = QStringLiteral("remote");
    sensor.entity = QStringLiteral("weather station");
    sensor.attribute = QStringLiteral("wind sensor");
    sensor.stateValue = 0;
    sensor.chooseValueGroup(0);
    (void)sensor.addPossibleValue(QStringLiteral("nominal"));
    (void)sensor.addPossibleValue(QStringLiteral("caution"));
    StructuralDraft gate = StructuralDraft::forTemplate(22);
    gate.entity = QStringLiteral("gate arrival message");
    gate.attribute = QStringLiteral("gate identifier");
    gate.position = QStringLiteral("1");
    gate.dataType = QStringLiteral("Alphanumeric");
    (void)gate.addPossibleValue(QStringLiteral("5A"));
    return {entityType("premium", "customer account"),
            entityType("", "customer account"),
            entityType("switch", "port"),
            fleet,
            sensor,
            gate};
}

QStringList namesOf(const TracedRequirement &traced)
{
    QStringList names;
    for (const TracedEntity &entity : traced.entities)
        names.append(entity.name);
    return names;
}

QStringList modelClasses()
{
    return StoreTestSupport::column(kConnection,
                                    QStringLiteral("SELECT Entity FROM OM_ENTITY ORDER BY Entity"));
}

bool regenerate()
{
    return objmodel::ObjectModelRegenerator(kConnection).regenerate().isOk();
}

} // namespace

class RequirementTraceTest : public QObject
{
    Q_OBJECT

    std::optional<FreshWorkspace> m_workspace;

    void saveStructural()
    {
        templates::StructuralCommit commit(m_workspace->records(), kSystem);
        for (StructuralDraft draft : structuralDrafts()) {
            const templates::CommitResult saved = commit.save(draft);
            QVERIFY2(saved.outcome, qPrintable(saved.outcome.message()));
        }
    }

private slots:
    void initTestCase()
    {
        StoreTestSupport::initResources();
        QVERIFY(WorkedExamples::openApplicationDatabase(kApplication));
    }
    void cleanupTestCase() { StoreTestSupport::closeDatabase(kApplication); }
    void init() { QVERIFY(m_workspace.emplace(kConnection).isOpen()); }
    void cleanup() { m_workspace.reset(); }

    // Each requirement derived alone makes a set of classes; in the whole
    // model its trace names exactly those, and each class's trace names
    // exactly the requirements whose sets hold it.
    void everyClassLeadsToTheRequirementsThatDeriveIt()
    {
        saveStructural();
        QVERIFY(WorkedExamples::saveAll(kApplication, m_workspace->records(), kSystem) > 50);
        QSqlQuery query(QSqlDatabase::database(kConnection));
        QVERIFY(query.exec(QStringLiteral("SELECT Req_Num FROM MASTER_REQ ORDER BY Req_Num")));
        QList<int> numbers;
        while (query.next())
            numbers.append(query.value(0).toInt());
        QVERIFY(StoreTestSupport::exec(
            kConnection,
            QStringLiteral("CREATE TEMP TABLE kinds AS SELECT Req_Num, FSTType FROM MASTER_REQ")));
        QMap<int, QStringList> derived;
        for (const int number : std::as_const(numbers)) {
            QVERIFY(StoreTestSupport::exec(
                kConnection,
                QStringLiteral("UPDATE MASTER_REQ SET FSTType = 'Deleted' WHERE Req_Num <> %1")
                    .arg(number)));
            QVERIFY(regenerate());
            derived.insert(number, modelClasses());
            QVERIFY(StoreTestSupport::exec(
                kConnection, QStringLiteral("UPDATE MASTER_REQ SET FSTType = (SELECT k.FSTType "
                                            "FROM kinds k WHERE k.Req_Num = MASTER_REQ.Req_Num)")));
        }
        QVERIFY(regenerate());
        const QStringList all = modelClasses();
        // The cases the trace once missed are among them.
        for (const char *name : {"Premium_CustomerAccount", "Switch_Port", "Regional_Airline",
                                 "Passenger_Plane", "Plane", "Remote_WeatherStation"})
            QVERIFY2(all.contains(QLatin1String(name)), name);
        QVERIFY(!all.filter(QRegularExpression(QStringLiteral("Timer$"))).isEmpty());

        RequirementTrace trace(kConnection, m_workspace->folderPath(), kSystem);
        QMap<QString, QList<int>> producers;
        for (const int number : std::as_const(numbers)) {
            const Result<TracedRequirement> traced = trace.ofRequirement(number);
            QVERIFY2(traced, qPrintable(traced.outcome().message()));
            QCOMPARE(namesOf(traced.value()), derived.value(number));
            for (const QString &name : derived.value(number))
                producers[name].append(number);
        }
        for (const QString &name : all) {
            QVERIFY2(producers.contains(name), qPrintable(name));
            const Result<QList<TracedRequirement>> traced = trace.ofEntity(name);
            QVERIFY2(traced, qPrintable(name + QLatin1Char(' ') + traced.outcome().message()));
            QList<int> found;
            for (const TracedRequirement &requirement : traced.value())
                found.append(requirement.number);
            QVERIFY2(found == producers.value(name), qPrintable(name));
        }
    }

    // An entity is named by its class name in any case, or by its words.
    void entityByNameOrWords_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QList<int>>("numbers");
        QTest::addColumn<QString>("refusal");
        const QString none;
        QTest::newRow("typed, class name") << "Premium_CustomerAccount" << QList<int>{1} << none;
        QTest::newRow("typed, words") << "premium customer account" << QList<int>{1} << none;
        QTest::newRow("typed, other case") << "SWITCH_PORT" << QList<int>{3} << none;
        QTest::newRow("the entity of a type") << "customer account" << QList<int>{1, 2} << none;
        QTest::newRow("typed whole") << "regional airline" << QList<int>{4} << none;
        QTest::newRow("typed part") << "Passenger_Plane" << QList<int>{4} << none;
        QTest::newRow("entity of the typed part") << "plane" << QList<int>{4} << none;
        QTest::newRow("typed attribute owner") << "Remote_WeatherStation" << QList<int>{5} << none;
        QTest::newRow("message") << "gate arrival message" << QList<int>{6} << none;
        QTest::newRow("no such entity")
            << "truck" << QList<int>() << "No entity of the object model is named \"truck\".";
        QTest::newRow("words in another order")
            << "customer premium account" << QList<int>()
            << "No entity of the object model is named \"customer premium account\".";
    }

    void entityByNameOrWords()
    {
        QFETCH(QString, name);
        QFETCH(QList<int>, numbers);
        QFETCH(QString, refusal);
        saveStructural();
        RequirementTrace trace(kConnection, m_workspace->folderPath(), kSystem);
        const Result<QList<TracedRequirement>> traced = trace.ofEntity(name);
        if (!refusal.isEmpty()) {
            QCOMPARE(traced.outcome().message(), refusal);
            return;
        }
        QVERIFY2(traced, qPrintable(traced.outcome().message()));
        QList<int> found;
        for (const TracedRequirement &requirement : traced.value())
            found.append(requirement.number);
        QCOMPARE(found, numbers);
    }

    // The HTML report lists what each requirement produced, through the
    // same trace: the typed entity and its entity.
    void reportListsTypedClasses()
    {
        saveStructural();
        const QString path = m_workspace->folderPath() + QStringLiteral("/report.html");
        QVERIFY(interchange::RequirementExchange::exportTo(
            interchange::ExchangeFormat::Html, {kConnection, kSystem, m_workspace->folderPath()},
            path, false));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        QVERIFY2(html.contains(QStringLiteral("<ul><li>CustomerAccount</li><li>"
                                              "Premium_CustomerAccount</li></ul>")),
                 qPrintable(html));
        QVERIFY(html.contains(QStringLiteral("<li>Passenger_Plane</li><li>Plane</li>")));
    }
};

QTEST_GUILESS_MAIN(RequirementTraceTest)
#include "tst_requirementtrace.moc"
