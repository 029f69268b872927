// Reading only what differs between two sets compares as reading both whole:
// random histories of saves, in-place edits, deletions and link changes,
// with baselines along the way, every pair compared both ways and with the
// live requirements.
#include "change/baselines.h"
#include "change/changereportwriter.h"
#include "change/comparison.h"
#include "common/storedwords.h"
#include "support/storetestsupport.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace varn;

namespace {

const QString kConnection = QStringLiteral("tst_baselinedifferences");

bool run(const QString &sql)
{
    return StoreTestSupport::exec(kConnection, sql);
}

} // namespace

class BaselineDifferencesTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    int m_lastRequirement = 0;
    int m_lastLink = 0;

    bool save(int original, int version, const QString &text)
    {
        ++m_lastRequirement;
        return run(QStringLiteral("INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, "
                                  "Priority, Release, Version, ParaNum, Preamble, ReqText, "
                                  "OrigReqNum, DateSaved) VALUES (%1, 'Technical', 23, 'Software', "
                                  "1, 1, %2, 'None', 'The Acme system shall', '%3', %4, "
                                  "'3-7-2009')")
                       .arg(m_lastRequirement)
                       .arg(version)
                       .arg(text)
                       .arg(original ? original : m_lastRequirement));
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

private slots:
    void initTestCase() { StoreTestSupport::initResources(); }
    void init()
    {
        QVERIFY(StoreTestSupport::openFreshDatabase(m_folder, kConnection));
        m_lastRequirement = 0;
        m_lastLink = 0;
    }
    void cleanup() { StoreTestSupport::closeDatabase(kConnection); }

    void comparesAsTheWholeSets_data()
    {
        QTest::addColumn<quint32>("seed");
        for (const quint32 seed : {1u, 2u, 3u, 4u, 5u})
            QTest::newRow(qPrintable(QStringLiteral("history %1").arg(seed))) << seed;
    }

    void comparesAsTheWholeSets()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        for (int i = 0; i < 12; ++i)
            QVERIFY(save(0, 1, QStringLiteral("open gate %1").arg(i)));
        const change::Baselines baselines(kConnection);
        QStringList names;
        for (int step = 0; step < 60; ++step) {
            const QList<int> numbers = live();
            const int picked = numbers.at(random.bounded(int(numbers.size())));
            const QString where = QStringLiteral(" WHERE Req_Num = %1").arg(picked);
            switch (random.bounded(6)) {
            case 0: { // a new version
                const QStringList row = StoreTestSupport::row(
                    kConnection,
                    QStringLiteral("SELECT OrigReqNum, Version FROM MASTER_REQ") + where);
                QVERIFY(run(QStringLiteral("UPDATE MASTER_REQ SET FSTType = 'Deleted'") + where));
                QVERIFY(save(row.at(0).toInt(), row.at(1).toInt() + 1,
                             QStringLiteral("close gate %1").arg(step)));
                break;
            }
            case 1: // an attribute in place
                QVERIFY(run(QStringLiteral("UPDATE MASTER_REQ SET Priority = %1, Comments = 'c%2'")
                                .arg(random.bounded(1, 4))
                                .arg(random.bounded(3)) +
                            where));
                break;
            case 2: // a deletion, or a new requirement
                if (numbers.size() > 4)
                    QVERIFY(
                        run(QStringLiteral("UPDATE MASTER_REQ SET FSTType = 'Deleted'") + where));
                else
                    QVERIFY(save(0, 1, QStringLiteral("sound alarm %1").arg(step)));
                break;
            case 3: { // a parent's links replaced, maybe by the same ones
                const int dependent = numbers.at(random.bounded(int(numbers.size())));
                QVERIFY(run(
                    QStringLiteral("DELETE FROM DEPENDENT_REQ WHERE FK_ReqNum = %1").arg(picked)));
                for (int copy = 0; copy < random.bounded(1, 3); ++copy)
                    QVERIFY(run(QStringLiteral("INSERT INTO DEPENDENT_REQ VALUES (%1, %2, %3)")
                                    .arg(++m_lastLink)
                                    .arg(picked)
                                    .arg(dependent)));
                break;
            }
            case 4: // a link removed
                QVERIFY(run(QStringLiteral("DELETE FROM DEPENDENT_REQ WHERE Dep_Num = %1")
                                .arg(random.bounded(1, m_lastLink + 2))));
                break;
            default: { // a baseline
                const QString name = QStringLiteral("b%1").arg(step);
                QVERIFY(baselines.create(name, {}));
                names.append(name);
            }
            }
        }
        names.append(QString()); // the live requirements
        int compared = 0;
        for (const QString &from : names) {
            if (from.isEmpty())
                continue;
            for (const QString &to : names) {
                const auto whole = [&](const QString &name) {
                    return name.isEmpty() ? baselines.live() : baselines.snapshot(name);
                };
                const auto sets = baselines.differences(from, to);
                QVERIFY(sets);
                const QString expected = change::ChangeReportWriter::text(
                    change::Comparison::compare(whole(from).value(), whole(to).value()));
                QCOMPARE(change::ChangeReportWriter::text(
                             change::Comparison::compare(sets->first, sets->second)),
                         expected);
                ++compared;
            }
        }
        QVERIFY(compared > 0);
    }
};

QTEST_GUILESS_MAIN(BaselineDifferencesTest)
#include "tst_baselinedifferences.moc"
