// Statements run many times with positional values: both routes store and
// read the same values, and say why a statement failed.
#include "store/rowstatement.h"
#include "support/storetestsupport.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QTemporaryDir>
#include <QtTest>

using varn::store::RowStatement;

namespace {

const QString kConnection = QStringLiteral("row-statement");

QStringList storedRows()
{
    return StoreTestSupport::column(
        kConnection, QStringLiteral("SELECT Attr_ID || '|' || COALESCE(Attribute, 'null') || '|' "
                                    "|| typeof(Attribute) || '|' || COALESCE(FK_EntityID, 'null') "
                                    "FROM OM_ATTR ORDER BY Attr_ID"));
}

} // namespace

Q_DECLARE_METATYPE(RowStatement::Route)

class RowStatementTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;

    static void addRoutes()
    {
        QTest::addColumn<RowStatement::Route>("route");
        QTest::newRow("through Qt") << RowStatement::Route::Qt;
        QTest::newRow("direct") << RowStatement::Route::Direct;
    }

private slots:
    void init()
    {
        QVERIFY(StoreTestSupport::openFreshDatabase(m_folder, kConnection));
        QVERIFY(StoreTestSupport::exec(
            kConnection, QStringLiteral("INSERT INTO OM_ENTITY VALUES (1, 'Sensor')")));
    }
    void cleanup() { StoreTestSupport::closeDatabase(kConnection); }

    void storesValuesAsQtBindsThem_data() { addRoutes(); }
    void storesValuesAsQtBindsThem()
    {
        QFETCH(RowStatement::Route, route);
        {
            RowStatement insert(QSqlDatabase::database(kConnection),
                                QStringLiteral("INSERT INTO OM_ATTR (Attr_ID, Attribute, "
                                               "FK_EntityID) VALUES (?, ?, ?)"),
                                route);
            QVERIFY(insert.isPrepared());
            const struct
            {
                qint32 key;
                QString name;
                qint32 owner;
            } rows[] = {{1, QStringLiteral("level"), 1},
                        {2, QString(), 1},
                        {3, QStringLiteral(""), 0},
                        {4, QStringLiteral("temp\u00e9rature \U0001F321"), -3}};
            for (const auto &row : rows) {
                insert.add(row.key);
                insert.add(row.name);
                insert.addReference(row.owner);
                QVERIFY2(insert.exec(), qPrintable(insert.lastError().text()));
            }
        }
        QCOMPARE(storedRows(), (QStringList{"1|level|text|1", "2|null|null|1", "3||text|null",
                                            "4|temp\u00e9rature \U0001F321|text|null"}));
    }

    // Each run reads its own rows, whether the last one was read to the end or not.
    void readsTheRowsOfEachRun_data() { addRoutes(); }
    void readsTheRowsOfEachRun()
    {
        QFETCH(RowStatement::Route, route);
        QVERIFY(StoreTestSupport::exec(
            kConnection, QStringLiteral("INSERT INTO OM_ATTR VALUES (1, 'level', 'int', 1), (2, "
                                        "'range', 'int', 1), (3, 'mode', NULL, 1)")));
        RowStatement query(QSqlDatabase::database(kConnection),
                           QStringLiteral("SELECT Attr_ID, DataTypeDef FROM OM_ATTR WHERE "
                                          "FK_EntityID = ? AND Attr_ID >= ? ORDER BY Attr_ID"),
                           route);
        enum Rest { Finished, LeftUnread };
        const auto run = [&query](qint32 from, int rowsToRead, Rest rest = Finished) {
            query.add(1);
            query.add(from);
            QStringList read;
            if (!query.exec())
                return QStringList{query.lastError().text()};
            for (int k = 0; (rowsToRead < 0 || k < rowsToRead) && query.next(); ++k)
                read << QString::number(query.intValue(0)) + QLatin1Char(':') +
                            (query.textValue(1).isNull() ? QStringLiteral("null")
                                                         : query.textValue(1));
            if (rowsToRead >= 0 && rest == Finished)
                query.finish();
            return read;
        };
        QCOMPARE(run(1, -1), (QStringList{"1:int", "2:int", "3:null"}));
        QCOMPARE(run(2, 1), QStringList{"2:int"});
        QCOMPARE(run(3, -1), QStringList{"3:null"});
        QCOMPARE(run(9, -1), QStringList());
        QCOMPARE(run(1, 2), (QStringList{"1:int", "2:int"}));
        QCOMPARE(run(1, 1, LeftUnread), QStringList{"1:int"});
        QCOMPARE(run(2, -1), (QStringList{"2:int", "3:null"}));
    }

    // Where a run of equal values ends: an empty text is not NULL, and a
    // value is compared as a whole, not by its prefix.
    void tellsRunsOfEqualValuesApart_data() { addRoutes(); }
    void tellsRunsOfEqualValuesApart()
    {
        QFETCH(RowStatement::Route, route);
        QVERIFY(StoreTestSupport::exec(
            kConnection,
            QStringLiteral("INSERT INTO OM_ATTR (Attr_ID, DataTypeDef) VALUES (1, 'int'), (2, "
                           "'int'), (3, ''), (4, ''), (5, NULL), (6, NULL), (7, 'integer'), (8, "
                           "'int'), (9, 'int')")));
        RowStatement query(
            QSqlDatabase::database(kConnection),
            QStringLiteral("SELECT Attr_ID, DataTypeDef FROM OM_ATTR ORDER BY Attr_ID"), route);
        QVERIFY(query.exec());
        QList<bool> same;
        while (query.next())
            same.append(query.sameAsBefore(1));
        QCOMPARE(same, (QList<bool>{false, true, false, true, false, true, false, false, true}));
    }

    void saysWhyItFailed_data()
    {
        QTest::addColumn<RowStatement::Route>("route");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("reason");
        // Each run binds a key and a name.
        QTest::newRow("through Qt: a value too many")
            << RowStatement::Route::Qt << "INSERT INTO OM_ENTITY (Entity_ID) VALUES (?)"
            << "Parameter count mismatch";
        QTest::newRow("direct: a value too many")
            << RowStatement::Route::Direct << "INSERT INTO OM_ENTITY (Entity_ID) VALUES (?)"
            << "column index out of range";
        for (const auto &[name, route] : {std::pair{"through Qt", RowStatement::Route::Qt},
                                          std::pair{"direct", RowStatement::Route::Direct}}) {
            QTest::addRow("%s: no such table", name)
                << route << "INSERT INTO OM_NOWHERE (Attr_ID, Attribute) VALUES (?, ?)"
                << "no such table: OM_NOWHERE";
            QTest::addRow("%s: a key taken", name)
                << route << "INSERT INTO OM_ENTITY (Entity_ID, Entity) VALUES (?, ?)"
                << "UNIQUE constraint failed: OM_ENTITY.Entity_ID";
        }
    }

    void saysWhyItFailed()
    {
        QFETCH(RowStatement::Route, route);
        QFETCH(QString, sql);
        QFETCH(QString, reason);
        RowStatement statement(QSqlDatabase::database(kConnection), sql, route);
        for (const qint32 key : {1, 1}) {
            statement.add(key);
            statement.add(QStringLiteral("Sensor"));
            QVERIFY(!statement.exec());
            QVERIFY2(statement.lastError().text().contains(reason),
                     qPrintable(statement.lastError().text()));
        }
        // A statement that ran into a constraint runs again with other values.
        if (statement.isPrepared() && sql.count('?') == 2) {
            statement.add(2);
            statement.add(QStringLiteral("Gauge"));
            QVERIFY2(statement.exec(), qPrintable(statement.lastError().text()));
            QCOMPARE(
                StoreTestSupport::scalar(kConnection, QStringLiteral("SELECT Entity FROM OM_ENTITY "
                                                                     "WHERE Entity_ID = 2"))
                    .toString(),
                QStringLiteral("Gauge"));
        }
    }
};

QTEST_GUILESS_MAIN(RowStatementTest)
#include "tst_rowstatement.moc"
