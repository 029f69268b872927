// The word index of a batch built in one pass: the same words as the
// index's triggers give row by row, whatever the batch writes, and nothing
// changed when the batch rolls back.
#include "store/deferredwordindex.h"
#include "support/storetestsupport.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

using namespace varn;

namespace {

const QString kDeferred = QStringLiteral("deferred");
const QString kTriggered = QStringLiteral("triggered");

bool run(const QString &connection, const QStringList &statements)
{
    QSqlQuery query(QSqlDatabase::database(connection, false));
    for (const QString &statement : statements) {
        if (!query.exec(statement)) {
            qWarning("%s: %s", qPrintable(statement), qPrintable(query.lastError().text()));
            return false;
        }
    }
    return true;
}

QString requirement(int number, const char *kind, const char *text, const char *comments = "")
{
    return QStringLiteral("INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, "
                          "Release, Version, ParaNum, Preamble, ReqText, OrigReqNum, DateSaved, "
                          "Comments) VALUES (%1, '%2', 23, 'Software', 1, 1, 1, '%3', 'The Acme "
                          "system shall', '%4', %1, '1-2-2026', '%5')")
        .arg(number)
        .arg(QLatin1String(kind), QString::number(number % 4), QLatin1String(text),
             QLatin1String(comments));
}

// Every indexed row with its columns, and the triggers of both schemas.
QStringList wordsAndTriggers(const QString &connection)
{
    return StoreTestSupport::column(
               connection,
               QStringLiteral("SELECT rowid || '|' || Sentence || '|' || COALESCE(Paragraph, "
                              "'<null>') || '|' || COALESCE(Comments, '<null>') FROM REQ_WORDS "
                              "ORDER BY rowid")) +
           StoreTestSupport::column(connection,
                                    QStringLiteral("SELECT name || ' ' || sql FROM sqlite_master "
                                                   "WHERE type = 'trigger' UNION ALL SELECT name "
                                                   "FROM sqlite_temp_master ORDER BY 1"));
}

} // namespace

class DeferredWordIndexTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_deferredFolder;
    QTemporaryDir m_triggeredFolder;

private slots:
    void init()
    {
        QVERIFY(StoreTestSupport::openFreshDatabase(m_deferredFolder, kDeferred));
        QVERIFY(StoreTestSupport::openFreshDatabase(m_triggeredFolder, kTriggered));
        const QStringList stored{
            requirement(1, "Functional", "notify the operator", "asked by the yard"),
            requirement(2, "Technical", "respond within a second"),
            requirement(3, "Technical", "record the gate state"),
            requirement(4, "Deleted", "assess the freight weight"),
            QStringLiteral("INSERT INTO FULL_TEXT (Req_Num, FullText) VALUES (3, 'record the "
                           "gate state and the barrier position')")};
        QVERIFY(run(kDeferred, stored));
        QVERIFY(run(kTriggered, stored));
    }

    void cleanup()
    {
        StoreTestSupport::closeDatabase(kDeferred);
        StoreTestSupport::closeDatabase(kTriggered);
    }

    // The same statements in one transaction on two workspaces, one with
    // the triggers and one with its words indexed once before commit: the
    // same words, the same triggers, nothing left of the batch's own.
    void sameWordsAsTheTriggers_data()
    {
        QTest::addColumn<QStringList>("statements");
        QTest::newRow("new rows") << QStringList{
            requirement(10, "Technical", "guide the forklift", "yard"),
            requirement(11, "Deleted", "park the forklift"),
            requirement(12, "Structural", "a gate", "")};
        QTest::newRow("words changed") << QStringList{
            "UPDATE MASTER_REQ SET ReqText = 'weigh the crate' WHERE Req_Num = 1",
            "UPDATE MASTER_REQ SET Comments = 'see the crate', ParaNum = '7' WHERE Req_Num = 2",
            "UPDATE MASTER_REQ SET Category = 'Hardware' WHERE Req_Num = 3"};
        QTest::newRow("deleted, brought back")
            << QStringList{"UPDATE MASTER_REQ SET FSTType = 'Deleted' WHERE Req_Num = 1",
                           "UPDATE MASTER_REQ SET FSTType = 'Technical' WHERE Req_Num = 4"};
        QTest::newRow("whole texts") << QStringList{
            requirement(10, "Technical", "guide the forklift"),
            "INSERT INTO FULL_TEXT (Req_Num, FullText) VALUES (10, 'guide the forklift "
            "to the loading bay')",
            "UPDATE FULL_TEXT SET FullText = 'record the barrier' WHERE Req_Num = 3",
            "INSERT INTO FULL_TEXT (Req_Num, FullText) VALUES (2, 'respond within a second "
            "to every beacon')",
            "DELETE FROM FULL_TEXT WHERE Req_Num = 2"};
        QTest::newRow("row removed, number changed")
            << QStringList{"DELETE FROM MASTER_REQ WHERE Req_Num = 2",
                           "UPDATE MASTER_REQ SET Req_Num = 20 WHERE Req_Num = 1"};
        QTest::newRow("written and changed again")
            << QStringList{requirement(10, "Technical", "guide the forklift"),
                           "UPDATE MASTER_REQ SET ReqText = 'guide the tractor' WHERE Req_Num = 10",
                           "UPDATE MASTER_REQ SET FSTType = 'Deleted' WHERE Req_Num = 10",
                           "UPDATE MASTER_REQ SET FSTType = 'Technical' WHERE Req_Num = 10"};
        // New rows above the highest number stored are taken as a range,
        // those at or below it as noted: rows moving across that number.
        QTest::newRow("new row removed again")
            << QStringList{requirement(10, "Technical", "guide the forklift"),
                           requirement(11, "Technical", "park the forklift"),
                           "DELETE FROM MASTER_REQ WHERE Req_Num = 10"};
        QTest::newRow("new row renumbered below the highest")
            << QStringList{requirement(10, "Technical", "guide the forklift"),
                           "DELETE FROM MASTER_REQ WHERE Req_Num = 2",
                           "UPDATE MASTER_REQ SET Req_Num = 2 WHERE Req_Num = 10"};
        QTest::newRow("stored row renumbered above the highest")
            << QStringList{"UPDATE MASTER_REQ SET Req_Num = 30 WHERE Req_Num = 1",
                           requirement(31, "Technical", "guide the forklift")};
        QTest::newRow("removed number written again") << QStringList{
            "DELETE FROM MASTER_REQ WHERE Req_Num = 3",
            requirement(3, "Technical", "weigh the crate"),
            requirement(4, "Technical", "x")
                .replace(QLatin1String("INSERT"), QLatin1String("INSERT OR REPLACE"))};
        QTest::newRow("new row with a whole text, deleted")
            << QStringList{requirement(10, "Technical", "guide the forklift"),
                           "INSERT INTO FULL_TEXT (Req_Num, FullText) VALUES (10, 'guide the "
                           "forklift to the bay')",
                           requirement(11, "Technical", "park the forklift"),
                           "INSERT INTO FULL_TEXT (Req_Num, FullText) VALUES (11, 'park the "
                           "forklift at the gate')",
                           "UPDATE MASTER_REQ SET FSTType = 'Deleted' WHERE Req_Num = 11"};
    }
    void sameWordsAsTheTriggers()
    {
        QFETCH(QStringList, statements);
        QVERIFY(QSqlDatabase::database(kTriggered).transaction());
        QVERIFY(run(kTriggered, statements));
        QVERIFY(QSqlDatabase::database(kTriggered).commit());

        QVERIFY(QSqlDatabase::database(kDeferred).transaction());
        Result<store::DeferredWordIndex> words = store::DeferredWordIndex::defer(kDeferred);
        QVERIFY2(words, qPrintable(words.outcome().message()));
        QVERIFY(words->isDeferred());
        QVERIFY(run(kDeferred, statements));
        const Outcome indexed = words->index();
        QVERIFY2(indexed, qPrintable(indexed.message()));
        QVERIFY(QSqlDatabase::database(kDeferred).commit());

        QCOMPARE(wordsAndTriggers(kDeferred), wordsAndTriggers(kTriggered));
    }

    // A batch rolled back leaves the words and the triggers as they were,
    // and the triggers index the next row.
    void rollbackRestoresTheTriggers()
    {
        const QStringList before = wordsAndTriggers(kDeferred);
        QVERIFY(QSqlDatabase::database(kDeferred).transaction());
        Result<store::DeferredWordIndex> words = store::DeferredWordIndex::defer(kDeferred);
        QVERIFY2(words, qPrintable(words.outcome().message()));
        QVERIFY(run(kDeferred, {requirement(10, "Technical", "guide the forklift"),
                                "UPDATE MASTER_REQ SET ReqText = 'weigh' WHERE Req_Num = 1"}));
        QVERIFY(QSqlDatabase::database(kDeferred).rollback());
        QCOMPARE(wordsAndTriggers(kDeferred), before);
        QVERIFY(run(kDeferred, {requirement(10, "Technical", "guide the forklift")}));
        QCOMPARE(StoreTestSupport::scalar(kDeferred, QStringLiteral("SELECT rowid FROM REQ_WORDS "
                                                                    "WHERE REQ_WORDS MATCH "
                                                                    "'forklift'"))
                     .toInt(),
                 10);
    }

    // Outside a transaction the index would go without its triggers for
    // every other writer: refused, nothing changed.
    void refusedOutsideATransaction()
    {
        const QStringList before = wordsAndTriggers(kDeferred);
        const Result<store::DeferredWordIndex> words = store::DeferredWordIndex::defer(kDeferred);
        QVERIFY(!words);
        QCOMPARE(words.outcome().kind(), MessageKind::Stop);
        QVERIFY(words.outcome().message().startsWith(
            QStringLiteral("Cannot update the index of the requirements' words.\n")));
        QCOMPARE(wordsAndTriggers(kDeferred), before);
    }
};

QTEST_GUILESS_MAIN(DeferredWordIndexTest)
#include "tst_deferredwordindex.moc"
