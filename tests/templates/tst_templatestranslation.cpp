// The templates' texts reach a translator: with a pseudo-translation
// installed, the refusals, titles, navigator items and manual pages show
// bracketed; the stored words and the sentence itself stay as they are.
#include "support/pseudotranslation.h"
#include "templates/storedtextcheck.h"
#include "templates/templatecatalogue.h"
#include "templates/templateform.h"
#include "templates/templatemanual.h"
#include "templates/templatestr.h"

#include <QCoreApplication>
#include <QTest>

using namespace varn::templates;

class tst_TemplatesTranslation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString notInstalled = m_translation.installGathered();
        QVERIFY2(notInstalled.isEmpty(), qPrintable(notInstalled));
    }

    void shownTextsAreTranslated_data()
    {
        QTest::addColumn<QString>("shown");
        for (int number = 1; number <= TemplateCatalogue::kFunctionalCount; ++number) {
            const QByteArray tag = QByteArray::number(number);
            QTest::newRow("title " + tag) << TemplateForm(number).title();
            QTest::newRow("navigator " + tag) << Tr::tr(TemplateCatalogue::navigatorItem(number));
            QTest::newRow("manual " + tag) << Tr::tr(TemplateCatalogue::specification(number));
            QTest::newRow("missing function " + tag)
                << Tr::tr(TemplateCatalogue::functional(number)->missingFunctionMessage);
            const TemplateForm form(number);
            for (const TemplateControl &control : form.controls())
                QTest::newRow("field tip " + tag) << control.tooltip;
        }
        for (const StructuralTemplate &structural : TemplateCatalogue::structuralDialogs())
            QTest::newRow("structural title " + QByteArray::number(structural.number))
                << Tr::tr(structural.title);
        for (const TableColumn &column : TemplateCatalogue::messageFieldColumns())
            QTest::newRow(column.title) << Tr::tr(column.title);
        QTest::newRow("long paragraph")
            << StoredTextCheck::attributes(QString(60, QLatin1Char('p')), {}).message();
        QTest::newRow("control in comments")
            << StoredTextCheck::attributes({}, QStringLiteral("a\x01")).message();
        QTest::newRow("control in field") << StoredTextCheck::controlInField().message();
    }

    void shownTextsAreTranslated()
    {
        QFETCH(QString, shown);
        QVERIFY2(PseudoTranslation::isTranslated(shown), qPrintable(shown));
    }

    // The manual page is made of translated pieces; the field captions are the
    // requirement language and stay English.
    void manualIsTranslated()
    {
        const QString page = TemplateManual::html();
        QVERIFY(page.startsWith(QStringLiteral("[<html>")));
        QVERIFY(page.contains(QStringLiteral("[<p>Its boxes:</p>]")));
        QVERIFY(page.contains(QStringLiteral("<li><b>who/what</b> - [")));
    }

    void englishIsUnchangedWithoutTranslation()
    {
        QCoreApplication::removeTranslator(&m_translation);
        const QString title = TemplateForm(1).title();
        const QString columns = Tr::tr(TemplateCatalogue::messageFieldColumns()[1].title);
        QVERIFY(QCoreApplication::installTranslator(&m_translation));
        QCOMPARE(title, QStringLiteral("Template #1: Association"));
        QCOMPARE(columns, QStringLiteral("Pos."));
        QCOMPARE(TemplateForm::sentenceHead(QStringLiteral("Acme")),
                 QStringLiteral("The Acme system"));
    }

private:
    PseudoTranslation m_translation;
};

QTEST_GUILESS_MAIN(tst_TemplatesTranslation)
#include "tst_templatestranslation.moc"
