// Requirements Central on a team workspace follows what other users save:
// another varn-cli process adds a requirement while the list is shown.
#include "app/cvarnapp.h"
#include "central/requirementchangelistener.h"
#include "central/requirementrows.h"
#include "central/widgets/cvarnview.h"
#include "store/savetransaction.h"
#include "store/sqlconnection.h"
#include "support/appconnections.h"
#include "support/clirun.h"
#include "support/pgcluster.h"
#include "support/workspaceenvironment.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QtTest>

#include <memory>

using namespace varn;
using namespace varn::central;

namespace {

const QString kWriter = QStringLiteral("writer");

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
        const auto writer = store::SqlConnection::openServer(
            kWriter, store::ServerAddress::parse(m_server).value());
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
        QTRY_COMPARE_WITH_TIMEOUT(view.central().model().requirementCount(), after, 3000);
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
        if (connection.isEmpty())
            connection = m_app->requirementsConnectionName();
        RequirementChangeListener listener;
        QVERIFY(listener.listen(m_app->requirementsConnectionName()));
        QSignalSpy changed(&listener, &RequirementChangeListener::changedElsewhere);
        for (int save = 0; save < saves; ++save) {
            store::SaveTransaction transaction(connection);
            QVERIFY(transaction.begin().isOk());
            if (committed)
                QVERIFY(transaction.commit().isOk());
            else
                QVERIFY(transaction.rollback().isOk());
        }
        // Long enough for a notice to arrive and its delay to pass.
        QTest::qWait(RequirementChangeListener::kDelayMs * 4);
        QCOMPARE(changed.size(), heard);
        listener.stop();
        QVERIFY(!listener.isListening());
    }
};

QTEST_MAIN(LiveCentralTest)
#include "tst_livecentral.moc"
