// The list's indexes set aside for a bulk load: built again from the same
// definitions with the rows written meanwhile, the connection's sorter
// setting as it was before, and nothing set aside after a rollback.
#include "store/suspendedindexes.h"
#include "support/storetestsupport.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

using namespace varn;

namespace {

const QString kConnection = QStringLiteral("suspended");
constexpr const char *kTables[] = {"MASTER_REQ"};

QStringList indexes()
{
    return StoreTestSupport::column(
        kConnection, QStringLiteral("SELECT name || ' ' || sql FROM sqlite_master WHERE type = "
                                    "'index' AND tbl_name = 'MASTER_REQ' AND sql IS NOT NULL "
                                    "ORDER BY name"));
}

bool exec(const QString &sql)
{
    QSqlQuery query(QSqlDatabase::database(kConnection, false));
    return query.exec(sql);
}

} // namespace

class SuspendedIndexesTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;

private slots:
    void init() { QVERIFY(StoreTestSupport::openFreshDatabase(m_folder, kConnection)); }
    void cleanup() { StoreTestSupport::closeDatabase(kConnection); }

    // Whatever the sorter was allowed before, the rebuild leaves it so.
    void restoredAsBefore_data()
    {
        QTest::addColumn<int>("threads");
        QTest::newRow("none") << 0;
        QTest::newRow("one") << 1;
        QTest::newRow("more than the rebuild asks") << 4;
    }
    void restoredAsBefore()
    {
        QFETCH(int, threads);
        QVERIFY(exec(QStringLiteral("PRAGMA threads = %1").arg(threads)));
        const int before =
            StoreTestSupport::scalar(kConnection, QStringLiteral("PRAGMA threads")).toInt();
        const QStringList stored = indexes();
        QVERIFY(!stored.isEmpty());

        QVERIFY(QSqlDatabase::database(kConnection).transaction());
        Result<store::SuspendedIndexes> suspended =
            store::SuspendedIndexes::suspend(kConnection, kTables);
        QVERIFY2(suspended, qPrintable(suspended.outcome().message()));
        QVERIFY(indexes().isEmpty());
        for (int number = 1; number <= 50; ++number)
            QVERIFY(exec(QStringLiteral("INSERT INTO MASTER_REQ (Req_Num, FSTType, Category, "
                                        "ParaNum, Preamble, ReqText) VALUES (%1, 'Technical', "
                                        "'Software', '%2', 'The Acme system shall', 'log %1')")
                             .arg(number)
                             .arg(number % 7)));
        const Outcome restored = suspended->restore();
        QVERIFY2(restored, qPrintable(restored.message()));
        QVERIFY(QSqlDatabase::database(kConnection).commit());

        QCOMPARE(indexes(), stored);
        QCOMPARE(StoreTestSupport::scalar(kConnection, QStringLiteral("PRAGMA threads")).toInt(),
                 before);
        QCOMPARE(StoreTestSupport::scalar(kConnection, QStringLiteral("PRAGMA integrity_check"))
                     .toString(),
                 QStringLiteral("ok"));
        QCOMPARE(StoreTestSupport::scalar(
                     kConnection, QStringLiteral("SELECT COUNT(*) FROM MASTER_REQ INDEXED BY "
                                                 "MASTER_REQ_List_Paragraph WHERE ParaNum = '3'"))
                     .toInt(),
                 7);
    }

    void rollbackBringsThemBack()
    {
        const QStringList stored = indexes();
        QVERIFY(QSqlDatabase::database(kConnection).transaction());
        Result<store::SuspendedIndexes> suspended =
            store::SuspendedIndexes::suspend(kConnection, kTables);
        QVERIFY2(suspended, qPrintable(suspended.outcome().message()));
        QVERIFY(indexes().isEmpty());
        QVERIFY(QSqlDatabase::database(kConnection).rollback());
        QCOMPARE(indexes(), stored);
    }
};

QTEST_GUILESS_MAIN(SuspendedIndexesTest)
#include "tst_suspendedindexes.moc"
