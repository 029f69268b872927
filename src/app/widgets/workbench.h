#pragma once

#include "app/widgets/windowkind.h"
#include "common/outcome.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>

namespace varn::app {

class CVarnApp;
class MessagePresenter;

// What every window and command of the desktop program reaches: the
// application object, the presenter of modal windows, the navigation between
// the child windows, and the per-workspace choices the windows share (the
// background colour of Requirements Central and the Object Model language).
class Workbench : public QObject
{
    Q_OBJECT

public:
    enum class Language { Cpp, Java };

    Workbench(CVarnApp &app, MessagePresenter &presenter, QObject *parent = nullptr);

    CVarnApp &app() const { return m_app; }
    MessagePresenter &presenter() const { return m_presenter; }

    // The window that modal dialogs and messages belong to.
    QWidget *dialogParent() const { return m_dialogParent; }
    void setDialogParent(QWidget *parent) { m_dialogParent = parent; }
    void showMessage(const Outcome &message) const;

    // Raises the window of that kind, or opens it.
    void goTo(WindowKind kind);
    void setNavigator(std::function<void(WindowKind)> navigator)
    {
        m_navigator = std::move(navigator);
    }
    // The view of the open window of that kind, or nullptr.
    QWidget *view(WindowKind kind) const { return m_viewFinder ? m_viewFinder(kind) : nullptr; }
    void setViewFinder(std::function<QWidget *(WindowKind)> finder)
    {
        m_viewFinder = std::move(finder);
    }
    // The view of the window that opens with the workspace, or nullptr.
    QWidget *homeView() const { return m_home ? view(*m_home) : nullptr; }
    void setHomeKind(WindowKind kind) { m_home = kind; }

    // The number of the requirement selected in the home window's list, for
    // the commands of other features that act on it; 0 when none is.
    int selectedRequirement() const { return m_selectedRequirement; }
    void setSelectedRequirement(int number) { m_selectedRequirement = number; }

    // Panes 1 to 3 of the status bar: the system, the listed requirements,
    // the selected requirement.
    void setStatusPane(int pane, const QString &text) { emit statusPaneChanged(pane, text); }
    // The checked state of menu items changed (see ActionSpec::checked).
    void announceChecksChanged() { emit checksChanged(); }

    // 0, 1 or 2 (Sky Blue, Bisque, Lavender Blush); other dialogs paint their
    // own shade of it.
    int backgroundColour() const { return m_backgroundColour; }
    void setBackgroundColour(int choice);

    Language objectModelLanguage() const { return m_language; }
    void setObjectModelLanguage(Language language);

    // A command stored, edited or deleted requirements: the lists query again.
    void announceRequirementsStored() { emit requirementsStored(); }
    // The object model was derived again from every requirement: the windows
    // showing it read it again.
    void announceObjectModelRebuilt() { emit objectModelRebuilt(); }
    // A generator wrote its files: the windows showing them read them again.
    void announceFilesGenerated() { emit filesGenerated(); }

    // Back to the state of a program without a workspace.
    void resetForWorkspace();

signals:
    void backgroundColourChanged(int choice);
    void objectModelLanguageChanged(varn::app::Workbench::Language language);
    void requirementsStored();
    void objectModelRebuilt();
    void filesGenerated();
    void statusPaneChanged(int pane, const QString &text);
    void checksChanged();
    // One of the choices the windows share changed: the states of the items
    // that depend on them.
    void choicesChanged();

private:
    CVarnApp &m_app;
    MessagePresenter &m_presenter;
    QPointer<QWidget> m_dialogParent;
    std::function<void(WindowKind)> m_navigator;
    std::function<QWidget *(WindowKind)> m_viewFinder;
    std::optional<WindowKind> m_home;
    int m_backgroundColour = 0;
    Language m_language = Language::Cpp;
    int m_selectedRequirement = 0;
};

} // namespace varn::app
