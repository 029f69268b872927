#include "central/dependentlinks.h"
#include "central/requirementattributes.h"
#include "central/requirementlifecycle.h"
#include "support/checkedvalue.h"
#include "support/storetestsupport.h"

#include <QtTest>

using namespace varn;
using namespace varn::central;

namespace {

const QString kConnection = QStringLiteral("lifecycle");

QVariant scalar(const QString &sql)
{
    return StoreTestSupport::scalar(kConnection, sql);
}

// Requirements 1 to 6; 4 is already deleted, 5 has a Source no composer has,
// 6 stores a category and release outside the lists.
const char *const kRows[] = {
    "(1, 'Functional', 9, 'Software', 1, 1, 1, 'None', 'The ESD system shall', 'notify', 1, "
    "'3-7-2009', NULL)",
    "(2, 'Structural', 21, 'Hardware', 2, 3, 1, '1.2', 'The ESD system shall include', 'gates', 2, "
    "'3-7-2009', 'c')",
    "(3, 'Technical', 23, 'Derived', 9, 9, 2, '1.3', 'The ESD system shall', 'run', 1, '3-7-2009', "
    "NULL)",
    "(4, 'Deleted', 0, 'Software', 1, 1, 1, 'None', 'The ESD system shall', 'old', 4, '3-7-2009', "
    "NULL)",
    "(5, 'Functional', 24, 'Software', 1, 1, 1, 'None', 'The ESD system shall', 'odd', 5, "
    "'3-7-2009', NULL)",
    "(6, 'Functional', 1, 'Software ', 1, 12, 1, 'None', 'The ESD system shall', 'odd', 6, "
    "'3-7-2009', NULL)",
};

} // namespace

class RequirementLifecycleTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;

private slots:
    void initTestCase() { StoreTestSupport::initResources(); }

    void init()
    {
        QVERIFY(StoreTestSupport::openFreshDatabase(m_folder, kConnection));
        for (const char *row : kRows)
            QVERIFY(StoreTestSupport::exec(kConnection,
                                           QStringLiteral("INSERT INTO MASTER_REQ VALUES ") +
                                               QLatin1String(row)));
    }

    void cleanup() { StoreTestSupport::closeDatabase(kConnection); }

    void composerFor_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("edit");
        QTest::addColumn<int>("source");
        QTest::addColumn<QString>("message");
        QTest::newRow("edit a template requirement") << 1 << true << 9 << "";
        QTest::newRow("re-use a structural one") << 2 << false << 21 << "";
        QTest::newRow("edit a deleted one")
            << 4 << true << -1 << "The selected requirement has been deleted and cannot be edited.";
        QTest::newRow("re-use a deleted one") << 4 << false << 0 << "";
        QTest::newRow("no such requirement")
            << 99 << true << -1
            << "Internal error. Requirement not found. See your Varn SE administrator.";
        QTest::newRow("no composer")
            << 5 << true << -1 << "There is no template for the selected requirement.";
    }

    void composerFor()
    {
        QFETCH(int, number);
        QFETCH(bool, edit);
        QFETCH(int, source);
        QFETCH(QString, message);
        const Result<int> composer = RequirementLifecycle(kConnection).composerFor(number, edit);
        QCOMPARE(composer.isOk(), message.isEmpty());
        if (composer)
            QCOMPARE(composer.value(), source);
        else
            QCOMPARE(composer.outcome().message(), message);
    }

    void deletionShowsDependentsAndMarksTheRow()
    {
        const RequirementLifecycle lifecycle(kConnection);
        QVERIFY(DependentLinks(kConnection).saveDependents(1, {3, 2}));
        const Result<QList<int>> dependents = lifecycle.dependentsBeforeDeletion(1);
        QVERIFY(dependents);
        QCOMPARE(dependents.value(), (QList<int>{2, 3}));
        QCOMPARE(RequirementLifecycle::deletionQuestion(1, dependents.value()),
                 QStringLiteral("Requirement number 1 has the\nfollowing dependent "
                                "requirements.\n2\n3\nDo you want to continue with deletion?"));
        QCOMPARE(RequirementLifecycle::deletionQuestion(2, {}),
                 QStringLiteral("Are you sure you want to delete the selected requirement?"));

        QVERIFY(lifecycle.markDeleted(1, QDate(2010, 11, 5)));
        QCOMPARE(scalar("SELECT FSTType || ' ' || DateSaved FROM MASTER_REQ WHERE Req_Num = 1")
                     .toString(),
                 QStringLiteral("Deleted 11-5-2010"));
        QCOMPARE(scalar("SELECT COUNT(*) FROM DEPENDENT_REQ").toInt(), 2);
        QCOMPARE(scalar("SELECT COUNT(*) FROM MASTER_REQ").toInt(), 6);
        QCOMPARE(lifecycle.dependentsBeforeDeletion(1).outcome().message(),
                 QStringLiteral("This requirement has already been deleted. No action taken."));
        QCOMPARE(
            lifecycle.dependentsBeforeDeletion(42).outcome().message(),
            QStringLiteral("The Requirement Number does not exist in the Requirements database."));
    }

    void dependentsAreReplacedWhole()
    {
        const DependentLinks links(kConnection);
        QVERIFY(links.saveDependents(1, {2, 3, 6}));
        QVERIFY(links.saveDependents(1, {2, 3, 6}));
        QCOMPARE(scalar("SELECT COUNT(*) FROM DEPENDENT_REQ").toInt(), 3);
        QCOMPARE(scalar("SELECT MIN(Dep_Num) FROM DEPENDENT_REQ").toInt(), 4);
        QVERIFY(links.saveDependents(2, {1}));
        QVERIFY(links.saveDependents(1, {}));
        QCOMPARE(checkedValue(links.dependentsOf(1)), QList<int>{});
        QCOMPARE(checkedValue(links.dependentsOf(2)), QList<int>{1});
        QCOMPARE(DependentLinks::checkAddition(1, {2, 3}, 3).message(),
                 QStringLiteral("The selected requirement is already a dependent."));
        QCOMPARE(DependentLinks::checkAddition(1, {2, 3}, 1).message(),
                 QStringLiteral("Requirement 1 cannot be its own dependent."));
        QVERIFY(DependentLinks::checkAddition(1, {2, 3}, 4));
    }

    // A requirement is never its own dependent; a link that closes a cycle
    // is saved, and the cycles it closes are named.
    void selfAndCyclicDependents_data()
    {
        using Links = QList<QList<int>>; // each: parent, then its dependents
        QTest::addColumn<Links>("before");
        QTest::addColumn<QList<int>>("saved"); // parent, then its dependents
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QStringList>("cycles");
        const QString none;
        QTest::newRow("no cycle") << Links{{1, 2}} << QList<int>{2, 3} << none << QStringList();
        QTest::newRow("the parent itself")
            << Links{{1, 2}} << QList<int>{1, 3, 1} << "Requirement 1 cannot be its own dependent."
            << QStringList();
        QTest::newRow("the parent alone")
            << Links{} << QList<int>{4, 4} << "Requirement 4 cannot be its own dependent."
            << QStringList();
        QTest::newRow("two links")
            << Links{{1, 2}} << QList<int>{2, 1} << none << QStringList{"2 -> 1 -> 2"};
        QTest::newRow("three links")
            << Links{{1, 2}, {2, 3}} << QList<int>{3, 1} << none << QStringList{"3 -> 1 -> 2 -> 3"};
        QTest::newRow("two cycles at once") << Links{{1, 2}, {2, 3}} << QList<int>{3, 1, 2} << none
                                            << QStringList{"3 -> 1 -> 2 -> 3", "3 -> 2 -> 3"};
        QTest::newRow("the shorter way back")
            << Links{{1, 2, 3}, {2, 3}, {3, 4}} << QList<int>{4, 1} << none
            << QStringList{"4 -> 1 -> 3 -> 4"};
        QTest::newRow("a shared dependent is no cycle")
            << Links{{1, 2, 3}, {2, 4}} << QList<int>{3, 4} << none << QStringList();
        QTest::newRow("replacing the links ends the cycle")
            << Links{{1, 2}, {2, 1}} << QList<int>{1, 3} << none << QStringList();
    }

    void selfAndCyclicDependents()
    {
        using Links = QList<QList<int>>;
        QFETCH(Links, before);
        QFETCH(QList<int>, saved);
        QFETCH(QString, refusal);
        QFETCH(QStringList, cycles);
        const DependentLinks links(kConnection);
        for (const QList<int> &parent : before)
            QVERIFY(links.saveDependents(parent.first(), parent.mid(1)));
        const int parent = saved.first();
        const QList<int> kept = checkedValue(links.dependentsOf(parent));
        const Result<QList<QList<int>>> result = links.saveDependents(parent, saved.mid(1));
        if (!refusal.isEmpty()) {
            QCOMPARE(result.outcome().message(), refusal);
            QCOMPARE(result.outcome().kind(), MessageKind::Warning);
            QCOMPARE(checkedValue(links.dependentsOf(parent)), kept);
            return;
        }
        QVERIFY2(result, qPrintable(result.outcome().message()));
        QList<int> stored = saved.mid(1);
        std::sort(stored.begin(), stored.end());
        QCOMPARE(checkedValue(links.dependentsOf(parent)), stored);
        const QString notice = DependentLinks::cycleNotice(result.value());
        if (cycles.isEmpty())
            QCOMPARE(notice, QString());
        else
            QCOMPARE(notice, QStringLiteral("The links are saved, but they close a cycle of "
                                            "dependents (each requirement a dependent of the one "
                                            "before it):\n") +
                                 cycles.join(QLatin1Char('\n')));
    }

    void aFailedSaveKeepsTheOldLinks()
    {
        const DependentLinks links(kConnection);
        QVERIFY(links.saveDependents(1, {2, 3}));
        QVERIFY(StoreTestSupport::refuseInTrigger(kConnection, "refuse_six", "BEFORE INSERT",
                                                  "DEPENDENT_REQ", "no six", "NEW.Dep_ReqNum = 6"));
        const Outcome saved = links.saveDependents(1, {5, 6}).outcome();
        QVERIFY(
            saved.message().startsWith("Error writing to the DependSet-PkDepReq recordsets.\n"));
        QCOMPARE(checkedValue(links.dependentsOf(1)), (QList<int>{2, 3}));
        QCOMPARE(scalar("SELECT PDepReq FROM PK_DEP_REQ").toInt(), 2);
    }

    void attributesLoadWithTheirDefaults()
    {
        QList<Outcome> notices;
        const auto values = RequirementAttributes(kConnection).load(6, &notices);
        QVERIFY(values);
        QCOMPARE(values->category, QStringLiteral("Software"));
        QCOMPARE(values->release, QStringLiteral("1"));
        QCOMPARE(notices.size(), 2);
        QCOMPARE(notices[0].message(),
                 QStringLiteral("The Category retrieved does not match any predefined "
                                "value.\nSetting the Category to the default, which is Software."));
        QCOMPARE(notices[1].message(),
                 QStringLiteral("The Release value retrieved does not match any predefined "
                                "value.\nSetting the Release to the default, which is 1."));
    }

    void attributesChangeInPlace_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("comments only") << "comments"
                                       << "ask the tower"
                                       << "";
        QTest::newRow("empty paragraph") << "paragraph"
                                         << ""
                                         << "";
        QTest::newRow("category not in the list")
            << "category"
            << "Soft"
            << "Validation error. A selection must be made from the Category drop-down list.";
        QTest::newRow("priority not in the list")
            << "priority"
            << "0"
            << "Validation error. A selection must be made from the Priority drop-down list.";
        QTest::newRow("release not in the list")
            << "release"
            << "10"
            << "Validation error. A selection must be made from the Release drop-down list.";
        QTest::newRow("comments over lines, with a tab") << "comments"
                                                         << "ask the tower\n\tthen the gate\r\n"
                                                         << "";
        QTest::newRow("zero in the comments")
            << "comments" << QStringLiteral("cut") + QChar(0) + QStringLiteral("here")
            << "Validation error. The Comments field holds a control character.\nRemove it and "
               "save again.";
        QTest::newRow("escape in the comments")
            << "comments"
            << "\x1b]0;owned\x07"
            << "Validation error. The Comments field holds a control character.\nRemove it and "
               "save again.";
        QTest::newRow("line break in the paragraph")
            << "paragraph"
            << "3.1\n"
            << "Validation error. The Paragraph field holds a control or text-direction "
               "character.\nRemove it and save again.";
    }

    void attributesChangeInPlace()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, message);
        const RequirementAttributes attributes(kConnection);
        RequirementAttributes::Values values = checkedValue(attributes.load(3));
        const QString kept =
            QStringLiteral("SELECT Req_Num, Version, DateSaved, ReqText FROM MASTER_REQ WHERE "
                           "Req_Num = 3");
        const QStringList before = StoreTestSupport::row(kConnection, kept);
        QCOMPARE(before.size(), 4);
        if (field == "comments")
            values.comments = value;
        else if (field == "paragraph")
            values.paragraph = value;
        else if (field == "category")
            values.category = value;
        else if (field == "priority")
            values.priority = value;
        else
            values.release = value;
        const Outcome saved = attributes.save(3, values);
        QCOMPARE(saved.message(), message);
        QCOMPARE(StoreTestSupport::row(kConnection, kept), before);
        if (field == "comments" && message.isEmpty())
            QCOMPARE(scalar("SELECT Comments FROM MASTER_REQ WHERE Req_Num = 3").toString(), value);
        if (field == "paragraph" && message.isEmpty())
            QCOMPARE(scalar("SELECT ParaNum FROM MASTER_REQ WHERE Req_Num = 3").toString(),
                     QStringLiteral("None"));
        if (!message.isEmpty())
            QCOMPARE(
                scalar("SELECT Category || Priority || Release FROM MASTER_REQ WHERE Req_Num = 3")
                    .toString(),
                QStringLiteral("Derived99"));
        if (!message.contains(QLatin1String("field holds"))) // refused before it is looked up
            QCOMPARE(attributes.save(77, values).message(),
                     QStringLiteral(
                         "The Requirement Number does not exist in the Requirements database."));
    }
};

QTEST_GUILESS_MAIN(RequirementLifecycleTest)
#include "tst_requirementlifecycle.moc"
