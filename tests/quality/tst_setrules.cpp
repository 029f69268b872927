// The set rules on facts built for each case: where the near-duplicate
// measure draws its line, the cycles of "is a kind of", of composition and of
// dependent links, and accepted findings left out until the row changes.
#include "quality/sentencespans.h"
#include "quality/setchecker.h"
#include "quality/workspacequality.h"

#include <QtTest>

using namespace varn;
using namespace varn::quality;

namespace {

RequirementFacts technical(qint32 number, const QString &text)
{
    return {number, SentenceSpans::technical(QStringLiteral("ESD"), text)};
}

// "number:rule" of every finding, in order.
QStringList found(const QList<RequirementFindings> &findings)
{
    QStringList list;
    for (const RequirementFindings &requirement : findings) {
        for (const Finding &finding : requirement.findings)
            list.append(QString::number(requirement.number) + QLatin1Char(':') + finding.rule);
    }
    return list;
}

} // namespace

class SetRulesTest : public QObject
{
    Q_OBJECT

private slots:
    // Two word edits and 80 % of the distinct words shared: near; more
    // edits, less overlap or fewer than eight words: not.
    void nearDuplicateMeasure_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QStringList>("findings");
        const QString base =
            QStringLiteral("show the arrival time of each flight on the apron display");
        QTest::newRow("one word changed")
            << base << "show the departure time of each flight on the apron display"
            << QStringList{"1:near-duplicate", "2:near-duplicate"};
        QTest::newRow("two words changed")
            << base << "show the departure time of each aircraft on the apron display"
            << QStringList{"1:near-duplicate", "2:near-duplicate"};
        QTest::newRow("three words changed")
            << base << "show the departure slot of each aircraft on the apron display"
            << QStringList{};
        QTest::newRow("one word added")
            << base << base + " screen" << QStringList{"1:near-duplicate", "2:near-duplicate"};
        QTest::newRow("words swapped")
            << base << "show the time arrival of each flight on the apron display"
            << QStringList{"1:near-duplicate", "2:near-duplicate"};
        QTest::newRow("case and blanks: the same") << base
                                                   << "Show the arrival  time of each "
                                                      "flight on the apron display"
                                                   << QStringList{"1:duplicate", "2:duplicate"};
        QTest::newRow("short sentences") << "print the daily loading list"
                                         << "print the weekly loading list" << QStringList{};
    }

    void nearDuplicateMeasure()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QStringList, findings);
        WorkspaceFacts facts;
        facts.requirements = {
            technical(1, first), technical(2, second),
            technical(3, QStringLiteral("lock an account after three failed "
                                        "logins within ten minutes of each other"))};
        QCOMPARE(found(SetChecker().check(facts)), findings);
    }

    // Cycles: each requirement that takes part is named, the rest not.
    void cycles_data()
    {
        QTest::addColumn<QList<KindOfFact>>("kinds");
        QTest::addColumn<QList<CompositionFact>>("compositions");
        QTest::addColumn<QList<LinkFact>>("links");
        QTest::addColumn<QStringList>("findings");
        QTest::addColumn<QString>("message");
        QTest::newRow("kind of itself, round two")
            << QList<KindOfFact>{{1, "Big_Truck", "Truck"},
                                 {2, "Truck", "Big_Truck"},
                                 {3, "Cab", "Part"}}
            << QList<CompositionFact>{} << QList<LinkFact>{}
            << QStringList{"1:definition-conflict", "2:definition-conflict"}
            << "\"Is a kind of\" goes round: big truck > truck > big truck.";
        QTest::newRow("kinds without a cycle")
            << QList<KindOfFact>{{1, "Big_Truck", "Truck"}, {2, "Truck", "Vehicle"}}
            << QList<CompositionFact>{} << QList<LinkFact>{} << QStringList{} << QString();
        QTest::newRow("part of itself through three")
            << QList<KindOfFact>{}
            << QList<CompositionFact>{{1, "truck", "cab"},
                                      {2, "cab", "seat"},
                                      {3, "Seat", "truck"},
                                      {4, "truck", "wheel"}}
            << QList<LinkFact>{}
            << QStringList{"1:definition-conflict", "2:definition-conflict",
                           "3:definition-conflict"}
            << "truck is made part of itself: truck > cab > seat > truck.";
        QTest::newRow("dependents round three")
            << QList<KindOfFact>{} << QList<CompositionFact>{}
            << QList<LinkFact>{{1, 2}, {2, 3}, {3, 1}, {3, 4}}
            << QStringList{"1:dependency-cycle", "2:dependency-cycle", "3:dependency-cycle"}
            << "The dependent links return to their start: 1 > 2 > 3 > 1.";
        QTest::newRow("a diamond is no cycle")
            << QList<KindOfFact>{} << QList<CompositionFact>{}
            << QList<LinkFact>{{1, 2}, {1, 3}, {2, 4}, {3, 4}} << QStringList{} << QString();
    }

    void cycles()
    {
        QFETCH(QList<KindOfFact>, kinds);
        QFETCH(QList<CompositionFact>, compositions);
        QFETCH(QList<LinkFact>, links);
        QFETCH(QStringList, findings);
        QFETCH(QString, message);
        WorkspaceFacts facts;
        facts.requirements = {
            technical(1, "log every failed login"), technical(2, "lock an account"),
            technical(3, "notify the security officer"), technical(4, "print the audit report")};
        facts.kinds = kinds;
        facts.compositions = compositions;
        facts.links = links;
        const QList<RequirementFindings> result = SetChecker().check(facts);
        QCOMPARE(found(result), findings);
        if (!findings.isEmpty())
            QCOMPARE(result.front().findings.front().message, message);
    }

    // Accepted findings are left out for the row they were accepted on, and
    // only those of their words; the set rules follow the switches too.
    void acceptedAndSwitchedOff()
    {
        WorkspaceFacts facts;
        facts.requirements = {technical(1, "respond quickly to every query"),
                              technical(2, "respond quickly to every query"),
                              technical(3, "be able to respond fast")};
        QCOMPARE(found(WorkspaceQuality::check(facts, {}, {})),
                 (QStringList{"1:vague-term", "1:duplicate", "2:vague-term", "2:duplicate",
                              "3:superfluous-infinitive", "3:vague-term"}));
        const QList<store::QualityAcceptanceRow> accepted = {
            {1, 1, 1, "duplicate", "respond quickly to every query", "kept", "ann", "now"},
            {3, 3, 1, "vague-term", "quickly", "other words", "ann", "now"}};
        QCOMPARE(found(WorkspaceQuality::check(facts, {}, accepted)),
                 (QStringList{"1:vague-term", "2:vague-term", "2:duplicate",
                              "3:superfluous-infinitive", "3:vague-term"}));
        RuleSettings settings;
        settings.switchedOff = {"duplicate", "vague-term"};
        QCOMPARE(found(WorkspaceQuality::check(facts, settings, accepted)),
                 QStringList{"3:superfluous-infinitive"});
        QCOMPARE(found(WorkspaceQuality::check(facts, {}, accepted, 2)),
                 (QStringList{"2:vague-term", "2:duplicate"}));
    }
};

QTEST_GUILESS_MAIN(SetRulesTest)
#include "tst_setrules.moc"
