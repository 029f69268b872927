#pragma once

#include "app/cvarnapp.h"
#include "app/widgets/featureregistry.h"
#include "app/widgets/mainwindow.h"
#include "app/widgets/systemnamedialog.h"
#include "app/widgets/windownavigator.h"
#include "app/widgets/workspacecontroller.h"
#include "support/workspaceenvironment.h"
#include "testpresenter.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QObject>

#include <functional>
#include <memory>

// Fills the System Name dialog and presses OK.
inline std::function<int(QDialog &)> typeSystemName(const QString &name)
{
    return [name](QDialog &dialog) {
        auto *systemName = qobject_cast<varn::app::SystemNameDialog *>(&dialog);
        if (!systemName)
            return int(QDialog::Rejected);
        systemName->nameEdit()->setText(name);
        systemName->accept();
        return systemName->result();
    };
}

// The titles of the menu bar's menus, as they read.
inline QStringList menuTitles(QMainWindow &window)
{
    QStringList titles;
    for (QAction *menu : window.menuBar()->actions())
        titles.append(menu->text());
    return titles;
}

inline QMenu *menuOf(QMainWindow &window, const QString &title)
{
    for (QAction *entry : window.menuBar()->actions()) {
        if (entry->text() == title)
            return entry->menu();
    }
    return nullptr;
}

// The items of a menu as they read: "-" for a separator.
inline QStringList layoutOf(const QMenu &menu)
{
    QStringList texts;
    for (QAction *entry : menu.actions())
        texts.append(entry->isSeparator() ? QStringLiteral("-") : entry->text());
    return texts;
}

// A widget suite that starts the program's shell itself: a main window on a
// fresh application for each test, with the features the suite registers,
// and a new workspace made through the System Name dialog.
class ShellSuite : public QObject
{
protected:
    std::unique_ptr<WorkspaceEnvironment> m_environment;
    TestPresenter m_presenter;
    std::unique_ptr<varn::app::CVarnApp> m_app;
    std::unique_ptr<varn::app::FeatureRegistry> m_features;
    std::unique_ptr<varn::app::MainWindow> m_window;

    // What init() does: a new application, no workspace made since.
    void newProgram()
    {
        if (!m_environment)
            m_environment = std::make_unique<WorkspaceEnvironment>();
        m_presenter = TestPresenter();
        QDir(m_environment->installPath()).removeRecursively();
        m_app = std::make_unique<varn::app::CVarnApp>(
            [this](const varn::Outcome &notice) { m_presenter.showMessage(nullptr, notice); });
    }

    // The main window with the features provide() registers.
    void startWindow(const std::function<void(varn::app::FeatureRegistry &)> &provide)
    {
        m_features = std::make_unique<varn::app::FeatureRegistry>();
        if (provide)
            provide(*m_features);
        m_window = std::make_unique<varn::app::MainWindow>(*m_app, m_presenter, *m_features);
        m_window->resize(1100, 800);
        m_window->show();
    }

    // File > New for the system; whether the workspace is open.
    bool makeWorkspace(const QString &name = QStringLiteral("Acme"))
    {
        m_presenter.dialogHandler = typeSystemName(name);
        m_window->workspace().newWorkspace();
        m_presenter.dialogHandler = {};
        return m_app->isWorkspaceOpen();
    }

    // What cleanup() does: the windows, the workspace and the program closed.
    void endProgram()
    {
        m_presenter.dialogHandler = {};
        if (m_window)
            m_window->navigator().closeAll();
        if (m_app)
            m_app->closeWorkspace();
        m_window.reset();
        m_features.reset();
        m_app.reset();
    }
};
