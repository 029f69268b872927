// What a generation records and what a later check finds: the requirement
// versions kept as runs of numbers give back exactly the rows edited, added
// and deleted since, whatever the history; a version saved while a
// generation runs counts as changed; each output keeps its own record.
#include "change/changereportwriter.h"
#include "change/generationrecords.h"
#include "support/storetestsupport.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace varn;

namespace {

const QString kConnection = QStringLiteral("tst_generationrecords");

bool run(const QString &sql)
{
    return StoreTestSupport::exec(kConnection, sql);
}

QList<int> numbersOf(const QList<store::MasterReqRow> &rows)
{
    QList<int> numbers;
    for (const store::MasterReqRow &row : rows)
        numbers.append(row.Req_Num);
    return numbers;
}

QStringList headings(const change::StaleCode &stale)
{
    QStringList lines;
    for (const change::RequirementChange &requirement : stale.changes.requirements)
        lines.append(change::ChangeReportWriter::heading(requirement));
    return lines;
}

} // namespace

class GenerationRecordsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    int m_lastRequirement = 0;

    bool save(int original, int version)
    {
        ++m_lastRequirement;
        return run(QStringLiteral("INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, "
                                  "Priority, Release, Version, ParaNum, Preamble, ReqText, "
                                  "OrigReqNum, DateSaved) VALUES (%1, 'Technical', 23, 'Software', "
                                  "1, 1, %2, 'None', 'The Acme system shall', 'open gate %1', %3, "
                                  "'3-7-2009')")
                       .arg(m_lastRequirement)
                       .arg(version)
                       .arg(original ? original : m_lastRequirement));
    }

    // A new version of the live row: the row retired, the next one saved.
    bool edit(int number)
    {
        const QStringList row = StoreTestSupport::row(
            kConnection,
            QStringLiteral("SELECT OrigReqNum, Version FROM MASTER_REQ WHERE Req_Num = %1")
                .arg(number));
        return remove(number) && save(row.at(0).toInt(), row.at(1).toInt() + 1);
    }

    bool remove(int number)
    {
        return run(QStringLiteral("UPDATE MASTER_REQ SET FSTType = 'Deleted' WHERE Req_Num = %1")
                       .arg(number));
    }

    QList<int> live() const
    {
        QList<int> numbers;
        for (const QString &number : StoreTestSupport::column(
                 kConnection, QStringLiteral("SELECT Req_Num FROM MASTER_REQ WHERE FSTType <> "
                                             "'Deleted' ORDER BY Req_Num")))
            numbers.append(number.toInt());
        return numbers;
    }

    static QList<int> minus(const QList<int> &a, const QList<int> &b)
    {
        QList<int> left;
        for (int number : a)
            if (!b.contains(number))
                left.append(number);
        return left;
    }

private slots:
    void initTestCase() { StoreTestSupport::initResources(); }
    void init()
    {
        QVERIFY(StoreTestSupport::openFreshDatabase(m_folder, kConnection));
        m_lastRequirement = 0;
    }
    void cleanup() { StoreTestSupport::closeDatabase(kConnection); }

    // Random histories of saves, edits and deletions, a generation recorded
    // now and then: the rows the check reads are exactly those that left
    // the live set since and those that joined it.
    void findsExactlyWhatChanged_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("stored"); // requirements before the history
        for (const quint32 seed : {1u, 2u, 3u, 4u, 5u, 6u})
            QTest::newRow(qPrintable(QStringLiteral("history %1").arg(seed))) << seed << 20;
        // Every other one of them edited first: hundreds of runs of numbers.
        QTest::newRow("edited all over") << 7u << 600;
    }

    void findsExactlyWhatChanged()
    {
        QFETCH(quint32, seed);
        QFETCH(int, stored);
        QRandomGenerator random(seed);
        for (int i = 0; i < stored; ++i)
            QVERIFY(save(0, 1));
        if (stored > 20) {
            for (int number = 1; number <= stored; number += 2)
                QVERIFY(edit(number));
        }
        const store::GenerationTable table(kConnection);
        QList<int> generatedFrom;
        std::optional<qint32> generation;
        for (int step = 0; step < 80; ++step) {
            const QList<int> numbers = live();
            const int picked = numbers.at(random.bounded(int(numbers.size())));
            switch (random.bounded(5)) {
            case 0:
            case 1:
                QVERIFY(edit(picked));
                break;
            case 2:
                if (numbers.size() > 5)
                    QVERIFY(remove(picked));
                else
                    QVERIFY(save(0, 1));
                break;
            case 3:
                QVERIFY(save(0, 1));
                break;
            default: {
                const Result<store::LiveVersions> versions = table.liveVersions();
                QVERIFY(versions);
                QCOMPARE(versions->requirements, int(numbers.size()));
                const Result<store::GenerationRow> recorded = table.record(
                    QStringLiteral("cpp"), QStringLiteral("/out"), QStringLiteral("ann"),
                    QStringLiteral("T%1").arg(step), versions.value());
                QVERIFY(recorded);
                generation = recorded->id;
                generatedFrom = numbers;
            }
            }
            if (!generation)
                continue;
            const auto changed = table.changedSince(*generation);
            QVERIFY(changed);
            const QList<int> now = live();
            QCOMPARE(numbersOf(changed->first.requirements), minus(generatedFrom, now));
            QCOMPARE(numbersOf(changed->second.requirements), minus(now, generatedFrom));
        }
        QVERIFY(generation);
    }

    // What the check names, and when: edits as changes of the same
    // requirement, a version saved during the generation as changed, the
    // other outputs' generations apart.
    void namesTheChangedRequirements_data()
    {
        QTest::addColumn<QString>("history");
        QTest::addColumn<QStringList>("named");
        QTest::newRow("nothing since") << "g" << QStringList{};
        QTest::newRow("never generated") << "" << QStringList{"never"};
        QTest::newRow("edit, add, delete")
            << "g e2 a d4"
            << QStringList{"Changed requirement 2 (now 6)", "Deleted requirement 4",
                           "Added requirement 7"};
        QTest::newRow("edited twice, then generated again") << "g e1 e6 g" << QStringList{};
        QTest::newRow("edited twice") << "g e1 e6" << QStringList{"Changed requirement 1 (now 7)"};
        QTest::newRow("added and deleted since") << "g a d6" << QStringList{};
        QTest::newRow("saved while generating")
            << "r e3 w" << QStringList{"Changed requirement 3 (now 6)"};
        QTest::newRow("another output generated")
            << "g e5 s" << QStringList{"Changed requirement 5 (now 6)"};
        QTest::newRow("first and last edited")
            << "g e1 e5"
            << QStringList{"Changed requirement 1 (now 6)", "Changed requirement 5 (now 7)"};
    }

    void namesTheChangedRequirements()
    {
        QFETCH(QString, history);
        QFETCH(QStringList, named);
        for (int i = 0; i < 5; ++i)
            QVERIFY(save(0, 1));
        const change::GenerationRecords records(kConnection);
        Result<store::LiveVersions> read = store::LiveVersions();
        for (const QString &step : history.split(u' ', Qt::SkipEmptyParts)) {
            const int number = step.mid(1).toInt();
            switch (step.at(0).toLatin1()) {
            case 'g': // a generation of the checked output
                QVERIFY(records.record(QStringLiteral("cpp"), {}, records.liveVersions().value()));
                break;
            case 's': // one of another output
                QVERIFY(records.record(QStringLiteral("sql"), {}, records.liveVersions().value()));
                break;
            case 'r': // a generation begins
                read = records.liveVersions();
                QVERIFY(read);
                break;
            case 'w': // and its files are written
                QVERIFY(records.record(QStringLiteral("cpp"), {}, read.value()));
                break;
            case 'e':
                QVERIFY(edit(number));
                break;
            case 'a':
                QVERIFY(save(0, 1));
                break;
            case 'd':
                QVERIFY(remove(number));
                break;
            }
        }
        const Result<std::optional<change::StaleCode>> checked =
            records.check(QStringLiteral("cpp"));
        QVERIFY(checked);
        if (named == QStringList{"never"}) {
            QVERIFY(!checked.value());
            return;
        }
        QVERIFY(checked.value());
        QCOMPARE(headings(*checked.value()), named);
        QCOMPARE(checked.value()->isStale(), !named.isEmpty());
        QCOMPARE(checked.value()->generation.kind, QStringLiteral("cpp"));
        QCOMPARE(checked.value()->generation.requirements, 5);
    }
};

QTEST_GUILESS_MAIN(GenerationRecordsTest)
#include "tst_generationrecords.moc"
