// Links become suspect in the transaction of the change that makes them so:
// a new version (the version it replaces retired in the save) or a deletion
// (a MASTER_REQ row edited in place). What fails part-way leaves neither the
// change nor the marks.
#include "central/requirementrows.h"
#include "common/storedwords.h"
#include "store/masterrowedit.h"
#include "store/savetransaction.h"
#include "store/supersededversion.h"
#include "store/suspectlinktable.h"
#include "support/storetestsupport.h"

#include <QSqlDatabase>
#include <QtTest>

using namespace varn;

namespace {

const QString kConnection = QStringLiteral("tst_suspectmarking");

QStringList marks()
{
    return StoreTestSupport::column(
        kConnection,
        QStringLiteral("SELECT FK_ReqNum || '>' || Dep_ReqNum || ' by ' || Changed_ReqNum || '/' "
                       "|| New_ReqNum FROM SUSPECT_LINK ORDER BY FK_ReqNum, Dep_ReqNum"));
}

QString typeOf(int number)
{
    return StoreTestSupport::scalar(
               kConnection,
               QStringLiteral("SELECT FSTType FROM MASTER_REQ WHERE Req_Num = %1").arg(number))
        .toString();
}

// The in-place edit that deletes, or the one that only changes an attribute.
Outcome editInPlace(int number, bool deleting)
{
    store::MasterRowEdit::Steps steps;
    steps.missing = QStringLiteral("missing");
    steps.writeFailed = Outcome::stop(QStringLiteral("write failed"));
    steps.change = [deleting](store::MasterReqRow &row) {
        if (deleting)
            row.FSTType = QString::fromLatin1(StoredWords::kDeleted);
        else
            row.Priority = 5;
    };
    return store::MasterRowEdit::apply(kConnection, number, steps);
}

} // namespace

class SuspectMarkingTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;

private slots:
    void initTestCase() { StoreTestSupport::initResources(); }

    void init()
    {
        QVERIFY(StoreTestSupport::openFreshDatabase(m_folder, kConnection));
        const QSqlDatabase database = QSqlDatabase::database(kConnection, false);
        for (int number = 1; number <= 4; ++number)
            QVERIFY(insertRequirement(database, {number}));
        QVERIFY(StoreTestSupport::exec(kConnection,
                                       QStringLiteral("INSERT INTO DEPENDENT_REQ VALUES (1, 1, 2), "
                                                      "(2, 1, 3), (3, 2, 3), (4, 2, 3)")));
    }

    void cleanup() { StoreTestSupport::closeDatabase(kConnection); }

    // Which links each change marks, and with which change: a link stored
    // twice once, a link not touching the changed row never, an attribute
    // edited in place none.
    void marksTheLinksOfTheChangedRow_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("number");
        QTest::addColumn<QStringList>("marked");
        QTest::newRow("new version of a parent")
            << "version" << 1 << QStringList{"1>2 by 1/9", "1>3 by 1/9"};
        QTest::newRow("new version of a dependent and parent")
            << "version" << 2 << QStringList{"1>2 by 2/9", "2>3 by 2/9"};
        QTest::newRow("deletion of a dependent")
            << "delete" << 3 << QStringList{"1>3 by 3/0", "2>3 by 3/0"};
        QTest::newRow("deletion of an unlinked requirement") << "delete" << 4 << QStringList{};
        QTest::newRow("attribute in place") << "attribute" << 1 << QStringList{};
    }

    void marksTheLinksOfTheChangedRow()
    {
        QFETCH(QString, change);
        QFETCH(int, number);
        QFETCH(QStringList, marked);
        if (change == QLatin1String("version")) {
            QVERIFY(store::SupersededVersion::markDeleted(kConnection, number, QDate(2026, 12, 8)));
            // markDeleted stands for a save; the new version's number:
            QVERIFY(StoreTestSupport::exec(
                kConnection, QStringLiteral("UPDATE SUSPECT_LINK SET New_ReqNum = 9")));
        } else {
            QVERIFY(editInPlace(number, change == QLatin1String("delete")));
        }
        QCOMPARE(marks(), marked);
        QCOMPARE(typeOf(number), change == QLatin1String("attribute") ? QStringLiteral("Functional")
                                                                      : QStringLiteral("Deleted"));
    }

    // The marks share the change's transaction: a save rolled back after
    // the version was retired leaves neither, and a marking that fails fails
    // the deletion with the row as it was.
    void marksGoWithTheChange()
    {
        {
            store::SaveTransaction save(kConnection);
            QVERIFY(save.begin());
            QVERIFY(
                store::SupersededVersion::markDeletedInSave(kConnection, 1, QDate(2026, 12, 8), 5));
            QCOMPARE(marks().size(), 2);
            QVERIFY(save.rollback());
        }
        QCOMPARE(marks(), QStringList());
        QCOMPARE(typeOf(1), QStringLiteral("Functional"));

        QVERIFY(StoreTestSupport::refuseInTrigger(
            kConnection, QStringLiteral("no_marks"), QStringLiteral("BEFORE INSERT"),
            QStringLiteral("SUSPECT_LINK"), QStringLiteral("no marks")));
        const Outcome deleted = editInPlace(3, true);
        QVERIFY(!deleted);
        QVERIFY2(deleted.message().contains(QStringLiteral("no marks")),
                 qPrintable(deleted.message()));
        QCOMPARE(typeOf(3), QStringLiteral("Functional"));
        QVERIFY(StoreTestSupport::dropTrigger(kConnection, QStringLiteral("no_marks"),
                                              QStringLiteral("SUSPECT_LINK")));
        QVERIFY(editInPlace(3, true));
        QCOMPARE(marks().size(), 2);
    }

    // Clearing reviews the open links of a requirement, as parent,
    // dependent or the row that replaced one, and keeps who and when.
    void clearingKeepsWhoAndWhen()
    {
        QVERIFY(store::SupersededVersion::markDeleted(kConnection, 1, QDate(2026, 12, 8)));
        QVERIFY(StoreTestSupport::exec(kConnection,
                                       QStringLiteral("UPDATE SUSPECT_LINK SET New_ReqNum = 7")));
        const store::SuspectLinkTable table(kConnection);
        QCOMPARE(table.clear(7, 2, QStringLiteral("ann"), QStringLiteral("T1")).value(), 1);
        QCOMPARE(table.clear(7, 2, QStringLiteral("bob"), QStringLiteral("T2")).value(), 0);
        QCOMPARE(table.open()->size(), 1);
        QCOMPARE(table.clear(3, std::nullopt, QStringLiteral("bob"), QStringLiteral("T3")).value(),
                 1);
        QVERIFY(table.open()->isEmpty());
        const QList<store::SuspectLink> reviewed = table.reviewed().value();
        QCOMPARE(reviewed.size(), 2);
        QCOMPARE(reviewed.at(0).clearedBy, QStringLiteral("ann"));
        QCOMPARE(reviewed.at(0).clearedAt, QStringLiteral("T1"));
        QCOMPARE(reviewed.at(1).dependent, 3);
        QCOMPARE(reviewed.at(1).clearedBy, QStringLiteral("bob"));
    }
};

QTEST_GUILESS_MAIN(SuspectMarkingTest)
#include "tst_suspectmarking.moc"
