// Term normalisation: the small words of each letter, capitals, blanks,
// slashes and quotes, the plural rules and the first-character check.
#include "language/gcodegrammar.h"

#include <QTest>

using namespace varn::language;

class TestTermNormalizer : public QObject
{
    Q_OBJECT

private slots:
    void normalizeField_data();
    void normalizeField();
    void refusedTextKeepsFirstSteps();
    void normalizeName_data();
    void normalizeName();
};

void TestTermNormalizer::normalizeField_data()
{
    QTest::addColumn<char>("letter");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("message");

    const auto ok = [](const char *tag, char letter, const QString &text, const char *expected) {
        QTest::newRow(tag) << letter << text << QString::fromUtf8(expected) << QString();
    };
    const auto refused = [](const char *tag, char letter, const char *text, const char *message) {
        QTest::newRow(tag) << letter << QString::fromUtf8(text) << QString()
                           << QString::fromUtf8(message);
    };
    // entities lose articles and plurals and become one capitalised word
    ok("entity with article", 'e', "the fuel pumps", "FuelPump");
    ok("entity spaced and cased", 'e', "  The   Red  Trucks  ", "RedTruck");
    ok("ies", 'e', "batteries", "Battery");
    ok("xes", 'e', "boxes", "Box");
    ok("us stays", 'e', "status", "Status");
    ok("uses", 'e', "buses", "Bus");
    ok("ys", 'e', "days", "Day");
    ok("shes", 'e', "dishes", "Dish");
    ok("ches", 'e', "churches", "Church");
    ok("sses", 'e', "glasses", "Glass");
    ok("zes", 'e', "quizzes", "Quizz");
    ok("final s", 'e', "class", "Clas");
    ok("no plural", 'e', "truck", "Truck");
    ok("slashes", 'e', "input/output port", "InputoutputPort");
    ok("backslash", 'e', "a\\b unit", "AbUnit");
    ok("quotes and commas", 'e', "pilot's \"seat\", left;", "PilotsseatLeft");
    ok("tab inside", 'e', "fuel\tpump", "FuelPump");
    ok("non-ASCII", 'e', QStringLiteral("caméras"), "Caméra");
    ok("of the", 'e', "engine of the truck", "EngineTruck");
    ok("trailing of", 'e', "engine of", "Engine");
    // attributes keep a small first letter; in/into go first
    ok("attribute of the", 'a', "rate of the engine", "rateEngine");
    ok("attribute inside a word", 'a', "data rate", "dataRate");
    ok("attribute within an", 'a', "level within an tank", "levelTank");
    ok("attribute not singular", 'a', "speeds", "speeds");
    ok("part within the", 'p', "pump within the tank", "PumpTank");
    ok("part plural", 'p', "the wheels", "Wheel");
    ok("part keeps underscore case", 'p', "big_wheel", "Big_wheel");
    ok("type", 't', "the small", "Small");
    ok("type not singular", 't', "trucks", "Trucks");
    // numbers are allowed where a value is expected
    ok("quantity", 'q', "15", "15");
    ok("state with digits", 'g', "5 volts", "5Volts");
    ok("value keeps slash", 'v', "10/20", "10/20");
    ok("state", 'g', "the open", "open");
    // do-what: the article stays after "to a" / "from a"
    ok("do-what to a", 'd', "send data to a printer", "sendDataAPrinter");
    ok("do-what to an", 'd', "send data to an operator", "sendDataAnOperator");
    ok("do-what from a", 'd', "move data from a buffer to the printer", "moveDataABufferPrinter");
    ok("do-what article", 'd', "display an alarm", "displayAlarm");
    ok("do-what the", 'd', "display the alarm", "displayAlarm");
    ok("do-what inside words", 'd', "display theory of autos", "displayTheoryOfAutos");
    ok("do-what that", 'd', "verify that the door", "verifyDoor");
    // who/what, spatial term, action, others
    ok("who/what", 'k', "the operators", "operators");
    ok("who/what slash", 'k', "pilot/co-pilot", "pilotco-pilot");
    ok("spatial", 's', "that is within", "Within");
    ok("spatial inside words", 's', "this is near", "ThisNear");
    ok("action keeps blanks", 'c', "is  loaded", "is Loaded");
    ok("other letter", 'x', "the pump", "thePump");
    ok("empty", 'e', "", "");
    ok("blank", 'e', "   ", "");
    refused("entity number", 'e', "3 tanks", "Field value cannot begin with a number.");
    refused("attribute number", 'a', "2nd rate", "Field value cannot begin with a number.");
    refused("who/what number", 'k', "9 operators", "Field value cannot begin with a number.");
    refused("sign", 'e', "#tag", "Field value must begin with a letter.");
    refused("minus", 'q', "-5", "Field value must begin with a letter.");
    refused("only article left", 'e', "the #1", "Field value must begin with a letter.");
}

void TestTermNormalizer::normalizeField()
{
    QFETCH(char, letter);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QFETCH(QString, message);

    const varn::Outcome outcome = GCodeGrammar::NormalizeField(text, letter);
    QCOMPARE(outcome.message(), message);
    QCOMPARE(outcome.isOk(), message.isEmpty());
    if (outcome.isOk())
        QCOMPARE(text, expected);
}

void TestTermNormalizer::refusedTextKeepsFirstSteps()
{
    QString text = QStringLiteral("  3 The Tanks ");
    QVERIFY(!GCodeGrammar::NormalizeField(text, 'e').isOk());
    QCOMPARE(text, QStringLiteral("3 tanks"));
}

void TestTermNormalizer::normalizeName_data()
{
    QTest::addColumn<char>("letter");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("part with base") << 'p' << "big_wheel"
                                    << "Big_Wheel";
    QTest::newRow("part plural") << 'p' << "the big_wheels"
                                 << "Big_Wheel";
    QTest::newRow("part ending in _") << 'p' << "wheel_"
                                      << "Wheel_";
    QTest::newRow("entity") << 'e' << "the fuel pumps"
                            << "FuelPump";
    QTest::newRow("entity underscore") << 'e' << "big_truck"
                                       << "Big_truck";
    QTest::newRow("digit is kept") << 'e' << "3 tanks"
                                   << "3Tank";
    QTest::newRow("no letter first") << 'e' << "#tag"
                                     << "#tag";
    QTest::newRow("attribute") << 'a' << "rate of the engine"
                               << "rateEngine";
    QTest::newRow("stored system") << 'k' << "system"
                                   << "system";
    QTest::newRow("empty") << 'e' << ""
                           << "";
}

void TestTermNormalizer::normalizeName()
{
    QFETCH(char, letter);
    QFETCH(QString, text);
    QFETCH(QString, expected);

    const QString original = text;
    QCOMPARE(GCodeGrammar::NormalizeName(text, letter), expected);
    QCOMPARE(text, original);
}

QTEST_APPLESS_MAIN(TestTermNormalizer)
#include "tst_termnormalizer.moc"
