// A finding's suggestion goes back into the field the user typed its words in.

#include "quality/checkedsentence.h"
#include "quality/finding.h"
#include "quality/sentencespans.h"
#include "quality/suggestionedit.h"

#include <QtTest>

#include <optional>

using namespace varn::quality;

namespace {

// A sentence made of the system's words and the fields, each field's words
// collapsed as the composers join them.
CheckedSentence joined(const QStringList &fields)
{
    CheckedSentence checked;
    checked.sentence = QStringLiteral("The ESD system shall provide the capability to");
    checked.templateNumber = 1;
    for (const QString &field : fields) {
        checked.sentence += QLatin1Char(' ');
        const QString words = field.simplified();
        checked.spans.append(
            {int(checked.sentence.size()), int(words.size()), SpanRole::Action, 'c'});
        checked.sentence += words;
    }
    checked.sentence += QLatin1Char('.');
    return checked;
}

Finding findingAt(const CheckedSentence &sentence, const QString &words, int occurrence,
                  std::optional<QString> suggestion)
{
    int at = -1;
    for (int k = 0; k <= occurrence; ++k)
        at = int(sentence.sentence.indexOf(words, at + 1));
    return {QStringLiteral("vague-term"), words, at, int(words.size()), QString(), suggestion};
}

} // namespace

class SuggestionEditTest : public QObject
{
    Q_OBJECT

private slots:
    void suggestionGoesIntoItsField_data()
    {
        QTest::addColumn<bool>("technical");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("words");
        QTest::addColumn<int>("occurrence");
        QTest::addColumn<QString>("suggestion");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("result");

        QTest::newRow("field of its own") << false << QStringList{"users", "quickly"} << "quickly"
                                          << 0 << "within 2 seconds" << 1 << "within 2 seconds";
        QTest::newRow("blanks as typed are kept")
            << false << QStringList{"answer  all   queries quickly"} << "quickly" << 0
            << "within 2 seconds" << 0 << "answer  all   queries within 2 seconds";
        QTest::newRow("words across collapsed blanks")
            << false << QStringList{"  if   possible answer"} << "if possible" << 0 << "" << 0
            << "  answer";
        QTest::newRow("same words in two fields: the second")
            << false << QStringList{"fast", "fast"} << "fast" << 1 << "rapid" << 1 << "rapid";
        QTest::newRow("same words in two fields: the first")
            << false << QStringList{"fast", "fast"} << "fast" << 0 << "rapid" << 0 << "rapid";
        QTest::newRow("technical: deletion closes the gap before a stop")
            << true << QStringList{"answer queries if possible."} << "if possible" << 0 << "" << 0
            << "answer queries.";
        QTest::newRow("technical: leading blanks and deletion at the start")
            << true << QStringList{"  be able to answer queries"} << "be able to" << 0 << "" << 0
            << "  answer queries";
        QTest::newRow("technical: deletion in the middle")
            << true << QStringList{"answer if possible every query"} << "if possible" << 0 << ""
            << 0 << "answer every query";
    }
    void suggestionGoesIntoItsField()
    {
        QFETCH(bool, technical);
        QFETCH(QStringList, fields);
        QFETCH(QString, words);
        QFETCH(int, occurrence);
        QFETCH(QString, suggestion);
        QFETCH(int, field);
        QFETCH(QString, result);

        const CheckedSentence sentence =
            technical ? SentenceSpans::technical(QStringLiteral("ESD"), fields[0]) : joined(fields);
        const Finding finding = findingAt(sentence, words, occurrence, suggestion);
        QVERIFY(finding.start >= 0);
        const std::optional<FieldEdit> edit = SuggestionEdit::locate(sentence, finding, fields);
        QVERIFY(edit);
        QCOMPARE(edit->field, field);
        QCOMPARE(fields[field].mid(edit->start, edit->length).simplified(), words);
        QCOMPARE(SuggestionEdit::applied(fields[field], *edit), result);
    }

    void nothingToApply_data()
    {
        QTest::addColumn<QString>("words");
        QTest::addColumn<bool>("hasSuggestion");
        QTest::newRow("the system's words") << "capability" << true;
        QTest::newRow("no suggestion") << "quickly" << false;
        QTest::newRow("across two fields") << "users quickly" << true;
    }
    void nothingToApply()
    {
        QFETCH(QString, words);
        QFETCH(bool, hasSuggestion);
        const QStringList fields{"users", "quickly"};
        const CheckedSentence sentence = joined(fields);
        const Finding finding =
            findingAt(sentence, words, 0,
                      hasSuggestion ? std::optional<QString>(QStringLiteral("x")) : std::nullopt);
        QVERIFY(finding.start >= 0);
        QVERIFY(!SuggestionEdit::locate(sentence, finding, fields));
    }
};

QTEST_GUILESS_MAIN(SuggestionEditTest)
#include "tst_suggestionedit.moc"
