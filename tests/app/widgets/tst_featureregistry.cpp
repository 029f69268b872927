// The shell's side of the features: a feature the shell has never heard of
// plugs in its windows and items, and the main window shows them where the
// feature placed them, enables and checks them as it says and runs them.
#include "app/widgets/cchildframe.h"
#include "app/widgets/mainactions.h"
#include "shellsuite.h"

#include <QLabel>
#include <QMdiArea>
#include <QToolBar>
#include <QtTest>

using namespace varn;
using namespace varn::app;

namespace {

// A feature of its own: a home window, a second window and a few items.
constexpr WindowKind kLedger{"Test.Ledger"};
constexpr WindowKind kSketch{"Test.Sketch"};
constexpr CommandId kStamp{"Test.Stamp"};
constexpr CommandId kTally{"Test.Tally"};

struct Ledger
{
    int runs = 0;
    bool ready = true;
    bool ticked = false;
    int closedSketches = 0;
    QString suffix;
};

QWidget *labelled(const QString &text)
{
    auto *view = new QLabel(text);
    view->setWindowTitle(text);
    return view;
}

WindowSpec ledgerWindow()
{
    WindowSpec window;
    window.kind = kLedger;
    window.name = QStringLiteral("Ledger");
    window.title = QStringLiteral("Ledger - %1");
    window.firstPosition = {10, 20};
    window.firstClientSize = {400, 300};
    window.smallestClientSize = {300, 200};
    window.goToItem = QStringLiteral("&Ledger...");
    window.goToOrder = 20;
    window.home = true;
    window.create = [](Workbench &) { return labelled(QStringLiteral("ledger")); };
    return window;
}

WindowSpec sketchWindow(Ledger &state)
{
    WindowSpec window;
    window.kind = kSketch;
    window.title = QStringLiteral("Sketch - %1");
    window.titleSuffix = [&state](const Workbench &) { return state.suffix; };
    window.firstPosition = {30, 40};
    window.firstClientSize = {200, 150};
    window.smallestClientSize = {100, 80};
    window.goToItem = QStringLiteral("&Sketch...");
    window.goToOrder = 10;
    window.create = [](Workbench &) { return labelled(QStringLiteral("sketch")); };
    window.closed = [&state](Workbench &) { ++state.closedSketches; };
    return window;
}

ActionSpec item(CommandId id, const QString &text, MenuPlace place)
{
    ActionSpec spec;
    spec.id = id;
    spec.text = text;
    spec.places = {place};
    return spec;
}

QStringList barOf(const QToolBar &bar)
{
    QStringList texts;
    for (QAction *entry : bar.actions())
        texts.append(entry->text());
    return texts;
}

} // namespace

class FeatureRegistryTest : public ShellSuite
{
    Q_OBJECT

    Ledger m_state;

    void start(const std::function<void(FeatureRegistry &)> &provide) { startWindow(provide); }

    // The ledger feature: its two windows, a command in Utilities and a
    // checkable item in Display.
    void startLedger(const std::function<void(FeatureRegistry &)> &more = {})
    {
        start([this, more](FeatureRegistry &features) {
            features.addWindow(ledgerWindow());
            features.addWindow(sketchWindow(m_state));
            ActionSpec stamp = item(kStamp, QStringLiteral("&Stamp"), {MenuGroup::Utilities, 10});
            stamp.statusTip = QStringLiteral("Stamp the ledger");
            stamp.availability = [this](const Workbench &workbench) {
                if (!Availability::withWorkspace(workbench).enabled)
                    return Availability{false, {}};
                return m_state.ready ? Availability{}
                                     : Availability{false, QStringLiteral("The ink is wet")};
            };
            stamp.run = [this](Workbench &) { ++m_state.runs; };
            features.addAction(stamp);
            ActionSpec tally = item(kTally, QStringLiteral("&Tally"), {MenuGroup::Display, 0});
            tally.checked = [this](const Workbench &) { return m_state.ticked; };
            // The ink must be dry to tick the tally.
            tally.run = [this](Workbench &) {
                if (m_state.ready)
                    m_state.ticked = !m_state.ticked;
            };
            features.addAction(tally);
            if (more)
                more(features);
        });
    }

    void createWorkspace() { QVERIFY(makeWorkspace()); }

private slots:
    void init()
    {
        newProgram();
        m_state = Ledger();
    }

    void cleanup() { endProgram(); }

    // Without any feature the shell shows its own menus and items only: the
    // menus of each set in their order, the workspace's File commands, the
    // bars, Window and Help.
    void withoutFeaturesTheShellShowsItsOwn()
    {
        start([](FeatureRegistry &) {});
        QCOMPARE(menuTitles(*m_window), (QStringList{"&File", "&View", "&Help"}));
        QCOMPARE(layoutOf(*menuOf(*m_window, "&File")),
                 (QStringList{"&New", "New &Team Workspace...", "&Open...", "-", "", "", "", "-",
                              "E&xit"}));
        QCOMPARE(layoutOf(*menuOf(*m_window, "&View")), QStringList{"&Status Bar"});
        QCOMPARE(layoutOf(*menuOf(*m_window, "&Help")),
                 (QStringList{"&About Varn SE...", "&Help Topics"}));
        QVERIFY(m_window->actions().registered().isEmpty());
        QVERIFY(m_window->actions().goToItems().empty());
        QCOMPARE(barOf(*m_window->mainToolBar()), (QStringList{"&Save", "&About Varn SE..."}));
        QCOMPARE(barOf(*m_window->navigationToolBar()), QStringList{"&About Varn SE..."});
        // Without a home window a new workspace opens no window.
        createWorkspace();
        QCOMPARE(m_window->mdiArea()->subWindowList().size(), 0);
        QCOMPARE(menuTitles(*m_window), (QStringList{"&File", "&View", "&Help"}));
    }

    // The home window shows every menu, empty or not, and the other windows
    // File, View, Window and Help; a Go to item is in every View menu but
    // that of its own window.
    void eachWindowShowsTheMenusOfItsSet_data()
    {
        QTest::addColumn<bool>("home");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QStringList>("file");
        QTest::addColumn<QStringList>("view");
        QTest::newRow("home") << true
                              << QStringList{"&File",     "&Edit",      "&View",      "&Record",
                                             "&Display",  "&Compose",   "&Templates", "&Inspect",
                                             "&Generate", "&Utilities", "&Window",    "&Help"}
                              << QStringList{"&Save", "Save &As...", "&Close", "-", "", "",
                                             "",      "-",           "E&xit"}
                              << QStringList{"&Toolbar", "&Status Bar"};
        QTest::newRow("other") << false << QStringList{"&File", "&View", "&Window", "&Help"}
                               << QStringList{"&New",     "New &Team Workspace...",
                                              "&Open...", "&Close",
                                              "&Save",    "Save &As...",
                                              "-",        "",
                                              "",         "",
                                              "-",        "E&xit"}
                               << QStringList{"&Status Bar", "-", "&Ledger..."};
    }

    void eachWindowShowsTheMenusOfItsSet()
    {
        QFETCH(bool, home);
        QFETCH(QStringList, titles);
        QFETCH(QStringList, file);
        QFETCH(QStringList, view);
        startLedger();
        createWorkspace();
        // The home window opened with the workspace.
        QVERIFY(m_window->navigator().frame(kLedger));
        if (!home)
            m_window->goTo(kSketch);
        QCOMPARE(menuTitles(*m_window), titles);
        QCOMPARE(layoutOf(*menuOf(*m_window, "&File")), file);
        QCOMPARE(layoutOf(*menuOf(*m_window, "&View")), view);
        QCOMPARE(m_window->mainToolBar()->isVisible(), home);
        QCOMPARE(m_window->navigationToolBar()->isVisible(), !home);
        QCOMPARE(m_window->mainToolBar()->windowTitle(), QStringLiteral("Ledger"));
        QMenu *window = menuOf(*m_window, "&Window");
        QVERIFY(window);
        emit window->aboutToShow();
        QCOMPARE(layoutOf(*window),
                 (QStringList{"&Cascade", "&Tile", "-", "&1 Ledger - Acme", "&2 Sketch - Acme"})
                     .mid(0, home ? 4 : 5));
    }

    // A feature places its items by group and order; the groups of a menu
    // follow in the shell's order, a separator between two that hold items,
    // and equal orders keep the order of registration.
    void itemsStandWhereTheyArePlaced_data()
    {
        QTest::addColumn<QList<int>>("groups"); // MenuGroup of each item in turn
        QTest::addColumn<QList<int>>("orders");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("layout");
        const int first = int(MenuGroup::TemplatesBuilder);
        const int second = int(MenuGroup::TemplatesFunctional);
        const int third = int(MenuGroup::TemplatesStructural);
        QTest::newRow("by order") << QList<int>{second, second, second} << QList<int>{30, 10, 20}
                                  << "&Templates" << QStringList{"B", "C", "A"};
        QTest::newRow("by group") << QList<int>{third, first, second} << QList<int>{0, 0, 0}
                                  << "&Templates" << QStringList{"B", "-", "C", "-", "A"};
        QTest::newRow("empty group between") << QList<int>{third, first} << QList<int>{0, 0}
                                             << "&Templates" << QStringList{"B", "-", "A"};
        QTest::newRow("equal orders") << QList<int>{second, second, second} << QList<int>{5, 5, 1}
                                      << "&Templates" << QStringList{"C", "A", "B"};
        QTest::newRow("after the shell's own")
            << QList<int>{int(MenuGroup::Help)} << QList<int>{50} << "&Help"
            << QStringList{"&About Varn SE...", "&Help Topics", "A"};
        QTest::newRow("between the shell's own")
            << QList<int>{int(MenuGroup::FilePrint), int(MenuGroup::FileExchange)}
            << QList<int>{0, 0} << "&File"
            << QStringList{"&Save", "Save &As...", "&Close", "-", "A", "-", "B", "-", "", "",
                           "",      "-",           "E&xit"};
    }

    void itemsStandWhereTheyArePlaced()
    {
        QFETCH(QList<int>, groups);
        QFETCH(QList<int>, orders);
        QFETCH(QString, menu);
        QFETCH(QStringList, layout);
        startLedger([&](FeatureRegistry &features) {
            for (int at = 0; at < groups.size(); ++at)
                features.addAction(item(CommandId("Test.Placed", at), QString(QChar('A' + at)),
                                        {MenuGroup(groups.at(at)), orders.at(at)}));
        });
        createWorkspace();
        QCOMPARE(layoutOf(*menuOf(*m_window, menu)), layout);
    }

    // An item shows in the sets its place names, and in no other.
    void itemsShowInTheirSets()
    {
        startLedger([](FeatureRegistry &features) {
            features.addAction(
                item(CommandId("Test.Everywhere"), QStringLiteral("Everywhere"),
                     {MenuGroup::Help, 90, MenuSet::Main | MenuSet::Full | MenuSet::Child}));
            features.addAction(item(CommandId("Test.Others"), QStringLiteral("Others"),
                                    {MenuGroup::Help, 91, MenuSet::Child}));
        });
        const auto help = [this] { return layoutOf(*menuOf(*m_window, "&Help")).mid(2); };
        QCOMPARE(help(), QStringList{"Everywhere"});
        createWorkspace();
        QCOMPARE(help(), QStringList{"Everywhere"});
        m_window->goTo(kSketch);
        QCOMPARE(help(), (QStringList{"Everywhere", "Others"}));
    }

    // An item is enabled as its feature says; disabled with a reason, the
    // reason is its tip until it is enabled again. Without a predicate of
    // its own, an item waits for a workspace.
    void disabledItemsSayWhy()
    {
        startLedger([](FeatureRegistry &features) {
            features.addAction(
                item(CommandId("Test.Plain"), QStringLiteral("Plain"), {MenuGroup::Utilities, 20}));
        });
        QAction *stamp = m_window->actions().item(kStamp);
        QAction *plain = m_window->actions().item(CommandId("Test.Plain"));
        QVERIFY(!stamp->isEnabled());
        QVERIFY(!plain->isEnabled());
        QCOMPARE(stamp->statusTip(), QStringLiteral("Stamp the ledger"));
        createWorkspace();
        QVERIFY(stamp->isEnabled());
        QVERIFY(plain->isEnabled());

        m_state.ready = false;
        QMenu *utilities = menuOf(*m_window, "&Utilities");
        emit utilities->aboutToShow();
        QVERIFY(!stamp->isEnabled());
        QCOMPARE(stamp->statusTip(), QStringLiteral("The ink is wet"));
        QCOMPARE(stamp->toolTip(), QStringLiteral("The ink is wet"));
        m_state.ready = true;
        emit utilities->aboutToShow();
        QVERIFY(stamp->isEnabled());
        QCOMPARE(stamp->statusTip(), QStringLiteral("Stamp the ledger"));
        QCOMPARE(stamp->toolTip(), QStringLiteral("Stamp"));
    }

    // A checkable item shows what its feature says after it ran, not what
    // the click toggled.
    void checksFollowTheFeature()
    {
        startLedger();
        createWorkspace();
        QAction *tally = m_window->actions().item(kTally);
        QVERIFY(tally->isCheckable());
        QVERIFY(!tally->isChecked());
        tally->trigger();
        QVERIFY(m_state.ticked);
        QVERIFY(tally->isChecked());
        m_state.ticked = false;
        m_window->workbench().announceChecksChanged();
        QVERIFY(!tally->isChecked());
        // A click the feature does not follow leaves the item unchecked.
        m_state.ready = false;
        tally->trigger();
        QVERIFY(!m_state.ticked);
        QVERIFY(!tally->isChecked());
        QVERIFY(!m_window->actions().item(kStamp)->isCheckable());
    }

    // An item runs its command from the menu, from the registry by its id
    // and, with a shortcut, whichever menus the main window shows.
    void itemsRunTheirCommand()
    {
        startLedger([this](FeatureRegistry &features) {
            ActionSpec keyed =
                item(CommandId("Test.Keyed"), QStringLiteral("Keyed"), {MenuGroup::Utilities, 30});
            keyed.shortcut = QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_K);
            keyed.run = [this](Workbench &) { m_state.runs += 10; };
            features.addAction(keyed);
        });
        createWorkspace();
        m_window->actions().item(kStamp)->trigger();
        QCOMPARE(m_state.runs, 1);
        QVERIFY(m_features->run(kStamp, m_window->workbench()));
        QCOMPARE(m_state.runs, 2);
        QVERIFY(!m_features->run(CommandId("Test.Nobody"), m_window->workbench()));

        // The other window's menus have no Utilities menu; the shortcut
        // works all the same.
        m_window->goTo(kSketch);
        QVERIFY(!menuOf(*m_window, "&Utilities"));
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTest::keyClick(m_window.get(), Qt::Key_K, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(m_state.runs, 12);
    }

    // A registered window opens with its title, first place and size, and
    // cannot be made smaller than its feature allows; its feature hears
    // when it closed.
    void windowsOpenAsRegistered()
    {
        startLedger();
        createWorkspace();
        m_state.suffix = QStringLiteral(" (draft)");
        QAction *goTo = m_window->actions().goToItem(kSketch);
        QVERIFY(goTo && goTo->isEnabled());
        goTo->trigger();
        CChildFrame *sketch = m_window->navigator().frame(kSketch);
        QVERIFY(sketch);
        QCOMPARE(sketch->windowTitle(), QStringLiteral("Sketch - Acme (draft)"));
        QCOMPARE(sketch->pos(), QPoint(30, 40));
        QCOMPARE(sketch->widget()->size(), QSize(200, 150));
        sketch->resize(10, 10);
        QVERIFY(sketch->widget()->width() >= 100);
        QVERIFY(sketch->widget()->height() >= 80);
        QCOMPARE(m_window->view(kSketch), sketch->widget());
        QCOMPARE(m_window->workbench().homeView(), m_window->view(kLedger));
        QCOMPARE(m_state.closedSketches, 0);
        QVERIFY(sketch->close());
        QCOMPARE(m_state.closedSketches, 1);
        QVERIFY(!m_window->view(kSketch));
    }

    // The tool bars hold the shell's items and the features' in order.
    void toolBarsHoldTheFeaturesItems()
    {
        startLedger([](FeatureRegistry &features) {
            ActionSpec forward = item(CommandId("Test.Forward"), QStringLiteral("Forward"),
                                      {MenuGroup::Utilities, 40});
            forward.toolBarPlaces = {{ToolBarId::Main, 50}};
            features.addAction(forward);
            ActionSpec back;
            back.id = CommandId("Test.Back");
            back.text = QStringLiteral("Back");
            back.toolBarPlaces = {{ToolBarId::Navigation, 0}};
            features.addAction(back);
        });
        QCOMPARE(barOf(*m_window->mainToolBar()),
                 (QStringList{"&Save", "Forward", "&About Varn SE..."}));
        QCOMPARE(barOf(*m_window->navigationToolBar()), (QStringList{"Back", "&About Varn SE..."}));
        // An item on a tool bar alone is in no menu.
        createWorkspace();
        for (QMenu *menu : m_window->menuBar()->findChildren<QMenu *>()) {
            for (QAction *entry : menu->actions())
                QVERIFY(entry->text() != QStringLiteral("Back"));
        }
    }

    // A second registration under the same kind or id replaces the first;
    // the Go to items follow their order, not that of registration.
    void laterRegistrationsReplace()
    {
        FeatureRegistry features;
        features.addWindow(ledgerWindow());
        Ledger state;
        features.addWindow(sketchWindow(state));
        WindowSpec renamed = ledgerWindow();
        renamed.title = QStringLiteral("Book - %1");
        features.addWindow(renamed);
        QCOMPARE(features.windows().size(), 2);
        QCOMPARE(features.window(kLedger)->title, QStringLiteral("Book - %1"));
        QCOMPARE(features.windows().first()->kind, kSketch);
        QCOMPARE(features.homeWindow()->kind, kLedger);

        int runs = 0;
        ActionSpec first = item(kStamp, QStringLiteral("First"), {MenuGroup::Utilities});
        first.run = [&runs](Workbench &) { runs += 1; };
        features.addAction(first);
        ActionSpec second = item(kStamp, QStringLiteral("Second"), {MenuGroup::Utilities});
        second.run = [&runs](Workbench &) { runs += 100; };
        features.addAction(second);
        QCOMPARE(features.actions().size(), size_t(1));
        QCOMPARE(features.actions().front().text, QStringLiteral("Second"));
        Workbench workbench(*m_app, m_presenter);
        QVERIFY(features.run(kStamp, workbench));
        QCOMPARE(runs, 100);
        QVERIFY(!features.hasView(WindowKind("Test.Nowhere")));
        QVERIFY(!features.createView(WindowKind("Test.Nowhere"), workbench));
    }
};

QTEST_MAIN(FeatureRegistryTest)
#include "tst_featureregistry.moc"
