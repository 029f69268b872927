// varn: the desktop program.
#include "app/apptr.h"
#include "app/cvarnapp.h"
#include "app/programtranslations.h"
#include "app/terminationsignals.h"
#include "app/widgets/featureregistry.h"
#include "app/widgets/mainwindow.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/workspacecontroller.h"
#include "main/landedfeatures.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QSocketNotifier>

#include <string_view>

namespace {

void nameProgram()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Varn Systems"));
    QCoreApplication::setApplicationName(QStringLiteral("Varn SE"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VARN_VERSION));
}

void describeArguments(QCommandLineParser &parser)
{
    parser.setApplicationDescription(varn::app::Tr::tr("Varn SE requirements workstation"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("workspace"),
                                 varn::app::Tr::tr("A workspace file (.vnp) to open."),
                                 QStringLiteral("[workspace]"));
}

// --version and --help only print: they answer without a display (from a
// remote shell, or a package's checks), which the desktop application needs.
bool onlyPrints(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "--")
            return false;
        for (std::string_view option : {"-v", "--version", "-h", "--help", "-?"}) {
            if (argument == option)
                return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    if (onlyPrints(argc, argv)) {
        QCoreApplication application(argc, argv);
        nameProgram();
        varn::app::ProgramTranslations::install(application);
        QCommandLineParser parser;
        describeArguments(parser);
        parser.process(application); // prints and ends the program
        return 0;
    }
    QApplication application(argc, argv);
    nameProgram();
    varn::app::ProgramTranslations::install(application);

    QCommandLineParser parser;
    describeArguments(parser);
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
    varn::registerLandedFeatures(features);

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
