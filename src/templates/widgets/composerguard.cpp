#include "templates/widgets/composerguard.h"

#include "app/cvarnapp.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/workbench.h"
#include "templates/commitresult.h"
#include "templates/widgets/savedcomposition.h"
#include "templates/widgets/systementitieswindow.h"

#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
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

bool ComposerGuard::mayStartSave(app::Workbench &workbench, const QWidget &dialog,
                                 const SavedComposition &saved)
{
    if (!workbench.app().records())
        return false;
    if (const qint32 number = saved.savedNumber(dialog); number > 0) {
        workbench.showMessage(Outcome::warning(SavedComposition::alreadySavedText(number)));
        return false;
    }
    return true;
}

bool ComposerGuard::finishSave(app::Workbench &workbench, const QWidget &dialog,
                               SavedComposition &saved, QLineEdit &number,
                               const CommitResult &result)
{
    if (!result.outcome) {
        if (!result.detail.isEmpty())
            workbench.showMessage(Outcome::stop(result.detail));
        workbench.showMessage(result.outcome);
        return false;
    }
    number.setText(QString::number(result.number));
    number.selectAll();
    if (result.versionRetired)
        workbench.app().setRequirementsChanged(true);
    saved.remember(dialog, result.number);
    workbench.announceRequirementsStored();
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
