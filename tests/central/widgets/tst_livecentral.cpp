// Requirements Central on a team workspace follows what other users save:
// another varn-cli process adds a requirement while the list is shown.
#include "app/cvarnapp.h"
#include "central/requirementchangelistener.h"
#include "central/requirementrows.h"
#include "central/widgets/cvarnview.h"
#include "store/savetransaction.h"
#include "store/sqlconnection.h"
#include "store/sqldialect.h"
#include "support/appconnections.h"
#include "support/clirun.h"
#include "support/pgcluster.h"
#include "support/workspaceenvironment.h"

#include <QHeaderView>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QtTest>

#include <algorithm>
#include <memory>

using namespace varn;
using namespace varn::central;

namespace {

const QString kWriter = QStringLiteral("writer");
const QString kMarker = QStringLiteral("varn_test_marker");

// How many notices of the channel the driver told, from that source.
qsizetype noticesOn(const QSignalSpy &told, const QString &channel,
                    QSqlDriver::NotificationSource source)
{
    return std::count_if(told.cbegin(), told.cend(), [&](const QList<QVariant> &notice) {
        return notice.at(0).toString() == channel &&
               notice.at(1).value<QSqlDriver::NotificationSource>() == source;
    });
}

// A functional requirement of template 9, saved by another program.
CliRun addElsewhere(const QString &workspace, const QString &entity)
{
    return CliRun::run(CliRun::addTemplate9(entity), workspace);
}

} // namespace

class LiveCentralTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<WorkspaceEnvironment> m_environment;
    std::unique_ptr<app::CVarnApp> m_app;
    QString m_server;
    QString m_workspace;
    int m_added = 0;

private slots:
    void initTestCase()
    {
        QVERIFY(!qEnvironmentVariableIsEmpty("VARN_CLI"));
        m_environment = std::make_unique<WorkspaceEnvironment>();
        PgCluster *cluster = PgCluster::instance();
        QVERIFY(cluster);
        m_server = cluster->createDatabase();
        QVERIFY(!m_server.isEmpty());
        m_app = std::make_unique<app::CVarnApp>();
        const Outcome created = m_app->newTeamWorkspace(QStringLiteral("Acme"), m_server);
        QVERIFY2(created.isOk(), qPrintable(created.message()));
        m_workspace = m_environment->root() + QStringLiteral("/team.vnp");
        QVERIFY(m_app->saveWorkspace(m_workspace).isOk());
        // Far more than one screen, numbered above the ones saves hand out.
        for (int number = 1000; number < 1080; ++number)
            QVERIFY(insertRequirement(requirementsDatabaseOf(*m_app), {number}));
        const auto address = store::ServerAddress::parse(m_server);
        QVERIFY2(address, qPrintable(address.outcome().message()));
        const auto writer = store::SqlConnection::openServer(kWriter, address.value());
        QVERIFY2(writer.isOk(), qPrintable(writer.outcome().message()));
    }

    void cleanupTestCase()
    {
        store::SqlConnection::close(kWriter);
        if (m_app)
            m_app->closeWorkspace();
    }

    void othersSavesAppear_data()
    {
        QTest::addColumn<bool>("descending");
        QTest::addColumn<bool>("deletes"); // the selected one, else adds one
        QTest::addColumn<int>("selectedRow");
        QTest::addColumn<int>("rowAfter"); // where the selection is then
        // Saves take the lowest free numbers: listed first in ascending order.
        QTest::newRow("new row above the selection") << false << false << 40 << 41;
        QTest::newRow("new row below the selection") << true << false << 40 << 40;
        QTest::newRow("the selected one deleted") << false << true << 40 << 40;
    }

    void othersSavesAppear()
    {
        QFETCH(bool, descending);
        QFETCH(bool, deletes);
        QFETCH(int, selectedRow);
        QFETCH(int, rowAfter);
        CVarnView view(m_app->requirementsConnectionName());
        view.resize(900, 500);
        view.show();
        view.openOnWorkspace();
        QVERIFY(view.followsOtherUsers());
        if (descending) {
            // Listed by number already: a click on its header reverses it.
            emit view.list()->horizontalHeader()->sectionClicked(0);
            QVERIFY(!view.central().sortAscending());
        }
        const int before = view.central().model().requirementCount();
        view.selectRow(selectedRow);
        const qint32 selected = view.central().model().numberAt(selectedRow);
        const qint32 next = view.central().model().numberAt(selectedRow + 1);
        QScrollBar *scroll = view.list()->verticalScrollBar();
        QVERIFY(scroll->maximum() > 300);
        scroll->setValue(300);
        QSignalSpy listed(&view, &CVarnView::listChanged);

        const CliRun saved =
            deletes ? CliRun::run({QStringLiteral("delete"), QStringLiteral("--number"),
                                   QString::number(selected), QStringLiteral("--yes")},
                                  m_workspace)
                    : addElsewhere(m_workspace, QStringLiteral("gate %1").arg(++m_added));
        QVERIFY2(saved.exitCode == 0, qPrintable(saved.err));

        const int after = deletes ? before - 1 : before + 1;
        QTRY_COMPARE_WITH_TIMEOUT(view.central().model().requirementCount(), after, 15000);
        QCOMPARE(listed.size(), 1);
        QCOMPARE(listed.first().first().toInt(), after);
        QCOMPARE(view.selectedRow(), rowAfter);
        QCOMPARE(view.central().model().numberAt(rowAfter), deletes ? next : selected);
        QCOMPARE(scroll->value(), 300);
        QCOMPARE(view.central().sortAscending(), !descending);
        QVERIFY(view.sentence().startsWith(QStringLiteral("The Acme system shall")));
    }

    void whatIsHeard_data()
    {
        QTest::addColumn<QString>("connection");
        QTest::addColumn<int>("saves");
        QTest::addColumn<bool>("committed");
        QTest::addColumn<int>("heard");
        QTest::newRow("a save of another user") << kWriter << 1 << true << 1;
        QTest::newRow("a burst is heard once") << kWriter << 5 << true << 1;
        QTest::newRow("a save rolled back") << kWriter << 1 << false << 0;
        QTest::newRow("a save of this program") << QString() << 1 << true << 0;
    }

    void whatIsHeard()
    {
        QFETCH(QString, connection);
        QFETCH(int, saves);
        QFETCH(bool, committed);
        QFETCH(int, heard);
        const QString listening = m_app->requirementsConnectionName();
        const bool own = connection.isEmpty();
        if (own)
            connection = listening;
        RequirementChangeListener listener;
        QVERIFY(listener.listen(listening));
        QSignalSpy changed(&listener, &RequirementChangeListener::changedElsewhere);
        // The listening connection hears a marker channel too. The server tells
        // a connection of notices in the order their transactions committed:
        // once the marker sent after the saves is told, so is every notice of
        // the saves, and the listener has seen each of them.
        QSqlDriver *driver = QSqlDatabase::database(listening, false).driver();
        QVERIFY(driver->subscribeToNotification(kMarker));
        const auto unsubscribe = qScopeGuard([&] { driver->unsubscribeFromNotification(kMarker); });
        QSignalSpy told(driver, &QSqlDriver::notification);
        for (int save = 0; save < saves; ++save) {
            store::SaveTransaction transaction(connection);
            QVERIFY(transaction.begin().isOk());
            if (committed)
                QVERIFY(transaction.commit().isOk());
            else
                QVERIFY(transaction.rollback().isOk());
        }
        QSqlQuery marker(QSqlDatabase::database(kWriter));
        QVERIFY2(marker.exec(QStringLiteral("NOTIFY ") + kMarker),
                 qPrintable(marker.lastError().text()));
        QTRY_VERIFY_WITH_TIMEOUT(noticesOn(told, kMarker, QSqlDriver::OtherSource) == 1, 15000);

        // What reached the listener: the notices of committed saves, marked
        // as this program's own where they were.
        const QString channel = store::SqlDialect::changeChannel();
        QCOMPARE(noticesOn(told, channel, QSqlDriver::SelfSource), committed && own ? saves : 0);
        QCOMPARE(noticesOn(told, channel, QSqlDriver::OtherSource), committed && !own ? saves : 0);
        if (heard > 0)
            QTRY_COMPARE_WITH_TIMEOUT(changed.size(), heard, 15000);
        // Every notice has reached the listener; one it took for a change
        // would be told at most its delay later. Wait out four times that
        // delay, so that a slow machine too tells what it would, before
        // saying that nothing more is heard.
        QTest::qWait(RequirementChangeListener::kDelayMs * 4);
        QCOMPARE(changed.size(), heard);
        listener.stop();
        QVERIFY(!listener.isListening());
    }
};

QTEST_MAIN(LiveCentralTest)
#include "tst_livecentral.moc"
