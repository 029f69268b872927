#include "central/printedlisting.h"
#include "central/recordnavigation.h"
#include "central/requirementchangelistener.h"
#include "central/requirementscentral.h"
#include "requirementrows.h"
#include "support/storetestsupport.h"
#include "support/testbackend.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

#include <optional>

using namespace varn;
using namespace varn::central;

namespace {

const QString kConnection = QStringLiteral("central");

QSqlDatabase database()
{
    return QSqlDatabase::database(kConnection, false);
}

// Numbers of the requirement rows of the list, in list order.
QList<int> listed(const RequirementsCentral &central)
{
    QList<int> numbers;
    for (int row = 0; row < central.model().requirementCount(); ++row)
        numbers.append(central.model().numberAt(row));
    return numbers;
}

QStringList headers(const RequirementsCentral &central)
{
    QStringList texts;
    const RequirementTableModel &model = central.model();
    for (int column = 0; column < model.columnCount(); ++column)
        texts.append(model.headerData(column, Qt::Horizontal).toString());
    return texts;
}

// Another user's save of `saved` and deletion of `deleted` (0: none),
// applied to the numbers the list is expected to show.
bool saveAndDeleteElsewhere(const QSqlDatabase &db, int saved, int deleted, QList<int> &expected)
{
    if (saved) {
        if (!insertRequirement(db, {saved, "Functional", 2}))
            return false;
        expected.append(saved);
        std::sort(expected.begin(), expected.end());
    }
    if (deleted) {
        if (!StoreTestSupport::exec(
                kConnection,
                QStringLiteral("UPDATE MASTER_REQ SET FSTType = 'Deleted' WHERE Req_Num = %1")
                    .arg(deleted)))
            return false;
        expected.removeOne(deleted);
    }
    return true;
}

// Two pages and a bit of template 2 requirements, 1000 onwards, whose
// paragraphs come in runs of three, the runs numbered against the requirement
// numbers (runs straddle the page edges). Returns the numbers and their
// paragraphs in paragraph order, equal paragraphs in number order both ways;
// nothing when a row could not be written.
struct ParagraphRuns
{
    QList<int> order;
    QStringList paragraphs;
};

std::optional<ParagraphRuns> insertParagraphRuns(bool ascending)
{
    constexpr int kRows = 2 * RequirementTableModel::kPageRows + 44;
    QSqlDatabase db = database();
    if (!db.transaction())
        return std::nullopt;
    QList<std::pair<QString, int>> expected;
    for (int i = 0; i < kRows; ++i) {
        const int number = 1000 + i;
        const QString paragraph = QStringLiteral("P%1").arg(kRows / 3 - i / 3, 3, 10, QChar(u'0'));
        if (!insertRequirement(
                db, {number, "Functional", 2, paragraph, QStringLiteral("text %1").arg(number)}))
            return std::nullopt;
        expected.append({paragraph, number});
    }
    if (!db.commit())
        return std::nullopt;
    std::sort(expected.begin(), expected.end(), [&](const auto &a, const auto &b) {
        if (a.first != b.first)
            return ascending ? a.first < b.first : a.first > b.first;
        return a.second < b.second;
    });
    ParagraphRuns runs;
    for (const auto &[paragraph, number] : expected) {
        runs.order.append(number);
        runs.paragraphs.append(paragraph);
    }
    return runs;
}

} // namespace

class RequirementsCentralTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;

    // Requirement 4 was superseded by 12 (its version 2); 5 was deleted.
    void storeExamples()
    {
        const RequirementRow rows[] = {
            {1, "Functional", 9, "3.1", "notify the operator", 1, 0, {"wind sensor", "Runway"}},
            {2, "Structural", 19, "3.2", "define a gate", 1, 0, {"runway"}},
            {3, "Technical", 23, "4.1", "respond within a second"},
            {4, "Deleted", 9, "3.1", "assess the weight", 1, 0, {"freight scale"}},
            {5, "Deleted", 1, "7", "remove the cargo"},
            {10, "Functional", 9, "3.3", "close the gate"},
            {12, "Functional", 9, "3.1", "assess the weight again", 2, 4, {"freight scale"}},
            {100, "Functional", 1, "10.1", "zoom the map", 1, 0, {"Wind Sensor"}},
        };
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

    void numberPattern_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("digits") << "12" << true;
        QTest::newRow("wildcard") << "*" << true;
        QTest::newRow("mixed") << "1*2*" << true;
        QTest::newRow("letter") << "12a" << false;
        QTest::newRow("blank") << " 1" << false;
        QTest::newRow("sign") << "-1" << false;
        QTest::newRow("quote") << "1'" << false;
        QTest::newRow("other digits") << QString::fromUtf8("١٢") << false;
    }

    void numberPattern()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        const Result<RequirementQuery::Selection> query = RequirementQuery::byNumber(text);
        QCOMPARE(query.isOk(), accepted);
        if (!accepted) {
            QCOMPARE(query.outcome().message(), QStringLiteral("Invalid Requirement number. Must "
                                                               "specify an integer, * for all, or "
                                                               "a combination thereof."));
            QCOMPARE(query.outcome().kind(), MessageKind::Warning);
        }
    }

    void queries_data()
    {
        QTest::addColumn<QueryKind>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("expected");
        using L = QList<int>;
        QTest::newRow("all") << QueryKind::All << "" << L{1, 2, 3, 10, 12, 100};
        QTest::newRow("functional") << QueryKind::Functional << "" << L{1, 10, 12, 100};
        QTest::newRow("structural") << QueryKind::Structural << "" << L{2};
        QTest::newRow("technical") << QueryKind::Technical << "" << L{3};
        QTest::newRow("template 9") << QueryKind::ByTemplate << "9" << L{1, 10, 12};
        QTest::newRow("template 1 leaves deleted out") << QueryKind::ByTemplate << "1" << L{100};
        QTest::newRow("builder") << QueryKind::ByTemplate << "0" << L{};
        QTest::newRow("number exact") << QueryKind::ByNumber << "12" << L{12};
        QTest::newRow("number prefix") << QueryKind::ByNumber << "1*" << L{1, 10, 12, 100};
        QTest::newRow("number all lists deleted")
            << QueryKind::ByNumber << "*" << L{1, 2, 3, 4, 5, 10, 12, 100};
        QTest::newRow("number of a deleted one") << QueryKind::ByNumber << "4" << L{4};
        QTest::newRow("number with leading zero") << QueryKind::ByNumber << "012" << L{};
        QTest::newRow("number prefix of two digits") << QueryKind::ByNumber << "10*" << L{10, 100};
        QTest::newRow("number wildcard inside") << QueryKind::ByNumber << "1*0" << L{10, 100};
        QTest::newRow("number wildcards both ends") << QueryKind::ByNumber << "*0*" << L{10, 100};
        QTest::newRow("number zero prefix") << QueryKind::ByNumber << "0*" << L{};
        QTest::newRow("number above the largest") << QueryKind::ByNumber << "3000000000" << L{};
        QTest::newRow("number longer than any") << QueryKind::ByNumber << "10000000000*" << L{};
        QTest::newRow("paragraph") << QueryKind::ByParagraph << "3.1" << L{1, 12};
        QTest::newRow("paragraph wildcard") << QueryKind::ByParagraph << "3*" << L{1, 2, 10, 12};
        QTest::newRow("paragraph is not pasted") << QueryKind::ByParagraph << "x' OR '1'='1" << L{};
        QTest::newRow("entity") << QueryKind::ByEntity << "freight scale" << L{12};
        QTest::newRow("entity any case") << QueryKind::ByEntity << "wind sensor" << L{1, 100};
        QTest::newRow("entity wildcard") << QueryKind::ByEntity << "*way" << L{1, 2};
        QTest::newRow("entity prefix any case") << QueryKind::ByEntity << "WIND*" << L{1, 100};
        QTest::newRow("entity is not pasted") << QueryKind::ByEntity << "x') OR (1=1" << L{};
    }

    void queries()
    {
        QFETCH(QueryKind, kind);
        QFETCH(QString, text);
        QFETCH(QList<int>, expected);
        RequirementsCentral central(kConnection);
        Outcome outcome = Outcome::ok();
        switch (kind) {
        case QueryKind::ByTemplate:
            outcome = central.runByTemplate(text.toInt());
            break;
        case QueryKind::ByNumber:
            outcome = central.runByNumber(text);
            break;
        case QueryKind::ByParagraph:
            outcome = central.runByParagraph(text);
            break;
        case QueryKind::ByEntity:
            outcome = central.runByEntity(text);
            break;
        default:
            outcome = central.runType(kind);
        }
        QVERIFY2(outcome.isOk(), qPrintable(outcome.message()));
        QCOMPARE(listed(central), expected);
        QCOMPARE(central.currentKind(), kind);
        // The list always ends with one empty row.
        QCOMPARE(central.model().rowCount(), expected.size() + 1);
        QVERIFY(!central.model().data(central.model().index(expected.size(), 0)).isValid());
    }

    void versions_data()
    {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("the newest version") << 12 << QList<int>{4, 12};
        QTest::newRow("the superseded version") << 4 << QList<int>{4, 12};
        QTest::newRow("a single version") << 10 << QList<int>{10};
    }

    void versions()
    {
        QFETCH(int, selected);
        QFETCH(QList<int>, expected);
        RequirementsCentral central(kConnection);
        QVERIFY(central.runByNumber(QStringLiteral("*")).isOk());
        QVERIFY(central.runByVersion(selected).isOk());
        QCOMPARE(listed(central), expected);
        QCOMPARE(central.currentKind(), QueryKind::ByVersion);
    }

    // After the list was read again the selection stays on its requirement,
    // follows it to the version that replaced it, or takes the place of a
    // deleted one.
    void rowToFollow_data()
    {
        QTest::addColumn<QString>("numbers"); // By Number text; empty: All
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("previousRow");
        QTest::addColumn<int>("followed"); // 0: nothing selected
        QTest::newRow("still listed") << "" << 10 << 1 << 10;
        QTest::newRow("replaced by a listed version") << "" << 4 << 3 << 12;
        QTest::newRow("replaced, both listed") << "*" << 4 << 3 << 12;
        QTest::newRow("deleted") << "" << 5 << 4 << 12;
        QTest::newRow("deleted from the last row") << "" << 5 << 9 << 100;
        QTest::newRow("deleted, still listed") << "*" << 5 << 4 << 5;
        QTest::newRow("the empty row") << "" << 0 << 6 << 100;
        QTest::newRow("nothing selected") << "" << 0 << -1 << 0;
    }

    void rowToFollow()
    {
        QFETCH(QString, numbers);
        QFETCH(int, selected);
        QFETCH(int, previousRow);
        QFETCH(int, followed);
        RequirementsCentral central(kConnection);
        QVERIFY(numbers.isEmpty() ? central.runType(QueryKind::All).isOk()
                                  : central.runByNumber(numbers).isOk());
        const int row = central.rowToFollow(selected, previousRow);
        QCOMPARE(central.model().numberAt(row), followed);
        QCOMPARE(row < 0, followed == 0);
    }

    void printedDocumentName_data()
    {
        QTest::addColumn<QString>("system");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "Acme Telecom"
                               << "System Requirements - Acme Telecom.pdf";
        QTest::newRow("colon") << "Acme: Telecom"
                               << "System Requirements - Acme_ Telecom.pdf";
        QTest::newRow("dot") << "ESD v2.1"
                             << "System Requirements - ESD v2.1.pdf";
        QTest::newRow("shell characters") << "A\"B<C>|D"
                                          << "System Requirements - A_B_C__D.pdf";
    }

    void printedDocumentName()
    {
        QFETCH(QString, system);
        QFETCH(QString, name);
        QCOMPARE(PrintedListing::documentNameFor(system), name);
        const Result<PrintedListing> listing =
            PrintedListing::of(RequirementTableModel(), system, QDate(2026, 12, 7));
        QVERIFY(listing);
        QCOMPARE(listing->documentName, name);
        QCOMPARE(listing->title, QStringLiteral("System Requirements - System Name: ") + system);
    }

    void refreshRunsTheLastQuery_data()
    {
        QTest::addColumn<QueryKind>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("expected");
        using L = QList<int>;
        QTest::newRow("all") << QueryKind::All << "" << L{1, 2, 3, 10, 12, 20, 100};
        QTest::newRow("paragraph") << QueryKind::ByParagraph << "3.1" << L{1, 12, 20};
        QTest::newRow("entity") << QueryKind::ByEntity << "runway" << L{1, 2, 20};
        QTest::newRow("another type") << QueryKind::Structural << "" << L{2};
        QTest::newRow("versions") << QueryKind::ByVersion << "4" << L{4, 12};
    }

    void refreshRunsTheLastQuery()
    {
        QFETCH(QueryKind, kind);
        QFETCH(QString, text);
        QFETCH(QList<int>, expected);
        RequirementsCentral central(kConnection);
        // Before any query there is nothing to list again.
        QVERIFY(central.refresh().isOk());
        QCOMPARE(central.model().requirementCount(), 0);
        const Outcome ran = kind == QueryKind::ByParagraph ? central.runByParagraph(text)
                            : kind == QueryKind::ByEntity  ? central.runByEntity(text)
                            : kind == QueryKind::ByVersion ? central.runByVersion(text.toInt())
                                                           : central.runType(kind);
        QVERIFY(ran.isOk());
        QVERIFY(insertRequirement(database(),
                                  {20, "Functional", 9, "3.1", "open the gate", 1, 0, {"RUNWAY"}}));
        QVERIFY(central.refresh().isOk());
        QCOMPARE(listed(central), expected);
        QCOMPARE(central.currentKind(), kind);
    }

    void listensOnlyOnAServer()
    {
        RequirementChangeListener listener;
        QCOMPARE(listener.listen(kConnection), TestBackend::isServer());
        QCOMPARE(listener.isListening(), TestBackend::isServer());
        QVERIFY(!listener.listen(QStringLiteral("no such connection")));
    }

    void refusalsKeepTheList()
    {
        RequirementsCentral central(kConnection);
        QVERIFY(central.runType(QueryKind::Technical).isOk());

        const Outcome invalid = central.runByNumber(QStringLiteral("12a"));
        QVERIFY(!invalid.isOk());
        QCOMPARE(listed(central), QList<int>{3});
        QCOMPARE(central.currentKind(), QueryKind::Technical);

        // Empty texts and no template do nothing.
        for (const Outcome &nothing : {central.runByNumber({}), central.runByParagraph({}),
                                       central.runByEntity({}), central.runByTemplate(-1)}) {
            QVERIFY(nothing.isOk());
            QCOMPARE(listed(central), QList<int>{3});
        }
        QCOMPARE(central.currentKind(), QueryKind::Technical);

        const Outcome none = central.runByVersion(0);
        QCOMPARE(none.message(), QStringLiteral("No requirement is currently selected."));
        QCOMPARE(none.kind(), MessageKind::Warning);

        // A database failure names the set and keeps what the list showed.
        QVERIFY(StoreTestSupport::exec(kConnection, "ALTER TABLE MASTER_REQ RENAME TO MOVED"));
        const Outcome failed = central.runType(QueryKind::All);
        QVERIFY(failed.message().startsWith(QStringLiteral("Cannot open ReqMsSet recordset.\n")));
        QVERIFY(failed.message().size() > 36);
        QCOMPARE(failed.kind(), MessageKind::Stop);
        QCOMPARE(listed(central), QList<int>{3});
        QVERIFY(StoreTestSupport::exec(kConnection, "ALTER TABLE MOVED RENAME TO MASTER_REQ"));
    }

    void sorting()
    {
        RequirementsCentral central(kConnection);
        QVERIFY(central.runType(QueryKind::Functional).isOk());
        const int requirement = int(central.model().columns().indexOf(Column::Requirement));
        QVERIFY(requirement > 0);

        QVERIFY(central.sortByColumn(requirement, {}).isOk());
        QCOMPARE(central.sortColumn(), Column::Requirement);
        QVERIFY(central.sortAscending());
        QCOMPARE(central.listingOrder(), varn::store::RequirementOrder::Sentence);
        QCOMPARE(listed(central), (QList<int>{12, 10, 1, 100}));
        // The same header again reverses the direction; the query stays.
        QVERIFY(central.sortByColumn(requirement, {}).isOk());
        QCOMPARE(central.sortColumn(), Column::Requirement);
        QVERIFY(!central.sortAscending());
        QCOMPARE(listed(central), (QList<int>{100, 1, 10, 12}));
        QCOMPARE(central.currentKind(), QueryKind::Functional);
        // Another header sorts ascending.
        QVERIFY(central.sortByColumn(0, {}).isOk());
        QCOMPARE(central.sortColumn(), Column::Number);
        QVERIFY(central.sortAscending());
        QCOMPARE(central.listingOrder(), varn::store::RequirementOrder::Number);
        // The number list is sorted first ascending, so a click reverses it.
        QVERIFY(central.sortByColumn(0, {}).isOk());
        QCOMPARE(listed(central), (QList<int>{100, 12, 10, 1}));
    }

    // Each selection keeps its rows and their order whichever index serves
    // the order: those of live requirements only, or those of every row for
    // By Number, which lists deleted and superseded ones too.
    void sortedSelections_data()
    {
        QTest::addColumn<QueryKind>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("column"); // Column
        QTest::addColumn<bool>("ascending");
        QTest::addColumn<QList<int>>("expected");
        using L = QList<int>;
        const int sentence = int(Column::Requirement);
        const int number = int(Column::Number);
        QTest::newRow("all by sentence up")
            << QueryKind::All << "" << sentence << true << L{12, 10, 2, 1, 3, 100};
        QTest::newRow("all by sentence down")
            << QueryKind::All << "" << sentence << false << L{100, 3, 1, 2, 10, 12};
        QTest::newRow("all by number down")
            << QueryKind::All << "" << number << false << L{100, 12, 10, 3, 2, 1};
        QTest::newRow("template by sentence")
            << QueryKind::ByTemplate << "9" << sentence << true << L{12, 10, 1};
        QTest::newRow("paragraph by sentence down")
            << QueryKind::ByParagraph << "3*" << sentence << false << L{1, 2, 10, 12};
        QTest::newRow("every number by sentence")
            << QueryKind::ByNumber << "*" << sentence << true << L{4, 12, 10, 2, 1, 5, 3, 100};
        QTest::newRow("number prefix down")
            << QueryKind::ByNumber << "1*" << number << false << L{100, 12, 10, 1};
        QTest::newRow("number prefix by sentence")
            << QueryKind::ByNumber << "1*" << sentence << true << L{12, 10, 1, 100};
    }

    void sortedSelections()
    {
        QFETCH(QueryKind, kind);
        QFETCH(QString, text);
        QFETCH(int, column);
        QFETCH(bool, ascending);
        QFETCH(QList<int>, expected);
        RequirementsCentral central(kConnection);
        central.setSort(Column(column), ascending);
        Outcome outcome = Outcome::ok();
        switch (kind) {
        case QueryKind::ByTemplate:
            outcome = central.runByTemplate(text.toInt());
            break;
        case QueryKind::ByNumber:
            outcome = central.runByNumber(text);
            break;
        case QueryKind::ByParagraph:
            outcome = central.runByParagraph(text);
            break;
        default:
            outcome = central.runType(kind);
        }
        QVERIFY2(outcome.isOk(), qPrintable(outcome.message()));
        QCOMPARE(central.sortAscending(), ascending);
        QCOMPARE(listed(central), expected);
    }

    void rerunUsesTheFields()
    {
        RequirementsCentral central(kConnection);
        QVERIFY(central.runByParagraph(QStringLiteral("3.1")).isOk());
        // The field now holds another text: the query runs with it.
        QVERIFY(central.rerun({{}, QStringLiteral("4*"), {}}).isOk());
        QCOMPARE(listed(central), QList<int>{3});
        // An emptied field lists All.
        QVERIFY(central.rerun({}).isOk());
        QCOMPARE(central.currentKind(), QueryKind::All);
        QCOMPARE(listed(central).size(), 6);

        QVERIFY(central.runByNumber(QStringLiteral("*")).isOk());
        QVERIFY(central.runByVersion(12).isOk());
        // Sorted by number already: the click reverses it.
        QVERIFY(central.sortByColumn(0, {}).isOk());
        QCOMPARE(listed(central), (QList<int>{12, 4}));
        QCOMPARE(central.currentKind(), QueryKind::ByVersion);
    }

    void pages()
    {
        // Longer than two pages, listed in another order than the numbers.
        QSqlDatabase db = database();
        QVERIFY(db.transaction());
        for (int number = 1000; number < 1300; ++number)
            QVERIFY(insertRequirement(
                db, {number, "Functional", 2, "9",
                     QStringLiteral("text %1").arg(2000 - number, 4, 10, QLatin1Char('0'))}));
        QVERIFY(db.commit());
        RequirementsCentral central(kConnection);
        QVERIFY(central.runByTemplate(2).isOk());
        const int requirement = int(central.model().columns().indexOf(Column::Requirement));
        QVERIFY(central.sortByColumn(requirement, {}).isOk());
        const RequirementTableModel &model = central.model();
        QCOMPARE(model.requirementCount(), 300);
        for (const int row : {0, 127, 128, 299}) {
            const int number = 1299 - row;
            QCOMPARE(model.numberAt(row), number);
            QCOMPARE(model.data(model.index(row, requirement)).toString(),
                     QStringLiteral("The Acme system shall text %1")
                         .arg(2000 - number, 4, 10, QLatin1Char('0')));
            QCOMPARE(model.requirementAt(row)->Req_Num, number);
        }

        // A page that cannot be read shows empty cells and says so once.
        QSignalSpy failures(&model, &RequirementTableModel::pageFailed);
        QVERIFY(central.runByTemplate(2).isOk());
        QVERIFY(StoreTestSupport::exec(kConnection, "ALTER TABLE MASTER_REQ RENAME TO MOVED"));
        QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("1299"));
        QCOMPARE(model.data(model.index(0, requirement)).toString(), QString());
        QCOMPARE(model.data(model.index(200, requirement)).toString(), QString());
        QVERIFY(!model.requirementAt(5));
        QCOMPARE(failures.size(), 1);
        QVERIFY(failures.first().first().toString().startsWith(
            QStringLiteral("Cannot open ReqMsSet recordset.\n")));
        QVERIFY(StoreTestSupport::exec(kConnection, "ALTER TABLE MOVED RENAME TO MASTER_REQ"));
    }

    // A list longer than two pages, in runs of three equal paragraphs that
    // straddle the page edges: each page holds the rows of its numbers, in
    // order across the edges both ways (equal values in number order), and
    // a requirement deleted after the first page was read leaves the later
    // pages' rows where they were.
    void pageEdges_data()
    {
        QTest::addColumn<bool>("ascending");
        QTest::addColumn<int>("deleted"); // 0: none
        QTest::newRow("up") << true << 0;
        QTest::newRow("down") << false << 0;
        QTest::newRow("up, deleted on a later page") << true << 1100;
        QTest::newRow("down, deleted at a page edge") << false << 1258;
    }

    void pageEdges()
    {
        QFETCH(bool, ascending);
        QFETCH(int, deleted);
        const std::optional<ParagraphRuns> written = insertParagraphRuns(ascending);
        QVERIFY(written);
        QList<int> order = written->order;

        RequirementsCentral central(kConnection);
        QVERIFY(central.loadSettings().isOk());
        QVERIFY(central.runByTemplate(2).isOk());
        central.setSort(Column::Paragraph, ascending);
        QVERIFY(central.refresh().isOk());
        const RequirementTableModel &model = central.model();
        QCOMPARE(listed(central), order);
        const int requirement = int(model.columns().indexOf(Column::Requirement));
        QVERIFY(requirement > 0);
        // The first page is read, the later ones not yet.
        QCOMPARE(model.requirementAt(0)->Req_Num, order.first());
        if (deleted)
            QVERIFY(StoreTestSupport::exec(
                kConnection,
                QStringLiteral("UPDATE MASTER_REQ SET FSTType = 'Deleted' WHERE Req_Num = %1")
                    .arg(deleted)));
        const int page = RequirementTableModel::kPageRows;
        for (const int row : {page - 1, page, 2 * page - 1, 2 * page, int(order.size()) - 1}) {
            const int number = order.at(row);
            QCOMPARE(model.numberAt(row), number);
            QCOMPARE(model.requirementAt(row)->Req_Num, number);
            QCOMPARE(model.requirementAt(row)->ParaNum, written->paragraphs.at(row));
            QCOMPARE(model.data(model.index(row, requirement)).toString(),
                     QStringLiteral("The Acme system shall text %1").arg(number));
        }
        if (deleted) {
            const int row = model.rowOf(deleted);
            QVERIFY(row >= page);
            QCOMPARE(model.requirementAt(row)->FSTType, QStringLiteral("Deleted"));
            QCOMPARE(model.requirementAt(row + 1)->Req_Num, order.at(row + 1));
            // Listed again, it is gone and the rest keep their order.
            QVERIFY(central.refresh().isOk());
            order.removeOne(deleted);
            QCOMPARE(listed(central), order);
        }
    }

    // A list longer than the numbers a query reads first (five here) shows
    // its length at once and reads the rest when a row past them is asked
    // for: the first rows are the whole list's, across runs of equal values
    // in both directions (a descending order read a run at a time from the
    // top), and the whole list is the one read at once.
    void firstRowsThenTheRest_data()
    {
        QTest::addColumn<QueryKind>("kind");
        QTest::addColumn<int>("column"); // Column
        QTest::addColumn<bool>("ascending");
        for (const bool ascending : {true, false}) {
            const char *direction = ascending ? "up" : "down";
            QTest::addRow("all by paragraph %s", direction)
                << QueryKind::All << int(Column::Paragraph) << ascending;
            QTest::addRow("all by sentence %s", direction)
                << QueryKind::All << int(Column::Requirement) << ascending;
            QTest::addRow("all by category %s", direction)
                << QueryKind::All << int(Column::Category) << ascending;
            QTest::addRow("all by priority %s", direction)
                << QueryKind::All << int(Column::Priority) << ascending;
            QTest::addRow("all by number %s", direction)
                << QueryKind::All << int(Column::Number) << ascending;
            QTest::addRow("functional by type %s", direction)
                << QueryKind::Functional << int(Column::Type) << ascending;
            QTest::addRow("template by paragraph %s", direction)
                << QueryKind::ByTemplate << int(Column::Paragraph) << ascending;
            QTest::addRow("template by source %s", direction)
                << QueryKind::ByTemplate << int(Column::Source) << ascending;
            QTest::addRow("comments %s", direction)
                << QueryKind::All << int(Column::Comments) << ascending;
            QTest::addRow("paragraph pattern by priority %s", direction)
                << QueryKind::ByParagraph << int(Column::Priority) << ascending;
        }
    }

    void firstRowsThenTheRest()
    {
        QFETCH(QueryKind, kind);
        QFETCH(int, column);
        QFETCH(bool, ascending);
        // Runs of three equal paragraphs, priorities in runs of seven, most
        // comments empty, every category the same.
        QSqlDatabase db = database();
        QVERIFY(db.transaction());
        for (int i = 0; i < 40; ++i) {
            RequirementRow row{1000 + i, "Functional", 2,
                               QStringLiteral("P%1").arg(20 - i / 3, 2, 10, QChar(u'0')),
                               QStringLiteral("text %1").arg(i % 9)};
            row.priority = 1 + (i / 7) % 3;
            if (i % 4 == 0)
                row.comments = QStringLiteral("note %1").arg(i % 3);
            QVERIFY(insertRequirement(db, row));
        }
        QVERIFY(db.commit());
        const auto run = [&](RequirementsCentral &central) {
            central.setSort(Column(column), ascending);
            if (kind == QueryKind::ByParagraph)
                return central.runByParagraph(QStringLiteral("p1*"));
            return kind == QueryKind::ByTemplate ? central.runByTemplate(2) : central.runType(kind);
        };
        RequirementsCentral whole(kConnection);
        whole.setFirstRows(0);
        QVERIFY(run(whole).isOk());
        QVERIFY(whole.model().isComplete());
        const QList<int> expected = listed(whole);
        QVERIFY(expected.size() > 5);

        RequirementsCentral central(kConnection);
        central.setFirstRows(5);
        QVERIFY(run(central).isOk());
        const RequirementTableModel &model = central.model();
        QCOMPARE(model.requirementCount(), expected.size());
        QCOMPARE(model.rowCount(), expected.size() + 1);
        QVERIFY(!model.isComplete());
        for (int row = 0; row < 5; ++row)
            QCOMPARE(model.numberAt(row), expected.at(row));
        QVERIFY(!model.isComplete());
        QCOMPARE(model.numberAt(5), expected.at(5));
        QVERIFY(model.isComplete());
        QCOMPARE(listed(central), expected);
        for (const int row : {0, 4, 5, int(expected.size()) - 1})
            QCOMPARE(model.requirementAt(row)->Req_Num, expected.at(row));
        // A page of rows needs every number on it: the rest is read first.
        QVERIFY(run(central).isOk());
        QVERIFY(!model.isComplete());
        QCOMPARE(model.requirementAt(0)->Req_Num, expected.first());
        QVERIFY(model.isComplete());
        // A requirement past the first rows is found: the rest is read.
        QVERIFY(run(central).isOk());
        QVERIFY(!model.isComplete());
        QCOMPARE(model.rowOf(expected.last()), int(expected.size()) - 1);
        QVERIFY(model.isComplete());
    }

    // Another user saves or deletes between the query and the read of the
    // rest of its list: the list takes the rows as the rest was read, and
    // the views hear of the rows that came or went once control returns
    // to the event loop (never inside the paint that asked for a row).
    void restReadAfterAnotherSave_data()
    {
        QTest::addColumn<int>("saved");   // 0: none
        QTest::addColumn<int>("deleted"); // 0: none
        QTest::newRow("saved among the first rows") << 999 << 0;
        QTest::newRow("saved past them") << 1100 << 0;
        QTest::newRow("deleted among the first rows") << 0 << 1001;
        QTest::newRow("deleted past them") << 0 << 1030;
    }

    void restReadAfterAnotherSave()
    {
        QFETCH(int, saved);
        QFETCH(int, deleted);
        QSqlDatabase db = database();
        QVERIFY(db.transaction());
        for (int number = 1000; number < 1040; ++number)
            QVERIFY(insertRequirement(db, {number, "Functional", 2}));
        QVERIFY(db.commit());
        RequirementsCentral central(kConnection);
        central.setFirstRows(5);
        QVERIFY(central.runByTemplate(2).isOk());
        const RequirementTableModel &model = central.model();
        QCOMPARE(model.requirementCount(), 40);
        QCOMPARE(model.numberAt(0), 1000);
        QVERIFY(!model.isComplete());
        QList<int> expected;
        for (int number = 1000; number < 1040; ++number)
            expected.append(number);
        QVERIFY(saveAndDeleteElsewhere(db, saved, deleted, expected));
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QCOMPARE(model.numberAt(20), expected.at(20));
        QVERIFY(model.isComplete());
        // Nothing said yet; the rows the views know of keep answering.
        QCOMPARE(inserted.size() + removed.size() + changed.size(), 0);
        QCOMPARE(model.requirementCount(), 40);
        QCOMPARE(model.requirementAt(0)->Req_Num, expected.first());
        QCOMPARE(model.numberAt(40), 0);
        QTRY_COMPARE(changed.size(), 1);
        QCOMPARE(inserted.size(), saved ? 1 : 0);
        QCOMPARE(removed.size(), deleted ? 1 : 0);
        QCOMPARE(model.requirementCount(), expected.size());
        QCOMPARE(model.rowCount(), expected.size() + 1);
        QCOMPARE(listed(central), expected);
        const int last = int(expected.size()) - 1;
        QCOMPARE(model.requirementAt(last)->Req_Num, expected.at(last));
        QCOMPARE(model.requirementAt(0)->Req_Num, expected.first());
    }

    // The rest of a long list is read in blocks, each on from the last row
    // of the one before (here 5 first rows, then blocks of 2, 16, 128), or
    // from the end for a row nearer to it. Every column's order in both
    // directions, with runs of equal values, empty texts and empty (NULL)
    // values across the blocks' edges, read three ways: on from the first
    // rows, from the last row backwards, and from the middle. Each gives
    // the list read at once, row for row.
    void blocksReadOnInEveryOrder_data()
    {
        QTest::addColumn<int>("column"); // Column
        QTest::addColumn<bool>("ascending");
        const std::pair<Column, const char *> columns[] = {
            {Column::Number, "number"},        {Column::Type, "type"},
            {Column::Source, "source"},        {Column::Category, "category"},
            {Column::Priority, "priority"},    {Column::Release, "release"},
            {Column::Version, "version"},      {Column::Paragraph, "paragraph"},
            {Column::Requirement, "sentence"}, {Column::OrigNumber, "first version"},
            {Column::DateSaved, "date saved"}, {Column::Comments, "comments"}};
        for (const auto &[column, name] : columns) {
            for (const bool ascending : {true, false})
                QTest::addRow("%s %s", name, ascending ? "up" : "down") << int(column) << ascending;
        }
    }

    void blocksReadOnInEveryOrder()
    {
        QFETCH(int, column);
        QFETCH(bool, ascending);
        QSqlDatabase db = database();
        QVERIFY(db.transaction());
        constexpr int kRows = 60;
        for (int i = 0; i < kRows; ++i) {
            RequirementRow row{1000 + i, i % 10 == 3 ? "Structural" : "Functional",
                               i % 10 == 3 ? 20 : 2 + 7 * ((i / 8) % 2),
                               QStringLiteral("P%1").arg(20 - i / 3, 2, 10, QChar(u'0')),
                               QStringLiteral("text %1").arg(i % 9)};
            row.priority = 1 + (i / 7) % 3;
            row.version = 1 + (i / 13) % 2;
            row.original = i % 6 == 0 ? 1000 : 0;
            QVERIFY(insertRequirement(db, row));
        }
        QVERIFY(db.commit());
        // Runs of equal values longer than a block, empty texts and NULLs.
        const auto set = [&](const QString &assignment, const QString &which) {
            return StoreTestSupport::exec(
                kConnection,
                QStringLiteral("UPDATE MASTER_REQ SET %1 WHERE %2").arg(assignment, which));
        };
        QVERIFY(set(QStringLiteral("Category = 'C' || CAST((Req_Num - 1000) / 9 AS "
                                   "VARCHAR(11))"),
                    QStringLiteral("Req_Num >= 1000")));
        QVERIFY(set(QStringLiteral("Category = NULL, Release = NULL, Comments = NULL"),
                    QStringLiteral("MOD(Req_Num, 5) = 0")));
        QVERIFY(set(QStringLiteral("Category = '', Comments = ''"),
                    QStringLiteral("MOD(Req_Num, 5) = 1")));
        QVERIFY(set(QStringLiteral("Release = 2, Comments = 'note'"),
                    QStringLiteral("MOD(Req_Num, 5) = 2")));
        QVERIFY(
            set(QStringLiteral("DateSaved = '4-7-2009'"), QStringLiteral("MOD(Req_Num, 3) = 0")));
        const auto run = [&](RequirementsCentral &central) {
            central.setSort(Column(column), ascending);
            return central.runType(QueryKind::All);
        };
        RequirementsCentral whole(kConnection);
        whole.setFirstRows(0);
        QVERIFY(run(whole).isOk());
        QVERIFY(whole.model().isComplete());
        const QList<int> expected = listed(whole);
        QVERIFY(expected.size() >= kRows); // the workspace's own rows too
        const int rows = int(expected.size());

        enum class Way { Forward, FromTheEnd, FromTheMiddle };
        for (const Way way : {Way::Forward, Way::FromTheEnd, Way::FromTheMiddle}) {
            RequirementsCentral central(kConnection);
            central.setFirstRows(5);
            central.setFirstBlock(2);
            QVERIFY(run(central).isOk());
            const RequirementTableModel &model = central.model();
            QCOMPARE(model.requirementCount(), rows);
            QVERIFY(!model.isComplete());
            if (way == Way::FromTheEnd) {
                // The last row is read from the end, not through the list.
                QCOMPARE(model.numberAt(rows - 1), expected.last());
                QVERIFY(!model.isComplete());
                for (int row = rows - 1; row >= 0; --row)
                    QCOMPARE(model.numberAt(row), expected.at(row));
            } else {
                if (way == Way::FromTheMiddle)
                    QCOMPARE(model.numberAt(rows / 2), expected.at(rows / 2));
                for (int row = 0; row < rows; ++row)
                    QCOMPARE(model.numberAt(row), expected.at(row));
            }
            QVERIFY(model.isComplete());
            QCOMPARE(listed(central), expected);
            for (const int row : {0, 6, 7, 23, 24, rows - 1})
                QCOMPARE(model.requirementAt(row)->Req_Num, expected.at(row));
        }
    }

    // Another user saves or deletes after the first blocks are read, while
    // rows between them and those read from the end are not: the list
    // reads the rest as it is now, holds each row once, and tells the views
    // of the rows that changed once control is back in the event loop (rows
    // already read stay as read until the list is queried again). A print
    // after a partial read holds every row.
    void blocksAfterAnotherSave_data()
    {
        QTest::addColumn<int>("saved");   // 0: none
        QTest::addColumn<int>("deleted"); // 0: none
        QTest::addColumn<bool>("fromTheEnd");
        QTest::addColumn<bool>("printed");
        // 300 rows, 1000 to 1598 by two: the first page's rows read on from
        // the start are rows 0 to 150 (1000 to 1300), the last page's rows
        // read from the end rows 154 to 299 (1308 to 1598).
        QTest::newRow("saved between the read rows") << 1303 << 0 << true << false;
        QTest::newRow("deleted between the read rows") << 0 << 1304 << true << false;
        QTest::newRow("deleted: the first row read from the end") << 0 << 1308 << true << false;
        QTest::newRow("saved past the rows read") << 1401 << 0 << false << false;
        QTest::newRow("deleted past the rows read") << 0 << 1400 << false << false;
        QTest::newRow("saved, and the first row read from the end deleted: the same length")
            << 1303 << 1308 << true << false;
        QTest::newRow("printed after a partial read") << 0 << 0 << true << true;
    }

    void blocksAfterAnotherSave()
    {
        QFETCH(int, saved);
        QFETCH(int, deleted);
        QFETCH(bool, fromTheEnd);
        QFETCH(bool, printed);
        QSqlDatabase db = database();
        QVERIFY(db.transaction());
        QList<int> expected;
        for (int number = 1000; number < 1600; number += 2) {
            QVERIFY(insertRequirement(db, {number, "Functional", 2}));
            expected.append(number);
        }
        QVERIFY(db.commit());
        RequirementsCentral central(kConnection);
        central.setFirstRows(5);
        central.setFirstBlock(2);
        QVERIFY(central.runByTemplate(2).isOk());
        const RequirementTableModel &model = central.model();
        constexpr int kRows = 300;
        // Each page of rows shown is read with all its numbers.
        QCOMPARE(model.requirementAt(6)->Req_Num, expected.at(6));
        if (fromTheEnd)
            QCOMPARE(model.requirementAt(kRows - 2)->Req_Num, expected.at(kRows - 2));
        QVERIFY(!model.isComplete());
        if (printed) {
            const Result<PrintedListing> listing =
                PrintedListing::of(model, QStringLiteral("Acme"), QDate(2026, 12, 8));
            QVERIFY(listing.isOk());
            QList<int> numbers;
            for (const PrintedRequirement &requirement : listing->requirements)
                numbers.append(requirement.cells.first().toInt());
            QCOMPARE(numbers, expected);
            QVERIFY(model.isComplete());
            return;
        }
        QVERIFY(saveAndDeleteElsewhere(db, saved, deleted, expected));
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QList<int> read;
        for (int row = 0; row < kRows; ++row)
            read.append(model.numberAt(row));
        QVERIFY(model.isComplete());
        QCOMPARE(inserted.size() + removed.size() + changed.size(), 0);
        QTRY_COMPARE(changed.size(), 1);
        QCOMPARE(inserted.size(), expected.size() > kRows ? 1 : 0);
        QCOMPARE(removed.size(), expected.size() < kRows ? 1 : 0);
        QCOMPARE(model.requirementCount(), expected.size());
        QCOMPARE(listed(central), expected);
        const qsizetype shown = std::min(qsizetype(kRows), expected.size());
        QCOMPARE(read.first(shown), expected.first(shown));
        for (int row = 0; row < expected.size(); ++row)
            QCOMPARE(model.requirementAt(row)->Req_Num, expected.at(row));
    }

    // Empty values, letters of both cases and beyond ASCII, and runs of equal
    // values: both backends list them alike, text compared byte by byte,
    // empty (NULL) values first going up and last going down, equal values
    // in number order both ways.
    void sortEdges_data()
    {
        QTest::addColumn<int>("columnValue");
        QTest::addColumn<bool>("ascending");
        for (const bool ascending : {true, false}) {
            const char *direction = ascending ? "up" : "down";
            QTest::addRow("comments %s", direction) << int(Column::Comments) << ascending;
            QTest::addRow("paragraph %s", direction) << int(Column::Paragraph) << ascending;
            QTest::addRow("requirement %s", direction) << int(Column::Requirement) << ascending;
        }
    }

    void sortEdges()
    {
        QFETCH(int, columnValue);
        const Column column = Column(columnValue);
        QFETCH(bool, ascending);
        // The values against the numbers' order, some twice, two empty.
        const QStringList values = {QStringLiteral("b"),           QString(),
                                    QStringLiteral("B"),           QStringLiteral("a"),
                                    QString::fromUtf8("\xc3\xa9"), QStringLiteral("a"),
                                    QStringLiteral("Z"),           QString(),
                                    QStringLiteral("b"),           QStringLiteral("a b")};
        QSqlDatabase db = database();
        QVERIFY(db.transaction());
        QList<std::pair<QString, int>> expected;
        for (int i = 0; i < values.size(); ++i) {
            const int number = 2000 + i;
            RequirementRow row{number, "Functional", 3};
            QString sortValue = values.at(i);
            if (column == Column::Comments) {
                row.comments = values.at(i);
            } else if (column == Column::Paragraph) {
                row.paragraph = values.at(i);
            } else {
                // The sentence is never empty: the preamble leads it.
                row.text = values.at(i).isNull() ? QStringLiteral("") : values.at(i);
                sortValue = QStringLiteral("The Acme system shall ") + row.text;
            }
            QVERIFY(insertRequirement(db, row));
            expected.append({sortValue, number});
        }
        QVERIFY(db.commit());
        std::stable_sort(expected.begin(), expected.end(), [&](const auto &a, const auto &b) {
            if (a.first.isNull() != b.first.isNull())
                return ascending ? a.first.isNull() : b.first.isNull();
            const int order = a.first.toUtf8().compare(b.first.toUtf8());
            return ascending ? order < 0 : order > 0;
        });
        QList<int> order;
        for (const auto &[value, number] : expected)
            order.append(number);

        RequirementsCentral central(kConnection);
        QVERIFY(central.runByTemplate(3).isOk());
        central.setSort(column, ascending);
        QVERIFY(central.refresh().isOk());
        QCOMPARE(listed(central), order);
    }

    // varn-cli's list reads the rows of a query once, in the list's order
    // across what are page edges for the list model (runs of equal
    // paragraphs straddle them), and writes what the database held when the
    // read began: a requirement another user deletes meanwhile is written as
    // it was, never as a deleted row among live ones.
    void forEachSelectedReadsOnce_data()
    {
        QTest::addColumn<bool>("ascending");
        QTest::addColumn<int>("deleted"); // 0: none
        QTest::newRow("up") << true << 0;
        QTest::newRow("down") << false << 0;
        QTest::newRow("up, deleted past the second page edge") << true << 1010;
        QTest::newRow("down, deleted just past the second page edge") << false << 1258;
    }

    void forEachSelectedReadsOnce()
    {
        QFETCH(bool, ascending);
        QFETCH(int, deleted);
        const std::optional<ParagraphRuns> written = insertParagraphRuns(ascending);
        QVERIFY(written);
        QList<int> order = written->order;
        QSqlDatabase db = database();

        RequirementsCentral central(kConnection);
        central.setSort(Column::Paragraph, ascending);
        const QString otherUser = QStringLiteral("central other user");
        QSqlDatabase other = QSqlDatabase::cloneDatabase(db, otherUser);
        QVERIFY(other.open());
        bool deletedMeanwhile = false;
        QList<int> numbers;
        QStringList problems;
        const Outcome read = central.forEachSelected(
            RequirementQuery::byTemplate(2), QueryKind::ByTemplate,
            [&](const store::ListedRow &row) {
                if (numbers.isEmpty() && deleted) {
                    QSqlQuery update(other);
                    update.prepare(
                        QStringLiteral("UPDATE MASTER_REQ SET FSTType = ? WHERE Req_Num = ?"));
                    update.addBindValue(QStringLiteral("Deleted"));
                    update.addBindValue(deleted);
                    deletedMeanwhile = update.exec() && update.numRowsAffected() == 1;
                    if (!deletedMeanwhile)
                        problems.append(update.lastError().text());
                }
                if (row.type != QLatin1String("Functional") ||
                    row.preamble != "The Acme system shall" ||
                    row.text != QStringLiteral("text %1").arg(row.number))
                    problems.append(
                        QStringLiteral("%1 %2: %3").arg(row.number).arg(row.type, row.text));
                numbers.append(row.number);
            });
        other.close();
        other = QSqlDatabase();
        QSqlDatabase::removeDatabase(otherUser);
        QVERIFY2(read.isOk(), qPrintable(read.message()));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
        QCOMPARE(deletedMeanwhile, deleted != 0);
        QCOMPARE(numbers, order);
        if (deleted) {
            // Read again, it is gone and the rest keep their order.
            order.removeOne(deleted);
            numbers.clear();
            QVERIFY(central
                        .forEachSelected(
                            RequirementQuery::byTemplate(2), QueryKind::ByTemplate,
                            [&](const store::ListedRow &row) { numbers.append(row.number); })
                        .isOk());
            QCOMPARE(numbers, order);
        }
    }

    void cellTexts_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("priority of two digits") << int(Column::Priority) << 99 << "99";
        QTest::newRow("priority of three") << int(Column::Priority) << 100 << "";
        QTest::newRow("negative priority") << int(Column::Priority) << -1 << "-1";
        QTest::newRow("release too long") << int(Column::Release) << -10 << "";
        QTest::newRow("version of three") << int(Column::Version) << 999 << "999";
        QTest::newRow("version of four") << int(Column::Version) << 1000 << "";
        QTest::newRow("orig of six") << int(Column::OrigNumber) << 999999 << "999999";
        QTest::newRow("orig of seven") << int(Column::OrigNumber) << 1000000 << "";
        QTest::newRow("number of any length") << int(Column::Number) << 12345678 << "12345678";
        QTest::newRow("source of any length") << int(Column::Source) << 12345 << "12345";
    }

    void cellTexts()
    {
        QFETCH(int, column);
        QFETCH(int, value);
        QFETCH(QString, expected);
        store::MasterReqRow row;
        const int store::MasterReqRow::*members[] = {&store::MasterReqRow::Req_Num,
                                                     nullptr,
                                                     &store::MasterReqRow::Source,
                                                     nullptr,
                                                     &store::MasterReqRow::Priority,
                                                     &store::MasterReqRow::Release,
                                                     &store::MasterReqRow::Version,
                                                     nullptr,
                                                     nullptr,
                                                     &store::MasterReqRow::OrigReqNum};
        row.*const_cast<int store::MasterReqRow::*>(members[column]) = value;
        QCOMPARE(CentralColumns::cellText(row, Column(column)), expected);

        row.Preamble = QStringLiteral("The Acme system shall");
        row.ReqText = QStringLiteral("notify the operator");
        QCOMPARE(CentralColumns::cellText(row, Column::Requirement),
                 QStringLiteral("The Acme system shall notify the operator"));
    }

    void displaySettings()
    {
        RequirementsCentral central(kConnection);
        QVERIFY(central.loadSettings().isOk());
        QCOMPARE(headers(central), (QStringList{"No.", "Type", "Category", "Priority", "Release",
                                                "Paragraph", "Requirement"}));
        const int version = int(Column::Version) - 1;
        QVERIFY(central.toggleColumn(version, {}).isOk());
        // Stored at once, with the other flags as they stand.
        QCOMPARE(
            StoreTestSupport::scalar(kConnection, "SELECT VersionSet FROM SYSTEM_NAME").toInt(), 1);
        QCOMPARE(StoreTestSupport::scalar(kConnection, "SELECT TypeSet FROM SYSTEM_NAME").toInt(),
                 1);
        QCOMPARE(StoreTestSupport::scalar(kConnection, "SELECT SourceSet FROM SYSTEM_NAME").toInt(),
                 0);
        QVERIFY(headers(central).contains(QStringLiteral("Version")));
        QCOMPARE(central.model().requirementCount(), 6);

        RequirementsCentral reopened(kConnection);
        QVERIFY(reopened.loadSettings().isOk());
        QCOMPARE(headers(reopened).indexOf(QStringLiteral("Version")), 5);

        QVERIFY(reopened.chooseColour(2).isOk());
        QCOMPARE(StoreTestSupport::scalar(kConnection, "SELECT BackgroundColor FROM SYSTEM_NAME")
                     .toInt(),
                 2);
        QCOMPARE(
            StoreTestSupport::scalar(kConnection, "SELECT SystemName FROM SYSTEM_NAME").toString(),
            QStringLiteral("Unspecified"));
    }

    void invalidColour_data()
    {
        QTest::addColumn<int>("stored");
        QTest::newRow("3") << 3;
        QTest::newRow("-1") << -1;
    }

    void invalidColour()
    {
        QFETCH(int, stored);
        QVERIFY(StoreTestSupport::exec(
            kConnection,
            QStringLiteral("UPDATE SYSTEM_NAME SET BackgroundColor = %1").arg(stored)));
        RequirementsCentral central(kConnection);
        const Outcome loaded = central.loadSettings();
        QCOMPARE(loaded.message(),
                 QStringLiteral("The BackgroundColor field of your SYSTEM_NAME table (in your .mdb "
                                "file) must be 0, 1, or 2."));
        QCOMPARE(central.backgroundColour(), stored);
        // The flags were read all the same.
        QCOMPARE(central.model().columnCount(), 7);
        // Any of the three choices is a change and is stored.
        QVERIFY(central.chooseColour(0).isOk());
        QCOMPARE(StoreTestSupport::scalar(kConnection, "SELECT BackgroundColor FROM SYSTEM_NAME")
                     .toInt(),
                 0);
        QVERIFY(!central.chooseColour(3).isOk());
        QCOMPARE(central.backgroundColour(), 0);
    }

    void missingSettingsRow()
    {
        QVERIFY(StoreTestSupport::exec(kConnection, "DELETE FROM SYSTEM_NAME"));
        RequirementsCentral central(kConnection);
        const Outcome loaded = central.loadSettings();
        QVERIFY(
            loaded.message().startsWith(QStringLiteral("Cannot open ReqSysNameSet recordset.\n")));
        QCOMPARE(central.model().columnCount(), 7);
        QVERIFY(!central.toggleColumn(0, {}).isOk());
    }

    void sentence()
    {
        RequirementsCentral central(kConnection);
        QVERIFY(central.runType(QueryKind::All).isOk());
        const Result<QString> shown = central.sentenceOf(10);
        QVERIFY2(shown, qPrintable(shown.outcome().message()));
        QCOMPARE(shown.value(), QStringLiteral("The Acme system shall close the gate."));
        QCOMPARE(central.sentenceOf(0).outcome().message(),
                 QStringLiteral("No requirement is currently selected."));
        const Result<QString> missing = central.sentenceOf(77);
        QCOMPARE(missing.outcome().message(),
                 QStringLiteral("The Requirement Number does not exist in the Requirements "
                                "database."));
        QCOMPARE(missing.outcome().kind(), MessageKind::Warning);
    }

    void entityNames()
    {
        RequirementsCentral central(kConnection);
        const Result<QStringList> names = central.entityNames();
        QVERIFY2(names, qPrintable(names.outcome().message()));
        QCOMPARE(names.value(),
                 (QStringList{"freight scale", "Runway", "runway", "Wind Sensor", "wind sensor"}));
    }

    void recordNavigation_data()
    {
        QTest::addColumn<RecordMove>("move");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("expected");
        // Three requirements and the empty row.
        QTest::newRow("first") << RecordMove::First << 2 << 4 << 0;
        QTest::newRow("last") << RecordMove::Last << 0 << 4 << 2;
        QTest::newRow("last of one") << RecordMove::Last << -1 << 2 << 0;
        QTest::newRow("last of none") << RecordMove::Last << -1 << 1 << 0;
        QTest::newRow("next") << RecordMove::Next << 0 << 4 << 1;
        QTest::newRow("next wraps") << RecordMove::Next << 2 << 4 << 0;
        QTest::newRow("next from the empty row") << RecordMove::Next << 3 << 4 << 0;
        QTest::newRow("next without selection") << RecordMove::Next << -1 << 4 << 0;
        QTest::newRow("previous") << RecordMove::Previous << 2 << 4 << 1;
        QTest::newRow("previous stays") << RecordMove::Previous << 0 << 4 << 0;
        QTest::newRow("previous without selection") << RecordMove::Previous << -1 << 4 << 0;
    }

    void recordNavigation()
    {
        QFETCH(RecordMove, move);
        QFETCH(int, selected);
        QFETCH(int, rows);
        QFETCH(int, expected);
        QCOMPARE(RecordNavigation::target(move, selected, rows), expected);
    }
};

QTEST_GUILESS_MAIN(RequirementsCentralTest)
#include "tst_requirementscentral.moc"
