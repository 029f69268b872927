// By Text: the requirements whose sentence, paragraph or comments hold the
// words, best match first, on a workspace's file and a team's server alike;
// the index follows every writer and an older workspace gains it when opened.
#include "central/requirementscentral.h"
#include "requirementrows.h"
#include "store/requirementlisting.h"
#include "store/schemaextensions.h"
#include "store/wordsearch.h"
#include "support/storetestsupport.h"
#include "support/testbackend.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

#include <algorithm>

using namespace varn;
using namespace varn::central;

namespace {

const QString kConnection = QStringLiteral("words");

QSqlDatabase database()
{
    return QSqlDatabase::database(kConnection, false);
}

QList<int> listed(const RequirementsCentral &central)
{
    QList<int> numbers;
    for (int row = 0; row < central.model().requirementCount(); ++row)
        numbers.append(central.model().numberAt(row));
    return numbers;
}

bool run(const QString &statement, const QVariantList &values = {})
{
    QSqlQuery query(database());
    // The server prepares no schema statement.
    if (values.isEmpty() && !query.exec(statement)) {
        qWarning() << query.lastError().text();
        return false;
    }
    if (values.isEmpty())
        return true;
    if (!query.prepare(statement))
        return false;
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        qWarning() << query.lastError().text();
        return false;
    }
    return true;
}

// Runs By Text as the desktop does: best match first.
Outcome searchFor(RequirementsCentral &central, const QString &words)
{
    central.sortByRelevance();
    return central.runByText(words);
}

} // namespace

class WordSearchTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;

    void storeExamples()
    {
        RequirementRow rows[] = {
            {1, "Functional", 9, "3.1", "notify the operator when the wind sensor changes"},
            {2, "Structural", 19, "3.2", "define a gate"},
            {3, "Technical", 23, "4.1", "respond within a second"},
            {4, "Deleted", 9, "3.1", "assess the freight weight"},
            {10, "Functional", 9, "3.3", "close the gate for the operator"},
            {12, "Functional", 9, "3.1", "assess the freight weight again", 2, 4},
            {100, "Functional", 1, "Gate control", "zoom the map"},
        };
        rows[1].comments = QStringLiteral("asked for by the operator");
        rows[2].comments = QStringLiteral("see the O'Brien report; NEAR the \"limit\" -1");
        rows[6].comments = QStringLiteral("weight of the map tiles");
        for (const RequirementRow &row : rows)
            QVERIFY(insertRequirement(database(), row));
    }

private slots:
    void initTestCase() { StoreTestSupport::initResources(); }

    void init()
    {
        QVERIFY(StoreTestSupport::openFreshDatabase(m_folder, kConnection));
        storeExamples();
    }

    void cleanup() { StoreTestSupport::closeDatabase(kConnection); }

    // What the user types becomes tokens in quotes and nothing else: no
    // operator, column name or quote of the index's query language passes.
    void wordsBecomeQuotedTokens_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("match");
        QTest::addColumn<QString>("tsquery");
        QTest::newRow("words") << "gate  Operator"
                               << "\"gate\" \"Operator\""
                               << "'gate' & 'Operator'";
        QTest::newRow("prefix") << "oper*"
                                << "\"oper\"*"
                                << "'oper':*";
        QTest::newRow("phrase") << "\"the gate\" map"
                                << "\"the gate\" \"map\""
                                << "('the' <-> 'gate') & 'map'";
        QTest::newRow("phrase prefix") << "\"the ga\"*"
                                       << "\"the ga\"*"
                                       << "('the' <-> 'ga':*)";
        QTest::newRow("unbalanced quote") << "gate \"the op"
                                          << "\"gate\" \"the op\""
                                          << "'gate' & ('the' <-> 'op')";
        QTest::newRow("operators") << "a OR b NOT c NEAR(d) -e"
                                   << "\"a\" \"OR\" \"b\" \"NOT\" \"c\" \"NEAR d\" \"e\""
                                   << "'a' & 'OR' & 'b' & 'NOT' & 'c' & ('NEAR' <-> 'd') & 'e'";
        QTest::newRow("column filter and star inside")
            << "Comments:x fo*o ^y"
            << "\"Comments x\" \"fo o\" \"y\""
            << "('Comments' <-> 'x') & ('fo' <-> 'o') & 'y'";
        QTest::newRow("sql quotes")
            << "O'Brien'; DROP TABLE MASTER_REQ; --"
            << "\"O Brien\" \"DROP\" \"TABLE\" \"MASTER REQ\""
            << "('O' <-> 'Brien') & 'DROP' & 'TABLE' & ('MASTER' <-> 'REQ')";
        QTest::newRow("nothing but signs") << "\" * - ( ) :"
                                           << ""
                                           << "";
    }

    void wordsBecomeQuotedTokens()
    {
        QFETCH(QString, typed);
        QFETCH(QString, match);
        QFETCH(QString, tsquery);
        const QList<store::SearchTerm> terms = store::WordSearch::terms(typed);
        QCOMPARE(store::WordSearch::ftsMatch(terms), match);
        QCOMPARE(store::WordSearch::tsQuery(terms), tsquery);
    }

    // The live requirements holding every word, best first where relevance
    // tells them apart; anything typed either finds requirements or is
    // refused for holding no word, never an error of the database.
    void byText_data()
    {
        QTest::addColumn<QString>("words");
        QTest::addColumn<QList<int>>("expected");
        QTest::addColumn<bool>("ranked");
        using L = QList<int>;
        QTest::newRow("one word, sentence before comments") << "operator" << L{10, 1, 2} << true;
        QTest::newRow("sentence before comments") << "weight" << L{12, 100} << true;
        QTest::newRow("all words, in any of the texts") << "operator gate" << L{2, 10} << false;
        QTest::newRow("any case") << "GATE" << L{2, 10, 100} << false;
        QTest::newRow("paragraph") << "control" << L{100} << false;
        QTest::newRow("prefix") << "oper*" << L{1, 2, 10} << false;
        QTest::newRow("prefix of a phrase") << "\"the freight we\"*" << L{12} << false;
        QTest::newRow("phrase") << "\"the gate\"" << L{10} << false;
        QTest::newRow("words of a phrase apart") << "\"gate the\"" << L{} << false;
        QTest::newRow("deleted left out") << "assess" << L{12} << false;
        QTest::newRow("no match") << "runway" << L{} << false;
        QTest::newRow("apostrophe") << "O'Brien" << L{3} << false;
        QTest::newRow("sql text") << "'; DELETE FROM MASTER_REQ; --" << L{} << false;
        QTest::newRow("operator words are words") << "NEAR limit" << L{3} << false;
        QTest::newRow("minus is no negation") << "-gate" << L{2, 10, 100} << false;
        QTest::newRow("OR is a word") << "gate OR map" << L{} << false;
        QTest::newRow("colon") << "Comments:report" << L{} << false;
        QTest::newRow("parentheses") << "(gate" << L{2, 10, 100} << false;
    }

    void byText()
    {
        QFETCH(QString, words);
        QFETCH(QList<int>, expected);
        QFETCH(bool, ranked);
        RequirementsCentral central(kConnection);
        const Outcome ran = searchFor(central, words);
        QVERIFY2(ran.isOk(), qPrintable(ran.message()));
        QCOMPARE(central.currentKind(), QueryKind::ByText);
        QList<int> found = listed(central);
        if (!ranked)
            std::sort(found.begin(), found.end());
        QCOMPARE(found, expected);
    }

    void refusedWithoutWords_data()
    {
        QTest::addColumn<QString>("words");
        QTest::newRow("quote") << "\"";
        QTest::newRow("star") << "*";
        QTest::newRow("minus") << "-";
        QTest::newRow("signs") << "\"*\" - ()";
    }

    void refusedWithoutWords()
    {
        QFETCH(QString, words);
        RequirementsCentral central(kConnection);
        QVERIFY(central.runType(QueryKind::All).isOk());
        const Outcome refused = searchFor(central, words);
        QCOMPARE(refused.kind(), MessageKind::Warning);
        QVERIFY(refused.message().startsWith(QStringLiteral("Type the words to search for")));
        // The list keeps what it showed.
        QCOMPARE(central.currentKind(), QueryKind::All);
        QCOMPARE(central.model().requirementCount(), 6);
    }

    // The best matches first read alone (two here), then the rest: the same
    // list as ranked at once, ties in number order across the edge of the
    // first rows, and the length counted in the index.
    void firstRowsByRelevance_data()
    {
        QTest::addColumn<QString>("words");
        QTest::addColumn<int>("firstRows");
        QTest::newRow("ties across the edge") << "valve" << 2;
        QTest::newRow("a prefix") << "valv*" << 3;
        QTest::newRow("fewer than the first rows") << "operator" << 5;
    }

    void firstRowsByRelevance()
    {
        QFETCH(QString, words);
        QFETCH(int, firstRows);
        // Equal sentences rank alike; longer ones lower.
        QSqlDatabase db = database();
        QVERIFY(db.transaction());
        for (int i = 0; i < 9; ++i)
            QVERIFY(insertRequirement(db, {200 + i, "Functional", 9, "5",
                                           i % 3 == 0 ? QStringLiteral("open the valve")
                                                      : QStringLiteral("open the valve %1 of "
                                                                       "the cooling loop")
                                                            .arg(i)}));
        QVERIFY(db.commit());
        RequirementsCentral whole(kConnection);
        whole.setFirstRows(0);
        QVERIFY(searchFor(whole, words).isOk());
        const QList<int> expected = listed(whole);
        QVERIFY(!expected.isEmpty());

        RequirementsCentral central(kConnection);
        central.setFirstRows(firstRows);
        QVERIFY(searchFor(central, words).isOk());
        const auto &model = central.model();
        QCOMPARE(model.requirementCount(), expected.size());
        QCOMPARE(model.isComplete(), expected.size() < firstRows);
        for (int row = 0; row < std::min(firstRows, int(expected.size())); ++row)
            QCOMPARE(model.numberAt(row), expected.at(row));
        QCOMPARE(listed(central), expected);
        if (words == QLatin1String("valve"))
            QCOMPARE(expected.mid(0, 3), (QList<int>{200, 203, 206}));
    }

    // The first rows of By Text and its length, read apart from the rest,
    // are those of the whole list, up or down, by relevance and by number:
    // ties keep number order across the edge of the first rows, a prefix
    // takes in words of every length that begin with it, and a requirement
    // without a kind (its words indexed) is listed in neither order, as
    // nowhere else in the list.
    void firstRowsAreTheWholeListsStart_data()
    {
        QTest::addColumn<QString>("words");
        QTest::addColumn<bool>("byRelevance");
        QTest::addColumn<bool>("ascending");
        QTest::addColumn<int>("firstRows");
        QTest::addColumn<int>("listedByNumber");
        // Requirements without the words, numbered above those with them.
        QTest::addColumn<int>("others");
        QTest::newRow("ties across the edge") << "valve" << true << true << 2 << 10 << 0;
        QTest::newRow("edge inside the second tie") << "valve" << true << true << 4 << 10 << 0;
        QTest::newRow("weakest first") << "valve" << true << false << 3 << 10 << 0;
        QTest::newRow("prefix of words of any length") << "valv*" << true << true << 3 << 13 << 0;
        QTest::newRow("prefix, weakest first") << "valv*" << true << false << 5 << 13 << 0;
        QTest::newRow("two words") << "open valv*" << true << true << 2 << 11 << 0;
        QTest::newRow("by number") << "valve" << false << true << 2 << 10 << 0;
        QTest::newRow("by number down") << "valve" << false << false << 2 << 10 << 0;
        QTest::newRow("prefix by number") << "valv*" << false << true << 4 << 13 << 0;
        QTest::newRow("prefix by number down") << "valv*" << false << false << 3 << 13 << 0;
        QTest::newRow("all of them in the first rows") << "valve" << false << true << 10 << 10 << 0;
        QTest::newRow("fewer than the first rows") << "valve" << false << true << 50 << 10 << 0;
        QTest::newRow("nothing") << "runway" << false << true << 5 << 0 << 0;
        QTest::newRow("many others first going down")
            << "valve" << false << false << 3 << 10 << 2100;
        QTest::newRow("many others, all in the first rows")
            << "valv*" << false << false << 20 << 13 << 2100;
    }

    void firstRowsAreTheWholeListsStart()
    {
        QFETCH(QString, words);
        QFETCH(bool, byRelevance);
        QFETCH(bool, ascending);
        QFETCH(int, firstRows);
        QFETCH(int, listedByNumber);
        QFETCH(int, others);
        QSqlDatabase db = database();
        QVERIFY(db.transaction());
        for (int i = 0; i < others; ++i)
            QVERIFY(insertRequirement(db, {1000 + i, "Functional", 9, "6", "close the door"}));
        for (int i = 0; i < 9; ++i)
            QVERIFY(insertRequirement(db, {200 + i, "Functional", 9, "5",
                                           i % 3 == 0 ? QStringLiteral("open the valve")
                                                      : QStringLiteral("open the valve %1 of "
                                                                       "the cooling loop")
                                                            .arg(i)}));
        QVERIFY(insertRequirement(db, {210, "Functional", 9, "5", "open the valves"}));
        QVERIFY(insertRequirement(db, {211, "Technical", 23, "5", "inspect the valvetrain"}));
        QVERIFY(insertRequirement(db, {212, "Functional", 9, "5", "label every valv"}));
        QVERIFY(insertRequirement(db, {213, "Functional", 9, "5", "open the valve"}));
        QVERIFY(insertRequirement(db, {214, "Deleted", 9, "5", "open the valve"}));
        RequirementRow commented{215, "Functional", 9, "5", "close the door"};
        commented.comments = QStringLiteral("the valve room");
        QVERIFY(insertRequirement(db, commented));
        QVERIFY(db.commit());
        QVERIFY(
            run(QStringLiteral("UPDATE MASTER_REQ SET FSTType = NULL WHERE Req_Num = ?"), {213}));

        const store::RequirementListing listing(kConnection);
        const store::RequirementSelection selection{store::RequirementSelection::Kind::ByText,
                                                    words, 0};
        const store::RequirementOrder order =
            byRelevance ? store::RequirementOrder::Relevance : store::RequirementOrder::Number;
        const Result<QList<qint32>> whole = listing.numbers(selection, order, ascending);
        QVERIFY2(whole.isOk(), qPrintable(whole.outcome().message()));
        const Result<store::ListingStart> start =
            listing.start(selection, order, ascending, firstRows);
        QVERIFY2(start.isOk(), qPrintable(start.outcome().message()));
        QCOMPARE(start->numbers, whole->mid(0, firstRows));
        QCOMPARE(start->total, whole->size());
        QCOMPARE(start->complete, whole->size() < firstRows);
        if (!byRelevance) {
            QCOMPARE(whole->size(), listedByNumber);
            QVERIFY(std::is_sorted(whole->begin(), whole->end(),
                                   [&](qint32 a, qint32 b) { return ascending ? a < b : a > b; }));
        }
        QVERIFY(!whole->contains(213));
        QVERIFY(!whole->contains(214));
    }

    // A header click orders the matches by that column; the same query then
    // runs again in it.
    void sortedByAColumnAfterRelevance()
    {
        RequirementsCentral central(kConnection);
        QVERIFY(searchFor(central, QStringLiteral("operator")).isOk());
        QVERIFY(central.sortedByRelevance());
        QCOMPARE(listed(central), (QList<int>{10, 1, 2}));
        const FieldTexts texts{{}, {}, {}, QStringLiteral("operator")};
        QVERIFY(central.sortByColumn(0, texts).isOk());
        QVERIFY(!central.sortedByRelevance());
        QCOMPARE(listed(central), (QList<int>{1, 2, 10}));
        QVERIFY(central.sortByColumn(0, texts).isOk());
        QCOMPARE(listed(central), (QList<int>{10, 2, 1}));
    }

    // Whatever writes the rows (a save, an edit in place, an import's whole
    // text, another ODBC client), the words follow.
    void keptCurrentByEveryWriter_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<QString>("words");
        QTest::addColumn<QList<int>>("expected");
        using L = QList<int>;
        QTest::newRow("new row") << QString() << QVariantList{} << "runway" << L{200};
        QTest::newRow("comments changed")
            << "UPDATE MASTER_REQ SET Comments = ? WHERE Req_Num = ?"
            << QVariantList{"runway lights", 3} << "runway" << L{3, 200};
        QTest::newRow("old comments forgotten")
            << "UPDATE MASTER_REQ SET Comments = ? WHERE Req_Num = ?" << QVariantList{"nothing", 2}
            << "asked" << L{};
        QTest::newRow("sentence changed")
            << "UPDATE MASTER_REQ SET ReqText = ? WHERE Req_Num = ?"
            << QVariantList{"light the runway", 10} << "runway" << L{10, 200};
        QTest::newRow("paragraph changed") << "UPDATE MASTER_REQ SET ParaNum = ? WHERE Req_Num = ?"
                                           << QVariantList{"Runway", 1} << "runway" << L{1, 200};
        QTest::newRow("deleted") << "UPDATE MASTER_REQ SET FSTType = 'Deleted' WHERE Req_Num = ?"
                                 << QVariantList{200} << "runway" << L{};
        QTest::newRow("deleted one brought back")
            << "UPDATE MASTER_REQ SET FSTType = 'Functional' WHERE Req_Num = ?" << QVariantList{4}
            << "assess" << L{4, 12};
        QTest::newRow("whole text of a shortened sentence")
            << "INSERT INTO FULL_TEXT (Req_Num, FullText) VALUES (?, ?)"
            << QVariantList{100, "zoom the map to the runway threshold"} << "threshold" << L{100};
    }

    void keptCurrentByEveryWriter()
    {
        QFETCH(QString, statement);
        QFETCH(QVariantList, values);
        QFETCH(QString, words);
        QFETCH(QList<int>, expected);
        RequirementRow added{200, "Technical", 23, "5", "guide the aircraft along the runway"};
        QVERIFY(insertRequirement(database(), added));
        if (!statement.isEmpty())
            QVERIFY(run(statement, values));
        RequirementsCentral central(kConnection);
        QVERIFY(searchFor(central, words).isOk());
        QList<int> found = listed(central);
        std::sort(found.begin(), found.end());
        QCOMPARE(found, expected);
    }

    // The whole text replaces the shortened sentence's words, and leaves
    // them again when it goes.
    void wholeTextFollowsItsRow()
    {
        QVERIFY(run(QStringLiteral("INSERT INTO FULL_TEXT (Req_Num, FullText) VALUES (?, ?)"),
                    {3, QStringLiteral("respond within a second to every beacon")}));
        RequirementsCentral central(kConnection);
        QVERIFY(searchFor(central, QStringLiteral("beacon")).isOk());
        QCOMPARE(listed(central), QList<int>{3});
        QVERIFY(run(QStringLiteral("UPDATE FULL_TEXT SET FullText = ? WHERE Req_Num = ?"),
                    {QStringLiteral("respond within a second to every radar"), 3}));
        QVERIFY(searchFor(central, QStringLiteral("beacon")).isOk());
        QCOMPARE(listed(central), QList<int>{});
        QVERIFY(searchFor(central, QStringLiteral("radar")).isOk());
        QCOMPARE(listed(central), QList<int>{3});
        QVERIFY(run(QStringLiteral("DELETE FROM FULL_TEXT WHERE Req_Num = ?"), {3}));
        QVERIFY(searchFor(central, QStringLiteral("radar")).isOk());
        QCOMPARE(listed(central), QList<int>{});
        QVERIFY(searchFor(central, QStringLiteral("second")).isOk());
        QCOMPARE(listed(central), QList<int>{3});
    }

    // A workspace made before the index gains it, with the words of every
    // requirement it holds, when it is brought up to date on opening.
    void existingWorkspaceGetsItsIndex()
    {
        const QStringList drops = TestBackend::isServer()
                                      ? QStringList{"DROP TRIGGER REQ_WORDS_MASTER ON MASTER_REQ",
                                                    "DROP TRIGGER REQ_WORDS_FULL_TEXT ON FULL_TEXT",
                                                    "DROP TABLE REQ_WORDS"}
                                      : QStringList{"DROP TRIGGER REQ_WORDS_SAVED",
                                                    "DROP TRIGGER REQ_WORDS_CHANGED",
                                                    "DROP TRIGGER REQ_WORDS_REMOVED",
                                                    "DROP TRIGGER REQ_WORDS_FULL_TEXT_SAVED",
                                                    "DROP TRIGGER REQ_WORDS_FULL_TEXT_CHANGED",
                                                    "DROP TRIGGER REQ_WORDS_FULL_TEXT_REMOVED",
                                                    "DROP TABLE REQ_WORDS"};
        for (const QString &drop : drops)
            QVERIFY2(run(drop), qPrintable(drop));
        RequirementRow older{300, "Technical", 23, "6", "record the runway state"};
        QVERIFY(insertRequirement(database(), older));

        RequirementsCentral central(kConnection);
        const Outcome missing = searchFor(central, QStringLiteral("runway"));
        QVERIFY(!missing.isOk());
        QVERIFY2(missing.message().contains(QStringLiteral("no index of its words")),
                 qPrintable(missing.message()));

        // The progress hears of every statement: none run, then each one.
        QList<std::pair<int, int>> heard;
        const Result<QStringList> applied = store::SchemaExtensions::bringUpToDate(
            kConnection, store::SchemaExtensions::builtIn(), [&heard](int done, int all) {
                heard.append({done, all});
            });
        QVERIFY2(applied.isOk(), qPrintable(applied.outcome().message()));
        QCOMPARE(applied.value(), QStringList{QStringLiteral("textsearch")});
        QVERIFY(heard.size() > 2);
        const int all = heard.first().second;
        for (int step = 0; step < heard.size(); ++step)
            QCOMPARE(heard.at(step), (std::pair<int, int>{step, all}));
        QCOMPARE(heard.last().first, all);
        QVERIFY(searchFor(central, QStringLiteral("runway")).isOk());
        QCOMPARE(listed(central), QList<int>{300});
        QVERIFY(searchFor(central, QStringLiteral("operator")).isOk());
        QCOMPARE(listed(central).size(), 3);
        // Its triggers came with it.
        QVERIFY(run(QStringLiteral("UPDATE MASTER_REQ SET Comments = ? WHERE Req_Num = ?"),
                    {QStringLiteral("runway"), 1}));
        QVERIFY(searchFor(central, QStringLiteral("runway")).isOk());
        QCOMPARE(listed(central), (QList<int>{300, 1}));
        // Nothing left to apply the next time.
        heard.clear();
        QCOMPARE(store::SchemaExtensions::bringUpToDate(kConnection,
                                                        store::SchemaExtensions::builtIn(),
                                                        [&heard](int done, int all) {
                                                            heard.append({done, all});
                                                        })
                     .value(),
                 QStringList{});
        QVERIFY(heard.isEmpty());
    }
};

QTEST_GUILESS_MAIN(WordSearchTest)
#include "tst_wordsearch.moc"
