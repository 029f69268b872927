#include "support/storetestsupport.h"

#include "store/recordobjects.h"
#include "store/requirementlisting.h"
#include "store/requirementreader.h"
#include "store/requirementsetreader.h"
#include "store/requirementwriter.h"
#include "store/savetransaction.h"
#include "store/workedexamples.h"

#include <QSqlDatabase>
#include <QTest>

#include <memory>

using namespace varn;
using namespace varn::store;

namespace {

const QString kConnection = QStringLiteral("tst_requirementtables");

bool exec(const QString &sql)
{
    return StoreTestSupport::exec(kConnection, sql);
}

int scalar(const QString &sql)
{
    return StoreTestSupport::scalar(kConnection, sql).toInt();
}

QStringList column(const QString &sql)
{
    return StoreTestSupport::column(kConnection, sql);
}

struct Stored
{
    int number;
    const char *type = "Functional";
    int source = 9;
    const char *paragraph = "None";
    const char *text = "notify the operator";
    int priority = 1;
    int original = 0; // 0: the number itself
    const char *preamble = "The Acme system shall";
};

bool insert(const Stored &row)
{
    const int source = row.source;
    const bool structural = source >= 19 && source <= 22;
    return exec(QStringLiteral("INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, "
                               "Priority, Release, Version, ParaNum, Preamble, ReqText, "
                               "OrigReqNum, DateSaved) VALUES (%1, '%2', %3, 'Software', %4, 1, "
                               "1, '%5', '%6', '%7', %8, '3-7-2009')")
                    .arg(row.number)
                    .arg(QLatin1String(row.type))
                    .arg(source)
                    .arg(row.priority)
                    .arg(QLatin1String(row.paragraph), QLatin1String(row.preamble),
                         QLatin1String(row.text))
                    .arg(row.original ? row.original : row.number)) &&
           exec(structural
                    ? QStringLiteral("INSERT INTO STRUC_REQ (S_ReqNum, Source) VALUES (%1, %2)")
                          .arg(row.number)
                          .arg(source)
                    : QStringLiteral("INSERT INTO FUNC_REQ (F_ReqNum, Source, Field0, Field1) "
                                     "VALUES (%1, %2, 'operator', 'notify')")
                          .arg(row.number)
                          .arg(source));
}

// A Message Definition's STRUC_REQ row for the message.
bool defineField(int number, const char *message, int position, const char *type = "Structural")
{
    return exec(QStringLiteral("INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, OrigReqNum) "
                               "VALUES (%1, '%2', 22, %1)")
                    .arg(number)
                    .arg(QLatin1String(type))) &&
           exec(QStringLiteral("INSERT INTO STRUC_REQ (S_ReqNum, Source, EntityAttr, Position) "
                               "VALUES (%1, 22, '%2', %3)")
                    .arg(number)
                    .arg(QLatin1String(message))
                    .arg(position));
}

bool listValue(int key, int number, const char *value)
{
    return exec(QStringLiteral("INSERT INTO POSS_VALS (PV_ID, FK_SReqNum, Value) VALUES (%1, %2, "
                               "'%3')")
                    .arg(key)
                    .arg(number)
                    .arg(QLatin1String(value)));
}

bool link(int key, int parent, int dependent)
{
    return exec(QStringLiteral("INSERT INTO DEPENDENT_REQ (Dep_Num, FK_ReqNum, Dep_ReqNum) "
                               "VALUES (%1, %2, %3)")
                    .arg(key)
                    .arg(parent)
                    .arg(dependent));
}

template <typename Row> QList<int> numbersOf(const QList<Row> &rows)
{
    QList<int> numbers;
    for (const Row &row : rows)
        numbers.append(row.Req_Num);
    return numbers;
}

MasterReqRow masterRow(qint32 number)
{
    MasterReqRow row;
    row.Req_Num = number;
    row.FSTType = QStringLiteral("Structural");
    row.Source = 19;
    row.Version = 1;
    row.OrigReqNum = number;
    row.Preamble = QStringLiteral("A");
    row.ReqText = QStringLiteral("wind sensor shall include a state attribute");
    return row;
}

StrucReqRow structuralRow(qint32 number)
{
    StrucReqRow row;
    row.S_ReqNum = number;
    row.Source = 19;
    row.Preamble = QStringLiteral("0");
    row.EntityAttr = QStringLiteral("wind sensor");
    row.PossVal = QStringLiteral("0");
    return row;
}

} // namespace

Q_DECLARE_METATYPE(varn::store::RequirementSelection)
Q_DECLARE_METATYPE(varn::store::RequirementOrder)

class TestRequirementTables : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { StoreTestSupport::initResources(); }

    void init()
    {
        m_folder = std::make_unique<QTemporaryDir>();
        QVERIFY(StoreTestSupport::openFreshDatabase(*m_folder, kConnection));
    }

    void cleanup()
    {
        m_records.reset();
        StoreTestSupport::closeDatabase(kConnection);
        m_folder.reset();
    }

    void writerAddsRowsWithKeysFromTheCounters()
    {
        RequirementWriter writer(records());
        SaveTransaction transaction(kConnection);
        QVERIFY(transaction.begin());
        QVERIFY(writer.open(RecordGroup::Structural));
        const Result<qint32> number = writer.nextNumber();
        QVERIFY(number);
        QCOMPARE(number.value(), 1);
        QVERIFY(writer.checkCanAdd());
        QVERIFY(writer.addMaster(masterRow(number.value())));
        // The values in list order, not in alphabetical order.
        QVERIFY(writer.addStructural(structuralRow(number.value()),
                                     {QStringLiteral("nominal"), QStringLiteral("caution")}));
        writer.close(RecordGroup::Structural);
        QVERIFY(transaction.commit());

        QCOMPARE(scalar(QStringLiteral("SELECT PMastrReq FROM PK_MASTR_REQ")), 1);
        QCOMPARE(scalar(QStringLiteral("SELECT PPvReq FROM PK_PV_REQ")), 2);
        QCOMPARE(column(QStringLiteral("SELECT ReqText FROM MASTER_REQ")),
                 QStringList{QStringLiteral("wind sensor shall include a state attribute")});
        QCOMPARE(column(QStringLiteral("SELECT EntityAttr FROM STRUC_REQ WHERE S_ReqNum = 1")),
                 QStringList{QStringLiteral("wind sensor")});
        QCOMPARE(column(QStringLiteral("SELECT PV_ID || ' ' || FK_SReqNum || ' ' || Value FROM "
                                       "POSS_VALS ORDER BY PV_ID")),
                 (QStringList{QStringLiteral("1 1 nominal"), QStringLiteral("2 1 caution")}));
        // The next save gets the next number.
        QVERIFY(writer.open(RecordGroup::Functional));
        QCOMPARE(writer.nextNumber().value(), 2);
        writer.close(RecordGroup::Functional);
    }

    void writerFailureLeavesTheDatabaseAsItWas()
    {
        QVERIFY(StoreTestSupport::refuseInTrigger(
            kConnection, QStringLiteral("refuse_caution"), QStringLiteral("BEFORE INSERT"),
            QStringLiteral("POSS_VALS"), QStringLiteral("no caution"),
            QStringLiteral("NEW.Value = 'caution'")));
        RequirementWriter writer(records());
        {
            SaveTransaction transaction(kConnection);
            QVERIFY(transaction.begin());
            QVERIFY(writer.open(RecordGroup::Structural));
            QVERIFY(writer.addMaster(masterRow(1)));
            const Outcome added = writer.addStructural(
                structuralRow(1), {QStringLiteral("nominal"), QStringLiteral("caution")});
            QVERIFY(!added);
            QCOMPARE(added.kind(), MessageKind::Stop);
            QVERIFY2(added.message().startsWith(
                         QStringLiteral("Error adding record to the ReqPvSet recordset.\n")),
                     qPrintable(added.message()));
            QVERIFY2(added.message().contains(QStringLiteral("no caution")),
                     qPrintable(added.message()));
            writer.close(RecordGroup::Structural);
        } // rolled back
        for (const char *table : {"MASTER_REQ", "STRUC_REQ", "POSS_VALS"})
            QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM ") + QLatin1String(table)), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT PMastrReq FROM PK_MASTR_REQ")), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT PPvReq FROM PK_PV_REQ")), 0);
    }

    void writerRefusesWhileItsSetsAreClosed()
    {
        RequirementWriter writer(records());
        const Outcome refused = writer.checkCanAdd();
        QVERIFY(!refused);
        QCOMPARE(refused.message(), QStringLiteral("Cannot write to the MsReqSet recordset."));
        QVERIFY(!writer.addMaster(masterRow(1)));
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM MASTER_REQ")), 0);
    }

    void readerReadsOneRequirement()
    {
        QVERIFY(insert({1}));
        QVERIFY(insert({2, "Structural", 19}));
        QVERIFY(listValue(7, 2, "zulu"));
        QVERIFY(listValue(8, 2, "alpha"));
        const RequirementReader reader(kConnection);

        const auto master = reader.master(1);
        QVERIFY(master && master.value());
        QCOMPARE(master.value()->ReqText, QStringLiteral("notify the operator"));
        QCOMPARE(master.value()->OrigReqNum, 1);
        const auto functional = reader.functional(1);
        QVERIFY(functional && functional.value());
        QCOMPARE(functional.value()->field(1), QStringLiteral("notify"));
        const auto structural = reader.structural(2);
        QVERIFY(structural && structural.value());
        QCOMPARE(structural.value()->Source, 19);
        // In the order saved.
        QCOMPARE(reader.possibleValues(2).value(),
                 (QStringList{QStringLiteral("zulu"), QStringLiteral("alpha")}));

        QVERIFY(reader.master(3) && !reader.master(3).value());
        QVERIFY(reader.functional(2) && !reader.functional(2).value());
        QVERIFY(reader.structural(1) && !reader.structural(1).value());
        QVERIFY(reader.possibleValues(1).value().isEmpty());
    }

    void readerReportsAMissingTable()
    {
        QVERIFY(exec(QStringLiteral("DROP TABLE POSS_VALS")));
        const Result<QStringList> values = RequirementReader(kConnection).possibleValues(1);
        QVERIFY(!values);
        QVERIFY2(values.outcome().message().startsWith(
                     QStringLiteral("Cannot open ReqPvSet recordset.\n")),
                 qPrintable(values.outcome().message()));
    }

    void liveStructuralRowsMatchTheWholeText_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QList<int>>("expected");
        // 1 and 3 of "alarm" (3 before 1 by position), 2 deleted, 4 another
        // message, 5 another template, 6 a message whose name holds "%".
        QTest::newRow("by position") << "alarm" << QList<int>{3, 1};
        QTest::newRow("any case") << "ALARM" << QList<int>{3, 1};
        QTest::newRow("percent is no wildcard") << "al%" << QList<int>{};
        QTest::newRow("underscore is no wildcard") << "al_rm" << QList<int>{};
        QTest::newRow("percent in the name") << "rate%" << QList<int>{6};
        QTest::newRow("escape character") << "a!b" << QList<int>{};
    }

    void liveStructuralRowsMatchTheWholeText()
    {
        QFETCH(QString, message);
        QFETCH(QList<int>, expected);
        QVERIFY(defineField(1, "alarm", 2));
        QVERIFY(defineField(2, "alarm", 1, "Deleted"));
        QVERIFY(defineField(3, "alarm", 1));
        QVERIFY(defineField(4, "alarms", 0));
        QVERIFY(insert({5, "Structural", 19}));
        QVERIFY(
            exec(QStringLiteral("UPDATE STRUC_REQ SET EntityAttr = 'alarm' WHERE S_ReqNum = 5")));
        QVERIFY(defineField(6, "rate%", 0));
        QList<int> found;
        const Outcome walked = RequirementReader(kConnection)
                                   .forEachLiveStructural(22, message, [&](const StrucReqRow &row) {
                                       found.append(row.S_ReqNum);
                                   });
        QVERIFY2(walked, qPrintable(walked.message()));
        QCOMPARE(found, expected);
    }

    void pickListsInNumberOrder()
    {
        QVERIFY(insert({3, "Technical", 23}));
        QVERIFY(insert({1}));
        QVERIFY(insert({2, "Deleted"}));
        QVERIFY(insert({4, "Structural", 19}));
        QVERIFY(exec(QStringLiteral("INSERT INTO MASTER_REQ (Req_Num, FSTType) VALUES (5, "
                                    "'Unknown')")));
        QVERIFY(link(1, 1, 4));
        QVERIFY(link(2, 1, 2));
        QVERIFY(link(3, 3, 1));
        const RequirementReader reader(kConnection);
        QCOMPARE(numbersOf(reader.linkableRequirements().value()), (QList<int>{1, 3, 4}));
        QCOMPARE(numbersOf(reader.liveRequirements().value()), (QList<int>{1, 3, 4, 5}));
        QCOMPARE(numbersOf(reader.dependentRequirements(1).value()), (QList<int>{2, 4}));
        QVERIFY(reader.dependentRequirements(4).value().isEmpty());
    }

    void storedRowsShowEveryTable()
    {
        QVERIFY(insert({1}));
        QVERIFY(insert({2, "Structural", 19}));
        QVERIFY(listValue(5, 2, "caution"));
        QVERIFY(link(9, 2, 1));
        const RequirementReader reader(kConnection);
        const Result<QList<DumpedRow>> rows = reader.storedRows(2);
        QVERIFY(rows);
        QStringList tables;
        for (const DumpedRow &row : rows.value())
            tables.append(row.table);
        QCOMPARE(tables,
                 (QStringList{QStringLiteral("MASTER_REQ"), QStringLiteral("STRUC_REQ"),
                              QStringLiteral("POSS_VALS"), QStringLiteral("DEPENDENT_REQ")}));
        const auto &values = rows.value().at(2).fields;
        QCOMPARE(values.size(), 2);
        QCOMPARE(values.at(1).second, QStringLiteral("caution"));
        // Only the columns that hold something.
        for (const auto &[name, value] : rows.value().first().fields)
            QVERIFY2(name.compare(QStringLiteral("Comments"), Qt::CaseInsensitive) != 0,
                     qPrintable(value));
        QVERIFY(reader.storedRows(42).value().isEmpty());
    }

    void sentencesForTheImport()
    {
        QVERIFY(insert({1}));
        QVERIFY(insert({2, "Deleted", 9, "None", "stop the belt"}));
        QVERIFY(insert({3, "Technical", 23, "None", "log every alarm"}));
        RequirementReader reader(kConnection);
        const Result<QList<NumberedSentence>> live = reader.liveSentences();
        QVERIFY(live);
        QStringList sentences;
        for (const NumberedSentence &sentence : live.value())
            sentences.append(QString::number(sentence.number) + QLatin1Char(' ') +
                             sentence.sentence);
        sentences.sort();
        QCOMPARE(sentences,
                 (QStringList{QStringLiteral("1 The Acme system shall notify the operator"),
                              QStringLiteral("3 The Acme system shall log every alarm")}));
        // One statement for many numbers.
        QCOMPARE(reader.sentenceOf(2), QStringLiteral("The Acme system shall stop the belt"));
        QCOMPARE(reader.sentenceOf(3), QStringLiteral("The Acme system shall log every alarm"));
        QCOMPARE(reader.sentenceOf(4), QString());
    }

    void traceReadsSentencesAndComposerTexts()
    {
        QVERIFY(insert({1}));
        QVERIFY(insert({2, "Deleted", 19, "None", "wind sensor shall include a state"}));
        QVERIFY(exec(QStringLiteral("UPDATE FUNC_REQ SET TCodeStrF = 'tcode' WHERE F_ReqNum = 1")));
        QVERIFY(exec(QStringLiteral("UPDATE STRUC_REQ SET EntityBasic = 'wind sensor', "
                                    "TCodeStrS = 'scode' WHERE S_ReqNum = 2")));
        QVERIFY(listValue(7, 2, "zulu"));
        RequirementReader reader(kConnection);

        const auto live = reader.sentenceState(1);
        QVERIFY(live && live.value());
        QCOMPARE(live.value()->sentence,
                 QStringLiteral("The Acme system shall notify the operator"));
        QVERIFY(!live.value()->deleted);
        const auto deleted = reader.sentenceState(2);
        QVERIFY(deleted && deleted.value());
        QVERIFY(deleted.value()->deleted);
        const auto missing = reader.sentenceState(3);
        QVERIFY(missing && !missing.value());

        // The text columns but the term codes; the possible values last.
        const Result<QStringList> functional = reader.composerTexts(1);
        QVERIFY(functional);
        QVERIFY(functional->contains(QStringLiteral("operator")));
        QVERIFY(functional->contains(QStringLiteral("notify")));
        QVERIFY(!functional->contains(QStringLiteral("tcode")));
        const Result<QStringList> structural = reader.composerTexts(2);
        QVERIFY(structural);
        QVERIFY(structural->contains(QStringLiteral("wind sensor")));
        QVERIFY(!structural->contains(QStringLiteral("scode")));
        QVERIFY(!structural->contains(QStringLiteral("operator")));
        QCOMPARE(structural->last(), QStringLiteral("zulu"));

        QVERIFY(exec(QStringLiteral("DROP TABLE POSS_VALS")));
        const Result<QStringList> failed = RequirementReader(kConnection).composerTexts(2);
        QVERIFY(!failed);
        QCOMPARE(failed.outcome().message(),
                 QStringLiteral("Error querying the Requirements database."));
    }

    void listingSelects_data()
    {
        using Kind = RequirementSelection::Kind;
        QTest::addColumn<RequirementSelection>("selection");
        QTest::addColumn<QList<int>>("expected");
        using L = QList<int>;
        QTest::newRow("live") << RequirementSelection{Kind::Live, {}, 0} << L{1, 2, 3, 10, 12};
        QTest::newRow("of type") << RequirementSelection{Kind::OfType, QStringLiteral("Technical"),
                                                         0}
                                 << L{3};
        QTest::newRow("template leaves deleted out")
            << RequirementSelection{Kind::ByTemplate, {}, 9} << L{1, 10, 12};
        QTest::newRow("number pattern")
            << RequirementSelection{Kind::ByNumber, QStringLiteral("1%"), 0} << L{1, 10, 11, 12};
        QTest::newRow("paragraph any case")
            << RequirementSelection{Kind::ByParagraph, QStringLiteral("a.%"), 0} << L{2, 12};
        QTest::newRow("paragraph is bound, not pasted")
            << RequirementSelection{Kind::ByParagraph, QStringLiteral("x' OR '1'='1"), 0} << L{};
        QTest::newRow("entity") << RequirementSelection{Kind::ByEntity, QStringLiteral("%sensor"),
                                                        0}
                                << L{2, 10};
        QTest::newRow("requirement, deleted too")
            << RequirementSelection{Kind::Requirement, {}, 11} << L{11};
        QTest::newRow("versions") << RequirementSelection{Kind::VersionsOf, {}, 10} << L{10, 11};
    }

    void listingSelects()
    {
        QFETCH(RequirementSelection, selection);
        QFETCH(QList<int>, expected);
        storeListing();
        const RequirementListing listing(kConnection);
        const Result<QList<qint32>> numbers =
            listing.numbers(selection, RequirementOrder::Number, true);
        QVERIFY2(numbers, qPrintable(numbers.outcome().message()));
        QCOMPARE(numbers.value(), expected);
        QList<int> rows = numbersOf(listing.rows(selection).value());
        std::sort(rows.begin(), rows.end());
        QCOMPARE(rows, expected);
    }

    void listingOrders_data()
    {
        QTest::addColumn<RequirementOrder>("order");
        QTest::addColumn<bool>("ascending");
        QTest::addColumn<QList<int>>("expected");
        using L = QList<int>;
        QTest::newRow("number down") << RequirementOrder::Number << false << L{12, 10, 3, 2, 1};
        // Equal priorities keep number order, whichever way the sort goes.
        QTest::newRow("priority") << RequirementOrder::Priority << true << L{1, 3, 12, 2, 10};
        QTest::newRow("priority down") << RequirementOrder::Priority << false << L{2, 10, 1, 3, 12};
        // The sentence, preamble first: 12's "A" puts it ahead of the others.
        QTest::newRow("sentence") << RequirementOrder::Sentence << true << L{12, 2, 3, 1, 10};
        QTest::newRow("paragraph") << RequirementOrder::Paragraph << true << L{2, 12, 1, 3, 10};
    }

    void listingOrders()
    {
        QFETCH(RequirementOrder, order);
        QFETCH(bool, ascending);
        QFETCH(QList<int>, expected);
        storeListing();
        const Result<QList<qint32>> numbers =
            RequirementListing(kConnection).numbers({}, order, ascending);
        QVERIFY2(numbers, qPrintable(numbers.outcome().message()));
        QCOMPARE(numbers.value(), expected);
    }

    void listingReadsAPage()
    {
        storeListing();
        const Result<QList<MasterReqRow>> page = RequirementListing(kConnection).page({12, 99, 2});
        QVERIFY(page);
        QList<int> numbers = numbersOf(page.value());
        std::sort(numbers.begin(), numbers.end());
        QCOMPARE(numbers, (QList<int>{2, 12}));
        QVERIFY(RequirementListing(kConnection).page({}).value().isEmpty());
    }

    void listingReportsItsFailure()
    {
        QSqlDatabase::database(kConnection, false).close();
        const RequirementListing listing(kConnection);
        const auto numbers = listing.numbers({}, RequirementOrder::Number, true);
        QVERIFY(!numbers);
        QVERIFY(numbers.outcome().message().startsWith(
            QStringLiteral("Cannot open ReqMsSet recordset.\n")));
        const auto rows = listing.page({1});
        QVERIFY(!rows);
        QVERIFY(rows.outcome().message().startsWith(
            QStringLiteral("Cannot open ReqMsSet recordset.\n")));
    }

    void setReaderReadsEveryRequirementWhole()
    {
        QVERIFY(insert({1}));
        QVERIFY(insert({2, "Structural", 19}));
        QVERIFY(insert({3, "Deleted", 23}));
        QVERIFY(exec(QStringLiteral("DELETE FROM FUNC_REQ WHERE F_ReqNum = 3")));
        QVERIFY(exec(QStringLiteral("UPDATE STRUC_REQ SET AttrName = 'wind sensor' WHERE "
                                    "S_ReqNum = 2")));
        QVERIFY(listValue(1, 2, "nominal"));
        QVERIFY(listValue(2, 2, "caution"));
        QVERIFY(link(2, 2, 1));
        QVERIFY(link(1, 2, 3));
        QVERIFY(link(3, 1, 2));

        const RequirementSetReader reader(kConnection);
        QStringList seen;
        Outcome read = reader.forEach(false, [&](const WholeRequirement &requirement) {
            QStringList filled;
            for (qsizetype i = 0; i < requirement.composerColumns.size(); ++i) {
                if (!requirement.composerTexts.at(i).isEmpty())
                    filled.append(requirement.composerColumns.at(i) + QLatin1Char('=') +
                                  requirement.composerTexts.at(i));
            }
            seen.append(QStringLiteral("%1 %2 %3 [%4] (%5)")
                            .arg(requirement.master.Req_Num)
                            .arg(requirement.master.FSTType, requirement.composerTable,
                                 filled.join(QLatin1Char(' ')),
                                 requirement.possibleValues.join(QLatin1Char(','))));
        });
        QVERIFY2(read, qPrintable(read.message()));
        QCOMPARE(seen, (QStringList{
                           QStringLiteral("1 Functional FUNC_REQ [Source=9 Field0=operator "
                                          "Field1=notify] ()"),
                           QStringLiteral("2 Structural STRUC_REQ [Source=19 AttrName=wind "
                                          "sensor] (nominal,caution)"),
                       }));
        seen.clear();
        read = reader.forEach(true, [&](const WholeRequirement &requirement) {
            seen.append(QString::number(requirement.master.Req_Num) + QLatin1Char(' ') +
                        requirement.composerTable);
        });
        QVERIFY(read);
        QCOMPARE(seen, (QStringList{QStringLiteral("1 FUNC_REQ"), QStringLiteral("2 STRUC_REQ"),
                                    QStringLiteral("3 ")}));

        const Result<QList<StoredLink>> links = reader.links();
        QVERIFY(links);
        QStringList pairs;
        for (const StoredLink &stored : links.value())
            pairs.append(QStringLiteral("%1>%2").arg(stored.parent).arg(stored.dependent));
        QCOMPARE(pairs, (QStringList{QStringLiteral("1>2"), QStringLiteral("2>3"),
                                     QStringLiteral("2>1")}));
    }

    void workedExamplesByPosition()
    {
        // The application database holds the examples in the same tables.
        for (int number : {4, 2, 9, 7})
            QVERIFY(insert({number, "Functional", 9, "None", "example"}));
        QVERIFY(insert({5, "Structural", 19}));
        QVERIFY(listValue(3, 5, "open"));
        QVERIFY(listValue(1, 5, "shut"));
        const WorkedExamples examples(kConnection);
        const Result<QList<VarnMasterRow>> rows = examples.masterRows(2, 3);
        QVERIFY(rows);
        QCOMPARE(numbersOf(rows.value()), (QList<int>{4, 5, 7}));
        QCOMPARE(numbersOf(examples.masterRows(5, 3).value()), (QList<int>{9}));
        QVERIFY(examples.masterRows(6, 3).value().isEmpty());
        QCOMPARE(examples.functionalNumbers().value(), (QList<int>{2, 4, 7, 9}));
        QVERIFY(examples.structural(5).value().has_value());
        QVERIFY(!examples.structural(4).value().has_value());
        QCOMPARE(examples.possibleValues(5).value(),
                 (QStringList{QStringLiteral("shut"), QStringLiteral("open")}));
    }

private:
    RecordObjects &records()
    {
        if (!m_records)
            m_records = std::make_unique<RecordObjects>(kConnection);
        return *m_records;
    }

    // Five live requirements and two deleted ones (4, 11) with their
    // paragraphs, priorities, preambles and entities.
    void storeListing()
    {
        QVERIFY(insert({1, "Functional", 9, "b.1", "notify the operator", 1}));
        QVERIFY(insert({2, "Structural", 19, "A.1", "hold a wind sensor", 3}));
        QVERIFY(insert({3, "Technical", 23, "b.2", "log every alarm", 1}));
        QVERIFY(insert({4, "Deleted", 9, "a.1", "stop", 1}));
        QVERIFY(insert({10, "Functional", 9, "c", "read the sensor", 3}));
        QVERIFY(insert({11, "Deleted", 9, "c", "read the sensors", 3, 10}));
        QVERIFY(insert({12, "Functional", 9, "a.2", "zoom the map", 1, 0, "A"}));
        int key = 0;
        for (const auto &[number, entity] : std::initializer_list<std::pair<int, const char *>>{
                 {2, "wind sensor"}, {10, "Sensor"}, {4, "sensor"}, {1, "operator"}}) {
            const char *column = number == 2 ? "FK_SReqNum" : "FK_FReqNum";
            QVERIFY(exec(QStringLiteral("INSERT INTO REQ_ENTITY (Req_EntityID, ReqEntity, %1) "
                                        "VALUES (%2, '%3', %4)")
                             .arg(QLatin1String(column))
                             .arg(++key)
                             .arg(QLatin1String(entity))
                             .arg(number)));
        }
    }

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<RecordObjects> m_records;
};

QTEST_GUILESS_MAIN(TestRequirementTables)
#include "tst_requirementtables.moc"
