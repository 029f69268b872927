// The grammar's messages reach a translator: lupdate gathers every one of
// them, and a pseudo-translation shows each bracketed, also when a verdict
// joins several.
#include "language/gcodegrammar.h"
#include "language/languagemessages.h"
#include "support/pseudotranslation.h"

#include <QCoreApplication>
#include <QTest>

using namespace varn::language;

class tst_LanguageTranslation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString notInstalled = m_translation.installGathered();
        QVERIFY2(notInstalled.isEmpty(), qPrintable(notInstalled));
    }

    void everyMessageIsTranslated()
    {
        for (int index = 0; index < int(LanguageMessage::Count); ++index) {
            const QString shown = languageMessageText(LanguageMessage(index));
            QVERIFY2(shown.startsWith(QLatin1Char('[')) && shown.endsWith(QLatin1Char(']')),
                     qPrintable(QStringLiteral("message %1: %2").arg(index).arg(shown)));
        }
    }

    void englishIsUnchangedWithoutTranslation()
    {
        QCoreApplication::removeTranslator(&m_translation);
        const QString shown = languageMessageText(LanguageMessage::TermGridFull);
        QVERIFY(QCoreApplication::installTranslator(&m_translation));
        QCOMPARE(shown, QStringLiteral("Internal error. The term grid is full."));
    }

    // A refusal naming two problems translates both.
    void joinedMessagesAreEachTranslated()
    {
        GrammarVerdict verdict;
        verdict.status = GrammarVerdict::Status::Refused;
        verdict.messages[0] = LanguageMessage::TwoWhenClauses;
        verdict.messages[1] = LanguageMessage::TermGridFull;
        verdict.messageCount = 2;
        const QStringList parts = verdict.toOutcome().message().split(QStringLiteral("\n\n"));
        QCOMPARE(parts.size(), 2);
        for (const QString &part : parts)
            QVERIFY2(PseudoTranslation::isTranslated(part), qPrintable(part));
    }

private:
    PseudoTranslation m_translation;
};

QTEST_GUILESS_MAIN(tst_LanguageTranslation)
#include "tst_languagetranslation.moc"
