// The page cache a regeneration runs with, and the one left behind it.
#include "objmodel/largerpagecache.h"
#include "support/freshworkspace.h"
#include "support/storetestsupport.h"

#include <QtTest>

using varn::objmodel::LargerPageCache;

namespace {

const QString kConnection = QStringLiteral("page-cache");

int cacheSize()
{
    return StoreTestSupport::scalar(kConnection, QStringLiteral("PRAGMA cache_size")).toInt();
}

} // namespace

class LargerPageCacheTest : public QObject
{
    Q_OBJECT

private slots:
    void growsAndComesBack_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("during");
        QTest::newRow("the default 2 MB") << -2000 << -LargerPageCache::kKibibytes;
        QTest::newRow("a small count of pages") << -100 << -LargerPageCache::kKibibytes;
        QTest::newRow("already larger in KiB") << -200000 << -200000;
        QTest::newRow("set in pages") << 50000 << 50000;
    }

    void growsAndComesBack()
    {
        QFETCH(int, before);
        QFETCH(int, during);
        FreshWorkspace fresh(kConnection);
        QVERIFY(fresh.isOpen());
        QVERIFY(StoreTestSupport::exec(kConnection,
                                       QStringLiteral("PRAGMA cache_size = %1").arg(before)));
        {
            const LargerPageCache cache(QSqlDatabase::database(kConnection));
            QCOMPARE(cacheSize(), during);
        }
        QCOMPARE(cacheSize(), before);
    }
};

QTEST_GUILESS_MAIN(LargerPageCacheTest)
#include "tst_largerpagecache.moc"
