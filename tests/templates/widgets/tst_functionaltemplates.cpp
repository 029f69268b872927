// The dialog of the functional templates, driven as a user drives it.

#include "app/widgets/featureregistry.h"
#include "app/widgets/labelledcontrols.h"
#include "app/widgets/screenshot.h"
#include "app/widgets/workspacesuite.h"
#include "central/widgets/centralviewfeature.h"
#include "main/landedfeatures.h"
#include "support/appconnections.h"
#include "support/exampledrafts.h"
#include "support/freshworkspace.h"
#include "templates/functionalcommit.h"
#include "templates/widgets/draftattributecontrols.h"
#include "templates/widgets/functionaltemplatedialog.h"
#include "templates/widgets/requirementcomposers.h"
#include "templates/widgets/systementitieswindow.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

#include <optional>

using namespace varn;
using namespace varn::app;
using varn::templates::FunctionalTemplateDialog;
using varn::templates::SystemEntitiesWindow;

namespace {

using Rows = QList<QStringList>;

// Every row of a table, every column as text, in key order.
Rows tableRows(const QSqlDatabase &database, const QString &table)
{
    QSqlQuery query(database);
    Rows rows;
    if (!query.exec(QStringLiteral("SELECT * FROM %1 ORDER BY 1").arg(table)))
        return {{QStringLiteral("cannot read ") + table}};
    while (query.next()) {
        QStringList row;
        for (int c = 0; c < query.record().count(); ++c)
            row.append(query.record().fieldName(c) + QLatin1Char('=') + query.value(c).toString());
        rows.append(row);
    }
    return rows;
}

QStringList tableNames(const QSqlDatabase &database)
{
    QSqlQuery query(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                   "ORDER BY name"),
                    database);
    QStringList names;
    while (query.next())
        names.append(query.value(0).toString());
    return names;
}

// A FUNC_REQ row: Preamble, Field0 to Field27 and TCodeStrF.
QStringList functionalColumns(const QSqlDatabase &database, int number)
{
    QSqlQuery query(database);
    query.prepare(QStringLiteral("SELECT * FROM FUNC_REQ WHERE F_ReqNum = ?"));
    query.addBindValue(number);
    QStringList columns;
    if (query.exec() && query.next()) {
        columns.append(query.value(QStringLiteral("Preamble")).toString());
        for (int k = 0; k < 28; ++k)
            columns.append(query.value(QStringLiteral("Field%1").arg(k)).toString());
        columns.append(query.value(QStringLiteral("TCodeStrF")).toString());
    }
    return columns;
}

} // namespace

class FunctionalTemplatesTest : public WorkspaceSuite
{
    Q_OBJECT

    QSqlDatabase requirements() const { return requirementsDatabaseOf(m_open->app); }

    QStringList master(int number) const
    {
        QSqlQuery query(requirements());
        query.prepare(QStringLiteral("SELECT FSTType, Source, Version, OrigReqNum FROM MASTER_REQ "
                                     "WHERE Req_Num = ?"));
        query.addBindValue(number);
        QStringList columns;
        if (query.exec() && query.next())
            for (int c = 0; c < 4; ++c)
                columns.append(query.value(c).toString());
        return columns;
    }

    // Template 9 filled as the ESD example: fields 1, 4, 5, 6, 8 to 13.
    static void fillWindSensorExample(FunctionalTemplateDialog &dialog)
    {
        dialog.preambleList()->setCurrentIndex(1);
        const templates::FunctionalDraft example = windSensorNotification();
        for (int k = 0; k < example.fields.size(); ++k)
            dialog.setFieldText(k, example.fields[k].text);
    }

    void saveWindSensorExample()
    {
        FunctionalTemplateDialog dialog(m_open->workbench, 9);
        fillWindSensorExample(dialog);
        dialog.save();
        QCOMPARE(dialog.numberBox()->text(), QStringLiteral("1"));
    }

private slots:
    // Saved through the dialog, the worked example of Template 9 leaves every
    // table exactly as the engine's save of the same requirement does.
    void esdExampleStoresWhatTheEngineStores()
    {
        FunctionalTemplateDialog dialog(m_open->workbench, 9);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Template #9: Event"));
        QCOMPARE(dialog.sentenceHead()->text(), QStringLiteral("The ESD system"));
        fillWindSensorExample(dialog);
        QSignalSpy stored(&m_open->workbench, &Workbench::requirementsStored);
        dialog.button(QStringLiteral("Save"))->click();
        QCOMPARE(m_presenter.texts(), QStringList());
        QCOMPARE(dialog.numberBox()->text(), QStringLiteral("1"));
        QCOMPARE(stored.count(), 1);

        FreshWorkspace engine(QStringLiteral("engineSave"));
        QVERIFY(engine.isOpen());
        templates::FunctionalDraft draft = windSensorNotification();
        QVERIFY(templates::FunctionalCommit(engine.records(), QStringLiteral("ESD"))
                    .save(draft)
                    .outcome);
        const QSqlDatabase reference = QSqlDatabase::database(QStringLiteral("engineSave"));
        const QStringList tables = tableNames(requirements());
        QCOMPARE(tableNames(reference), tables);
        QVERIFY(tables.contains(QStringLiteral("OM_ENTITY")));
        for (const QString &table : tables) {
            if (table != QLatin1String("SYSTEM_NAME"))
                QCOMPARE(tableRows(requirements(), table), tableRows(reference, table));
        }
        QCOMPARE(functionalColumns(requirements(), 1).last(), QStringLiteral("dewaecmgmg"));
    }

    // See Example fills every template with its worked example, which saves
    // as the application database holds it.
    void everyExampleSaves_data()
    {
        QTest::addColumn<int>("number");
        for (int number = 1; number <= 18; ++number)
            QTest::addRow("template %d", number) << number;
    }

    void everyExampleSaves()
    {
        QFETCH(int, number);
        FunctionalTemplateDialog dialog(m_open->workbench, number);
        dialog.button(QStringLiteral("See Example"))->click();
        QCOMPARE(misnamedControls(dialog), QStringList());
        dialog.preview();
        QVERIFY(dialog.previewArea()->toPlainText().startsWith(QStringLiteral("The ESD system ")));
        saveScreenshot(dialog, QStringLiteral("template-%1.png").arg(number, 2, 10, QChar('0')),
                       QColor(160, 219, 248));
        dialog.button(QStringLiteral("Save"))->click();
        QCOMPARE(m_presenter.texts(), QStringList());
        QCOMPARE(dialog.numberBox()->text(), QStringLiteral("1"));
        QCOMPARE(master(1).mid(0, 3), (QStringList{"Functional", QString::number(number), "1"}));
        QCOMPARE(
            functionalColumns(requirements(), 1),
            functionalColumns(applicationDatabaseOf(m_open->app), dialog.form().exampleNumber()));
    }

    // A refused save shows the commit's message and puts the focus in the
    // offending field, its text selected when normalisation refused it.
    void refusalsFocusTheField_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("preamble");
        QTest::addColumn<QStringList>("fields"); // "k=text"
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("focused");
        QTest::addColumn<bool>("selected");
        QTest::newRow("actor missing")
            << 1 << 3 << QStringList{"1=assess"}
            << "Validation error. The 'who/what' field must be defined.\nSee your first "
               "drop-down list selection."
            << 0 << false;
        QTest::newRow("function missing, template 1")
            << 1 << 0 << QStringList{"2=weight"}
            << "Validation error. The '(to) do what' field must be defined for a functional "
               "requirement."
            << 1 << false;
        QTest::newRow("function missing, template 18")
            << 18 << 0 << QStringList{}
            << "Validation error. The 'do what?' field must be defined for a functional "
               "requirement."
            << 1 << false;
        QTest::newRow("function begins with a number")
            << 9 << 1 << QStringList{"1=9 notify", "4=subsystem"}
            << "Field value cannot begin with a number." << 1 << true;
        QTest::newRow("entity begins with a sign")
            << 9 << 1 << QStringList{"1=notify", "4=#subsystem"}
            << "Field value must begin with a letter." << 4 << true;
        QTest::newRow("typed list text")
            << 9 << 1 << QStringList{"1=notify", "4=subsystem", "5=whenever"}
            << "Invalid entry in highlighted field. Must select from the list provided." << 5
            << false;
    }

    void refusalsFocusTheField()
    {
        QFETCH(int, number);
        QFETCH(int, preamble);
        QFETCH(QStringList, fields);
        QFETCH(QString, message);
        QFETCH(int, focused);
        QFETCH(bool, selected);
        FunctionalTemplateDialog dialog(m_open->workbench, number);
        dialog.preambleList()->setCurrentIndex(preamble);
        for (const QString &field : fields)
            dialog.setFieldText(field.section('=', 0, 0).toInt(), field.section('=', 1));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTest::keySequence(dialog.attributes()->paragraph(), QKeySequence::Save);
        QCOMPARE(m_presenter.texts(), QStringList{message});
        QVERIFY(dialog.numberBox()->text().isEmpty());
        QVERIFY(master(1).isEmpty());
        QWidget *control = dialog.fieldControl(focused);
        QVERIFY(dialog.focusWidget() == control || dialog.focusWidget()->parent() == control);
        auto *box = qobject_cast<QLineEdit *>(control);
        if (!box)
            box = qobject_cast<QComboBox *>(control)->lineEdit();
        QCOMPARE(box->hasSelectedText(), selected);
        if (selected)
            QCOMPARE(box->selectedText(), box->text());
    }

    // Preambles 0 to 2 take no actor: who/what is emptied, disabled, pale and
    // unlabelled, and the focus goes to (to) do what?; 3 to 6 take one.
    void preambleRule_data()
    {
        QTest::addColumn<int>("preamble");
        QTest::addColumn<bool>("actor");
        for (int position = 0; position < 7; ++position)
            QTest::addRow("position %d", position) << position << (position >= 3);
    }

    void preambleRule()
    {
        QFETCH(int, preamble);
        QFETCH(bool, actor);
        FunctionalTemplateDialog dialog(m_open->workbench, 1);
        dialog.preambleList()->setCurrentIndex(4);
        dialog.setFieldText(0, QStringLiteral("operator"));
        dialog.setFieldText(1, QStringLiteral("to assess"));
        dialog.preambleList()->setCurrentIndex(preamble);
        QWidget *whoWhat = dialog.fieldControl(0);
        QCOMPARE(whoWhat->isEnabled(), actor);
        QCOMPARE(dialog.fieldText(0), actor ? QStringLiteral("operator") : QString());
        QCOMPARE(dialog.fieldLabel(0)->text(), actor ? QStringLiteral("who/what") : QString());
        QCOMPARE(whoWhat->palette().color(QPalette::Base),
                 actor ? QColor(Qt::white) : QColor(255, 255, 190));
        QCOMPARE(dialog.focusWidget(), dialog.fieldControl(actor ? 0 : 1));
        QCOMPARE(dialog.fieldText(1), QStringLiteral("to assess"));
    }

    // Enter in a field previews, and never saves or clears; the preview joins
    // the shown texts of the fields.
    void enterPreviews()
    {
        FunctionalTemplateDialog dialog(m_open->workbench, 1, -1, false,
                                        QStringLiteral("weigh foreign cargo"));
        QCOMPARE(dialog.workArea()->toPlainText(), QStringLiteral("weigh foreign cargo"));
        dialog.preambleList()->setCurrentIndex(1);
        dialog.setFieldText(1, QStringLiteral("to assess"));
        dialog.setFieldText(2, QStringLiteral("weight"));
        dialog.setFieldText(9, QStringLiteral("before"));
        QTest::keyClicks(dialog.fieldControl(4), QStringLiteral("foreign cargo"));
        QTest::keyClick(dialog.fieldControl(4), Qt::Key_Return);
        QCOMPARE(dialog.previewArea()->toPlainText(),
                 QStringLiteral("The ESD system shall provide the capability to assess weight "
                                "foreign cargo before."));
        QVERIFY(dialog.isVisible() || dialog.result() == 0);
        QCOMPARE(dialog.fieldText(4), QStringLiteral("foreign cargo"));
        QVERIFY(master(1).isEmpty());
        QCOMPARE(m_presenter.texts(), QStringList());
    }

    // Esc and Clear ask before typed text is lost; No keeps it.
    void typedTextIsNotLostUnasked_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::addColumn<bool>("answer");
        QTest::newRow("Esc, No") << true << false;
        QTest::newRow("Esc, Yes") << true << true;
        QTest::newRow("Clear, No") << false << false;
        QTest::newRow("Clear, Yes") << false << true;
    }

    void typedTextIsNotLostUnasked()
    {
        QFETCH(bool, escape);
        QFETCH(bool, answer);
        FunctionalTemplateDialog dialog(m_open->workbench, 9);
        dialog.show();
        dialog.attributes()->paragraph()->setText(QStringLiteral("3.1"));
        QTest::keyClicks(dialog.fieldControl(1), QStringLiteral("notify"));
        m_presenter.yesNoAnswers = {answer};
        if (escape)
            QTest::keyClick(dialog.fieldControl(1), Qt::Key_Escape);
        else
            dialog.button(QStringLiteral("Clear"))->click();
        QCOMPARE(m_presenter.questions.size(), 1);
        QCOMPARE(dialog.isVisible(), !(escape && answer));
        QCOMPARE(dialog.fieldText(1), answer && !escape ? QString() : QStringLiteral("notify"));
        QCOMPARE(dialog.attributes()->paragraph()->text(), QStringLiteral("3.1"));
    }

    // The entity fields offer the stored names in lower case; a saved
    // requirement's entities appear in the next dialog.
    void entityFieldsOfferStoredNames()
    {
        {
            FunctionalTemplateDialog empty(m_open->workbench, 9);
            QCOMPARE(qobject_cast<QComboBox *>(empty.fieldControl(4))->count(), 0);
        }
        saveWindSensorExample();
        FunctionalTemplateDialog dialog(m_open->workbench, 9);
        for (int field : {4, 8}) {
            auto *list = qobject_cast<QComboBox *>(dialog.fieldControl(field));
            QStringList names;
            for (int k = 0; k < list->count(); ++k)
                names.append(list->itemText(k));
            QCOMPARE(names, (QStringList{"operational subsystem", "runway weather station"}));
            QVERIFY(list->currentText().isEmpty());
        }
    }

    // Edit from Requirements Central opens the template on the requirement
    // in edit mode and saves version 2; Re-use saves an unrelated number.
    void editAndReuseFromCentral()
    {
        saveWindSensorExample();
        FeatureRegistry registry;
        registerLandedFeatures(registry);
        QString editMode;
        QString loaded;
        QString savedAs;
        m_presenter.dialogHandler = [&](QDialog &shown) {
            auto &dialog = dynamic_cast<FunctionalTemplateDialog &>(shown);
            editMode = dialog.editModeBox()->text();
            loaded = dialog.fieldText(8);
            dialog.setFieldText(13, QStringLiteral("warning"));
            dialog.button(QStringLiteral("Save"))->click();
            savedAs = dialog.numberBox()->text();
            return int(QDialog::Accepted);
        };
        QSignalSpy stored(&m_open->workbench, &Workbench::requirementsStored);
        QVERIFY(registry.run(central::kEditRequirement, m_open->workbench, 1));
        QCOMPARE(m_presenter.dialogTitles, QStringList{"Template #9: Event"});
        QCOMPARE(editMode, QStringLiteral("EDIT MODE"));
        QCOMPARE(loaded, QStringLiteral("runway weather station"));
        QCOMPARE(savedAs, QStringLiteral("2"));
        QCOMPARE(master(2), (QStringList{"Functional", "9", "2", "1"}));
        QCOMPARE(master(1).first(), QStringLiteral("Deleted"));
        QVERIFY(m_open->app.requirementsChanged());
        QCOMPARE(stored.count(), 1);

        m_open->app.setRequirementsChanged(false);
        QVERIFY(registry.run(central::kReuseRequirement, m_open->workbench, 1));
        QCOMPARE(editMode, QString());
        QCOMPARE(savedAs, QStringLiteral("3"));
        QCOMPARE(master(3), (QStringList{"Functional", "9", "1", "3"}));
        QCOMPARE(master(2).first(), QStringLiteral("Functional"));
        QVERIFY(!m_open->app.requirementsChanged());

        m_presenter.dialogTitles.clear();
        QVERIFY(registry.run(central::kEditRequirement, m_open->workbench, 1));
        QVERIFY(registry.run(central::kReuseRequirement, m_open->workbench, 0));
        QCOMPARE(m_presenter.texts(),
                 (QStringList{"The selected requirement has been deleted and cannot be edited.",
                              "No requirement is currently selected."}));
        QCOMPARE(m_presenter.dialogTitles, QStringList());
    }

    // Edit and Re-use open the composer of the stored Source; an unknown
    // Source has none, and a structural row without its STRUC_REQ row opens
    // its template empty, saying so.
    void dispatchBySource_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("structural") << 20 << "Error querying the Requirements database."
                                    << QStringList{"Template #20: Composition Definition"};
        QTest::newRow("unknown") << 24 << "There is no template for the selected requirement."
                                 << QStringList();
    }

    void dispatchBySource()
    {
        QFETCH(int, source);
        QFETCH(QString, message);
        QFETCH(QStringList, titles);
        QSqlQuery insert(requirements());
        insert.prepare(QStringLiteral("INSERT INTO MASTER_REQ VALUES (1, 'Structural', ?, "
                                      "'Software', 1, 1, 1, 'None', 'An', 'airline', 1, "
                                      "'3-7-2009', NULL)"));
        insert.addBindValue(source);
        QVERIFY2(insert.exec(), qPrintable(insert.lastError().text()));
        FeatureRegistry registry;
        registerLandedFeatures(registry);
        QVERIFY(registry.run(central::kReuseRequirement, m_open->workbench, 1));
        QCOMPARE(m_presenter.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(m_presenter.dialogTitles, titles);
    }

    // System Entities lists what a save derived, and closes with its template.
    void systemEntitiesListsAfterASave()
    {
        saveWindSensorExample();
        QPointer<SystemEntitiesWindow> window;
        {
            FunctionalTemplateDialog dialog(m_open->workbench, 9);
            dialog.button(QStringLiteral("System Entities..."))->click();
            window = SystemEntitiesWindow::shown();
            QVERIFY(window);
            dialog.button(QStringLiteral("System Entities..."))->click();
            QCOMPARE(SystemEntitiesWindow::shown(), window.data());
            QListWidget *entities = window->entityList();
            QCOMPARE(entities->count(), 2);
            QCOMPARE(entities->item(1)->text(), QStringLiteral("Runway Weather Station"));
            window->showEntityDefinition();
            QCOMPARE(m_presenter.texts(),
                     QStringList{"An entity must be selected to see its definition."});
            entities->setCurrentRow(1);
            window->showEntityDefinition();
            QCOMPARE(window->attributeList()->item(0)->text(), QStringLiteral("wind sensor"));
            QCOMPARE(window->partList()->item(0)->text(), QStringLiteral("None."));
            saveScreenshot(*window, QStringLiteral("system-entities.png"), programBackground());
        }
        QVERIFY(!window);
    }
};

QTEST_MAIN(FunctionalTemplatesTest)
#include "tst_functionaltemplates.moc"
