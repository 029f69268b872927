// The term vocabulary: names by letter, the lists and their lookups.
#include "language/termvocabulary.h"

#include <QTest>

using namespace varn::language;

class TestTermVocabulary : public QObject
{
    Q_OBJECT

private slots:
    void termNames();
    void listsAndLookups_data();
    void listsAndLookups();
    void relationalKinds();
    void buttonsAndPreambles();
};

void TestTermVocabulary::termNames()
{
    const QStringList expected = {
        "attribute", "before", "(is) action", "(to) do what?", "entity",       "after",   "state",
        "with",      "if",     "by",          "who/what",      "is/are",       "to/from", "in",
        "and/or",    "part",   "quantity",    "or/and",        "spatial term", "type",    "units",
        "value",     "when",   "to/from",     "every",         "that has/have"};
    for (char letter = 'a'; letter <= 'z'; ++letter)
        QCOMPARE(TermVocabulary::TermName(letter), expected.at(letter - 'a'));
    for (char other : {'\0', 'A', '{', '`', char(0xff)})
        QCOMPARE(TermVocabulary::TermName(other), QStringLiteral("generic"));
}

void TestTermVocabulary::listsAndLookups_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("letters");
    QTest::addColumn<QString>("title");

    QTest::newRow("temporal") << "temporal" << 2 << "yy"
                              << "Temporal";
    QTest::newRow("transition") << "transition" << 2 << "mm"
                                << "State Transition";
    QTest::newRow("relational") << "relational" << 27 << "llrrlllllllllllllllllllllll"
                                << "Relational";
    QTest::newRow("possessive") << "possessive" << 6 << "zzzzzz"
                                << "Possessive";
    QTest::newRow("logical") << "logical" << 3 << "ioo"
                             << "Logical";
    QTest::newRow("event") << "event" << 7 << "wbfwwbc"
                           << "Event/Action";
    QTest::newRow("associative") << "associative" << 24 << "hhhhhhhhhhhjjnnnhhhhhhjj"
                                 << "Associative";
    QTest::newRow("external") << "external" << 6 << "xxxxxx"
                              << "External";
}

void TestTermVocabulary::listsAndLookups()
{
    QFETCH(QString, name);
    QFETCH(int, count);
    QFETCH(QString, letters);
    QFETCH(QString, title);

    const auto list = TermVocabulary::listNamed(name);
    QVERIFY(list);
    QCOMPARE(TermVocabulary::listName(*list), name);
    QCOMPARE(TermVocabulary::listTitle(*list), title);
    QCOMPARE(TermVocabulary::entryCount(*list), count);
    QString given;
    for (int position = 0; position < count; ++position) {
        given += QLatin1Char(TermVocabulary::entryLetter(*list, position));
        const QString entry = TermVocabulary::entry(*list, position);
        QVERIFY(!entry.isEmpty());
        QCOMPARE(TermVocabulary::entryPosition(*list, entry), position);
    }
    QCOMPARE(given, letters);
    QCOMPARE(TermVocabulary::entryLetter(*list, count), '\0');
    QCOMPARE(TermVocabulary::entryLetter(*list, -1), '\0');
    QVERIFY(TermVocabulary::entry(*list, count).isEmpty());
    QCOMPARE(TermVocabulary::entryPosition(*list, u"whenever"), -1);
}

void TestTermVocabulary::relationalKinds()
{
    QString kinds;
    for (int position = 0; position < 27; ++position)
        kinds += QString::number(int(TermVocabulary::relationalKind(position)));
    QCOMPARE(kinds, QStringLiteral("001233333333333444444444444"));
    QCOMPARE(TermVocabulary::entry(TermList::Relational, 15), QStringLiteral("is greater than"));
    QCOMPARE(TermVocabulary::entry(TermList::Relational, 14), QStringLiteral("not equal to"));
    QVERIFY(!TermVocabulary::listNamed(u"Temporal"));
}

void TestTermVocabulary::buttonsAndPreambles()
{
    QString letters;
    for (int button = 0; button < TermVocabulary::TermButtonCount; ++button) {
        const char letter = TermVocabulary::buttonLetter(TermButton(button));
        letters += QLatin1Char(letter);
        QCOMPARE(TermVocabulary::buttonOfLetter(letter), TermButton(button));
    }
    QCOMPARE(letters, QStringLiteral("uqvasgpte"));
    QCOMPARE(TermVocabulary::buttonCaption(TermButton::Spatiality), QStringLiteral("spatiality"));
    QVERIFY(!TermVocabulary::buttonOfLetter('c'));
    QCOMPARE(TermVocabulary::preambleEntry(3), QStringLiteral("shall enable the"));
    QVERIFY(TermVocabulary::preambleEntry(7).isEmpty());
    QCOMPARE(TermVocabulary::preamblePosition(u"shall prevent the"), 6);
    QCOMPARE(TermVocabulary::preamblePosition(u"should"), -1);
    QCOMPARE(TermVocabulary::description(TermControl::StateOrValueField),
             QStringLiteral("Attribute's state or value; a noun"));
    QCOMPARE(TermVocabulary::description(TermControl::SpatialityButton),
             QStringLiteral("Spatial term; specifies association by proximity"));
}

QTEST_APPLESS_MAIN(TestTermVocabulary)
#include "tst_termvocabulary.moc"
