#include "objmodel/objectmodelregenerator.h"
#include "store/recordobjects.h"
#include "store/sqlconnection.h"
#include "support/freshworkspace.h"
#include "support/storetestsupport.h"
#include "support/workedexamples.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

#include <memory>
#include <optional>

using namespace varn;
using objmodel::ObjectModelRegenerator;

namespace {

const QString kConnection = QStringLiteral("regeneration");
const QString kAppDb = QStringLiteral("appdb");

constexpr const char *kModelTables[] = {"OM_ENTITY", "OM_ATTR", "OM_METHOD", "OM_INH",
                                        "OM_AGG",    "OM_PV",   "REQ_ENTITY"};

// Runs a query that reads; failing, it fails the test.
bool readsOrFails(QSqlQuery &query, const QString &sql)
{
    if (query.exec(sql))
        return true;
    QTest::qFail(qPrintable(sql + QStringLiteral(": ") + query.lastError().text()), __FILE__,
                 __LINE__);
    return false;
}

// Every row of the seven model tables and the seven counters, as text; a
// table that cannot be read fails the test.
QStringList objectModel()
{
    QStringList lines;
    QSqlQuery query(QSqlDatabase::database(kConnection));
    for (const char *table : kModelTables) {
        if (!readsOrFails(query,
                          QStringLiteral("SELECT * FROM %1 ORDER BY 1").arg(QLatin1String(table))))
            return {};
        while (query.next()) {
            QStringList columns{QLatin1String(table)};
            for (int c = 0; c < query.record().count(); ++c)
                columns.append(query.value(c).toString());
            lines.append(columns.join(QLatin1Char('|')));
        }
    }
    for (const char *counter : {"PK_ENT_REQ", "PK_ENT_OM", "PK_ATTR_OM", "PK_METH_OM", "PK_INH_OM",
                                "PK_AGG_OM", "PK_PV_OM"}) {
        if (!readsOrFails(query, QStringLiteral("SELECT * FROM %1").arg(QLatin1String(counter))))
            return {};
        query.next();
        lines.append(QLatin1String(counter) + QLatin1Char('|') + query.value(0).toString());
    }
    return lines;
}

// Every index of the database with its definition; a regeneration drops the
// model's indexes while it loads and must leave them all as they were.
QStringList indexes()
{
    return StoreTestSupport::indexes(kConnection);
}

QVariant scalar(const QString &sql)
{
    return StoreTestSupport::scalar(kConnection, sql);
}

} // namespace

class RegenerationTest : public QObject
{
    Q_OBJECT

    std::optional<FreshWorkspace> m_workspace;
    QStringList m_notices;
    QList<int> m_progress;
    QList<int> m_processed;
    int m_processedCount = -1;

    Outcome regenerate()
    {
        ObjectModelRegenerator regenerator(kConnection);
        m_notices.clear();
        m_progress.clear();
        m_processed.clear();
        regenerator.setNotices([this](const Outcome &notice) { m_notices << notice.message(); });
        regenerator.setProgress([this](int percent, int processed) {
            m_progress << percent;
            m_processed << processed;
        });
        const Outcome regenerated = regenerator.regenerate();
        m_processedCount = regenerator.processedCount();
        return regenerated;
    }

    int saveExamples()
    {
        return WorkedExamples::saveAll(kAppDb, m_workspace->records(), QStringLiteral("ESD"));
    }

private slots:
    void initTestCase()
    {
        StoreTestSupport::initResources();
        QVERIFY(WorkedExamples::openApplicationDatabase(kAppDb));
    }
    void cleanupTestCase() { StoreTestSupport::closeDatabase(kAppDb); }

    void init() { QVERIFY(m_workspace.emplace(kConnection).isOpen()); }

    void cleanup() { m_workspace.reset(); }

    void rebuildGivesTheModelTheSavesBuilt()
    {
        QVERIFY(saveExamples() > 50);
        const QStringList incremental = objectModel();
        QVERIFY(incremental.size() > 100);
        const QStringList indexesBefore = indexes();
        QVERIFY(indexesBefore.size() > 15);
        const Outcome regenerated = regenerate();
        QVERIFY2(regenerated, qPrintable(regenerated.message()));
        QCOMPARE(objectModel(), incremental);
        QCOMPARE(indexes(), indexesBefore);
        QVERIFY(m_notices.isEmpty());
        QCOMPARE(m_progress.first(), 0);
        QCOMPARE(m_progress.last(), 100);
        QVERIFY(std::is_sorted(m_progress.begin(), m_progress.end()));
    }

    void deletedRequirementsLeaveTheModel()
    {
        QVERIFY(saveExamples() > 50);
        QVERIFY(StoreTestSupport::exec(
            kConnection, "UPDATE MASTER_REQ SET FSTType = 'Deleted' WHERE Req_Num > 1"));
        QVERIFY(regenerate());
        QCOMPARE(scalar("SELECT COUNT(DISTINCT FK_FReqNum) FROM REQ_ENTITY").toInt(), 1);
        QCOMPARE(scalar("SELECT MIN(Entity_ID) FROM OM_ENTITY").toInt(), 1);
        QCOMPARE(scalar("SELECT MIN(Req_EntityID) FROM REQ_ENTITY").toInt(), 1);
        QCOMPARE(scalar("SELECT PEntOm FROM PK_ENT_OM").toInt(),
                 scalar("SELECT COUNT(*) FROM OM_ENTITY").toInt());
    }

    // What the progress counts is the requirements rebuilt: deleted
    // versions and technical requirements are walked past, not counted.
    void progressCountsTheRequirementsRebuilt_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("all live") << QString();
        QTest::newRow("deleted versions")
            << "UPDATE MASTER_REQ SET FSTType = 'Deleted' WHERE Req_Num % 4 = 0";
        QTest::newRow("technical requirements")
            << "UPDATE MASTER_REQ SET FSTType = 'Technical' WHERE Req_Num IN (2, 3, 5)";
        QTest::newRow("the last ones deleted")
            << "UPDATE MASTER_REQ SET FSTType = 'Deleted' WHERE Req_Num > 40";
    }

    void progressCountsTheRequirementsRebuilt()
    {
        QFETCH(QString, change);
        QVERIFY(saveExamples() > 50);
        if (!change.isEmpty())
            QVERIFY(StoreTestSupport::exec(kConnection, change));
        const int live = scalar("SELECT COUNT(*) FROM MASTER_REQ WHERE FSTType IN ('Functional', "
                                "'Structural')")
                             .toInt();
        QVERIFY(regenerate());
        QCOMPARE(m_processedCount, live);
        QCOMPARE(m_processed.first(), 0);
        QCOMPARE(m_processed.last(), live);
        QVERIFY(std::is_sorted(m_processed.begin(), m_processed.end()));
        QCOMPARE(m_processed.size(), scalar("SELECT COUNT(*) FROM MASTER_REQ").toInt() + 1);
    }

    void failuresLeaveTheOldModel_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("notice");
        QTest::newRow("every requirement deleted or technical")
            << "UPDATE MASTER_REQ SET FSTType = CASE WHEN Req_Num % 2 = 0 THEN 'Deleted' ELSE "
               "'Technical' END"
            << "";
        QTest::newRow("a functional TCode of one letter")
            << "UPDATE FUNC_REQ SET TCodeStrF = 'd' WHERE F_ReqNum = 3"
            << "Invalid length of TCode string in FUNC_REQ table.";
        QTest::newRow("a TCode that labels into no clauses")
            << "UPDATE FUNC_REQ SET TCodeStrF = 'dee' WHERE F_ReqNum = 3"
            << "Internal error. Invalid G-Code specified.";
        QTest::newRow("a structural row of no known shape")
            << "INSERT INTO MASTER_REQ (Req_Num, FSTType) VALUES (999, 'Structural') ;; "
               "INSERT INTO STRUC_REQ (S_ReqNum, Source, TCodeStrS) VALUES (999, 20, 'kpe')"
            << "Structural requirement could not be rebuilt. Fields populated in STRUC_REQ "
               "table\ndo not equate to any known template.";
        QTest::newRow("a table that refuses deletes")
            << "TRIGGER"
            << "Error deleting records from OM_METH.\nlocked";
    }

    void failuresLeaveTheOldModel()
    {
        QFETCH(QString, damage);
        QFETCH(QString, notice);
        QVERIFY(saveExamples() > 50);
        const QStringList before = objectModel();
        const QStringList indexesBefore = indexes();
        if (damage == QLatin1String("TRIGGER"))
            QVERIFY(StoreTestSupport::refuseInTrigger(kConnection, "keep", "BEFORE DELETE",
                                                      "OM_METHOD", "locked"));
        else
            for (const QString &statement : damage.split(QStringLiteral(" ;; ")))
                QVERIFY2(StoreTestSupport::exec(kConnection, statement), qPrintable(statement));
        const Outcome regenerated = regenerate();
        QVERIFY(!regenerated);
        if (damage.contains("TRIGGER"))
            QCOMPARE(regenerated.message(),
                     QStringLiteral("Error deleting records from the object model database."));
        else
            QCOMPARE(
                regenerated.message(),
                QStringLiteral(
                    "The object model database could not be rebuilt. At least one Functional or "
                    "Structural requirement\nmust be saved before regenerating the object model "
                    "database."));
        if (!notice.isEmpty()) {
            // Labelling says why, then that the requirement cannot be rebuilt.
            QCOMPARE(m_notices.size(), notice.startsWith("Internal error") ? 2 : 1);
            QVERIFY2(m_notices.first().startsWith(notice.section("\n", 0, 0)),
                     qPrintable(m_notices.first()));
        }
        QCOMPARE(objectModel(), before);
        QCOMPARE(indexes(), indexesBefore);
    }

    void rebuiltTerms_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("tcode");
        QTest::addColumn<QStringList>("columns");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("do-what first: Field0 unused")
            << "Functional"
            << "dewec"
            << QStringList{"ignored", "display", "truck", "-1", "", "when", "truck", "arrives"}
            << QStringList{"display", "Truck", "when", "Truck", "arrives"};
        QTest::newRow("actor first") << "Functional"
                                     << "kde" << QStringList{"operator", "display", "truck"}
                                     << QStringList{"operator", "display", "Truck"};
        QTest::newRow("list positions stay as stored")
            << "Functional"
            << "dexe" << QStringList{"", "send", "report", "0", "website"}
            << QStringList{"send", "Report", "0", "Website"};
        QTest::newRow("attribute definition with values")
            << "Structural"
            << "kezalglg" << QStringList{"attribute", "", "gate", "status", "red", "green"}
            << QStringList{"system", "Gate", "thatHas", "status", "of", "red", "of", "green"};
        QTest::newRow("composition with types")
            << "Structural"
            << "kpte" << QStringList{"composition", "passenger", "planes", "big", "airline"}
            << QStringList{"system", "Passenger_Plane", "Big", "Airline"};
        QTest::newRow("entity definition")
            << "Structural"
            << "ke" << QStringList{"entity", "", "cargo reservations"}
            << QStringList{"system", "CargoReservation"};
    }

    void rebuiltTerms()
    {
        QFETCH(QString, kind);
        QFETCH(QString, tcode);
        QFETCH(QStringList, columns);
        ObjectModelRegenerator::StoredRequirement stored;
        stored.kind = kind;
        stored.tcode = tcode;
        if (kind == "Functional") {
            stored.fields = columns;
        } else if (columns.first() == "attribute") {
            stored.typeAttr = columns[1];
            stored.entityAttr = columns[2];
            stored.attrName = columns[3];
            stored.possibleValues = columns.mid(4);
        } else if (columns.first() == "composition") {
            stored.typeInList = columns[1];
            stored.entityInList = columns[2];
            stored.typeWithList = columns[3];
            stored.entityWithList = columns[4];
        } else {
            stored.typeBasic = columns[1];
            stored.entityBasic = columns[2];
        }
        const auto records = ObjectModelRegenerator::rebuildTerms(stored);
        QVERIFY(records);
        QStringList texts;
        QByteArray letters;
        for (const auto &record : records.value()) {
            if (record.letter == 0)
                break;
            texts << record.text;
            letters += record.letter;
        }
        QCOMPARE(QString::fromLatin1(letters), tcode);
        QTEST(texts, "texts");
    }
};

QTEST_GUILESS_MAIN(RegenerationTest)
#include "tst_regeneration.moc"
