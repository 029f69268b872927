// Properties over many G-codes: every G-code up to four letters and a few
// hundred thousand random byte strings up to 30 long are accepted or refused
// with a known message (C17 alone refuses silently), never crash, and label
// into groups and forms that derivation can read.
#include "language/clauselabeler.h"
#include "language/gcodegrammar.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTest>

#include <array>

using namespace varn::language;

namespace {

class Checker
{
public:
    Checker()
    {
        for (int index = 0; index < int(LanguageMessage::Count); ++index)
            m_messages.insert(languageMessageText(LanguageMessage(index)));
    }

    // Returns an empty string when every property holds, else what broke.
    QString check(const QByteArray &gcode)
    {
        const GrammarVerdict composing = GCodeGrammar::evaluate(gcode, false);
        const GrammarVerdict finished = GCodeGrammar::evaluate(gcode, true);
        if (QString broken = checkVerdict(composing); !broken.isEmpty())
            return broken;
        if (QString broken = checkVerdict(finished); !broken.isEmpty())
            return broken;
        if (finished.isAccepted() && !composing.isAccepted())
            return QStringLiteral("accepted finished but not while composing");
        if (gcode.size() > varn::kMaxTerms && composing.isAccepted())
            return QStringLiteral("too long but accepted");
        return checkLabels(gcode);
    }

    int accepted = 0;

private:
    QString checkVerdict(const GrammarVerdict &verdict)
    {
        const varn::Outcome outcome = verdict.toOutcome();
        if (outcome.isOk() != verdict.isAccepted())
            return QStringLiteral("outcome and verdict disagree");
        if (outcome.isOk()) {
            ++accepted;
            return outcome.hasMessage() ? QStringLiteral("accepted with a message") : QString();
        }
        if (verdict.status == GrammarVerdict::Status::RefusedSilently) {
            return qstrcmp(verdict.rule, "C17b") == 0 && !outcome.hasMessage()
                       ? QString()
                       : QStringLiteral("silent refusal outside C17");
        }
        for (const QString &part : outcome.message().split(QStringLiteral("\n\n"))) {
            if (!m_messages.contains(part))
                return QStringLiteral("unknown message: ") + outcome.message();
        }
        return QString();
    }

    QString checkLabels(const QByteArray &gcode)
    {
        for (TermRecord &record : m_records)
            record = TermRecord();
        const qsizetype size = std::min<qsizetype>(gcode.size(), qsizetype(m_records.size()) - 1);
        for (qsizetype index = 0; index < size; ++index)
            m_records[std::size_t(index)].letter = gcode[index];
        const std::span<TermRecord> records(m_records.data(), std::size_t(size + 1));
        const varn::Outcome outcome = ClauseLabeler::LabelClauses(records);
        if (!outcome.isOk())
            return m_messages.contains(outcome.message()) ? QString()
                                                          : QStringLiteral("labelling message");
        for (const TermRecord &record : records) {
            if (record.letter == 0)
                return record.group == 0 ? QString() : QStringLiteral("end record labelled");
            if (record.group < 'A' || record.group > 'Q' || record.form < 0 || record.form > 8)
                return QStringLiteral("unlabelled term");
        }
        return QString();
    }

    QSet<QString> m_messages;
    std::array<TermRecord, 32> m_records;
};

} // namespace

class TestLanguageProperties : public QObject
{
    Q_OBJECT

private slots:
    void everyShortGCode();
    void randomGCodes();
};

void TestLanguageProperties::everyShortGCode()
{
    Checker checker;
    QByteArray gcode;
    QVERIFY(checker.check(gcode).isEmpty());
    int count = 0;
    for (int length = 1; length <= 4; ++length) {
        gcode = QByteArray(length, 'a');
        for (;;) {
            const QString broken = checker.check(gcode);
            QVERIFY2(broken.isEmpty(),
                     qPrintable(QString::fromLatin1(gcode) + QStringLiteral(": ") + broken));
            ++count;
            int position = length - 1;
            while (position >= 0 && gcode[position] == 'z')
                gcode[position--] = 'a';
            if (position < 0)
                break;
            ++gcode[position];
        }
    }
    QCOMPARE(count, 26 + 26 * 26 + 26 * 26 * 26 + 26 * 26 * 26 * 26);
    QVERIFY(checker.accepted > 0);
}

// Mostly well-begun G-codes, so that the walk goes deep, and some of any
// letters and of any bytes.
void TestLanguageProperties::randomGCodes()
{
    Checker checker;
    QRandomGenerator random(20240611);
    for (int round = 0; round < 300000; ++round) {
        const int kind = round % 4;
        const int length = int(random.bounded(31));
        QByteArray gcode;
        gcode.reserve(length);
        if (kind < 2)
            gcode = kind == 0 ? QByteArray("d") : QByteArray("kd");
        while (gcode.size() < length) {
            gcode += kind == 3 ? char(random.bounded(256)) : char('a' + random.bounded(26));
        }
        const QString broken = checker.check(gcode);
        QVERIFY2(broken.isEmpty(),
                 qPrintable(QString::fromLatin1(gcode.toHex()) + QStringLiteral(": ") + broken));
    }
    QVERIFY(checker.accepted > 0);
}

QTEST_APPLESS_MAIN(TestLanguageProperties)
#include "common/requirementlimits.h"
#include "tst_languageproperties.moc"
