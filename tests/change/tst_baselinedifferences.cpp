// Reading only what differs between two sets compares as reading both whole:
// random histories of saves, in-place edits, deletions and link changes,
// with baselines along the way, every pair compared both ways and with the
// live requirements.
#include "change/baselines.h"
#include "change/changereportstream.h"
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

// The comparison streamed from the store and written as it comes, in one
// format.
QString streamed(const change::Baselines &baselines, const QString &from, const QString &to,
                 change::ChangeReportWriter::Format format)
{
    QString out;
    change::ChangeReportStream stream(format, from, to, QStringLiteral("Acme"),
                                      [&out](const QString &line) { out += line + u'\n'; });
    const Outcome compared = baselines.compare(from, to, stream);
    if (!compared)
        return QStringLiteral("refused: ") + compared.message();
    if (const Outcome finished = stream.finish(); !finished)
        return QStringLiteral("refused: ") + finished.message();
    return out;
}

// The streamed report in every format against the whole sets' report.
void compareStreamedWithWhole(const change::Baselines &baselines, const QString &from,
                              const QString &to)
{
    const auto whole = [&](const QString &name) {
        return name.isEmpty() ? baselines.live() : baselines.snapshot(name);
    };
    const change::ChangeReport expected =
        change::Comparison::compare(whole(from).value(), whole(to).value());
    using Format = change::ChangeReportWriter::Format;
    QCOMPARE(streamed(baselines, from, to, Format::Text),
             change::ChangeReportWriter::text(expected));
    QCOMPARE(streamed(baselines, from, to, Format::Json),
             QString::fromUtf8(change::ChangeReportWriter::json(expected)));
    QCOMPARE(streamed(baselines, from, to, Format::Html),
             change::ChangeReportWriter::html(expected, QStringLiteral("Acme")));
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
                compareStreamedWithWhole(baselines, from, to);
                if (QTest::currentTestFailed())
                    return;
                ++compared;
            }
        }
        QVERIFY(compared > 0);
    }

    // Many rows that differ, read a block at a time (a server's cursor
    // fetches 2,000 rows a block): the changes just before and after a
    // block's edge, at both ends, and none at all.
    void streamsAcrossBlocks_data()
    {
        QTest::addColumn<QStringList>("edits");
        const QString newVersion = QStringLiteral("version %1");
        QTest::newRow("identical sets") << QStringList{};
        QTest::newRow("every row's priority")
            << QStringList{QStringLiteral("UPDATE MASTER_REQ SET Priority = 3")};
        QTest::newRow("new versions at the block's edge, every row's comments") << QStringList{
            QStringLiteral("UPDATE MASTER_REQ SET Comments = 'seen'"), newVersion.arg(1999),
            newVersion.arg(2000), newVersion.arg(2001), newVersion.arg(4001)};
        QTest::newRow("deleted at both ends, added at the end")
            << QStringList{QStringLiteral("UPDATE MASTER_REQ SET Category = 'Hardware' WHERE "
                                          "Req_Num > 1500"),
                           QStringLiteral("UPDATE MASTER_REQ SET FSTType = 'Deleted' WHERE "
                                          "Req_Num IN (1, 2, 4500)"),
                           QStringLiteral("added")};
        QTest::newRow("links across the edge")
            << QStringList{QStringLiteral("DELETE FROM DEPENDENT_REQ WHERE Dep_Num IN (1, 2000, "
                                          "2001)"),
                           QStringLiteral("link")};
    }

    void streamsAcrossBlocks()
    {
        QFETCH(QStringList, edits);
        constexpr int kRows = 4500;
        QVERIFY(run(QStringLiteral(
                        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "
                        "%1) INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, "
                        "Release, Version, ParaNum, Preamble, ReqText, OrigReqNum, DateSaved) "
                        "SELECT i, 'Technical', 23, 'Software', 1, 1, 1, 'None', 'The Acme system "
                        "shall', 'open gate ' || i, i, '3-7-2009' FROM n")
                        .arg(kRows)));
        QVERIFY(run(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM "
                                   "n WHERE i < %1) INSERT INTO DEPENDENT_REQ (Dep_Num, FK_ReqNum, "
                                   "Dep_ReqNum) SELECT i, i, i + 1 FROM n")
                        .arg(kRows - 1)));
        m_lastRequirement = kRows;
        m_lastLink = kRows - 1;
        const change::Baselines baselines(kConnection);
        QVERIFY(baselines.create(QStringLiteral("before"), {}));
        for (const QString &edit : std::as_const(edits)) {
            if (edit.startsWith(QLatin1String("version "))) {
                const QString number = edit.mid(8);
                QVERIFY(run(QStringLiteral("UPDATE MASTER_REQ SET FSTType = 'Deleted' WHERE "
                                           "Req_Num = ") +
                            number));
                QVERIFY(save(number.toInt(), 2, QStringLiteral("close gate ") + number));
            } else if (edit == QLatin1String("added")) {
                QVERIFY(save(0, 1, QStringLiteral("sound the alarm")));
            } else if (edit == QLatin1String("link")) {
                QVERIFY(run(QStringLiteral("INSERT INTO DEPENDENT_REQ VALUES (%1, 2000, 1)")
                                .arg(++m_lastLink)));
            } else {
                QVERIFY(run(edit));
            }
        }
        QVERIFY(baselines.create(QStringLiteral("after"), {}));
        for (const auto &[from, to] :
             {std::pair{QStringLiteral("before"), QString()},
              std::pair{QStringLiteral("before"), QStringLiteral("after")},
              std::pair{QStringLiteral("after"), QStringLiteral("before")}}) {
            compareStreamedWithWhole(baselines, from, to);
            if (QTest::currentTestFailed())
                return;
        }
        const QString text = streamed(baselines, QStringLiteral("before"), {},
                                      change::ChangeReportWriter::Format::Text);
        QCOMPARE(text.endsWith(QLatin1String("0 added, 0 deleted, 0 changed; 0 links added, 0 "
                                             "links removed\n")),
                 edits.isEmpty());
    }
};

QTEST_GUILESS_MAIN(BaselineDifferencesTest)
#include "tst_baselinedifferences.moc"
