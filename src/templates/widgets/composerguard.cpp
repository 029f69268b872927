#include "templates/widgets/composerguard.h"

#include "app/widgets/messagepresenter.h"
#include "app/widgets/workbench.h"
#include "templates/widgets/systementitieswindow.h"

#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>

namespace varn::templates {

bool ComposerGuard::mayDiscard(app::Workbench &workbench, QDialog &dialog, bool hasUnsavedText,
                               const QString &question)
{
    return !hasUnsavedText ||
           workbench.presenter().askYesNo(&dialog, dialog.windowTitle(), question);
}

bool ComposerGuard::mayClose(app::Workbench &workbench, QDialog &dialog, bool hasUnsavedText)
{
    if (!mayDiscard(workbench, dialog, hasUnsavedText, closeQuestion()))
        return false;
    SystemEntitiesWindow::closeShown();
    return true;
}

bool ComposerGuard::handleEnter(QDialog &dialog, const QKeyEvent &event,
                                const std::function<void()> &preview)
{
    if (event.key() != Qt::Key_Return && event.key() != Qt::Key_Enter)
        return false;
    if (auto *pushButton = qobject_cast<QPushButton *>(dialog.focusWidget()))
        pushButton->click();
    else
        preview();
    return true;
}

} // namespace varn::templates
