// The word-level difference of two sentences, as the comparison and the
// suspect links show it.
#include "change/worddifference.h"

#include <QtTest>

using varn::change::WordDifference;
using varn::change::WordPiece;

class WordDifferenceTest : public QObject
{
    Q_OBJECT

private slots:
    // Each pair marked "[-removed-]" and "{+added+}"; the pieces give back
    // both sentences.
    void marksRemovedAndAddedWords_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("marked");
        QTest::newRow("the same") << "The ESD system shall notify the operator."
                                  << "The ESD system shall notify the operator."
                                  << "The ESD system shall notify the operator.";
        QTest::newRow("one word replaced")
            << "The ESD system shall change from nominal to caution."
            << "The ESD system shall change from nominal to warning."
            << "The ESD system shall change from nominal to [-caution-] {+warning+}.";
        QTest::newRow("full stop alone") << "The gate opens"
                                         << "The gate opens."
                                         << "The gate opens{+.+}";
        QTest::newRow("comma inserted") << "trucks, cars and vans"
                                        << "trucks, cars, and vans"
                                        << "trucks, cars{+,+} and vans";
        QTest::newRow("word and its punctuation") << "notify the operator, then stop."
                                                  << "notify the operator then stop!"
                                                  << "notify the operator[-,-] then stop[-.-]{+!+}";
        QTest::newRow("repeated word, last one changed")
            << "the truck passes the truck"
            << "the truck passes the car"
            << "the truck passes the [-truck-] {+car+}";
        QTest::newRow("repeated word, one removed") << "the the gate"
                                                    << "the gate"
                                                    << "the [-the-] gate";
        QTest::newRow("moved clause")
            << "notify the operator when the truck arrives"
            << "when the truck arrives notify the operator"
            << "[-notify the operator-] when the truck arrives {+notify the operator+}";
        QTest::newRow("swapped words") << "red green"
                                       << "green red"
                                       << "[-red-] green {+red+}";
        QTest::newRow("from nothing") << ""
                                      << "The gate opens."
                                      << "{+The gate opens.+}";
        QTest::newRow("to nothing") << "The gate opens."
                                    << ""
                                    << "[-The gate opens.-]";
        QTest::newRow("hyphen and apostrophe stay in the word")
            << "the operator's read-only view"
            << "the operator's read-write view"
            << "the operator's [-read-only-] {+read-write+} view";
        QTest::newRow("numbers") << "within 2 seconds"
                                 << "within 3 seconds"
                                 << "within [-2-] {+3+} seconds";
    }

    void marksRemovedAndAddedWords()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(QString, marked);
        const QList<WordPiece> pieces = WordDifference::between(before, after);
        QCOMPARE(WordDifference::marked(pieces), marked);
        QCOMPARE(WordDifference::before(pieces).trimmed(), before.simplified());
        QCOMPARE(WordDifference::after(pieces).trimmed(), after.simplified());
    }

    // Removed words come before added ones between two shared words, each
    // kind in one piece.
    void groupsEachStretch()
    {
        const QList<WordPiece> pieces =
            WordDifference::between(QStringLiteral("a b c d"), QStringLiteral("a x y d"));
        const QList<WordPiece> expected{{WordPiece::Kind::Same, QStringLiteral("a")},
                                        {WordPiece::Kind::Removed, QStringLiteral(" b c")},
                                        {WordPiece::Kind::Added, QStringLiteral(" x y")},
                                        {WordPiece::Kind::Same, QStringLiteral(" d")}};
        QCOMPARE(pieces, expected);
        // In HTML the spaces before a run stay outside its tags.
        QCOMPARE(WordDifference::html(pieces, {"<del>", "</del>"}, {"<ins>", "</ins>"}),
                 QStringLiteral("a <del>b c</del> <ins>x y</ins> d"));
        QCOMPARE(WordDifference::html(WordDifference::between("a < b", "a > b"),
                                      {"<del>", "</del>"}, {"<ins>", "</ins>"}),
                 QStringLiteral("a <del>&lt;</del> <ins>&gt;</ins> b"));
    }
};

QTEST_GUILESS_MAIN(WordDifferenceTest)
#include "tst_worddifference.moc"
