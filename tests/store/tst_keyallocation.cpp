#include "support/storetestsupport.h"

#include "store/creqenset.h"
#include "store/creqoeset.h"
#include "store/datesaved.h"
#include "store/recordobjects.h"
#include "store/rowstatement.h"
#include "store/savetransaction.h"
#include "store/storemessages.h"
#include "store/supersededversion.h"

#include <QScopeGuard>
#include <QSqlDatabase>
#include <QTest>

#include <sqlite3.h>

#include <memory>

using namespace varn::store;

namespace {

const QString kConnection = QStringLiteral("tst_keyallocation");

int count(const char *table)
{
    return StoreTestSupport::scalar(kConnection,
                                    QStringLiteral("SELECT COUNT(*) FROM ") + QLatin1String(table))
        .toInt();
}

int counterValue(const char *table)
{
    return StoreTestSupport::scalar(kConnection,
                                    QStringLiteral("SELECT * FROM ") + QLatin1String(table))
        .toInt();
}

// Object-model tables and counters, for the counter cases that need a second
// table beside the requirements (saves write the model through
// ObjectModelWriter).
struct ModelSets
{
    explicit ModelSets(const QString &connection)
        : entities(connection), links(connection), entityCounter(connection),
          linkCounter(connection), attributeCounter(connection)
    {}

    bool open()
    {
        for (RecordSetCore *set : std::initializer_list<RecordSetCore *>{
                 &entities, &links, &entityCounter, &linkCounter, &attributeCounter}) {
            set->close();
            set->setFilter({});
            if (!set->open())
                return false;
        }
        return true;
    }

    CReqOeSet entities;
    CReqEnSet links;
    CPkRqOEntSet entityCounter;
    CPkRqEntSet linkCounter;
    CPkRqOAttrSet attributeCounter;
};

} // namespace

class TestKeyAllocation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { StoreTestSupport::initResources(); }
    void init();
    void cleanup();

    void keysCountUpFromOne();
    void failedSaveLeavesRowsAndCounters();
    void deletingTheHighestRowDoesNotLowerTheCounter();
    void allocationForFilteredTargetStartsOnWholeTable();
    void counterAtItsLimitIsRefused();
    void connectionWithoutTransactionsIsRefused();
    void secondTransactionIsRefused();
    void savesInsideABatchAreSavepoints();
    void refusedSaveAfterASchemaChange_data();
    void refusedSaveAfterASchemaChange();
    void dateText_data();
    void dateText();
    void supersededVersionIsMarkedDeleted();
    void supersededVersionThatIsMissingIsReported();

private:
    // One save: master row, functional row and an object-model entity with
    // its REQ_ENTITY link, keys from their counters. Returns the number.
    qint32 saveFunctional(const QString &entity);

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<RecordObjects> m_records;
    std::unique_ptr<ModelSets> m_model;
};

void TestKeyAllocation::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(StoreTestSupport::openFreshDatabase(*m_folder, kConnection));
    auto created = RecordObjects::create(kConnection);
    QVERIFY(created.isOk());
    m_records = created.takeValue();
    m_model = std::make_unique<ModelSets>(kConnection);
}

void TestKeyAllocation::cleanup()
{
    // The sets go before the connection they use.
    m_records.reset();
    m_model.reset();
    StoreTestSupport::closeDatabase(kConnection);
    m_folder.reset();
}

qint32 TestKeyAllocation::saveFunctional(const QString &entity)
{
    RecordObjects &r = *m_records;
    const auto number = r.pkRqMastrSet().allocateKey();
    if (!number)
        return 0;
    if (!r.reqMsSet().addNew())
        return 0;
    r.reqMsSet().row().Req_Num = number.value();
    r.reqMsSet().row().FSTType = QStringLiteral("Functional");
    r.reqMsSet().row().OrigReqNum = number.value();
    r.reqMsSet().row().Version = 1;
    if (!r.reqMsSet().update())
        return 0;
    if (!r.reqSet().addNew())
        return 0;
    r.reqSet().row().F_ReqNum = number.value();
    r.reqSet().row().Preamble = QStringLiteral("1");
    if (!r.reqSet().update())
        return 0;

    const auto entityId = m_model->entityCounter.allocateKeyAndAdd(m_model->entities);
    if (!entityId)
        return 0;
    m_model->entities.row().Entity = entity;
    if (!m_model->entities.update())
        return 0;
    const auto linkId = m_model->linkCounter.allocateKeyAndAdd(m_model->links);
    if (!linkId)
        return 0;
    m_model->links.row().ReqEntity = entity;
    m_model->links.row().FK_FReqNum = number.value();
    m_model->links.row().FK_OMEntity = entityId.value();
    if (!m_model->links.update())
        return 0;
    return number.value();
}

void TestKeyAllocation::keysCountUpFromOne()
{
    QVERIFY(m_records->openGroup(RecordGroup::Functional));
    QVERIFY(m_model->open());
    SaveTransaction transaction(kConnection);
    QVERIFY(transaction.begin());
    QCOMPARE(saveFunctional(QStringLiteral("Truck")), 1);
    QCOMPARE(saveFunctional(QStringLiteral("Driver")), 2);
    QCOMPARE(saveFunctional(QStringLiteral("Road")), 3);
    QVERIFY(transaction.commit());
    QVERIFY(!transaction.isActive());
    QVERIFY(!transaction.commit()); // nothing left to commit
    m_records->closeAll();
    m_model = std::make_unique<ModelSets>(kConnection);

    QCOMPARE(counterValue("PK_MASTR_REQ"), 3);
    QCOMPARE(counterValue("PK_ENT_OM"), 3);
    QCOMPARE(counterValue("PK_ENT_REQ"), 3);
    QCOMPARE(StoreTestSupport::column(
                 kConnection,
                 QStringLiteral("SELECT Entity_ID || Entity FROM OM_ENTITY ORDER BY Entity_ID")),
             QStringList({"1Truck", "2Driver", "3Road"}));
    QCOMPARE(StoreTestSupport::storedType(kConnection, QStringLiteral("FK_SReqNum"),
                                          QStringLiteral("REQ_ENTITY")),
             QStringLiteral("null"));
}

void TestKeyAllocation::failedSaveLeavesRowsAndCounters()
{
    QVERIFY(m_records->openGroup(RecordGroup::Functional));
    QVERIFY(m_model->open());
    {
        SaveTransaction transaction(kConnection);
        QVERIFY(transaction.begin());
        QCOMPARE(saveFunctional(QStringLiteral("Truck")), 1);
        QVERIFY(transaction.commit());
    }
    {
        // Derivation fails after every row was written: the save ends
        // without a commit and the transaction rolls back on scope exit.
        SaveTransaction transaction(kConnection);
        QVERIFY(transaction.begin());
        QCOMPARE(saveFunctional(QStringLiteral("Driver")), 2);
        QCOMPARE(counterValue("PK_MASTR_REQ"), 2);
        QVERIFY(transaction.isActive());
    }
    QCOMPARE(counterValue("PK_MASTR_REQ"), 1);
    QCOMPARE(counterValue("PK_ENT_OM"), 1);
    QCOMPARE(counterValue("PK_ENT_REQ"), 1);
    for (const char *table : {"MASTER_REQ", "FUNC_REQ", "OM_ENTITY", "REQ_ENTITY"})
        QCOMPARE(count(table), 1);

    // The next save reopens its groups and takes the same number.
    QVERIFY(m_records->openGroup(RecordGroup::Functional));
    QVERIFY(m_model->open());
    SaveTransaction transaction(kConnection);
    QVERIFY(transaction.begin());
    QCOMPARE(saveFunctional(QStringLiteral("Road")), 2);
    QVERIFY(transaction.commit());
    QCOMPARE(StoreTestSupport::scalar(
                 kConnection, QStringLiteral("SELECT Entity FROM OM_ENTITY WHERE Entity_ID = 2"))
                 .toString(),
             QStringLiteral("Road"));
}

void TestKeyAllocation::deletingTheHighestRowDoesNotLowerTheCounter()
{
    RecordObjects &r = *m_records;
    const auto saveOne = [&](const QString &entity) {
        if (!r.openGroup(RecordGroup::Functional) || !m_model->open())
            return 0;
        SaveTransaction transaction(kConnection);
        if (!transaction.begin())
            return 0;
        const qint32 number = saveFunctional(entity);
        return transaction.commit() ? number : 0;
    };
    QCOMPARE(saveOne(QStringLiteral("Truck")), 1);
    QCOMPARE(saveOne(QStringLiteral("Driver")), 2);
    // Requirement 2 is deleted (marked); its number is not handed out again.
    QVERIFY(SupersededVersion::markDeleted(kConnection, 2));
    QCOMPARE(saveOne(QStringLiteral("Road")), 3);

    // Rows that are really deleted, such as dependency links, keep their
    // numbers used as well.
    CDependSet &links = r.dependSet();
    for (int expected = 1; expected <= 3; ++expected) {
        const auto key = r.pkDepReq().allocateKeyAndAdd(links);
        QVERIFY(key.isOk());
        QCOMPARE(key.value(), expected);
        links.row().FK_ReqNum = 1;
        links.row().Dep_ReqNum = 3;
        QVERIFY(links.update());
    }
    QVERIFY(links.moveLast());
    QCOMPARE(links.row().Dep_Num, 3);
    QVERIFY(links.deleteRow());
    const auto next = r.pkDepReq().allocateKey();
    QVERIFY(next.isOk());
    QCOMPARE(next.value(), 4);
}

void TestKeyAllocation::allocationForFilteredTargetStartsOnWholeTable()
{
    QVERIFY(m_model->open());
    CReqOeSet &entities = m_model->entities;
    for (const QString &name : {QStringLiteral("Truck"), QStringLiteral("Driver")}) {
        // A lookup that finds nothing, then the add that derivation makes.
        entities.setFilter(QStringLiteral("Entity = ?"), {name});
        QVERIFY(entities.requery());
        QVERIFY(entities.isEOF());
        const auto key = m_model->entityCounter.allocateKeyAndAdd(entities);
        QVERIFY(key.isOk());
        QVERIFY(entities.filter().isEmpty());
        QCOMPARE(entities.row().Entity_ID, key.value());
        entities.row().Entity = name;
        QVERIFY(entities.update());
        QCOMPARE(entities.row().Entity, name);
    }
    // The target stands on a fresh result over the whole table.
    QStringList names;
    QVERIFY(entities.forEachRow([&](const auto &row) { names.append(row.Entity); }));
    QCOMPARE(names, (QStringList{"Truck", "Driver"}));
    QCOMPARE(m_model->entityCounter.row().value, 2);
}

void TestKeyAllocation::counterAtItsLimitIsRefused()
{
    QVERIFY(StoreTestSupport::exec(kConnection,
                                   QStringLiteral("UPDATE PK_ATTR_OM SET PAttrOm = 2147483647")));
    QVERIFY(m_model->open());
    const auto key = m_model->attributeCounter.allocateKey();
    QVERIFY(!key.isOk());
    QVERIFY(key.outcome().message().startsWith(
        QStringLiteral("Error querying the PkRqOAttrSet recordset.\n")));
    QCOMPARE(counterValue("PK_ATTR_OM"), 2147483647);
    // The counter set is usable again afterwards.
    QCOMPARE(m_model->attributeCounter.editMode(), RecordSetCore::EditMode::None);
}

void TestKeyAllocation::connectionWithoutTransactionsIsRefused()
{
    // A connection name that names no open database has no transactions.
    SaveTransaction transaction(QStringLiteral("not open"));
    const varn::Outcome outcome = transaction.begin();
    QVERIFY(!outcome);
    QCOMPARE(outcome.message(),
             QStringLiteral("Cannot perform a transaction on the Requirements database."));
    QCOMPARE(outcome.kind(), varn::MessageKind::Plain);
    QVERIFY(!transaction.isActive());
    QVERIFY(SaveTransaction::supportsTransactions(kConnection));
}

void TestKeyAllocation::secondTransactionIsRefused()
{
    SaveTransaction first(kConnection);
    QVERIFY(first.begin());
    SaveTransaction second(kConnection);
    const varn::Outcome outcome = second.begin();
    QVERIFY(!outcome);
    QCOMPARE(outcome.kind(), varn::MessageKind::Stop);
    QVERIFY(!second.isActive());
    QVERIFY(first.commit());
}

// Inside a batch each save is a savepoint: one that rolls back takes only
// its own row with it, and the batch decides for the rest.
void TestKeyAllocation::savesInsideABatchAreSavepoints()
{
    auto comments = [] {
        return StoreTestSupport::column(
                   kConnection, QStringLiteral("SELECT Comments FROM MASTER_REQ ORDER BY Comments"))
            .join(QLatin1Char('|'));
    };
    for (const bool keep : {false, true}) {
        SaveTransaction batch(kConnection);
        QVERIFY(batch.beginBatch());
        QVERIFY(!SaveTransaction(kConnection).beginBatch());
        for (const char *name : {"kept", "undone", "kept too"}) {
            SaveTransaction save(kConnection);
            QVERIFY(save.begin());
            QVERIFY(StoreTestSupport::exec(
                kConnection, QStringLiteral("INSERT INTO MASTER_REQ (Req_Num, Comments) VALUES "
                                            "((SELECT COUNT(*) + 1 FROM MASTER_REQ), '%1')")
                                 .arg(QLatin1String(name))));
            QVERIFY(qstrcmp(name, "undone") == 0 ? save.rollback() : save.commit());
        }
        QCOMPARE(comments(), QStringLiteral("kept|kept too"));
        QVERIFY(keep ? batch.commit() : batch.rollback());
        QCOMPARE(comments(), keep ? QStringLiteral("kept|kept too") : QString());
    }
    // After the batch a second transaction is refused again.
    SaveTransaction first(kConnection);
    QVERIFY(first.begin());
    QVERIFY(!SaveTransaction(kConnection).begin());
    QVERIFY(first.commit());
}

// A batch that set an index aside (a schema change) and then meets a save
// that rolls back: what the save wrote goes, what the batch wrote stays, and
// a save that wrote nothing leaves the connection's prepared statements as
// they were rather than having them all prepared again.
void TestKeyAllocation::refusedSaveAfterASchemaChange_data()
{
    QTest::addColumn<bool>("writes");
    QTest::newRow("refused before writing") << false;
    QTest::newRow("refused after writing") << true;
}

void TestKeyAllocation::refusedSaveAfterASchemaChange()
{
    QFETCH(bool, writes);
    auto comments = [] {
        return StoreTestSupport::column(
                   kConnection, QStringLiteral("SELECT Comments FROM MASTER_REQ ORDER BY Comments"))
            .join(QLatin1Char('|'));
    };
    const QString insert = QStringLiteral("INSERT INTO MASTER_REQ (Req_Num, Comments) VALUES "
                                          "((SELECT COUNT(*) + 1 FROM MASTER_REQ), '%1')");
    sqlite3 *handle = RowStatement::directHandle(QSqlDatabase::database(kConnection, false));
    sqlite3_stmt *reading = nullptr;
    if (handle)
        QCOMPARE(
            sqlite3_prepare_v2(handle, "SELECT COUNT(*) FROM MASTER_REQ", -1, &reading, nullptr),
            SQLITE_OK);
    const auto finalize = qScopeGuard([reading] { sqlite3_finalize(reading); });
    {
        SaveTransaction batch(kConnection);
        QVERIFY(batch.beginBatch());
        QVERIFY(StoreTestSupport::exec(kConnection, insert.arg(QLatin1String("batch"))));
        QVERIFY(StoreTestSupport::exec(
            kConnection, QStringLiteral("CREATE INDEX set_aside ON MASTER_REQ (Comments)")));
        QVERIFY(StoreTestSupport::exec(kConnection, QStringLiteral("DROP INDEX set_aside")));
        if (reading) {
            // Prepared after the schema changed, as a batch's statements are.
            QCOMPARE(sqlite3_step(reading), SQLITE_ROW);
            sqlite3_reset(reading);
        }
        const int reprepared =
            reading ? sqlite3_stmt_status(reading, SQLITE_STMTSTATUS_REPREPARE, 0) : 0;
        {
            SaveTransaction save(kConnection);
            QVERIFY(save.begin());
            if (writes)
                QVERIFY(StoreTestSupport::exec(kConnection, insert.arg(QLatin1String("undone"))));
            QVERIFY(save.rollback());
        }
        QCOMPARE(comments(), QStringLiteral("batch"));
        if (reading) {
            QCOMPARE(sqlite3_step(reading), SQLITE_ROW);
            QCOMPARE(sqlite3_column_int(reading, 0), 1);
            sqlite3_reset(reading);
            if (!writes)
                QCOMPARE(sqlite3_stmt_status(reading, SQLITE_STMTSTATUS_REPREPARE, 0), reprepared);
        }
        QVERIFY(batch.commit());
    }
    QCOMPARE(comments(), QStringLiteral("batch"));
}

void TestKeyAllocation::dateText_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");
    QTest::newRow("single digits") << QDate(2009, 3, 7) << QStringLiteral("3-7-2009");
    QTest::newRow("two digits") << QDate(2024, 12, 31) << QStringLiteral("12-31-2024");
    QTest::newRow("new year") << QDate(2000, 1, 1) << QStringLiteral("1-1-2000");
    QTest::newRow("October tenth") << QDate(2031, 10, 10) << QStringLiteral("10-10-2031");
}

void TestKeyAllocation::dateText()
{
    QFETCH(QDate, date);
    QFETCH(QString, text);
    QCOMPARE(DateSaved::text(date), text);
}

void TestKeyAllocation::supersededVersionIsMarkedDeleted()
{
    QVERIFY(StoreTestSupport::exec(
        kConnection,
        QStringLiteral("INSERT INTO MASTER_REQ (Req_Num, FSTType, Version, OrigReqNum, "
                       "DateSaved) VALUES (5, 'Functional', 1, 5, '1-2-2008'), "
                       "(9, 'Functional', 2, 5, '3-7-2009')")));
    QVERIFY(SupersededVersion::markDeleted(kConnection, 5, QDate(2009, 3, 7)));
    QCOMPARE(StoreTestSupport::scalar(kConnection,
                                      QStringLiteral("SELECT FSTType || ' ' || DateSaved FROM "
                                                     "MASTER_REQ WHERE Req_Num = 5"))
                 .toString(),
             QStringLiteral("Deleted 3-7-2009"));
    QCOMPARE(StoreTestSupport::scalar(
                 kConnection, QStringLiteral("SELECT FSTType FROM MASTER_REQ WHERE Req_Num = 9"))
                 .toString(),
             QStringLiteral("Functional"));
}

void TestKeyAllocation::supersededVersionThatIsMissingIsReported()
{
    const varn::Outcome missing = SupersededVersion::markDeleted(kConnection, 42);
    QVERIFY(!missing);
    QCOMPARE(missing.message(), QString::fromLatin1(messages::kEditNotFound));

    QVERIFY(
        StoreTestSupport::exec(kConnection, QStringLiteral("DROP VIEW \"System Requirements\"")));
    QVERIFY(StoreTestSupport::exec(kConnection,
                                   QStringLiteral("ALTER TABLE MASTER_REQ RENAME TO OLD_MASTER")));
    const varn::Outcome unreadable = SupersededVersion::markDeleted(kConnection, 5);
    QVERIFY(unreadable.message().startsWith(
        QStringLiteral("Cannot open ReqMsSet recordset for requirement edit.\n")));
    QVERIFY2(unreadable.message().contains(
                 StoreTestSupport::failureWords(StoreTestSupport::Failure::MissingTable)),
             qPrintable(unreadable.message()));
}

QTEST_GUILESS_MAIN(TestKeyAllocation)
#include "tst_keyallocation.moc"
