// An import's report lines come back as they went in, in their order,
// whether held in memory or read back from the temporary file beyond the
// first few thousand, with reads in between appends.
#include "interchange/reportlines.h"

#include <QtTest>

using namespace varn::interchange;

class ReportLinesTest : public QObject
{
    Q_OBJECT

private slots:
    void handsBackEveryLine_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("none") << 0;
        QTest::newRow("all held") << int(ReportLines::kHeld);
        QTest::newRow("one past the held") << int(ReportLines::kHeld) + 1;
        QTest::newRow("mostly spooled") << int(ReportLines::kHeld) * 3 + 17;
    }

    void handsBackEveryLine()
    {
        QFETCH(int, count);
        QStringList expected;
        ReportLines lines;
        for (int i = 0; i < count; ++i) {
            // Lines of every length, line breaks and other scripts included.
            const QString line = QStringLiteral("Record %1 is not imported: \u00e9t\u00e9\n%2")
                                     .arg(i)
                                     .arg(QString(i % 300, QLatin1Char('x')));
            expected.append(line);
            lines.append(line);
            // A read in between moves the file's position.
            if (i % 1000 == 999)
                QCOMPARE(lines.at(i / 2), expected.at(i / 2));
        }
        QVERIFY(!lines.failed());
        QCOMPARE(lines.size(), expected.size());
        QVERIFY(lines == expected);
        QCOMPARE(lines.toList(), expected);
        if (count > 0) {
            QCOMPARE(lines.at(count - 1), expected.last());
            QVERIFY(lines.contains(expected.last()));
        }
        QVERIFY(!lines.contains(QStringLiteral("never written")));
        // A copy reads the same file.
        const ReportLines copy = lines;
        QCOMPARE(copy.toList(), expected);
        // Assigned from a list, as a file's own report begins one.
        ReportLines assigned;
        assigned = expected;
        QVERIFY(assigned == expected);
        expected.append(QStringLiteral("one more"));
        QVERIFY(!(lines == expected));
    }
};

QTEST_GUILESS_MAIN(ReportLinesTest)
#include "tst_reportlines.moc"
