#pragma once

#include "templates/templatestr.h"

#include <QString>

#include <functional>

class QDialog;
class QKeyEvent;
class QLineEdit;
class QWidget;

namespace varn::app {
class Workbench;
}

namespace varn::templates {

struct CommitResult;
class SavedComposition;

// What every composer does before typed text could be lost, around a save,
// and with Enter.
class ComposerGuard
{
public:
    static QString closeQuestion()
    {
        return Tr::tr("Close without saving? The text you typed will be lost.");
    }
    static QString clearQuestion()
    {
        return Tr::tr("Clear all template fields? The text you typed will be lost.");
    }

    // True when nothing typed is at stake or the user agrees to lose it.
    static bool mayDiscard(app::Workbench &workbench, QDialog &dialog, bool hasUnsavedText,
                           const QString &question);
    // mayDiscard with the close question; when it agrees, the System
    // Entities window shown over the composer closes too.
    static bool mayClose(app::Workbench &workbench, QDialog &dialog, bool hasUnsavedText);
    // Before a save: false, after saying so, when no workspace is open or
    // this very text was saved already.
    static bool mayStartSave(app::Workbench &workbench, const QWidget &dialog,
                             const SavedComposition &saved);
    // After a save: a refusal is shown with its detail and false returned;
    // a stored requirement's number is shown selected, remembered against
    // the dialog's text and announced.
    static bool finishSave(app::Workbench &workbench, const QWidget &dialog,
                           SavedComposition &saved, QLineEdit &number, const CommitResult &result);
    // Enter previews the sentence and never saves or closes the dialog; on a
    // button it presses the button. False for every other key.
    static bool handleEnter(QDialog &dialog, const QKeyEvent &event,
                            const std::function<void()> &preview);
};

} // namespace varn::templates
