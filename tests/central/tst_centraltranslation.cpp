// Requirements Central's texts reach a translator: with a pseudo-translation
// installed, its column headings, Display items, colours and refusals show
// bracketed, while the stored kinds it filters on stay as stored.
#include "central/centralcolumns.h"
#include "central/centraltr.h"
#include "central/displaysettings.h"
#include "central/requirementlifecycle.h"
#include "central/requirementquery.h"
#include "central/requirementscentral.h"
#include "central/requirementtablemodel.h"
#include "support/pseudotranslation.h"

#include <QCoreApplication>
#include <QTest>

using namespace varn::central;

class tst_CentralTranslation : public QObject
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
        RequirementTableModel model;
        QList<Column> columns;
        for (const ColumnInfo &info : CentralColumns::all())
            columns.append(info.column);
        model.setColumns(columns);
        for (int section = 0; section < model.columnCount(); ++section)
            QTest::newRow(CentralColumns::info(columns.at(section)).header)
                << model.headerData(section, Qt::Horizontal, Qt::DisplayRole).toString();
        for (const ColumnInfo &info : CentralColumns::all()) {
            if (info.displayItem)
                QTest::newRow(info.displayItem) << Tr::tr(info.displayItem);
        }
        for (const BackgroundColour &colour : DisplaySettings::colours())
            QTest::newRow(colour.menuItem) << Tr::tr(colour.menuItem);
        QTest::newRow("invalid colour") << DisplaySettings::invalidColourMessage();
        QTest::newRow("invalid number") << RequirementQuery::invalidNumberMessage();
        QTest::newRow("no selection") << RequirementsCentral::noSelectionMessage();
        QTest::newRow("continue") << RequirementLifecycle::continueQuestion();
        QTest::newRow("deletion") << RequirementLifecycle::deletionQuestion(3, {});
        QTest::newRow("dependents heading") << RequirementLifecycle::dependentsHeading(3);
    }

    void shownTextsAreTranslated()
    {
        QFETCH(QString, shown);
        QVERIFY2(PseudoTranslation::isTranslated(shown), qPrintable(shown));
    }

    // Listing by kind compares the stored word, whatever the language.
    void kindFiltersStayStoredWords_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("stored");
        QTest::newRow("functional") << int(QueryKind::Functional) << QStringLiteral("Functional");
        QTest::newRow("structural") << int(QueryKind::Structural) << QStringLiteral("Structural");
        QTest::newRow("technical") << int(QueryKind::Technical) << QStringLiteral("Technical");
    }

    void kindFiltersStayStoredWords()
    {
        QFETCH(int, kind);
        QFETCH(QString, stored);
        QCOMPARE(RequirementQuery::ofType(QueryKind(kind)).text, stored);
    }

private:
    PseudoTranslation m_translation;
};

QTEST_GUILESS_MAIN(tst_CentralTranslation)
#include "tst_centraltranslation.moc"
