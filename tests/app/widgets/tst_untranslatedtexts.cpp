// Every text a window shows reaches a translator: with a pseudo-translation
// installed before any window is made, the main window with each kind of
// child window, every item of its menus and tool bars, each composer and the
// dialogs the menus open show their texts bracketed. A text without brackets
// escaped translation.
#include "app/widgets/mainactions.h"
#include "central/widgets/centralviewfeature.h"
#include "main/landedfeatures.h"
#include "screenshot.h"
#include "shellsuite.h"
#include "support/pseudotranslation.h"
#include "templates/widgets/functionaltemplatedialog.h"
#include "templates/widgets/requirementbuilderdialog.h"
#include "templates/widgets/structuraltemplatedialog.h"
#include "templates/widgets/technicalcomposerdialog.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabBar>
#include <QTableView>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeView>
#include <QXmlStreamReader>
#include <QtTest>
#include <set>

using namespace varn;
using namespace varn::app;

namespace {

// Texts a window shows that are the user's data or a format, not words to
// translate.
const QStringList kDataTexts = {
    QStringLiteral("Acme"), // the workspace's system name
};

// The requirement language is English by design: the sentence words the
// composers show around the fields, the terms that caption them and the
// Builder's term buttons stay as they are in every language.
const QStringList kLanguageTexts = {
    QStringLiteral("shall"),
    QStringLiteral("A/An"),
    QStringLiteral("Part:"),
    QStringLiteral("and a default of"),
    QStringLiteral("attribute named"),
    QStringLiteral("shall include"),
    QStringLiteral("shall include a"),
    QStringLiteral("shall include the following field:"),
    QStringLiteral("with the"),
    // The terms captioning the fields.
    QStringLiteral("(is) action"),
    QStringLiteral("(to) do what?"),
    QStringLiteral("who/what"),
    QStringLiteral("and / or"),
    QStringLiteral("or / and"),
    QStringLiteral("attribute"),
    QStringLiteral("before / after"),
    QStringLiteral("by..."),
    QStringLiteral("data type of"),
    QStringLiteral("date/time"),
    QStringLiteral("decimal"),
    QStringLiteral("entity"),
    QStringLiteral("every / at"),
    QStringLiteral("if"),
    QStringLiteral("integer"),
    QStringLiteral("is..."),
    QStringLiteral("message"),
    QStringLiteral("of..."),
    QStringLiteral("or"),
    QStringLiteral("part"),
    QStringLiteral("possible values"),
    QStringLiteral("quantity"),
    QStringLiteral("spatial term"),
    QStringLiteral("state"),
    QStringLiteral("string"),
    QStringLiteral("that has..."),
    QStringLiteral("to / from"),
    QStringLiteral("to, from..."),
    QStringLiteral("type"),
    QStringLiteral("units"),
    QStringLiteral("value"),
    QStringLiteral("when..."),
    QStringLiteral("with..."),
    QStringLiteral("boolean"),
    // The Builder's term buttons.
    QStringLiteral("Units"),
    QStringLiteral("Quantity"),
    QStringLiteral("Value"),
    QStringLiteral("Attribute"),
    QStringLiteral("Spatiality"),
    QStringLiteral("State"),
    QStringLiteral("Part"),
    QStringLiteral("Type"),
    QStringLiteral("Entity"),
};
// The head of every sentence: "The <system name> system", with "shall".
const QRegularExpression kSentenceHead(QStringLiteral("^The .+ system( shall)?$"));

// A text is data when it holds no letter: numbers, keys, punctuation.
bool holdsNoWords(const QString &text)
{
    for (const QChar c : text) {
        if (c.isLetter())
            return false;
    }
    return true;
}

bool passes(const QString &text)
{
    const QString shown = QString(text).remove(QLatin1Char('&')).trimmed();
    return shown.isEmpty() || holdsNoWords(shown) || PseudoTranslation::isTranslated(text) ||
           kDataTexts.contains(shown) || kLanguageTexts.contains(shown) ||
           kSentenceHead.match(shown).hasMatch();
}

// Gathers the texts of windows that escaped translation, each with where it
// was found.
class EscapeCollector
{
public:
    QStringList escaped;

    void check(const QString &where, const QObject *holder, const char *what, const QString &text)
    {
        if (passes(text))
            return;
        const QString entry =
            QStringLiteral("%1 | %2 \"%3\" %4: %5")
                .arg(where, QString::fromLatin1(holder->metaObject()->className()),
                     holder->objectName(), QString::fromLatin1(what), text);
        if (!escaped.contains(entry))
            escaped.append(entry);
    }

    void action(const QString &where, QAction *action)
    {
        if (action->isSeparator())
            return;
        check(where, action, "text", action->text());
        check(where, action, "tool tip", action->toolTip());
        check(where, action, "status tip", action->statusTip());
        if (QMenu *menu = action->menu())
            menuItems(where, menu);
    }

    void menuItems(const QString &where, QMenu *menu)
    {
        emit menu->aboutToShow();
        check(where, menu, "title", menu->title());
        for (QAction *item : menu->actions()) {
            // The Window menu lists the open windows by their titles.
            if (!item->property("openWindow").toBool())
                action(where, item);
        }
    }

    // A window and everything in it; the contents of item views, line and
    // text edits and drop-down lists are the user's data.
    void window(const QString &where, QWidget &root)
    {
        check(where, &root, "window title", root.windowTitle());
        // Qt translates the print preview's own controls.
        if (qobject_cast<QPrintPreviewDialog *>(&root))
            return;
        QList<QWidget *> widgets = root.findChildren<QWidget *>();
        widgets.prepend(&root);
        for (QWidget *widget : widgets) {
            if (!widget->isVisibleTo(&root) && widget != &root)
                continue;
            check(where, widget, "tool tip", widget->toolTip());
            check(where, widget, "status tip", widget->statusTip());
            check(where, widget, "accessible name", widget->accessibleName());
            check(where, widget, "accessible description", widget->accessibleDescription());
            if (auto *subWindow = qobject_cast<QMdiSubWindow *>(widget))
                check(where, widget, "window title", subWindow->windowTitle());
            if (auto *label = qobject_cast<QLabel *>(widget))
                check(where, widget, "text", label->text());
            if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
                // Qt translates the standard buttons of a button box itself.
                auto *box = qobject_cast<QDialogButtonBox *>(button->parentWidget());
                if (!box || box->standardButton(button) == QDialogButtonBox::NoButton)
                    check(where, widget, "text", button->text());
            }
            if (auto *group = qobject_cast<QGroupBox *>(widget))
                check(where, widget, "title", group->title());
            if (auto *tabs = qobject_cast<QTabBar *>(widget)) {
                for (int tab = 0; tab < tabs->count(); ++tab) {
                    check(where, widget, "tab", tabs->tabText(tab));
                    check(where, widget, "tab tool tip", tabs->tabToolTip(tab));
                }
            }
            if (auto *edit = qobject_cast<QLineEdit *>(widget))
                check(where, widget, "placeholder", edit->placeholderText());
            if (auto *edit = qobject_cast<QPlainTextEdit *>(widget))
                check(where, widget, "placeholder", edit->placeholderText());
            if (auto *edit = qobject_cast<QTextEdit *>(widget))
                check(where, widget, "placeholder", edit->placeholderText());
            if (auto *view = qobject_cast<QAbstractItemView *>(widget))
                headings(where, view);
            if (auto *bar = qobject_cast<QMenuBar *>(widget)) {
                for (QAction *entry : bar->actions())
                    action(where, entry);
            }
            if (auto *bar = qobject_cast<QToolBar *>(widget)) {
                check(where, widget, "window title", bar->windowTitle());
                for (QAction *entry : bar->actions())
                    action(where, entry);
            }
            if (auto *bar = qobject_cast<QStatusBar *>(widget))
                check(where, widget, "message", bar->currentMessage());
        }
    }

    void headings(const QString &where, QAbstractItemView *view)
    {
        QAbstractItemModel *model = view->model();
        if (!model)
            return;
        auto *table = qobject_cast<QTableView *>(view);
        auto *tree = qobject_cast<QTreeView *>(view);
        const bool shown = (table && !table->horizontalHeader()->isHidden()) ||
                           (tree && !tree->header()->isHidden());
        if (!shown)
            return;
        for (int column = 0; column < model->columnCount(); ++column)
            check(where, view, "heading",
                  model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
    }
};

// Fails listing every escaped text; the list also goes to the log, since a
// test message is cut short.
void verifyNoneEscaped(const EscapeCollector &collector)
{
    for (const QString &entry : collector.escaped)
        qInfo().noquote() << "escaped:" << entry;
    QVERIFY2(collector.escaped.isEmpty(),
             qPrintable(QStringLiteral("%1 escaped:\n").arg(collector.escaped.size()) +
                        collector.escaped.join('\n')));
}

constexpr int kBuilder = 0;
constexpr int kTechnical = 23;

std::unique_ptr<QDialog> openComposer(Workbench &workbench, int source)
{
    if (source == kBuilder)
        return std::make_unique<templates::RequirementBuilderDialog>(workbench, -1, false);
    if (source == kTechnical)
        return std::make_unique<templates::TechnicalComposerDialog>(workbench, -1, false);
    if (source <= 18)
        return std::make_unique<templates::FunctionalTemplateDialog>(workbench, source, -1, false);
    return std::make_unique<templates::StructuralTemplateDialog>(workbench, source, -1, false);
}

} // namespace

Q_DECLARE_METATYPE(varn::app::WindowKind)

class UntranslatedTextsTest : public ShellSuite
{
    Q_OBJECT

    PseudoTranslation m_translation;
    EscapeCollector m_opening;

    // Each modal dialog the program runs: its texts are read, and it is
    // cancelled.
    std::function<int(QDialog &)> readDialog(EscapeCollector &collector, const QString &where)
    {
        return [&collector, where](QDialog &dialog) {
            dialog.show();
            collector.window(where + QStringLiteral(" > ") + dialog.windowTitle(), dialog);
            return int(QDialog::Rejected);
        };
    }

private slots:
    void initTestCase()
    {
        const QString notInstalled = m_translation.installGathered();
        QVERIFY2(notInstalled.isEmpty(), qPrintable(notInstalled));
    }

    void init()
    {
        newProgram();
        m_opening = EscapeCollector();
        startWindow(registerLandedFeatures);
        m_presenter.dialogHandler = [this](QDialog &dialog) {
            dialog.show();
            m_opening.window(QStringLiteral("New workspace"), dialog);
            return typeSystemName(QStringLiteral("Acme"))(dialog);
        };
        m_window->workspace().newWorkspace();
        m_presenter.dialogHandler = {};
        QVERIFY(m_app->isWorkspaceOpen());
    }

    void cleanup() { endProgram(); }

    // A text lupdate cannot place in its subsystem's context (a Tr it did
    // not resolve, or took for a context of its own, "varn::store::Tr::Tr")
    // is gathered under a context no translation is looked up in: it would
    // never be translated. The contexts are "varn::" and a subsystem's name.
    void everyTextHasItsSubsystemsContext()
    {
        QFile file(PseudoTranslation::gatheredTextsPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QStringList strays;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement &&
                xml.name() == QLatin1String("name")) {
                const QString context = xml.readElementText();
                static const QRegularExpression subsystem(QStringLiteral("^varn::[a-z]+$"));
                if (!subsystem.match(context).hasMatch())
                    strays.append(context);
            }
        }
        QVERIFY(!xml.hasError());
        QCOMPARE(strays, QStringList());
    }

    // The dialogs that open a workspace: the start dialog and the one that
    // names a new workspace's system.
    void openingDialogsAreTranslated()
    {
        EscapeCollector collector = m_opening;
        m_presenter.dialogHandler = readDialog(collector, QStringLiteral("Start"));
        m_window->workspace().showStartDialog();
        verifyNoneEscaped(collector);
    }

    // The main window over each kind of child window: its title, menus,
    // tool bars, status bar and the window's own controls.
    void windowsAreTranslated_data()
    {
        QTest::addColumn<WindowKind>("kind");
        FeatureRegistry features;
        registerLandedFeatures(features);
        for (const WindowSpec *window : features.windows())
            QTest::newRow(qPrintable(QString::fromUtf8(window->kind.name().data(),
                                                       qsizetype(window->kind.name().size()))))
                << window->kind;
    }

    void windowsAreTranslated()
    {
        QFETCH(WindowKind, kind);
        m_window->goTo(kind);
        EscapeCollector collector;
        collector.window(QStringLiteral("Main window"), *m_window);
        for (QAction *entry : m_window->menuBar()->actions())
            collector.action(QStringLiteral("Main window menus"), entry);
        verifyNoneEscaped(collector);
    }

    // Every item of the menus over each kind of window, run: the dialogs and
    // windows it opens show their texts translated.
    void menuItemsOpenTranslatedDialogs_data() { windowsAreTranslated_data(); }

    void menuItemsOpenTranslatedDialogs()
    {
        QFETCH(WindowKind, kind);
        const MainActions &a = m_window->actions();
        // Items that end the program or the workspace, and the recent files.
        const std::set<QAction *> leftOut(
            {a.exit, a.close, a.newWorkspace, a.open, a.toolbar, a.statusBar});
        EscapeCollector collector;
        m_window->goTo(kind);
        QList<QPointer<QAction>> items;
        for (QAction *entry : m_window->menuBar()->actions()) {
            emit entry->menu()->aboutToShow();
            for (QAction *item : entry->menu()->actions())
                items.append(item);
        }
        for (const QPointer<QAction> &item : items) {
            if (!item || item->isSeparator() || item->menu() || !item->isEnabled() ||
                leftOut.count(item.data()) || a.recentFiles.contains(item.data()) ||
                item->property("openWindow").toBool())
                continue;
            const QString where = QString(item->text()).remove(QLatin1Char('&'));
            m_presenter.dialogHandler = readDialog(collector, where);
            item->trigger();
            m_presenter.dialogHandler = {};
            for (QWidget *top : QApplication::topLevelWidgets()) {
                if (top->isVisible() && top != m_window.get() && !qobject_cast<QMenu *>(top))
                    collector.window(where + QStringLiteral(" > ") + top->windowTitle(), *top);
            }
            // Back to the window of the row for the next item.
            if (m_app->isWorkspaceOpen())
                m_window->goTo(kind);
        }
        verifyNoneEscaped(collector);
    }

    // Each composer: the 22 templates, the Builder and the technical one,
    // also with its example shown.
    void composersAreTranslated_data()
    {
        QTest::addColumn<int>("source");
        for (int source = kBuilder; source <= kTechnical; ++source)
            QTest::addRow("composer %d", source) << source;
    }

    void composersAreTranslated()
    {
        QFETCH(int, source);
        std::unique_ptr<QDialog> dialog = openComposer(m_window->workbench(), source);
        dialog->show();
        EscapeCollector collector;
        collector.window(dialog->windowTitle(), *dialog);
        if (source == kBuilder || source == 1)
            // Both open in the first shade of the default colour choice.
            saveScreenshot(*dialog,
                           source == kBuilder ? QStringLiteral("pseudo-builder.png")
                                              : QStringLiteral("pseudo-template-1.png"),
                           QColor(160, 219, 248));
        verifyNoneEscaped(collector);
    }

    // A picture of the main window over Requirements Central, translated.
    void mainWindowPicture()
    {
        m_window->goTo(central::kCentralWindow);
        m_window->resize(1100, 800);
        // The status bar lays its panes out once the events are handled.
        QCoreApplication::processEvents();
        // The program's window area shows around Requirements Central.
        checkScreenshot(*m_window, QStringLiteral("pseudo-main-window.png"),
                        m_window->mdiArea()->background().color());
    }
};

QTEST_MAIN(UntranslatedTextsTest)
#include "tst_untranslatedtexts.moc"
