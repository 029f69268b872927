#include "app/widgets/mainactions.h"

#include "app/widgets/featureregistry.h"
#include "app/widgets/recentfiles.h"

#include <QAction>

namespace varn::app {

QAction *MainActions::make(const QString &text, const QString &tip)
{
    auto *action = new QAction(text, this);
    action->setStatusTip(tip);
    return action;
}

MainActions::MainActions(const FeatureRegistry &features, QObject *parent) : QObject(parent)
{
    newWorkspace = make(QStringLiteral("&New"), QStringLiteral("Create a new workspace"));
    newWorkspace->setShortcut(QKeySequence::New);
    newTeamWorkspace = make(QStringLiteral("New &Team Workspace..."),
                            QStringLiteral("Create or join a workspace on a PostgreSQL server"));
    open = make(QStringLiteral("&Open..."), QStringLiteral("Open an existing workspace"));
    open->setShortcut(QKeySequence::Open);
    close = make(QStringLiteral("&Close"), QStringLiteral("Close the workspace"));
    save = make(QStringLiteral("&Save"), QStringLiteral("Save the workspace file"));
    save->setShortcut(QKeySequence::Save);
    saveAs = make(QStringLiteral("Save &As..."),
                  QStringLiteral("Save the workspace file with a new name"));
    print = make(QStringLiteral("&Print..."), QStringLiteral("Print the requirements"));
    exportRequirements =
        make(QStringLiteral("&Export..."),
             QStringLiteral("Write the requirements as ReqIF, CSV or an HTML report"));
    importRequirements =
        make(QStringLiteral("&Import..."), QStringLiteral("Read requirements from ReqIF or CSV"));
    for (int position = 0; position < RecentFiles::kCount; ++position)
        recentFiles.append(make(QString(), QStringLiteral("Open this workspace")));
    exit = make(QStringLiteral("E&xit"), QStringLiteral("Quit Varn SE"));
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    requirementAttributes = make(QStringLiteral("Requirement &Attributes..."));
    parentDependent = make(QStringLiteral("&Parent-Dependent Relationships..."));

    toolbar = make(QStringLiteral("&Toolbar"), QStringLiteral("Show or hide the toolbar"));
    toolbar->setCheckable(true);
    statusBar = make(QStringLiteral("&Status Bar"), QStringLiteral("Show or hide the status bar"));
    statusBar->setCheckable(true);
    for (const QString &colour : features.menuTexts(MenuList::BackgroundColours)) {
        QAction *action = make(colour);
        action->setCheckable(true);
        colours.append(action);
    }
    for (const WindowKindInfo &kind : WindowKinds::all()) {
        if (kind.goToItem)
            goTo[int(kind.kind)] = make(QString::fromLatin1(kind.goToItem));
    }
    backToCentral = make(QStringLiteral("Back To Requirements Central"),
                         QStringLiteral("Go back to Requirements Central"));

    firstRecord = make(QStringLiteral("&First Record"), QStringLiteral("Select the first row"));
    previousRecord =
        make(QStringLiteral("&Previous Record"), QStringLiteral("Select the previous row"));
    nextRecord = make(QStringLiteral("&Next Record"), QStringLiteral("Select the next row"));
    lastRecord =
        make(QStringLiteral("&Last Record"), QStringLiteral("Select the last requirement"));

    for (const QString &column : features.menuTexts(MenuList::DisplayColumns)) {
        QAction *action = make(column, QStringLiteral("Show or hide the column"));
        action->setCheckable(true);
        display.append(action);
    }

    composeFunctional = make(QStringLiteral("&Functional Requirement..."));
    composeStructural = make(QStringLiteral("&Structural Requirement..."));
    composeTechnical = make(QStringLiteral("&Technical Requirement..."));

    builder = make(QStringLiteral("Requirement &Builder..."));
    for (const QString &name : features.menuTexts(MenuList::Templates))
        templates.append(make(name + QStringLiteral("...")));

    javaObjectModel =
        make(QStringLiteral("&Java Object Model..."), QStringLiteral("Inspect Java Object Model"));
    cppObjectModel =
        make(QStringLiteral("&C++ Object Model..."), QStringLiteral("Inspect C++ Object Model"));
    dataModel = make(QStringLiteral("&Data Model..."));
    objectModelEntities = make(QStringLiteral("Object Model &Entities..."));
    objectModelAttributes = make(QStringLiteral("Object Model &Attributes..."));
    objectModelMethods = make(QStringLiteral("Object Model &Methods..."));

    generateObjectModel = make(QStringLiteral("&Object Model..."));
    generateDataModelSql = make(QStringLiteral("Data Model &SQL..."));
    regenerate = make(QStringLiteral("&Regenerate Object Model Database"));

    cascade = make(QStringLiteral("&Cascade"), QStringLiteral("Arrange the windows overlapping"));
    tile = make(QStringLiteral("&Tile"), QStringLiteral("Arrange the windows side by side"));
    about = make(QStringLiteral("&About Varn SE..."), QStringLiteral("Show the program version"));
    about->setShortcut(QKeySequence(Qt::Key_F1));
    helpTopics =
        make(QStringLiteral("&Help Topics"), QStringLiteral("Read the manual and search it"));
}

} // namespace varn::app
