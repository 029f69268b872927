// The technical composer's Save: free text, no TCode, no object model.
#include "objmodel/objectmodelregenerator.h"
#include "store/recordobjects.h"
#include "support/freshworkspace.h"
#include "support/storetestsupport.h"
#include "templates/functionalcommit.h"
#include "templates/technicalcommit.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

#include <memory>
#include <optional>

using namespace varn;
using namespace varn::templates;

namespace {

const QString kConnection = QStringLiteral("technical");
const QDate kToday(2009, 3, 7);
const QString kTooLong = QStringLiteral(
    "Requirement is too long. The combined length of all fields is greater than 254 "
    "characters.\nTry simplifying the requirement or breaking it down into two shorter ones.");
const QString kNoText = QStringLiteral("Validation error. The requirement text must be defined.");

QVariant scalar(const QString &sql)
{
    return StoreTestSupport::scalar(kConnection, sql);
}

QStringList row(const QString &sql)
{
    return StoreTestSupport::row(kConnection, sql);
}

TechnicalDraft draftOf(const QString &text)
{
    TechnicalDraft draft;
    draft.text = text;
    return draft;
}

QStringList snapshot()
{
    return {scalar("SELECT COUNT(*) FROM MASTER_REQ").toString(),
            scalar("SELECT PMastrReq FROM PK_MASTR_REQ").toString(),
            scalar("SELECT COUNT(*) FROM FUNC_REQ").toString(),
            scalar("SELECT COUNT(*) FROM STRUC_REQ").toString()};
}

} // namespace

class TechnicalCommitTest : public QObject
{
    Q_OBJECT

    std::optional<FreshWorkspace> m_workspace;

    CommitResult save(TechnicalDraft &draft, const QString &system = QStringLiteral("ESD"))
    {
        TechnicalCommit commit(m_workspace->records(), system);
        return commit.save(draft, kToday);
    }

private slots:
    void initTestCase() { StoreTestSupport::initResources(); }

    void init() { QVERIFY(m_workspace.emplace(kConnection).isOpen()); }

    void cleanup() { m_workspace.reset(); }

    void storedRow()
    {
        TechnicalDraft draft = draftOf(QStringLiteral("run on  a 64-bit  processor "));
        draft.category = QStringLiteral("Hardware");
        draft.priority = QStringLiteral("2");
        draft.release = QStringLiteral("3");
        const CommitResult result = save(draft, QStringLiteral("Zürich's"));
        QVERIFY2(result.outcome, qPrintable(result.outcome.message()));
        QCOMPARE(result.number, 1);
        QCOMPARE(row("SELECT * FROM MASTER_REQ"),
                 (QStringList{"1", "Technical", "23", "Hardware", "2", "3", "1", "None",
                              "The Zürich's system shall", "run on a 64-bit processor", "1",
                              "3-7-2009", "<null>"}));
        QCOMPARE(scalar("SELECT PMastrReq FROM PK_MASTR_REQ").toInt(), 1);
        QCOMPARE(scalar("SELECT COUNT(*) FROM FUNC_REQ").toInt(), 0);
        QCOMPARE(scalar("SELECT COUNT(*) FROM STRUC_REQ").toInt(), 0);
        QCOMPARE(scalar("SELECT COUNT(*) FROM REQ_ENTITY").toInt(), 0);
        QCOMPARE(scalar("SELECT COUNT(*) FROM OM_ENTITY").toInt(), 0);
        QCOMPARE(TechnicalCommit::sentenceHead(QStringLiteral("ESD")),
                 QStringLiteral("The ESD system shall"));
    }

    void texts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored"); // empty: refused with the message
        QTest::addColumn<QString>("message");
        QTest::newRow("253 characters") << QString(253, 'x') << QString(253, 'x') << "";
        QTest::newRow("254 characters, with the blank 255") << QString(254, 'x') << "" << kTooLong;
        QTest::newRow("empty") << ""
                               << "" << kNoText;
        QTest::newRow("blanks and line breaks") << "  \n "
                                                << "" << kNoText;
        QTest::newRow("a full stop alone") << " . "
                                           << "" << kNoText;
        QTest::newRow("runs of blanks") << "log  every   fault  "
                                        << "log every fault"
                                        << "";
        QTest::newRow("typed full stop") << "log every fault. "
                                         << "log every fault"
                                         << "";
        QTest::newRow("line break at the end") << "log faults\n"
                                               << "log faults"
                                               << "";
        QTest::newRow("inner line break kept") << "log\nfaults"
                                               << "log\nfaults"
                                               << "";
        QTest::newRow("quotes and non-ASCII")
            << "log 'O''Hare' \"Grüße\"; DROP TABLE MASTER_REQ; --"
            << "log 'O''Hare' \"Grüße\"; DROP TABLE MASTER_REQ; --"
            << "";
    }

    void texts()
    {
        QFETCH(QString, text);
        QFETCH(QString, stored);
        QFETCH(QString, message);
        TechnicalDraft draft = draftOf(QStringLiteral("log faults"));
        QVERIFY(save(draft).outcome);
        const QStringList before = snapshot();

        draft = draftOf(text);
        const CommitResult result = save(draft);
        if (stored.isEmpty()) {
            QCOMPARE(result.outcome.message(), message);
            QCOMPARE(snapshot(), before);
            QCOMPARE(result.focusField, message == kNoText ? TechnicalCommit::kTextField : -1);
        } else {
            QVERIFY2(result.outcome, qPrintable(result.outcome.message()));
            QCOMPARE(result.number, 2);
            QCOMPARE(scalar("SELECT ReqText FROM MASTER_REQ WHERE Req_Num = 2").toString(), stored);
        }
    }

    void attributesAreChecked_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("value");
        QTest::newRow("Category") << "category"
                                  << "Software ";
        QTest::newRow("Priority") << "priority"
                                  << "0";
        QTest::newRow("Release") << "release"
                                 << "10";
    }

    void attributesAreChecked()
    {
        QFETCH(QString, list);
        QFETCH(QString, value);
        TechnicalDraft draft = draftOf(QStringLiteral("log faults"));
        draft.paragraph = QStringLiteral("4.1");
        if (list == "category")
            draft.category = value;
        else if (list == "priority")
            draft.priority = value;
        else
            draft.release = value;
        const QString name = list.left(1).toUpper() + list.mid(1);
        QCOMPARE(save(draft).outcome.message(),
                 QStringLiteral("Validation error. A selection must be made from the %1 "
                                "drop-down list.")
                     .arg(name));
        QCOMPARE(scalar("SELECT COUNT(*) FROM MASTER_REQ").toInt(), 0);
        QCOMPARE(scalar("SELECT PMastrReq FROM PK_MASTR_REQ").toInt(), 0);
    }

    void editAndReuse()
    {
        TechnicalDraft first = draftOf(QStringLiteral("log faults"));
        first.paragraph = QStringLiteral("4.1");
        first.comments = QStringLiteral("safety board");
        first.category = QStringLiteral("Performance");
        QVERIFY(save(first).outcome);

        Result<TechnicalDraft> loaded = TechnicalDraft::stored(kConnection, 1, true);
        QVERIFY(loaded);
        TechnicalDraft draft = loaded.value();
        QCOMPARE(draft.text, QStringLiteral("log faults")); // no head, no full stop
        QCOMPARE(draft.paragraph, QStringLiteral("4.1"));
        QCOMPARE(draft.comments, QStringLiteral("safety board"));
        QCOMPARE(draft.category, QStringLiteral("Performance"));
        draft.text = QStringLiteral("log every fault");
        CommitResult result = save(draft);
        QVERIFY(result.outcome && result.versionRetired);
        QCOMPARE(row("SELECT Version, OrigReqNum, ReqText FROM MASTER_REQ WHERE Req_Num = 2"),
                 (QStringList{"2", "1", "log every fault"}));
        QCOMPARE(row("SELECT FSTType, DateSaved FROM MASTER_REQ WHERE Req_Num = 1"),
                 (QStringList{"Deleted", "3-7-2009"}));
        result = save(draft);
        QCOMPARE(row("SELECT Version, OrigReqNum FROM MASTER_REQ WHERE Req_Num = 3"),
                 (QStringList{"3", "1"}));

        loaded = TechnicalDraft::stored(kConnection, 3, false);
        QVERIFY(loaded);
        TechnicalDraft reused = loaded.value();
        result = save(reused);
        QVERIFY(result.outcome && !result.versionRetired);
        QCOMPARE(row("SELECT Version, OrigReqNum, FSTType FROM MASTER_REQ WHERE Req_Num = 4"),
                 (QStringList{"1", "4", "Technical"}));
        QCOMPARE(scalar("SELECT FSTType FROM MASTER_REQ WHERE Req_Num = 3").toString(),
                 QStringLiteral("Technical"));

        QCOMPARE(TechnicalDraft::stored(kConnection, 99, true).outcome().message(),
                 QStringLiteral("Error querying the Requirements database."));
    }

    // An edit is one transaction: when the replaced version cannot be
    // retired (another program retired it first), the new one is not kept.
    void editStoresNothingWhenTheOldVersionCannotBeRetired()
    {
        TechnicalDraft first = draftOf(QStringLiteral("log faults"));
        QVERIFY(save(first).outcome);
        Result<TechnicalDraft> loaded = TechnicalDraft::stored(kConnection, 1, true);
        QVERIFY(loaded);
        TechnicalDraft draft = loaded.value();
        draft.text = QStringLiteral("log every fault");
        QVERIFY(StoreTestSupport::exec(
            kConnection, QStringLiteral("UPDATE MASTER_REQ SET FSTType = 'Deleted'")));
        const CommitResult result = save(draft);
        QCOMPARE(result.outcome.message(),
                 QStringLiteral("The selected requirement has been deleted and cannot be edited."));
        QVERIFY(!result.versionRetired);
        QCOMPARE(scalar("SELECT COUNT(*) FROM MASTER_REQ").toInt(), 1);
        QCOMPARE(scalar("SELECT PMastrReq FROM PK_MASTR_REQ").toInt(), 1);
    }

    void clearKeepsTheAttributes()
    {
        TechnicalDraft draft = draftOf(QStringLiteral("log faults"));
        draft.paragraph = QStringLiteral("4.1");
        draft.category = QStringLiteral("Derived");
        draft.priority = QStringLiteral("5");
        draft.comments = QStringLiteral("note");
        draft.loadedNumber = 3;
        draft.edit = true;
        draft.clear();
        QVERIFY(draft.text.isEmpty());
        QCOMPARE(draft.loadedNumber, -1);
        QVERIFY(!draft.edit);
        QCOMPARE(draft.paragraph + draft.category + draft.priority + draft.comments,
                 QStringLiteral("4.1Derived5note"));
    }

    // Not even a full rebuild gives a technical requirement a part in the model.
    void neverInTheObjectModel()
    {
        FunctionalDraft functional = FunctionalDraft::forTemplate(9);
        functional.preamble = QStringLiteral("shall");
        functional.setField(1, QStringLiteral("notify"));
        functional.setField(4, QStringLiteral("operational subsystem"));
        FunctionalCommit commit(m_workspace->records(), QStringLiteral("ESD"));
        QVERIFY(commit.save(functional, kToday).outcome);
        TechnicalDraft draft = draftOf(QStringLiteral("notify the operational subsystem"));
        QCOMPARE(save(draft).number, 2);

        objmodel::ObjectModelRegenerator regenerator(kConnection);
        QVERIFY(regenerator.regenerate());
        QVERIFY(scalar("SELECT COUNT(*) FROM REQ_ENTITY WHERE FK_FReqNum = 1").toInt() >= 1);
        QCOMPARE(scalar("SELECT COUNT(*) FROM REQ_ENTITY WHERE FK_FReqNum = 2 OR FK_SReqNum = 2")
                     .toInt(),
                 0);
    }
};

QTEST_GUILESS_MAIN(TechnicalCommitTest)
#include "tst_technicalcommit.moc"
