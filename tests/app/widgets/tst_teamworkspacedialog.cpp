// File > New Team Workspace... driven against the private PostgreSQL cluster.
#include "app/cvarnapp.h"
#include "app/widgets/mainactions.h"
#include "app/widgets/mainwindow.h"
#include "app/widgets/teamworkspacedialog.h"
#include "app/widgets/windownavigator.h"
#include "central/widgets/centralviewfeature.h"
#include "central/widgets/cvarnview.h"
#include "labelledcontrols.h"
#include "screenshot.h"
#include "store/sqlconnection.h"
#include "store/teamdatabase.h"
#include "support/pgcluster.h"
#include "support/workspaceenvironment.h"
#include "testpresenter.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSqlDatabase>
#include <QtTest>

#include <memory>

using namespace varn;
using namespace varn::app;

namespace {

struct Typed
{
    QString system = QStringLiteral("Acme");
    QString server;
    QString database;
    QString file;
    int port = 5432;
};

// The fields of the dialog as a user fills them.
void fill(TeamWorkspaceDialog &dialog, const Typed &typed)
{
    dialog.systemNameEdit()->setText(typed.system);
    dialog.serverEdit()->setText(typed.server);
    dialog.portBox()->setValue(typed.port);
    dialog.databaseEdit()->setText(typed.database);
    dialog.userEdit()->setText(PgCluster::userName());
    dialog.workspaceFileEdit()->setText(typed.file);
}

} // namespace

class TeamWorkspaceDialogTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<WorkspaceEnvironment> m_environment;
    PgCluster *m_cluster = nullptr;
    TestPresenter m_presenter;
    std::unique_ptr<CVarnApp> m_app;
    std::unique_ptr<FeatureRegistry> m_features;
    std::unique_ptr<MainWindow> m_window;

    // A database of the cluster: "fresh" (empty), "missing" (never made), or
    // holding the requirements of the named system.
    QString database(const QString &holds)
    {
        if (holds == QLatin1String("missing"))
            return QStringLiteral("no_such_database");
        const QString server = m_cluster->createDatabase();
        const QString name = PgCluster::databaseOf(server);
        if (holds == QLatin1String("fresh") || name.isEmpty())
            return name;
        {
            const auto address = store::ServerAddress::parse(server);
            if (!address)
                return {};
            const auto opened =
                store::SqlConnection::openServer(QStringLiteral("arrange"), address.value());
            if (!opened || !store::TeamDatabase::provision(opened->connectionName(), holds))
                return {};
        }
        store::SqlConnection::close(QStringLiteral("arrange"));
        return name;
    }

    // Opens New Team Workspace from the File menu; the handler fills the
    // dialog and presses one of its buttons.
    void runFromMenu(const std::function<int(TeamWorkspaceDialog &)> &handle)
    {
        m_presenter.dialogHandler = [&handle](QDialog &dialog) {
            auto *team = qobject_cast<TeamWorkspaceDialog *>(&dialog);
            return team ? handle(*team) : int(QDialog::Rejected);
        };
        m_window->actions().newTeamWorkspace->trigger();
        m_presenter.dialogHandler = {};
    }

private slots:
    void initTestCase()
    {
        m_environment = std::make_unique<WorkspaceEnvironment>();
        m_cluster = PgCluster::instance();
        QVERIFY(m_cluster);
    }

    void init()
    {
        m_presenter = TestPresenter();
        m_app = std::make_unique<CVarnApp>(
            [this](const Outcome &notice) { m_presenter.showMessage(nullptr, notice); });
        m_features = std::make_unique<FeatureRegistry>();
        central::registerCentralView(*m_features);
        m_window = std::make_unique<MainWindow>(*m_app, m_presenter, *m_features);
    }

    void cleanup()
    {
        m_window->navigator().closeAll();
        m_app->closeWorkspace();
        m_window.reset();
        m_app.reset();
    }

    void create_data()
    {
        QTest::addColumn<QString>("system");
        QTest::addColumn<QString>("holds");
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message"); // empty: the workspace opens
        QTest::newRow("creates") << "Acme"
                                 << "fresh"
                                 << ""
                                 << "acme.vnp"
                                 << "";
        QTest::newRow("joins the same system") << "Acme"
                                               << "Acme"
                                               << ""
                                               << "joined"
                                               << "";
        QTest::newRow("another system") << "Acme"
                                        << "Other"
                                        << ""
                                        << "other.vnp"
                                        << "already holds the requirements of the system \"Other\"";
        QTest::newRow("no such database")
            << "Acme"
            << "missing"
            << ""
            << "missing.vnp"
            << "Cannot open Requirements database.\nCheck the configuration";
        QTest::newRow("no system name") << ""
                                        << "fresh"
                                        << ""
                                        << "a.vnp"
                                        << "System Name";
        QTest::newRow("space in the server") << "Acme"
                                             << "fresh"
                                             << "db host"
                                             << "a.vnp"
                                             << "The Server \"db host\" is not valid";
        QTest::newRow("no database") << "Acme"
                                     << ""
                                     << ""
                                     << "a.vnp"
                                     << "Enter the name of the database on the server.";
        QTest::newRow("no file") << "Acme"
                                 << "fresh"
                                 << ""
                                 << ""
                                 << "Enter the workspace file to write.";
    }

    void create()
    {
        QFETCH(QString, system);
        QFETCH(QString, holds);
        QFETCH(QString, server);
        QFETCH(QString, file);
        QFETCH(QString, message);
        const QString databaseName = holds.isEmpty() ? QString() : database(holds);
        QVERIFY(holds.isEmpty() || !databaseName.isEmpty());
        const QString path = file.isEmpty() ? QString() : m_environment->root() + '/' + file;
        QFile::remove(path);
        QFile::remove(path + ".vnp");
        int result = -1;
        QString kept;
        runFromMenu([&](TeamWorkspaceDialog &dialog) {
            fill(dialog, {system, server.isEmpty() ? m_cluster->socketFolder() : server,
                          databaseName, path});
            dialog.accept();
            result = dialog.result();
            kept = dialog.databaseEdit()->text();
            return result;
        });
        // A refusal keeps everything typed.
        QCOMPARE(kept, databaseName);
        if (message.isEmpty()) {
            QVERIFY2(m_presenter.messages.isEmpty(), qPrintable(m_presenter.texts().join('\n')));
            QCOMPARE(result, int(QDialog::Accepted));
            QVERIFY(m_app->isTeamWorkspace());
            QVERIFY(!m_app->isModified());
            // A name without a suffix is given the workspace's.
            const QString written = path.endsWith(".vnp") ? path : path + ".vnp";
            QCOMPARE(m_app->workspaceFilePath(), written);
            QVERIFY(QFile::exists(written));
            // Requirements Central opened and follows the others' saves.
            auto *view =
                qobject_cast<central::CVarnView *>(m_window->view(central::kCentralWindow));
            QVERIFY(view);
            QVERIFY(view->followsOtherUsers());
        } else {
            QCOMPARE(result, int(QDialog::Rejected));
            QCOMPARE(m_presenter.messages.size(), 1);
            QVERIFY2(m_presenter.messages.first().text.contains(message),
                     qPrintable(m_presenter.messages.first().text));
            QVERIFY(!m_app->isWorkspaceOpen());
            QVERIFY(path.isEmpty() || !QFile::exists(path));
        }
    }

    void testConnection_data()
    {
        QTest::addColumn<QString>("holds");
        QTest::addColumn<int>("port");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty database") << "fresh" << 5432 << int(MessageKind::Information)
                                        << "The database holds no requirements yet";
        QTest::newRow("a system's database") << "Zeta" << 5432 << int(MessageKind::Information)
                                             << "holds the requirements of the system \"Zeta\"";
        // The server's reason as a sentence: none of libpq's tabs and
        // severities, nor the driver's own words.
        QTest::newRow("no such database")
            << "missing" << 5432 << int(MessageKind::Stop)
            << "Cannot connect to the server.\nDatabase \"no_such_database\" does not exist.";
        QTest::newRow("nobody on the port")
            << "fresh" << 5439 << int(MessageKind::Stop)
            << "Cannot connect to the server.\nConnection to server on socket \"" +
                   m_cluster->socketFolder() +
                   "/.s.PGSQL.5439\" failed: No such file or directory.\nIs the server running "
                   "locally and accepting connections on that socket?";
    }

    void testConnection()
    {
        QFETCH(QString, holds);
        QFETCH(int, port);
        QFETCH(int, kind);
        QFETCH(QString, message);
        const QString databaseName = database(holds);
        QVERIFY(!databaseName.isEmpty());
        runFromMenu([&](TeamWorkspaceDialog &dialog) {
            Typed typed{QStringLiteral("Acme"), m_cluster->socketFolder(), databaseName, {}};
            typed.port = port;
            fill(dialog, typed);
            dialog.testConnectionButton()->click();
            return int(QDialog::Rejected);
        });
        QCOMPARE(m_presenter.messages.size(), 1);
        QCOMPARE(int(m_presenter.messages.first().kind), kind);
        if (kind == int(MessageKind::Stop))
            QCOMPARE(m_presenter.messages.first().text, message);
        else
            QVERIFY2(m_presenter.messages.first().text.contains(message),
                     qPrintable(m_presenter.messages.first().text));
        // Testing leaves nothing open and creates nothing.
        QVERIFY(!m_app->isWorkspaceOpen());
        QVERIFY(!QSqlDatabase::contains(QStringLiteral("varn-server-check")));
    }

    void browseProposesAFile()
    {
        m_presenter.saveAnswers = {m_environment->root() + "/chosen.vnp"};
        runFromMenu([&](TeamWorkspaceDialog &dialog) {
            dialog.systemNameEdit()->setText(QStringLiteral("Acme"));
            dialog.browseButton()->click();
            return int(QDialog::Rejected);
        });
        QCOMPARE(m_presenter.saveProposals.size(), 1);
        QVERIFY(m_presenter.saveProposals.first().endsWith("/Varn SE Files/Acme.vnp"));
        QCOMPARE(m_presenter.dialogTitles, QStringList{"New Team Workspace"});
    }

    void namesDefaultsAndOrder()
    {
        TeamWorkspaceDialog dialog(m_presenter, {});
        QCOMPARE(misnamedControls(dialog), QStringList());
        for (QPushButton *button : dialog.findChildren<QPushButton *>())
            QCOMPARE(button->accessibleName(), button->text().remove('&'));
        QCOMPARE(dialog.portBox()->value(), 5432);
        QVERIFY(!dialog.userEdit()->text().isEmpty());
        QCOMPARE(dialog.userEdit()->text(), TeamWorkspaceDialog::loginName());
        // Tab walks down the form, then along the buttons.
        QStringList order;
        QWidget *next = dialog.systemNameEdit();
        for (int step = 0; step < 10; ++step, next = next->nextInFocusChain()) {
            while (next->focusPolicy() == Qt::NoFocus || !next->accessibleName().size())
                next = next->nextInFocusChain();
            order.append(next->accessibleName());
        }
        QCOMPARE(order,
                 (QStringList{"System Name", "Server", "Port", "Database", "User", "Workspace File",
                              "Browse...", "Test Connection", "OK", "Cancel"}));
        fill(dialog, {QStringLiteral("Acme"), QStringLiteral("db.example.org"),
                      QStringLiteral("requirements"), QStringLiteral("/home/ann/Acme.vnp")});
        saveScreenshot(dialog, QStringLiteral("newteamworkspace.png"), programBackground());
    }

    void refusedWhileAWorkspaceIsOpen()
    {
        QVERIFY(m_app->newWorkspace(QStringLiteral("Acme")).isOk());
        runFromMenu([](TeamWorkspaceDialog &) { return int(QDialog::Accepted); });
        QCOMPARE(m_presenter.dialogTitles, QStringList());
        QCOMPARE(m_presenter.texts(),
                 QStringList{"Must close the current document before creating a new one."});
    }
};

QTEST_MAIN(TeamWorkspaceDialogTest)
#include "tst_teamworkspacedialog.moc"
