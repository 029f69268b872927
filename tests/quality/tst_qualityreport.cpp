// The quality report's page: findings grouped by rule in the rules' order,
// the words marked where they stand, every text escaped.

#include "quality/qualityreport.h"

#include <QtTest>

using namespace varn::quality;

namespace {

Finding finding(const QString &rule, const QString &sentence, const QString &words,
                std::optional<QString> suggestion = std::nullopt)
{
    const int at = int(sentence.indexOf(words));
    return {rule, words, at, int(words.size()), QStringLiteral("message of ") + words, suggestion};
}

} // namespace

class QualityReportTest : public QObject
{
    Q_OBJECT

private slots:
    void pageShowsEachFinding_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("words");
        QTest::addColumn<int>("shift"); // the finding's place moved off its words
        QTest::addColumn<QString>("row");

        QTest::newRow("marked") << "The ESD system shall answer quickly."
                                << "quickly" << 0
                                << "The ESD system shall answer <mark>quickly</mark>.";
        QTest::newRow("escaped around the mark")
            << "The <A&B> system shall send x < y TBD."
            << "TBD" << 0 << "The &lt;A&amp;B&gt; system shall send x &lt; y <mark>TBD</mark>.";
        QTest::newRow("escaped inside the mark")
            << "The ESD system shall log <TBD>."
            << "<TBD>" << 0 << "The ESD system shall log <mark>&lt;TBD&gt;</mark>.";
        // A sentence changed since the check is shown unmarked, never cut.
        QTest::newRow("words elsewhere")
            << "The ESD system shall answer quickly."
            << "quickly" << 3 << "The ESD system shall answer quickly.";
    }
    void pageShowsEachFinding()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, words);
        QFETCH(int, shift);
        QFETCH(QString, row);
        Finding found = finding(QStringLiteral("vague-term"), sentence, words, QString());
        found.start += shift;
        const QString page = QualityReport::page(QStringLiteral("ESD"), {{7, {found}}},
                                                 {{7, sentence}}, 1, QDateTime());
        QVERIFY2(page.contains(QStringLiteral("<td>7</td><td>") + row + QStringLiteral("</td>")),
                 qPrintable(page));
        // An empty suggestion removes the words.
        QVERIFY(page.contains(QStringLiteral("<td>Remove &quot;") + words.toHtmlEscaped() +
                              QStringLiteral("&quot;</td>")));
    }

    void pageGroupsByRuleInTheRulesOrder()
    {
        const QString first = QStringLiteral("The ESD system shall answer quickly if possible.");
        const QString second = QStringLiteral("The ESD system shall log TBD.");
        const QString page = QualityReport::page(
            QStringLiteral("ESD"),
            {{3,
              {finding(QStringLiteral("vague-term"), first, QStringLiteral("quickly")),
               finding(QStringLiteral("escape-clause"), first, QStringLiteral("if possible"))}},
             {5, {finding(QStringLiteral("placeholder"), second, QStringLiteral("TBD"))}}},
            {{3, first}, {5, second}}, 9, QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
        QVERIFY(page.startsWith(QStringLiteral("<!DOCTYPE html>")));
        QVERIFY(page.contains(QStringLiteral("<style>")));
        QVERIFY(!page.contains(QStringLiteral("<link")));
        QVERIFY(!page.contains(QStringLiteral("<script")));
        QVERIFY(page.contains(
            QStringLiteral("9 live requirement(s) checked, 2 with findings, 3 finding(s); "
                           "reported 2026-01-02T03:04:05")));
        const qsizetype vague = page.indexOf(QStringLiteral("<h2 id=\"vague-term\">"));
        const qsizetype escape = page.indexOf(QStringLiteral("<h2 id=\"escape-clause\">"));
        const qsizetype placeholder = page.indexOf(QStringLiteral("<h2 id=\"placeholder\">"));
        QVERIFY(vague > 0 && escape > vague && placeholder > escape);
        QCOMPARE(page.count(QStringLiteral("<h2 ")), 3);
        QVERIFY(page.indexOf(QStringLiteral("<td>5</td>")) > placeholder);
    }

    void emptyReportSaysSo()
    {
        const QString page = QualityReport::page(QStringLiteral("ESD"), {}, {}, 4, QDateTime());
        QVERIFY(page.contains(QStringLiteral("No findings.")));
        QVERIFY(!page.contains(QStringLiteral("<table")));
    }
};

QTEST_GUILESS_MAIN(QualityReportTest)
#include "tst_qualityreport.moc"
