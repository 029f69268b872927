// The clause-sequence walk: one G-code per row of the family tables, the
// counters and the end checks, each checked for the row that decides it and
// for the exact message the user sees.
#include "language/gcodegrammar.h"
#include "language/grammartables.h"

#include <QSet>
#include <QTest>

using namespace varn::language;

namespace {

// The user's texts, written out here so that a slip in the catalogue shows.
const char *const Start = "A functional requirement must begin with 'who/what?' or 'to do what?'.";
const char *const InvalidTerm = "Internal error. Invalid term.";
const char *const TooLong = "Internal error. G-Code is longer than 28 terms.";
const char *const TwoWhen = "Requirement cannot contain two 'when-type' clauses.";
const char *const IfBeforeWhen =
    "An 'if' clause cannot precede a 'when-type' clause. Try reversing.";
const char *const TwoIf = "Requirement cannot contain two 'if' clauses. Try using the logical "
                          "'and'\nto create a compound requirement.";
const char *const AndBeforeIf = "An 'and' clause cannot precede an 'if' clause. Start with "
                                "'if',\nthen grow the requirement with additional 'and' clauses.";
const char *const WhenQuantity =
    "A 'when-type' clause cannot precede a 'quantity' preceded by an 'entity'.";
const char *const WhenEvery = "A 'when-type' clause cannot precede 'every' or 'at'.";
const char *const InAttribute = "'In' cannot be followed by an 'attribute'.";
const char *const PossessiveStandard = "A possessive clause cannot precede a 'part', 'type', or "
                                       "'entity'\nthat does not have an 'attribute' specified.";
const char *const StandardPhrasing =
    "Invalid phrasing of standard clause ('attribute', 'part', 'type', or 'entity').";
const char *const ExternalPrecedes =
    "A 'to/from-external' clause cannot precede the term chosen. Try moving\nthe "
    "'to/from-external' clause to some point later in the requirement.";
const char *const InAfterWith = "'In' or 'spatiality' term cannot be preceded by a 'with' clause.";
const char *const InAfterAttribute =
    "'In' or 'spatiality' term cannot be preceded by an 'entity' that has a preceding\n"
    "'attribute' specified. Try using a possessive 'that has' clause to include the attribute.";
const char *const AttributePossessive = "'Attribute' must be preceded by a possessive clause when "
                                        "followed by an associative clause.";
const char *const UnitsQuantity = "'Units' must follow 'quantity' when 'quantity' is preceded by "
                                  "an 'entity', 'every', or 'at'.";
const char *const AssociativePhrasing = "Invalid phrasing of associative clause.";
const char *const ExternalAttribute =
    "External term cannot be preceded by an 'entity' that has an 'attribute' specified.";
const char *const ExternalIn = "External term cannot be preceded by an 'in' clause.";
const char *const ExternalSpatial = "External term cannot be preceded by a 'spatial' clause.";
const char *const ExternalWith = "External term cannot be preceded by a 'with' clause.";
const char *const ExternalBefore = "External term cannot be preceded by a 'before' clause.";
const char *const WhenAttribute = "'Attribute' must be preceded by a possessive clause\nwhen the "
                                  "'attribute' is followed by an associative clause.";
const char *const WhenUnits = "'Units' must follow 'quantity' when the 'quantity' is preceded by "
                              "an 'entity', 'every', or 'at'.";
const char *const ExternalPreceding = "Invalid term preceding the external 'to/from'.";
const char *const ActionWhen =
    "Action preceded by an invalid clause. A 'when' clause is required for an action.";
const char *const EventPhrasing = "Invalid phrasing of event, action, or external clause.";
const char *const RelationalSpatial = "A relational or transition term (e.g., is, to/from) cannot "
                                      "be preceded by a spatial phrase.";
const char *const RelationalIn = "A relational or transition term (e.g., is, to/from) cannot be "
                                 "preceded by an 'in' phrase.";
const char *const RelationalEvent = "A relational or transition term (e.g., is, to/from) cannot be "
                                    "preceded\nby an event phrase with no 'action'.";
const char *const OrAndInvalid = "Invalid use of relational 'or/and' clause.";
const char *const AttributePhrasing = "Invalid phrasing of attribute clause.";
const char *const EndAttribute = "Invalid end of requirement. Requirement cannot be terminated by "
                                 "an attribute.\nTry adding the entity to which the attribute "
                                 "belongs.";
const char *const EndAttributeL4 =
    "Invalid end of requirement. An 'attribute', preceded by a possessive clause, preceded by\n"
    "a 'when-type' or conditional clause, must have a 'state', 'value', or 'quantity' specified.";
const char *const EndAttributeL5 =
    "Invalid end of requirement. An attribute, preceded by a possessive clause, preceded by\n"
    "a 'when-type' or conditional clause, must have a 'state', 'value', or 'quantity' specified.";
const char *const EndAttributeL6 =
    "Invalid end of requirement. An attribute, preceded by a possessive clause,\npreceded by\n"
    "a 'when-type' or conditional clause, must have a 'state', 'value', or 'quantity' specified.";
const char *const EndNoAction = "Invalid end of requirement. Cannot end with a "
                                "'when/before/after' clause without an action.\nTry adding an "
                                "'action' after the 'entity'";
const char *const EndIf = "Invalid end of requirement. Cannot end with an 'if' clause.\nTry "
                          "adding a 'state', 'value', or 'quantity'";
const char *const EndIfForm = "Invalid end of requirement. Cannot end with this form of 'if' or "
                              "'and' clause.\nTry adding a 'spatiality' term, 'state', 'value', "
                              "or 'quantity'";
const char *const EndAndState =
    "Invalid end of requirement. Cannot end with an 'and' clause preceded by a 'state'.";
const char *const EndQuantity = "Invalid end of requirement. Cannot end with a 'quantity'\n"
                                "preceded by an 'entity' or 'attribute'.";
const char *const EndUnits = "Invalid end of requirement. 'Units' must be preceded by "
                             "'quantity',\npreceded by 'at/every'.";
const char *const EndOther = "Invalid end of requirement. The requirement cannot be terminated "
                             "by the last term chosen.\nTry rephrasing or continue composing.";

const char *const Accept = nullptr;
const char *const Silent = "";

struct Case
{
    const char *rule;
    const char *gcode;
    bool endChecks;
    const char *message; // Accept, Silent or the text
};

// The term under test is the last one (or, with the end checks, the tail).
const Case Cases[] = {
    {"S1", "de", false, Accept},
    {"S2a", "dena", false, InAttribute},
    {"S2b", "dene", false, Accept},
    {"S3", "dezae", false, PossessiveStandard},
    {"S4", "dpe", false, Accept},
    {"S5", "dpt", false, Accept},
    {"S6", "dae", false, Accept},
    {"S7", "desp", false, Accept},
    {"S8", "dee", false, StandardPhrasing},
    {"S9a", "deja", false, Accept},
    {"S9b", "deje", false, StandardPhrasing},

    {"A1", "dexeh", false, ExternalPrecedes},
    {"A2a", "dehen", false, InAfterWith},
    {"A2b", "dehten", false, InAfterWith},
    {"A2c", "dehpten", false, InAfterWith},
    {"A3a", "daen", false, InAfterAttribute},
    {"A3b", "daten", false, InAfterAttribute},
    {"A3c", "dapten", false, InAfterAttribute},
    {"A3d", "den", false, Accept},
    {"A4a", "dezah", false, Accept},
    {"A4b", "dah", false, AttributePossessive},
    {"A5", "deh", false, Accept},
    {"A6a", "deqh", false, UnitsQuantity},
    {"A6b", "desqh", false, Accept},
    {"A7", "dezan", false, Accept},
    {"A8", "dewech", false, Accept},
    {"A9", "dh", false, AssociativePhrasing},

    {"E1", "dexex", false, ExternalPrecedes},
    {"E2a", "daex", false, ExternalAttribute},
    {"E2b", "datex", false, ExternalAttribute},
    {"E2c", "daptex", false, ExternalAttribute},
    {"E3a", "denex", false, ExternalIn},
    {"E3b", "dentex", false, ExternalIn},
    {"E4a", "desex", false, ExternalSpatial},
    {"E4b", "destex", false, ExternalSpatial},
    {"E5", "denptex", false, ExternalIn},
    {"E6", "desptex", false, ExternalSpatial},
    {"E7a", "dehex", false, ExternalWith},
    {"E7b", "dehtex", false, ExternalWith},
    {"E7c", "dehptex", false, ExternalWith},
    {"E8a", "debex", false, ExternalBefore},
    {"E8b", "debtex", false, ExternalBefore},
    {"E8c", "debptex", false, ExternalBefore},
    {"E9", "dew", false, Accept},
    {"E10a", "dezaw", false, Accept},
    {"E10b", "daw", false, WhenAttribute},
    {"E11", "delgw", false, Accept},
    {"E12a", "deqw", false, WhenUnits},
    {"E12b", "desqw", false, Accept},
    {"E13a", "dex", false, Accept},
    {"E13b", "delgx", false, ExternalPreceding},
    {"E14a", "dewec", false, Accept},
    {"E14b", "dewtec", false, Accept},
    {"E14c", "dewptec", false, Accept},
    {"E14d", "dewaptec", false, Accept},
    {"E15", "dec", false, ActionWhen},
    {"E16", "dac", false, EventPhrasing},

    {"C1", "delgr", false, Accept},
    {"C2", "dey", false, Accept},
    {"C3", "desq", false, Accept},
    {"C4", "dexez", false, ExternalPrecedes},
    {"C5a", "desel", false, RelationalSpatial},
    {"C5b", "destel", false, RelationalSpatial},
    {"C6a", "denem", false, RelationalIn},
    {"C6b", "dentel", false, RelationalIn},
    {"C7", "desptel", false, RelationalSpatial},
    {"C8", "denptel", false, RelationalIn},
    {"C9a", "dewel", false, RelationalEvent},
    {"C9b", "dewtel", false, RelationalEvent},
    {"C10", "dewptem", false, RelationalEvent},
    {"C11", "del", false, Accept},
    {"C12", "dez", false, Accept},
    {"C13", "delg", false, Accept},
    {"C14", "dequ", false, Accept},
    {"C15", "delgrz", false, Accept},
    {"C16", "dewecm", false, Accept},
    {"C17a", "dezal", false, Accept},
    {"C17b", "dal", false, Silent},
    {"C18", "kelgl", false, Accept},
    {"C19", "dezay", false, Accept},
    {"C21a", "dezar", false, Accept},
    {"C21b", "dar", false, OrAndInvalid},
    {"C22", "dexeq", false, Accept},
    {"C23", "dg", false, AttributePhrasing},

    {"when-count", "dewecmgb", false, TwoWhen},
    {"if-before-when", "deiew", false, IfBeforeWhen},
    {"if-count", "deiei", false, TwoIf},
    {"and-before-if", "deo", false, AndBeforeIf},
    {"when-quantity", "deweq", false, WhenQuantity},
    {"when-every", "dewey", false, WhenEvery},
    {"start", "ed", false, Start},
    {"letter", "deE", false, InvalidTerm},
    {"family", "dek", false, InvalidTerm},
    {"length", "deheheheheheheheheheheheheheh", false, TooLong},

    {"End-a1", "da", true, EndAttribute},
    {"End-a4", "deieza", true, EndAttributeL4},
    {"End-a5", "dewteza", true, EndAttributeL5},
    {"End-a6", "dewpteza", true, EndAttributeL6},
    {"End-a", "deza", true, Accept},
    {"End-cgv", "dewec", true, Accept},
    {"End-e1a", "dewe", true, EndNoAction},
    {"End-e1b", "dewte", true, EndNoAction},
    {"End-e1c", "dewpte", true, EndNoAction},
    {"End-e2a", "deie", true, EndIf},
    {"End-e2b", "deite", true, EndIf},
    {"End-e3a", "deiene", true, Accept},
    {"End-e3b", "deipte", true, EndIfForm},
    {"End-e4a", "deitene", true, Accept},
    {"End-e4b", "deiente", true, Accept},
    {"End-e4c", "deiapte", true, EndIfForm},
    {"End-e5a", "deielgote", true, EndAndState},
    {"End-e5b", "deielgoe", true, EndAndState},
    {"End-e6", "de", true, Accept},
    {"End-q1", "deq", true, EndQuantity},
    {"End-q2", "desq", true, Accept},
    {"End-u1", "deyqu", true, Accept},
    {"End-u2", "dequ", true, EndUnits},
    {"End-other", "dex", true, EndOther},
};

} // namespace

class TestGCodeGrammar : public QObject
{
    Q_OBJECT

private slots:
    void decidesByItsRow_data();
    void decidesByItsRow();
    void everyRowIsExercised();
    void walkEdges_data();
    void walkEdges();
    void closingAttributeGivesEveryMessage();
    void endChecksOnlyWhenAsked();
};

void TestGCodeGrammar::decidesByItsRow_data()
{
    QTest::addColumn<QByteArray>("gcode");
    QTest::addColumn<bool>("endChecks");
    QTest::addColumn<QString>("rule");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("message");
    for (const Case &c : Cases) {
        QTest::newRow(c.rule) << QByteArray(c.gcode) << c.endChecks << QString::fromLatin1(c.rule)
                              << (c.message == Accept) << QString::fromUtf8(c.message);
    }
}

void TestGCodeGrammar::decidesByItsRow()
{
    QFETCH(QByteArray, gcode);
    QFETCH(bool, endChecks);
    QFETCH(QString, rule);
    QFETCH(bool, accepted);
    QFETCH(QString, message);

    const GrammarVerdict verdict = GCodeGrammar::evaluate(gcode, endChecks);
    QCOMPARE(QString::fromLatin1(verdict.rule), rule);
    const varn::Outcome outcome = GCodeGrammar::ValidateSequence(gcode, endChecks);
    QCOMPARE(outcome.isOk(), accepted);
    QCOMPARE(outcome.message(), message);
}

// Every row of the tables decides at least one case above. C20 cannot: C15
// accepts every 'z' after 'r' before it is reached.
void TestGCodeGrammar::everyRowIsExercised()
{
    QSet<QString> decided;
    for (const Case &c : Cases)
        decided.insert(QString::fromLatin1(GCodeGrammar::evaluate(c.gcode, c.endChecks).rule));
    for (const GrammarRule &rule : FamilyRules) {
        const QString name = QString::fromLatin1(rule.name);
        if (!name.startsWith(QLatin1String("C20")))
            QVERIFY2(decided.contains(name), qPrintable(name));
    }
    for (const GrammarRule &rule : EndCheckRules)
        QVERIFY2(decided.contains(QString::fromLatin1(rule.name)), rule.name);
    QCOMPARE(GCodeGrammar::evaluate("delgrz", false).rule, "C15");
}

void TestGCodeGrammar::walkEdges_data()
{
    QTest::addColumn<QByteArray>("gcode");
    QTest::addColumn<bool>("endChecks");
    QTest::addColumn<QString>("message"); // empty: accepted

    QTest::newRow("empty") << QByteArray() << false << Start;
    QTest::newRow("d alone, composing") << QByteArray("d") << false << QString();
    QTest::newRow("d alone, finished") << QByteArray("d") << true << EndOther;
    QTest::newRow("kd") << QByteArray("kd") << false << QString();
    QTest::newRow("second d is examined") << QByteArray("dde") << false << InvalidTerm;
    QTest::newRow("k then entity") << QByteArray("ke") << true << QString();
    QTest::newRow("NUL inside") << QByteArray("de\0e", 4) << false << InvalidTerm;
    QTest::newRow("high byte") << QByteArray("de\xff") << false << InvalidTerm;
    QTest::newRow("digit first") << QByteArray("1de") << false << Start;
    QTest::newRow("28 letters") << QByteArray("kdeheheheheheheheheheheheheh") << false << QString();
    QTest::newRow("29 letters") << QByteArray("kdeheheheheheheheheheheheheh"
                                              "e")
                                << false << TooLong;
    QTest::newRow("before the start matches nothing") << QByteArray("dex") << false << QString();
    QTest::newRow("dewecmg composing") << QByteArray("dewecmg") << false << QString();
    QTest::newRow("dewecg") << QByteArray("dewecg") << false << AttributePhrasing;
    QTest::newRow("deie composing") << QByteArray("deie") << false << QString();
    QTest::newRow("dewec finished") << QByteArray("dewec") << true << QString();
    QTest::newRow("Builder example") << QByteArray("kdatebtecmgmgitelgrlg") << true << QString();
    QTest::newRow("attribute definition") << QByteArray("ktezalglg") << true << QString();
}

void TestGCodeGrammar::walkEdges()
{
    QFETCH(QByteArray, gcode);
    QFETCH(bool, endChecks);
    QFETCH(QString, message);

    const varn::Outcome outcome = GCodeGrammar::ValidateSequence(gcode, endChecks);
    QCOMPARE(outcome.isOk(), message.isEmpty());
    QCOMPARE(outcome.message(), message);
}

// L4 and L6 both hold: one refusal carries both messages, an empty line apart.
void TestGCodeGrammar::closingAttributeGivesEveryMessage()
{
    const varn::Outcome outcome = GCodeGrammar::ValidateSequence("deweieza", true);
    QVERIFY(!outcome.isOk());
    QCOMPARE(outcome.message(), QString::fromUtf8(EndAttributeL4) + QStringLiteral("\n\n") +
                                    QString::fromUtf8(EndAttributeL6));
}

void TestGCodeGrammar::endChecksOnlyWhenAsked()
{
    for (const char *gcode : {"dewe", "deie", "da", "deq", "dequ", "dex"}) {
        QVERIFY2(GCodeGrammar::ValidateSequence(gcode, false).isOk(), gcode);
        QVERIFY2(!GCodeGrammar::ValidateSequence(gcode, true).isOk(), gcode);
    }
}

QTEST_APPLESS_MAIN(TestGCodeGrammar)
#include "tst_gcodegrammar.moc"
