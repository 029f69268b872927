// Two users of one team database, each on a connection of their own to the
// private cluster: conflicts the server resolves by aborting a save, and a
// deletion while the other has the requirement open in a composer.
#include "central/requirementlifecycle.h"
#include "central/requirementscentral.h"
#include "store/editclaim.h"
#include "store/foreignobjects.h"
#include "store/recordobjects.h"
#include "store/savetransaction.h"
#include "store/sqlconnection.h"
#include "store/teamdatabase.h"
#include "store/transientretry.h"
#include "support/exampledrafts.h"
#include "support/storetestsupport.h"
#include "support/testbackend.h"
#include "templates/functionalcommit.h"

#include <QSqlDatabase>
#include <QtTest>

#include <memory>
#include <thread>

using namespace varn;

namespace {

const QString kMine = QStringLiteral("mine");
const QString kTheirs = QStringLiteral("theirs");

QVariant scalar(const QString &sql)
{
    return StoreTestSupport::scalar(kMine, sql);
}

} // namespace

class TeamConcurrencyTest : public QObject
{
    Q_OBJECT

    QString m_server;
    std::unique_ptr<store::RecordObjects> m_records;

    bool connect(const QString &name)
    {
        const auto address = store::ServerAddress::parse(m_server);
        if (!address) {
            QTest::qFail(qPrintable(address.outcome().message()), __FILE__, __LINE__);
            return false;
        }
        const auto opened = store::SqlConnection::openServer(name, address.value());
        if (!opened)
            QTest::qFail(qPrintable(opened.outcome().message()), __FILE__, __LINE__);
        return opened.isOk();
    }

    templates::CommitResult saveOne()
    {
        templates::FunctionalCommit commit(*m_records, QStringLiteral("Team"));
        templates::FunctionalDraft draft = windSensorNotification();
        return commit.save(draft);
    }

private slots:
    void init()
    {
        m_server = TestBackend::freshServerDatabase();
        QVERIFY(!m_server.isEmpty());
        QVERIFY(connect(kMine));
        QVERIFY(store::TeamDatabase::provision(kMine, QStringLiteral("Team")));
        QVERIFY(connect(kTheirs));
        m_records = std::make_unique<store::RecordObjects>(kMine);
    }

    void cleanup()
    {
        m_records.reset();
        store::SqlConnection::close(kMine);
        store::SqlConnection::close(kTheirs);
    }

    // The server aborts the first saves as a deadlock would: the save runs
    // again, invisibly, up to its bound, and a save that never gets through
    // leaves nothing behind.
    void conflictsAreRetried_data()
    {
        QTest::addColumn<int>("conflicts");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<int>("retries");
        QTest::newRow("none") << 0 << true << 0;
        QTest::newRow("one") << 1 << true << 1;
        QTest::newRow("all but the last attempt")
            << store::TransientRetry::kAttempts - 1 << true << store::TransientRetry::kAttempts - 1;
        QTest::newRow("every attempt")
            << store::TransientRetry::kAttempts << false << store::TransientRetry::kAttempts - 1;
    }

    void conflictsAreRetried()
    {
        QFETCH(int, conflicts);
        QFETCH(bool, saved);
        QFETCH(int, retries);
        // A sequence is not rolled back with the aborted save, so it counts
        // the attempts the trigger has failed.
        QVERIFY(StoreTestSupport::exec(kTheirs, QStringLiteral("CREATE SEQUENCE conflicts")));
        QVERIFY(StoreTestSupport::exec(
            kTheirs,
            QStringLiteral("CREATE FUNCTION conflict() RETURNS trigger LANGUAGE plpgsql AS "
                           "$$ BEGIN IF nextval('conflicts') <= %1 THEN RAISE EXCEPTION "
                           "'provoked conflict' USING ERRCODE = 'deadlock_detected'; END "
                           "IF; RETURN NEW; END $$")
                .arg(conflicts)));
        QVERIFY(StoreTestSupport::exec(kTheirs,
                                       QStringLiteral("CREATE TRIGGER conflict BEFORE INSERT ON "
                                                      "FUNC_REQ FOR EACH ROW EXECUTE FUNCTION "
                                                      "conflict()")));
        const int before = store::TransientRetry::retriesSoFar();
        const templates::CommitResult result = saveOne();
        QCOMPARE(result.outcome.isOk(), saved);
        QCOMPARE(store::TransientRetry::retriesSoFar() - before, retries);
        if (!saved)
            QVERIFY2(result.outcome.message().contains(QStringLiteral("provoked conflict")),
                     qPrintable(result.outcome.message()));
        const int count = saved ? 1 : 0;
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM MASTER_REQ")).toInt(), count);
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM FUNC_REQ")).toInt(), count);
        QCOMPARE(scalar(QStringLiteral("SELECT PMastrReq FROM PK_MASTR_REQ")).toInt(), count);
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM REQ_ENTITY")).toInt() > 0, saved);
        // Nothing of the failed attempts is left for the next save.
        QVERIFY(
            StoreTestSupport::exec(kTheirs, QStringLiteral("DROP TRIGGER conflict ON FUNC_REQ")));
        const templates::CommitResult next = saveOne();
        QVERIFY2(next.outcome, qPrintable(next.outcome.message()));
        QCOMPARE(next.number, count + 1);
    }

    // A requirement open in a composer is not deleted under its editor; the
    // claim ends with the composer, or with its program's connection.
    void deleteWhileOpenElsewhere_data()
    {
        QTest::addColumn<QString>("claimedOn");
        QTest::addColumn<QString>("claimEnds"); // "", "release", "disconnect"
        QTest::addColumn<int>("editedVersion"); // the version the composer opened
        QTest::addColumn<bool>("refused");
        QTest::newRow("nobody edits") << ""
                                      << "" << 1 << false;
        QTest::newRow("another user edits") << kTheirs << "" << 1 << true;
        QTest::newRow("another user edits a later version") << kTheirs << "" << 2 << true;
        QTest::newRow("the same user edits") << kMine << "" << 1 << false;
        QTest::newRow("the other composer closed") << kTheirs << "release" << 1 << false;
        QTest::newRow("the other program ended") << kTheirs << "disconnect" << 1 << false;
    }

    void deleteWhileOpenElsewhere()
    {
        QFETCH(QString, claimedOn);
        QFETCH(QString, claimEnds);
        QFETCH(int, editedVersion);
        QFETCH(bool, refused);
        QCOMPARE(saveOne().number, 1);
        // A second version of the same requirement, as an edit saves it.
        QVERIFY(StoreTestSupport::exec(
            kMine, QStringLiteral("INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, OrigReqNum, "
                                  "Version) VALUES (2, 'Functional', 9, 1, 2)")));
        store::EditClaim claim;
        if (!claimedOn.isEmpty()) {
            QVERIFY(claim.claim(claimedOn, editedVersion));
            QVERIFY(claim.isHeld());
        }
        if (claimEnds == QLatin1String("release"))
            claim.release();
        else if (claimEnds == QLatin1String("disconnect")) {
            // The server ends the other program's session, and with it the
            // claim, a moment after the connection closes.
            const int theirSession =
                StoreTestSupport::scalar(kTheirs, QStringLiteral("SELECT pg_backend_pid()"))
                    .toInt();
            QVERIFY(theirSession > 0);
            store::SqlConnection::close(kTheirs);
            QTRY_COMPARE(
                scalar(QStringLiteral("SELECT COUNT(*) FROM pg_stat_activity WHERE pid = %1")
                           .arg(theirSession))
                    .toInt(),
                0);
        }

        const Outcome deleted = central::RequirementLifecycle(kMine).markDeleted(1);
        QCOMPARE(deleted.isOk(), !refused);
        QCOMPARE(
            scalar(QStringLiteral("SELECT FSTType FROM MASTER_REQ WHERE Req_Num = 1")).toString(),
            refused ? QStringLiteral("Functional") : QStringLiteral("Deleted"));
        if (refused) {
            QCOMPARE(deleted.kind(), MessageKind::Warning);
            QVERIFY2(deleted.message().startsWith(
                         QStringLiteral("Requirement 1 is open for editing by another user")),
                     qPrintable(deleted.message()));
            // Once the composer is closed, the deletion goes through.
            claim.release();
            QVERIFY(central::RequirementLifecycle(kMine).markDeleted(1));
        }
    }

    // Central's typed filters match letters without regard to case on both
    // backends, as a workspace file always has.
    // Two imports of another tool's documents at once: the second waits for
    // the first and takes the next document number, rather than failing
    // whole on the number the first took.
    void newDocumentsTakeNumbersInTurn()
    {
        store::SaveTransaction first(kMine);
        QVERIFY(first.beginBatch());
        const Result<qint32> mine =
            store::ForeignObjects(kMine).addDocument({0, QStringLiteral("a"), {}, {}, {}});
        QVERIFY(mine);
        QCOMPARE(mine.value(), 1);

        const QString other = QStringLiteral("other-importer");
        Result<qint32> theirs = Outcome::stop(QStringLiteral("not run"));
        bool connected = false;
        std::thread importer([&] {
            const auto address = store::ServerAddress::parse(m_server);
            connected = address && store::SqlConnection::openServer(other, address.value());
            if (!connected)
                return;
            {
                store::SaveTransaction second(other);
                if (Outcome begun = second.beginBatch(); !begun) {
                    theirs = begun;
                } else {
                    theirs = store::ForeignObjects(other).addDocument(
                        {0, QStringLiteral("b"), {}, {}, {}});
                    if (theirs)
                        (void)second.commit();
                }
            }
            store::SqlConnection::close(other);
        });
        // The other import reaches its number while this one still holds 1.
        QTest::qWait(500);
        const Outcome committed = first.commit();
        importer.join();
        QVERIFY(committed);
        QVERIFY(connected);
        QVERIFY2(theirs, qPrintable(theirs.outcome().message()));
        QCOMPARE(theirs.value(), 2);
    }

    void matchingIgnoresCase_data()
    {
        QTest::addColumn<bool>("server");
        QTest::addColumn<bool>("byEntity");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("numbers");
        for (const bool server : {false, true}) {
            const QByteArray on = server ? "server: " : "file: ";
            QTest::newRow(on + "paragraph prefix")
                << server << false << "intro*" << QList<int>{1, 2, 3};
            QTest::newRow(on + "paragraph exact") << server << false << "INTRO 2" << QList<int>{2};
            QTest::newRow(on + "paragraph none") << server << false << "xintro*" << QList<int>{};
            QTest::newRow(on + "entity exact")
                << server << true << "wind sensor" << QList<int>{1, 2};
            QTest::newRow(on + "entity prefix") << server << true << "WIND*" << QList<int>{1, 2, 3};
        }
    }

    void matchingIgnoresCase()
    {
        QFETCH(bool, server);
        QFETCH(bool, byEntity);
        QFETCH(QString, text);
        QFETCH(QList<int>, numbers);
        QTemporaryDir folder;
        const QString connection = server ? kMine : QStringLiteral("file");
        if (!server)
            QVERIFY(StoreTestSupport::openFreshDatabase(folder, connection));
        for (const char *sql :
             {"INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, ParaNum, OrigReqNum, Version) "
              "VALUES (1, 'Functional', 9, 'Intro 1', 1, 1), (2, 'Functional', 9, 'INTRO 2', 2, "
              "1), (3, 'Functional', 9, 'intro 3', 3, 1), (4, 'Deleted', 9, 'Intro 4', 4, 1), (5, "
              "'Functional', 9, 'Scope', 5, 1)",
              "INSERT INTO FUNC_REQ (F_ReqNum, Source) VALUES (1, 9), (2, 9), (3, 9)",
              "INSERT INTO REQ_ENTITY (Req_EntityID, ReqEntity, FK_FReqNum) VALUES (1, 'Wind "
              "Sensor', 1), (2, 'wind sensor', 2), (3, 'WIND gauge', 3)"})
            QVERIFY(StoreTestSupport::exec(connection, QLatin1String(sql)));
        {
            central::RequirementsCentral central(connection);
            QVERIFY(central.loadSettings());
            const Outcome ran = byEntity ? central.runByEntity(text) : central.runByParagraph(text);
            QVERIFY2(ran, qPrintable(ran.message()));
            QList<int> found;
            for (int row = 0; row < central.model().requirementCount(); ++row)
                found.append(central.model().numberAt(row));
            std::sort(found.begin(), found.end());
            QCOMPARE(found, numbers);
        }
        if (!server)
            StoreTestSupport::closeDatabase(connection);
    }
};

QTEST_GUILESS_MAIN(TeamConcurrencyTest)
#include "tst_teamconcurrency.moc"
