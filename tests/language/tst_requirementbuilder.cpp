// The Requirement Builder's composition state: the preamble procedure, terms
// appended with validation from the first entity on, the Relational rules
// and their range flag, the grid limits and loading a stored G-code.
#include "language/requirementbuilder.h"

#include <QTest>

using namespace varn::language;

namespace {

const char *const AttributePhrasing = "Invalid phrasing of attribute clause.";
const char *const OrWithRange =
    "Using 'or' to specify a compound relational condition with three or more operands\nis "
    "disallowed when a range (e.g., 'less than') has already been specified.";
const char *const AndWithRange = "Using 'and' to specify a compound relational condition with "
                                 "three or more operands\nis disallowed.";
const char *const AndNeedsRange = "The preceding relational selection must specify a range "
                                  "(e.g., 'less than') for\nan 'and' clause to be added.";
const char *const RangeRequired = "The relational selection must be a range (e.g., 'less than') "
                                  "because a range\nhas already been selected.";
const char *const Notice =
    "Notice: Range checking for 'and' is not validated\nwhen building on an existing requirement.";

// Relational positions used below.
constexpr int Is = 0, Or = 2, And = 3, SetTo = 12, IsGreaterThan = 15, IsLessThan = 16,
              LessThan = 24;

// Drives a Builder through a script: a button letter (u q v a s g p t e),
// z for "that has", or "R<n>" for Relational entry n; false on a refusal.
bool compose(RequirementBuilder &builder, const QList<QByteArray> &steps)
{
    for (const QByteArray &step : steps) {
        varn::Outcome outcome = varn::Outcome::ok();
        if (step.startsWith('R')) {
            outcome = builder.appendListEntry(TermList::Relational, step.mid(1).toInt()).outcome();
        } else if (step == "z") {
            outcome = builder.appendListEntry(TermList::Possessive, 0).outcome();
        } else {
            const auto button = TermVocabulary::buttonOfLetter(step.at(0));
            if (!button)
                return false;
            outcome = builder.appendButton(*button).outcome();
        }
        if (!outcome.isOk()) {
            qWarning() << "refused" << step << outcome.message();
            return false;
        }
    }
    return true;
}

StoredBuilderRequirement stored(const QByteArray &gcode, int number = 7)
{
    StoredBuilderRequirement requirement;
    requirement.number = number;
    requirement.edit = true;
    requirement.preamble = gcode.startsWith('k') ? 4 : 1;
    requirement.gcode = gcode;
    requirement.version = 3;
    requirement.firstVersion = 2;
    for (int cell = 0; cell < varn::kMaxTerms; ++cell)
        requirement.fields << (cell < 6 ? QStringLiteral("text%1").arg(cell) : QString());
    return requirement;
}

} // namespace

class TestRequirementBuilder : public QObject
{
    Q_OBJECT

private slots:
    void startsWithDoWhat();
    void preambleProcedure();
    void refusesUnknownPreamble();
    void validatesFromFirstEntity();
    void placesTermsInCells();
    void listEntriesGiveLetters_data();
    void listEntriesGiveLetters();
    void refusesPositionsOutsideLists_data();
    void refusesPositionsOutsideLists();
    void relationalRules_data();
    void relationalRules();
    void rangeWordTogglesEvenWhenRefused();
    void andOnStoredRequirementGivesNotice();
    void gridLimits_data();
    void gridLimits();
    void loadsStoredRequirement();
    void refusesBadStoredGCode_data();
    void refusesBadStoredGCode();
    void loadsExample();
    void rendersSentence();
};

void TestRequirementBuilder::startsWithDoWhat()
{
    const RequirementBuilder builder;
    QCOMPARE(builder.gcode(), QByteArray("d"));
    QCOMPARE(builder.termCount(), 2);
    QVERIFY(!builder.isWhoWhatMode());
    QVERIFY(!builder.isValidationActive());
    QVERIFY(!builder.isRangeOn());
    QVERIFY(builder.termControlsEnabled());
    QCOMPARE(builder.requirementNumber(), -1);
    QCOMPARE(builder.cell(1).caption, QStringLiteral("(to) do what?"));
    QVERIFY(builder.cell(1).enabled);
    QVERIFY(!builder.cell(0).enabled);
    QVERIFY(builder.cell(0).caption.isEmpty());
    QCOMPARE(builder.focusCell(), 1);
    QCOMPARE(builder.preambleText(), QStringLiteral("shall"));
}

void TestRequirementBuilder::preambleProcedure()
{
    RequirementBuilder builder;
    QVERIFY(compose(builder, {"e", "R0"}));
    builder.setCellText(1, QStringLiteral("display"));
    QVERIFY(builder.choosePreamble(3).isOk());
    QCOMPARE(builder.gcode(), QByteArray("kd"));
    QVERIFY(builder.isWhoWhatMode());
    QVERIFY(!builder.isValidationActive());
    QCOMPARE(builder.termCount(), 2);
    QCOMPARE(builder.cell(0).caption, QStringLiteral("who/what"));
    QCOMPARE(builder.cell(1).caption, QStringLiteral("(to) do what?"));
    QVERIFY(builder.cell(1).text.isEmpty());
    QVERIFY(builder.cell(2).caption.isEmpty());
    QCOMPARE(builder.focusCell(), 0);
    QCOMPARE(builder.preambleText(), QStringLiteral("shall enable the"));

    QVERIFY(builder.clear().isOk());
    QCOMPARE(builder.gcode(), QByteArray("d"));
    QVERIFY(!builder.isWhoWhatMode());
    QVERIFY(builder.cell(0).caption.isEmpty());
    QCOMPARE(builder.preamblePosition(), 0);
}

void TestRequirementBuilder::refusesUnknownPreamble()
{
    RequirementBuilder builder;
    QVERIFY(compose(builder, {"e"}));
    for (int position : {-1, 7, 1000}) {
        const varn::Outcome outcome = builder.choosePreamble(position);
        QCOMPARE(outcome.message(), QStringLiteral("Validation error. A selection must be made "
                                                   "from the first drop-down list."));
    }
    QCOMPARE(builder.gcode(), QByteArray("de"));
}

// Before the first entity nothing is checked: "dz" is taken; the entity then
// checks the whole G-code and is refused, and checking stays on.
void TestRequirementBuilder::validatesFromFirstEntity()
{
    RequirementBuilder builder;
    QVERIFY(builder.appendListEntry(TermList::Possessive, 0));
    QCOMPARE(builder.gcode(), QByteArray("dz"));
    QVERIFY(!builder.isValidationActive());

    const auto entity = builder.appendButton(TermButton::Entity);
    QCOMPARE(entity.outcome().message(), QString::fromUtf8(AttributePhrasing));
    QCOMPARE(builder.gcode(), QByteArray("dz"));
    QCOMPARE(builder.termCount(), 3);
    QVERIFY(builder.cell(3).caption.isEmpty());
    QVERIFY(builder.isValidationActive());

    // "dz" itself is now checked with every term, and refused.
    const auto attribute = builder.appendButton(TermButton::Attribute);
    QCOMPARE(attribute.outcome().message(), QString::fromUtf8(AttributePhrasing));
    QCOMPARE(builder.gcode(), QByteArray("dz"));
}

void TestRequirementBuilder::placesTermsInCells()
{
    RequirementBuilder builder;
    const auto entity = builder.appendButton(TermButton::Entity);
    QVERIFY(entity);
    QCOMPARE(entity->cell, 2);
    QCOMPARE(entity->letter, 'e');
    QCOMPARE(builder.letterOfCell(0), '\0');
    QCOMPARE(builder.letterOfCell(1), 'd');
    QCOMPARE(builder.letterOfCell(2), 'e');
    QCOMPARE(builder.letterOfCell(3), '\0');
    QCOMPARE(builder.cell(2).caption, QStringLiteral("entity"));
    QVERIFY(builder.cell(2).text.isEmpty()); // a button fills no text
    QVERIFY(builder.cell(2).received);
    QCOMPARE(builder.focusCell(), 2);

    QVERIFY(builder.choosePreamble(5).isOk());
    const auto actorEntity = builder.appendButton(TermButton::Entity);
    QCOMPARE(actorEntity->cell, 2);
    QCOMPARE(builder.letterOfCell(0), 'k');
    QCOMPARE(builder.letterOfCell(2), 'e');
    QCOMPARE(builder.letterOfCell(-1), '\0');
    QCOMPARE(builder.letterOfCell(28), '\0');
    QVERIFY(!builder.setCellText(28, QStringLiteral("x")));
    QVERIFY(builder.cell(99).caption.isEmpty());
}

void TestRequirementBuilder::listEntriesGiveLetters_data()
{
    QTest::addColumn<int>("list");
    QTest::addColumn<int>("position");
    QTest::addColumn<char>("letter");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");

    const auto row = [](const char *tag, TermList list, int position, char letter,
                        const char *caption, const char *text) {
        QTest::newRow(tag) << int(list) << position << letter << QString::fromUtf8(caption)
                           << QString::fromUtf8(text);
    };
    row("at", TermList::Temporal, 0, 'y', "at", "at");
    row("every", TermList::Temporal, 1, 'y', "every", "every");
    row("from", TermList::StateTransition, 1, 'm', "from", "from");
    row("not containing", TermList::Possessive, 5, 'z', "not containing", "not containing");
    row("if", TermList::Logical, 0, 'i', "if", "if");
    row("or", TermList::Logical, 2, 'o', "or", "or");
    row("when", TermList::EventAction, 0, 'w', "when", "when");
    row("before", TermList::EventAction, 1, 'b', "before", "before");
    row("after", TermList::EventAction, 2, 'f', "after", "after");
    row("once", TermList::EventAction, 3, 'w', "once", "once");
    row("while", TermList::EventAction, 4, 'w', "while", "while");
    row("until", TermList::EventAction, 5, 'b', "until", "until");
    row("action", TermList::EventAction, 6, 'c', "action", "");
    row("with", TermList::Associative, 0, 'h', "with", "with");
    row("references", TermList::Associative, 10, 'h', "references", "references");
    row("by", TermList::Associative, 11, 'j', "by", "by");
    row("based on", TermList::Associative, 12, 'j', "based on", "based on");
    row("in", TermList::Associative, 13, 'n', "in", "in");
    row("within", TermList::Associative, 15, 'n', "within", "within");
    row("and from", TermList::Associative, 21, 'h', "and from", "and from");
    row("and based on", TermList::Associative, 23, 'j', "and based on", "and based on");
    row("is sent to", TermList::External, 2, 'x', "is sent to", "is sent to");
    row("are received from", TermList::External, 5, 'x', "are received from", "are received from");
}

// No entity yet, so any letter is taken as it is given.
void TestRequirementBuilder::listEntriesGiveLetters()
{
    QFETCH(int, list);
    QFETCH(int, position);
    QFETCH(char, letter);
    QFETCH(QString, caption);
    QFETCH(QString, text);

    RequirementBuilder builder;
    const auto appended = builder.appendListEntry(TermList(list), position);
    QVERIFY(appended);
    QCOMPARE(appended->letter, letter);
    QCOMPARE(builder.gcode(), QByteArray("d") + letter);
    QCOMPARE(builder.cell(2).caption, caption);
    QCOMPARE(builder.cell(2).text, text);
}

void TestRequirementBuilder::refusesPositionsOutsideLists_data()
{
    QTest::addColumn<int>("list");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("message");

    const auto row = [](TermList list, int position, const char *name) {
        const QString message =
            QStringLiteral("Invalid selection made in list of %1 terms.").arg(QLatin1String(name));
        QTest::newRow(qPrintable(TermVocabulary::listName(list) + QString::number(position)))
            << int(list) << position << message;
    };
    row(TermList::Temporal, 2, "Temporal");
    row(TermList::StateTransition, -1, "State Transition");
    row(TermList::Relational, 27, "Relational");
    row(TermList::Relational, -1, "Relational");
    row(TermList::Possessive, 6, "Possessive");
    row(TermList::Logical, 3, "Logical");
    row(TermList::EventAction, 7, "Event/Action");
    row(TermList::Associative, 24, "Associative");
    row(TermList::External, 6, "Associative");
}

void TestRequirementBuilder::refusesPositionsOutsideLists()
{
    QFETCH(int, list);
    QFETCH(int, position);
    QFETCH(QString, message);

    RequirementBuilder builder;
    QCOMPARE(builder.appendListEntry(TermList(list), position).outcome().message(), message);
    QCOMPARE(builder.gcode(), QByteArray("d"));
}

void TestRequirementBuilder::relationalRules_data()
{
    QTest::addColumn<int>("preamble");
    QTest::addColumn<QList<QByteArray>>("steps");
    QTest::addColumn<int>("choice");
    QTest::addColumn<QByteArray>("gcode"); // after the choice
    QTest::addColumn<bool>("rangeOn");     // after the choice
    QTest::addColumn<QString>("message");

    using Steps = QList<QByteArray>;
    const QString none;
    QTest::newRow("is gives l") << 0 << Steps{"e"} << Is << QByteArray("del") << false << none;
    QTest::newRow("range word turns range on")
        << 0 << Steps{"e"} << IsLessThan << QByteArray("del") << true << none;
    QTest::newRow("second range word closes it")
        << 0 << Steps{"e", "R16", "g", "R3"} << LessThan << QByteArray("delgrl") << false << none;
    QTest::newRow("plain word in a range")
        << 0 << Steps{"e", "R16"} << SetTo << QByteArray("del") << true << RangeRequired;
    QTest::newRow("is in a range goes to the grammar")
        << 0 << Steps{"e", "R16"} << Is << QByteArray("del") << true << AttributePhrasing;
    QTest::newRow("and after a short range")
        << 0 << Steps{"e", "R16", "g"} << And << QByteArray("delgr") << true << none;
    QTest::newRow("and without a range")
        << 0 << Steps{"e", "R0", "g"} << And << QByteArray("delg") << false << AndNeedsRange;
    QTest::newRow("and after an attribute") << 0 << Steps{"e", "R0", "g", "R2", "z", "a"} << And
                                            << QByteArray("delgrzar") << false << none;
    QTest::newRow("or without a range")
        << 0 << Steps{"e", "R0", "g"} << Or << QByteArray("delgr") << false << none;
    QTest::newRow("or of three with a range") << 0 << Steps{"e", "R15", "g", "R2", "R0", "g"} << Or
                                              << QByteArray("delgrlg") << true << OrWithRange;
    QTest::newRow("and of three with a range")
        << 0 << Steps{"e", "R15", "g", "R2", "R0", "g"} << And << QByteArray("delgrlg") << true
        << AndWithRange;
    QTest::newRow("and of two with a range, long")
        << 0 << Steps{"e", "z", "a", "R16", "g"} << And << QByteArray("dezalgr") << true << none;
    // The compound check starts at 6 terms without who/what, at 7 with it.
    QTest::newRow("six terms") << 0 << Steps{"R16", "g", "R2", "R0", "g"} << Or
                               << QByteArray("dlgrlg") << true << OrWithRange;
    QTest::newRow("six terms with who/what")
        << 3 << Steps{"R16", "g", "R2", "R0"} << Or << QByteArray("kdlgrlr") << true << none;
    QTest::newRow("seven terms with who/what") << 3 << Steps{"e", "R16", "g", "R2", "R0", "g"} << Or
                                               << QByteArray("kdelgrlg") << true << OrWithRange;
    QTest::newRow("range word refused by the grammar")
        << 0 << Steps{"e", "z"} << IsGreaterThan << QByteArray("dez") << true << AttributePhrasing;
}

void TestRequirementBuilder::relationalRules()
{
    QFETCH(int, preamble);
    QFETCH(QList<QByteArray>, steps);
    QFETCH(int, choice);
    QFETCH(QByteArray, gcode);
    QFETCH(bool, rangeOn);
    QFETCH(QString, message);

    RequirementBuilder builder;
    QVERIFY(builder.choosePreamble(preamble).isOk());
    QVERIFY(compose(builder, steps));
    const auto appended = builder.appendListEntry(TermList::Relational, choice);
    QCOMPARE(appended.outcome().message(), message);
    QCOMPARE(appended.isOk(), message.isEmpty());
    QCOMPARE(builder.gcode(), gcode);
    QCOMPARE(builder.isRangeOn(), rangeOn);
    if (appended)
        QVERIFY(appended->notice.isEmpty());
}

void TestRequirementBuilder::rangeWordTogglesEvenWhenRefused()
{
    RequirementBuilder builder;
    QVERIFY(compose(builder, {"e", "z"}));
    QVERIFY(!builder.appendListEntry(TermList::Relational, IsLessThan));
    QVERIFY(builder.isRangeOn());
    QVERIFY(!builder.appendListEntry(TermList::Relational, LessThan));
    QVERIFY(!builder.isRangeOn());
    QCOMPARE(builder.gcode(), QByteArray("dez"));
}

void TestRequirementBuilder::andOnStoredRequirementGivesNotice()
{
    RequirementBuilder builder;
    QVERIFY(builder.loadStored(stored("kdewecmg")).isOk());
    const auto appended = builder.appendListEntry(TermList::Relational, And);
    QVERIFY(appended);
    QCOMPARE(appended->letter, 'r');
    QCOMPARE(appended->notice, QString::fromUtf8(Notice));
    QCOMPARE(builder.gcode(), QByteArray("kdewecmgr"));

    QVERIFY(builder.loadStored(stored("kdeza")).isOk());
    const auto afterAttribute = builder.appendListEntry(TermList::Relational, And);
    QVERIFY(afterAttribute);
    QVERIFY(afterAttribute->notice.isEmpty());

    // A refused load of nothing (number -1) keeps the ordinary rule.
    QVERIFY(builder.loadStored(stored("kdelg", -1)).isOk());
    QCOMPARE(builder.appendListEntry(TermList::Relational, And).outcome().message(),
             QString::fromUtf8(AndNeedsRange));
}

void TestRequirementBuilder::gridLimits_data()
{
    QTest::addColumn<int>("preamble");
    QTest::addColumn<int>("letters");

    QTest::newRow("without who/what") << 0 << 27;
    QTest::newRow("with who/what") << 6 << 28;
}

// Attributes only: no entity, so nothing is checked and the grid fills up.
void TestRequirementBuilder::gridLimits()
{
    QFETCH(int, preamble);
    QFETCH(int, letters);

    RequirementBuilder builder;
    QVERIFY(builder.choosePreamble(preamble).isOk());
    while (!builder.isFull()) {
        QVERIFY(builder.termControlsEnabled());
        QVERIFY(builder.appendButton(TermButton::Attribute));
    }
    QCOMPARE(builder.gcode().size(), letters);
    QCOMPARE(builder.termCount(), 28);
    QVERIFY(!builder.termControlsEnabled());
    QCOMPARE(builder.letterOfCell(27), 'a');
    QCOMPARE(builder.appendButton(TermButton::Entity).outcome().message(),
             QStringLiteral("Internal error. The term grid is full."));
    QCOMPARE(builder.gcode().size(), letters);
    QVERIFY(builder.choosePreamble(0).isOk());
    QVERIFY(builder.termControlsEnabled());
}

void TestRequirementBuilder::loadsStoredRequirement()
{
    RequirementBuilder builder;
    QVERIFY(builder.loadStored(stored("kdewec")).isOk());
    QVERIFY(builder.isWhoWhatMode());
    QVERIFY(builder.isValidationActive());
    QCOMPARE(builder.termCount(), 6);
    QCOMPARE(builder.requirementNumber(), 7);
    QVERIFY(builder.isEditMode());
    QCOMPARE(builder.version(), 3);
    QCOMPARE(builder.firstVersion(), 2);
    QCOMPARE(builder.preamblePosition(), 4);
    QCOMPARE(builder.cell(0).caption, QStringLiteral("who/what"));
    QCOMPARE(builder.cell(5).caption, QStringLiteral("(is) action"));
    QCOMPARE(builder.cell(5).text, QStringLiteral("text5"));
    QVERIFY(builder.cell(5).enabled);
    QVERIFY(!builder.cell(6).enabled);
    QVERIFY(builder.cell(6).caption.isEmpty());

    QVERIFY(builder.loadStored(stored("dewec", 12)).isOk());
    QVERIFY(!builder.isWhoWhatMode());
    QCOMPARE(builder.termCount(), 6);
    QVERIFY(!builder.cell(0).enabled);
    QVERIFY(builder.cell(0).caption.isEmpty());
    QCOMPARE(builder.cell(1).caption, QStringLiteral("(to) do what?"));
    QCOMPARE(builder.cell(5).caption, QStringLiteral("(is) action"));
    QCOMPARE(builder.letterOfCell(5), 'c');
    QCOMPARE(builder.preambleText(), QStringLiteral("shall provide the capability"));
    // the next term is checked at once
    QCOMPARE(builder.appendButton(TermButton::State).outcome().message(),
             QString::fromUtf8(AttributePhrasing));

    StoredBuilderRequirement odd = stored("de");
    odd.preamble = 9;
    odd.fields.clear();
    QVERIFY(builder.loadStored(odd).isOk());
    QCOMPARE(builder.preamblePosition(), -1);
    QVERIFY(builder.preambleText().isEmpty());
    QVERIFY(builder.cell(1).text.isEmpty());
}

void TestRequirementBuilder::refusesBadStoredGCode_data()
{
    QTest::addColumn<QByteArray>("gcode");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("asExample"); // the example is always in who/what mode

    const QString invalid = QStringLiteral("Internal error. Invalid G-Code specified.");
    QTest::newRow("empty") << QByteArray() << invalid << true;
    QTest::newRow("non-letter") << QByteArray("de#") << invalid << true;
    QTest::newRow("NUL") << QByteArray("de\0e", 4) << invalid << true;
    QTest::newRow("28 without who/what") << QByteArray(28, 'd') << invalid << false;
    QTest::newRow("29 letters") << QByteArray("k") + QByteArray(28, 'd')
                                << QStringLiteral("Internal error. G-Code is longer than 28 terms.")
                                << true;
}

void TestRequirementBuilder::refusesBadStoredGCode()
{
    QFETCH(QByteArray, gcode);
    QFETCH(QString, message);
    QFETCH(bool, asExample);

    RequirementBuilder builder;
    QVERIFY(compose(builder, {"e"}));
    QCOMPARE(builder.loadStored(stored(gcode)).message(), message);
    if (asExample)
        QCOMPARE(builder.loadExample(stored(gcode)).message(), message);
    QCOMPARE(builder.gcode(), QByteArray("de"));
    QCOMPARE(builder.requirementNumber(), -1);
}

void TestRequirementBuilder::loadsExample()
{
    RequirementBuilder builder;
    QVERIFY(builder.loadStored(stored("kdewec")).isOk());
    StoredBuilderRequirement example = stored("kdatebtecmgmgitelgrlg", 73);
    QVERIFY(builder.loadExample(example).isOk());
    QCOMPARE(builder.requirementNumber(), -1);
    QVERIFY(!builder.isEditMode());
    QVERIFY(builder.isWhoWhatMode());
    QVERIFY(builder.isValidationActive());
    QVERIFY(!builder.termControlsEnabled());
    QCOMPARE(builder.cell(8).caption, QStringLiteral("action"));
    QCOMPARE(builder.cell(18).caption, QStringLiteral("or/and"));
    QCOMPARE(builder.cell(20).caption, QStringLiteral("state"));
    QVERIFY(builder.cell(20).enabled);
    QVERIFY(!builder.cell(21).enabled);
    QCOMPARE(builder.cell(3).text, QStringLiteral("text3"));
    QCOMPARE(builder.gcode(), example.gcode);
    QVERIFY(builder.choosePreamble(0).isOk());
    QVERIFY(builder.termControlsEnabled());
}

void TestRequirementBuilder::rendersSentence()
{
    RequirementBuilder builder;
    QVERIFY(builder.choosePreamble(1).isOk());
    builder.setCellText(1, QStringLiteral("to assess"));
    QVERIFY(compose(builder, {"a", "e"}));
    builder.setCellText(2, QStringLiteral("weight"));
    builder.setCellText(3, QStringLiteral("foreign cargo  "));
    QCOMPARE(builder.sentence(QStringLiteral("ESD")),
             QStringLiteral("The ESD system shall provide the capability to assess weight "
                            "foreign cargo."));

    QVERIFY(builder.choosePreamble(3).isOk());
    builder.setCellText(0, QStringLiteral("operator"));
    builder.setCellText(1, QStringLiteral("to  open"));
    QCOMPARE(builder.sentence(QStringLiteral("ESD")),
             QStringLiteral("The ESD system shall enable the operator to  open."));
    QVERIFY(builder.choosePreamble(0).isOk());
    QCOMPARE(builder.sentence(QStringLiteral("ESD")), QStringLiteral("The ESD system shall."));
}

QTEST_APPLESS_MAIN(TestRequirementBuilder)
#include "common/requirementlimits.h"
#include "tst_requirementbuilder.moc"
