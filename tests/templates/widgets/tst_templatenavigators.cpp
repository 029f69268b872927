// The Functional and Structural Navigators, driven as a user drives them.

#include "app/widgets/featureregistry.h"
#include "app/widgets/labelledcontrols.h"
#include "app/widgets/mainactions.h"
#include "app/widgets/mainwindow.h"
#include "app/widgets/screenshot.h"
#include "app/widgets/workspacesuite.h"
#include "central/widgets/centralviewfeature.h"
#include "central/widgets/cvarnview.h"
#include "main/landedfeatures.h"
#include "support/appconnections.h"
#include "templates/widgets/functionaltemplatedialog.h"
#include "templates/widgets/templatedialogframe.h"
#include "templates/widgets/templatemenu.h"
#include "templates/widgets/templatenavigatorview.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSqlQuery>
#include <QTableView>
#include <QtTest>

#include <optional>

using namespace varn;
using namespace varn::app;
using varn::templates::FunctionalTemplateDialog;
using varn::templates::TemplateNavigatorView;
using Family = TemplateNavigatorView::Family;

Q_DECLARE_METATYPE(Family)

class TemplateNavigatorsTest : public WorkspaceSuite
{
    Q_OBJECT

    // Rows first to first + 2 of the application database's MASTER_REQ.
    QString examples(int first) const
    {
        QSqlQuery query(applicationDatabaseOf(m_open->app));
        query.exec(QStringLiteral("SELECT Preamble, ReqText FROM MASTER_REQ ORDER BY Req_Num"));
        QStringList shown;
        for (int row = 1; query.next() && shown.size() < 3; ++row) {
            if (row >= first)
                shown.append(query.value(0).toString() + ' ' + query.value(1).toString() + '.');
        }
        return shown.join(QStringLiteral("\n\n"));
    }

private slots:
    void navigators_data()
    {
        QTest::addColumn<Family>("family");
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("specification");
        QTest::addColumn<int>("firstExample");
        QTest::addColumn<QString>("goTo");
        QTest::newRow("functional") << Family::Functional << 18 << 8 << "TEMPLATE: Event (T9)\n"
                                    << 20 << "Go to Template...";
        QTest::newRow("structural")
            << Family::Structural << 4 << 2 << "TEMPLATE: Entity Definition (T21)\n"
            << 65 << "Go to Template";
    }

    void navigators()
    {
        QFETCH(Family, family);
        QFETCH(int, items);
        QFETCH(int, row);
        QFETCH(QString, specification);
        QFETCH(int, firstExample);
        QFETCH(QString, goTo);
        TemplateNavigatorView view(m_open->workbench, family);
        QCOMPARE(view.templateList()->count(), items);
        QCOMPARE(misnamedControls(view), QStringList());
        view.button(QStringLiteral("Show Template Specification"))->click();
        view.button(goTo)->click();
        QCOMPARE(m_presenter.texts(),
                 (QStringList{"No template selected.", "No template selected."}));
        // See Examples without a selection selects the first template.
        view.button(QStringLiteral("See Examples"))->click();
        QCOMPARE(view.templateList()->currentRow(), 0);
        QCOMPARE(view.textPane()->toPlainText(), examples(firstExample));
        view.templateList()->setCurrentRow(row);
        emit view.templateList()->itemDoubleClicked(view.templateList()->currentItem());
        QVERIFY(view.textPane()->toPlainText().startsWith(specification));
        view.resize(700, 480);
        saveScreenshot(view,
                       family == Family::Functional ? QStringLiteral("functional-navigator.png")
                                                    : QStringLiteral("structural-navigator.png"),
                       programBackground());
    }

    // Every template's item is shown whole, also in a small window whose
    // list scrolls, and tells its text as a tooltip.
    void itemsAreShownWhole_data()
    {
        QTest::addColumn<Family>("family");
        QTest::newRow("functional") << Family::Functional;
        QTest::newRow("structural") << Family::Structural;
    }

    void itemsAreShownWhole()
    {
        QFETCH(Family, family);
        TemplateNavigatorView view(m_open->workbench, family);
        view.resize(300, 260);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QListWidget &list = *view.templateList();
        QCOMPARE(list.horizontalScrollBar()->maximum(), 0);
        for (int row = 0; row < list.count(); ++row) {
            const QListWidgetItem *item = list.item(row);
            QCOMPARE(item->toolTip(), item->text());
            const QRect shown = list.visualItemRect(item);
            const int needed = list.fontMetrics().horizontalAdvance(item->text());
            QVERIFY2(shown.right() < list.viewport()->width() && shown.width() > needed,
                     qPrintable(item->text()));
        }
        QCOMPARE(unnamedControls(view).join(", "), QString());
    }

    // The words typed in the navigator reach the template's Work Area.
    void goToTemplateHandsOverTheComposeText()
    {
        TemplateNavigatorView view(m_open->workbench, Family::Functional);
        view.composeBox()->setPlainText(QStringLiteral("notify ops when wind changes"));
        view.templateList()->setCurrentRow(8);
        QString workArea;
        m_presenter.dialogHandler = [&](QDialog &shown) {
            if (auto *dialog = dynamic_cast<templates::TemplateDialogFrame *>(&shown))
                workArea = dialog->workArea()->toPlainText();
            return int(QDialog::Rejected);
        };
        view.button(QStringLiteral("Go to Template..."))->click();
        view.button(QStringLiteral("Go to Builder..."))->click();
        QCOMPARE(m_presenter.dialogTitles,
                 (QStringList{"Template #9: Event", "Requirement Builder"}));
        QCOMPARE(workArea, QStringLiteral("notify ops when wind changes"));

        TemplateNavigatorView structural(m_open->workbench, Family::Structural);
        structural.composeBox()->setPlainText(QStringLiteral("stations have wind sensors"));
        structural.templateList()->setCurrentRow(0);
        structural.button(QStringLiteral("Go to Template"))->click();
        QCOMPARE(m_presenter.texts(), QStringList());
        QCOMPARE(m_presenter.dialogTitles.last(),
                 QStringLiteral("Template #19: Attribute Definition"));
        QCOMPARE(workArea, QStringLiteral("stations have wind sensors"));
    }

    // The menu items of the composers are enabled with a workspace open.
    void menusOpenTheComposers()
    {
        FeatureRegistry registry;
        registerLandedFeatures(registry);
        MainWindow window(m_open->app, m_presenter, registry);
        QVERIFY(window.actions().item(templates::kComposeFunctional)->isEnabled());
        QVERIFY(window.actions().item(templates::kComposeStructural)->isEnabled());
        QVERIFY(window.actions().item(templates::kRequirementBuilder)->isEnabled());
        window.actions().item(templates::kRequirementBuilder)->trigger();
        window.actions().item(templates::templateItem(18))->trigger();
        window.actions().item(templates::templateItem(22))->trigger();
        QCOMPARE(m_presenter.dialogTitles,
                 (QStringList{"Requirement Builder", "Template #18: Temporal Event",
                              "Template #22: Message Definition"}));
    }

    // In the window alone: a template's example saved from the Templates
    // menu shows in Requirements Central, whose Edit... makes version 2.
    void composeThenEditFromTheWindow()
    {
        FeatureRegistry registry;
        registerLandedFeatures(registry);
        MainWindow window(m_open->app, m_presenter, registry);
        window.goTo(central::kCentralWindow);
        auto *central = qobject_cast<central::CVarnView *>(window.view(central::kCentralWindow));
        QVERIFY(central);
        QStringList modes;
        m_presenter.dialogHandler = [&](QDialog &shown) {
            auto &dialog = dynamic_cast<FunctionalTemplateDialog &>(shown);
            modes.append(dialog.editModeBox()->text());
            if (modes.size() == 1)
                dialog.button(QStringLiteral("See Example"))->click();
            dialog.button(QStringLiteral("Save"))->click();
            return int(QDialog::Accepted);
        };
        window.actions().item(templates::templateItem(9))->trigger();
        QCOMPARE(central->list()->model()->index(0, 0).data().toString(), QStringLiteral("1"));
        central->selectRow(0);
        central->findChild<QPushButton *>(QStringLiteral("edit"))->click();
        QCOMPARE(modes, (QStringList{QString(), "EDIT MODE"}));
        QCOMPARE(m_presenter.texts(), QStringList());
        QCOMPARE(central->list()->model()->index(0, 0).data().toString(), QStringLiteral("2"));
    }
};

QTEST_MAIN(TemplateNavigatorsTest)
#include "tst_templatenavigators.moc"
