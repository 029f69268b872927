#pragma once

#include "app/widgets/windowkind.h"

#include <QList>
#include <QObject>

#include <array>

class QAction;

namespace varn::app {

class FeatureRegistry;

// Every command of the menus and tool bars, made once; the menus of each
// kind of window hold the ones they show. The items that features name
// (templates, display columns, colours) come from the registry.
class MainActions : public QObject
{
    Q_OBJECT

public:
    MainActions(const FeatureRegistry &features, QObject *parent);

    // File
    QAction *newWorkspace;
    QAction *newTeamWorkspace;
    QAction *open;
    QAction *close;
    QAction *save;
    QAction *saveAs;
    QAction *print;
    QAction *exportRequirements;
    QAction *importRequirements;
    QList<QAction *> recentFiles;
    QAction *exit;
    // Edit
    QAction *requirementAttributes;
    QAction *parentDependent;
    // View
    QAction *toolbar;
    QAction *statusBar;
    QList<QAction *> colours;
    std::array<QAction *, kWindowKindCount> goTo{};
    QAction *backToCentral;
    // Record
    QAction *firstRecord;
    QAction *previousRecord;
    QAction *nextRecord;
    QAction *lastRecord;
    // Display
    QList<QAction *> display;
    // Compose
    QAction *composeFunctional;
    QAction *composeStructural;
    QAction *composeTechnical;
    // Templates
    QAction *builder;
    QList<QAction *> templates; // template n at n - 1
    // Inspect
    QAction *javaObjectModel;
    QAction *cppObjectModel;
    QAction *dataModel;
    QAction *objectModelEntities;
    QAction *objectModelAttributes;
    QAction *objectModelMethods;
    // Generate
    QAction *generateObjectModel;
    QAction *generateDataModelSql;
    // Utilities
    QAction *regenerate;
    // Window and Help
    QAction *cascade;
    QAction *tile;
    QAction *about;
    QAction *helpTopics;

private:
    QAction *make(const QString &text, const QString &tip = {});
};

} // namespace varn::app
