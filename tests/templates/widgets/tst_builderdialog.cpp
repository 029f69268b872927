// The Requirement Builder dialog, driven as a user drives it.

#include "app/widgets/featureregistry.h"
#include "app/widgets/labelledcontrols.h"
#include "app/widgets/screenshot.h"
#include "app/widgets/workspacesuite.h"
#include "central/widgets/centralviewfeature.h"
#include "main/landedfeatures.h"
#include "support/appconnections.h"
#include "templates/widgets/requirementbuilderdialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include <optional>

using namespace varn;
using namespace varn::app;
using varn::language::TermButton;
using varn::language::TermList;
using varn::language::TermVocabulary;
using varn::templates::RequirementBuilderDialog;

namespace {

// Source, Preamble, Field0 to Field27 and TCodeStrF of a FUNC_REQ row.
QStringList functionalColumns(const QSqlDatabase &database, int number)
{
    QSqlQuery query(database);
    query.prepare(QStringLiteral("SELECT * FROM FUNC_REQ WHERE F_ReqNum = ?"));
    query.addBindValue(number);
    QStringList columns;
    if (query.exec() && query.next()) {
        columns << query.value(QStringLiteral("Preamble")).toString();
        for (int k = 0; k < 28; ++k)
            columns << query.value(QStringLiteral("Field%1").arg(k)).toString();
        columns << query.value(QStringLiteral("TCodeStrF")).toString();
    }
    return columns;
}

} // namespace

class BuilderDialogTest : public WorkspaceSuite
{
    Q_OBJECT

    QStringList master(int number) const
    {
        QSqlQuery query(requirementsDatabaseOf(m_open->app));
        query.prepare(QStringLiteral("SELECT Source, Version, OrigReqNum, ReqText, FSTType "
                                     "FROM MASTER_REQ WHERE Req_Num = ?"));
        query.addBindValue(number);
        QStringList columns;
        if (query.exec() && query.next())
            for (int c = 0; c < 5; ++c)
                columns.append(query.value(c).toString());
        return columns;
    }

    static void type(RequirementBuilderDialog &dialog, const QString &text)
    {
        QTest::keyClicks(dialog.cell(dialog.builder().focusCell()), text);
    }

    static void chooseEventAction(RequirementBuilderDialog &dialog, const char *entry)
    {
        dialog.appendListEntry(
            TermList::EventAction,
            TermVocabulary::entryPosition(TermList::EventAction, QString::fromLatin1(entry)));
    }

    // display / speed / truck / when / truck / arrives
    static void buildTruckDisplay(RequirementBuilderDialog &dialog)
    {
        type(dialog, QStringLiteral("display"));
        dialog.termButton(TermButton::Attribute)->click();
        type(dialog, QStringLiteral("speed"));
        dialog.termButton(TermButton::Entity)->click();
        type(dialog, QStringLiteral("truck"));
        chooseEventAction(dialog, "when");
        dialog.termButton(TermButton::Entity)->click();
        type(dialog, QStringLiteral("truck"));
        chooseEventAction(dialog, "action");
        type(dialog, QStringLiteral("arrives"));
    }

private slots:
    // The worked example of the application database saves unchanged.
    void exampleSavesUnchanged()
    {
        RequirementBuilderDialog dialog(m_open->workbench);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Requirement Builder"));
        dialog.button(QStringLiteral("See Example"))->click();
        QCOMPARE(dialog.builder().gcode(), QByteArray("kdatebtecmgmgitelgrlg"));
        QCOMPARE(dialog.caption(5)->text(), QStringLiteral("before"));
        QVERIFY(!dialog.termButton(TermButton::Entity)->isEnabled());
        QVERIFY(!dialog.termList(TermList::Logical)->isEnabled());
        dialog.preview();
        saveScreenshot(dialog, QStringLiteral("requirement-builder.png"), QColor(160, 219, 248));
        dialog.button(QStringLiteral("Save"))->click();
        QCOMPARE(m_presenter.texts(), QStringList());
        QCOMPARE(dialog.numberBox()->text(), QStringLiteral("1"));
        QCOMPARE(functionalColumns(requirementsDatabaseOf(m_open->app), 1),
                 functionalColumns(applicationDatabaseOf(m_open->app), 73));
        QCOMPARE(master(1).mid(0, 3), (QStringList{"0", "1", "1"}));
    }

    void termByTerm()
    {
        RequirementBuilderDialog dialog(m_open->workbench);
        QCOMPARE(dialog.builder().gcode(), QByteArray("d"));
        QVERIFY(!dialog.cell(0)->isEnabled());
        buildTruckDisplay(dialog);
        QCOMPARE(dialog.builder().gcode(), QByteArray("daewec"));
        QCOMPARE(misnamedControls(dialog), QStringList());
        QCOMPARE(dialog.caption(6)->text(), QStringLiteral("action"));
        QCOMPARE(dialog.cell(4)->text(), QStringLiteral("when"));
        QTest::keyClick(dialog.cell(6), Qt::Key_Return);
        QCOMPARE(dialog.previewArea()->toPlainText(),
                 QStringLiteral("The ESD system shall display speed truck when truck arrives."));
        QCOMPARE(dialog.cell(6)->palette().color(QPalette::Base), QColor(Qt::white));
        QVERIFY(master(1).isEmpty());
        dialog.button(QStringLiteral("Save"))->click();
        QCOMPARE(m_presenter.texts(), QStringList());
        QCOMPARE(master(1), (QStringList{"0", "1", "1", "display speed truck when truck arrives",
                                         "Functional"}));
        QCOMPARE(functionalColumns(requirementsDatabaseOf(m_open->app), 1).last(),
                 QStringLiteral("daewec"));
        // Saved again unchanged: the number, not a second copy.
        dialog.button(QStringLiteral("Save"))->click();
        QCOMPARE(m_presenter.texts(),
                 QStringList{varn::templates::SavedComposition::alreadySavedText(1)});
        QVERIFY(master(2).isEmpty());
    }

    // Before the first entity nothing is checked; the entity then refused is
    // taken back with the grammar's message and the grid stays as it was.
    void refusedTermIsTakenBack()
    {
        RequirementBuilderDialog dialog(m_open->workbench);
        type(dialog, QStringLiteral("assess"));
        dialog.appendListEntry(TermList::Possessive, 0);
        QCOMPARE(dialog.builder().gcode(), QByteArray("dz"));
        dialog.termButton(TermButton::Entity)->click();
        QCOMPARE(m_presenter.texts(), QStringList{"Invalid phrasing of attribute clause."});
        QCOMPARE(dialog.builder().gcode(), QByteArray("dz"));
        QVERIFY(!dialog.cell(3)->isEnabled());
        QVERIFY(dialog.caption(3)->text().isEmpty());
        QVERIFY(dialog.termList(TermList::Possessive)->isEnabled());
    }

    // Choosing a preamble starts the grid again with d, or k and d.
    void preambleStartsAgain_data()
    {
        QTest::addColumn<int>("preamble");
        QTest::addColumn<QByteArray>("gcode");
        QTest::addColumn<QString>("whoWhat");
        QTest::newRow("shall") << 0 << QByteArray("d") << QString();
        QTest::newRow("shall deny the capability") << 2 << QByteArray("d") << QString();
        QTest::newRow("shall enable the") << 3 << QByteArray("kd") << "who/what";
        QTest::newRow("shall prevent the") << 6 << QByteArray("kd") << "who/what";
    }

    void preambleStartsAgain()
    {
        QFETCH(int, preamble);
        QFETCH(QByteArray, gcode);
        QFETCH(QString, whoWhat);
        RequirementBuilderDialog dialog(m_open->workbench);
        buildTruckDisplay(dialog);
        // The user is asked first; No keeps the grid.
        emit dialog.preambleList()->activated(preamble);
        QCOMPARE(dialog.builder().gcode(), QByteArray("daewec"));
        m_presenter.yesNoAnswers = {true};
        emit dialog.preambleList()->activated(preamble);
        QCOMPARE(m_presenter.questions.size(), 2);
        QCOMPARE(dialog.builder().gcode(), gcode);
        QCOMPARE(dialog.caption(0)->text(), whoWhat);
        QCOMPARE(dialog.cell(0)->isEnabled(), !whoWhat.isEmpty());
        QCOMPARE(dialog.caption(1)->text(), QStringLiteral("(to) do what?"));
        QVERIFY(dialog.cell(2)->text().isEmpty());
        QVERIFY(!dialog.cell(2)->isEnabled());
    }

    // A full grid disables every term control.
    void fullGridDisablesTerms()
    {
        RequirementBuilderDialog dialog(m_open->workbench);
        for (int term = 0; term < 26; ++term)
            dialog.termButton(TermButton::Value)->click();
        QCOMPARE(dialog.builder().gcode().size(), 27);
        QVERIFY(!dialog.termButton(TermButton::Units)->isEnabled());
        QVERIFY(!dialog.termList(TermList::External)->isEnabled());
    }

    // Edit from Requirements Central opens the Builder in edit mode and saves
    // version 2.
    void editFromCentral()
    {
        {
            RequirementBuilderDialog first(m_open->workbench);
            buildTruckDisplay(first);
            first.save();
        }
        FeatureRegistry registry;
        registerLandedFeatures(registry);
        QString editMode;
        m_presenter.dialogHandler = [&](QDialog &shown) {
            auto &dialog = dynamic_cast<RequirementBuilderDialog &>(shown);
            editMode = dialog.editModeBox()->text();
            dialog.cell(5)->setText(QString());
            QTest::keyClicks(dialog.cell(5), QStringLiteral("bus"));
            dialog.save();
            return int(QDialog::Accepted);
        };
        QVERIFY(registry.run(central::kEditRequirement, m_open->workbench, 1));
        QCOMPARE(m_presenter.dialogTitles, QStringList{"Requirement Builder"});
        QCOMPARE(editMode, QStringLiteral("EDIT MODE"));
        QCOMPARE(master(2), (QStringList{"0", "2", "1", "display speed truck when bus arrives",
                                         "Functional"}));
        QCOMPARE(master(1).last(), QStringLiteral("Deleted"));
        QVERIFY(m_open->app.requirementsChanged());
    }
};

QTEST_MAIN(BuilderDialogTest)
#include "tst_builderdialog.moc"
