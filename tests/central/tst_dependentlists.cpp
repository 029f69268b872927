// What Requirements Central shows of a parent's links: the dependents the
// Parent-Dependent dialog lists, and the rows `show` prints.
#include "central/dependentlinks.h"
#include "central/requirementdump.h"
#include "central/requirementpicklist.h"
#include "support/storetestsupport.h"

#include <QtTest>

using namespace varn;
using namespace varn::central;

namespace {

const QString kConnection = QStringLiteral("dependentlists");

// Requirements 1 to `count`: every tenth one deleted.
bool storeRequirements(int count)
{
    return StoreTestSupport::exec(
        kConnection,
        QStringLiteral(
            "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < %1) "
            "INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, "
            "Release, Version, ParaNum, Preamble, ReqText, OrigReqNum, DateSaved) "
            "SELECT x, CASE WHEN x % 10 = 0 THEN 'Deleted' ELSE 'Technical' END, 23, "
            "'Software', 1, 1, 1, 'None', 'The ESD system shall', 'run ' || x, x, "
            "'3-7-2009' FROM n")
            .arg(count));
}

} // namespace

class DependentListsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;

private slots:
    void initTestCase() { StoreTestSupport::initResources(); }
    void init() { QVERIFY(StoreTestSupport::openFreshDatabase(m_folder, kConnection)); }
    void cleanup() { StoreTestSupport::closeDatabase(kConnection); }

    void pickListHoldsEveryStoredDependent_data()
    {
        QTest::addColumn<int>("dependents");
        QTest::newRow("a few") << 3;
        // More numbers than one statement binds.
        QTest::newRow("a great many") << 1234;
    }

    void pickListHoldsEveryStoredDependent()
    {
        QFETCH(int, dependents);
        QVERIFY(storeRequirements(dependents + 1));
        // Saved in descending order, with a number no requirement has.
        QList<int> saved{dependents + 50};
        for (int number = dependents + 1; number >= 2; --number)
            saved.append(number);
        QVERIFY(DependentLinks(kConnection).saveDependents(1, saved));

        const Result<QList<PickedRequirement>> picked =
            RequirementPickList(kConnection).dependentsOf(1);
        QVERIFY(picked);
        // By number, deleted ones too, and nothing for the missing number.
        QCOMPARE(picked->size(), dependents);
        for (int i = 0; i < picked->size(); ++i) {
            const PickedRequirement &row = picked->at(i);
            QCOMPARE(row.number, i + 2);
            QCOMPARE(row.type, QLatin1String(row.number % 10 == 0 ? "Deleted" : "Technical"));
            QCOMPARE(row.sentence, QStringLiteral("The ESD system shall run %1").arg(row.number));
        }
        QVERIFY(RequirementPickList(kConnection).dependentsOf(2)->isEmpty());
    }

    void unreadableLinksFailTheRequirementsQuery()
    {
        QVERIFY(storeRequirements(3));
        QVERIFY(StoreTestSupport::exec(kConnection, "DROP TABLE DEPENDENT_REQ"));
        const Result<QList<PickedRequirement>> picked =
            RequirementPickList(kConnection).dependentsOf(1);
        QVERIFY(!picked);
        QCOMPARE(picked.outcome().kind(), MessageKind::Stop);
        const QString message = picked.outcome().message();
        QVERIFY2(message.startsWith(QStringLiteral("Error querying the ReqMsSet recordset.\n")),
                 qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("DEPENDENT_REQ"), Qt::CaseInsensitive),
                 qPrintable(message));
    }

    void dumpListsTheLinksAfterTheRequirementsRows()
    {
        QVERIFY(storeRequirements(4));
        QVERIFY(StoreTestSupport::exec(kConnection, "UPDATE PK_DEP_REQ SET PDepReq = 10"));
        QVERIFY(DependentLinks(kConnection).saveDependents(2, {4, 3}));
        const Result<QList<DumpedRow>> rows = RequirementDump::read(kConnection, 2);
        QVERIFY(rows);
        QList<DumpedRow> links;
        for (const DumpedRow &row : rows.value()) {
            if (row.table == QLatin1String("DEPENDENT_REQ"))
                links.append(row);
            else
                QVERIFY2(links.isEmpty(), "a requirement's row after its links");
        }
        QCOMPARE(links.size(), 2);
        using Fields = QList<std::pair<QString, QString>>;
        QCOMPARE(links[0].fields, (Fields{{"Dep_Num", "12"}, {"Dep_ReqNum", "3"}}));
        QCOMPARE(links[1].fields, (Fields{{"Dep_Num", "11"}, {"Dep_ReqNum", "4"}}));

        QCOMPARE(
            RequirementDump::read(kConnection, 7).outcome().message(),
            QStringLiteral("The Requirement Number does not exist in the Requirements database."));
    }
};

QTEST_GUILESS_MAIN(DependentListsTest)
#include "tst_dependentlists.moc"
