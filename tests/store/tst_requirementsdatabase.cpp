// The looks at a workspace's database file that Open takes before anything
// writes to it, and the connection that makes sure a file is one.
#include "support/storetestsupport.h"

#include "store/requirementsdatabase.h"
#include "store/schemaextensions.h"
#include "store/sqlconnection.h"

#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

using namespace varn;
using namespace varn::store;

Q_DECLARE_METATYPE(varn::store::SchemaExtensions::Script)

namespace {

const QString kConnection = QStringLiteral("tst_requirementsdatabase");

} // namespace

class TestRequirementsDatabase : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_blank;

    // Runs the statements on a connection of their own and closes it.
    bool arrange(const QString &path, const QStringList &statements)
    {
        const QString name = QStringLiteral("arrange");
        bool done = bool(SqlConnection::connect(name, path));
        for (const QString &statement : statements)
            done = done && StoreTestSupport::exec(name, statement);
        SqlConnection::close(name);
        return done;
    }

private slots:
    void initTestCase() { StoreTestSupport::initResources(); }
    void init()
    {
        m_blank = StoreTestSupport::copyBlankImage(m_folder);
        QVERIFY(!m_blank.isEmpty());
    }
    void cleanup() { SqlConnection::close(kConnection); }

    void tablesOfTheBlankImage()
    {
        const Result<RequirementsDatabase::Tables> tables =
            RequirementsDatabase::tablesOf(m_blank, ConnectionAccess::ReadOnly);
        QVERIFY(tables);
        QCOMPARE(tables->value(QStringLiteral("DEPENDENT_REQ")),
                 (QStringList{"Dep_Num", "FK_ReqNum", "Dep_ReqNum"}));
        QCOMPARE(tables->value(QStringLiteral("PK_DEP_REQ")), QStringList{"PDepReq"});
        QVERIFY(tables->value(QStringLiteral("SYSTEM_NAME")).contains("BackgroundColor"));
        QVERIFY(!tables->contains(QStringLiteral("sqlite_sequence")));
        // A look leaves no connection behind.
        QCOMPARE(QSqlDatabase::connectionNames(), QStringList{});
    }

    void filesThatAreNoRequirementsDatabase_data()
    {
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no SYSTEM_NAME")
            << QStringList{"DROP TABLE SYSTEM_NAME"} << "no such table: SYSTEM_NAME";
        QTest::newRow("no row") << QStringList{"DELETE FROM SYSTEM_NAME"} << "";
    }

    void filesThatAreNoRequirementsDatabase()
    {
        QFETCH(QStringList, statements);
        QFETCH(QString, reason);
        QVERIFY(arrange(m_blank, statements));
        const Result<QString> name =
            RequirementsDatabase::systemNameOf(m_blank, ConnectionAccess::Unchanged);
        QVERIFY(!name);
        QVERIFY2(name.outcome().message().startsWith(
                     QStringLiteral("The system name cannot be read from the database: ") + reason),
                 qPrintable(name.outcome().message()));
        QCOMPARE(QSqlDatabase::connectionNames(), QStringList{});

        // Connecting refuses it only where a table is missing, and closes again.
        const Outcome connected =
            RequirementsDatabase::connect(kConnection, m_blank, ConnectionAccess::ReadWrite);
        QCOMPARE(connected.isOk(), reason.isEmpty());
        if (!connected) {
            QCOMPARE(connected.message(),
                     QStringLiteral("%1 is not a requirements database.").arg(m_blank));
            QVERIFY(!QSqlDatabase::contains(kConnection));
        }
    }

    // Later features' tables: only what is missing is created, all or none.
    void extensionsCreateOnlyTheMissingTables_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QList<SchemaExtensions::Script>>("scripts");
        QTest::addColumn<QStringList>("applied");
        QTest::addColumn<QStringList>("tablesAfter");
        QTest::addColumn<int>("rowsInA");

        const SchemaExtensions::Script a{
            "a", "-- first\nCREATE TABLE IF NOT EXISTS EXT_A (Id INTEGER PRIMARY KEY);\n"
                 "CREATE INDEX IF NOT EXISTS EXT_A_Id ON EXT_A (Id);\n"
                 "INSERT INTO EXT_A VALUES (1);\n"};
        const SchemaExtensions::Script b{"b", "CREATE TABLE IF NOT EXISTS EXT_B (Id INTEGER);\n"
                                              "CREATE TABLE IF NOT EXISTS EXT_C (Id INTEGER);\n"};
        const SchemaExtensions::Script broken{"broken",
                                              "CREATE TABLE IF NOT EXISTS EXT_D (Id INTEGER);\n"
                                              "CREATE TABLE EXT_A (Id INTEGER);\n"};
        QTest::newRow("all missing") << QStringList{} << QList{a, b} << QStringList{"a", "b"}
                                     << QStringList{"EXT_A", "EXT_B", "EXT_C"} << 1;
        QTest::newRow("present ones not run again")
            << QStringList{"CREATE TABLE EXT_A (Id INTEGER PRIMARY KEY)",
                           "CREATE INDEX EXT_A_Id ON EXT_A (Id)"}
            << QList{a, b}
            << QStringList{"b"} << QStringList{"EXT_A", "EXT_B", "EXT_C"} << 0;
        QTest::newRow("one table of two missing")
            << QStringList{"CREATE TABLE EXT_B (Id INTEGER)"} << QList{b} << QStringList{"b"}
            << QStringList{"EXT_B", "EXT_C"} << -1;
        // Indexes a later feature adds to the tables of old: a file gains
        // them once, and a file that holds them runs nothing.
        const SchemaExtensions::Script indexes{
            "orders", "CREATE INDEX IF NOT EXISTS EXT_MASTER_Para ON MASTER_REQ (ParaNum);\n"
                      "CREATE INDEX IF NOT EXISTS EXT_MASTER_Text ON MASTER_REQ (ReqText);\n"};
        QTest::newRow("missing indexes")
            << QStringList{} << QList{indexes} << QStringList{"orders"} << QStringList{} << -1;
        QTest::newRow("one index of two missing")
            << QStringList{"CREATE INDEX EXT_MASTER_Para ON MASTER_REQ (ParaNum)"}
            << QList{a, indexes} << QStringList{"a", "orders"} << QStringList{"EXT_A"} << 1;
        QTest::newRow("a failure leaves none")
            << QStringList{} << QList{b, a, broken} << QStringList{} << QStringList{} << -1;
    }

    void extensionsCreateOnlyTheMissingTables()
    {
        QFETCH(QStringList, before);
        QFETCH(QList<SchemaExtensions::Script>, scripts);
        QFETCH(QStringList, applied);
        QFETCH(QStringList, tablesAfter);
        QFETCH(int, rowsInA);
        QVERIFY(arrange(m_blank, before));
        QVERIFY(SqlConnection::connect(kConnection, m_blank));

        const Result<QStringList> first = SchemaExtensions::bringUpToDate(kConnection, scripts);
        QCOMPARE(bool(first), !applied.isEmpty());
        if (first)
            QCOMPARE(first.value(), applied);
        else
            QVERIFY2(first.outcome().message().contains("broken"),
                     qPrintable(first.outcome().message()));
        QStringList extensionTables = QSqlDatabase::database(kConnection).tables();
        extensionTables = extensionTables.filter(QRegularExpression("^EXT_"));
        extensionTables.sort();
        if (first)
            QCOMPARE(extensionTables, tablesAfter);
        else
            QCOMPARE(extensionTables, before);
        if (rowsInA >= 0)
            QCOMPARE(StoreTestSupport::scalar(kConnection, "SELECT COUNT(*) FROM EXT_A").toInt(),
                     rowsInA);
        if (first) {
            const Result<QStringList> again = SchemaExtensions::bringUpToDate(kConnection, scripts);
            QVERIFY(again);
            QCOMPARE(again.value(), QStringList{});
        }
    }

    void systemNameOfAFile()
    {
        QVERIFY(arrange(m_blank, {"UPDATE SYSTEM_NAME SET SystemName = 'Acme Telecom'"}));
        QCOMPARE(RequirementsDatabase::systemNameOf(m_blank, ConnectionAccess::Immutable).value(),
                 QStringLiteral("Acme Telecom"));
    }

    void anUnreadableSystemNameIsReportedAsTheStatementSaysIt()
    {
        QVERIFY(arrange(m_blank, {"DROP TABLE SYSTEM_NAME"}));
        QString expected;
        {
            QVERIFY(SqlConnection::connect(kConnection, m_blank));
            QSqlQuery query(QSqlDatabase::database(kConnection));
            QVERIFY(!query.exec(QStringLiteral("SELECT SystemName FROM SYSTEM_NAME")));
            expected = query.lastError().text().trimmed();
        }
        SqlConnection::close(kConnection);
        QCOMPARE(RequirementsDatabase::systemNameOf(m_blank, ConnectionAccess::Unchanged)
                     .outcome()
                     .message(),
                 QStringLiteral("The system name cannot be read from the database: ") + expected);
    }

    void notADatabaseAtAll()
    {
        const QString text = m_folder.filePath(QStringLiteral("notes.mdb"));
        QFile file(text);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
        file.close();
        QVERIFY(!RequirementsDatabase::tablesOf(text, ConnectionAccess::ReadOnly));
        QVERIFY(!RequirementsDatabase::holdsRequirements(text));
        QVERIFY(!RequirementsDatabase::holdsRequirements(m_folder.filePath("missing.mdb")));
        QVERIFY(!RequirementsDatabase::connect(kConnection, text, ConnectionAccess::ReadWrite));
        QVERIFY(!QSqlDatabase::contains(kConnection));
    }

    void whatTheDatabaseHolds()
    {
        QVERIFY(!RequirementsDatabase::holdsRequirements(m_blank));
        QVERIFY(arrange(
            m_blank,
            {"INSERT INTO MASTER_REQ (Req_Num, FSTType, Source) VALUES (1, 'Functional', 1)",
             "INSERT INTO MASTER_REQ (Req_Num, FSTType, Source) VALUES (2, 'Deleted', 1)",
             "INSERT INTO MASTER_REQ (Req_Num, FSTType, Source) VALUES (3, NULL, 23)"}));
        QVERIFY(RequirementsDatabase::holdsRequirements(m_blank));

        QVERIFY(RequirementsDatabase::connect(kConnection, m_blank, ConnectionAccess::ReadWrite));
        QCOMPARE(RequirementsDatabase::liveRequirementCount(kConnection).value(), 2);
        QVERIFY(StoreTestSupport::exec(kConnection, "DROP VIEW \"System Requirements\""));
        QVERIFY(StoreTestSupport::exec(kConnection, "ALTER TABLE MASTER_REQ RENAME TO GONE"));
        const Result<int> count = RequirementsDatabase::liveRequirementCount(kConnection);
        QVERIFY(!count);
        QVERIFY(count.outcome().message().startsWith(
            QStringLiteral("Cannot open ReqMsSet recordset.\n")));
    }
};

QTEST_GUILESS_MAIN(TestRequirementsDatabase)
#include "tst_requirementsdatabase.moc"
