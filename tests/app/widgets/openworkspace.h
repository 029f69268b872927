#pragma once

#include "app/cvarnapp.h"
#include "app/widgets/workbench.h"
#include "support/workspaceenvironment.h"
#include "testpresenter.h"

#include <QDir>

// The program of a widget test with a new workspace open: the application
// object, whose notices go to the test's presenter, and the workbench that
// windows and dialogs reach it through. The install folder is emptied first.
struct OpenWorkspace
{
    OpenWorkspace(const WorkspaceEnvironment &environment, TestPresenter &presenter,
                  const QString &systemName)
        : app((QDir(environment.installPath()).removeRecursively(),
               [&presenter](const varn::Outcome &notice) {
                   presenter.showMessage(nullptr, notice);
               })),
          workbench(app, presenter), created(app.newWorkspace(systemName))
    {}
    ~OpenWorkspace() { app.closeWorkspace(); }
    OpenWorkspace(const OpenWorkspace &) = delete;
    OpenWorkspace &operator=(const OpenWorkspace &) = delete;

    varn::app::CVarnApp app;
    varn::app::Workbench workbench;
    varn::Outcome created;
};
