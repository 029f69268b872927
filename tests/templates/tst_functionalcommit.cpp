#include "store/recordobjects.h"
#include "support/exampledrafts.h"
#include "support/freshworkspace.h"
#include "support/storetestsupport.h"
#include "templates/functionalcommit.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

#include <memory>
#include <optional>

using namespace varn;
using namespace varn::templates;

namespace {

const QString kConnection = QStringLiteral("commit");
const QDate kToday(2009, 3, 7);

QVariant scalar(const QString &sql)
{
    return StoreTestSupport::scalar(kConnection, sql);
}

QStringList row(const QString &sql)
{
    return StoreTestSupport::row(kConnection, sql);
}

FunctionalDraft esdEvent()
{
    return windSensorNotification();
}

// The commit refusals keep the database as it was.
struct Snapshot
{
    int requirements;
    int counter;
    int entities;
    bool operator==(const Snapshot &) const = default;
};

Snapshot snapshot()
{
    return {scalar("SELECT COUNT(*) FROM MASTER_REQ").toInt(),
            scalar("SELECT PMastrReq FROM PK_MASTR_REQ").toInt(),
            scalar("SELECT COUNT(*) FROM OM_ENTITY").toInt()};
}

// Fills the example's attribute and type fields so that its body, with the
// blank after its last field, is 217 characters + the last value's length.
void fillBody(FunctionalDraft &draft, int lastValueLength)
{
    draft.setField(2, QString(40, 'a'));
    draft.setField(3, QString(40, 'b'));
    draft.setField(7, QString(40, 'c'));
    draft.setField(13, QString(lastValueLength, 'z'));
}

} // namespace

class FunctionalCommitTest : public QObject
{
    Q_OBJECT

    std::optional<FreshWorkspace> m_workspace;

    CommitResult save(FunctionalDraft &draft, const QString &system = QStringLiteral("ESD"))
    {
        FunctionalCommit commit(m_workspace->records(), system);
        return commit.save(draft, kToday);
    }

    qint32 saveOk(FunctionalDraft draft)
    {
        const CommitResult result = save(draft);
        if (!result.outcome)
            qWarning() << result.outcome.message() << result.detail;
        return result.outcome ? result.number : -1;
    }

private slots:
    void initTestCase() { StoreTestSupport::initResources(); }

    void init() { QVERIFY(m_workspace.emplace(kConnection).isOpen()); }

    void cleanup() { m_workspace.reset(); }

    void storedExampleColumnByColumn()
    {
        FunctionalDraft draft = esdEvent();
        const CommitResult result = save(draft);
        QVERIFY2(result.outcome, qPrintable(result.outcome.message()));
        QCOMPARE(result.number, 1);
        QCOMPARE(
            row("SELECT * FROM MASTER_REQ"),
            (QStringList{"1", "Functional", "9", "Software", "1", "1", "1", "None",
                         "The ESD system shall provide the capability",
                         "notify operational subsystem when wind sensor runway weather station "
                         "changes from nominal to caution",
                         "1", "3-7-2009", "<null>"}));
        QStringList expected = {"1",       "9",
                                "1",       "",
                                "notify",  "",
                                "",        "operational subsystem",
                                "0",       "wind sensor",
                                "",        "runway weather station",
                                "changes", "1",
                                "nominal", "0",
                                "caution"};
        const QStringList stored = row("SELECT * FROM FUNC_REQ");
        QCOMPARE(stored.mid(0, expected.size()), expected);
        for (int k = 14; k < 28; ++k)
            QVERIFY2(stored.at(3 + k) == "<null>" || stored.at(3 + k).isEmpty(),
                     qPrintable(stored.at(3 + k)));
        QCOMPARE(stored.last(), QStringLiteral("dewaecmgmg"));
        QCOMPARE(scalar("SELECT PMastrReq FROM PK_MASTR_REQ").toInt(), 1);
        QCOMPARE(scalar("SELECT COUNT(*) FROM REQ_ENTITY WHERE FK_FReqNum = 1").toInt(), 2);
        QCOMPARE(scalar("SELECT Preamble FROM FUNC_REQ").toInt(), 1);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("focus");
        QTest::newRow("no preamble")
            << "preamble="
            << "Validation error. A selection must be made from the first drop-down list." << -1;
        QTest::newRow("actor preamble without who/what")
            << "preamble=shall allow the"
            << "Validation error. The 'who/what' field must be defined.\nSee your first drop-down "
               "list selection."
            << 0;
        QTest::newRow("no do-what (template 9)") << "1="
                                                 << "Validation error. The 'do what?' field must "
                                                    "be defined for a functional requirement."
                                                 << 1;
        QTest::newRow("typed preamble")
            << "preamble=shall maybe"
            << "No selection has been made\nfrom the System combo box." << -1;
        QTest::newRow("list text that is no item")
            << "5=whenever"
            << "Invalid entry in highlighted field. Must select from the list provided." << 5;
        QTest::newRow("field starting with a digit")
            << "6=9 sensors"
            << "Field value cannot begin with a number." << 6;
        QTest::newRow("grammar") << "4="
                                 << "" << -1;
        QTest::newRow("body of 255 characters")
            << "body=38"
            << "Requirement is too long. The combined length of all fields is greater than 254 "
               "characters.\nTry simplifying the requirement or breaking it down into two shorter "
               "ones."
            << -1;
        QTest::newRow("field over 50 characters")
            << "6=" + QString(51, 'w')
            << "Field value is too long. A field holds at most 50 characters." << 6;
        const QString control = "Validation error. The highlighted field holds a line break or "
                                "another control character.\nRemove it and save again.";
        QTest::newRow("line break in a field") << "8=runway\nweather station" << control << 8;
        QTest::newRow("tab in the do-what") << "1=no\ttify" << control << 1;
        QTest::newRow("zero at the end of a field")
            << "6=wind sensor" + QString(QChar(0)) << control << 6;
        QTest::newRow("control character in the comments")
            << "comments=ask\x07the tower"
            << "Validation error. The Comments field holds a control character.\nRemove it and "
               "save again."
            << -1;
        QTest::newRow("control character in the paragraph")
            << "paragraph=3.\x01"
            << "Validation error. The Paragraph field holds a control or text-direction "
               "character.\nRemove it and save again."
            << -1;
    }

    void refusals()
    {
        QFETCH(QString, change);
        QFETCH(QString, message);
        QFETCH(int, focus);
        QVERIFY(saveOk(esdEvent()) == 1);
        const Snapshot before = snapshot();

        FunctionalDraft draft = esdEvent();
        const QString key = change.section('=', 0, 0);
        const QString value = change.section('=', 1);
        if (key == "body")
            fillBody(draft, value.toInt());
        else if (key == "preamble")
            draft.preamble = value;
        else if (key == "comments")
            draft.comments = value;
        else if (key == "paragraph")
            draft.paragraph = value;
        else
            draft.setField(key.toInt(), value);

        const CommitResult result = save(draft);
        QVERIFY(!result.outcome);
        if (!message.isEmpty())
            QCOMPARE(result.outcome.message(), message);
        else
            QVERIFY(!result.outcome.message().isEmpty() || !result.outcome.hasMessage());
        QCOMPARE(result.focusField, focus);
        QCOMPARE(snapshot(), before);
        QCOMPARE(saveOk(esdEvent()), 2); // the refused save used no number
    }

    void bodyOf254CharactersIsAccepted()
    {
        FunctionalDraft draft = esdEvent();
        fillBody(draft, 37);
        const CommitResult result = save(draft);
        QVERIFY2(result.outcome, qPrintable(result.outcome.message()));
        QCOMPARE(scalar("SELECT length(ReqText) FROM MASTER_REQ").toInt(), 253);
    }

    void listPositionsAndLetters_data()
    {
        QTest::addColumn<QString>("when");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("tcode");
        QTest::newRow("when") << "when"
                              << "0"
                              << "dewaecmgmg";
        QTest::newRow("before") << "before"
                                << "3"
                                << "debaecmgmg";
        QTest::newRow("after") << "after"
                               << "4"
                               << "defaecmgmg";
        QTest::newRow("until") << "until"
                               << "5"
                               << "dewaecmgmg";
    }

    void listPositionsAndLetters()
    {
        QFETCH(QString, when);
        FunctionalDraft draft = esdEvent();
        draft.setField(5, when);
        draft.setField(12, QString()); // a list left without selection
        draft.setField(13, QString());
        const CommitResult result = save(draft);
        QVERIFY2(result.outcome, qPrintable(result.outcome.message()));
        QTEST(scalar("SELECT Field5 FROM FUNC_REQ").toString(), "stored");
        QCOMPARE(scalar("SELECT Field12 FROM FUNC_REQ").toString(), QStringLiteral("-1"));
        QFETCH(QString, tcode);
        QCOMPARE(scalar("SELECT TCodeStrF FROM FUNC_REQ").toString(), tcode.left(8));
    }

    void actorPreambleStoresWhoWhat()
    {
        FunctionalDraft draft = esdEvent();
        draft.preamble = QStringLiteral("shall allow the");
        draft.setField(0, QStringLiteral("operator"));
        QVERIFY(saveOk(draft) == 1);
        QCOMPARE(scalar("SELECT Field0 FROM FUNC_REQ").toString(), QStringLiteral("operator"));
        QVERIFY(scalar("SELECT TCodeStrF FROM FUNC_REQ").toString().startsWith("kd"));
        QCOMPARE(scalar("SELECT Preamble FROM MASTER_REQ").toString(),
                 QStringLiteral("The ESD system shall allow the"));
    }

    void doubleBlanksCollapseInTheSentenceOnly()
    {
        FunctionalDraft draft = esdEvent();
        draft.setField(6, QStringLiteral("wind  sensor"));
        draft.paragraph = QStringLiteral("3.2.1");
        draft.comments = QStringLiteral("from the airport board");
        QVERIFY(saveOk(draft) == 1);
        QCOMPARE(scalar("SELECT Field6 FROM FUNC_REQ").toString(), QStringLiteral("wind  sensor"));
        const QString text = scalar("SELECT ReqText FROM MASTER_REQ").toString();
        QVERIFY(text.contains("when wind sensor runway"));
        QVERIFY(!text.endsWith(' ') && !text.endsWith('.'));
        QCOMPARE(scalar("SELECT ParaNum FROM MASTER_REQ").toString(), QStringLiteral("3.2.1"));
        QCOMPARE(scalar("SELECT Comments FROM MASTER_REQ").toString(),
                 QStringLiteral("from the airport board"));
    }

    void editVersionsAndRetires()
    {
        for (int i = 0; i < 7; ++i)
            QVERIFY(saveOk(esdEvent()) == i + 1);
        FunctionalDraft draft = esdEvent();
        draft.loadedNumber = 7;
        draft.edit = true;
        draft.loadedVersion = 2;
        draft.loadedFirstVersion = 3;
        CommitResult result = save(draft);
        QVERIFY(result.outcome);
        QCOMPARE(result.number, 8);
        QVERIFY(result.versionRetired);
        QCOMPARE(row("SELECT Version, OrigReqNum FROM MASTER_REQ WHERE Req_Num = 8"),
                 (QStringList{"3", "3"}));
        QCOMPARE(row("SELECT FSTType, DateSaved FROM MASTER_REQ WHERE Req_Num = 7"),
                 (QStringList{"Deleted", "3-7-2009"}));
        // A second save from the same dialog versions the version just written.
        result = save(draft);
        QCOMPARE(result.number, 9);
        QCOMPARE(row("SELECT Version, OrigReqNum FROM MASTER_REQ WHERE Req_Num = 9"),
                 (QStringList{"4", "3"}));
        QCOMPARE(scalar("SELECT FSTType FROM MASTER_REQ WHERE Req_Num = 8").toString(),
                 QStringLiteral("Deleted"));
        QCOMPARE(scalar("SELECT COUNT(*) FROM MASTER_REQ").toInt(), 9);
    }

    void editOfAFirstVersionTakesItsOwnNumber()
    {
        QVERIFY(saveOk(esdEvent()) == 1);
        FunctionalDraft draft = esdEvent();
        draft.loadedNumber = 1;
        draft.edit = true;
        draft.loadedFirstVersion = 0;
        QVERIFY(save(draft).outcome);
        QCOMPARE(row("SELECT Version, OrigReqNum FROM MASTER_REQ WHERE Req_Num = 2"),
                 (QStringList{"2", "1"}));
    }

    void reuseStoresAnIndependentRequirement()
    {
        QVERIFY(saveOk(esdEvent()) == 1);
        FunctionalDraft draft = esdEvent();
        draft.loadedNumber = 1;
        draft.loadedVersion = 4;
        draft.loadedFirstVersion = 1;
        const CommitResult result = save(draft);
        QVERIFY(result.outcome && !result.versionRetired);
        QCOMPARE(row("SELECT Version, OrigReqNum FROM MASTER_REQ WHERE Req_Num = 2"),
                 (QStringList{"1", "2"}));
        QCOMPARE(scalar("SELECT FSTType FROM MASTER_REQ WHERE Req_Num = 1").toString(),
                 QStringLiteral("Functional"));
        QCOMPARE(draft.loadedNumber, 1);
    }

    // A derivation stopped by the database, or by a damaged key counter,
    // keeps the requirement and its model out.
    void failedDerivationLeavesEverythingAsItWas_data()
    {
        QTest::addColumn<QString>("counter");
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("detail");
        QTest::newRow("a table that refuses the entity") << ""
                                                         << ""
                                                         << "disk full";
        QTest::newRow("attribute keys used up") << "PK_ATTR_OM.PAttrOm"
                                                << "2147483647"
                                                << "Every key has been handed out.";
        QTest::newRow("a negative link counter")
            << "PK_ENT_REQ.PEntReq"
            << "-4"
            << "Validation error. The PK_ENT_REQ key counter holds -4; keys are positive "
               "numbers.";
        QTest::newRow("no entity counter row") << "PK_ENT_OM.PEntOm"
                                               << "none"
                                               << "No current record.";
    }

    void failedDerivationLeavesEverythingAsItWas()
    {
        QFETCH(QString, counter);
        QFETCH(QString, damage);
        QFETCH(QString, detail);
        QVERIFY(saveOk(esdEvent()) == 1);
        const Snapshot before = snapshot();
        const QString table = counter.section('.', 0, 0);
        const QString column = counter.section('.', 1);
        const QString kept = counter.isEmpty()
                                 ? QString()
                                 : scalar("SELECT " + column + " FROM " + table).toString();
        if (counter.isEmpty())
            QVERIFY(StoreTestSupport::refuseInTrigger(kConnection, "refuse_entities",
                                                      "BEFORE INSERT", "OM_ENTITY", "disk full"));
        else if (damage == "none")
            QVERIFY(StoreTestSupport::exec(kConnection, "DELETE FROM " + table));
        else
            QVERIFY(StoreTestSupport::exec(kConnection,
                                           "UPDATE " + table + " SET " + column + " = " + damage));
        FunctionalDraft draft = esdEvent();
        draft.setField(4, QStringLiteral("tower"));
        const CommitResult result = save(draft);
        QCOMPARE(result.outcome.message(),
                 QStringLiteral("Error creating object model. Your database may be "
                                "corrupt.\rVerify your database, then retry composing."));
        QVERIFY2(result.detail.contains(detail), qPrintable(result.detail));
        QCOMPARE(scalar("SELECT COUNT(*) FROM FUNC_REQ").toInt(), 1);
        if (counter.isEmpty()) {
            QCOMPARE(snapshot(), before);
            QVERIFY(StoreTestSupport::dropTrigger(kConnection, "refuse_entities", "OM_ENTITY"));
        } else if (damage == "none") {
            QVERIFY(StoreTestSupport::exec(kConnection,
                                           "INSERT INTO " + table + " VALUES (" + kept + ")"));
        } else {
            QVERIFY(StoreTestSupport::exec(kConnection,
                                           "UPDATE " + table + " SET " + column + " = " + kept));
        }
        QCOMPARE(snapshot(), before);
        QCOMPARE(saveOk(draft), 2);
    }

    void userTextIsBoundNotPasted()
    {
        FunctionalDraft draft = esdEvent();
        draft.setField(4, QStringLiteral("O'Hare \"tower\" 100%"));
        draft.setField(6, QStringLiteral("größe"));
        draft.comments = QStringLiteral("'); DROP TABLE MASTER_REQ; --");
        const CommitResult result = save(draft, QStringLiteral("Zürich's"));
        QVERIFY2(result.outcome, qPrintable(result.outcome.message()));
        QCOMPARE(scalar("SELECT Preamble FROM MASTER_REQ").toString(),
                 QStringLiteral("The Zürich's system shall provide the capability"));
        QCOMPARE(scalar("SELECT Field4 FROM FUNC_REQ").toString(),
                 QStringLiteral("O'Hare \"tower\" 100%"));
        QCOMPARE(scalar("SELECT Comments FROM MASTER_REQ").toString(),
                 QStringLiteral("'); DROP TABLE MASTER_REQ; --"));
        QCOMPARE(scalar("SELECT COUNT(*) FROM OM_ENTITY WHERE Entity = 'Oharetower100%'").toInt(),
                 1);
        QVERIFY(scalar("SELECT COUNT(*) FROM OM_ATTR WHERE Attribute = 'größe'").toInt() == 1);
    }
};

QTEST_GUILESS_MAIN(FunctionalCommitTest)
#include "tst_functionalcommit.moc"
