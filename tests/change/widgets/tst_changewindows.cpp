// Edit > Baselines..., Edit > Compare... and Edit > Impact..., and the suspect links in the
// Parent-Dependent Relationships dialog and Requirements Central's Suspect
// query, driven as a user drives them.
#include "app/widgets/featureregistry.h"
#include "app/widgets/labelledcontrols.h"
#include "app/widgets/screenshot.h"
#include "app/widgets/workspacesuite.h"
#include "central/dependentlinks.h"
#include "central/requirementlifecycle.h"
#include "central/requirementscentral.h"
#include "central/requirementtablemodel.h"
#include "central/widgets/parentdependentdialog.h"
#include "change/baselines.h"
#include "change/changereportwriter.h"
#include "change/suspectlinks.h"
#include "change/widgets/baselinesdialog.h"
#include "change/widgets/changefeature.h"
#include "change/widgets/changelistmodel.h"
#include "change/widgets/comparedialog.h"
#include "change/widgets/impactdialog.h"
#include "main/landedfeatures.h"
#include "templates/technicalcommit.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

using namespace varn;

class ChangeWindowsTest : public WorkspaceSuite
{
    Q_OBJECT

    QString connection() const { return m_open->app.requirementsConnectionName(); }

    int saveTechnical(const QString &text, int editing = 0)
    {
        templates::TechnicalDraft draft;
        if (editing) {
            auto stored = templates::TechnicalDraft::stored(connection(), editing, true);
            if (!stored)
                return 0;
            draft = stored.value();
        }
        draft.text = text;
        templates::TechnicalCommit commit(*m_open->app.records(), m_open->app.systemName());
        const templates::CommitResult saved = commit.save(draft);
        return saved.outcome ? saved.number : 0;
    }

protected:
    void fillWorkspace() override
    {
        QCOMPARE(saveTechnical(QStringLiteral("open the gate within 2 seconds")), 1);
        QCOMPARE(saveTechnical(QStringLiteral("log every failed login")), 2);
        QCOMPARE(saveTechnical(QStringLiteral("close the gate")), 3);
        QVERIFY(central::DependentLinks(connection()).saveDependents(1, {2}));
    }

private slots:
    // Create freezes the live requirements under the name typed; a taken
    // name is refused with the message; Delete asks and deletes on Yes only.
    void baselinesCreatedAndDeleted()
    {
        change::BaselinesDialog dialog(m_open->workbench);
        QCOMPARE(misnamedControls(dialog), QStringList());
        QCOMPARE(unnamedControls(dialog), QStringList());
        QCOMPARE(dialog.list()->rowCount(), 0);
        QVERIFY(!dialog.createButton()->isEnabled());
        dialog.nameField()->setText(QStringLiteral("release 1"));
        dialog.commentField()->setText(QStringLiteral("signed off"));
        dialog.createButton()->click();
        QCOMPARE(dialog.list()->rowCount(), 1);
        QCOMPARE(dialog.list()->item(0, 0)->text(), QStringLiteral("release 1"));
        QCOMPARE(dialog.list()->item(0, 3)->text(), QStringLiteral("3"));
        QCOMPARE(dialog.list()->item(0, 4)->text(), QStringLiteral("1"));
        QCOMPARE(dialog.list()->item(0, 5)->text(), QStringLiteral("signed off"));
        QCOMPARE(dialog.statusLabel()->text(),
                 QStringLiteral("Baseline \"release 1\" holds 3 requirement(s) and 1 link(s)."));
        QVERIFY(dialog.nameField()->text().isEmpty());

        dialog.nameField()->setText(QStringLiteral("release 1"));
        dialog.createButton()->click();
        QCOMPARE(m_presenter.texts(),
                 QStringList{QStringLiteral("A baseline named \"release 1\" already exists.")});
        QCOMPARE(dialog.list()->rowCount(), 1);
        dialog.nameField()->setText(QStringLiteral("release 2"));
        dialog.createButton()->click();
        QCOMPARE(dialog.list()->rowCount(), 2);
        saveScreenshot(dialog, QStringLiteral("baselines.png"), programBackground());

        dialog.list()->selectRow(0);
        m_presenter.yesNoAnswers = {false};
        dialog.deleteButton()->click();
        QCOMPARE(m_presenter.questions,
                 QStringList{QStringLiteral(
                     "Baselines|Are you sure you want to delete the baseline \"release 1\"?")});
        QCOMPARE(dialog.list()->rowCount(), 2);
        m_presenter.yesNoAnswers = {true};
        dialog.deleteButton()->click();
        QCOMPARE(dialog.list()->rowCount(), 1);
        QCOMPARE(dialog.selectedName(), QStringLiteral("release 2"));
        QCOMPARE(change::Baselines(connection()).list()->size(), 1);
    }

    // Compare... from the Baselines window lists each change, the removed
    // and added words coloured; Show filters by kind; Export writes the
    // HTML change report.
    void compareWindowListsTheChanges()
    {
        QVERIFY(change::Baselines(connection()).create(QStringLiteral("release 1"), {}));
        QCOMPARE(saveTechnical(QStringLiteral("open the gate within 3 seconds"), 1), 4);
        QVERIFY(central::RequirementLifecycle(connection()).markDeleted(3));
        QCOMPARE(saveTechnical(QStringLiteral("sound the alarm")), 5);

        change::BaselinesDialog baselines(m_open->workbench);
        baselines.list()->selectRow(0);
        const QString report = m_environment->root() + QStringLiteral("/changes.html");
        bool compared = false;
        m_presenter.dialogHandler = [&](QDialog &shown) {
            auto *dialog = qobject_cast<change::CompareDialog *>(&shown);
            if (!dialog)
                return int(QDialog::Rejected);
            compared = true;
            [&] {
                QCOMPARE(misnamedControls(*dialog), QStringList());
                QCOMPARE(unnamedControls(*dialog), QStringList());
                QCOMPARE(dialog->fromList()->currentText(), QStringLiteral("release 1"));
                QCOMPARE(dialog->toList()->currentText(), QStringLiteral("Live requirements"));
                QCOMPARE(dialog->shownRows(),
                         (QStringList{
                             "Changed requirement 1 (now 4)\nThe ESD system shall open the gate "
                             "within [-2-] {+3+} seconds.\nReq No.: 1 -> 4\nVersion: 1 -> 2",
                             "Deleted requirement 3\nThe ESD system shall close the gate.",
                             "Added requirement 5\nThe ESD system shall sound the alarm."}));
                const QString rich = dialog->changeList()
                                         ->model()
                                         ->index(0, 0)
                                         .data(change::ChangeListModel::kRichTextRole)
                                         .toString();
                QVERIFY2(rich.contains(QStringLiteral(" <span style=\"background-color:#ffd8d8; "
                                                      "color:#a00000; text-decoration:line-"
                                                      "through\">2</span>")),
                         qPrintable(rich));
                QCOMPARE(dialog->countsLabel()->text(),
                         QStringLiteral("1 added, 1 deleted, 1 changed; 0 links added, 0 links "
                                        "removed"));
                saveScreenshot(*dialog, QStringLiteral("compare.png"), programBackground());

                dialog->filterList()->setCurrentIndex(
                    dialog->filterList()->findText(QStringLiteral("Deleted")));
                QCOMPARE(
                    dialog->shownRows(),
                    QStringList{"Deleted requirement 3\nThe ESD system shall close the gate."});
                dialog->filterList()->setCurrentIndex(
                    dialog->filterList()->findText(QStringLiteral("Links")));
                QCOMPARE(dialog->shownRows(), QStringList());

                m_presenter.saveAnswers = {report};
                dialog->exportButton()->click();
                QFile written(report);
                QVERIFY(written.open(QIODevice::ReadOnly));
                const QString html = QString::fromUtf8(written.readAll());
                QVERIFY(html.contains(QStringLiteral(" <del>2</del> <ins>3</ins>")));
                QVERIFY(html.contains(QStringLiteral("The ESD system")));
                QCOMPARE(m_presenter.saveProposals.size(), 1);
            }();
            return int(QDialog::Rejected);
        };
        baselines.compareButton()->click();
        QVERIFY(compared);
        QCOMPARE(m_presenter.texts(), QStringList());

        // Reading only what differs compares as reading both sets whole.
        const change::Baselines stored(connection());
        const auto streamed = stored.compare(QStringLiteral("release 1"), {});
        QVERIFY(streamed);
        QCOMPARE(change::ChangeReportWriter::text(streamed.value()),
                 change::ChangeReportWriter::text(change::Comparison::compare(
                     stored.snapshot(QStringLiteral("release 1")).value(), stored.live().value())));
    }

    // A long comparison shows its first screen at once and the rest as the
    // list is scrolled down, every change once and in order.
    void longComparisonListsEveryChangeAsItScrolls()
    {
        QVERIFY(change::Baselines(connection()).create(QStringLiteral("release 1"), {}));
        constexpr int kAdded = 70;
        for (int i = 0; i < kAdded; ++i)
            QCOMPARE(saveTechnical(QStringLiteral("count parcel %1").arg(i)), 4 + i);
        change::CompareDialog dialog(m_open->workbench, QStringLiteral("release 1"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QListView *list = dialog.changeList();
        QCOMPARE(list->indexAt(QPoint(4, 4)).row(), 0);
        for (int tries = 0; tries < kAdded && list->model()->canFetchMore({}); ++tries) {
            list->scrollToBottom();
            QCoreApplication::processEvents();
        }
        QCOMPARE(list->model()->rowCount(), kAdded);
        for (int row = 0; row < kAdded; ++row)
            QCOMPARE(list->model()->index(row, 0).data().toString(),
                     QStringLiteral("Added requirement %1\nThe ESD system shall count parcel %2.")
                         .arg(4 + row)
                         .arg(row));
        QCOMPARE(dialog.countsLabel()->text(),
                 QStringLiteral("70 added, 0 deleted, 0 changed; 0 links added, 0 links removed"));
    }

    // A new version of a parent makes its link suspect: Requirements Central's
    // Suspect query lists both ends, the Parent-Dependent dialog shows the
    // change, and Reviewed clears it, recording who.
    void suspectLinkShownAndReviewed()
    {
        QCOMPARE(saveTechnical(QStringLiteral("open the main gate within 2 seconds"), 1), 4);
        central::RequirementsCentral listing(connection());
        QVERIFY(listing.runType(central::QueryKind::Suspect));
        QCOMPARE(listing.model().requirementCount(), 2);
        QCOMPARE(listing.model().numberAt(0), 2);
        QCOMPARE(listing.model().numberAt(1), 4);
        // Every listing marks their numbers.
        QVERIFY(listing.runType(central::QueryKind::All));
        QStringList marked;
        for (int row = 0; row < listing.model().requirementCount(); ++row)
            if (listing.model()
                    .index(row, 0)
                    .data(central::RequirementTableModel::kSuspectRole)
                    .toBool())
                marked.append(listing.model().index(row, 0).data().toString());
        QCOMPARE(marked, (QStringList{"2", "4"}));

        central::ParentDependentDialog dialog(m_open->workbench, 2);
        QCOMPARE(misnamedControls(dialog), QStringList());
        QCOMPARE(dialog.suspects()->count(), 1);
        QCOMPARE(dialog.suspects()->item(0)->text(),
                 QStringLiteral("2 depends on 1: Requirement 1 was replaced by 4"));
        QCOMPARE(dialog.suspectChange()->toPlainText(),
                 QStringLiteral("Requirement 1 was replaced by 4\nThe ESD system shall open the "
                                "main gate within 2 seconds."));
        QVERIFY(dialog.suspectChange()->toHtml().contains(QStringLiteral("#d4f5d4")));
        saveScreenshot(dialog, QStringLiteral("parent-dependent-suspect.png"), programBackground());
        dialog.button(QStringLiteral("Reviewed"))->click();
        QCOMPARE(dialog.suspects()->count(), 0);
        QCOMPARE(dialog.statusLine()->text(), QStringLiteral("1 suspect link(s) cleared."));
        QVERIFY(change::SuspectLinks(connection()).open()->isEmpty());
        const auto reviewed = change::SuspectLinks(connection()).reviewed();
        QCOMPARE(reviewed->size(), 1);
        QVERIFY(!reviewed->first().link.clearedBy.isEmpty());
        QVERIFY(listing.runType(central::QueryKind::Suspect));
        QCOMPARE(listing.model().requirementCount(), 0);
        QCOMPARE(m_presenter.texts(), QStringList());
    }

    // Edit > Impact... on the selected requirement: the requirements reached
    // both ways with their chains, the object model and the version change;
    // Enter on a reached requirement, or a number typed and Enter, shows that
    // one's impact.
    void impactWindowFollowsTheLinks()
    {
        QVERIFY(central::DependentLinks(connection()).saveDependents(2, {3}));
        app::FeatureRegistry registry;
        registerLandedFeatures(registry);
        m_open->workbench.setSelectedRequirement(0);
        QVERIFY(registry.run(change::kImpact, m_open->workbench));
        QCOMPARE(m_presenter.texts(),
                 QStringList{QStringLiteral("Select a requirement in Requirements Central to see "
                                            "the impact of a change to it.")});
        m_presenter.messages.clear();

        // A new version of requirement 1: its links stay on version 1.
        QCOMPARE(saveTechnical(QStringLiteral("open the gate within 3 seconds"), 1), 4);
        m_open->workbench.setSelectedRequirement(1);
        QStringList seen;
        m_presenter.dialogHandler = [&](QDialog &shown) {
            auto *dialog = qobject_cast<change::ImpactDialog *>(&shown);
            if (!dialog)
                return int(QDialog::Rejected);
            [&] {
                QCOMPARE(misnamedControls(*dialog), QStringList());
                QCOMPARE(unnamedControls(*dialog), QStringList());
                QCOMPARE(dialog->windowTitle(), QStringLiteral("Impact of Requirement 4"));
                QCOMPARE(dialog->headingLabel()->text(),
                         QStringLiteral("Impact of requirement 1 (now 4)\nThe ESD system shall "
                                        "open the gate within 3 seconds.\n2 requirement(s) depend "
                                        "on it; it depends on 0."));
                QCOMPARE(dialog->shownReached(),
                         (QStringList{"2 | depends on it | 4 -> 2 | The ESD system shall log "
                                      "every failed login.",
                                      "3 | depends on it | 4 -> 2 -> 3 | The ESD system shall "
                                      "close the gate."}));
                QCOMPARE(dialog->modelTree()->topLevelItem(0)->text(0),
                         QStringLiteral("No entity of the object model"));
                QTreeWidgetItem *delta = dialog->deltaTree()->topLevelItem(0);
                QCOMPARE(delta->text(0), QStringLiteral("Version 2 (requirement 4) against "
                                                        "version 1 (requirement 1)"));
                QCOMPARE(delta->child(0)->text(0),
                         QStringLiteral("It changes nothing in the object model."));
                dialog->show();
                checkScreenshot(*dialog, QStringLiteral("impact.png"), programBackground());

                // Enter on requirement 3 shows its impact.
                QTreeView *reached = dialog->reachedView();
                reached->setFocus();
                reached->setCurrentIndex(reached->model()->index(1, 0));
                QTest::keyClick(reached, Qt::Key_Return);
                seen.append(dialog->windowTitle());
                QCOMPARE(dialog->shownReached(),
                         (QStringList{"2 | it depends on | 2 -> 3 | The ESD system shall log "
                                      "every failed login.",
                                      "4 | it depends on | 4 -> 2 -> 3 | The ESD system shall "
                                      "open the gate within 3 seconds."}));
                QCOMPARE(dialog->deltaTree()->topLevelItem(0)->text(0),
                         QStringLiteral("One version only: there is no earlier version to "
                                        "compare with."));

                // A number typed, then Enter.
                dialog->numberBox()->setFocus();
                dialog->numberBox()->selectAll();
                QTest::keyClicks(dialog->numberBox(), QStringLiteral("2"));
                QTest::keyClick(dialog->numberBox(), Qt::Key_Return);
                seen.append(dialog->windowTitle());
                QCOMPARE(dialog->report().dependents.size(), 1);
                QCOMPARE(dialog->report().parents.size(), 1);

                dialog->numberBox()->selectAll();
                QTest::keyClicks(dialog->numberBox(), QStringLiteral("99"));
                QTest::keyClick(dialog->numberBox(), Qt::Key_Return);
                seen.append(dialog->windowTitle());
            }();
            return int(QDialog::Rejected);
        };
        QVERIFY(registry.run(change::kImpact, m_open->workbench));
        QCOMPARE(seen, (QStringList{"Impact of Requirement 3", "Impact of Requirement 2",
                                    "Impact of Requirement 2"}));
        QCOMPARE(m_presenter.texts(), QStringList{"Requirement 99 does not exist."});
    }
};

QTEST_MAIN(ChangeWindowsTest)
#include "tst_changewindows.moc"
