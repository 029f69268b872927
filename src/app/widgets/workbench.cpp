#include "app/widgets/workbench.h"

#include "app/widgets/messagepresenter.h"

namespace varn::app {

Workbench::Workbench(CVarnApp &app, MessagePresenter &presenter, QObject *parent)
    : QObject(parent), m_app(app), m_presenter(presenter)
{}

void Workbench::showMessage(const Outcome &message) const
{
    m_presenter.showMessage(m_dialogParent, message);
}

void Workbench::goTo(WindowKind kind)
{
    if (m_navigator)
        m_navigator(kind);
}

void Workbench::setBackgroundColour(int choice)
{
    if (choice == m_backgroundColour)
        return;
    m_backgroundColour = choice;
    emit backgroundColourChanged(choice);
    emit choicesChanged();
}

void Workbench::setObjectModelLanguage(Language language)
{
    if (language == m_language)
        return;
    m_language = language;
    emit objectModelLanguageChanged(language);
    emit choicesChanged();
}

void Workbench::resetForWorkspace()
{
    setBackgroundColour(0);
    setObjectModelLanguage(Language::Cpp);
}

} // namespace varn::app
