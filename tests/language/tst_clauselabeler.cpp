// Clause labelling: the clause shapes, the checks across clauses, and the
// group and form tables that derivation reads.
#include "language/clauselabeler.h"

#include <QTest>

using namespace varn::language;

namespace {

// "Q0 A2 A2 ..." for the labelled records, up to the first letter 0.
QString labels(const QList<TermRecord> &records)
{
    QStringList parts;
    for (const TermRecord &record : records) {
        if (record.letter == 0)
            break;
        parts << QString::fromLatin1(&record.group, 1) + QString::number(record.form);
    }
    return parts.join(u' ');
}

const char *const InvalidGCode = "Internal error. Invalid G-Code specified.";

} // namespace

class TestClauseLabeler : public QObject
{
    Q_OBJECT

private slots:
    void labelsClauses_data();
    void labelsClauses();
    void checksAcrossClauses_data();
    void checksAcrossClauses();
    void keepsLettersAndTexts();
    void refusalClearsLabels();
    void stopsAtTheEndRecord();
    void formTables_data();
    void formTables();
    void clauseGroups();
};

void TestClauseLabeler::labelsClauses_data()
{
    QTest::addColumn<QByteArray>("gcode");
    QTest::addColumn<QString>("expected");

    const auto row = [](const char *gcode, const char *expected) {
        QTest::newRow(gcode) << QByteArray(gcode) << QString::fromLatin1(expected);
    };
    // the actor and its qualifiers
    row("kdewec", "Q0 A2 A2 B2 B2 B2");
    row("ke", "Q2 Q2");
    row("kte", "Q4 Q4 Q4");
    row("kpte", "Q1 Q1 Q1 Q1");
    row("kpe", "Q3 Q3 Q3");
    row("kede", "Q2 Q2 A2 A2");
    row("kezalg", "Q2 Q2 N2 N2 P2 P2");
    row("k", "Q3");
    // long forms of an opener
    row("de", "A2 A2");
    row("dae", "A5 A5 A5");
    row("dte", "A4 A4 A4");
    row("dpe", "A3 A3 A3");
    row("date", "A6 A6 A6 A6");
    row("dape", "A7 A7 A7 A7");
    row("dpte", "A1 A1 A1 A1");
    row("dapte", "A8 A8 A8 A8 A8");
    row("da", "A8 A8");
    // when-type clauses carry the action
    row("dewe", "A2 A2 B2 B2");
    row("dewaec", "A2 A2 B5 B5 B5 B5");
    row("dewtec", "A2 A2 B4 B4 B4 B4");
    row("dewatec", "A2 A2 B6 B6 B6 B6 B6");
    row("dewapec", "A2 A2 B7 B7 B7 B7 B7");
    row("dewptec", "A2 A2 B1 B1 B1 B1 B1");
    row("dewaptec", "A2 A2 B8 B8 B8 B8 B8 B8");
    row("dehe", "A2 A2 C2 C2");
    row("deje", "A2 A2 C2 C2");
    row("deieoe", "A2 A2 D2 D2 E2 E2");
    // short forms, before n, s, x or z
    row("dexe", "F2 F2 M2 M2");
    row("dtex", "F4 F4 F4 M2");
    row("dpex", "F3 F3 F3 M2");
    row("dptex", "F1 F1 F1 F1 M2");
    row("dewex", "A2 A2 G2 G2 M2");
    row("dehez", "A2 A2 H2 H2 N2");
    row("dejez", "A2 A2 H2 H2 N2");
    // in, spatial, quantity, relational and possessive clauses
    row("dezane", "F2 F2 N2 N2 K2 K2");
    row("despe", "F2 F2 L3 L3 L3");
    row("deste", "F2 F2 L4 L4 L4");
    row("despte", "F2 F2 L1 L1 L1 L1");
    row("desqu", "F2 F2 O3 O3 O3");
    row("delg", "A2 A2 P2 P2");
    row("delqu", "A2 A2 P4 P4 P4");
    row("dequ", "A2 A2 O2 O2");
    row("deyqu", "A2 A2 O1 O1 O1");
    row("delgrlg", "A2 A2 P2 P2 P1 P1 P1");
    row("delgrlqu", "A2 A2 P2 P2 P3 P3 P3 P3");
    row("dezarza", "F2 F2 N2 N2 N4 N4 N4");
    row("dezac", "F2 F2 N1 N1 N1");
    row("dezax", "F2 F2 N2 N2 M2");
    row("kdatebtecmgmgitelgrlg", "Q0 A6 A6 A6 A6 B4 B4 B4 B4 P2 P2 P2 P2 D4 D4 D4 P2 P2 P1 P1 P1");
    row("", "");
}

void TestClauseLabeler::labelsClauses()
{
    QFETCH(QByteArray, gcode);
    QFETCH(QString, expected);

    QList<TermRecord> records = termRecordsFromGCode(gcode);
    const varn::Outcome outcome = ClauseLabeler::LabelClauses(records);
    QVERIFY2(outcome.isOk(), qPrintable(outcome.message()));
    QCOMPARE(labels(records), expected);
    QCOMPARE(records.last().group, '\0');
}

void TestClauseLabeler::checksAcrossClauses_data()
{
    QTest::addColumn<QByteArray>("gcode");
    QTest::addColumn<QString>("message"); // empty: accepted

    const auto row = [](const char *tag, const char *gcode, const char *message) {
        QTest::newRow(tag) << QByteArray(gcode) << QString::fromUtf8(message);
    };
    row("no opener: entity", "dee", InvalidGCode);
    row("no opener: k inside", "dek", InvalidGCode);
    row("no opener: non-letter", "de#e", InvalidGCode);
    row("spatial quantity without units", "desq", InvalidGCode);
    row("spatial quantity then more", "desqwec", InvalidGCode);
    row("chain with an action runs into it", "dezarzac", InvalidGCode);
    row("attribute in if", "deiae",
        "When an attribute is specified in an 'if' or 'and' clause,\nthe clause must be followed "
        "by a state, value, or quantity.");
    row("attribute in if, then state", "deiaelg", "");
    row("external after long when", "dewecxe",
        "A 'to/from-external' clause must be preceded by a 'do' or 'when' clause that\ndoes not "
        "have an attribute specified before its entity.");
    row("external after long do", "daptexe",
        "A 'to/from-external' clause must be preceded by a 'do' or 'when' clause that\ndoes not "
        "have an attribute specified before its entity.");
    row("external after with", "dehexe",
        "A 'to/from-external' clause must be preceded by a short form of a 'do' or 'when' "
        "clause.");
    row("external after chain with action", "dezacxe",
        "A 'to/from-external' clause must be preceded by a 'do' or 'when' clause that\ndoes not "
        "have chained attributes or an action specified.");
    row("external after possessive of do", "dezaxe", "");
    row("external after short when", "dewexe", "");
    row("relational after that-has after with", "dehezalg",
        "A relational term cannot follow a 'that has' clause\nthat follows a 'with' clause.");
    row("temporal after with", "dehesqu", "A temporal clause cannot follow a 'with' clause.");
    row("temporal after that-has after with", "dehezaqu",
        "A temporal clause cannot follow a 'that has' clause\nthat follows a 'with' clause.");
    row("temporal after long with", "deheyqu", "");
    row("state after with", "dehelg",
        "The standard group clause specified cannot be followed\nby a state or value clause.");
    row("state after in", "dezanel",
        "The standard group clause specified cannot be followed\nby a state or value clause.");
    row("state after do", "delg", "");
}

void TestClauseLabeler::checksAcrossClauses()
{
    QFETCH(QByteArray, gcode);
    QFETCH(QString, message);

    QList<TermRecord> records = termRecordsFromGCode(gcode);
    const varn::Outcome outcome = ClauseLabeler::LabelClauses(records);
    QCOMPARE(outcome.isOk(), message.isEmpty());
    QCOMPARE(outcome.message(), message);
}

void TestClauseLabeler::keepsLettersAndTexts()
{
    QList<TermRecord> records = termRecordsFromGCode("kdewec");
    const QStringList texts = {"Operator", "display", "Truck", "when", "Truck", "arrives"};
    for (int index = 0; index < texts.size(); ++index)
        records[index].text = texts.at(index);
    records[0].group = 'Z'; // stale labels are overwritten
    records[0].form = 7;
    QVERIFY(ClauseLabeler::LabelClauses(records).isOk());
    QCOMPARE(labels(records), QStringLiteral("Q0 A2 A2 B2 B2 B2"));
    for (int index = 0; index < texts.size(); ++index) {
        QCOMPARE(records.at(index).text, texts.at(index));
        QCOMPARE(records.at(index).letter, "kdewec"[index]);
    }
}

// A refused requirement hands no half-labelled terms to derivation.
void TestClauseLabeler::refusalClearsLabels()
{
    QList<TermRecord> records = termRecordsFromGCode("dehelg");
    for (TermRecord &record : records) {
        record.group = 'Z';
        record.form = 9;
    }
    QVERIFY(!ClauseLabeler::LabelClauses(records).isOk());
    for (const TermRecord &record : records) {
        QCOMPARE(record.group, '\0');
        QCOMPARE(record.form, 0);
    }
}

// A record with letter 0 ends the terms even inside the array; what follows
// is left unlabelled.
void TestClauseLabeler::stopsAtTheEndRecord()
{
    QList<TermRecord> records = termRecordsFromGCode(QByteArray("de\0xe", 5));
    QVERIFY(ClauseLabeler::LabelClauses(records).isOk());
    QCOMPARE(labels(records), QStringLiteral("A2 A2"));
    QCOMPARE(records.at(3).group, '\0');
    QCOMPARE(records.at(4).group, '\0');

    std::array<TermRecord, 2> unterminated;
    unterminated[0].letter = 'd';
    unterminated[1].letter = 'e';
    QVERIFY(ClauseLabeler::LabelClauses(std::span<TermRecord>(unterminated)).isOk());
    QCOMPARE(unterminated[1].group, 'A');
    QVERIFY(ClauseLabeler::LabelClauses(std::span<TermRecord>()).isOk());
}

void TestClauseLabeler::formTables_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<int>("entity");
    QTest::addColumn<int>("part");
    QTest::addColumn<int>("type");

    QTest::newRow("0") << 0 << 0 << 2 << 3;
    QTest::newRow("1") << 1 << 3 << 1 << 2;
    QTest::newRow("2") << 2 << 1 << 2 << 3;
    QTest::newRow("3") << 3 << 2 << 1 << 3;
    QTest::newRow("4") << 4 << 2 << 2 << 1;
    QTest::newRow("5") << 5 << 2 << 2 << 3;
    QTest::newRow("6") << 6 << 3 << 2 << 2;
    QTest::newRow("7") << 7 << 3 << 2 << 3;
    QTest::newRow("8") << 8 << 4 << 2 << 3;
    QTest::newRow("9") << 9 << 0 << 2 << 3;
    QTest::newRow("-1") << -1 << 0 << 2 << 3;
}

void TestClauseLabeler::formTables()
{
    QFETCH(int, form);
    QFETCH(int, entity);
    QFETCH(int, part);
    QFETCH(int, type);

    QCOMPARE(ClauseLabeler::EntityOffsetOfForm(form), entity);
    QCOMPARE(ClauseLabeler::AttributeOffsetOfForm(form), part);
    QCOMPARE(ClauseLabeler::TypeOffsetOfForm(form), type);
}

void TestClauseLabeler::clauseGroups()
{
    QString longForms, shortForms;
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        const char longGroup = ClauseLabeler::LongFormGroup(letter);
        const char shortGroup = ClauseLabeler::ShortFormGroup(letter);
        longForms += longGroup ? QChar::fromLatin1(longGroup) : u'.';
        shortForms += shortGroup ? QChar::fromLatin1(shortGroup) : u'.';
    }
    QCOMPARE(longForms, QStringLiteral(".B.A.B.CDC....E.......B..."));
    QCOMPARE(shortForms, QStringLiteral(".G.F.G.HIH...KJ...L...G..."));
    for (char other : {'\0', 'A', '~', char(0xe9)}) {
        QCOMPARE(ClauseLabeler::LongFormGroup(other), '\0');
        QCOMPARE(ClauseLabeler::ShortFormGroup(other), '\0');
    }
}

QTEST_APPLESS_MAIN(TestClauseLabeler)
#include "tst_clauselabeler.moc"
