// What the System Entities window lists, read from a workspace after a save.
#include "support/checkedvalue.h"
#include "support/exampledrafts.h"
#include "support/freshworkspace.h"
#include "templates/functionalcommit.h"
#include "templates/systementities.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include <optional>

using varn::templates::SystemEntities;

namespace {
const QString kConnection = QStringLiteral("systemEntities");
}

class SystemEntitiesTest : public QObject
{
    Q_OBJECT

    std::optional<FreshWorkspace> m_workspace;

private slots:
    void init()
    {
        QVERIFY(m_workspace.emplace(kConnection).isOpen());
        varn::templates::FunctionalDraft draft = windSensorNotification();
        QVERIFY(varn::templates::FunctionalCommit(m_workspace->records(), QStringLiteral("ESD"))
                    .save(draft)
                    .outcome);
    }

    void cleanup() { m_workspace.reset(); }

    void namesAsWords_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("type : entity") << "typeEntity"
                                       << "CargoBay_Door"
                                       << "Cargo Bay : Door";
        QTest::newRow("attribute") << "member"
                                   << "WindSensor"
                                   << "wind sensor";
        QTest::newRow("attribute with underscore") << "member"
                                                   << "Flash_Rate"
                                                   << "flash rate";
        QTest::newRow("type") << "type"
                              << "PriorityCargo_Reservations"
                              << "Priority Cargo";
        QTest::newRow("type without underscore") << "type"
                                                 << "MainRunway"
                                                 << "Main Runway";
    }

    void namesAsWords()
    {
        QFETCH(QString, kind);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        const QString words = kind == "typeEntity" ? SystemEntities::typeEntityLine(stored)
                              : kind == "member"   ? SystemEntities::memberWords(stored)
                                                   : SystemEntities::typeWords(stored);
        QCOMPARE(words, shown);
    }

    // The saved requirement's entities, their attributes, and "None." for an
    // empty list or an entity the object model does not hold.
    void listsAfterASave()
    {
        // A quote in a name is data, not part of the statement.
        for (const char *statement :
             {"INSERT INTO OM_ENTITY (Entity_ID, Entity) VALUES (900, 'Runway_Light')",
              "INSERT INTO OM_ENTITY (Entity_ID, Entity) VALUES (901, 'Pilot''s_Lounge')",
              "INSERT INTO OM_ATTR VALUES (900, 'SeatCount', 'int', 901)"})
            QVERIFY(QSqlQuery(QSqlDatabase::database(kConnection)).exec(statement));
        const SystemEntities entities(kConnection);
        QCOMPARE(checkedValue(entities.entities()),
                 (QStringList{"Operational Subsystem", "Runway Weather Station"}));
        QCOMPARE(checkedValue(entities.typeEntities()),
                 (QStringList{"Pilot's : Lounge", "Runway : Light"}));
        QCOMPARE(
            checkedValue(entities.definition(QStringLiteral("Pilot's : Lounge"), true)).attributes,
            QStringList{"seat count"});
        const auto station = entities.definition(QStringLiteral("Runway Weather Station"), false);
        QVERIFY2(station, qPrintable(station.outcome().message()));
        QCOMPARE(station->attributes, QStringList{"wind sensor"});
        QCOMPARE(station->types, QStringList{"None."});
        QCOMPARE(checkedValue(entities.definition(QStringLiteral("Operational Subsystem"), false))
                     .attributes,
                 QStringList{"None."});
        QCOMPARE(checkedValue(entities.definition(QStringLiteral("Runway : Light"), true)).parts,
                 QStringList{"None."});
    }
};

QTEST_GUILESS_MAIN(SystemEntitiesTest)
#include "tst_systementities.moc"
