// The sentence rules on a table of sentences written for them, each with the
// findings it must and must not give; the worked examples, which must give
// none; the user's words of template sentences; the workspace's vocabulary
// and settings. The suite prints the precision and recall of every rule on
// the table.
#include "quality/rulebook.h"
#include "quality/sentencechecker.h"
#include "quality/sentencespans.h"
#include "store/workedexamples.h"
#include "support/workedexamples.h"
#include "templates/functionaldraft.h"
#include "templates/storedrequirementloader.h"
#include "templates/structuraldraft.h"

#include <QFile>
#include <QtTest>

using namespace varn;
using quality::Finding;

namespace {

struct Expected
{
    QString rule;
    QString words; // empty: any words
};

QList<Expected> expectations(const QString &text)
{
    QList<Expected> list;
    for (const QString &item : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const int equals = int(item.indexOf(QLatin1Char('=')));
        if (equals < 0)
            list.append({item.trimmed(), {}});
        else
            list.append({item.left(equals).trimmed(), item.mid(equals + 1)});
    }
    return list;
}

QString described(const QList<Finding> &findings)
{
    QStringList parts;
    for (const Finding &finding : findings)
        parts.append(finding.rule + QLatin1Char('=') + finding.words);
    return parts.join(QStringLiteral("; "));
}

// Per rule: found where expected, found where not, expected and not found.
struct Tally
{
    int truePositives = 0;
    int falsePositives = 0;
    int falseNegatives = 0;
};

} // namespace

class SentenceRulesTest : public QObject
{
    Q_OBJECT

    quality::SentenceChecker m_checker;
    QMap<QString, Tally> m_tally;

    void count(const QList<Expected> &must, const QList<Finding> &found)
    {
        for (const Expected &expected : must) {
            const bool hit = std::any_of(found.begin(), found.end(), [&](const Finding &f) {
                return f.rule == expected.rule &&
                       (expected.words.isEmpty() || f.words == expected.words);
            });
            hit ? ++m_tally[expected.rule].truePositives : ++m_tally[expected.rule].falseNegatives;
        }
        for (const Finding &finding : found) {
            const bool wanted = std::any_of(must.begin(), must.end(), [&](const Expected &e) {
                return e.rule == finding.rule && (e.words.isEmpty() || e.words == finding.words);
            });
            if (!wanted)
                ++m_tally[finding.rule].falsePositives;
        }
    }

private slots:
    void checksTheTable_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("must");
        QTest::addColumn<QString>("mustNot");
        QFile file(QStringLiteral(VARN_TEST_DATA_DIR "/quality/sentences.tsv"));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        int rows = 0;
        while (!file.atEnd()) {
            const QString line = QString::fromUtf8(file.readLine()).chopped(1);
            if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            const QStringList columns = line.split(QLatin1Char('\t'));
            QVERIFY2(columns.size() == 3, qPrintable(line));
            QTest::newRow(qPrintable(columns[0])) << columns[0] << columns[1] << columns[2];
            ++rows;
        }
        QVERIFY(rows >= 150);
    }

    // Every finding the row must give is given with its words; none of a rule
    // it must not give ("*": none but those it must give).
    void checksTheTable()
    {
        QFETCH(QString, text);
        QFETCH(QString, must);
        QFETCH(QString, mustNot);
        const QList<Finding> found = m_checker.check(quality::SentenceSpans::text(text));
        const QList<Expected> expected = expectations(must);
        count(expected, found);
        for (const Expected &e : expected) {
            QVERIFY2(std::any_of(found.begin(), found.end(),
                                 [&](const Finding &f) {
                                     return f.rule == e.rule &&
                                            (e.words.isEmpty() || f.words == e.words);
                                 }),
                     qPrintable(QStringLiteral("missing %1=%2; found: %3")
                                    .arg(e.rule, e.words, described(found))));
        }
        for (const Finding &f : found) {
            // Where the finding says its words are.
            QCOMPARE(text.mid(f.start, f.length), f.words);
            QVERIFY(!f.message.isEmpty());
            const bool wanted =
                std::any_of(expected.begin(), expected.end(), [&](const Expected &e) {
                    return e.rule == f.rule && (e.words.isEmpty() || e.words == f.words);
                });
            const bool forbidden =
                mustNot == QLatin1String("*") ? !wanted : mustNot.split(';').contains(f.rule);
            QVERIFY2(!forbidden, qPrintable(QStringLiteral("unwanted %1=%2").arg(f.rule, f.words)));
        }
    }

    // The template sentences of the worked examples, functional and
    // structural, as their composers show them: no finding.
    void workedExamplesGiveNoFinding()
    {
        const QString connection = QStringLiteral("quality-examples");
        QVERIFY(WorkedExamples::openApplicationDatabase(connection));
        const store::WorkedExamples examples(connection);
        const Result<QList<int>> functional = examples.functionalNumbers();
        QVERIFY(functional);
        QVERIFY(functional->size() >= 50);
        QStringList faults;
        int checked = 0;
        for (int number : functional.value()) {
            Result<templates::FunctionalDraft> draft =
                templates::StoredRequirementLoader::functional(connection, number, false);
            QVERIFY(draft);
            const quality::CheckedSentence sentence =
                quality::SentenceSpans::functional(QStringLiteral("ESD"), draft.value());
            QVERIFY2(!sentence.spans.isEmpty(), qPrintable(sentence.sentence));
            const QList<Finding> found = m_checker.check(sentence);
            if (!found.isEmpty())
                faults.append(sentence.sentence + QStringLiteral(": ") + described(found));
            ++checked;
        }
        const Result<QList<store::VarnMasterRow>> masters = examples.masterRows(1, 10000);
        QVERIFY(masters);
        int structural = 0;
        for (const store::VarnMasterRow &master : masters.value()) {
            const Result<std::optional<store::StrucReqRow>> row =
                examples.structural(master.Req_Num);
            QVERIFY(row);
            if (!row.value())
                continue;
            const Result<QStringList> values = examples.possibleValues(master.Req_Num);
            QVERIFY(values);
            const templates::StructuralDraft draft =
                templates::StructuralDraft::fromStored(*row.value(), values.value());
            const quality::CheckedSentence sentence =
                quality::SentenceSpans::structural(QStringLiteral("ESD"), draft);
            QVERIFY2(!sentence.spans.isEmpty(), qPrintable(sentence.sentence));
            const QList<Finding> found = m_checker.check(sentence);
            if (!found.isEmpty())
                faults.append(sentence.sentence + QStringLiteral(": ") + described(found));
            ++structural;
        }
        QVERIFY(structural >= 4);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        qInfo("%d functional and %d structural worked examples: no finding", checked, structural);
    }

    // The user's words of a template sentence: the typed fields, not the
    // preamble nor the connective lists.
    void spansAreTheUsersWords_data()
    {
        QTest::addColumn<int>("preamble");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QStringList>("userWords");
        QTest::newRow("template 9")
            << 1
            << QStringList{"",
                           "notify",
                           "",
                           "",
                           "operational subsystem",
                           "when",
                           "wind sensor",
                           "",
                           "runway weather station",
                           "changes",
                           "from",
                           "nominal",
                           "to",
                           "caution"}
            << "The ESD system shall provide the capability notify operational subsystem when "
               "wind sensor runway weather station changes from nominal to caution."
            << QStringList{"notify",      "operational subsystem",
                           "wind sensor", "runway weather station",
                           "changes",     "nominal",
                           "caution"};
        QTest::newRow("actor preamble") << 3 << QStringList{"operator", "print", "", "", "quickly"}
                                        << "The ESD system shall enable the operator print quickly."
                                        << QStringList{"operator", "print", "quickly"};
        QTest::newRow("blanks collapsed")
            << 0 << QStringList{"", "  notify   the", "", "", "tower"}
            << "The ESD system shall notify the tower." << QStringList{"notify the", "tower"};
    }

    void spansAreTheUsersWords()
    {
        QFETCH(int, preamble);
        QFETCH(QStringList, fields);
        QFETCH(QString, sentence);
        QFETCH(QStringList, userWords);
        templates::FunctionalDraft draft = templates::FunctionalDraft::forTemplate(9);
        draft.preamble = templates::TemplateCatalogue::preamblePhrases().at(preamble);
        for (int k = 0; k < fields.size(); ++k)
            draft.setField(k, fields[k]);
        const quality::CheckedSentence checked =
            quality::SentenceSpans::functional(QStringLiteral("ESD"), draft);
        QCOMPARE(checked.sentence, sentence);
        QStringList words;
        for (const quality::UserSpan &span : checked.spans)
            words.append(checked.sentence.mid(span.start, span.length));
        QCOMPARE(words, userWords);
    }

    // The preamble's words are the system's: "shall provide the capability"
    // or "shall prohibit the" hold no finding, and "be able to" typed by the
    // user does.
    void preamblesAreExempt()
    {
        templates::FunctionalDraft draft = templates::FunctionalDraft::forTemplate(9);
        draft.preamble = QStringLiteral("shall prohibit the");
        draft.setField(0, QStringLiteral("operator"));
        draft.setField(1, QStringLiteral("delete"));
        draft.setField(4, QStringLiteral("flight plan"));
        QCOMPARE(m_checker.check(quality::SentenceSpans::functional("ESD", draft)).size(), 0);
        draft.setField(1, QStringLiteral("be able to delete"));
        const QList<Finding> found =
            m_checker.check(quality::SentenceSpans::functional("ESD", draft));
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0].rule, QStringLiteral("superfluous-infinitive"));
        QCOMPARE(found[0].words, QStringLiteral("be able to"));
        QCOMPARE(found[0].suggestion, std::optional<QString>(QString()));
        // A technical requirement's positions are those of the whole
        // sentence.
        const quality::CheckedSentence technical = quality::SentenceSpans::technical(
            QStringLiteral("ESD"), QStringLiteral("respond fast."));
        QCOMPARE(technical.sentence, QStringLiteral("The ESD system shall respond fast."));
        const QList<Finding> vague = m_checker.check(technical);
        QCOMPARE(vague.size(), 1);
        QCOMPARE(vague[0].start, 29);
        QCOMPARE(vague[0].words, QStringLiteral("fast"));
    }

    // Names the model declares are no faults: a declared value "normal", an
    // entity named with "any"; the same words elsewhere are.
    void declaredNamesAreNoFaults_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("withVocabulary");
        QTest::addColumn<QStringList>("rules");
        QTest::newRow("value declared") << "set the mode to normal" << true << QStringList{};
        QTest::newRow("value undeclared")
            << "set the mode to normal" << false << QStringList{"vague-term"};
        QTest::newRow("entity declared") << "notify any key holder" << true << QStringList{};
        QTest::newRow("entity undeclared") << "notify any" << false << QStringList{"absolute"};
    }

    void declaredNamesAreNoFaults()
    {
        QFETCH(QString, text);
        QFETCH(bool, withVocabulary);
        QFETCH(QStringList, rules);
        quality::SentenceChecker checker;
        if (withVocabulary)
            checker.setVocabulary({{QStringLiteral("normal")}, {QStringLiteral("any key holder")}});
        QStringList found;
        for (const Finding &finding : checker.check(quality::SentenceSpans::text(text)))
            found.append(finding.rule);
        QCOMPARE(found, rules);
    }

    // A rule switched off finds nothing; a word added to a rule is found.
    void settingsChangeTheRules_data()
    {
        QTest::addColumn<QStringList>("off");
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QStringList>("rules");
        QTest::newRow("as built") << QStringList{} << QString() << QString()
                                  << QStringList{"vague-term", "number-without-unit"};
        QTest::newRow("vague off") << QStringList{"vague-term"} << QString() << QString()
                                   << QStringList{"number-without-unit"};
        QTest::newRow("word added")
            << QStringList{} << "vague-term"
            << "snappy" << QStringList{"vague-term", "vague-term", "number-without-unit"};
        QTest::newRow("cue added")
            << QStringList{} << "number-without-unit"
            << "wait" << QStringList{"vague-term", "number-without-unit", "number-without-unit"};
        QTest::newRow("word added to a rule off") << QStringList{"vague-term"} << "vague-term"
                                                  << "snappy" << QStringList{"number-without-unit"};
    }

    void settingsChangeTheRules()
    {
        QFETCH(QStringList, off);
        QFETCH(QString, rule);
        QFETCH(QString, word);
        QFETCH(QStringList, rules);
        quality::RuleSettings settings;
        settings.switchedOff = off;
        if (!rule.isEmpty())
            settings.addedWords[rule].append(word);
        quality::SentenceChecker checker(settings);
        QStringList found;
        for (const Finding &finding : checker.check(quality::SentenceSpans::text(
                 QStringLiteral("respond quickly with a snappy screen after 5 and wait 3"))))
            found.append(finding.rule);
        QCOMPARE(found, rules);
    }

    void cleanupTestCase()
    {
        qInfo("%-24s %5s %5s %5s %9s %7s", "rule", "TP", "FP", "FN", "precision", "recall");
        for (auto it = m_tally.cbegin(); it != m_tally.cend(); ++it) {
            const Tally &t = it.value();
            const double precision =
                t.truePositives + t.falsePositives
                    ? double(t.truePositives) / (t.truePositives + t.falsePositives)
                    : 1.0;
            const double recall =
                t.truePositives + t.falseNegatives
                    ? double(t.truePositives) / (t.truePositives + t.falseNegatives)
                    : 1.0;
            qInfo("%-24s %5d %5d %5d %9.2f %7.2f", qPrintable(it.key()), t.truePositives,
                  t.falsePositives, t.falseNegatives, precision, recall);
        }
    }
};

QTEST_GUILESS_MAIN(SentenceRulesTest)
#include "tst_sentencerules.moc"
