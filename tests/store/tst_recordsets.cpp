#include "support/storetestsupport.h"

#include "store/cdependset.h"
#include "store/counterset.h"
#include "store/creqatset.h"
#include "store/creqenset.h"
#include "store/creqjustenset.h"
#include "store/creqmsset.h"
#include "store/creqoeset.h"
#include "store/creqset.h"
#include "store/creqstset.h"
#include "store/creqsysnameset.h"
#include "store/cvarnmsset.h"
#include "store/cvarnpvset.h"
#include "store/cvarnset.h"
#include "store/cvarnstset.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

#include <memory>

using namespace varn::store;

namespace {

const QString kConnection = QStringLiteral("tst_recordsets");

QVariant scalar(const QString &sql)
{
    return StoreTestSupport::scalar(kConnection, sql);
}

int rowsIn(const QString &table, const QString &connection = kConnection)
{
    return StoreTestSupport::scalar(connection, QStringLiteral("SELECT COUNT(*) FROM ") + table)
        .toInt();
}

// Adds an OM_ENTITY row through the set.
bool addEntity(CReqOeSet &entities, qint32 id, const QString &name)
{
    if (!entities.addNew())
        return false;
    entities.row().Entity_ID = id;
    entities.row().Entity = name;
    return entities.update().isOk();
}

bool addMaster(CReqMsSet &master, qint32 number, const QString &kind)
{
    if (!master.addNew())
        return false;
    master.row().Req_Num = number;
    master.row().FSTType = kind;
    master.row().Source = 9;
    master.row().OrigReqNum = number;
    return master.update().isOk();
}

QStringList walkEntities(CReqOeSet &entities)
{
    QStringList names;
    if (!entities.moveFirst() ||
        !entities.forEachRow([&](const auto &row) { names.append(row.Entity); }))
        names.append(QStringLiteral("<read failed>"));
    return names;
}

using MakeSet = std::unique_ptr<RecordSetCore> (*)();

template <typename Set> std::unique_ptr<RecordSetCore> makeSet()
{
    return std::make_unique<Set>(kConnection);
}

} // namespace

Q_DECLARE_METATYPE(MakeSet)

class TestRecordSets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { StoreTestSupport::initResources(); }
    void init();
    void cleanup();

    void blankImageHoldsOnlyInitialContent_data();
    void blankImageHoldsOnlyInitialContent();
    void longTextReadsBackCut_data();
    void longTextReadsBackCut();
    void preambleTextIsStoredAsNumber_data();
    void preambleTextIsStoredAsNumber();
    void preambleThatIsNoNumberIsRefused();
    void filterValuesAreBound_data();
    void filterValuesAreBound();
    void movesReportBeginningAndEnd();
    void emptySetIsAtBothEnds();
    void editWritesOnlyChangedColumns();
    void deletedRowsAreSkipped();
    void deleteMatchingUsesTheFilter();
    void masterRowsAreNeverDeleted();
    void referenceLeftAtZeroIsWrittenAsNull();
    void missingReferenceIsRefusedWithDatabaseText();
    void reservedColumnNamesRoundTrip();
    void wholeStatementOpens();
    void systemNameKeyCanBeRewritten();
    void readOnlySetsRefuseWrites_data();
    void readOnlySetsRefuseWrites();
    void openFailureNamesTheSet();
    void writeBeyondWidthKeepsDatabaseText();

private:
    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestRecordSets::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(StoreTestSupport::openFreshDatabase(*m_folder, kConnection));
}

void TestRecordSets::cleanup()
{
    StoreTestSupport::closeDatabase(kConnection);
    m_folder.reset();
}

void TestRecordSets::blankImageHoldsOnlyInitialContent_data()
{
    QTest::addColumn<QString>("image");
    for (const char *image : {"Mdb97", "Mdb2000", "Mdb2002", "Mdb2003"})
        QTest::newRow(image) << QString::fromLatin1(image);
}

void TestRecordSets::blankImageHoldsOnlyInitialContent()
{
    QFETCH(QString, image);
    const QString connection = QStringLiteral("blank_") + image;
    QVERIFY(StoreTestSupport::openFreshDatabase(*m_folder, connection, image));
    {
        for (const char *table :
             {"MASTER_REQ", "FUNC_REQ", "STRUC_REQ", "POSS_VALS", "REQ_ENTITY", "DEPENDENT_REQ",
              "OM_ENTITY", "OM_ATTR", "OM_METHOD", "OM_INH", "OM_AGG", "OM_PV"}) {
            QCOMPARE(rowsIn(QLatin1String(table), connection), 0);
        }

        for (int counter = 0; counter < kCounterCount; ++counter) {
            QCOMPARE(rowsIn(QLatin1String(kCounterTables[counter].table), connection), 1);
        }
        const auto expectZero = [](CounterSet &set) {
            QVERIFY(set.open());
            QVERIFY(!set.isEOF());
            QCOMPARE(set.row().value, 0);
            const auto key = set.nextKey();
            QVERIFY2(key, qPrintable(key.outcome().message()));
            QCOMPARE(key.value(), 1);
            QVERIFY(set.moveNext());
            QVERIFY(set.isEOF());
        };
        CPkRqMastrSet mastr(connection);
        CPkRqEntSet ent(connection);
        CPkDepReq dep(connection);
        CPkRqPvSet pv(connection);
        CPkRqOEntSet oent(connection);
        CPkRqOAttrSet oattr(connection);
        CPkRqOMethSet ometh(connection);
        CPkRqOInhSet oinh(connection);
        CPkRqOAggSet oagg(connection);
        CPkRqOPvSet opv(connection);
        for (CounterSet *set : std::initializer_list<CounterSet *>{
                 &mastr, &ent, &dep, &pv, &oent, &oattr, &ometh, &oinh, &oagg, &opv})
            expectZero(*set);

        CReqSysNameSet systemName(connection);
        QVERIFY(systemName.open());
        QVERIFY(!systemName.isEOF());
        const SystemNameRow &row = systemName.row();
        QCOMPARE(row.SystemName, QStringLiteral("Unspecified"));
        const QList<int> flags = {row.TypeSet,      row.SourceSet,      row.CategorySet,
                                  row.PrioritySet,  row.ReleaseSet,     row.VersionSet,
                                  row.ParagraphSet, row.RequirementSet, row.OrigNumSet,
                                  row.DateSavedSet, row.CommentsSet,    row.BackgroundColor};
        QCOMPARE(flags, (QList<int>{1, 0, 1, 1, 1, 0, 1, 1, 0, 0, 0, 0}));
        QVERIFY(systemName.moveNext());
        QVERIFY(systemName.isEOF());
    }
    StoreTestSupport::closeDatabase(connection);
}

void TestRecordSets::longTextReadsBackCut_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("expected");

    const QString exact(255, QLatin1Char('a'));
    QTest::newRow("255 characters stay") << exact << exact;
    QTest::newRow("256 characters") << exact + QLatin1Char('b') << exact;
    QTest::newRow("600 characters")
        << QString(600, QLatin1Char('x')) << QString(255, QLatin1Char('x'));
    // Characters outside the basic plane take two UTF-16 units each; the cut
    // counts characters and never splits one.
    const QString truck = QString::fromUtf8("\xF0\x9F\x9A\x9A");
    QTest::newRow("300 wide characters") << truck.repeated(300) << truck.repeated(255);
    QTest::newRow("mixed at the edge")
        << QString(254, QLatin1Char('m')) + truck + truck << QString(254, QLatin1Char('m')) + truck;
}

void TestRecordSets::longTextReadsBackCut()
{
    QFETCH(QString, stored);
    QFETCH(QString, expected);

    for (const auto &[table, column] :
         {std::pair{"MASTER_REQ", "ReqText"}, {"MASTER_REQ", "Comments"}, {"FUNC_REQ", "Field27"}})
        QVERIFY(StoreTestSupport::dropLengthCheck(kConnection, QLatin1String(table),
                                                  QLatin1String(column)));
    QSqlQuery insert(QSqlDatabase::database(kConnection, false));
    QVERIFY(insert.prepare(
        QStringLiteral("INSERT INTO MASTER_REQ (Req_Num, ReqText, Comments) VALUES (1, ?, ?)")));
    insert.addBindValue(stored);
    insert.addBindValue(stored);
    QVERIFY(insert.exec());
    QVERIFY(
        insert.prepare(QStringLiteral("INSERT INTO FUNC_REQ (F_ReqNum, Field27) VALUES (1, ?)")));
    insert.addBindValue(stored);
    QVERIFY(insert.exec());

    CReqMsSet master(kConnection);
    QVERIFY(master.open());
    QCOMPARE(master.row().ReqText, expected);
    QCOMPARE(master.row().Comments, expected);
    CReqSet functional(kConnection);
    QVERIFY(functional.open());
    QCOMPARE(functional.row().Field27, expected);
    QCOMPARE(functional.row().field(27), expected);
}

void TestRecordSets::preambleTextIsStoredAsNumber_data()
{
    QTest::addColumn<bool>("structural");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("readBack");

    for (bool structural : {false, true}) {
        const QByteArray table = structural ? "STRUC_REQ " : "FUNC_REQ ";
        QTest::newRow(table + "3")
            << structural << QStringLiteral("3") << QVariant(3) << QStringLiteral("3");
        QTest::newRow(table + "0")
            << structural << QStringLiteral("0") << QVariant(0) << QStringLiteral("0");
        QTest::newRow(table + "blanks around")
            << structural << QStringLiteral(" 6 ") << QVariant(6) << QStringLiteral("6");
        QTest::newRow(table + "empty is null")
            << structural << QString() << QVariant() << QString();
    }
}

void TestRecordSets::preambleTextIsStoredAsNumber()
{
    QFETCH(bool, structural);
    QFETCH(QString, written);
    QFETCH(QVariant, stored);
    QFETCH(QString, readBack);

    CReqMsSet master(kConnection);
    QVERIFY(master.open());
    QVERIFY(addMaster(master, 1, QStringLiteral("Functional")));

    const QString table = structural ? QStringLiteral("STRUC_REQ") : QStringLiteral("FUNC_REQ");
    QString actual;
    if (structural) {
        CReqStSet set(kConnection);
        QVERIFY(set.open());
        QVERIFY(set.addNew());
        set.row().S_ReqNum = 1;
        set.row().Preamble = written;
        QVERIFY(set.update());
        QVERIFY(set.requery());
        actual = set.row().Preamble;
    } else {
        CReqSet set(kConnection);
        QVERIFY(set.open());
        QVERIFY(set.addNew());
        set.row().F_ReqNum = 1;
        set.row().Preamble = written;
        QVERIFY(set.update());
        QVERIFY(set.requery());
        actual = set.row().Preamble;
    }
    QCOMPARE(actual, readBack);

    const QString type =
        StoreTestSupport::storedType(kConnection, QStringLiteral("Preamble"), table);
    QCOMPARE(type, stored.isValid() ? QStringLiteral("integer") : QStringLiteral("null"));
    if (stored.isValid())
        QCOMPARE(scalar(QStringLiteral("SELECT Preamble FROM ") + table).toInt(), stored.toInt());
}

void TestRecordSets::preambleThatIsNoNumberIsRefused()
{
    CReqMsSet master(kConnection);
    QVERIFY(master.open());
    QVERIFY(addMaster(master, 1, QStringLiteral("Functional")));
    CReqSet set(kConnection);
    QVERIFY(set.open());
    QVERIFY(set.addNew());
    set.row().F_ReqNum = 1;
    set.row().Preamble = QStringLiteral("shall");
    const varn::Outcome outcome = set.update();
    QVERIFY(!outcome);
    QCOMPARE(outcome.kind(), varn::MessageKind::Stop);
    QVERIFY(outcome.message().startsWith(
        QStringLiteral("Error adding record to the ReqSet recordset.\nPreamble")));
    QCOMPARE(rowsIn(QStringLiteral("FUNC_REQ")), 0);
}

void TestRecordSets::filterValuesAreBound_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("apostrophe") << QStringLiteral("O'Brien's Truck");
    QTest::newRow("percent") << QStringLiteral("100% Load");
    QTest::newRow("underscore") << QStringLiteral("Big_Truck");
    QTest::newRow("non-ASCII") << QString::fromUtf8("Gr\xC3\xB6\xC3\x9F"
                                                    "e \xE2\x82\xAC \xF0\x9F\x9A\x9A");
    QTest::newRow("injection") << QStringLiteral("x') OR ('1' = '1");
    QTest::newRow("question mark") << QStringLiteral("Why?");
}

void TestRecordSets::filterValuesAreBound()
{
    QFETCH(QString, name);

    CReqOeSet entities(kConnection);
    QVERIFY(entities.open());
    // Decoys that a pasted pattern or a broken quote would also match.
    QVERIFY(addEntity(entities, 1, QStringLiteral("O")));
    QVERIFY(addEntity(entities, 2, QStringLiteral("100 Load")));
    QVERIFY(addEntity(entities, 3, QStringLiteral("BigXTruck")));
    QVERIFY(addEntity(entities, 4, QStringLiteral("x")));
    QVERIFY(addEntity(entities, 5, name));

    entities.setFilter(QStringLiteral("Entity = ?"), {name});
    QVERIFY(entities.requery());
    QCOMPARE(walkEntities(entities), QStringList{name});
    QCOMPARE(entities.filter(), QStringLiteral("Entity = ?"));

    // A pattern made from the user's text matches only what it says.
    entities.setFilter(QStringLiteral("Entity LIKE ? AND Entity_ID > ?"), {name, 4});
    QVERIFY(entities.requery());
    QCOMPARE(walkEntities(entities), QStringList{name});
}

void TestRecordSets::movesReportBeginningAndEnd()
{
    CReqOeSet entities(kConnection);
    QVERIFY(entities.open());
    for (int id = 1; id <= 3; ++id)
        QVERIFY(addEntity(entities, id, QStringLiteral("E%1").arg(id)));
    entities.setSort(QStringLiteral("Entity_ID"));
    QVERIFY(entities.requery());

    QVERIFY(!entities.isBOF());
    QVERIFY(!entities.isEOF());
    QCOMPARE(entities.row().Entity_ID, 1);
    QVERIFY(entities.moveNext());
    QVERIFY(entities.moveNext());
    QCOMPARE(entities.row().Entity_ID, 3);
    QVERIFY(!entities.isEOF());
    QVERIFY(entities.moveNext());
    QVERIFY(entities.isEOF());
    QVERIFY(!entities.isBOF());
    QVERIFY(entities.moveNext()); // stays at the end
    QVERIFY(entities.isEOF());

    QVERIFY(entities.movePrevious());
    QVERIFY(!entities.isEOF());
    QCOMPARE(entities.row().Entity_ID, 3);
    QVERIFY(entities.movePrevious());
    QVERIFY(entities.movePrevious());
    QCOMPARE(entities.row().Entity_ID, 1);
    QVERIFY(entities.movePrevious());
    QVERIFY(entities.isBOF());
    QVERIFY(!entities.isEOF());
    QVERIFY(entities.moveNext());
    QCOMPARE(entities.row().Entity_ID, 1);

    QVERIFY(entities.moveLast());
    QCOMPARE(entities.row().Entity_ID, 3);
    QVERIFY(entities.moveFirst());
    QCOMPARE(entities.row().Entity_ID, 1);

    entities.setSort(QStringLiteral("Entity_ID DESC"));
    QVERIFY(entities.requery());
    QCOMPARE(walkEntities(entities), (QStringList{"E3", "E2", "E1"}));
}

void TestRecordSets::emptySetIsAtBothEnds()
{
    CReqOeSet entities(kConnection);
    QVERIFY(entities.open());
    QVERIFY(entities.isBOF());
    QVERIFY(entities.isEOF());
    QVERIFY(entities.moveFirst());
    QVERIFY(entities.moveLast());
    QVERIFY(entities.isBOF() && entities.isEOF());

    // Moving a set that was never opened reports instead of crashing.
    CReqAtSet closed(kConnection);
    const varn::Outcome moved = closed.moveNext();
    QVERIFY(!moved);
    QVERIFY(moved.message().startsWith(QStringLiteral("Error querying the ReqAtSet recordset.\n")));
    QVERIFY(closed.isEOF());
}

void TestRecordSets::editWritesOnlyChangedColumns()
{
    CReqMsSet master(kConnection);
    QVERIFY(master.open());
    QVERIFY(addMaster(master, 7, QStringLiteral("Functional")));
    QVERIFY(master.requery());
    QCOMPARE(master.row().Req_Num, 7);

    // Someone else changes the comment after the set has read the row.
    QVERIFY(StoreTestSupport::exec(
        kConnection,
        QStringLiteral("UPDATE MASTER_REQ SET Comments = 'theirs' WHERE Req_Num = 7")));

    QVERIFY(master.edit());
    master.row().Priority = 4;
    QVERIFY(master.update());
    QCOMPARE(master.row().Priority, 4);
    QCOMPARE(scalar(QStringLiteral("SELECT Comments FROM MASTER_REQ WHERE Req_Num = 7")).toString(),
             QStringLiteral("theirs"));
    QCOMPARE(scalar(QStringLiteral("SELECT Priority FROM MASTER_REQ WHERE Req_Num = 7")).toInt(),
             4);

    // The edited row shows its new values when walked again.
    QVERIFY(master.moveNext());
    QVERIFY(master.movePrevious());
    QCOMPARE(master.row().Priority, 4);

    // update without addNew or edit is refused; an edit without a change writes nothing.
    QVERIFY(!master.update());
    QVERIFY(master.edit());
    QVERIFY(master.update());
}

void TestRecordSets::deletedRowsAreSkipped()
{
    CReqOeSet entities(kConnection);
    QVERIFY(entities.open());
    for (int id = 1; id <= 3; ++id)
        QVERIFY(addEntity(entities, id, QStringLiteral("E%1").arg(id)));
    entities.setSort(QStringLiteral("Entity_ID"));
    QVERIFY(entities.requery());

    // The usual pattern: delete, then move on.
    QVERIFY(entities.moveNext());
    QVERIFY(entities.deleteRow());
    QVERIFY(entities.isDeleted());
    QVERIFY(!entities.edit());
    QVERIFY(!entities.deleteRow());
    QVERIFY(entities.moveNext());
    QCOMPARE(entities.row().Entity, QStringLiteral("E3"));
    QVERIFY(entities.movePrevious());
    QCOMPARE(entities.row().Entity, QStringLiteral("E1"));
    QCOMPARE(walkEntities(entities), (QStringList{"E1", "E3"}));
    QCOMPARE(rowsIn(QStringLiteral("OM_ENTITY")), 2);

    // Deleting every row leaves a set that is at both ends.
    QVERIFY(entities.moveFirst());
    while (!entities.isEOF()) {
        QVERIFY(entities.deleteRow());
        QVERIFY(entities.moveNext());
    }
    QVERIFY(entities.moveFirst());
    QVERIFY(entities.isBOF() && entities.isEOF());
}

void TestRecordSets::deleteMatchingUsesTheFilter()
{
    CReqMsSet master(kConnection);
    QVERIFY(master.open());
    for (int number = 1; number <= 3; ++number)
        QVERIFY(addMaster(master, number, QStringLiteral("Functional")));
    CDependSet links(kConnection);
    QVERIFY(links.open());
    const QList<QPair<int, int>> rows = {{1, 2}, {1, 3}, {2, 3}};
    for (int i = 0; i < rows.size(); ++i) {
        QVERIFY(links.addNew());
        links.row().Dep_Num = i + 1;
        links.row().FK_ReqNum = rows[i].first;
        links.row().Dep_ReqNum = rows[i].second;
        QVERIFY(links.update());
    }
    links.setFilter(QStringLiteral("FK_ReqNum = ?"), {1});
    const varn::Result<int> deleted = links.deleteMatching();
    QVERIFY(deleted.isOk());
    QCOMPARE(deleted.value(), 2);
    // The set is requeried with the same filter.
    QVERIFY(links.isEOF());
    links.setFilter({});
    QVERIFY(links.requery());
    QCOMPARE(links.row().Dep_Num, 3);
}

void TestRecordSets::masterRowsAreNeverDeleted()
{
    CReqMsSet master(kConnection);
    QVERIFY(master.open());
    QVERIFY(addMaster(master, 1, QStringLiteral("Technical")));
    QVERIFY(master.requery());
    QVERIFY(master.canAppend());
    const varn::Outcome outcome = master.deleteRow();
    QVERIFY(!outcome);
    QVERIFY(
        outcome.message().startsWith(QStringLiteral("Error deleting records from MASTER_REQ.\n")));
    QVERIFY(!master.deleteMatching().isOk());
    QCOMPARE(rowsIn(QStringLiteral("MASTER_REQ")), 1);
}

void TestRecordSets::referenceLeftAtZeroIsWrittenAsNull()
{
    CReqMsSet master(kConnection);
    QVERIFY(master.open());
    QVERIFY(addMaster(master, 1, QStringLiteral("Structural")));
    CReqStSet structural(kConnection);
    QVERIFY(structural.open());
    QVERIFY(structural.addNew());
    structural.row().S_ReqNum = 1;
    QVERIFY(structural.update());
    CReqOeSet entities(kConnection);
    QVERIFY(entities.open());
    QVERIFY(addEntity(entities, 1, QStringLiteral("Truck")));

    CReqEnSet links(kConnection);
    QVERIFY(links.open());
    QVERIFY(links.addNew());
    links.row().Req_EntityID = 1;
    links.row().ReqEntity = QStringLiteral("Truck");
    links.row().FK_SReqNum = 1;
    links.row().FK_OMEntity = 1;
    QVERIFY(links.update());

    QCOMPARE(StoreTestSupport::storedType(kConnection, QStringLiteral("FK_FReqNum"),
                                          QStringLiteral("REQ_ENTITY")),
             QStringLiteral("null"));
    QVERIFY(links.requery());
    QCOMPARE(links.row().FK_FReqNum, 0);
    QCOMPARE(links.row().FK_SReqNum, 1);
}

void TestRecordSets::missingReferenceIsRefusedWithDatabaseText()
{
    CReqAtSet attributes(kConnection);
    QVERIFY(attributes.open());
    QVERIFY(attributes.addNew());
    attributes.row().Attr_ID = 1;
    attributes.row().Attribute = QStringLiteral("speed");
    attributes.row().FK_EntityID = 99;
    const varn::Outcome outcome = attributes.update();
    QVERIFY(!outcome);
    QCOMPARE(outcome.kind(), varn::MessageKind::Stop);
    QCOMPARE(outcome.message(), QStringLiteral("Error adding record to the ReqAtSet recordset.\n") +
                                    attributes.lastErrorText());
    QVERIFY2(attributes.lastErrorText().contains(
                 StoreTestSupport::failureWords(StoreTestSupport::Failure::ForeignKey)),
             qPrintable(attributes.lastErrorText()));
    QCOMPARE(attributes
                 .errorOutcome(QStringLiteral("Error querying the PkRqOAttrSet-ReqAtSet "
                                              "recordsets.\n"))
                 .message(),
             QStringLiteral("Error querying the PkRqOAttrSet-ReqAtSet recordsets.\n") +
                 attributes.lastErrorText());
}

void TestRecordSets::reservedColumnNamesRoundTrip()
{
    CReqMsSet master(kConnection);
    QVERIFY(master.open());
    QVERIFY(addMaster(master, 4, QStringLiteral("Structural")));
    CReqStSet structural(kConnection);
    QVERIFY(structural.open());
    QVERIFY(structural.addNew());
    StrucReqRow &row = structural.row();
    row.S_ReqNum = 4;
    row.Source = 22;
    row.Preamble = QStringLiteral("1");
    row.EntityAttr = QStringLiteral("Status Message");
    row.Default = QStringLiteral("none");
    row.HowMany = QStringLiteral("many");
    row.Position = 3;
    row.From = QStringLiteral("Sensor");
    row.To = QStringLiteral("Display");
    row.TCodeStrS = QStringLiteral("keza");
    QVERIFY(structural.update());

    // The example classes bind the same table in another order.
    CVarnStSet example(kConnection);
    QVERIFY(example.open());
    const StrucReqRow &read = example.row();
    QCOMPARE(read.S_ReqNum, 4);
    QCOMPARE(read.Source, 22);
    QCOMPARE(read.Preamble, QStringLiteral("1"));
    QCOMPARE(read.EntityAttr, QStringLiteral("Status Message"));
    QCOMPARE(read.Default, QStringLiteral("none"));
    QCOMPARE(read.HowMany, QStringLiteral("many"));
    QCOMPARE(read.Position, 3);
    QCOMPARE(read.From, QStringLiteral("Sensor"));
    QCOMPARE(read.To, QStringLiteral("Display"));
    QCOMPARE(read.TCodeStrS, QStringLiteral("keza"));
}

void TestRecordSets::wholeStatementOpens()
{
    CReqMsSet master(kConnection);
    QVERIFY(master.open());
    for (int number = 1; number <= 3; ++number)
        QVERIFY(addMaster(master, number, QStringLiteral("Functional")));
    CReqSet functional(kConnection);
    QVERIFY(functional.open());
    for (int number = 1; number <= 3; ++number) {
        QVERIFY(functional.addNew());
        functional.row().F_ReqNum = number;
        QVERIFY(functional.update());
    }
    CReqOeSet entities(kConnection);
    QVERIFY(entities.open());
    QVERIFY(addEntity(entities, 1, QStringLiteral("Truck")));
    CReqEnSet links(kConnection);
    QVERIFY(links.open());
    const QStringList names = {"Truck", "Driver", "Truck", "Road"};
    for (int i = 0; i < names.size(); ++i) {
        QVERIFY(links.addNew());
        links.row().Req_EntityID = i + 1;
        links.row().ReqEntity = names[i];
        links.row().FK_FReqNum = i % 3 + 1;
        links.row().FK_OMEntity = 1;
        QVERIFY(links.update());
    }

    CReqJustEnSet distinct(kConnection);
    distinct.setSort(QStringLiteral("ReqEntity"));
    QVERIFY(distinct.open());
    QStringList found;
    const auto take = [&found](const auto &row) { found.append(row.ReqEntity); };
    QVERIFY(distinct.forEachRow(take));
    QCOMPARE(found, (QStringList{"Driver", "Road", "Truck"}));

    distinct.setFilter(QStringLiteral("ReqEntity <> ?"), {QStringLiteral("Road")});
    QVERIFY(distinct.requery());
    found.clear();
    QVERIFY(distinct.forEachRow(take));
    QCOMPARE(found, (QStringList{"Driver", "Truck"}));

    // A caller's statement with bound values: requirements mentioning an entity.
    master.setSort(QStringLiteral("Req_Num DESC"));
    QVERIFY(master.open(QStringLiteral("Select * from MASTER_REQ where Req_Num in (Select "
                                       "FK_FReqNum from REQ_ENTITY where ReqEntity Like ?)"),
                        {QStringLiteral("Tr%")}, CReqMsSet::OpenType::Snapshot));
    QList<int> numbers;
    QVERIFY(master.forEachRow([&](const auto &row) { numbers.append(row.Req_Num); }));
    QCOMPARE(numbers, (QList<int>{3, 1}));
    QVERIFY(!master.canAppend());

    // A statement that returns fewer columns than the class binds is refused.
    const varn::Outcome narrow = master.open(QStringLiteral("Select Req_Num from MASTER_REQ"));
    QVERIFY(!narrow);
    QVERIFY(narrow.message().startsWith(QStringLiteral("Cannot open ReqMsSet recordset.\n")));
    QVERIFY(!master.isOpen());
}

void TestRecordSets::systemNameKeyCanBeRewritten()
{
    CReqSysNameSet systemName(kConnection);
    QVERIFY(systemName.open());
    QVERIFY(systemName.edit());
    systemName.row().SystemName = QStringLiteral("Acme Telecom");
    systemName.row().BackgroundColor = 2;
    QVERIFY(systemName.update());
    QVERIFY(systemName.requery());
    QCOMPARE(systemName.row().SystemName, QStringLiteral("Acme Telecom"));
    QCOMPARE(systemName.row().BackgroundColor, 2);
    QCOMPARE(rowsIn(QStringLiteral("SYSTEM_NAME")), 1);
}

void TestRecordSets::readOnlySetsRefuseWrites_data()
{
    QTest::addColumn<MakeSet>("make");
    QTest::addColumn<QString>("setName");
    QTest::newRow("CVarnMsSet") << MakeSet(&makeSet<CVarnMsSet>) << QStringLiteral("VarnMsSet");
    QTest::newRow("CVarnSet") << MakeSet(&makeSet<CVarnSet>) << QStringLiteral("VarnSet");
    QTest::newRow("CVarnStSet") << MakeSet(&makeSet<CVarnStSet>) << QStringLiteral("VarnStSet");
    QTest::newRow("CVarnPvSet") << MakeSet(&makeSet<CVarnPvSet>) << QStringLiteral("VarnPvSet");
    QTest::newRow("CReqJustEnSet")
        << MakeSet(&makeSet<CReqJustEnSet>) << QStringLiteral("ReqJustEnSet");
    QTest::newRow("CReqMsSet as snapshot")
        << MakeSet(&makeSet<CReqMsSet>) << QStringLiteral("ReqMsSet");
}

void TestRecordSets::readOnlySetsRefuseWrites()
{
    QFETCH(MakeSet, make);
    QFETCH(QString, setName);

    for (const char *row : {"INSERT INTO MASTER_REQ (Req_Num, FSTType) VALUES (1, 'Structural')",
                            "INSERT INTO FUNC_REQ (F_ReqNum) VALUES (1)",
                            "INSERT INTO STRUC_REQ (S_ReqNum) VALUES (1)",
                            "INSERT INTO POSS_VALS (PV_ID, FK_SReqNum, Value) VALUES (1, 1, 'red')",
                            "INSERT INTO REQ_ENTITY (Req_EntityID, ReqEntity) VALUES (1, 'Truck')"})
        QVERIFY(StoreTestSupport::exec(kConnection, QLatin1String(row)));

    const std::unique_ptr<RecordSetCore> set = make();
    const bool snapshot = setName == QLatin1String("ReqMsSet");
    const auto type =
        snapshot ? RecordSetCore::OpenType::Snapshot : RecordSetCore::OpenType::Dynaset;
    QVERIFY(set->open(type));
    QVERIFY(!set->isEOF());
    QVERIFY(!set->canAppend());
    QVERIFY(!set->canUpdate());

    const QString refusal = QStringLiteral("Cannot write to the %1 recordset.\n").arg(setName);
    for (const varn::Outcome &outcome : {set->addNew(), set->edit(), set->deleteRow()}) {
        QVERIFY(!outcome);
        QCOMPARE(outcome.kind(), varn::MessageKind::Stop);
        QVERIFY2(outcome.message().startsWith(refusal), qPrintable(outcome.message()));
    }
    QVERIFY(!set->deleteMatching().isOk());
    QCOMPARE(rowsIn(QStringLiteral("MASTER_REQ")), 1);
    QCOMPARE(rowsIn(QStringLiteral("REQ_ENTITY")), 1);
}

void TestRecordSets::openFailureNamesTheSet()
{
    QVERIFY(StoreTestSupport::exec(kConnection, QStringLiteral("DROP TABLE OM_PV")));
    QVERIFY(StoreTestSupport::exec(kConnection, QStringLiteral("DROP TABLE OM_ATTR")));
    CReqAtSet attributes(kConnection);
    const varn::Outcome outcome = attributes.open();
    QVERIFY(!outcome);
    QCOMPARE(outcome.kind(), varn::MessageKind::Stop);
    QVERIFY(outcome.message().startsWith(QStringLiteral("Cannot open ReqAtSet recordset.\n")));
    QVERIFY2(outcome.message().contains(
                 StoreTestSupport::failureWords(StoreTestSupport::Failure::MissingTable)),
             qPrintable(outcome.message()));
    QVERIFY(!attributes.isOpen());

    CReqMsSet noConnection(QStringLiteral("no such connection"));
    QVERIFY(noConnection.open().message().startsWith(
        QStringLiteral("Cannot open ReqMsSet recordset.\n")));
}

void TestRecordSets::writeBeyondWidthKeepsDatabaseText()
{
    CReqMsSet master(kConnection);
    QVERIFY(master.open());
    QVERIFY(master.addNew());
    master.row().Req_Num = 1;
    master.row().DateSaved = QStringLiteral("12-31-20245"); // Text(10)
    const varn::Outcome outcome = master.update();
    QVERIFY(!outcome);
    QVERIFY(outcome.message().startsWith(
        QStringLiteral("Error adding record to the ReqMsSet recordset.\n")));
    QVERIFY2(outcome.message().contains(
                 StoreTestSupport::failureWords(StoreTestSupport::Failure::Check)),
             qPrintable(outcome.message()));
    QCOMPARE(rowsIn(QStringLiteral("MASTER_REQ")), 0);
}

QTEST_GUILESS_MAIN(TestRecordSets)
#include "tst_recordsets.moc"
