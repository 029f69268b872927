// varn: the desktop program.
#include "app/cvarnapp.h"
#include "app/terminationsignals.h"
#include "app/widgets/featureregistry.h"
#include "app/widgets/mainwindow.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/workspacecontroller.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QSocketNotifier>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Varn Systems"));
    QApplication::setApplicationName(QStringLiteral("Varn SE"));
    QApplication::setApplicationVersion(QStringLiteral("4.0"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Varn SE requirements workstation"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("workspace"),
                                 QStringLiteral("A workspace file (.vnp) to open."),
                                 QStringLiteral("[workspace]"));
    parser.process(application);

    // SIGINT, SIGTERM and SIGHUP leave every event loop; the workspace then
    // closes as the program ends, releasing its data source.
    using varn::app::TerminationSignals;
    TerminationSignals::install();
    QSocketNotifier signalNotifier(TerminationSignals::descriptor(), QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, [] {
        QApplication::exit(TerminationSignals::exitStatus(TerminationSignals::take()));
    });

    varn::app::MessagePresenter presenter;
    varn::app::MainWindow *window = nullptr;
    // Messages shown on the way (settings read with their defaults).
    varn::app::CVarnApp workspace(
        [&](const varn::Outcome &notice) { presenter.showMessage(window, notice); });
    varn::app::FeatureRegistry features;
    varn::app::registerLandedFeatures(features);

    varn::app::MainWindow mainWindow(workspace, presenter, features);
    window = &mainWindow;
    mainWindow.showAtStart();

    const QStringList arguments = parser.positionalArguments();
    if (!arguments.isEmpty()) {
        // A workspace named on the command line that cannot be opened ends
        // the program.
        if (!mainWindow.workspace().openWorkspaceFile(arguments.first()))
            return 1;
    } else {
        mainWindow.workspace().showStartDialog();
    }
    const int status = application.exec();
    // A signal leaves the loop with the window still shown; hide it while it
    // is whole, since hiding it from its destructor would update its menus
    // half destroyed.
    mainWindow.hide();
    return status;
}
