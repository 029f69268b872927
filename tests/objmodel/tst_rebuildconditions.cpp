// The connection settings a regeneration runs with, and the ones it leaves
// behind: a larger page cache, and foreign keys checked once at the end.
#include "objmodel/objectmodelregenerator.h"
#include "store/foreignkeyscheckedonce.h"
#include "store/largerpagecache.h"
#include "support/exampledrafts.h"
#include "support/freshworkspace.h"
#include "support/storetestsupport.h"
#include "templates/functionalcommit.h"

#include <QSqlDatabase>
#include <QtTest>

#include <optional>

using namespace varn;
using store::ForeignKeysCheckedOnce;
using store::LargerPageCache;

namespace {

const QString kConnection = QStringLiteral("rebuild-conditions");

constexpr const char *kCheckedTables[] = {"OM_ATTR", "OM_INH", "REQ_ENTITY"};

QVariant scalar(const QString &sql)
{
    return StoreTestSupport::scalar(kConnection, sql);
}

QSqlDatabase database()
{
    return QSqlDatabase::database(kConnection);
}

} // namespace

class RebuildConditionsTest : public QObject
{
    Q_OBJECT

    std::optional<FreshWorkspace> m_workspace;

private slots:
    void initTestCase() { StoreTestSupport::initResources(); }
    void init() { QVERIFY(m_workspace.emplace(kConnection).isOpen()); }
    void cleanup() { m_workspace.reset(); }

    void pageCacheGrowsAndComesBack_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("during");
        QTest::newRow("the default 2 MB") << -2000 << -LargerPageCache::kKibibytes;
        QTest::newRow("a small count of pages") << -100 << -LargerPageCache::kKibibytes;
        QTest::newRow("already larger in KiB") << -200000 << -200000;
        QTest::newRow("set in pages") << 50000 << 50000;
    }

    void pageCacheGrowsAndComesBack()
    {
        QFETCH(int, before);
        QFETCH(int, during);
        QVERIFY(StoreTestSupport::exec(kConnection,
                                       QStringLiteral("PRAGMA cache_size = %1").arg(before)));
        {
            const LargerPageCache cache(kConnection);
            QCOMPARE(scalar("PRAGMA cache_size").toInt(), during);
        }
        QCOMPARE(scalar("PRAGMA cache_size").toInt(), before);
    }

    // Rows written while the keys are off, then the check before commit.
    void foreignKeysCheckedAtTheEnd_data()
    {
        QTest::addColumn<bool>("enforcedBefore");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("rows that refer to rows")
            << true
            << "INSERT INTO OM_ENTITY VALUES (1, 'Sensor') ;; "
               "INSERT INTO OM_ATTR VALUES (1, 'level', 'int', 1) ;; "
               "INSERT INTO OM_INH VALUES (1, 'Wind_Sensor', NULL)"
            << "";
        QTest::newRow("an attribute of no entity")
            << true
            << "INSERT INTO OM_ENTITY VALUES (1, 'Sensor') ;; "
               "INSERT INTO OM_ATTR VALUES (7, 'level', 'int', 2)"
            << "FOREIGN KEY constraint failed: row 7 of OM_ATTR refers to a missing row of "
               "OM_ENTITY.";
        QTest::newRow("a requirement's entity of no requirement")
            << true << "INSERT INTO REQ_ENTITY VALUES (3, 'Sensor', 41, NULL, NULL)"
            << "FOREIGN KEY constraint failed: row 3 of REQ_ENTITY refers to a missing row of "
               "FUNC_REQ.";
        QTest::newRow("keys not enforced on the connection: nothing to check")
            << false << "INSERT INTO OM_ATTR VALUES (7, 'level', 'int', 2)"
            << "";
    }

    // Made inside a transaction, where SQLite ignores the switch: the keys
    // stay enforced and the transaction still refuses at its commit.
    void foreignKeysStayWithinATransaction()
    {
        QVERIFY(database().transaction());
        {
            const ForeignKeysCheckedOnce keys(kConnection);
            QCOMPARE(scalar("PRAGMA foreign_keys").toInt(), 1);
            QVERIFY(StoreTestSupport::exec(kConnection,
                                           "INSERT INTO OM_ATTR VALUES (7, 'level', 'int', 2)"));
            QVERIFY(keys.check(kCheckedTables));
        }
        QCOMPARE(scalar("PRAGMA foreign_keys").toInt(), 1);
        QVERIFY(!database().commit());
        QVERIFY(database().rollback());
    }

    void foreignKeysCheckedAtTheEnd()
    {
        QFETCH(bool, enforcedBefore);
        QFETCH(QString, rows);
        QFETCH(QString, refusal);
        QVERIFY(StoreTestSupport::exec(
            kConnection, enforcedBefore ? QStringLiteral("PRAGMA foreign_keys = ON")
                                        : QStringLiteral("PRAGMA foreign_keys = OFF")));
        {
            const ForeignKeysCheckedOnce keys(kConnection);
            QCOMPARE(scalar("PRAGMA foreign_keys").toInt(), 0);
            QVERIFY(database().transaction());
            for (const QString &statement : rows.split(QStringLiteral(" ;; ")))
                QVERIFY2(StoreTestSupport::exec(kConnection, statement), qPrintable(statement));
            const Outcome checked = keys.check(kCheckedTables);
            QCOMPARE(checked.message(), refusal);
            QCOMPARE(bool(checked), refusal.isEmpty());
            QVERIFY(database().rollback());
        }
        QCOMPARE(scalar("PRAGMA foreign_keys").toInt(), enforcedBefore ? 1 : 0);
    }

    // A model row that refers to nothing, written during the rebuild by a
    // trigger standing for a damaged database, keeps the old model.
    void regenerationRefusesRowsReferringToNothing()
    {
        templates::FunctionalCommit commit(m_workspace->records(), QStringLiteral("ESD"));
        templates::FunctionalDraft draft = windSensorNotification();
        QVERIFY(commit.save(draft).outcome);
        const QVariant entities = scalar("SELECT COUNT(*) FROM OM_ENTITY");
        QCOMPARE(entities.toInt(), 2);
        QVERIFY(StoreTestSupport::exec(
            kConnection, "CREATE TRIGGER dangle AFTER INSERT ON OM_METHOD BEGIN INSERT INTO "
                         "OM_INH (InH_ID, InH_Entity, FK_EntityID) VALUES (NEW.Method_ID + "
                         "100, 'Stray', 9999); END"));

        objmodel::ObjectModelRegenerator regenerator(kConnection);
        QStringList notices;
        regenerator.setNotices([&](const Outcome &notice) { notices << notice.message(); });
        const Outcome regenerated = regenerator.regenerate();
        QVERIFY(!regenerated);
        QVERIFY2(
            regenerated.message().startsWith("The object model database could not be rebuilt."),
            qPrintable(regenerated.message()));
        QCOMPARE(notices, QStringList{"FOREIGN KEY constraint failed: row 101 of OM_INH refers to "
                                      "a missing row of OM_ENTITY."});
        QCOMPARE(scalar("SELECT COUNT(*) FROM OM_ENTITY"), entities);
        QCOMPARE(scalar("SELECT COUNT(*) FROM OM_INH WHERE InH_Entity = 'Stray'").toInt(), 0);
        QCOMPARE(scalar("PRAGMA foreign_keys").toInt(), 1);

        QVERIFY(StoreTestSupport::exec(kConnection, "DROP TRIGGER dangle"));
        QVERIFY(regenerator.regenerate());
        QCOMPARE(scalar("SELECT COUNT(*) FROM OM_ENTITY"), entities);
        QCOMPARE(scalar("PRAGMA foreign_keys").toInt(), 1);
    }
};

QTEST_GUILESS_MAIN(RebuildConditionsTest)
#include "tst_rebuildconditions.moc"
