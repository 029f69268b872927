// The dialogs of the structural templates, driven as a user drives them.

#include "app/widgets/labelledcontrols.h"
#include "app/widgets/screenshot.h"
#include "app/widgets/workspacesuite.h"
#include "support/appconnections.h"
#include "support/clirun.h"
#include "templates/templatecatalogue.h"
#include "templates/widgets/structuraltemplatedialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableWidget>
#include <QtTest>

#include <optional>

using namespace varn;
using varn::templates::StructuralControl;
using varn::templates::StructuralTemplateDialog;

namespace {

// A structural requirement as stored: its MASTER_REQ sentence, its STRUC_REQ
// columns but the key, and its POSS_VALS values in key order.
QStringList storedRows(const QSqlDatabase &database, int number)
{
    QStringList rows;
    QSqlQuery query(database);
    query.prepare(QStringLiteral("SELECT FSTType, Source, Preamble, ReqText FROM MASTER_REQ "
                                 "WHERE Req_Num = ?"));
    query.addBindValue(number);
    if (query.exec() && query.next())
        for (int c = 0; c < 4; ++c)
            rows.append(query.value(c).toString());
    query.prepare(QStringLiteral("SELECT * FROM STRUC_REQ WHERE S_ReqNum = ?"));
    query.addBindValue(number);
    if (query.exec() && query.next()) {
        const QSqlRecord record = query.record();
        for (int c = 0; c < record.count(); ++c) {
            if (record.fieldName(c) != QLatin1String("S_ReqNum"))
                rows.append(record.fieldName(c) + QLatin1Char('=') + query.value(c).toString());
        }
    }
    query.prepare(
        QStringLiteral("SELECT Value FROM POSS_VALS WHERE FK_SReqNum = ? ORDER BY PV_ID"));
    query.addBindValue(number);
    if (query.exec())
        while (query.next())
            rows.append(QStringLiteral("value=") + query.value(0).toString());
    return rows;
}

// The rows of requirement 1 of a workspace database the test has not open.
QStringList cliRows(const QString &path)
{
    QStringList rows;
    {
        QSqlDatabase database =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("cliWorkspace"));
        database.setDatabaseName(path);
        database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (database.open())
            rows = storedRows(database, 1);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("cliWorkspace"));
    return rows;
}

} // namespace

class StructuralTemplatesTest : public WorkspaceSuite
{
    Q_OBJECT

    QSqlDatabase requirements() const { return requirementsDatabaseOf(m_open->app); }

    static QLineEdit *text(StructuralTemplateDialog &dialog, StructuralControl which)
    {
        return qobject_cast<QLineEdit *>(dialog.control(which));
    }

private slots:
    // See Example fills each template with its worked example; saved, it
    // stores exactly the example's rows, which are those varn-cli add wrote
    // for the same fields; loaded again for edit, it shows the same sentence.
    void workedExampleSavesItsRows_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QStringList>("cli"); // varn-cli add with the example's fields
        QTest::newRow("19") << 19
                            << "A runway weather station shall include a state attribute named "
                               "wind sensor with the possible value(s): caution, hazardous, "
                               "nominal, warning and a default of nominal."
                            << QStringList{"--field", "Entity=runway weather station",
                                           "--field", "StateValue=state",
                                           "--field", "Attribute=wind sensor",
                                           "--value", "warning",
                                           "--value", "nominal",
                                           "--value", "hazardous",
                                           "--value", "caution",
                                           "--field", "Default=nominal"};
        QTest::newRow("20") << 20 << "An airline shall include 0..n passenger planes."
                            << QStringList{"--preamble", "An",
                                           "--field",    "Entity=airline",
                                           "--field",    "Cardinality=0..n",
                                           "--field",    "PartType=passenger",
                                           "--field",    "PartEntity=planes"};
        QTest::newRow("21") << 21 << "The ESD system shall include cargo reservations."
                            << QStringList{"--field", "Entity=cargo reservations"};
        QTest::newRow("22") << 22
                            << "A gate arrival message shall include a gate identifier field "
                               "with the possible value(s): 5A, 5B, NE CARGO, SW CARGO."
                            << QStringList{"--field", "Message=gate arrival message",
                                           "--field", "Position=2",
                                           "--field", "Field=gate identifier",
                                           "--field", "DataType=Alphanumeric",
                                           "--value", "5A",
                                           "--value", "5B",
                                           "--value", "NE CARGO",
                                           "--value", "SW CARGO"};
    }

    void workedExampleSavesItsRows()
    {
        QFETCH(int, number);
        QFETCH(QString, sentence);
        QFETCH(QStringList, cli);
        QString reopened;
        {
            StructuralTemplateDialog dialog(m_open->workbench, number);
            dialog.button(QStringLiteral("See Example"))->click();
            QCOMPARE(misnamedControls(dialog), QStringList());
            dialog.button(QStringLiteral("Preview"))->click();
            QCOMPARE(dialog.previewArea()->toPlainText(), sentence);
            saveScreenshot(dialog, QStringLiteral("template-%1.png").arg(number),
                           QColor(160, 219, 248));
            dialog.button(QStringLiteral("Save"))->click();
            QCOMPARE(m_presenter.texts(), QStringList());
            QCOMPARE(dialog.numberBox()->text(), QStringLiteral("1"));
            const int example = templates::TemplateCatalogue::structural(number)->exampleNumber;
            const QStringList expected = storedRows(applicationDatabaseOf(m_open->app), example);
            QVERIFY(expected.size() > 4);
            QCOMPARE(storedRows(requirements(), 1), expected);

            // The same fields through varn-cli, into a workspace of its own (of
            // another system: the one open holds ESD's database).
            const QString workspace = m_environment->root() + QStringLiteral("/cli.vnp");
            QCOMPARE(CliRun::run({"new", "--system", "CLI", "--workspace", workspace}).exitCode, 0);
            const CliRun added = CliRun::run(QStringList{"add"} + cli +
                                                 QStringList{"--template", QString::number(number)},
                                             workspace);
            QVERIFY2(added.exitCode == 0, qPrintable(added.err));
            // All but the MASTER_REQ preamble, which names the system in template 21.
            QCOMPARE(
                cliRows(m_environment->databaseFolder() + QStringLiteral("/CLIReq.mdb")).mid(3),
                expected.mid(3));
        }
        StructuralTemplateDialog edit(m_open->workbench, number, 1, true);
        edit.preview();
        QCOMPARE(edit.previewArea()->toPlainText(), sentence);
        QCOMPARE(edit.editModeBox()->text(), QStringLiteral("EDIT MODE"));
        QCOMPARE(m_presenter.texts(), QStringList());
    }

    // Refusals of Preview show their message and change nothing shown.
    void previewRefusals_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QStringList>("fields"); // "control=text"
        QTest::addColumn<QString>("message");
        using C = StructuralControl;
        const auto f = [](C which, const char *text) {
            return QString::number(int(which)) + QLatin1Char('=') + QLatin1String(text);
        };
        QTest::newRow("20 both") << 20 << QStringList{f(C::HowMany, "2"), f(C::Cardinality, "1..n")}
                                 << "Invalid composition. Must specify 'how many' or "
                                    "'cardinality'.\nNot both.";
        QTest::newRow("22 values and range")
            << 22 << QStringList{f(C::PossibleValues, "5A"), f(C::From, "1")}
            << "Validation error. Cannot specify both Possible Values and a Range. Must specify "
               "either a set of Possible Values, a Range, or neither.";
        QTest::newRow("19 data type missing")
            << 19 << QStringList{f(C::StateValue, "0"), f(C::ValueGroup, "1")}
            << "A data type radio button has not been selected.";
    }

    void previewRefusals()
    {
        QFETCH(int, number);
        QFETCH(QStringList, fields);
        QFETCH(QString, message);
        StructuralTemplateDialog dialog(m_open->workbench, number);
        dialog.button(QStringLiteral("See Example"))->click();
        dialog.preview();
        const QString shown = dialog.previewArea()->toPlainText();
        dialog.button(QStringLiteral("Clear"))->click();
        dialog.setControlText(StructuralControl::Article, QStringLiteral("A"));
        for (const QString &field : fields) {
            const auto which = StructuralControl(field.section('=', 0, 0).toInt());
            const QString value = field.section('=', 1);
            if (QButtonGroup *group = dialog.choice(which)) {
                group->button(value.toInt())->click();
            } else if (which == StructuralControl::PossibleValues) {
                dialog.setControlText(StructuralControl::AddField, value);
                dialog.addValue();
            } else {
                dialog.setControlText(which, value);
            }
        }
        dialog.preview();
        QCOMPARE(m_presenter.texts(), QStringList{message});
        QCOMPARE(dialog.previewArea()->toPlainText(), shown);
    }

    // Template 19: values sort in; Delete needs a selection; choosing the
    // data type discards the list and disables it.
    void attributeValuesList()
    {
        StructuralTemplateDialog dialog(m_open->workbench, 19);
        dialog.choice(StructuralControl::ValueGroup)->button(0)->click();
        for (const char *value : {"nominal", "caution", "warning", "hazardous"}) {
            dialog.setControlText(StructuralControl::AddField, QString::fromLatin1(value));
            dialog.addValue();
        }
        dialog.addValue();
        dialog.removeValue();
        QStringList listed;
        for (int row = 0; row < dialog.valuesList()->count(); ++row)
            listed << dialog.valuesList()->item(row)->text();
        QCOMPARE(listed, (QStringList{"caution", "hazardous", "nominal", "warning"}));
        QCOMPARE(m_presenter.texts(),
                 (QStringList{"A Possible Value has not been defined. Must enter a value in the "
                              "Add field.",
                              "A possible value has not been selected for deletion."}));
        dialog.valuesList()->setCurrentRow(1);
        dialog.removeValue();
        QCOMPARE(dialog.valuesList()->count(), 3);
        dialog.choice(StructuralControl::DataType)->button(0)->click(); // disabled: no effect
        QCOMPARE(dialog.choice(StructuralControl::DataType)->checkedId(), -1);
        dialog.choice(StructuralControl::ValueGroup)->button(1)->click();
        QCOMPARE(dialog.valuesList()->count(), 0);
        QVERIFY(!dialog.valuesList()->isEnabled());
        QVERIFY(!text(dialog, StructuralControl::AddField)->isEnabled());
        QVERIFY(dialog.choice(StructuralControl::DataType)->button(0)->isEnabled());
    }

    // Fields Currently Defined lists the message's fields by position once a
    // second field is saved, and again when a stored field is opened.
    void fieldsCurrentlyDefined()
    {
        const struct
        {
            const char *position;
            const char *field;
            const char *from;
            const char *to;
        } fields[] = {{"2", "gate identifier", "", ""}, {"1", "flight number", "1", "9999"}};
        for (const auto &field : fields) {
            StructuralTemplateDialog dialog(m_open->workbench, 22);
            dialog.setControlText(StructuralControl::Article, QStringLiteral("A"));
            dialog.setControlText(StructuralControl::Entity,
                                  QStringLiteral("gate arrival message"));
            dialog.setControlText(StructuralControl::Position, QString::fromLatin1(field.position));
            dialog.setControlText(StructuralControl::Attribute, QString::fromLatin1(field.field));
            dialog.setControlText(StructuralControl::DataType, QStringLiteral("Numeric"));
            dialog.setControlText(StructuralControl::From, QString::fromLatin1(field.from));
            dialog.setControlText(StructuralControl::To, QString::fromLatin1(field.to));
            dialog.save();
            QCOMPARE(m_presenter.texts(), QStringList());
        }
        StructuralTemplateDialog dialog(m_open->workbench, 22, 1, false);
        QTableWidget *table = dialog.fieldsTable();
        QStringList lines;
        for (int row = 0; row < table->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < table->columnCount(); ++column)
                cells << table->item(row, column)->text();
            lines << cells.join(QLatin1Char('|'));
        }
        QCOMPARE(lines, (QStringList{"2|1|flight number|Numeric|1|9999|",
                                     "1|2|gate identifier|Numeric|||"}));
        QCOMPARE(text(dialog, StructuralControl::Attribute)->text(),
                 QStringLiteral("gate identifier"));
        dialog.button(QStringLiteral("Clear"))->click();
        QCOMPARE(table->rowCount(), 0);
    }
};

QTEST_MAIN(StructuralTemplatesTest)
#include "tst_structuraltemplates.moc"
