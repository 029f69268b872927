#include "app/widgets/aboutdialog.h"
#include "app/widgets/cchildframe.h"
#include "app/widgets/mainactions.h"
#include "app/widgets/opencreatedialog.h"
#include "app/widgets/recentfiles.h"
#include "central/widgets/centralviewfeature.h"
#include "generate/widgets/generatordialog.h"
#include "inspect/widgets/objectmodelview.h"
#include "objmodel/widgets/regenerationdialog.h"
#include "screenshot.h"
#include "shellsuite.h"
#include "templates/widgets/technicalcomposerdialog.h"
#include "templates/widgets/templatemenu.h"
#include "templates/widgets/templatenavigatorview.h"

#include <QLabel>
#include <QMdiArea>
#include <QMimeData>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QToolBar>
#include <QtTest>

using namespace varn;
using namespace varn::app;

namespace {

// A view standing in for a window another subsystem provides.
QWidget *placeholderView(const QString &title)
{
    auto *view = new QLabel(title);
    view->setWindowTitle(title);
    return view;
}

// The window of a kind a feature registered, its view made by the test.
void provideView(FeatureRegistry &features, WindowKind kind,
                 std::function<QWidget *(Workbench &)> create)
{
    WindowSpec window = *features.window(kind);
    window.create = std::move(create);
    features.addWindow(window);
}

// Hands each widget that is shown to a check.
class ShowWatcher : public QObject
{
public:
    explicit ShowWatcher(std::function<void(QWidget &)> shown) : m_shown(std::move(shown)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType())
            m_shown(*static_cast<QWidget *>(watched));
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void(QWidget &)> m_shown;
};

} // namespace

class MainWindowTest : public ShellSuite
{
    Q_OBJECT

    // A fresh program; features are those the test provides.
    void start(const std::function<void(FeatureRegistry &)> &provide = {})
    {
        startWindow([&provide](FeatureRegistry &features) {
            // Requirements Central and the names of the templates are always there.
            central::registerCentralView(features);
            templates::registerTemplateMenu(features);
            if (provide)
                provide(features);
        });
    }

    void createWorkspace(const QString &name = QStringLiteral("Acme"))
    {
        QVERIFY2(makeWorkspace(name), qPrintable(m_presenter.texts().join('\n')));
    }

    QString savedWorkspace(const QString &name = QStringLiteral("Acme"))
    {
        createWorkspace(name);
        const QString path = m_environment->root() + QLatin1Char('/') + name + ".vnp";
        m_presenter.saveAnswers = {path};
        if (!m_window->workspace().save())
            return {};
        return path;
    }

    CChildFrame *frame(WindowKind kind) const { return m_window->navigator().frame(kind); }

private slots:
    // Each test starts a new program: no workspace was opened since.
    void init() { newProgram(); }
    void cleanup() { endProgram(); }

    void startDialog_data()
    {
        QTest::addColumn<int>("answer"); // -1 Cancel, else the choice
        QTest::addColumn<QStringList>("dialogs");
        QTest::addColumn<int>("fileDialogs");
        QTest::addColumn<bool>("opened");
        const int open = int(OpenCreateDialog::Choice::Open);
        const int create = int(OpenCreateDialog::Choice::Create);
        QTest::newRow("cancel") << -1 << QStringList{"Open/Create"} << 0 << false;
        QTest::newRow("open") << open << QStringList{"Open/Create"} << 1 << false;
        QTest::newRow("create") << create << QStringList{"Open/Create", "System Name"} << 0 << true;
    }

    void startDialog()
    {
        QFETCH(int, answer);
        QFETCH(QStringList, dialogs);
        QFETCH(int, fileDialogs);
        QFETCH(bool, opened);
        start();
        m_presenter.dialogHandler = [&](QDialog &dialog) {
            if (auto *start = qobject_cast<OpenCreateDialog *>(&dialog)) {
                // Open is chosen at first.
                if (start->choice() != OpenCreateDialog::Choice::Open)
                    return int(QDialog::Rejected);
                if (answer < 0)
                    return int(QDialog::Rejected);
                start->setChoice(OpenCreateDialog::Choice(answer));
                return int(QDialog::Accepted);
            }
            return typeSystemName(QStringLiteral("Acme"))(dialog);
        };
        m_window->workspace().showStartDialog();
        QCOMPARE(m_presenter.dialogTitles, dialogs);
        QCOMPARE(m_presenter.openFolders.size(), fileDialogs);
        if (fileDialogs)
            QCOMPARE(m_presenter.openFolders.first(),
                     m_environment->installPath() + QStringLiteral("Varn SE Files/"));
        QCOMPARE(m_app->isWorkspaceOpen(), opened);
        QCOMPARE(frame(central::kCentralWindow) != nullptr, opened);
        QVERIFY(m_presenter.messages.isEmpty());
    }

    void systemNameDialog_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << ""
                               << "Must enter a System Name or Cancel.";
        QTest::newRow("blanks inside") << "Acme Telecom"
                                       << "";
        QTest::newRow("unusable in a file name")
            << "Acme/Telecom"
            << "A System Name cannot contain any of the characters [ ] { } ( ) , ; ? * = ! @ \\ / "
               "or control characters.";
        QTest::newRow("non-ASCII letters") << "Wetterstation Zürich"
                                           << "";
    }

    void systemNameDialog()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        SystemNameDialog dialog(m_presenter);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("System Name"));
        QCOMPARE(dialog.nameEdit()->maxLength(), 50);
        dialog.show();
        dialog.nameEdit()->setText(name);
        QTest::keyClick(dialog.nameEdit(), Qt::Key_Return);
        // A refusal keeps the dialog open with its message.
        QCOMPARE(dialog.isVisible(), !message.isEmpty());
        QCOMPARE(dialog.result() == QDialog::Accepted, message.isEmpty());
        QCOMPARE(m_presenter.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (message.isEmpty())
            QCOMPARE(dialog.systemName(), name);
    }

    void screenshotsOfTheDialogs()
    {
        OpenCreateDialog start;
        QCOMPARE(start.windowTitle(), QStringLiteral("Open/Create"));
        QCOMPARE(start.choice(), OpenCreateDialog::Choice::Open);
        saveScreenshot(start, QStringLiteral("open-create-dialog.png"), programBackground());

        SystemNameDialog name(m_presenter);
        name.nameEdit()->setText(QStringLiteral("Acme Telecom"));
        const auto *hint = name.findChild<QLabel *>(QStringLiteral("hint"));
        QVERIFY(hint);
        QCOMPARE(hint->palette().color(QPalette::WindowText), QColor(Qt::red));
        QVERIFY(hint->text().contains(QStringLiteral("\"The\"")));
        QVERIFY(hint->text().contains(QStringLiteral("\"system\"")));
        saveScreenshot(name, QStringLiteral("system-name-dialog.png"), programBackground());
    }

    void newOpensRequirementsCentral()
    {
        start();
        QCOMPARE(menuTitles(*m_window), (QStringList{"&File", "&View", "&Help"}));
        createWorkspace();
        CChildFrame *central = frame(central::kCentralWindow);
        QVERIFY(central);
        QCOMPARE(central->windowTitle(),
                 QStringLiteral("Requirements Central - System Name: Acme"));
        QCOMPARE(central->pos(), QPoint(0, 0));
        QCOMPARE(central->widget()->size(), QSize(644, 438));
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Varn SE - Acme"));
        QCOMPARE(m_window->statusPaneText(1), QStringLiteral("Acme"));
        QCOMPARE(m_window->statusPaneText(2), QStringLiteral("0 requirements"));
        QCOMPARE(
            menuTitles(*m_window),
            (QStringList{"&File", "&Edit", "&View", "&Record", "&Display", "&Compose", "&Templates",
                         "&Inspect", "&Generate", "&Utilities", "&Window", "&Help"}));
        QVERIFY(m_window->mainToolBar()->isVisible());
        QVERIFY(!m_window->navigationToolBar()->isVisible());

        // The user cannot shrink the frame below its smallest client area.
        central->resize(100, 100);
        QVERIFY(central->widget()->width() >= 644);
        QVERIFY(central->widget()->height() >= 400);
    }

    void refusedWhileOpen_data()
    {
        QTest::addColumn<bool>("newCommand");
        QTest::addColumn<QString>("message");
        QTest::newRow("new") << true
                             << "Must close the current document before creating a new one.";
        QTest::newRow("open") << false
                              << "A Varn SE file is currently open. Close the current file\nbefore "
                                 "opening an existing one.";
    }

    void refusedWhileOpen()
    {
        QFETCH(bool, newCommand);
        QFETCH(QString, message);
        start();
        createWorkspace();
        m_presenter.clear();
        m_presenter.dialogHandler = typeSystemName(QStringLiteral("Other"));
        if (newCommand)
            m_window->workspace().newWorkspace();
        else
            m_window->workspace().openWorkspace();
        QCOMPARE(m_presenter.texts(), QStringList{message});
        QVERIFY(m_presenter.dialogTitles.isEmpty());
        QVERIFY(m_presenter.openFolders.isEmpty());
        QCOMPARE(m_app->systemName(), QStringLiteral("Acme"));
    }

    void saveProposals()
    {
        start();
        createWorkspace();
        // No workspace opened yet since the start: the name in the folder
        // Open looks in, not the process's current folder.
        m_presenter.clear();
        QVERIFY(!m_window->workspace().save());
        QCOMPARE(m_presenter.saveProposals, QStringList{m_environment->installPath() +
                                                        QStringLiteral("Varn SE Files/Acme.vnp")});
        QVERIFY(QFileInfo(m_environment->installPath() + QStringLiteral("Varn SE Files")).isDir());
        QVERIFY(m_app->isModified());

        const QString path = m_environment->root() + QStringLiteral("/acme-file.vnp");
        m_presenter.saveAnswers = {path};
        QVERIFY(m_window->workspace().save());
        QVERIFY(QFileInfo::exists(path));
        QVERIFY(!m_app->isModified());
        // Saved: Save does nothing.
        m_presenter.clear();
        QVERIFY(m_window->workspace().save());
        QVERIFY(m_presenter.saveProposals.isEmpty());

        QVERIFY(m_window->workspace().closeWorkspace());
        QVERIFY(m_window->workspace().openWorkspaceFile(path));
        m_presenter.clear();
        QVERIFY(!m_window->workspace().saveAs());
        QCOMPARE(m_presenter.saveProposals, QStringList{m_environment->installPath() +
                                                        QStringLiteral("Varn SE Files/Acme.vnp")});
        QVERIFY(m_presenter.messages.isEmpty());
    }

    void closeChecks()
    {
        int reminders = 0;
        start([&](FeatureRegistry &features) {
            features.provideCommand(WorkspaceController::kChangedRequirementsClosing,
                                    [&](Workbench &, int) { ++reminders; });
        });
        createWorkspace();
        m_app->setRequirementsChanged(true);
        m_presenter.clear();
        // The save dialog is cancelled: the workspace stays open, and so does
        // the main window.
        QVERIFY(!m_window->workspace().closeWorkspace());
        QCOMPARE(reminders, 1);
        QVERIFY(m_presenter.texts().isEmpty());
        QCOMPARE(m_presenter.saveProposals, QStringList{m_environment->installPath() +
                                                        QStringLiteral("Varn SE Files/Acme.vnp")});
        QVERIFY(m_app->isWorkspaceOpen());
        QVERIFY(frame(central::kCentralWindow));
        QVERIFY(!m_window->close());
        QVERIFY(m_window->isVisible());
        QVERIFY(m_app->isWorkspaceOpen());

        m_presenter.clear();
        m_presenter.saveAnswers = {m_environment->root() + QStringLiteral("/closed.vnp")};
        QVERIFY(m_window->workspace().closeWorkspace());
        QCOMPARE(reminders, 3); // the close of the window asked too
        QVERIFY(!m_app->isWorkspaceOpen());
        QCOMPARE(m_window->mdiArea()->subWindowList().size(), 0);
        QCOMPARE(menuTitles(*m_window), (QStringList{"&File", "&View", "&Help"}));
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Varn SE"));
        QVERIFY(!m_window->actions().save->isEnabled());
    }

    void regenerationDialogTakesTheReminder()
    {
        int reminders = 0;
        start([&](FeatureRegistry &features) {
            features.provideCommand(WorkspaceController::kChangedRequirementsClosing,
                                    [&](Workbench &, int) { ++reminders; });
        });
        const QString path = savedWorkspace();
        QVERIFY(!path.isEmpty());
        m_app->setRequirementsChanged(true);
        m_presenter.clear();
        QVERIFY(m_window->workspace().closeWorkspace());
        QCOMPARE(reminders, 1);
        QVERIFY(m_presenter.messages.isEmpty());
        QVERIFY(m_presenter.saveProposals.isEmpty());
    }

    void closingTheLastWindowClosesTheWorkspace()
    {
        start();
        createWorkspace();
        // Never saved: the save dialog comes first, and cancelling it keeps
        // the window and the workspace.
        QVERIFY(!frame(central::kCentralWindow)->close());
        QCOMPARE(m_presenter.saveProposals, QStringList{m_environment->installPath() +
                                                        QStringLiteral("Varn SE Files/Acme.vnp")});
        QVERIFY(m_app->isWorkspaceOpen());
        m_presenter.saveAnswers = {m_environment->root() + QStringLiteral("/last.vnp")};
        QVERIFY(frame(central::kCentralWindow)->close());
        QVERIFY(!m_app->isWorkspaceOpen());
        QCOMPARE(m_window->mdiArea()->subWindowList().size(), 0);
        QCOMPARE(menuTitles(*m_window), (QStringList{"&File", "&View", "&Help"}));
    }

    void droppedWorkspaceFileOpens()
    {
        start();
        const QString path = savedWorkspace();
        QVERIFY(m_window->workspace().closeWorkspace());
        QMimeData dropped;
        dropped.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &dropped, Qt::LeftButton, {});
        QApplication::sendEvent(m_window.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &dropped, Qt::LeftButton, {});
        QApplication::sendEvent(m_window.get(), &drop);
        QVERIFY(m_app->isWorkspaceOpen());
        QCOMPARE(m_app->workspaceFilePath(), path);
    }

    void goToRaisesOneWindow()
    {
        start([](FeatureRegistry &features) {
            templates::registerNavigators(features);
            provideView(features, templates::kFunctionalNavigator, [](Workbench &) {
                return placeholderView(QStringLiteral("Functional Navigator"));
            });
        });
        createWorkspace();
        QAction *goTo = m_window->actions().goToItem(templates::kFunctionalNavigator);
        QVERIFY(goTo->isEnabled());
        goTo->trigger();
        CChildFrame *navigator = frame(templates::kFunctionalNavigator);
        QVERIFY(navigator);
        QCOMPARE(navigator->windowTitle(),
                 QStringLiteral("Functional Navigator - System Name: Acme"));
        QCOMPARE(navigator->pos(), QPoint(28, 30));
        QCOMPARE(navigator->widget()->size(), QSize(644, 438));
        QCOMPARE(menuTitles(*m_window), (QStringList{"&File", "&View", "&Window", "&Help"}));
        QVERIFY(m_window->navigationToolBar()->isVisible());
        QVERIFY(!m_window->mainToolBar()->isVisible());

        // The second time it is raised where the user left it.
        navigator->move(200, 150);
        m_window->actions().item(central::kBackToCentral)->trigger();
        QCOMPARE(m_window->mdiArea()->activeSubWindow(), frame(central::kCentralWindow));
        goTo->trigger();
        QCOMPARE(frame(templates::kFunctionalNavigator), navigator);
        QCOMPARE(m_window->mdiArea()->subWindowList().size(), 2);
        QCOMPARE(m_window->mdiArea()->activeSubWindow(), navigator);
        QCOMPARE(navigator->pos(), QPoint(200, 150));

        // Closed and opened again, it is placed again.
        QVERIFY(navigator->close());
        QVERIFY(m_app->isWorkspaceOpen());
        m_window->goTo(templates::kFunctionalNavigator);
        QCOMPARE(frame(templates::kFunctionalNavigator)->pos(), QPoint(28, 30));
    }

    void viewMenusLeaveOutTheirOwnKind()
    {
        start([](FeatureRegistry &features) {
            templates::registerNavigators(features);
            inspect::registerInspectionFeatures(features);
            provideView(features, inspect::kDataModelWindow,
                        [](Workbench &) { return placeholderView(QStringLiteral("Data Model")); });
        });
        createWorkspace();
        m_window->goTo(inspect::kDataModelWindow);
        QAction *viewMenu = m_window->menuBar()->actions().at(1);
        QStringList items;
        for (QAction *item : viewMenu->menu()->actions()) {
            if (!item->isSeparator())
                items.append(item->text());
        }
        QCOMPARE(items,
                 (QStringList{"&Status Bar", "&Requirements Central...", "&Functional Navigator...",
                              "&Structural Navigator...", "&Object Model..."}));
        QCOMPARE(frame(inspect::kDataModelWindow)->pos(), QPoint(56, 60));
        QCOMPARE(frame(inspect::kDataModelWindow)->widget()->size(), QSize(644, 400));
    }

    // A feature's items are enabled as it says (here: while a workspace is
    // open); the items of a feature not registered are not there at all.
    void itemsFollowTheRegisteredFeatures()
    {
        start([](FeatureRegistry &features) { objmodel::registerRegenerationFeatures(features); });
        MainActions &a = m_window->actions();
        QAction *regenerate = a.item(objmodel::kRegenerateObjectModel);
        QVERIFY(regenerate);
        QVERIFY(a.newWorkspace->isEnabled());
        QVERIFY(!regenerate->isEnabled()); // no workspace
        createWorkspace();
        QVERIFY(regenerate->isEnabled());
        QVERIFY(a.item(templates::templateItem(9))->isEnabled());
        QCOMPARE(a.itemsIn(MenuGroup::TemplatesFunctional).size(), 18);
        QCOMPARE(a.itemsIn(MenuGroup::TemplatesStructural).size(), 4);
        QCOMPARE(a.item(templates::templateItem(22))->text(),
                 QStringLiteral("22  Message Definition..."));
        for (const CommandId missing :
             {templates::kComposeFunctional, templates::kComposeStructural,
              templates::kComposeTechnical, inspect::kJavaObjectModel, inspect::kCppObjectModel,
              inspect::kDataModel, inspect::kObjectModelEntities, generate::kGenerateObjectModel,
              generate::kGenerateDataModelSql})
            QVERIFY2(!a.item(missing), missing.name().data());
        QVERIFY(!a.goToItem(templates::kFunctionalNavigator));
        for (QAction *present :
             {a.goToItem(central::kCentralWindow), a.item(central::kFirstRecord),
              a.item(central::kPrint), a.item(templates::kRequirementBuilder), a.save, a.close,
              a.cascade, a.about, a.helpTopics, a.item(central::kRequirementAttributes),
              a.item(central::kParentDependent)})
            QVERIFY2(present->isEnabled(), qPrintable(present->text()));
    }

    void viewThatCannotBeMade()
    {
        start([](FeatureRegistry &features) {
            templates::registerNavigators(features);
            provideView(features, templates::kStructuralNavigator,
                        [](Workbench &) { return nullptr; });
        });
        createWorkspace();
        m_presenter.clear();
        m_window->actions().item(templates::kComposeStructural)->trigger();
        QCOMPARE(m_presenter.texts(), QStringList{"Error: failed to create a new frame."});
        QVERIFY(!frame(templates::kStructuralNavigator));
    }

    void recentFiles()
    {
        start();
        QStringList paths;
        for (const QString &name : QStringList{"One", "Two", "Three", "Four"}) {
            paths.prepend(savedWorkspace(name));
            QVERIFY(!paths.first().isEmpty());
            QVERIFY(m_window->workspace().closeWorkspace());
        }
        QCOMPARE(RecentFiles().files(), paths.mid(0, 3));
        const QList<QAction *> &items = m_window->actions().recentFiles;
        QCOMPARE(items.at(0)->text(), QStringLiteral("&1 Four.vnp"));
        QVERIFY(items.at(2)->isVisible());
        // A recent file opens its workspace.
        items.at(2)->trigger();
        QCOMPARE(m_app->systemName(), QStringLiteral("Two"));
        QCOMPARE(RecentFiles().files().first(), paths.at(2));
        QVERIFY(m_window->workspace().closeWorkspace());
        // A file that is gone is dropped from the list.
        QFile::remove(paths.at(1));
        QVERIFY(!m_window->workspace().openWorkspaceFile(paths.at(1)));
        QCOMPARE(m_presenter.texts().last(),
                 QStringLiteral("Error opening file at the path specified.\n") + paths.at(1) +
                     QStringLiteral(": No such file or directory"));
        QVERIFY(!RecentFiles().files().contains(paths.at(1)));
    }

    // A workspace made before the list's indexes gains them as it opens,
    // with the progress in a dialog that asks nothing and is gone once the
    // workspace is open; the next open has nothing to do and shows none.
    void olderWorkspaceShowsItsPreparation()
    {
        start();
        const QString path = savedWorkspace();
        QVERIFY(!path.isEmpty());
        const QString database = m_app->requirementsSource().databasePath();
        QVERIFY(m_window->workspace().closeWorkspace());
        if (database.isEmpty())
            QSKIP("a team workspace's indexes are made with its tables");
        {
            QSqlDatabase older =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("older"));
            older.setDatabaseName(database);
            QVERIFY(older.open());
            for (const char *index : {"MASTER_REQ_List_Number", "MASTER_REQ_List_Sentence"})
                QVERIFY(
                    QSqlQuery(older).exec(QStringLiteral("DROP INDEX ") + QLatin1String(index)));
            older.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("older"));

        QStringList labels;
        int steps = 0;
        ShowWatcher watcher([&](QWidget &shown) {
            auto *dialog = qobject_cast<QProgressDialog *>(&shown);
            if (!dialog)
                return;
            labels.append(dialog->labelText());
            steps = dialog->maximum();
            QVERIFY(dialog->findChildren<QPushButton *>().isEmpty());
            QCOMPARE(dialog->isModal(), true);
            checkScreenshot(*dialog, QStringLiteral("preparing-workspace.png"),
                            programBackground());
        });
        qApp->installEventFilter(&watcher);
        m_presenter.clear();
        const bool opened = m_window->workspace().openWorkspaceFile(path);
        QVERIFY2(opened, qPrintable(m_presenter.texts().join('\n')));
        QCOMPARE(labels, QStringList{QStringLiteral(
                             "Preparing the workspace...\nIts database gains the indexes of this "
                             "version of Varn SE, once.")});
        QVERIFY(steps > 2);
        QVERIFY(m_presenter.texts().isEmpty());
        QVERIFY(m_window->findChildren<QProgressDialog *>().isEmpty());

        QVERIFY(m_window->workspace().closeWorkspace());
        QVERIFY(m_window->workspace().openWorkspaceFile(path));
        qApp->removeEventFilter(&watcher);
        QCOMPARE(labels.size(), 1);
    }

    // A second desktop program on a workspace another one has open says so
    // and leaves it alone; once the first has ended, the workspace opens.
    void workspaceOpenInAnotherProgramIsRefused()
    {
        const QString program =
            QFileInfo(qEnvironmentVariable("VARN_CLI")).dir().filePath(QStringLiteral("varn"));
        QVERIFY2(QFileInfo::exists(program), qPrintable(program));
        start();
        const QString path = savedWorkspace();
        QVERIFY(!path.isEmpty());
        QVERIFY(m_window->workspace().closeWorkspace());
        QProcess first;
        first.start(program, {path});
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(CVarnApp::openElsewhere(path).has_value(), 20000);
        m_presenter.clear();
        QVERIFY(!m_window->workspace().openWorkspaceFile(path));
        QVERIFY(!m_app->isWorkspaceOpen());
        QCOMPARE(m_presenter.texts(),
                 QStringList{QStringLiteral("This workspace is already open in %1 (process %2).\n"
                                            "Close it there before opening it here.")
                                 .arg(CVarnApp::openElsewhere(path)->program)
                                 .arg(first.processId())});
        first.terminate();
        QVERIFY(first.waitForFinished(20000));
        QVERIFY(m_window->workspace().openWorkspaceFile(path));
    }

    void geometryIsRemembered()
    {
        start();
        m_window->showNormal();
        m_window->setGeometry(120, 90, 900, 640);
        const QRect placed = m_window->geometry();
        QVERIFY(m_window->close());
        m_window.reset();
        start();
        m_window->hide();
        m_window->showAtStart();
        QCOMPARE(m_window->geometry(), placed);
    }

    void aboutAndPrint()
    {
        start();
        QString version;
        m_presenter.dialogHandler = [&](QDialog &dialog) {
            if (auto *label = dialog.findChild<QLabel *>(QStringLiteral("version")))
                version = label->text();
            return int(QDialog::Accepted);
        };
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTest::keyClick(m_window.get(), Qt::Key_F1);
        QCOMPARE(m_presenter.dialogTitles, QStringList{"About Varn SE"});
        QCOMPARE(version, QStringLiteral("Varn SE Version 4.0"));

        createWorkspace();
        m_presenter.clear();
        m_window->actions().item(central::kPrint)->trigger();
        QVERIFY(m_presenter.messages.isEmpty());
        QCOMPARE(m_presenter.dialogTitles,
                 QStringList{"Print Preview - System Requirements - System Name: Acme"});
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
