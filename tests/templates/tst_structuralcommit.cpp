// Preview and Save of the structural templates 19 to 22, loading them again,
// and the rebuild of their terms from what was stored.
#include "language/clauselabeler.h"
#include "objmodel/objectmodelregenerator.h"
#include "store/recordobjects.h"
#include "store/sqldialect.h"
#include "store/storedrequirementreader.h"
#include "support/freshworkspace.h"
#include "support/storetestsupport.h"
#include "templates/messagefields.h"
#include "templates/structuralcommit.h"
#include "templates/structuralloader.h"

#include <QSqlDatabase>
#include <QtTest>

#include <functional>
#include <memory>
#include <optional>

using namespace varn;
using namespace varn::templates;
using language::TermRecord;
using Control = StructuralControl;

Q_DECLARE_METATYPE(varn::templates::StructuralDraft)

namespace {

const QString kConnection = QStringLiteral("structural");
const QDate kToday(2009, 3, 7);

QVariant scalar(const QString &sql)
{
    return StoreTestSupport::scalar(kConnection, sql);
}

QStringList row(const QString &sql)
{
    return StoreTestSupport::row(kConnection, sql);
}

QStringList column(const QString &sql)
{
    return StoreTestSupport::column(kConnection, sql);
}

// "Column=value" for every STRUC_REQ column the test names, read from the
// requirement's one row ("<no row>" where it has none).
QStringList strucColumns(int number, const QStringList &expected)
{
    QStringList names;
    for (const QString &pair : expected)
        names.append(varn::store::SqlDialect::identifier(QSqlDatabase::database(kConnection),
                                                         pair.section('=', 0, 0),
                                                         varn::store::SqlDialect::Name::Column));
    const QStringList values = row(QStringLiteral("SELECT %1 FROM STRUC_REQ WHERE S_ReqNum = %2")
                                       .arg(names.join(QStringLiteral(", ")))
                                       .arg(number));
    QStringList found;
    for (qsizetype i = 0; i < expected.size(); ++i)
        found.append(expected[i].section('=', 0, 0) + '=' +
                     values.value(i, QStringLiteral("<no row>")));
    return found;
}

StructuralDraft with(StructuralDraft draft, const std::function<void(StructuralDraft &)> &change)
{
    change(draft);
    return draft;
}

StructuralDraft windSensor()
{
    StructuralDraft draft = StructuralDraft::forTemplate(19);
    draft.entity = QStringLiteral("runway weather station");
    draft.stateValue = 0;
    draft.attribute = QStringLiteral("wind sensor");
    draft.chooseValueGroup(0);
    for (const char *value : {"nominal", "caution", "warning", "hazardous"})
        (void)draft.addPossibleValue(QString::fromLatin1(value));
    draft.defaultValue = QStringLiteral("nominal");
    return draft;
}

StructuralDraft pressure()
{
    StructuralDraft draft = StructuralDraft::forTemplate(19);
    draft.type = QStringLiteral("hydraulic");
    draft.entity = QStringLiteral("brake");
    draft.stateValue = 1;
    draft.attribute = QStringLiteral("pressure");
    draft.chooseValueGroup(1);
    draft.dataType = QStringLiteral("integer");
    draft.defaultValue = QStringLiteral("0");
    return draft;
}

StructuralDraft airline()
{
    StructuralDraft draft = StructuralDraft::forTemplate(20);
    draft.article = QStringLiteral("An");
    draft.entity = QStringLiteral("airline");
    draft.cardinality = QStringLiteral("0..n");
    draft.partType = QStringLiteral("passenger");
    draft.partEntity = QStringLiteral("planes");
    return draft;
}

StructuralDraft cargo()
{
    StructuralDraft draft = StructuralDraft::forTemplate(21);
    draft.entity = QStringLiteral("cargo reservations");
    return draft;
}

StructuralDraft gate()
{
    StructuralDraft draft = StructuralDraft::forTemplate(22);
    draft.entity = QStringLiteral("gate arrival message");
    draft.attribute = QStringLiteral("gate identifier");
    draft.position = QStringLiteral("1");
    draft.dataType = QStringLiteral("Alphanumeric");
    for (const char *value : {"5B", "5A", "NE CARGO", "SW CARGO"})
        (void)draft.addPossibleValue(QString::fromLatin1(value));
    return draft;
}

StructuralDraft range()
{
    StructuralDraft draft = StructuralDraft::forTemplate(22);
    draft.entity = QStringLiteral("gate arrival message");
    draft.attribute = QStringLiteral("identifier");
    draft.from = QStringLiteral("1");
    draft.to = QStringLiteral("99");
    return draft;
}

StructuralDraft withValues(StructuralDraft draft, int count, int length = 6)
{
    draft.possibleValues.clear();
    for (int i = 0; i < count; ++i)
        (void)draft.addPossibleValue(
            QStringLiteral("v%1").arg(i, length - 1, 10, QLatin1Char('0')));
    return draft;
}

// What a refusal must leave alone.
QStringList snapshot()
{
    QStringList counts;
    for (const char *sql : {"SELECT COUNT(*) FROM MASTER_REQ", "SELECT PMastrReq FROM PK_MASTR_REQ",
                            "SELECT COUNT(*) FROM STRUC_REQ", "SELECT COUNT(*) FROM POSS_VALS",
                            "SELECT PPvReq FROM PK_PV_REQ", "SELECT COUNT(*) FROM REQ_ENTITY",
                            "SELECT COUNT(*) FROM OM_ENTITY", "SELECT COUNT(*) FROM OM_ATTR",
                            "SELECT COUNT(*) FROM OM_PV", "SELECT PEntOm FROM PK_ENT_OM"})
        counts.append(scalar(QLatin1String(sql)).toString());
    return counts;
}

QString describe(const QList<TermRecord> &records)
{
    QStringList terms;
    for (const TermRecord &record : records) {
        if (record.letter == 0)
            break;
        terms.append(QStringLiteral("%1%2%3 %4")
                         .arg(QLatin1Char(record.letter))
                         .arg(QLatin1Char(record.group ? record.group : '-'))
                         .arg(record.form)
                         .arg(record.text));
    }
    return terms.join(QStringLiteral(" | "));
}

// The object model as names, so that two derivations compare whatever their keys.
QStringList modelNames()
{
    QStringList names;
    names << column("SELECT 'E ' || Entity FROM OM_ENTITY")
          << column("SELECT 'A ' || e.Entity || '.' || a.Attribute || ':' || a.DataTypeDef FROM "
                    "OM_ATTR a JOIN OM_ENTITY e ON e.Entity_ID = a.FK_EntityID")
          << column("SELECT 'M ' || e.Entity || '.' || m.Method FROM OM_METHOD m JOIN OM_ENTITY e "
                    "ON e.Entity_ID = m.FK_EntityID")
          << column("SELECT 'I ' || i.InH_Entity || '<' || e.Entity FROM OM_INH i JOIN OM_ENTITY "
                    "e ON e.Entity_ID = i.FK_EntityID")
          << column("SELECT 'G ' || g.AggEntity || '<' || e.Entity FROM OM_AGG g JOIN OM_ENTITY e "
                    "ON e.Entity_ID = g.FK_EntityID")
          << column("SELECT 'V ' || a.Attribute || '=' || p.Value FROM OM_PV p JOIN OM_ATTR a ON "
                    "a.Attr_ID = p.FK_AttrID")
          << column("SELECT 'R ' || r.ReqEntity || '@' || r.FK_SReqNum FROM REQ_ENTITY r");
    names.sort();
    return names;
}

} // namespace

class StructuralCommitTest : public QObject
{
    Q_OBJECT

    std::optional<FreshWorkspace> m_workspace;

    CommitResult save(StructuralDraft &draft, const QString &system = QStringLiteral("ESD"))
    {
        StructuralCommit commit(m_workspace->records(), system);
        return commit.save(draft, kToday);
    }

    qint32 saveOk(StructuralDraft draft)
    {
        const CommitResult result = save(draft);
        if (!result.outcome)
            qWarning() << result.outcome.message() << result.detail;
        return result.outcome ? result.number : -1;
    }

private slots:
    void initTestCase() { StoreTestSupport::initResources(); }

    void init() { QVERIFY(m_workspace.emplace(kConnection).isOpen()); }

    void cleanup() { m_workspace.reset(); }

    void storedRows_data()
    {
        QTest::addColumn<StructuralDraft>("draft");
        QTest::addColumn<QString>("preamble");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("columns");
        QTest::addColumn<QStringList>("values");

        QTest::newRow("19 possible values, sorted")
            << windSensor() << "A"
            << "runway weather station shall include a state attribute named wind sensor with the "
               "possible value(s): caution, hazardous, nominal, warning and a default of nominal"
            << QStringList{"Preamble=0",
                           "TypeAttr=<null>",
                           "EntityAttr=runway weather station",
                           "StateVal=0",
                           "AttrName=wind sensor",
                           "PossVal=0",
                           "DataType=-1",
                           "Default=nominal",
                           "EntityBasic=<null>",
                           "TCodeStrS=kezalglglglg"}
            << QStringList{"caution", "hazardous", "nominal", "warning"};
        QTest::newRow("19 data type and default")
            << pressure() << "A"
            << "hydraulic brake shall include a value attribute named pressure with the data type "
               "of integer and a default of 0"
            << QStringList{"TypeAttr=hydraulic", "StateVal=1", "PossVal=1",
                           "DataType=0",         "Default=0",  "TCodeStrS=kteza"}
            << QStringList{};
        QTest::newRow("19 neither values nor data type")
            << with(pressure(), [](StructuralDraft &d) { d.chooseValueGroup(-1); }) << "A"
            << "hydraulic brake shall include a value attribute named pressure and a default of 0"
            << QStringList{"PossVal=-1", "DataType=-1", "TCodeStrS=kteza"} << QStringList{};
        QTest::newRow("20 cardinality")
            << airline() << "An"
            << "airline shall include 0..n passenger planes"
            << QStringList{"Preamble=1",          "TypeWithList=<null>", "EntityWithList=airline",
                           "HowMany=<null>",      "Cardinality=2",       "TypeInList=passenger",
                           "EntityInList=planes", "TCodeStrS=kpe"}
            << QStringList{};
        QTest::newRow("20 how many, whole type")
            << with(airline(),
                    [](StructuralDraft &d) {
                        d.article = "A";
                        d.type = "regional";
                        d.howMany = "2";
                        d.cardinality.clear();
                        d.partType.clear();
                    })
            << "A"
            << "regional airline shall include 2 planes"
            << QStringList{"Preamble=0",     "TypeWithList=regional", "HowMany=2",
                           "Cardinality=-1", "TypeInList=<null>",     "TCodeStrS=kpte"}
            << QStringList{};
        QTest::newRow("21 without type")
            << cargo() << "The ESD system shall include"
            << "cargo reservations"
            << QStringList{"Preamble=2", "TypeBasic=<null>", "EntityBasic=cargo reservations",
                           "TCodeStrS=ke"}
            << QStringList{};
        QTest::newRow("21 with type")
            << with(cargo(), [](StructuralDraft &d) { d.type = "priority"; })
            << "The ESD system shall include"
            << "priority cargo reservations" << QStringList{"TypeBasic=priority", "TCodeStrS=kte"}
            << QStringList{};
        QTest::newRow("22 values in entry order")
            << gate() << "A"
            << "gate arrival message shall include a gate identifier field with the possible "
               "value(s): 5B, 5A, NE CARGO, SW CARGO"
            << QStringList{"Preamble=0",
                           "EntityAttr=gate arrival message",
                           "AttrName=gate identifier",
                           "PossVal=0",
                           "DataType=1",
                           "Position=1",
                           "From=<null>",
                           "To=<null>",
                           "TCodeStrS=kezalglglglg"}
            << QStringList{"5B", "5A", "NE CARGO", "SW CARGO"};
        QTest::newRow("22 range")
            << range() << "A"
            << "gate arrival message shall include an identifier field with a range of 1 to 99"
            << QStringList{"PossVal=1", "DataType=-1", "Position=-1",
                           "From=1",    "To=99",       "TCodeStrS=keza"}
            << QStringList{};
    }

    void storedRows()
    {
        QFETCH(StructuralDraft, draft);
        QFETCH(QStringList, columns);
        QFETCH(QStringList, values);
        const SentencePreview preview = StructuralCommit::preview(draft, "ESD");
        QVERIFY2(preview.outcome, qPrintable(preview.outcome.message()));
        const CommitResult result = save(draft);
        QVERIFY2(result.outcome, qPrintable(result.outcome.message() + result.detail));
        QCOMPARE(result.number, 1);
        const QStringList master =
            row("SELECT FSTType, Source, Preamble, ReqText, Version, OrigReqNum, DateSaved FROM "
                "MASTER_REQ");
        QFETCH(QString, preamble);
        QFETCH(QString, text);
        QCOMPARE(master, (QStringList{"Structural", QString::number(draft.source), preamble, text,
                                      "1", "1", "3-7-2009"}));
        // The stored sentence is the one Preview showed.
        QCOMPARE(preamble + ' ' + text + '.', preview.sentence);
        QCOMPARE(strucColumns(1, columns), columns);
        QCOMPARE(scalar("SELECT Source FROM STRUC_REQ").toInt(), draft.source);
        QCOMPARE(column("SELECT Value FROM POSS_VALS WHERE FK_SReqNum = 1 ORDER BY PV_ID"), values);
        QCOMPARE(scalar("SELECT PPvReq FROM PK_PV_REQ").toInt(), values.size());
        QCOMPARE(scalar("SELECT COUNT(*) FROM FUNC_REQ").toInt(), 0);
        QVERIFY(scalar("SELECT COUNT(*) FROM REQ_ENTITY WHERE FK_SReqNum = 1 AND FK_FReqNum IS "
                       "NULL")
                    .toInt() >= 1);
    }

    void previews_data()
    {
        QTest::addColumn<StructuralDraft>("draft");
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("focus");

        QTest::newRow("19 without type and entity")
            << with(windSensor(), [](StructuralDraft &d) { d.entity.clear(); })
            << "A shall include a state attribute named wind sensor with the possible value(s): "
               "caution, hazardous, nominal, warning and a default of nominal."
            << "" << -1;
        QTest::newRow("19 data type and default")
            << pressure()
            << "A hydraulic brake shall include a value attribute named pressure with the data "
               "type of integer and a default of 0."
            << "" << -1;
        QTest::newRow("19 no data type chosen")
            << with(pressure(), [](StructuralDraft &d) { d.dataType.clear(); }) << ""
            << "A data type radio button has not been selected." << int(Control::DataType);
        QTest::newRow("19 no A/An")
            << with(pressure(), [](StructuralDraft &d) { d.article = "The"; }) << ""
            << "Validation error. A selection must be made from the first drop-down list."
            << int(Control::Article);
        QTest::newRow("20") << airline() << "An airline shall include 0..n passenger planes."
                            << "" << -1;
        QTest::newRow("20 count and cardinality")
            << with(airline(), [](StructuralDraft &d) { d.howMany = "3"; }) << ""
            << "Invalid composition. Must specify 'how many' or 'cardinality'.\nNot both."
            << int(Control::Cardinality);
        QTest::newRow("21") << cargo() << "The ESD system shall include cargo reservations."
                            << "" << -1;
        QTest::newRow("22 values as entered")
            << gate()
            << "A gate arrival message shall include a gate identifier field with the possible "
               "value(s): 5B, 5A, NE CARGO, SW CARGO."
            << "" << -1;
        QTest::newRow("22 lower-case vowel")
            << range()
            << "A gate arrival message shall include an identifier field with a range "
               "of 1 to 99."
            << "" << -1;
        QTest::newRow("22 capital vowel")
            << with(range(),
                    [](StructuralDraft &d) {
                        d.attribute = "  Identifier";
                        d.from.clear();
                        d.to.clear();
                    })
            << "A gate arrival message shall include a Identifier field."
            << "" << -1;
        QTest::newRow("22 values and range")
            << with(gate(), [](StructuralDraft &d) { d.to = "9"; }) << ""
            << "Validation error. Cannot specify both Possible Values and a Range. Must specify "
               "either a set of Possible Values, a Range, or neither."
            << int(Control::PossibleValues);
        QTest::newRow("22 To without From")
            << with(range(), [](StructuralDraft &d) { d.from.clear(); }) << ""
            << "Validation error. A From value must be defined if a To value is defined."
            << int(Control::From);
        QTest::newRow("22 From without To")
            << with(range(), [](StructuralDraft &d) { d.to = " "; }) << ""
            << "Validation error. A To value must be defined if a From value is defined."
            << int(Control::To);
        QTest::newRow("22 no A/An")
            << with(range(), [](StructuralDraft &d) { d.article.clear(); }) << ""
            << "Validation error. A selection must be made from the a/an drop-down list."
            << int(Control::Article);
    }

    void previews()
    {
        QFETCH(StructuralDraft, draft);
        QFETCH(QString, message);
        const SentencePreview preview = StructuralCommit::preview(draft, "ESD");
        QCOMPARE(preview.outcome.message(), message);
        QTEST(preview.sentence, "sentence");
        QTEST(preview.focusField, "focus");
        QCOMPARE(scalar("SELECT COUNT(*) FROM MASTER_REQ").toInt(), 0);
    }

    void refusals_data()
    {
        QTest::addColumn<StructuralDraft>("draft");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("focus");
        const QString firstList =
            "Validation error. A selection must be made from the first drop-down list.";
        const QString noEntity = "Validation error. An entity must be defined.";
        const QString notAnItem =
            "Invalid entry in highlighted field. Must select from the list provided.";
        const QString tooLong = "Field value is too long. A field holds at most 50 characters.";

        QTest::newRow("19 no A/An") << with(windSensor(), [](auto &d) { d.article.clear(); })
                                    << firstList << int(Control::Article);
        QTest::newRow("19 entity of blanks")
            << with(windSensor(), [](auto &d) { d.entity = "   "; }) << noEntity
            << int(Control::Entity);
        QTest::newRow("19 no attribute")
            << with(windSensor(), [](auto &d) { d.attribute.clear(); })
            << "Validation error. An attribute must be defined." << int(Control::Attribute);
        QTest::newRow("19 neither state nor value")
            << with(windSensor(), [](auto &d) { d.stateValue = -1; })
            << "A state or value radio button has not been selected." << int(Control::StateValue);
        QTest::newRow("19 data type not chosen")
            << with(pressure(), [](auto &d) { d.dataType = "float"; })
            << "A data type radio button has not been selected." << int(Control::DataType);
        QTest::newRow("19 possible values without any")
            << with(windSensor(), [](auto &d) { d.possibleValues.clear(); })
            << "A Possible Value has not been defined. Must enter a value in the Add field."
            << int(Control::AddField);
        QTest::newRow("19 entity starting with a digit")
            << with(windSensor(), [](auto &d) { d.entity = "9 stations"; })
            << "Field value cannot begin with a number." << int(Control::Entity);
        QTest::newRow("19 type over 50 characters")
            << with(pressure(), [](auto &d) { d.type = QString(51, 't'); }) << tooLong
            << int(Control::Type);
        QTest::newRow("19 default over 50 characters")
            << with(pressure(), [](auto &d) { d.defaultValue = QString(51, '0'); }) << tooLong
            << int(Control::Default);
        QTest::newRow("19 value over 50 characters")
            << withValues(windSensor(), 2, 51) << tooLong << int(Control::PossibleValues);
        QTest::newRow("19 13 values")
            << withValues(windSensor(), 13)
            << "Too many possible values. This requirement can list at most 12 possible values."
            << int(Control::PossibleValues);
        QTest::newRow("19 12 values with a type")
            << with(withValues(windSensor(), 12), [](auto &d) { d.type = "main"; })
            << "Too many possible values. This requirement can list at most 11 possible values."
            << int(Control::PossibleValues);
        QTest::newRow("19 text of 255 characters")
            << with(withValues(windSensor(), 1, 36),
                    [](auto &d) {
                        d.type = QString(50, 't');
                        d.entity = QString(50, 'e');
                        d.attribute = QString(50, 'a');
                        d.defaultValue.clear();
                    })
            << "Requirement is too long. The combined length of all fields is greater than 254 "
               "characters.\nTry simplifying the requirement or breaking it down into two shorter "
               "ones."
            << -1;
        QTest::newRow("20 no whole") << with(airline(), [](auto &d) { d.entity.clear(); })
                                     << noEntity << int(Control::Entity);
        QTest::newRow("20 no part")
            << with(airline(), [](auto &d) { d.partEntity.clear(); })
            << "Validation error. A second entity must be defined for composition.\rUse Template "
               "#21 - Structural with Entity/Type Definition to define a simple entity."
            << int(Control::PartEntity);
        QTest::newRow("20 no A/An") << with(airline(), [](auto &d) { d.article = "a"; })
                                    << firstList << int(Control::Article);
        QTest::newRow("20 part of 25 + 25 characters")
            << with(airline(),
                    [](auto &d) {
                        d.partType = QString(25, 'x');
                        d.partEntity = QString(25, 'y');
                    })
            << "The combined length of Type and Entity cannot be greater than 50 characters.\nIn "
               "this template, the included Type_Entity forms a single Part, which is\nsubject "
               "to the 50-character limitation."
            << int(Control::PartType);
        QTest::newRow("20 count and cardinality")
            << with(airline(), [](auto &d) { d.howMany = "2"; })
            << "Invalid composition. Must specify 'how many' or 'cardinality'.\nNot both."
            << int(Control::Cardinality);
        QTest::newRow("20 neither count nor cardinality")
            << with(airline(), [](auto &d) { d.cardinality.clear(); })
            << "Must specify how many OR cardinality for a composition requirement."
            << int(Control::HowMany);
        QTest::newRow("20 cardinality that is no item")
            << with(airline(), [](auto &d) { d.cardinality = "0..9"; }) << notAnItem
            << int(Control::Cardinality);
        QTest::newRow("20 count over 20 characters")
            << with(airline(),
                    [](auto &d) {
                        d.cardinality.clear();
                        d.howMany = QString(21, '9');
                    })
            << "Validation error. The 'how many?' field holds at most 20 characters."
            << int(Control::HowMany);
        QTest::newRow("20 part type of punctuation")
            << with(airline(), [](auto &d) { d.partType = "-jet"; })
            << "Field value must begin with a letter." << int(Control::PartType);
        QTest::newRow("21 no entity")
            << with(cargo(), [](auto &d) { d.entity.clear(); }) << noEntity << int(Control::Entity);
        QTest::newRow("21 type with a digit first")
            << with(cargo(), [](auto &d) { d.type = "3rd"; })
            << "Field value cannot begin with a number." << int(Control::Type);
        QTest::newRow("22 no A/An")
            << with(gate(), [](auto &d) { d.article = "An "; })
            << "Validation error. A selection must be made from the a/an drop-down list."
            << int(Control::Article);
        QTest::newRow("22 values and range")
            << with(gate(), [](auto &d) { d.from = "1"; })
            << "Validation error. Cannot specify both Possible Values and a Range. Must specify "
               "either a set of Possible Values, a Range, or neither."
            << int(Control::PossibleValues);
        QTest::newRow("22 no message")
            << with(gate(), [](auto &d) { d.entity.clear(); })
            << "Validation error. A message must be defined." << int(Control::Entity);
        QTest::newRow("22 no field")
            << with(gate(), [](auto &d) { d.attribute = " "; })
            << "Validation error. A field must be defined." << int(Control::Attribute);
        QTest::newRow("22 position 100") << with(gate(), [](auto &d) { d.position = "100"; })
                                         << notAnItem << int(Control::Position);
        QTest::newRow("22 data type that is no item")
            << with(gate(), [](auto &d) { d.dataType = "Binary"; }) << notAnItem
            << int(Control::DataType);
        QTest::newRow("22 From over 50 characters")
            << with(range(), [](auto &d) { d.from = QString(51, '1'); }) << tooLong
            << int(Control::From);
        const QString control = "Validation error. The highlighted field holds a line break or "
                                "another control character.\nRemove it and save again.";
        QTest::newRow("21 line break in the entity")
            << with(cargo(), [](auto &d) { d.entity = "cargo\nreservations"; }) << control
            << int(Control::Entity);
        QTest::newRow("21 carriage return in the type")
            << with(cargo(), [](auto &d) { d.type = "premium\r"; }) << control
            << int(Control::Type);
        QTest::newRow("19 tab in the attribute")
            << with(windSensor(), [](auto &d) { d.attribute = "wind\tsensor"; }) << control
            << int(Control::Attribute);
        QTest::newRow("19 line break in a possible value")
            << with(windSensor(), [](auto &d) { d.possibleValues.append("open\nnow"); }) << control
            << int(Control::PossibleValues);
        QTest::newRow("19 line break in the default")
            << with(windSensor(), [](auto &d) { d.defaultValue = "nominal\n"; }) << control
            << int(Control::Default);
        QTest::newRow("20 line break in the part")
            << with(airline(), [](auto &d) { d.partEntity = "pla\nnes"; }) << control
            << int(Control::PartEntity);
        QTest::newRow("22 zero in the field name")
            << with(gate(), [](auto &d) { d.attribute = "gate" + QString(QChar(0)) + "id"; })
            << control << int(Control::Attribute);
        QTest::newRow("22 escape in the To value")
            << with(range(), [](auto &d) { d.to = "9\x1b"; }) << control << int(Control::To);
    }

    void refusals()
    {
        QFETCH(StructuralDraft, draft);
        QFETCH(QString, message);
        QCOMPARE(saveOk(windSensor()), 1);
        const QStringList before = snapshot();

        const CommitResult result = save(draft);
        QVERIFY(!result.outcome);
        QCOMPARE(result.outcome.message(), message);
        QTEST(result.focusField, "focus");
        QCOMPARE(snapshot(), before);
        // The refused save used no number, neither a requirement's nor a value's.
        QCOMPARE(saveOk(windSensor()), 2);
        QCOMPARE(scalar("SELECT MAX(PV_ID) FROM POSS_VALS").toInt(), 8);
    }

    void limits_data()
    {
        QTest::addColumn<StructuralDraft>("draft");
        QTest::addColumn<QString>("tcode");
        auto part = [](int type, int entity) {
            return with(airline(), [=](auto &d) {
                d.partType = QString(type, 'x');
                d.partEntity = QString(entity, 'y');
            });
        };
        QTest::newRow("part of 24 + 25 characters") << part(24, 25) << "kpe";
        QTest::newRow("part of 25 + 24 characters") << part(25, 24) << "kpe";
        QTest::newRow("12 values, no type")
            << withValues(windSensor(), 12) << "kezalglglglglglglglglglglglg";
        QTest::newRow("11 values and a type")
            << with(withValues(windSensor(), 11), [](auto &d) { d.type = "main"; })
            << "ktezalglglglglglglglglglglg";
        QTest::newRow("text of 254 characters") << with(withValues(windSensor(), 1, 35),
                                                        [](auto &d) {
                                                            d.type = QString(50, 't');
                                                            d.entity = QString(50, 'e');
                                                            d.attribute = QString(50, 'a');
                                                            d.defaultValue.clear();
                                                        })
                                                << "ktezalg";
        QTest::newRow("count of 20 characters") << with(airline(), [](auto &d) {
            d.cardinality.clear();
            d.howMany = QString(20, '9');
        }) << "kpe";
    }

    void limits()
    {
        QFETCH(StructuralDraft, draft);
        const CommitResult result = save(draft);
        QVERIFY2(result.outcome, qPrintable(result.outcome.message() + result.detail));
        QTEST(scalar("SELECT TCodeStrS FROM STRUC_REQ").toString(), "tcode");
        QVERIFY(scalar("SELECT length(ReqText) FROM MASTER_REQ").toInt() <= 254);
    }

    // The rebuild reads the stored columns back into the very terms the save
    // labelled, and regenerating from them gives the same object model.
    void storedRowsRebuildTheSavedTerms_data()
    {
        QTest::addColumn<StructuralDraft>("draft");
        QTest::newRow("19 values") << windSensor();
        QTest::newRow("19 data type") << pressure();
        QTest::newRow("19 odd values") << with(windSensor(), [](auto &d) {
            d.type = "the spare";
            d.possibleValues = {"NE CARGO", "5A", "o'hare", "Grüße"};
        });
        QTest::newRow("20 typed part") << airline();
        QTest::newRow("20 underscores") << with(airline(), [](auto &d) {
            d.type = "regional";
            d.partType = "jumbo_jet";
            d.partEntity = "big_planes";
        });
        QTest::newRow("20 plain part") << with(airline(), [](auto &d) {
            d.partType.clear();
            d.partEntity = "fuel_tanks";
        });
        QTest::newRow("21") << cargo();
        QTest::newRow("21 typed") << with(cargo(), [](auto &d) { d.type = "the priority"; });
        QTest::newRow("22 values") << gate();
        QTest::newRow("22 range") << range();
    }

    void storedRowsRebuildTheSavedTerms()
    {
        QFETCH(StructuralDraft, draft);
        // The terms the save hands to labelling and derivation.
        StructuralDraft copy = draft;
        const auto composition = StructuralComposition::forDraft(copy, "ESD");
        QString body;
        QList<TermRecord> saved;
        QVERIFY(composition->compose(body, saved).proceeds());
        saved.append(TermRecord{});
        QVERIFY(language::ClauseLabeler::LabelClauses(saved));

        QCOMPARE(saveOk(draft), 1);
        Result<QList<TermRecord>> rebuilt = Outcome::refused(QStringLiteral("not read"));
        {
            store::StoredRequirementLookup lookup(kConnection);
            const Result<store::StoredRequirement> stored = lookup.read(1);
            QVERIFY2(stored, qPrintable(stored.outcome().message()));
            rebuilt = objmodel::ObjectModelRegenerator::rebuildTerms(stored.value());
        }
        QVERIFY2(rebuilt, qPrintable(rebuilt.outcome().message()));
        QVERIFY(language::ClauseLabeler::LabelClauses(rebuilt.value()));
        QCOMPARE(describe(rebuilt.value()), describe(saved));
        QVERIFY(!describe(saved).contains('-')); // every term labelled

        const QStringList derivedBySave = modelNames();
        QVERIFY(!derivedBySave.isEmpty());
        objmodel::ObjectModelRegenerator regenerator(kConnection);
        const Outcome regenerated = regenerator.regenerate();
        QVERIFY2(regenerated, qPrintable(regenerated.message()));
        QCOMPARE(regenerator.notRebuiltCount(), 0);
        QCOMPARE(modelNames(), derivedBySave);
    }

    void editVersionsAndRetires()
    {
        for (int i = 0; i < 3; ++i)
            QCOMPARE(saveOk(gate()), i + 1);
        Result<StructuralDraft> loaded = StructuralLoader::stored(kConnection, 3, true);
        QVERIFY2(loaded, qPrintable(loaded.outcome().message()));
        StructuralDraft draft = loaded.value();
        draft.possibleValues.removeLast();
        CommitResult result = save(draft);
        QVERIFY2(result.outcome, qPrintable(result.outcome.message()));
        QCOMPARE(result.number, 4);
        QVERIFY(result.versionRetired);
        QCOMPARE(row("SELECT Version, OrigReqNum, FSTType FROM MASTER_REQ WHERE Req_Num = 4"),
                 (QStringList{"2", "3", "Structural"}));
        QCOMPARE(row("SELECT FSTType, DateSaved FROM MASTER_REQ WHERE Req_Num = 3"),
                 (QStringList{"Deleted", "3-7-2009"}));
        QCOMPARE(scalar("SELECT COUNT(*) FROM POSS_VALS WHERE FK_SReqNum = 4").toInt(), 3);
        // The dialog goes on editing the version it wrote.
        QCOMPARE(draft.loadedNumber, 4);
        result = save(draft);
        QCOMPARE(result.number, 5);
        QCOMPARE(row("SELECT Version, OrigReqNum FROM MASTER_REQ WHERE Req_Num = 5"),
                 (QStringList{"3", "3"}));
        QCOMPARE(scalar("SELECT FSTType FROM MASTER_REQ WHERE Req_Num = 4").toString(),
                 QStringLiteral("Deleted"));
    }

    void editKeepsAnUnknownFirstVersion()
    {
        QCOMPARE(saveOk(cargo()), 1);
        StructuralDraft draft = cargo();
        draft.loadedNumber = 1;
        draft.edit = true;
        draft.loadedVersion = 1;
        draft.loadedFirstVersion = 0;
        QVERIFY(save(draft).outcome);
        QCOMPARE(row("SELECT Version, OrigReqNum FROM MASTER_REQ WHERE Req_Num = 2"),
                 (QStringList{"2", "0"}));
    }

    void reuseStoresAnIndependentRequirement()
    {
        QCOMPARE(saveOk(airline()), 1);
        Result<StructuralDraft> loaded = StructuralLoader::stored(kConnection, 1, false);
        QVERIFY2(loaded, qPrintable(loaded.outcome().message()));
        StructuralDraft draft = loaded.value();
        const CommitResult result = save(draft);
        QVERIFY(result.outcome && !result.versionRetired);
        QCOMPARE(row("SELECT Version, OrigReqNum FROM MASTER_REQ WHERE Req_Num = 2"),
                 (QStringList{"1", "2"}));
        QCOMPARE(scalar("SELECT FSTType FROM MASTER_REQ WHERE Req_Num = 1").toString(),
                 QStringLiteral("Structural"));
        QCOMPARE(draft.loadedNumber, 1);
    }

    void loadingPlacesEveryControl_data()
    {
        QTest::addColumn<StructuralDraft>("draft");
        QTest::newRow("19 values") << windSensor();
        QTest::newRow("19 data type") << pressure();
        QTest::newRow("20 cardinality") << airline();
        QTest::newRow("20 count") << with(airline(), [](auto &d) {
            d.cardinality.clear();
            d.howMany = "4";
            d.type = "charter";
        });
        QTest::newRow("21") << with(cargo(), [](auto &d) { d.type = "priority"; });
        QTest::newRow("22 values") << gate();
        QTest::newRow("22 range") << with(range(), [](auto &d) {
            d.position = "99";
            d.dataType = "Numeric";
            d.article = "An";
        });
    }

    void loadingPlacesEveryControl()
    {
        QFETCH(StructuralDraft, draft);
        draft.category = QStringLiteral("Hardware");
        draft.priority = QStringLiteral("3");
        draft.release = QStringLiteral("9");
        draft.paragraph = QStringLiteral("3.2.1");
        draft.comments = QStringLiteral("from the board");
        QCOMPARE(saveOk(draft), 1);
        Result<StructuralDraft> loaded = StructuralLoader::stored(kConnection, 1, true);
        QVERIFY2(loaded, qPrintable(loaded.outcome().message()));
        const StructuralDraft &back = loaded.value();
        QCOMPARE(back.source, draft.source);
        if (draft.source != 21)
            QCOMPARE(back.article, draft.article);
        for (auto member :
             {&StructuralDraft::type, &StructuralDraft::entity, &StructuralDraft::attribute,
              &StructuralDraft::dataType, &StructuralDraft::defaultValue, &StructuralDraft::howMany,
              &StructuralDraft::cardinality, &StructuralDraft::partType,
              &StructuralDraft::partEntity, &StructuralDraft::position, &StructuralDraft::from,
              &StructuralDraft::to})
            QCOMPARE(back.*member, draft.*member);
        QCOMPARE(back.possibleValues, draft.possibleValues);
        QCOMPARE(back.stateValue, draft.stateValue);
        QCOMPARE(back.valueGroup, draft.valueGroup);
        QCOMPARE(back.category, draft.category);
        QCOMPARE(back.priority, draft.priority);
        QCOMPARE(back.release, draft.release);
        QCOMPARE(back.paragraph, draft.paragraph);
        QCOMPARE(back.comments, draft.comments);
        QCOMPARE(back.loadedNumber, 1);
        QVERIFY(back.edit);
        QCOMPARE(back.loadedFirstVersion, 1);
    }

    void loadingAMissingRequirementIsRefused()
    {
        const Result<StructuralDraft> loaded = StructuralLoader::stored(kConnection, 42, true);
        QVERIFY(!loaded);
        QCOMPARE(loaded.outcome().message(),
                 QStringLiteral("Error querying the Requirements database."));
    }

    // See Example reads the application database's row; any database with
    // the same tables serves here.
    void seeExampleStartsANewRequirement()
    {
        QVERIFY(StoreTestSupport::exec(kConnection, "INSERT INTO MASTER_REQ (Req_Num, FSTType, "
                                                    "Source) VALUES (65, 'Structural', 19)"));
        QVERIFY(StoreTestSupport::exec(
            kConnection, "INSERT INTO STRUC_REQ (S_ReqNum, Source, Preamble, TypeAttr, EntityAttr, "
                         "StateVal, AttrName, PossVal, DataType, \"Default\", TCodeStrS) VALUES "
                         "(65, 19, 1, 'moving', 'airplane', '1', 'altitude', '1', '1', '0', "
                         "'kteza')"));
        StructuralDraft draft = gate();
        draft.source = 19;
        draft.category = QStringLiteral("Derived");
        draft.loadedNumber = 7;
        draft.edit = true;
        QVERIFY(StructuralLoader::fillExample(kConnection, draft));
        QCOMPARE(draft.article, QStringLiteral("An"));
        QCOMPARE(draft.type, QStringLiteral("moving"));
        QCOMPARE(draft.entity, QStringLiteral("airplane"));
        QCOMPARE(draft.stateValue, 1);
        QCOMPARE(draft.valueGroup, 1); // PossVal "1" shows "data type of"
        QCOMPARE(draft.dataType, QStringLiteral("decimal"));
        QVERIFY(draft.possibleValues.isEmpty());
        QCOMPARE(draft.category, QStringLiteral("Derived"));
        QCOMPARE(draft.loadedNumber, -1);
        QVERIFY(!draft.edit);

        StructuralDraft withoutExample = cargo();
        withoutExample.loadedNumber = 3;
        const Outcome missing = StructuralLoader::fillExample(kConnection, withoutExample);
        QVERIFY(!missing && !missing.hasMessage());
        QCOMPARE(withoutExample.entity, QStringLiteral("cargo reservations"));
        QCOMPARE(withoutExample.loadedNumber, 3);
    }

    void fieldsCurrentlyDefined()
    {
        StructuralDraft second = range();
        second.position = QStringLiteral("2");
        second.dataType = QStringLiteral("Numeric");
        QCOMPARE(saveOk(second), 1);
        QCOMPARE(saveOk(gate()), 2); // position 1
        StructuralDraft other = range();
        other.entity = QStringLiteral("gate departure message");
        QCOMPARE(saveOk(other), 3);
        StructuralDraft wildcard = range();
        wildcard.entity = QStringLiteral("gate % message");
        QCOMPARE(saveOk(wildcard), 4);
        StructuralDraft retired = range();
        retired.attribute = QStringLiteral("old field");
        QCOMPARE(saveOk(retired), 5);
        QVERIFY(StoreTestSupport::exec(
            kConnection, "UPDATE MASTER_REQ SET FSTType = 'Deleted' WHERE Req_Num = 5"));

        const auto lines = MessageFields::ofRequirement(kConnection, 1);
        QVERIFY2(lines, qPrintable(lines.outcome().message()));
        QCOMPARE(lines->size(), 2);
        const MessageFieldLine &first = lines->at(0);
        QCOMPARE(first.number, 2);
        QCOMPARE(first.position, QStringLiteral("1"));
        QCOMPARE(first.field, QStringLiteral("gate identifier"));
        QCOMPARE(first.dataType, QStringLiteral("Alphanumeric"));
        QCOMPARE(first.possibleValues, QStringLiteral("5B, 5A, NE CARGO, SW CARGO"));
        const MessageFieldLine &next = lines->at(1);
        QCOMPARE(next.number, 1);
        QCOMPARE(next.dataType, QStringLiteral("Numeric"));
        QCOMPARE(next.from + '-' + next.to, QStringLiteral("1-99"));
        QVERIFY(next.possibleValues.isEmpty());

        // The message's own "%" is no wildcard; a message whose only field
        // was deleted has none.
        const auto percent = MessageFields::ofRequirement(kConnection, 4);
        QVERIFY2(percent, qPrintable(percent.outcome().message()));
        QCOMPARE(percent->size(), 1);
        QVERIFY(StoreTestSupport::exec(
            kConnection, "UPDATE MASTER_REQ SET FSTType = 'Deleted' WHERE Req_Num = 3"));
        const auto none = MessageFields::ofRequirement(kConnection, 3);
        QVERIFY2(none, qPrintable(none.outcome().message()));
        QVERIFY(none->isEmpty());
    }

    void draftLists()
    {
        StructuralDraft attribute = StructuralDraft::forTemplate(19);
        for (const char *value : {"nominal", "Caution", "warning", "hazardous", "caution"})
            QVERIFY(attribute.addPossibleValue(QString::fromLatin1(value)));
        QCOMPARE(attribute.possibleValues,
                 (QStringList{"Caution", "caution", "hazardous", "nominal", "warning"}));
        QCOMPARE(attribute.addPossibleValue(QString()).message(),
                 QStringLiteral("A Possible Value has not been defined. Must enter a value in "
                                "the Add field."));
        QCOMPARE(attribute.removePossibleValue(5).message(),
                 QStringLiteral("A possible value has not been selected for deletion."));
        QVERIFY(attribute.removePossibleValue(0));
        QCOMPARE(attribute.possibleValues.size(), 4);
        attribute.chooseValueGroup(1);
        QVERIFY(attribute.possibleValues.isEmpty()); // the whole list is discarded

        StructuralDraft message = gate();
        message.category = QStringLiteral("Derived");
        message.loadedNumber = 4;
        message.edit = true;
        message.clear();
        QVERIFY(message.entity.isEmpty() && message.possibleValues.isEmpty() &&
                message.position.isEmpty());
        QCOMPARE(message.category, QStringLiteral("Derived"));
        QCOMPARE(message.loadedNumber, -1);
        QVERIFY(!message.edit);
    }

    void failedWritesLeaveEverythingAsItWas_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("message");
        QTest::newRow("STRUC_REQ") << "STRUC_REQ"
                                   << "Error adding record to the ReqStSet recordset.\n";
        QTest::newRow("POSS_VALS") << "POSS_VALS"
                                   << "Error adding record to the ReqPvSet recordset.\n";
        QTest::newRow("OM_ENTITY") << "OM_ENTITY"
                                   << "Error creating object model. Your database may be "
                                      "corrupt.\rVerify your database, then retry composing.";
    }

    void failedWritesLeaveEverythingAsItWas()
    {
        QFETCH(QString, table);
        QFETCH(QString, message);
        QCOMPARE(saveOk(windSensor()), 1);
        const QStringList before = snapshot();
        QVERIFY(StoreTestSupport::refuseInTrigger(kConnection, "refuse", "BEFORE INSERT", table,
                                                  "disk full"));
        StructuralDraft draft = windSensor();
        draft.entity = QStringLiteral("tower");
        const CommitResult result = save(draft);
        QVERIFY(result.outcome.message().startsWith(message));
        QVERIFY((result.outcome.message() + result.detail).contains("disk full"));
        QCOMPARE(snapshot(), before);
        QVERIFY(StoreTestSupport::dropTrigger(kConnection, "refuse", table));
        QCOMPARE(saveOk(draft), 2);
    }

    void userTextIsBoundNotPasted()
    {
        StructuralDraft draft = windSensor();
        draft.entity = QStringLiteral("O'Hare \"tower\" 100%");
        draft.possibleValues = {QStringLiteral("'); DROP TABLE POSS_VALS; --"),
                                QStringLiteral("Grüße")};
        draft.defaultValue = QStringLiteral("Grüße");
        const CommitResult result = save(draft, QStringLiteral("Zürich's"));
        QVERIFY2(result.outcome, qPrintable(result.outcome.message()));
        QCOMPARE(scalar("SELECT EntityAttr FROM STRUC_REQ").toString(),
                 QStringLiteral("O'Hare \"tower\" 100%"));
        QCOMPARE(column("SELECT Value FROM POSS_VALS ORDER BY PV_ID"),
                 (QStringList{"'); DROP TABLE POSS_VALS; --", "Grüße"}));
        QVERIFY(scalar("SELECT ReqText FROM MASTER_REQ").toString().endsWith("a default of Grüße"));
        QCOMPARE(scalar("SELECT COUNT(*) FROM OM_ENTITY WHERE Entity = 'Oharetower100%'").toInt(),
                 1);

        StructuralDraft entity = cargo();
        QVERIFY(save(entity, QStringLiteral("Zürich's")).outcome);
        QCOMPARE(scalar("SELECT Preamble FROM MASTER_REQ WHERE Req_Num = 2").toString(),
                 QStringLiteral("The Zürich's system shall include"));
        QCOMPARE(StructuralCommit::preview(entity, QStringLiteral("Zürich's")).sentence,
                 QStringLiteral("The Zürich's system shall include cargo reservations."));
    }

    void unknownTemplateIsAnInternalError()
    {
        StructuralDraft draft = cargo();
        draft.source = 9;
        const CommitResult result = save(draft);
        QVERIFY(result.outcome.message().startsWith("Internal error."));
        QCOMPARE(scalar("SELECT COUNT(*) FROM MASTER_REQ").toInt(), 0);
    }
};

QTEST_GUILESS_MAIN(StructuralCommitTest)
#include "tst_structuralcommit.moc"
