#include "language/requirementbuilder.h"
#include "store/creqmsset.h"
#include "store/cvarnset.h"
#include "store/recordobjects.h"
#include "store/sqlconnection.h"
#include "support/freshworkspace.h"
#include "support/storetestsupport.h"
#include "support/workedexamples.h"
#include "templates/functionalcommit.h"
#include "templates/templatecatalogue.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

#include <memory>
#include <optional>

using namespace varn;
using namespace varn::templates;

// The worked examples of the application database: every row the navigators,
// the templates' See Example and the Builder's See Example read is there, and
// every functional example is a requirement that the save accepts and stores
// exactly as the example stands.
namespace {

const QString kAppDb = QStringLiteral("appdb");
const QString kFresh = QStringLiteral("examples");
const QString kSystem = QStringLiteral("ESD");
constexpr int kRowCount = 76;
constexpr int kBuilderExample = 73;
constexpr int kFunctionalRows = 61; // 60 template rows and the Builder's

// See Example rows of the structural templates.
struct StructuralExample
{
    int templateNumber;
    int row;
};
constexpr StructuralExample kStructuralExamples[] = {{19, 65}, {20, 70}, {21, 61}, {22, 76}};

// The cells of the Builder's example, by caption: who/what, (to) do what?,
// attribute, type, entity, before, type, entity, action, to/from, state,
// to/from, state, if, type, entity, is/are, state, or/and, is/are, state.
const QByteArray kBuilderExampleGCode = QByteArrayLiteral("kdatebtecmgmgitelgrlg");

// A query on one row, the row's number bound to its one placeholder.
QSqlQuery queryRow(const QString &connection, const QString &sql, int number)
{
    QSqlQuery query(QSqlDatabase::database(connection, false));
    query.prepare(sql);
    query.addBindValue(number);
    if (query.exec())
        query.next();
    return query;
}

// One row of a table, every column as text; NULL reads "<null>" so that it
// stays apart from an empty text.
QStringList tableRow(const QString &connection, const QString &table, const QString &key,
                     int number, const QStringList &skipped = {})
{
    const QSqlQuery query = queryRow(
        connection, QStringLiteral("SELECT * FROM %1 WHERE %2 = ?").arg(table, key), number);
    QStringList values;
    if (!query.isValid())
        return values;
    const QSqlRecord record = query.record();
    for (int c = 0; c < record.count(); ++c) {
        if (skipped.contains(record.fieldName(c)))
            continue;
        values.append(query.isNull(c) ? QStringLiteral("<null>") : query.value(c).toString());
    }
    return values;
}

// The first column of a query on the application database; invalid when it
// finds no row.
QVariant appValue(const QString &sql, int number)
{
    const QSqlQuery query = queryRow(kAppDb, sql, number);
    return query.isValid() ? query.value(0) : QVariant();
}

QVariant appScalar(const QString &sql)
{
    return StoreTestSupport::scalar(kAppDb, sql);
}

// The template number a table gives a row; -1 when the row is missing.
int sourceOf(const QString &table, const QString &key, int number)
{
    const QVariant source =
        appValue(QStringLiteral("SELECT Source FROM %1 WHERE %2 = ?").arg(table, key), number);
    return source.isValid() ? source.toInt() : -1;
}

Result<store::FuncReqRow> exampleFields(int number)
{
    store::CVarnSet examples(kAppDb);
    examples.setFilter(QStringLiteral("F_ReqNum = ?"), {number});
    if (Outcome opened = examples.open(store::CVarnSet::OpenType::Snapshot); !opened)
        return opened;
    if (examples.isEOF())
        return Outcome::refused(QStringLiteral("no FUNC_REQ row %1").arg(number));
    return examples.row();
}

Result<store::MasterReqRow> exampleMaster(int number)
{
    // The requirements class binds every MASTER_REQ column; here it only reads.
    store::CReqMsSet master(kAppDb);
    master.setFilter(QStringLiteral("Req_Num = ?"), {number});
    if (Outcome opened = master.open(store::CReqMsSet::OpenType::Snapshot); !opened)
        return opened;
    if (master.isEOF())
        return Outcome::refused(QStringLiteral("no MASTER_REQ row %1").arg(number));
    return master.row();
}

// The example as the Builder loads a stored requirement, with the attributes
// its dialog reads from MASTER_REQ.
Result<FunctionalDraft> builderDraft(const store::FuncReqRow &fields,
                                     const store::MasterReqRow &master)
{
    language::StoredBuilderRequirement stored;
    stored.number = master.Req_Num;
    stored.preamble = fields.Preamble.toInt();
    for (int k = 0; k < kMaxTerms; ++k)
        stored.fields.append(fields.field(k));
    stored.gcode = fields.TCodeStrF.toLatin1();
    stored.version = master.Version;
    stored.firstVersion = master.OrigReqNum;
    language::RequirementBuilder builder;
    if (Outcome loaded = builder.loadStored(stored); !loaded)
        return loaded;
    FunctionalDraft draft = FunctionalDraft::fromBuilder(builder);
    draft.category = master.Category;
    draft.priority = QString::number(master.Priority);
    draft.release = QString::number(master.Release);
    draft.paragraph = master.ParaNum;
    draft.comments = master.Comments;
    return draft;
}

// The sentence between "EXAMPLE: " and the line break of a specification text.
QString specificationExample(int templateNumber)
{
    const QString text = QString::fromUtf8(TemplateCatalogue::specification(templateNumber));
    const QRegularExpression example(QStringLiteral("EXAMPLE: ([^\r]*)\r\n"));
    return example.match(text).captured(1);
}

QString fullSentence(int number)
{
    return appValue(QStringLiteral("SELECT Preamble || ' ' || ReqText || '.' FROM MASTER_REQ "
                                   "WHERE Req_Num = ?"),
                    number)
        .toString();
}

} // namespace

class AppDbExamplesTest : public QObject
{
    Q_OBJECT

    std::optional<FreshWorkspace> m_workspace;

private slots:
    void initTestCase()
    {
        StoreTestSupport::initResources();
        QVERIFY(WorkedExamples::openApplicationDatabase(kAppDb));
    }

    void cleanupTestCase() { StoreTestSupport::closeDatabase(kAppDb); }

    void init() { QVERIFY(m_workspace.emplace(kFresh).isOpen()); }

    void cleanup() { m_workspace.reset(); }

    // A navigator counts rows from 1 in table order, so the rows must be
    // numbered 1 to 76 without a gap.
    void rowsAreNumberedWithoutGaps()
    {
        QCOMPARE(appScalar("SELECT COUNT(*) FROM MASTER_REQ").toInt(), kRowCount);
        QCOMPARE(appScalar("SELECT MIN(Req_Num) FROM MASTER_REQ").toInt(), 1);
        QCOMPARE(appScalar("SELECT MAX(Req_Num) FROM MASTER_REQ").toInt(), kRowCount);
        QCOMPARE(appScalar("SELECT COUNT(*) FROM FUNC_REQ").toInt(), kFunctionalRows);
        QCOMPARE(appScalar("SELECT COUNT(*) FROM MASTER_REQ WHERE FSTType = 'Functional'").toInt(),
                 kFunctionalRows);
        QCOMPARE(appScalar("SELECT COUNT(*) FROM FUNC_REQ f JOIN MASTER_REQ m ON m.Req_Num = "
                           "f.F_ReqNum WHERE m.Source = f.Source AND m.FSTType = 'Functional'")
                     .toInt(),
                 kFunctionalRows);
    }

    void everyRowIsStoredAsASaveStoresIt_data()
    {
        QTest::addColumn<int>("number");
        for (int number = 1; number <= kRowCount; ++number)
            QTest::addRow("row %d", number) << number;
    }

    void everyRowIsStoredAsASaveStoresIt()
    {
        QFETCH(int, number);
        const Result<store::MasterReqRow> master = exampleMaster(number);
        QVERIFY2(master, qPrintable(master.outcome().message()));
        QCOMPARE(master->Version, 1);
        QCOMPARE(master->OrigReqNum, number);
        QVERIFY(TemplateCatalogue::categories().contains(master->Category));
        QVERIFY(master->Priority >= 1 && master->Priority <= 9);
        QVERIFY(master->Release >= 1 && master->Release <= 9);
        QVERIFY(!master->ParaNum.isEmpty());
        QVERIFY2(QRegularExpression(QStringLiteral("^\\d{1,2}-\\d{1,2}-\\d{4}$"))
                     .match(master->DateSaved)
                     .hasMatch(),
                 qPrintable(master->DateSaved));
        QVERIFY(QDate::fromString(master->DateSaved, QStringLiteral("M-d-yyyy")).isValid());
        const QString &text = master->ReqText;
        QVERIFY(!text.isEmpty() && text.size() <= 254);
        QVERIFY2(!text.endsWith(' ') && !text.endsWith('.') && !text.contains("  "),
                 qPrintable(text));

        const bool hasFields = sourceOf("FUNC_REQ", "F_ReqNum", number) >= 0;
        if (master->FSTType == QLatin1String("Functional")) {
            QVERIFY(hasFields);
            QVERIFY(master->Source >= 0 && master->Source <= TemplateCatalogue::kFunctionalCount);
            QVERIFY(master->Preamble.startsWith(QStringLiteral("The ESD system shall")));
            return;
        }
        // Structural rows: the sentence and the template's STRUC_REQ row, opened as
        // the structural saves open them.
        QCOMPARE(master->FSTType, QStringLiteral("Structural"));
        QVERIFY(!hasFields);
        QVERIFY(master->Source >= 19 && master->Source <= 22);
        QCOMPARE(sourceOf("STRUC_REQ", "S_ReqNum", number), master->Source);
        const QStringList preambles =
            master->Source == 21 ? QStringList{QStringLiteral("The ESD system shall include")}
                                 : QStringList{QStringLiteral("A"), QStringLiteral("An")};
        QVERIFY2(preambles.contains(master->Preamble), qPrintable(master->Preamble));
    }

    // Each template's See Example row and its three navigator rows belong to it;
    // its example is the sentence its specification text shows.
    void templateRows_data()
    {
        QTest::addColumn<int>("templateNumber");
        QTest::addColumn<int>("example");
        for (const FunctionalTemplate &functional : TemplateCatalogue::functionalTemplates())
            QTest::addRow("template %d", functional.number)
                << functional.number << functional.exampleNumber;
        for (const StructuralExample &structural : kStructuralExamples)
            QTest::addRow("template %d", structural.templateNumber)
                << structural.templateNumber << structural.row;
    }

    void templateRows()
    {
        QFETCH(int, templateNumber);
        QFETCH(int, example);
        const int first = TemplateCatalogue::firstExampleRow(templateNumber);
        QVERIFY(first >= 1);
        for (int row = first; row < first + 3; ++row)
            QCOMPARE(sourceOf("MASTER_REQ", "Req_Num", row), templateNumber);
        QCOMPARE(sourceOf("MASTER_REQ", "Req_Num", example), templateNumber);
        if (templateNumber <= TemplateCatalogue::kFunctionalCount)
            QCOMPARE(sourceOf("FUNC_REQ", "F_ReqNum", example), templateNumber);
        const QString shown = specificationExample(templateNumber);
        QVERIFY(!shown.isEmpty());
        QCOMPARE(fullSentence(example), shown);
    }

    void builderExampleIsWhatSeeExampleShows()
    {
        const Result<store::FuncReqRow> fields = exampleFields(kBuilderExample);
        QVERIFY2(fields, qPrintable(fields.outcome().message()));
        QCOMPARE(fields->Source, 0);
        QCOMPARE(fields->TCodeStrF.toLatin1(), kBuilderExampleGCode);
        QCOMPARE(sourceOf("MASTER_REQ", "Req_Num", kBuilderExample), 0);

        language::StoredBuilderRequirement example;
        example.preamble = fields->Preamble.toInt();
        for (int k = 0; k < kMaxTerms; ++k)
            example.fields.append(fields->field(k));
        example.gcode = fields->TCodeStrF.toLatin1();
        language::RequirementBuilder builder;
        const Outcome loaded = builder.loadExample(example);
        QVERIFY2(loaded, qPrintable(loaded.message()));
        for (int cell = 0; cell < language::RequirementBuilder::ExampleCellCount; ++cell)
            QVERIFY2(!builder.cell(cell).text.isEmpty(), qPrintable(builder.cell(cell).caption));
        QCOMPARE(builder.sentence(kSystem), fullSentence(kBuilderExample));
    }

    void saveReproducesExample_data()
    {
        QTest::addColumn<int>("number");
        QSqlQuery query(QSqlDatabase::database(kAppDb, false));
        QVERIFY(query.exec("SELECT F_ReqNum, Source FROM FUNC_REQ ORDER BY F_ReqNum"));
        while (query.next())
            QTest::addRow("row %d, template %d", query.value(0).toInt(), query.value(1).toInt())
                << query.value(0).toInt();
    }

    void saveReproducesExample()
    {
        QFETCH(int, number);
        const Result<store::FuncReqRow> fields = exampleFields(number);
        QVERIFY2(fields, qPrintable(fields.outcome().message()));
        const Result<store::MasterReqRow> master = exampleMaster(number);
        QVERIFY2(master, qPrintable(master.outcome().message()));

        Result<FunctionalDraft> draft =
            fields->Source == 0 ? builderDraft(fields.value(), master.value())
                                : Result<FunctionalDraft>(
                                      FunctionalDraft::fromStored(fields.value(), &master.value()));
        QVERIFY2(draft, qPrintable(draft.outcome().message()));
        const QDate saved = QDate::fromString(master->DateSaved, QStringLiteral("M-d-yyyy"));
        const CommitResult result =
            FunctionalCommit(m_workspace->records(), kSystem).save(draft.value(), saved);
        QVERIFY2(result.outcome, qPrintable(result.outcome.message() + ' ' + result.detail));

        // The save stores the example exactly: every column but the numbers.
        const QStringList numbers = {QStringLiteral("Req_Num"), QStringLiteral("OrigReqNum")};
        QCOMPARE(tableRow(kFresh, "MASTER_REQ", "Req_Num", result.number, numbers),
                 tableRow(kAppDb, "MASTER_REQ", "Req_Num", number, numbers));
        const QStringList key = {QStringLiteral("F_ReqNum")};
        QCOMPARE(tableRow(kFresh, "FUNC_REQ", "F_ReqNum", result.number, key),
                 tableRow(kAppDb, "FUNC_REQ", "F_ReqNum", number, key));

        QVERIFY(StoreTestSupport::scalar(kFresh, "SELECT COUNT(*) FROM OM_ENTITY").toInt() > 0);
        QVERIFY(
            StoreTestSupport::scalar(
                kFresh, QStringLiteral("SELECT COUNT(*) FROM REQ_ENTITY WHERE FK_FReqNum = %1 AND "
                                       "FK_OMEntity IS NOT NULL")
                            .arg(result.number))
                .toInt() > 0);
    }
};

QTEST_GUILESS_MAIN(AppDbExamplesTest)
#include "common/requirementlimits.h"
#include "tst_appdbexamples.moc"
