// A workspace's write-ahead log is checkpointed as it fills. A read still
// pending on the connection when a write commits keeps the checkpoint from
// completing; the log then grows with every save until the workspace closes
// (over a gigabyte in a day's work) and the next large commit pays for all of
// it. Every kind of write is repeated here with a tiny checkpoint threshold;
// the log must stay about the size of one write.

#include "central/dependentlinks.h"
#include "central/requirementattributes.h"
#include "central/requirementlifecycle.h"
#include "objmodel/objectmodelregenerator.h"
#include "store/recordobjects.h"
#include "support/exampledrafts.h"
#include "support/freshworkspace.h"
#include "support/storetestsupport.h"
#include "templates/functionalcommit.h"
#include "templates/structuralcommit.h"
#include "templates/technicalcommit.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include <functional>
#include <memory>
#include <optional>

using namespace varn;
using namespace varn::templates;

namespace {

const QString kConnection = QStringLiteral("write-ahead-log");
constexpr int kCheckpointFrames = 8;
constexpr int kRepeats = 20;

// Writes once; i counts the repeats from 1.
using Write = std::function<bool(store::RecordObjects &, int i)>;

FunctionalDraft functional(int i)
{
    return windSensorNotification(QStringLiteral("subsystem %1").arg(i));
}

bool saveFunctional(store::RecordObjects &records, int i)
{
    FunctionalDraft draft = functional(i);
    return FunctionalCommit(records, QStringLiteral("ESD")).save(draft).outcome.isOk();
}

// The log's size in frames since it last restarted.
int logFrames()
{
    QSqlQuery query(QSqlDatabase::database(kConnection));
    if (!query.exec(QStringLiteral("PRAGMA wal_checkpoint(PASSIVE)")) || !query.next())
        return -1;
    return query.value(1).toInt();
}

} // namespace

Q_DECLARE_METATYPE(Write)

class WriteAheadLogTest : public QObject
{
    Q_OBJECT

    std::optional<FreshWorkspace> m_workspace;

private slots:
    void initTestCase() { StoreTestSupport::initResources(); }

    void init()
    {
        QVERIFY(m_workspace.emplace(kConnection).isOpen());
        QVERIFY(StoreTestSupport::exec(
            kConnection, QStringLiteral("PRAGMA wal_autocheckpoint = %1").arg(kCheckpointFrames)));
    }

    void cleanup() { m_workspace.reset(); }

    void logStaysSmallAcrossWrites_data()
    {
        QTest::addColumn<Write>("write");
        QTest::newRow("functional save") << Write(saveFunctional);
        QTest::newRow("structural save") << Write([](store::RecordObjects &records, int i) {
            StructuralDraft draft = StructuralDraft::forTemplate(21);
            draft.entity = QStringLiteral("gate %1").arg(i);
            return StructuralCommit(records, QStringLiteral("ESD")).save(draft).outcome.isOk();
        });
        QTest::newRow("technical save") << Write([](store::RecordObjects &records, int i) {
            TechnicalDraft draft;
            draft.text = QStringLiteral("answer query %1 within 2 seconds").arg(i);
            return TechnicalCommit(records, QStringLiteral("ESD")).save(draft).outcome.isOk();
        });
        QTest::newRow("new version") << Write([](store::RecordObjects &records, int i) {
            FunctionalDraft draft = functional(i);
            draft.loadedNumber = i == 1 ? -1 : i - 1; // each save edits the one before
            draft.edit = i > 1;
            const CommitResult saved = FunctionalCommit(records, QStringLiteral("ESD")).save(draft);
            return saved.outcome.isOk() && saved.versionRetired == (i > 1);
        });
        QTest::newRow("dependents") << Write([](store::RecordObjects &records, int i) {
            // Requirement 1 is never its own dependent.
            const QList<int> dependents = i == 1 ? QList<int>{} : QList<int>{i};
            return saveFunctional(records, i) &&
                   central::DependentLinks(kConnection).saveDependents(1, dependents).isOk();
        });
        QTest::newRow("deletion") << Write([](store::RecordObjects &records, int i) {
            return saveFunctional(records, i) &&
                   central::RequirementLifecycle(kConnection).markDeleted(i).isOk();
        });
        QTest::newRow("attributes") << Write([](store::RecordObjects &records, int i) {
            central::RequirementAttributes::Values values;
            values.comments = QStringLiteral("reviewed %1").arg(i);
            return saveFunctional(records, i) &&
                   central::RequirementAttributes(kConnection).save(i, values).isOk();
        });
        // A refused save opened its record sets too; they must not stay
        // reading while the attribute changes that follow commit.
        QTest::newRow("refused save, then attributes")
            << Write([](store::RecordObjects &records, int i) {
                   if (i == 1 && !saveFunctional(records, i))
                       return false;
                   FunctionalDraft tooLong = functional(i);
                   for (const int field : {4, 6, 8, 11, 13})
                       tooLong.setField(field, QString(50, QLatin1Char('x')));
                   if (FunctionalCommit(records, QStringLiteral("ESD")).save(tooLong).outcome)
                       return false;
                   central::RequirementAttributes::Values values;
                   values.comments = QStringLiteral("reviewed %1").arg(i);
                   return central::RequirementAttributes(kConnection).save(1, values).isOk();
               });
        QTest::newRow("regeneration") << Write([](store::RecordObjects &records, int i) {
            return saveFunctional(records, i) &&
                   objmodel::ObjectModelRegenerator(kConnection).regenerate().isOk();
        });
    }

    void logStaysSmallAcrossWrites()
    {
        QFETCH(Write, write);
        QVERIFY(write(m_workspace->records(), 1));
        QVERIFY(logFrames() >= 0); // checkpoints what the first write left
        QVERIFY(write(m_workspace->records(), 2));
        const int oneWrite = logFrames();
        QVERIFY(oneWrite > 0);
        for (int i = 3; i <= kRepeats; ++i)
            QVERIFY2(write(m_workspace->records(), i), qPrintable(QString::number(i)));
        const int frames = logFrames();
        QVERIFY2(frames <= 2 * oneWrite + kCheckpointFrames,
                 qPrintable(QStringLiteral("%1 frames in the log after %2 writes of %3 frames")
                                .arg(frames)
                                .arg(kRepeats)
                                .arg(oneWrite)));
    }
};

QTEST_GUILESS_MAIN(WriteAheadLogTest)
#include "tst_writeaheadlog.moc"
