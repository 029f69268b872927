#include "support/storetestsupport.h"

#include "store/recordobjects.h"

#include <QTest>

#include <memory>

using namespace varn::store;

Q_DECLARE_METATYPE(RecordGroup)

namespace {

const QString kConnection = QStringLiteral("tst_recordgroups");

QStringList namesOf(const QList<RecordSetCore *> &sets)
{
    QStringList names;
    for (const RecordSetCore *set : sets)
        names.append(set->tableName());
    return names;
}

} // namespace

class TestRecordGroups : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { StoreTestSupport::initResources(); }
    void init();
    void cleanup();

    void groupsHoldTheirTablesInOrder_data();
    void groupsHoldTheirTablesInOrder();
    void openingResetsEachSet_data();
    void openingResetsEachSet();
    void closingClosesEachSet();
    void openFailureNamesTheFirstSetAndClosesTheGroup();

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<RecordObjects> m_records;
};

void TestRecordGroups::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(StoreTestSupport::openFreshDatabase(*m_folder, kConnection));
    m_records = std::make_unique<RecordObjects>(kConnection);
}

void TestRecordGroups::cleanup()
{
    m_records.reset();
    StoreTestSupport::closeDatabase(kConnection);
    m_folder.reset();
}

void TestRecordGroups::groupsHoldTheirTablesInOrder_data()
{
    QTest::addColumn<RecordGroup>("group");
    QTest::addColumn<QStringList>("tables");
    QTest::newRow("functional") << RecordGroup::Functional
                                << QStringList{"FUNC_REQ", "MASTER_REQ", "PK_MASTR_REQ",
                                               "DEPENDENT_REQ", "PK_DEP_REQ"};
    QTest::newRow("structural") << RecordGroup::Structural
                                << QStringList{"STRUC_REQ", "MASTER_REQ", "PK_MASTR_REQ",
                                               "POSS_VALS", "PK_PV_REQ",  "DEPENDENT_REQ",
                                               "PK_DEP_REQ"};
    QTest::newRow("all requirements")
        << RecordGroup::AllRequirements
        << QStringList{"FUNC_REQ",  "STRUC_REQ", "MASTER_REQ",    "PK_MASTR_REQ",
                       "POSS_VALS", "PK_PV_REQ", "DEPENDENT_REQ", "PK_DEP_REQ"};
    QTest::newRow("object model") << RecordGroup::ObjectModel
                                  << QStringList{"PK_ENT_REQ", "PK_AGG_OM",  "PK_ATTR_OM",
                                                 "PK_ENT_OM",  "PK_INH_OM",  "PK_METH_OM",
                                                 "PK_PV_OM",   "REQ_ENTITY", "OM_AGG",
                                                 "OM_ATTR",    "OM_ENTITY",  "OM_INH",
                                                 "OM_METHOD",  "OM_PV"};
}

void TestRecordGroups::groupsHoldTheirTablesInOrder()
{
    QFETCH(RecordGroup, group);
    QFETCH(QStringList, tables);
    QCOMPARE(namesOf(m_records->groupSets(group)), tables);
}

void TestRecordGroups::openingResetsEachSet_data()
{
    QTest::addColumn<RecordGroup>("group");
    QTest::newRow("functional") << RecordGroup::Functional;
    QTest::newRow("structural") << RecordGroup::Structural;
    QTest::newRow("all requirements") << RecordGroup::AllRequirements;
    QTest::newRow("object model") << RecordGroup::ObjectModel;
}

void TestRecordGroups::openingResetsEachSet()
{
    QFETCH(RecordGroup, group);
    // Leftovers of an earlier use: a filter that selects nothing on every
    // set, and a statement of a caller's own.
    for (RecordGroup any : {RecordGroup::AllRequirements, RecordGroup::ObjectModel}) {
        for (RecordSetCore *set : m_records->groupSets(any))
            set->setFilter(QStringLiteral("1 = ?"), {0});
    }
    QVERIFY(m_records->reqMsSet().open(QStringLiteral("Select * from MASTER_REQ")));

    QVERIFY(m_records->openGroup(group));
    const QList<RecordSetCore *> members = m_records->groupSets(group);
    for (RecordSetCore *set : members) {
        QVERIFY2(set->isOpen(), qPrintable(set->name()));
        QVERIFY2(set->filter().isEmpty(), qPrintable(set->name()));
        QVERIFY2(set->canAppend(), qPrintable(set->name()));
        // Counters stand on their one row, so allocation can follow.
        if (set->tableName().startsWith(QLatin1String("PK_")))
            QVERIFY2(!set->isEOF(), qPrintable(set->name()));
    }
    // Sets outside the group stay as they were.
    for (RecordSetCore *outside : {static_cast<RecordSetCore *>(&m_records->reqAtSet()),
                                   static_cast<RecordSetCore *>(&m_records->reqMsSet())}) {
        if (members.contains(outside))
            continue;
        QCOMPARE(outside->filter(), QStringLiteral("1 = ?"));
        QCOMPARE(outside->isOpen(), outside == &m_records->reqMsSet());
    }

    // Opening again starts over.
    QVERIFY(m_records->openGroup(group));
    QCOMPARE(m_records->groupSets(group).first()->isOpen(), true);
}

void TestRecordGroups::closingClosesEachSet()
{
    QVERIFY(m_records->openGroup(RecordGroup::Functional));
    QVERIFY(m_records->openGroup(RecordGroup::ObjectModel));
    m_records->closeGroup(RecordGroup::ObjectModel);
    for (RecordSetCore *set : m_records->groupSets(RecordGroup::ObjectModel))
        QVERIFY2(!set->isOpen(), qPrintable(set->name()));
    for (RecordSetCore *set : m_records->groupSets(RecordGroup::Functional))
        QVERIFY2(set->isOpen(), qPrintable(set->name()));
    m_records->closeAll();
    QVERIFY(!m_records->reqMsSet().isOpen());
}

void TestRecordGroups::openFailureNamesTheFirstSetAndClosesTheGroup()
{
    QVERIFY(StoreTestSupport::exec(kConnection, QStringLiteral("DROP TABLE OM_PV")));
    QVERIFY(StoreTestSupport::exec(kConnection, QStringLiteral("DROP TABLE OM_AGG")));
    const varn::Outcome outcome = m_records->openGroup(RecordGroup::ObjectModel);
    QVERIFY(!outcome);
    QCOMPARE(outcome.kind(), varn::MessageKind::Stop);
    QVERIFY2(outcome.message().startsWith(QStringLiteral("Cannot open ReqAgSet recordset.\n")),
             qPrintable(outcome.message()));
    for (RecordSetCore *set : m_records->groupSets(RecordGroup::ObjectModel))
        QVERIFY2(!set->isOpen(), qPrintable(set->name()));
    // The other groups do not depend on those tables.
    QVERIFY(m_records->openGroup(RecordGroup::AllRequirements));
}

QTEST_GUILESS_MAIN(TestRecordGroups)
#include "tst_recordgroups.moc"
