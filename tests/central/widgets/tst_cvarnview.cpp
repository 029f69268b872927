#include "app/widgets/cchildframe.h"
#include "app/widgets/labelledcontrols.h"
#include "app/widgets/mainactions.h"
#include "app/widgets/screenshot.h"
#include "app/widgets/shellsuite.h"
#include "app/widgets/teamworkspacedialog.h"
#include "central/requirementrows.h"
#include "central/widgets/centralviewfeature.h"
#include "central/widgets/cvarnview.h"
#include "central/widgets/deleteconfirmationdialog.h"
#include "central/widgets/listingpainter.h"
#include "central/widgets/requirementattributesdialog.h"
#include "central/widgets/requirementdeletion.h"
#include "central/widgets/requirementpicktable.h"
#include "main/landedfeatures.h"
#include "support/appconnections.h"
#include "support/pgcluster.h"
#include "support/testbackend.h"
#include "templates/widgets/technicalcomposerdialog.h"
#include "templates/widgets/templatemenu.h"

#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QMdiArea>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSqlQuery>
#include <QTableView>
#include <QtTest>

using namespace varn;
using namespace varn::app;
using varn::central::CVarnView;

namespace {

const QColor kSkyBlue(184, 228, 250);
const QColor kBisque(250, 224, 202);
const QString kNoSelection = QStringLiteral("No requirement is currently selected.");

QStringList headers(const QTableView &list)
{
    QStringList texts;
    for (int column = 0; column < list.model()->columnCount(); ++column)
        texts.append(list.model()->headerData(column, Qt::Horizontal).toString());
    return texts;
}

// The numbers the list shows, the trailing empty row as "".
QStringList shownNumbers(const QTableView &list)
{
    QStringList numbers;
    for (int row = 0; row < list.model()->rowCount(); ++row)
        numbers.append(list.model()->index(row, 0).data().toString());
    return numbers;
}

// The pages of a PDF file: one "/Type /Page" object each.
int pdfPageCount(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return int(QString::fromLatin1(file.readAll()).count(page));
}

// A page of A4 at 1200 dots per inch that keeps the texts painted on it:
// each run with its baseline and the box it covers.
class TextRecorder : public QPaintDevice
{
public:
    struct Drawn
    {
        QString text;
        qreal baseline;
        QRectF box;
    };

    QSize size() const { return m_size; }
    const QList<Drawn> &drawn() const { return m_engine.drawn; }
    QPaintEngine *paintEngine() const override { return &m_engine; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmWidthMM:
            return qRound(m_size.width() * 25.4 / kDpi);
        case PdmHeightMM:
            return qRound(m_size.height() * 25.4 / kDpi);
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return kDpi;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    struct Engine : QPaintEngine
    {
        Engine() : QPaintEngine(QPaintEngine::AllFeatures) {}
        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState &) override {}
        void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
        void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
        void drawPath(const QPainterPath &) override {}
        void drawTextItem(const QPointF &origin, const QTextItem &item) override
        {
            drawn.append({item.text(), origin.y(),
                          QRectF(origin.x(), origin.y() - item.ascent(), item.width(),
                                 item.ascent() + item.descent())});
        }
        Type type() const override { return QPaintEngine::User; }
        QList<Drawn> drawn;
    };

    static constexpr int kDpi = 1200;
    QSize m_size =
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10))
            .paintRectPixels(kDpi)
            .size();
    mutable Engine m_engine;
};

void clickHeader(QTableView &list, int section)
{
    QHeaderView *header = list.horizontalHeader();
    const QPoint inside(header->sectionViewportPosition(section) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, inside);
}

} // namespace

class CVarnViewTest : public ShellSuite
{
    Q_OBJECT

    void start(const std::function<void(FeatureRegistry &)> &provide = {})
    {
        startWindow([&provide](FeatureRegistry &features) {
            // Requirements Central and the names of the templates are always there.
            central::registerCentralView(features);
            templates::registerTemplateMenu(features);
            if (provide)
                provide(features);
        });
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    // A new workspace, and a path to save it to. On the server backend it is
    // a team workspace in a fresh database, already written to that path.
    QString createWorkspace()
    {
        const QString path = m_environment->root() + QStringLiteral("/Acme.vnp");
        if (TestBackend::isServer()) {
            const QString server = TestBackend::freshServerDatabase();
            m_presenter.dialogHandler = [&](QDialog &dialog) {
                auto *team = qobject_cast<TeamWorkspaceDialog *>(&dialog);
                team->systemNameEdit()->setText(QStringLiteral("Acme"));
                team->serverEdit()->setText(PgCluster::instance()->socketFolder());
                team->databaseEdit()->setText(PgCluster::databaseOf(server));
                team->userEdit()->setText(PgCluster::userName());
                team->workspaceFileEdit()->setText(path);
                team->accept();
                return team->result();
            };
            m_window->actions().newTeamWorkspace->trigger();
            m_presenter.dialogHandler = {};
            if (!m_app->isTeamWorkspace())
                qWarning() << "no team workspace:" << m_presenter.texts();
            return path;
        }
        makeWorkspace();
        return path;
    }

    CVarnView &view() const
    {
        return *qobject_cast<CVarnView *>(m_window->view(central::kCentralWindow));
    }
    QTableView &list() const { return *view().list(); }
    template <typename T> T *control(const char *name) const
    {
        return view().findChild<T *>(QString::fromLatin1(name));
    }

    // Stores requirements as a composing command does; the list shows All.
    void store(const QList<RequirementRow> &rows)
    {
        for (const RequirementRow &row : rows)
            QVERIFY(insertRequirement(requirementsDatabaseOf(*m_app), row));
        m_window->workbench().announceRequirementsStored();
    }

    void storeExamples()
    {
        store(
            {{1, "Functional", 9, "3.1", "notify the operator", 1, 0, {"wind sensor"}},
             {2, "Structural", 19, "3.2", "define the gate", 1, 0, {"gate"}},
             {3, "Deleted", 9, "3.1", "assess the weight", 1, 0, {"freight scale"}},
             {4, "Functional", 9, "3.1", "assess the weight of the cargo", 2, 3, {"freight scale"}},
             {12, "Technical", 23, "4", "answer within one second"}});
    }

    void reopen(const QString &path)
    {
        m_presenter.saveAnswers = {path};
        QVERIFY(m_window->workspace().closeWorkspace());
        QVERIFY(m_window->workspace().openWorkspaceFile(path));
    }

    QVariant stored(const QString &column) const
    {
        QSqlQuery query(requirementsDatabaseOf(*m_app));
        return query.exec(QStringLiteral("SELECT %1 FROM SYSTEM_NAME").arg(column)) && query.next()
                   ? query.value(0)
                   : QVariant();
    }

private slots:
    void init()
    {
        newProgram();
        start();
    }

    void cleanup() { endProgram(); }

    void newWorkspace()
    {
        createWorkspace();
        QCOMPARE(headers(list()), (QStringList{"No.", "Type", "Category", "Priority", "Release",
                                               "Paragraph", "Requirement"}));
        QCOMPARE(shownNumbers(list()), QStringList{""});
        // At least the columns' own widths, and wide enough for their texts.
        const QList<int> widths{40, 64, 80, 54, 54, 92, 420};
        const QStringList texts{"100",     "Functional", "Performance", "Priority",
                                "Release", "Paragraph",  "Requirement"};
        const QFontMetrics metrics = list().fontMetrics();
        for (int column = 0; column < widths.size(); ++column) {
            const int width = list().horizontalHeader()->sectionSize(column);
            QVERIFY(width >= widths.at(column));
            QVERIFY2(width >= metrics.horizontalAdvance(texts.at(column)) + 8,
                     qPrintable(texts.at(column)));
        }
        QVERIFY(list().showGrid());
        QCOMPARE(list().selectionBehavior(), QAbstractItemView::SelectRows);

        QCOMPARE(view().palette().color(QPalette::Window), kSkyBlue);
        QCOMPARE(view().findChild<QPlainTextEdit *>("sentence")->palette().color(QPalette::Base),
                 QColor(255, 255, 190));
        MainActions &a = m_window->actions();
        QCOMPARE(a.item(central::backgroundColourItem(0))->isChecked(), true);
        QStringList checked;
        for (QAction *item : a.itemsIn(MenuGroup::Display)) {
            if (item->isChecked())
                checked.append(item->text());
        }
        QCOMPARE(checked, (QStringList{"&Type", "&Category", "&Priority", "R&elease", "Para&graph",
                                       "Re&quirement"}));

        QCOMPARE(control<QRadioButton>("All")->toolTip(),
                 QStringLiteral("Queries for requirements based on type"));
        QCOMPARE(control<QLineEdit>("number")->toolTip(),
                 QStringLiteral("Queries for requirement based on number"));
        QCOMPARE(control<QPushButton>("byVersion")->toolTip(),
                 QStringLiteral("Queries for all versions of selected requirement"));
        QCOMPARE(control<QComboBox>("template")->count(), 23);
        QCOMPARE(control<QComboBox>("template")->itemText(1), QStringLiteral("1  Association"));
        QCOMPARE(control<QComboBox>("template")->currentIndex(), -1);
        QCOMPARE(control<QLineEdit>("number")->maxLength(), 50);
        QCOMPARE(control<QComboBox>("entity")->lineEdit()->maxLength(), 50);
        QVERIFY(m_presenter.messages.isEmpty());
    }

    void recordNavigation()
    {
        // Each Record item moves the selection as RecordNavigation says
        // (tst_requirementscentral holds its cases).
        createWorkspace();
        storeExamples();
        MainActions &a = m_window->actions();
        control<QRadioButton>("All")->click();
        QCOMPARE(shownNumbers(list()), (QStringList{"1", "2", "4", "12", ""}));
        QCOMPARE(view().selectedRow(), -1);
        a.item(central::kPreviousRecord)->trigger();
        QCOMPARE(view().selectedRow(), 0);
        a.item(central::kLastRecord)->trigger();
        QCOMPARE(view().selectedRow(), 3);
        a.item(central::kNextRecord)->trigger();
        QCOMPARE(view().selectedRow(), 0);
        a.item(central::kNextRecord)->trigger();
        QCOMPARE(view().selectedRow(), 1);
        a.item(central::kFirstRecord)->trigger();
        QCOMPARE(view().selectedRow(), 0);
        QCOMPARE(m_window->statusPaneText(2), QStringLiteral("4 requirements"));
        QCOMPARE(m_window->statusPaneText(3), QStringLiteral("No. 1"));
        // The other features' commands on the selected requirement see it.
        QCOMPARE(m_window->workbench().selectedRequirement(), 1);
        // The list is navigable with the keys.
        list().setFocus();
        QTest::keyClick(&list(), Qt::Key_Down);
        QCOMPARE(view().selectedRow(), 1);
        QCOMPARE(m_window->workbench().selectedRequirement(), 2);
    }

    void byNumber()
    {
        createWorkspace();
        storeExamples();
        auto *number = control<QLineEdit>("number");
        control<QRadioButton>("Technical")->click();
        number->setText(QStringLiteral("12a"));
        control<QPushButton>("numberGo")->click();
        QCOMPARE(m_presenter.messages.size(), 1);
        QCOMPARE(m_presenter.messages.first().text,
                 QStringLiteral("Invalid Requirement number. Must specify an integer, * for all, "
                                "or a combination thereof."));
        QCOMPARE(m_presenter.messages.first().kind, MessageKind::Warning);
        QCOMPARE(shownNumbers(list()), (QStringList{"12", ""}));
        QVERIFY(number->hasFocus());

        // "*" lists deleted and superseded requirements too.
        number->setText(QStringLiteral("*"));
        QTest::keyClick(number, Qt::Key_Enter);
        QCOMPARE(shownNumbers(list()), (QStringList{"1", "2", "3", "4", "12", ""}));
        QCOMPARE(list().model()->index(2, 1).data().toString(), QStringLiteral("Deleted"));
        number->setText(QStringLiteral("1*"));
        QTest::keyClick(number, Qt::Key_Return);
        QCOMPARE(shownNumbers(list()), (QStringList{"1", "12", ""}));
        QCOMPARE(m_presenter.messages.size(), 1);
    }

    void otherQueries()
    {
        createWorkspace();
        storeExamples();
        auto *entity = control<QComboBox>("entity");
        QCOMPARE(entity->count(), 3); // refilled after the requirements were stored
        QCOMPARE(entity->itemText(0), QStringLiteral("freight scale"));
        entity->setEditText(QStringLiteral("freight*"));
        QTest::keyClick(entity->lineEdit(), Qt::Key_Return);
        QCOMPARE(shownNumbers(list()), (QStringList{"4", ""}));
        QCOMPARE(entity->currentText(), QStringLiteral("freight*"));

        auto *paragraph = control<QLineEdit>("paragraph");
        paragraph->setText(QStringLiteral("3.*"));
        control<QPushButton>("paragraphGo")->click();
        QCOMPARE(shownNumbers(list()), (QStringList{"1", "2", "4", ""}));

        auto *byTemplate = control<QComboBox>("template");
        byTemplate->setCurrentIndex(9);
        emit byTemplate->activated(9);
        QCOMPARE(shownNumbers(list()), (QStringList{"1", "4", ""}));

        // Every version of the selected requirement.
        view().selectRow(1);
        control<QPushButton>("byVersion")->click();
        QCOMPARE(shownNumbers(list()), (QStringList{"3", "4", ""}));
        view().selectRow(2);
        control<QPushButton>("byVersion")->click();
        QCOMPARE(m_presenter.texts(), QStringList{kNoSelection});
    }

    // By Text lists the best matches first, without a column's sort mark,
    // and refuses a text without a word, keeping the list.
    void byText()
    {
        createWorkspace();
        storeExamples();
        auto *words = control<QLineEdit>("words");
        QCOMPARE(words->accessibleName(), QStringLiteral("By Text:"));
        words->setText(QStringLiteral("weight \"of the\" car*"));
        QTest::keyClick(words, Qt::Key_Return);
        QCOMPARE(shownNumbers(list()), (QStringList{"4", ""}));
        QCOMPARE(list().horizontalHeader()->sortIndicatorSection(), -1);
        QCOMPARE(control<QRadioButton>("All")->isChecked(), false);

        words->setText(QStringLiteral("\"*\" -"));
        control<QPushButton>("wordsGo")->click();
        QCOMPARE(m_presenter.messages.size(), 1);
        QCOMPARE(m_presenter.messages.first().kind, MessageKind::Warning);
        QVERIFY(m_presenter.messages.first().text.startsWith(
            QStringLiteral("Type the words to search for")));
        QCOMPARE(shownNumbers(list()), (QStringList{"4", ""}));
        QVERIFY(words->hasFocus());

        words->setText(QStringLiteral("the"));
        QTest::keyClick(words, Qt::Key_Enter);
        // Every sentence begins "The Acme system shall".
        QCOMPARE(shownNumbers(list()).size(), 5);
        clickHeader(list(), 0);
        QCOMPARE(shownNumbers(list()), (QStringList{"1", "2", "4", "12", ""}));
        QCOMPARE(list().horizontalHeader()->sortIndicatorSection(), 0);
        QCOMPARE(words->text(), QStringLiteral("the"));
        [&] { QCOMPARE(misnamedControls(view()), QStringList()); }();
        checkScreenshot(*m_window, QStringLiteral("requirements-central-by-text.png"),
                        m_window->mdiArea()->background().color());
    }

    void sortByHeader()
    {
        createWorkspace();
        storeExamples();
        const int requirement = int(headers(list()).indexOf(QStringLiteral("Requirement")));
        clickHeader(list(), requirement);
        QCOMPARE(shownNumbers(list()), (QStringList{"12", "4", "2", "1", ""}));
        clickHeader(list(), requirement);
        QCOMPARE(shownNumbers(list()), (QStringList{"1", "2", "4", "12", ""}));
        QCOMPARE(view().central().sortColumn(), central::Column::Requirement);
        QVERIFY(!view().central().sortAscending());
        QCOMPARE(list().horizontalHeader()->sortIndicatorSection(), requirement);
        QCOMPARE(list().horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
        // The query stays what it was.
        control<QRadioButton>("Functional")->click();
        clickHeader(list(), 0);
        QCOMPARE(shownNumbers(list()), (QStringList{"1", "4", ""}));
        QVERIFY(view().isEnabled());
    }

    void versionColumnIsStored()
    {
        const QString path = createWorkspace();
        storeExamples();
        QAction *version = m_window->actions().item(central::displayColumnItem(5));
        QCOMPARE(version->text(), QStringLiteral("&Version"));
        QVERIFY(!version->isChecked());
        version->trigger();
        QVERIFY(version->isChecked());
        QCOMPARE(stored(QStringLiteral("VersionSet")).toInt(), 1);
        QCOMPARE(headers(list()).indexOf(QStringLiteral("Version")), 5);
        QCOMPARE(list().model()->index(2, 5).data().toString(), QStringLiteral("2"));
        QVERIFY(list().horizontalHeader()->sectionSize(5) >= 54);
        // The rows stay those of the current query.
        QCOMPARE(shownNumbers(list()), (QStringList{"1", "2", "4", "12", ""}));

        reopen(path);
        QCOMPARE(headers(list()).indexOf(QStringLiteral("Version")), 5);
        QVERIFY(m_window->actions().item(central::displayColumnItem(5))->isChecked());
        QVERIFY(m_presenter.messages.isEmpty());
    }

    void backgroundColour()
    {
        const QString path = createWorkspace();
        QSqlQuery update(requirementsDatabaseOf(*m_app));
        QVERIFY(update.exec(QStringLiteral("UPDATE SYSTEM_NAME SET BackgroundColor = 3")));
        reopen(path);
        QCOMPARE(m_presenter.texts(),
                 QStringList{"The BackgroundColor field of your SYSTEM_NAME table (in your .mdb "
                             "file) must be 0, 1, or 2."});
        QCOMPARE(view().palette().color(QPalette::Window), kSkyBlue);
        for (QAction *colour : m_window->actions().itemsIn(MenuGroup::ViewColours))
            QVERIFY(!colour->isChecked());

        m_window->actions().item(central::backgroundColourItem(1))->trigger();
        QCOMPARE(view().palette().color(QPalette::Window), kBisque);
        QCOMPARE(stored(QStringLiteral("BackgroundColor")).toInt(), 1);
        QCOMPARE(m_window->workbench().backgroundColour(), 1);
        QVERIFY(m_window->actions().item(central::backgroundColourItem(1))->isChecked());
        QVERIFY(!m_window->actions().item(central::backgroundColourItem(0))->isChecked());
        // Choosing the current colour again changes nothing.
        m_window->actions().item(central::backgroundColourItem(1))->trigger();
        QVERIFY(m_window->actions().item(central::backgroundColourItem(1))->isChecked());
        QCOMPARE(m_presenter.messages.size(), 1);
    }

    void seeRequirement()
    {
        createWorkspace();
        storeExamples();
        auto *see = control<QPushButton>("seeRequirement");
        auto *sentence = view().findChild<QPlainTextEdit *>("sentence");
        see->click();
        view().selectRow(4); // the empty row
        see->click();
        QCOMPARE(m_presenter.texts(), (QStringList{kNoSelection, kNoSelection}));
        QCOMPARE(m_presenter.messages.first().kind, MessageKind::Warning);
        QVERIFY(sentence->toPlainText().isEmpty());

        const QRect second = list().visualRect(list().model()->index(1, 2));
        QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, second.center());
        QTest::mouseDClick(list().viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(sentence->toPlainText(), QStringLiteral("The Acme system shall define the gate."));
        view().selectRow(3);
        QTest::keyClick(&list(), Qt::Key_Return);
        QCOMPARE(sentence->toPlainText(),
                 QStringLiteral("The Acme system shall answer within one second."));
        QCOMPARE(m_presenter.messages.size(), 2);
    }

    void rowCommands()
    {
        QList<int> edited;
        cleanup();
        init();
        m_window.reset();
        start([&](FeatureRegistry &features) {
            features.provideCommand(
                central::kEditRequirement, [&](Workbench &workbench, int number) {
                    edited.append(number);
                    QVERIFY(insertRequirement(requirementsDatabaseOf(workbench.app()), {30}));
                    workbench.announceRequirementsStored();
                });
        });
        createWorkspace();
        storeExamples();
        QVERIFY(!control<QPushButton>("delete")->isEnabled());
        QVERIFY(!control<QPushButton>("reuse")->isEnabled());
        view().selectRow(1);
        control<QPushButton>("edit")->click();
        QCOMPARE(edited, QList<int>{2});
        // The list follows what the command stored.
        QCOMPARE(shownNumbers(list()), (QStringList{"1", "2", "4", "12", "30", ""}));
    }

    // Delete asks first: with dependents in a dialog that lists them, in
    // ascending order; Yes marks the requirement deleted, the list drops it
    // and the requirements count as changed.
    void deleteAsksThenMarksTheRequirement_data()
    {
        QTest::addColumn<QString>("answer"); // how the dialog is left
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("yes") << "yes" << QStringList{"1", "4", "12", ""};
        QTest::newRow("no") << "no" << QStringList{"1", "2", "4", "12", ""};
        QTest::newRow("enter") << "enter" << QStringList{"1", "2", "4", "12", ""};
    }

    void deleteAsksThenMarksTheRequirement()
    {
        QFETCH(QString, answer);
        QFETCH(QStringList, listed);
        const bool yes = answer == QLatin1String("yes");
        cleanup();
        init();
        m_window.reset();
        start(central::registerDeletion);
        createWorkspace();
        storeExamples();
        QVERIFY(insertDependent(requirementsDatabaseOf(*m_app), 2, 12));
        QVERIFY(insertDependent(requirementsDatabaseOf(*m_app), 2, 4));
        QVERIFY(control<QPushButton>("delete")->isEnabled());

        control<QPushButton>("delete")->click(); // nothing selected yet
        QCOMPARE(m_presenter.texts(), QStringList{kNoSelection});
        m_presenter.clear();
        view().selectRow(1);
        QStringList asked; // heading, dependents, question
        m_presenter.dialogHandler = [&](QDialog &dialog) {
            auto *confirmation = qobject_cast<central::DeleteConfirmationDialog *>(&dialog);
            if (!confirmation)
                return int(QDialog::Rejected);
            asked << confirmation->heading() << confirmation->dependents().join(QLatin1Char(' '))
                  << confirmation->question();
            [&] { QCOMPARE(misnamedControls(dialog), QStringList()); }();
            if (answer == QLatin1String("yes")) {
                [&] {
                    saveScreenshot(dialog, QStringLiteral("delete-confirmation.png"),
                                   programBackground());
                }();
                confirmation->yesButton()->click();
            } else if (answer == QLatin1String("no")) {
                confirmation->noButton()->click();
            } else {
                dialog.show();
                QTest::keyClick(&dialog, Qt::Key_Return); // No is the default
            }
            return dialog.result();
        };
        control<QPushButton>("delete")->click();
        QCOMPARE(m_presenter.dialogTitles, QStringList{"Delete Confirmation"});
        QCOMPARE(asked, (QStringList{"Requirement number 2 has the\nfollowing dependent "
                                     "requirements.",
                                     "4 12", "Do you want to continue with deletion?"}));
        QCOMPARE(m_presenter.questions, QStringList());
        QCOMPARE(shownNumbers(list()), listed);
        QCOMPARE(m_app->requirementsChanged(), yes);
        if (!yes)
            return;
        // Without dependents the plain question asks.
        view().selectRow(0);
        m_presenter.yesNoAnswers = {true};
        control<QPushButton>("delete")->click();
        QCOMPARE(m_presenter.questions,
                 QStringList{"Delete Confirmation|Are you sure you want to delete the "
                             "selected requirement?"});
        QCOMPARE(m_presenter.dialogTitles.size(), 1);
        QCOMPARE(shownNumbers(list()), (QStringList{"4", "12", ""}));
    }

    // The sentence box shows the requirement the selection is on, however
    // the selection moved, and follows it to the next row after a deletion.
    void sentenceFollowsTheSelection_data()
    {
        QTest::addColumn<QString>("move");
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("question");
        const QString gate = QStringLiteral("The Acme system shall define the gate.");
        QTest::newRow("arrow down") << "down" << gate << "";
        QTest::newRow("next record") << "next" << gate << "";
        QTest::newRow("last record") << "last"
                                     << "The Acme system shall answer within one second."
                                     << "";
        QTest::newRow("empty row") << "end"
                                   << ""
                                   << "";
        QTest::newRow("delete") << "delete"
                                << "The Acme system shall assess the weight of the cargo."
                                << "Delete Confirmation|Are you sure you want to delete the "
                                   "selected requirement?";
    }

    void sentenceFollowsTheSelection()
    {
        QFETCH(QString, move);
        QFETCH(QString, sentence);
        QFETCH(QString, question);
        cleanup();
        init();
        m_window.reset();
        start(central::registerDeletion);
        createWorkspace();
        storeExamples();
        view().selectRow(0);
        QCOMPARE(view().sentence(), QStringLiteral("The Acme system shall notify the operator."));
        MainActions &a = m_window->actions();
        if (move == QLatin1String("down")) {
            list().setFocus();
            QTest::keyClick(&list(), Qt::Key_Down);
        } else if (move == QLatin1String("next")) {
            a.item(central::kNextRecord)->trigger();
        } else if (move == QLatin1String("last")) {
            a.item(central::kLastRecord)->trigger();
        } else if (move == QLatin1String("end")) {
            view().selectRow(4);
        } else {
            a.item(central::kNextRecord)->trigger(); // requirement 2, the one the box shows
            m_presenter.yesNoAnswers = {true};
            control<QPushButton>("delete")->click();
            QCOMPARE(shownNumbers(list()), (QStringList{"1", "4", "12", ""}));
        }
        QCOMPARE(view().sentence(), sentence);
        QCOMPARE(m_presenter.questions.join(QString()), question);
        QVERIFY(m_presenter.messages.isEmpty());
    }

    // After a command stored or deleted requirements the selection stays on
    // the requirement it was on, follows an edit to the version it saved
    // (while the composer is still open, and after), and after a deletion
    // takes the row that took the deleted one's place; the sentence box
    // shows what is selected, and Delete would offer that requirement.
    void selectionFollowsTheChangedRequirement_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("descending"); // the list sorted by No., highest first
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("followed");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("edit") << "edit" << false << 12 << 21
                              << QStringList{"1", "2", "4", "20", "21", ""};
        QTest::newRow("edit, saved twice")
            << "edit twice" << false << 12 << 22 << QStringList{"1", "2", "4", "20", "22", ""};
        QTest::newRow("edit, highest first")
            << "edit" << true << 12 << 21 << QStringList{"21", "20", "4", "2", "1", ""};
        QTest::newRow("new requirement, highest first")
            << "new" << true << 4 << 4 << QStringList{"21", "20", "12", "4", "2", "1", ""};
        QTest::newRow("delete") << "delete" << false << 2 << 4
                                << QStringList{"1", "4", "12", "20", ""};
        QTest::newRow("delete, highest first")
            << "delete" << true << 12 << 4 << QStringList{"20", "4", "2", "1", ""};
        QTest::newRow("delete the last")
            << "delete" << false << 20 << 12 << QStringList{"1", "2", "4", "12", ""};
    }

    void selectionFollowsTheChangedRequirement()
    {
        QFETCH(QString, command);
        QFETCH(bool, descending);
        QFETCH(int, selected);
        QFETCH(int, followed);
        QFETCH(QStringList, listed);
        cleanup();
        init();
        m_window.reset();
        start([](FeatureRegistry &features) {
            central::registerDeletion(features);
            templates::registerComposerFeatures(features);
            linkLandedFeatures(features);
        });
        createWorkspace();
        storeExamples();
        store({{20, "Functional", 9, "3.3", "log every gate change"}});
        QSqlQuery counter(requirementsDatabaseOf(*m_app));
        QVERIFY(counter.exec(QStringLiteral("UPDATE PK_MASTR_REQ SET PMastrReq = 20")));
        if (descending)
            clickHeader(list(), 0);
        view().selectRow(view().central().model().rowOf(selected));
        const auto selectedNumber = [this] {
            return int(view().central().model().numberAt(view().selectedRow()));
        };
        const auto shownSentence = [this](int number) {
            const store::MasterReqRow *row =
                view().central().model().requirementAt(view().central().model().rowOf(number));
            return row ? central::RequirementsCentral::sentenceText(*row) : QString();
        };
        QList<int> whileOpen; // the selection after each save, the composer still open
        m_presenter.dialogHandler = [&](QDialog &dialog) {
            auto *composer = qobject_cast<templates::TechnicalComposerDialog *>(&dialog);
            if (!composer)
                return int(QDialog::Rejected);
            const int saves = command == QLatin1String("edit twice") ? 2 : 1;
            for (int save = 1; save <= saves; ++save) {
                composer->textBox()->setPlainText(QStringLiteral("answer within %1 ms").arg(save));
                composer->saveButton()->click();
                whileOpen.append(selectedNumber());
            }
            return int(QDialog::Rejected);
        };
        m_presenter.yesNoAnswers = {true};
        if (command.startsWith(QLatin1String("edit")))
            control<QPushButton>("edit")->click();
        else if (command == QLatin1String("new"))
            m_window->actions().item(templates::kComposeTechnical)->trigger();
        else
            control<QPushButton>("delete")->click();
        QCOMPARE(m_presenter.texts(), QStringList());
        QCOMPARE(shownNumbers(list()), listed);
        QCOMPARE(selectedNumber(), followed);
        QCOMPARE(view().sentence(), shownSentence(followed));
        if (command == QLatin1String("edit twice"))
            QCOMPARE(whileOpen, (QList<int>{21, 22}));
        else if (command != QLatin1String("delete"))
            QCOMPARE(whileOpen, QList<int>{followed});
    }

    // Edit > Requirement Attributes: after Save Changes both Central and the
    // dialog's own list show the stored priority and paragraph, while the
    // dialog is still open; Central stays on the requirement wherever the
    // sort puts it.
    void savedAttributesShowInTheLists_data()
    {
        QTest::addColumn<bool>("byPriority"); // the list sorted by Priority
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("by number") << false << QStringList{"1", "2", "4", "12", ""};
        QTest::newRow("by priority") << true << QStringList{"1", "4", "12", "2", ""};
    }

    void savedAttributesShowInTheLists()
    {
        QFETCH(bool, byPriority);
        QFETCH(QStringList, listed);
        createWorkspace();
        storeExamples();
        const QStringList shownHeaders = headers(list());
        const int priority = int(shownHeaders.indexOf(QStringLiteral("Priority")));
        const int paragraph = int(shownHeaders.indexOf(QStringLiteral("Paragraph")));
        if (byPriority)
            clickHeader(list(), priority);
        view().selectRow(1);
        const auto centralCells = [&] {
            const int row = view().selectedRow();
            return QStringList{list().model()->index(row, 0).data().toString(),
                               list().model()->index(row, priority).data().toString(),
                               list().model()->index(row, paragraph).data().toString()};
        };
        QStringList whileOpen;
        QString dialogParagraph;
        m_presenter.dialogHandler = [&](QDialog &dialog) {
            auto *attributes = qobject_cast<central::RequirementAttributesDialog *>(&dialog);
            if (!attributes)
                return int(QDialog::Rejected);
            attributes->button(QStringLiteral("See Requirement"))->click();
            attributes->paragraph()->setText(QStringLiteral("5.1"));
            attributes->priority()->setCurrentIndex(attributes->priority()->findText("7"));
            attributes->button(QStringLiteral("Save Changes"))->click();
            whileOpen = centralCells();
            const int row = attributes->requirements()->currentRow();
            dialogParagraph = attributes->requirements()->item(row, 2)->text();
            return int(QDialog::Rejected);
        };
        m_window->actions().item(central::kRequirementAttributes)->trigger();
        QCOMPARE(m_presenter.texts(), QStringList());
        QCOMPARE(whileOpen, (QStringList{"2", "7", "5.1"}));
        QCOMPARE(dialogParagraph, QStringLiteral("5.1"));
        QCOMPARE(shownNumbers(list()), listed);
        QCOMPARE(centralCells(), (QStringList{"2", "7", "5.1"}));
        QCOMPARE(view().sentence(), QStringLiteral("The Acme system shall define the gate."));
        QVERIFY(!m_app->requirementsChanged());
    }

    // A query that runs empties the other queries' fields, so the form never
    // looks like a combined filter.
    void queryEmptiesTheOtherFields_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("fields"); // number, paragraph, entity, template
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("number") << "numberGo" << QStringList{"1*", "", "", "-1"}
                                << QStringList{"1", "12", ""};
        QTest::newRow("paragraph")
            << "paragraphGo" << QStringList{"", "3.2", "", "-1"} << QStringList{"2", ""};
        QTest::newRow("entity") << "entityGo" << QStringList{"", "", "gate", "-1"}
                                << QStringList{"2", ""};
        QTest::newRow("type") << "Technical" << QStringList{"", "", "", "-1"}
                              << QStringList{"12", ""};
    }

    void queryEmptiesTheOtherFields()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, fields);
        QFETCH(QStringList, listed);
        createWorkspace();
        storeExamples();
        auto *byTemplate = control<QComboBox>("template");
        byTemplate->setCurrentIndex(19);
        emit byTemplate->activated(19);
        control<QLineEdit>("number")->setText(QStringLiteral("1*"));
        control<QLineEdit>("paragraph")->setText(QStringLiteral("3.2"));
        control<QComboBox>("entity")->setEditText(QStringLiteral("gate"));
        view().findChild<QAbstractButton *>(query)->click();
        QCOMPARE(shownNumbers(list()), listed);
        const QStringList shown{control<QLineEdit>("number")->text(),
                                control<QLineEdit>("paragraph")->text(),
                                control<QComboBox>("entity")->currentText(),
                                QString::number(byTemplate->currentIndex())};
        QCOMPARE(shown, fields);
        QCOMPARE(control<QRadioButton>("Technical")->isChecked(), query == "Technical");
        QVERIFY(!control<QRadioButton>("All")->isChecked());
    }

    // The Requirement column orders by the sentence it shows, preamble first,
    // and takes the width the other columns leave.
    void requirementColumnSortsBySentence()
    {
        createWorkspace();
        storeExamples();
        QSqlQuery update(requirementsDatabaseOf(*m_app));
        QVERIFY(update.exec(QStringLiteral("UPDATE MASTER_REQ SET Preamble = 'When asked, the "
                                           "Acme system shall' WHERE Req_Num = 1")));
        QVERIFY(update.exec(QStringLiteral(
            "UPDATE MASTER_REQ SET Preamble = 'After a fault, the Acme system shall' "
            "WHERE Req_Num = 12")));
        const int requirement = int(headers(list()).indexOf(QStringLiteral("Requirement")));
        clickHeader(list(), requirement);
        QCOMPARE(shownNumbers(list()), (QStringList{"12", "4", "2", "1", ""}));
        clickHeader(list(), requirement);
        QCOMPARE(shownNumbers(list()), (QStringList{"1", "2", "4", "12", ""}));

        // In a wide window the columns fill the list, the Requirement column
        // taking what the others leave.
        m_window->resize(2400, 900);
        m_window->navigator().frame(central::kCentralWindow)->showMaximized();
        QApplication::processEvents();
        int total = 0;
        for (int column = 0; column < list().model()->columnCount(); ++column)
            total += list().horizontalHeader()->sectionSize(column);
        QCOMPARE(total, list().viewport()->width());
        QVERIFY(
            control<QComboBox>("template")->view()->minimumWidth() >=
            control<QComboBox>("template")
                ->fontMetrics()
                .horizontalAdvance(QStringLiteral("12  External Interaction with External Event")));
    }

    // File > Print previews the listed requirements on numbered pages; the
    // same pages go to a PDF file.
    void printPreviewPaginates_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("severalPages");
        QTest::newRow("none") << 0 << false;
        QTest::newRow("three") << 3 << false;
        QTest::newRow("hundred") << 100 << true;
    }

    void printPreviewPaginates()
    {
        QFETCH(int, count);
        QFETCH(bool, severalPages);
        createWorkspace();
        QList<RequirementRow> rows;
        for (int number = 1; number <= count; ++number)
            rows.append({number, "Functional", 9, QStringLiteral("3.%1").arg(number),
                         QStringLiteral("notify the operator of change %1 to the wind sensor, "
                                        "the gate and the freight scale within one second")
                             .arg(number)});
        store(rows);
        int previewPages = -1;
        QString documentName;
        m_presenter.dialogHandler = [&](QDialog &dialog) {
            auto *preview = dialog.findChild<QPrintPreviewWidget *>();
            documentName = qobject_cast<QPrintPreviewDialog *>(&dialog)->printer()->docName();
            dialog.show();
            preview->updatePreview();
            QApplication::processEvents();
            previewPages = preview->pageCount();
            // It opens readable: the page fits the window's width, at about
            // its own size, in a window most of the screen's height.
            [&] {
                const QRect screen = dialog.screen()->availableGeometry();
                QCOMPARE(preview->zoomMode(), QPrintPreviewWidget::FitToWidth);
                QVERIFY2(preview->zoomFactor() >= 0.75,
                         qPrintable(QString::number(preview->zoomFactor())));
                QVERIFY(dialog.height() >= screen.height() * 3 / 4);
                QVERIFY(dialog.width() <= screen.width());
                if (count == 100)
                    checkScreenshot(dialog, QStringLiteral("print-preview.png"), programBase());
            }();
            return int(QDialog::Rejected);
        };
        m_window->actions().item(central::kPrint)->trigger();
        QCOMPARE(m_presenter.dialogTitles.last(),
                 QStringLiteral("Print Preview - System Requirements - System Name: Acme"));
        // The name a PDF is offered under holds no colon.
        QCOMPARE(documentName, QStringLiteral("System Requirements - Acme.pdf"));

        const Result<central::PrintedListing> listing = central::PrintedListing::of(
            view().central().model(), QStringLiteral("Acme"), QDate(2026, 12, 7));
        QVERIFY2(listing, qPrintable(listing.outcome().message()));
        QCOMPARE(listing->requirements.size(), count);
        QCOMPARE(listing->headers.mid(0, 2), (QStringList{"No.", "Type"}));
        QVERIFY(!listing->headers.contains(QStringLiteral("Requirement")));
        const QString pdf = m_environment->root() + QStringLiteral("/listing.pdf");
        int painted = 0;
        {
            QPdfWriter writer(pdf);
            painted = central::ListingPainter(listing.value()).paint(writer);
        }
        QCOMPARE(pdfPageCount(pdf), painted);
        QCOMPARE(previewPages, painted);
        QCOMPARE(painted > 1, severalPages);
        QVERIFY(m_presenter.messages.isEmpty());
    }

    // The printed page shows every head and every value whole, each in its
    // own place: nothing elided, nothing cut by the next column or the
    // page's edge, with all columns shown and long comments too.
    void printedColumnsShowHeadsAndValuesWhole_data()
    {
        QTest::addColumn<bool>("everyColumn");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("comments");
        QTest::addColumn<QString>("paragraph");
        QTest::newRow("shown columns") << false << "Performance"
                                       << ""
                                       << "3.1";
        QTest::newRow("every column") << true << "Performance"
                                      << "checked"
                                      << "3.1";
        QTest::newRow("every column, long comments")
            << true << "User Interface"
            << "agreed with the operations team after the review of the gate schedule; the "
               "freight scale readings are kept for a year and shown on the supervisor's "
               "console whenever the wind sensor reports a change"
            << "3.1.4.1.5";
    }

    void printedColumnsShowHeadsAndValuesWhole()
    {
        QFETCH(bool, everyColumn);
        QFETCH(QString, category);
        QFETCH(QString, comments);
        QFETCH(QString, paragraph);
        createWorkspace();
        storeExamples();
        QSqlQuery update(requirementsDatabaseOf(*m_app));
        update.prepare(QStringLiteral("UPDATE MASTER_REQ SET Category = ?, Comments = ?, "
                                      "ParaNum = ?, Version = 12 WHERE Req_Num = 1"));
        update.addBindValue(category);
        update.addBindValue(comments);
        update.addBindValue(paragraph);
        QVERIFY(update.exec());
        if (everyColumn) {
            for (int flag = 0; flag < central::kFlagCount; ++flag) {
                if (!view().central().columnFlags()[flag])
                    view().toggleColumn(flag);
            }
        } else {
            view().runAgain();
        }
        const Result<central::PrintedListing> listing = central::PrintedListing::of(
            view().central().model(), QStringLiteral("Acme"), QDate(2026, 12, 7));
        QVERIFY2(listing, qPrintable(listing.outcome().message()));
        QCOMPARE(listing->headers.size(), everyColumn ? 11 : 6);

        TextRecorder page;
        {
            QPainter painter(&page);
            central::ListingPainter(listing.value()).paint(painter, page.size(), [] {});
        }
        QStringList cut;
        QSet<QString> words;
        QMap<int, QList<TextRecorder::Drawn>> lines; // by baseline
        for (const TextRecorder::Drawn &drawn : page.drawn()) {
            if (drawn.text.contains(QChar(0x2026)) || drawn.box.left() < 0 ||
                drawn.box.right() > page.size().width())
                cut.append(drawn.text);
            for (const QString &word : drawn.text.split(' ', Qt::SkipEmptyParts))
                words.insert(word);
            lines[qRound(drawn.baseline)].append(drawn);
        }
        for (QList<TextRecorder::Drawn> &line : lines) {
            std::sort(line.begin(), line.end(),
                      [](const auto &a, const auto &b) { return a.box.left() < b.box.left(); });
            for (qsizetype at = 1; at < line.size(); ++at) {
                if (line.at(at - 1).box.right() > line.at(at).box.left() + 1)
                    cut.append(line.at(at - 1).text + QStringLiteral(" | ") + line.at(at).text);
            }
        }
        QCOMPARE(cut, QStringList());
        QStringList missing;
        for (const QString &text : listing->headers + listing->requirements.first().cells) {
            for (const QString &word : text.split(' ', Qt::SkipEmptyParts)) {
                if (!words.contains(word))
                    missing.append(word);
            }
        }
        QCOMPARE(missing, QStringList());
    }

    void screenshot()
    {
        createWorkspace();
        store({{1,
                "Functional",
                9,
                "3.1",
                "provide the capability to notify the operator when the wind sensor changes "
                "from nominal to caution",
                1,
                0,
                {"wind sensor"}},
               {2, "Structural", 19, "3.2", "define a gate with a gate number and a terminal"},
               {3, "Functional", 1, "3.3",
                "provide the capability to assess the weight of foreign cargo"},
               {4, "Technical", 23, "4.1", "answer every query within one second"}});
        view().selectRow(0);
        control<QPushButton>("seeRequirement")->click();
        // The program's window area shows around Requirements Central.
        checkScreenshot(*m_window, QStringLiteral("requirements-central.png"),
                        m_window->mdiArea()->background().color());
    }
};

QTEST_MAIN(CVarnViewTest)
#include "tst_cvarnview.moc"
