// Edit > Parent-Dependent Relationships and Edit > Requirement Attributes,
// driven as a user drives them.

#include "app/widgets/labelledcontrols.h"
#include "app/widgets/screenshot.h"
#include "app/widgets/workspacesuite.h"
#include "central/dependentlinks.h"
#include "central/requirementrows.h"
#include "central/widgets/parentdependentdialog.h"
#include "central/widgets/requirementattributesdialog.h"
#include "central/widgets/requirementpicktable.h"
#include "support/appconnections.h"
#include "support/storetestsupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include <optional>

using namespace varn;
using namespace varn::central;

class EditMenuDialogsTest : public WorkspaceSuite
{
    Q_OBJECT

protected:
    void fillWorkspace() override
    {
        for (int number = 1; number <= 4; ++number)
            QVERIFY(insertRequirement(requirements(), {number}));
        RequirementRow deleted{5};
        deleted.type = QStringLiteral("Deleted");
        QVERIFY(insertRequirement(requirements(), deleted));
    }

    QSqlDatabase requirements() const { return requirementsDatabaseOf(m_open->app); }
    QString connection() const { return m_open->app.requirementsConnectionName(); }

    QList<int> storedDependents(int parent) const
    {
        QSqlQuery query(requirements());
        query.prepare(QStringLiteral(
            "SELECT Dep_ReqNum FROM DEPENDENT_REQ WHERE FK_ReqNum = ? ORDER BY Dep_ReqNum"));
        query.addBindValue(parent);
        QList<int> numbers;
        if (query.exec())
            while (query.next())
                numbers.append(query.value(0).toInt());
        return numbers;
    }

    static QList<int> listed(const QListWidget &list)
    {
        QList<int> numbers;
        for (int row = 0; row < list.count(); ++row)
            numbers.append(list.item(row)->text().toInt());
        return numbers;
    }

    static QList<int> numbersOf(const RequirementPickTable &table)
    {
        QList<int> numbers;
        for (const PickedRequirement &picked : table.requirements())
            numbers.append(picked.number);
        return numbers;
    }

private slots:
    // The dependents of requirement 1 edited in the list box and saved; the
    // dialog opened again shows what was stored.
    void dependentsSavedAndShown_data()
    {
        QTest::addColumn<QList<int>>("existing");
        QTest::addColumn<QList<int>>("dependentsOf2"); // saved before the dialog opens
        QTest::addColumn<QList<int>>("added");         // chosen in the lower list, then ">"
        QTest::addColumn<bool>("emptied");             // "<<" instead of ">"
        QTest::addColumn<QList<int>>("stored");
        QTest::addColumn<QStringList>("messages");
        const QList<int> none;
        QTest::newRow("three new")
            << none << none << QList<int>{2, 3, 4} << false << QList<int>{2, 3, 4} << QStringList();
        QTest::newRow("already a dependent")
            << QList<int>{2} << none << QList<int>{2, 3} << false << QList<int>{2, 3}
            << QStringList{"The selected requirement is already a dependent."};
        QTest::newRow("emptied") << QList<int>{2, 3} << none << none << true << none
                                 << QStringList();
        QTest::newRow("nothing chosen")
            << QList<int>{4} << none << none << false << QList<int>{4}
            << QStringList{"No dependent requirement is currently selected."};
        QTest::newRow("the parent itself")
            << none << none << QList<int>{1, 3} << false << QList<int>{3}
            << QStringList{"Requirement 1 cannot be its own dependent."};
        QTest::newRow("closes a cycle")
            << none << QList<int>{1} << QList<int>{2, 4} << false << QList<int>{2, 4}
            << QStringList{"The links are saved, but they close a cycle of dependents (each "
                           "requirement a dependent of the one before it):\n1 -> 2 -> 1"};
    }

    void dependentsSavedAndShown()
    {
        QFETCH(QList<int>, existing);
        QFETCH(QList<int>, dependentsOf2);
        QFETCH(QList<int>, added);
        QFETCH(bool, emptied);
        QFETCH(QList<int>, stored);
        QFETCH(QStringList, messages);
        if (!existing.isEmpty())
            QVERIFY(DependentLinks(connection()).saveDependents(1, existing));
        if (!dependentsOf2.isEmpty())
            QVERIFY(DependentLinks(connection()).saveDependents(2, dependentsOf2));
        {
            ParentDependentDialog dialog(m_open->workbench, 1);
            QCOMPARE(misnamedControls(dialog), QStringList());
            QCOMPARE(listed(*dialog.dependents()), existing);
            QCOMPARE(numbersOf(*dialog.candidates()), existing);
            dialog.button(QStringLiteral("Show All"))->click();
            QCOMPARE(numbersOf(*dialog.candidates()), (QList<int>{1, 2, 3, 4}));
            for (const int number : added)
                dialog.candidates()->selectionModel()->select(
                    dialog.candidates()->model()->index(number - 1, 0),
                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
            dialog.button(emptied ? QStringLiteral("<<") : QStringLiteral(">"))->click();
            QCOMPARE(listed(*dialog.dependents()), stored);
            saveScreenshot(dialog, QStringLiteral("parent-dependent.png"), programBackground());
            dialog.button(QStringLiteral("Save"))->click();
            QCOMPARE(m_presenter.texts(), messages);
            QCOMPARE(dialog.statusLine()->text(),
                     QStringLiteral("Requirement 1 successfully updated."));
        }
        QCOMPARE(storedDependents(1), stored);
        ParentDependentDialog again(m_open->workbench, 1);
        QCOMPARE(listed(*again.dependents()), stored);
        if (stored.isEmpty())
            QCOMPARE(again.statusLine()->text(),
                     QStringLiteral("Requirement 1 does not have any dependent requirements."));
    }

    // Save Changes writes the attributes of the selected requirement in
    // place: same number, version, date and sentence.
    void attributesChangedInPlace_data()
    {
        QTest::addColumn<QStringList>(
            "entered");                          // paragraph, priority, category, release, comments
        QTest::addColumn<QStringList>("stored"); // ParaNum, Priority, Category, Release, Comments
        QTest::addColumn<QString>("message");
        QTest::newRow("comments only")
            << QStringList{"None", "1", "Software", "1", "checked by ops"}
            << QStringList{"None", "1", "Software", "1", "checked by ops"} << QString();
        QTest::newRow("every attribute")
            << QStringList{"3.2.1", "5", "Hardware", "2", ""}
            << QStringList{"3.2.1", "5", "Hardware", "2", ""} << QString();
        QTest::newRow("empty paragraph")
            << QStringList{"", "9", "Derived", "9", "x"}
            << QStringList{"None", "9", "Derived", "9", "x"} << QString();
        QTest::newRow("no category")
            << QStringList{"4.1", "2", "", "2", "y"}
            << QStringList{"None", "1", "Software", "1", ""}
            << "Validation error. A selection must be made from the Category drop-down list.";
        QTest::newRow("comments over two lines")
            << QStringList{"None", "1", "Software", "1", "checked\nby ops"}
            << QStringList{"None", "1", "Software", "1", "checked\nby ops"} << QString();
        QTest::newRow("control character in the comments")
            << QStringList{"None", "1", "Software", "1", "checked\x1b[2J"}
            << QStringList{"None", "1", "Software", "1", ""}
            << "Validation error. The Comments field holds a control character.\nRemove it and "
               "save again.";
    }

    void attributesChangedInPlace()
    {
        QFETCH(QStringList, entered);
        QFETCH(QStringList, stored);
        QFETCH(QString, message);
        const QString before =
            QStringLiteral("SELECT Req_Num, Version, DateSaved, Preamble, ReqText FROM MASTER_REQ "
                           "WHERE Req_Num = 2");
        const QStringList kept = StoreTestSupport::row(connection(), before);
        RequirementAttributesDialog dialog(m_open->workbench, 2);
        QCOMPARE(misnamedControls(dialog), QStringList());
        QCOMPARE(numbersOf(*dialog.requirements()), (QList<int>{1, 2, 3, 4}));
        dialog.button(QStringLiteral("See Requirement"))->click();
        QCOMPARE(dialog.sentence()->toPlainText(),
                 QStringLiteral("The Acme system shall notify the operator."));
        QCOMPARE(dialog.version()->text(), QStringLiteral("1"));
        dialog.paragraph()->setText(entered[0]);
        dialog.priority()->setCurrentIndex(dialog.priority()->findText(entered[1]));
        dialog.category()->setCurrentIndex(dialog.category()->findText(entered[2]));
        dialog.release()->setCurrentIndex(dialog.release()->findText(entered[3]));
        dialog.comments()->setPlainText(entered[4]);
        saveScreenshot(dialog, QStringLiteral("requirement-attributes.png"), programBackground());
        dialog.button(QStringLiteral("Save Changes"))->click();
        QCOMPARE(m_presenter.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(StoreTestSupport::row(connection(),
                                       QStringLiteral("SELECT ParaNum, Priority, Category, "
                                                      "Release, Comments FROM MASTER_REQ WHERE "
                                                      "Req_Num = 2"))
                     .replaceInStrings(QStringLiteral("<null>"), QString()),
                 stored);
        QCOMPARE(StoreTestSupport::row(connection(), before), kept);
        // The list shows what is stored, the requirement still selected and
        // its attributes still in the fields.
        const PickedRequirement *shown = dialog.requirements()->current();
        QVERIFY(shown);
        QCOMPARE(shown->number, 2);
        QCOMPARE(dialog.requirements()->item(1, 2)->text(), stored[0]);
        QCOMPARE(dialog.paragraph()->text(), entered[0]);
        QCOMPARE(dialog.statusLine()->text(),
                 message.isEmpty() ? QStringLiteral("Requirement 2 successfully updated.")
                                   : QString());
    }
};

QTEST_MAIN(EditMenuDialogsTest)
#include "tst_editmenudialogs.moc"
