// The owners of the links, the workspace's settings and the counters: the
// one route each of those tables has, on a workspace file and on a team's
// server database alike.
#include "support/storetestsupport.h"
#include "support/testbackend.h"

#include "store/counterbatch.h"
#include "store/dependentlinktable.h"
#include "store/savenotifications.h"
#include "store/savetransaction.h"
#include "store/sqlconnection.h"
#include "store/sqldialect.h"
#include "store/systemsettings.h"

#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

#include <algorithm>
#include <functional>

using namespace varn;
using namespace varn::store;

namespace {

const QString kConnection = QStringLiteral("tst_tableowners");

QVariant scalar(const QString &sql)
{
    return StoreTestSupport::scalar(kConnection, sql);
}

bool exec(const QString &sql)
{
    return StoreTestSupport::exec(kConnection, sql);
}

// Requirements 1 to 9, which links may name as parents.
bool storeParents()
{
    for (int number = 1; number <= 9; ++number) {
        if (!exec(QStringLiteral("INSERT INTO MASTER_REQ (Req_Num, FSTType, Source) VALUES "
                                 "(%1, 'Technical', 23)")
                      .arg(number)))
            return false;
    }
    return true;
}

QList<qint32> dependentsOf(const QList<DependentLink> &links)
{
    QList<qint32> numbers;
    for (const DependentLink &link : links)
        numbers.append(link.dependent);
    return numbers;
}

// The SYSTEM_NAME column of each Display flag, in flag order.
const char *const kFlagColumns[] = {
    "TypeSet",      "SourceSet",      "CategorySet", "PrioritySet",  "ReleaseSet",  "VersionSet",
    "ParagraphSet", "RequirementSet", "OrigNumSet",  "DateSavedSet", "CommentsSet",
};
static_assert(std::size(kFlagColumns) == kDisplayFlagCount);

constexpr BatchedCounter kModelCounters[] = {
    {Counter::EntOm, "Error writing PK_ENT_OM.\n"},
    {Counter::AttrOm, "Error writing PK_ATTR_OM.\n"},
};

} // namespace

class TestTableOwners : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;

private slots:
    void initTestCase() { StoreTestSupport::initResources(); }
    void init() { QVERIFY(StoreTestSupport::openFreshDatabase(m_folder, kConnection)); }
    void cleanup() { StoreTestSupport::closeDatabase(kConnection); }

    void linksKeepTheirOrderAndTakeKeysFromTheCounter();
    void failedReplacementLeavesLinksAndCounter();
    void unreadableLinksAreReported();

    void systemNameHasOneWriter_data();
    void systemNameHasOneWriter();
    void displayFlagsLandInTheirOwnColumns_data();
    void displayFlagsLandInTheirOwnColumns();
    void settingsWithoutTheirRowAreRefused();
    void aFailedNameStatementKeepsItsWholeReport();

    void batchReadsOnceAndWritesBackOnlyWhatItHandedOut();
    void batchRefusesDamagedCounters_data();
    void batchRefusesDamagedCounters();
    void batchResetReadsTheCountersAgain();
    void resetToZeroTouchesOnlyTheNamedCounters();

    void savesOfOthersAreHeard();
};

void TestTableOwners::linksKeepTheirOrderAndTakeKeysFromTheCounter()
{
    QVERIFY(storeParents());
    QVERIFY(exec(QStringLiteral("UPDATE PK_DEP_REQ SET PDepReq = 40")));
    const DependentLinkTable table(kConnection);
    QVERIFY(table.replaceDependents(7, {9, 3, 5}));
    QVERIFY(table.replaceDependents(2, {8}));

    const Result<QList<DependentLink>> ofSeven = table.linksOf(7);
    QVERIFY(ofSeven);
    // By dependent number, each with the key it was saved under.
    QCOMPARE(ofSeven.value(), (QList<DependentLink>{{42, 7, 3}, {43, 7, 5}, {41, 7, 9}}));
    QCOMPARE(table.dependentsOf(7).value(), (QList<qint32>{3, 5, 9}));
    QCOMPARE(table.dependentsOf(2).value(), QList<qint32>{8});
    QCOMPARE(table.dependentsOf(8).value(), QList<qint32>{});
    QCOMPARE(scalar(QStringLiteral("SELECT PDepReq FROM PK_DEP_REQ")).toInt(), 44);

    // By parent, and each parent's in the order they were saved.
    QCOMPARE(table.allLinks().value(),
             (QList<DependentLink>{{44, 2, 8}, {41, 7, 9}, {42, 7, 3}, {43, 7, 5}}));
    // Their ends alone, in one pass and in no order.
    QList<DependentLink> ends = table.linkEnds().value();
    std::sort(ends.begin(), ends.end(), [](const DependentLink &left, const DependentLink &right) {
        return std::pair(left.parent, left.dependent) < std::pair(right.parent, right.dependent);
    });
    QCOMPARE(ends, (QList<DependentLink>{{0, 2, 8}, {0, 7, 3}, {0, 7, 5}, {0, 7, 9}}));

    // A replacement drops the old links and takes fresh keys.
    QVERIFY(table.replaceDependents(7, {5}));
    QCOMPARE(table.linksOf(7).value(), (QList<DependentLink>{{45, 7, 5}}));
    QVERIFY(table.replaceDependents(7, {}));
    QCOMPARE(dependentsOf(table.allLinks().value()), QList<qint32>{8});
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM DEPENDENT_REQ")).toInt(), 1);
}

void TestTableOwners::failedReplacementLeavesLinksAndCounter()
{
    QVERIFY(storeParents());
    const DependentLinkTable table(kConnection);
    QVERIFY(table.replaceDependents(1, {2, 3}));
    QVERIFY(StoreTestSupport::refuseInTrigger(
        kConnection, QStringLiteral("no_six"), QStringLiteral("BEFORE INSERT"),
        QStringLiteral("DEPENDENT_REQ"), QStringLiteral("no six"),
        QStringLiteral("NEW.Dep_ReqNum = 6")));
    const Outcome refused = table.replaceDependents(1, {4, 6, 5});
    QVERIFY(!refused);
    QCOMPARE(refused.kind(), MessageKind::Stop);
    QVERIFY2(refused.message().startsWith(
                 QStringLiteral("Error writing to the DependSet-PkDepReq recordsets.\n")),
             qPrintable(refused.message()));
    QVERIFY2(table.lastErrorText().contains(QStringLiteral("no six")),
             qPrintable(table.lastErrorText()));
    QVERIFY(refused.message().endsWith(table.lastErrorText()));
    QCOMPARE(table.dependentsOf(1).value(), (QList<qint32>{2, 3}));
    QCOMPARE(scalar(QStringLiteral("SELECT PDepReq FROM PK_DEP_REQ")).toInt(), 2);
}

void TestTableOwners::unreadableLinksAreReported()
{
    QVERIFY(exec(QStringLiteral("ALTER TABLE DEPENDENT_REQ RENAME TO DEPENDENT_GONE")));
    const DependentLinkTable table(kConnection);
    // Each failure's own words are the ones the table keeps.
    const std::function<Outcome()> reads[] = {
        [&] { return table.linksOf(1).outcome(); },
        [&] { return table.allLinks().outcome(); },
        [&] { return table.linkEnds().outcome(); },
        [&] { return table.replaceDependents(1, {2}); },
    };
    for (const auto &run : reads) {
        const Outcome read = run();
        QVERIFY(!read);
        QCOMPARE(read.kind(), MessageKind::Stop);
        QVERIFY2(read.message().startsWith(QStringLiteral("Cannot open DependSet recordset.\n")),
                 qPrintable(read.message()));
        QVERIFY(!table.lastErrorText().isEmpty());
        QVERIFY(read.message().endsWith(table.lastErrorText()));
    }
}

void TestTableOwners::systemNameHasOneWriter_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("message"); // how it begins
    QTest::newRow("its one row") << 1 << QString();
    QTest::newRow("no row") << 0
                            << "Cannot write to ReqSysNameSet recordset.\nSYSTEM_NAME does not "
                               "hold exactly one row.";
    // The one name would be every row's, which the key refuses.
    QTest::newRow("two rows") << 2 << "Cannot write to ReqSysNameSet recordset.\n";
}

void TestTableOwners::systemNameHasOneWriter()
{
    QFETCH(int, rows);
    QFETCH(QString, message);
    if (rows == 0)
        QVERIFY(exec(QStringLiteral("DELETE FROM SYSTEM_NAME")));
    if (rows == 2)
        QVERIFY(exec(QStringLiteral("INSERT INTO SYSTEM_NAME (SystemName) VALUES ('Other')")));
    const QString names = QStringLiteral("SELECT SystemName FROM SYSTEM_NAME ORDER BY SystemName");
    const QStringList before = StoreTestSupport::column(kConnection, names);

    const SystemSettings settings(kConnection);
    const Outcome written = settings.setSystemName(QStringLiteral("Acme Telecom"));
    QVERIFY2(written.message().startsWith(message), qPrintable(written.message()));
    QCOMPARE(written.isOk(), message.isEmpty());
    if (rows == 0)
        QCOMPARE(written.message(), message);
    if (!message.isEmpty()) {
        QCOMPARE(written.kind(), MessageKind::Stop);
        QCOMPARE(StoreTestSupport::column(kConnection, names), before);
        return;
    }
    QVERIFY(written);
    QVERIFY(!before.contains(QStringLiteral("Acme Telecom")));
    QCOMPARE(settings.systemName().value(), QStringLiteral("Acme Telecom"));
    // The display choices stay as they were.
    QCOMPARE(settings.displayChoices()->backgroundColour, 0);
}

void TestTableOwners::displayFlagsLandInTheirOwnColumns_data()
{
    QTest::addColumn<int>("flag");
    for (int flag = 0; flag < kDisplayFlagCount; ++flag)
        QTest::newRow(kFlagColumns[flag]) << flag;
}

void TestTableOwners::displayFlagsLandInTheirOwnColumns()
{
    QFETCH(int, flag);
    const SystemSettings settings(kConnection);
    QVERIFY(settings.setSystemName(QStringLiteral("Acme")));
    DisplayFlags flags{};
    flags[flag] = true;
    QVERIFY(settings.setDisplayFlags(flags));
    for (int other = 0; other < kDisplayFlagCount; ++other)
        QCOMPARE(scalar(QStringLiteral("SELECT %1 FROM SYSTEM_NAME")
                            .arg(QLatin1String(kFlagColumns[other])))
                     .toInt(),
                 other == flag ? 1 : 0);
    QVERIFY(settings.setBackgroundColour(2));

    const Result<DisplayChoices> read = settings.displayChoices();
    QVERIFY(read);
    QCOMPARE(read->flags, flags);
    QCOMPARE(read->backgroundColour, 2);
    QCOMPARE(settings.systemName().value(), QStringLiteral("Acme"));
}

void TestTableOwners::settingsWithoutTheirRowAreRefused()
{
    QVERIFY(exec(QStringLiteral("DELETE FROM SYSTEM_NAME")));
    const SystemSettings settings(kConnection);
    const QString noRow =
        QStringLiteral("Cannot open ReqSysNameSet recordset.\nThe SYSTEM_NAME table holds no row.");
    QCOMPARE(settings.displayChoices().outcome().message(), noRow);
    QCOMPARE(settings.setBackgroundColour(1).message(), noRow);
    QCOMPARE(settings.setDisplayFlags({}).message(), noRow);
    QCOMPARE(settings.lastErrorText(), QStringLiteral("The SYSTEM_NAME table holds no row."));
    const Result<QString> name = settings.systemName();
    QVERIFY(!name);
    QVERIFY(name.outcome().message().startsWith(QStringLiteral("Cannot open ReqSysNameSet")));
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM SYSTEM_NAME")).toInt(), 0);
}

void TestTableOwners::aFailedNameStatementKeepsItsWholeReport()
{
    QVERIFY(exec(QStringLiteral("DROP TABLE SYSTEM_NAME")));
    QSqlQuery statement(QSqlDatabase::database(kConnection));
    QVERIFY(!statement.prepare(QStringLiteral("UPDATE SYSTEM_NAME SET SystemName = ?")));
    const QSqlError error = statement.lastError();
    QVERIFY(error.text() != error.databaseText());

    // The message the program shows carries the database's and the
    // driver's words; a caller that words its own message gets the first.
    // (A server's words name the statement, so only their first line compares.)
    const SystemSettings settings(kConnection);
    const Outcome written = settings.setSystemName(QStringLiteral("Acme Telecom"));
    QCOMPARE(settings.lastErrorText().section(QLatin1Char('\n'), 0, 0),
             error.databaseText().section(QLatin1Char('\n'), 0, 0));
    QCOMPARE(settings.lastStatementError(),
             settings.lastErrorText() + QLatin1Char(' ') + error.driverText());
    QCOMPARE(written.message(), QStringLiteral("Cannot open ReqSysNameSet recordset.\n") +
                                    settings.lastStatementError());
}

void TestTableOwners::batchReadsOnceAndWritesBackOnlyWhatItHandedOut()
{
    QVERIFY(exec(QStringLiteral("UPDATE PK_ENT_OM SET PEntOm = 10")));
    QVERIFY(exec(QStringLiteral("UPDATE PK_ATTR_OM SET PAttrOm = 20")));
    // Any write of the attribute counter fails, so a flush that wrote it
    // although it handed nothing out would be refused.
    QVERIFY(StoreTestSupport::refuseInTrigger(
        kConnection, QStringLiteral("attr_fixed"), QStringLiteral("BEFORE UPDATE"),
        QStringLiteral("PK_ATTR_OM"), QStringLiteral("attribute counter written")));

    SaveTransaction transaction(kConnection);
    QVERIFY(transaction.begin());
    CounterBatch batch(kConnection, kModelCounters);
    QCOMPARE(batch.allocate(Counter::EntOm, "read failed\n").value(), 11);
    // Read once: a change behind the batch's back is not seen again.
    QVERIFY(exec(QStringLiteral("UPDATE PK_ENT_OM SET PEntOm = 500")));
    QCOMPARE(batch.allocate(Counter::EntOm, "read failed\n").value(), 12);
    const Result<qint32> outside = batch.allocate(Counter::MethOm, "read failed\n");
    QVERIFY(!outside);
    QVERIFY(outside.outcome().message().startsWith(QStringLiteral("read failed\n")));
    QVERIFY(batch.flush());
    QVERIFY(transaction.commit());
    QCOMPARE(scalar(QStringLiteral("SELECT PEntOm FROM PK_ENT_OM")).toInt(), 12);
    QCOMPARE(scalar(QStringLiteral("SELECT PAttrOm FROM PK_ATTR_OM")).toInt(), 20);

    // A handed-out attribute key must be written back, and its failure is
    // worded with the counter's own first line.
    QCOMPARE(batch.allocate(Counter::AttrOm, "read failed\n").value(), 21);
    const Outcome flushed = batch.flush();
    QVERIFY(!flushed);
    QVERIFY2(flushed.message().startsWith(QStringLiteral("Error writing PK_ATTR_OM.\n")),
             qPrintable(flushed.message()));
    QVERIFY(flushed.message().contains(QStringLiteral("attribute counter written")));
}

void TestTableOwners::batchRefusesDamagedCounters_data()
{
    QTest::addColumn<QString>("arrange");
    QTest::addColumn<QString>("message");
    QTest::newRow("below zero") << "UPDATE PK_ENT_OM SET PEntOm = -3"
                                << "Validation error. The PK_ENT_OM key counter holds -3; keys are "
                                   "positive numbers.\nYour database may be corrupt.";
    QTest::newRow("every key handed out") << "UPDATE PK_ENT_OM SET PEntOm = 2147483647"
                                          << "Error reading.\nEvery key has been handed out.";
    QTest::newRow("no row") << "DELETE FROM PK_ENT_OM"
                            << "Error reading.\nNo current record.";
}

void TestTableOwners::batchRefusesDamagedCounters()
{
    QFETCH(QString, arrange);
    QFETCH(QString, message);
    QVERIFY(exec(arrange));
    CounterBatch batch(kConnection, kModelCounters);
    const Result<qint32> key = batch.allocate(Counter::EntOm, "Error reading.\n");
    QVERIFY(!key);
    QCOMPARE(key.outcome().message(), message);
    // The other counter of the batch still hands out keys.
    QCOMPARE(batch.allocate(Counter::AttrOm, "Error reading.\n").value(), 1);
}

void TestTableOwners::batchResetReadsTheCountersAgain()
{
    CounterBatch batch(kConnection, kModelCounters);
    QCOMPARE(batch.allocate(Counter::EntOm, "x\n").value(), 1);
    QCOMPARE(batch.allocate(Counter::EntOm, "x\n").value(), 2);
    // The transaction that used them rolled back: nothing was written.
    batch.reset();
    QVERIFY(exec(QStringLiteral("UPDATE PK_ENT_OM SET PEntOm = 7")));
    QCOMPARE(batch.allocate(Counter::EntOm, "x\n").value(), 8);
    QVERIFY(batch.flush());
    QCOMPARE(scalar(QStringLiteral("SELECT PEntOm FROM PK_ENT_OM")).toInt(), 8);
}

void TestTableOwners::resetToZeroTouchesOnlyTheNamedCounters()
{
    for (const char *table :
         {"PK_ENT_OM SET PEntOm", "PK_PV_OM SET PPvOm", "PK_DEP_REQ SET PDepReq"})
        QVERIFY(exec(QStringLiteral("UPDATE %1 = 9").arg(QLatin1String(table))));
    const Counter emptied[] = {Counter::EntOm, Counter::PvOm};
    QVERIFY(CounterBatch::resetToZero(kConnection, emptied));
    QCOMPARE(scalar(QStringLiteral("SELECT PEntOm FROM PK_ENT_OM")).toInt(), 0);
    QCOMPARE(scalar(QStringLiteral("SELECT PPvOm FROM PK_PV_OM")).toInt(), 0);
    QCOMPARE(scalar(QStringLiteral("SELECT PDepReq FROM PK_DEP_REQ")).toInt(), 9);

    QVERIFY(exec(QStringLiteral("ALTER TABLE PK_PV_OM RENAME TO PK_PV_GONE")));
    const Outcome failed = CounterBatch::resetToZero(kConnection, emptied);
    QVERIFY(!failed);
    QVERIFY2(failed.message().startsWith(QStringLiteral("Error deleting records from PK_PV_OM.\n")),
             qPrintable(failed.message()));
}

void TestTableOwners::savesOfOthersAreHeard()
{
    SaveNotifications notifications;
    if (!TestBackend::isServer()) {
        // A workspace file has nobody else to hear from.
        QVERIFY(!notifications.listen(kConnection));
        QVERIFY(!notifications.isListening());
        return;
    }
    QVERIFY(notifications.listen(kConnection));
    QSignalSpy heard(&notifications, &SaveNotifications::savedElsewhere);

    // This connection's own save is not passed on.
    QVERIFY(exec(SqlDialect::announceChange(Backend::PostgreSQL)));
    const QString other = kConnection + QStringLiteral("-other");
    {
        const QSqlDatabase mine = QSqlDatabase::database(kConnection, false);
        QSqlDatabase second = QSqlDatabase::cloneDatabase(mine, other);
        QVERIFY(second.open());
        QVERIFY(QSqlQuery(second).exec(SqlDialect::announceChange(Backend::PostgreSQL)));
    }
    QTRY_COMPARE(heard.size(), 1);
    QTest::qWait(100);
    QCOMPARE(heard.size(), 1);

    notifications.stop();
    QVERIFY(!notifications.isListening());
    {
        QSqlDatabase second = QSqlDatabase::database(other, false);
        QVERIFY(QSqlQuery(second).exec(SqlDialect::announceChange(Backend::PostgreSQL)));
    }
    QTest::qWait(200);
    QCOMPARE(heard.size(), 1);
    SqlConnection::close(other);
}

QTEST_GUILESS_MAIN(TestTableOwners)
#include "tst_tableowners.moc"
