// The whole desktop program, every feature registered, as a user meets it:
// its menus, its windows, its help and its About box.
#include "app/widgets/aboutdialog.h"
#include "app/widgets/cchildframe.h"
#include "app/widgets/helpbrowser.h"
#include "app/widgets/helpwindow.h"
#include "app/widgets/mainactions.h"
#include "central/widgets/centralviewfeature.h"
#include "inspect/widgets/objectmodelview.h"
#include "labelledcontrols.h"
#include "main/landedfeatures.h"
#include "screenshot.h"
#include "shellsuite.h"
#include "templates/widgets/templatenavigatorview.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QTextDocument>
#include <QtTest>

using namespace varn;
using namespace varn::app;

namespace {

// Every item of the menu bar's menus, as "Menu > Item", that is disabled.
QStringList disabledItems(QMainWindow &window, const QString &reasonMark)
{
    QStringList disabled;
    for (QAction *entry : window.menuBar()->actions()) {
        QMenu *menu = entry->menu();
        emit menu->aboutToShow();
        for (QAction *item : menu->actions()) {
            if (item->isSeparator() || !item->isVisible() || item->isEnabled())
                continue;
            // A disabled item whose tip says why is a command waiting for
            // its precondition, not a dead one.
            if (!item->statusTip().contains(reasonMark))
                disabled.append(QString(entry->text()).remove('&') + QStringLiteral(" > ") +
                                QString(item->text()).remove('&'));
        }
    }
    return disabled;
}

// The manual's words: every page, as the help window shows it.
QString manualText(const FeatureRegistry &features)
{
    const HelpBrowser browser(features.helpPages());
    QString text;
    for (const QString &page : browser.pageNames()) {
        QTextDocument document;
        document.setHtml(browser.pageHtml(page));
        text += document.toPlainText() + QLatin1Char('\n');
    }
    // HTML shows a run of blanks as one.
    return text.simplified();
}

// The letter a text's '&' marks for Alt, lower case; none for "&&" alone.
QChar mnemonicOf(const QString &text)
{
    for (qsizetype at = 0; at + 1 < text.size(); ++at) {
        if (text.at(at) != QLatin1Char('&'))
            continue;
        if (text.at(at + 1) != QLatin1Char('&'))
            return text.at(at + 1).toLower();
        ++at;
    }
    return {};
}

// The Alt letters of the menu bar, each with its menu ("t Templates").
QMap<QChar, QString> menuMnemonics(QMainWindow &window)
{
    QMap<QChar, QString> letters;
    for (QAction *entry : window.menuBar()->actions()) {
        if (const QChar letter = mnemonicOf(entry->text()); !letter.isNull())
            letters.insert(letter, QString(entry->text()).remove('&'));
    }
    return letters;
}

// The Alt letters of a window's shown controls: labels with a buddy, buttons
// and group titles.
QMap<QChar, QString> controlMnemonics(const QWidget &window)
{
    QMap<QChar, QString> letters;
    const auto add = [&letters](const QString &text) {
        if (const QChar letter = mnemonicOf(text); !letter.isNull())
            letters.insert(letter, QString(text).remove('&'));
    };
    for (const QWidget *child : window.findChildren<QWidget *>()) {
        if (!child->isVisibleTo(&window))
            continue;
        if (const auto *label = qobject_cast<const QLabel *>(child); label && label->buddy())
            add(label->text());
        else if (const auto *button = qobject_cast<const QAbstractButton *>(child))
            add(button->text());
        else if (const auto *group = qobject_cast<const QGroupBox *>(child))
            add(group->title());
    }
    return letters;
}

} // namespace

Q_DECLARE_METATYPE(varn::app::WindowKind)

namespace {

// A row ("kind") for each window of the program a menu command opens.
void addWindowRows()
{
    QTest::addColumn<WindowKind>("kind");
    QTest::newRow("Requirements Central") << central::kCentralWindow;
    QTest::newRow("Functional Navigator") << templates::kFunctionalNavigator;
    QTest::newRow("Structural Navigator") << templates::kStructuralNavigator;
    QTest::newRow("Object Model") << inspect::kObjectModelWindow;
    QTest::newRow("Data Model") << inspect::kDataModelWindow;
}

} // namespace

class DesktopProgramTest : public ShellSuite
{
    Q_OBJECT

private slots:
    void init()
    {
        newProgram();
        startWindow(registerLandedFeatures);
        QVERIFY(makeWorkspace());
    }

    void cleanup() { endProgram(); }

    // With a workspace open, every command of every kind of window's menus
    // is enabled, or says why it is not.
    void everyCommandIsEnabledOrSaysWhy_data() { addWindowRows(); }

    void everyCommandIsEnabledOrSaysWhy()
    {
        QFETCH(WindowKind, kind);
        // The Object Model window open in C++ holds the Java item back; the
        // tip says so.
        m_window->goTo(inspect::kObjectModelWindow);
        m_window->goTo(kind);
        const QStringList disabled = disabledItems(*m_window, QStringLiteral("close it"));
        QCOMPARE(disabled, QStringList());
        if (kind == central::kCentralWindow) {
            QAction *java = m_window->actions().item(inspect::kJavaObjectModel);
            QVERIFY(!java->isEnabled());
            QVERIFY(java->statusTip().contains(QStringLiteral("shows C++")));
        }
    }

    // Every command of the menus has its place in the manual: it says
    // "Menu > Command". The items a feature lists (display columns, colours,
    // templates) are named in it; open windows and recent files are not
    // commands.
    void everyCommandIsInTheManual_data() { everyCommandIsEnabledOrSaysWhy_data(); }

    void everyCommandIsInTheManual()
    {
        QFETCH(WindowKind, kind);
        m_window->goTo(kind);
        const QString manual = manualText(*m_features);
        const MainActions &a = m_window->actions();
        const QList<QAction *> listed =
            a.itemsIn(MenuGroup::Display) + a.itemsIn(MenuGroup::ViewColours) +
            a.itemsIn(MenuGroup::TemplatesFunctional) + a.itemsIn(MenuGroup::TemplatesStructural);
        QStringList missing;
        for (QAction *entry : m_window->menuBar()->actions()) {
            QMenu *menu = entry->menu();
            emit menu->aboutToShow();
            const QString menuName = QString(entry->text()).remove('&');
            for (QAction *item : menu->actions()) {
                if (item->isSeparator() || item->property("openWindow").toBool() ||
                    a.recentFiles.contains(item))
                    continue;
                const QString name = QString(item->text()).remove('&');
                const QString place = listed.contains(item)
                                          ? name.chopped(name.endsWith("...") ? 3 : 0)
                                          : menuName + QStringLiteral(" > ") + name;
                if (!manual.contains(place.simplified()))
                    missing.append(place);
            }
        }
        missing.removeDuplicates();
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join('\n')));
    }

    // Alt and a letter opens the menu of that letter: no control of a window
    // takes a letter one of its menus carries.
    void controlsLeaveTheMenusTheirLetters_data() { everyCommandIsEnabledOrSaysWhy_data(); }

    void controlsLeaveTheMenusTheirLetters()
    {
        QFETCH(WindowKind, kind);
        m_window->goTo(kind);
        const QMap<QChar, QString> menus = menuMnemonics(*m_window);
        QVERIFY(menus.size() >= 3);
        const QWidget *view = m_window->view(kind);
        QVERIFY(view);
        QStringList shadowed;
        const QMap<QChar, QString> controls = controlMnemonics(*view);
        for (auto control = controls.cbegin(); control != controls.cend(); ++control) {
            if (menus.contains(control.key()))
                shadowed.append(control.value() + QStringLiteral(" -> ") + menus[control.key()]);
        }
        QCOMPARE(shadowed, QStringList());
        QCOMPARE(misnamedControls(*view), QStringList());
    }

    // Closing the workspace lets go of its database however it closes: the
    // windows and what they hold of it are gone before its connection is.
    void closingLetsGoOfTheDatabase_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("File > Close") << "close";
        QTest::newRow("closing the last window") << "last window";
        QTest::newRow("Exit") << "exit";
    }

    void closingLetsGoOfTheDatabase()
    {
        QFETCH(QString, how);
        QTest::failOnWarning(QRegularExpression(QStringLiteral("still in use")));
        m_presenter.saveAnswers = {m_environment->root() + QStringLiteral("/closing.vnp")};
        const WindowKind kinds[] = {inspect::kObjectModelWindow, inspect::kDataModelWindow,
                                    templates::kFunctionalNavigator,
                                    templates::kStructuralNavigator, central::kCentralWindow};
        QList<QPointer<QWidget>> views;
        for (const WindowKind kind : kinds) {
            m_window->goTo(kind);
            QVERIFY(m_window->view(kind));
            views.append(m_window->view(kind));
        }
        if (how == QLatin1String("close")) {
            m_window->actions().close->trigger();
        } else if (how == QLatin1String("exit")) {
            QVERIFY(m_window->close());
        } else {
            for (const WindowKind kind : kinds)
                QVERIFY(m_window->navigator().frame(kind)->close());
        }
        QVERIFY(!m_app->isWorkspaceOpen());
        QVERIFY(!QSqlDatabase::contains(m_app->requirementsConnectionName()));
        // Gone at once, not when the event loop next runs.
        for (const QPointer<QWidget> &view : views)
            QVERIFY(view.isNull());
        QCOMPARE(m_window->mdiArea()->subWindowList().size(), 0);
    }

    // Leaving or closing the Inspect windows: their titles name the language,
    // Window lists them, and closing one frees the other language's item.
    void inspectWindowsNameTheirLanguage()
    {
        MainActions &a = m_window->actions();
        a.item(inspect::kJavaObjectModel)->trigger();
        CChildFrame *objectModel = m_window->navigator().frame(inspect::kObjectModelWindow);
        QVERIFY(objectModel);
        QCOMPARE(objectModel->windowTitle(),
                 QStringLiteral("Inspect Object Model - System Name: Acme (Java)"));
        QVERIFY(objectModel->windowIcon().cacheKey() !=
                qApp->style()->standardIcon(QStyle::SP_TitleBarMenuButton).cacheKey());
        QVERIFY(!objectModel->windowIcon().isNull());
        objectModel->showMaximized();
        a.item(central::kBackToCentral)->trigger();
        QVERIFY(!a.item(inspect::kCppObjectModel)->isEnabled());
        // Go to Object Model raises the open window without changing what it
        // shows, so the menus stay true to it.
        a.goToItem(inspect::kObjectModelWindow)->trigger();
        QVERIFY(m_window->navigator()
                    .frame(inspect::kObjectModelWindow)
                    ->windowTitle()
                    .endsWith(QStringLiteral("(Java)")));
        QVERIFY(a.item(inspect::kJavaObjectModel)->isEnabled());
        QCOMPARE(m_window->workbench().objectModelLanguage(), Workbench::Language::Java);
        a.item(central::kBackToCentral)->trigger();

        QMenu *window = nullptr;
        for (QAction *entry : m_window->menuBar()->actions()) {
            if (entry->text() == QStringLiteral("&Window"))
                window = entry->menu();
        }
        QVERIFY(window);
        emit window->aboutToShow();
        QStringList listed;
        for (QAction *item : window->actions()) {
            if (item->property("openWindow").toBool())
                listed.append(item->text());
        }
        QCOMPARE(listed.size(), 2);
        QVERIFY(
            listed.contains(QStringLiteral("&2 Inspect Object Model - System Name: Acme (Java)")));
        window->actions().last()->trigger();
        QCOMPARE(m_window->mdiArea()->activeSubWindow()->windowTitle(),
                 QStringLiteral("Inspect Object Model - System Name: Acme (Java)"));
        a.tile->trigger();
        QVERIFY(!m_window->mdiArea()->activeSubWindow()->isMaximized());

        QVERIFY(m_window->navigator().frame(inspect::kObjectModelWindow)->close());
        // With the window gone the language is C++ again.
        QCOMPARE(m_window->workbench().objectModelLanguage(), Workbench::Language::Cpp);
        QVERIFY(a.item(inspect::kCppObjectModel)->isEnabled());
        QVERIFY(a.item(inspect::kJavaObjectModel)->isEnabled());
        a.item(inspect::kCppObjectModel)->trigger();
        QVERIFY(m_window->navigator()
                    .frame(inspect::kObjectModelWindow)
                    ->windowTitle()
                    .endsWith(QStringLiteral("(C++)")));
    }

    // Help Topics opens the manual; a search lists the topics holding the
    // words and selects them in the page.
    void helpFindsWhatIsAskedFor_data()
    {
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("topic"); // a topic listed
        QTest::newRow("Builder") << "Builder"
                                 << "The Requirement Builder";
        QTest::newRow("wildcard") << "wildcard"
                                  << "Requirements Central";
        QTest::newRow("a template's name") << "External Interaction with External Event"
                                           << "The templates";
        QTest::newRow("command line") << "--verbose"
                                      << "varn-cli";
        QTest::newRow("dependents") << "dependent"
                                    << "Parent-Dependent Relationships";
        QTest::newRow("attributes") << "Save Changes"
                                    << "Requirement Attributes";
        QTest::newRow("ReqIF") << "ReqIF"
                               << "Import and export";
        QTest::newRow("trace") << "Generated code"
                               << "Trace";
        QTest::newRow("team") << "pgpass"
                              << "Team workspaces";
        QTest::newRow("nothing") << "xylophone"
                                 << "No topic holds \"xylophone\".";
    }

    void helpFindsWhatIsAskedFor()
    {
        QFETCH(QString, words);
        QFETCH(QString, topic);
        QVERIFY(m_window->actions().helpTopics->isEnabled());
        m_window->actions().helpTopics->trigger();
        HelpWindow *help = m_window->helpWindow();
        QVERIFY(help && help->isVisible());
        QCOMPARE(misnamedControls(*help), QStringList());
        help->searchField()->setText(words);
        QTest::keyClick(help->searchField(), Qt::Key_Return);
        QStringList topics;
        for (int row = 0; row < help->topics()->count(); ++row)
            topics.append(help->topics()->item(row)->text());
        QVERIFY2(topics.contains(topic), qPrintable(topics.join('|')));
        const bool found = !topic.startsWith(QStringLiteral("No topic"));
        QCOMPARE(help->browser()->textCursor().selectedText().compare(words, Qt::CaseInsensitive) ==
                     0,
                 found);
        if (words == QLatin1String("Builder"))
            saveScreenshot(*help, QStringLiteral("help-window.png"), programBackground());
    }

    // A message box shows each line break of a message as a new line,
    // whichever way the message breaks it, and its text never as markup.
    void messageBoxBreaksLines_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("composition without a part")
            << "Validation error. A second entity must be defined for composition.\rUse Template "
               "#21 - Structural with Entity/Type Definition to define a simple entity."
            << QStringList{"Validation error. A second entity must be defined for composition.",
                           "Use Template #21 - Structural with Entity/Type Definition to define a "
                           "simple entity."};
        QTest::newRow("object model failed")
            << "Error creating object model. Your database may be corrupt.\rVerify your database, "
               "then retry composing."
            << QStringList{"Error creating object model. Your database may be corrupt.",
                           "Verify your database, then retry composing."};
        QTest::newRow("line feed")
            << "Cannot open ReqMsSet recordset.\nno such table"
            << QStringList{"Cannot open ReqMsSet recordset.", "no such table"};
        QTest::newRow("carriage return and line feed")
            << "TEMPLATE: Event (T9)\r\n\r\nKEYWORDS: when"
            << QStringList{"TEMPLATE: Event (T9)", "", "KEYWORDS: when"};
        QTest::newRow("markup") << "<b>Gate</b> 5A is not an entity."
                                << QStringList{"<b>Gate</b> 5A is not an entity."};
    }

    void messageBoxBreaksLines()
    {
        QFETCH(QString, message);
        QFETCH(QStringList, lines);
        const std::unique_ptr<QMessageBox> box =
            MessagePresenter::messageBox(m_window.get(), Outcome::refused(message));
        QCOMPARE(box->text().split(QLatin1Char('\n')), lines);
        QCOMPARE(box->textFormat(), Qt::PlainText);
        QCOMPARE(box->windowTitle(), QStringLiteral("Varn SE"));
        if (QByteArray(QTest::currentDataTag()) == "composition without a part")
            saveScreenshot(*box, QStringLiteral("message-box-line-break.png"), programBackground());
    }

    // A search that finds nothing leaves no earlier place selected, and
    // Find Next then has nowhere to go.
    void failedSearchLeavesNoHit()
    {
        m_window->actions().helpTopics->trigger();
        HelpWindow *help = m_window->helpWindow();
        help->searchField()->setText(QStringLiteral("wildcard"));
        QTest::keyClick(help->searchField(), Qt::Key_Return);
        QCOMPARE(help->browser()->textCursor().selectedText(), QStringLiteral("wildcard"));
        const QUrl page = help->browser()->source();

        help->searchField()->setText(QStringLiteral("xylophone"));
        QTest::keyClick(help->searchField(), Qt::Key_Return);
        QCOMPARE(help->browser()->textCursor().selectedText(), QString());
        QCOMPARE(help->topics()->count(), 1);
        QCOMPARE(help->topics()->item(0)->text(), QStringLiteral("No topic holds \"xylophone\"."));
        help->findNext();
        QCOMPARE(help->browser()->textCursor().selectedText(), QString());
        QCOMPARE(help->browser()->source(), page);
        QCOMPARE(help->topics()->count(), 1);
    }

    // The topics are listed in the order of the manual's contents.
    void topicsFollowTheContents()
    {
        m_window->actions().helpTopics->trigger();
        HelpWindow *help = m_window->helpWindow();
        help->searchField()->clear();
        help->search();
        static const QRegularExpression entry(QStringLiteral("<li><a href=\"[^\"]+\">([^<]+)</a>"));
        QStringList contents;
        for (const QRegularExpressionMatch &match :
             entry.globalMatch(help->browser()->pageHtml(QStringLiteral("index.html"))))
            contents.append(match.captured(1));
        QVERIFY(contents.size() > 10);
        QStringList topics;
        for (int row = 0; row < help->topics()->count(); ++row)
            topics.append(help->topics()->item(row)->text());
        QCOMPARE(topics, contents);
    }

    // The navigators, the Inspect windows and Help name each control the
    // keyboard reaches for screen readers; Help reaches them as a window.
    void everyWindowNamesItsControls_data() { addWindowRows(); }

    void everyWindowNamesItsControls()
    {
        QFETCH(WindowKind, kind);
        m_window->goTo(kind);
        CChildFrame *frame = m_window->navigator().frame(kind);
        QVERIFY(frame);
        QCOMPARE(unnamedControls(*frame).join(", "), QString());

        m_window->actions().helpTopics->trigger();
        HelpWindow *help = m_window->helpWindow();
        QVERIFY(help && help->isVisible());
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(help);
        QVERIFY(face);
        QCOMPARE(face->role(), QAccessible::Window);
        QCOMPARE(face->text(QAccessible::Name), help->windowTitle());
        QCOMPARE(unnamedControls(*help).join(", "), QString());
    }

    void aboutNamesVersionsAndDatabase()
    {
        QString database;
        QString toolkit;
        m_presenter.dialogHandler = [&](QDialog &dialog) {
            database = dialog.findChild<QLabel *>(QStringLiteral("database"))->text();
            toolkit = dialog.findChild<QLabel *>(QStringLiteral("toolkit"))->text();
            return int(QDialog::Accepted);
        };
        m_window->actions().about->trigger();
        QCOMPARE(database, QStringLiteral("Requirements database: ") +
                               m_app->requirementsSource().databasePath());
        QVERIFY(toolkit.contains(QString::fromLatin1(qVersion())));
    }
};

QTEST_MAIN(DesktopProgramTest)
#include "tst_desktopprogram.moc"
